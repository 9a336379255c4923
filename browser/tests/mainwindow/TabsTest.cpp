// The tabs: switching with the tab buttons of both bars, closing the current tab, all tabs
// or a chosen set, the Select Tabs panel, bookmarking chosen tabs, the Tab List's "Keep
// Hidden" box, and a tab's edited address box.

#include "TabsFixture.h"

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace tabstest;

namespace {

class TabsTest : public TabsFixture {
protected:
    void SetUp() override { start(5); }

    // Makes tab t current and closes it with the close-current button.
    void closeTab(int t)
    {
        if (s().TabCurrentIndex != t)
            clickTab(t);
        ASSERT_EQ(s().TabCurrentIndex, t);
        clickClose(1);
    }
    // Closes the given tabs through the Select Tabs panel.
    void closeSelected(std::initializer_list<int> tabs)
    {
        clickClose(2);
        ASSERT_TRUE(f().FrameWebSelectClose.isVisible());
        for (int t : tabs)
            check(t);
        clickSelect(1);
    }
    // Nothing of tab t is left, and its buttons are disabled with tool tip tooltip.
    void expectGone(int t, const QString& tooltip)
    {
        SCOPED_TRACE(t);
        EXPECT_FALSE(s().TabSlotUsed[size_t(t)]);
        EXPECT_FALSE(f().BrowserNew.exists(t));
        EXPECT_FALSE(f().ComboWebLocation.exists(t));
        EXPECT_FALSE(f().CommandWebNew[t].isEnabled());
        EXPECT_FALSE(f().CommandWebComNew[t].isEnabled());
        EXPECT_EQ(tip(f().CommandWebNew[t]), tooltip);
        EXPECT_EQ(tip(f().CommandWebComNew[t]), tooltip);
        EXPECT_NE(rowColour(f().TextWebList[t]), QColor(0, 128, 0));
    }
    // The display shows the selected main browser, with no tab current.
    void expectMainOnScreen(int m = 0)
    {
        EXPECT_TRUE(s().MainBrowserCurrent);
        EXPECT_FALSE(s().TabBrowserCurrent);
        EXPECT_EQ(s().TabCurrentIndex, 0);
        EXPECT_EQ(currentFlags(), 1);
        EXPECT_EQ(visibleBrowsers(), QStringList{u"W%1"_s.arg(m)});
        EXPECT_TRUE(f().ComboLocation.isVisible());
        EXPECT_EQ(f().LabelWebClose[1].caption(), u"??"_s);
        EXPECT_FALSE(f().CommandWebClose[1].isEnabled());
        EXPECT_FALSE(f().CommandWebComClose[1].isEnabled());
    }
    // The band and the browsers without any tab slot in use.
    void expectNoTabBand()
    {
        EXPECT_EQ(s().TabLastIndex, 0);
        EXPECT_EQ(s().TabCount, 0);
        EXPECT_EQ(s().TopBandHeight, 76);
        EXPECT_EQ(s().BrowserTop, 76);
        EXPECT_EQ(f().FrameBigMain.height(), 76);
        EXPECT_EQ(f().WebBrowser[s().MainBrowserIndex].top(), 76);
        EXPECT_FALSE(f().CommandMenu[5].isEnabled());
        EXPECT_FALSE(f().FrameMenu[5].isVisible());
    }
};

// --- switching -----------------------------------------------------------------------------

TEST_F(TabsTest, ANewWindowBecomesTheCurrentTabWhenItsPageArrives)
{
    openTabs(3);
    EXPECT_EQ(s().TabCount, 3);
    EXPECT_EQ(s().TabLastIndex, 3);
    EXPECT_EQ(s().TabCurrentIndex, 3);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T3"_s});
    EXPECT_EQ(s().TopBandHeight, 108);
    EXPECT_EQ(f().BrowserNew[3].top(), 108);
    for (int t = 1; t <= 3; ++t) {
        EXPECT_EQ(s().TabTitles[size_t(t)], u"tab%1.velmora"_s.arg(t));
        EXPECT_EQ(tip(f().CommandWebNew[t]), u"tab%1.velmora"_s.arg(t));
        EXPECT_EQ(tip(f().CommandWebComNew[t]), u"tab%1.velmora"_s.arg(t));
        EXPECT_TRUE(face(f().CommandWebNew[t], t == 3 ? 3 : 5)) << t;
    }
    EXPECT_EQ(f().TextWebList[3].text(), u"3. tab3.velmora"_s);
    EXPECT_EQ(f().TextWebList[4].text(), QString());
}

// The user minimised the window; meanwhile a page opened a tab. Back on screen, the band
// has its tab row and the tab stands under it, as if the window had never gone.
TEST_F(TabsTest, ATabOpenedWhileTheWindowIsMinimisedIsLaidOutWhenItComesBack)
{
    QWidget* window = f().window();
    ASSERT_TRUE(window->isVisible());
    const QSize size = window->size();
    window->showMinimized();
    ASSERT_EQ(f().windowState(), vb::Minimized);
    ASSERT_EQ(openTab(tabPage(1)), 1);
    window->showMaximized();
    ASSERT_EQ(window->size(), size);
    EXPECT_EQ(s().TopBandHeight, 108);
    EXPECT_EQ(f().FrameBigMain.height(), 108);
    EXPECT_EQ(f().BrowserNew[1].top(), 108);
    EXPECT_EQ(f().BrowserNew[1].height(), s().MainWindowHeight - 108 - 32);
    EXPECT_TRUE(f().BrowserNew[1].isVisible());
}

TEST_F(TabsTest, TabButtonsSwitchBetweenTabsAndShowOnlyTheOneClicked)
{
    openTabs(4);
    clickTab(2);
    EXPECT_EQ(s().TabCurrentIndex, 2);
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T2"_s});
    EXPECT_TRUE(f().ComboWebLocation[2].isVisible());
    EXPECT_FALSE(f().ComboWebLocation[4].isVisible());
    EXPECT_FALSE(f().ComboLocation.isVisible());
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Tab Browser #2"_s);
    EXPECT_EQ(f().LabelWebClose[1].caption(), u"#2"_s);
    EXPECT_EQ(f().LabelWebComClose[1].caption(), u"#2"_s);
    EXPECT_EQ(rowColour(f().TextWebList[2]), QColor(0, 128, 0));
    EXPECT_EQ(rowColour(f().TextWebList[4]), buttonText());
    EXPECT_TRUE(face(f().CommandWebNew[2], 3));
    EXPECT_TRUE(face(f().CommandWebComNew[2], 3));
    EXPECT_TRUE(face(f().CommandWebNew[4], 5));
    EXPECT_TRUE(face(f().CommandWebComNew[4], 5));
    // Switching never navigates a tab.
    for (int t = 1; t <= 4; ++t)
        EXPECT_TRUE(tabEngine(t).navigations().isEmpty()) << t;

    // The twin on the full-window bar does the same.
    ASSERT_NO_FATAL_FAILURE(f().CommandWebComNew[3].setValue(true));
    EXPECT_EQ(s().TabCurrentIndex, 3);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T3"_s});
}

TEST_F(TabsTest, TheCurrentTabsButtonLeavesTheTabsWithoutClosingIt)
{
    openTabs(2);
    clickTab(2);
    expectMainOnScreen();
    EXPECT_TRUE(f().BrowserNew.exists(2));
    EXPECT_TRUE(s().TabSlotUsed[2]);
    EXPECT_TRUE(f().CommandWebNew[2].isEnabled());
    EXPECT_EQ(s().TabCount, 2);
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Main Browser #1"_s);
    // The Tab List no longer shows by itself.
    EXPECT_FALSE(f().FrameMenu[5].isVisible());

    // With the bookmark panel open, the tabs are left for the bookmark browser.
    BookmarkAdd(*app, u"mark"_s, u"http://mark.velmora.example/"_s);
    openBookmarkBrowser();
    clickTab(1);
    clickTab(1);
    EXPECT_TRUE(s().BookmarkBrowserCurrent);
    EXPECT_FALSE(s().MainBrowserCurrent);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W6"_s});
}

TEST_F(TabsTest, ATabsButtonWorksOnlyWhileItsSlotHoldsATab)
{
    openTabs(2);
    EXPECT_FALSE(f().CommandWebNew[3].click());
    // Raised from code all the same, it changes nothing.
    f().CommandWebNew[3].setValue(true);
    EXPECT_EQ(s().TabCurrentIndex, 2);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T2"_s});
}

// --- closing the current tab ----------------------------------------------------------------

TEST_F(TabsTest, ClosingTheCurrentTabBelowTheHighestLeavesItListedAsClosed)
{
    openTabs(5);
    closeTab(3);
    EXPECT_EQ(s().TabTitles[3], u"Closed"_s);
    EXPECT_EQ(f().TextWebList[3].text(), u"3. Closed"_s);
    EXPECT_EQ(s().TabLastIndex, 5);
    EXPECT_EQ(s().TabCount, 4);
    expectGone(3, u"Closed"_s);
    expectMainOnScreen();
    // The other tabs are untouched.
    for (int t : {1, 2, 4, 5})
        EXPECT_TRUE(f().BrowserNew.exists(t)) << t;
    EXPECT_EQ(s().TopBandHeight, 108);
}

TEST_F(TabsTest, ClosingTheCurrentTabReturnsToTheBookmarkBrowserWhenItsPanelIsOpen)
{
    BookmarkAdd(*app, u"mark"_s, u"http://mark.velmora.example/"_s);
    openBookmarkBrowser();
    openTabs(2);
    ASSERT_EQ(visibleBrowsers(), QStringList{u"T2"_s});
    closeTab(2);
    EXPECT_TRUE(s().BookmarkBrowserCurrent);
    EXPECT_FALSE(s().MainBrowserCurrent);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W6"_s});
}

TEST_F(TabsTest, ClosingTheHighestTabDropsTheClosedSlotsBelowIt)
{
    openTabs(5);
    closeTab(2);
    closeTab(3);
    closeTab(4);
    ASSERT_EQ(s().TabLastIndex, 5);
    closeTab(5);
    EXPECT_EQ(s().TabLastIndex, 1);
    EXPECT_EQ(s().TabCount, 1);
    for (int t = 2; t <= 5; ++t)
        EXPECT_EQ(s().TabTitles[size_t(t)], QString()) << t;
    expectGone(5, QString());
    EXPECT_EQ(f().TextWebList[1].text(), u"1. tab1.velmora"_s);
    EXPECT_EQ(f().TextWebList[2].text(), QString());
    // One row in the Tab List.
    EXPECT_EQ(f().FrameMenu[5].height(), 49);
    // One tab: there is nothing to select from.
    EXPECT_FALSE(f().CommandWebClose[2].isEnabled());
    EXPECT_FALSE(f().CommandWebComClose[2].isEnabled());
    expectMainOnScreen();
}

TEST_F(TabsTest, ClosingTheLastOpenTabTakesTheBandBackTo76)
{
    openTabs(1);
    closeTab(1);
    expectNoTabBand();
    expectGone(1, QString());
    EXPECT_EQ(s().TabTitles[1], QString());
    expectMainOnScreen();
}

TEST_F(TabsTest, TheClosedSlotsAreReusedLowestFirst)
{
    openTabs(5);
    closeTab(4);
    closeTab(2);
    clickTab(5);
    EXPECT_EQ(openTab(u"http://new.velmora.example/a.html"_s), 2);
    EXPECT_EQ(s().TabTitles[2], u"new.velmora"_s);
    EXPECT_EQ(tip(f().CommandWebNew[2]), u"new.velmora"_s);
    EXPECT_TRUE(f().CommandWebNew[2].isEnabled());
    EXPECT_TRUE(f().CommandWebComNew[2].isEnabled());
    EXPECT_EQ(openTab(tabPage(14)), 4);
    EXPECT_EQ(openTab(tabPage(16)), 6);
    EXPECT_EQ(s().TabLastIndex, 6);
    EXPECT_EQ(s().TabCount, 6);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T6"_s});
}

TEST_F(TabsTest, AReusedSlotStartsWithoutTheOldTabsHistory)
{
    openTabs(2);
    clickTab(1);
    tabEngine(1).completeNavigation(tabPage(11));
    ASSERT_TRUE(s().TabHasHistory[1]);
    closeTab(1);
    clickTab(2);
    vb::WebBrowser* target = tabEngine(2).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(1));
    EXPECT_FALSE(s().TabHasHistory[1]);
    EXPECT_FALSE(s().TabCanGoForward[1]);
}

