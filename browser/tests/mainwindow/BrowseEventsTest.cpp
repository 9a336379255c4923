// The browser events of both arrays, fired through the scripted engine: one navigation
// event by event, the progress arithmetic, which browser drives Stop and the busy
// animation, error pages, the pop-up guard, and new windows (slots, the return record,
// browsers not on screen, failures half-way, the 24-tab limit and its message).

#include "BrowseFixture.h"
#include "frmWeb.h"

#include <QTest>

using namespace browsetest;
using namespace corvane;

namespace {

class EventsTest : public ScriptedBrowseTest {
protected:
    vb::ProgressBar& bar(int i = 0) const { return f().ProgressBrow[i]; }
    QString site(int n) const { return QStringLiteral("http://site%1.velmora.example/").arg(n); }
    bool stopOn() const { return f().CommandNavigate[3].isEnabled(); }
    bool comStopOn() const { return f().CommandComNavigate[3].isEnabled(); }
    void stopsOff()
    {
        f().CommandNavigate[3].setEnabled(false);
        f().CommandComNavigate[3].setEnabled(false);
    }
    // Nothing of a new window was made: no tab, no slot, no element.
    void expectNoNewTab(int tabsBefore)
    {
        EXPECT_EQ(s().TabCount, tabsBefore);
        EXPECT_FALSE(f().BrowserNew.exists(tabsBefore + 1));
        EXPECT_FALSE(f().ComboWebLocation.exists(tabsBefore + 1));
    }
};

TEST_F(EventsTest, OneNavigationEventByEvent)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    stopsOff();
    f().ComboLocation.setText(QStringLiteral("www.velmora.example/a.html"));
    f().CommandGo.click();
    EXPECT_EQ(e.lastNavigation(), QStringLiteral("http://www.velmora.example/a.html"));
    EXPECT_TRUE(s().PopupGuard);

    e.fireBeforeNavigate2();
    EXPECT_TRUE(s().PopupGuard);
    EXPECT_TRUE(bar().isVisible());
    EXPECT_EQ(bar().value(), 0);
    EXPECT_FALSE(bar(1).isVisible());

    e.fireDownloadBegin();
    EXPECT_TRUE(stopOn());
    EXPECT_TRUE(comStopOn());
    EXPECT_EQ(s().LoadingBrowserIndex, 0);
    EXPECT_EQ(f().BusyFrame, 5);
    EXPECT_TRUE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(f().TimerMainBrow.interval(), 200);
    // The animation cycles 3, 4, 5.
    for (int expected : {3, 4, 5, 3}) {
        f().TimerMainBrow.fire();
        EXPECT_EQ(f().BusyFrame, expected);
        EXPECT_TRUE(samePicture(f().ImageBusy[0].picture(), f().ImageShow[expected].picture()));
    }

    e.fireProgressChange(0, 100);
    EXPECT_FALSE(bar().isVisible());
    e.fireProgressChange(40, 100);
    EXPECT_TRUE(bar().isVisible());
    EXPECT_EQ(bar().value(), 40);

    f().ImageBack.setEnabled(false);
    e.fireNavigateComplete2(QStringLiteral("http://www.velmora.example/a.html"));
    EXPECT_TRUE(s().MainBrowserHasHistory[0]);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_TRUE(f().ImageBack.isEnabled());
    EXPECT_TRUE(f().ImageComBack.isEnabled());
    EXPECT_TRUE(samePicture(f().ImageBack.picture(), f().NavBack[0].picture()));
    EXPECT_TRUE(samePicture(f().ImageComBack.picture(), f().NavBack[0].picture()));
    // The display ran: the new address, its site listed, the bars hidden.
    EXPECT_EQ(f().ComboLocation.text(), QStringLiteral("http://www.velmora.example/a.html"));
    EXPECT_EQ(f().ComboLocation.items(), QStringList{QStringLiteral("http://www.velmora.example/")});
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    EXPECT_FALSE(bar().isVisible());
    // Still loading.
    EXPECT_TRUE(f().TimerMainBrow.isEnabled());
    EXPECT_TRUE(stopOn());

    e.fireProgressChange(100, 100);
    EXPECT_FALSE(bar().isVisible());
    e.fireDownloadComplete();
    EXPECT_FALSE(stopOn());
    // The full-window bar's Stop is left as it is.
    EXPECT_TRUE(comStopOn());
    EXPECT_EQ(s().LoadingBrowserIndex, -1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(f().BusyFrame, 0);
    EXPECT_TRUE(samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));
}

