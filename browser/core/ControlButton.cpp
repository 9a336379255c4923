#include "ControlButton.h"

#include "AddressRules.h"
#include "ControlBookmark.h"
#include "CorvaneApp.h"
#include "frmMain.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace corvane {

namespace {

QString tabListLine(const BrowserSet& s, int i)
{
    return QString::number(i) + QStringLiteral(". ") + s.TabTitles[i];
}

// A Tab List line shows its number and the start of its title; a title too long for the
// line ends in "…" (the line shortens it), and its tool tip is the whole title.
void tabListLineSet(vb::TextBox& line, const QString& text, const QString& title)
{
    line.setText(text);
    line.setSelStart(0);
    line.setToolTip(title);
}

// The user picture's two sizes: the larger while 1 to 14 tab slots are in use.
bool largePicture(int highestTab)
{
    return highestTab >= 1 && highestTab <= 14;
}

frmMain& mainOf(CorvaneApp& app)
{
    return *app.mainForm;
}

void face(frmMain& f, vb::CommandButton& b, int index)
{
    b.setPicture(f.BButton[index].picture());
}

bool minimised(frmMain& f)
{
    return f.windowState() == vb::Minimized;
}

// The browser on screen by the current-browser flags.
vb::WebBrowser* currentBrowser(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    const BrowserSet& s = app.set;
    if (s.TabBrowserCurrent)
        return f.BrowserNew.find(s.TabCurrentIndex);
    if (s.BookmarkBrowserCurrent)
        return f.WebBrowser.find(BookmarkBrowserIndex);
    return f.WebBrowser.find(s.MainBrowserIndex);
}

// A page may load itself again and again (a refresh every 0 s): its arrival must not eat
// the address the user is typing, nor take the caret out of the box the user is in.
bool keepsTyping(const BrowserSet& s, const vb::ComboBox& box)
{
    return s.PageArrivalShowing && box.isUserEditing() && box.hasFocus();
}

void addressShow(const BrowserSet& s, vb::ComboBox& box, const QString& address)
{
    if (!keepsTyping(s, box))
        box.setText(address);
}

bool typingAddress(frmMain& f, const BrowserSet& s)
{
    auto typing = [&](const vb::ComboBox* box) { return box && keepsTyping(s, *box); };
    return typing(&f.ComboLocation) || typing(&f.ComboComLocation) || typing(f.ComboWebLocation.find(s.TabCurrentIndex));
}

// The keyboard focus goes back to the hidden picture box after the display changed, but
// not during start-up and not from a location box the user is in.
void focusRest(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    if (!app.prog.StartupShowing && !typingAddress(f, app.set))
        f.PictureMain.setFocus();
}

void moveToBrowserRect(CorvaneApp& app, vb::WebBrowser* b)
{
    const BrowserSet& s = app.set;
    if (b)
        b->move(s.BrowserLeft, s.BrowserTop, s.BrowserWidth, s.BrowserHeight);
}

void stopBusy(frmMain& f, const BrowserSet& s)
{
    f.TimerMainBrow.setEnabled(false);
    f.BusyFrame = 0;
    f.ImageBusy[s.BarIndex].setPicture(f.ImageShow[0].picture());
}

QColor buttonTextColour()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

void hideMainBrowser(frmMain& f, BrowserSet& s, int i)
{
    if (vb::WebBrowser* b = f.WebBrowser.find(i))
        b->setVisible(false);
    if (s.LoadingBrowserIndex == i) {
        s.LoadingBrowserIndex = -1;
        stopBusy(f, s);
    }
}

void hideTabBrowser(frmMain& f, BrowserSet& s, int i)
{
    if (vb::WebBrowser* b = f.BrowserNew.find(i))
        b->setVisible(false);
    if (vb::ComboBox* c = f.ComboWebLocation.find(i))
        c->setVisible(false);
    if (i >= 0 && i <= MaxTabs) {
        f.TextWebList[i].setForeColor(buttonTextColour());
        face(f, f.CommandWebNew[i], 5);
        face(f, f.CommandWebComNew[i], 5);
    }
    if (s.TabLoadingIndex == i) {
        s.TabLoadingIndex = -1;
        stopBusy(f, s);
    }
}

// The tab row stands right of the menus that stay open at the band's left edge; a window
// too narrow for the whole row beside them moves it left until its Close group is on
// screen. Tab slots above the highest in use have no button on screen.
void tabRowPlace(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    const int bandRight = app.prog.TwipsPerPixelX * f.FrameBigMain.width() - 30;
    f.FrameWebNew.setLeft(std::max(60, std::min(int(frmMain::BandRowLeft), bandRight - f.FrameWebNew.width())));
    const int last = app.set.TabLastIndex;
    for (int i = 1; i <= MaxTabs; ++i) {
        const bool listed = i <= last;
        f.CommandWebNew[i].setVisible(listed);
        f.LabelWebNew[i].setVisible(listed);
        f.CommandWebComNew[i].setVisible(listed);
        f.LabelWebComNew[i].setVisible(listed);
    }
}

// The picture's frame stands just left of the Exit frame, whichever its size.
int userFrameLeft(const frmMain& f)
{
    return f.FrameExit.left() - (f.FrameUser.width() + 30);
}

// The frames at the band's right edge, and the location group that stretches up to them.
// A window too narrow for the group beside the user picture has no room for the picture:
// the group takes its place and the picture is not shown.
void bandRightLayout(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    const int tppx = app.prog.TwipsPerPixelX;
    f.FrameExit.setLeft(tppx * f.FrameBigMain.width() - (f.FrameExit.width() + 30));
    f.FrameUser.setLeft(userFrameLeft(f));
    // The location group keeps clear of the picture's larger size, so that it does not
    // change its width with the number of tabs.
    const int pictureSlot = f.FrameExit.left() - (frmMain::UserFrameWideWidth + 30);
    const int besidePicture = pictureSlot - 60 - frmMain::LocationLeft;
    const int besideExit = f.FrameExit.left() - 60 - frmMain::LocationLeft;
    const bool pictureFits = besidePicture >= frmMain::LocationMinWidth;
    f.FrameUser.setVisible(pictureFits);
    const bool picture = !app.profile.UserPicturePath.isEmpty();
    const int room = picture && pictureFits ? besidePicture : besideExit;
    const int width = std::max(int(frmMain::LocationMinWidth), room);
    f.FrameBigLocation.setWidth(width);
    const int box = width - frmMain::GoWidth - 60;
    f.ComboLocation.setWidth(box);
    for (int i : f.ComboWebLocation.indices())
        f.ComboWebLocation[i].setWidth(box);
    f.FrameGo.setLeft(box + 60);
    // The busy picture ends the caption line; the progress bar takes what room is left.
    f.ImageBusy[0].setLeft(width - f.ImageBusy[0].width() - 30);
    f.ProgressBrow[0].setWidth(std::max(0, f.ImageBusy[0].left() - 60 - f.ProgressBrow[0].left()));
}

} // namespace

