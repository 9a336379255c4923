#pragma once
// The whole start-up in test mode over a temporary machine: a fixed disk at "/" and a
// second drive (removable stick, RAM disk, network share or CD, as the test says) named by
// an injected mount table; a settings store in the temporary folder; the scripted engine
// unless the test installs another; the process's current directory set to the start folder
// for the run. Every message is recorded and answered with OK; the nickname prompt gets the
// answer the test chose.

#include "CorvaneApp.h"
#include "FirstRun.h"
#include "frmMain.h"
#include "frmMessage.h"

#include "web/ScriptedWebEngine.h"

#include "ProgramStart.h"
#include "TestApp.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace corvanetest {

class StartupFixture : public ::testing::Test {
protected:
    enum class DriveKind { Removable, RamDisk, Network, CdRom, FixedSecondDisk };

    StartupFixture()
    {
        // The current directory reads back link-resolved: build every path the same way.
        root = QDir(dir.path()).canonicalPath();
        drive = root + QStringLiteral("/media/stick");
        diskFolder = root + QStringLiteral("/opt/Corvane");
        QDir().mkpath(drive);
        QDir().mkpath(diskFolder);
        // The stick's disk says it is removable; its partition links to a folder below it.
        testsupport::writeFile(root + QStringLiteral("/sys/devices/sdb/removable"), "1\n");
        testsupport::writeFile(root + QStringLiteral("/sys/devices/sdb/sdb1/partition"), "1\n");
        QDir().mkpath(root + QStringLiteral("/sys/dev/block"));
        QFile::link(root + QStringLiteral("/sys/devices/sdb/sdb1"), root + QStringLiteral("/sys/dev/block/8:17"));
    }

    ~StartupFixture() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    static QByteArray mountLine(const QString& point, const char* majorMinor, const char* fs, const char* source)
    {
        return "21 20 " + QByteArray(majorMinor) + " / " + point.toUtf8() + " rw - " + fs + ' ' + source + " rw\n";
    }

    sys::MountSource mounts() const
    {
        QByteArray table = "20 0 8:1 / / rw - ext4 /dev/sda1 rw\n";
        switch (secondDrive) {
        case DriveKind::Removable:
            table += mountLine(drive, "8:17", "vfat", "/dev/sdb1");
            break;
        case DriveKind::RamDisk:
            table += mountLine(drive, "0:44", "tmpfs", "tmpfs");
            break;
        case DriveKind::Network:
            table += mountLine(drive, "0:52", "nfs4", "server:/export");
            break;
        case DriveKind::CdRom:
            table += mountLine(drive, "11:0", "iso9660", "/dev/sr0");
            break;
        case DriveKind::FixedSecondDisk:
            table += mountLine(drive, "8:33", "ext4", "/dev/sdc1");
            break;
        }
        sys::MountSource s = mountTable(table, root + QStringLiteral("/sys"));
        if (!mountTableReadable)
            s.readMountInfo = [] { return std::optional<QByteArray>(); };
        return s;
    }

    // Builds the application object (call before touching app); Main is not run yet.
    void makeApp()
    {
        corvane::AppConfig cfg = testAppConfig(root);
        cfg.mounts = mounts();
        app = std::make_unique<corvane::CorvaneApp>(std::move(cfg));
        auto engine = std::make_unique<vb::ScriptedWebEngineFactory>();
        engines = engine.get();
        app->rt.setWebEngine(std::move(engine));
        app->rt.setScreen(screen);
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& f) {
            auto& m = static_cast<corvane::frmMessage&>(f);
            shown << app->msg.MessageId;
            shownBodies << app->msg.MessageBody;
            mainWindowAtMessage << bool(app->mainForm);
            if (app->msg.MessageId == QLatin1String("MessageGetUserName")) {
                if (cancelNickname) {
                    m.CommandMsgCancel.click();
                    return;
                }
                m.TextInput0.type(nicknameAnswer);
            }
            m.CommandMsgOK.click();
        });
    }

    // Puts the browsers on another engine (after makeApp, before the start-up).
    void useEngine(std::unique_ptr<vb::WebEngineFactory> factory)
    {
        engines = nullptr;
        app->rt.setWebEngine(std::move(factory));
    }

    // Runs the start-up from folder (the process's current directory for the run). Returns
    // false when the program ended (after a fatal message).
    bool start(const QString& folder)
    {
        if (!app)
            makeApp();
        return runStartUp(*app, folder);
    }

    // The browser's executable in folder (any content will do).
    static void placeExe(const QString& folder)
    {
        ASSERT_TRUE(testsupport::writeFile(folder + QStringLiteral("/Corvane.exe"), "#!"));
    }

    // Starts from the fixed disk's program folder.
    bool startFromDisk()
    {
        placeExe(diskFolder);
        return start(diskFolder);
    }

    // Starts from a folder on the second drive (its root when sub is empty).
    bool startFromDrive(const QString& sub = QStringLiteral("Tools"))
    {
        const QString folder = sub.isEmpty() ? drive : drive + QLatin1Char('/') + sub;
        QDir().mkpath(folder);
        placeExe(folder);
        return start(folder);
    }

    // Where testAppConfig puts the settings store.
    QString storePath() const { return root + QStringLiteral("/config/Tavolin.ini"); }

    void storeNickname(const QString& name)
    {
        sys::SettingsStore(storePath()).set(QStringLiteral("NidraBhanga"), QStringLiteral("NickName"), name);
    }

    // A settings file of the current form: 15 items, one a line.
    static QByteArray settingsFile(int mainBrowserLastIndex, const QStringList& homePages, int exitCount = 0,
                                   int historyMask = 0, bool showPageButtons = false)
    {
        QByteArray s;
        auto num = [&s](int n) { s += QByteArray::number(n) + "\r\n"; };
        num(exitCount);
        num(historyMask);
        num(-1);                       // bookmark last index
        num(showPageButtons ? 1 : 0);  // show Page buttons
        num(0);                        // new window separate
        num(-1);                       // notes last index
        num(0);                        // show notes
        num(0);                        // reserved
        num(mainBrowserLastIndex);
        for (int i = 0; i < 6; ++i)
            s += '"' + homePages.value(i).toUtf8() + "\"\r\n";
        return s;
    }

    // The first item of a settings file: the exit count.
    static int exitCountIn(const QString& settingsPath)
    {
        const QByteArray data = testsupport::readFile(settingsPath);
        bool ok = false;
        const int n = data.left(data.indexOf('\r')).trimmed().toInt(&ok);
        return ok ? n : -999;
    }

    corvane::frmMain& main() const { return *app->mainForm; }

    // The scripted engine of main browser i (nullptr when it has none).
    vb::ScriptedWebEngine* engineOf(int i) const
    {
        const vb::WebBrowser* b = app->mainForm->WebBrowser.find(i);
        return b ? engines->engineFor(*b) : nullptr;
    }

    QTemporaryDir dir;
    QString root;
    QString drive;
    QString diskFolder;
    DriveKind secondDrive = DriveKind::Removable;
    bool mountTableReadable = true;
    vb::ScreenMetrics screen{1280 * 15, 1024 * 15, 15, 15};
    QString nicknameAnswer = QStringLiteral("Ana");
    bool cancelNickname = false;

    std::unique_ptr<corvane::CorvaneApp> app;
    vb::ScriptedWebEngineFactory* engines = nullptr;
    QStringList shown;                 // ids of the messages shown, in order
    QStringList shownBodies;           // and their texts
    QList<bool> mainWindowAtMessage;   // whether the main window existed at each message
};

} // namespace corvanetest
