// The message catalogues and the message dialog: button sets, the nickname prompt and its
// key filter, the follow-ups, the queue and closing from the title bar.

#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "frmMessage.h"

#include "TestApp.h"
#include "TestSupport.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QTemporaryDir>
#include <QWidget>

using namespace corvane;

namespace {

struct Shown {
    QString caption, head, body, okCaption, cancelCaption;
    bool okEnabled = false, cancelEnabled = false, inputVisible = false;
};

class MessageTest : public ::testing::Test {
protected:
    MessageTest()
    {
        AppConfig c;
        c.mode = vb::Runtime::Mode::Test;
        c.settingsPath = dir.filePath(QStringLiteral("Tavolin.ini"));
        c.programFolder = QStringLiteral("/opt/corvane");
        c.launcher = corvanetest::idleLauncher();
        app = std::make_unique<CorvaneApp>(std::move(c));
    }
    ~MessageTest() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // Answers every message with the given action after recording what it shows.
    void respond(std::function<void(frmMessage&)> action)
    {
        app->rt.setResponder(QStringLiteral("frmMessage"), [this, action](vb::Form& f) {
            auto& m = static_cast<frmMessage&>(f);
            Shown s;
            s.caption = m.caption();
            s.head = m.LabelHead.caption();
            s.body = m.LabelMessage.caption();
            s.okCaption = m.LabelMsgOK.caption();
            s.cancelCaption = m.LabelMsgCancel.caption();
            s.okEnabled = m.CommandMsgOK.isEnabled();
            s.cancelEnabled = m.CommandMsgCancel.isEnabled();
            s.inputVisible = m.TextInput0.isVisible();
            shown.push_back(s);
            action(m);
        });
    }
    void respondOK()
    {
        respond([](frmMessage& m) { EXPECT_TRUE(m.CommandMsgOK.click()); });
    }

    QTemporaryDir dir;
    std::unique_ptr<CorvaneApp> app;
    std::vector<Shown> shown;
};

} // namespace

TEST_F(MessageTest, ButtonSets)
{
    respond([](frmMessage& m) {
        if (m.CommandMsgCancel.isEnabled())
            m.CommandMsgCancel.click();
        else
            m.CommandMsgOK.click();
    });
    app->msg.MessageId = QStringLiteral("MessageTooManyTab");
    MessageShow(*app);
    app->msg.MessageId = QStringLiteral("MessageHelpShow");
    MessageShow(*app);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].okEnabled);
    EXPECT_FALSE(shown[0].cancelEnabled); // OK only: Cancel shown disabled
    EXPECT_EQ(shown[0].okCaption, QStringLiteral("OK"));
    EXPECT_EQ(shown[0].cancelCaption, QStringLiteral("Cancel"));
    EXPECT_FALSE(shown[0].inputVisible);
    EXPECT_EQ(shown[0].body, QStringLiteral("This page will be shown in a new Tab. But you have too many Tabs open already.\r\n\r\n"
                                            "Please close some Tabs before opening a new one."));
    EXPECT_EQ(shown[1].okCaption, QStringLiteral("Yes"));
    EXPECT_EQ(shown[1].cancelCaption, QStringLiteral("No"));
    EXPECT_TRUE(shown[1].okEnabled);
    EXPECT_TRUE(shown[1].cancelEnabled);
    // "No" sets no answer and clears the message.
    EXPECT_TRUE(app->msg.MessageAnswer.isEmpty());
    EXPECT_TRUE(app->msg.MessageId.isEmpty());
    EXPECT_TRUE(app->msg.MessageBody.isEmpty());
}

TEST_F(MessageTest, YesOnTheHelpMessageLeavesTheAnswer)
{
    respondOK();
    app->msg.MessageId = QStringLiteral("MessageHelpShow");
    MessageShow(*app);
    EXPECT_EQ(app->msg.MessageAnswer, QStringLiteral("GoToWebSite"));
}

TEST_F(MessageTest, HeadAndCaptionFollowTheNickname)
{
    respondOK();
    app->msg.MessageId = QStringLiteral("MessageFileOpenError");
    MessageShow(*app);
    app->profile.Nickname = QStringLiteral("Ana");
    app->msg.MessageId = QStringLiteral("MessageFileOpenError");
    MessageShow(*app);
    app->msg.MessageId = QStringLiteral("MessageWrongScreen");
    StartupMessageShow(*app);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].head, QStringLiteral("myFriend"));
    EXPECT_EQ(shown[0].caption, QStringLiteral("myMessage"));
    EXPECT_EQ(shown[1].head, QStringLiteral("Ana"));
    EXPECT_EQ(shown[1].caption, QStringLiteral("Message For - Ana"));
    EXPECT_EQ(shown[2].head, QStringLiteral("myFriend")); // that row has its own head
}

