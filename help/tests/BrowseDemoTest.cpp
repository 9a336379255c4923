// Topics 6 "Navigation", 7 "Browser" and 8 "Tabs and related buttons": the pages the
// imitation's clicks lead to and the demonstration state they show.

#include "TopicFixture.h"
#include "UserInput.h"

namespace helptest {

namespace {

using corvanehelp::frmMain;

class BrowseDemoTest : public TopicTest {
protected:
    // The label above the location box, the example browser's line of the current
    // browser, and no other line.
    void expectCurrent(const QString& label, int line, int at)
    {
        EXPECT_EQ(w().LabelCurrentBrowser[0].caption(), QStringLiteral("Current Browser :: ") + label) << "line " << at;
        EXPECT_EQ(w().LabelCurrentBrowser[1].caption(), QStringLiteral("Current Browser :: ") + label) << "line " << at;
        for (int i = 0; i <= 5; ++i)
            EXPECT_EQ(w().LabelExBrowser[i].caption(), i == line ? label : QString()) << "line " << at << " label " << i;
    }
    void closeCurrentTab() { w().CommandTabClose[1].click(); }
};

#define EXPECT_CURRENT(label, line) expectCurrent(QStringLiteral(label), line, __LINE__)

// ---------------------------------------------------------------------------------------
// Navigation

TEST_F(BrowseDemoTest, NavigationPagesKeepTheButtonsOfTheTopicTheyAreReachedFrom)
{
    frmMain& f = w();
    struct Case {
        int topic;
        bool browsers, tabs;
    };
    for (const Case c : {Case{6, false, false}, Case{7, true, false}, Case{8, true, true}}) {
        select(c.topic);
        for (vb::CommandButton* b : {&f.CommandNavigate[2], &f.CommandNavigate[3], &f.CommandNavigate[1]}) {
            b->click();
            EXPECT_EQ(t().IntroFrameIndex, 6);
            EXPECT_EQ(f.FrameBrowser.isVisible(), c.browsers) << c.topic << " step " << t().StepNumber;
            EXPECT_EQ(f.FrameExBrowser.isVisible(), c.browsers) << c.topic;
            EXPECT_EQ(f.FrameTab.isVisible(), c.tabs) << c.topic << " step " << t().StepNumber;
            // Only the overview has the description frame.
            EXPECT_FALSE(f.FrameDescription6.isVisible()) << c.topic;
        }
        f.ImageNavBack.click();
        EXPECT_EQ(t().StepNumber, 1);
        EXPECT_EQ(title(), QStringLiteral("Navigation || Back"));
        EXPECT_EQ(f.FrameTab.isVisible(), c.tabs) << c.topic;
    }
}

TEST_F(BrowseDemoTest, NavigationOverviewAndItsPages)
{
    frmMain& f = w();
    select(6);
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Navigation"));
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoCurrentPage());
    EXPECT_EQ(f.LabelExLocation[0].caption(), corvanehelp::DemoCurrentPage());
    EXPECT_TRUE(f.FrameDescription6.isVisible());
    EXPECT_EQ(f.LabelDescription6.caption(),
              QStringLiteral("Type in the Combo box or click on any button to find out how and what these do.\r\n\r\n"
                             "'Go' button will be enabled if you type something different in the Combo box."));
    EXPECT_TRUE(text().contains(QStringLiteral("'Go' button reamins inactive if Browser showing the page shown in Location Combo box.")));
    EXPECT_FALSE(f.CommandNavGo.isEnabled());

    // Back twice: its page, then the overview.
    f.ImageNavBack.click();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoBackPage());
    EXPECT_EQ(f.LabelExLocation[0].caption(), corvanehelp::DemoBackPage());
    EXPECT_FALSE(f.FrameDescription6.isVisible());
    f.ImageNavBack.click();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_TRUE(f.FrameDescription6.isVisible());

    f.ImageNavForward.click();
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_EQ(title(), QStringLiteral("Navigation || Forward"));