// --- closing all tabs -----------------------------------------------------------------------

TEST_F(TabsTest, CloseAllUnloadsEveryTabAndReturnsToTheMainBrowser)
{
    openTabs(5);
    closeTab(3);
    clickTab(2);
    clickClose(0);
    for (int t = 1; t <= 5; ++t) {
        expectGone(t, QString());
        EXPECT_EQ(s().TabTitles[size_t(t)], QString()) << t;
    }
    expectNoTabBand();
    expectMainOnScreen();
    EXPECT_EQ(f().BrowserNew.count(), 1);
    EXPECT_EQ(f().ComboWebLocation.count(), 1);
    // New windows open from slot 1 again.
    EXPECT_EQ(openTab(tabPage(7)), 1);
}

TEST_F(TabsTest, CloseAllFromTheFullWindowBarWhileAMainBrowserIsCurrent)
{
    openTabs(3);
    pickInStrip(2);
    FullWindowSet(*app, true);
    ASSERT_TRUE(f().CommandWebComClose[0].click());
    for (int t = 1; t <= 3; ++t)
        expectGone(t, QString());
    EXPECT_EQ(s().TabLastIndex, 0);
    EXPECT_EQ(s().TabCount, 0);
    expectMainOnScreen(2);
    // The full-window bar folds to one row without tabs.
    EXPECT_EQ(f().FrameCommon.height(), 29);
    EXPECT_FALSE(f().CommandComTab.isEnabled());
}

