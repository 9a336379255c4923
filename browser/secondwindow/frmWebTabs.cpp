// The secondary window's navigation (location boxes, Go, Back, Forward, Refresh, Search,
// Stop) and its tabs: switching, closing, the Select Tabs panel, the Tab List and the
// Create Tab panel.

#include "frmWeb.h"

#include "AddressRules.h"
#include "ControlBookmark.h"
#include "CorvaneApp.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace corvane {

namespace {

QColor buttonTextColour()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

// The window's rule for a typed address: blanks go; an address with its own scheme
// ("file:///...", "HTTPS://...") stays as it is; any other gets "www." (unless it has it)
// and "http://" in front. Blanks alone give "": there is nowhere to go.
QString popAddressNormalize(const QString& text)
{
    QString address = text;
    address.remove(QLatin1Char(' '));
    if (address.isEmpty() || AddressHasScheme(address))
        return address;
    if (!address.startsWith(QLatin1String("www.")))
        address.prepend(QLatin1String("www."));
    return QLatin1String("http://") + address;
}

} // namespace

void frmWeb::wireTabEvents()
{
    CommandPopGo.onClick = [this] { CommandPopGo_Click(); };
    CommandPopComGo.onClick = [this] { CommandPopGo_Click(); };
    ComboPopLocation.onChange = [this](int i) { ComboPopLocation_Change(i); };
    ComboPopComLocation.onChange = [this] { ComboPopComLocation_Change(); };
    ComboPopLocation.onKeyPress = [this](int i, int& key) { ComboPopLocation_KeyPress(i, key); };
    ComboPopComLocation.onKeyPress = [this](int& key) { ComboPopComLocation_KeyPress(key); };
    // Picking an entry goes there at once.
    ComboPopLocation.onClick = [this](int) { CommandPopGo_Click(); };
    ComboPopComLocation.onClick = [this] { CommandPopGo_Click(); };

    ImagePopBack.onClick = [this] { ImagePopBack_Click(); };
    ImagePopComBack.onClick = [this] { ImagePopBack_Click(); };
    ImagePopForward.onClick = [this] { ImagePopForward_Click(); };
    ImagePopComForward.onClick = [this] { ImagePopForward_Click(); };
    // The pressed look: Back moves a little, Forward only changes its picture.
    for (Img* back : {&ImagePopBack, &ImagePopComBack})
        vb::arrowPressLook(*back, NavBack[0], NavBack[1], 120, 60);
    for (Img* forward : {&ImagePopForward, &ImagePopComForward})
        vb::arrowPressLook(*forward, NavForward[0], NavForward[1]);

    CommandPopRefresh.onClick = [this] { CommandPopRefresh_Click(); };
    CommandPopComRefresh.onClick = [this] { CommandPopRefresh_Click(); };
    CommandPopSearch.onClick = [this] { CommandPopSearch_Click(); };
    CommandPopComSearch.onClick = [this] { CommandPopSearch_Click(); };
    CommandPopStop.onClick = [this] { CommandPopStop_Click(); };
    CommandPopComStop.onClick = [this] { CommandPopStop_Click(); };

    CommandPopNew.onClick = [this](int i) { CommandPopNew_Click(i); };
    CommandPopComNew.onClick = [this](int i) { CommandPopNew_Click(i); };
    CommandPopClose.onClick = [this](int i) { CommandPopClose_Click(i); };
    CommandPopComClose.onClick = [this](int i) { CommandPopClose_Click(i); };
    CheckSelectPopTab.onClick = [this](int i) { CheckSelectPopTab_Click(i); };
    CommandPopSelectClose.onClick = [this](int i) { CommandPopSelectClose_Click(i); };

    CommandPopList.onClick = [this] { CommandPopList_Click(); };
    CommandPopListHide.onClick = [this] { CommandPopListHide_Click(); };
    CheckPopList.onClick = [this] { CheckPopList_Click(); };

    CommandPopCreateTab.onClick = [this] { CommandPopCreateTab_Click(); };
    CommandPopCreateOK.onClick = [this] { CommandPopCreateOK_Click(); };
    CommandPopCreateCancel.onClick = [this] { CommandPopCreateCancel_Click(); };
    TextPopCreate.onChange = [this] { TextPopCreate_Change(); };
    TextPopCreate.onKeyPress = [this](int& key) { TextPopCreate_KeyPress(key); };
}