    // Search tells first, then shows the search page.
    f.CommandNavigate[1].click();
    EXPECT_EQ(t().StepNumber, 4);
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoForwardPage());
    f.CommandNavigate[1].click();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoSearchPage());
    EXPECT_EQ(f.LabelExLocation[0].caption(), corvanehelp::DemoSearchPage());

    // Home shows the home address and is then disabled.
    ASSERT_TRUE(f.CommandNavigate[0].isEnabled());
    f.CommandNavigate[0].click();
    EXPECT_EQ(t().StepNumber, 3);
    EXPECT_EQ(title(), QStringLiteral("Navigation || Home"));
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoSiteAddress());
    EXPECT_FALSE(f.CommandNavigate[0].isEnabled());
    EXPECT_EQ(f.ComboLocation.listCount(), 2);
}

// The same with the keyboard the user holds: the keys go to the location box once the user
// clicks into it. The box has no rule for Enter; Go is the button's.
TEST_F(BrowseDemoTest, TheLocationBoxTakesRealKeysAndOffersGoForSomethingNew)
{
    using testsupport::pressKey;
    frmMain& f = w();
    select(6);
    testsupport::showAtSize(f.window(), 1024, 768);
    ASSERT_TRUE(testsupport::activateWindowOf(f.window()));
    const QString shownAddress = f.ComboLocation.text();
    ASSERT_EQ(shownAddress, corvanehelp::DemoCurrentPage());
    ASSERT_EQ(testsupport::clickInto(testsupport::editorOf(f.ComboLocation.widget())), f.ComboLocation.widget());
    pressKey(Qt::Key_End);
    testsupport::typeText(QStringLiteral("x"));
    EXPECT_TRUE(f.CommandNavGo.isEnabled());
    pressKey(Qt::Key_Backspace);
    EXPECT_EQ(f.ComboLocation.text(), shownAddress);
    EXPECT_FALSE(f.CommandNavGo.isEnabled());
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Delete);
    EXPECT_TRUE(f.CommandNavGo.isEnabled());
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.ComboLocation.text(), shownAddress);
    EXPECT_FALSE(f.CommandNavGo.isEnabled());

    pressKey(Qt::Key_End);
    testsupport::typeText(QStringLiteral("y"));
    const int step = t().StepNumber;
    pressKey(Qt::Key_Return);
    EXPECT_EQ(t().StepNumber, step);
    EXPECT_TRUE(f.CommandNavGo.isEnabled());
    testsupport::clickInto(f.CommandNavGo.widget());
    EXPECT_EQ(title(), QStringLiteral("Navigation || Go"));
    EXPECT_EQ(t().ExampleUrl, shownAddress + QStringLiteral("y"));
}

TEST_F(BrowseDemoTest, GoIsEnabledOnlyByTypingSomethingNew)
{
    frmMain& f = w();
    select(6);
    // Selecting the topic again puts the same address into the box: no Change comes, so
    // the user's first key must still count.
    engine().TopicShowSelected();
    ASSERT_EQ(f.ComboLocation.text(), corvanehelp::DemoCurrentPage());
    f.ComboLocation.type(QStringLiteral("x"));
    EXPECT_TRUE(f.CommandNavGo.isEnabled());

    // Typed back to the address shown: Go stays disabled.
    f.ComboLocation.typeKey(8);
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoCurrentPage());
    EXPECT_FALSE(f.CommandNavGo.isEnabled());

    // The same from a click: Back puts the address that the box already shows.
    f.ImageNavBack.click();
    f.ImageNavBack.click();
    ASSERT_EQ(f.ComboLocation.text(), corvanehelp::DemoBackPage());
    f.ComboLocation.type(QStringLiteral("z"));
    EXPECT_TRUE(f.CommandNavGo.isEnabled());
    f.ComboLocation.setText(corvanehelp::DemoCurrentPage());

    // The user puts the cursor after the address and types.
    f.ComboLocation.setSelStart(int(f.ComboLocation.text().size()));
    f.ComboLocation.type(QStringLiteral("y"));
    f.CommandNavGo.click();
    EXPECT_EQ(t().StepNumber, 7);
    EXPECT_EQ(title(), QStringLiteral("Navigation || Go"));
    EXPECT_EQ(t().ExampleUrl, corvanehelp::DemoCurrentPage() + QStringLiteral("y"));
    EXPECT_EQ(f.LabelExLocation[0].caption(), t().ExampleUrl);
    EXPECT_FALSE(f.CommandNavGo.isEnabled());
}

