// Switching between the main browsers with either selector set: the "You Are Viewing this
// Browser" notice, the first show of a browser (its home page), the browser left behind,
// and what the screen shows after each switch.

#include "TabsFixture.h"

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace tabstest;

namespace {

class SwitchTest : public TabsFixture {
protected:
    void SetUp() override { start(5); }

    // The selectors of main browser m have the current look (or the plain one).
    void expectSelectorLook(int m, bool current)
    {
        SCOPED_TRACE(m);
        const QString caption = current ? u"Browser"_s : QString::number(m + 1);
        EXPECT_EQ(f().LabelBrowser[m].caption(), caption);
        EXPECT_EQ(f().LabelShowBrowser[m].caption(), caption);
        EXPECT_EQ(f().LabelShowBrowser[m].backStyle(), current ? 1 : 0);
        EXPECT_TRUE(face(f().CommandBrowser[m], current ? 3 : 5));
        EXPECT_TRUE(face(f().CommandShowBrowser[m], current ? 3 : 5));
    }
};

TEST_F(SwitchTest, TheFacesOfTheSelectorsDiffer)
{
    // Every look test below relies on it.
    ASSERT_FALSE(samePicture(f().BButton[3].picture(), f().BButton[5].picture()));
}

TEST_F(SwitchTest, PickingTheBrowserOnScreenTogglesTheNoticeAndNavigatesNothing)
{
    const QStringList before = mainNavigations(0);
    ASSERT_FALSE(f().FrameActiveBrow.isVisible());

    pickInStrip(0);
    EXPECT_TRUE(f().FrameActiveBrow.isVisible());
    EXPECT_EQ(f().FrameActiveBrow.left(), 468);
    EXPECT_EQ(f().FrameActiveBrow.top(), 72);

    pickInPanel(0);
    EXPECT_FALSE(f().FrameActiveBrow.isVisible());

    EXPECT_EQ(mainNavigations(0), before);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
    EXPECT_EQ(s().MainBrowserIndex, 0);
    EXPECT_EQ(s().BrowserReturnIndex, -1);
    EXPECT_FALSE(s().ReturnIsMain);
}

TEST_F(SwitchTest, TheNoticeStandsOverTheSelectorOfTheBrowserOnScreen)
{
    // Browser #6 on screen: the notice is 200 pixels right of #1's.
    pickInStrip(5);
    mainEngine(5).completeNavigation(homePage(5));
    pickInStrip(5);
    ASSERT_TRUE(f().FrameActiveBrow.isVisible());
    EXPECT_EQ(f().FrameActiveBrow.left(), 668);
    EXPECT_EQ(f().FrameActiveBrow.top(), 72);

    // Any switch closes it.
    pickInStrip(2);
    EXPECT_FALSE(f().FrameActiveBrow.isVisible());

    // In full-window mode it hangs under the Browsers panel, over the selector.
    FullWindowSet(*app, true);
    f().FrameBrowser.setVisible(true);
    ASSERT_TRUE(f().CommandBrowser[2].click());
    ASSERT_TRUE(f().FrameActiveBrow.isVisible());
    EXPECT_EQ(f().FrameActiveBrow.top(), f().FrameBrowser.top() + f().FrameBrowser.height());
    EXPECT_EQ(f().FrameActiveBrow.left(), f().FrameBrowser.left() + 20 + 2 * 40);
}

TEST_F(SwitchTest, AFirstPickLoadsTheHomePageAndShowsTheBrowserAtOnce)
{
    pickInStrip(2);
    EXPECT_EQ(mainNavigations(2), QStringList{homePage(2)});
    EXPECT_FALSE(s().MainBrowserNotShown[2]);
    EXPECT_TRUE(s().PopupGuard);
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(s().MainBrowserIndex, 2);
    // State and screen agree before the page has arrived.
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W2"_s});
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Main Browser #3"_s);
    EXPECT_EQ(s().BrowserReturnIndex, -1);
    expectSelectorLook(0, false);
    expectSelectorLook(2, true);

    mainEngine(2).completeNavigation(homePage(2));
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W2"_s});
    EXPECT_EQ(f().ComboLocation.text(), homePage(2));
    // On its home page: Home is of no use.
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    EXPECT_EQ(s().MainBrowserTitles[2], u"home3.velmora"_s);
}

TEST_F(SwitchTest, ALaterPickShowsTheBrowserAtOnceOnThePageItHad)
{
    pickInStrip(2);
    mainEngine(2).completeNavigation(homePage(2));
    // The user went on to another page in browser #3.
    const QString other = u"http://other.velmora.example/x.html"_s;
    mainEngine(2).completeNavigation(other);

    pickInPanel(0);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
    EXPECT_EQ(f().ComboLocation.text(), homePage(0));

    pickInPanel(2);
    EXPECT_EQ(mainNavigations(2), QStringList{homePage(2)});
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W2"_s});
    EXPECT_EQ(f().ComboLocation.text(), other);
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    EXPECT_EQ(f().LabelCurrentBrowser[1].caption(), u"Current Browser :: Main Browser #3"_s);
    // Browser #1 was not navigated again either.
    EXPECT_EQ(mainNavigations(0), QStringList{homePage(0)});
}

TEST_F(SwitchTest, AHomePageThatArrivesAfterTheUserLeftStaysOffScreen)
{
    pickInStrip(2);
    pickInStrip(0);
    mainEngine(2).completeNavigation(homePage(2));
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(s().MainBrowserIndex, 0);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
    EXPECT_EQ(f().ComboLocation.text(), homePage(0));
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Main Browser #1"_s);

    pickInStrip(2);
    EXPECT_EQ(mainNavigations(2), QStringList{homePage(2)});
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W2"_s});
    EXPECT_EQ(f().ComboLocation.text(), homePage(2));
}

TEST_F(SwitchTest, AnUnreachableHomePageLeavesScreenAndStateInAgreement)
{
    pickInStrip(1);
    vb::ScriptedWebEngine& e = mainEngine(1);
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    // The browser is on screen, so its loading shows.
    EXPECT_EQ(s().LoadingBrowserIndex, 1);
    EXPECT_TRUE(f().TimerMainBrow.isEnabled());
    EXPECT_TRUE(e.fireNavigateError());
    e.fireDownloadComplete();

    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(s().MainBrowserIndex, 1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W1"_s});
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Main Browser #2"_s);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(s().LoadingBrowserIndex, -1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    expectSelectorLook(0, false);
    expectSelectorLook(1, true);
    // Home stays available: the user may try again.
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());

    // Back on browser #1 and again on #2: no second attempt on its own.
    pickInStrip(0);
    pickInStrip(1);
    EXPECT_EQ(mainNavigations(1), QStringList{homePage(1)});
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W1"_s});
}

TEST_F(SwitchTest, SwitchingAwayWhileTheBrowserLoadsStopsTheBusyAnimation)
{
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    ASSERT_EQ(s().LoadingBrowserIndex, 0);
    pickInStrip(3);
    EXPECT_EQ(s().LoadingBrowserIndex, -1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_TRUE(samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));
}

TEST_F(SwitchTest, EachBrowserLoadsItsOwnHomePageOnceWhicheverSetPicksIt)
{
    for (int m = 1; m <= 5; ++m) {
        if (m % 2)
            pickInStrip(m);
        else
            pickInPanel(m);
        mainEngine(m).completeNavigation(homePage(m));
    }
    for (int round = 0; round < 2; ++round)
        for (int m = 5; m >= 0; --m) {
            pickInPanel(m);
            EXPECT_EQ(visibleBrowsers(), QStringList{u"W%1"_s.arg(m)});
            EXPECT_EQ(f().ComboLocation.text(), homePage(m));
            for (int k = 0; k <= 5; ++k)
                expectSelectorLook(k, k == m);
        }
    for (int m = 0; m <= 5; ++m)
        EXPECT_EQ(mainNavigations(m), QStringList{homePage(m)}) << m;
}

TEST_F(SwitchTest, PickingAMainBrowserWhileATabIsCurrentKeepsTheTab)
{
    openTabs(2);
    ASSERT_EQ(s().TabCurrentIndex, 2);
    pickInStrip(3);
    EXPECT_EQ(s().TabCurrentIndex, 0);
    EXPECT_FALSE(s().TabBrowserCurrent);
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W3"_s});
    // The tab stays loaded, hidden, and its button stays available.
    ASSERT_TRUE(f().BrowserNew.exists(2));
    EXPECT_FALSE(f().ComboWebLocation[2].isVisible());
    EXPECT_TRUE(f().ComboLocation.isVisible());
    EXPECT_TRUE(f().CommandWebNew[2].isEnabled());
    EXPECT_TRUE(f().CommandWebComNew[2].isEnabled());
    EXPECT_TRUE(face(f().CommandWebNew[2], 5));
    EXPECT_EQ(rowColour(f().TextWebList[2]), buttonText());
    EXPECT_EQ(s().TabCount, 2);
    // The old selected browser (#1, not on screen) lost the current look as well.
    expectSelectorLook(0, false);
    expectSelectorLook(3, true);

    // Back to the tab: at once, on its page.
    mainEngine(3).completeNavigation(homePage(3));
    clickTab(2);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"T2"_s});
    EXPECT_EQ(tabEngine(2).navigations(), QStringList());
    EXPECT_EQ(f().ComboWebLocation[2].text(), tabPage(2));
}

