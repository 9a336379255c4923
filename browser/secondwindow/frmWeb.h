#pragma once
// A secondary browser window: its own page browser and up to 24 tabs, a normal bar and a
// compact bar for full-window mode, its Tab List and small panels. Every window is one
// instance that keeps all of its browsing state itself; bookmarks, notes, home pages and
// messages are the application's. Nothing keeps a list of the open windows: the forms
// collection of the runtime has them, and the main window's unload closes them.


#include "BrowserState.h"
#include "ControlMessage.h"
#include "PageTrouble.h"
#include "WindowDesign.h"

#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/CoverKeeper.h"
#include "vb/Form.h"
#include "vb/TextControls.h"
#include "web/WebBrowser.h"

#include <QString>
#include <array>

namespace corvane {

class CorvaneApp;

class frmWeb : public vb::Form, public design::WindowParts {
    Q_OBJECT
public:
    explicit frmWeb(CorvaneApp& app);
    ~frmWeb() override;

    // The smallest client area (pixels) at which every control of the band is whole with
    // any number of tabs, and every panel lies inside the window; the window keeps it as its
    // minimum size, unless the screen is smaller still.
    QSize SmallestClientSize() const;

    static constexpr int MaxPopTabs = 24;
    // Band heights above the page (pixels): no tabs, with tabs.
    static constexpr int BandNoTabs = 76;
    static constexpr int BandWithTabs = 108;
    // Measures of the band's design that its layout shares. Rows 2 and 3 begin right of the
    // Tab List (ListWidth pixels), which stays open by itself at the left edge (twips).
    static constexpr int ListWidth = 144;
    static constexpr int BandRowLeft = 2220;

    // --- the page browsers and the focus holder ---------------------------------------
    // 0: the window's own page; 1..24: its tabs.
    Arr<vb::WebBrowser> BrowserPop{*this};
    vb::PictureBox PicturePop{*this};

    // --- the normal bar band ----------------------------------------------------------
    vb::Frame FrameBigPop{*this};
    // The rows' frames are design elements: they exist before the controls inside them.
    Arr<vb::Frame> FramePopMainBut{FrameBigPop, vb::DesignElements{0, 2}};
    // Row 1: navigation and the location boxes.
    Img ImagePopBack{FramePopMainBut[0]};
    Img ImagePopForward{FramePopMainBut[0]};
    Btn CommandPopRefresh{FramePopMainBut[0]};
    Btn CommandPopSearch{FramePopMainBut[0]};
    Btn CommandPopStop{FramePopMainBut[0]};
    Lbl LabelPopLocation{FramePopMainBut[0]};
    Arr<vb::ComboBox> ComboPopLocation{FramePopMainBut[0]};
    Btn CommandPopGo{FramePopMainBut[0]};
    Lbl LabelPopGo{FramePopMainBut[0]};
    // Row 2: the page buttons, Create Tab and Tab List.
    Btn CommandPopBookmark{FramePopMainBut[1]};
    Btn CommandPopNote{FramePopMainBut[1]};
    Btn CommandPopMakeHome{FramePopMainBut[1]};
    Btn CommandPopSave{FramePopMainBut[1]};
    Btn CommandPopPrint{FramePopMainBut[1]};
    Arr<Lbl> LabelPopPageBut{FramePopMainBut[1]};
    Btn CommandPopCreateTab{FramePopMainBut[2]};
    Btn CommandPopList{FramePopMainBut[2]};
    Arr<Lbl> LabelPopTabBut{FramePopMainBut[2]};
    // Row 3: the tab row and its close buttons.
    vb::Frame FramePopNew{FrameBigPop};
    Arr<Btn> CommandPopNew{FramePopNew};
    Arr<Lbl> LabelPopNew{FramePopNew};
    vb::Frame FramePopClose{FramePopNew};
    Lbl LabelPopCloseHead{FramePopClose};
    Arr<Btn> CommandPopClose{FramePopClose};
    Arr<Lbl> LabelPopClose{FramePopClose};
    // Right edge: the user picture, Full Window and Close.
    Img ImagePopUser{FrameBigPop};
    vb::Frame FrameClose{FrameBigPop};
    Btn CommandFullPop{FrameClose};
    Lbl LabelFullPop{FrameClose};
    Btn CommandClosePop{FrameClose};
    Lbl LabelClosePop{FrameClose};
    vb::Line LinePop{FrameBigPop};