TEST_F(EventsTest, TheFullWindowBarHasItsOwnProgressBarAndBusyImage)
{
    start();
    FullWindowSet(*app, true);
    ASSERT_EQ(s().BarIndex, 1);
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.fireBeforeNavigate2();
    EXPECT_TRUE(bar(1).isVisible());
    EXPECT_FALSE(bar(0).isVisible());
    e.fireDownloadBegin();
    f().TimerMainBrow.fire();
    EXPECT_TRUE(samePicture(f().ImageBusy[1].picture(), f().ImageShow[3].picture()));
    e.fireProgressChange(25, 100);
    EXPECT_TRUE(bar(1).isVisible());
    EXPECT_EQ(bar(1).value(), 25);
    e.fireNavigateComplete2(site(1));
    e.fireDownloadComplete();
    EXPECT_TRUE(samePicture(f().ImageBusy[1].picture(), f().ImageShow[0].picture()));
}

struct Progress {
    qint32 progress;
    qint32 max;
    int percent; // 0: hidden
};

class ProgressTest : public EventsTest, public ::testing::WithParamInterface<Progress> {};

TEST_P(ProgressTest, PercentRoundedHiddenAtZero)
{
    start();
    const Progress& p = GetParam();
    bar().setVisible(p.percent == 0);
    bar().setValue(p.percent == 0 ? 77 : 0);
    mainEngine(0).fireProgressChange(p.progress, p.max);
    EXPECT_EQ(bar().isVisible(), p.percent != 0);
    EXPECT_EQ(bar().value(), p.percent);
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, ProgressTest,
    ::testing::Values(Progress{0, 0, 0}, Progress{5, 0, 0}, Progress{5, -3, 0}, Progress{-1, 100, 0},
                      Progress{0, 100, 0}, Progress{100, 100, 0}, Progress{150, 100, 0}, Progress{1, 3, 33},
                      Progress{2, 3, 67}, Progress{1, 2, 50},
                      // Halves go to the even neighbour.
                      Progress{1, 8, 12}, Progress{3, 8, 38}, Progress{3, 200, 2}, Progress{1, 200, 0},
                      // Large values neither overflow nor lose the rounding.
                      Progress{2000000000, 2100000000, 95}, Progress{1073741824, 2147483647, 50},
                      Progress{21474836, 2147483647, 1}, Progress{1, 2147483647, 0},
                      Progress{2147483646, 2147483647, 100}, Progress{2147483647, 2147483647, 0}));

TEST_F(EventsTest, OnlyTheBrowserOnScreenDrivesStopAndTheAnimation)
{
    start(1);
    vb::ScriptedWebEngine& hidden = mainEngine(1);
    stopsOff();
    hidden.fireBeforeNavigate2();
    hidden.fireDownloadBegin();
    EXPECT_FALSE(stopOn());
    EXPECT_FALSE(comStopOn());
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(s().LoadingBrowserIndex, -1);
    // Its progress still moves the bar on screen.
    hidden.fireProgressChange(30, 100);
    EXPECT_TRUE(bar().isVisible());
    EXPECT_EQ(bar().value(), 30);

    // While the browser on screen loads, the hidden one's end changes nothing.
    mainEngine(0).fireBeforeNavigate2();
    mainEngine(0).fireDownloadBegin();
    hidden.fireDownloadComplete();
    EXPECT_TRUE(stopOn());
    EXPECT_TRUE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(s().LoadingBrowserIndex, 0);
    mainEngine(0).fireDownloadComplete();
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
}

TEST_F(EventsTest, TabsDriveTheAnimationOnlyWhileATabIsCurrentAndNeverStop)
{
    start();
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    stopsOff();
    tabEngine(t).fireBeforeNavigate2();
    tabEngine(t).fireDownloadBegin();
    EXPECT_TRUE(stopOn());
    EXPECT_TRUE(comStopOn());
    EXPECT_EQ(s().TabLoadingIndex, t);
    EXPECT_TRUE(f().TimerMainBrow.isEnabled());
    tabEngine(t).fireDownloadComplete();
    EXPECT_EQ(s().TabLoadingIndex, -1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_TRUE(samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));
    // A tab's end leaves both Stop buttons as they are.
    EXPECT_TRUE(stopOn());
    EXPECT_TRUE(comStopOn());

    // A tab behind the current one drives nothing either.
    tabEngine(t).fireNavigateComplete2(site(1));
    ASSERT_EQ(openTab(f().BrowserNew[t], site(2)), 2);
    stopsOff();
    tabEngine(t).fireBeforeNavigate2();
    tabEngine(t).fireDownloadBegin();
    EXPECT_FALSE(stopOn());
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(s().TabLoadingIndex, -1);
    tabEngine(t).fireNavigateComplete2(site(3));

    // With no tab current, a tab's download does nothing.
    switchToMain(0);
    stopsOff();
    tabEngine(t).fireBeforeNavigate2();
    tabEngine(t).fireDownloadBegin();
    EXPECT_FALSE(stopOn());
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(s().TabLoadingIndex, -1);
}

