// The secondary window's load, sizing, closing and its own display refresh.

#include "frmWeb.h"

#include "AddressRules.h"
#include "CorvaneApp.h"
#include "WindowLimits.h"

#include "vb/Pictures.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace corvane {

namespace {

QColor buttonTextColour()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

// The Tab List line of the shown slot.
const QColor CurrentLineColour(0x00, 0x80, 0x00);

} // namespace

void frmWeb::wireEvents()
{
    CommandClosePop.onClick = [this] { CommandClosePop_Click(); };
    wireBrowserEvents();
    wireTabEvents();
    wirePanelEvents();
    wireBarEvents();
}

QPixmap frmWeb::face(int index) const
{
    return BButton[index].picture();
}

void frmWeb::Form_Load()
{
    const int tppx = m_app.prog.TwipsPerPixelX;
    PopFirstLoad = true;
    PopTabSlotUsed[0] = true;
    sizeToScreen();

    // The window's own page has no Tab List line; busy pictures start idle.
    TextPopList[0].setText(QString());
    FramePopMainBut[0].setBorderStyle(0);
    PicturePop.setBorderStyle(0);
    ImageCrazy[1].setPicture(ImageShow[0].picture());
    ImageCrazy[0].setPicture(ImageShow[0].picture());
    buttonFacesSet();

    // The Tab List, the Controls bar, the band and the full-window bar start at the
    // window's top left.
    FramePopList.setLeft(0);
    FramePopOne.setLeft(0);
    FrameBigPop.move(0, 0);
    FramePopZero.move(0, 0);
    FramePopCommon.move(24, 0);

    // A picture file that cannot be read leaves both pictures empty; the window opens.
    const std::optional<QPixmap> picture = vb::loadPicture(m_app.profile.UserPicturePath);
    ImagePopUser.setPicture(picture.value_or(QPixmap()));
    ImagePopFullUser.setPicture(picture.value_or(QPixmap()));

    // The band and the browser take the window's size.
    FrameBigPop.move(PopBrowserLeft, 0, PopBrowserWidth, PopBandHeight);
    FrameClose.setLeft(PopBrowserWidth * tppx - FrameClose.width());
    UserPictureLayout();
    bandLayout();

    // "Create Browser" of the main window: this window goes there itself.
    PanelVars& p = m_app.panel;
    if (p.CreateBrowserPending) {
        p.CreateBrowserPending = false;
        try {
            BrowserPop[0].navigate(p.CreateAddress);
        } catch (const vb::Error&) {
        }
    }
    CurrentBrowserShow();
}

void frmWeb::sizeToScreen()
{
    // The window's size as designed, but never larger than the screen leaves room for (the
    // window stands as far from the screen's far edges as from its near ones).
    setTop(300);
    setLeft(300);
    keepSmallestSize(*this, SmallestClientSize());
    const vb::ScreenMetrics screen = m_app.rt.screen();
    if (screen.widthTwips > 0 && screen.heightTwips > 0) {
        setWidth(std::min(width(), screen.widthTwips - 2 * left()));
        setHeight(std::min(height(), screen.heightTwips - 2 * top()));
    }
    PopWidth = vb::toInt16(double(width()) / m_app.prog.TwipsPerPixelX);
    PopHeight = vb::toInt16(double(height()) / m_app.prog.TwipsPerPixelY);
    PopBandHeight = BandNoTabs;
    PopBrowserWidth = PopWidth - 6;
    PopBrowserHeight = PopHeight - BandWithTabs;
}