// ---------------------------------------------------------------------------------------
// The steps of a switch to another browser, in the order CurrentBrowserShow takes them:
// setting a control raises its events at once, and the guards rely on this order.

namespace {

// The browser left goes off screen; its busy animation stops with it. A record that names
// no browser (-1) has nothing to hide and no animation to stop.
void leftBrowserHide(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    if (s.ReturnIsMain && s.BrowserReturnIndex >= 0)
        hideMainBrowser(f, s, s.BrowserReturnIndex);
    if (s.ReturnIsTab && s.BrowserReturnIndex >= 1)
        hideTabBrowser(f, s, s.BrowserReturnIndex);
    s.ReturnIsTab = false;
    s.ReturnIsMain = false;
    s.BrowserReturnIndex = -1;
}

// The site of the page shown goes into the location lists; its short name is returned as
// the browser's title. After a switch the list on screen is still the one of the browser
// left: it is refilled first, or the site would be compared with the wrong list and kept
// twice.
QString siteListAndName(CorvaneApp& app, const QString& address, bool listPending)
{
    if (listPending)
        LocationListRefresh(app);
    const QString root = UrlSiteRootGet(address);
    if (root.left(4) == QLatin1String("http"))
        LocationListAdd(app, root);
    return UrlShortNameGet(root);
}

// What the band shows of the current browser once it is placed.
struct CurrentMarks {
    QString label;
    QString closeLabel = QStringLiteral("??");
    bool goEnabled = false;
    bool homeEnabled = false;
};

void currentTabMark(CorvaneApp& app, const QString& address, const QString& shortName, CurrentMarks& marks)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    const int t = s.TabCurrentIndex;
    s.TabTitles[t] = shortName;
    if (vb::ComboBox* c = f.ComboWebLocation.find(t); c && !keepsTyping(s, *c)) {
        c->setText(address);
        f.TabBoxEdited[t] = false;
    }
    f.TextWebList[t].setForeColor(QColor(0, 128, 0));
    marks.closeLabel = QStringLiteral("#") + QString::number(t);
    marks.label = QStringLiteral("Current Browser :: Tab Browser #") + QString::number(t);
    f.CommandWebNew[t].setToolTip(shortName);
    f.CommandWebComNew[t].setToolTip(shortName);
    face(f, f.CommandWebNew[t], 3);
    face(f, f.CommandWebComNew[t], 3);
}