TEST_F(EventsTest, AnErrorPageIsNeverShownAndTheGuardGoes)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    f().ComboLocation.setText(QStringLiteral("http://unreachable.velmora.example/"));
    f().CommandGo.click();
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    EXPECT_TRUE(s().PopupGuard);
    EXPECT_TRUE(e.fireNavigateError());
    e.fireDownloadComplete();
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(f().WebBrowser[0].locationURL(), homePage(0));
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), QStringLiteral("Current Browser :: Main Browser #1"));
    // The page may open windows again.
    EXPECT_EQ(openTabFromMain(site(1)), 1);

    // Tabs cancel too.
    EXPECT_TRUE(tabEngine(1).fireNavigateError());
}

// ---------------------------------------------------------------------------------------
// The pop-up guard

TEST_F(EventsTest, NoWindowWhileAnyBrowserOfTheWindowNavigates)
{
    start(1);
    // A hidden browser's navigation blocks the one on screen.
    mainEngine(1).fireBeforeNavigate2();
    EXPECT_EQ(mainEngine(0).fireNewWindow2(), nullptr);
    expectNoNewTab(0);
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(s().BrowserReturnIndex, -1);
    mainEngine(1).fireNavigateComplete2(site(1));
    EXPECT_FALSE(s().PopupGuard);

    // A navigation the program starts blocks before its first event arrives.
    f().ComboLocation.setText(site(2));
    f().CommandGo.click();
    EXPECT_EQ(mainEngine(0).fireNewWindow2(), nullptr);
    expectNoNewTab(0);
    mainEngine(0).completeNavigation(site(2));

    // A new window blocks the next one until its page has come.
    vb::WebBrowser* first = mainEngine(0).fireNewWindow2();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(s().PopupGuard);
    EXPECT_EQ(mainEngine(0).fireNewWindow2(), nullptr);
    EXPECT_EQ(s().TabCount, 1);
    engineOf(*first).completeNavigation(site(3));
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(openTab(*first, site(4)), 2);
}

TEST_F(EventsTest, TheGuardGoesWhenANavigationEndsWithoutCompleting)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    // A refused Back.
    f().ImageBack.click();
    EXPECT_EQ(e.backCalls(), 1);
    EXPECT_FALSE(s().PopupGuard);
    // A refused Forward.
    s().PopupGuard = false;
    f().ImageForward.setEnabled(true);
    f().ImageForward.click();
    EXPECT_EQ(e.forwardCalls(), 1);
    EXPECT_FALSE(s().PopupGuard);
    // Stop.
    f().CommandNavigate[2].click(); // Refresh sets the guard
    EXPECT_TRUE(s().PopupGuard);
    f().CommandNavigate[3].setEnabled(true);
    f().CommandNavigate[3].click();
    EXPECT_EQ(e.stopCalls(), 1);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(openTabFromMain(site(1)), 1);
}

// A load that brings no page (a download, an empty answer, a load given up) still ends:
// new windows are allowed again.
TEST_F(EventsTest, TheGuardGoesWhenALoadEndsWithoutAPage)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    ASSERT_TRUE(s().PopupGuard);
    e.fireDownloadComplete();
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(e.control().locationURL(), homePage(0));
    ASSERT_EQ(openTabFromMain(site(1)), 1);

    // The same for a tab.
    vb::ScriptedWebEngine& t = tabEngine(1);
    t.fireBeforeNavigate2();
    t.fireDownloadBegin();
    ASSERT_TRUE(s().PopupGuard);
    t.fireDownloadComplete();
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(openTab(f().BrowserNew[1], site(2)), 2);
}

