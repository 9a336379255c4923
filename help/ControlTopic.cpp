// The topic engine's frame: the dispatcher of the topic list, the step chains of Go Back
// and Continue, the routing of the imitation's pages, and the repaint of the imitation's
// menus, browsers and tabs that the demonstration pages end with.

#include "ControlTopic.h"

#include "DemoAddress.h"
#include "HelpApp.h"
#include "frmMain.h"

namespace corvanehelp {

ControlTopic::ControlTopic(HelpApp& app) : TopicEngine(app) {}

QString ControlTopic::PageLines(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

void ControlTopic::pageTextWrite(const QString& title, const QString& text)
{
    frmMain& w = window();
    w.FrameInfo.setCaption(title);
    w.LabelInfo.setCaption(text);
}

void ControlTopic::exampleUrlShow(const QString& address)
{
    window().exampleUrlShow(address);
}

void ControlTopic::mainBrowserMakeCurrent()
{
    TopicVars& t = app.topic;
    t.TabIsCurrent = false;
    t.CurrentTab = -1;
}

void ControlTopic::tabBarsOpen()
{
    frmMain& w = window();
    w.FrameTab.setWidth(4695);
    w.FrameFullTab.setWidth(4695);
    w.FrameTabClose.setLeft(2640);
    w.FrameFullTabClose.setLeft(2640);
    for (int i = 0; i <= 5; ++i) {
        w.CommandTabNew[i].setEnabled(true);
        w.CommandFullTab[i].setEnabled(true);
    }
}

// ---------------------------------------------------------------------------------------
// The topic list

void ControlTopic::TopicShowSelected()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    t.PageShown.reset();
    w.FrameHide.setVisible(t.TopicIndex != 0);

    // A topic opens on its own current browser, whatever another topic left current:
    // Navigation and Browser show no tab, so a main browser is current there; Tabs makes
    // the sixth tab current; Full Window Mode shows the current browser on its bar.
    switch (t.TopicIndex) {
    case 0:
        exampleUrlShow(DemoCurrentPage());
        TopicMainWindowShow();
        // The overview opens the six tabs again: both bars must show them all.
        tabBarsOpen();
        break;
    case 1:
        TopicIntroductionShow();
        break;
    case 2:
        TopicInstallationShow();
        break;
    case 3:
        TopicFeaturesShow();
        break;
    case 4:
        TopicMediaInstallShow();
        break;
    case 5:
        TopicMainButtonsShow();
        break;
    case 6:
        navigationTopicOpen();
        break;
    case 7:
        browserTopicOpen();
        break;
    case 8:
        tabsTopicOpen();
        break;
    case 9:
        // The bar's label and its browser and tab buttons follow the current browser.
        DemoBrowserStateRefresh(false, false, false, false);
        TopicFullWindowShow();
        break;
    case 10:
        TopicUninstallUpdateShow();
        break;
    case 11:
        TopicAboutHelpShow();
        break;
    case 12:
        TopicAboutProgramsShow();
        break;
    default:
        break;
    }

    TopicIntroFrameShow();
    TopicStepButtonsUpdate();
    FocusRest();
}

void ControlTopic::navigationTopicOpen()
{
    mainBrowserMakeCurrent();
    exampleUrlShow(DemoCurrentPage());
    // The note under the example browser tells of the Browser and Tabs topics' buttons,
    // which this topic does not show.
    window().LabelBrowEx.setCaption(QString());
    TopicNavigationShow();
}

void ControlTopic::browserTopicOpen()
{
    mainBrowserMakeCurrent();
    exampleUrlShow(DemoBrowserPage(app.topic.CurrentMainBrowser + 1));
    window().LabelBrowEx.setCaption(QStringLiteral("When you change the current browser by clicking a 'Browser' button  "
                                                   "this example Browser will reflect that change."));
    TopicBrowserShow();
}

void ControlTopic::tabsTopicOpen()
{
    // Six tabs open again, both bars closed up behind the sixth, which is current and
    // gives the address.
    TopicVars& t = app.topic;
    t.LastEnabledTab = 5;
    t.LastOpenTab = 5;
    t.CurrentTab = 5;
    t.TabIsCurrent = true;
    tabBarsOpen();
    exampleUrlShow(DemoTabPage(t.CurrentTab + 1));
    window().LabelBrowEx.setCaption(QStringLiteral("When you change the current browser by clicking a 'Browser' or "
                                                   "'Tab' button  this example Browser will reflect that change."));
    TopicTabsShow();
}

// ---------------------------------------------------------------------------------------
// The step chains. Each page changes StepNumber, so Go Back tests the steps in ascending
// order and Continue in descending order: one click moves exactly one step.

void ControlTopic::TopicStepBack()
{
    TopicVars& t = app.topic;
    switch (t.TopicIndex) {
    case 2:
        if (t.StepNumber == 1)
            TopicInstallationShow();
        break;
    case 3:
        if (t.StepNumber == 1)
            TopicFeaturesShow();
        if (t.StepNumber == 2)
            TopicOptionsShow();
        if (t.StepNumber == 3)
            TopicOptionsWindowsNotesShow();
        TopicIntroFrameShow();
        break;
    case 4:
        if (t.StepNumber == 3)
            TopicMediaInstallShow();
        if (t.StepNumber == 4)
            TopicMediaFoldersShow();
        TopicIntroFrameShow();
        break;
    default:
        break;
    }
    TopicStepButtonsUpdate();
}

void ControlTopic::TopicStepContinue()
{
    TopicVars& t = app.topic;
    switch (t.TopicIndex) {
    case 2:
        if (t.StepNumber == 0)
            TopicInstallationNewerFilesShow();
        break;
    case 3:
        if (t.StepNumber == 2)
            TopicOptionsApplyShow();
        if (t.StepNumber == 1)
            TopicOptionsWindowsNotesShow();
        if (t.StepNumber == 0)
            TopicOptionsShow();
        TopicIntroFrameShow();
        break;
    case 4:
        if (t.StepNumber == 3)
            TopicMediaResetupShow();
        if (t.StepNumber == 2)
            TopicMediaFoldersShow();
        TopicIntroFrameShow();
        break;
    default:
        break;
    }
    TopicStepButtonsUpdate();
}

// ---------------------------------------------------------------------------------------
// The imitation's pages

void ControlTopic::TopicPageShow(TopicPage page)
{
    switch (page) {
    case TopicPage::MainButtons: TopicMainButtonsShow(); break;
    case TopicPage::PageButton: TopicPageButtonShow(); break;
    case TopicPage::PageBookmark: TopicPageBookmarkShow(); break;
    case TopicPage::PageKeepNote: TopicPageKeepNoteShow(); break;
    case TopicPage::PageSetHome: TopicPageSetHomeShow(); break;
    case TopicPage::PageSave: TopicPageSaveShow(); break;
    case TopicPage::PagePrint: TopicPagePrintShow(); break;
    case TopicPage::OpenButton: TopicOpenButtonShow(); break;
    case TopicPage::OpenFile: TopicOpenFileShow(); break;
    case TopicPage::OpenNewTab: TopicOpenNewTabShow(); break;
    case TopicPage::OpenNewBrowser: TopicOpenNewBrowserShow(); break;
    case TopicPage::OpenBookmarks: TopicOpenBookmarksShow(); break;
    case TopicPage::BookmarkControls: TopicBookmarkControlsShow(); break;
    case TopicPage::ViewButton: TopicViewButtonShow(); break;
    case TopicPage::ViewNote: TopicViewNoteShow(); break;
    case TopicPage::ViewChoices: TopicViewChoicesShow(); break;
    case TopicPage::ViewOptions: TopicViewOptionsShow(); break;
    case TopicPage::ChoicesUserName: TopicChoicesUserNameShow(); break;
    case TopicPage::ChoicesUserPicture: TopicChoicesUserPictureShow(); break;
    case TopicPage::ToolsButton: TopicToolsButtonShow(); break;
    case TopicPage::ToolsInternetProperties: TopicToolsInternetPropertiesShow(); break;
    case TopicPage::ToolsDisplayProperties: TopicToolsDisplayPropertiesShow(); break;
    case TopicPage::ToolsReportBug: TopicToolsReportBugShow(); break;
    case TopicPage::HelpButton: TopicHelpButtonShow(); break;
    case TopicPage::HelpHelp: TopicHelpHelpShow(); break;
    case TopicPage::HelpWebSite: TopicHelpWebSiteShow(); break;
    case TopicPage::HelpAbout: TopicHelpAboutShow(); break;
    case TopicPage::TabList: TopicTabListShow(); break;
    case TopicPage::Run: TopicRunShow(); break;
    case TopicPage::FullWindowButton: TopicFullWindowButtonShow(); break;
    case TopicPage::Exit: TopicExitShow(); break;
    case TopicPage::Navigation: TopicNavigationShow(); break;
    case TopicPage::NavBack: TopicNavBackShow(); break;
    case TopicPage::NavForward: TopicNavForwardShow(); break;
    case TopicPage::NavHome: TopicNavHomeShow(); break;
    case TopicPage::NavSearch: TopicNavSearchShow(); break;
    case TopicPage::NavRefresh: TopicNavRefreshShow(); break;
    case TopicPage::NavStop: TopicNavStopShow(); break;
    case TopicPage::NavGo: TopicNavGoShow(); break;
    case TopicPage::BrowserCurrent: TopicBrowserCurrentShow(); break;
    case TopicPage::BrowserSelect: TopicBrowserSelectShow(); break;
    case TopicPage::Tabs: TopicTabsShow(); break;
    case TopicPage::TabsTab: TopicTabsTabDemo(); break;
    case TopicPage::TabsSelect: TopicTabsSelectDemo(); break;
    case TopicPage::TabsCloseAll: TopicTabsCloseAllDemo(); break;
    case TopicPage::TabsClose: TopicTabsCloseDemo(); break;
    case TopicPage::FullMainControl: TopicFullMainControlShow(); break;
    case TopicPage::FullNavBarHide: TopicFullNavBarHideShow(); break;
    case TopicPage::FullTabs: TopicFullTabsShow(); break;
    case TopicPage::FullNavigation: TopicFullNavigationShow(); break;
    case TopicPage::FullTabButtons: TopicFullTabButtonsShow(); break;
    case TopicPage::FullMainButtons: TopicFullMainButtonsShow(); break;
    case TopicPage::FullNavigationButton: TopicFullNavigationButtonShow(); break;
    case TopicPage::FullBrowserButton: TopicFullBrowserButtonShow(); break;
    case TopicPage::FullBookmarkButton: TopicFullBookmarkButtonShow(); break;
    case TopicPage::FullRun: TopicFullRunShow(); break;
    case TopicPage::NormalWindow: TopicNormalWindowShow(); break;
    case TopicPage::FullExit: TopicFullExitShow(); break;
    case TopicPage::FullBrowserSelect: TopicFullBrowserSelectShow(); break;
    case TopicPage::FullHideControls: TopicFullHideControlsShow(); break;
    case TopicPage::FullHideBrowsers: TopicFullHideBrowsersShow(); break;
    }
}

// ---------------------------------------------------------------------------------------
// Shared repaints

void ControlTopic::DemoMenuFramesShow(int menu, int subMenu, bool display, bool description)
{
    frmMain& w = window();
    for (int i = 0; i <= 5; ++i)
        w.FrameMenu[i].setVisible(i == menu);
    for (int i = 0; i <= 1; ++i)
        w.FrameSubMenu[i].setVisible(i == subMenu);
    w.FrameDisplay5.setVisible(display);
    w.FrameDescription5.setVisible(description);
    w.FrameU5.setVisible(app.topic.StepNumber == 18);
    TopicStepButtonsUpdate();
}

void ControlTopic::DemoBrowserStateRefresh(bool browsers, bool tabs, bool display, bool description)
{
    frmMain& w = window();
    TopicVars& t = app.topic;

    // "Select" needs two open tabs; it looks pressed only on its own page.
    w.CommandTabClose[2].setEnabled(t.LastOpenTab > 0);
    w.ButtonFace(w.CommandTabClose[2], t.TabSelectMode ? 3 : 0);
    t.TabSelectMode = false;

    // Every browser and tab button plain.
    for (int i = 0; i <= 5; ++i) {
        w.ButtonFace(w.CommandBrowser[i], 0);
        w.ButtonFace(w.CommandFullBrowser[i], 0);
        w.LabelBrowser[i].setCaption(QString::number(i + 1));
        w.LabelFullBrowser[i].setCaption(QString::number(i + 1));
        w.ButtonFace(w.CommandTabNew[i], 6);
        w.ButtonFace(w.CommandFullTab[i], 6);
    }

    // The example browser shows the box's address; Home follows it for a main browser.
    const QString shown = w.ComboLocation.text();
    w.LabelExLocation[0].setCaption(shown);
    w.CommandNavigate[0].setEnabled(shown != t.DemoSiteUrl && !t.TabIsCurrent);

    // The current browser marked on both bars.
    QString label;
    int n = 0;
    if (t.TabIsCurrent && t.CurrentTab >= 0 && t.CurrentTab <= 5) {
        label = QStringLiteral("Tab Browser #") + QString::number(t.CurrentTab + 1);
        w.CommandTabClose[1].setEnabled(true);
        w.CommandFullTabClose[1].setEnabled(true);
        const QString number = QStringLiteral("#") + QString::number(t.CurrentTab + 1);
        w.LabelTabClose[1].setCaption(number);
        w.LabelFullTabClose[1].setCaption(number);
        w.ButtonFace(w.CommandTabNew[t.CurrentTab], 3);
        w.ButtonFace(w.CommandFullTab[t.CurrentTab], 3);
        n = t.CurrentTab;
    } else {
        // A tab without a number cannot be current: the main browser is.
        t.TabIsCurrent = false;
        t.CurrentTab = -1;
        label = QStringLiteral("Main Browser #") + QString::number(t.CurrentMainBrowser + 1);
        w.CommandTabClose[1].setEnabled(false);
        w.CommandFullTabClose[1].setEnabled(false);
        w.LabelTabClose[1].setCaption(QStringLiteral("#??"));
        w.LabelFullTabClose[1].setCaption(QStringLiteral("#??"));
        w.ButtonFace(w.CommandBrowser[t.CurrentMainBrowser], 3);
        w.ButtonFace(w.CommandFullBrowser[t.CurrentMainBrowser], 3);
        w.LabelBrowser[t.CurrentMainBrowser].setCaption(QStringLiteral("Browser"));
        w.LabelFullBrowser[t.CurrentMainBrowser].setCaption(QStringLiteral("Browser"));
        n = t.CurrentMainBrowser;
    }

    // Its name on both bars and over the example browser.
    t.CurrentBrowserText = QStringLiteral("Current Browser :: ") + label;
    w.LabelCurrentBrowser[0].setCaption(t.CurrentBrowserText);
    w.LabelCurrentBrowser[1].setCaption(t.CurrentBrowserText);
    for (int i = 0; i <= 5; ++i)
        w.LabelExBrowser[i].setCaption(i == n ? label : QString());

    // The frames asked for.
    w.FrameTab.setVisible(tabs);
    w.FrameBrowser.setVisible(browsers);
    w.FrameExBrowser.setVisible(browsers);
    w.FrameDisplay6.setVisible(display);
    w.FrameDescription6.setVisible(description);
    t.SuppressTopicClick = false;
}

int ControlTopic::DemoTabBarRelayout()
{
    frmMain& w = window();
    int last = -1;
    for (int i = 5; i >= 0; --i) {
        if (w.CommandTabNew[i].isEnabled()) {
            last = i;
            break;
        }
    }
    if (last < 0) {
        w.FrameCommon.setHeight(405);
        w.CommandFullShowTab.setEnabled(false);
        return -1;
    }
    // The close buttons move up behind the last open tab, over the closed tabs' buttons.
    if (last <= 4) {
        w.FrameTabClose.setLeft(w.CommandTabNew[last + 1].left());
        w.FrameFullTabClose.setLeft(w.CommandFullTab[last + 1].left());
        w.FrameTabClose.zOrder(0);
        w.FrameFullTabClose.zOrder(0);
    }
    w.FrameTab.setWidth(w.FrameTabClose.left() + w.FrameTabClose.width());
    w.FrameFullTab.setWidth(w.FrameFullTabClose.left() + w.FrameFullTabClose.width());
    return last;
}

} // namespace corvanehelp
