// No text of the browser names a Windows component: every form's captions, tool tips and
// lists after the start-up, every row of every message catalogue as its dialog shows it,
// and the product page that ships beside the program. The word list itself is tested here.

#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "FirstRun.h"
#include "frmMain.h"
#include "frmOptions.h"
#include "frmWeb.h"

#include "web/ScriptedWebEngine.h"

#include "ProgramStart.h"
#include "TestSupport.h"
#include "UserTexts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

using usertexts::TextCollector;
using usertexts::formTexts;
using usertexts::windowsNamesIn;

// The checker itself: it finds what it must, and lets the programs' own names pass.
TEST(UserTexts, TheWordListCatchesWindowsNamesAndLetsTheProgramsOwnFileNamesPass)
{
    for (const char* named : {"Rename the Media if the name appear different in Windows Explorer after Setup.",
                              "Corvane - A Simple Internet Explorer Based Web Browser",
                              "use Add/Remove in Windows Control Panel to",
                              "run 'setup.exe' and follow the screen",
                              "download the setup package 'Corvane.zip'",
                              "Your machine need Microsoft Scripting Runtime update to run this Program.",
                              "right click on an empty area of your Desktop, select Properties and then click on Settings.",
                              "2. MSCOMCTL.OCX", "rundll32 shell32.dll,Control_RunDLL", "Run notepad.exe", "Open C:\\Temp",
                              "the Drive Letter may be different", "Runtime 6.0 Service Pack 5", "double click My Computer",
                              "Setup Package of Corvane Contains:", "C:\\Program Files\\Corvane"})
        EXPECT_FALSE(windowsNamesIn(QString::fromLatin1(named)).isEmpty()) << named;
    for (const char* plain : {"Did you rename Corvane.exe or CorvaneHelp.exe or renamed or moved any folder on their path?",
                              "Show new window in a new Tabed Browser.", "Full Window", "the program register",
                              "Set Display Proerties", "Open 'CorvaneHelp.exe' in the folder 'Help'.",
                              "1. Rename the program files to their original names if renamed.", "Steps of Setup :"})
        EXPECT_EQ(windowsNamesIn(QString::fromLatin1(plain)), QStringList()) << plain;
}

// ---------------------------------------------------------------------------------------
// The browser

class BrowserTextsTest : public ::testing::Test {
protected:
    BrowserTextsTest()
    {
        root = QDir(dir.path()).canonicalPath();
        folder = root + QStringLiteral("/opt/Corvane");
        QDir().mkpath(folder);
        testsupport::writeFile(folder + QStringLiteral("/Corvane.exe"), "#!");
        corvane::AppConfig cfg;
        cfg.mode = vb::Runtime::Mode::Test;
        cfg.settingsPath = root + QStringLiteral("/config/Tavolin.ini");
        cfg.programFolder = folder + QLatin1Char('/');
        cfg.socketFolder = root + QStringLiteral("/sockets");
        cfg.launcher.startDetached = [](const QString&, const QStringList&, const QString&) { return false; };
        cfg.launcher.openUrl = [](const QUrl&) { return false; };
        cfg.launcher.openSettingsApplet = [](sys::SettingsApplet) { return sys::SettingsAppletStart{.started = true, .tried = {}, .installed = true}; };
        sys::MountSource mounts;
        mounts.readMountInfo = [] { return std::optional<QByteArray>("20 0 8:1 / / rw - ext4 /dev/sda1 rw\n"); };
        mounts.sysRoot = root + QStringLiteral("/sys");
        mounts.canonicalPath = [](const QString& p) { return p; };
        cfg.mounts = mounts;
        app = std::make_unique<corvane::CorvaneApp>(std::move(cfg));
        app->rt.setWebEngine(std::make_unique<vb::ScriptedWebEngineFactory>());
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
        // Each message is read as shown, then closed without its follow-up's action.
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& f) {
            ++messages;
            texts.add(QStringLiteral("message ") + app->msg.MessageId, formTexts(f));
            corvane::MessageCancelDone(*app);
        });
    }
    ~BrowserTextsTest() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    QTemporaryDir dir;
    QString root;
    QString folder;
    std::unique_ptr<corvane::CorvaneApp> app;
    TextCollector texts;
    int messages = 0;
};

TEST_F(BrowserTextsTest, NoTextOfTheBrowserNamesAWindowsComponent)
{
    // The start-up from a fixed disk: the chooser, the data form and the main window.
    ASSERT_TRUE(corvanetest::runStartUp(*app, folder));
    ASSERT_TRUE(app->mainForm);

    // The options dialog and a secondary window.
    auto* options = &app->rt.create<corvane::frmOptions>(*app);
    options->load();
    auto* web = &app->rt.create<corvane::frmWeb>(*app);
    web->load();
    texts.addForms(QStringLiteral("forms"), app->rt);

    // Every row of every catalogue, and the error report from a fixed disk and a stick.
    const int before = messages;
    int rows = 0;
    for (corvane::Catalogue c : {corvane::Catalogue::Startup, corvane::Catalogue::Failure, corvane::Catalogue::Running}) {
        for (const corvane::MessageRow& row : corvane::CatalogueRows(*app, c)) {
            ++rows;
            app->msg.MessageId = row.id;
            switch (c) {
            case corvane::Catalogue::Startup: corvane::StartupMessageShow(*app); break;
            case corvane::Catalogue::Failure: corvane::FailureMessageShow(*app); break;
            default: corvane::MessageShow(*app); break;
            }
        }
    }
    for (bool onMedia : {false, true}) {
        ++rows;
        app->prog.OnMedia = onMedia;
        app->msg.MessageId = corvane::ErrorIdMake(*app, QStringLiteral("OnMoveFamilyAct"));
        corvane::ErrorReportShow(*app);
    }
    EXPECT_EQ(messages - before, rows);

    // The product page, as the file that ships.
    QFile page(QStringLiteral(CORVANE_SOURCE_DIR "/site/Corvane.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    texts.add(QStringLiteral("site/Corvane.html"), {QString::fromUtf8(page.readAll())});

    // The walk reached what it must have: captions, tool tips, panels, messages, the page.
    for (const char* sample : {"Set Display Properties", "Options", "Show new window in a new Tabed Browser.", "Open File",
                               "Thank you for trying Corvane.", "Your machine need", "Could not find Help.",
                               "To report it now :", "A small, portable, tabbed web browser."})
        EXPECT_TRUE(texts.has(QString::fromLatin1(sample))) << sample;
    texts.expectNoWindowsWords();
}

} // namespace
