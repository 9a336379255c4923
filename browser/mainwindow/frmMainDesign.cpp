// The design of the main window: every control in its container, at its design place.
// Controls placed on the form are in pixels; controls inside frames are in twips.

#include "frmMain.h"

#include "CorvaneApp.h"
#include "WindowDesign.h"

#include "art/Artwork.h"
#include "vb/Design.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

using vb::colors::Band;
using vb::colors::Panel;

QString S(const char* s)
{
    return QString::fromLatin1(s);
}

// A notice: a pale frame with its caption and "Click To Hide", placed where it is shown.
void notice(vb::Frame& f, vb::Label& hide, const QString& caption)
{
    vb::panelFrame(f, caption, {0, 0, 200, 40}, vb::colors::Notice);
    vb::placeCaption(hide, S("Click To Hide"), {120, 285, 2700, 225}, vb::Centred);
}

// The browser selector's rows: one slot of 495 twips a browser; a caption may read
// "Browser", wider than its slot, so each reaches into its neighbours'.
QList<vb::RowItem> browserSlots()
{
    QList<vb::RowItem> items;
    for (int i = 0; i <= 5; ++i)
        items.append({120 + i * 495 + 97, i == 0 ? S("Browser") : QString::number(i + 1), 600});
    return items;
}

// An item of a drop-down menu; one without a caption label (-1) or not visible stays
// hidden and takes no place.
struct MenuItem {
    int index;
    int labelIndex;
    const char* caption;
    bool visible = true;
};

// A menu: two columns of three rows, the wider column for the longer captions.
void menuDesign(vb::Frame& menu, const char* caption, vb::ControlArray<vb::CommandButton>& buttons,
                vb::ControlArray<vb::Label>& labels, const std::vector<MenuItem>& items, int firstColumnWidth)
{
    vb::panelFrame(menu, S(caption), {0, 32, 217, 68});
    int shown = 0;
    for (const MenuItem& item : items) {
        const vb::MenuItemPlace place = vb::menuItemPlace(shown, firstColumnWidth);
        vb::CommandButton& b = buttons.add(item.index);
        b.move(place.button.x(), place.button.y(), place.button.width(), place.button.height());
        if (item.labelIndex >= 0)
            vb::placeCaption(labels.add(item.labelIndex), S(item.caption), place.caption);
        b.setVisible(item.visible);
        if (item.labelIndex >= 0)
            labels[item.labelIndex].setVisible(item.visible);
        if (item.visible)
            ++shown;
    }
}

const QStringList NavigationNames{S("Home"), S("Search"), S("Refresh"), S("Stop")};

} // namespace