// --- a tab that is loading ------------------------------------------------------------------

TEST_F(TabsTest, ClosingATabThatIsLoadingStopsTheBusyAnimation)
{
    // By the close-current button, by close-all and by the Select Tabs panel.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        ASSERT_EQ(openTab(tabPage(1)), 1);
        ASSERT_EQ(openTab(tabPage(2)), 2);
        tabEngine(2).fireBeforeNavigate2();
        tabEngine(2).fireDownloadBegin();
        ASSERT_EQ(s().TabLoadingIndex, 2);
        ASSERT_TRUE(f().TimerMainBrow.isEnabled());
        if (way == 0) {
            clickClose(1);
        } else if (way == 1) {
            clickClose(0);
        } else {
            closeSelected({2});
        }
        EXPECT_EQ(s().TabLoadingIndex, -1);
        EXPECT_EQ(s().LoadingBrowserIndex, -1);
        EXPECT_FALSE(f().TimerMainBrow.isEnabled());
        EXPECT_TRUE(samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));
        expectMainOnScreen();
        // Its navigation will never complete: pages may open new windows again.
        EXPECT_FALSE(s().PopupGuard);
        clickClose(0);
        testsupport::flushDeferredDeletes();
    }
}

TEST_F(TabsTest, ClosingAnotherTabWhileTheCurrentOneLoadsKeepsItsAnimation)
{
    openTabs(3);
    tabEngine(3).fireBeforeNavigate2();
    tabEngine(3).fireDownloadBegin();
    closeSelected({1});
    EXPECT_EQ(s().TabLoadingIndex, 3);
    EXPECT_TRUE(f().TimerMainBrow.isEnabled());
    tabEngine(3).fireDownloadComplete();
    EXPECT_EQ(s().TabLoadingIndex, -1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
}

// --- the Select Tabs panel ------------------------------------------------------------------

TEST_F(TabsTest, TheSelectButtonIsDisabledWithExactlyOneTab)
{
    EXPECT_TRUE(f().CommandWebClose[2].isEnabled());
    openTabs(1);
    EXPECT_FALSE(f().CommandWebClose[2].isEnabled());
    EXPECT_FALSE(f().CommandWebComClose[2].isEnabled());
    EXPECT_FALSE(f().CommandWebClose[2].click());
    EXPECT_FALSE(f().FrameWebSelectClose.isVisible());
    openTab(tabPage(2));
    EXPECT_TRUE(f().CommandWebClose[2].isEnabled());
    EXPECT_TRUE(f().CommandWebComClose[2].isEnabled());
    closeTab(2);
    EXPECT_FALSE(f().CommandWebClose[2].isEnabled());
}

TEST_F(TabsTest, TheSelectTabsPanelListsTheSlotsUpToTheHighest)
{
    openTabs(7);
    closeTab(3);
    clickTab(7);
    // A box left checked from an earlier use starts unchecked.
    // So does a hidden one above the list: a tab opened there later must not come with it.
    f().CheckSelectWebTab[5].setValue(1);
    f().CheckSelectWebTab[9].setValue(1);
    clickClose(2);
    ASSERT_TRUE(f().FrameWebSelectClose.isVisible());
    EXPECT_EQ(f().FrameWebSelectClose.height(), 137);
    EXPECT_EQ(f().FrameButWebSelect.top(), 1080);
    for (int t = 1; t <= MaxTabs; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(f().CheckSelectWebTab[t].isVisible(), t <= 7);
        EXPECT_EQ(f().CheckSelectWebTab[t].value(), 0);
        if (t <= 7) {
            EXPECT_EQ(f().CheckSelectWebTab[t].isEnabled(), t != 3);
        }
    }
    EXPECT_EQ(f().SelectedTabCount, 0);
    EXPECT_FALSE(f().CommandWebSelectClose[1].isEnabled());
    EXPECT_FALSE(f().CommandWebSelectClose[2].isEnabled());
    EXPECT_TRUE(face(f().CommandWebClose[2], 3));
    EXPECT_TRUE(face(f().CommandWebComClose[2], 3));
    // Under the band, ending 12 pixels left of the end of the tab strip.
    EXPECT_EQ(f().FrameWebSelectClose.top(), s().BrowserTop);
    EXPECT_EQ(f().FrameWebSelectClose.left() + f().FrameWebSelectClose.width() + 12,
              (f().FrameWebNew.left() + f().FrameWebNew.width()) / 15);
    // A closed slot's box cannot be checked.
    EXPECT_FALSE(f().CheckSelectWebTab[3].click());

    // The Select button again hides the panel.
    clickClose(2);
    EXPECT_FALSE(f().FrameWebSelectClose.isVisible());
    EXPECT_TRUE(face(f().CommandWebClose[2], 10));
    EXPECT_TRUE(face(f().CommandWebComClose[2], 10));
    EXPECT_EQ(s().TabCount, 6);
}

TEST_F(TabsTest, TheSelectTabsPanelHasOneRowOfBoxesPerFourSlots)
{
    const struct {
        int tabs, height, buttonsTop;
    } cases[] = {{2, 113, 720}, {4, 113, 720}, {5, 137, 1080}, {24, 233, 2520}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tabs);
        while (s().TabCount < c.tabs)
            openTab(tabPage(s().TabCount + 1));
        clickClose(2);
        EXPECT_EQ(f().FrameWebSelectClose.height(), c.height);
        EXPECT_EQ(f().FrameButWebSelect.top(), c.buttonsTop);
        clickSelect(0);
        EXPECT_FALSE(f().FrameWebSelectClose.isVisible());
        EXPECT_TRUE(face(f().CommandWebClose[2], 10));
    }
}

