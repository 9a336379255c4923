// The bookmark browser and its panels, the note panel and the home-page panel, with the
// key and change rules of their boxes.

#include "frmMain.h"

#include "ActiveVelmora.h"
#include "ControlBookmark.h"
#include "ControlButton.h"
#include "ControlMessage.h"
#include "CorvaneApp.h"

namespace corvane {

namespace {

constexpr int KeyEnter = 13;

// The browser on screen is left for the bookmark browser: a tab or the current main
// browser is recorded as the one to hide.
void leaveForBookmarkBrowser(BrowserSet& s)
{
    if (s.TabBrowserCurrent) {
        s.ReturnIsTab = true;
        s.BrowserReturnIndex = s.TabCurrentIndex;
        s.TabCurrentIndex = 0;
        s.TabBrowserCurrent = false;
    } else if (s.MainBrowserCurrent) {
        s.ReturnIsMain = true;
        s.BrowserReturnIndex = s.MainBrowserIndex;
        s.MainBrowserCurrent = false;
    }
}

} // namespace

void frmMain::wirePanelEvents()
{
    // The bookmark browser and the Bookmarks panel.
    CommandShowBookmark.onClick = [this] { CommandShowBookmark_Click(); };
    CommandCloseBookmark.onClick = [this] { CommandCloseBookmark_Click(); };
    CommandBookmark.onClick = [this](int i) { CommandBookmark_Click(i); };
    ComboMarkName.onClick = [this] { ComboMarkName_Click(); };
    ComboMarkAddress.onClick = [this] { ComboMarkAddress_Click(); };
    // The lists are picked with the mouse only.
    ComboMarkName.onKeyPress = [](int& key) { key = 0; };
    ComboMarkAddress.onKeyPress = [](int& key) { key = 0; };

    // Rename Bookmark.
    CommandRenameOK.onClick = [this] { CommandRenameOK_Click(); };
    CommandRenameCancel.onClick = [this] { CommandRenameCancel_Click(); };
    TextMarkAdd.onChange = [this] { CommandRenameOK.setEnabled(!TextMarkAdd.text().isEmpty()); };
    TextMarkAdd.onKeyPress = [this](int& key) {
        if (key == KeyEnter && !TextMarkAdd.text().isEmpty())
            CommandRenameOK_Click();
    };
    TextRenameName.onKeyPress = [](int& key) { key = 0; };
    TextRenameLocation.onKeyPress = [](int& key) { key = 0; };

    // Bookmark This Page.
    CommandMarkOK.onClick = [this] { CommandMarkOK_Click(); };
    CommandMarkCancel.onClick = [this] { CommandMarkCancel_Click(); };
    CommandMarkReset.onClick = [this] { CommandMarkReset_Click(); };
    TextWebMark.onChange = [this] { MarkBoxes_Change(); };
    TextWebAddress.onChange = [this] { MarkBoxes_Change(); };
    auto markEnter = [this](int& key) {
        if (key == KeyEnter && !TextWebMark.text().isEmpty() && !TextWebAddress.text().isEmpty())
            CommandMarkOK_Click();
    };
    TextWebMark.onKeyPress = markEnter;
    TextWebAddress.onKeyPress = markEnter;

    // Note.
    CommandNoteEdit.onClick = [this] { CommandNoteEdit_Click(); };
    CommandNoteOK.onClick = [this] { CommandNoteOK_Click(); };
    CommandNoteRemove.onClick = [this] { CommandNoteRemove_Click(); };
    CommandNoteCancel.onClick = [this] { CommandNoteCancel_Click(); };
    CommandNoteHide.onClick = [this] { CommandNoteHide_Click(); };
    CheckNoShowNote.onClick = [this] { CheckNoShowNote_Click(); };
    TextNote.onChange = [this](int i) { TextNote_Change(i); };
    TextNote.onKeyPress = [this](int i, int& key) { TextNote_KeyPress(i, key); };

    // Make Home Page.
    OptionHome.onClick = [this](int i) { OptionHome_Click(i); };
    CommandHomeOK.onClick = [this] { CommandHomeOK_Click(); };
    CommandHomeCancel.onClick = [this] { CommandHomeCancel_Click(); };
    TextHome.onKeyPress = [](int& key) { key = 0; };
}

// ---------------------------------------------------------------------------------------
// The bookmark browser

void frmMain::BookmarkBrowserShow()
{
    BrowserSet& s = m_app.set;
    if (m_app.hid.ComboMarkAddress.ListCount() < 1) {
        const QPoint at = PanelPoint();
        FrameNoBookmark.move(at.x(), at.y());
        FrameNoBookmark.setVisible(true);
        PictureMain.setFocus();
        return;
    }
    leaveForBookmarkBrowser(s);
    s.BookmarkBrowserOpen = true;
    s.BookmarkBrowserCurrent = true;
    // The address list and Back/Forward on screen are still the browser left's: they are
    // refilled for the bookmark browser, whose kept list would otherwise take a site twice.
    s.LocationListPending = true;
    s.BackForwardPending = true;
    BookmarkPanelShow(m_app);
    CurrentBrowserShow(m_app);
}

void frmMain::BookmarkBrowserClose()
{
    BrowserSet& s = m_app.set;
    FrameRename.setVisible(false);
    FrameBookmark.setVisible(false);
    FrameShowBookmark.setVisible(false);
    s.BookmarkFrameShown = false;

    s.BookmarkBrowserOpen = false;
    if (WebBrowser.exists(BookmarkBrowserIndex))
        WebBrowser.unload(BookmarkBrowserIndex);
    // A reopened bookmark browser starts without this one's history.
    s.MainBrowserHasHistory[BookmarkBrowserIndex] = false;
    s.MainBrowserCanGoForward[BookmarkBrowserIndex] = false;
    if (s.LoadingBrowserIndex == BookmarkBrowserIndex) {
        s.LoadingBrowserIndex = -1;
        TimerMainBrow.setEnabled(false);
        BusyFrame = 0;
        ImageBusy[s.BarIndex].setPicture(ImageShow[0].picture());
        // Its navigation never completes now: new windows are allowed again, as after Stop.
        s.PopupGuard = false;
    }
    // The window's copies of the lists exist only while the bookmark browser is open; left
    // behind, a later removal would select in them and navigate a browser that is gone.
    ComboMarkName.clear();
    ComboMarkAddress.clear();

    if (s.BookmarkBrowserCurrent) {
        s.BookmarkBrowserCurrent = false;
        s.MainBrowserCurrent = true;
        s.LocationListPending = true;
        s.BackForwardPending = true;
    }
    CurrentBrowserShow(m_app);
}

void frmMain::CommandShowBookmark_Click()
{
    BrowserSet& s = m_app.set;
    // Without the bookmark browser there is nothing to show or make current.
    if (!s.BookmarkBrowserOpen)
        return;
    const bool show = !FrameBookmark.isVisible();
    if (show) {
        CommandBookmark[1].setVisible(s.FullWindowMode);
        LabelBookmark[1].setVisible(s.FullWindowMode);
        if (s.FullWindowMode) {
            FrameBookmark.setLeft(0);
            FrameBookmark.setTop(s.BookmarkBrowserCurrent ? FrameOne.top() + FrameOne.height() : FrameCommon.height());
        } else {
            FrameBookmark.setTop(s.BrowserTop + 8);
            FrameBookmark.setLeft(FrameShowBookmark.left() / m_app.prog.TwipsPerPixelX);
        }
    }
    FrameBookmark.setVisible(show);
    const QPixmap face = BButton[show ? 3 : 0].picture();
    CommandOne[8].setPicture(face);
    CommandShowBookmark.setPicture(face);
    PictureMain.setFocus();

    if (show && !s.BookmarkBrowserCurrent) {
        s.BookmarkFrameShown = true;
        leaveForBookmarkBrowser(s);
        s.BookmarkBrowserCurrent = true;
        s.LocationListPending = true;
        s.BackForwardPending = true;
        CurrentBrowserShow(m_app);
    }
}

void frmMain::CommandCloseBookmark_Click()
{
    BookmarkBrowserClose();
}

void frmMain::CommandBookmark_Click(int index)
{
    const int selected = ComboMarkName.listIndex();
    switch (index) {
    case 1:
        BookmarkBrowserClose();
        return;
    case 2:
        if (FrameRename.isVisible() || selected < 0) {
            FrameRename.setVisible(false);
            break;
        }
        FrameHome.setVisible(false);
        FrameMark.setVisible(false);
        FrameAlreadyBookmarked.setVisible(false);
        TextRenameLocation.setText(m_app.hid.ComboMarkAddress.List(selected));
        TextRenameName.setText(ComboMarkName.list(selected));
        TextMarkAdd.setText(QString());
        CommandRenameOK.setEnabled(false);
        FrameRename.setLeft(FrameBookmark.left());
        FrameRename.setTop(FrameBookmark.top() + FrameBookmark.height());
        FrameRename.setVisible(true);
        TextMarkAdd.setFocus();
        return;
    case 3: {
        if (selected < 0)
            break;
        // The Rename panel would go on naming the bookmark just removed.
        FrameRename.setVisible(false);
        int removed = selected;
        BookmarkDelete(m_app, removed);
        if (m_app.lists.BookmarkLastIndex < 0) {
            m_app.msg.MessageId = QStringLiteral("MessageBookmarkCleared");
            MessageShow(m_app);
            BookmarkBrowserClose();
            return;
        }
        break;
    }
    case 4:
        BookmarkDeleteAll(m_app);
        BookmarkBrowserClose();
        return;
    case 5:
        if (selected < 0)
            break;
        if (vb::WebBrowser* b = WebBrowser.find(BookmarkBrowserIndex)) {
            m_app.set.PopupGuard = true;
            try {
                b->navigate(m_app.hid.ComboMarkAddress.List(selected));
            } catch (const vb::Error&) {
                m_app.set.PopupGuard = false;
            }
        }
        break;
    case 6: {
        FrameBookmark.setVisible(false);
        const QPixmap face = BButton[0].picture();
        CommandShowBookmark.setPicture(face);
        CommandOne[8].setPicture(face);
        break;
    }
    default:
        break;
    }
    PictureMain.setFocus();
}

void frmMain::ComboMarkName_Click()
{
    PanelVars& p = m_app.panel;
    const int i = ComboMarkName.listIndex();
    // A selection already under way (the store moving the combos) is not restarted.
    if (!p.BookmarkSelectKind.isEmpty() || i < 0)
        return;
    FrameRename.setVisible(false);
    p.BookmarkSelectKind = QStringLiteral("MainName");
    BookmarkSelect(m_app, p.BookmarkSelectKind, i);
}

void frmMain::ComboMarkAddress_Click()
{
    PanelVars& p = m_app.panel;
    const int i = ComboMarkAddress.listIndex();
    if (!p.BookmarkSelectKind.isEmpty() || i < 0)
        return;
    FrameRename.setVisible(false);
    p.BookmarkSelectKind = QStringLiteral("MainAddress");
    BookmarkSelect(m_app, p.BookmarkSelectKind, i);
}

// ---------------------------------------------------------------------------------------
// Rename Bookmark and Bookmark This Page

void frmMain::CommandRenameOK_Click()
{
    const QString name = TextMarkAdd.text();
    const int selected = ComboMarkName.listIndex();
    if (!name.isEmpty() && selected >= 0)
        BookmarkRename(m_app, name, selected);
    FrameRename.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandRenameCancel_Click()
{
    FrameRename.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandMarkOK_Click()
{
    const QString name = TextWebMark.text();
    const QString address = TextWebAddress.text();
    if (name.isEmpty() || address.isEmpty())
        return;
    // The notice takes the panel's place.
    FrameDoneBookmark.move(FrameMark.left(), FrameMark.top());
    FrameDoneBookmark.setVisible(BookmarkAdd(m_app, name, address));
    FrameMark.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandMarkCancel_Click()
{
    FrameMark.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandMarkReset_Click()
{
    TextWebAddress.setText(MarkProposedAddress);
    TextWebMark.setText(MarkProposedName);
    CommandMarkReset.setEnabled(false);
    PictureMain.setFocus();
}

void frmMain::MarkBoxes_Change()
{
    const QString name = TextWebMark.text();
    const QString address = TextWebAddress.text();
    CommandMarkOK.setEnabled(!name.isEmpty() && !address.isEmpty());
    CommandMarkReset.setEnabled(name != MarkProposedName || address != MarkProposedAddress);
}

// ---------------------------------------------------------------------------------------
// Note

namespace {

// The note of the page the panel shows: the panel's index when it still names a note of
// that page (another window may have added or removed notes since), else the page's note.
int noteOfPage(const CorvaneApp& app, const QString& page)
{
    const int current = app.panel.CurrentNoteIndex;
    if (current >= 0 && current < app.hid.ComboNotePage.ListCount() && app.hid.ComboNotePage.List(current) == page)
        return current;
    return NoteFindForPage(app, page);
}

} // namespace

void frmMain::CommandNoteEdit_Click()
{
    PanelVars& p = m_app.panel;
    p.NoteEditing = p.NoteExists;
    LabelNote[1].setVisible(false);
    LabelNote[7].setVisible(true);
    vb::TextBox& box = TextNote[1];
    box.setVisible(true);
    box.setSelStart(0);
    box.setSelLength(int(box.text().size()));
    box.setFocus();
}

void frmMain::CommandNoteOK_Click()
{
    PanelVars& p = m_app.panel;
    const QString page = TextNote[0].text();
    const QString text = TextNote[1].text();
    if (text.isEmpty())
        return;
    NoteAdd(m_app, page, text);
    p.NoteFrameShown = false;
    FrameNote.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandNoteRemove_Click()
{
    PanelVars& p = m_app.panel;
    p.CurrentNoteIndex = noteOfPage(m_app, TextNote[0].text());
    if (p.CurrentNoteIndex >= 0)
        NoteRemove(m_app);
    p.NoteExists = false;
    p.NoteFrameShown = false;
    FrameNote.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandNoteCancel_Click()
{
    m_app.panel.NoteFrameShown = false;
    FrameNote.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandNoteHide_Click()
{
    CommandNoteCancel_Click();
}

void frmMain::CheckNoShowNote_Click()
{
    // The box acts as a button: it never stays checked.
    if (CheckNoShowNote.value() != 1)
        return;
    CheckNoShowNote.setValue(0);
    m_app.panel.NoteFrameShown = false;
    m_app.lists.ShowNotes = false;
    FrameNote.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::TextNote_Change(int index)
{
    if (index != 1)
        return;
    // Save belongs to the edit face: text the openers put into the hidden box for the
    // read face does not offer it.
    vb::TextBox& box = TextNote[1];
    CommandNoteOK.setEnabled(box.isVisible() && !box.text().isEmpty());
}

void frmMain::TextNote_KeyPress(int index, int& keyAscii)
{
    if (index != 1)
        return;
    // Quotes and commas would break the notes file's records.
    if (keyAscii == '"')
        keyAscii = '\'';
    else if (keyAscii == ',')
        keyAscii = '.';
    else if (keyAscii == KeyEnter) {
        // A note is one line: Enter saves, or does nothing, but never adds a line break.
        keyAscii = 0;
        if (!TextNote[1].text().isEmpty())
            CommandNoteOK_Click();
    }
}

// ---------------------------------------------------------------------------------------
// Make Home Page

void frmMain::OptionHome_Click(int index)
{
    HomeChoiceIndex = index;
    // A browser without a page offers no address: there is nothing to make a home page.
    CommandHomeOK.setEnabled(index != 6 && !TextHome.text().isEmpty());
}

void frmMain::CommandHomeOK_Click()
{
    const int i = HomeChoiceIndex;
    // The address this panel offered: the shared one may belong to a secondary window's
    // panel by now.
    const QString address = TextHome.text();
    if (i < 0 || i > 5 || address.isEmpty())
        return;
    m_app.panel.MakeHomeAddress = address;
    OptionVars& o = m_app.opt;
    o.MainBrowserHomePages[i] = address;
    o.HomePagesSaved[i] = address;
    HomeButtonRefresh(m_app);
    FrameHome.setVisible(false);
    PictureMain.setFocus();
    // Written at once. A write that fails is silent, as every settings write is: the choice
    // holds for this run and is written again at exit.
    SettingsFileSave(m_app.velmora());
}

void frmMain::CommandHomeCancel_Click()
{
    FrameHome.setVisible(false);
    PictureMain.setFocus();
}

} // namespace corvane