void bookmarkBrowserMark(CorvaneApp& app, const QString& address, const QString& shortName, CurrentMarks& marks)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    s.MainBrowserTitles[BookmarkBrowserIndex] = shortName;
    addressShow(s, f.ComboLocation, address);
    marks.label = QStringLiteral("Current Browser :: Bookmark Browser");
    marks.goEnabled = address != f.ComboMarkAddress.text();
}

// The selected main browser's two selectors read "Browser" while it is on screen, and its
// number while a tab or the bookmark browser is.
void mainBrowserMark(CorvaneApp& app, const QString& address, const QString& shortName, CurrentMarks& marks)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    const int m = s.MainBrowserIndex;
    if (s.MainBrowserCurrent) {
        s.MainBrowserTitles[m] = shortName;
        addressShow(s, f.ComboLocation, address);
        marks.label = QStringLiteral("Current Browser :: Main Browser #") + QString::number(m + 1);
        marks.homeEnabled = address != app.opt.MainBrowserHomePages[m];
        f.LabelShowBrowser[m].setBackStyle(1);
        f.LabelShowBrowser[m].setCaption(QStringLiteral("Browser"));
        f.LabelBrowser[m].setCaption(QStringLiteral("Browser"));
        face(f, f.CommandBrowser[m], 3);
        face(f, f.CommandShowBrowser[m], 3);
    } else {
        f.LabelShowBrowser[m].setBackStyle(0);
        f.LabelShowBrowser[m].setCaption(QString::number(m + 1));
        f.LabelBrowser[m].setCaption(QString::number(m + 1));
        face(f, f.CommandBrowser[m], 5);
        face(f, f.CommandShowBrowser[m], 5);
    }
}

// The boxes, titles, selectors and tab buttons of the current browser. Their Change
// handlers are muted by the caller: the text is the page's, not the user's.
CurrentMarks currentBrowserMark(CorvaneApp& app, const QString& address, const QString& shortName)
{
    CurrentMarks marks;
    if (app.set.TabBrowserCurrent)
        currentTabMark(app, address, shortName, marks);
    if (app.set.BookmarkBrowserCurrent)
        bookmarkBrowserMark(app, address, shortName, marks);
    mainBrowserMark(app, address, shortName, marks);
    return marks;
}

// The band takes the height of the tabs in use (none in full-window mode) and the browser
// goes under it; the band's rows and the user picture follow a change of the highest tab.
void layOutBand(CorvaneApp& app, const QString& address)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    int band = 0;
    if (s.FullWindowMode) {
        band = 0;
        if (s.BarIndex == 1)
            addressShow(s, f.ComboComLocation, address);
        if (s.FullBarOneRow)
            s.FullBarOneRow = s.TabCount != 0;
    } else {
        s.FullBarOneRow = false;
        band = s.TabCount > 0 ? 108 : 76;
    }
    CurrentBrowserMove(app, band);
    if (s.LayoutTabLastIndex != s.TabLastIndex)
        TopBandLayout(app);
    if (s.PictureLayoutPending)
        UserPictureLayout(app, s.TabLastIndex);
}

void currentLabelSet(frmMain& f, const QString& label)
{
    f.LabelCurrentBrowser[0].setCaption(label);
    f.LabelCurrentBrowser[1].setCaption(label);
    f.LineOne.setX1(f.LabelCurrentBrowser[1].left());
}

// Only the current browser is on screen, with its own location box.
void onlyCurrentOnScreen(CorvaneApp& app, const vb::WebBrowser* current)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    if (vb::WebBrowser* b = f.WebBrowser.find(s.MainBrowserIndex))
        b->setVisible(s.MainBrowserCurrent);
    if (s.BookmarkBrowserOpen)
        if (vb::WebBrowser* b = f.WebBrowser.find(BookmarkBrowserIndex))
            b->setVisible(s.BookmarkBrowserCurrent);
    f.ComboLocation.setVisible(!s.TabBrowserCurrent);
    if (vb::WebBrowser* b = f.BrowserNew.find(s.TabCurrentIndex))
        b->setVisible(s.TabBrowserCurrent);
    if (vb::ComboBox* c = f.ComboWebLocation.find(s.TabCurrentIndex))
        c->setVisible(s.TabBrowserCurrent);
    // A switch made before the display caught up with the one before it (a new tab whose
    // page is still on its way) leaves a browser on screen that no record names: it goes
    // as the browser left does.
    for (int i : f.WebBrowser.indices())
        if (&f.WebBrowser[i] != current && f.WebBrowser[i].isVisible())
            hideMainBrowser(f, s, i);
    for (int i : f.BrowserNew.indices())
        if (&f.BrowserNew[i] != current && f.BrowserNew[i].isVisible())
            hideTabBrowser(f, s, i);
}

