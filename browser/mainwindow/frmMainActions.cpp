// The Open and Help menus, the Create, Choices, Change Name and Report Bug panels, the Run box,
// the notices and the About banner.

#include "frmMain.h"

#include "ActiveNajar.h"
#include "ActiveProgram.h"
#include "AddressRules.h"
#include "ControlAction.h"
#include "ControlButton.h"
#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "FirstRun.h"
#include "frmWeb.h"

namespace corvane {

namespace {

constexpr int KeyEnter = 13;

// The Create panel's address: blanks removed, "http://" in front unless it already names a
// scheme the browser takes as it is; "" when nothing but blanks was typed.
QString createAddressOf(const QString& typed)
{
    QString stripped = typed;
    stripped.remove(QLatin1Char(' '));
    return stripped.isEmpty() ? QString() : TypedAddressNormalize(stripped);
}

// How far a mail address goes: 1 after the first "@", 2 after a "." that follows it and at
// least one more character.
int mailAddressStateOf(const QString& address)
{
    int state = 0;
    int stored = 0;
    for (const QChar c : address) {
        stored = state;
        if (stored == 2)
            break;
        if (state == 0 && c == QLatin1Char('@'))
            state = 1;
        else if (state == 1 && c == QLatin1Char('.'))
            state = 2;
    }
    return stored;
}

} // namespace

void frmMain::wireActionEvents()
{
    CommandOpen.onClick = [this](int i) { CommandOpen_Click(i); };
    CommandHelp.onClick = [this](int i) { CommandHelp_Click(i); };
    CommandChoice.onClick = [this](int i) { CommandChoice_Click(i); };
    CommandListHide.onClick = [this] { CommandListHide_Click(); };

    TextCreate.onChange = [this] { TextCreate_Change(); };
    TextCreate.onKeyPress = [this](int& key) { TextCreate_KeyPress(key); };
    CommandCreateOK.onClick = [this] { CommandCreateOK_Click(); };
    CommandCreateCancel.onClick = [this] { CommandCreateCancel_Click(); };

    TextName.onChange = [this](int i) { TextName_Change(i); };
    TextName.onKeyPress = [this](int i, int& key) { TextName_KeyPress(i, key); };
    CommandNameOK.onClick = [this] { CommandNameOK_Click(); };
    CommandNameCancel.onClick = [this] { CommandNameCancel_Click(); };

    TextMail.onChange = [this](int i) { TextMail_Change(i); };
    TextMail.onKeyPress = [this](int i, int& key) { TextMail_KeyPress(i, key); };
    CommandMailOK.onClick = [this] { CommandMailOK_Click(); };
    CommandMailCancel.onClick = [this] { CommandMailCancel_Click(); };

    CommandRun.onClick = [this] { CommandRun_Click(); };
    OptionRun.onClick = [this](int i) { OptionRun_Click(i); };
    CommandRunOK.onClick = [this] { CommandRunOK_Click(); };

    FrameAbout.onClick = [this] { FrameAbout_Click(); };
    ImageAbout.onClick = [this] { FrameAbout_Click(); };

    // A notice hides itself on a click on its frame or on its "Click To Hide" label.
    const std::pair<vb::Frame*, vb::Label*> notices[] = {{&FrameActiveBrow, &LabelHideActiveBrow},
                                                         {&FrameNoBookmark, &LabelNoBookmark},
                                                         {&FrameDoneBookmark, &LabelDoneBookmark},
                                                         {&FrameAlreadyBookmarked, &LabelHideAlredyMarked}};
    for (const auto& [frame, label] : notices) {
        frame->onClick = [frame] { frame->setVisible(false); };
        label->onClick = [frame] { frame->setVisible(false); };
    }
}

// ---------------------------------------------------------------------------------------
// The Open menu and the Create panel

void frmMain::CommandOpen_Click(int index)
{
    BrowserSet& s = m_app.set;
    PanelVars& p = m_app.panel;
    switch (index) {
    case 0:
        // The menu's own Hide: it is the open menu unless something lost track of it.
        MenuClose(m_app, s.MenuOpenIndex >= 0 ? s.MenuOpenIndex : 1);
        break;
    case 1:
        FrameCreate.setVisible(false);
        p.PickerPictureMode = false;
        p.PickerOpenFileMode = true;
        FileDialogShow(m_app);
        break;
    case 2:
        if (s.TabCount >= MaxTabs) {
            showTooManyTabs();
            return;
        }
        CreatePanelShow(false);
        break;
    case 3:
        // A secondary window has tabs of its own: no tab limit here.
        CreatePanelShow(true);
        break;
    case 4:
        BookmarkBrowserShow();
        break;
    default:
        break;
    }
}

void frmMain::CreatePanelShow(bool forBrowser)
{
    PanelVars& p = m_app.panel;
    p.CreateAddress = m_app.productPageAddress();
    TextCreate.setText(p.CreateAddress);
    TextCreate.setSelStart(0);
    TextCreate.setSelLength(int(TextCreate.text().size()));
    FrameCreate.setCaption(forBrowser ? QStringLiteral("Create Browser - Go To This Location :")
                                      : QStringLiteral("Create Tab - Go To This Location :"));
    p.CreateTabPending = !forBrowser;
    p.CreateBrowserPending = forBrowser;
    const QPoint at = PanelPoint();
    FrameCreate.setTop(at.y());
    FrameCreate.setLeft(at.x());
    FrameCreate.setVisible(true);
    TextCreate.setFocus();
}

void frmMain::TextCreate_Change()
{
    PanelVars& p = m_app.panel;
    p.CreateAddress = createAddressOf(TextCreate.text());
    CommandCreateOK.setEnabled(!p.CreateAddress.isEmpty());
}

void frmMain::TextCreate_KeyPress(int& keyAscii)
{
    if (keyAscii == KeyEnter && !createAddressOf(TextCreate.text()).isEmpty())
        CommandCreateOK_Click();
}

void frmMain::CommandCreateOK_Click()
{
    BrowserSet& s = m_app.set;
    PanelVars& p = m_app.panel;
    if (p.CreateAddress.isEmpty())
        return;

    if (p.CreateBrowserPending) {
        FrameCreate.setVisible(false);
        if (s.MenuOpenIndex >= 0) {
            FrameMenu[s.MenuOpenIndex].setVisible(false);
            CommandMenu[s.MenuOpenIndex].setPicture(BButton[0].picture());
            s.MenuOpenIndex = -1;
        }
        PictureMain.setFocus();
        // The new window's load navigates to CreateAddress and clears the flag.
        auto* window = &m_app.rt.create<frmWeb>(m_app);
        try {
            window->load();
            window->show();
        } catch (const vb::Error&) {
            p.CreateBrowserPending = false;
            window->unload();
        }
        return;
    }

    if (!p.CreateTabPending)
        return;
    p.CreateTabPending = false;
    // Pages may have opened tabs while the panel was open: the 25th has no place.
    if (s.TabCount >= MaxTabs) {
        FrameCreate.setVisible(false);
        showTooManyTabs();
        return;
    }

    if (s.TabBrowserCurrent) {
        s.ReturnIsTab = true;
        s.BrowserReturnIndex = s.TabCurrentIndex;
    } else {
        s.ReturnIsMain = true;
        s.BrowserReturnIndex = s.BookmarkBrowserCurrent ? BookmarkBrowserIndex : s.MainBrowserIndex;
    }
    int slot = -1;
    for (int i = 1; i <= s.TabLastIndex; ++i)
        if (!s.TabSlotUsed[i]) {
            slot = i;
            break;
        }
    if (slot == -1) {
        s.TabLastIndex += 1;
        slot = s.TabLastIndex;
    }
    s.TabCount += 1;
    CommandWebNew[slot].setEnabled(true);
    CommandWebComNew[slot].setEnabled(true);
    ComboWebLocation.load(slot);
    // A slot used before starts without the old tab's title: its first page may never arrive.
    s.TabTitles[slot].clear();
    vb::WebBrowser& browser = BrowserNew.load(slot);
    s.TabBrowserCurrent = true;
    s.MainBrowserCurrent = false;
    s.BookmarkBrowserCurrent = false;
    s.TabCurrentIndex = slot;
    s.TabSlotUsed[slot] = true;
    browser.navigate(p.CreateAddress);
    s.ComLocationPending = s.FullWindowMode;
    CurrentBrowserShow(m_app);
}

void frmMain::CommandCreateCancel_Click()
{
    PanelVars& p = m_app.panel;
    p.CreateTabPending = false;
    p.CreateBrowserPending = false;
    FrameCreate.setVisible(false);
    PictureMain.setFocus();
}

// ---------------------------------------------------------------------------------------
// The Help menu and the About banner

void frmMain::CommandHelp_Click(int index)
{
    BrowserSet& s = m_app.set;
    PictureMain.setFocus();
    const bool bannerWasShown = FrameAbout.isVisible();

    switch (index) {
    case 0:
        MenuClose(m_app, s.MenuOpenIndex >= 0 ? s.MenuOpenIndex : 4);
        break;
    case 1:
        m_app.msg.MessageAnswer = HelpProgramRun(m_app);
        if (!m_app.msg.MessageAnswer.isEmpty()) {
            m_app.msg.MessageAnswer.clear();
            MakerWebPageOpen(m_app);
        }
        break;
    case 2:
        s.PopupGuard = true;
        if (vb::WebBrowser* b = currentBrowser()) {
            try {
                b->navigate(m_app.productPageAddress());
            } catch (const vb::Error&) {
            }
        }
        break;
    case 5:
        if (!bannerWasShown) {
            AboutBadgeIndex = AboutBadgeIndex + 1 > 1 ? 0 : AboutBadgeIndex + 1;
            ImageAbout.setPicture(ImageAboutBadge[AboutBadgeIndex].picture());
            LabelAbout[0].setCaption(m_app.prog.VersionText);
            FrameAbout.setLeft(s.AboutBounceMin);
            FrameAbout.setVisible(true);
            s.AboutShown = true;
            TimerMainAbout.setEnabled(true);
        }
        break;
    default:
        break;
    }

    // Any Help item closes a banner that was shown when it was clicked.
    if (bannerWasShown) {
        if (TimerMainAbout.isEnabled())
            TimerMainAbout.setEnabled(false);
        s.AboutShown = false;
        FrameAbout.setVisible(false);
    }
}

void frmMain::FrameAbout_Click()
{
    TimerMainAbout.setEnabled(!TimerMainAbout.isEnabled());
}

// ---------------------------------------------------------------------------------------
// The Choices and Change Name panels

void frmMain::CommandChoice_Click(int index)
{
    PanelVars& p = m_app.panel;
    switch (index) {
    case 0:
        FrameName.setVisible(false);
        FrameChoice.setVisible(false);
        PictureMain.setFocus();
        break;
    case 1:
        TextName[0].setText(m_app.profile.Nickname);
        TextName[1].setText(QString());
        CommandNameOK.setEnabled(false);
        FrameName.setTop(FrameChoice.top() + FrameChoice.height());
        FrameName.setLeft(FrameChoice.left() + 16);
        FrameName.setVisible(true);
        TextName[1].setFocus();
        break;
    case 2:
        FrameName.setVisible(false);
        p.PickerOpenFileMode = false;
        p.PickerPictureMode = true;
        FileDialogShow(m_app);
        break;
    default:
        break;
    }
}

void frmMain::TextName_Change(int)
{
    CommandNameOK.setEnabled(!TextName[1].text().isEmpty());
}

void frmMain::TextName_KeyPress(int index, int& keyAscii)
{
    // The current name is shown only.
    if (index == 0) {
        keyAscii = 0;
        return;
    }
    if (keyAscii == KeyEnter && !TextName[1].text().isEmpty())
        CommandNameOK_Click();
}

void frmMain::CommandNameOK_Click()
{
    m_app.profile.Nickname = TextName[1].text();
    UserNickNameSave(m_app);
    setCaption(MainWindowTitleMake(m_app));
    FrameName.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandNameCancel_Click()
{
    FrameName.setVisible(false);
}

// ---------------------------------------------------------------------------------------
// The Report Bug panel

void frmMain::TextMail_Change(int)
{
    MailAddressState = mailAddressStateOf(TextMail[0].text());
    MailSubjectState = TextMail[1].text().isEmpty() ? 0 : 1;
    CommandMailOK.setEnabled(MailAddressState + MailSubjectState == 3);
}

void frmMain::TextMail_KeyPress(int index, int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    if (CommandMailOK.isEnabled()) {
        CommandMailOK_Click();
        return;
    }
    // Enter walks to the other box while this one holds something.
    if (!TextMail[index].text().isEmpty())
        TextMail[index == 0 ? 1 : 0].setFocus();
}

void frmMain::CommandMailOK_Click()
{
    QString address = TextMail[0].text();
    address.remove(QLatin1Char(' '));
    (void)MailLinkSend(m_app, QStringLiteral("mailto:") + address, TextMail[1].text(), QString());
    m_app.msg.BugReportSubject.clear();
    FrameMail.setVisible(false);
    PictureMain.setFocus();
}

void frmMain::CommandMailCancel_Click()
{
    m_app.msg.BugReportSubject.clear();
    FrameMail.setVisible(false);
    PictureMain.setFocus();
}

// ---------------------------------------------------------------------------------------
// The Run box

void frmMain::CommandRun_Click()
{
    BrowserSet& s = m_app.set;
    if (FrameRun.isVisible()) {
        FrameRun.setVisible(false);
        CommandRun.setPicture(BButton[10].picture());
        CommandOne[9].setPicture(BButton[10].picture());
        PictureMain.setFocus();
        return;
    }

    if (s.FullWindowMode) {
        FrameRun.setTop(FrameOne.top() + FrameOne.height());
        FrameRun.setLeft(FrameOne.left() + 120);
    } else {
        FrameRun.setTop(m_app.profile.UserPicturePath.isEmpty() ? 32 : s.BrowserTop);
        // Placed by the width it had before this opening (its full width once it has slid).
        FrameRun.setLeft(s.BrowserWidth - (FrameRun.width() + 24));
    }

    // A menu still sliding ends at its full size before the Run box takes the slide.
    SlideFinish();
    s.SlideWidth = 77;
    FrameRun.setWidth(77);
    s.SlideStep = 10;
    s.SlideFactor = 3;
    s.SlideTarget = 257;
    s.SlideIndex = 7;

    CommandRun.setPicture(BButton[3].picture());
    CommandOne[9].setPicture(BButton[3].picture());
    FrameRun.setVisible(true);
    s.SlideActive = true;
    s.MenuOpenIndex = -1;
    MenusRestore(m_app, true);
}

void frmMain::OptionRun_Click(int index)
{
    m_app.panel.FamilyRunChoice = index;
    CommandRunOK.setEnabled(true);
}

void frmMain::CommandRunOK_Click()
{
    FrameRun.setVisible(false);
    CommandRun.setPicture(BButton[10].picture());
    CommandOne[9].setPicture(BButton[10].picture());
    FamilyProgramRun(m_app);
}

void frmMain::CommandListHide_Click()
{
    MenuClose(m_app, 5);
}

} // namespace corvane