// ---------------------------------------------------------------------------------------
// Navigation

void frmWeb::CommandPopGo_Click()
{
    vb::WebBrowser* b = shownBrowser();
    if (!b)
        return;
    QString text;
    if (PopFullWindow)
        text = ComboPopComLocation.text();
    else if (const vb::ComboBox* box = ComboPopLocation.find(PopTabCurrent))
        text = box->text();
    // The typed text is acted on: the boxes show the page's address again.
    ComboPopComLocation.endUserEdit();
    if (vb::ComboBox* box = ComboPopLocation.find(PopTabCurrent))
        box->endUserEdit();
    if (text == b->locationURL().toLower())
        return;
    const QString address = popAddressNormalize(text);
    if (address.isEmpty())
        return;
    // The typed text has been acted on: it is no reason to go there again later.
    PopBoxEdited[PopTabCurrent] = false;
    try {
        b->navigate(address);
    } catch (const vb::Error&) {
    }
}

void frmWeb::ComboPopLocation_Change(int index)
{
    // Marked as the user's; the display clears the mark whenever it writes the box itself.
    if (index >= 0 && index <= MaxPopTabs)
        PopBoxEdited[index] = true;
    const vb::ComboBox* box = ComboPopLocation.find(index);
    const vb::WebBrowser* b = shownBrowser();
    const QString text = box ? box->text() : QString();
    CommandPopGo.setEnabled(!text.isEmpty() && (!b || text != b->locationURL()));
}

void frmWeb::ComboPopComLocation_Change()
{
    const vb::WebBrowser* b = shownBrowser();
    const QString text = ComboPopComLocation.text();
    CommandPopComGo.setEnabled(!text.isEmpty() && (!b || text != b->locationURL()));
}

void frmWeb::ComboPopLocation_KeyPress(int index, int& keyAscii)
{
    if (keyAscii != 13)
        return;
    keyAscii = 0;
    if (const vb::ComboBox* box = ComboPopLocation.find(index); box && !box->text().isEmpty())
        CommandPopGo_Click();
}

void frmWeb::ComboPopComLocation_KeyPress(int& keyAscii)
{
    if (keyAscii != 13)
        return;
    keyAscii = 0;
    if (!ComboPopComLocation.text().isEmpty())
        CommandPopGo_Click();
}

// Back and Forward: the control's refusal is how the window learns that no page is left in
// that direction; a step that succeeds makes the other direction available.
void frmWeb::step(bool forward)
{
    const int cur = PopTabCurrent;
    PopPopupGuard = true;
    try {
        vb::WebBrowser* b = shownBrowser();
        if (!b)
            throw vb::Error(vb::ErrNoSuchElement, "No page is shown");
        if (forward)
            b->goForward();
        else
            b->goBack();
        (forward ? PopCanGoBack : PopCanGoForward)[cur] = true;
    } catch (const vb::Error&) {
        // Nothing navigates: new windows are allowed again.
        PopPopupGuard = false;
        (forward ? PopCanGoForward : PopCanGoBack)[cur] = false;
    }
    backForwardShow();
    PicturePop.setFocus();
}

void frmWeb::ImagePopBack_Click()
{
    step(false);
}

void frmWeb::ImagePopForward_Click()
{
    step(true);
}

void frmWeb::CommandPopRefresh_Click()
{
    PopPopupGuard = true;
    try {
        vb::WebBrowser* b = shownBrowser();
        // A browser that never had a page has nothing to load again, and reports nothing.
        if (!b || !b->hasEngine())
            throw vb::Error(vb::ErrControlFailed, "No page to refresh");
        b->refresh();
    } catch (const vb::Error&) {
        PopPopupGuard = false;
    }
    PicturePop.setFocus();
}