void setEnabledStates(CorvaneApp& app, const CurrentMarks& marks)
{
    frmMain& f = mainOf(app);
    const BrowserSet& s = app.set;
    f.CommandBookmark[5].setEnabled(marks.goEnabled);
    f.CommandNavigate[0].setEnabled(marks.homeEnabled);
    f.CommandComNavigate[0].setEnabled(marks.homeEnabled);
    f.CommandOne[7].setEnabled(app.opt.MainBrowserLastIndex != 0);
    f.CommandOne[8].setEnabled(s.BookmarkBrowserOpen);
    f.FrameBookmark.setHeight(s.BookmarkBrowserCurrent ? 81 : 25);
    f.CommandOpen[4].setEnabled(!s.BookmarkBrowserOpen && app.lists.BookmarkLastIndex != -1);
}

// The close buttons name the current tab; closing it needs a tab current, "Select" needs
// more than one tab.
void tabCloseButtonsSet(CorvaneApp& app, const QString& closeLabel)
{
    frmMain& f = mainOf(app);
    const BrowserSet& s = app.set;
    f.LabelWebClose[1].setCaption(closeLabel);
    f.LabelWebComClose[1].setCaption(closeLabel);
    f.CommandWebClose[1].setEnabled(s.TabBrowserCurrent);
    f.CommandWebComClose[1].setEnabled(s.TabBrowserCurrent);
    f.CommandWebClose[2].setEnabled(s.TabCount != 1);
    f.CommandWebComClose[2].setEnabled(s.TabCount != 1);
}

// The tab strips reach just past the highest tab in use.
void tabStripsFit(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    const int past = f.CommandWebNew[app.set.TabLastIndex].left() + 360;
    f.FrameWebClose.setLeft(past);
    f.FrameWebComClose.setLeft(past);
    f.FrameWebNew.setWidth(f.FrameWebClose.width() + past);
    f.FrameWebComNew.setWidth(f.FrameWebNew.width());
    tabRowPlace(app);
}

// The full-window bar has a tab row while tabs are open (unless the user keeps it to one
// row); the band and the bar are on screen by turns.
void fullWindowBarSet(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    const BrowserSet& s = app.set;
    if (!s.FullBarOneRow)
        f.FrameCommon.setHeight(s.TabCount > 0 ? 59 : 29);
    f.FrameBigMain.setVisible(!s.FullWindowMode);
    f.FrameCommon.setVisible(s.BarIndex != 0);
    face(f, f.CommandComTab, f.FrameCommon.height() == 59 ? 3 : 0);
    f.CommandComTab.setEnabled(s.TabCount != 0);
}

void pendingListsRefresh(CorvaneApp& app)
{
    const BrowserSet& s = app.set;
    if (s.LocationListPending)
        LocationListRefresh(app);
    if (s.BackForwardPending)
        BackForwardUpdate(app);
    if (s.ComLocationPending)
        ComLocationSync(app);
}

// The page's note, when it has one, stands ready to read in the Note panel.
void noteLookUp(CorvaneApp& app, const QString& address)
{
    frmMain& f = mainOf(app);
    PanelVars& p = app.panel;
    app.set.PageChanged = false;
    p.CurrentNoteIndex = NoteFindForPage(app, address);
    p.NoteExists = p.CurrentNoteIndex != -1;
    if (!p.NoteExists)
        return;
    f.LabelNote[6].setVisible(false);
    f.LabelNote[7].setVisible(false);
    f.TextNote[1].setVisible(false);
    f.CommandNoteOK.setEnabled(false);
    f.CommandNoteRemove.setEnabled(true);
    f.CommandNoteEdit.setEnabled(true);
    f.LabelNote[1].setVisible(true);
    f.TextNote[0].setText(address);
    const QString note = NoteTextGet(app, p.CurrentNoteIndex);
    f.TextNote[1].setText(note);
    f.LabelNote[1].setCaption(note);
}

// The lists the switch left stale are refilled, and the note of a page that changed (or
// whose lists did) is looked up and shown by itself under the band or the bar.
void pendingRefreshesAndNote(CorvaneApp& app, const QString& address, bool listWasPending)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    PanelVars& p = app.panel;
    p.NoteExists = false;
    const bool lookup = (s.PageChanged || listWasPending || s.BackForwardPending) && app.lists.ShowNotes;
    pendingListsRefresh(app);
    if (lookup)
        noteLookUp(app, address);
    p.NoteFrameShown = p.NoteExists;
    f.CheckNoShowNote.setVisible(p.NoteExists);
    f.FrameNote.setTop(s.BarIndex == 1 ? f.FrameCommon.height() : s.BrowserTop);
    f.FrameNote.setVisible(p.NoteExists);
}

