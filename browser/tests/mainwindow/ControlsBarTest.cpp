// The Controls bar and the full-window bar: Navigation, Browser, Bookmarks, Run, Normal
// Window and Hide, the Controls switch, the "x" of the full-window bar, its one-row and
// two-row toggle, and the placing of the panels under the bars.

#include "MenusFixture.h"

#include <QTest>

namespace menustest {
namespace {

class ControlsBarTest : public MenusFixture {};

TEST_F(ControlsBarTest, FullWindowButtonEntersFullWindowAndNormalWindowLeavesIt)
{
    start();
    ASSERT_TRUE(f().CommandFullBrow.click());
    EXPECT_TRUE(s().FullWindowMode);
    EXPECT_EQ(s().BarIndex, 1);
    EXPECT_TRUE(f().FrameZero.isVisible());
    EXPECT_FALSE(f().FrameOne.isVisible());
    ASSERT_TRUE(f().CommandZero.click());
    ASSERT_TRUE(f().CommandOne[10].click());
    EXPECT_FALSE(s().FullWindowMode);
    EXPECT_TRUE(f().FrameBigMain.isVisible());
    EXPECT_FALSE(f().FrameZero.isVisible());
    EXPECT_FALSE(f().FrameCommon.isVisible());
}

TEST_F(ControlsBarTest, ControlsSwitchShowsTheBarUnderTheFullWindowBarAndHidingItClosesTheMenu)
{
    start();
    ASSERT_TRUE(f().CommandFullBrow.click());
    ASSERT_TRUE(f().CommandZero.click());
    EXPECT_TRUE(f().FrameOne.isVisible());
    EXPECT_EQ(f().FrameOne.top(), f().FrameCommon.height());
    EXPECT_TRUE(hasFace(f().CommandZero, 3));

    ASSERT_TRUE(f().CommandOne[1].click());
    ASSERT_TRUE(f().FrameMenu[1].isVisible());
    ASSERT_TRUE(f().CommandZero.click());
    EXPECT_FALSE(f().FrameOne.isVisible());
    EXPECT_FALSE(f().FrameMenu[1].isVisible());
    EXPECT_EQ(s().MenuOpenIndex, -1);
    EXPECT_TRUE(hasFace(f().CommandZero, 10));
}

TEST_F(ControlsBarTest, NavigationPressedTwiceReturnsToTheStartingState)
{
    start();
    enterFullWindowWithControls();
    ASSERT_TRUE(f().CommandOne[6].click());
    EXPECT_EQ(s().BarIndex, 0);
    EXPECT_FALSE(f().FrameCommon.isVisible());
    EXPECT_EQ(f().FrameOne.top(), 0);

    f().ComboComLocation.setText(QStringLiteral("stale"));
    ASSERT_TRUE(f().CommandOne[6].click());
    EXPECT_EQ(s().BarIndex, 1);
    EXPECT_TRUE(f().FrameCommon.isVisible());
    EXPECT_EQ(f().FrameOne.top(), f().FrameCommon.height());
    EXPECT_EQ(f().ComboComLocation.text(), homePage(0)); // the bar's box refreshed

    ASSERT_TRUE(f().CommandOne[6].click());
    EXPECT_EQ(s().BarIndex, 0);
    EXPECT_FALSE(f().FrameCommon.isVisible());
    EXPECT_EQ(f().FrameOne.top(), 0);
}

TEST_F(ControlsBarTest, AfterXTheControlsSwitchDoesNotBringTheBarBackButNavigationDoes)
{
    start();
    enterFullWindowWithControls();
    ASSERT_TRUE(f().CommandComHide.click());
    EXPECT_TRUE(s().FullBarHidden);
    EXPECT_EQ(s().BarIndex, 0);
    EXPECT_FALSE(f().FrameCommon.isVisible());
    EXPECT_EQ(f().FrameOne.top(), 0);
    // The panels stand under the Controls bar now.
    EXPECT_EQ(f().FrameBrowser.top(), 140);
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(f().FrameMenu[i].top(), 140) << "menu " << i;
    const int below = 140 + f().FrameMenu[0].height();
    for (vb::Frame* panel : {&f().FrameCreate, &f().FrameChoice, &f().FrameMail, &f().FrameHome, &f().FrameMark,
                             &f().FrameNoBookmark, &f().FrameDoneBookmark, &f().FrameAlreadyBookmarked})
        EXPECT_EQ(panel->top(), below);
    EXPECT_EQ(f().FrameName.top(), below + f().FrameChoice.height());
    EXPECT_EQ(f().FrameNote.top(), below);

    ASSERT_TRUE(f().CommandZero.click());
    ASSERT_TRUE(f().CommandZero.click());
    EXPECT_TRUE(f().FrameOne.isVisible());
    EXPECT_FALSE(f().FrameCommon.isVisible());
    EXPECT_EQ(f().FrameOne.top(), 0);

    ASSERT_TRUE(f().CommandOne[6].click());
    EXPECT_FALSE(s().FullBarHidden);
    EXPECT_EQ(s().BarIndex, 1);
    EXPECT_TRUE(f().FrameCommon.isVisible());
}

TEST_F(ControlsBarTest, ControlsSwitchBringsBackABarThatNavigationHidAndLeavesItsIndex)
{
    start();
    enterFullWindowWithControls();
    ASSERT_TRUE(f().CommandOne[6].click());
    ASSERT_FALSE(f().FrameCommon.isVisible());
    ASSERT_TRUE(f().CommandZero.click());
    ASSERT_TRUE(f().CommandZero.click());
    EXPECT_TRUE(f().FrameCommon.isVisible());
    EXPECT_EQ(s().BarIndex, 0);
    EXPECT_EQ(f().FrameOne.top(), f().FrameCommon.height());
}

TEST_F(ControlsBarTest, OneRowOrTwoRowsMovesTheControlsBarAndThePanels)
{
    start();
    ASSERT_EQ(openTab(QStringLiteral("http://tab1.velmora.example/")), 1);
    enterFullWindowWithControls();
    ASSERT_EQ(f().FrameCommon.height(), 59);
    ASSERT_EQ(f().FrameOne.top(), 59);

    ASSERT_TRUE(f().CommandComTab.click());
    EXPECT_TRUE(s().FullBarOneRow);
    EXPECT_EQ(f().FrameCommon.height(), 29);
    EXPECT_EQ(f().FrameOne.top(), 29);
    EXPECT_TRUE(hasFace(f().CommandComTab, 0));
    EXPECT_EQ(f().FrameMenu[2].top(), 29 + 140);
    EXPECT_EQ(f().FrameBrowser.top(), 29 + 140);

    ASSERT_TRUE(f().CommandComTab.click());
    EXPECT_FALSE(s().FullBarOneRow);
    EXPECT_EQ(f().FrameCommon.height(), 59);
    EXPECT_EQ(f().FrameOne.top(), 59);
    EXPECT_TRUE(hasFace(f().CommandComTab, 3));
    EXPECT_EQ(f().FrameCreate.top(), 59 + 140 + f().FrameMenu[0].height());
}

TEST_F(ControlsBarTest, NoteStandsUnderTheChoicesOrTheNamePanelWhenPanelsArePlaced)
{
    start();
    f().FrameChoice.setVisible(true);
    f().PlacePanels(100);
    const int second = 100 + f().FrameMenu[0].height() + f().FrameChoice.height();
    EXPECT_EQ(f().FrameNote.top(), second);
    f().FrameName.setVisible(true);
    f().PlacePanels(100);
    EXPECT_EQ(f().FrameNote.top(), second + f().FrameName.height());
}

TEST_F(ControlsBarTest, BrowserOpensThePanelBesideTheBarAndBookmarksRunOrHideCloseIt)
{
    corvanetest::registerProgram(*app, QStringLiteral("Other"), dir.filePath(QStringLiteral("Other")));
    start(2);
    enterFullWindowWithControls();
    vb::Frame& panel = f().FrameBrowser;

    ASSERT_TRUE(f().CommandOne[7].click());
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.left(), f().FrameOne.left() + 120);
    EXPECT_EQ(panel.top(), f().FrameCommon.height() + f().FrameOne.height());
    EXPECT_TRUE(hasFace(f().CommandOne[7], 3));
    ASSERT_TRUE(f().CommandOne[7].click());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(hasFace(f().CommandOne[7], 0));

