#pragma once
// The browser's main window: the browsers, the normal top band, the full-window bar, the
// Controls bar, the drop-down menus and their panels, the user picture, the About banner,
// the timers and the hidden picture stores.

#include "ControlMessage.h"
#include "PageTrouble.h"
#include "WindowDesign.h"
#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/CoverKeeper.h"
#include "vb/Form.h"
#include "vb/TextControls.h"
#include "web/WebBrowser.h"

#include <array>

namespace corvane {

class CorvaneApp;

class frmMain : public vb::Form, public design::WindowParts {
    Q_OBJECT
public:
    explicit frmMain(CorvaneApp& app);
    ~frmMain() override;

    // Measures of the band's design (twips) that its layout shares. Rows 2 and 3 begin
    // right of the place the menus take when they stay open at the left edge; the location
    // group stretches towards the right edge but never below its narrowest width.
    static constexpr int BandRowLeft = 3330;
    static constexpr int LocationLeft = 6600;
    static constexpr int LocationMinWidth = 3600;
    static constexpr int GoWidth = 630;
    // The widest user picture frame (with tabs 1 to 14 in use).
    static constexpr int UserFrameWideWidth = 2175;
    // The smallest client area (pixels) at which every control of the band and of the
    // full-window bar is whole with any number of tabs, and every panel and menu that
    // opens from them lies inside the window; the window keeps it as its minimum size,
    // unless the screen is smaller still.
    QSize SmallestClientSize() const;

    // --- hidden picture store of the faces' numbers (the faces are in WindowParts) ----
    Arr<Lbl> LabelButB{*this};

    // --- browsers ---------------------------------------------------------------------
    Arr<vb::WebBrowser> WebBrowser{*this};
    Arr<vb::WebBrowser> BrowserNew{*this};
    vb::PictureBox PictureMain{*this};

    // --- the normal top band ----------------------------------------------------------
    vb::Frame FrameBigMain{*this};
    Arr<vb::Line> LineNoUse{FrameBigMain};
    Arr<Btn> CommandMenu{FrameBigMain};
    Arr<Lbl> LabelMenu{FrameBigMain};
    vb::Frame FrameShowBrowser{FrameBigMain};
    Arr<Btn> CommandShowBrowser{FrameShowBrowser};
    Arr<Lbl> LabelShowBrowser{FrameShowBrowser};
    vb::Frame FrameShowBookmark{FrameBigMain};
    Btn CommandCloseBookmark{FrameShowBookmark};
    Lbl LabelCloseBookmark{FrameShowBookmark};
    Btn CommandShowBookmark{FrameShowBookmark};
    Lbl LabelShowBookmark{FrameShowBookmark};
    vb::Frame FrameBigNavigate{FrameBigMain};
    Img ImageBack{FrameBigNavigate};
    Img ImageForward{FrameBigNavigate};
    Arr<Btn> CommandNavigate{FrameBigNavigate};
    Arr<Lbl> LabelNavigate{FrameBigNavigate};
    vb::Frame FrameBigLocation{FrameBigMain};
    Lbl LabelLocation{FrameBigLocation};
    Arr<Lbl> LabelCurrentBrowser{FrameBigLocation};
    Arr<vb::ProgressBar> ProgressBrow{FrameBigLocation};
    Arr<Img> ImageBusy{FrameBigLocation};
    vb::ComboBox ComboLocation{FrameBigLocation};
    Arr<vb::ComboBox> ComboWebLocation{FrameBigLocation};
    vb::Frame FrameGo{FrameBigLocation};
    Btn CommandGo{FrameGo};
    Lbl LabelGo{FrameGo};
    vb::Frame FrameWebNew{FrameBigMain};
    Arr<Btn> CommandWebNew{FrameWebNew};
    Arr<Lbl> LabelWebNew{FrameWebNew};
    vb::Frame FrameWebClose{FrameWebNew};
    Lbl LabelWebCloseHead{FrameWebClose};
    Arr<Btn> CommandWebClose{FrameWebClose};
    Arr<Lbl> LabelWebClose{FrameWebClose};
    vb::Frame FrameUser{FrameBigMain};
    Img ImageUser{FrameUser};
    vb::Frame FrameExit{FrameBigMain};
    Btn CommandRun{FrameExit};
    Lbl LabelRun{FrameExit};
    Btn CommandFullBrow{FrameExit};
    Lbl LabelFullBrow{FrameExit};
    Btn CommandExit{FrameExit};
    Lbl LabelExit{FrameExit};
    vb::Frame FrameSearch{*this};

