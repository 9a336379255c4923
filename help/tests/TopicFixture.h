#pragma once
// The help program started on a fixed disk with the browser registered, with the topic
// engine it ships: the tests select topics and click the imitation as the user would.

#include "HelpFixture.h"

#include "ControlTopic.h"
#include "DemoAddress.h"

#include <QTest>

namespace helptest {

class TopicTest : public HelpFixture {
protected:
    TopicTest()
    {
        exe(browserFolder, QStringLiteral("Corvane"));
        exe(helpFolder, QStringLiteral("CorvaneHelp"));
        registerBrowser(0, browserFolder);
        started = start(helpFolder) && shown.empty();
    }

    void SetUp() override { ASSERT_TRUE(started); }

    corvanehelp::frmMain& w() const { return window(); }
    corvanehelp::TopicVars& t() const { return app->topic; }
    corvanehelp::ControlTopic& engine() const { return dynamic_cast<corvanehelp::ControlTopic&>(*app->topics); }

    // The user shows the topic list and picks topic index (picked again, it shows again).
    void select(int index)
    {
        if (!w().TopicShown)
            w().CommandTopic.click();
        w().OptionTopic[index].click();
    }

    // The user clicks c on screen: the mouse goes through Qt's event path to its widget,
    // which must be showing.
    void userClick(vb::Control& c)
    {
        if (!w().isVisible())
            w().show();
        ASSERT_TRUE(c.widget()->isVisible()) << "not on screen";
        // An option reacts on its circle and caption only, at its left.
        const QRect r = c.widget()->rect();
        const QPoint at = qobject_cast<const vb::OptionButton*>(&c) ? QPoint(6, r.center().y()) : r.center();
        QTest::mouseClick(c.widget(), Qt::LeftButton, {}, at);
    }
    // The user shows the topic list if needed and clicks the topic's option.
    void userSelect(int index)
    {
        if (!w().TopicShown)
            userClick(w().CommandTopic);
        userClick(w().OptionTopic[index]);
    }

    bool hasFace(const vb::CommandButton& b, int face) const
    {
        return testsupport::samePicture(b.picture(), w().ImageBut[face].picture());
    }

    // The only intro frame shown, -1 when none or several are.
    int introShown() const
    {
        int shownIndex = -1;
        for (int i = 0; i <= 10; ++i) {
            if (w().FrameIntro[i].isVisible()) {
                if (shownIndex >= 0)
                    return -1;
                shownIndex = i;
            }
        }
        return shownIndex;
    }

    QString title() const { return w().FrameInfo.caption(); }
    QString text() const { return w().LabelInfo.caption(); }

    bool started = false;
};

} // namespace helptest
