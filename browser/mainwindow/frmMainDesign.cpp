// The design of the main window: every control in its container, at its design place.
// Controls placed on the form are in pixels; controls inside frames are in twips.

#include "frmMain.h"

#include "CorvaneApp.h"

#include "art/Artwork.h"

#include <algorithm>

namespace corvane {

namespace {

const QColor BandColor(0xe6, 0xeb, 0xf2);
const QColor PanelColor(0xf4, 0xf6, 0xf9);
const QColor NoticeColor(0xff, 0xf4, 0xd6);
const QColor TextColor(0x26, 0x36, 0x4a);

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

void panel(vb::Frame& f, const QString& caption, int left, int top, int width, int height)
{
    f.move(left, top, width, height);
    f.setCaption(caption);
    f.setBackColor(PanelColor);
    f.setFontBold(true);
    f.setVisible(false);
}

void notice(vb::Frame& f, vb::Label& hide, const QString& caption)
{
    f.move(0, 0, 200, 40);
    f.setCaption(caption);
    f.setBackColor(NoticeColor);
    f.setFontBold(true);
    f.setVisible(false);
    setLabel(hide, QStringLiteral("Click To Hide"), 120, 285, 2700, 225, 2);
}

// One OK/Cancel style button with its caption label under it.
void panelButton(vb::CommandButton& b, vb::Label& l, const QString& caption, int left, int top)
{
    setButton(b, left + 150, top, 300, 300);
    setLabel(l, caption, left, top + 300, 600, 210, 2);
}

} // namespace

frmMain::frmMain(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmMain")), m_app(app)
{
    design();
    designMenus();
    designPanels();
    designPictures();
    designCovers();
    wireEvents();
}

frmMain::~frmMain() = default;

void frmMain::design()
{
    setBackColor(PanelColor);
    setCaption(QStringLiteral("Corvane"));
    move(0, 0, (1024 + FrameWidthPixels) * vb::TwipsPerPixel, (768 + FrameHeightPixels) * vb::TwipsPerPixel);

    // Browsers: element 0 of each array exists in the design.
    WebBrowser.add(0).move(0, 76, 1016, 660);
    BrowserNew.add(0).move(0, 108, 1016, 628);
    BrowserNew[0].setVisible(false);

    PictureMain.move(0, 0, 1, 1);
    PictureMain.setBorderStyle(0);

    // ---- the normal band ----
    FrameBigMain.move(0, 0, 1016, 76);
    FrameBigMain.setCaption(QString());
    FrameBigMain.setBackColor(BandColor);
    LineNoUse.add(0).setPoints(0, 0, 0, 76 * 15);
    LineNoUse[0].setVisible(false);

    // Row 1 (0..32 pixels): the menu buttons, each with its caption beside it; the
    // bookmark browser's Show and Close; the browser selector. The menus drop down from
    // their buttons and the Tab List from the left edge, so rows 2 and 3 begin right of
    // the place those menus take when they stay open (BandRowLeft).
    const QStringList menuNames{QStringLiteral("Page"),  QStringLiteral("Open"), QStringLiteral("View"),
                                QStringLiteral("Tools"), QStringLiteral("Help"), QStringLiteral("Tab List")};
    const int menuLefts[] = {60, 840, 1665, 2445, 3240, 3990};
    const int menuCaptionWidths[] = {390, 435, 390, 405, 375, 600};
    for (int i = 0; i <= 5; ++i) {
        setButton(CommandMenu.add(i), menuLefts[i], 90);
        setLabel(LabelMenu.add(i), menuNames[i], menuLefts[i] + 330, 135, menuCaptionWidths[i], 210, 0, 7.5);
    }

    FrameShowBookmark.move(4980, 0, 1620, 480);
    FrameShowBookmark.setCaption(QStringLiteral("Bookmarks :"));
    FrameShowBookmark.setBackColor(BandColor);
    FrameShowBookmark.setVisible(false);
    setButton(CommandCloseBookmark, 90, 210, 300, 240);
    setLabel(LabelCloseBookmark, QStringLiteral("Close"), 405, 240, 435, 195);
    setButton(CommandShowBookmark, 855, 210, 300, 240);
    setLabel(LabelShowBookmark, QStringLiteral("Show"), 1170, 240, 420, 195);

    // The selector: one slot of 495 twips a browser (the load sizes the frame by them); a
    // caption may read "Browser", wider than its slot, so each reaches into its neighbours'.
    FrameShowBrowser.move(6660, 0, 840, 480);
    FrameShowBrowser.setBorderStyle(0);
    FrameShowBrowser.setBackColor(BandColor);
    for (int i = 0; i <= 5; ++i) {
        const int slot = 120 + i * 495;
        setButton(CommandShowBrowser.add(i), slot + 97, 15, 300, 270);
        setLabel(LabelShowBrowser.add(i), i == 0 ? QStringLiteral("Browser") : QString::number(i + 1), slot - 52, 285, 600, 180, 2, 6.5);
    }

    // Row 2 (32..76): Back, Forward, Home, Search, Refresh, Stop; the location group, which
    // the window's layout stretches to the frames at the right edge.
    FrameBigNavigate.move(BandRowLeft + 60, 510, 3150, 615);
    FrameBigNavigate.setBorderStyle(0);
    FrameBigNavigate.setBackColor(BandColor);
    ImageBack.move(120, 60, 375, 255);
    ImageBack.setStretch(true);
    ImageForward.move(540, 60, 375, 255);
    ImageForward.setStretch(true);
    const QStringList navNames{QStringLiteral("Home"), QStringLiteral("Search"), QStringLiteral("Refresh"), QStringLiteral("Stop")};
    for (int i = 0; i <= 3; ++i) {
        const int slot = 990 + i * 540;
        setButton(CommandNavigate.add(i), slot + 120, 15);
        setLabel(LabelNavigate.add(i), navNames[i], slot, 330, 540, 210, 2);
    }

    FrameBigLocation.move(LocationLeft, 495, 4500, 645);
    FrameBigLocation.setBorderStyle(0);
    FrameBigLocation.setBackColor(BandColor);
    setLabel(LabelLocation, QStringLiteral("Location :"), 0, 15, 720, 195);
    setLabel(LabelCurrentBrowser.add(0), QString(), 750, 15, 2580, 195);
    ProgressBrow.add(0).move(3390, 60, 600, 105);
    ProgressBrow[0].setVisible(false);
    ImageBusy.add(0).move(4200, 0, 225, 225);
    ImageBusy[0].setStretch(true);
    // The load makes the box as wide as both design widths together.
    ComboLocation.move(0, 255, 1860, 330);
    ComboWebLocation.add(0).move(0, 255, 1860, 330);
    ComboWebLocation[0].setVisible(false);
    ComboLocation.setMaxVisibleItems(20);
    ComboWebLocation[0].setMaxVisibleItems(20);
    FrameGo.move(3780, 255, GoWidth, 360);
    FrameGo.setBorderStyle(0);
    FrameGo.setBackColor(BandColor);
    setButton(CommandGo, 0, 15);
    setLabel(LabelGo, QStringLiteral("Go"), 345, 60, 270, 210, 0, 8);

    // Row 3 (76..108, only while a tab slot is in use): "Tab", the tab buttons 360 twips
    // apart, and the Close group after the highest tab in use. The group stands above the
    // tab buttons it is moved over.
    FrameWebNew.move(BandRowLeft, 1155, 2880, 450);
    FrameWebNew.setBorderStyle(0);
    FrameWebNew.setBackColor(BandColor);
    for (int i = 0; i <= 24; ++i) {
        const int left = 60 + i * 360;
        setButton(CommandWebNew.add(i), left, 15, 300, 255);
        CommandWebNew[i].setEnabled(false);
        setLabel(LabelWebNew.add(i), i == 0 ? QStringLiteral("Tab") : QString::number(i), left - 30, 270, 360, 180, 2, 6.5);
    }
    // Element 0 never is a tab: its label heads the row.
    CommandWebNew[0].setVisible(false);
    LabelWebNew[0].move(0, 60, 390, 210);
    LabelWebNew[0].setAlignment(0);
    LabelWebNew[0].setFontSize(7);
    FrameWebClose.move(420, 0, CloseGroupWidth, 450);
    FrameWebClose.setBorderStyle(0);
    FrameWebClose.setBackColor(BandColor);
    FrameWebClose.zOrder(0);
    setLabel(LabelWebCloseHead, QStringLiteral("Close"), 0, 60, 405, 210);
    const QStringList closeNames{QStringLiteral("All"), QStringLiteral("#24"), QStringLiteral("Select")};
    const int closeLefts[] = {435, 855, 1275};
    const int closeCaptionWidths[] = {420, 420, 465};
    for (int i = 0; i <= 2; ++i) {
        setButton(CommandWebClose.add(i), closeLefts[i], 15, 300, 255);
        setLabel(LabelWebClose.add(i), closeNames[i], closeLefts[i] - 60, 270, closeCaptionWidths[i], 180, 2, 6.5);
    }

    // The user picture and the top-right buttons; the window's layout keeps them at the
    // right edge. The picture gives way to the band's controls where the window is too
    // narrow for both.
    FrameUser.move(10920, 0, 1455, 1095);
    FrameUser.setBackColor(BandColor);
    FrameUser.setCaptionShortened(true);
    FrameUser.zOrder(1);
    ImageUser.setStretch(true);
    ImageUser.move(97, 210, 1260, 840);

    FrameExit.move(13140, 0, 1680, 1095);
    FrameExit.setBackColor(BandColor);
    vb::CommandButton* exitButtons[] = {&CommandRun, &CommandFullBrow, &CommandExit};
    vb::Label* exitCaptions[] = {&LabelRun, &LabelFullBrow, &LabelExit};
    const QStringList exitNames{QStringLiteral("Run"), QStringLiteral("Full Window"), QStringLiteral("Exit")};
    for (int k = 0; k <= 2; ++k) {
        const int slot = 60 + k * 540;
        setButton(*exitButtons[k], slot + 120, 105);
        setLabel(*exitCaptions[k], exitNames[k], slot - 30, 420, 600, k == 1 ? 420 : 210, 2);
    }

    FrameSearch.move(0, 104, 10, 10);
    FrameSearch.setVisible(false);

    // ---- the full-window bar ----
    FrameCommon.move(24, 0, 817, 59);
    FrameCommon.setBorderStyle(1);
    FrameCommon.setBackColor(BandColor);
    FrameCommon.setVisible(false);
    // Row 1 of the bar holds everything but the tabs within the first 760 pixels, so that
    // a window only 800 pixels wide still shows all of it; row 2 holds the tab row.
    ImageComBack.move(120, 90, 375, 255);
    ImageComBack.setStretch(true);
    ImageComForward.move(540, 90, 375, 255);
    ImageComForward.setStretch(true);
    for (int i = 0; i <= 3; ++i) {
        setButton(CommandComNavigate.add(i), 990 + i * 375, 60);
        CommandComNavigate[i].setToolTip(navNames[i]);
    }
    ComboComLocation.move(2490, 60, 6540, 330);
    ComboComLocation.setMaxVisibleItems(20);
    setButton(CommandComGo, 9090, 60);
    CommandComGo.setToolTip(QStringLiteral("Go"));
    ImageBusy.addIn(FrameCommon, 1).move(9450, 90, 240, 240);
    ImageBusy[1].setStretch(true);
    ProgressBrow.addIn(FrameCommon, 1).move(9750, 30, 840, 90);
    ProgressBrow[1].setVisible(false);
    setButton(CommandComTab, 10680, 60);
    CommandComTab.setToolTip(QStringLiteral("One or two rows"));
    setButton(CommandComHide, 11040, 60, 255, 300);
    CommandComHide.setCaption(QStringLiteral("x"));

    // The tab row stands far enough right that the Select Tabs panel, which ends left of
    // the Select button, finds room with two tabs.
    FrameWebComNew.move(750, 450, 11280, 420);
    FrameWebComNew.setBorderStyle(0);
    FrameWebComNew.setBackColor(BandColor);
    for (int i = 0; i <= 24; ++i) {
        const int left = 60 + i * 360;
        setButton(CommandWebComNew.add(i), left, 0, 300, 255);
        CommandWebComNew[i].setEnabled(false);
        setLabel(LabelWebComNew.add(i), i == 0 ? QStringLiteral("Tab") : QString::number(i), left - 30, 255, 360, 165, 2, 6.5);
    }
    CommandWebComNew[0].setVisible(false);
    LabelWebComNew[0].move(0, 45, 390, 210);
    LabelWebComNew[0].setAlignment(0);
    LabelWebComNew[0].setFontSize(7);
    FrameWebComClose.move(420, 0, CloseGroupWidth, 420);
    FrameWebComClose.setBorderStyle(0);
    FrameWebComClose.setBackColor(BandColor);
    FrameWebComClose.zOrder(0);
    for (int i = 0; i <= 2; ++i) {
        setButton(CommandWebComClose.add(i), closeLefts[i], 0, 300, 255);
        setLabel(LabelWebComClose.add(i), closeNames[i], closeLefts[i] - 60, 255, closeCaptionWidths[i], 165, 2, 6.5);
    }

    // ---- the Controls bar ----
    FrameZero.move(2, 0, 20, 14);
    FrameZero.setBorderStyle(0);
    FrameZero.setVisible(false);
    setButton(CommandZero, 0, 0, 300, 210);
    CommandZero.setToolTip(QStringLiteral("Controls"));

    // Wide enough for "Normal Window" and "Exit Corvane" clear of its right border.
    FrameOne.move(24, 0, 292, 140);
    FrameOne.setCaption(QStringLiteral("Controls"));
    FrameOne.setBackColor(BandColor);
    FrameOne.setFontBold(true);
    FrameOne.setVisible(false);
    const QStringList oneNames{QStringLiteral("Page"),      QStringLiteral("Open"),          QStringLiteral("View"),
                               QStringLiteral("Tools"),     QStringLiteral("Help"),          QStringLiteral("Tab List"),
                               QStringLiteral("Navigation"), QStringLiteral("Browser"),      QStringLiteral("Bookmarks"),
                               QStringLiteral("Run"),       QStringLiteral("Normal Window"), QStringLiteral("Exit Corvane"),
                               QStringLiteral("Hide")};
    for (int i = 0; i <= 12; ++i) {
        const int col = i / 5, row = i % 5;
        const int left = 60 + col * 1395, top = 225 + row * 315;
        setButton(CommandOne.add(i), left, top, 270, 270);
        setLabel(LabelOne.add(i), oneNames[i], left + 300, top + 30, 1080, 210);
    }
    ImageBigUser.setStretch(true);
    ImageBigUser.move(2910, 1200, 1200, 600);
    setLabel(LabelCurrentBrowser.addIn(FrameOne, 1), QString(), 120, 1845, 3900, 210);
    LabelCurrentBrowser[1].setFontBold(true);
    LineOne.setPoints(120, 1830, 4095, 1830);
    LineOne.setBorderColor(QColor(0x9a, 0xa4, 0xb2));

    FrameBrowser.move(144, 140, 226, 62);
    FrameBrowser.setCaption(QStringLiteral("Browsers"));
    FrameBrowser.setBackColor(PanelColor);
    FrameBrowser.setFontBold(true);
    FrameBrowser.setVisible(false);
    for (int i = 0; i <= 5; ++i) {
        const int slot = 120 + i * 495;
        setButton(CommandBrowser.add(i), slot + 97, 270, 300, 300);
        setLabel(LabelBrowser.add(i), i == 0 ? QStringLiteral("Browser") : QString::number(i + 1), slot - 52, 585, 600, 180, 2, 6.5);
    }
    setButton(CommandHideBrowser, 3060, 270, 300, 300);
    setLabel(LabelBrowser.add(6), QStringLiteral("Hide"), 2940, 585, 540, 180, 2, 6.5);

    // ---- timers ----
    TimerMainFrame.setInterval(20);
    TimerMainFrame.setEnabled(false);
    TimerMainAbout.setInterval(20);
    TimerMainAbout.setEnabled(false);
    TimerMainBrow.setInterval(200);
    TimerMainBrow.setEnabled(false);
}

void frmMain::designMenus()
{
    struct Item {
        int index;
        int labelIndex;
        QString caption;
        bool visible;
    };
    // Two columns of three rows; each menu gives the wider column to its longer captions.
    auto layout = [](vb::Frame& menu, const QString& caption, vb::ControlArray<vb::CommandButton>& buttons,
                     vb::ControlArray<vb::Label>& labels, const std::vector<Item>& items, int firstColumnWidth) {
        menu.move(0, 32, 217, 68);
        menu.setCaption(caption);
        menu.setBackColor(PanelColor);
        menu.setFontBold(true);
        menu.setVisible(false);
        int visible = 0;
        for (const Item& it : items) {
            vb::CommandButton& b = buttons.add(it.index);
            const int col = visible / 3, row = visible % 3;
            const int left = col == 0 ? 60 : 60 + firstColumnWidth;
            const int width = col == 0 ? firstColumnWidth : 3195 - firstColumnWidth;
            const int top = 225 + row * 255;
            setButton(b, left, top, 240, 240);
            if (it.labelIndex >= 0)
                setLabel(labels.add(it.labelIndex), it.caption, left + 270, top + 15, width - 300, 210);
            b.setVisible(it.visible);
            if (it.labelIndex >= 0)
                labels[it.labelIndex].setVisible(it.visible);
            if (it.visible)
                ++visible;
        }
    };
    auto S = [](const char* s) { return QString::fromLatin1(s); };
    layout(FrameMenu[0], S("Current Web Page"), CommandPage, LabelPage,
           {{0, 0, S("Hide"), true},
            {1, 1, S("Bookmark"), true},
            {2, 2, S("Keep Note"), true},
            {3, 3, S("Set As Home Page"), true},
            {4, 4, S("Save"), true},
            {5, 5, S("Print"), true}},
           1125);
    layout(FrameMenu[1], S("Open"), CommandOpen, LabelOpen,
           {{0, 6, S("Hide"), true},
            {1, 1, S("File"), true},
            {2, 2, S("New Tab"), true},
            {3, 3, S("New Browser"), true},
            {4, 4, S("Bookmarks"), true},
            {5, 5, S("Unused"), false}},
           1560);
    layout(FrameMenu[2], S("View"), CommandView, LabelView,
           {{0, 0, S("Hide"), true}, {1, 1, S("Note"), true}, {2, 2, S("Choices"), true}, {3, 3, S("Options"), true},
            {4, -1, QString(), false}, {5, -1, QString(), false}},
           1560);
    layout(FrameMenu[3], S("Tools"), CommandTools, LabelTools,
           {{0, 0, S("Hide"), true},
            {1, 1, S("Set Internet Properties"), true},
            {2, 2, S("Set Display Properties"), true},
            {3, 3, S("Report Bug"), true},
            {4, -1, QString(), false},
            {5, -1, QString(), false}},
           2100);
    layout(FrameMenu[4], S("Help"), CommandHelp, LabelHelp,
           {{0, 0, S("Hide"), true}, {1, 1, S("Help"), true}, {2, 2, S("Web Site"), true}, {5, 5, S("About"), true}}, 1560);

    // The Tab List: two entries a row under its own Hide and "Keep Hidden".
    vb::Frame& list = FrameMenu[5];
    list.move(0, 32, 209, 49);
    list.setCaption(S("Tab List"));
    list.setBackColor(PanelColor);
    list.setFontBold(true);
    list.setVisible(false);
    setButton(CommandListHide, 60, 210, 240, 240);
    setLabel(LabelListHide, S("Hide"), 330, 225, 600, 210);
    CheckWebList.move(1260, 195, 1800, 255);
    CheckWebList.setCaption(S("Keep Hidden"));
    CheckWebList.setBackColor(PanelColor);
    for (int i = 0; i <= 24; ++i) {
        vb::TextBox& row = TextWebList.add(i);
        const int col = (i - 1) % 2, r = (i - 1) / 2;
        row.move(i == 0 ? 0 : 60 + col * 1560, i == 0 ? 0 : 465 + r * 240, 1500, 240);
        row.setBorderStyle(0);
        row.setLocked(true);
        row.setShortened(true);
        row.setBackColor(PanelColor);
        // The refresh shows the lines it writes.
        row.setVisible(false);
    }
    LineWebList.setPoints(1590, 465, 1590, 720);
    LineWebList.setBorderColor(QColor(0x9a, 0xa4, 0xb2));

    // The Tab List may stay open by itself at the left edge: every menu the user opens
    // lies above it, as does every panel.
    list.widget()->stackUnder(FrameMenu[0].widget());
}

void frmMain::designPanels()
{
    auto S = [](const char* s) { return QString::fromLatin1(s); };

    // Choices: one column, the View menu's panel, its last button clear of its border.
    panel(FrameChoice, S("Choices"), 0, 100, 217, 56);
    const QStringList choices{S("Hide"), S("Change User Name"), S("Change/Set  User Picture")};
    for (int i = 0; i <= 5; ++i) {
        vb::CommandButton& b = CommandChoice.add(i);
        setButton(b, 60, 210 + i * 195, 180, 180);
        if (i <= 2)
            setLabel(LabelChoice.add(i), choices[i], 300, 195 + i * 195, 2850, 195);
        else
            b.setVisible(false);
    }

    // Bookmarks panel: 81 pixels high while the bookmark browser is current, else 25, when
    // only its caption shows: everything else lies below that.
    panel(FrameBookmark, S("Bookmarks :"), 0, 84, 440, 81);
    ComboMarkName.move(120, 390, 2280, 330);
    ComboMarkAddress.move(2520, 390, 3960, 330);
    const QStringList markNames{S("Show"), S("Close"), S("Rename"), S("Remove"), S("Remove All"), S("Go"), S("Hide")};
    // Show stands where Close does; Close is shown in full-window mode only.
    const int markLefts[] = {120, 120, 945, 1965, 3015, 4245, 4875};
    const int markCaptionWidths[] = {465, 465, 630, 660, 840, 270, 390};
    for (int i = 0; i <= 6; ++i) {
        setButton(CommandBookmark.add(i), markLefts[i], 795, 300, 300);
        setLabel(LabelBookmark.add(i), markNames[i], markLefts[i] + 330, 840, markCaptionWidths[i], 210);
    }
    CommandBookmark[0].setVisible(false);
    LabelBookmark[0].setVisible(false);

    // Note panel.
    panel(FrameNote, S("Note"), 24, 76, 460, 150);
    setLabel(LabelNote.add(0), S("Page :"), 120, 255, 720, 210);
    TextNote.add(0).move(840, 225, 5880, 285);
    TextNote[0].setLocked(true);
    setLabel(LabelNote.add(6), S("Somthing need to be reminded on subsequent visit to this page?"), 120, 570, 6600, 210);
    setLabel(LabelNote.add(7), S("Edit Note (maximum 150 characters) :"), 120, 795, 6600, 210);
    setLabel(LabelNote.add(1), QString(), 120, 570, 6600, 900, 0, 8).setWrapAnywhere(true);
    TextNote.add(1, true).move(120, 1020, 6660, 540);
    TextNote[1].setMaxLength(150);
    const QStringList noteButtons{S("Edit"), S("Save"), S("Delete"), S("Cancel"), S("Hide")};
    vb::CommandButton* nb[] = {&CommandNoteEdit, &CommandNoteOK, &CommandNoteRemove, &CommandNoteCancel, &CommandNoteHide};
    for (int i = 0; i < 5; ++i)
        panelButton(*nb[i], LabelNoteButton.add(i), noteButtons[i], 120 + i * 720, 1620);
    CheckNoShowNote.move(3900, 1680, 2700, 255);
    CheckNoShowNote.setCaption(S("Do Not Show Notes"));
    CheckNoShowNote.setBackColor(PanelColor);

    // Bookmark This Page.
    panel(FrameMark, S("Bookmark This Page"), 0, 100, 440, 150);
    setLabel(LabelWebMark, S("Page will be Bookmarked by the name that you type here :"), 120, 240, 6300, 210);
    TextWebMark.move(120, 465, 6300, 285);
    setLabel(LabelWebAddress, S("To Bookmark a different web page Type LocationURL here:"), 120, 810, 6300, 210);
    TextWebAddress.move(120, 1035, 6300, 285);
    panelButton(CommandMarkOK, LabelMarkButton.add(0), S("OK"), 120, 1470);
    panelButton(CommandMarkCancel, LabelMarkButton.add(1), S("Cancel"), 840, 1470);
    panelButton(CommandMarkReset, LabelMarkButton.add(2), S("Reset"), 1560, 1470);

    // Rename Bookmark.
    panel(FrameRename, S("Rename Bookmark"), 0, 170, 440, 150);
    setLabel(LabelRenameName, S("Current Name :"), 120, 270, 1440, 210);
    TextRenameName.move(1620, 240, 4800, 285);
    setLabel(LabelMarkAdd, S("Name Change To :"), 120, 630, 1440, 210);
    TextMarkAdd.move(1620, 600, 4800, 285);
    setLabel(LabelRenameLocation, S("Location :"), 120, 990, 1440, 210);
    TextRenameLocation.move(1620, 960, 4800, 285);
    panelButton(CommandRenameOK, LabelRenameButton.add(0), S("OK"), 120, 1440);
    panelButton(CommandRenameCancel, LabelRenameButton.add(1), S("Cancel"), 840, 1440);

    // Make This Page Home Page.
    panel(FrameHome, S("Make This Page Home Page"), 0, 100, 440, 190);
    TextHome.move(120, 240, 6300, 285);
    setLabel(LabelWebHome.add(2), S("Select Browser To Make Home Page :"), 120, 600, 3600, 210);
    for (int i = 0; i <= 6; ++i) {
        vb::OptionButton& o = OptionHome.add(i);
        const int col = i % 4, row = i / 4;
        o.move(120 + col * 1560, 840 + row * 285, 1500, 255);
        o.setCaption(i < 6 ? S("Browser ") + QString::number(i + 1) : S("No Browser"));
        o.setBackColor(PanelColor);
    }
    setLabel(LabelHeadHomeAlready, S("This web page is already Home Page of your following Browsers :"), 120, 1500, 6300, 210);
    setLabel(LabelBrowHomeAlready, S("Browser :"), 120, 1725, 6300, 210);
    panelButton(CommandHomeOK, LabelHomeButton.add(0), S("OK"), 120, 2040);
    panelButton(CommandHomeCancel, LabelHomeButton.add(1), S("Cancel"), 840, 2040);
    FrameHome.setHeight(172);

    // Create Tab / Create Browser.
    panel(FrameCreate, S("Create Tab - Go To This Location :"), 0, 100, 440, 84);
    TextCreate.move(120, 270, 6300, 285);
    panelButton(CommandCreateOK, LabelCreateButton.add(0), S("OK"), 120, 660);
    panelButton(CommandCreateCancel, LabelCreateButton.add(1), S("Cancel"), 840, 660);

    // Change Name: 257 pixels wide, high enough for the captions under OK and Cancel.
    panel(FrameName, S("Change Name"), 0, 152, 257, 98);
    setLabel(LabelName.add(0), S("Current Name"), 120, 270, 1200, 210);
    TextName.add(0).move(1380, 240, 2340, 285);
    TextName[0].setLocked(true);
    setLabel(LabelName.add(1), S("Change To :"), 120, 630, 1200, 210);
    TextName.add(1).move(1380, 600, 2340, 285);
    panelButton(CommandNameOK, LabelNameButton.add(0), S("OK"), 1380, 900);
    panelButton(CommandNameCancel, LabelNameButton.add(1), S("Cancel"), 2100, 900);

    // Report Bug.
    panel(FrameMail, S("Report Bug"), 0, 100, 300, 110);
    setLabel(LabelMail.add(0), S("To :"), 120, 270, 840, 210);
    TextMail.add(0).move(960, 240, 3420, 285);
    setLabel(LabelMail.add(1), S("Subject :"), 120, 630, 840, 210);
    TextMail.add(1).move(960, 600, 3420, 285);
    panelButton(CommandMailOK, LabelMailButton.add(0), S("OK"), 960, 1020);
    panelButton(CommandMailCancel, LabelMailButton.add(1), S("Cancel"), 1680, 1020);

    // Run box: the programs on the left, a separator, the buttons beside the last row.
    // Its height and rows come from the Run list at load.
    panel(FrameRun, S("Run"), 0, 32, 257, 57);
    OptionRun.add(0).move(120, 240, 2220, 300);
    OptionRun[0].setBackColor(PanelColor);
    OptionRun[0].setVisible(false);
    LineRun.setPoints(2400, 240, 2400, 735);
    LineRun.setBorderColor(QColor(0x9a, 0xa4, 0xb2));
    FrameButRun.move(2490, 240, 1290, 540);
    FrameButRun.setBorderStyle(0);
    FrameButRun.setBackColor(PanelColor);
    panelButton(CommandRunOK, LabelRunButton.add(0), S("OK"), 0, 0);
    panelButton(CommandRunCancel, LabelRunButton.add(1), S("Cancel"), 660, 0);

    // Select Tabs: rows of four boxes, buttons under them. It opens left of the Select
    // button it belongs to, so it is narrow enough to find room there with two tabs.
    panel(FrameWebSelectClose, S("Select Tabs"), 0, 108, SelectPanelWidth, 113);
    for (int i = 0; i <= 24; ++i) {
        vb::CheckBox& c = CheckSelectWebTab.add(i);
        const int col = (i - 1) % 4, row = (i - 1) / 4;
        c.move(i == 0 ? 0 : 105 + col * 795, i == 0 ? 0 : 255 + row * 360, 765, 300);
        c.setCaption(i == 0 ? QString() : S("#") + QString::number(i));
        c.setBackColor(PanelColor);
        c.setVisible(false);
    }
    FrameButWebSelect.move(60, 720, SelectPanelWidth * vb::TwipsPerPixel - 120, 810);
    FrameButWebSelect.setBorderStyle(0);
    FrameButWebSelect.setBackColor(PanelColor);
    const QStringList selectNames{S("Cancel/Hide"), S("Close Selected Tabs"), S("Add Selected Tabs To Bookmark"),
                                  S("Select/Unselect All")};
    // Two columns, the wider for the longest caption; a caption may take two lines.
    const int selectLefts[] = {30, 1680};
    const int selectCaptionWidths[] = {1290, 1080};
    for (int i = 0; i <= 3; ++i) {
        const int col = i % 2, row = i / 2;
        setButton(CommandWebSelectClose.add(i), selectLefts[col], 60 + row * 390, 300, 300);
        setLabel(LabelWebSelectClose.add(i), selectNames[i], selectLefts[col] + 330, 45 + row * 390, selectCaptionWidths[col], 345);
    }

    // Notices.
    notice(FrameActiveBrow, LabelHideActiveBrow, S("You Are Viewing this Browser"));
    notice(FrameNoBookmark, LabelNoBookmark, S("No Page Bookmarked Yet"));
    notice(FrameDoneBookmark, LabelDoneBookmark, S("Bookmarking Completed !!"));
    notice(FrameAlreadyBookmarked, LabelHideAlredyMarked, S("Page Already Bookmarked"));

    // About banner.
    FrameAbout.move(176, 0, 230, 32);
    FrameAbout.setCaption(S("Corvane"));
    FrameAbout.setBackColor(NoticeColor);
    FrameAbout.setFontBold(true);
    FrameAbout.setVisible(false);
    // Clear of the banner's border lines.
    ImageAbout.move(1380, 45, 390, 390);
    ImageAbout.setStretch(true);
    setLabel(LabelAbout.add(0), QString(), 1920, 120, 1500, 210);
    setLabel(LabelAbout.add(1), S("velmora"), 120, 255, 1200, 195);
    setLabel(LabelAbout.add(2), QString(), 1920, 300, 1500, 150);
    for (int i = 0; i <= 1; ++i) {
        ImageAboutBadge.add(i).move(0, 0, 450, 450);
        ImageAboutBadge[i].setVisible(false);
    }
}

void frmMain::designCovers()
{
    // What opens over the band and the Tab List; the Tab List itself lies over the tab row
    // of a window narrower than it keeps (a small screen).
    for (int i = 0; i <= 5; ++i)
        CoverKeeper.addCover(FrameMenu[i]);
    for (vb::Frame* f : {&FrameChoice, &FrameBookmark, &FrameNote, &FrameMark, &FrameRename, &FrameHome, &FrameCreate,
                         &FrameName, &FrameMail, &FrameRun, &FrameWebSelectClose, &FrameActiveBrow, &FrameNoBookmark,
                         &FrameDoneBookmark, &FrameAlreadyBookmarked, &FrameAbout, &FrameBrowser, &FrameOne})
        CoverKeeper.addCover(*f);
    // The Tab List's lines and its column line, the numbers and captions of both tab rows.
    for (int i = 1; i <= 24; ++i)
        CoverKeeper.addTarget(TextWebList[i]);
    CoverKeeper.addTarget(LineWebList);
    for (auto* labels : {&LabelWebNew, &LabelWebComNew, &LabelWebClose, &LabelWebComClose})
        for (int i : labels->indices())
            CoverKeeper.addTarget((*labels)[i]);
    CoverKeeper.addTarget(LabelWebCloseHead);
    for (vb::Frame* f : {&FrameMenu[5], &FrameBigMain, &FrameWebNew, &FrameWebClose, &FrameCommon, &FrameWebComNew, &FrameWebComClose})
        CoverKeeper.followMoves(*f);
}

QSize frmMain::SmallestClientSize() const
{
    // Across: the band's right edge holds the Exit frame and, left of it, the picture's
    // frame, as wide and as high as the band while 1 to 14 tabs are open: the row of 14
    // tabs must end before it. With more tabs the picture is smaller and above the row,
    // and the row of 24 tabs must end before the band's edge. The location group keeps its
    // narrowest width beside the picture.
    auto tabRowRight = [](int tabs) { return BandRowLeft + 60 + (tabs + 1) * 360 + CloseGroupWidth; };
    const int rightFrames = 30 + UserFrameWideWidth + 30 + FrameExit.width() + 30;
    const int across = std::max({tabRowRight(14) + rightFrames, tabRowRight(24) + 30,
                                 LocationLeft + LocationMinWidth + 60 + rightFrames});
    // Down: in full-window mode the menus open under the full-window bar of two rows and
    // the Controls bar, and the tallest panel under a menu; a few pixels of the page stay.
    constexpr int BarTwoRows = 59;
    constexpr int MenuHeight = 68;
    const int down = BarTwoRows + FrameOne.height() + MenuHeight + FrameHome.height() + 8;
    return QSize((across + vb::TwipsPerPixel - 1) / vb::TwipsPerPixel, down);
}

void frmMain::designPictures()
{
    // The picture stores are hidden image arrays; the faces are drawn once here.
    for (int i = 0; i < art::ButtonFaceCount; ++i) {
        vb::Image& face = BButton.add(i);
        face.setPicture(art::buttonFace(i, QSize(20, 20)));
        face.setVisible(false);
        vb::Label& caption = LabelButB.add(i);
        caption.setCaption(QString::number(i));
        caption.setVisible(false);
    }
    const QSize nav(25, 17);
    for (int i = 0; i <= 2; ++i) {
        NavBack.add(i).setPicture(art::backPicture(static_cast<art::NavState>(i), nav));
        NavBack[i].setVisible(false);
        NavForward.add(i).setPicture(art::forwardPicture(static_cast<art::NavState>(i), nav));
        NavForward[i].setVisible(false);
    }
    for (int i = 0; i < art::BusyFrameCount; ++i) {
        ImageShow.add(i).setPicture(art::busyFrame(i, QSize(16, 16)));
        ImageShow[i].setVisible(false);
    }
    ImageAboutBadge[0].setPicture(art::aboutBadge(QSize(30, 30)));
    QPixmap second = art::aboutBadge(QSize(30, 30));
    {
        // The second badge is the first seen in a mirror: the banner alternates them.
        second = QPixmap::fromImage(second.toImage().mirrored(true, false));
    }
    ImageAboutBadge[1].setPicture(second);
}

} // namespace corvane