    // --- full-window mode: the compact bar, "Show" and "Controls" ------------------------
    vb::Frame FramePopCommon{*this};
    Img ImagePopComBack{FramePopCommon};
    Img ImagePopComForward{FramePopCommon};
    Btn CommandPopComRefresh{FramePopCommon};
    Btn CommandPopComSearch{FramePopCommon};
    Btn CommandPopComStop{FramePopCommon};
    vb::ComboBox ComboPopComLocation{FramePopCommon};
    Btn CommandPopComGo{FramePopCommon};
    Btn CommandPopComTab{FramePopCommon};
    Btn CommandPopCommon{FramePopCommon};
    vb::Frame FramePopComNew{FramePopCommon};
    Arr<Btn> CommandPopComNew{FramePopComNew};
    Arr<Lbl> LabelPopComNew{FramePopComNew};
    vb::Frame FramePopComClose{FramePopComNew};
    Arr<Btn> CommandPopComClose{FramePopComClose};
    Arr<Lbl> LabelPopComClose{FramePopComClose};

    vb::Frame FramePopZero{*this};
    Btn CommandPopZero{FramePopZero};
    vb::Frame FramePopOne{*this};
    Arr<Btn> CommandPopPage{FramePopOne};
    Arr<Lbl> LabelPopPage{FramePopOne};
    Arr<Btn> CommandPopOne{FramePopOne};
    Arr<Lbl> LabelPopOne{FramePopOne};
    Img ImagePopFullUser{FramePopOne};

    // Progress and busy picture: 0 in the normal bar, 1 in the compact bar.
    vb::ControlArray<vb::ProgressBar> ProgressPop{FramePopMainBut[0]};
    vb::ControlArray<Img> ImageCrazy{FramePopMainBut[0]};

    // --- the Tab List -------------------------------------------------------------------
    vb::Frame FramePopList{*this};
    vb::CheckBox CheckPopList{FramePopList};
    Btn CommandPopListHide{FramePopList};
    Lbl LabelPopListHide{FramePopList};
    Arr<vb::TextBox> TextPopList{FramePopList};

    // --- the small panels ---------------------------------------------------------------
    // 0 "Location To Go :", 1 "Bookmark This Page", 2 "Page Already Bookmarked",
    // 3 "Page Bookmarked", 4 "Note", 5 "Make This Page Home Page", 6 "Select Tabs".
    Arr<vb::Frame> FrameSmallPop{*this, vb::DesignElements{0, 6}};

    vb::TextBox TextPopCreate{FrameSmallPop[0]};
    Btn CommandPopCreateOK{FrameSmallPop[0]};
    Btn CommandPopCreateCancel{FrameSmallPop[0]};
    Arr<Lbl> LabelPopCreateBut{FrameSmallPop[0]};

    Lbl LabelPopMark{FrameSmallPop[1]};
    vb::TextBox TextPopMark{FrameSmallPop[1]};
    Lbl LabelPopAddress{FrameSmallPop[1]};
    vb::TextBox TextPopAddress{FrameSmallPop[1]};
    Btn CommandPopMarkOK{FrameSmallPop[1]};
    Btn CommandPopMarkCancel{FrameSmallPop[1]};
    Btn CommandPopMarkReset{FrameSmallPop[1]};
    Arr<Lbl> LabelPopMarkBut{FrameSmallPop[1]};

    // "Click To Hide" of panels 2 and 3, each in its own panel.
    vb::ControlArray<Lbl> LabelSmallPop{FrameSmallPop[2]};

    Arr<vb::TextBox> TextPopNote{FrameSmallPop[4]};
    Arr<Lbl> LabelPopNote{FrameSmallPop[4]};
    Btn CommandPopNoteEdit{FrameSmallPop[4]};
    Btn CommandPopNoteOK{FrameSmallPop[4]};
    Btn CommandPopNoteRemove{FrameSmallPop[4]};
    Btn CommandPopNoteCancel{FrameSmallPop[4]};
    Arr<Lbl> LabelPopNoteBut{FrameSmallPop[4]};
    Btn CommandPopNoteNoShow{FrameSmallPop[4]};
    Lbl LabelPopNoteNoShow{FrameSmallPop[4]};

    vb::TextBox TextPopHome{FrameSmallPop[5]};
    Lbl LabelPopHomeHead{FrameSmallPop[5]};
    Arr<vb::OptionButton> OptionPopHome{FrameSmallPop[5]};
    Lbl LabelHeadHomeAlready{FrameSmallPop[5]};
    Lbl LabelBrowHomeAlready{FrameSmallPop[5]};
    Btn CommandPopHomeOK{FrameSmallPop[5]};
    Btn CommandPopHomeCancel{FrameSmallPop[5]};
    Arr<Lbl> LabelPopHomeBut{FrameSmallPop[5]};

