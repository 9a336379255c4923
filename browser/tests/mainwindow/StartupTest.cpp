// The browser's start-up from the outside in: the screen check, the drive it is started
// from, the start folder, the nickname prompt, the window title, the first page, the state
// of the browser set afterwards, and a data folder that cannot be created.

#include "StartupFixture.h"

#include "ActiveVelmora.h"
#include "BrowserState.h"
#include "Constants.h"

#include "sys/FamilyRegister.h"
#include "sys/SettingsStore.h"

#include <QFileInfo>

#include <functional>

using namespace corvane;
using namespace corvanetest;
using namespace Qt::StringLiterals;

namespace {

// Every file and folder under path, relative to it (sorted).
QStringList treeOf(const QString& path)
{
    QStringList out;
    QDir base(path);
    std::function<void(const QString&)> walk = [&](const QString& sub) {
        const QDir d(base.filePath(sub));
        for (const QFileInfo& fi : d.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
            const QString rel = sub.isEmpty() ? fi.fileName() : sub + u'/' + fi.fileName();
            out << rel;
            if (fi.isDir())
                walk(rel);
        }
    };
    walk(QString());
    return out;
}

} // namespace

// --- the screen ---------------------------------------------------------------------------

class ScreenTest : public StartupFixture {};

TEST_F(ScreenTest, ExactlyTheLimitsPassAndOneTwipLessWarnsButStartsAnyway)
{
    struct Case {
        int width, height;
        bool warns;
    };
    const Case cases[] = {{15000, 10600, false}, {14999, 10600, true}, {15000, 10599, true}, {20000, 16000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        app.reset();
        shown.clear();
        mainWindowAtMessage.clear();
        screen = vb::ScreenMetrics{c.width, c.height, 15, 15};
        storeNickname(u"Ana"_s);
        ASSERT_TRUE(startFromDisk());
        EXPECT_EQ(shown.contains(u"MessageWrongScreen"_s), c.warns);
        if (c.warns) {
            // Shown first, before any window, and the start-up went on to the end.
            EXPECT_EQ(shown.value(0), u"MessageWrongScreen"_s);
            EXPECT_FALSE(mainWindowAtMessage.value(0));
        }
        ASSERT_TRUE(app->mainForm);
        EXPECT_TRUE(main().isVisible());
        EXPECT_FALSE(app->prog.StartupShowing);
        ASSERT_NE(engineOf(0), nullptr);
        EXPECT_EQ(engineOf(0)->navigations().size(), 1);
        testsupport::flushDeferredDeletes();
    }
}

TEST_F(ScreenTest, TwipsPerPixelComeFromTheScreenWhetherItIsLargeEnoughOrNot)
{
    makeApp();
    app->rt.setScreen(vb::ScreenMetrics{1920 * 12, 1200 * 12, 12, 10});
    ScreenSizeCheck(*app);
    EXPECT_EQ(app->prog.TwipsPerPixelX, 12);
    EXPECT_EQ(app->prog.TwipsPerPixelY, 10);
    EXPECT_TRUE(shown.isEmpty());

    app->rt.setScreen(vb::ScreenMetrics{640 * 20, 480 * 20, 20, 20});
    ScreenSizeCheck(*app);
    EXPECT_EQ(app->prog.TwipsPerPixelX, 20);
    EXPECT_EQ(app->prog.TwipsPerPixelY, 20);
    EXPECT_EQ(shown, QStringList{u"MessageWrongScreen"_s});
}

// --- the drive ----------------------------------------------------------------------------

class DriveTest : public StartupFixture {};

TEST_F(DriveTest, ANetworkDriveIsRefusedAndNothingIsWritten)
{
    secondDrive = DriveKind::Network;
    EXPECT_FALSE(startFromDrive());
    EXPECT_EQ(shown, QStringList{u"MessageMediaUnknown"_s});
    EXPECT_EQ(app->prog.DriveKind, u"Remote"_s);
    EXPECT_FALSE(app->mainForm);
    EXPECT_EQ(treeOf(drive), (QStringList{u"Tools"_s, u"Tools/Corvane.exe"_s}));
    EXPECT_FALSE(QFileInfo::exists(storePath()));
    EXPECT_EQ(engines->createdEngines(), 0);
}

TEST_F(DriveTest, ACdIsRefusedAndNothingIsWritten)
{
    secondDrive = DriveKind::CdRom;
    EXPECT_FALSE(startFromDrive());
    EXPECT_EQ(shown, QStringList{u"MessageMediaCDROM"_s});
    EXPECT_EQ(app->prog.DriveKind, u"CDRom"_s);
    EXPECT_FALSE(app->mainForm);
    EXPECT_EQ(treeOf(drive), (QStringList{u"Tools"_s, u"Tools/Corvane.exe"_s}));
    EXPECT_FALSE(QFileInfo::exists(storePath()));
}

TEST_F(DriveTest, AFolderNoMountHoldsIsAnUnknownDriveAndIsRefused)
{
    // A drive type is read from the mount table; a path outside every mount is "Unknown".
    makeApp();
    EXPECT_EQ(DriveTypeNameGet(*app, u"relative/folder"_s), u"Unknown"_s);
    EXPECT_EQ(DriveTypeNameGet(*app, drive + u"/"_s), u"Removable"_s);
    EXPECT_EQ(DriveTypeNameGet(*app, u"/"_s), u"Fixed"_s);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(DriveTest, AnUnreadableMountTableEndsTheProgramWithTheRuntimeMessage)
{
    mountTableReadable = false;
    storeNickname(u"Ana"_s);
    EXPECT_FALSE(startFromDisk());
    EXPECT_EQ(shown, QStringList{u"MessageNeedSriptRuntime"_s});
    EXPECT_FALSE(app->mainForm);
    EXPECT_FALSE(QFileInfo::exists(diskFolder + u"/Corvane"_s));
}

TEST_F(DriveTest, ARamDiskTakesTheRemovableRoad)
{
    secondDrive = DriveKind::RamDisk;
    ASSERT_TRUE(startFromDrive());
    EXPECT_EQ(app->prog.DriveKind, u"RAMDisk"_s);
    EXPECT_TRUE(app->prog.OnMedia);
    EXPECT_TRUE(shown.isEmpty()); // no nickname prompt off a fixed disk
    // The register lives on the drive, not in the settings store.
    EXPECT_TRUE(QFileInfo::exists(drive + u"/Velmora/VajanGuru.Velmora"_s));
    EXPECT_TRUE(sys::SettingsStore(storePath()).get(sys::family::memberNamesSection(), sys::family::memberKey(0)).isEmpty());
    EXPECT_TRUE(QFileInfo(drive + u"/Tools/Corvane"_s).isDir());
    EXPECT_EQ(app->prog.SettingsFilePath, drive + u"/Tools/Corvane/Set.Velmora"_s);
}

TEST_F(DriveTest, ARemovableStickTakesTheRemovableRoad)
{
    secondDrive = DriveKind::Removable;
    ASSERT_TRUE(startFromDrive());
    EXPECT_EQ(app->prog.DriveKind, u"Removable"_s);
    EXPECT_TRUE(app->prog.OnMedia);
    EXPECT_TRUE(QFileInfo::exists(drive + u"/Velmora/SankhyaGuru.Velmora"_s));
}

TEST_F(DriveTest, ASecondFixedDiskTakesTheFixedRoad)
{
    secondDrive = DriveKind::FixedSecondDisk;
    storeNickname(u"Ana"_s);
    ASSERT_TRUE(startFromDrive());
    EXPECT_EQ(app->prog.DriveKind, u"Fixed"_s);
    EXPECT_FALSE(app->prog.OnMedia);
    EXPECT_FALSE(QFileInfo::exists(drive + u"/Velmora"_s));
    const sys::SettingsStore store(storePath());
    EXPECT_EQ(store.get(sys::family::memberNamesSection(), sys::family::memberKey(0)), u"Corvane"_s);
    EXPECT_EQ(store.get(sys::family::memberFoldersSection(), sys::family::memberKey(0)), drive + u"/Tools/"_s);
}

// --- the start folder -------------------------------------------------------------------

class StartFolderTest : public StartupFixture {};

TEST_F(StartFolderTest, AtADriveRootNoSecondSlashIsAdded)
{
    ASSERT_TRUE(startFromDrive(QString()));
    const ProgramVars& p = app->prog;
    EXPECT_EQ(p.OwnFolder, drive + u"/"_s);
    EXPECT_EQ(p.OwnRoot, drive + u"/"_s);
    EXPECT_EQ(p.PickerFolder, drive + u"/"_s);
    EXPECT_EQ(p.OwnDriveLetter, drive);
    EXPECT_EQ(app->reg.DataBaseFolder, drive + u"/"_s);
    EXPECT_EQ(p.SettingsFilePath, drive + u"/Corvane/Set.Velmora"_s);
    EXPECT_EQ(p.NotesFilePath, drive + u"/Corvane/Note.Velmora"_s);
    EXPECT_TRUE(QFileInfo(drive + u"/Corvane"_s).isDir());
    EXPECT_TRUE(QFileInfo(drive + u"/Velmora"_s).isDir());
}

TEST_F(StartFolderTest, TheFileSystemRootIsItsOwnStartFolder)
{
    makeApp();
    ASSERT_TRUE(StartFolderRead(*app, u"/"_s));
    EXPECT_EQ(app->prog.OwnFolder, u"/"_s);
    EXPECT_EQ(app->prog.OwnRoot, u"/"_s);
    EXPECT_EQ(app->prog.OwnDriveLetter, u"/"_s);
}

TEST_F(StartFolderTest, TheWorkingFolderNotTheProgramFolderDecides)
{
    // The executable sits in the program folder, but the start (a shortcut with another
    // working folder) is from a folder of the stick that holds no Corvane.exe.
    placeExe(root + u"/prog"_s);
    const QString elsewhere = drive + u"/Documents"_s;
    QDir().mkpath(elsewhere);
    EXPECT_FALSE(start(elsewhere));
    EXPECT_EQ(app->prog.OwnFolder, elsewhere + u"/"_s);
    EXPECT_EQ(app->prog.DriveKind, u"Removable"_s); // the stick's type, not the fixed disk's
    EXPECT_EQ(shown, QStringList{u"MessageMyPathNotFound"_s});
    EXPECT_FALSE(app->mainForm);
    EXPECT_FALSE(QFileInfo::exists(elsewhere + u"/Corvane"_s));
}

// --- the nickname prompt and the title --------------------------------------------------

class NicknameTest : public StartupFixture {};

TEST_F(NicknameTest, AFixedDiskStartWithoutANameAsksOnceBeforeTheWindow)
{
    ASSERT_TRUE(startFromDisk());
    EXPECT_EQ(shown, QStringList{u"MessageGetUserName"_s});
    EXPECT_EQ(mainWindowAtMessage, QList<bool>{false});
    EXPECT_EQ(sys::SettingsStore(storePath()).get(u"NidraBhanga"_s, u"NickName"_s), u"Ana"_s);
    EXPECT_EQ(main().caption(), u"Corvane - Ana"_s);
}

TEST_F(NicknameTest, CancelKeepsTheDefaultNameAndTheBareTitle)
{
    cancelNickname = true;
    ASSERT_TRUE(startFromDisk());
    EXPECT_EQ(shown, QStringList{u"MessageGetUserName"_s});
    EXPECT_EQ(sys::SettingsStore(storePath()).get(u"NidraBhanga"_s, u"NickName"_s), u"myFriend"_s);
    EXPECT_EQ(main().caption(), u"Corvane"_s);
}

TEST_F(NicknameTest, AStoredNameIsNotAskedForAgain)
{
    storeNickname(u"Bo"_s);
    ASSERT_TRUE(startFromDisk());
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(main().caption(), u"Corvane - Bo"_s);
}

TEST_F(NicknameTest, ARemovableStartNeverAsks)
{
    for (DriveKind kind : {DriveKind::Removable, DriveKind::RamDisk}) {
        app.reset();
        shown.clear();
        secondDrive = kind;
        ASSERT_TRUE(startFromDrive());
        EXPECT_TRUE(shown.isEmpty());
        EXPECT_TRUE(sys::SettingsStore(storePath()).get(u"NidraBhanga"_s, u"NickName"_s).isEmpty());
        EXPECT_EQ(main().caption(), u"Corvane"_s);
        testsupport::flushDeferredDeletes();
    }
}

TEST_F(NicknameTest, TheTitleNamesTheUserUnlessTheNameIsTheDefaultOrEmpty)
{
    makeApp();
    const std::pair<QString, QString> cases[] = {
        {u"myFriend"_s, u"Corvane"_s},
        {QString(), u"Corvane"_s},
        {u"Ana"_s, u"Corvane - Ana"_s},
        {u"myfriend"_s, u"Corvane - myfriend"_s}, // the comparison is exact
        {u"myFriends"_s, u"Corvane - myFriends"_s},
    };
    for (const auto& [nick, title] : cases) {
        app->profile.Nickname = nick;
        EXPECT_EQ(MainWindowTitleMake(*app), title) << nick.toStdString();
    }
}

// --- the first page and the browser set ---------------------------------------------------

class FirstPageTest : public StartupFixture {};

TEST_F(FirstPageTest, BrowserOneGoesToItsHomePageAndNoOtherBrowserStartsAnEngine)
{
    const QStringList homes{u"http://one.example/"_s, u"http://two.example/"_s, u"http://three.example/"_s,
                            u"http://four.example/"_s, u"http://five.example/"_s, u"http://six.example/"_s};
    ASSERT_TRUE(testsupport::writeFile(diskFolder + u"/Corvane/Set.Velmora"_s, settingsFile(5, homes)));
    storeNickname(u"Ana"_s);
    ASSERT_TRUE(startFromDisk());

    ASSERT_NE(engineOf(0), nullptr);
    EXPECT_EQ(engineOf(0)->navigations(), QStringList{homes[0]});
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(main().WebBrowser.exists(i)) << i;
        EXPECT_FALSE(main().WebBrowser[i].hasEngine()) << i;
        EXPECT_TRUE(app->set.MainBrowserNotShown[size_t(i)]) << i;
    }
    EXPECT_FALSE(app->set.MainBrowserNotShown[0]);
    EXPECT_EQ(engines->createdEngines(), 1);
    EXPECT_TRUE(app->set.PopupGuard);
    EXPECT_FALSE(app->prog.StartupShowing);
}

TEST_F(FirstPageTest, WithoutASettingsFileTheHomePageIsTheProductPage)
{
    storeNickname(u"Ana"_s);
    ASSERT_TRUE(startFromDisk());
    ASSERT_NE(engineOf(0), nullptr);
    EXPECT_EQ(engineOf(0)->navigations(), QStringList{productPage(root + u"/prog/"_s, u"Corvane"_s)});
    EXPECT_TRUE(engineOf(0)->navigations().value(0).startsWith(u"file:///"_s));
}

TEST_F(FirstPageTest, RightAfterStartUpBrowserOneIsCurrentAndNothingIsOpenOrPending)
{
    ASSERT_TRUE(testsupport::writeFile(diskFolder + u"/Corvane/Set.Velmora"_s,
                                       settingsFile(3, {u"http://a.example/"_s}, 0, 5)));
    storeNickname(u"Ana"_s);
    ASSERT_TRUE(startFromDisk());
    const BrowserSet& s = app->set;
    EXPECT_TRUE(s.MainBrowserCurrent);
    EXPECT_FALSE(s.TabBrowserCurrent);
    EXPECT_FALSE(s.BookmarkBrowserCurrent);
    EXPECT_EQ(s.MainBrowserIndex, 0);
    EXPECT_EQ(s.TabCurrentIndex, 0);
    EXPECT_EQ(s.TabCount, 0);
    EXPECT_EQ(s.TabLastIndex, 0);
    EXPECT_TRUE(s.TabSlotUsed[0]);
    for (int i = 1; i <= MaxTabs; ++i)
        EXPECT_FALSE(s.TabSlotUsed[size_t(i)]) << i;
    EXPECT_EQ(s.MenuOpenIndex, -1);
    for (int i = 0; i <= 5; ++i)
        EXPECT_FALSE(main().FrameMenu[i].isVisible()) << i;
    EXPECT_EQ(s.BrowserReturnIndex, -1);
    EXPECT_FALSE(s.ReturnIsMain);
    EXPECT_FALSE(s.ReturnIsTab);
    EXPECT_FALSE(s.FullWindowMode);
    EXPECT_EQ(s.BarIndex, 0);
    EXPECT_EQ(s.TopBandHeight, 76);
    EXPECT_EQ(s.LoadingBrowserIndex, -1);
    EXPECT_EQ(s.TabLoadingIndex, -1);
    EXPECT_TRUE(s.TabListAutoShow);
    EXPECT_TRUE(s.PageMenuFollowsOption);
    EXPECT_EQ(s.HistoryLastIndex, 19);
    EXPECT_EQ(s.MainBrowserLastLoaded, 3);
    // History mask 5: browsers 1 and 3 keep their lists.
    const std::array<bool, 6> keeps{true, false, true, false, false, false};
    EXPECT_EQ(s.MainBrowserKeepsHistory, keeps);
    // Only the current browser is on screen.
    EXPECT_TRUE(main().WebBrowser[0].isVisible());
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(main().WebBrowser[i].isVisible()) << i;
}

TEST_F(FirstPageTest, ThePageMenuIsPinnedAtStartWhenTheOptionSaysSo)
{
    ASSERT_TRUE(testsupport::writeFile(diskFolder + u"/Corvane/Set.Velmora"_s,
                                       settingsFile(0, {u"http://a.example/"_s}, 0, 0, true)));
    storeNickname(u"Ana"_s);
    ASSERT_TRUE(startFromDisk());
    EXPECT_TRUE(main().FrameMenu[0].isVisible());
    EXPECT_EQ(app->set.MenuOpenIndex, 0);
    for (int i = 1; i <= 5; ++i)
        EXPECT_FALSE(main().FrameMenu[i].isVisible()) << i;
}

TEST(HistoryMask, SetsTheBitsItHasAndNeverClearsOne)
{
    BrowserSet s;
    HistoryMaskUnpack(s, 0);
    EXPECT_EQ(s.MainBrowserKeepsHistory, (std::array<bool, 6>{}));
    HistoryMaskUnpack(s, 5);
    EXPECT_EQ(s.MainBrowserKeepsHistory, (std::array<bool, 6>{true, false, true, false, false, false}));
    HistoryMaskUnpack(s, 32 + 2);
    EXPECT_EQ(s.MainBrowserKeepsHistory, (std::array<bool, 6>{true, true, true, false, false, true}));
    HistoryMaskUnpack(s, 0);
    EXPECT_EQ(s.MainBrowserKeepsHistory, (std::array<bool, 6>{true, true, true, false, false, true}));
}

// --- a data folder that cannot be created ----------------------------------------------

class DataFolderTest : public StartupFixture {};

TEST_F(DataFolderTest, AFileInItsPlaceLeavesTheDataInMemoryAndTheExitTellsWhatWasNotSaved)
{
    struct Road {
        bool media;
        QString folder;
    };
    for (const Road& road : {Road{false, diskFolder}, Road{true, drive + u"/Tools"_s}}) {
        SCOPED_TRACE(road.media ? "removable drive" : "fixed disk");
        app.reset();
        shown.clear();
        storeNickname(u"Ana"_s);
        QDir().mkpath(road.folder);
        // Where the data folder belongs there is a file (a write-protected stick or a
        // read-only folder behave the same for the program: the folder cannot be made).
        const QString blocker = road.folder + u"/Corvane"_s;
        ASSERT_TRUE(testsupport::writeFile(blocker, "not a folder"));
        ASSERT_TRUE(road.media ? startFromDrive() : startFromDisk());
        EXPECT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
        ASSERT_TRUE(app->mainForm);
        EXPECT_TRUE(main().isVisible());
        ASSERT_NE(engineOf(0), nullptr);
        EXPECT_EQ(engineOf(0)->navigations().size(), 1);

        // The lists live in memory: a bookmark can be added and the exit still ends cleanly.
        app->hid.ComboMarkName.AddItem(u"Kept"_s);
        app->hid.ComboMarkAddress.AddItem(u"http://kept.example/"_s);
        app->lists.BookmarkLastIndex = 0;
        app->lists.NotesChanged = true;
        app->opt.HistoryMask = 1;
        EXPECT_THROW(main().CommandExit.click(), vb::ProgramEnded);
        EXPECT_EQ(shown, QStringList{u"MessageErSaveSetVelmora"_s});
        EXPECT_EQ(app->opt.ExitCount, 1);
        EXPECT_TRUE(QFileInfo(blocker).isFile());
        EXPECT_EQ(testsupport::readFile(blocker), QByteArray("not a folder"));
        // Nothing else appeared beside the program.
        EXPECT_EQ(QDir(road.folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                  (QStringList{u"Corvane"_s, u"Corvane.exe"_s}));
        testsupport::flushDeferredDeletes();
    }
}

TEST_F(DataFolderTest, AWriteProtectedStickStartsWithItsDataInMemory)
{
    // Neither the register folder at the drive's root nor the data folder can be made.
    ASSERT_TRUE(testsupport::writeFile(drive + u"/Velmora"_s, "not a folder"));
    ASSERT_TRUE(testsupport::writeFile(drive + u"/Tools/Corvane"_s, "not a folder"));
    ASSERT_TRUE(startFromDrive());
    ASSERT_TRUE(app->mainForm);
    EXPECT_TRUE(main().isVisible());
    ASSERT_NE(engineOf(0), nullptr);
    EXPECT_EQ(engineOf(0)->navigations().size(), 1);
    EXPECT_EQ(app->reg.DataBaseFolder, drive + u"/Tools/"_s);
    // The register's failures are reported (and only those); none ends the program.
    for (const QString& id : std::as_const(shown))
        EXPECT_TRUE(id.startsWith(u"Bug-Corvane-OnMoveFamily"_s)) << id.toStdString();
    EXPECT_THROW(main().CommandExit.click(), vb::ProgramEnded);
    EXPECT_EQ(testsupport::readFile(drive + u"/Velmora"_s), QByteArray("not a folder"));
    EXPECT_EQ(testsupport::readFile(drive + u"/Tools/Corvane"_s), QByteArray("not a folder"));
}