void frmWeb::CommandPopSearch_Click()
{
    PopPopupGuard = true;
    try {
        vb::WebBrowser* b = shownBrowser();
        if (!b)
            throw vb::Error(vb::ErrNoSuchElement, "No page is shown");
        b->goSearch();
    } catch (const vb::Error&) {
        PopPopupGuard = false;
    }
    PicturePop.setFocus();
}

void frmWeb::CommandPopStop_Click()
{
    try {
        if (vb::WebBrowser* b = shownBrowser())
            b->stop();
    } catch (const vb::Error&) {
    }
    // A stopped navigation never completes: new windows are allowed again.
    PopPopupGuard = false;
    PopSlotLoading[PopTabCurrent] = false;
    PicturePop.setFocus();
}

// ---------------------------------------------------------------------------------------
// Tabs

void frmWeb::CommandPopNew_Click(int index)
{
    if (index < 0 || index > MaxPopTabs || !PopTabSlotUsed[index])
        return;
    PopPreviousPending = true;
    PopPreviousIndex = PopTabCurrent;
    if (index == PopTabCurrent) {
        // The shown tab's button again: back to the window's own page.
        PopTabCurrent = 0;
        PopOnTab = false;
    } else {
        PopTabCurrent = index;
        // The user typed in that slot's box and left it: the tab goes there now. A box
        // that only still shows the tab's earlier page (the page changed behind the one
        // shown) is no such request.
        vb::WebBrowser* b = BrowserPop.find(index);
        const vb::ComboBox* box = ComboPopLocation.find(index);
        const bool edited = PopBoxEdited[index];
        PopBoxEdited[index] = false;
        if (vb::ComboBox* typedBox = ComboPopLocation.find(index))
            typedBox->endUserEdit();
        if (edited && b && box && !box->text().trimmed().isEmpty() && box->text() != b->locationURL()) {
            PopPopupGuard = true;
            try {
                b->navigate(box->text());
            } catch (const vb::Error&) {
            }
        }
        PopOnTab = index > 0;
    }
    PopTitlePending = true;
    CurrentBrowserShow();
}

void frmWeb::closeTabSlot(int slot)
{
    if (slot < 1 || slot > MaxPopTabs)
        return;
    // A loading browser that goes takes its animation and its guard with it: its
    // navigation never completes now.
    if (PopBusyIndex == slot)
        stopBusy();
    if (PopSlotLoading[slot]) {
        PopSlotLoading[slot] = false;
        PopPopupGuard = false;
    }
    if (BrowserPop.exists(slot))
        BrowserPop.unload(slot);
    if (ComboPopLocation.exists(slot))
        ComboPopLocation.unload(slot);
    PopBoxEdited[slot] = false;
    PopTabSlotUsed[slot] = false;
    PopCanGoBack[slot] = false;
    PopCanGoForward[slot] = false;
    PopTabTitles[slot] = QStringLiteral("Closed");
    TextPopList[slot].setForeColor(buttonTextColour());
    CommandPopNew[slot].setToolTip(QStringLiteral("Closed"));
    CommandPopComNew[slot].setToolTip(QStringLiteral("Closed"));
    CommandPopNew[slot].setEnabled(false);
    CommandPopComNew[slot].setEnabled(false);
}

void frmWeb::newTabWithoutPageDrop(int slot)
{
    if (slot < 1 || slot > MaxPopTabs || !PopTabSlotUsed[slot])
        return;
    closeTabSlot(slot);
    PopTabCount -= 1;
    int h = PopTabLastIndex;
    while (h > 0 && !PopTabSlotUsed[h])
        --h;
    PopTabLastIndex = h;
    // Back to the slot left when the tab opened; it never went off screen.
    const int back = PopPreviousPending ? PopPreviousIndex : 0;
    PopTabCurrent = back >= 0 && back <= MaxPopTabs && PopTabSlotUsed[back] ? back : 0;
    PopOnTab = PopTabCurrent > 0;
    PopPreviousPending = false;
    PopPreviousIndex = -1;
    CurrentBrowserShow();
}