void frmWeb::buttonFacesSet()
{
    // Button faces come from the window's own store.
    auto dress = [this](Btn& b, int picture, bool disabledFace) {
        b.setPicture(face(picture));
        b.setDownPicture(face(1));
        if (disabledFace)
            b.setDisabledPicture(face(2));
    };
    for (int i = 0; i <= MaxPopTabs; ++i) {
        for (Btn* b : {&CommandPopNew[i], &CommandPopComNew[i]}) {
            b->setDownPicture(face(1));
            b->setDisabledPicture(face(2));
        }
    }
    for (int i = 0; i <= 4; ++i) {
        CommandPopOne[i].setPicture(face(i == 0 ? 4 : 0));
        CommandPopOne[i].setDownPicture(face(1));
        CommandPopPage[i].setPicture(face(7));
        CommandPopPage[i].setDownPicture(face(1));
    }
    dress(CommandPopComTab, 0, true);
    for (Btn* b : {&CommandPopClose[2], &CommandPopComClose[2], &CommandPopGo, &CommandPopComGo, &CommandPopBookmark,
                   &CommandPopNote, &CommandPopSave, &CommandPopPrint, &CommandPopMakeHome, &CommandPopCreateTab,
                   &CommandPopList})
        dress(*b, 0, true);
    dress(CommandPopListHide, 4, true);
    for (Btn* b : {&CommandPopSearch, &CommandPopRefresh, &CommandPopStop, &CommandPopComSearch, &CommandPopComRefresh,
                   &CommandPopComStop})
        dress(*b, 6, true);
    dress(CommandPopSelectClose[3], 7, false);
    for (Btn* b : {&CommandPopSelectClose[0], &CommandPopSelectClose[1], &CommandPopSelectClose[2], &CommandPopMarkReset,
                   &CommandPopMarkOK, &CommandPopMarkCancel, &CommandPopNoteRemove, &CommandPopNoteEdit,
                   &CommandPopNoteOK, &CommandPopNoteCancel, &CommandPopHomeOK, &CommandPopHomeCancel,
                   &CommandPopCreateOK, &CommandPopCreateCancel})
        dress(*b, 8, true);
    dress(CommandPopNoteNoShow, 9, false);
    for (Btn* b : {&CommandPopZero, &CommandFullPop, &CommandClosePop})
        dress(*b, 10, false);
    for (Btn* b : {&CommandPopClose[0], &CommandPopClose[1], &CommandPopComClose[0], &CommandPopComClose[1]})
        dress(*b, 10, true);
    for (Img* img : {&ImagePopBack, &ImagePopComBack})
        img->setPicture(NavBack[0].picture());
    for (Img* img : {&ImagePopForward, &ImagePopComForward})
        img->setPicture(NavForward[0].picture());
}

void frmWeb::Form_Resize()
{
    if (windowState() == vb::Minimized)
        return;
    // A size too small for the layout changes nothing more.
    try {
        const int tppx = m_app.prog.TwipsPerPixelX;
        PopWidth = vb::toInt16(double(width()) / tppx);
        PopHeight = vb::toInt16(double(height()) / m_app.prog.TwipsPerPixelY);
        PopBrowserWidth = PopWidth - 6;
        if (PopFullWindow) {
            PopBandHeight = 0;
        } else {
            PopBandHeight = PopTabCount == 0 ? BandNoTabs : BandWithTabs;
            FrameBigPop.move(PopBrowserLeft, 0, PopBrowserWidth, PopBandHeight);
            FrameClose.setLeft(PopBrowserWidth * tppx - FrameClose.width());
            UserPictureLayout();
            bandLayout();
        }
        FramePopList.setTop(std::max(32, PopBandHeight - FramePopList.height()));
        PopBrowserHeight = PopHeight - (PopBandHeight + 32);
        if (vb::WebBrowser* b = shownBrowser())
            b->move(PopBrowserLeft, PopBandHeight, PopBrowserWidth, PopBrowserHeight);
        if (!PopFirstLoad)
            PicturePop.setFocus();
    } catch (const std::exception&) {
    }
}

void frmWeb::CommandClosePop_Click()
{
    // The browsers go with the form; the window keeps nothing that must be saved.
    unload();
}

