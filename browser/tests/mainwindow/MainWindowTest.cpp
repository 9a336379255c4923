// The main window as start-up leaves it: the layout of the browser rectangle and the band,
// the user picture, the browser selectors, what a removable drive disables, a picture
// that cannot be loaded, the counting of exits and the timers.

#include "StartupFixture.h"

#include "ActiveVelmora.h"
#include "BrowserState.h"
#include "ControlButton.h"

#include "sys/SettingsStore.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QImage>

using namespace corvane;
using namespace corvanetest;
using namespace Qt::StringLiterals;
using testsupport::samePicture;

namespace {

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rect& r)
{
    return os << '(' << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ')';
}

Rect rectOf(const vb::Control& c)
{
    return Rect{c.left(), c.top(), c.width(), c.height()};
}

} // namespace

class MainWindowTest : public StartupFixture {
protected:
    // A fixed-disk start with a stored nickname and the given settings file.
    void startWith(int mainBrowserLastIndex = 0, int exitCount = 0, int historyMask = 0)
    {
        ASSERT_TRUE(testsupport::writeFile(diskFolder + u"/Corvane/Set.Velmora"_s,
                                           settingsFile(mainBrowserLastIndex, {u"http://home.example/"_s}, exitCount,
                                                        historyMask)));
        storeNickname(u"Ana"_s);
        ASSERT_TRUE(startFromDisk());
        ASSERT_TRUE(app->mainForm);
    }

    // The window's outer size in pixels, as the user would drag it.
    void resizeWindow(int width, int height)
    {
        main().setWindowState(vb::Normal);
        main().move(0, 0, width * 15, height * 15);
    }

    // Browser 1 finishes its first page, so that a page may ask for a new window.
    void finishFirstPage() { engineOf(0)->completeNavigation(u"http://home.example/"_s); }

    // The current page asks for a new window: a tab opens and loads address.
    vb::WebBrowser* openTab(const QString& address)
    {
        vb::ScriptedWebEngine* from = nullptr;
        if (app->set.TabBrowserCurrent)
            from = engines->engineFor(main().BrowserNew[app->set.TabCurrentIndex]);
        else
            from = engineOf(app->set.MainBrowserIndex);
        if (!from)
            return nullptr;
        vb::WebBrowser* tab = from->fireNewWindow2();
        if (!tab)
            return nullptr;
        if (vb::ScriptedWebEngine* e = engines->engineFor(*tab))
            e->completeNavigation(address);
        return tab;
    }

    QString settingsPath() const { return diskFolder + u"/Corvane/Set.Velmora"_s; }
};

// --- layout --------------------------------------------------------------------------------

// The full-window bar's progress bar and busy picture stand in that bar, and the Controls
// bar's current-browser label in the Controls bar: in full-window mode the normal band is
// hidden with everything in it.
TEST_F(MainWindowTest, EachBarHasItsOwnProgressBarBusyPictureAndLabel)
{
    startWith();
    finishFirstPage();
    EXPECT_EQ(main().ProgressBrow[0].widget()->parentWidget(), main().FrameBigLocation.widget());
    EXPECT_EQ(main().ImageBusy[0].widget()->parentWidget(), main().FrameBigLocation.widget());
    EXPECT_EQ(main().ProgressBrow[1].widget()->parentWidget(), main().FrameCommon.widget());
    EXPECT_EQ(main().ImageBusy[1].widget()->parentWidget(), main().FrameCommon.widget());
    EXPECT_EQ(main().LabelCurrentBrowser[1].widget()->parentWidget(), main().FrameOne.widget());
}