void frmWeb::CommandPopClose_Click(int index)
{
    switch (index) {
    case 0:
        for (int i = 1; i <= PopTabLastIndex && i <= MaxPopTabs; ++i)
            if (PopTabSlotUsed[i])
                closeTabSlot(i);
        PopTabLastIndex = 0;
        PopTabCount = 0;
        break;
    case 1: {
        const int c = PopTabCurrent;
        if (!PopOnTab || c < 1 || c > MaxPopTabs || !PopTabSlotUsed[c])
            return;
        closeTabSlot(c);
        PopTabCount -= 1;
        int h = PopTabLastIndex;
        while (h > 0 && !PopTabSlotUsed[h])
            --h;
        PopTabLastIndex = h;
        break;
    }
    case 2: {
        // The Select Tabs panel: a second press hides it.
        vb::Frame& panel = FrameSmallPop[6];
        if (panel.isVisible()) {
            panel.setVisible(false);
            return;
        }
        for (int i = 1; i <= MaxPopTabs; ++i) {
            vb::CheckBox& box = CheckSelectPopTab[i];
            const bool listed = i <= PopTabLastIndex;
            box.setVisible(listed);
            // Hidden boxes are cleared too: a tab opened above the list while the panel is
            // up must not inherit a tick from an earlier selection.
            box.setValue(0);
            if (listed)
                box.setEnabled(PopTabSlotUsed[i]);
        }
        const int rows = (PopTabLastIndex + 3) / 4;
        const double rowEnd = double(FramePopNew.width() + FramePopNew.left()) / m_app.prog.TwipsPerPixelX;
        panel.setTop(PopBandHeight);
        panel.setLeft(vb::toInt16(rowEnd - (panel.width() + 12)));
        panel.setHeight(rows * 24 + 89);
        FrameButPopSelect.setTop(rows * 360 + 360);
        PopSelectCount = 0;
        CommandPopSelectClose[1].setEnabled(false);
        CommandPopSelectClose[2].setEnabled(false);
        PopPanelShow(6, true);
        return;
    }
    default:
        return;
    }
    PopTabCurrent = 0;
    PopOnTab = false;
    PopTitlePending = true;
    CurrentBrowserShow();
}

void frmWeb::CheckSelectPopTab_Click(int index)
{
    PopSelectCount += CheckSelectPopTab[index].value() == 1 ? 1 : -1;
    CommandPopSelectClose[1].setEnabled(PopSelectCount != 0);
    CommandPopSelectClose[2].setEnabled(PopSelectCount != 0);
}