void frmWeb::Form_Unload(int&)
{
    // A window a page opened leaves room for another once it closes.
    if (OpenedByPage && m_app.set.PageWindowsOpen > 0)
        m_app.set.PageWindowsOpen -= 1;
    OpenedByPage = false;
}

void frmWeb::PopPanelShow(int index, bool focus)
{
    for (int i = 0; i <= 6; ++i)
        FrameSmallPop[i].setVisible(i == index);
    if (focus)
        PicturePop.setFocus();
}

void frmWeb::UserPictureLayout()
{
    if (PopTabLastIndex >= 1 && PopTabLastIndex <= 12)
        ImagePopUser.move(ImagePopUser.left(), 0, 2430, 1620);
    else
        ImagePopUser.move(ImagePopUser.left(), 0, 1620, 1080);
    // It stands just left of the window buttons.
    ImagePopUser.setLeft(FrameClose.left() - ImagePopUser.width() - 60);
}

void frmWeb::bandLayout()
{
    // The tab row stands right of the Tab List; a window too narrow for the whole row moves
    // it left until its Close group is on screen. Slots above the highest in use have no
    // button on screen.
    const int bandRight = FrameBigPop.width() * m_app.prog.TwipsPerPixelX - 60;
    FramePopNew.setLeft(std::max(60, std::min(int(BandRowLeft), bandRight - FramePopNew.width())));
    for (int i = 1; i <= MaxPopTabs; ++i) {
        const bool listed = i <= PopTabLastIndex;
        CommandPopNew[i].setVisible(listed);
        LabelPopNew[i].setVisible(listed);
        CommandPopComNew[i].setVisible(listed);
        LabelPopComNew[i].setVisible(listed);
    }
    // The user picture only where none of the band's rows needs its place (a window made
    // narrow has no room for it); row 1 reaches up to it, or up to the window buttons.
    firstRowStretch(0);
    const QRect picture = ImagePopUser.pixelRect();
    bool free = true;
    for (const vb::Frame* row : {&FramePopMainBut[0], &FramePopMainBut[1], &FramePopMainBut[2]})
        free = free && !row->pixelRect().intersects(picture);
    if (PopTabCount > 0)
        free = free && !FramePopNew.pixelRect().intersects(picture);
    // Without a picture there is nothing to show, and nothing may lie over row 1's end.
    const bool pictureShown = free && !ImagePopUser.picture().isNull();
    ImagePopUser.setVisible(pictureShown);
    firstRowStretch((pictureShown ? ImagePopUser.left() : FrameClose.left()) - 60);
}

void frmWeb::firstRowStretch(int right)
{
    // Row 1 as designed ends with Go, the busy picture and the progress bar after the
    // location box; the box takes whatever the row gains.
    constexpr int DesignWidth = 7920;
    constexpr int BoxWidth = 3600;
    constexpr int GoLeft = 6420;
    constexpr int GoCaptionLeft = 6750;
    constexpr int BusyLeft = 7080;
    constexpr int ProgressLeft = 7380;
    const int gained = std::max(0, right - DesignWidth);
    FramePopMainBut[0].setWidth(DesignWidth + gained);
    for (int i : ComboPopLocation.indices())
        ComboPopLocation[i].setWidth(BoxWidth + gained);
    CommandPopGo.setLeft(GoLeft + gained);
    LabelPopGo.setLeft(GoCaptionLeft + gained);
    ImageCrazy[0].setLeft(BusyLeft + gained);
    ProgressPop[0].setLeft(ProgressLeft + gained);
}

void frmWeb::stopBusy()
{
    PopBusyIndex = -1;
    CommandPopStop.setEnabled(false);
    TimerPop.setEnabled(false);
    PopBusyFrame = 0;
    ImageCrazy[PopBarIndex].setPicture(ImageShow[0].picture());
}