TEST_F(MessageTest, UnknownIdsShowNothing)
{
    // No responder: a shown dialog would fail the test.
    for (auto show : {&MessageShow, &FailureMessageShow, &StartupMessageShow}) {
        app->msg.MessageId = QStringLiteral("MessageNoSuchThing");
        EXPECT_NO_THROW(show(*app));
    }
    EXPECT_FALSE(app->msg.MessageEndsProgram);
}

TEST_F(MessageTest, StartupFailuresEndTheProgramAfterOK)
{
    respondOK();
    for (const char* id : {"MessageMediaUnknown", "MessageMediaCDROM"}) {
        app->msg.MessageId = QString::fromLatin1(id);
        EXPECT_THROW(StartupMessageShow(*app), vb::ProgramEnded) << id;
        testsupport::flushDeferredDeletes();
    }
    app->msg.MessageId = QStringLiteral("MessageMyPathNotFound");
    EXPECT_THROW(FailureMessageShow(*app), vb::ProgramEnded);
    EXPECT_TRUE(app->msg.MessageEndsProgram);
    EXPECT_TRUE(shown.back().body.startsWith(QStringLiteral("Did you rename Corvane.exe or renamed")));
}

TEST_F(MessageTest, WrongScreenDoesNotEndTheProgram)
{
    respondOK();
    app->msg.MessageId = QStringLiteral("MessageWrongScreen");
    EXPECT_NO_THROW(StartupMessageShow(*app));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].body.endsWith(QStringLiteral("'Set Display Proerties' button.")));
}

TEST_F(MessageTest, NicknamePromptKeyFilter)
{
    respond([](frmMessage& m) {
        EXPECT_FALSE(m.CommandMsgOK.isEnabled()); // starts disabled
        EXPECT_TRUE(m.TextInput0.isVisible());
        m.TextInput0.type(QStringLiteral("7 "));
        EXPECT_EQ(m.TextInput0.text(), QString());
        EXPECT_FALSE(m.CommandMsgOK.isEnabled());
        m.TextInput0.type(QStringLiteral("a"));
        EXPECT_TRUE(m.CommandMsgOK.isEnabled());
        m.TextInput0.paste(QStringLiteral("n-9 a\r\n"));
        EXPECT_EQ(m.TextInput0.text(), QStringLiteral("ana"));
        m.TextInput0.typeKey(8);
        EXPECT_EQ(m.TextInput0.text(), QStringLiteral("an"));
        m.TextInput0.typeKey(13); // Enter with text: OK
    });
    app->msg.MessageId = QStringLiteral("MessageGetUserName");
    StartupMessageShow(*app);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].head, QStringLiteral("Your Name Please"));
    EXPECT_TRUE(shown[0].body.endsWith(QStringLiteral("velmora\r\ncontact@velmora.example")));
    EXPECT_EQ(app->profile.Nickname, QStringLiteral("an"));
    EXPECT_EQ(app->store.get(QStringLiteral("NidraBhanga"), QStringLiteral("NickName")), QStringLiteral("an"));
}

