#pragma once
// The help program in test mode over a temporary machine: a fixed disk at "/" and a second
// drive (removable stick, RAM disk, network share or CD, as the test says) named by an
// injected mount table; the system folder root/usr/; a settings store and the family's
// socket folder in the temporary folder; a launcher that records what it is asked to
// start. Every message is recorded and answered with OK.

#include "FirstRun.h"
#include "HelpApp.h"
#include "TopicEngine.h"
#include "frmMain.h"
#include "frmMessage.h"

#include "sys/FamilyRegister.h"
#include "sys/SettingsStore.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <vector>

namespace helptest {

using corvanehelp::TopicPage;

// Records the pages the window asks for, and numbers them as the real pages do.
class RecordingEngine : public corvanehelp::TopicEngine {
public:
    using TopicEngine::TopicEngine;

    void TopicPageShow(TopicPage page) override
    {
        pages << corvanehelp::TopicPageProcedure(page);
        const auto it = stepOf().find(page);
        if (it != stepOf().end())
            app.topic.StepNumber = it->second;
    }

    static const std::map<TopicPage, int>& stepOf()
    {
        static const std::map<TopicPage, int> steps = {
            {TopicPage::MainButtons, 0}, {TopicPage::PageButton, 1}, {TopicPage::PageBookmark, 2},
            {TopicPage::PageKeepNote, 3}, {TopicPage::PageSetHome, 4}, {TopicPage::PageSave, 5},
            {TopicPage::PagePrint, 6}, {TopicPage::OpenButton, 7}, {TopicPage::OpenFile, 8},
            {TopicPage::OpenNewTab, 9}, {TopicPage::OpenNewBrowser, 10}, {TopicPage::OpenBookmarks, 11},
            {TopicPage::BookmarkControls, 12}, {TopicPage::ViewButton, 13}, {TopicPage::ViewNote, 14},
            {TopicPage::ViewChoices, 15}, {TopicPage::ViewOptions, 16}, {TopicPage::ChoicesUserName, 17},
            {TopicPage::ChoicesUserPicture, 18}, {TopicPage::ToolsButton, 19}, {TopicPage::ToolsInternetProperties, 20},
            {TopicPage::ToolsDisplayProperties, 21}, {TopicPage::ToolsReportBug, 22}, {TopicPage::HelpButton, 23},
            {TopicPage::HelpHelp, 24}, {TopicPage::HelpWebSite, 25}, {TopicPage::HelpAbout, 26},
            {TopicPage::TabList, 29}, {TopicPage::Run, 30}, {TopicPage::FullWindowButton, 31}, {TopicPage::Exit, 32},
            {TopicPage::Navigation, 0}, {TopicPage::NavBack, 1}, {TopicPage::NavForward, 2}, {TopicPage::NavHome, 3},
            {TopicPage::NavSearch, 4}, {TopicPage::NavRefresh, 5}, {TopicPage::NavStop, 6}, {TopicPage::NavGo, 7},
            {TopicPage::BrowserCurrent, 1}, {TopicPage::BrowserSelect, 2}, {TopicPage::Tabs, 0},
            {TopicPage::TabsTab, 1}, {TopicPage::TabsSelect, 2}, {TopicPage::TabsCloseAll, 3},
            {TopicPage::TabsClose, 4}, {TopicPage::NormalWindow, 11},
        };
        return steps;
    }

    QStringList pages;
};

class HelpFixture : public ::testing::Test {
protected:
    enum class DriveKind { Removable, RamDisk, Network, CdRom };

    struct Launch {
        QString program;
        QStringList args;
        QString folder;
    };

    struct Shown {
        QString id;
        QString head;
        QString body;
        QString caption;
    };

    HelpFixture()
    {
        root = QDir(dir.path()).canonicalPath();
        drive = root + QStringLiteral("/media/stick");
        browserFolder = root + QStringLiteral("/opt/Corvane/");
        helpFolder = root + QStringLiteral("/opt/Tools/");
        sockets = root + QStringLiteral("/sockets");
        systemFolder = root + QStringLiteral("/usr/");
        for (const QString& p : {drive, browserFolder, helpFolder, systemFolder})
            QDir().mkpath(p);
        QDir().mkpath(sockets);
        QFile::setPermissions(sockets, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // The stick's disk says it is removable; its partition links to a folder below it.
        testsupport::writeFile(root + QStringLiteral("/sys/devices/sdb/removable"), "1\n");
        testsupport::writeFile(root + QStringLiteral("/sys/devices/sdb/sdb1/partition"), "1\n");
        QDir().mkpath(root + QStringLiteral("/sys/dev/block"));
        QFile::link(root + QStringLiteral("/sys/devices/sdb/sdb1"), root + QStringLiteral("/sys/dev/block/8:17"));
    }

    ~HelpFixture() override
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
        QByteArray table;
        if (rootMounted)
            table += "20 0 8:1 / / rw - ext4 /dev/sda1 rw\n";
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
        }
        sys::MountSource s;
        const bool readable = mountTableReadable;
        s.readMountInfo = [table, readable] { return readable ? std::optional<QByteArray>(table) : std::nullopt; };
        s.sysRoot = root + QStringLiteral("/sys");
        s.canonicalPath = [](const QString& p) { return p; };
        return s;
    }

