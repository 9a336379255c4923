// The help window: the topic list, the step images, the overview, the Activate button,
// and the routing of the imitation's clicks to pages with the demonstration state they
// change first.

#include "HelpFixture.h"

#include "DemoAddress.h"

#include "sys/WindowFinder.h"

#include <QSet>

namespace helptest {

namespace {

using corvanehelp::frmMain;

class HelpWindowTest : public HelpFixture {
protected:
    // A fixed-disk start with the browser registered.
    void startWithBrowser()
    {
        exe(browserFolder, QStringLiteral("Corvane"));
        exe(helpFolder, QStringLiteral("CorvaneHelp"));
        registerBrowser(0, browserFolder);
        ASSERT_TRUE(start(helpFolder));
        ASSERT_TRUE(shown.empty());
    }

    bool hasFace(const vb::CommandButton& b, int face) const
    {
        return testsupport::samePicture(b.picture(), window().ImageBut[face].picture());
    }
};

// The window with a recording topic engine, and the imitation's frames open so that its
// buttons can be clicked.
class RoutingTest : public HelpWindowTest {
protected:
    RoutingTest()
    {
        recordPages = true;
        startWithBrowser();
        frmMain& w = window();
        for (int i : {5, 6, 7})
            w.FrameIntro[i].setVisible(true);
        for (int i = 0; i <= 5; ++i)
            w.FrameMenu[i].setVisible(true);
        w.FrameSubMenu[0].setVisible(true);
        w.FrameSubMenu[1].setVisible(true);
        for (vb::Frame* f : {&w.FrameBrowser, &w.FrameTab, &w.FrameOne})
            f->setVisible(true);
        engine->pages.clear();
    }