    // --- the full-window bar ----------------------------------------------------------
    vb::Frame FrameCommon{*this};
    Img ImageComBack{FrameCommon};
    Img ImageComForward{FrameCommon};
    Arr<Btn> CommandComNavigate{FrameCommon};
    vb::ComboBox ComboComLocation{FrameCommon};
    Btn CommandComGo{FrameCommon};
    Btn CommandComTab{FrameCommon};
    Btn CommandComHide{FrameCommon};
    vb::Frame FrameWebComNew{FrameCommon};
    Arr<Btn> CommandWebComNew{FrameWebComNew};
    Arr<Lbl> LabelWebComNew{FrameWebComNew};
    vb::Frame FrameWebComClose{FrameWebComNew};
    Arr<Btn> CommandWebComClose{FrameWebComClose};
    Arr<Lbl> LabelWebComClose{FrameWebComClose};

    // --- the Controls bar and its switch ------------------------------------------------
    vb::Frame FrameZero{*this};
    Btn CommandZero{FrameZero};
    vb::Frame FrameOne{*this};
    Arr<Btn> CommandOne{FrameOne};
    Arr<Lbl> LabelOne{FrameOne};
    Img ImageBigUser{FrameOne};
    vb::Line LineOne{FrameOne};
    vb::Frame FrameBrowser{*this};
    Arr<Btn> CommandBrowser{FrameBrowser};
    Arr<Lbl> LabelBrowser{FrameBrowser};
    Btn CommandHideBrowser{FrameBrowser};

    // --- drop-down menus --------------------------------------------------------------
    // The menu frames are design elements: they exist before the controls inside them.
    Arr<vb::Frame> FrameMenu{*this, vb::DesignElements{0, 5}};
    Arr<Btn> CommandPage{FrameMenu[0]};
    Arr<Lbl> LabelPage{FrameMenu[0]};
    Arr<Btn> CommandOpen{FrameMenu[1]};
    Arr<Lbl> LabelOpen{FrameMenu[1]};
    Arr<Btn> CommandView{FrameMenu[2]};
    Arr<Lbl> LabelView{FrameMenu[2]};
    Arr<Btn> CommandTools{FrameMenu[3]};
    Arr<Lbl> LabelTools{FrameMenu[3]};
    Arr<Btn> CommandHelp{FrameMenu[4]};
    Arr<Lbl> LabelHelp{FrameMenu[4]};
    Btn CommandListHide{FrameMenu[5]};
    Lbl LabelListHide{FrameMenu[5]};
    vb::CheckBox CheckWebList{FrameMenu[5]};
    Arr<vb::TextBox> TextWebList{FrameMenu[5]};
    vb::Line LineWebList{FrameMenu[5]};

    // --- panels -------------------------------------------------------------------------
    vb::Frame FrameChoice{*this};
    Arr<Btn> CommandChoice{FrameChoice};
    Arr<Lbl> LabelChoice{FrameChoice};

    vb::Frame FrameBookmark{*this};
    vb::ComboBox ComboMarkName{FrameBookmark};
    vb::ComboBox ComboMarkAddress{FrameBookmark};
    Arr<Btn> CommandBookmark{FrameBookmark};
    Arr<Lbl> LabelBookmark{FrameBookmark};

    vb::Frame FrameNote{*this};
    Arr<vb::TextBox> TextNote{FrameNote};
    Arr<Lbl> LabelNote{FrameNote};
    Btn CommandNoteEdit{FrameNote};
    Btn CommandNoteOK{FrameNote};
    Btn CommandNoteRemove{FrameNote};
    Btn CommandNoteCancel{FrameNote};
    Btn CommandNoteHide{FrameNote};
    Arr<Lbl> LabelNoteButton{FrameNote};
    vb::CheckBox CheckNoShowNote{FrameNote};