TEST_F(MainWindowTest, A1024By768WindowWithoutTabs)
{
    startWith();
    finishFirstPage();
    resizeWindow(1024, 768);
    const BrowserSet& s = app->set;
    EXPECT_EQ(s.MainWindowWidth, 1024);
    EXPECT_EQ(s.MainWindowHeight, 768);
    EXPECT_EQ(s.TopBandHeight, 76);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 76, 1016, 660}));
    EXPECT_EQ(rectOf(main().FrameBigMain), (Rect{0, 0, 1016, 76}));
    // The browser fills the client area exactly.
    EXPECT_EQ(main().scaleWidth(), 1016);
    EXPECT_EQ(main().scaleHeight(), 736);
    EXPECT_EQ(main().WebBrowser[0].pixelRect(), QRect(0, 76, 1016, 660));
    // The Exit frame stands 30 twips from the band's right edge.
    EXPECT_EQ(main().FrameExit.left(), 1016 * 15 - (main().FrameExit.width() + 30));
}

TEST_F(MainWindowTest, A1024By768WindowWithATabSlotInUse)
{
    startWith();
    finishFirstPage();
    resizeWindow(1024, 768);
    EXPECT_EQ(main().ImageUser.width(), 1260); // no tab: the small picture
    vb::WebBrowser* tab = openTab(u"http://tab.example/"_s);
    ASSERT_NE(tab, nullptr);
    const BrowserSet& s = app->set;
    ASSERT_TRUE(s.TabBrowserCurrent);
    EXPECT_EQ(s.TabLastIndex, 1);
    EXPECT_EQ(s.TopBandHeight, 108);
    EXPECT_EQ(main().FrameBigMain.height(), 108);
    EXPECT_EQ(main().LineNoUse[0].y2(), 108 * 15);
    EXPECT_EQ(rectOf(*tab), (Rect{0, 108, 1016, 628}));
    EXPECT_TRUE(tab->isVisible());
    EXPECT_FALSE(main().WebBrowser[0].isVisible());
    // The band grew: the user picture was laid out again for one tab.
    EXPECT_FALSE(s.PictureLayoutPending);
    EXPECT_EQ(main().ImageUser.width(), 1890);
    EXPECT_EQ(main().ImageUser.height(), 1260);

    // A resize keeps the tab layout.
    resizeWindow(1000, 700);
    resizeWindow(1024, 768);
    EXPECT_EQ(rectOf(*tab), (Rect{0, 108, 1016, 628}));
}

TEST_F(MainWindowTest, A1024By768WindowInFullWindowMode)
{
    startWith();
    finishFirstPage();
    resizeWindow(1024, 768);
    FullWindowSet(*app, true);
    const BrowserSet& s = app->set;
    EXPECT_TRUE(s.FullWindowMode);
    EXPECT_EQ(s.BarIndex, 1);
    EXPECT_EQ(s.TopBandHeight, 0);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 0, 1016, 736}));
    EXPECT_FALSE(main().FrameBigMain.isVisible());
    EXPECT_TRUE(main().FrameCommon.isVisible());
    EXPECT_TRUE(main().FrameZero.isVisible());

    // A resize in full-window mode keeps the browsers at the top.
    resizeWindow(1000, 600);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 0, 992, 568}));
    resizeWindow(1024, 768);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 0, 1016, 736}));

    // A tab opened in full-window mode lays the hidden band out for tabs, and the browsers
    // still start at the top, also after a resize.
    vb::WebBrowser* tab = openTab(u"http://tab.example/"_s);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(s.TopBandHeight, 108);
    EXPECT_EQ(rectOf(*tab), (Rect{0, 0, 1016, 736}));
    resizeWindow(900, 600);
    resizeWindow(1024, 768);
    EXPECT_EQ(rectOf(*tab), (Rect{0, 0, 1016, 736}));
    main().CommandWebComClose[0].click();
    ASSERT_TRUE(s.MainBrowserCurrent);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 0, 1016, 736}));

    // Entering again does not move the browser; leaving brings the band back.
    main().WebBrowser[0].move(5, 5, 100, 100);
    FullWindowSet(*app, true);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{5, 5, 100, 100}));
    FullWindowSet(*app, false);
    EXPECT_FALSE(s.FullWindowMode);
    EXPECT_EQ(s.BarIndex, 0);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 76, 1016, 660}));
    EXPECT_TRUE(main().FrameBigMain.isVisible());
    EXPECT_FALSE(main().FrameCommon.isVisible());
    EXPECT_FALSE(main().FrameZero.isVisible());
}