    QStringList pages() const { return engine->pages; }
    QString lastPage() const { return engine->pages.isEmpty() ? QString() : engine->pages.last(); }
    corvanehelp::TopicVars& t() { return app->topic; }
};

// ---------------------------------------------------------------------------------------
// Topic list and step images

TEST_F(HelpWindowTest, ShowTopicShowsTheListOnIntroductionAndHideTopicReturnsToTheOverview)
{
    startWithBrowser();
    frmMain& w = window();
    w.CommandTopic.click();
    EXPECT_TRUE(w.TopicShown);
    EXPECT_EQ(w.LabelTopic.caption(), QStringLiteral("Hide Topic"));
    EXPECT_TRUE(w.FrameTopic.isVisible());
    EXPECT_FALSE(w.FrameHelp.isVisible());
    EXPECT_EQ(app->topic.TopicIndex, 1);
    EXPECT_TRUE(w.OptionTopic[1].value());
    EXPECT_TRUE(w.FrameHide.isVisible());
    EXPECT_TRUE(w.FrameIntro[1].isVisible());
    EXPECT_EQ(w.FrameIntro[1].caption(), QStringLiteral("Corvane And CorvaneHelp"));

    w.OptionTopic[5].click();
    EXPECT_EQ(app->topic.TopicIndex, 5);

    w.CommandTopic.click();
    EXPECT_FALSE(w.TopicShown);
    EXPECT_EQ(w.LabelTopic.caption(), QStringLiteral("Show Topic"));
    EXPECT_FALSE(w.FrameTopic.isVisible());
    EXPECT_TRUE(w.FrameHelp.isVisible());
    EXPECT_EQ(app->topic.TopicIndex, 0);
    EXPECT_FALSE(w.FrameHide.isVisible());
    EXPECT_EQ(w.FrameInfo.caption(), QStringLiteral("Details Frame"));

    // Hide Topic from a topic does the same.
    w.CommandTopic.click();
    w.OptionTopic[3].click();
    w.CommandHide.click();
    EXPECT_FALSE(w.TopicShown);
    EXPECT_FALSE(w.FrameTopic.isVisible());
    EXPECT_TRUE(w.FrameHelp.isVisible());
    EXPECT_EQ(w.LabelTopic.caption(), QStringLiteral("Show Topic"));
    EXPECT_EQ(app->topic.TopicIndex, 0);
    EXPECT_TRUE(w.FrameIntro[10].isVisible());
}

TEST_F(HelpWindowTest, TopicSelectedByCodeThatWritesItsOwnPageIsOnlyRecorded)
{
    startWithBrowser();
    frmMain& w = window();
    app->topic.SuppressTopicClick = true;
    w.OptionTopic[7].setValue(true);
    EXPECT_EQ(app->topic.TopicIndex, 7);
    EXPECT_FALSE(app->topic.SuppressTopicClick);
    EXPECT_EQ(w.FrameInfo.caption(), QStringLiteral("Details Frame"));

    // The next selection shows its topic again.
    w.OptionTopic[8].setValue(true);
    EXPECT_EQ(w.FrameInfo.caption(), QStringLiteral("Tabs and related buttons"));
}

TEST_F(HelpWindowTest, StepImagesFollowTheStepState)
{
    startWithBrowser();
    frmMain& w = window();
    corvanehelp::TopicVars& t = app->topic;
    struct Case {
        int state;
        bool frame, back, forward;
    };
    for (const Case& c : {Case{0, false, false, false}, Case{1, true, false, true}, Case{2, true, true, true}, Case{3, true, true, false}}) {
        t.StepState = c.state;
        app->topics->TopicStepButtonsUpdate();
        EXPECT_EQ(w.FrameGo.isVisible(), c.frame) << c.state;
        EXPECT_EQ(w.ImageGoBack.isEnabled(), c.back) << c.state;
        EXPECT_EQ(w.ImageGoContinue.isEnabled(), c.forward) << c.state;
        EXPECT_TRUE(testsupport::samePicture(w.ImageGoBack.picture(), w.ImageBack[c.back ? 0 : 2].picture()));
        EXPECT_TRUE(testsupport::samePicture(w.ImageGoContinue.picture(), w.ImageForward[c.forward ? 0 : 2].picture()));
    }
    // Restart Topic from the second step on.
    t.StepNumber = 1;
    app->topics->TopicStepButtonsUpdate();
    EXPECT_FALSE(w.FrameRestart.isVisible());
    t.StepNumber = 2;
    app->topics->TopicStepButtonsUpdate();
    EXPECT_TRUE(w.FrameRestart.isVisible());
}

TEST_F(HelpWindowTest, ArrowImagesLookPressedOnlyWhileEnabled)
{
    startWithBrowser();
    frmMain& w = window();
    w.ImageNavBack.press();
    EXPECT_EQ(w.ImageNavBack.left(), 60);
    EXPECT_TRUE(testsupport::samePicture(w.ImageNavBack.picture(), w.ImageBack[1].picture()));
    w.ImageNavBack.release();
    EXPECT_EQ(w.ImageNavBack.left(), 120);
    EXPECT_TRUE(testsupport::samePicture(w.ImageNavBack.picture(), w.ImageBack[0].picture()));

    w.ImageFullForward.press();
    EXPECT_TRUE(testsupport::samePicture(w.ImageFullForward.picture(), w.ImageForward[1].picture()));
    w.ImageFullForward.release();
    EXPECT_TRUE(testsupport::samePicture(w.ImageFullForward.picture(), w.ImageForward[0].picture()));

    // The overview has no steps: Go Back is disabled and keeps its disabled picture.
    ASSERT_FALSE(w.ImageGoBack.isEnabled());
    w.ImageGoBack.press();
    w.ImageGoBack.release();
    EXPECT_EQ(w.ImageGoBack.left(), 120);
    EXPECT_TRUE(testsupport::samePicture(w.ImageGoBack.picture(), w.ImageBack[2].picture()));
}

// ---------------------------------------------------------------------------------------
// The overview

TEST_F(HelpWindowTest, OverviewSetsUpTheImitation)
{
    startWithBrowser();
    frmMain& w = window();
    const corvanehelp::TopicVars& t = app->topic;
    EXPECT_EQ(t.IntroFrameIndex, 10);
    EXPECT_EQ(t.StepState, 0);
    EXPECT_EQ(w.FrameCommon.height(), 885);
    EXPECT_EQ(t.LastOpenTab, 5);
    EXPECT_EQ(t.LastEnabledTab, 5);
    EXPECT_EQ(t.CurrentTab, 5);
    EXPECT_FALSE(w.FrameGo.isVisible());
    EXPECT_FALSE(w.FrameRestart.isVisible());
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoCurrentPage());
    EXPECT_FALSE(w.CommandNavGo.isEnabled());