TEST_F(TabsTest, CheckingBoxesEnablesTheCloseAndBookmarkButtons)
{
    openTabs(3);
    clickClose(2);
    check(1);
    EXPECT_EQ(f().SelectedTabCount, 1);
    EXPECT_TRUE(f().CommandWebSelectClose[1].isEnabled());
    EXPECT_TRUE(f().CommandWebSelectClose[2].isEnabled());
    check(3);
    check(1);
    EXPECT_EQ(f().SelectedTabCount, 1);
    EXPECT_TRUE(f().CommandWebSelectClose[1].isEnabled());
    check(3);
    EXPECT_EQ(f().SelectedTabCount, 0);
    EXPECT_FALSE(f().CommandWebSelectClose[1].isEnabled());
    EXPECT_FALSE(f().CommandWebSelectClose[2].isEnabled());
    EXPECT_FALSE(f().CommandWebSelectClose[1].click());
    EXPECT_EQ(s().TabCount, 3);
}

TEST_F(TabsTest, SelectAllChecksOnlyOpenTabsAndPressedAgainUnchecksAll)
{
    openTabs(5);
    closeTab(3);
    clickTab(5);
    clickClose(2);
    clickSelect(3);
    for (int t = 1; t <= 5; ++t)
        EXPECT_EQ(f().CheckSelectWebTab[t].value(), t == 3 ? 0 : 1) << t;
    EXPECT_EQ(f().SelectedTabCount, 4);
    EXPECT_TRUE(f().CommandWebSelectClose[1].isEnabled());
    EXPECT_TRUE(f().CommandWebSelectClose[2].isEnabled());

    clickSelect(3);
    for (int t = 1; t <= 5; ++t)
        EXPECT_EQ(f().CheckSelectWebTab[t].value(), 0) << t;
    EXPECT_EQ(f().SelectedTabCount, 0);
    EXPECT_FALSE(f().CommandWebSelectClose[1].isEnabled());
    EXPECT_FALSE(f().CommandWebSelectClose[2].isEnabled());

    // With one box checked, the button unchecks it rather than checking the rest.
    check(2);
    clickSelect(3);
    EXPECT_EQ(f().SelectedTabCount, 0);
    EXPECT_EQ(f().CheckSelectWebTab[4].value(), 0);
}