    vb::Frame FrameMark{*this};
    Lbl LabelWebMark{FrameMark};
    vb::TextBox TextWebMark{FrameMark};
    Lbl LabelWebAddress{FrameMark};
    vb::TextBox TextWebAddress{FrameMark};
    Btn CommandMarkOK{FrameMark};
    Btn CommandMarkCancel{FrameMark};
    Btn CommandMarkReset{FrameMark};
    Arr<Lbl> LabelMarkButton{FrameMark};

    vb::Frame FrameRename{*this};
    Lbl LabelRenameName{FrameRename};
    vb::TextBox TextRenameName{FrameRename};
    Lbl LabelMarkAdd{FrameRename};
    vb::TextBox TextMarkAdd{FrameRename};
    Lbl LabelRenameLocation{FrameRename};
    vb::TextBox TextRenameLocation{FrameRename};
    Btn CommandRenameOK{FrameRename};
    Btn CommandRenameCancel{FrameRename};
    Arr<Lbl> LabelRenameButton{FrameRename};

    vb::Frame FrameHome{*this};
    vb::TextBox TextHome{FrameHome};
    Arr<Lbl> LabelWebHome{FrameHome};
    Arr<vb::OptionButton> OptionHome{FrameHome};
    Lbl LabelHeadHomeAlready{FrameHome};
    Lbl LabelBrowHomeAlready{FrameHome};
    Btn CommandHomeOK{FrameHome};
    Btn CommandHomeCancel{FrameHome};
    Arr<Lbl> LabelHomeButton{FrameHome};

    vb::Frame FrameCreate{*this};
    vb::TextBox TextCreate{FrameCreate};
    Btn CommandCreateOK{FrameCreate};
    Btn CommandCreateCancel{FrameCreate};
    Arr<Lbl> LabelCreateButton{FrameCreate};

    vb::Frame FrameName{*this};
    Arr<Lbl> LabelName{FrameName};
    Arr<vb::TextBox> TextName{FrameName};
    Btn CommandNameOK{FrameName};
    Btn CommandNameCancel{FrameName};
    Arr<Lbl> LabelNameButton{FrameName};

    vb::Frame FrameMail{*this};
    Arr<Lbl> LabelMail{FrameMail};
    Arr<vb::TextBox> TextMail{FrameMail};
    Btn CommandMailOK{FrameMail};
    Btn CommandMailCancel{FrameMail};
    Arr<Lbl> LabelMailButton{FrameMail};

    vb::Frame FrameRun{*this};
    Arr<vb::OptionButton> OptionRun{FrameRun};
    vb::Line LineRun{FrameRun};
    vb::Frame FrameButRun{FrameRun};
    Btn CommandRunOK{FrameButRun};
    Btn CommandRunCancel{FrameButRun};
    Arr<Lbl> LabelRunButton{FrameButRun};

    vb::Frame FrameWebSelectClose{*this};
    Arr<vb::CheckBox> CheckSelectWebTab{FrameWebSelectClose};
    vb::Frame FrameButWebSelect{FrameWebSelectClose};
    Arr<Btn> CommandWebSelectClose{FrameButWebSelect};
    Arr<Lbl> LabelWebSelectClose{FrameButWebSelect};

    // --- notices and the About banner ------------------------------------------------
    vb::Frame FrameActiveBrow{*this};
    Lbl LabelHideActiveBrow{FrameActiveBrow};
    vb::Frame FrameNoBookmark{*this};
    Lbl LabelNoBookmark{FrameNoBookmark};
    vb::Frame FrameDoneBookmark{*this};
    Lbl LabelDoneBookmark{FrameDoneBookmark};
    vb::Frame FrameAlreadyBookmarked{*this};
    Lbl LabelHideAlredyMarked{FrameAlreadyBookmarked};
    vb::Frame FrameAbout{*this};
    Img ImageAbout{FrameAbout};
    Arr<Lbl> LabelAbout{FrameAbout};
    Arr<Img> ImageAboutBadge{FrameAbout};
    // What happened to a page or a download, over the page.
    PageNotice PageNoticeBox{*this};