    // The current browser and the sixth tab are marked, on both bars.
    EXPECT_TRUE(hasFace(w.CommandBrowser[0], 3));
    EXPECT_TRUE(hasFace(w.CommandFullBrowser[0], 3));
    EXPECT_TRUE(hasFace(w.CommandBrowser[1], 0));
    EXPECT_EQ(w.LabelBrowser[0].caption(), QStringLiteral("Browser"));
    EXPECT_EQ(w.LabelFullBrowser[4].caption(), QStringLiteral("5"));
    EXPECT_TRUE(hasFace(w.CommandTabNew[5], 3));
    EXPECT_TRUE(hasFace(w.CommandFullTab[2], 6));
    EXPECT_TRUE(w.CommandTabNew[2].isEnabled());
}

TEST_F(HelpWindowTest, OverviewShownAgainAddsTheListEntriesOnce)
{
    startWithBrowser();
    frmMain& w = window();
    w.CommandTopic.click();
    w.CommandHide.click();
    w.CommandRestart.click();
    ASSERT_EQ(w.ComboLocation.listCount(), 2);
    EXPECT_EQ(w.ComboLocation.list(0), corvanehelp::DemoSiteAddress());
    EXPECT_EQ(w.ComboLocation.list(1), corvanehelp::DemoDownloadAddress());
}

TEST_F(HelpWindowTest, ExampleAddressesAreDistinctForEveryBrowserAndTab)
{
    QSet<QString> seen;
    for (int n = 1; n <= 6; ++n) {
        for (const QString& a : {corvanehelp::DemoBrowserPage(n), corvanehelp::DemoTabPage(n), corvanehelp::DemoBrowserBackPage(n),
                                 corvanehelp::DemoBrowserForwardPage(n), corvanehelp::DemoTabBackPage(n),
                                 corvanehelp::DemoTabForwardPage(n)}) {
            EXPECT_TRUE(a.startsWith(QStringLiteral("http://www.")) && a.contains(QStringLiteral(".example/")));
            seen.insert(a);
        }
    }
    for (const QString& a : {corvanehelp::DemoCurrentPage(), corvanehelp::DemoBackPage(), corvanehelp::DemoForwardPage(),
                             corvanehelp::DemoSearchPage(), corvanehelp::DemoSiteAddress()})
        seen.insert(a);
    EXPECT_EQ(seen.size(), 6 * 6 + 5);
}

// ---------------------------------------------------------------------------------------
// Activate

TEST_F(HelpWindowTest, ActivateBringsARunningBrowserToTheFrontAndStartsNothing)
{
    startWithBrowser();
    sys::WindowBeacon browser(sockets);
    int activated = 0;
    browser.onActivate = [&] { ++activated; };
    ASSERT_TRUE(browser.listen(QStringLiteral("Corvane")));

    window().CommandActivate.click();
    EXPECT_TRUE(testsupport::waitFor([&] { return activated == 1; }, 5000));
    EXPECT_TRUE(launches.empty());
    EXPECT_TRUE(shown.empty());
}

TEST_F(HelpWindowTest, ActivateStartsTheBrowserFromItsOwnFolder)
{
    startWithBrowser();
    window().CommandActivate.click();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, browserFolder + QStringLiteral("Corvane.exe"));
    EXPECT_TRUE(launches[0].args.isEmpty());
    EXPECT_EQ(launches[0].folder + QLatin1Char('/'), browserFolder);
    EXPECT_TRUE(shown.empty());

    launchSucceeds = false;
    window().CommandActivate.click();
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageRunParentError")});
}

// ---------------------------------------------------------------------------------------
// Routing of the main buttons

TEST_F(RoutingTest, MenuButtonShowsItsMenuOrBackToTheOverviewWhenOpen)
{
    frmMain& w = window();
    w.FrameMenu[2].setVisible(false);
    w.CommandMenu[2].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicViewButtonShow"));
    w.FrameMenu[2].setVisible(true);
    w.CommandMenu[2].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicMainButtonsShow"));
    w.FrameMenu[5].setVisible(false);
    w.CommandMenu[5].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicTabListShow"));
}