    corvanehelp::HelpConfig config(const QString& startFolder)
    {
        corvanehelp::HelpConfig cfg;
        cfg.mode = vb::Runtime::Mode::Test;
        cfg.mounts = mounts();
        cfg.settingsPath = settingsPath();
        cfg.socketFolder = sockets;
        cfg.currentFolder = startFolder;
        cfg.systemFolder = systemFolder;
        cfg.launcher.startDetached = [this](const QString& program, const QStringList& args, const QString& folder) {
            launches.push_back({program, args, folder});
            return launchSucceeds;
        };
        cfg.launcher.openUrl = [](const QUrl&) { return false; };
        cfg.launcher.openSettingsApplet = [](sys::SettingsApplet) { return sys::SettingsAppletStart{.started = true, .tried = {}, .installed = true}; };
        if (recordPages) {
            cfg.topicEngine = [this](corvanehelp::HelpApp& a) {
                auto e = std::make_unique<RecordingEngine>(a);
                engine = e.get();
                return std::unique_ptr<corvanehelp::TopicEngine>(std::move(e));
            };
        }
        return cfg;
    }

    // Builds the application object for a start from startFolder; Main is not run yet.
    void makeApp(const QString& startFolder)
    {
        app = std::make_unique<corvanehelp::HelpApp>(config(startFolder));
        app->rt.setScreen(screen);
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& f) {
            auto& m = static_cast<corvanehelp::frmMessage&>(f);
            shown.push_back({app->msg.MessageId, m.LabelHead.caption(), m.LabelMessage.caption(), m.caption()});
            mainWindowAtMessage.push_back(bool(app->mainForm));
            m.CommandMsgOK.click();
        });
    }

    // Runs the start-up from folder. Returns false when the program ended.
    bool start(const QString& folder)
    {
        if (!app)
            makeApp(folder);
        try {
            corvanehelp::Main(*app);
            return true;
        } catch (const vb::ProgramEnded&) {
            return false;
        }
    }

    corvanehelp::frmMain& window() const { return app->window(); }

    QStringList shownIds() const
    {
        QStringList ids;
        for (const Shown& s : shown)
            ids << s.id;
        return ids;
    }

    QString settingsPath() const { return root + QStringLiteral("/config/Tavolin.ini"); }
    sys::SettingsStore store() const { return sys::SettingsStore(settingsPath()); }

    // folder & name & ".exe"
    static void exe(const QString& folder, const QString& name)
    {
        ASSERT_TRUE(testsupport::writeFile(folder + name + QStringLiteral(".exe"), "#!"));
    }

    // The browser registered as member index of the settings store, last index last.
    void registerBrowser(int index, const QString& folder, int last = -2)
    {
        namespace fam = sys::family;
        sys::SettingsStore s = store();
        s.set(fam::lastIndexSection(), fam::lastIndexKey(), fam::encodeLastIndex(last == -2 ? index : last));
        s.set(fam::memberNamesSection(), fam::memberKey(index), QStringLiteral("Corvane"));
        s.set(fam::memberFoldersSection(), fam::memberKey(index), folder);
    }

    // The register files on the stick.
    QString familyFolder() const { return drive + QStringLiteral("/Velmora/"); }
    QString countFile() const { return familyFolder() + QStringLiteral("SankhyaGuru.Velmora"); }
    QString mainList() const { return familyFolder() + QStringLiteral("VajanGuru.Velmora"); }
    QString helpList() const { return familyFolder() + QStringLiteral("BachanGuru.Velmora"); }

    QTemporaryDir dir;
    QString root;
    QString drive;
    QString browserFolder;  // on the fixed disk
    QString helpFolder;     // on the fixed disk
    QString sockets;
    QString systemFolder;
    DriveKind secondDrive = DriveKind::Removable;
    bool rootMounted = true;
    bool mountTableReadable = true;
    vb::ScreenMetrics screen{1280 * 15, 1024 * 15, 15, 15};
    bool recordPages = false;
    RecordingEngine* engine = nullptr;
    bool launchSucceeds = true;

    std::unique_ptr<corvanehelp::HelpApp> app;
    std::vector<Shown> shown;
    std::vector<bool> mainWindowAtMessage;
    std::vector<Launch> launches;
};

} // namespace helptest