TEST_F(TabsTest, ClosingSelectedTabsThatSpareTheCurrentOneKeepsItOnScreen)
{
    openTabs(5);
    clickTab(2);
    closeSelected({1, 4});
    EXPECT_FALSE(f().FrameWebSelectClose.isVisible());
    EXPECT_TRUE(face(f().CommandWebClose[2], 10));
    EXPECT_EQ(s().TabCount, 3);
    EXPECT_EQ(s().TabLastIndex, 5);
    for (int t : {1, 4}) {
        expectGone(t, u"Closed"_s);
        EXPECT_EQ(s().TabTitles[size_t(t)], u"Closed"_s);
    }
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_EQ(s().TabCurrentIndex, 2);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T2"_s});
    EXPECT_EQ(rowColour(f().TextWebList[2]), QColor(0, 128, 0));
    EXPECT_EQ(f().TextWebList[1].text(), u"1. Closed"_s);
    EXPECT_EQ(f().TextWebList[4].text(), u"4. Closed"_s);
    EXPECT_EQ(f().LabelWebClose[1].caption(), u"#2"_s);
}

TEST_F(TabsTest, ClosingSelectedTabsWithTheCurrentAndTheHighestShrinksTheList)
{
    openTabs(5);
    closeTab(2);
    clickTab(5);
    closeSelected({3, 4, 5});
    EXPECT_EQ(s().TabLastIndex, 1);
    EXPECT_EQ(s().TabCount, 1);
    for (int t = 2; t <= 5; ++t) {
        EXPECT_EQ(s().TabTitles[size_t(t)], QString()) << t;
        expectGone(t, QString());
    }
    expectMainOnScreen();
    EXPECT_EQ(f().FrameMenu[5].height(), 49);
    EXPECT_EQ(f().TextWebList[1].text(), u"1. tab1.velmora"_s);
}