    Arr<vb::CheckBox> CheckSelectPopTab{FrameSmallPop[6]};
    vb::Frame FrameButPopSelect{FrameSmallPop[6]};
    Arr<Btn> CommandPopSelectClose{FrameButPopSelect};
    Arr<Lbl> LabelPopSelectClose{FrameButPopSelect};

    // What happened to a page or a download, over the page.
    PageNotice PageNoticeBox{*this};

    // --- busy animation -----------------------------------------------------------------
    vb::Timer TimerPop;

    // Keeps the Tab List's lines and the tabs' numbers whole under the panels.
    vb::CoverKeeper CoverKeeper{this};

    // --- per-window state (flags are bools; sizes in pixels) ----------------------------
    int PopTabCurrent = 0;
    bool PopOnTab = false;
    int PopTabCount = 0;
    int PopTabLastIndex = 0;
    int PopTabLastLaid = 0;
    std::array<bool, MaxPopTabs + 1> PopTabSlotUsed{};
    std::array<QString, MaxPopTabs + 1> PopTabTitles;
    std::array<bool, MaxPopTabs + 1> PopCanGoBack{};
    std::array<bool, MaxPopTabs + 1> PopCanGoForward{};
    bool PopPopupGuard = false;
    bool PopFirstLoad = true;
    bool PopPreviousPending = false;
    int PopPreviousIndex = 0;
    bool PopTitlePending = false;
    int PopBusyIndex = 0;
    int PopBusyFrame = 0;
    bool PopListKeepHidden = false;
    bool PopListVisible = false;
    bool PopFullWindow = false;
    int PopBarIndex = 0;
    bool PopTabRowHidden = false;
    int PopWidth = 0;
    int PopHeight = 0;
    int PopBandHeight = BandNoTabs;
    int PopBrowserLeft = 0;
    int PopBrowserWidth = 0;
    int PopBrowserHeight = 0;
    QString PopMarkName;
    QString PopMarkAddress;
    int PopSelectCount = 0;
    int PopHomeChoice = 0;
    // A slot between the start of its navigation and its end (not shown in any bar): a
    // slot closed meanwhile never completes, so it must not keep the pop-up guard up.
    std::array<bool, MaxPopTabs + 1> PopSlotLoading{};
    // A slot's box holds text the user typed (not the address the window wrote there).
    std::array<bool, MaxPopTabs + 1> PopBoxEdited{};
    // Set while the window shows a page's own arrival: a location box the user is typing in
    // keeps the text typed so far, and the focus.
    bool PageArrivalShowing = false;
    // New windows a page asked for while every tab was taken.
    RefusalBurst TooManyTabsRefused;
    // This window's note panel: its page's note, and whether Save replaces it. Its own, so
    // that another window's page or panel never changes what this panel does.
    NoteVars PopNote;
    // A page opened this window: it counts against the pages' windows until it closes.
    bool OpenedByPage = false;

    // --- load, size, display (frmWeb.cpp) -------------------------------------------------
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;
    void CommandClosePop_Click();
    void PopPanelShow(int index, bool focus);
    void CurrentBrowserShow();
    // A location box the user is typing in, or is in, while a page's own arrival is shown.
    bool keepsTyping(const vb::ComboBox& box) const;
    bool typingAddress() const;
    void UserPictureLayout();

    // --- addresses and the Tab List (frmWebAddress.cpp) --------------------------------
    void TabListRefresh();
    QString TabListLine(int slot) const;
    // A slot not on screen has a new page: its title, tool tips and Tab List line follow it.
    void SlotTitleShow(int slot);
    void LocationListAdd(const QString& address);

    // --- browser events (frmWebBrowse.cpp) ------------------------------------------------
    void BrowserPop_BeforeNavigate2(int index);
    void BrowserPop_DownloadBegin(int index);
    void BrowserPop_DownloadComplete(int index);
    void BrowserPop_ProgressChange(int index, qint32 progress, qint32 progressMax);
    void BrowserPop_NavigateComplete2(int index);
    void BrowserPop_NavigateError(int index, bool& cancel);
    void BrowserPop_NewWindow2(int index, vb::WebBrowser*& ppDisp, bool& cancel);
    void BrowserPop_SameDocument(int index, const QString& previous);
    void BrowserPop_FileDownload(int index);
    void BrowserPop_NewWindowCheck(int index, bool& cancel);
    void BrowserPop_PageTrouble(int index);
    void TimerPop_Timer();
    // A page's request for a new window is refused now (the pop-up guard, the tab limit);
    // the user hears of the limit once a burst.
    bool NewWindowRefused();