TEST_F(BrowseDemoTest, OverviewFillsOnlyAnEmptyBox)
{
    frmMain& f = w();
    select(6);
    f.ComboLocation.setText(QStringLiteral("http://typed.example/"));
    engine().TopicNavigationShow();
    EXPECT_EQ(f.ComboLocation.text(), QStringLiteral("http://typed.example/"));
    f.ComboLocation.setText(QString());
    engine().TopicNavigationShow();
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoCurrentPage());
    EXPECT_FALSE(f.CommandNavGo.isEnabled());
}

// ---------------------------------------------------------------------------------------
// Browser

TEST_F(BrowseDemoTest, BrowserButtonsTellTheCurrentOneAndSwitchToAnother)
{
    frmMain& f = w();
    select(7);
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Main Browser and Browser Buttons"));
    EXPECT_EQ(f.LabelBrowEx.caption(), QStringLiteral("When you change the current browser by clicking a 'Browser' button  "
                                                      "this example Browser will reflect that change."));
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoBrowserPage(1));
    EXPECT_TRUE(f.FrameBrowser.isVisible());
    EXPECT_FALSE(f.FrameTab.isVisible());
    EXPECT_CURRENT("Main Browser #1", 0);
    EXPECT_EQ(f.LabelBrowser[0].caption(), QStringLiteral("Browser"));
    EXPECT_TRUE(hasFace(f.CommandBrowser[0], 3));

    f.CommandBrowser[0].click();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_TRUE(f.FrameDescription6.isVisible());
    EXPECT_EQ(f.LabelDescription6.caption(), QStringLiteral("You are viewing this Browser."));

    f.CommandBrowser[3].click();
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_FALSE(f.FrameDescription6.isVisible());
    EXPECT_EQ(t().CurrentMainBrowser, 3);
    EXPECT_CURRENT("Main Browser #4", 3);
    EXPECT_EQ(f.LabelBrowser[3].caption(), QStringLiteral("Browser"));
    EXPECT_EQ(f.LabelBrowser[0].caption(), QStringLiteral("1"));
    EXPECT_TRUE(hasFace(f.CommandBrowser[3], 3));
    EXPECT_TRUE(hasFace(f.CommandBrowser[0], 0));
    EXPECT_TRUE(hasFace(f.CommandFullBrowser[3], 3));
    EXPECT_EQ(f.LabelExLocation[0].caption(), corvanehelp::DemoBrowserPage(4));
    EXPECT_EQ(f.LabelTabClose[1].caption(), QStringLiteral("#??"));

    // Back shows the previous page of the current browser each time.
    f.ImageNavBack.click();
    f.ImageNavBack.click();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_EQ(title(), QStringLiteral("Navigation || Back"));
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoBrowserBackPage(4));
}

TEST_F(BrowseDemoTest, BrowserButtonWhileATabIsCurrentMakesThatBrowserCurrent)
{
    frmMain& f = w();
    select(8);
    ASSERT_TRUE(t().TabIsCurrent);
    ASSERT_EQ(t().CurrentMainBrowser, 0);
    f.CommandBrowser[0].click();
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_FALSE(t().TabIsCurrent);
    EXPECT_EQ(t().CurrentTab, -1);
    EXPECT_TRUE(f.FrameTab.isVisible());
    EXPECT_CURRENT("Main Browser #1", 0);
    EXPECT_TRUE(hasFace(f.CommandTabNew[5], 6));
    EXPECT_FALSE(f.CommandTabClose[1].isEnabled());
    // Home follows the box again once a main browser is current.
    EXPECT_TRUE(f.CommandNavigate[0].isEnabled());
}

// ---------------------------------------------------------------------------------------
// Tabs