TEST_F(RoutingTest, SecondClickOnASubButtonReturnsToItsMenu)
{
    frmMain& w = window();
    struct Case {
        vb::CommandButton* button;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {&w.CommandPage[3], "TopicPageSetHomeShow", "TopicPageButtonShow"},
        {&w.CommandPage[5], "TopicPagePrintShow", "TopicPageButtonShow"},
        {&w.CommandOpen[1], "TopicOpenFileShow", "TopicOpenButtonShow"},
        {&w.CommandOpen[4], "TopicOpenBookmarksShow", "TopicOpenButtonShow"},
        {&w.CommandShowBookmark, "TopicBookmarkControlsShow", "TopicOpenBookmarksShow"},
        {&w.CommandView[2], "TopicViewChoicesShow", "TopicViewButtonShow"},
        {&w.CommandChoices[1], "TopicChoicesUserNameShow", "TopicViewButtonShow"},
        {&w.CommandChoices[2], "TopicChoicesUserPictureShow", "TopicViewButtonShow"},
        {&w.CommandTools[1], "TopicToolsInternetPropertiesShow", "TopicToolsButtonShow"},
        {&w.CommandTools[3], "TopicToolsReportBugShow", "TopicToolsButtonShow"},
        {&w.CommandHelp[2], "TopicHelpWebSiteShow", "TopicHelpButtonShow"},
        {&w.CommandButExit[0], "TopicRunShow", "TopicMainButtonsShow"},
        {&w.CommandButExit[2], "TopicExitShow", "TopicMainButtonsShow"},
    };
    for (const Case& c : cases) {
        t().PageShown.reset();
        c.button->click();
        EXPECT_EQ(lastPage(), QLatin1String(c.first));
        c.button->click();
        EXPECT_EQ(lastPage(), QLatin1String(c.second)) << c.first;
    }
}

TEST_F(RoutingTest, HideButtonsGoBackWhateverPageIsShown)
{
    frmMain& w = window();
    for (vb::CommandButton* b : {&w.CommandPage[0], &w.CommandOpen[0], &w.CommandView[0], &w.CommandTools[0], &w.CommandHelp[0],
                                 &w.CommandCloseBookmark, &w.CommandTabHide}) {
        t().PageShown = TopicPage::ViewNote;
        b->click();
        EXPECT_EQ(lastPage(), QStringLiteral("TopicMainButtonsShow"));
    }
    t().PageShown = TopicPage::ChoicesUserPicture;
    w.CommandChoices[0].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicViewButtonShow"));
}

TEST_F(RoutingTest, SecondClickOnFullWindowSelectsItsTopic)
{
    frmMain& w = window();
    w.CommandButExit[1].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicFullWindowButtonShow"));
    EXPECT_EQ(t().StepNumber, 31);
    w.CommandButExit[1].click();
    EXPECT_EQ(t().TopicIndex, 9);
    EXPECT_TRUE(w.OptionTopic[9].value());
    EXPECT_EQ(pages().size(), 1);
}

// ---------------------------------------------------------------------------------------
// Routing of navigation, browsers and tabs

TEST_F(RoutingTest, GoIsEnabledOnlyByTypingSomethingNew)
{
    frmMain& w = window();
    t().ExampleUrl = QStringLiteral("http://a.example/");
    w.ComboLocation.setText(QString());
    w.ComboLocation.type(QStringLiteral("http://a.example/"));
    EXPECT_FALSE(w.CommandNavGo.isEnabled());
    w.ComboLocation.type(QStringLiteral("x"));
    EXPECT_TRUE(w.CommandNavGo.isEnabled());
    EXPECT_TRUE(w.CommandNavigate[0].isEnabled());

    w.CommandNavGo.click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicNavGoShow"));
    EXPECT_EQ(t().ExampleUrl, QStringLiteral("http://a.example/x"));
    EXPECT_FALSE(w.CommandNavGo.isEnabled());

    // An address put into the box by code leaves Go disabled.
    t().TopicIndex = 6;
    w.ImageNavBack.click();
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoBackPage());
    EXPECT_FALSE(w.CommandNavGo.isEnabled());
    EXPECT_FALSE(t().ExampleUrlFromCode);
}

TEST_F(RoutingTest, HomeFollowsTheBoxOnlyWhileNoTabIsCurrent)
{
    frmMain& w = window();
    t().TabIsCurrent = false;
    w.ComboLocation.pick(0);
    EXPECT_EQ(t().ExampleUrl, corvanehelp::DemoSiteAddress());
    EXPECT_EQ(w.LabelExLocation[0].caption(), corvanehelp::DemoSiteAddress());
    EXPECT_FALSE(w.CommandNavigate[0].isEnabled());
    w.ComboLocation.pick(1);
    EXPECT_TRUE(w.CommandNavigate[0].isEnabled());

    t().TabIsCurrent = true;
    w.ComboLocation.pick(0);
    EXPECT_TRUE(w.CommandNavigate[0].isEnabled());
}