TEST_F(MainWindowTest, LeavingFullWindowModeAfterTheLastTabClosedThereBringsTheBandBack)
{
    startWith();
    finishFirstPage();
    resizeWindow(1024, 768);
    ASSERT_NE(openTab(u"http://tab.example/"_s), nullptr);
    FullWindowSet(*app, true);
    // The full-window bar's "All" closes every tab: the band, hidden, is laid out at 0.
    main().CommandWebComClose[0].click();
    const BrowserSet& s = app->set;
    ASSERT_EQ(s.TabCount, 0);
    ASSERT_TRUE(s.MainBrowserCurrent);
    EXPECT_EQ(s.TopBandHeight, 0);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 0, 1016, 736}));

    FullWindowSet(*app, false);
    EXPECT_EQ(s.TopBandHeight, 76);
    EXPECT_TRUE(main().FrameBigMain.isVisible());
    EXPECT_EQ(main().FrameBigMain.height(), 76);
    EXPECT_EQ(main().LineNoUse[0].y2(), 76 * 15);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 76, 1016, 660}));
    // The picture was laid out for the band without tabs.
    EXPECT_EQ(main().ImageUser.width(), 1260);
    EXPECT_EQ(main().FrameUser.height(), 1095);
}

TEST_F(MainWindowTest, LeavingFullWindowModeAfterAResizeThereBringsTheBandBack)
{
    startWith();
    finishFirstPage();
    resizeWindow(1024, 768);
    FullWindowSet(*app, true);
    resizeWindow(1000, 700); // the hidden band is laid out at height 0
    FullWindowSet(*app, false);
    EXPECT_EQ(app->set.TopBandHeight, 76);
    EXPECT_EQ(main().FrameBigMain.height(), 76);
    EXPECT_EQ(rectOf(main().WebBrowser[0]), (Rect{0, 76, 992, 700 - 76 - 32}));
}

TEST_F(MainWindowTest, AWindowShownAtTheSizeItAlreadyHasIsLaidOutToo)
{
    // A screen whose maximised client area equals the window's size before it is shown (a
    // 1024 x 768 screen without panels, for the window's design size): showing it raises
    // no resize, and still the browsers must fill the window.
    makeApp();
    BrowserStateInit(app->set, app->opt, app->lists);
    app->opt.MainBrowserHomePages[0] = u"http://home.example/"_s;
    auto* f = &app->rt.create<frmMain>(*app);
    app->mainForm = f;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    // The program measures that screen too (a window keeps no smallest size beyond it).
    app->rt.setScreen({(area.width() + 8) * 15, (area.height() + 32) * 15, 15, 15});
    f->move(0, 0, (area.width() + 8) * 15, (area.height() + 32) * 15);
    f->load();
    f->show();
    EXPECT_EQ(f->scaleWidth(), area.width());
    EXPECT_EQ(f->scaleHeight(), area.height());
    EXPECT_EQ(app->set.MainWindowWidth, area.width() + 8);
    EXPECT_EQ(app->set.MainWindowHeight, area.height() + 32);
    const Rect filled{0, 76, area.width(), area.height() - 76};
    EXPECT_EQ(rectOf(f->WebBrowser[0]), filled);
    EXPECT_EQ(rectOf(f->FrameBigMain), (Rect{0, 0, area.width(), 76}));
    // The first page keeps it there.
    f->WebBrowser[0].navigate(app->opt.MainBrowserHomePages[0]);
    engineOf(0)->completeNavigation(u"http://home.example/"_s);
    EXPECT_EQ(rectOf(f->WebBrowser[0]), filled);
}

