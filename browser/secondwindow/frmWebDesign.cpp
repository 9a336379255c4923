// The design of the secondary window: every control in its container, at its design place.
// Controls placed on the form are in pixels; controls inside frames are in twips.
//
// The normal bar band is 76 pixels high without tabs and 108 with them: row 1 (0..32)
// holds the navigation and the location box, row 2 (32..76) the page buttons, Create Tab
// and Tab List, row 3 (76..108) the tab row; the user picture, Full Window and Close stand
// at the right edge. The Tab List stays open by itself at the left edge below row 1, so
// rows 2 and 3 begin right of it; the window is wide enough for 24 tabs there. The compact
// bar of full-window mode has the same commands in one row (27 pixels) and its tab row
// under it (59 pixels in all).

#include "frmWeb.h"

#include "CorvaneApp.h"
#include "WindowDesign.h"

#include "art/Artwork.h"
#include "vb/Design.h"

#include <algorithm>

namespace corvane {

namespace {

using vb::colors::Band;
using vb::colors::Panel;

// Design size of the client area (pixels); the outer frame adds 8 x 32.
constexpr int DesignClientWidth = 880;
constexpr int DesignClientHeight = 568;

QString S(const char* s)
{
    return QString::fromLatin1(s);
}

// A button of a bar column: the button centred over its caption.
void columnButton(vb::CommandButton& b, vb::Label& l, const QString& caption, int left, int width)
{
    vb::placeButton(b, left + (width - 300) / 2, 45);
    vb::placeCaption(l, caption, {left, 360, width, 195}, vb::Centred);
}

// A button of a bar that says what it does in its tool tip only.
void barButton(vb::CommandButton& b, int left, int top, const QString& tip, bool enabled = true)
{
    vb::placeButton(b, left, top);
    b.setToolTip(tip);
    b.setEnabled(enabled);
}

} // namespace

frmWeb::frmWeb(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmWeb")), design::WindowParts(static_cast<vb::Form&>(*this), app)
{
    designWindow();
    designFirstRow();
    designSecondRow();
    designTabRow();
    designRightEdge();
    designTimer();
    designCompactBar();
    designControls();
    designTabList();
    designPanels();
    designPictures();
    designCovers();
    wireEvents();
}

frmWeb::~frmWeb() = default;

void frmWeb::designWindow()
{
    setBackColor(Panel);
    setCaption(m_app.prog.ProgramName);
    move(0, 0, vb::toTwips(DesignClientWidth + FrameWidthPixels), vb::toTwips(DesignClientHeight + FrameHeightPixels));

    BrowserPop.add(0).move(0, BandNoTabs, DesignClientWidth + FrameWidthPixels - 6, DesignClientHeight - BandNoTabs);

    PicturePop.move(0, 0, 1, 1);
    PicturePop.setBorderStyle(0);

    vb::plainFrame(FrameBigPop, {0, 0, DesignClientWidth + FrameWidthPixels - 6, BandNoTabs});
}

void frmWeb::designFirstRow()
{
    // Back, Forward, Refresh, Search, Stop, the location box, Go, busy and progress.
    vb::plainFrame(FramePopMainBut[0], {0, 0, 7920, 480});
    vb::placePicture(ImagePopBack, {120, 105, 375, 255});
    vb::placePicture(ImagePopForward, {555, 105, 375, 255});
    barButton(CommandPopRefresh, 1020, 90, S("Refresh"));
    barButton(CommandPopSearch, 1350, 90, S("Search"));
    barButton(CommandPopStop, 1680, 90, S("Stop"), false);
    vb::placeCaption(LabelPopLocation, S("Location : "), {2040, 135, 720, 210});
    // The busy picture and the progress bar have a twin in the compact bar.
    ProgressPop.add(0);
    ImageCrazy.add(0);
    vb::ComboBox& box = ComboPopLocation.add(0);
    box.move(2760, 75, 3600, 330);
    box.setMaxVisibleItems(20);
    box.setDragEnabled(true);
    barButton(CommandPopGo, 6420, 90, S("Go"), false);
    vb::placeCaption(LabelPopGo, S("Go"), {6750, 135, 300, 210}, {0, 8});
    vb::placePicture(ImageCrazy[0], {7080, 105, 240, 240});
    ProgressPop[0].move(7380, 165, 480, 120);
    ProgressPop[0].setVisible(false);
}

void frmWeb::designSecondRow()
{
    // The page buttons; Create Tab and Tab List, each column as wide as its caption.
    vb::plainFrame(FramePopMainBut[1], {frmWeb::BandRowLeft, 480, 3930, 660});
    const struct {
        Btn* button;
        const char* caption;
        int left;
        int width;
    } pageButtons[] = {{&CommandPopBookmark, "Bookmark", 0, 780},
                       {&CommandPopNote, "Keep Note", 780, 780},
                       {&CommandPopMakeHome, "Set As Home Page", 1560, 1290},
                       {&CommandPopSave, "Save", 2850, 540},
                       {&CommandPopPrint, "Print", 3390, 540}};
    int labelIndex = 0;
    for (const auto& p : pageButtons)
        columnButton(*p.button, LabelPopPageBut.add(labelIndex++), S(p.caption), p.left, p.width);
    vb::plainFrame(FramePopMainBut[2], {frmWeb::BandRowLeft + 3990, 480, 1470, 660});
    columnButton(CommandPopCreateTab, LabelPopTabBut.add(0), S("Create Tab"), 0, 810);
    columnButton(CommandPopList, LabelPopTabBut.add(1), S("Tab List"), 840, 630);
    CommandPopList.setEnabled(false);
}

void frmWeb::designTabRow()
{
    // The own page's button, the tab buttons, and the close buttons after the last.
    vb::plainFrame(FramePopNew, {frmWeb::BandRowLeft, 1155, 2880, 450});
    design::tabRow(CommandPopNew, LabelPopNew, S("Page"), false);
    design::closeGroup(FramePopClose, &LabelPopCloseHead, CommandPopClose, LabelPopClose, S("??"), false);
    tabRowEnable(CommandPopNew, CommandPopClose);
}

void frmWeb::tabRowEnable(Arr<Btn>& tabs, Arr<Btn>& close)
{
    // Only the window's own page is open yet.
    for (int i : tabs.indices())
        tabs[i].setEnabled(i == 0);
    close[1].setEnabled(false);
}

void frmWeb::designRightEdge()
{
    // Placed at load and at each resize.
    vb::placePicture(ImagePopUser, {8400, 0, 1620, 1080});
    vb::plainFrame(FrameClose, {10530, 0, 1500, 1080});
    vb::placeButton(CommandFullPop, 180, 120);
    vb::placeCaption(LabelFullPop, S("Full Window"), {0, 450, 660, 420}, vb::Centred);
    vb::placeButton(CommandClosePop, 900, 120);
    vb::placeCaption(LabelClosePop, S("Close"), {750, 450, 600, 210}, vb::Centred);
    LinePop.setPoints(0, BandNoTabs * 15, 24000, BandNoTabs * 15);
    LinePop.setBorderColor(vb::colors::Line);
}

void frmWeb::designTimer()
{
    TimerPop.setInterval(200);
    TimerPop.setEnabled(false);
}

void frmWeb::designCompactBar()
{
    // Wide enough for the row of 24 tabs, narrow enough for a window on an 800-pixel screen.
    vb::barFrame(FramePopCommon, {24, 0, 726, 27});
    vb::placePicture(ImagePopComBack, {120, 75, 375, 255});
    vb::placePicture(ImagePopComForward, {555, 75, 375, 255});
    barButton(CommandPopComRefresh, 1020, 45, S("Refresh"));
    barButton(CommandPopComSearch, 1350, 45, S("Search"));
    barButton(CommandPopComStop, 1680, 45, S("Stop"));
    ComboPopComLocation.move(2040, 30, 4320, 330);
    ComboPopComLocation.setMaxVisibleItems(20);
    ComboPopComLocation.setToolTip(S("Location : "));
    barButton(CommandPopComGo, 6420, 45, S("Go"), false);
    ProgressPop.addIn(FramePopCommon, 1).move(7080, 135, 900, 120);
    ProgressPop[1].setVisible(false);
    vb::placePicture(ImageCrazy.addIn(FramePopCommon, 1), {6780, 75, 240, 240});
    barButton(CommandPopComTab, 8040, 45, S("Tabs"), false);
    vb::placeButton(CommandPopCommon, 8400, 45, 255, 300);
    CommandPopCommon.setCaption(S("x"));
    CommandPopCommon.setToolTip(S("Hide"));

    vb::plainFrame(FramePopComNew, {60, 435, 2880, 450});
    design::tabRow(CommandPopComNew, LabelPopComNew, S("Page"), true);
    design::closeGroup(FramePopComClose, nullptr, CommandPopComClose, LabelPopComClose, S("??"), true);
    tabRowEnable(CommandPopComNew, CommandPopComClose);
}

void frmWeb::designControls()
{
    // "Show" and the "Controls" frame.
    design::cornerButton(FramePopZero, CommandPopZero, S("Show"));

    vb::panelFrame(FramePopOne, S("Controls"), {0, 16, 332, 128}, Band);
    const QStringList pageNames{S("Bookmark"), S("Keep Note"), S("Set As Home Page"), S("Save"), S("Print")};
    const QStringList oneNames{S("Hide"), S("Navigation"), S("Create Tab"), S("Normal Window"), S("Close Browser")};
    for (int i = 0; i <= 4; ++i) {
        const int top = 225 + i * 315;
        vb::placeButton(CommandPopPage.add(i), 60, top, 270, 270);
        vb::placeCaption(LabelPopPage.add(i), pageNames[i], {360, top + 30, 1440, 210});
        vb::placeButton(CommandPopOne.add(i), 1860, top, 270, 270);
        vb::placeCaption(LabelPopOne.add(i), oneNames[i], {2160, top + 30, 1440, 210});
    }
    vb::placePicture(ImagePopFullUser, {3660, 300, 1200, 900});
}

void frmWeb::designTabList()
{
    // Its Hide beside its caption, one line a tab, "Keep Hidden" under the last line (the
    // refresh places it).
    vb::panelFrame(FramePopList, S("Tab List"), {0, 32, frmWeb::ListWidth, 49});
    vb::placeButton(CommandPopListHide, 990, 15, 240, 240);
    vb::placeCaption(LabelPopListHide, S("Hide"), {1260, 30, 840, 210});
    CheckPopList.move(90, 480, 1980, 240);
    CheckPopList.setCaption(S("Keep Hidden"));
    CheckPopList.setBackColor(Panel);
    for (int i = 0; i <= MaxPopTabs; ++i)
        design::listLine(TextPopList.add(i), {90, i == 0 ? 0 : 240 + (i - 1) * 240, 1980, 240});
}

void frmWeb::designPanels()
{
    design::createPanel({FrameSmallPop[0], TextPopCreate, CommandPopCreateOK, CommandPopCreateCancel, LabelPopCreateBut},
                        S("Location To Go :"), {8, 32});
    design::markPanel({FrameSmallPop[1], LabelPopMark, TextPopMark, LabelPopAddress, TextPopAddress, CommandPopMarkOK,
                       CommandPopMarkCancel, CommandPopMarkReset, LabelPopMarkBut},
                      {224, 76});
    // The confirmations.
    vb::panelFrame(FrameSmallPop[2], S("Page Already Bookmarked"), {224, 76, 200, 40}, vb::colors::Notice);
    LabelSmallPop.addIn(FrameSmallPop[2], 2);
    vb::placeCaption(LabelSmallPop[2], S("Click To Hide"), {120, 285, 2700, 225}, vb::Centred);
    vb::panelFrame(FrameSmallPop[3], S("Page Bookmarked"), {224, 76, 200, 40}, vb::colors::Notice);
    LabelSmallPop.addIn(FrameSmallPop[3], 3);
    vb::placeCaption(LabelSmallPop[3], S("Click To Hide"), {120, 285, 2700, 225}, vb::Centred);
    design::notePanel({FrameSmallPop[4], LabelPopNote, TextPopNote}, S("Somthing need to be reminded on subsequent visit to this Page?"),
                      {200, 76});
    designNoteButtons();
    // Narrow enough to stay inside a window that an 800-pixel screen leaves room for, from
    // its fixed place.
    design::homePanel({FrameSmallPop[5], TextPopHome, LabelPopHomeHead, OptionPopHome, LabelHeadHomeAlready, LabelBrowHomeAlready,
                       CommandPopHomeOK, CommandPopHomeCancel, LabelPopHomeBut},
                      {{368, 76, 380, 172}, 5400, 1350, 1320, S("Currently this page is Home Page of Browser # 6"), S("Browser 1")});
    // It opens left of the end of the tab row, so it is narrow enough to find room there
    // with two tabs.
    design::selectTabsPanel({FrameSmallPop[6], CheckSelectPopTab, FrameButPopSelect, CommandPopSelectClose, LabelPopSelectClose},
                            BandWithTabs, frmWeb::SelectPanelWidth, 1);
}

void frmWeb::designNoteButtons()
{
    const QStringList names{S("Edit"), S("Save"), S("Delete")};
    Btn* buttons[] = {&CommandPopNoteEdit, &CommandPopNoteOK, &CommandPopNoteRemove};
    for (int i = 0; i < 3; ++i)
        vb::panelButton(*buttons[i], LabelPopNoteBut.add(i), names[i], 120 + i * 720, 1620);
    // "Cancel/Hide" is wider than the others' captions.
    vb::placeButton(CommandPopNoteCancel, 2430, 1620);
    vb::placeCaption(LabelPopNoteBut.add(3), S("Cancel/Hide"), {2130, 1920, 900, 210}, vb::Centred);
    vb::placeButton(CommandPopNoteNoShow, 3360, 1620);
    vb::placeCaption(LabelPopNoteNoShow, S("Do Not Show Notes"), {3720, 1665, 2400, 210});
    CommandPopNoteNoShow.setVisible(false);
    LabelPopNoteNoShow.setVisible(false);
}

void frmWeb::designCovers()
{
    for (int i = 0; i <= 6; ++i)
        CoverKeeper.addCover(FrameSmallPop[i]);
    CoverKeeper.addCover(FramePopOne);
    // On a window narrower than it keeps (a small screen) the tab row moves under the list.
    CoverKeeper.addCover(FramePopList);
    for (int i = 1; i <= MaxPopTabs; ++i)
        CoverKeeper.addTarget(TextPopList[i]);
    design::tabRowCovers(CoverKeeper, {&LabelPopNew, &LabelPopComNew, &LabelPopClose, &LabelPopComClose}, LabelPopCloseHead);
    for (vb::Frame* f : {&FramePopList, &FrameBigPop, &FramePopNew, &FramePopClose, &FramePopCommon, &FramePopComNew, &FramePopComClose})
        CoverKeeper.followMoves(*f);
}

QSize frmWeb::SmallestClientSize() const
{
    // Across: the band is 2 pixels wider than the client area (the page's width); its right
    // edge holds Full Window and Close and, left of them, the picture, as high as the band
    // while 1 to 12 tabs are open: the row of 12 tabs must end before it. With more tabs the
    // picture is smaller and above the row, and the row of 24 tabs must end 60 twips before
    // the band's edge.
    auto tabRowRight = [this](int tabs) { return BandRowLeft + 60 + (tabs + 1) * 360 + FramePopClose.width(); };
    const int picture = 60 + 2430 + FrameClose.width();
    const int band = std::max(tabRowRight(12) + 60 + picture, tabRowRight(MaxPopTabs) + 60);
    const int across = (band + vb::TwipsPerPixel - 1) / vb::TwipsPerPixel - 2;
    // Down: the Tab List of 24 tabs, which stays open under row 1, and a few pixels of the
    // page under it.
    const int down = 32 + MaxPopTabs * 16 + 33 + 8;
    return QSize(across, down);
}

void frmWeb::designPictures()
{
    // The window's own picture stores, drawn once: button faces 0..14 (the last repeats
    // the plain face), Back and Forward (0 normal, 1 pressed, 2 disabled, 3 as 0), and the
    // busy pictures (0 idle, 1..6 the animation).
    vb::pictureStore(BButton, 15, [](int i) { return art::buttonFace(i % art::ButtonFaceCount, QSize(20, 20)); });
    vb::arrowStores(NavBack, NavForward, 4);
    vb::pictureStore(ImageShow, 9, [](int i) { return art::busyFrame(i % art::BusyFrameCount, QSize(16, 16)); });
    // Tab buttons stand inactive until the display says otherwise.
    for (int i = 0; i <= MaxPopTabs; ++i) {
        CommandPopNew[i].setPicture(BButton[5].picture());
        CommandPopComNew[i].setPicture(BButton[5].picture());
    }
}

} // namespace corvane