// A new tab opened only for a file goes again once the file downloads; the browser the
// user was on stays current.
TEST_F(EventsTest, ANewTabWithoutAPageGoesAgain)
{
    start(1);
    ASSERT_EQ(openTabFromMain(site(1)), 1);
    vb::WebBrowser* target = tabEngine(1).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(2));
    vb::ScriptedWebEngine& e = engineOf(*target);
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    e.fireDownloadComplete();
    ASSERT_TRUE(f().BrowserNew.exists(2)) << "the load alone brought no file";
    e.fireFileDownload();
    EXPECT_FALSE(f().BrowserNew.exists(2));
    EXPECT_EQ(s().TabCount, 1);
    EXPECT_EQ(s().TabLastIndex, 1);
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_EQ(s().TabCurrentIndex, 1);
    EXPECT_TRUE(f().BrowserNew[1].isVisible());
    EXPECT_FALSE(f().CommandWebNew[2].isEnabled());
    EXPECT_EQ(s().BrowserReturnIndex, -1);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(currentFlags(), 1);

    // From main browser 2, shown.
    switchToMain(1);
    target = mainEngine(1).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(2));
    engineOf(*target).fireBeforeNavigate2();
    engineOf(*target).fireDownloadComplete();
    engineOf(*target).fireFileDownload();
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(s().MainBrowserIndex, 1);
    EXPECT_EQ(s().TabCount, 1);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(openTab(f().WebBrowser[1], site(3)), 2);
}

// A page arriving in a browser not on screen changes what shows that browser only.
TEST_F(EventsTest, APageInABrowserNotOnScreenLeavesTheScreenAsItIs)
{
    start(1);
    ASSERT_EQ(openTabFromMain(site(1)), 1);
    ASSERT_EQ(openTab(f().BrowserNew[1], site(2)), 2);
    switchToMain(0);
    f().CommandMenu_Click(3);
    ASSERT_EQ(s().MenuOpenIndex, 3);
    f().ComboLocation.setText(QStringLiteral("typed by the user"));
    const QPixmap back = f().ImageBack.picture();
    const bool backEnabled = f().ImageBack.isEnabled();

    // A tab behind: its title, tool tips and Tab List line follow; nothing else moves.
    completeIn(f().BrowserNew[1], QStringLiteral("http://www.other.example/x.html"));
    EXPECT_EQ(s().TabTitles[1], QStringLiteral("other.example"));
    EXPECT_EQ(f().TextWebList[1].text(), QStringLiteral("1. other.example"));
    EXPECT_EQ(f().CommandWebNew[1].widget()->toolTip(), QStringLiteral("other.example"));
    EXPECT_TRUE(s().TabHasHistory[1]);
    // A main browser not shown.
    completeIn(f().WebBrowser[1], site(3));
    EXPECT_TRUE(s().MainBrowserHasHistory[1]);

    EXPECT_EQ(s().MenuOpenIndex, 3);
    EXPECT_TRUE(f().FrameMenu[3].isVisible());
    EXPECT_EQ(f().ComboLocation.text(), QStringLiteral("typed by the user"));
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(s().MainBrowserIndex, 0);
    EXPECT_TRUE(f().WebBrowser[0].isVisible());
    EXPECT_FALSE(f().BrowserNew[1].isVisible());
    EXPECT_FALSE(f().WebBrowser[1].isVisible());
    EXPECT_EQ(f().ImageBack.isEnabled(), backEnabled);
    EXPECT_TRUE(samePicture(f().ImageBack.picture(), back));
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), QStringLiteral("Current Browser :: Main Browser #1"));
    EXPECT_FALSE(s().PopupGuard);
}