    // Keeps the Tab List's lines and the tabs' numbers whole under the menus and panels.
    vb::CoverKeeper CoverKeeper{this};

    // --- timers -------------------------------------------------------------------------
    vb::Timer TimerMainFrame;
    vb::Timer TimerMainAbout;
    vb::Timer TimerMainBrow;

    // Form-level variables.
    int BusyFrame = 0;
    int SelectedTabCount = 0;
    // A tab's box holds text the user typed (not the address the program wrote there).
    std::array<bool, 25> TabBoxEdited{};
    // New windows a page asked for while every tab was taken.
    RefusalBurst TooManyTabsRefused;
    // The highest tab slot when the window was minimised; -1 while it is not.
    int TabLastIndexAtMinimise = -1;
    // The window closes because the session ends: nobody is there to answer a message.
    bool SessionEnding = false;
    bool AboutMovingLeft = false;
    QString MarkProposedName;
    QString MarkProposedAddress;
    int HomeChoiceIndex = 6;
    int MailAddressState = 0;
    int MailSubjectState = 0;
    int AboutBadgeIndex = 0;

    // --- events -------------------------------------------------------------------------
    void Form_Load() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;
    void CommandExit_Click();

    // Window dressing, run once by Form_Load.
    void SetMainLook();

    // Browser events of both arrays (isTab: the BrowserNew array).
    void Browser_BeforeNavigate2(bool isTab, int index);
    void Browser_DownloadBegin(bool isTab, int index);
    void Browser_DownloadComplete(bool isTab, int index);
    void Browser_ProgressChange(bool isTab, int index, qint32 progress, qint32 progressMax);
    void Browser_NavigateComplete2(bool isTab, int index);
    void Browser_NavigateError(bool isTab, int index, bool& cancel);
    void Browser_NewWindow2(bool isTab, int index, vb::WebBrowser*& ppDisp, bool& cancel);
    void Browser_SameDocument(bool isTab, int index, const QString& previous);
    void Browser_FileDownload(bool isTab, int index);
    void Browser_NewWindowCheck(bool isTab, int index, bool& cancel);
    void Browser_PageTrouble(bool isTab, int index);
    void TimerMainBrow_Timer();
    // A page's request for a new window is refused now (the pop-up guard, the tabs' or the
    // page windows' limit); the user hears of a limit once a burst.
    bool NewWindowRefused(bool isTab);

    // Navigation.
    void BrowserGoBack();
    void BrowserGoForward();
    void BrowserStep(bool forward);
    void BrowserGoLocation();
    void BrowserNavigateCommand(int index);
    void Location_Change(vb::ComboBox& box, int tab);
    void Location_Enter(vb::ComboBox& box, int tab);
    // Main browser switching and tabs.
    void CommandBrowser_Click(int index);
    void CommandWebNew_Click(int index);
    void CommandWebClose_Click(int index);
    void CommandWebSelectClose_Click(int index);
    void CheckSelectWebTab_Click(int index);
    void CheckWebList_Click();
    void TabsLeave(bool show = true);
    // Unloads tab slot i's browser and box; the busy animation forgets it.
    void TabUnload(int i);
    // A new tab opened only for a file: it goes, and the browser the user was on is current
    // again.
    void NewTabWithoutPageDrop(int slot);

    // Menus, slide-out, Controls bar and full-window bar (frmMainMenus.cpp).
    void CommandMenu_Click(int index);
    void TimerMainFrame_Timer();
    void PlacePanels(int top);
    void CommandPage_Click(int index);
    void CommandView_Click(int index);
    void CommandTools_Click(int index);
    void CommandRunCancel_Click();
    void TimerMainAbout_Timer();
    void CommandOne_Click(int index);
    void CommandZero_Click();
    void CommandComHide_Click();
    void CommandComTab_Click();
    void CommandHideBrowser_Click();
    void CommandFullBrow_Click();
    // The panel point under the open menu (pixels).
    QPoint PanelPoint() const;
    // A slide still running is cut short by a new one: its frame takes its full size at
    // once. Call before setting up a new slide.
    void SlideFinish();