TEST_F(BrowseDemoTest, TabsTopicOpensSixTabsWithTheSixthCurrent)
{
    frmMain& f = w();
    select(8);
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Tabs and related buttons"));
    EXPECT_TRUE(text().contains(QStringLiteral("At most 24 Tabs can be opened. In this example 6 open Tab is shown.")));
    EXPECT_EQ(f.LabelBrowEx.caption(), QStringLiteral("When you change the current browser by clicking a 'Browser' or 'Tab' "
                                                      "button  this example Browser will reflect that change."));
    EXPECT_EQ(t().CurrentTab, 5);
    EXPECT_TRUE(t().TabIsCurrent);
    EXPECT_CURRENT("Tab Browser #6", 5);
    EXPECT_TRUE(f.FrameTab.isVisible());
    EXPECT_TRUE(f.FrameBrowser.isVisible());
    for (int i = 0; i <= 5; ++i) {
        EXPECT_TRUE(f.CommandTabNew[i].isEnabled());
        EXPECT_TRUE(hasFace(f.CommandTabNew[i], i == 5 ? 3 : 6)) << i;
        EXPECT_TRUE(hasFace(f.CommandBrowser[i], 0)) << i;
    }
    EXPECT_TRUE(f.CommandTabClose[1].isEnabled());
    EXPECT_EQ(f.LabelTabClose[1].caption(), QStringLiteral("#6"));
    EXPECT_EQ(f.LabelFullTabClose[1].caption(), QStringLiteral("#6"));
    EXPECT_TRUE(f.CommandTabClose[2].isEnabled());
    // No Home for a tab.
    EXPECT_FALSE(f.CommandNavigate[0].isEnabled());
    EXPECT_EQ(f.FrameTabClose.left(), 2640);
    EXPECT_EQ(f.FrameTab.width(), 4695);
}

TEST_F(BrowseDemoTest, TabButtonsSelectATabOrLeaveTheCurrentOne)
{
    frmMain& f = w();
    select(8);
    f.CommandTabNew[2].click();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_EQ(title(), QStringLiteral("Tabs and related buttons || Tabs"));
    EXPECT_CURRENT("Tab Browser #3", 2);
    EXPECT_TRUE(hasFace(f.CommandTabNew[2], 3));
    EXPECT_TRUE(hasFace(f.CommandTabNew[5], 6));
    EXPECT_EQ(f.LabelExLocation[0].caption(), corvanehelp::DemoTabPage(3));

    f.CommandTabNew[2].click();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_CURRENT("Main Browser #1", 0);
    EXPECT_FALSE(f.CommandTabClose[1].isEnabled());
    EXPECT_EQ(f.LabelTabClose[1].caption(), QStringLiteral("#??"));
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoBrowserPage(1));
}

TEST_F(BrowseDemoTest, ClosingTabsOneByOneClosesUpTheBarAndTheLastSelectsTheBrowserTopic)
{
    frmMain& f = w();
    select(8);
    for (int tab = 5; tab >= 1; --tab) {
        if (!t().TabIsCurrent || t().CurrentTab != tab)
            f.CommandTabNew[tab].click();
        ASSERT_EQ(t().CurrentTab, tab);
        closeCurrentTab();
        EXPECT_EQ(t().TopicIndex, 8);
        EXPECT_EQ(t().StepNumber, 4) << tab;
        EXPECT_EQ(title(), QStringLiteral("Tabs and related buttons || Close All"));
        EXPECT_FALSE(f.CommandTabNew[tab].isEnabled()) << tab;
        EXPECT_FALSE(f.CommandFullTab[tab].isEnabled()) << tab;
        EXPECT_EQ(t().LastOpenTab, tab - 1);
        EXPECT_EQ(t().LastEnabledTab, tab - 1);
        // The close buttons sit where the closed tab's button was, on both bars.
        EXPECT_EQ(f.FrameTabClose.left(), f.CommandTabNew[tab].left());
        EXPECT_EQ(f.FrameFullTabClose.left(), f.CommandFullTab[tab].left());
        EXPECT_EQ(f.FrameTab.width(), f.FrameTabClose.left() + f.FrameTabClose.width());
        EXPECT_CURRENT("Main Browser #1", 0);
        EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoBrowserPage(1));
        EXPECT_EQ(f.LabelExLocation[0].caption(), corvanehelp::DemoBrowserPage(1));
        EXPECT_FALSE(f.CommandTabClose[1].isEnabled());
        // The close buttons lie over the closed tab's button, not under it.
        const QObjectList stack = f.FrameTab.widget()->children();
        EXPECT_GT(stack.indexOf(f.FrameTabClose.widget()), stack.indexOf(f.CommandTabNew[tab].widget())) << tab;
    }
    // One tab left: nothing to select among.
    EXPECT_FALSE(f.CommandTabClose[2].isEnabled());

    f.CommandTabNew[0].click();
    closeCurrentTab();
    EXPECT_EQ(t().TopicIndex, 7);
    EXPECT_TRUE(f.OptionTopic[7].value());
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Main Browser and Browser Buttons"));
    EXPECT_FALSE(f.FrameTab.isVisible());
    EXPECT_EQ(t().LastOpenTab, -1);
    EXPECT_EQ(t().LastEnabledTab, -1);
    // The full-window bar loses its tab row.
    EXPECT_EQ(f.FrameCommon.height(), 405);
    EXPECT_FALSE(f.CommandFullShowTab.isEnabled());
}

