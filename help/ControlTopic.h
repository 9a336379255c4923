#pragma once
// The topics of the help window. ControlTopic writes every page: the text topics
// (Introduction, Installation, Features and Options, Removable Media, Uninstallation,
// About), the demonstrations on the imitation of the browser's window (Main buttons,
// Navigation, Browser, Tabs, Full Window Mode), the step chains walked with Go Back and
// Continue, and the shared repaint of the imitation's menus, browsers and tabs.
//
// A page sets StepState, StepNumber and IntroFrameIndex, the intro frame's caption where
// it has one, the title (FrameInfo) and the text (LabelInfo, lines joined by CR LF), then
// repaints its part of the imitation. The dispatcher and the step handlers show the intro
// frame and the step images afterwards; a click on the imitation runs its page directly.
//
// The page procedures are split by topic over ControlTopic*.cpp.

#include "TopicEngine.h"

#include <QString>
#include <QStringList>

namespace vb {
class CommandButton;
class Image;
template <class T> class ControlArray;
} // namespace vb

namespace corvanehelp {

class ControlTopic : public TopicEngine {
public:
    explicit ControlTopic(HelpApp& app);

    void TopicShowSelected() override;
    void TopicStepBack() override;
    void TopicStepContinue() override;
    void TopicPageShow(TopicPage page) override;

    // --- shared by the demonstrations ----------------------------------------------------
    // Frames of the normal-bar demonstration: FrameMenu(menu) and FrameSubMenu(subMenu)
    // only (-1: none), the picture and description frames, the user-picture frame on
    // page 18; then the step images.
    void DemoMenuFramesShow(int menu, int subMenu, bool display, bool description);
    // Repaints the browser and tab buttons, the current-browser labels and the example
    // browser from the demonstration state, and shows the frames asked for.
    void DemoBrowserStateRefresh(bool browsers, bool tabs, bool display, bool description);
    // Closes up both tab bars behind the highest enabled tab button; returns its index,
    // -1 when every tab is closed (the full-window bar then loses its tab row).
    int DemoTabBarRelayout();

    // --- text topics ---------------------------------------------------------------------
    void TopicIntroductionShow();
    void TopicInstallationShow();
    void TopicInstallationNewerFilesShow();
    void TopicFeaturesShow();
    void TopicOptionsShow();
    void TopicOptionsWindowsNotesShow();
    void TopicOptionsApplyShow();
    void TopicMediaInstallShow();
    void TopicMediaFoldersShow();
    void TopicMediaResetupShow();
    void TopicUninstallUpdateShow();
    void TopicAboutHelpShow();
    void TopicAboutProgramsShow();

    // --- Main buttons (StepNumber in brackets) -------------------------------------------
    void TopicMainButtonsShow();              // 0
    void TopicPageButtonShow();               // 1
    void TopicPageBookmarkShow();             // 2
    void TopicPageKeepNoteShow();             // 3
    void TopicPageSetHomeShow();              // 4
    void TopicPageSaveShow();                 // 5
    void TopicPagePrintShow();                // 6
    void TopicOpenButtonShow();               // 7
    void TopicOpenFileShow();                 // 8
    void TopicOpenNewTabShow();               // 9
    void TopicOpenNewBrowserShow();           // 10
    void TopicOpenBookmarksShow();            // 11
    void TopicBookmarkControlsShow();         // 12
    void TopicViewButtonShow();               // 13
    void TopicViewNoteShow();                 // 14
    void TopicViewChoicesShow();              // 15
    void TopicViewOptionsShow();              // 16
    void TopicChoicesUserNameShow();          // 17
    void TopicChoicesUserPictureShow();       // 18
    void TopicToolsButtonShow();              // 19
    void TopicToolsInternetPropertiesShow();  // 20
    void TopicToolsDisplayPropertiesShow();   // 21
    void TopicToolsReportBugShow();           // 22
    void TopicHelpButtonShow();               // 23
    void TopicHelpHelpShow();                 // 24
    void TopicHelpWebSiteShow();              // 25
    void TopicHelpAboutShow();                // 26
    void TopicTabListShow();                  // 29
    void TopicRunShow();                      // 30
    void TopicFullWindowButtonShow();         // 31
    void TopicExitShow();                     // 32