    // Bookmark browser, bookmark, note and home-page panels (frmMainPanels.cpp).
    void BookmarkBrowserShow();
    void BookmarkBrowserClose();
    void CommandShowBookmark_Click();
    void CommandCloseBookmark_Click();
    void CommandBookmark_Click(int index);
    void ComboMarkName_Click();
    void ComboMarkAddress_Click();
    void CommandRenameOK_Click();
    void CommandRenameCancel_Click();
    void CommandMarkOK_Click();
    void CommandMarkCancel_Click();
    void CommandMarkReset_Click();
    void MarkBoxes_Change();
    void CommandNoteEdit_Click();
    void CommandNoteOK_Click();
    void CommandNoteRemove_Click();
    void CommandNoteCancel_Click();
    void CommandNoteHide_Click();
    void CheckNoShowNote_Click();
    void TextNote_Change(int index);
    void TextNote_KeyPress(int index, int& keyAscii);
    void OptionHome_Click(int index);
    void CommandHomeOK_Click();
    void CommandHomeCancel_Click();

    // Open, Create, Help, Choices, Change Name, Report Bug, Run box, notices and the About
    // banner (frmMainActions.cpp).
    void CommandOpen_Click(int index);
    void CommandHelp_Click(int index);
    void CommandChoice_Click(int index);
    void CommandListHide_Click();
    void TextCreate_Change();
    void CommandCreateOK_Click();
    void CommandCreateCancel_Click();
    void TextName_Change(int index);
    void CommandNameOK_Click();
    void CommandNameCancel_Click();
    void TextMail_Change(int index);
    void CommandMailOK_Click();
    void CommandMailCancel_Click();
    void CommandRun_Click();
    void OptionRun_Click(int index);
    void CommandRunOK_Click();
    void FrameAbout_Click();
    void TextCreate_KeyPress(int& keyAscii);
    void TextName_KeyPress(int index, int& keyAscii);
    void TextMail_KeyPress(int index, int& keyAscii);
    // Opens the Create panel under the open menu, for a new tab or a new secondary window.
    void CreatePanelShow(bool forBrowser);

    // The browser on screen, and a tab's page address ("" when the tab holds no browser).
    vb::WebBrowser* currentBrowser() const;
    QString tabAddress(int tab) const;

private:
    // The design, step by step in the order the controls are made (frmMainDesign.cpp).
    void designWindow();
    void designMenuRow();
    void designNavigationRow();
    void designTabRow();
    void tabRowHeadPlace(Arr<Btn>& buttons, Arr<Lbl>& captions, int captionTop);
    void designRightEdge();
    void designFullWindowBar();
    void designControlsBar();
    void designTimers();
    void designMenus();
    void designTabList();
    void designPanels();
    void designChoicePanel();
    void designBookmarkPanel();
    void designNoteButtons();
    void designRenamePanel();
    void designProfilePanels();
    void designRunBox();
    void designAboutBanner();
    void designPictures();
    void designCovers();
    void wireEvents();
    void wireBrowserEvents();
    void wireNavigationEvents();
    void wireTabEvents();
    void wireMenuEvents();
    void wirePanelEvents();
    void wireActionEvents();
    void showTooManyTabs();
    // The engine's notices and certificate questions reach the program's own windows.
    void engineHooksInstall();

    // Steps of the event handlers above.
    void pageBookmark(const QString& address, QPoint at);
    void notePanelToggle(const QString& address, QPoint at);
    void homePanelToggle(const QString& address, QPoint at);
    void allTabsClose();
    void currentTabClose();
    void selectTabsPanelToggle();
    // Unloads a tab slot and frees it; returns the highest tab slot still in use.
    int tabSlotFree(int slot);
    // A page's new window as a secondary window, or as a new tab that becomes current.
    void pageWindowOpen(vb::WebBrowser*& ppDisp, bool& cancel);
    void pageTabOpen(vb::WebBrowser*& ppDisp, bool& cancel);
};

} // namespace corvane
