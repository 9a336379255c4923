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

#include "art/Artwork.h"

#include <algorithm>

namespace corvane {

namespace {

const QColor BandColor(0xe6, 0xeb, 0xf2);
const QColor PanelColor(0xf4, 0xf6, 0xf9);
const QColor NoticeColor(0xff, 0xf4, 0xd6);
const QColor TextColor(0x26, 0x36, 0x4a);

// Design size of the client area (pixels); the outer frame adds 8 x 32.
constexpr int DesignClientWidth = 880;
constexpr int DesignClientHeight = 568;

// The Close group after the tab row: "Close", then All, the shown tab and Select.
constexpr int CloseLefts[] = {435, 855, 1275};
constexpr int CloseCaptionWidths[] = {420, 420, 465};

QString S(const char* s)
{
    return QString::fromLatin1(s);
}

void setButton(vb::CommandButton& b, int l, int t, int w = 300, int h = 300)
{
    b.move(l, t, w, h);
}

vb::Label& setLabel(vb::Label& l, const QString& caption, int left, int top, int width, int height = 195, int align = 0,
                    double points = 7)
{
    l.move(left, top, width, height);
    l.setCaption(caption);
    l.setBackStyle(0);
    l.setAlignment(align);
    l.setFontSize(points);
    l.setForeColor(TextColor);
    return l;
}

void bandFrame(vb::Frame& f, int left, int top, int width, int height)
{
    f.move(left, top, width, height);
    f.setCaption(QString());
    f.setBorderStyle(0);
    f.setBackColor(BandColor);
}

void panel(vb::Frame& f, const QString& caption, int left, int top, int width, int height, const QColor& back = PanelColor)
{
    f.move(left, top, width, height);
    f.setCaption(caption);
    f.setBackColor(back);
    f.setFontBold(true);
    f.setVisible(false);
}

// A panel button with its caption label under it.
void panelButton(vb::CommandButton& b, vb::Label& l, const QString& caption, int left, int top)
{
    setButton(b, left + 150, top, 300, 300);
    setLabel(l, caption, left, top + 300, 600, 210, 2);
}

// A button of a bar column: the button centred over its caption.
void columnButton(vb::CommandButton& b, vb::Label& l, const QString& caption, int left, int width)
{
    setButton(b, left + (width - 300) / 2, 45, 300, 300);
    setLabel(l, caption, left, 360, width, 195, 2);
}

} // namespace

frmWeb::frmWeb(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmWeb")), m_app(app)
{
    design();
    designBars();
    designPanels();
    designPictures();
    designCovers();
    wireEvents();
}

frmWeb::~frmWeb() = default;

void frmWeb::design()
{
    setBackColor(PanelColor);
    setCaption(m_app.prog.ProgramName);
    move(0, 0, (DesignClientWidth + FrameWidthPixels) * vb::TwipsPerPixel,
         (DesignClientHeight + FrameHeightPixels) * vb::TwipsPerPixel);

    BrowserPop.add(0).move(0, BandNoTabs, DesignClientWidth + FrameWidthPixels - 6, DesignClientHeight - BandNoTabs);

    PicturePop.move(0, 0, 1, 1);
    PicturePop.setBorderStyle(0);

    // ---- the normal bar band ----
    bandFrame(FrameBigPop, 0, 0, DesignClientWidth + FrameWidthPixels - 6, BandNoTabs);

    // Row 1: Back, Forward, Refresh, Search, Stop, the location box, Go, busy and progress.
    bandFrame(FramePopMainBut[0], 0, 0, 7920, 480);
    ImagePopBack.move(120, 105, 375, 255);
    ImagePopBack.setStretch(true);
    ImagePopForward.move(555, 105, 375, 255);
    ImagePopForward.setStretch(true);
    setButton(CommandPopRefresh, 1020, 90);
    CommandPopRefresh.setToolTip(S("Refresh"));
    setButton(CommandPopSearch, 1350, 90);
    CommandPopSearch.setToolTip(S("Search"));
    setButton(CommandPopStop, 1680, 90);
    CommandPopStop.setToolTip(S("Stop"));
    CommandPopStop.setEnabled(false);
    setLabel(LabelPopLocation, S("Location : "), 2040, 135, 720, 210);
    vb::ComboBox& box = ComboPopLocation.add(0);
    box.move(2760, 75, 3600, 330);
    box.setMaxVisibleItems(20);
    box.setDragEnabled(true);
    setButton(CommandPopGo, 6420, 90);
    CommandPopGo.setToolTip(S("Go"));
    CommandPopGo.setEnabled(false);
    setLabel(LabelPopGo, S("Go"), 6750, 135, 300, 210, 0, 8);
    ImageCrazy[0].move(7080, 105, 240, 240);
    ImageCrazy[0].setStretch(true);
    ProgressPop[0].move(7380, 165, 480, 120);
    ProgressPop[0].setVisible(false);

    // Row 2: the page buttons; Create Tab and Tab List, each column as wide as its caption.
    bandFrame(FramePopMainBut[1], frmWeb::BandRowLeft, 480, 3930, 660);
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
    bandFrame(FramePopMainBut[2], frmWeb::BandRowLeft + 3990, 480, 1470, 660);
    columnButton(CommandPopCreateTab, LabelPopTabBut.add(0), S("Create Tab"), 0, 810);
    columnButton(CommandPopList, LabelPopTabBut.add(1), S("Tab List"), 840, 630);
    CommandPopList.setEnabled(false);

    // Row 3: the own page's button, the tab buttons 360 twips apart, and the close buttons
    // after the last; they stand above the buttons of slots they are moved over.
    bandFrame(FramePopNew, frmWeb::BandRowLeft, 1155, 2880, 450);
    for (int i = 0; i <= MaxPopTabs; ++i) {
        const int left = 60 + i * 360;
        setButton(CommandPopNew.add(i), left, 15, 300, 255);
        CommandPopNew[i].setEnabled(i == 0);
        setLabel(LabelPopNew.add(i), i == 0 ? S("Page") : QString::number(i), left - 30, 270, 360, 180, 2, 6.5);
    }
    bandFrame(FramePopClose, 420, 0, frmWeb::CloseGroupWidth, 450);
    FramePopClose.zOrder(0);
    setLabel(LabelPopCloseHead, S("Close"), 0, 60, 405, 210);
    const QStringList closeNames{S("All"), S("??"), S("Select")};
    for (int i = 0; i <= 2; ++i) {
        setButton(CommandPopClose.add(i), CloseLefts[i], 15, 300, 255);
        setLabel(LabelPopClose.add(i), closeNames[i], CloseLefts[i] - 60, 270, CloseCaptionWidths[i], 180, 2, 6.5);
    }
    CommandPopClose[1].setEnabled(false);

    // The right edge (placed at load and at each resize).
    ImagePopUser.setStretch(true);
    ImagePopUser.move(8400, 0, 1620, 1080);
    bandFrame(FrameClose, 10530, 0, 1500, 1080);
    setButton(CommandFullPop, 180, 120);
    setLabel(LabelFullPop, S("Full Window"), 0, 450, 660, 420, 2);
    setButton(CommandClosePop, 900, 120);
    setLabel(LabelClosePop, S("Close"), 750, 450, 600, 210, 2);
    LinePop.setPoints(0, BandNoTabs * 15, 24000, BandNoTabs * 15);
    LinePop.setBorderColor(QColor(0x9a, 0xa4, 0xb2));

    // ---- timer ----
    TimerPop.setInterval(200);
    TimerPop.setEnabled(false);
}

void frmWeb::designBars()
{
    // ---- the compact bar ----
    // Wide enough for the row of 24 tabs, narrow enough for a window on an 800-pixel screen.
    FramePopCommon.move(24, 0, 726, 27);
    FramePopCommon.setBorderStyle(1);
    FramePopCommon.setBackColor(BandColor);
    FramePopCommon.setVisible(false);
    ImagePopComBack.move(120, 75, 375, 255);
    ImagePopComBack.setStretch(true);
    ImagePopComForward.move(555, 75, 375, 255);
    ImagePopComForward.setStretch(true);
    setButton(CommandPopComRefresh, 1020, 45);
    CommandPopComRefresh.setToolTip(S("Refresh"));
    setButton(CommandPopComSearch, 1350, 45);
    CommandPopComSearch.setToolTip(S("Search"));
    setButton(CommandPopComStop, 1680, 45);
    CommandPopComStop.setToolTip(S("Stop"));
    ComboPopComLocation.move(2040, 30, 4320, 330);
    ComboPopComLocation.setMaxVisibleItems(20);
    ComboPopComLocation.setToolTip(S("Location : "));
    setButton(CommandPopComGo, 6420, 45);
    CommandPopComGo.setToolTip(S("Go"));
    CommandPopComGo.setEnabled(false);
    ImageCrazy[1].move(6780, 75, 240, 240);
    ImageCrazy[1].setStretch(true);
    ProgressPop[1].move(7080, 135, 900, 120);
    ProgressPop[1].setVisible(false);
    setButton(CommandPopComTab, 8040, 45);
    CommandPopComTab.setToolTip(S("Tabs"));
    CommandPopComTab.setEnabled(false);
    setButton(CommandPopCommon, 8400, 45, 255, 300);
    CommandPopCommon.setCaption(S("x"));
    CommandPopCommon.setToolTip(S("Hide"));

    bandFrame(FramePopComNew, 60, 435, 2880, 450);
    for (int i = 0; i <= MaxPopTabs; ++i) {
        const int left = 60 + i * 360;
        setButton(CommandPopComNew.add(i), left, 0, 300, 255);
        CommandPopComNew[i].setEnabled(i == 0);
        setLabel(LabelPopComNew.add(i), i == 0 ? S("Page") : QString::number(i), left - 30, 255, 360, 165, 2, 6.5);
    }
    bandFrame(FramePopComClose, 420, 0, frmWeb::CloseGroupWidth, 420);
    FramePopComClose.zOrder(0);
    const QStringList closeNames{S("All"), S("??"), S("Select")};
    for (int i = 0; i <= 2; ++i) {
        setButton(CommandPopComClose.add(i), CloseLefts[i], 0, 300, 255);
        setLabel(LabelPopComClose.add(i), closeNames[i], CloseLefts[i] - 60, 255, CloseCaptionWidths[i], 165, 2, 6.5);
    }
    CommandPopComClose[1].setEnabled(false);

    // ---- "Show" and the "Controls" frame ----
    FramePopZero.move(2, 0, 20, 14);
    FramePopZero.setBorderStyle(0);
    FramePopZero.setVisible(false);
    setButton(CommandPopZero, 0, 0, 300, 210);
    CommandPopZero.setToolTip(S("Show"));

    panel(FramePopOne, S("Controls"), 0, 16, 332, 128, BandColor);
    const QStringList pageNames{S("Bookmark"), S("Keep Note"), S("Set As Home Page"), S("Save"), S("Print")};
    const QStringList oneNames{S("Hide"), S("Navigation"), S("Create Tab"), S("Normal Window"), S("Close Browser")};
    for (int i = 0; i <= 4; ++i) {
        const int top = 225 + i * 315;
        setButton(CommandPopPage.add(i), 60, top, 270, 270);
        setLabel(LabelPopPage.add(i), pageNames[i], 360, top + 30, 1440, 210);
        setButton(CommandPopOne.add(i), 1860, top, 270, 270);
        setLabel(LabelPopOne.add(i), oneNames[i], 2160, top + 30, 1440, 210);
    }
    ImagePopFullUser.setStretch(true);
    ImagePopFullUser.move(3660, 300, 1200, 900);

    // ---- the Tab List: its Hide beside its caption, one line a tab, "Keep Hidden" under
    // the last line (the refresh places it) ----
    panel(FramePopList, S("Tab List"), 0, 32, frmWeb::ListWidth, 49);
    setButton(CommandPopListHide, 990, 15, 240, 240);
    setLabel(LabelPopListHide, S("Hide"), 1260, 30, 840, 210);
    CheckPopList.move(90, 480, 1980, 240);
    CheckPopList.setCaption(S("Keep Hidden"));
    CheckPopList.setBackColor(PanelColor);
    for (int i = 0; i <= MaxPopTabs; ++i) {
        vb::TextBox& line = TextPopList.add(i);
        line.move(90, i == 0 ? 0 : 240 + (i - 1) * 240, 1980, 240);
        line.setBorderStyle(0);
        line.setLocked(true);
        line.setShortened(true);
        line.setBackColor(PanelColor);
        // The refresh shows the lines it writes.
        line.setVisible(false);
    }
}

void frmWeb::designPanels()
{
    // 0: Create Tab.
    panel(FrameSmallPop[0], S("Location To Go :"), 8, 32, 440, 84);
    TextPopCreate.move(120, 270, 6300, 285);
    panelButton(CommandPopCreateOK, LabelPopCreateBut.add(0), S("OK"), 120, 660);
    panelButton(CommandPopCreateCancel, LabelPopCreateBut.add(1), S("Cancel"), 840, 660);

    // 1: Bookmark This Page.
    panel(FrameSmallPop[1], S("Bookmark This Page"), 224, 76, 440, 150);
    setLabel(LabelPopMark, S("Page will be Bookmarked by the name that you type here :"), 120, 240, 6300, 210);
    TextPopMark.move(120, 465, 6300, 285);
    setLabel(LabelPopAddress, S("To Bookmark a different web page Type LocationURL here:"), 120, 810, 6300, 210);
    TextPopAddress.move(120, 1035, 6300, 285);
    panelButton(CommandPopMarkOK, LabelPopMarkBut.add(0), S("OK"), 120, 1470);
    panelButton(CommandPopMarkCancel, LabelPopMarkBut.add(1), S("Cancel"), 840, 1470);
    panelButton(CommandPopMarkReset, LabelPopMarkBut.add(2), S("Reset"), 1560, 1470);

    // 2 and 3: the confirmations.
    panel(FrameSmallPop[2], S("Page Already Bookmarked"), 224, 76, 200, 40, NoticeColor);
    setLabel(LabelSmallPop[2], S("Click To Hide"), 120, 285, 2700, 225, 2);
    panel(FrameSmallPop[3], S("Page Bookmarked"), 224, 76, 200, 40, NoticeColor);
    setLabel(LabelSmallPop[3], S("Click To Hide"), 120, 285, 2700, 225, 2);

    // 4: Note.
    panel(FrameSmallPop[4], S("Note"), 200, 76, 460, 150);
    setLabel(LabelPopNote.add(0), S("Page :"), 120, 255, 720, 210);
    TextPopNote.add(0).move(840, 225, 5880, 285);
    TextPopNote[0].setLocked(true);
    setLabel(LabelPopNote.add(6), S("Somthing need to be reminded on subsequent visit to this Page?"), 120, 570, 6600, 210);
    setLabel(LabelPopNote.add(7), S("Edit Note (maximum 150 characters) :"), 120, 795, 6600, 210);
    setLabel(LabelPopNote.add(1), QString(), 120, 570, 6600, 900, 0, 8).setWrapAnywhere(true);
    TextPopNote.add(1, true).move(120, 1020, 6660, 540);
    TextPopNote[1].setMaxLength(150);
    const QStringList noteButtons{S("Edit"), S("Save"), S("Delete"), S("Cancel/Hide")};
    Btn* nb[] = {&CommandPopNoteEdit, &CommandPopNoteOK, &CommandPopNoteRemove, &CommandPopNoteCancel};
    for (int i = 0; i < 3; ++i)
        panelButton(*nb[i], LabelPopNoteBut.add(i), noteButtons[i], 120 + i * 720, 1620);
    // "Cancel/Hide" is wider than the others' captions.
    setButton(*nb[3], 2430, 1620, 300, 300);
    setLabel(LabelPopNoteBut.add(3), noteButtons[3], 2130, 1920, 900, 210, 2);
    setButton(CommandPopNoteNoShow, 3360, 1620);
    setLabel(LabelPopNoteNoShow, S("Do Not Show Notes"), 3720, 1665, 2400, 210);
    CommandPopNoteNoShow.setVisible(false);
    LabelPopNoteNoShow.setVisible(false);

    // 5: Make This Page Home Page; narrow enough to stay inside a window that an 800-pixel
    // screen leaves room for, from its fixed place.
    panel(FrameSmallPop[5], S("Make This Page Home Page"), 368, 76, 380, 172);
    TextPopHome.move(120, 240, 5400, 285);
    setLabel(LabelPopHomeHead, S("Select Browser To Make Home Page :"), 120, 600, 3600, 210);
    for (int i = 0; i <= 6; ++i) {
        vb::OptionButton& o = OptionPopHome.add(i);
        o.move(120 + (i % 4) * 1350, 840 + (i / 4) * 285, 1320, 255);
        o.setCaption(i < 6 ? S("Browser ") + QString::number(i + 1) : S("No Browser"));
        o.setBackColor(PanelColor);
    }
    setLabel(LabelHeadHomeAlready, S("Currently this page is Home Page of Browser # 6"), 120, 1500, 5400, 210);
    setLabel(LabelBrowHomeAlready, S("Browser 1"), 120, 1725, 5400, 210);
    panelButton(CommandPopHomeOK, LabelPopHomeBut.add(0), S("OK"), 120, 2040);
    panelButton(CommandPopHomeCancel, LabelPopHomeBut.add(1), S("Cancel"), 840, 2040);

    // 6: Select Tabs, four boxes a row, the buttons under them. It opens left of the end
    // of the tab row, so it is narrow enough to find room there with two tabs.
    panel(FrameSmallPop[6], S("Select Tabs"), 0, BandWithTabs, frmWeb::SelectPanelWidth, 113);
    for (int i = 1; i <= MaxPopTabs; ++i) {
        vb::CheckBox& c = CheckSelectPopTab.add(i);
        c.move(105 + ((i - 1) % 4) * 795, 255 + ((i - 1) / 4) * 360, 765, 300);
        c.setCaption(S("#") + QString::number(i));
        c.setBackColor(PanelColor);
        c.setVisible(false);
    }
    FrameButPopSelect.move(60, 720, frmWeb::SelectPanelWidth * vb::TwipsPerPixel - 120, 810);
    FrameButPopSelect.setBorderStyle(0);
    FrameButPopSelect.setBackColor(PanelColor);
    const QStringList selectNames{S("Cancel/Hide"), S("Close Selected Tabs"), S("Add Selected Tabs To Bookmark"),
                                  S("Select/Unselect All")};
    // Two columns, the wider for the longest caption; a caption may take two lines.
    const int selectLefts[] = {30, 1680};
    const int selectCaptionWidths[] = {1290, 1080};
    for (int i = 0; i <= 3; ++i) {
        const int col = i % 2, row = i / 2;
        setButton(CommandPopSelectClose.add(i), selectLefts[col], 60 + row * 390, 300, 300);
        setLabel(LabelPopSelectClose.add(i), selectNames[i], selectLefts[col] + 330, 45 + row * 390, selectCaptionWidths[col], 345);
    }
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
    for (auto* labels : {&LabelPopNew, &LabelPopComNew, &LabelPopClose, &LabelPopComClose})
        for (int i : labels->indices())
            CoverKeeper.addTarget((*labels)[i]);
    CoverKeeper.addTarget(LabelPopCloseHead);
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
    for (int i = 0; i <= 14; ++i) {
        vb::Image& f = BButton.add(i);
        f.setPicture(art::buttonFace(i % art::ButtonFaceCount, QSize(20, 20)));
        f.setVisible(false);
    }
    const QSize nav(25, 17);
    for (int i = 0; i <= 3; ++i) {
        const auto state = static_cast<art::NavState>(i % 3);
        NavBack.add(i).setPicture(art::backPicture(state, nav));
        NavBack[i].setVisible(false);
        NavForward.add(i).setPicture(art::forwardPicture(state, nav));
        NavForward[i].setVisible(false);
    }
    for (int i = 0; i <= 8; ++i) {
        ImageShow.add(i).setPicture(art::busyFrame(i % art::BusyFrameCount, QSize(16, 16)));
        ImageShow[i].setVisible(false);
    }
    // Tab buttons stand inactive until the display says otherwise.
    for (int i = 0; i <= MaxPopTabs; ++i) {
        CommandPopNew[i].setPicture(BButton[5].picture());
        CommandPopComNew[i].setPicture(BButton[5].picture());
    }
}

} // namespace corvane