// The Tab List can be opened while a tab slot is in use, and lists them.
void tabListFollow(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    const BrowserSet& s = app.set;
    f.CommandMenu[5].setEnabled(s.TabLastIndex != 0);
    f.CommandOne[5].setEnabled(s.TabLastIndex != 0);
    if (s.TabLastIndex > 0)
        TabListRefresh(app);
}

// No menu stays open over the new browser but those pinned open; the progress bars
// belong to the browser left. Restoring the menus also gives the focus back.
void menusRestoreAfterSwitch(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    s.MenuOpenIndex = -1;
    MenusRestore(app, false);
    f.ProgressBrow[0].setVisible(false);
    f.ProgressBrow[1].setVisible(false);
    s.LayoutTabLastIndex = s.TabLastIndex;
}

} // namespace

void CurrentBrowserShow(CorvaneApp& app)
{
    BrowserSet& s = app.set;
    FramesClose(app, true);
    leftBrowserHide(app);

    vb::WebBrowser* current = currentBrowser(app);
    const QString address = current ? current->locationURL() : QString();
    mainOf(app).PageNoticeBox.follow(current);
    const bool listWasPending = s.LocationListPending;
    const QString shortName = siteListAndName(app, address, listWasPending);

    s.LocationChangeMuted = true;
    const CurrentMarks marks = currentBrowserMark(app, address, shortName);
    layOutBand(app, address);
    s.LocationChangeMuted = false;

    currentLabelSet(mainOf(app), marks.label);
    onlyCurrentOnScreen(app, current);
    setEnabledStates(app, marks);
    tabCloseButtonsSet(app, marks.closeLabel);
    tabStripsFit(app);
    fullWindowBarSet(app);
    pendingRefreshesAndNote(app, address, listWasPending);
    tabListFollow(app);
    menusRestoreAfterSwitch(app);
}

void LocationListRefresh(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    const bool full = s.FullWindowMode;
    const QString typed = f.ComboLocation.text();
    const QString typedFull = f.ComboComLocation.text();
    f.ComboLocation.clear();
    if (full)
        f.ComboComLocation.clear();
    const int k = s.BookmarkBrowserCurrent ? BookmarkBrowserIndex : s.MainBrowserIndex;
    for (const QString& entry : app.hid.ComboLocation[k].items()) {
        f.ComboLocation.addItem(entry);
        if (full)
            f.ComboComLocation.addItem(entry);
    }
    const vb::WebBrowser* b = f.WebBrowser.find(k);
    const QString address = b ? b->locationURL() : QString();
    f.ComboLocation.setText(keepsTyping(s, f.ComboLocation) ? typed : address);
    if (full)
        f.ComboComLocation.setText(keepsTyping(s, f.ComboComLocation) ? typedFull : address);
    s.LocationListPending = false;
}

void BackForwardUpdate(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    bool back = false;
    bool forward = false;
    if (s.BookmarkBrowserCurrent) {
        back = s.MainBrowserHasHistory[BookmarkBrowserIndex];
        forward = s.MainBrowserCanGoForward[BookmarkBrowserIndex];
    } else if (s.TabBrowserCurrent) {
        back = s.TabHasHistory[s.TabCurrentIndex];
        forward = s.TabCanGoForward[s.TabCurrentIndex];
    } else {
        back = s.MainBrowserHasHistory[s.MainBrowserIndex];
        forward = s.MainBrowserCanGoForward[s.MainBrowserIndex];
    }
    for (vb::Image* img : {&f.ImageBack, &f.ImageComBack}) {
        img->setEnabled(back);
        img->setPicture(f.NavBack[back ? 0 : 2].picture());
    }
    for (vb::Image* img : {&f.ImageForward, &f.ImageComForward}) {
        img->setEnabled(forward);
        img->setPicture(f.NavForward[forward ? 0 : 2].picture());
    }
    s.BackForwardPending = false;
}

void ComLocationSync(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    const QString typed = f.ComboComLocation.text();
    f.ComboComLocation.clear();
    f.ComboComLocation.setListIndex(-1);
    const vb::ComboBox* source = &f.ComboLocation;
    if (s.TabBrowserCurrent)
        if (const vb::ComboBox* c = f.ComboWebLocation.find(s.TabCurrentIndex))
            source = c;
    for (const QString& entry : source->items())
        f.ComboComLocation.addItem(entry);
    f.ComboComLocation.setText(keepsTyping(s, f.ComboComLocation) ? typed : source->text());
    s.ComLocationPending = false;
}