TEST_F(RoutingTest, BackAndForwardInTheNavigationTopicAlternateWithTheOverview)
{
    frmMain& w = window();
    t().TopicIndex = 6;
    t().PageShown.reset();
    w.ImageNavBack.click();
    w.ImageNavBack.click();
    w.ImageNavForward.click();
    w.ImageNavForward.click();
    EXPECT_EQ(pages(), (QStringList{QStringLiteral("TopicNavBackShow"), QStringLiteral("TopicNavigationShow"),
                                    QStringLiteral("TopicNavForwardShow"), QStringLiteral("TopicNavigationShow")}));
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoForwardPage());
}

TEST_F(RoutingTest, BackInTheBrowserTopicsShowsThePageOfTheCurrentBrowserOrTab)
{
    frmMain& w = window();
    t().TopicIndex = 7;
    t().TabIsCurrent = false;
    t().CurrentMainBrowser = 2;
    w.ImageNavBack.click();
    w.ImageNavBack.click();
    EXPECT_EQ(pages(), (QStringList{QStringLiteral("TopicNavBackShow"), QStringLiteral("TopicNavBackShow")}));
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoBrowserBackPage(3));

    t().TopicIndex = 8;
    t().TabIsCurrent = true;
    t().CurrentTab = 4;
    w.ImageNavForward.click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicNavForwardShow"));
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoTabForwardPage(5));
}

TEST_F(RoutingTest, SearchTellsFirstAndShowsTheSearchPageSecond)
{
    frmMain& w = window();
    const QString before = w.ComboLocation.text();
    w.CommandNavigate[1].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicNavSearchShow"));
    EXPECT_EQ(w.ComboLocation.text(), before);
    w.CommandNavigate[1].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicNavigationShow"));
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoSearchPage());

    w.CommandNavigate[2].click();
    w.CommandNavigate[2].click();
    w.CommandNavigate[3].click();
    w.CommandNavigate[3].click();
    EXPECT_EQ(pages().mid(2), (QStringList{QStringLiteral("TopicNavRefreshShow"), QStringLiteral("TopicNavigationShow"),
                                           QStringLiteral("TopicNavStopShow"), QStringLiteral("TopicNavigationShow")}));

    w.CommandNavigate[0].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicNavHomeShow"));
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoSiteAddress());
}

TEST_F(RoutingTest, BrowserButtonsSwitchOrTellWhichIsCurrent)
{
    frmMain& w = window();
    t().TabIsCurrent = false;
    t().CurrentMainBrowser = 0;
    w.CommandBrowser[0].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicBrowserCurrentShow"));
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoBrowserPage(1));

    w.CommandBrowser[3].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicBrowserSelectShow"));
    EXPECT_EQ(t().CurrentMainBrowser, 3);
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoBrowserPage(4));

    // While a tab is current, even the selected browser's button switches to it.
    t().TabIsCurrent = true;
    t().CurrentTab = 2;
    w.CommandBrowser[3].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicBrowserSelectShow"));
    EXPECT_FALSE(t().TabIsCurrent);
    EXPECT_EQ(t().CurrentTab, -1);
}

TEST_F(RoutingTest, TabButtonsSelectATabOrLeaveTheCurrentOne)
{
    frmMain& w = window();
    t().CurrentMainBrowser = 1;
    t().CurrentTab = 5;
    t().TabIsCurrent = true;
    w.CommandTabNew[2].click();
    EXPECT_EQ(t().CurrentTab, 2);
    EXPECT_TRUE(t().TabIsCurrent);
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoTabPage(3));
    w.CommandTabNew[2].click();
    EXPECT_EQ(t().CurrentTab, -1);
    EXPECT_FALSE(t().TabIsCurrent);
    EXPECT_EQ(w.ComboLocation.text(), corvanehelp::DemoBrowserPage(2));
    EXPECT_EQ(pages(), (QStringList{QStringLiteral("TopicTabsTabDemo"), QStringLiteral("TopicTabsTabDemo")}));
}