TEST_F(MainWindowTest, TheUserPictureIsLargeForOneToFourteenTabSlotsAndSmallOtherwise)
{
    startWith();
    for (int highest = 0; highest <= 24; ++highest) {
        SCOPED_TRACE(highest);
        app->set.PictureLayoutPending = true;
        UserPictureLayout(*app, highest);
        EXPECT_FALSE(app->set.PictureLayoutPending);
        if (highest >= 1 && highest <= 14) {
            EXPECT_EQ(main().ImageUser.width(), 1890);
            EXPECT_EQ(main().ImageUser.height(), 1260);
            EXPECT_EQ(main().FrameUser.width(), 2175);
            EXPECT_EQ(main().FrameUser.height(), 15 * 108 - 60);
        } else {
            EXPECT_EQ(main().ImageUser.width(), 1260);
            EXPECT_EQ(main().ImageUser.height(), 840);
            EXPECT_EQ(main().FrameUser.width(), 1455);
            EXPECT_EQ(main().FrameUser.height(), 1095);
        }
        // The picture stays inside its frame.
        EXPECT_LE(main().ImageUser.left() + main().ImageUser.width(), main().FrameUser.width());
        EXPECT_LE(main().ImageUser.top() + main().ImageUser.height(), main().FrameUser.height());
    }
}

// --- menus --------------------------------------------------------------------------------

TEST_F(MainWindowTest, ClosingAMenuReopensThePageMenuWhenTheOptionSaysSoUnlessTheTabListIsPinned)
{
    ASSERT_TRUE(testsupport::writeFile(settingsPath(), settingsFile(0, {u"http://home.example/"_s}, 0, 0, true)));
    storeNickname(u"Ana"_s);
    ASSERT_TRUE(startFromDisk());
    finishFirstPage();
    frmMain& f = main();
    BrowserSet& s = app->set;
    const QPixmap open = f.BButton[3].picture();
    const QPixmap closed = f.BButton[0].picture();

    // The Tools menu was open; closing it brings the pinned Page menu back.
    f.FrameMenu[0].setVisible(false);
    f.FrameMenu[3].setVisible(true);
    s.MenuOpenIndex = 3;
    MenuClose(*app, 3);
    EXPECT_FALSE(f.FrameMenu[3].isVisible());
    EXPECT_TRUE(samePicture(f.CommandMenu[3].picture(), closed));
    EXPECT_TRUE(f.FrameMenu[0].isVisible());
    EXPECT_TRUE(samePicture(f.CommandMenu[0].picture(), open));
    EXPECT_EQ(s.MenuOpenIndex, 0);
    EXPECT_FALSE(f.FrameMenu[5].isVisible());

    // With a tab current the Tab List shows by itself and the Page menu stays closed.
    ASSERT_NE(openTab(u"http://tab.example/"_s), nullptr);
    EXPECT_TRUE(f.FrameMenu[5].isVisible());
    EXPECT_FALSE(f.FrameMenu[0].isVisible());
    // It hangs just above the browsers, but never higher than 32.
    EXPECT_EQ(f.FrameMenu[5].top(), std::max(32, 108 - (f.FrameMenu[5].height() + 3)));
    f.FrameMenu[3].setVisible(true);
    s.MenuOpenIndex = 3;
    MenuClose(*app, 3);
    EXPECT_TRUE(f.FrameMenu[5].isVisible());
    EXPECT_EQ(s.MenuOpenIndex, 5);
    EXPECT_FALSE(f.FrameMenu[0].isVisible());

    // In full-window mode nothing is pinned.
    FullWindowSet(*app, true);
    for (int i = 0; i <= 5; ++i)
        EXPECT_FALSE(f.FrameMenu[i].isVisible()) << i;
    f.FrameMenu[3].setVisible(true);
    s.MenuOpenIndex = 3;
    MenuClose(*app, 3);
    for (int i = 0; i <= 5; ++i)
        EXPECT_FALSE(f.FrameMenu[i].isVisible()) << i;
    EXPECT_EQ(s.MenuOpenIndex, -1);
}