TEST_F(BrowseDemoTest, CloseAllMovesTheListToBrowserButKeepsItsPage)
{
    frmMain& f = w();
    select(8);
    f.CommandTabNew[3].click();
    f.CommandTabClose[0].click();
    EXPECT_EQ(t().TopicIndex, 7);
    EXPECT_TRUE(f.OptionTopic[7].value());
    EXPECT_FALSE(t().SuppressTopicClick);
    EXPECT_EQ(t().StepNumber, 3);
    EXPECT_EQ(title(), QStringLiteral("Tabs and related buttons || Close All"));
    EXPECT_TRUE(text().contains(QStringLiteral("In this demonstration it will work as if Bookmark Browser is not open.")));
    EXPECT_FALSE(f.FrameTab.isVisible());
    EXPECT_TRUE(f.FrameBrowser.isVisible());
    EXPECT_EQ(t().LastOpenTab, -1);
    EXPECT_EQ(t().LastEnabledTab, -1);
    EXPECT_FALSE(t().TabIsCurrent);
    EXPECT_CURRENT("Main Browser #1", 0);
    EXPECT_EQ(f.LabelExLocation[0].caption(), corvanehelp::DemoBrowserPage(1));

    // The next pick of a topic is shown, not swallowed.
    f.OptionTopic[6].click();
    EXPECT_EQ(title(), QStringLiteral("Navigation"));

    // Topic 8 again: six tabs, the sixth current and in the box.
    f.OptionTopic[8].click();
    EXPECT_EQ(t().LastOpenTab, 5);
    EXPECT_EQ(t().CurrentTab, 5);
    EXPECT_CURRENT("Tab Browser #6", 5);
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoTabPage(6));
    for (int i = 0; i <= 5; ++i)
        EXPECT_TRUE(f.CommandTabNew[i].isEnabled());
}

TEST_F(BrowseDemoTest, SelectShowsTheBoxPictureForTheLastOpenTab)
{
    frmMain& f = w();
    select(8);
    // Tab 6 closed: the fifth is the last open one.
    closeCurrentTab();
    f.CommandTabNew[1].click();
    f.CommandTabClose[2].click();
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_EQ(title(), QStringLiteral("Tabs and related buttons || Select"));
    EXPECT_TRUE(f.FrameDisplay6.isVisible());
    EXPECT_TRUE(hasFace(f.CommandTabClose[2], 3));
    EXPECT_EQ(t().CurrentTab, 4);
    EXPECT_CURRENT("Tab Browser #5", 4);
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoTabPage(5));

    // A second click returns to the overview, which keeps the last open tab current.
    f.CommandTabClose[2].click();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_FALSE(f.FrameDisplay6.isVisible());
    EXPECT_TRUE(hasFace(f.CommandTabClose[2], 0));
    EXPECT_EQ(t().CurrentTab, 4);
    EXPECT_CURRENT("Tab Browser #5", 4);
    EXPECT_FALSE(f.CommandTabNew[5].isEnabled());
    // The box kept its address, so the user's first key still counts.
    ASSERT_EQ(f.ComboLocation.text(), corvanehelp::DemoTabPage(5));
    f.ComboLocation.type(QStringLiteral("x"));
    EXPECT_TRUE(f.CommandNavGo.isEnabled());
}