void BrowserTitleShow(CorvaneApp& app, bool isTab, int index, const QString& address)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    const QString shortName = UrlShortNameGet(UrlSiteRootGet(address));
    if (!isTab) {
        if (index >= 0 && index <= BookmarkBrowserIndex)
            s.MainBrowserTitles[index] = shortName;
        return;
    }
    if (index < 1 || index > MaxTabs)
        return;
    s.TabTitles[index] = shortName;
    f.CommandWebNew[index].setToolTip(shortName);
    f.CommandWebComNew[index].setToolTip(shortName);
    if (index <= s.TabLastIndex)
        tabListLineSet(f.TextWebList[index], tabListLine(s, index), shortName);
}

void HomeButtonRefresh(CorvaneApp& app)
{
    if (!app.mainForm)
        return;
    frmMain& f = mainOf(app);
    const BrowserSet& s = app.set;
    bool homeEnabled = false;
    if (s.MainBrowserCurrent)
        if (const vb::WebBrowser* b = f.WebBrowser.find(s.MainBrowserIndex))
            homeEnabled = b->locationURL() != app.opt.MainBrowserHomePages[s.MainBrowserIndex];
    f.CommandNavigate[0].setEnabled(homeEnabled);
    f.CommandComNavigate[0].setEnabled(homeEnabled);
}

void TabListRefresh(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    int last = s.TabLastIndex;
    if (last % 2 == 1)
        ++last;
    int rows = 0;
    for (int i = 1; i <= MaxTabs; ++i)
        f.TextWebList[i].setVisible(i <= last);
    for (int i = 1; i <= last && i <= MaxTabs; ++i) {
        if (i % 2 == 1)
            ++rows;
        const bool extra = i == last && last > s.TabLastIndex;
        tabListLineSet(f.TextWebList[i], extra ? QString() : tabListLine(s, i), extra ? QString() : s.TabTitles[i]);
    }
    const int height = rows * 16 + 33;
    const int lowest = s.BookmarkBrowserOpen ? 80 : 32;
    const int top = std::max(lowest, 108 - (height + 3));
    f.FrameMenu[5].setTop(top);
    f.FrameMenu[5].setHeight(height);
    f.LineWebList.setVisible(s.TabLastIndex != 1);
    f.LineWebList.setY2((rows + 1) * 240 + 240);
    s.TabListTop = top;
}

void LocationListAdd(CorvaneApp& app, const QString& url)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    if (!url.startsWith(QLatin1String("http")))
        return;
    if (!s.BookmarkBrowserCurrent && url == app.opt.MainBrowserHomePages[s.MainBrowserIndex])
        return;
    if (s.TabBrowserCurrent) {
        vb::ComboBox* box = f.ComboWebLocation.find(s.TabCurrentIndex);
        if (!box || box->items().contains(url))
            return;
        box->addItem(url);
        if (s.BarIndex == 1)
            f.ComboComLocation.addItem(url);
        return;
    }
    const int k = s.BookmarkBrowserCurrent ? BookmarkBrowserIndex : s.MainBrowserIndex;
    if (f.ComboLocation.items().contains(url))
        return;
    f.ComboLocation.addItem(url);
    if (s.BarIndex == 1)
        f.ComboComLocation.addItem(url);
    HidList& kept = app.hid.ComboLocation[k];
    kept.AddItem(url);
    // A kept list holds 20 entries: the first stays, the second goes.
    if (kept.ListCount() > s.HistoryLastIndex + 1)
        kept.RemoveItem(1);
}

// ---------------------------------------------------------------------------------------

void FramesClose(CorvaneApp& app, bool alsoSideFrames)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    if (s.AboutShown) {
        s.AboutShown = false;
        f.TimerMainAbout.setEnabled(false);
        f.FrameAbout.setVisible(false);
    }
    for (vb::Frame* p : {&f.FrameCreate, &f.FrameChoice, &f.FrameName, &f.FrameMail, &f.FrameHome, &f.FrameMark,
                         &f.FrameRename, &f.FrameActiveBrow, &f.FrameNoBookmark, &f.FrameDoneBookmark,
                         &f.FrameAlreadyBookmarked})
        p->setVisible(false);
    if (!alsoSideFrames)
        return;
    f.FrameOne.setVisible(false);
    face(f, f.CommandZero, 10);
    f.FrameBrowser.setVisible(false);
    face(f, f.CommandOne[7], 0);
    f.FrameRun.setVisible(false);
    face(f, f.CommandOne[9], 10);
    face(f, f.CommandRun, 10);
    f.FrameWebSelectClose.setVisible(false);
    face(f, f.CommandWebClose[2], 10);
    face(f, f.CommandWebComClose[2], 10);
    // A Bookmarks frame that was just opened survives this one close.
    const int bookmarkFace = s.BookmarkFrameShown ? 3 : 0;
    face(f, f.CommandOne[8], bookmarkFace);
    face(f, f.CommandShowBookmark, bookmarkFace);
    f.FrameBookmark.setVisible(s.BookmarkFrameShown);
    s.BookmarkFrameShown = false;
}

