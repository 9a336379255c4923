#pragma once
// The topic engine: what the help window calls to write its pages. The window's topic
// list, step images and Restart button call TopicShowSelected, TopicStepBack and
// TopicStepContinue; every click on the imitation of the browser's window changes the
// demonstration state (TopicVars) as the real button would change the browser, then
// asks for one page with TopicPageShow.
//
// This class writes the overview page (topic 0) and offers the pieces every page shares.
// The topics themselves are written by a subclass that overrides the three dispatchers
// and TopicPageShow; HelpConfig::topicEngine (or the default in HelpApp.cpp) builds it.

#include <QString>

namespace corvanehelp {

class HelpApp;
class frmMain;

// The pages the imitation's buttons lead to, one per page procedure of the topics.
enum class TopicPage {
    // Main buttons (topic 5)
    MainButtons, PageButton, PageBookmark, PageKeepNote, PageSetHome, PageSave, PagePrint,
    OpenButton, OpenFile, OpenNewTab, OpenNewBrowser, OpenBookmarks, BookmarkControls,
    ViewButton, ViewNote, ViewChoices, ViewOptions, ChoicesUserName, ChoicesUserPicture,
    ToolsButton, ToolsInternetProperties, ToolsDisplayProperties, ToolsReportBug,
    HelpButton, HelpHelp, HelpWebSite, HelpAbout, TabList, Run, FullWindowButton, Exit,
    // Navigation (topic 6, and topics 7 and 8)
    Navigation, NavBack, NavForward, NavHome, NavSearch, NavRefresh, NavStop, NavGo,
    // Browser and tabs (topics 7 and 8)
    BrowserCurrent, BrowserSelect, Tabs, TabsTab, TabsSelect, TabsCloseAll, TabsClose,
    // Full window mode (topic 9)
    FullMainControl, FullNavBarHide, FullTabs, FullNavigation, FullTabButtons, FullMainButtons,
    FullNavigationButton, FullBrowserButton, FullBookmarkButton, FullRun, NormalWindow, FullExit,
    FullBrowserSelect, FullHideControls, FullHideBrowsers,
};

// The procedure's name of a page ("TopicPageButtonShow", "TopicTabsTabDemo", ...).
QString TopicPageProcedure(TopicPage page);

class TopicEngine {
public:
    explicit TopicEngine(HelpApp& app);
    virtual ~TopicEngine();
    TopicEngine(const TopicEngine&) = delete;
    TopicEngine& operator=(const TopicEngine&) = delete;

    // Shows topic TopicIndex from its first page. This engine writes the overview for
    // topic 0 and only the topic's title for the others.
    virtual void TopicShowSelected();
    // One step back or forward in a stepped topic (the Go Back and Continue images).
    virtual void TopicStepBack();
    virtual void TopicStepContinue();
    // A page of the imitation. This engine writes none.
    virtual void TopicPageShow(TopicPage page);

    // --- what every page shares ---
    // Step images and Restart from StepState and StepNumber.
    void TopicStepButtonsUpdate();
    // Only FrameIntro(IntroFrameIndex) visible.
    void TopicIntroFrameShow();
    // The overview page (topic 0): sets up the imitation's buttons and demonstration state.
    void TopicMainWindowShow();
    // The focus to the window's picture box, unless start-up is still running.
    void FocusRest();

protected:
    HelpApp& app;
    frmMain& window() const;
};

} // namespace corvanehelp