TEST_F(BrowseDemoTest, OverviewReopensTheTabBarsClosedUpByTheTabsTopic)
{
    frmMain& f = w();
    select(8);
    closeCurrentTab();
    f.CommandTabNew[4].click();
    closeCurrentTab();
    ASSERT_LT(f.FrameFullTabClose.left(), 2640);

    w().CommandHide.click();
    EXPECT_EQ(t().LastOpenTab, 5);
    EXPECT_EQ(f.FrameTabClose.left(), 2640);
    EXPECT_EQ(f.FrameFullTabClose.left(), 2640);
    EXPECT_EQ(f.FrameTab.width(), 4695);
    EXPECT_EQ(f.FrameFullTab.width(), 4695);
    for (int i = 0; i <= 5; ++i)
        EXPECT_TRUE(f.CommandFullTab[i].isEnabled()) << i;
}

// ---------------------------------------------------------------------------------------
// Every topic opens on its own current browser, whatever the topic before left current.

TEST_F(BrowseDemoTest, EachTopicOpensOnItsOwnCurrentBrowser)
{
    frmMain& f = w();
    userSelect(8);
    userClick(f.CommandTabNew[1]);
    ASSERT_EQ(t().CurrentTab, 1);

    // Browser: the selected main browser, its button labelled and marked, its page shown.
    userSelect(7);
    EXPECT_CURRENT("Main Browser #1", 0);
    EXPECT_EQ(f.LabelBrowser[0].caption(), QStringLiteral("Browser"));
    EXPECT_TRUE(hasFace(f.CommandBrowser[0], 3));
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoBrowserPage(1));
    EXPECT_FALSE(f.CommandTabClose[1].isEnabled());

    // Tabs: the sixth tab, marked and shown in the box and the example browser.
    userSelect(8);
    EXPECT_CURRENT("Tab Browser #6", 5);
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoTabPage(6));
    EXPECT_EQ(f.LabelExLocation[0].caption(), corvanehelp::DemoTabPage(6));
    for (int i = 0; i <= 5; ++i)
        EXPECT_TRUE(hasFace(f.CommandTabNew[i], i == 5 ? 3 : 6)) << i;

    // Navigation shows no tab: a main browser is current, so Home follows the box.
    userSelect(6);
    EXPECT_CURRENT("Main Browser #1", 0);
    EXPECT_TRUE(f.CommandNavigate[0].isEnabled());

    // A main browser chosen in the Browser topic stays the one the topics come back to.
    userSelect(7);
    userClick(f.CommandBrowser[2]);
    userSelect(8);
    userSelect(7);
    EXPECT_CURRENT("Main Browser #3", 2);
    EXPECT_EQ(f.ComboLocation.text(), corvanehelp::DemoBrowserPage(3));
}

TEST_F(BrowseDemoTest, FullWindowTopicShowsTheCurrentBrowserOnItsBar)
{
    frmMain& f = w();
    // Straight from start-up: main browser 1.
    userSelect(9);
    userClick(f.CommandZero);
    EXPECT_EQ(f.LabelCurrentBrowser[1].caption(), QStringLiteral("Current Browser :: Main Browser #1"));
    EXPECT_TRUE(hasFace(f.CommandFullBrowser[0], 3));

    // After the Tabs topic: its sixth tab, through the overview of the topics too.
    userSelect(8);
    userClick(f.CommandHide);
    userSelect(9);
    EXPECT_EQ(f.LabelCurrentBrowser[1].caption(), QStringLiteral("Current Browser :: Tab Browser #6"));
    EXPECT_EQ(f.LabelFullTabClose[1].caption(), QStringLiteral("#6"));
    for (int i = 0; i <= 5; ++i) {
        EXPECT_TRUE(hasFace(f.CommandFullTab[i], i == 5 ? 3 : 6)) << i;
        EXPECT_TRUE(hasFace(f.CommandFullBrowser[i], 0)) << i;
    }

    // After the Browser topic: its main browser.
    userSelect(7);
    userSelect(9);
    EXPECT_EQ(f.LabelCurrentBrowser[1].caption(), QStringLiteral("Current Browser :: Main Browser #1"));
    EXPECT_EQ(f.LabelFullTabClose[1].caption(), QStringLiteral("#??"));
    EXPECT_TRUE(hasFace(f.CommandFullTab[5], 6));
}

