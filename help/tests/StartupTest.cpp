// Start-up: one copy at a time, the screen, the system folder, the drives, and the help
// window on the overview at the end.

#include "HelpFixture.h"

#include "ActiveHelp.h"

#include "sys/WindowFinder.h"

namespace helptest {

namespace {

class StartupTest : public HelpFixture {};

// A start from the fixed disk with the browser registered and everything in place.
TEST_F(StartupTest, FixedDiskStartShowsTheOverviewWithTheActivateButton)
{
    exe(browserFolder, QStringLiteral("Corvane"));
    exe(helpFolder, QStringLiteral("CorvaneHelp"));
    registerBrowser(0, browserFolder);
    ASSERT_TRUE(start(helpFolder));

    EXPECT_TRUE(shown.empty());
    const auto& prog = app->prog;
    EXPECT_EQ(prog.OwnFolder, helpFolder);
    EXPECT_EQ(prog.OwnRoot, QStringLiteral("/"));
    EXPECT_EQ(prog.DriveKind, QStringLiteral("Fixed"));
    EXPECT_FALSE(prog.OnMedia);
    EXPECT_EQ(prog.OwnExePath, helpFolder + QStringLiteral("CorvaneHelp.exe"));
    EXPECT_EQ(prog.VersionText, QStringLiteral("Version 1.2"));
    EXPECT_FALSE(prog.StartupShowing);
    EXPECT_TRUE(prog.ParentAvailable);

    corvanehelp::frmMain& w = window();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.caption(), QStringLiteral("Help - Corvane"));
    EXPECT_TRUE(w.CommandActivate.isVisible());
    EXPECT_EQ(w.LabelActivate.caption(), QStringLiteral("Activate - Corvane"));
    EXPECT_EQ(w.LabelParent[0].caption(), QStringLiteral("To activate Corvane please press :"));
    EXPECT_EQ(w.LabelParent[1].caption(), QStringLiteral("Activate - Corvane"));
    // The overview: the help panel instead of the list, the main window's picture.
    EXPECT_EQ(app->topic.TopicIndex, 0);
    EXPECT_TRUE(w.OptionTopic[0].value());
    EXPECT_TRUE(w.FrameHelp.isVisible());
    EXPECT_FALSE(w.FrameTopic.isVisible());
    EXPECT_FALSE(w.FrameHide.isVisible());
    EXPECT_TRUE(w.FrameIntro[10].isVisible());
    EXPECT_EQ(w.FrameInfo.caption(), QStringLiteral("Details Frame"));
    EXPECT_TRUE(w.LabelInfo.caption().startsWith(QStringLiteral("Main window of Corvane is shown above.")));
    // The application title is the name the browser looks for.
    EXPECT_EQ(app->rt.title(), QStringLiteral("CorvaneHelp"));
    EXPECT_TRUE(sys::windowExists(sockets, QStringLiteral("CorvaneHelp")));
}

TEST_F(StartupTest, ScreenOfTheSmallestSizePassesAndOneTwipLessEnds)
{
    exe(helpFolder, QStringLiteral("CorvaneHelp"));
    screen = {11500, 8500, 15, 15};
    EXPECT_TRUE(start(helpFolder));
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageParentNotPresent")});

    for (const vb::ScreenMetrics& small : {vb::ScreenMetrics{11499, 8500, 15, 15}, vb::ScreenMetrics{11500, 8499, 15, 15}}) {
        app.reset();
        shown.clear();
        screen = small;
        EXPECT_FALSE(start(helpFolder));
        EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageSmallScreen")});
        EXPECT_TRUE(shown.front().body.startsWith(QStringLiteral("To run the Program Screen Resolution must be 800/600 or higher.")));
        EXPECT_FALSE(app->mainForm);
    }
}

TEST_F(StartupTest, SystemFolderAndEveryFolderBelowItAreRefused)
{
    const QString below = systemFolder + QStringLiteral("lib/tools/");
    QDir().mkpath(below);
    for (const QString& folder : {systemFolder, below, systemFolder.chopped(1)}) {
        app.reset();
        shown.clear();
        EXPECT_FALSE(start(folder)) << folder.toStdString();
        EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageProgInSystem")});
        EXPECT_FALSE(QFileInfo::exists(settingsPath()));
    }
}

TEST_F(StartupTest, FoldersBesideTheSystemFolderAreNotRefused)
{
    // A name that only begins like it, and (paths being case-sensitive) another folder.
    for (const QString& folder : {root + QStringLiteral("/usrx/"), root + QStringLiteral("/USR/")}) {
        QDir().mkpath(folder);
        exe(folder, QStringLiteral("CorvaneHelp"));
        app.reset();
        shown.clear();
        EXPECT_TRUE(start(folder)) << folder.toStdString();
        EXPECT_FALSE(shownIds().contains(QStringLiteral("MessageProgInSystem")));
    }
}

TEST_F(StartupTest, WithoutASystemFolderNothingIsRefused)
{
    // An empty prefix must not match every folder.
    systemFolder.clear();
    exe(helpFolder, QStringLiteral("CorvaneHelp"));
    EXPECT_TRUE(start(helpFolder));
    EXPECT_EQ(app->prog.WinFolder, QString());
}

TEST_F(StartupTest, CdDriveIsRefused)
{
    secondDrive = DriveKind::CdRom;
    exe(drive + QStringLiteral("/"), QStringLiteral("CorvaneHelp"));
    EXPECT_FALSE(start(drive));
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageMediaCDRom")});
    EXPECT_FALSE(QFileInfo::exists(drive + QStringLiteral("/Velmora")));
}

TEST_F(StartupTest, NetworkAndUnknownDrivesAreRefused)
{
    secondDrive = DriveKind::Network;
    EXPECT_FALSE(start(drive));
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageWrongMedia")});

    // No mount holds the folder.
    app.reset();
    shown.clear();
    secondDrive = DriveKind::Removable;
    rootMounted = false;
    EXPECT_FALSE(start(helpFolder));
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageWrongMedia")});
    EXPECT_FALSE(QFileInfo::exists(settingsPath()));
}

TEST_F(StartupTest, UnreadableMountTableEndsWithTheRuntimeMessage)
{
    mountTableReadable = false;
    EXPECT_FALSE(start(helpFolder));
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageNeedSriptRuntime")});
}

TEST_F(StartupTest, RamDiskTakesTheRemovableRoad)
{
    secondDrive = DriveKind::RamDisk;
    const QString folder = drive + QStringLiteral("/Help/");
    QDir().mkpath(folder);
    exe(folder, QStringLiteral("CorvaneHelp"));
    ASSERT_TRUE(start(folder));
    EXPECT_EQ(app->prog.DriveKind, QStringLiteral("RAMDisk"));
    EXPECT_TRUE(app->prog.OnMedia);
    EXPECT_EQ(app->prog.OwnRoot, drive + QStringLiteral("/"));
    EXPECT_TRUE(QFileInfo::exists(countFile()));
    // No messages on this road, and no profile is read.
    EXPECT_TRUE(shown.empty());
}

TEST_F(StartupTest, SecondCopyBringsTheFirstToTheFrontAndEnds)
{
    exe(helpFolder, QStringLiteral("CorvaneHelp"));
    ASSERT_TRUE(start(helpFolder));
    std::unique_ptr<corvanehelp::HelpApp> first = std::move(app);
    shown.clear();
    // The user had minimised the first copy's window.
    ASSERT_TRUE(first->mainForm && first->mainForm->window()->isVisible());
    first->mainForm->window()->showMinimized();
    ASSERT_EQ(first->mainForm->windowState(), vb::Minimized);
    int activated = 0;
    auto frontOfFirst = first->beacon.onActivate;
    first->beacon.onActivate = [&] {
        ++activated;
        frontOfFirst();
    };

    EXPECT_FALSE(start(helpFolder));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(app->mainForm);
    // While it looked, the second copy did not answer to the first one's name.
    EXPECT_EQ(app->rt.title(), QStringLiteral("BypassThisInstance"));
    EXPECT_TRUE(testsupport::waitFor([&] { return activated == 1; }, 5000));
    EXPECT_FALSE(first->mainForm->window()->isMinimized());
    EXPECT_EQ(first->mainForm->windowState(), vb::Normal);

    // Once the first copy has gone, a new start is the copy to be found.
    app.reset();
    first.reset();
    ASSERT_TRUE(start(helpFolder));
    EXPECT_EQ(app->rt.title(), QStringLiteral("CorvaneHelp"));
}

TEST_F(StartupTest, RegisterMessagesComeBeforeTheWindow)
{
    exe(helpFolder, QStringLiteral("CorvaneHelp"));
    ASSERT_TRUE(start(helpFolder));
    ASSERT_EQ(mainWindowAtMessage.size(), 1u);
    EXPECT_FALSE(mainWindowAtMessage.front());
    EXPECT_FALSE(window().CommandActivate.isVisible());
    EXPECT_FALSE(window().LabelParent[0].isVisible());
}

TEST_F(StartupTest, WindowIsPlacedByTheScreenSize)
{
    // The window sits on whole pixels: 700 twips read back as 705.
    auto near = [](int twips, int expected) { return std::abs(twips - expected) < vb::TwipsPerPixel; };
    exe(helpFolder, QStringLiteral("CorvaneHelp"));
    screen = {13000, 10000, 15, 15};
    ASSERT_TRUE(start(helpFolder));
    EXPECT_TRUE(near(window().top(), 700)) << window().top();
    EXPECT_TRUE(near(window().left(), 700)) << window().left();

    app.reset();
    screen = {12999, 9999, 15, 15};
    ASSERT_TRUE(start(helpFolder));
    EXPECT_TRUE(near(window().top(), 400)) << window().top();
    EXPECT_TRUE(near(window().left(), 400)) << window().left();
}

TEST_F(StartupTest, ClosingTheWindowEndsTheProgram)
{
    exe(helpFolder, QStringLiteral("CorvaneHelp"));
    ASSERT_TRUE(start(helpFolder));
    EXPECT_THROW(window().CommandExit.click(), vb::ProgramEnded);

    app.reset();
    ASSERT_TRUE(start(helpFolder));
    EXPECT_THROW(window().unload(vb::FormControlMenu), vb::ProgramEnded);
}

} // namespace

} // namespace helptest