frmMain::frmMain(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmMain")), design::WindowParts(static_cast<vb::Form&>(*this), app)
{
    designWindow();
    designMenuRow();
    designNavigationRow();
    designTabRow();
    designRightEdge();
    designFullWindowBar();
    designControlsBar();
    designTimers();
    designMenus();
    designTabList();
    designPanels();
    designPictures();
    designCovers();
    wireEvents();
}

frmMain::~frmMain() = default;

void frmMain::designWindow()
{
    setBackColor(Panel);
    setCaption(QStringLiteral("Corvane"));
    move(0, 0, vb::toTwips(1024 + FrameWidthPixels), vb::toTwips(768 + FrameHeightPixels));

    // Browsers: element 0 of each array exists in the design.
    WebBrowser.add(0).move(0, 76, 1016, 660);
    BrowserNew.add(0).move(0, 108, 1016, 628);
    BrowserNew[0].setVisible(false);

    PictureMain.move(0, 0, 1, 1);
    PictureMain.setBorderStyle(0);

    FrameBigMain.move(0, 0, 1016, 76);
    FrameBigMain.setCaption(QString());
    FrameBigMain.setBackColor(Band);
    LineNoUse.add(0).setPoints(0, 0, 0, 76 * 15);
    LineNoUse[0].setVisible(false);
}

void frmMain::designMenuRow()
{
    // Row 1 (0..32 pixels): the menu buttons, each with its caption beside it; the
    // bookmark browser's Show and Close; the browser selector. The menus drop down from
    // their buttons and the Tab List from the left edge, so rows 2 and 3 begin right of
    // the place those menus take when they stay open (BandRowLeft).
    const QStringList menuNames{S("Page"), S("Open"), S("View"), S("Tools"), S("Help"), S("Tab List")};
    const int menuLefts[] = {60, 840, 1665, 2445, 3240, 3990};
    const int menuCaptionWidths[] = {390, 435, 390, 405, 375, 600};
    for (int i = 0; i <= 5; ++i) {
        vb::placeButton(CommandMenu.add(i), menuLefts[i], 90);
        vb::placeCaption(LabelMenu.add(i), menuNames[i], {menuLefts[i] + 330, 135, menuCaptionWidths[i], 210}, {0, 7.5});
    }

    FrameShowBookmark.move(4980, 0, 1620, 480);
    FrameShowBookmark.setCaption(S("Bookmarks :"));
    FrameShowBookmark.setBackColor(Band);
    FrameShowBookmark.setVisible(false);
    vb::placeButton(CommandCloseBookmark, 90, 210, 300, 240);
    vb::placeCaption(LabelCloseBookmark, S("Close"), {405, 240, 435, 195});
    vb::placeButton(CommandShowBookmark, 855, 210, 300, 240);
    vb::placeCaption(LabelShowBookmark, S("Show"), {1170, 240, 420, 195});

    // The load sizes the selector's frame by its slots.
    FrameShowBrowser.move(6660, 0, 840, 480);
    FrameShowBrowser.setBorderStyle(0);
    FrameShowBrowser.setBackColor(Band);
    vb::buttonRow(CommandShowBrowser, LabelShowBrowser, {15, {300, 270}, 285, 180, 149}, browserSlots());
}

void frmMain::designNavigationRow()
{
    // Row 2 (32..76): Back, Forward, Home, Search, Refresh, Stop; the location group, which
    // the window's layout stretches to the frames at the right edge.
    vb::plainFrame(FrameBigNavigate, {BandRowLeft + 60, 510, 3150, 615});
    vb::placePicture(ImageBack, {120, 60, 375, 255});
    vb::placePicture(ImageForward, {540, 60, 375, 255});
    QList<vb::RowItem> navigation;
    for (int i = 0; i <= 3; ++i)
        navigation.append({990 + i * 540 + 120, NavigationNames[i], 540});
    vb::buttonRow(CommandNavigate, LabelNavigate, {15, {300, 300}, 330, 210, 120, vb::Centred}, navigation);

    vb::plainFrame(FrameBigLocation, {LocationLeft, 495, 4500, 645});
    vb::placeCaption(LabelLocation, S("Location :"), {0, 15, 720, 195});
    vb::placeCaption(LabelCurrentBrowser.add(0), QString(), {750, 15, 2580, 195});
    ProgressBrow.add(0).move(3390, 60, 600, 105);
    ProgressBrow[0].setVisible(false);
    vb::placePicture(ImageBusy.add(0), {4200, 0, 225, 225});
    // The load makes the box as wide as both design widths together.
    ComboLocation.move(0, 255, 1860, 330);
    ComboWebLocation.add(0).move(0, 255, 1860, 330);
    ComboWebLocation[0].setVisible(false);
    ComboLocation.setMaxVisibleItems(20);
    ComboWebLocation[0].setMaxVisibleItems(20);
    vb::plainFrame(FrameGo, {3780, 255, GoWidth, 360});
    vb::placeButton(CommandGo, 0, 15);
    vb::placeCaption(LabelGo, S("Go"), {345, 60, 270, 210}, {0, 8});
}

void frmMain::designTabRow()
{
    // Row 3 (76..108, only while a tab slot is in use): "Tab", the tab buttons, and the
    // Close group after the highest tab in use.
    vb::plainFrame(FrameWebNew, {BandRowLeft, 1155, 2880, 450});
    design::tabRow(CommandWebNew, LabelWebNew, S("Tab"), false);
    tabRowHeadPlace(CommandWebNew, LabelWebNew, 60);
    design::closeGroup(FrameWebClose, &LabelWebCloseHead, CommandWebClose, LabelWebClose, S("#24"), false);
}

void frmMain::tabRowHeadPlace(Arr<Btn>& buttons, Arr<Lbl>& captions, int captionTop)
{
    // Element 0 never is a tab: its caption heads the row. No tab is open yet.
    for (int i : buttons.indices())
        buttons[i].setEnabled(false);
    buttons[0].setVisible(false);
    captions[0].move(0, captionTop, 390, 210);
    captions[0].setAlignment(0);
    captions[0].setFontSize(7);
}

void frmMain::designRightEdge()
{
    // The user picture and the top-right buttons; the window's layout keeps them at the
    // right edge. The picture gives way to the band's controls where the window is too
    // narrow for both.
    FrameUser.move(10920, 0, 1455, 1095);
    FrameUser.setBackColor(Band);
    FrameUser.setCaptionShortened(true);
    FrameUser.zOrder(1);
    vb::placePicture(ImageUser, {97, 210, 1260, 840});

    FrameExit.move(13140, 0, 1680, 1095);
    FrameExit.setBackColor(Band);
    vb::CommandButton* exitButtons[] = {&CommandRun, &CommandFullBrow, &CommandExit};
    vb::Label* exitCaptions[] = {&LabelRun, &LabelFullBrow, &LabelExit};
    const QStringList exitNames{S("Run"), S("Full Window"), S("Exit")};
    for (int k = 0; k <= 2; ++k) {
        const int slot = 60 + k * 540;
        vb::placeButton(*exitButtons[k], slot + 120, 105);
        vb::placeCaption(*exitCaptions[k], exitNames[k], {slot - 30, 420, 600, k == 1 ? 420 : 210}, vb::Centred);
    }

    FrameSearch.move(0, 104, 10, 10);
    FrameSearch.setVisible(false);
}

void frmMain::designFullWindowBar()
{
    vb::barFrame(FrameCommon, {24, 0, 817, 59});
    // Row 1 of the bar holds everything but the tabs within the first 760 pixels, so that
    // a window only 800 pixels wide still shows all of it; row 2 holds the tab row.
    vb::placePicture(ImageComBack, {120, 90, 375, 255});
    vb::placePicture(ImageComForward, {540, 90, 375, 255});
    for (int i = 0; i <= 3; ++i) {
        vb::placeButton(CommandComNavigate.add(i), 990 + i * 375, 60);
        CommandComNavigate[i].setToolTip(NavigationNames[i]);
    }
    ComboComLocation.move(2490, 60, 6540, 330);
    ComboComLocation.setMaxVisibleItems(20);
    vb::placeButton(CommandComGo, 9090, 60);
    CommandComGo.setToolTip(S("Go"));
    vb::placePicture(ImageBusy.addIn(FrameCommon, 1), {9450, 90, 240, 240});
    ProgressBrow.addIn(FrameCommon, 1).move(9750, 30, 840, 90);
    ProgressBrow[1].setVisible(false);
    vb::placeButton(CommandComTab, 10680, 60);
    CommandComTab.setToolTip(S("One or two rows"));
    vb::placeButton(CommandComHide, 11040, 60, 255, 300);
    CommandComHide.setCaption(S("x"));

    // The tab row stands far enough right that the Select Tabs panel, which ends left of
    // the Select button, finds room with two tabs.
    vb::plainFrame(FrameWebComNew, {750, 450, 11280, 420});
    design::tabRow(CommandWebComNew, LabelWebComNew, S("Tab"), true);
    tabRowHeadPlace(CommandWebComNew, LabelWebComNew, 45);
    design::closeGroup(FrameWebComClose, nullptr, CommandWebComClose, LabelWebComClose, S("#24"), true);
}

void frmMain::designControlsBar()
{
    design::cornerButton(FrameZero, CommandZero, S("Controls"));

    // Wide enough for "Normal Window" and "Exit Corvane" clear of its right border.
    vb::panelFrame(FrameOne, S("Controls"), {24, 0, 292, 140}, Band);
    const QStringList oneNames{S("Page"),       S("Open"),    S("View"),      S("Tools"), S("Help"),
                               S("Tab List"),   S("Navigation"), S("Browser"), S("Bookmarks"), S("Run"),
                               S("Normal Window"), S("Exit Corvane"), S("Hide")};
    for (int i = 0; i <= 12; ++i) {
        const int col = i / 5, row = i % 5;
        const int left = 60 + col * 1395, top = 225 + row * 315;
        vb::placeButton(CommandOne.add(i), left, top, 270, 270);
        vb::placeCaption(LabelOne.add(i), oneNames[i], {left + 300, top + 30, 1080, 210});
    }
    vb::placePicture(ImageBigUser, {2910, 1200, 1200, 600});
    vb::placeCaption(LabelCurrentBrowser.addIn(FrameOne, 1), QString(), {120, 1845, 3900, 210}).setFontBold(true);
    LineOne.setPoints(120, 1830, 4095, 1830);
    LineOne.setBorderColor(vb::colors::Line);

    vb::panelFrame(FrameBrowser, S("Browsers"), {144, 140, 226, 62});
    vb::buttonRow(CommandBrowser, LabelBrowser, {270, {300, 300}, 585, 180, 149}, browserSlots());
    vb::placeButton(CommandHideBrowser, 3060, 270);
    vb::placeCaption(LabelBrowser.add(6), S("Hide"), {2940, 585, 540, 180}, vb::SmallCentred);
}

void frmMain::designTimers()
{
    TimerMainFrame.setInterval(20);
    TimerMainFrame.setEnabled(false);
    TimerMainAbout.setInterval(20);
    TimerMainAbout.setEnabled(false);
    TimerMainBrow.setInterval(200);
    TimerMainBrow.setEnabled(false);
}

void frmMain::designMenus()
{
    const std::vector<MenuItem> page{{0, 0, "Hide"}, {1, 1, "Bookmark"}, {2, 2, "Keep Note"},
                                     {3, 3, "Set As Home Page"}, {4, 4, "Save"}, {5, 5, "Print"}};
    const std::vector<MenuItem> open{{0, 6, "Hide"},        {1, 1, "File"},      {2, 2, "New Tab"},
                                     {3, 3, "New Browser"}, {4, 4, "Bookmarks"}, {5, 5, "Unused", false}};
    const std::vector<MenuItem> view{{0, 0, "Hide"},    {1, 1, "Note"},      {2, 2, "Choices"},
                                     {3, 3, "Options"}, {4, -1, "", false}, {5, -1, "", false}};
    const std::vector<MenuItem> tools{{0, 0, "Hide"},       {1, 1, "Set Internet Properties"}, {2, 2, "Set Display Properties"},
                                      {3, 3, "Report Bug"}, {4, -1, "", false},                {5, -1, "", false}};
    const std::vector<MenuItem> help{{0, 0, "Hide"}, {1, 1, "Help"}, {2, 2, "Web Site"}, {5, 5, "About"}};
    menuDesign(FrameMenu[0], "Current Web Page", CommandPage, LabelPage, page, 1125);
    menuDesign(FrameMenu[1], "Open", CommandOpen, LabelOpen, open, 1560);
    menuDesign(FrameMenu[2], "View", CommandView, LabelView, view, 1560);
    menuDesign(FrameMenu[3], "Tools", CommandTools, LabelTools, tools, 2100);
    menuDesign(FrameMenu[4], "Help", CommandHelp, LabelHelp, help, 1560);
}

void frmMain::designTabList()
{
    // The Tab List: two entries a row under its own Hide and "Keep Hidden".
    vb::Frame& list = FrameMenu[5];
    vb::panelFrame(list, S("Tab List"), {0, 32, 209, 49});
    vb::placeButton(CommandListHide, 60, 210, 240, 240);
    vb::placeCaption(LabelListHide, S("Hide"), {330, 225, 600, 210});
    CheckWebList.move(1260, 195, 1800, 255);
    CheckWebList.setCaption(S("Keep Hidden"));
    CheckWebList.setBackColor(Panel);
    for (int i = 0; i <= 24; ++i) {
        const int col = (i - 1) % 2, r = (i - 1) / 2;
        design::listLine(TextWebList.add(i), i == 0 ? QRect(0, 0, 1500, 240) : QRect(60 + col * 1560, 465 + r * 240, 1500, 240));
    }
    LineWebList.setPoints(1590, 465, 1590, 720);
    LineWebList.setBorderColor(vb::colors::Line);

    // The Tab List may stay open by itself at the left edge: every menu the user opens
    // lies above it, as does every panel.
    list.widget()->stackUnder(FrameMenu[0].widget());
}

void frmMain::designPanels()
{
    designChoicePanel();
    designBookmarkPanel();
    design::notePanel({FrameNote, LabelNote, TextNote}, S("Somthing need to be reminded on subsequent visit to this page?"), {24, 76});
    designNoteButtons();
    design::markPanel({FrameMark, LabelWebMark, TextWebMark, LabelWebAddress, TextWebAddress, CommandMarkOK, CommandMarkCancel,
                       CommandMarkReset, LabelMarkButton},
                      {0, 100});
    designRenamePanel();
    design::homePanel({FrameHome, TextHome, LabelWebHome.add(2), OptionHome, LabelHeadHomeAlready, LabelBrowHomeAlready,
                       CommandHomeOK, CommandHomeCancel, LabelHomeButton},
                      {{0, 100, 440, 172}, 6300, 1560, 1500, S("This web page is already Home Page of your following Browsers :"),
                       S("Browser :")});
    design::createPanel({FrameCreate, TextCreate, CommandCreateOK, CommandCreateCancel, LabelCreateButton},
                        S("Create Tab - Go To This Location :"), {0, 100});
    designProfilePanels();
    designRunBox();
    design::selectTabsPanel({FrameWebSelectClose, CheckSelectWebTab, FrameButWebSelect, CommandWebSelectClose, LabelWebSelectClose},
                            108, SelectPanelWidth, 0);
    notice(FrameActiveBrow, LabelHideActiveBrow, S("You Are Viewing this Browser"));
    notice(FrameNoBookmark, LabelNoBookmark, S("No Page Bookmarked Yet"));
    notice(FrameDoneBookmark, LabelDoneBookmark, S("Bookmarking Completed !!"));
    notice(FrameAlreadyBookmarked, LabelHideAlredyMarked, S("Page Already Bookmarked"));
    designAboutBanner();
}

void frmMain::designChoicePanel()
{
    // One column, the View menu's panel, its last button clear of its border.
    vb::panelFrame(FrameChoice, S("Choices"), {0, 100, 217, 56});
    const QStringList choices{S("Hide"), S("Change User Name"), S("Change/Set  User Picture")};
    for (int i = 0; i <= 5; ++i) {
        Btn& b = vb::placeButton(CommandChoice.add(i), 60, 210 + i * 195, 180, 180);
        if (i <= 2)
            vb::placeCaption(LabelChoice.add(i), choices[i], {300, 195 + i * 195, 2850, 195});
        else
            b.setVisible(false);
    }
}

void frmMain::designBookmarkPanel()
{
    // 81 pixels high while the bookmark browser is current, else 25, when only its caption
    // shows: everything else lies below that.
    vb::panelFrame(FrameBookmark, S("Bookmarks :"), {0, 84, 440, 81});
    ComboMarkName.move(120, 390, 2280, 330);
    ComboMarkAddress.move(2520, 390, 3960, 330);
    const QStringList names{S("Show"), S("Close"), S("Rename"), S("Remove"), S("Remove All"), S("Go"), S("Hide")};
    // Show stands where Close does; Close is shown in full-window mode only.
    const int lefts[] = {120, 120, 945, 1965, 3015, 4245, 4875};
    const int captionWidths[] = {465, 465, 630, 660, 840, 270, 390};
    for (int i = 0; i <= 6; ++i) {
        vb::placeButton(CommandBookmark.add(i), lefts[i], 795);
        vb::placeCaption(LabelBookmark.add(i), names[i], {lefts[i] + 330, 840, captionWidths[i], 210});
    }
    CommandBookmark[0].setVisible(false);
    LabelBookmark[0].setVisible(false);
}

void frmMain::designNoteButtons()
{
    const QStringList names{S("Edit"), S("Save"), S("Delete"), S("Cancel"), S("Hide")};
    Btn* buttons[] = {&CommandNoteEdit, &CommandNoteOK, &CommandNoteRemove, &CommandNoteCancel, &CommandNoteHide};
    for (int i = 0; i < 5; ++i)
        vb::panelButton(*buttons[i], LabelNoteButton.add(i), names[i], 120 + i * 720, 1620);
    CheckNoShowNote.move(3900, 1680, 2700, 255);
    CheckNoShowNote.setCaption(S("Do Not Show Notes"));
    CheckNoShowNote.setBackColor(Panel);
}

void frmMain::designRenamePanel()
{
    vb::panelFrame(FrameRename, S("Rename Bookmark"), {0, 170, 440, 150});
    vb::placeCaption(LabelRenameName, S("Current Name :"), {120, 270, 1440, 210});
    TextRenameName.move(1620, 240, 4800, 285);
    vb::placeCaption(LabelMarkAdd, S("Name Change To :"), {120, 630, 1440, 210});
    TextMarkAdd.move(1620, 600, 4800, 285);
    vb::placeCaption(LabelRenameLocation, S("Location :"), {120, 990, 1440, 210});
    TextRenameLocation.move(1620, 960, 4800, 285);
    vb::panelButton(CommandRenameOK, LabelRenameButton.add(0), S("OK"), 120, 1440);
    vb::panelButton(CommandRenameCancel, LabelRenameButton.add(1), S("Cancel"), 840, 1440);
}

void frmMain::designProfilePanels()
{
    // Change Name: 257 pixels wide, high enough for the captions under OK and Cancel.
    vb::panelFrame(FrameName, S("Change Name"), {0, 152, 257, 98});
    vb::placeCaption(LabelName.add(0), S("Current Name"), {120, 270, 1200, 210});
    TextName.add(0).move(1380, 240, 2340, 285);
    TextName[0].setLocked(true);
    vb::placeCaption(LabelName.add(1), S("Change To :"), {120, 630, 1200, 210});
    TextName.add(1).move(1380, 600, 2340, 285);
    vb::panelButton(CommandNameOK, LabelNameButton.add(0), S("OK"), 1380, 900);
    vb::panelButton(CommandNameCancel, LabelNameButton.add(1), S("Cancel"), 2100, 900);

    // Report Bug.
    vb::panelFrame(FrameMail, S("Report Bug"), {0, 100, 300, 110});
    vb::placeCaption(LabelMail.add(0), S("To :"), {120, 270, 840, 210});
    TextMail.add(0).move(960, 240, 3420, 285);
    vb::placeCaption(LabelMail.add(1), S("Subject :"), {120, 630, 840, 210});
    TextMail.add(1).move(960, 600, 3420, 285);
    vb::panelButton(CommandMailOK, LabelMailButton.add(0), S("OK"), 960, 1020);
    vb::panelButton(CommandMailCancel, LabelMailButton.add(1), S("Cancel"), 1680, 1020);
}

void frmMain::designRunBox()
{
    // The programs on the left, a separator, the buttons beside the last row. Its height
    // and rows come from the Run list at load.
    vb::panelFrame(FrameRun, S("Run"), {0, 32, 257, 57});
    OptionRun.add(0).move(120, 240, 2220, 300);
    OptionRun[0].setBackColor(Panel);
    OptionRun[0].setVisible(false);
    LineRun.setPoints(2400, 240, 2400, 735);
    LineRun.setBorderColor(vb::colors::Line);
    vb::plainFrame(FrameButRun, {2490, 240, 1290, 540}, Panel);
    vb::panelButton(CommandRunOK, LabelRunButton.add(0), S("OK"), 0, 0);
    vb::panelButton(CommandRunCancel, LabelRunButton.add(1), S("Cancel"), 660, 0);
}

void frmMain::designAboutBanner()
{
    vb::panelFrame(FrameAbout, S("Corvane"), {176, 0, 230, 32}, vb::colors::Notice);
    // Clear of the banner's border lines.
    vb::placePicture(ImageAbout, {1380, 45, 390, 390});
    vb::placeCaption(LabelAbout.add(0), QString(), {1920, 120, 1500, 210});
    vb::placeCaption(LabelAbout.add(1), S("velmora"), {120, 255, 1200, 195});
    vb::placeCaption(LabelAbout.add(2), QString(), {1920, 300, 1500, 150});
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
    design::tabRowCovers(CoverKeeper, {&LabelWebNew, &LabelWebComNew, &LabelWebClose, &LabelWebComClose}, LabelWebCloseHead);
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
    vb::pictureStore(BButton, art::ButtonFaceCount, [](int i) { return art::buttonFace(i, QSize(20, 20)); });
    for (int i = 0; i < art::ButtonFaceCount; ++i) {
        vb::Label& caption = LabelButB.add(i);
        caption.setCaption(QString::number(i));
        caption.setVisible(false);
    }
    vb::arrowStores(NavBack, NavForward, 3);
    vb::pictureStore(ImageShow, art::BusyFrameCount, [](int i) { return art::busyFrame(i, QSize(16, 16)); });
    ImageAboutBadge[0].setPicture(art::aboutBadge(QSize(30, 30)));
    // The second badge is the first seen in a mirror: the banner alternates them.
    ImageAboutBadge[1].setPicture(QPixmap::fromImage(art::aboutBadge(QSize(30, 30)).toImage().mirrored(true, false)));
}

} // namespace corvane