// A page that changes its own address without loading: the address and Back/Forward
// follow, nothing else; the address box only where the user is not typing.
TEST_F(EventsTest, AnAddressChangeWithinThePageShowsTheAddressAndNothingElse)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(site(1));
    f().CommandMenu_Click(2);
    ASSERT_EQ(s().MenuOpenIndex, 2);
    const QStringList sites = f().ComboLocation.items();

    e.setCanGoBack(true);
    e.setCanGoForward(false);
    e.fireSameDocumentNavigate(site(1) + QStringLiteral("#a"));
    EXPECT_EQ(f().ComboLocation.text(), site(1) + QStringLiteral("#a"));
    EXPECT_FALSE(f().CommandGo.isEnabled());
    EXPECT_TRUE(f().ImageBack.isEnabled());
    EXPECT_FALSE(f().ImageForward.isEnabled());
    EXPECT_EQ(s().MenuOpenIndex, 2);
    EXPECT_TRUE(f().FrameMenu[2].isVisible());
    EXPECT_EQ(f().ComboLocation.items(), sites);
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());

    // History as the engine has it: back at the first page, with a page ahead.
    e.setCanGoBack(false);
    e.setCanGoForward(true);
    e.fireSameDocumentNavigate(site(1));
    EXPECT_FALSE(s().MainBrowserHasHistory[0]);
    EXPECT_TRUE(s().MainBrowserCanGoForward[0]);
    EXPECT_FALSE(f().ImageBack.isEnabled());
    EXPECT_FALSE(f().ImageComBack.isEnabled());
    EXPECT_TRUE(f().ImageForward.isEnabled());

    // The user's own text in the box stays.
    f().ComboLocation.setText(QStringLiteral("velmora"));
    e.fireSameDocumentNavigate(site(1) + QStringLiteral("#b"));
    EXPECT_EQ(f().ComboLocation.text(), QStringLiteral("velmora"));
    EXPECT_EQ(e.control().locationURL(), site(1) + QStringLiteral("#b"));

    // On the home page, Home follows the address.
    e.completeNavigation(homePage(0));
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    e.fireSameDocumentNavigate(homePage(0) + QStringLiteral("#x"));
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    EXPECT_TRUE(f().CommandComNavigate[0].isEnabled());

    // In a tab: its box and the full-window bar's box follow.
    ASSERT_EQ(openTabFromMain(site(2)), 1);
    FullWindowSet(*app, true);
    ASSERT_EQ(s().BarIndex, 1);
    tabEngine(1).fireSameDocumentNavigate(site(2) + QStringLiteral("#c"));
    EXPECT_EQ(f().ComboWebLocation[1].text(), site(2) + QStringLiteral("#c"));
    EXPECT_EQ(f().ComboComLocation.text(), site(2) + QStringLiteral("#c"));
    EXPECT_FALSE(f().TabBoxEdited[1]);
}

// ---------------------------------------------------------------------------------------
// New windows

TEST_F(EventsTest, ANewWindowBecomesTheLowestFreeSlot)
{
    start();
    for (int i = 1; i <= 3; ++i)
        ASSERT_EQ(openTabFromMain(site(i)), i);
    EXPECT_EQ(s().TabCount, 3);
    EXPECT_EQ(s().TabLastIndex, 3);
    closeTab(2);
    // Tab 3 is current: its page asks for the window.
    const int slot = openTab(f().BrowserNew[3], site(4));
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(s().TabLastIndex, 3);
    EXPECT_EQ(s().TabCount, 3);
    EXPECT_TRUE(s().TabSlotUsed[2]);
    EXPECT_TRUE(f().CommandWebNew[2].isEnabled());
    EXPECT_TRUE(f().CommandWebComNew[2].isEnabled());
    EXPECT_EQ(f().BrowserNew[2].locationURL(), site(4));
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), QStringLiteral("Current Browser :: Tab Browser #2"));
    // With 1, 2 and 3 open the next one goes to 4.
    EXPECT_EQ(openTab(f().BrowserNew[2], site(5)), 4);
    EXPECT_EQ(s().TabLastIndex, 4);
    EXPECT_EQ(s().TabCount, 4);
}

TEST_F(EventsTest, ATabsNewWindowReturnsToThatTab)
{
    start();
    ASSERT_EQ(openTabFromMain(site(1)), 1);
    vb::WebBrowser* target = tabEngine(1).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(2));
    EXPECT_TRUE(s().ReturnIsTab);
    EXPECT_FALSE(s().ReturnIsMain);
    EXPECT_EQ(s().BrowserReturnIndex, 1);
    EXPECT_EQ(s().TabCurrentIndex, 2);
    EXPECT_EQ(currentFlags(), 1);
    // Nothing is shown before the new page comes.
    EXPECT_TRUE(f().BrowserNew[1].isVisible());
    EXPECT_FALSE(f().BrowserNew[2].isVisible());
    engineOf(*target).completeNavigation(site(2));
    EXPECT_FALSE(f().BrowserNew[1].isVisible());
    EXPECT_TRUE(f().BrowserNew[2].isVisible());
    EXPECT_TRUE(f().ComboWebLocation[2].isVisible());
    EXPECT_EQ(s().BrowserReturnIndex, -1);
    EXPECT_FALSE(s().ReturnIsTab);
}

