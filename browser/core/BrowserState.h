#pragma once
// The browser set of the main window: which browser is current, which was left at the last
// switch, which tab slots are in use, what the display still has to refresh, which menu is
// open and where the browsers stand. One instance lives in the application object.

#include <QString>
#include <array>

namespace corvane {

struct OptionVars;
struct ListVars;

inline constexpr int MaxTabs = 24;
// Secondary windows that pages may hold open at once (windows the user opens do not count).
inline constexpr int MaxPageWindows = 24;
inline constexpr int BookmarkBrowserIndex = 6;

struct BrowserSet {
    // Current browser: exactly one of the three flags is set when the display runs.
    bool MainBrowserCurrent = false;
    bool TabBrowserCurrent = false;
    bool BookmarkBrowserCurrent = false;
    int MainBrowserIndex = 0;
    int TabCurrentIndex = 0;

    // Tab slots 0..24; slot 0 is always in use so that a free-slot search starts at 1.
    std::array<bool, MaxTabs + 1> TabSlotUsed{};
    int TabLastIndex = 0;
    int TabCount = 0;
    std::array<QString, MaxTabs + 1> TabTitles;
    std::array<bool, MaxTabs + 1> TabHasHistory{};
    std::array<bool, MaxTabs + 1> TabCanGoForward{};
    int LayoutTabLastIndex = -1;

    // Main browsers 0..5 and the bookmark browser 6.
    std::array<QString, 7> MainBrowserTitles;
    std::array<bool, 7> MainBrowserNotShown{};
    std::array<bool, 7> MainBrowserHasHistory{};
    std::array<bool, 7> MainBrowserCanGoForward{};
    std::array<bool, 6> MainBrowserKeepsHistory{};
    int HistoryLastIndex = 19;
    int MainBrowserLastLoaded = 0;

    // The browser left at the last switch.
    int BrowserReturnIndex = -1;
    bool ReturnIsMain = false;
    bool ReturnIsTab = false;

    // Pending work for the display routine.
    bool PageChanged = false;
    bool LocationListPending = false;
    bool BackForwardPending = false;
    bool ComLocationPending = false;

    // Menus, layout and mode (pixels unless said otherwise).
    int MenuOpenIndex = -1;
    bool TabListAutoShow = false;
    bool PageMenuFollowsOption = false;
    bool FullWindowMode = false;
    int BarIndex = 0;
    bool FullBarOneRow = false;
    bool FullBarHidden = false;
    int TopBandHeight = 0;
    int BrowserLeft = 0;
    int BrowserTop = 0;
    int BrowserWidth = 0;
    int BrowserHeight = 0;
    int MainWindowWidth = 0;
    int MainWindowHeight = 0;
    bool PictureLayoutPending = false;
    int TabListTop = 0;

    // Loading and navigation.
    int LoadingBrowserIndex = -1;
    int TabLoadingIndex = -1;
    // Secondary windows open now that pages opened.
    int PageWindowsOpen = 0;
    bool LocationChangeMuted = false;
    // Set while the display shows a page's own arrival: a location box the user is typing
    // in keeps the text typed so far, and the focus.
    bool PageArrivalShowing = false;
    bool PopupGuard = false;

    // The bookmark browser and its panel.
    bool BookmarkBrowserOpen = false;
    bool BookmarkFrameShown = false;

    // Menus' slide-out and the About banner.
    bool SlideActive = false;
    int SlideIndex = 0;
    int SlideWidth = 0;
    int SlideHeight = 0;
    int SlideStep = 10;
    int SlideFactor = 3;
    int SlideTarget = 217;
    bool AboutShown = false;
    int AboutBounceMin = 176;
    int AboutBounceMax = 0;
};

// A note panel's state: the note of the page it shows, whether the page has one, and
// whether its Save replaces it. The main window's is the one in PanelVars; each secondary
// window keeps its own, so that a page completing in one window never changes what
// another window's open panel does.
struct NoteVars {
    int CurrentNoteIndex = -1;
    bool NoteExists = false;
    bool NoteEditing = false;
};

// Panel state shared by the main window and every secondary window.
struct PanelVars : NoteVars {
    bool NoteFrameShown = false;
    QString MakeHomeAddress;
    std::array<bool, 6> HomePageDiffers{};
    QString HomeAlreadyHead;
    QString HomeAlreadyBrowsers;
    QString CreateAddress;
    bool CreateTabPending = false;
    bool CreateBrowserPending = false;
    QString BookmarkSelectKind;
    int FamilyRunChoice = 0;
    bool PickerPictureMode = false;
    bool PickerOpenFileMode = false;
};

// Start values after the settings are read: main browser 1 current, nothing to hide.
void BrowserStateInit(BrowserSet& set, const OptionVars& opt, ListVars& lists);
// The browser set's part of it alone, for a main window loaded again while the program
// runs: the lists already hold what the user has worked on since the start.
void BrowserSetInit(BrowserSet& set, const OptionVars& opt);
// Sets MainBrowserKeepsHistory(i) for every bit i (0..5) of mask; never clears one.
void HistoryMaskUnpack(BrowserSet& set, int mask);

} // namespace corvane
