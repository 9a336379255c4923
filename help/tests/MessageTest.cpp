// The help program's messages: heads and captions by the nickname, the catalogues' texts
// where they carry values, and the dialog's OK and Cancel.

#include "HelpFixture.h"

#include "ControlMessage.h"

#include "UserInput.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace helptest {

namespace {

class MessageTest : public HelpFixture {
protected:
    MessageTest()
    {
        makeApp(helpFolder);
        app->prog.OwnName = QStringLiteral("CorvaneHelp");
        app->prog.ParentName = QStringLiteral("Corvane");
    }

    void show(const QString& id, void (*catalogue)(corvanehelp::HelpApp&))
    {
        app->msg.MessageId = id;
        catalogue(*app);
    }
};

TEST_F(MessageTest, HeadAndCaptionFollowTheNickname)
{
    show(QStringLiteral("MessageRunParentError"), corvanehelp::ParentMessageShow);
    app->profile.Nickname = QStringLiteral("myFriend");
    show(QStringLiteral("MessageRunParentError"), corvanehelp::ParentMessageShow);
    app->profile.Nickname = QStringLiteral("Ann");
    show(QStringLiteral("MessageRunParentError"), corvanehelp::ParentMessageShow);

    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].head, QStringLiteral("myFriend"));
    EXPECT_EQ(shown[0].caption, QStringLiteral("myMessage"));
    EXPECT_EQ(shown[1].head, QStringLiteral("myFriend"));
    EXPECT_EQ(shown[1].caption, QStringLiteral("myMessage"));
    EXPECT_EQ(shown[2].head, QStringLiteral("Ann"));
    EXPECT_EQ(shown[2].caption, QStringLiteral("Message For - Ann"));
    EXPECT_EQ(shown[2].body, QStringLiteral("There was some error. Could not run the program."));
}

TEST_F(MessageTest, LostPathNamesBothExecutables)
{
    show(QStringLiteral("MessageMyPathLost"), corvanehelp::StartupMessageShow);
    ASSERT_EQ(shown.size(), 1u);
    const QString& body = shown[0].body;
    EXPECT_TRUE(body.startsWith(QStringLiteral("Did you rename Corvane.exe or CorvaneHelp.exe or renamed or moved any folder on their path?\r\n\r\n")));
    EXPECT_TRUE(body.contains(QStringLiteral("Are you trying to run CorvaneHelp with a Program Launcher before even using it once?")));
    EXPECT_TRUE(body.endsWith(QStringLiteral("\r\n     2. Run both once by double clicking on the file names.")));
}

TEST_F(MessageTest, ErrorReportEndsWithItsId)
{
    show(QStringLiteral("MessageOnMoveCreateFamily"), corvanehelp::ErrorReportShow);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].body, QStringLiteral("There was some error.\r\nIt will be helpful if you please report it to bugs@velmora.example . "
                                            "Just include the following message in your email :\r\n\r\nMessageOnMoveCreateFamily"));
}

TEST_F(MessageTest, IdWithoutARowShowsNothing)
{
    show(QStringLiteral("MessageTooManyTab"), corvanehelp::StartupMessageShow);
    show(QStringLiteral("MessageSmallScreen"), corvanehelp::ParentMessageShow);
    EXPECT_TRUE(shown.empty());
}

TEST_F(MessageTest, OkOnlyDialogAndItsFollowUpsClearTheMessage)
{
    bool cancelEnabled = true;
    app->rt.setResponder(QStringLiteral("frmMessage"), [&](vb::Form& f) {
        auto& m = static_cast<corvanehelp::frmMessage&>(f);
        cancelEnabled = m.CommandMsgCancel.isEnabled();
        EXPECT_EQ(m.LabelMsgOK.caption(), QStringLiteral("OK"));
        EXPECT_EQ(m.LabelMsgCancel.caption(), QStringLiteral("Cancel"));
        EXPECT_FALSE(m.TextInput0.isVisible());
        m.CommandMsgOK.click();
    });
    show(QStringLiteral("MessageWrongMedia"), corvanehelp::StartupMessageShow);
    EXPECT_FALSE(cancelEnabled);
    const corvanehelp::MessageVars& m = app->msg;
    EXPECT_TRUE(m.MessageId.isEmpty() && m.MessageHead.isEmpty() && m.MessageBody.isEmpty() && m.MessageButtons.isEmpty());
    EXPECT_FALSE(app->messageForm && app->messageForm->isLoaded());
}

TEST_F(MessageTest, ClosingTheDialogFromItsTitleBarActsAsCancel)
{
    app->rt.setResponder(QStringLiteral("frmMessage"), [](vb::Form& f) { f.unload(vb::FormControlMenu); });
    show(QStringLiteral("MessageParentNotFound"), corvanehelp::ParentMessageShow);
    EXPECT_TRUE(app->msg.MessageId.isEmpty());
    EXPECT_TRUE(app->msg.MessageBody.isEmpty());
}

// The dialog on screen answers the keyboard: Enter presses OK and Escape closes it as
// Cancel does; it is sized to its text, with buttons of the size of the other windows'.
TEST_F(MessageTest, EnterAndEscapeAnswerTheDialogSizedToItsText)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        QSize client;
        app->rt.setResponder(QStringLiteral("frmMessage"), [&](vb::Form& f) {
            auto& m = static_cast<corvanehelp::frmMessage&>(f);
            client = m.window()->size();
            const QRect text = m.LabelMessage.widget()->geometry();
            EXPECT_GE(text.height(), m.LabelMessage.widget()->heightForWidth(text.width()));
            for (vb::CommandButton* b : {&m.CommandMsgOK, &m.CommandMsgCancel}) {
                const QRect button(b->widget()->mapTo(m.window(), QPoint(0, 0)), b->widget()->size());
                EXPECT_EQ(button.size(), QSize(20, 20));
                EXPECT_GT(button.y(), text.bottom());
                EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(button));
            }
            m.window()->show();
            ASSERT_TRUE(testsupport::activateWindowOf(m.window()));
            // Nothing in it takes the focus: the keys go to the window itself.
            ASSERT_EQ(QApplication::focusWidget(), nullptr);
            QTest::keyClick(m.window(), key);
        });
        EXPECT_NO_THROW(show(QStringLiteral("MessageParentNotFound"), corvanehelp::ParentMessageShow));
        EXPECT_TRUE(app->msg.MessageId.isEmpty());
        // Two lines of text make a small dialog.
        EXPECT_LT(client.height(), 150);
        EXPECT_LT(client.width(), 420);
    }
}

} // namespace

} // namespace helptest
