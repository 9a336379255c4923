// Menus and their slide-out, the Controls bar and the full-window bar.

#include "frmMain.h"

#include "ActiveProgram.h"
#include "ControlAction.h"
#include "ControlBookmark.h"
#include "ControlButton.h"
#include "Constants.h"
#include "CorvaneApp.h"
#include "frmOptions.h"

#include <QPointer>

namespace corvane {

namespace {

// Sizes of a drop-down menu (pixels): where its slide starts and where it ends.
constexpr int MenuSlideStartWidth = 37;
constexpr int MenuSlideStartHeight = 8;
constexpr int MenuOpenWidth = 217;
constexpr int MenuOpenHeight = 68;
// What a slide runs on: a menu 0..4, or the Run box.
constexpr int SlideRunBox = 7;
// Pixels between the panel under a menu and the menu's left edge.
constexpr int PanelIndent = 16;
// Full-window bar heights with one and two rows.
constexpr int BarOneRowHeight = 29;
constexpr int BarTwoRowsHeight = 59;

bool isMenu(int index)
{
    return index >= 0 && index <= 5;
}

} // namespace

void frmMain::wireMenuEvents()
{
    CommandMenu.onClick = [this](int i) { CommandMenu_Click(i); };
    TimerMainFrame.onTimer = [this] { TimerMainFrame_Timer(); };
    TimerMainAbout.onTimer = [this] { TimerMainAbout_Timer(); };
    CommandPage.onClick = [this](int i) { CommandPage_Click(i); };
    CommandView.onClick = [this](int i) { CommandView_Click(i); };
    CommandTools.onClick = [this](int i) { CommandTools_Click(i); };
    CommandRunCancel.onClick = [this] { CommandRunCancel_Click(); };
    CommandOne.onClick = [this](int i) { CommandOne_Click(i); };
    CommandZero.onClick = [this] { CommandZero_Click(); };
    CommandComHide.onClick = [this] { CommandComHide_Click(); };
    CommandComTab.onClick = [this] { CommandComTab_Click(); };
    CommandHideBrowser.onClick = [this] { CommandHideBrowser_Click(); };
    CommandFullBrow.onClick = [this] { CommandFullBrow_Click(); };
}

QPoint frmMain::PanelPoint() const
{
    // With no menu open (nothing should ask then) the panels go under the first menu's
    // place rather than nowhere.
    const int open = m_app.set.MenuOpenIndex;
    const vb::Frame& menu = FrameMenu[isMenu(open) ? open : 0];
    return {menu.left() + PanelIndent, menu.top() + menu.height()};
}

// ---------------------------------------------------------------------------------------
// Opening a menu and its slide

void frmMain::CommandMenu_Click(int index)
{
    BrowserSet& s = m_app.set;
    if (!isMenu(index))
        return;
    if (index == s.MenuOpenIndex) {
        MenuClose(m_app, index);
        return;
    }
    s.MenuOpenIndex = index;

    int top = 0;
    int left = 0;
    if (s.FullWindowMode) {
        top = FrameOne.top() + FrameOne.height();
        left = 8;
    } else if (index == 5) {
        top = s.TabListTop;
        left = 0;
    } else {
        top = s.BookmarkBrowserOpen ? 80 : 32;
        // The button stands in the band's frame: its Left is in twips.
        left = vb::toInt16(double(CommandMenu[index].left()) / m_app.prog.TwipsPerPixelX);
    }
    FrameMenu[index].setTop(top);
    FrameMenu[index].setLeft(left);

    if (index <= 4) {
        SlideFinish();
        s.SlideHeight = MenuSlideStartHeight;
        s.SlideWidth = MenuSlideStartWidth;
        s.SlideStep = 10;
        s.SlideFactor = 3;
        s.SlideTarget = MenuOpenWidth;
        FrameMenu[index].setWidth(MenuSlideStartWidth);
        FrameMenu[index].setHeight(MenuSlideStartHeight);
        s.SlideActive = true;
        s.SlideIndex = index;
    }
    // Shows the menu, sets the buttons' faces and starts the slide timer.
    MenusRestore(m_app, true);
}

void frmMain::SlideFinish()
{
    // Left where it was, the frame would stay at a part of its size: a menu that is shown
    // again pinned, or the Run box still on screen.
    BrowserSet& s = m_app.set;
    if (!s.SlideActive)
        return;
    if (s.SlideIndex >= 0 && s.SlideIndex <= 4) {
        FrameMenu[s.SlideIndex].setWidth(MenuOpenWidth);
        FrameMenu[s.SlideIndex].setHeight(MenuOpenHeight);
    } else if (s.SlideIndex == SlideRunBox) {
        FrameRun.setWidth(s.SlideTarget);
    }
    s.SlideActive = false;
    TimerMainFrame.setEnabled(false);
}

void frmMain::TimerMainFrame_Timer()
{
    BrowserSet& s = m_app.set;
    if (!s.SlideActive)
        return;
    s.SlideWidth += s.SlideFactor * s.SlideStep;
    s.SlideHeight += s.SlideStep;
    if (s.SlideIndex >= 0 && s.SlideIndex <= 4) {
        FrameMenu[s.SlideIndex].setWidth(s.SlideWidth);
        FrameMenu[s.SlideIndex].setHeight(s.SlideHeight);
    } else if (s.SlideIndex == SlideRunBox) {
        FrameRun.setWidth(s.SlideWidth);
    }
    if (s.SlideWidth >= s.SlideTarget) {
        s.SlideActive = false;
        TimerMainFrame.setEnabled(false);
    }
}

void frmMain::PlacePanels(int top)
{
    FrameBrowser.setTop(top);
    for (int i = 0; i <= 5; ++i)
        FrameMenu[i].setTop(top);
    const int below = top + FrameMenu[0].height();
    for (vb::Frame* p : {&FrameCreate, &FrameChoice, &FrameMail, &FrameHome, &FrameMark, &FrameNoBookmark,
                         &FrameDoneBookmark, &FrameAlreadyBookmarked})
        p->setTop(below);
    const int second = below + FrameChoice.height();
    FrameName.setTop(second);
    int noteTop = below;
    if (FrameChoice.isVisible())
        noteTop = second;
    if (FrameName.isVisible())
        noteTop = second + FrameName.height();
    FrameNote.setTop(noteTop);
}

// ---------------------------------------------------------------------------------------
// The menus' items

void frmMain::CommandPage_Click(int index)
{
    PanelVars& p = m_app.panel;
    if (index < 0 || index > 5)
        return;
    PictureMain.setFocus();
    FrameRename.setVisible(false);
    FrameDoneBookmark.setVisible(false);
    FrameAlreadyBookmarked.setVisible(false);
    const QPoint at = index > 0 ? PanelPoint() : QPoint();

    if (index != 1)
        FrameMark.setVisible(false);
    if (index != 2 && FrameNote.isVisible())
        FrameNote.setVisible(p.NoteFrameShown);
    if (index != 3)
        FrameHome.setVisible(false);

    vb::WebBrowser* current = currentBrowser();
    const QString address = current ? current->locationURL() : QString();

    switch (index) {
    case 0:
        MenuClose(m_app, 0);
        break;
    case 1:
        pageBookmark(address, at);
        break;
    case 2:
        notePanelToggle(address, at);
        break;
    case 3:
        homePanelToggle(address, at);
        break;
    case 4:
        PageSaveAs(m_app);
        break;
    case 5:
        PagePrint(m_app);
        break;
    }
}

void frmMain::pageBookmark(const QString& address, QPoint at)
{
    const BrowserSet& s = m_app.set;
    if (FrameMark.isVisible()) {
        FrameMark.setVisible(false);
        FrameAlreadyBookmarked.setVisible(false);
        return;
    }
    if (s.TabBrowserCurrent)
        MarkProposedName = s.TabTitles[s.TabCurrentIndex];
    else if (s.BookmarkBrowserCurrent)
        MarkProposedName = s.MainBrowserTitles[BookmarkBrowserIndex];
    else
        MarkProposedName = s.MainBrowserTitles[s.MainBrowserIndex];
    MarkProposedAddress = address;
    if (BookmarkExists(m_app, MarkProposedAddress)) {
        FrameAlreadyBookmarked.move(at.x(), at.y());
        FrameAlreadyBookmarked.setVisible(true);
    } else if (!MarkProposedName.isEmpty() && !MarkProposedAddress.isEmpty()) {
        FrameDoneBookmark.move(at.x(), at.y());
        FrameDoneBookmark.setVisible(BookmarkAdd(m_app, MarkProposedName, MarkProposedAddress));
    } else {
        // No title to file it under (or no address to keep): the user completes it.
        FrameMark.move(at.x(), at.y());
        TextWebAddress.setText(MarkProposedAddress);
        TextWebMark.setText(MarkProposedName);
        CommandMarkOK.setEnabled(false);
        CommandMarkReset.setEnabled(false);
        FrameMark.setVisible(true);
        TextWebMark.setFocus();
    }
}

void frmMain::notePanelToggle(const QString& address, QPoint at)
{
    PanelVars& p = m_app.panel;
    if (FrameNote.isVisible()) {
        p.NoteFrameShown = false;
        FrameNote.setVisible(false);
        return;
    }
    p.CurrentNoteIndex = NoteFindForPage(m_app, address);
    p.NoteExists = p.CurrentNoteIndex != -1;
    // A fresh panel adds a note unless its Edit is pressed: an edit left unfinished
    // earlier must not make this save overwrite another page's note.
    p.NoteEditing = false;
    const QString note = p.NoteExists ? NoteTextGet(m_app, p.CurrentNoteIndex) : QString();
    LabelNote[1].setVisible(p.NoteExists);
    LabelNote[6].setVisible(!p.NoteExists);
    LabelNote[7].setVisible(!p.NoteExists);
    TextNote[1].setVisible(!p.NoteExists);
    TextNote[1].setText(note);
    TextNote[0].setText(address);
    LabelNote[1].setCaption(note);
    CheckNoShowNote.setVisible(false);
    CommandNoteRemove.setEnabled(p.NoteExists);
    CommandNoteEdit.setEnabled(p.NoteExists);
    CommandNoteOK.setEnabled(false);
    FrameNote.setTop(at.y());
    FrameNote.setVisible(true);
    if (TextNote[1].isVisible())
        TextNote[1].setFocus();
}

void frmMain::homePanelToggle(const QString& address, QPoint at)
{
    PanelVars& p = m_app.panel;
    if (FrameHome.isVisible()) {
        FrameHome.setVisible(false);
        return;
    }
    p.MakeHomeAddress = address;
    HomePageCheck(m_app, p.MakeHomeAddress);
    LabelHeadHomeAlready.setCaption(p.HomeAlreadyHead);
    LabelBrowHomeAlready.setCaption(p.HomeAlreadyBrowsers);
    for (int i = 0; i <= 5; ++i)
        OptionHome[i].setEnabled(p.HomePageDiffers[i]);
    p.HomePageDiffers.fill(false);
    TextHome.setText(p.MakeHomeAddress);
    OptionHome[6].setValue(true);
    // Selecting an option that is already selected raises no Click.
    HomeChoiceIndex = 6;
    CommandHomeOK.setEnabled(false);
    FrameHome.move(at.x(), at.y());
    FrameHome.setVisible(true);
}

void frmMain::CommandView_Click(int index)
{
    BrowserSet& s = m_app.set;
    PanelVars& p = m_app.panel;
    if (index < 0 || index > 3)
        return;
    PictureMain.setFocus();
    const QPoint at = index > 0 ? PanelPoint() : QPoint();
    if (index != 1 && FrameNote.isVisible())
        FrameNote.setVisible(p.NoteFrameShown);
    if (index != 2) {
        FrameChoice.setVisible(false);
        FrameName.setVisible(false);
    }

    switch (index) {
    case 0:
        MenuClose(m_app, isMenu(s.MenuOpenIndex) ? s.MenuOpenIndex : 2);
        break;

    case 1: {
        if (FrameNote.isVisible()) {
            p.NoteFrameShown = false;
            FrameNote.setVisible(false);
            break;
        }
        vb::WebBrowser* current = currentBrowser();
        const QString address = current ? current->locationURL() : QString();
        p.CurrentNoteIndex = NoteFindForPage(m_app, address);
        p.NoteExists = p.CurrentNoteIndex != -1;
        p.NoteEditing = false;
        const QString note = p.NoteExists ? NoteTextGet(m_app, p.CurrentNoteIndex) : QString();
        LabelNote[1].setCaption(p.NoteExists ? note
                                             : QStringLiteral("There is no note for this Page. Write one if you want "
                                                              "to. To write please click on 'Edit' button."));
        TextNote[1].setText(note);
        LabelNote[6].setVisible(false);
        LabelNote[7].setVisible(false);
        TextNote[1].setVisible(false);
        LabelNote[1].setVisible(true);
        TextNote[0].setText(address);
        CheckNoShowNote.setVisible(false);
        CommandNoteRemove.setEnabled(p.NoteExists);
        CommandNoteEdit.setEnabled(true);
        CommandNoteOK.setEnabled(false);
        FrameNote.setTop(at.y());
        FrameNote.setVisible(true);
        break;
    }

    case 2:
        FrameChoice.move(at.x(), at.y());
        FrameChoice.setVisible(true);
        break;

    case 3: {
        QPointer<frmOptions> options = &m_app.rt.create<frmOptions>(m_app);
        options->load();
        options->showModal();
        // A dialog that only hid itself would stay loaded, one more with each use.
        if (options && options->isLoaded())
            options->unload();
        break;
    }
    }
}

void frmMain::CommandTools_Click(int index)
{
    BrowserSet& s = m_app.set;
    if (index < 0 || index > 3)
        return;
    const QPoint at = index > 0 ? PanelPoint() : QPoint();
    if (index != 3) {
        FrameMail.setVisible(false);
        PictureMain.setFocus();
    }

    switch (index) {
    case 0:
        MenuClose(m_app, isMenu(s.MenuOpenIndex) ? s.MenuOpenIndex : 3);
        break;
    case 1:
        SettingsToolRun(m_app, sys::SettingsApplet::InternetProperties);
        break;
    case 2:
        SettingsToolRun(m_app, sys::SettingsApplet::DisplayProperties);
        break;
    case 3: {
        FrameMail.move(at.x(), at.y());
        FrameMail.setVisible(!FrameMail.isVisible());
        if (!FrameMail.isVisible())
            break;
        QString& subject = m_app.msg.BugReportSubject;
        TextMail[0].setText(makerBugEmail());
        if (subject.isEmpty())
            subject = QStringLiteral("Corvane - Found Bug");
        TextMail[1].setText(subject);
        TextMail[0].setSelStart(0);
        TextMail[0].setSelLength(int(TextMail[0].text().length()));
        TextMail[0].setFocus();
        break;
    }
    }
}

void frmMain::CommandRunCancel_Click()
{
    FrameRun.setVisible(false);
    CommandRun.setPicture(BButton[10].picture());
    CommandOne[9].setPicture(BButton[10].picture());
    PictureMain.setFocus();
}

void frmMain::TimerMainAbout_Timer()
{
    const BrowserSet& s = m_app.set;
    if (!s.AboutShown)
        return;
    const int l = FrameAbout.left();
    if (l > s.AboutBounceMax)
        AboutMovingLeft = true;
    if (l < s.AboutBounceMin)
        AboutMovingLeft = false;
    FrameAbout.setLeft(AboutMovingLeft ? l - 1 : l + 1);
}

// ---------------------------------------------------------------------------------------
// The Controls bar and the full-window bar

void frmMain::CommandOne_Click(int index)
{
    BrowserSet& s = m_app.set;
    if (index < 0 || index > 12)
        return;
    PictureMain.setFocus();
    if ((index == 6 || index == 7 || index == 8) && s.MenuOpenIndex != -1) {
        s.MenuOpenIndex = -1;
        MenusRestore(m_app, true);
    }
    const int barTop = FrameCommon.isVisible() ? FrameCommon.height() : 0;
    if (index != 7) {
        FrameBrowser.setVisible(false);
        CommandOne[7].setPicture(BButton[0].picture());
    }
    if (index != 8) {
        FrameBookmark.setVisible(false);
        CommandOne[8].setPicture(BButton[0].picture());
        CommandShowBookmark.setPicture(BButton[0].picture());
    }
    if (index != 9 && FrameRun.isVisible()) {
        FrameRun.setVisible(false);
        CommandRun.setPicture(BButton[10].picture());
        CommandOne[9].setPicture(BButton[10].picture());
    }

    switch (index) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        CommandMenu_Click(index);
        break;
    case 6:
        s.FullBarHidden = false;
        s.BarIndex = s.BarIndex + 1 > 1 ? 0 : s.BarIndex + 1;
        if (s.BarIndex == 1)
            ComLocationSync(m_app);
        FrameCommon.setVisible(s.BarIndex == 1);
        FrameOne.setTop(FrameCommon.isVisible() ? FrameCommon.height() : 0);
        break;
    case 7: {
        FrameBrowser.setLeft(FrameOne.left() + 120);
        FrameBrowser.setTop(barTop + FrameOne.height());
        const bool open = !FrameBrowser.isVisible();
        FrameBrowser.setVisible(open);
        CommandOne[7].setPicture(BButton[open ? 3 : 0].picture());
        break;
    }
    case 8:
        CommandShowBookmark_Click();
        break;
    case 9:
        CommandRun_Click();
        break;
    case 10:
        FullWindowSet(m_app, false);
        break;
    case 11:
        CommandExit_Click();
        break;
    case 12:
        FrameOne.setVisible(false);
        CommandZero.setPicture(BButton[10].picture());
        s.MenuOpenIndex = -1;
        MenusRestore(m_app, true);
        break;
    }
}