    // --- navigation and tabs (frmWebTabs.cpp) ---------------------------------------------
    void CommandPopGo_Click();
    void ComboPopLocation_Change(int index);
    void ComboPopComLocation_Change();
    void ComboPopLocation_KeyPress(int index, int& keyAscii);
    void ComboPopComLocation_KeyPress(int& keyAscii);
    void ImagePopBack_Click();
    void ImagePopForward_Click();
    void CommandPopRefresh_Click();
    void CommandPopSearch_Click();
    void CommandPopStop_Click();
    void CommandPopNew_Click(int index);
    void CommandPopClose_Click(int index);
    void CheckSelectPopTab_Click(int index);
    void CommandPopSelectClose_Click(int index);
    void CommandPopList_Click();
    void CommandPopListHide_Click();
    void CheckPopList_Click();
    void CommandPopCreateTab_Click();
    void CommandPopCreateOK_Click();
    void CommandPopCreateCancel_Click();
    void TextPopCreate_Change();
    void TextPopCreate_KeyPress(int& keyAscii);

    // --- panels (frmWebPanels.cpp) ------------------------------------------------------
    void CommandPopBookmark_Click();
    void CommandPopMarkOK_Click();
    void CommandPopMarkReset_Click();
    void CommandPopMarkCancel_Click();
    void TextPopMark_Change();
    void TextPopAddress_Change();
    void TextPopMark_KeyPress(int& keyAscii);
    void TextPopAddress_KeyPress(int& keyAscii);
    void FrameSmallPop_Click(int index);
    void LabelSmallPop_Click(int index);
    void CommandPopNote_Click();
    void CommandPopNoteEdit_Click();
    void CommandPopNoteOK_Click();
    void CommandPopNoteRemove_Click();
    void CommandPopNoteCancel_Click();
    void CommandPopNoteNoShow_Click();
    void TextPopNote_Change(int index);
    void TextPopNote_KeyPress(int index, int& keyAscii);
    void CommandPopMakeHome_Click();
    void OptionPopHome_Click(int index);
    void CommandPopHomeOK_Click();
    void CommandPopHomeCancel_Click();
    void TextPopHome_KeyPress(int& keyAscii);
    void CommandPopSave_Click();
    void CommandPopPrint_Click();
    void CommandPopPage_Click(int index);

    // --- bars and full-window mode (frmWebBars.cpp) -------------------------------------
    void CommandFullPop_Click();
    void CommandPopZero_Click();
    void CommandPopComTab_Click();
    void CommandPopCommon_Click();
    void CommandPopOne_Click(int index);

    // The browser on screen (nullptr only while the state is out of step).
    vb::WebBrowser* shownBrowser() const { return BrowserPop.find(PopTabCurrent); }

private:
    // The design, step by step in the order the controls are made (frmWebDesign.cpp).
    void designWindow();
    void designFirstRow();
    void designSecondRow();
    void designTabRow();
    void tabRowEnable(Arr<Btn>& tabs, Arr<Btn>& close);
    void designRightEdge();
    void designTimer();
    void designCompactBar();
    void designControls();
    void designTabList();
    void designPanels();
    void designNoteButtons();
    void designPictures();
    void designCovers();
    void wireEvents();
    void wireBrowserEvents();
    void wireTabEvents();
    void wirePanelEvents();
    void wireBarEvents();

    QPixmap face(int index) const;
    void stopBusy();
    void showTooManyTabs();
    void backForwardShow();
    void hideSlot(int slot);
    // The band's rows that follow the tabs and the window's width: the tab row and its
    // buttons, the user picture where there is room for it, and row 1, whose location box
    // stretches up to the picture or the window buttons.
    void bandLayout();
    void firstRowStretch(int right);
    void placePanel(int index);
    // Opens tab slot "slot" (the lowest free one) as the shown slot; returns its browser.
    // On a failure everything it changed is undone and the error is thrown on.
    vb::WebBrowser& openTabSlot();
    // Unloads slot i's browser and box and marks it closed.
    void closeTabSlot(int slot);
    // A new tab opened only for a file: it goes, and the slot the user was on is shown
    // again.
    void newTabWithoutPageDrop(int slot);
    void step(bool forward);
    void createAddressSet(const QString& address);
    void comListFill();

    // Steps of the load and of the display refresh.
    void sizeToScreen();
    void buttonFacesSet();
    void panelsAndProgressClose();
    void otherSlotsHide(int cur);
    void shownSlotMark(int cur, vb::WebBrowser* current);
    void pageTitleShow(int cur, const vb::WebBrowser* current);
    void tabListFollow();
    // The band takes the height of the tabs in use (none in full-window mode), and the
    // compact bar its rows.
    void layOutBand();
    void tabRowFit();
    void tabCloseButtonsSet(int cur);
};

} // namespace corvane