// With separate windows preferred, a main browser's or the bookmark browser's page opens a
// secondary window whose own page takes the new window; a tab's page still opens a tab.
TEST_F(EventsTest, NewWindowSeparateOpensASecondaryWindow)
{
    start();
    auto windows = [this] {
        QList<frmWeb*> found;
        for (const auto& form : app->rt.forms())
            if (auto* w = qobject_cast<frmWeb*>(form.data()))
                found << w;
        return found;
    };
    app->opt.NewWindowSeparate = true;
    vb::WebBrowser* target = mainEngine(0).fireNewWindow2();
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(windows().size(), 1);
    frmWeb& window = *windows()[0];
    EXPECT_EQ(target, &window.BrowserPop[0]);
    EXPECT_TRUE(window.isVisible());
    // The main window's tabs and guard are not touched.
    EXPECT_EQ(s().TabCount, 0);
    EXPECT_FALSE(f().BrowserNew.exists(1));
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_TRUE(s().MainBrowserCurrent);
    engineOf(*target).completeNavigation(site(1) + QStringLiteral("p.html"));
    EXPECT_EQ(window.caption(), QStringLiteral("site1.velmora : Corvane"));
    EXPECT_TRUE(f().WebBrowser[0].isVisible());

    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(2));
    ASSERT_NE(mainEngine(BookmarkBrowserIndex).fireNewWindow2(), nullptr);
    EXPECT_EQ(windows().size(), 2);
    EXPECT_EQ(s().TabCount, 0);

    // A tab's pages open tabs, whatever the option says.
    app->opt.NewWindowSeparate = false;
    ASSERT_EQ(openTab(f().WebBrowser[BookmarkBrowserIndex], site(3)), 1);
    app->opt.NewWindowSeparate = true;
    EXPECT_EQ(openTab(f().BrowserNew[1], site(4)), 2);
    EXPECT_EQ(windows().size(), 2);
}

TEST_F(EventsTest, InFullWindowModeTheNewTabsListReachesTheBar)
{
    start();
    FullWindowSet(*app, true);
    const int t = openTabFromMain(site(1) + QStringLiteral("p.html"));
    ASSERT_EQ(t, 1);
    EXPECT_FALSE(s().ComLocationPending);
    EXPECT_EQ(f().ComboComLocation.text(), site(1) + QStringLiteral("p.html"));
    EXPECT_EQ(f().ComboComLocation.items(), QStringList{site(1)});
}

// A page not on screen asks for a window: the browser on screen is the one to return to,
// and exactly one browser is current afterwards.
TEST_F(EventsTest, APopUpOfAHiddenMainBrowserReturnsToTheBrowserOnScreen)
{
    start(1);
    completeIn(f().WebBrowser[1], site(1));
    vb::WebBrowser* target = mainEngine(1).fireNewWindow2();
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(s().ReturnIsMain);
    EXPECT_EQ(s().BrowserReturnIndex, 0);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_TRUE(s().TabBrowserCurrent);
    engineOf(*target).completeNavigation(site(2));
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_FALSE(f().WebBrowser[1].isVisible());
    EXPECT_TRUE(f().BrowserNew[1].isVisible());
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), QStringLiteral("Current Browser :: Tab Browser #1"));
}

TEST_F(EventsTest, APopUpOfAHiddenMainBrowserWhileATabIsShown)
{
    start();
    ASSERT_EQ(openTabFromMain(site(1)), 1);
    // Main browser 1 is behind tab 1; a timer of its page opens a window.
    vb::WebBrowser* target = mainEngine(0).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(2));
    EXPECT_TRUE(s().ReturnIsTab);
    EXPECT_FALSE(s().ReturnIsMain);
    EXPECT_EQ(s().BrowserReturnIndex, 1);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(s().TabCurrentIndex, 2);
    engineOf(*target).completeNavigation(site(2));
    EXPECT_FALSE(f().BrowserNew[1].isVisible());
    EXPECT_FALSE(f().ComboWebLocation[1].isVisible());
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_TRUE(f().BrowserNew[2].isVisible());
    EXPECT_EQ(f().TextWebList[1].widget()->palette().color(QPalette::Text),
              f().TextWebList[3].widget()->palette().color(QPalette::Text));
}

TEST_F(EventsTest, APopUpOfTheBookmarkBrowserWhileAMainBrowserIsShown)
{
    start();
    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(1));
    switchToMain(0);
    vb::WebBrowser* target = engineOf(f().WebBrowser[BookmarkBrowserIndex]).fireNewWindow2();
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(s().ReturnIsMain);
    EXPECT_EQ(s().BrowserReturnIndex, 0);
    EXPECT_EQ(currentFlags(), 1);
    engineOf(*target).completeNavigation(site(2));
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_FALSE(f().WebBrowser[BookmarkBrowserIndex].isVisible());
    EXPECT_TRUE(f().BrowserNew[1].isVisible());
}