void TopBandLayout(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    if (minimised(f))
        return;
    // The picture takes its other size as soon as the highest tab crosses from one range
    // to the other, not only when the band's height changes.
    if (largePicture(s.LayoutTabLastIndex) != largePicture(s.TabLastIndex))
        s.PictureLayoutPending = true;
    s.LayoutTabLastIndex = s.TabLastIndex;
    const int band = s.TabLastIndex > 0 ? 108 : (s.FullWindowMode ? 0 : 76);
    if (band == s.TopBandHeight)
        return;
    s.TopBandHeight = band;
    f.LineNoUse[0].setY2(app.prog.TwipsPerPixelY * band);
    f.FrameBigMain.setHeight(band);
    s.PictureLayoutPending = true;
}

void CurrentBrowserMove(CorvaneApp& app, int top)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    if (minimised(f))
        return;
    s.BrowserTop = top;
    s.BrowserHeight = s.MainWindowHeight - top - 32;
    moveToBrowserRect(app, currentBrowser(app));
}

void UserPictureLayout(CorvaneApp& app, int highestTab)
{
    frmMain& f = mainOf(app);
    app.set.PictureLayoutPending = false;
    if (largePicture(highestTab)) {
        f.FrameUser.setWidth(2175);
        f.FrameUser.setHeight(app.prog.TwipsPerPixelY * 108 - 60);
        f.ImageUser.move((2175 - 1890) / 2, 225, 1890, 1260);
    } else {
        f.FrameUser.setWidth(1455);
        f.FrameUser.setHeight(1095);
        f.ImageUser.move((1455 - 1260) / 2, 210, 1260, 840);
    }
    f.FrameUser.setLeft(userFrameLeft(f));
}

namespace {

bool tabPinned(const CorvaneApp& app)
{
    const BrowserSet& s = app.set;
    return !s.FullWindowMode && s.TabListAutoShow && s.TabBrowserCurrent;
}

bool pagePinned(const CorvaneApp& app, bool tabIsPinned)
{
    return !app.set.FullWindowMode && app.opt.ShowPageButtons ? !tabIsPinned : false;
}

} // namespace

void MenuClose(CorvaneApp& app, int menuIndex)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    FramesClose(app, false);
    if (f.FrameNote.isVisible())
        f.FrameNote.setVisible(app.panel.NoteFrameShown);
    face(f, f.CommandMenu[menuIndex], 0);
    face(f, f.CommandOne[menuIndex], 0);
    f.FrameMenu[menuIndex].setVisible(false);
    s.MenuOpenIndex = -1;
    const bool tab = tabPinned(app);
    if (menuIndex != 5) {
        f.FrameMenu[5].setVisible(tab);
        if (tab) {
            s.MenuOpenIndex = 5;
            face(f, f.CommandMenu[5], 3);
        }
    }
    const bool page = pagePinned(app, tab);
    if (menuIndex != 0) {
        f.FrameMenu[0].setVisible(page);
        if (page) {
            s.MenuOpenIndex = 0;
            face(f, f.CommandMenu[0], 3);
        }
    }
    f.PictureMain.setFocus();
    f.TimerMainFrame.setEnabled(s.SlideActive);
}

void MenusRestore(CorvaneApp& app, bool closeFramesFirst)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    if (closeFramesFirst)
        FramesClose(app, false);
    if (f.FrameNote.isVisible())
        f.FrameNote.setVisible(app.panel.NoteFrameShown);
    const bool tab = tabPinned(app);
    if (tab) {
        f.FrameMenu[5].setTop(std::max(32, 108 - (f.FrameMenu[5].height() + 3)));
        f.FrameMenu[5].setLeft(0);
    }
    const bool page = pagePinned(app, tab);
    // A menu that stays open by itself stands where its button opens it, also when it was
    // last opened under the Controls bar of full-window mode.
    if (page && s.MenuOpenIndex == -1) {
        f.FrameMenu[0].setTop(s.BookmarkBrowserOpen ? 80 : 32);
        f.FrameMenu[0].setLeft(vb::toInt16(double(f.CommandMenu[0].left()) / app.prog.TwipsPerPixelX));
    }
    int lastShown = -1;
    for (int i = 0; i <= 5; ++i) {
        bool show = false;
        if (i == s.MenuOpenIndex)
            show = true;
        else if (s.MenuOpenIndex == -1)
            show = i == 0 ? page : i == 5 ? tab : false;
        else
            show = i == 5 ? f.FrameMenu[5].isVisible() : false;
        f.FrameMenu[i].setVisible(show);
        // The menu the user opens lies above the others (the Tab List stays beneath them).
        if (show && i == s.MenuOpenIndex && i != 5)
            f.FrameMenu[i].zOrder(0);
        face(f, f.CommandMenu[i], show ? 3 : 0);
        face(f, f.CommandOne[i], show ? 3 : 0);
        if (show)
            lastShown = i;
    }
    if (s.MenuOpenIndex == -1 && lastShown != -1)
        s.MenuOpenIndex = lastShown;
    focusRest(app);
    f.TimerMainFrame.setEnabled(s.SlideActive);
}

