// A secondary window's full-window mode: the compact bar, "Show", the "Controls" frame and
// its commands, and the way back to the normal bar.

#include "WebWindowFixture.h"

using namespace webwindowtest;
using namespace corvane;

namespace {

using BarsTest = WebWindowTest;

TEST_F(BarsTest, FullWindowWithoutTabs)
{
    frmWeb& w = openWindowAt(site(1) + QStringLiteral("a.html"));
    complete(w, 0, site(2));
    ASSERT_TRUE(w.CommandPopBookmark.click());
    ASSERT_TRUE(w.CommandFullPop.click());
    EXPECT_TRUE(w.PopFullWindow);
    EXPECT_EQ(w.PopBarIndex, 1);
    EXPECT_EQ(w.PopBandHeight, 0);
    EXPECT_FALSE(w.FrameBigPop.isVisible());
    EXPECT_FALSE(w.FrameSmallPop[3].isVisible());
    EXPECT_TRUE(w.FramePopZero.isVisible());
    EXPECT_TRUE(w.FramePopCommon.isVisible());
    EXPECT_FALSE(w.FramePopOne.isVisible());
    EXPECT_EQ(w.FramePopCommon.height(), 27);
    const vb::WebBrowser& page = w.BrowserPop[0];
    EXPECT_EQ(page.top(), 0);
    EXPECT_EQ(page.height(), w.PopHeight - 32);
    EXPECT_EQ(page.width(), w.PopBrowserWidth);
    EXPECT_EQ(w.ComboPopComLocation.items(), (QStringList{site(1), site(2)}));
    EXPECT_EQ(w.ComboPopComLocation.text(), site(2));
    EXPECT_FALSE(w.CommandPopComTab.isEnabled());

    // The display keeps the band away; the progress and new sites reach the compact bar.
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    e.fireBeforeNavigate2();
    EXPECT_TRUE(w.ProgressPop[1].isVisible());
    EXPECT_FALSE(w.ProgressPop[0].isVisible());
    e.fireDownloadBegin();
    w.TimerPop.fire();
    EXPECT_TRUE(samePicture(w.ImageCrazy[1].picture(), w.ImageShow[1].picture()));
    e.fireNavigateComplete2(site(3));
    e.fireDownloadComplete();
    EXPECT_FALSE(w.FrameBigPop.isVisible());
    EXPECT_EQ(w.BrowserPop[0].top(), 0);
    EXPECT_EQ(w.ComboPopComLocation.items(), (QStringList{site(1), site(2), site(3)}));
    EXPECT_EQ(w.ComboPopComLocation.text(), site(3));
    // Typed into the compact box, Go goes there.
    w.ComboPopComLocation.setText(QStringLiteral("velmora.example"));
    ASSERT_TRUE(w.CommandPopComGo.click());
    EXPECT_EQ(e.lastNavigation(), QStringLiteral("http://www.velmora.example"));

    // Panels open under the "Controls" frame.
    ASSERT_TRUE(w.CommandPopZero.click());
    ASSERT_TRUE(w.CommandPopPage[1].click());
    EXPECT_EQ(w.FrameSmallPop[4].top(), w.FramePopOne.top() + w.FramePopOne.height() + 4);
    EXPECT_EQ(w.FrameSmallPop[4].left(), 24);
    w.CommandPopOne_Click(2);
    EXPECT_TRUE(w.FrameSmallPop[0].isVisible());
    EXPECT_EQ(w.FrameSmallPop[0].top(), w.FramePopOne.top() + w.FramePopOne.height() + 4);
    EXPECT_EQ(w.FrameSmallPop[0].left(), 24);
}

TEST_F(BarsTest, TheTabsButtonFoldsTheCompactBarWhileTabsAreOpen)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, 2);
    ASSERT_TRUE(w.CommandFullPop.click());
    EXPECT_EQ(w.FramePopCommon.height(), 59);
    ASSERT_TRUE(w.CommandPopComTab.isEnabled());
    ASSERT_TRUE(w.CommandPopComTab.click());
    EXPECT_EQ(w.FramePopCommon.height(), 27);
    EXPECT_TRUE(w.PopTabRowHidden);
    EXPECT_EQ(w.FramePopOne.top(), 27);
    EXPECT_TRUE(samePicture(w.CommandPopComTab.picture(), w.BButton[0].picture()));
    // Folded it stays through the next pages.
    complete(w, 2, site(9));
    EXPECT_EQ(w.FramePopCommon.height(), 27);
    ASSERT_TRUE(w.CommandPopComTab.click());
    EXPECT_EQ(w.FramePopCommon.height(), 59);
    EXPECT_TRUE(samePicture(w.CommandPopComTab.picture(), w.BButton[3].picture()));
    ASSERT_TRUE(w.CommandPopComTab.click());
    // Until no tab is left.
    ASSERT_TRUE(w.CommandPopComClose[0].click());
    EXPECT_FALSE(w.PopTabRowHidden);
    EXPECT_EQ(w.FramePopCommon.height(), 27);
    EXPECT_FALSE(w.CommandPopComTab.isEnabled());
    EXPECT_EQ(w.PopBandHeight, 0);
    EXPECT_EQ(w.BrowserPop[0].top(), 0);
}