TEST_F(TabsTest, ClosingEverySelectedTabTakesTheBandBackTo76)
{
    openTabs(4);
    clickTab(2);
    clickClose(2);
    clickSelect(3);
    clickSelect(1);
    for (int t = 1; t <= 4; ++t)
        expectGone(t, QString());
    expectNoTabBand();
    expectMainOnScreen();
}

TEST_F(TabsTest, TheFullWindowBarsSelectPanelHangsUnderTheBar)
{
    openTabs(3);
    FullWindowSet(*app, true);
    ASSERT_TRUE(f().CommandWebComClose[2].click());
    ASSERT_TRUE(f().FrameWebSelectClose.isVisible());
    EXPECT_EQ(f().FrameWebSelectClose.top(), f().FrameCommon.height());
    EXPECT_EQ(f().FrameWebSelectClose.left() + f().FrameWebSelectClose.width() + 12,
              (f().FrameWebComNew.left() + f().FrameWebComClose.left() + f().CommandWebComClose[2].left()) / 15
                  + f().FrameCommon.left());
    check(3);
    clickSelect(1);
    expectGone(3, QString());
    EXPECT_EQ(s().TabLastIndex, 2);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});

    // The full-window bar's close-current button closes the current tab.
    ASSERT_TRUE(f().CommandWebComNew[1].click());
    ASSERT_TRUE(f().CommandWebComClose[1].click());
    EXPECT_EQ(s().TabTitles[1], u"Closed"_s);
    EXPECT_EQ(s().TabCount, 1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
}

// --- bookmarking chosen tabs ----------------------------------------------------------------

TEST_F(TabsTest, BookmarkingSelectedTabsSkipsAddressesAlreadyBookmarked)
{
    BookmarkAdd(*app, u"kept"_s, tabPage(2));
    openTabs(3);
    // A fourth tab on the same page as the first.
    openTab(tabPage(1));
    clickClose(2);
    clickSelect(3);
    clickSelect(2);
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), (QStringList{tabPage(2), tabPage(1), tabPage(3)}));
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{u"kept"_s, u"tab1.velmora"_s, u"tab3.velmora"_s}));
    EXPECT_EQ(app->lists.BookmarkLastIndex, 2);
    EXPECT_FALSE(f().FrameWebSelectClose.isVisible());
    EXPECT_TRUE(face(f().CommandWebClose[2], 10));
    EXPECT_TRUE(shown.isEmpty());
    // Nothing was closed and the current tab stays.
    EXPECT_EQ(s().TabCount, 4);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T4"_s});
    EXPECT_TRUE(f().CommandOpen[4].isEnabled());
}