TEST_F(MainWindowTest, ATabOpenedInFullWindowModeDoesNotShowTheTabList)
{
    startWith();
    finishFirstPage();
    FullWindowSet(*app, true);
    ASSERT_NE(openTab(u"http://tab.example/"_s), nullptr);
    EXPECT_TRUE(app->set.TabBrowserCurrent);
    EXPECT_FALSE(main().FrameMenu[5].isVisible());
    // Back in normal mode the Tab List follows the tab.
    FullWindowSet(*app, false);
    EXPECT_TRUE(main().FrameMenu[5].isVisible());
    EXPECT_EQ(app->set.TopBandHeight, 108);
    EXPECT_EQ(main().FrameBigMain.height(), 108);
}

// --- browser selectors ------------------------------------------------------------------

TEST_F(MainWindowTest, WithOneBrowserNoSelectorIsShown)
{
    startWith(0);
    const frmMain& f = main();
    for (int i = 0; i <= 5; ++i) {
        EXPECT_FALSE(f.CommandShowBrowser[i].isVisible()) << i;
        EXPECT_FALSE(f.LabelShowBrowser[i].isVisible()) << i;
        EXPECT_FALSE(f.CommandBrowser[i].isVisible()) << i;
        EXPECT_FALSE(f.LabelBrowser[i].isVisible()) << i;
    }
    EXPECT_FALSE(f.FrameShowBrowser.isVisible());
    EXPECT_EQ(f.FrameShowBrowser.width(), 840);
    EXPECT_EQ(f.WebBrowser.indices(), std::vector<int>{0});
    EXPECT_EQ(app->set.MainBrowserLastLoaded, 0);
    finishFirstPage();
    EXPECT_FALSE(f.CommandOne[7].isEnabled()); // the Controls bar's Browser item
}