TEST_F(BarsTest, TheCompactBarsCommandsAreThoseOfTheNormalBar)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, 2);
    ASSERT_TRUE(w.CommandFullPop.click());
    ASSERT_TRUE(w.CommandPopComNew[1].click());
    EXPECT_EQ(w.PopTabCurrent, 1);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{1});
    EXPECT_EQ(w.BrowserPop[1].top(), 0);
    EXPECT_EQ(w.ComboPopComLocation.text(), site(1));
    ASSERT_TRUE(w.CommandPopComRefresh.click());
    EXPECT_EQ(engineOf(w, 1).refreshCalls(), 1);
    EXPECT_TRUE(w.PopPopupGuard);
    ASSERT_TRUE(w.CommandPopComStop.click());
    EXPECT_EQ(engineOf(w, 1).stopCalls(), 1);
    EXPECT_FALSE(w.PopPopupGuard);
    ASSERT_TRUE(w.CommandPopComSearch.click());
    EXPECT_EQ(engineOf(w, 1).searchCalls(), 1);
    ASSERT_TRUE(w.CommandPopComClose[1].click());
    EXPECT_EQ(w.PopTabCount, 1);
    EXPECT_EQ(w.PopTabCurrent, 0);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{0});
}

TEST_F(BarsTest, ShowTogglesTheControlsAndBringsBackAHiddenCompactBar)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_TRUE(w.CommandFullPop.click());
    ASSERT_TRUE(w.CommandPopZero.click());
    EXPECT_TRUE(w.FramePopOne.isVisible());
    EXPECT_EQ(w.FramePopOne.top(), 27);
    ASSERT_TRUE(w.CommandPopZero.click());
    EXPECT_FALSE(w.FramePopOne.isVisible());

    ASSERT_TRUE(w.CommandPopCommon.click());
    EXPECT_FALSE(w.FramePopCommon.isVisible());
    EXPECT_EQ(w.PopBarIndex, 0);
    EXPECT_EQ(w.FramePopOne.top(), 16);
    ASSERT_TRUE(w.CommandPopZero.click());
    EXPECT_TRUE(w.FramePopOne.isVisible());
    EXPECT_TRUE(w.FramePopCommon.isVisible());

    // "Navigation" turns the compact bar off and on again.
    ASSERT_TRUE(w.CommandPopOne[1].click());
    EXPECT_EQ(w.PopBarIndex, 1);
    EXPECT_TRUE(w.FramePopCommon.isVisible());
    ASSERT_TRUE(w.CommandPopOne[1].click());
    EXPECT_EQ(w.PopBarIndex, 0);
    EXPECT_FALSE(w.FramePopCommon.isVisible());
    EXPECT_EQ(w.FramePopOne.top(), 16);
    ASSERT_TRUE(w.CommandPopOne[0].click());
    EXPECT_FALSE(w.FramePopOne.isVisible());
}

TEST_F(BarsTest, NormalWindowWithThreeTabs)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, 3);
    ASSERT_TRUE(w.CommandFullPop.click());
    ASSERT_TRUE(w.CommandPopZero.click());
    ASSERT_TRUE(w.CommandPopOne[3].click());
    EXPECT_FALSE(w.PopFullWindow);
    EXPECT_EQ(w.PopBarIndex, 0);
    EXPECT_FALSE(w.FramePopCommon.isVisible());
    EXPECT_FALSE(w.FramePopZero.isVisible());
    EXPECT_FALSE(w.FramePopOne.isVisible());
    EXPECT_TRUE(w.FrameBigPop.isVisible());
    EXPECT_TRUE(w.FramePopMainBut[0].isVisible());
    EXPECT_TRUE(w.FramePopList.isVisible());
    EXPECT_EQ(w.PopBandHeight, 108);
    EXPECT_EQ(w.FrameBigPop.height(), 108);
    const vb::WebBrowser& tab = w.BrowserPop[3];
    EXPECT_EQ(tab.top(), 108);
    EXPECT_EQ(tab.height(), w.PopHeight - 140);
    // The next download shows in the normal bar.
    engineOf(w, 3).fireBeforeNavigate2();
    EXPECT_TRUE(w.ProgressPop[0].isVisible());
    EXPECT_FALSE(w.ProgressPop[1].isVisible());
}

TEST_F(BarsTest, CloseBrowserOfTheControlsClosesTheWindow)
{
    frmWeb& w = openWindowAt(site(0));
    QPointer<frmWeb> window(&w);
    ASSERT_TRUE(w.CommandFullPop.click());
    ASSERT_TRUE(w.CommandPopZero.click());
    ASSERT_TRUE(w.CommandPopOne[4].click());
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(windows().isEmpty());
}

} // namespace