TEST_F(EventsTest, APopUpOfABackgroundTab)
{
    start();
    ASSERT_EQ(openTabFromMain(site(1)), 1);
    // The bookmark browser is shown; tab 1 is behind it.
    switchToBookmarkBrowser();
    vb::WebBrowser* target = tabEngine(1).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(2));
    EXPECT_TRUE(s().ReturnIsMain);
    EXPECT_FALSE(s().ReturnIsTab);
    EXPECT_EQ(s().BrowserReturnIndex, BookmarkBrowserIndex);
    EXPECT_EQ(currentFlags(), 1);
    engineOf(*target).completeNavigation(site(2));
    EXPECT_FALSE(f().WebBrowser[BookmarkBrowserIndex].isVisible());
    EXPECT_TRUE(f().BrowserNew[2].isVisible());
    EXPECT_EQ(f().FrameBookmark.height(), 25);

    // The same with a main browser shown.
    switchToMain(0);
    target = tabEngine(1).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(3));
    EXPECT_TRUE(s().ReturnIsMain);
    EXPECT_EQ(s().BrowserReturnIndex, 0);
    EXPECT_EQ(currentFlags(), 1);
    engineOf(*target).completeNavigation(site(3));
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_TRUE(f().BrowserNew[3].isVisible());
    EXPECT_EQ(f().LabelShowBrowser[0].caption(), QStringLiteral("1"));
}

TEST_F(EventsTest, ANewWindowThatFailsHalfWayUndoesWhatItChanged)
{
    start();
    for (bool boxLeftOver : {false, true}) {
        SCOPED_TRACE(boxLeftOver ? "address box left over" : "browser left over");
        // Slot 1 is free, yet one of its elements is still loaded: loading it again fails.
        if (boxLeftOver)
            f().ComboWebLocation.load(1);
        else
            f().BrowserNew.load(1);
        EXPECT_EQ(mainEngine(0).fireNewWindow2(), nullptr);
        EXPECT_EQ(s().TabCount, 0);
        EXPECT_EQ(s().TabLastIndex, 0);
        EXPECT_EQ(s().TabCurrentIndex, 0);
        EXPECT_FALSE(s().TabSlotUsed[1]);
        EXPECT_TRUE(s().TabSlotUsed[0]);
        EXPECT_TRUE(s().MainBrowserCurrent);
        EXPECT_FALSE(s().TabBrowserCurrent);
        EXPECT_EQ(currentFlags(), 1);
        EXPECT_FALSE(s().ReturnIsMain);
        EXPECT_FALSE(s().ReturnIsTab);
        EXPECT_EQ(s().BrowserReturnIndex, -1);
        EXPECT_FALSE(s().PopupGuard);
        EXPECT_FALSE(s().ComLocationPending);
        EXPECT_FALSE(f().CommandWebNew[1].isEnabled());
        EXPECT_FALSE(f().CommandWebComNew[1].isEnabled());
        EXPECT_FALSE(f().ComboWebLocation.exists(1));
        EXPECT_FALSE(f().BrowserNew.exists(1));
        testsupport::flushDeferredDeletes();

        // The next display shows the main browser as before.
        completeIn(f().WebBrowser[0], site(1));
        EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), QStringLiteral("Current Browser :: Main Browser #1"));
        EXPECT_TRUE(f().WebBrowser[0].isVisible());
        EXPECT_EQ(f().LabelWebClose[1].caption(), QStringLiteral("??"));
    }
    // And the next request opens its tab in that slot.
    EXPECT_EQ(openTabFromMain(site(2)), 1);
    EXPECT_EQ(s().TabCount, 1);
}

TEST_F(EventsTest, TheUndoOfAFailedNewWindowCannotFailItself)
{
    start();
    for (int i = 1; i <= MaxTabs - 1; ++i)
        ASSERT_EQ(openTab(i == 1 ? f().WebBrowser[0] : f().BrowserNew[i - 1], site(i)), i);
    // The counters are out of step with the slots (slot 24 marked in use though it holds no
    // tab): no slot is free, so the request reaches past the last tab button and fails there.
    s().TabSlotUsed[MaxTabs] = true;
    s().TabLastIndex = MaxTabs;
    const BrowserSet before = s();
    vb::WebBrowser* target = nullptr;
    EXPECT_NO_THROW(target = tabEngine(MaxTabs - 1).fireNewWindow2());
    EXPECT_EQ(target, nullptr);
    EXPECT_EQ(s().TabCount, before.TabCount);
    EXPECT_EQ(s().TabLastIndex, MaxTabs);
    EXPECT_EQ(s().TabCurrentIndex, MaxTabs - 1);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(s().BrowserReturnIndex, -1);
    EXPECT_FALSE(f().ComboWebLocation.exists(MaxTabs + 1));
    EXPECT_FALSE(f().BrowserNew.exists(MaxTabs + 1));
    testsupport::flushDeferredDeletes();
    EXPECT_NO_THROW(tabEngine(MaxTabs - 1).completeNavigation(site(99)));
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), QStringLiteral("Current Browser :: Tab Browser #23"));
}