// Pages of different topics share step numbers; a click is routed by the page on screen.
TEST_F(BrowseDemoTest, ButtonsAreRoutedByThePageOnScreenNotItsStepNumber)
{
    frmMain& f = w();
    userSelect(8);
    // "Close #" (step 4 of its topic), then Search (step 4 of Navigation): Search tells.
    userClick(f.CommandTabClose[1]);
    ASSERT_EQ(title(), QStringLiteral("Tabs and related buttons || Close All"));
    const QString box = f.ComboLocation.text();
    userClick(f.CommandNavigate[1]);
    EXPECT_EQ(title(), QStringLiteral("Navigation || Search"));
    EXPECT_EQ(f.ComboLocation.text(), box);

    // Forward (step 2 of Navigation), then Select (step 2 of Tabs): Select shows its box.
    userClick(f.CommandTabNew[2]);
    userClick(f.ImageNavForward);
    ASSERT_EQ(title(), QStringLiteral("Navigation || Forward"));
    userClick(f.CommandTabClose[2]);
    EXPECT_EQ(title(), QStringLiteral("Tabs and related buttons || Select"));
    EXPECT_TRUE(f.FrameDisplay6.isVisible());

    // The Browser page of the current browser (step 1), then Back in the Navigation topic
    // (its step 1 is Back): Back tells first.
    userSelect(7);
    userClick(f.CommandBrowser[0]);
    ASSERT_EQ(t().StepNumber, 1);
    userSelect(6);
    userClick(f.CommandNavigate[2]);
    userClick(f.ImageNavBack);
    EXPECT_EQ(title(), QStringLiteral("Navigation || Back"));
    userClick(f.ImageNavBack);
    EXPECT_EQ(title(), QStringLiteral("Navigation"));

    // Refresh, Stop and Forward tell first, and go back to the overview second.
    for (vb::Control* c : std::initializer_list<vb::Control*>{&f.CommandNavigate[2], &f.CommandNavigate[3], &f.ImageNavForward}) {
        userClick(*c);
        EXPECT_NE(title(), QStringLiteral("Navigation"));
        userClick(*c);
        EXPECT_EQ(title(), QStringLiteral("Navigation"));
    }
}

// After Close All the list reads "Browser" while the Close All page stays: picking
// "Browser" then shows that topic. Any topic picked again starts again.
TEST_F(BrowseDemoTest, PickingTheSelectedTopicAgainShowsIt)
{
    frmMain& f = w();
    userSelect(8);
    userClick(f.CommandTabClose[0]);
    ASSERT_TRUE(f.OptionTopic[7].value());
    ASSERT_EQ(title(), QStringLiteral("Tabs and related buttons || Close All"));
    userClick(f.OptionTopic[7]);
    EXPECT_EQ(t().TopicIndex, 7);
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Main Browser and Browser Buttons"));
    EXPECT_TRUE(text().contains(QStringLiteral("Browser buttons are visible only when")));
    EXPECT_CURRENT("Main Browser #1", 0);

    userSelect(5);
    userClick(f.CommandMenu[1]);
    ASSERT_EQ(title(), QStringLiteral("Button : Open"));
    userClick(f.OptionTopic[5]);
    EXPECT_EQ(title(), QStringLiteral("Main Buttons"));
    EXPECT_FALSE(f.FrameMenu[1].isVisible());
}

TEST_F(BrowseDemoTest, TabBarRelayoutWithoutOpenTabsDropsTheTabRow)
{
    frmMain& f = w();
    select(8);
    for (int i = 0; i <= 5; ++i)
        f.CommandTabNew[i].setEnabled(false);
    EXPECT_EQ(engine().DemoTabBarRelayout(), -1);
    EXPECT_EQ(f.FrameCommon.height(), 405);
    EXPECT_FALSE(f.CommandFullShowTab.isEnabled());

    f.CommandTabNew[5].setEnabled(true);
    f.FrameTabClose.setLeft(1000);
    EXPECT_EQ(engine().DemoTabBarRelayout(), 5);
    // Behind the sixth tab the close buttons stay where they are.
    EXPECT_EQ(f.FrameTabClose.left(), 1000);
    EXPECT_EQ(f.FrameTab.width(), 1000 + f.FrameTabClose.width());
}

} // namespace

} // namespace helptest