void frmWeb::backForwardShow()
{
    const bool back = PopCanGoBack[PopTabCurrent];
    const bool forward = PopCanGoForward[PopTabCurrent];
    for (Img* img : {&ImagePopBack, &ImagePopComBack}) {
        img->setEnabled(back);
        img->setPicture(NavBack[back ? 0 : 2].picture());
    }
    for (Img* img : {&ImagePopForward, &ImagePopComForward}) {
        img->setEnabled(forward);
        img->setPicture(NavForward[forward ? 0 : 2].picture());
    }
}

// Takes a slot off the screen: its browser and box hidden, its list line and tab buttons
// in the normal look. A closed slot has no browser or box any more.
void frmWeb::hideSlot(int slot)
{
    if (slot < 0 || slot > MaxPopTabs)
        return;
    if (vb::WebBrowser* b = BrowserPop.find(slot))
        b->setVisible(false);
    if (vb::ComboBox* c = ComboPopLocation.find(slot))
        c->setVisible(false);
    TextPopList[slot].setForeColor(buttonTextColour());
    CommandPopNew[slot].setPicture(face(5));
    CommandPopComNew[slot].setPicture(face(5));
}

void frmWeb::CurrentBrowserShow()
{
    const int cur = PopTabCurrent;
    vb::WebBrowser* current = shownBrowser();
    PageNoticeBox.follow(current);
    // The busy browser is no longer the one shown.
    if (TimerPop.isEnabled() && PopBusyIndex != cur)
        stopBusy();
    panelsAndProgressClose();
    otherSlotsHide(cur);
    shownSlotMark(cur, current);
    if (PopTitlePending)
        pageTitleShow(cur, current);
    backForwardShow();
    if (PopTabLastIndex != PopTabLastLaid) {
        UserPictureLayout();
        PopTabLastLaid = PopTabLastIndex;
    }
    tabListFollow();
    layOutBand();
    tabRowFit();
    tabCloseButtonsSet(cur);

    // The page under the band.
    PopBrowserHeight = PopHeight - (PopBandHeight + 32);
    if (current)
        current->move(PopBrowserLeft, PopBandHeight, PopBrowserWidth, PopBrowserHeight);
    FramePopOne.setVisible(false);
    FrameBigPop.setVisible(!PopFullWindow);
    if (!PopFirstLoad && !typingAddress())
        PicturePop.setFocus();
}

void frmWeb::panelsAndProgressClose()
{
    // Every panel closes but "Page Bookmarked", which tells of what was just done.
    for (int i : {0, 1, 2, 4, 5, 6})
        FrameSmallPop[i].setVisible(false);
    ProgressPop[0].setVisible(false);
    ProgressPop[1].setVisible(false);
}

void frmWeb::otherSlotsHide(int cur)
{
    // The slot left goes off screen. So does any other: a second switch made before the
    // first one's page arrived leaves a browser on screen that no record names.
    if (PopPreviousPending)
        hideSlot(PopPreviousIndex);
    PopPreviousPending = false;
    PopPreviousIndex = -1;
    for (int i : BrowserPop.indices())
        if (i != cur && BrowserPop[i].isVisible())
            hideSlot(i);
}

void frmWeb::shownSlotMark(int cur, vb::WebBrowser* current)
{
    if (current)
        current->setVisible(true);
    if (vb::ComboBox* c = ComboPopLocation.find(cur))
        c->setVisible(true);
    TextPopList[cur].setForeColor(CurrentLineColour);
    CommandPopNew[cur].setPicture(face(3));
    CommandPopComNew[cur].setPicture(face(3));
}