TEST_F(MainWindowTest, WithSixBrowsersEverySelectorIsShownAndTheCurrentOneStandsOut)
{
    startWith(5);
    frmMain& f = main();
    for (int i = 0; i <= 5; ++i) {
        EXPECT_TRUE(f.CommandShowBrowser[i].isVisible()) << i;
        EXPECT_TRUE(f.LabelShowBrowser[i].isVisible()) << i;
        EXPECT_TRUE(f.CommandBrowser[i].isVisible()) << i;
        EXPECT_TRUE(f.LabelBrowser[i].isVisible()) << i;
        EXPECT_EQ(f.LabelShowBrowser[i].backStyle(), i == 0 ? 1 : 0) << i;
    }
    EXPECT_TRUE(f.FrameShowBrowser.isVisible());
    EXPECT_EQ(f.FrameShowBrowser.width(), 3315);
    EXPECT_EQ(f.WebBrowser.indices(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(app->set.MainBrowserLastLoaded, 5);

    // Dressed with browser #3 current, its number is the highlighted one.
    app->set.MainBrowserIndex = 2;
    f.SetMainLook();
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(f.LabelShowBrowser[i].backStyle(), i == 2 ? 1 : 0) << i;
}

TEST_F(MainWindowTest, ThreeBrowsersShowThreeSelectors)
{
    startWith(2);
    for (int i = 0; i <= 5; ++i) {
        EXPECT_EQ(main().CommandShowBrowser[i].isVisible(), i <= 2) << i;
        EXPECT_EQ(main().CommandBrowser[i].isVisible(), i <= 2) << i;
    }
    EXPECT_EQ(main().FrameShowBrowser.width(), 2 * 495 + 840);
}

// --- removable drive --------------------------------------------------------------------

TEST_F(MainWindowTest, ARemovableStartDisablesTheMachineSettingsButHidesNothing)
{
    for (bool media : {true, false}) {
        SCOPED_TRACE(media ? "removable drive" : "fixed disk");
        app.reset();
        storeNickname(u"Ana"_s);
        ASSERT_TRUE(media ? startFromDrive() : startFromDisk());
        frmMain& f = main();
        const QPixmap disabledFace = f.BButton[2].picture();
        std::vector<vb::CommandButton*> ruled{&f.CommandMenu[2], &f.CommandTools[1], &f.CommandTools[2],
                                              &f.CommandTools[3], &f.CommandChoice[1], &f.CommandChoice[2]};
        for (vb::CommandButton* b : ruled) {
            EXPECT_TRUE(b->isVisible());
            EXPECT_EQ(b->isEnabled(), !media);
            EXPECT_TRUE(samePicture(b->disabledPicture(), disabledFace));
            if (media)
                EXPECT_TRUE(samePicture(b->currentFace(), disabledFace));
            else
                EXPECT_FALSE(samePicture(b->currentFace(), disabledFace));
        }
        // The other menus and items stay as they are.
        for (int i : {0, 1, 3, 4}) {
            EXPECT_TRUE(f.CommandMenu[i].isEnabled()) << i;
            EXPECT_TRUE(f.CommandMenu[i].isVisible()) << i;
        }
        for (int i = 1; i <= 3; ++i) {
            EXPECT_TRUE(f.CommandView[i].isEnabled()) << i;
            EXPECT_TRUE(f.LabelView[i].isVisible()) << i;
            EXPECT_TRUE(f.LabelTools[i].isVisible()) << i;
        }
        EXPECT_TRUE(f.CommandTools[0].isEnabled());
        EXPECT_TRUE(f.CommandChoice[0].isEnabled());
        EXPECT_TRUE(f.LabelChoice[1].isVisible());
        EXPECT_TRUE(f.LabelChoice[2].isVisible());
        testsupport::flushDeferredDeletes();
    }
}

TEST_F(MainWindowTest, TheRunButtonShowsOnlyWhenAnotherProgramIsRegistered)
{
    startWith();
    EXPECT_FALSE(main().CommandRun.isVisible());
    EXPECT_FALSE(main().LabelRun.isVisible());
    // Nor does the Controls bar of full-window mode offer it.
    EXPECT_FALSE(main().CommandOne[9].isVisible());
    EXPECT_FALSE(main().LabelOne[9].isVisible());

    // A fellow program on the stick: the Run button appears.
    app.reset();
    const QString fellow = drive + u"/Apps/"_s;
    placeExe(drive + u"/Tools"_s);
    ASSERT_TRUE(testsupport::writeFile(fellow + u"Fellow.exe"_s, "#!"));
    ASSERT_TRUE(testsupport::writeFile(drive + u"/Velmora/VajanGuru.Velmora"_s,
                                       "\"Fellow\",\"" + fellow.toUtf8() + "\"\r\n"));
    ASSERT_TRUE(testsupport::writeFile(drive + u"/Velmora/SankhyaGuru.Velmora"_s, "0\r\n-1\r\n"));
    ASSERT_TRUE(startFromDrive());
    EXPECT_EQ(app->reg.FamilyRunLast, 0);
    EXPECT_TRUE(main().CommandRun.isVisible());
    EXPECT_TRUE(main().LabelRun.isVisible());
    EXPECT_TRUE(main().CommandOne[9].isVisible());
    EXPECT_TRUE(main().LabelOne[9].isVisible());
    EXPECT_EQ(main().OptionRun[0].caption(), u"Fellow"_s);
}

// --- the user picture at start ----------------------------------------------------------

class UserPictureTest : public MainWindowTest {
protected:
    QString writePicture(const QString& name)
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = root + u"/pictures/"_s + name;
        QDir().mkpath(root + u"/pictures"_s);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    void storePicture(const QString& path, const QString& caption)
    {
        sys::SettingsStore store(storePath());
        store.set(u"NidraBhanga"_s, u"UserPic"_s, path);
        store.set(u"NidraBhanga"_s, u"PicCaption"_s, caption);
    }
    void expectNoPicture()
    {
        const frmMain& f = main();
        EXPECT_TRUE(f.ImageUser.picture().isNull());
        EXPECT_TRUE(f.ImageBigUser.picture().isNull());
        EXPECT_EQ(f.FrameUser.borderStyle(), 0);
        EXPECT_TRUE(f.FrameUser.caption().isEmpty());
        EXPECT_TRUE(app->profile.UserPicturePath.isEmpty());
        EXPECT_TRUE(app->profile.UserPictureCaption.isEmpty());
    }
};

TEST_F(UserPictureTest, APictureIsShownWithItsCaptionAndBorder)
{
    const QString path = writePicture(u"me.bmp"_s);
    storePicture(path, u"Me"_s);
    startWith();
    const frmMain& f = main();
    EXPECT_FALSE(f.ImageUser.picture().isNull());
    EXPECT_FALSE(f.ImageBigUser.picture().isNull());
    EXPECT_EQ(f.FrameUser.borderStyle(), 1);
    EXPECT_EQ(f.FrameUser.caption(), u"Me"_s);
    EXPECT_EQ(app->profile.UserPicturePath, path);
    // The banner stops at the picture frame.
    EXPECT_EQ(app->set.AboutBounceMax, f.FrameUser.left() / 15 - f.FrameAbout.width());
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(UserPictureTest, ADeletedPictureFileOpensTheWindowWithoutPictureOrMessage)
{
    const QString path = writePicture(u"gone.bmp"_s);
    storePicture(path, u"Gone"_s);
    ASSERT_TRUE(QFile::remove(path));
    startWith();
    EXPECT_TRUE(shown.isEmpty());
    expectNoPicture();
    // Without a picture the banner may travel up to the Exit frame.
    EXPECT_EQ(app->set.AboutBounceMax, main().FrameExit.left() / 15 - main().FrameAbout.width());
    // The store keeps what the user chose until they choose again.
    const sys::SettingsStore store(storePath());
    EXPECT_EQ(store.get(u"NidraBhanga"_s, u"UserPic"_s), path);
    EXPECT_EQ(store.get(u"NidraBhanga"_s, u"PicCaption"_s), u"Gone"_s);
}

TEST_F(UserPictureTest, AFileThatIsNoPictureOpensTheWindowWithoutPictureOrMessage)
{
    const QString path = root + u"/pictures/text.jpg"_s;
    ASSERT_TRUE(testsupport::writeFile(path, "just some text, not a picture"));
    storePicture(path, u"Text"_s);
    startWith();
    EXPECT_TRUE(shown.isEmpty());
    expectNoPicture();
    EXPECT_EQ(sys::SettingsStore(storePath()).get(u"NidraBhanga"_s, u"UserPic"_s), path);
}

TEST_F(UserPictureTest, ARemovableStartLoadsNoPicture)
{
    storePicture(writePicture(u"me.bmp"_s), u"Me"_s);
    ASSERT_TRUE(startFromDrive());
    expectNoPicture();
}

// --- exits ------------------------------------------------------------------------------

TEST_F(MainWindowTest, TheExitButtonCountsOnceAndTheSettingsWrittenHoldTheNewCount)
{
    // One saved note, in a file written with bare line feeds (the program writes CR LF).
    const QString notes = diskFolder + u"/Corvane/Note.Velmora"_s;
    const QByteArray noteFile = "\"http://noted.example/\",\"Remember this\"\n";
    ASSERT_TRUE(testsupport::writeFile(notes, noteFile));
    QByteArray settings = settingsFile(0, {u"http://home.example/"_s}, 7);
    settings.replace("-1\r\n0\r\n0\r\n0\r\n", "0\r\n0\r\n0\r\n0\r\n"); // notes last index 0
    ASSERT_TRUE(testsupport::writeFile(settingsPath(), settings));
    storeNickname(u"Ana"_s);
    ASSERT_TRUE(startFromDisk());
    ASSERT_EQ(app->hid.ComboNotePage.ListCount(), 1);
    finishFirstPage();
    EXPECT_THROW(main().CommandExit.click(), vb::ProgramEnded);
    EXPECT_EQ(app->opt.ExitCount, 8);
    EXPECT_EQ(exitCountIn(settingsPath()), 8);
    // Nothing changed the notes and no browser keeps history: those files stay as they were.
    EXPECT_EQ(testsupport::readFile(notes), noteFile);
    EXPECT_FALSE(QFileInfo::exists(diskFolder + u"/Corvane/Hist.Velmora"_s));
}

TEST_F(MainWindowTest, ClosingFromTheTitleBarCountsOnce)
{
    startWith(0, 7);
    finishFirstPage();
    // What the window's close event hands to the form (the end of the program is thrown
    // here, and must not unwind through the toolkit's own close).
    EXPECT_THROW(main().windowCloseRequested(), vb::ProgramEnded);
    EXPECT_EQ(app->opt.ExitCount, 8);
    EXPECT_EQ(exitCountIn(settingsPath()), 8);
}

TEST_F(MainWindowTest, AClosingSessionIsNotCountedButSavesEverything)
{
    startWith(0, 7, 1);
    finishFirstPage();
    // Browser 1 keeps history and has a site in it.
    app->hid.ComboLocation[0].AddItem(u"http://visited.example/"_s);
    EXPECT_THROW(main().unload(vb::AppWindows), vb::ProgramEnded);
    EXPECT_EQ(app->opt.ExitCount, 7);
    EXPECT_EQ(exitCountIn(settingsPath()), 7);
    EXPECT_TRUE(testsupport::readFile(diskFolder + u"/Corvane/Hist.Velmora"_s).startsWith("\"http://visited.example/\""));
}

TEST_F(MainWindowTest, TheCountKeepsGrowingFromRunToRun)
{
    startWith(0, 41);
    EXPECT_THROW(main().CommandExit.click(), vb::ProgramEnded);
    app.reset();
    testsupport::flushDeferredDeletes();
    ASSERT_TRUE(startFromDisk());
    EXPECT_EQ(app->opt.ExitCount, 42);
    EXPECT_THROW(main().windowCloseRequested(), vb::ProgramEnded);
    EXPECT_EQ(exitCountIn(settingsPath()), 43);
}

// --- timers ------------------------------------------------------------------------------

TEST_F(MainWindowTest, NoTimerRunsWhileNothingLoads)
{
    startWith(5);
    frmMain& f = main();
    auto running = [&f] {
        return QStringList{f.TimerMainFrame.isRunning() ? u"TimerMainFrame"_s : QString(),
                           f.TimerMainAbout.isRunning() ? u"TimerMainAbout"_s : QString(),
                           f.TimerMainBrow.isRunning() ? u"TimerMainBrow"_s : QString()}
            .join(QString());
    };
    EXPECT_EQ(running(), QString()) << "after start-up";

    // The busy animation runs from the shown browser's DownloadBegin to its DownloadComplete.
    vb::ScriptedWebEngine* e = engineOf(0);
    e->fireBeforeNavigate2();
    e->fireDownloadBegin();
    EXPECT_EQ(running(), u"TimerMainBrow"_s);
    e->fireProgressChange(50, 100);
    e->fireNavigateComplete2(u"http://home.example/"_s);
    e->fireDownloadComplete();
    EXPECT_EQ(running(), QString()) << "after the first page";

    // Full-window mode and back start nothing either.
    FullWindowSet(*app, true);
    FullWindowSet(*app, false);
    EXPECT_EQ(running(), QString()) << "after full-window mode";

    // Left alone for a while (five ticks of the fast timers), the window runs none of them:
    // nothing started later from the event loop either.
    QStringList ticks;
    for (auto [timer, name] : {std::pair{&f.TimerMainFrame, u"TimerMainFrame"_s}, std::pair{&f.TimerMainAbout, u"TimerMainAbout"_s},
                               std::pair{&f.TimerMainBrow, u"TimerMainBrow"_s}}) {
        timer->onTimer = [&ticks, name, tick = timer->onTimer] {
            ticks << name;
            if (tick)
                tick();
        };
    }
    QTest::qWait(100);
    EXPECT_EQ(ticks, QStringList());
    EXPECT_EQ(running(), QString());
}