TEST_F(TabsTest, BookmarkingOnlyTheCheckedTabs)
{
    openTabs(3);
    clickClose(2);
    check(2);
    clickSelect(2);
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), QStringList{tabPage(2)});
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{u"tab2.velmora"_s});
}

TEST_F(TabsTest, BookmarkingSelectedTabsSkipsATabWithoutAPage)
{
    openTabs(1);
    // A second tab whose page never arrives.
    vb::WebBrowser* target = engineOf(*f().currentBrowser()).fireNewWindow2();
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(target, f().BrowserNew.find(2));
    clickTab(1);
    clickClose(2);
    check(1);
    check(2);
    clickSelect(2);
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), QStringList{tabPage(1)});
    EXPECT_EQ(app->lists.BookmarkLastIndex, 0);
}

TEST_F(TabsTest, ATabWithoutAShortNameIsBookmarkedUnderItsAddress)
{
    const QString local = u"file:///home/user/notes.html"_s;
    openTabs(1);
    openTab(local);
    ASSERT_TRUE(s().TabTitles[2].isEmpty());
    clickClose(2);
    check(1);
    check(2);
    clickSelect(2);
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), (QStringList{tabPage(1), local}));
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{u"tab1.velmora"_s, local}));
}

TEST_F(TabsTest, AReusedSlotStartsWithoutTheClosedTabsTitle)
{
    openTabs(2);
    closeTab(1);
    ASSERT_EQ(s().TabTitles[1], u"Closed"_s);
    clickTab(2);
    vb::WebBrowser* target = tabEngine(2).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(1));
    EXPECT_TRUE(s().TabTitles[1].isEmpty());
}

// --- the Tab List's "Keep Hidden" -----------------------------------------------------------

TEST_F(TabsTest, KeepHiddenHidesTheTabListUntilItIsUnchecked)
{
    openTabs(2);
    ASSERT_TRUE(f().FrameMenu[5].isVisible());
    ASSERT_TRUE(f().CheckWebList.click());
    EXPECT_FALSE(s().TabListAutoShow);
    EXPECT_FALSE(f().FrameMenu[5].isVisible());
    EXPECT_TRUE(face(f().CommandMenu[5], 0));
    // Switching tabs does not bring it back.
    clickTab(1);
    EXPECT_FALSE(f().FrameMenu[5].isVisible());

    ASSERT_TRUE(f().CheckWebList.click());
    EXPECT_TRUE(s().TabListAutoShow);
    EXPECT_FALSE(f().FrameMenu[5].isVisible());
    // It comes back at the next display while a tab is current.
    clickTab(2);
    EXPECT_TRUE(f().FrameMenu[5].isVisible());
}

TEST_F(TabsTest, KeepHiddenGivesThePageMenuBackToTheOption)
{
    app->opt.ShowPageButtons = true;
    openTabs(1);
    s().MenuOpenIndex = 0;
    s().PageMenuFollowsOption = false;
    f().FrameMenu[0].setVisible(false);
    ASSERT_TRUE(f().CheckWebList.click());
    EXPECT_EQ(s().MenuOpenIndex, -1);
    EXPECT_TRUE(s().PageMenuFollowsOption);
    EXPECT_TRUE(f().FrameMenu[0].isVisible());
}

// --- a tab's edited address box -------------------------------------------------------------

class TabBoxTest : public TabsTest {
protected:
    // The user replaces the text of tab t's box.
    void typeInto(int t, const QString& text)
    {
        vb::ComboBox& box = f().ComboWebLocation[t];
        box.setSelStart(0);
        box.setSelLength(int(box.text().size()));
        box.type(text);
        ASSERT_EQ(box.text(), text);
    }
};