// The same prompt with the keyboard the user holds: the keys go to the box that has the
// focus once the user clicks into it.
TEST_F(MessageTest, NicknamePromptTakesLettersOnlyFromTheKeyboard)
{
    using testsupport::pressKey;
    using testsupport::typeText;
    respond([](frmMessage& m) {
        // The dialog on screen, as the running program shows it.
        m.window()->show();
        ASSERT_TRUE(testsupport::activateWindowOf(m.window()));
        ASSERT_EQ(testsupport::clickInto(m.TextInput0.widget()), m.TextInput0.widget());
        typeText(QStringLiteral("7 -"));
        testsupport::composeText(QStringLiteral("\u00e9"));
        pressKey(Qt::Key_X, Qt::AltModifier);
        EXPECT_EQ(m.TextInput0.text(), QString());
        EXPECT_FALSE(m.CommandMsgOK.isEnabled());
        typeText(QStringLiteral("Ab"));
        EXPECT_TRUE(m.CommandMsgOK.isEnabled());
        QApplication::clipboard()->setText(QStringLiteral("n-9 a"));
        pressKey(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(m.TextInput0.text(), QStringLiteral("Abna"));
        // Deleting passes as Backspace does; no key can bring back what is not a letter.
        pressKey(Qt::Key_Home);
        pressKey(Qt::Key_Delete);
        pressKey(Qt::Key_End);
        pressKey(Qt::Key_Backspace);
        EXPECT_EQ(m.TextInput0.text(), QStringLiteral("bn"));
        pressKey(Qt::Key_A, Qt::ControlModifier);
        pressKey(Qt::Key_X, Qt::ControlModifier);
        EXPECT_FALSE(m.CommandMsgOK.isEnabled());
        pressKey(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(m.TextInput0.text(), QStringLiteral("bn"));
        EXPECT_TRUE(m.CommandMsgOK.isEnabled());
        pressKey(Qt::Key_Return); // Enter with a name: OK
    });
    app->msg.MessageId = QStringLiteral("MessageGetUserName");
    StartupMessageShow(*app);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(app->profile.Nickname, QStringLiteral("bn"));
    EXPECT_EQ(app->store.get(QStringLiteral("NidraBhanga"), QStringLiteral("NickName")), QStringLiteral("bn"));

    // Enter on an emptied box is Cancel: the default name.
    app->profile.Nickname.clear();
    respond([](frmMessage& m) {
        // The dialog on screen, as the running program shows it.
        m.window()->show();
        ASSERT_TRUE(testsupport::activateWindowOf(m.window()));
        ASSERT_EQ(testsupport::clickInto(m.TextInput0.widget()), m.TextInput0.widget());
        typeText(QStringLiteral("x"));
        pressKey(Qt::Key_Backspace);
        pressKey(Qt::Key_Enter);
    });
    app->msg.MessageId = QStringLiteral("MessageGetUserName");
    StartupMessageShow(*app);
    EXPECT_EQ(app->profile.Nickname, QStringLiteral("myFriend"));
}

TEST_F(MessageTest, EnterOnAnEmptyNameCancelsAndStoresMyFriend)
{
    respond([](frmMessage& m) { m.TextInput0.typeKey(13); });
    app->msg.MessageId = QStringLiteral("MessageGetUserName");
    StartupMessageShow(*app);
    EXPECT_EQ(app->profile.Nickname, QStringLiteral("myFriend"));
    EXPECT_EQ(app->store.get(QStringLiteral("NidraBhanga"), QStringLiteral("NickName")), QStringLiteral("myFriend"));
    respondOK();
    app->msg.MessageId = QStringLiteral("MessageTooManyTab");
    MessageShow(*app);
    EXPECT_EQ(shown.back().caption, QStringLiteral("myMessage"));
    EXPECT_EQ(shown.back().head, QStringLiteral("myFriend"));
}

TEST_F(MessageTest, TheKeyFilterIsOnlyForTheNamePrompt)
{
    // The box is the name prompt's alone; for other ids the filter lets keys through.
    respond([](frmMessage& m) {
        m.TextInput0.type(QStringLiteral("7 x"));
        EXPECT_EQ(m.TextInput0.text(), QStringLiteral("7 x"));
        m.CommandMsgOK.click();
    });
    app->msg.MessageId = QStringLiteral("MessageTooManyTab");
    MessageShow(*app);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(MessageTest, ErrorReportOnEachRoad)
{
    respondOK();
    app->msg.MessageId = ErrorIdMake(*app, QStringLiteral("OnMoveGetGuru"));
    EXPECT_EQ(app->msg.MessageId, QStringLiteral("Bug-Corvane-OnMoveGetGuru"));
    ErrorReportShow(*app);
    app->prog.OnMedia = true;
    app->msg.MessageId = QStringLiteral("Bug-Corvane-OnRestSaveMember");
    ErrorReportShow(*app);
    ASSERT_EQ(shown.size(), 2u);
    const QString start = QStringLiteral("There was some error.\r\nIt will be helpful if you please report it to bugs@velmora.example .\r\n\r\n");
    EXPECT_EQ(shown[0].body, start + QStringLiteral("To report it now :\r\n     1. Click OK to close this window.\r\n"
                                                    "     2. Click Tools button at top left of main window.\r\n"
                                                    "     3  Click on Report Bug button.\r\n     3. Click OK in the Report Bug Frame.\r\n"
                                                    "     4. If your Email client starts then send the Email.\r\n\r\n"
                                                    "A detailed description on how this error occured will sure help.\r\n\r\n"
                                                    "To report it later please add the following message in your Email :\r\n"
                                                    "     Bug-Corvane-OnMoveGetGuru"));
    EXPECT_EQ(shown[1].body, start + QStringLiteral("To report it please include the following message in you Email : \r\n"
                                                    "     Bug-Corvane-OnRestSaveMember"));
    EXPECT_EQ(app->msg.BugReportSubject, QStringLiteral("Bug-Corvane-OnRestSaveMember"));
}

TEST_F(MessageTest, LaunchFailuresTellWhatFailed)
{
    respondOK();
    for (const char* id : {"MessageRunBachanError", "MessageRunGaganError", "MessageRunGuruError"}) {
        app->msg.MessageId = QString::fromLatin1(id);
        StartupMessageShow(*app);
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].body, QStringLiteral("There was some error. Could not run Help."));
    EXPECT_EQ(shown[1].body, QStringLiteral("Could not run the Web Browser to take you to the site file:///opt/corvane/site."));
    EXPECT_EQ(shown[2].body, QStringLiteral("There was some error. Could not run the Program."));
    for (const Shown& s : shown)
        EXPECT_FALSE(s.cancelEnabled);
}

TEST_F(MessageTest, TitleBarCloseIsCancelWhereOfferedElseOK)
{
    // The name prompt offers Cancel: closing it stores myFriend.
    respond([](frmMessage& m) { m.window()->close(); });
    app->msg.MessageId = QStringLiteral("MessageGetUserName");
    StartupMessageShow(*app);
    EXPECT_EQ(app->profile.Nickname, QStringLiteral("myFriend"));
    EXPECT_TRUE(app->msg.MessageId.isEmpty());
    // A fatal message offers only OK: closing it still ends the program. ("End" throws in
    // tests, and an exception must not cross Qt's own event code: the close request goes
    // straight to the form, as the window's close event would deliver it.)
    respond([](frmMessage& m) { m.windowCloseRequested(); });
    app->msg.MessageId = QStringLiteral("MessageNeedSriptRuntime");
    EXPECT_THROW(FailureMessageShow(*app), vb::ProgramEnded);
}

TEST_F(MessageTest, AMessageAskedForWhileOneIsShownWaitsForIt)
{
    int inner = 0;
    respond([&](frmMessage& m) {
        if (shown.size() == 1) {
            // While the first is open, the program asks for two more (one of them twice).
            app->msg.MessageId = QStringLiteral("MessageTooManyTab");
            MessageShow(*app);
            app->msg.MessageId = QStringLiteral("MessageFileOpenError");
            MessageShow(*app);
            app->msg.MessageId = QStringLiteral("MessageFileOpenError");
            MessageShow(*app);
            ++inner;
            // The open dialog's follow-ups still act on its own id.
            EXPECT_EQ(app->msg.MessageId, QStringLiteral("MessageHelpShow"));
        }
        m.CommandMsgOK.click();
    });
    app->msg.MessageId = QStringLiteral("MessageHelpShow");
    MessageShow(*app);
    EXPECT_EQ(app->msg.MessageAnswer, QStringLiteral("GoToWebSite"));
    ASSERT_EQ(shown.size(), 1u); // the others wait for the event loop
    EXPECT_TRUE(testsupport::waitFor([&] { return shown.size() == 3; }, 2000));
    testsupport::waitFor([] { return false; }, 50);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(shown[1].body.startsWith(QStringLiteral("This page will be shown in a new Tab.")));
    EXPECT_EQ(shown[2].body, QStringLiteral("There was some error. Could not open the file."));
    EXPECT_EQ(inner, 1);
}

TEST_F(MessageTest, AMessageAskedForInsideAnEngineCallbackIsShownAfterIt)
{
    respondOK();
    {
        vb::Runtime::EngineCallbackScope scope(app->rt, false);
        app->msg.MessageId = QStringLiteral("MessageTooManyTab");
        MessageShow(*app);
        app->msg.MessageId = QStringLiteral("MessageTooManyTab");
        MessageShow(*app); // a page asking again in a loop adds nothing
        EXPECT_TRUE(shown.empty());
    }
    ASSERT_EQ(shown.size(), 1u);
    testsupport::waitFor([] { return false; }, 50);
    EXPECT_EQ(shown.size(), 1u);
}

namespace {

// The dialog on screen as the running program shows it, active, the keyboard on what it
// gives the focus to.
void showOnScreen(frmMessage& m)
{
    m.window()->show();
    ASSERT_TRUE(testsupport::activateWindowOf(m.window()));
}

} // namespace

TEST_F(MessageTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton)
{
    struct Case {
        const char* id;
        void (*show)(CorvaneApp&);
        bool tab;             // the user first moves the focus on with Tab
        Qt::Key key;
        const char* answer;   // what the caller reads after it
        const char* nickname; // what the name prompt stored, "" for no change
    };
    const Case cases[] = {
        {"MessageHelpShow", &MessageShow, false, Qt::Key_Return, "GoToWebSite", ""},
        {"MessageHelpShow", &MessageShow, false, Qt::Key_Enter, "GoToWebSite", ""},
        {"MessageHelpShow", &MessageShow, false, Qt::Key_Escape, "", ""},
        // The button the focus was moved to answers Enter: No.
        {"MessageHelpShow", &MessageShow, true, Qt::Key_Return, "", ""},
        // Where OK is the only answer, Escape gives it, as closing the window does.
        {"MessageTooManyTab", &MessageShow, false, Qt::Key_Return, "", ""},
        {"MessageTooManyTab", &MessageShow, false, Qt::Key_Escape, "", ""},
        {"MessageGetUserName", &StartupMessageShow, false, Qt::Key_Escape, "", "myFriend"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + (c.tab ? " Tab " : " ") + QKeySequence(c.key).toString().toStdString());
        app->msg.MessageAnswer.clear();
        app->profile.Nickname.clear();
        respond([&c](frmMessage& m) {
            showOnScreen(m);
            if (c.tab)
                testsupport::pressKey(Qt::Key_Tab);
            testsupport::pressKey(c.key);
        });
        app->msg.MessageId = QString::fromLatin1(c.id);
        // A key that answers nothing leaves the dialog open, which fails the show.
        EXPECT_NO_THROW(c.show(*app));
        EXPECT_EQ(app->msg.MessageAnswer, QString::fromLatin1(c.answer));
        if (*c.nickname) {
            EXPECT_EQ(app->profile.Nickname, QString::fromLatin1(c.nickname));
        }
        EXPECT_TRUE(app->msg.MessageId.isEmpty());
        testsupport::flushDeferredDeletes();
    }
}

TEST_F(MessageTest, TheDialogOpensCentredOverTheWindowThatRaisedItSizedToItsText)
{
    // The window that raises the messages, away from the screen's corner.
    auto* owner = new vb::Form(app->rt, QStringLiteral("frmOwner"));
    owner->load();
    owner->show();
    owner->window()->setGeometry(60, 90, 700, 560);
    ASSERT_TRUE(testsupport::activateWindowOf(owner->window()));
    const QPoint ownerCentre = owner->window()->frameGeometry().center();

    struct Case {
        const char* id;
        void (*show)(CorvaneApp&);
        int tallest; // the client area's most height for this text
    };
    const Case cases[] = {
        {"MessageFileOpenError", &MessageShow, 140},
        {"MessageTooManyTab", &MessageShow, 170},
        {"MessageHelpShow", &MessageShow, 400},
        {"MessageGetUserName", &StartupMessageShow, 300},
        {"Bug-Corvane-OnMoveGetGuru", &ErrorReportShow, 480},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        respond([&](frmMessage& m) {
            const QWidget* w = m.window();
            const QRect client(QPoint(0, 0), w->size());
            EXPECT_LE((w->frameGeometry().center() - ownerCentre).manhattanLength(), 2);
            EXPECT_LE(client.height(), c.tallest);
            EXPECT_LT(client.width(), 520);

            // The whole text shows, under the head and the input box.
            const QRect text = m.LabelMessage.widget()->geometry();
            EXPECT_GE(text.height(), m.LabelMessage.widget()->heightForWidth(text.width()));
            EXPECT_TRUE(client.contains(text));
            const QRect head = m.LabelHead.widget()->geometry();
            EXPECT_LE(head.bottom(), text.top());
            EXPECT_GE(head.width(), m.LabelHead.widget()->fontMetrics().horizontalAdvance(m.LabelHead.caption()));
            if (m.TextInput0.isVisible()) {
                const QRect input = m.TextInput0.widget()->geometry();
                EXPECT_TRUE(client.contains(input));
                EXPECT_FALSE(input.intersects(head));
                EXPECT_LE(input.bottom(), text.top());
            }
            // The buttons, of the size of the other windows' buttons, under the text.
            for (vb::CommandButton* b : {&m.CommandMsgOK, &m.CommandMsgCancel}) {
                const QRect r(b->widget()->mapTo(w, QPoint(0, 0)), b->widget()->size());
                EXPECT_EQ(r.size(), QSize(20, 20));
                EXPECT_TRUE(client.contains(r));
                EXPECT_GT(r.top(), text.bottom());
            }
            m.windowCloseRequested();
        });
        app->msg.MessageId = QString::fromLatin1(c.id);
        c.show(*app);
        testsupport::flushDeferredDeletes();
    }
    ASSERT_EQ(shown.size(), std::size(cases));
    owner->unload();
    testsupport::flushDeferredDeletes();
}
