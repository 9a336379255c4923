#pragma once
// The help program started on a fixed disk with the browser registered, with the topic
// engine it ships: the tests select topics and click the imitation as the user would.

#include "HelpFixture.h"

#include "ControlTopic.h"
#include "DemoAddress.h"

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

    // The user shows the topic list and picks topic index (nothing happens when it is
    // already the selected one: Restart Topic shows it again).
    void select(int index)
    {
        if (!w().TopicShown)
            w().CommandTopic.click();
        w().OptionTopic[index].click();
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