// ---------------------------------------------------------------------------------------
// The 24-tab limit and its message

class TooManyTabsTest : public EventsTest {
protected:
    void openAll()
    {
        start();
        for (int i = 1; i <= MaxTabs; ++i)
            ASSERT_EQ(openTab(i == 1 ? f().WebBrowser[0] : f().BrowserNew[i - 1], site(i)), i);
        ASSERT_EQ(s().TabCount, MaxTabs);
        ASSERT_TRUE(shown.isEmpty());
    }
    void expectUnchanged()
    {
        EXPECT_EQ(s().TabCount, MaxTabs);
        EXPECT_EQ(s().TabLastIndex, MaxTabs);
        EXPECT_EQ(s().TabCurrentIndex, MaxTabs);
        EXPECT_FALSE(f().BrowserNew.exists(MaxTabs + 1));
        EXPECT_FALSE(s().PopupGuard);
        EXPECT_EQ(s().BrowserReturnIndex, -1);
        EXPECT_EQ(currentFlags(), 1);
    }
};

TEST_F(TooManyTabsTest, The25thWindowIsRefusedWithTheMessageAfterTheCallback)
{
    openAll();
    EXPECT_EQ(tabEngine(MaxTabs).fireNewWindow2(), nullptr);
    EXPECT_EQ(shown, QStringList{QStringLiteral("MessageTooManyTab")});
    EXPECT_EQ(shownInsideCallback, QList<bool>{false});
    expectUnchanged();
    // From a main browser too, once the first refusal is past; with separate windows
    // preferred it still opens a window.
    f().TooManyTabsRefused.quietMs = 0;
    QTest::qWait(2);
    EXPECT_EQ(mainEngine(0).fireNewWindow2(), nullptr);
    EXPECT_EQ(shown.size(), 2);
    expectUnchanged();
    app->opt.NewWindowSeparate = true;
    vb::WebBrowser* window = mainEngine(0).fireNewWindow2();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(qobject_cast<frmWeb*>(&window->form()), nullptr);
    EXPECT_EQ(shown.size(), 2);
    expectUnchanged();
}

// A page that opens windows in a loop is refused again and again: the user hears of it
// once, and again only when a later refusal comes after a quiet spell.
TEST_F(TooManyTabsTest, ALoopOfRequestsGivesOneMessagePerBurst)
{
    openAll();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tabEngine(MaxTabs).fireNewWindow2(), nullptr);
        EXPECT_EQ(mainEngine(0).fireNewWindow2(), nullptr);
    }
    EXPECT_EQ(shown, QStringList{QStringLiteral("MessageTooManyTab")});
    expectUnchanged();

    f().TooManyTabsRefused.quietMs = 30;
    EXPECT_EQ(tabEngine(MaxTabs).fireNewWindow2(), nullptr);
    EXPECT_EQ(shown.size(), 1) << "still the same burst";
    QTest::qWait(60);
    EXPECT_EQ(tabEngine(MaxTabs).fireNewWindow2(), nullptr);
    EXPECT_EQ(shown.size(), 2) << "a refusal after a quiet spell begins a new burst";
}

TEST_F(TooManyTabsTest, RequestsWhileTheMessageWaitsOrShowsAddNoSecond)
{
    openAll();
    // Two requests within one engine callback: the message waits for its end, once.
    {
        vb::Runtime::EngineCallbackScope outer(app->rt, false);
        EXPECT_EQ(tabEngine(MaxTabs).fireNewWindow2(), nullptr);
        EXPECT_EQ(mainEngine(0).fireNewWindow2(), nullptr);
        EXPECT_TRUE(shown.isEmpty());
    }
    EXPECT_EQ(shown, QStringList{QStringLiteral("MessageTooManyTab")});
    EXPECT_EQ(shownInsideCallback, QList<bool>{false});

    // A request while the message is on screen, in a later burst.
    f().TooManyTabsRefused.quietMs = 0;
    QTest::qWait(2);
    int requests = 0;
    whileShown = [&] {
        if (requests++ == 0) {
            EXPECT_EQ(tabEngine(MaxTabs).fireNewWindow2(), nullptr);
        }
    };
    EXPECT_EQ(tabEngine(MaxTabs).fireNewWindow2(), nullptr);
    testsupport::flushDeferredDeletes();
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(app->msgQueue.pending.empty());
    expectUnchanged();
}

} // namespace