void frmWeb::pageTitleShow(int cur, const vb::WebBrowser* current)
{
    // Address, site, title and caption of the page shown.
    const QString address = current ? current->locationURL() : QString();
    if (vb::ComboBox* c = ComboPopLocation.find(cur); c && !keepsTyping(*c)) {
        c->setText(address);
        PopBoxEdited[cur] = false;
    }
    if (PopBarIndex == 1 && !keepsTyping(ComboPopComLocation))
        ComboPopComLocation.setText(address);
    const QString root = UrlSiteRootGet(address);
    LocationListAdd(root);
    const QString name = UrlShortNameGet(root);
    PopTabTitles[cur] = name;
    // A page without a short name (a local file) is named by its address.
    const QString shown = name.isEmpty() ? address : name;
    setCaption(shown.isEmpty() ? m_app.prog.ProgramName : shown + QStringLiteral(" : ") + m_app.prog.ProgramName);
    if (cur > 0) {
        CommandPopNew[cur].setToolTip(name);
        CommandPopComNew[cur].setToolTip(name);
    }
    PopTitlePending = false;
}

void frmWeb::tabListFollow()
{
    // The Tab List follows the tabs; without a tab there is nothing to list.
    if (PopTabCount > 0)
        PopListVisible = !PopListKeepHidden;
    else
        PopListVisible = false;
    if (PopListVisible)
        TabListRefresh();
}

void frmWeb::layOutBand()
{
    const int tppy = m_app.prog.TwipsPerPixelY;
    if (PopFullWindow) {
        PopBandHeight = 0;
        PopTabRowHidden = PopTabRowHidden && PopTabCount > 0;
        FramePopList.setVisible(false);
    } else {
        PopTabRowHidden = false;
        PopBandHeight = PopTabCount > 0 ? BandWithTabs : BandNoTabs;
        FrameBigPop.setHeight(PopBandHeight);
        LinePop.setY1(PopBandHeight * tppy);
        LinePop.setY2(PopBandHeight * tppy);
        FramePopList.setVisible(PopListVisible);
    }
    // The compact bar: one row, or two with the tab row.
    if (!PopTabRowHidden)
        FramePopCommon.setHeight(PopTabCount > 0 ? 59 : 27);
}

void frmWeb::tabRowFit()
{
    // The tab row ends with the close buttons after the highest tab.
    const int last = PopTabLastIndex;
    FramePopClose.setLeft(CommandPopNew[last].left() + 360);
    FramePopComClose.setLeft(FramePopClose.left());
    const int rowEnd = last < MaxPopTabs ? CommandPopNew[last + 1].left() : CommandPopNew[last].left() + 360;
    FramePopNew.setWidth(rowEnd + FramePopClose.width());
    FramePopComNew.setWidth(FramePopNew.width());
    bandLayout();
    CommandPopComTab.setPicture(face(FramePopCommon.height() == 59 ? 3 : 0));
    CommandPopComTab.setEnabled(PopTabCount > 0);
    CommandPopList.setEnabled(PopTabCount > 0);
}

void frmWeb::tabCloseButtonsSet(int cur)
{
    // The close buttons name the shown tab; closing it needs a tab shown, "Select" needs
    // more than one tab.
    const QString closeLabel = PopOnTab ? QStringLiteral("#") + QString::number(cur) : QStringLiteral("??");
    LabelPopClose[1].setCaption(closeLabel);
    LabelPopComClose[1].setCaption(closeLabel);
    CommandPopClose[1].setEnabled(PopOnTab);
    CommandPopComClose[1].setEnabled(PopOnTab);
    CommandPopClose[2].setEnabled(PopTabCount != 1);
    CommandPopComClose[2].setEnabled(PopTabCount != 1);
}

bool frmWeb::keepsTyping(const vb::ComboBox& box) const
{
    // A page may load itself again and again: its arrival must not eat the address the
    // user is typing, nor take the caret out of the box the user is in.
    return PageArrivalShowing && box.isUserEditing() && box.hasFocus();
}

bool frmWeb::typingAddress() const
{
    const vb::ComboBox* box = ComboPopLocation.find(PopTabCurrent);
    return (box && keepsTyping(*box)) || keepsTyping(ComboPopComLocation);
}

} // namespace corvane
