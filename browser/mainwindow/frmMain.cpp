// The main window's load, dressing, resize and shutdown.

#include "frmMain.h"

#include "ActiveProgram.h"
#include "ActiveVelmora.h"
#include "ControlButton.h"
#include "CorvaneApp.h"
#include "WindowLimits.h"

#include "vb/Pictures.h"

#include <cstdio>

namespace corvane {

namespace {

// At the end of a session a failed write cannot wait for the user: it goes to the
// program's error output instead of the message dialog.
void failuresToErrorOutput(DataFileVars& files)
{
    for (const sys::WriteFailure& f : std::as_const(files.failuresToTell))
        std::fprintf(stderr, "Corvane: %s was not saved: %s\n", qPrintable(f.path), qPrintable(f.reason));
    files.failuresToTell.clear();
}

// Sets a button's faces from the picture store; -1 leaves that face as it is.
void dress(frmMain& f, vb::CommandButton& b, int picture, int down, int disabled)
{
    if (picture >= 0)
        b.setPicture(f.BButton[picture].picture());
    if (down >= 0)
        b.setDownPicture(f.BButton[down].picture());
    if (disabled >= 0)
        b.setDisabledPicture(f.BButton[disabled].picture());
}

void singleButtonsDress(frmMain& f)
{
    dress(f, f.CommandZero, 10, 1, -1);
    dress(f, f.CommandComTab, -1, 1, 2);
    for (vb::CommandButton* b : {&f.CommandListHide, &f.CommandHideBrowser, &f.CommandNoteHide})
        dress(f, *b, 4, 1, -1);
    dress(f, f.CommandExit, 10, 1, -1);
    dress(f, f.CommandShowBookmark, 0, 1, 2);
    dress(f, f.CommandCloseBookmark, 0, 1, -1);
    dress(f, f.CommandRun, 10, 1, 2);
    dress(f, f.CommandFullBrow, 10, 1, 2);
    for (vb::CommandButton* b : {&f.CommandRunOK, &f.CommandMailOK, &f.CommandNoteRemove, &f.CommandNoteEdit,
                                 &f.CommandNoteOK, &f.CommandMarkReset, &f.CommandMarkOK, &f.CommandRenameOK,
                                 &f.CommandHomeOK, &f.CommandCreateOK, &f.CommandNameOK})
        dress(f, *b, 8, 1, 2);
    for (vb::CommandButton* b : {&f.CommandRunCancel, &f.CommandMailCancel, &f.CommandNoteCancel, &f.CommandMarkCancel,
                                 &f.CommandRenameCancel, &f.CommandHomeCancel, &f.CommandCreateCancel,
                                 &f.CommandNameCancel})
        dress(f, *b, 8, 1, -1);
    dress(f, f.CommandGo, 0, 1, 2);
    dress(f, f.CommandComGo, 0, 1, 2);
    dress(f, f.CommandWebClose[0], 10, 1, -1);
    dress(f, f.CommandWebComClose[0], 10, 1, -1);
    for (int i = 1; i <= 2; ++i) {
        dress(f, f.CommandWebClose[i], 10, 1, 2);
        dress(f, f.CommandWebComClose[i], 10, 1, 2);
    }
    dress(f, f.CommandWebSelectClose[0], 4, 1, -1);
    dress(f, f.CommandWebSelectClose[1], 8, 1, 2);
    dress(f, f.CommandWebSelectClose[2], 8, 1, 2);
    dress(f, f.CommandWebSelectClose[3], 8, 1, -1);
    f.ImageBack.setPicture(f.NavBack[2].picture());
    f.ImageComBack.setPicture(f.NavBack[2].picture());
    f.ImageForward.setPicture(f.NavForward[2].picture());
    f.ImageComForward.setPicture(f.NavForward[2].picture());
}

// The menus, their items, the navigation, bookmark and browser buttons; only the main
// browsers in use have selectors on screen.
void arraysOfSixDress(frmMain& f)
{
    const int last = f.app().opt.MainBrowserLastIndex;
    for (int i = 0; i <= 5; ++i) {
        dress(f, f.CommandMenu[i], -1, 1, 2);
        if (i <= 3) {
            dress(f, f.CommandNavigate[i], i == 3 ? 11 : 6, 1, 2);
            dress(f, f.CommandComNavigate[i], i == 3 ? 11 : 6, 1, 2);
        }
        const int itemFace = i == 0 ? 4 : 7;
        for (auto* arr : {&f.CommandOpen, &f.CommandView, &f.CommandTools, &f.CommandHelp, &f.CommandPage,
                          &f.CommandChoice})
            if (vb::CommandButton* b = arr->find(i))
                dress(f, *b, itemFace, 1, 2);
        dress(f, f.CommandBookmark[i], i <= 1 ? 10 : 0, 1, 2);
        dress(f, f.CommandBrowser[i], 5, 1, -1);
        dress(f, f.CommandShowBrowser[i], 5, 1, -1);
        const bool shown = last > 0 && i <= last;
        f.CommandBrowser[i].setVisible(shown);
        f.CommandShowBrowser[i].setVisible(shown);
        f.LabelBrowser[i].setVisible(shown);
        f.LabelShowBrowser[i].setVisible(shown);
        f.LabelShowBrowser[i].setBackStyle(i == f.app().set.MainBrowserIndex ? 1 : 0);
    }
    dress(f, f.CommandBookmark[6], 4, 1, -1);
    // The menu buttons' own face is the closed-menu face of the picture store.
    for (int i = 0; i <= 5; ++i)
        f.CommandMenu[i].setPicture(f.BButton[0].picture());
}

// The tab buttons of both rows, and the Controls bar.
void tabAndBarButtonsDress(frmMain& f)
{
    for (int i = 0; i <= 24; ++i) {
        dress(f, f.CommandWebNew[i], 5, 1, 2);
        dress(f, f.CommandWebComNew[i], 5, 1, 2);
    }
    for (int i = 0; i <= 12; ++i)
        dress(f, f.CommandOne[i], i <= 8 ? 0 : i <= 11 ? 10 : 4, 1, 2);
}

// A picture file that cannot be loaded leaves no picture and no message.
void userPictureLoad(frmMain& f, ProfileVars& profile)
{
    const std::optional<QPixmap> picture = vb::loadPicture(profile.UserPicturePath);
    if (picture) {
        f.ImageUser.setPicture(*picture);
        f.ImageBigUser.setPicture(*picture);
        f.FrameUser.setCaption(profile.UserPictureCaption);
        f.FrameUser.setBorderStyle(profile.UserPicturePath.isEmpty() ? 0 : 1);
    } else {
        profile.UserPicturePath.clear();
        profile.UserPictureCaption.clear();
        f.ImageUser.setPicture(QPixmap());
        f.ImageBigUser.setPicture(QPixmap());
        f.FrameUser.setCaption(QString());
        f.FrameUser.setBorderStyle(0);
    }
}

} // namespace

void frmMain::wireEvents()
{
    CommandExit.onClick = [this] { CommandExit_Click(); };
    wireBrowserEvents();
    wireNavigationEvents();
    wireTabEvents();
    wireMenuEvents();
    wirePanelEvents();
    wireActionEvents();
}

void frmMain::Form_Load()
{
    BrowserSet& s = m_app.set;
    const int last = m_app.opt.MainBrowserLastIndex;

    setTop(0);
    setLeft(0);
    keepSmallestSize(*this, SmallestClientSize());
    setWindowState(vb::Maximized);

    s.LoadingBrowserIndex = -1;
    s.TabLoadingIndex = -1;
    s.PictureLayoutPending = true;

    // The other main browsers are created now but navigate only when first shown.
    if (last > 0) {
        for (int i = 1; i <= last; ++i)
            WebBrowser.load(i);
        s.MainBrowserLastLoaded = last;
    }

    PictureMain.setBorderStyle(0);
    FrameBigMain.setBorderStyle(0);
    FrameExit.setBorderStyle(0);

    FrameShowBrowser.setWidth(last * 495 + 840);
    FrameShowBrowser.setVisible(last != 0);

    ProgressBrow[1].setTop(30);
    FrameCommon.setHeight(29);

    // The main browsers' box and the tabs' boxes share one place.
    ComboWebLocation[0].setLeft(ComboLocation.left());
    const int width = vb::toInt16(double(ComboWebLocation[0].width()) + ComboLocation.width());
    ComboLocation.setWidth(width);
    ComboWebLocation[0].setWidth(width);
    FrameGo.setLeft(width + 60);

    FrameUser.setTop(0);
    FrameUser.setLeft(10920);
    FrameCommon.setTop(0);
    FrameCommon.setLeft(24);
    FrameOne.setLeft(24);
    // Right of the Tab List, which may stay open beside a note shown by itself.
    FrameNote.setLeft(BandRowLeft / vb::TwipsPerPixel + 2);
    FrameAbout.setTop(0);
    FrameSearch.setTop(104);

    SetMainLook();
    FullWindowSet(m_app, false);
    engineHooksInstall();
}

void frmMain::SetMainLook()
{
    BrowserSet& s = m_app.set;
    // The About banner travels up to the picture frame, or to the Exit frame without one.
    const vb::Frame& limit = m_app.profile.UserPicturePath.isEmpty() ? FrameExit : FrameUser;
    s.AboutBounceMax = vb::toInt16(double(limit.left()) / m_app.prog.TwipsPerPixelX - FrameAbout.width());
    s.AboutBounceMin = 176;

    // The Run button exists only when another program of the maker can be run.
    const bool canRun = m_app.reg.FamilyRunLast != -1;
    LabelRun.setVisible(canRun);
    CommandRun.setVisible(canRun);
    CommandOne[9].setVisible(canRun);
    LabelOne[9].setVisible(canRun);
    if (canRun)
        RunBoxLayout(m_app);

    // From a removable drive the settings tools of the machine are out of reach.
    const bool fixed = !m_app.prog.OnMedia;
    CommandMenu[2].setEnabled(fixed);
    CommandTools[1].setEnabled(fixed);
    CommandTools[2].setEnabled(fixed);
    CommandTools[3].setEnabled(fixed);
    CommandChoice[1].setEnabled(fixed);
    CommandChoice[2].setEnabled(fixed);

    // Busy images show the idle picture.
    ImageBusy[0].setPicture(ImageShow[BusyFrame].picture());
    ImageBusy[1].setPicture(ImageShow[BusyFrame].picture());

    singleButtonsDress(*this);
    arraysOfSixDress(*this);
    tabAndBarButtonsDress(*this);
    userPictureLoad(*this, m_app.profile);
}

void frmMain::Form_Resize()
{
    BrowserSet& s = m_app.set;
    if (windowState() == vb::Minimized) {
        // The display lays out no band while the window is minimised: note the tabs it had.
        TabLastIndexAtMinimise = s.TabLastIndex;
        return;
    }
    // Back from minimised: a tab opened or closed meanwhile gets its band now, before the
    // browsers are placed under it.
    if (TabLastIndexAtMinimise != -1 && TabLastIndexAtMinimise != s.TabLastIndex) {
        TopBandLayout(m_app);
        if (s.PictureLayoutPending)
            UserPictureLayout(m_app, s.TabLastIndex);
    }
    TabLastIndexAtMinimise = -1;
    MainWindowLayout(m_app);
}

void frmMain::CommandExit_Click()
{
    m_app.opt.ExitCount += 1;
    unload();
}

void frmMain::Form_QueryUnload(int& cancel, int unloadMode)
{
    // Closing from the title bar counts as an exit; the Exit button counted already.
    if (unloadMode == vb::FormControlMenu)
        m_app.opt.ExitCount += 1;
    SessionEnding = unloadMode == vb::AppWindows;
    cancel = 0;
}

void frmMain::Form_Unload(int& cancel)
{
    cancel = 0;
    VelmoraContext c = m_app.velmora();
    if (SessionEnding)
        c.writeFailed = [&files = m_app.files] { failuresToErrorOutput(files); };
    // One save of the data folder: the lists, then the settings file that counts them. The
    // bookmarks are saved also when the list has become empty, so that its old records
    // cannot return.
    unsigned files = SaveSettings | SaveHistory | SaveBookmarks;
    if (m_app.lists.NotesChanged)
        files |= SaveNotes;
    DataFilesSave(c, files);

    // Every other loaded form goes, the most recently loaded first, except the chooser
    // loaded hidden at start-up: a window loaded again after a failed Run needs it.
    std::vector<QPointer<vb::Form>> forms = m_app.rt.forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (*it && it->data() != this && it->data() != m_app.moveForm.data())
            (*it)->unload();

    if (!m_app.reg.RunningOther)
        m_app.rt.end();
}

} // namespace corvane