void frmMain::CommandZero_Click()
{
    BrowserSet& s = m_app.set;
    // The Run box goes with the bar; its buttons show it closed.
    FrameRun.setVisible(false);
    CommandRun.setPicture(BButton[10].picture());
    CommandOne[9].setPicture(BButton[10].picture());
    const bool show = !FrameOne.isVisible();
    if (!show) {
        s.MenuOpenIndex = -1;
        MenusRestore(m_app, true);
    }
    if (show && !FrameCommon.isVisible())
        FrameCommon.setVisible(!s.FullBarHidden);
    const int barTop = FrameCommon.isVisible() ? FrameCommon.height() : 0;
    if (FrameNote.isVisible() && show)
        FrameNote.setTop(barTop + FrameOne.height() + 8);
    FrameOne.setTop(barTop);
    FrameOne.setVisible(show);
    CommandZero.setPicture(BButton[show ? 3 : 10].picture());
    PictureMain.setFocus();
}

void frmMain::CommandComHide_Click()
{
    BrowserSet& s = m_app.set;
    s.FullBarHidden = true;
    s.BarIndex = 0;
    FrameCommon.setVisible(false);
    FrameOne.setTop(0);
    PlacePanels(FrameOne.top() + FrameOne.height());
    PictureMain.setFocus();
}

void frmMain::CommandComTab_Click()
{
    BrowserSet& s = m_app.set;
    if (FrameCommon.height() == BarTwoRowsHeight) {
        s.FullBarOneRow = true;
        FrameCommon.setHeight(BarOneRowHeight);
        CommandComTab.setPicture(BButton[0].picture());
    } else {
        s.FullBarOneRow = false;
        FrameCommon.setHeight(BarTwoRowsHeight);
        CommandComTab.setPicture(BButton[3].picture());
    }
    FrameOne.setTop(FrameCommon.isVisible() ? FrameCommon.height() : 0);
    PlacePanels(FrameOne.top() + FrameOne.height());
    PictureMain.setFocus();
}

void frmMain::CommandHideBrowser_Click()
{
    FrameBrowser.setVisible(false);
    CommandOne[7].setPicture(BButton[0].picture());
    PictureMain.setFocus();
}

void frmMain::CommandFullBrow_Click()
{
    FullWindowSet(m_app, true);
}

} // namespace corvane