TEST_F(RoutingTest, TabClosingButtons)
{
    frmMain& w = window();
    for (int k = 0; k <= 2; ++k)
        w.CommandTabClose[k].setEnabled(true);
    w.CommandTabClose[0].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicTabsCloseAllDemo"));
    // The page recorded here left the box alone: no flag is left to swallow a key.
    EXPECT_FALSE(t().ExampleUrlFromCode);
    w.CommandTabClose[1].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicTabsCloseDemo"));

    t().TabIsCurrent = true;
    t().PageShown.reset();
    w.CommandTabClose[2].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicTabsSelectDemo"));
    w.CommandTabClose[2].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicTabsShow"));
    // Without a current tab "Select" shows its page again.
    t().TabIsCurrent = false;
    w.CommandTabClose[2].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicTabsSelectDemo"));
}

// ---------------------------------------------------------------------------------------
// Routing of the full-window mode

TEST_F(RoutingTest, MainControlShowsAndHidesTheControlsUnderTheBar)
{
    frmMain& w = window();
    w.FrameOne.setVisible(false);
    w.FrameFullBrowser.setVisible(true);
    w.CommandZero.click();
    EXPECT_TRUE(w.FrameOne.isVisible());
    EXPECT_FALSE(w.FrameFullBrowser.isVisible());
    EXPECT_EQ(w.FrameOne.top(), w.FrameCommon.top() + w.FrameCommon.height());
    EXPECT_TRUE(hasFace(w.CommandZero, 3));
    w.CommandZero.click();
    EXPECT_FALSE(w.FrameOne.isVisible());
    EXPECT_TRUE(hasFace(w.CommandZero, 4));

    // With the bar hidden the controls take its place.
    w.FrameCommon.setVisible(false);
    w.CommandZero.click();
    EXPECT_EQ(w.FrameOne.top(), w.FrameCommon.top());
    EXPECT_EQ(pages(), QStringList(3, QStringLiteral("TopicFullMainControlShow")));
}

TEST_F(RoutingTest, BarHideAndTabRowRestackTheShownFrames)
{
    frmMain& w = window();
    w.FrameOne.setVisible(true);
    w.FrameFullBrowser.setVisible(true);

    w.CommandFullShowTab.click();
    EXPECT_EQ(w.FrameCommon.height(), 405);
    EXPECT_TRUE(hasFace(w.CommandFullShowTab, 0));
    EXPECT_EQ(w.FrameOne.top(), w.FrameCommon.top() + 405);
    EXPECT_EQ(w.FrameFullBrowser.top(), w.FrameOne.top() + w.FrameOne.height());
    w.CommandFullShowTab.click();
    EXPECT_EQ(w.FrameCommon.height(), 885);
    EXPECT_TRUE(hasFace(w.CommandFullShowTab, 3));
    EXPECT_EQ(w.FrameOne.top(), w.FrameCommon.top() + 885);

    w.CommandComHide.click();
    EXPECT_FALSE(w.FrameCommon.isVisible());
    EXPECT_EQ(w.FrameOne.top(), w.FrameCommon.top());
    EXPECT_EQ(w.FrameFullBrowser.top(), w.FrameOne.top() + w.FrameOne.height());
    EXPECT_EQ(pages(), (QStringList{QStringLiteral("TopicFullTabsShow"), QStringLiteral("TopicFullTabsShow"),
                                    QStringLiteral("TopicFullNavBarHideShow")}));

    // "Navigation" brings the bar back above the controls.
    w.CommandTwo[0].click();
    EXPECT_TRUE(w.FrameCommon.isVisible());
    EXPECT_FALSE(w.FrameFullBrowser.isVisible());
    EXPECT_EQ(w.FrameOne.top(), w.FrameCommon.top() + w.FrameCommon.height());
    EXPECT_EQ(lastPage(), QStringLiteral("TopicFullNavigationButtonShow"));
}

