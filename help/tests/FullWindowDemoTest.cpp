// Topic 9, "Full Window Mode": the overview that puts the imitation's frames in place by
// the open tabs, and the pages of its buttons.

#include "TopicFixture.h"

#include <QFontMetrics>

namespace helptest {

namespace {

using corvanehelp::frmMain;

class FullWindowDemoTest : public TopicTest {
protected:
    const QString fullTitle = QStringLiteral("Corvane - Running In Full Window");
    const QString tabsNote = QStringLiteral("\r\nPlease Note : All Tabs are closed and can not be shown in this mode. To view "
                                            "Tab buttons in this mode please go to 'Tabs and related buttons' Topic and come "
                                            "back to this Topic.");
};

TEST_F(FullWindowDemoTest, OverviewWithTabsOpenShowsTheTallBarAndNoNote)
{
    frmMain& f = w();
    select(9);
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(introShown(), 7);
    EXPECT_EQ(title(), fullTitle);
    EXPECT_TRUE(text().startsWith(QStringLiteral("Corvane will run in Full Window mode if 'Full Window' button is clicked.")));
    EXPECT_TRUE(text().endsWith(QStringLiteral("Please click on any button for more information.")));
    EXPECT_EQ(f.FrameCommon.height(), 885);
    EXPECT_TRUE(f.CommandFullShowTab.isEnabled());
    EXPECT_TRUE(hasFace(f.CommandFullShowTab, 3));
    EXPECT_TRUE(f.FrameCommon.isVisible());
    EXPECT_FALSE(f.FrameOne.isVisible());
    EXPECT_FALSE(f.FrameFullBrowser.isVisible());
    EXPECT_TRUE(hasFace(f.CommandZero, 4));
    EXPECT_FALSE(f.FrameGo.isVisible());
}

// The bar's buttons read as the real bar's: a caption under each, inside its bar and
// whole, and the button itself still takes the click at its centre.
TEST_F(FullWindowDemoTest, BarButtonsShowTheirCaptionsUnderThem)
{
    frmMain& f = w();
    f.show();
    select(9);
    struct Case {
        vb::CommandButton* button;
        vb::Label* label;
        const char* caption;
    };
    const Case cases[] = {
        {&f.CommandZero, &f.LabelZero, "Main Control"},
        {&f.CommandFullNav[0], &f.LabelFullNav[0], "Home"},
        {&f.CommandFullNav[1], &f.LabelFullNav[1], "Srch"},
        {&f.CommandFullNav[2], &f.LabelFullNav[2], "Rfrsh"},
        {&f.CommandFullNav[3], &f.LabelFullNav[3], "Stop"},
        {&f.CommandFullGo, &f.LabelFullGo, "Go"},
        {&f.CommandFullShowTab, &f.LabelFullShowTab, "Tabs"},
    };
    for (const Case& c : cases) {
        const QWidget* b = c.button->widget();
        const QWidget* l = c.label->widget();
        EXPECT_EQ(c.label->caption(), QLatin1String(c.caption));
        EXPECT_TRUE(l->isVisible()) << c.caption;
        ASSERT_EQ(l->parentWidget(), b->parentWidget()) << c.caption;
        const QRect button = b->geometry();
        const QRect label = l->geometry();
        EXPECT_GE(label.top(), button.bottom()) << c.caption;
        EXPECT_TRUE(label.left() <= button.center().x() && button.center().x() <= label.right()) << c.caption;
        EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(c.label->caption()), label.width()) << c.caption;
        EXPECT_LE(label.bottom(), l->parentWidget()->rect().bottom()) << c.caption;
        EXPECT_EQ(b->parentWidget()->childAt(button.center()), b) << c.caption;
    }
    // Side by side, the captions of the bar do not run into each other.
    for (int k = 0; k < 3; ++k)
        EXPECT_LE(f.LabelFullNav[k].widget()->geometry().right(), f.LabelFullNav[k + 1].widget()->geometry().left() - 1) << k;
    // The tab row starts below the captions.
    EXPECT_GE(f.FrameFullTab.widget()->geometry().top(), f.FrameFullNavigate.widget()->geometry().bottom());
    EXPECT_GE(f.FrameFullTab.widget()->geometry().top(), f.LabelFullGo.widget()->geometry().bottom());
}

TEST_F(FullWindowDemoTest, OverviewWithEveryTabClosedShowsTheNoteAndTheShortBar)
{
    frmMain& f = w();
    select(8);
    f.CommandTabClose[0].click();
    select(9);
    EXPECT_TRUE(text().endsWith(tabsNote));
    EXPECT_TRUE(text().startsWith(QStringLiteral("Corvane will run in Full Window mode")));
    EXPECT_EQ(f.FrameCommon.height(), 405);
    EXPECT_FALSE(f.CommandFullShowTab.isEnabled());

    // Reopened through the Tabs topic, they are back here.
    select(8);
    select(9);
    EXPECT_FALSE(text().contains(QStringLiteral("Please Note")));
    EXPECT_EQ(f.FrameCommon.height(), 885);
    EXPECT_TRUE(f.CommandFullShowTab.isEnabled());
}

TEST_F(FullWindowDemoTest, PagesLeaveTheFramesAsTheClickSetThemUntilTheOverview)
{
    frmMain& f = w();
    select(9);
    f.CommandZero.click();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_EQ(title(), fullTitle);
    EXPECT_TRUE(text().startsWith(QStringLiteral("This is 'Main Control' button.\r\n")));
    EXPECT_TRUE(f.FrameOne.isVisible());

    f.CommandTwo[1].click();
    EXPECT_EQ(t().StepNumber, 8);
    EXPECT_TRUE(f.FrameFullBrowser.isVisible());
    EXPECT_TRUE(text().contains(QStringLiteral("Clicling on any control button")));

    f.CommandComHide.click();
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_FALSE(f.FrameCommon.isVisible());
    EXPECT_TRUE(f.FrameOne.isVisible());
    EXPECT_TRUE(f.FrameFullBrowser.isVisible());
    EXPECT_EQ(text(), QStringLiteral("This button will hide the Navigation bar.\r\n"
                                     "To bring Navigation bar back please click on 'Main Control' and then on 'Navigation' button."));

    f.CommandFullBrowser[2].click();
    EXPECT_EQ(t().StepNumber, 13);
    EXPECT_EQ(text(), QStringLiteral("These buttons selects a main Browser to make it the current (visible) Browser."));
    EXPECT_EQ(f.LabelCurrentBrowser[1].caption(), QStringLiteral("Current Browser :: Main Browser #3"));

    f.CommandHideBrowser.click();
    EXPECT_EQ(t().StepNumber, 15);
    EXPECT_FALSE(f.FrameFullBrowser.isVisible());
    f.CommandHideControl.click();
    EXPECT_EQ(t().StepNumber, 14);
    EXPECT_FALSE(f.FrameOne.isVisible());
    EXPECT_FALSE(f.FrameCommon.isVisible());

    // Restart Topic puts everything back.
    f.CommandZero.click();
    f.CommandTwo[1].click();
    engine().TopicShowSelected();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_TRUE(f.FrameCommon.isVisible());
    EXPECT_FALSE(f.FrameOne.isVisible());
    EXPECT_FALSE(f.FrameFullBrowser.isVisible());
    EXPECT_TRUE(hasFace(f.CommandZero, 4));
}

TEST_F(FullWindowDemoTest, EachButtonShowsItsPage)
{
    frmMain& f = w();
    select(9);
    f.CommandZero.click();
    struct Case {
        vb::CommandButton* button;
        int step;
        const char* lastLine;
    };
    const Case cases[] = {
        {&f.CommandFullGo, 4, "Please see 'Navigation' Topic."},
        {&f.CommandFullNav[2], 4, "Please see 'Navigation' Topic."},
        {&f.CommandFullTab[1], 5, "Please see 'Tabs and related buttons' Topic."},
        {&f.CommandFullTabClose[0], 5, "Please see 'Tabs and related buttons' Topic."},
        {&f.CommandFullShowTab, 3, "This button will show/hide Tab buttons."},
        {&f.CommandOne[3], 6, "Please see 'Main buttons' Topic."},
        {&f.CommandTwo[0], 7, "'Navigation' button show/hide Navigation bar."},
        {&f.CommandTwo[2], 9, "For more on 'Show' please see 'Open' and 'Bookmarks' in 'Main buttons' Topic."},
        {&f.CommandTwo[3], 10, "Please see 'Main buttons' Topic."},
        {&f.CommandTwo[5], 12, "Corvane will exit when this button is clicked."},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.button->click()) << c.step;
        EXPECT_EQ(t().StepNumber, c.step);
        EXPECT_EQ(t().IntroFrameIndex, 7);
        EXPECT_EQ(title(), fullTitle) << c.step;
        EXPECT_TRUE(text().endsWith(QLatin1String(c.lastLine))) << c.step;
    }
    f.ImageFullBack.click();
    EXPECT_EQ(t().StepNumber, 4);
}

TEST_F(FullWindowDemoTest, NormalWindowTellsFirstAndLeadsToMainButtonsSecond)
{
    frmMain& f = w();
    select(9);
    f.CommandZero.click();
    f.CommandTwo[4].click();
    EXPECT_EQ(t().StepNumber, 11);
    EXPECT_EQ(title(), QStringLiteral("Corvane - Running In Normal Window"));
    EXPECT_EQ(text(), QStringLiteral("'Normal Window' button brings back the 'Normal Window' mode.\r\n"
                                     "To view Normal Window Mode please click 'Normal Window' button again ."));
    f.CommandTwo[4].click();
    EXPECT_EQ(t().TopicIndex, 5);
    EXPECT_TRUE(f.OptionTopic[5].value());
    EXPECT_EQ(introShown(), 5);
    EXPECT_EQ(title(), QStringLiteral("Main Buttons"));
}

} // namespace

} // namespace helptest
