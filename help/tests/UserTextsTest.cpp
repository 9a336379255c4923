// No text of the help program names a Windows component: the window after every topic,
// every step of the stepped topics and every page of the imitation, and every row of its
// message catalogues as the dialog shows it.

#include "ControlMessage.h"
#include "ControlTopic.h"
#include "FirstRun.h"
#include "HelpApp.h"
#include "frmMain.h"

#include "sys/FamilyRegister.h"
#include "sys/SettingsStore.h"

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

// ---------------------------------------------------------------------------------------
// The help program

class HelpTextsTest : public ::testing::Test {
protected:
    HelpTextsTest()
    {
        root = QDir(dir.path()).canonicalPath();
        browserFolder = root + QStringLiteral("/opt/Corvane/");
        helpFolder = root + QStringLiteral("/opt/Corvane/Help/");
        QDir().mkpath(helpFolder);
        QDir().mkpath(root + QStringLiteral("/usr"));
        testsupport::writeFile(browserFolder + QStringLiteral("Corvane.exe"), "#!");
        testsupport::writeFile(helpFolder + QStringLiteral("CorvaneHelp.exe"), "#!");
        const QString settings = root + QStringLiteral("/config/Tavolin.ini");
        namespace fam = sys::family;
        sys::SettingsStore store(settings);
        store.set(fam::lastIndexSection(), fam::lastIndexKey(), fam::encodeLastIndex(0));
        store.set(fam::memberNamesSection(), fam::memberKey(0), QStringLiteral("Corvane"));
        store.set(fam::memberFoldersSection(), fam::memberKey(0), browserFolder);

        corvanehelp::HelpConfig cfg;
        cfg.mode = vb::Runtime::Mode::Test;
        sys::MountSource mounts;
        mounts.readMountInfo = [] { return std::optional<QByteArray>("20 0 8:1 / / rw - ext4 /dev/sda1 rw\n"); };
        mounts.sysRoot = root + QStringLiteral("/sys");
        mounts.canonicalPath = [](const QString& p) { return p; };
        cfg.mounts = mounts;
        cfg.settingsPath = settings;
        cfg.socketFolder = root + QStringLiteral("/sockets");
        QDir().mkpath(cfg.socketFolder);
        QFile::setPermissions(cfg.socketFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        cfg.currentFolder = helpFolder;
        cfg.systemFolder = root + QStringLiteral("/usr/");
        cfg.launcher.startDetached = [](const QString&, const QStringList&, const QString&) { return false; };
        cfg.launcher.openUrl = [](const QUrl&) { return false; };
        cfg.launcher.openSettingsApplet = [](sys::SettingsApplet) { return sys::SettingsAppletStart{.started = true, .tried = {}, .installed = true}; };
        app = std::make_unique<corvanehelp::HelpApp>(cfg);
        app->rt.setScreen({1280 * 15, 1024 * 15, 15, 15});
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& f) {
            ++messages;
            texts.add(QStringLiteral("message ") + app->msg.MessageId, formTexts(f));
            corvanehelp::MessageOKDone(*app);
        });
    }
    ~HelpTextsTest() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    corvanehelp::frmMain& w() const { return app->window(); }
    void read(const QString& where) { texts.addForms(where, app->rt); }

    QTemporaryDir dir;
    QString root;
    QString browserFolder;
    QString helpFolder;
    std::unique_ptr<corvanehelp::HelpApp> app;
    TextCollector texts;
    int messages = 0;
};

TEST_F(HelpTextsTest, NoTextOfTheHelpProgramNamesAWindowsComponent)
{
    ASSERT_NO_THROW(corvanehelp::Main(*app));
    ASSERT_EQ(messages, 0);
    read(QStringLiteral("overview"));

    // Every topic, each stepped one walked to its last step.
    w().CommandTopic.click();
    for (int topic = 1; topic <= 12; ++topic) {
        w().OptionTopic[topic].click();
        ASSERT_EQ(app->topic.TopicIndex, topic);
        read(QStringLiteral("topic %1").arg(topic));
        for (int step = 0; step < 5 && w().ImageGoContinue.isEnabled() && w().FrameGo.isVisible(); ++step) {
            w().ImageGoContinue.click();
            read(QStringLiteral("topic %1 step %2").arg(topic).arg(app->topic.StepNumber));
        }
    }
    // Every page of the imitation, from the topic that shows it.
    for (int p = int(corvanehelp::TopicPage::MainButtons); p <= int(corvanehelp::TopicPage::FullHideBrowsers); ++p) {
        const auto page = static_cast<corvanehelp::TopicPage>(p);
        const int topic = p <= int(corvanehelp::TopicPage::Exit)          ? 5
                          : p <= int(corvanehelp::TopicPage::NavGo)       ? 6
                          : p <= int(corvanehelp::TopicPage::BrowserSelect) ? 7
                          : p <= int(corvanehelp::TopicPage::TabsClose)   ? 8
                                                                          : 9;
        w().OptionTopic[topic].click();
        app->topics->TopicPageShow(page);
        read(corvanehelp::TopicPageProcedure(page));
    }

    // Every row of both catalogues, and an error report.
    const int before = messages;
    int rows = 0;
    for (const corvanehelp::MessageRow& row : corvanehelp::StartupMessageRows(*app)) {
        ++rows;
        app->msg.MessageId = row.id;
        corvanehelp::StartupMessageShow(*app);
    }
    for (const corvanehelp::MessageRow& row : corvanehelp::ParentMessageRows(*app)) {
        ++rows;
        app->msg.MessageId = row.id;
        corvanehelp::ParentMessageShow(*app);
    }
    ++rows;
    app->msg.MessageId = QStringLiteral("MessageOnMoveGetFamily");
    corvanehelp::ErrorReportShow(*app);
    EXPECT_EQ(messages - before, rows);

    for (const char* sample : {"Show Topic", "Help On Help", "System Requirements", "Main Control", "Rfrsh",
                               "Button : Tools || Set Display Properties", "Uninstallation and Update",
                               "Corvane - A Simple", "To set Screen Resolution", "Could not run the program.",
                               "Just include the following message in your email"})
        EXPECT_TRUE(texts.has(QString::fromLatin1(sample))) << sample;
    texts.expectNoWindowsWords();
}

} // namespace
