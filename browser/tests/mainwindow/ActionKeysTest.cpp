// The key rules of the Create, Change Name and Report Bug panels with the real keyboard:
// the panel gives its box the focus (or the user clicks into it), the keys go to the
// widget that has the focus, and Enter presses OK only when the input is acceptable.

#include "ActionsFixture.h"

#include "ActiveNajar.h"

#include <QApplication>

using namespace corvane;
using namespace Qt::StringLiterals;
using testsupport::pressKey;
using testsupport::typeText;

namespace {

class ActionKeys : public actionstest::ActionsFixture {
protected:
    void SetUp() override
    {
        start();
        testsupport::showAtSize(f().window(), 1024, 768);
        ASSERT_TRUE(testsupport::activateWindowOf(f().window()));
    }
    static void clickInto(vb::Control& box)
    {
        ASSERT_TRUE(box.widget()->isVisible());
        ASSERT_EQ(testsupport::clickInto(box.widget()), box.widget());
    }
    static QWidget* focus() { return QApplication::focusWidget(); }
    vb::ScriptedWebEngine& tabEngine(int t) { return engineOf(f().BrowserNew[t]); }
};

} // namespace

TEST_F(ActionKeys, TheCreateBoxOpensATabOnEnterOnlyForAnAddress)
{
    openMenu(1);
    f().FrameMenu[1].move(40, 32, 217, 68);
    f().CommandOpen_Click(2);
    // The panel hands its box the focus with the offered address selected: typing replaces it.
    ASSERT_EQ(focus(), f().TextCreate.widget());
    typeText(u"   "_s);
    EXPECT_EQ(f().TextCreate.text(), u"   "_s);
    EXPECT_FALSE(f().CommandCreateOK.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(s().TabCount, 0);
    EXPECT_TRUE(f().FrameCreate.isVisible());

    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_Delete);
    typeText(u"news. example/a b.html"_s);
    EXPECT_TRUE(f().CommandCreateOK.isEnabled());
    EXPECT_EQ(p().CreateAddress, u"http://news.example/ab.html"_s);
    pressKey(Qt::Key_Return);
    ASSERT_EQ(s().TabCount, 1);
    EXPECT_EQ(tabEngine(1).lastNavigation(), u"http://news.example/ab.html"_s);
    EXPECT_FALSE(f().FrameCreate.isVisible());
}

TEST_F(ActionKeys, ChangeNameTakesTheNewNameOnEnterAndShowsTheCurrentOneOnly)
{
    app->profile.Nickname = u"Asha"_s;
    f().FrameChoice.move(40, 100, 217, 52);
    f().FrameChoice.setVisible(true);
    f().CommandChoice_Click(1);
    ASSERT_EQ(focus(), f().TextName[1].widget());
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(f().FrameName.isVisible());

    clickInto(f().TextName[0]);
    testsupport::tryEveryEdit();
    EXPECT_EQ(f().TextName[0].text(), u"Asha"_s);
    EXPECT_TRUE(f().FrameName.isVisible());

    clickInto(f().TextName[1]);
    typeText(u"Ravi Kumar"_s);
    EXPECT_TRUE(f().CommandNameOK.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(f().FrameName.isVisible());
    EXPECT_EQ(app->profile.Nickname, u"Ravi Kumar"_s);
    EXPECT_EQ(app->store.get(ProfileSection, u"NickName"_s), u"Ravi Kumar"_s);
}

TEST_F(ActionKeys, ReportBugEnterWalksBetweenTheBoxesUntilOkAndThenMails)
{
    f().FrameMail.setLeft(40);
    f().FrameMail.setTop(100);
    f().FrameMail.setVisible(true);
    clickInto(f().TextMail[0]);
    typeText(u"bugs@velmora.example"_s);
    // An empty subject: Enter there leaves the focus where it is.
    clickInto(f().TextMail[1]);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(focus(), f().TextMail[1].widget());
    // A filled address with an empty subject: Enter moves on to the subject.
    clickInto(f().TextMail[0]);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(focus(), f().TextMail[1].widget());
    // A subject with an address cut short: Enter goes back to the address.
    typeText(u"Crash"_s);
    clickInto(f().TextMail[0]);
    pressKey(Qt::Key_End);
    for (int i = 0; i < 8; ++i)
        pressKey(Qt::Key_Backspace);
    EXPECT_EQ(f().TextMail[0].text(), u"bugs@velmora"_s);
    EXPECT_FALSE(f().CommandMailOK.isEnabled());
    clickInto(f().TextMail[1]);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(focus(), f().TextMail[0].widget());
    EXPECT_TRUE(log->opened.isEmpty());

    // Undo brings the address back: OK is offered and Enter mails.
    for (int i = 0; i < 8 && !f().CommandMailOK.isEnabled(); ++i)
        pressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f().TextMail[0].text(), u"bugs@velmora.example"_s);
    ASSERT_TRUE(f().CommandMailOK.isEnabled());
    pressKey(Qt::Key_Return);
    ASSERT_EQ(log->opened.size(), 1);
    EXPECT_EQ(log->opened[0].toEncoded(), QByteArray("mailto:bugs@velmora.example?subject=Crash"));
    EXPECT_FALSE(f().FrameMail.isVisible());
}