void frmWeb::CommandPopSelectClose_Click(int index)
{
    const int last = std::min(PopTabLastIndex, int(MaxPopTabs));
    switch (index) {
    case 0:
        FrameSmallPop[6].setVisible(false);
        break;
    case 1: {
        bool shownClosed = false;
        for (int i = 1; i <= last; ++i) {
            if (CheckSelectPopTab[i].value() != 1 || !PopTabSlotUsed[i])
                continue;
            if (i == PopTabCurrent)
                shownClosed = true;
            closeTabSlot(i);
            PopTabCount -= 1;
        }
        int h = last;
        while (h > 0 && !PopTabSlotUsed[h])
            --h;
        for (int i = h + 1; i <= last; ++i) {
            PopTabTitles[i].clear();
            CommandPopNew[i].setToolTip(QString());
            CommandPopComNew[i].setToolTip(QString());
        }
        PopTabLastIndex = h;
        FrameSmallPop[6].setVisible(false);
        if (shownClosed) {
            PopTabCurrent = 0;
            PopOnTab = false;
            // The caption and the box must name the own page again, not the closed tab.
            PopTitlePending = true;
        }
        CurrentBrowserShow();
        break;
    }
    case 2:
        for (int i = 1; i <= last; ++i) {
            if (CheckSelectPopTab[i].value() != 1)
                continue;
            const vb::WebBrowser* b = BrowserPop.find(i);
            const QString address = b ? b->locationURL() : QString();
            // A tab whose page never arrived has nothing to bookmark.
            if (!address.isEmpty() && !BookmarkExists(m_app, address))
                BookmarkAdd(m_app, PopTabTitles[i], address);
        }
        FrameSmallPop[6].setVisible(false);
        break;
    case 3:
        if (PopSelectCount < 1) {
            for (int i = 1; i <= last; ++i)
                if (PopTabSlotUsed[i])
                    CheckSelectPopTab[i].setValue(1);
        } else {
            for (int i = 1; i <= last; ++i)
                CheckSelectPopTab[i].setValue(0);
        }
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// The Tab List

void frmWeb::CommandPopList_Click()
{
    if (FramePopList.isVisible()) {
        CommandPopListHide_Click();
        return;
    }
    PopListVisible = true;
    // Its lines were not kept while it was hidden.
    TabListRefresh();
    FramePopList.setVisible(true);
    PopPanelShow(-1, true);
}

void frmWeb::CommandPopListHide_Click()
{
    PopListVisible = false;
    FramePopList.setVisible(false);
    PicturePop.setFocus();
}

void frmWeb::CheckPopList_Click()
{
    PopListKeepHidden = !PopListKeepHidden;
    PopListVisible = !PopListKeepHidden;
    if (PopListVisible)
        TabListRefresh();
    FramePopList.setVisible(PopListVisible);
    PicturePop.setFocus();
}

// ---------------------------------------------------------------------------------------
// Create Tab

void frmWeb::CommandPopCreateTab_Click()
{
    vb::Frame& panel = FrameSmallPop[0];
    if (panel.isVisible()) {
        panel.setVisible(false);
        PicturePop.setFocus();
        return;
    }
    if (PopTabCount >= MaxPopTabs) {
        showTooManyTabs();
        return;
    }
    const QString address = m_app.productPageAddress();
    createAddressSet(address);
    TextPopCreate.setText(address);
    TextPopCreate.setSelStart(0);
    TextPopCreate.setSelLength(int(address.size()));
    if (PopFullWindow)
        panel.move(24, FramePopOne.height() + FramePopOne.top() + 4);
    else
        panel.move(8, 32);
    PopPanelShow(0, false);
    TextPopCreate.setFocus();
}

void frmWeb::TextPopCreate_Change()
{
    CommandPopCreateOK.setEnabled(!TextPopCreate.text().isEmpty());
}

void frmWeb::TextPopCreate_KeyPress(int& keyAscii)
{
    if (keyAscii != 13)
        return;
    keyAscii = 0;
    if (!TextPopCreate.text().isEmpty())
        CommandPopCreateOK_Click();
}

// The address of a Create panel is shared by every window; while the main window's own
// Create panel waits with its address there, this window's panel leaves it alone.
void frmWeb::createAddressSet(const QString& address)
{
    PanelVars& p = m_app.panel;
    if (!p.CreateTabPending && !p.CreateBrowserPending)
        p.CreateAddress = address;
}

void frmWeb::CommandPopCreateOK_Click()
{
    QString typed = TextPopCreate.text();
    typed.remove(QLatin1Char(' '));
    // Blanks alone are no address (the main window's Create panel reads them so too).
    const QString address = typed.isEmpty() ? QString() : TypedAddressNormalize(typed);
    createAddressSet(address);
    if (address.isEmpty())
        return;
    FrameSmallPop[0].setVisible(false);
    // Pages may have opened tabs while the panel was open.
    if (PopTabCount >= MaxPopTabs) {
        showTooManyTabs();
        return;
    }
    vb::WebBrowser* browser = nullptr;
    try {
        browser = &openTabSlot();
    } catch (const std::exception&) {
        return;
    }
    try {
        browser->navigate(address);
    } catch (const vb::Error&) {
        // No page is on its way: the new tab comes on screen empty now.
        CurrentBrowserShow();
    }
}

void frmWeb::CommandPopCreateCancel_Click()
{
    FrameSmallPop[0].setVisible(false);
    PicturePop.setFocus();
}

} // namespace corvane