TEST_F(SwitchTest, PickingTheSelectedBrowserFromATabReturnsToItWithoutTheNotice)
{
    openTabs(1);
    pickInStrip(0);
    EXPECT_FALSE(f().FrameActiveBrow.isVisible());
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(s().TabCurrentIndex, 0);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W0"_s});
    EXPECT_EQ(mainNavigations(0), QStringList{homePage(0)});
    expectSelectorLook(0, true);
    // A second pick now is a pick of the browser on screen.
    pickInStrip(0);
    EXPECT_TRUE(f().FrameActiveBrow.isVisible());
}

TEST_F(SwitchTest, PickingAMainBrowserFromTheBookmarkBrowserKeepsItLoadedButHidden)
{
    BookmarkAdd(*app, u"mark"_s, u"http://mark.velmora.example/"_s);
    openBookmarkBrowser();
    ASSERT_EQ(visibleBrowsers(), QStringList{u"W6"_s});
    // Browser #1 is the selected one, though not on screen.
    expectSelectorLook(0, false);

    pickInStrip(4);
    EXPECT_FALSE(s().BookmarkBrowserCurrent);
    EXPECT_TRUE(s().BookmarkBrowserOpen);
    EXPECT_TRUE(f().WebBrowser.exists(BookmarkBrowserIndex));
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W4"_s});
    EXPECT_EQ(currentFlags(), 1);

    // Picking the selected browser from the bookmark browser: no notice.
    openBookmarkBrowser();
    pickInStrip(4);
    EXPECT_FALSE(f().FrameActiveBrow.isVisible());
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W4"_s});
    EXPECT_EQ(mainNavigations(4), QStringList{homePage(4)});
}

class ThreeBrowsersTest : public TabsFixture {
protected:
    void SetUp() override { start(2); }
};

TEST_F(ThreeBrowsersTest, OnlyTheBrowsersOfTheSettingsCanBePicked)
{
    for (int m = 0; m <= 5; ++m) {
        EXPECT_EQ(f().CommandShowBrowser[m].isVisible(), m <= 2) << m;
        EXPECT_EQ(f().CommandShowBrowser[m].click(), m <= 2) << m;
    }
    EXPECT_EQ(s().MainBrowserIndex, 2);
    EXPECT_EQ(visibleBrowsers(), QStringList{u"W2"_s});
}

} // namespace
