#include "ControlBookmark.h"

#include "CorvaneApp.h"
#include "frmMain.h"

namespace corvane {

namespace {

frmMain* mainOf(const CorvaneApp& app)
{
    return app.mainForm.data();
}

} // namespace

bool BookmarkExists(const CorvaneApp& app, const QString& address)
{
    return app.hid.ComboMarkAddress.items().contains(address);
}

bool BookmarkAdd(CorvaneApp& app, const QString& shortName, const QString& address)
{
    // A page that never arrived has no address: there is nothing to keep. A page without
    // a short name (a local file) is kept under its address.
    if (address.isEmpty())
        return false;
    const QString name = shortName.isEmpty() ? address : shortName;
    app.hid.ComboMarkName.AddItem(name);
    app.hid.ComboMarkAddress.AddItem(address);
    frmMain* f = mainOf(app);
    if (app.set.BookmarkBrowserOpen && f) {
        f->ComboMarkName.addItem(name);
        f->ComboMarkAddress.addItem(address);
    }
    app.lists.BookmarkLastIndex += 1;
    if (f)
        f->CommandOpen[4].setEnabled(!app.set.BookmarkBrowserOpen);
    return true;
}

void BookmarkRename(CorvaneApp& app, const QString& newName, int index)
{
    app.hid.ComboMarkName.SetList(index, newName);
    if (frmMain* f = mainOf(app))
        if (index >= 0 && index < f->ComboMarkName.listCount())
            f->ComboMarkName.setList(index, newName);
}

void BookmarkDelete(CorvaneApp& app, int& index)
{
    frmMain* f = mainOf(app);
    try {
        if (f) {
            if (index >= 0 && index < f->ComboMarkName.listCount())
                f->ComboMarkName.removeItem(index);
            if (index >= 0 && index < f->ComboMarkAddress.listCount())
                f->ComboMarkAddress.removeItem(index);
        }
        if (!app.hid.ComboMarkName.RemoveItem(index) || !app.hid.ComboMarkAddress.RemoveItem(index))
            return;
        app.lists.BookmarkLastIndex -= 1;
        if (f && f->ComboMarkName.listCount() > 0) {
            if (index > app.lists.BookmarkLastIndex)
                index -= 1;
            if (app.panel.BookmarkSelectKind.isEmpty()) {
                app.panel.BookmarkSelectKind = QStringLiteral("NoName");
                BookmarkSelect(app, app.panel.BookmarkSelectKind, index);
            }
        }
    } catch (const vb::Error&) {
    }
}

void BookmarkDeleteAll(CorvaneApp& app)
{
    app.hid.ComboMarkName.Clear();
    app.hid.ComboMarkAddress.Clear();
    if (frmMain* f = mainOf(app)) {
        f->ComboMarkName.clear();
        f->ComboMarkAddress.clear();
    }
    app.lists.BookmarkLastIndex = -1;
}

void BookmarkPanelShow(CorvaneApp& app)
{
    frmMain& f = *mainOf(app);
    for (vb::ComboBox* c : {&f.ComboMarkName, &f.ComboMarkAddress, &f.ComboLocation, &f.ComboComLocation}) {
        c->clear();
        c->setListIndex(-1);
    }
    for (const QString& name : app.hid.ComboMarkName.items())
        f.ComboMarkName.addItem(name);
    for (const QString& address : app.hid.ComboMarkAddress.items())
        f.ComboMarkAddress.addItem(address);
    f.FrameShowBookmark.setVisible(true);
    if (!f.WebBrowser.exists(BookmarkBrowserIndex)) {
        vb::WebBrowser& b = f.WebBrowser.load(BookmarkBrowserIndex);
        const BrowserSet& s = app.set;
        b.move(s.BrowserLeft, s.BrowserTop, s.BrowserWidth, s.BrowserHeight);
    }
    app.panel.BookmarkSelectKind = QStringLiteral("NoName");
    BookmarkSelect(app, app.panel.BookmarkSelectKind, 0);
}

void BookmarkSelect(CorvaneApp& app, const QString& selectKind, int index)
{
    frmMain* f = mainOf(app);
    HidList& names = app.hid.ComboMarkName;
    HidList& addresses = app.hid.ComboMarkAddress;
    auto pick = [](vb::ComboBox& c, int i) {
        if (i >= -1 && i < c.listCount())
            c.setListIndex(i);
    };
    if (selectKind != QLatin1String("MainName") && selectKind != QLatin1String("MainAddress") &&
        selectKind != QLatin1String("NoName")) {
        app.panel.BookmarkSelectKind.clear();
        return;
    }
    // Both boxes follow the selection, whichever was picked and also when the program
    // selects (after a removal): the address box shows what Go opens.
    if (f) {
        pick(f->ComboMarkName, index);
        pick(f->ComboMarkAddress, index);
    }
    names.SetListIndex(index);
    addresses.SetListIndex(index);
    app.panel.BookmarkSelectKind.clear();
    app.set.PopupGuard = true;
    try {
        if (f && f->WebBrowser.exists(BookmarkBrowserIndex) && index >= 0 && index < addresses.ListCount())
            f->WebBrowser[BookmarkBrowserIndex].navigate(addresses.List(index));
    } catch (const vb::Error&) {
    }
}

void NoteAdd(CorvaneApp& app, NoteVars& panel, const QString& pageAddress, const QString& noteText)
{
    // Looked up by page rather than taken from the panel's index: an edit whose panel lost
    // track of the note (another window saved or deleted one meanwhile) still replaces
    // the page's note instead of adding a second one that would never be shown.
    const int index = NoteFindForPage(app, pageAddress);
    if (index >= 0) {
        app.hid.ComboNoteThis.SetList(index, noteText);
    } else {
        app.hid.ComboNotePage.AddItem(pageAddress);
        app.hid.ComboNoteThis.AddItem(noteText);
        app.lists.NotesLastIndex += 1;
    }
    panel.NoteEditing = false;
    panel.CurrentNoteIndex = -1;
    app.lists.NotesChanged = true;
}

void NoteAdd(CorvaneApp& app, const QString& pageAddress, const QString& noteText)
{
    NoteAdd(app, app.panel, pageAddress, noteText);
}

int NoteFindForPage(const CorvaneApp& app, const QString& pageAddress)
{
    return static_cast<int>(app.hid.ComboNotePage.items().indexOf(pageAddress));
}

QString NoteTextGet(const CorvaneApp& app, int noteIndex)
{
    return app.hid.ComboNoteThis.List(noteIndex);
}

void NoteRemove(CorvaneApp& app, NoteVars& panel)
{
    if (!app.hid.ComboNotePage.RemoveItem(panel.CurrentNoteIndex))
        return;
    app.hid.ComboNoteThis.RemoveItem(panel.CurrentNoteIndex);
    panel.CurrentNoteIndex = -1;
    app.lists.NotesLastIndex -= 1;
    app.lists.NotesChanged = true;
}

void NoteRemove(CorvaneApp& app)
{
    NoteRemove(app, app.panel);
}

void HomePageCheck(CorvaneApp& app, const QString& pageAddress)
{
    PanelVars& p = app.panel;
    int count = 0;
    QString list;
    for (int i = 0; i <= 5; ++i) {
        if (pageAddress == app.opt.MainBrowserHomePages[i]) {
            ++count;
            list += QStringLiteral(" : ") + QString::number(i + 1);
            p.HomePageDiffers[i] = false;
        } else {
            p.HomePageDiffers[i] = true;
        }
    }
    if (count == 0) {
        p.HomeAlreadyHead.clear();
        p.HomeAlreadyBrowsers.clear();
    } else if (count == 1) {
        p.HomeAlreadyHead = QStringLiteral("This web page is already Home Page of your Browser #") + list.mid(3);
        p.HomeAlreadyBrowsers.clear();
    } else if (count < 6) {
        p.HomeAlreadyHead = QStringLiteral("This web page is already Home Page of your following Browsers :");
        p.HomeAlreadyBrowsers = QStringLiteral("Browser") + list;
    } else {
        p.HomeAlreadyHead = QStringLiteral("This web page is already Home Page of your All 6 Browser.");
        p.HomeAlreadyBrowsers.clear();
    }
}

} // namespace corvane