void MainWindowLayout(CorvaneApp& app)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    if (minimised(f))
        return;
    s.MainWindowWidth = vb::toInt16(double(f.width()) / app.prog.TwipsPerPixelX);
    s.MainWindowHeight = vb::toInt16(double(f.height()) / app.prog.TwipsPerPixelY);
    s.BrowserTop = s.FullWindowMode ? 0 : s.TopBandHeight;
    s.BrowserWidth = s.MainWindowWidth - 8;
    s.BrowserHeight = s.MainWindowHeight - (s.BrowserTop + 32);
    for (int i = 0; i <= app.opt.MainBrowserLastIndex; ++i)
        moveToBrowserRect(app, f.WebBrowser.find(i));
    if (s.BookmarkBrowserOpen)
        moveToBrowserRect(app, f.WebBrowser.find(BookmarkBrowserIndex));
    for (int i = 0; i <= s.TabLastIndex; ++i)
        if (i == 0 || s.TabSlotUsed[i])
            moveToBrowserRect(app, f.BrowserNew.find(i));
    f.FrameBigMain.move(0, 0, s.BrowserWidth, s.BrowserTop);
    bandRightLayout(app);
    tabRowPlace(app);
    const vb::Frame& limit = app.profile.UserPicturePath.isEmpty() ? f.FrameExit : f.FrameUser;
    s.AboutBounceMax = vb::toInt16(double(limit.left()) / app.prog.TwipsPerPixelX - f.FrameAbout.width());
}

void FullWindowSet(CorvaneApp& app, bool fullWindow)
{
    frmMain& f = mainOf(app);
    BrowserSet& s = app.set;
    bool changed = false;
    bool boxVisible = false;
    bool tabBoxVisible = false;
    bool tabListShow = false;
    bool pageShow = false;
    if (!fullWindow) {
        changed = s.FullWindowMode;
        boxVisible = !s.TabBrowserCurrent;
        tabBoxVisible = s.TabBrowserCurrent;
        tabListShow = s.TabCount > 0 ? s.TabListAutoShow : false;
        pageShow = !tabListShow && s.PageMenuFollowsOption ? app.opt.ShowPageButtons : false;
        s.BarIndex = 0;
        s.TopBandHeight = s.TabCount > 0 ? 108 : 76;
    } else {
        changed = !s.FullWindowMode;
        s.BarIndex = 1;
        s.TopBandHeight = 0;
    }
    s.FullWindowMode = fullWindow;
    s.BrowserTop = s.TopBandHeight;
    s.BrowserHeight = s.MainWindowHeight - (s.TopBandHeight + 32);
    if (changed) {
        moveToBrowserRect(app, currentBrowser(app));
        if (!fullWindow) {
            TopBandLayout(app);
            // The hidden band may have been sized for another height meanwhile (a resize,
            // or tabs opened or closed in full-window mode): give it the height it has now.
            if (f.FrameBigMain.height() != s.TopBandHeight) {
                f.LineNoUse[0].setY2(app.prog.TwipsPerPixelY * s.TopBandHeight);
                f.FrameBigMain.setHeight(s.TopBandHeight);
                UserPictureLayout(app, s.TabLastIndex);
            }
        }
    }
    if (s.BarIndex == 1)
        ComLocationSync(app);
    f.FrameCommon.setVisible(s.BarIndex != 0);
    f.FrameOne.setVisible(false);
    f.FrameZero.setVisible(s.FullWindowMode);
    f.FrameBigMain.setVisible(!s.FullWindowMode);
    f.ComboLocation.setVisible(boxVisible);
    if (vb::ComboBox* c = f.ComboWebLocation.find(s.TabCurrentIndex))
        c->setVisible(tabBoxVisible);
    FramesClose(app, true);
    s.MenuOpenIndex = -1;
    MenusRestore(app, true);
    face(f, f.CommandZero, 10);
    f.CommandOpen[4].setEnabled(!s.BookmarkBrowserOpen && app.lists.BookmarkLastIndex != -1);
    face(f, f.CommandMenu[0], pageShow ? 3 : 0);
    f.FrameMenu[0].setVisible(pageShow);
    face(f, f.CommandMenu[5], 0);
    f.FrameMenu[5].setVisible(tabListShow);
    if (!app.prog.StartupShowing)
        f.PictureMain.setFocus();
}

} // namespace corvane