TEST_F(TabBoxTest, AnEditedBoxIsVisitedByTheTypedAddressRuleWhenTheTabIsShownAgain)
{
    openTabs(2);
    clickTab(1);
    typeInto(1, u" www.velmora .example/typed.html "_s);
    clickTab(1);  // back to the main browser; the typed text stays in the tab's box
    ASSERT_TRUE(s().MainBrowserCurrent);
    s().PopupGuard = false;

    clickTab(1);
    EXPECT_EQ(tabEngine(1).navigations(), QStringList{u"http://www.velmora.example/typed.html"_s});
    EXPECT_TRUE(s().PopupGuard);
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_EQ(s().TabCurrentIndex, 1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T1"_s});

    tabEngine(1).completeNavigation(u"http://www.velmora.example/typed.html"_s);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(f().ComboWebLocation[1].text(), u"http://www.velmora.example/typed.html"_s);
    EXPECT_FALSE(f().TabBoxEdited[1]);

    // Shown again later without an edit: no navigation.
    pickInStrip(0);
    clickTab(1);
    EXPECT_EQ(tabEngine(1).navigations().size(), 1);
}

TEST_F(TabBoxTest, AnEditedBoxKeepsAnAddressThatHasItsScheme)
{
    openTabs(1);
    typeInto(1, u"https://secure.velmora.example/a b"_s);
    clickTab(1);
    clickTab(1);
    EXPECT_EQ(tabEngine(1).navigations(), QStringList{u"https://secure.velmora.example/ab"_s});
}

TEST_F(TabBoxTest, AnEditThatComesBackToThePageShownNavigatesNothing)
{
    openTabs(1);
    typeInto(1, tabPage(1).mid(7));  // without "http://"
    clickTab(1);
    clickTab(1);
    EXPECT_TRUE(tabEngine(1).navigations().isEmpty());
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T1"_s});
    EXPECT_EQ(f().ComboWebLocation[1].text(), tabPage(1));
}

TEST_F(TabBoxTest, APageThatChangedWhileTheTabWasHiddenIsNotVisitedAgain)
{
    openTabs(2);
    pickInStrip(0);
    // Tab 1's page moves on by itself while it is hidden: its box still has the old address.
    const QString moved = u"http://moved.velmora.example/next.html"_s;
    tabEngine(1).completeNavigation(moved);
    ASSERT_EQ(f().ComboWebLocation[1].text(), tabPage(1));
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});

    clickTab(1);
    EXPECT_TRUE(tabEngine(1).navigations().isEmpty());
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T1"_s});
    EXPECT_EQ(f().ComboWebLocation[1].text(), moved);
    EXPECT_EQ(s().TabTitles[1], u"moved.velmora"_s);
}

// --- a new tab whose page has not come -----------------------------------------------------

TEST_F(TabsTest, ASwitchWhileANewTabsPageIsOnItsWayLeavesOneBrowserOnScreen)
{
    openTabs(1);
    // A pop-up of tab 1: tab 2 is current, but tab 1 stays on screen until its page comes.
    vb::WebBrowser* target = tabEngine(1).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(2));
    ASSERT_EQ(visibleBrowsers(), QStringList{u"T1"_s});

    // The user goes back to browser #1 meanwhile.
    pickInStrip(0);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
    EXPECT_FALSE(f().ComboWebLocation[1].isVisible());
    EXPECT_EQ(rowColour(f().TextWebList[1]), buttonText());
    EXPECT_TRUE(face(f().CommandWebNew[1], 5));
    EXPECT_TRUE(f().ComboLocation.isVisible());
    tabEngine(2).completeNavigation(tabPage(2));
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
    EXPECT_TRUE(s().MainBrowserCurrent);

    // The same with a tab button.
    clickTab(2);
    tabEngine(2).fireNewWindow2();
    clickTab(1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T1"_s});
    tabEngine(3).completeNavigation(tabPage(3));
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T1"_s});
    EXPECT_EQ(s().TabCurrentIndex, 1);
}

TEST_F(TabsTest, ANewTabWhosePageCannotBeReachedComesOnScreenEmpty)
{
    openTabs(1);
    vb::WebBrowser* target = tabEngine(1).fireNewWindow2();
    ASSERT_EQ(target, f().BrowserNew.find(2));
    vb::ScriptedWebEngine& e = engineOf(*target);
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    EXPECT_TRUE(e.fireNavigateError());
    e.fireDownloadComplete();
    // The screen agrees with the state: tab 2 is current and on screen.
    EXPECT_EQ(s().TabCurrentIndex, 2);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T2"_s});
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Tab Browser #2"_s);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());

    // Its button leaves the tabs; the close button closes it.
    clickTab(2);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
    closeTab(2);
    EXPECT_EQ(s().TabCount, 1);
    EXPECT_EQ(s().TabLastIndex, 1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
}

} // namespace