TEST_F(RoutingTest, ControlsBarButtons)
{
    frmMain& w = window();
    w.FrameFullBrowser.setVisible(false);
    w.CommandTwo[1].click();
    EXPECT_TRUE(w.FrameFullBrowser.isVisible());
    EXPECT_EQ(w.FrameFullBrowser.top(), w.FrameOne.top() + w.FrameOne.height());
    w.CommandTwo[1].click();
    EXPECT_FALSE(w.FrameFullBrowser.isVisible());

    w.FrameFullBrowser.setVisible(true);
    w.CommandTwo[3].click();
    EXPECT_FALSE(w.FrameFullBrowser.isVisible());
    w.CommandOne[2].click();
    w.CommandTwo[2].click();
    w.CommandTwo[5].click();
    EXPECT_EQ(pages(), (QStringList{QStringLiteral("TopicFullBrowserButtonShow"), QStringLiteral("TopicFullBrowserButtonShow"),
                                    QStringLiteral("TopicFullRunShow"), QStringLiteral("TopicFullMainButtonsShow"),
                                    QStringLiteral("TopicFullBookmarkButtonShow"), QStringLiteral("TopicFullExitShow")}));

    // A second click on "Normal Window" selects the main buttons' topic.
    w.CommandTwo[4].click();
    EXPECT_EQ(lastPage(), QStringLiteral("TopicNormalWindowShow"));
    w.CommandTwo[4].click();
    EXPECT_EQ(t().TopicIndex, 5);
    EXPECT_TRUE(w.OptionTopic[5].value());

    // (Selecting the topic showed its own intro frame.)
    w.FrameIntro[7].setVisible(true);
    w.FrameFullBrowser.setVisible(true);
    w.CommandHideControl.click();
    EXPECT_FALSE(w.FrameOne.isVisible());
    EXPECT_FALSE(w.FrameFullBrowser.isVisible());
    EXPECT_TRUE(hasFace(w.CommandZero, 4));
    EXPECT_EQ(lastPage(), QStringLiteral("TopicFullHideControlsShow"));
}

TEST_F(RoutingTest, FullWindowBrowserAndTabButtonsRelabelTheBar)
{
    frmMain& w = window();
    w.FrameFullBrowser.setVisible(true);
    t().CurrentMainBrowser = 0;
    t().TabIsCurrent = false;

    w.CommandFullTab[3].click();
    EXPECT_EQ(t().CurrentTab, 3);
    EXPECT_TRUE(t().TabIsCurrent);
    EXPECT_EQ(w.LabelCurrentBrowser[1].caption(), QStringLiteral("Current Browser :: Tab Browser #4"));
    EXPECT_EQ(w.LabelFullTabClose[1].caption(), QStringLiteral("#4"));
    EXPECT_TRUE(w.CommandFullTabClose[1].isEnabled());
    EXPECT_TRUE(hasFace(w.CommandFullTab[3], 3));
    EXPECT_TRUE(hasFace(w.CommandFullBrowser[0], 0));
    EXPECT_EQ(w.LabelFullBrowser[0].caption(), QStringLiteral("1"));

    // A browser button leaves the tab: a later click on that tab selects it again.
    w.CommandFullBrowser[2].click();
    EXPECT_EQ(t().CurrentMainBrowser, 2);
    EXPECT_FALSE(t().TabIsCurrent);
    EXPECT_EQ(w.LabelCurrentBrowser[1].caption(), QStringLiteral("Current Browser :: Main Browser #3"));
    EXPECT_EQ(w.LabelFullTabClose[1].caption(), QStringLiteral("#??"));
    EXPECT_FALSE(w.CommandFullTabClose[1].isEnabled());
    EXPECT_EQ(w.LabelFullBrowser[2].caption(), QStringLiteral("Browser"));
    EXPECT_TRUE(hasFace(w.CommandFullBrowser[2], 3));
    EXPECT_TRUE(hasFace(w.CommandFullTab[3], 6));
    w.CommandFullTab[3].click();
    EXPECT_TRUE(t().TabIsCurrent);
    EXPECT_EQ(t().CurrentTab, 3);

    // The current tab's button goes back to the main browser.
    w.CommandFullTab[3].click();
    EXPECT_FALSE(t().TabIsCurrent);
    EXPECT_EQ(t().CurrentTab, -1);
    EXPECT_EQ(w.LabelCurrentBrowser[1].caption(), QStringLiteral("Current Browser :: Main Browser #3"));
    EXPECT_EQ(pages(), (QStringList{QStringLiteral("TopicFullTabButtonsShow"), QStringLiteral("TopicFullBrowserSelectShow"),
                                    QStringLiteral("TopicFullTabButtonsShow"), QStringLiteral("TopicFullTabButtonsShow")}));

    // The selected browser's button again changes nothing but shows its page.
    w.LabelCurrentBrowser[1].setCaption(QString());
    w.CommandFullBrowser[2].click();
    EXPECT_EQ(w.LabelCurrentBrowser[1].caption(), QString());
    EXPECT_EQ(lastPage(), QStringLiteral("TopicFullBrowserSelectShow"));
}

} // namespace

} // namespace helptest