    // --- Navigation ----------------------------------------------------------------------
    void TopicNavigationShow();  // 0
    void TopicNavBackShow();     // 1
    void TopicNavForwardShow();  // 2
    void TopicNavHomeShow();     // 3
    void TopicNavSearchShow();   // 4
    void TopicNavRefreshShow();  // 5
    void TopicNavStopShow();     // 6
    void TopicNavGoShow();       // 7

    // --- Browser and Tabs ----------------------------------------------------------------
    void TopicBrowserShow();         // 0
    void TopicBrowserCurrentShow();  // 1
    void TopicBrowserSelectShow();   // 2
    void TopicTabsShow();            // 0
    void TopicTabsTabDemo();         // 1
    void TopicTabsSelectDemo();      // 2
    void TopicTabsCloseAllDemo();    // 3
    void TopicTabsCloseDemo();       // 4

    // --- Full Window Mode ----------------------------------------------------------------
    void TopicFullWindowShow();            // 0
    void TopicFullMainControlShow();       // 1
    void TopicFullNavBarHideShow();        // 2
    void TopicFullTabsShow();              // 3
    void TopicFullNavigationShow();        // 4
    void TopicFullTabButtonsShow();        // 5
    void TopicFullMainButtonsShow();       // 6
    void TopicFullNavigationButtonShow();  // 7
    void TopicFullBrowserButtonShow();     // 8
    void TopicFullBookmarkButtonShow();    // 9
    void TopicFullRunShow();               // 10
    void TopicNormalWindowShow();          // 11
    void TopicFullExitShow();              // 12
    void TopicFullBrowserSelectShow();     // 13
    void TopicFullHideControlsShow();      // 14
    void TopicFullHideBrowsersShow();      // 15

    // Lines joined by CR LF, as every page text is.
    static QString PageLines(const QStringList& lines);

private:
    // The title and text of a page (FrameInfo, LabelInfo).
    void pageTextWrite(const QString& title, const QString& text);
    // The imitation's location box shows address, put there by code: its Change must not
    // enable Go. When the text does not change no Change comes, so the flag is not left
    // set to swallow the user's next typing.
    void exampleUrlShow(const QString& address);
    // No tab is current: the selected main browser is.
    void mainBrowserMakeCurrent();
    // Both tab bars with six enabled tab buttons and the close buttons behind the sixth.
    void tabBarsOpen();

    // Main buttons. A page starts with its number, title and text, sets the faces of its
    // kind, and ends with its picture (a hidden holder copied into ImageDisplay5) or its
    // description (in LabelDescription5, the text then stays empty) and its frames.
    vb::ControlArray<vb::CommandButton>& menuItems(int menu) const;
    void mainButtonsPageStart(int step, const QString& title, const QString& text);
    void mainButtonsPageEnd(int menu, int subMenu, const vb::Image* picture, const QString& description);
    void menuPage(int step, int menu, const QString& title, const QString& text);
    void subButtonPage(int step, int menu, int item, const QString& title, const QString& text,
                       const vb::Image* picture, const QString& description = QString());
    void choicesPage(int step, int choice, const QString& title, const QString& text, const vb::Image* picture);
    void barPage(int step, int bar, const QString& title, const QString& text, const vb::Image* picture,
                 const QString& description = QString());

    // Navigation, Browser and Tabs: the page's number, title and text on intro frame 6.
    void demoPageStart(int step, const QString& title, const QString& text);
    // A navigation page: the browser buttons stay while topic 7 or 8 is selected, the tab
    // buttons while topic 8 is.
    void navigationPage(int step, const QString& title, const QString& text);

    // Full Window Mode.
    void fullWindowPage(int step, const QString& text, const QString& title = QString());

    // The demonstration topics open on their own current browser and example page.
    void navigationTopicOpen();
    void browserTopicOpen();
    void tabsTopicOpen();
};

} // namespace corvanehelp