    ASSERT_TRUE(f().CommandOne[7].click());
    f().CommandOne_Click(8); // Bookmarks (its button is enabled only with the bookmark browser open)
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(hasFace(f().CommandOne[7], 0));

    ASSERT_TRUE(f().CommandOne[7].click());
    ASSERT_TRUE(f().CommandOne[9].click());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(hasFace(f().CommandOne[7], 0));

    ASSERT_TRUE(f().CommandOne[7].click());
    ASSERT_TRUE(f().CommandHideBrowser.click());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(hasFace(f().CommandOne[7], 0));
}

// The Controls bar offers "Run" only when another program of the maker can be run. A user's
// click where the item would stand reaches no Run button.
TEST_F(ControlsBarTest, RunIsOfferedOnlyWhenAnotherProgramCanBeRun)
{
    ASSERT_EQ(app->reg.FamilyRunLast, -1);
    start();
    enterFullWindowWithControls();
    EXPECT_FALSE(f().CommandOne[9].isVisible());
    EXPECT_FALSE(f().LabelOne[9].isVisible());
    QWidget* bar = f().FrameOne.widget();
    const QPoint spot = f().CommandOne[9].widget()->geometry().center();
    QWidget* hit = bar->childAt(spot);
    EXPECT_TRUE(hit != f().CommandOne[9].widget() && !f().CommandOne[9].widget()->isAncestorOf(hit));
    QTest::mouseClick(hit ? hit : bar, Qt::LeftButton, {}, hit ? hit->mapFrom(bar, spot) : spot);
    EXPECT_FALSE(f().FrameRun.isVisible());
    // The other items are all there.
    for (int i = 0; i <= 12; ++i)
        if (i != 9) {
            EXPECT_TRUE(f().CommandOne[i].isVisible()) << i;
        }
}

TEST_F(ControlsBarTest, RunIsOfferedWithAnotherProgramAndOpensTheBox)
{
    corvanetest::registerProgram(*app, QStringLiteral("Other"), dir.filePath(QStringLiteral("Other")));
    start();
    enterFullWindowWithControls();
    ASSERT_TRUE(f().CommandOne[9].isVisible());
    EXPECT_TRUE(f().LabelOne[9].isVisible());
    QWidget* button = f().CommandOne[9].widget();
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    EXPECT_TRUE(f().FrameRun.isVisible());
}

TEST_F(ControlsBarTest, OtherItemsCloseTheBookmarksPanelAndTheRunBox)
{
    corvanetest::registerProgram(*app, QStringLiteral("Other"), dir.filePath(QStringLiteral("Other")));
    start(2);
    enterFullWindowWithControls();
    f().FrameBookmark.setVisible(true);
    f().CommandOne[8].setPicture(f().BButton[3].picture());
    f().FrameRun.setVisible(true);
    f().CommandOne[9].setPicture(f().BButton[3].picture());
    ASSERT_TRUE(f().CommandOne[7].click());
    EXPECT_FALSE(f().FrameBookmark.isVisible());
    EXPECT_TRUE(hasFace(f().CommandOne[8], 0));
    EXPECT_TRUE(hasFace(f().CommandShowBookmark, 0));
    EXPECT_FALSE(f().FrameRun.isVisible());
    EXPECT_TRUE(hasFace(f().CommandOne[9], 10));
    EXPECT_TRUE(hasFace(f().CommandRun, 10));
}

TEST_F(ControlsBarTest, PageWhileTheBrowsersPanelIsOpenClosesItAndOpensTheMenuUnderTheBar)
{
    start(2);
    enterFullWindowWithControls();
    ASSERT_TRUE(f().CommandOne[7].click());
    ASSERT_TRUE(f().CommandOne[0].click());
    EXPECT_FALSE(f().FrameBrowser.isVisible());
    EXPECT_TRUE(hasFace(f().CommandOne[7], 0));
    vb::Frame& menu = f().FrameMenu[0];
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(s().MenuOpenIndex, 0);
    EXPECT_TRUE(hasFace(f().CommandOne[0], 3));
    EXPECT_EQ(menu.top(), f().FrameOne.top() + f().FrameOne.height());
    EXPECT_EQ(menu.left(), 8);
    EXPECT_EQ(menu.width(), 37);
    EXPECT_EQ(slideToEnd(), 6);

    ASSERT_TRUE(f().CommandOne[0].click());
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(s().MenuOpenIndex, -1);
}

TEST_F(ControlsBarTest, NavigationBrowserAndBookmarksCloseAnOpenMenuFirst)
{
    start(2);
    enterFullWindowWithControls();
    for (int item : {6, 7, 8}) {
        ASSERT_TRUE(f().CommandOne[2].click());
        ASSERT_TRUE(f().FrameMenu[2].isVisible());
        f().CommandOne_Click(item);
        EXPECT_FALSE(f().FrameMenu[2].isVisible()) << "item " << item;
        EXPECT_EQ(s().MenuOpenIndex, -1) << "item " << item;
        EXPECT_TRUE(hasFace(f().CommandOne[2], 0)) << "item " << item;
    }
}

TEST_F(ControlsBarTest, HideHidesTheBarAndClosesTheOpenMenu)
{
    start();
    enterFullWindowWithControls();
    ASSERT_TRUE(f().CommandOne[4].click());
    ASSERT_TRUE(f().CommandOne[12].click());
    EXPECT_FALSE(f().FrameOne.isVisible());
    EXPECT_TRUE(hasFace(f().CommandZero, 10));
    EXPECT_FALSE(f().FrameMenu[4].isVisible());
    EXPECT_EQ(s().MenuOpenIndex, -1);
}

// The Run box goes away with the Controls switch; its buttons must not go on showing it open.
TEST_F(ControlsBarTest, ControlsSwitchClosesTheRunBoxWithItsButtons)
{
    corvanetest::registerProgram(*app, QStringLiteral("Other"), dir.filePath(QStringLiteral("Other")));
    start();
    enterFullWindowWithControls();
    f().FrameRun.setVisible(true);
    f().CommandOne[9].setPicture(f().BButton[3].picture());
    f().CommandRun.setPicture(f().BButton[3].picture());
    ASSERT_TRUE(f().CommandZero.click());
    ASSERT_TRUE(f().CommandZero.click());
    EXPECT_FALSE(f().FrameRun.isVisible());
    EXPECT_TRUE(hasFace(f().CommandOne[9], 10));
    EXPECT_TRUE(hasFace(f().CommandRun, 10));
}

TEST_F(ControlsBarTest, ReshowingTheControlsBarMovesAnOpenNoteBelowIt)
{
    start();
    enterFullWindowWithControls();
    ASSERT_TRUE(f().CommandZero.click());
    f().FrameNote.setVisible(true);
    ASSERT_TRUE(f().CommandZero.click());
    EXPECT_EQ(f().FrameNote.top(), f().FrameCommon.height() + 140 + 8);
}

} // namespace
} // namespace menustest
