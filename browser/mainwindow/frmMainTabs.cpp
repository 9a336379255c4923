// Switching main browsers, and the tabs: switching, closing, the Select Tabs panel and the
// Tab List's "Keep Hidden".

#include "frmMain.h"

#include "AddressRules.h"
#include "ControlBookmark.h"
#include "ControlButton.h"
#include "CorvaneApp.h"

#include <QApplication>
#include <QPalette>

namespace corvane {

namespace {

QColor buttonTextColour()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

} // namespace

void frmMain::wireTabEvents()
{
    CommandBrowser.onClick = [this](int i) { CommandBrowser_Click(i); };
    CommandShowBrowser.onClick = [this](int i) { CommandBrowser_Click(i); };
    CommandWebNew.onClick = [this](int i) { CommandWebNew_Click(i); };
    CommandWebComNew.onClick = [this](int i) { CommandWebNew_Click(i); };
    CommandWebClose.onClick = [this](int i) { CommandWebClose_Click(i); };
    CommandWebComClose.onClick = [this](int i) { CommandWebClose_Click(i); };
    CommandWebSelectClose.onClick = [this](int i) { CommandWebSelectClose_Click(i); };
    CheckSelectWebTab.onClick = [this](int i) { CheckSelectWebTab_Click(i); };
    CheckWebList.onClick = [this] { CheckWebList_Click(); };
}

// ---------------------------------------------------------------------------------------
// Main browser switching

void frmMain::CommandBrowser_Click(int index)
{
    BrowserSet& s = m_app.set;
    if (index < 0 || index > 5)
        return;

    // The browser already on screen: the notice says so (a second pick hides it).
    if (index == s.MainBrowserIndex && s.MainBrowserCurrent) {
        if (!FrameActiveBrow.isVisible()) {
            if (s.FullWindowMode) {
                FrameActiveBrow.setTop(FrameBrowser.top() + FrameBrowser.height());
                FrameActiveBrow.setLeft(FrameBrowser.left() + 20 + index * 40);
            } else {
                FrameActiveBrow.setTop(72);
                FrameActiveBrow.setLeft(468 + index * 40);
            }
        }
        FrameActiveBrow.setVisible(!FrameActiveBrow.isVisible());
        PictureMain.setFocus();
        return;
    }

    if (s.TabBrowserCurrent) {
        s.ReturnIsTab = true;
        s.BrowserReturnIndex = s.TabCurrentIndex;
        s.TabCurrentIndex = 0;
        s.TabBrowserCurrent = false;
    } else if (s.BookmarkBrowserCurrent) {
        s.ReturnIsMain = true;
        s.BrowserReturnIndex = BookmarkBrowserIndex;
        s.BookmarkBrowserCurrent = false;
    } else {
        s.ReturnIsMain = true;
        s.BrowserReturnIndex = s.MainBrowserIndex;
    }

    const int old = s.MainBrowserIndex;
    LabelShowBrowser[old].setBackStyle(0);
    LabelBrowser[old].setCaption(QString::number(old + 1));
    LabelShowBrowser[old].setCaption(QString::number(old + 1));
    CommandBrowser[old].setPicture(BButton[5].picture());
    CommandShowBrowser[old].setPicture(BButton[5].picture());

    s.MainBrowserIndex = index;
    LabelShowBrowser[index].setBackStyle(1);
    LabelBrowser[index].setCaption(QStringLiteral("Browser"));
    LabelShowBrowser[index].setCaption(QStringLiteral("Browser"));
    CommandBrowser[index].setPicture(BButton[3].picture());
    CommandShowBrowser[index].setPicture(BButton[3].picture());

    s.MainBrowserCurrent = true;
    s.LocationListPending = true;
    s.BackForwardPending = true;

    if (s.MainBrowserNotShown[index]) {
        s.MainBrowserNotShown[index] = false;
        s.PopupGuard = true;
        if (vb::WebBrowser* b = WebBrowser.find(index)) {
            try {
                b->navigate(m_app.opt.MainBrowserHomePages[index]);
            } catch (const vb::Error&) {
            }
        }
    }
    // Shown at once, also on its first pick: with a home page that never arrives the
    // screen and the state would otherwise disagree.
    CurrentBrowserShow(m_app);
}

// ---------------------------------------------------------------------------------------
// Tabs

void frmMain::TabsLeave(bool show)
{
    BrowserSet& s = m_app.set;
    s.TabCurrentIndex = 0;
    s.TabBrowserCurrent = false;
    s.BookmarkBrowserCurrent = s.BookmarkBrowserOpen;
    s.MainBrowserCurrent = !s.BookmarkBrowserOpen;
    s.BackForwardPending = true;
    s.ComLocationPending = s.FullWindowMode;
    if (show)
        CurrentBrowserShow(m_app);
}

void frmMain::NewTabWithoutPageDrop(int slot)
{
    BrowserSet& s = m_app.set;
    if (slot < 1 || slot > MaxTabs || !s.TabSlotUsed[slot])
        return;
    const int h = tabSlotFree(slot);
    s.TabTitles[slot] = slot < h ? QStringLiteral("Closed") : QString();
    CommandWebNew[slot].setToolTip(s.TabTitles[slot]);
    CommandWebComNew[slot].setToolTip(s.TabTitles[slot]);
    CommandWebNew[slot].setEnabled(false);
    CommandWebComNew[slot].setEnabled(false);
    // Back to the browser left when the tab opened; it never went off screen.
    s.TabBrowserCurrent = false;
    s.TabCurrentIndex = 0;
    const int back = s.BrowserReturnIndex;
    if (s.ReturnIsTab && back >= 1 && back <= MaxTabs && s.TabSlotUsed[back]) {
        s.TabBrowserCurrent = true;
        s.TabCurrentIndex = back;
    } else if (s.ReturnIsMain && back == BookmarkBrowserIndex && s.BookmarkBrowserOpen) {
        s.BookmarkBrowserCurrent = true;
    } else if (s.ReturnIsMain && back >= 0 && back <= m_app.opt.MainBrowserLastIndex) {
        s.MainBrowserCurrent = true;
        s.MainBrowserIndex = back;
    } else {
        TabsLeave(false);
    }
    s.ReturnIsTab = false;
    s.ReturnIsMain = false;
    s.BrowserReturnIndex = -1;
    s.BackForwardPending = true;
    s.ComLocationPending = s.FullWindowMode;
    CurrentBrowserShow(m_app);
}

void frmMain::TabUnload(int i)
{
    BrowserSet& s = m_app.set;
    if (BrowserNew.exists(i))
        BrowserNew.unload(i);
    if (ComboWebLocation.exists(i))
        ComboWebLocation.unload(i);
    TabBoxEdited[i] = false;
    // A new tab in this slot starts without the old one's history.
    s.TabHasHistory[i] = false;
    s.TabCanGoForward[i] = false;
    if (s.TabLoadingIndex == i) {
        s.TabLoadingIndex = -1;
        TimerMainBrow.setEnabled(false);
        BusyFrame = 0;
        ImageBusy[s.BarIndex].setPicture(ImageShow[0].picture());
        // Its navigation never completes now: new windows are allowed again, as after Stop.
        s.PopupGuard = false;
    }
}

void frmMain::CommandWebNew_Click(int index)
{
    BrowserSet& s = m_app.set;
    if (index < 1 || index > MaxTabs || !s.TabSlotUsed[index])
        return;
    s.BackForwardPending = true;
    if (s.TabBrowserCurrent) {
        s.ReturnIsTab = true;
        s.BrowserReturnIndex = s.TabCurrentIndex;
        if (index == s.TabCurrentIndex) {
            s.TabCurrentIndex = 0;
            s.TabBrowserCurrent = false;
            s.BookmarkBrowserCurrent = s.BookmarkBrowserOpen;
            s.MainBrowserCurrent = !s.BookmarkBrowserOpen;
        } else {
            s.TabCurrentIndex = index;
        }
        s.ComLocationPending = s.FullWindowMode;
        CurrentBrowserShow(m_app);
        return;
    }

    s.ReturnIsMain = true;
    s.BrowserReturnIndex = s.BookmarkBrowserCurrent ? BookmarkBrowserIndex : s.MainBrowserIndex;
    s.TabCurrentIndex = index;
    s.TabBrowserCurrent = true;
    s.MainBrowserCurrent = false;
    s.BookmarkBrowserCurrent = false;
    s.ComLocationPending = s.FullWindowMode;

    // An address the user typed into the tab's box while it was away is visited now, by
    // the same rule as Go.
    vb::WebBrowser* tab = BrowserNew.find(index);
    if (tab && TabBoxEdited[index]) {
        const QString address = TypedAddressNormalize(ComboWebLocation[index].text());
        TabBoxEdited[index] = false;
        ComboWebLocation[index].endUserEdit();
        if (address != tab->locationURL()) {
            s.PopupGuard = true;
            try {
                tab->navigate(address);
            } catch (const vb::Error&) {
            }
        }
    }
    CurrentBrowserShow(m_app);
}

void frmMain::CommandWebClose_Click(int index)
{
    if (index == 0)
        allTabsClose();
    else if (index == 1)
        currentTabClose();
    else if (index == 2)
        selectTabsPanelToggle();
}

void frmMain::allTabsClose()
{
    BrowserSet& s = m_app.set;
    const QColor normal = buttonTextColour();
    for (int i = 1; i <= s.TabLastIndex; ++i) {
        if (s.TabSlotUsed[i]) {
            TabUnload(i);
            s.TabSlotUsed[i] = false;
        }
        s.TabTitles[i].clear();
        TextWebList[i].setForeColor(normal);
        CommandWebNew[i].setToolTip(QString());
        CommandWebComNew[i].setToolTip(QString());
        CommandWebNew[i].setEnabled(false);
        CommandWebComNew[i].setEnabled(false);
    }
    s.TabLastIndex = 0;
    s.TabCount = 0;
    TabsLeave();
}

void frmMain::currentTabClose()
{
    BrowserSet& s = m_app.set;
    const int c = s.TabCurrentIndex;
    if (!s.TabBrowserCurrent || c < 1 || !s.TabSlotUsed[c])
        return;
    const int h = tabSlotFree(c);
    if (c < h)
        s.TabTitles[c] = QStringLiteral("Closed");
    else
        for (int k = h + 1; k <= c; ++k)
            s.TabTitles[k].clear();
    TextWebList[c].setForeColor(buttonTextColour());
    CommandWebNew[c].setToolTip(s.TabTitles[c]);
    CommandWebComNew[c].setToolTip(s.TabTitles[c]);
    CommandWebNew[c].setEnabled(false);
    CommandWebComNew[c].setEnabled(false);
    TabsLeave();
}

void frmMain::selectTabsPanelToggle()
{
    const BrowserSet& s = m_app.set;
    PictureMain.setFocus();
    if (FrameWebSelectClose.isVisible()) {
        FrameWebSelectClose.setVisible(false);
        CommandWebClose[2].setPicture(BButton[10].picture());
        CommandWebComClose[2].setPicture(BButton[10].picture());
        return;
    }
    for (int i = 1; i <= MaxTabs; ++i) {
        vb::CheckBox& box = CheckSelectWebTab[i];
        const bool listed = i <= s.TabLastIndex;
        box.setVisible(listed);
        // Hidden boxes are cleared too: a tab opened above the list while the panel is
        // up must not inherit a tick from an earlier selection.
        box.setValue(0);
        if (listed)
            box.setEnabled(s.TabSlotUsed[i]);
    }
    const int rows = (s.TabLastIndex + 3) / 4;
    const int tppx = m_app.prog.TwipsPerPixelX;
    // The panel opens under the Select button's end of the tab row, on the band or on the
    // full-window bar.
    if (s.FullWindowMode) {
        FrameWebSelectClose.setTop(FrameCommon.height());
        const double point = double(FrameWebComNew.left() + FrameWebComClose.left() + CommandWebComClose[2].left()) / tppx;
        FrameWebSelectClose.setLeft(vb::toInt16(point + FrameCommon.left() - (FrameWebSelectClose.width() + 12)));
    } else {
        FrameWebSelectClose.setTop(s.BrowserTop);
        const double point = double(FrameWebNew.width() + FrameWebNew.left()) / tppx;
        FrameWebSelectClose.setLeft(vb::toInt16(point - (FrameWebSelectClose.width() + 12)));
    }
    FrameWebSelectClose.setHeight(rows * 24 + 89);
    FrameButWebSelect.setTop(rows * 360 + 360);
    SelectedTabCount = 0;
    CommandWebSelectClose[1].setEnabled(false);
    CommandWebSelectClose[2].setEnabled(false);
    CommandWebClose[2].setPicture(BButton[3].picture());
    CommandWebComClose[2].setPicture(BButton[3].picture());
    FrameWebSelectClose.setVisible(true);
}

int frmMain::tabSlotFree(int slot)
{
    BrowserSet& s = m_app.set;
    TabUnload(slot);
    s.TabSlotUsed[slot] = false;
    s.TabCount -= 1;
    int h = s.TabLastIndex;
    while (h > 0 && !s.TabSlotUsed[h])
        --h;
    s.TabLastIndex = h;
    return h;
}

void frmMain::CheckSelectWebTab_Click(int index)
{
    SelectedTabCount += CheckSelectWebTab[index].value() == 1 ? 1 : -1;
    CommandWebSelectClose[1].setEnabled(SelectedTabCount != 0);
    CommandWebSelectClose[2].setEnabled(SelectedTabCount != 0);
}

void frmMain::CommandWebSelectClose_Click(int index)
{
    BrowserSet& s = m_app.set;
    PictureMain.setFocus();
    auto hidePanel = [this] {
        FrameWebSelectClose.setVisible(false);
        CommandWebClose[2].setPicture(BButton[10].picture());
        CommandWebComClose[2].setPicture(BButton[10].picture());
    };
    switch (index) {
    case 0:
        hidePanel();
        break;
    case 1: {
        bool currentClosed = false;
        const QColor normal = buttonTextColour();
        const int oldLast = s.TabLastIndex;
        for (int i = 1; i <= oldLast; ++i) {
            if (CheckSelectWebTab[i].value() != 1)
                continue;
            if (s.TabBrowserCurrent && i == s.TabCurrentIndex)
                currentClosed = true;
            if (s.TabSlotUsed[i]) {
                TabUnload(i);
                s.TabTitles[i] = QStringLiteral("Closed");
                TextWebList[i].setForeColor(normal);
                CommandWebNew[i].setToolTip(QStringLiteral("Closed"));
                CommandWebComNew[i].setToolTip(QStringLiteral("Closed"));
                CommandWebNew[i].setEnabled(false);
                CommandWebComNew[i].setEnabled(false);
                s.TabSlotUsed[i] = false;
                s.TabCount -= 1;
            }
        }
        int h = 0;
        if (s.TabCount > 0) {
            h = oldLast;
            while (h > s.TabCount && !s.TabSlotUsed[h])
                --h;
        }
        for (int i = h + 1; i <= oldLast; ++i) {
            s.TabTitles[i].clear();
            CommandWebNew[i].setToolTip(QString());
            CommandWebComNew[i].setToolTip(QString());
        }
        s.TabLastIndex = h;
        hidePanel();
        if (currentClosed)
            TabsLeave(false);
        CurrentBrowserShow(m_app);
        break;
    }
    case 2:
        for (int i = 1; i <= s.TabLastIndex; ++i) {
            if (CheckSelectWebTab[i].value() != 1 || !BrowserNew.exists(i))
                continue;
            const QString address = BrowserNew[i].locationURL();
            // A tab whose page never arrived has no address: there is nothing to bookmark.
            if (!address.isEmpty() && !BookmarkExists(m_app, address))
                BookmarkAdd(m_app, s.TabTitles[i], address);
        }
        hidePanel();
        break;
    case 3:
        if (SelectedTabCount < 1) {
            for (int i = 1; i <= s.TabLastIndex; ++i)
                if (s.TabSlotUsed[i])
                    CheckSelectWebTab[i].setValue(1);
        } else {
            for (int i = 1; i <= s.TabLastIndex; ++i)
                CheckSelectWebTab[i].setValue(0);
        }
        break;
    default:
        break;
    }
}

void frmMain::CheckWebList_Click()
{
    BrowserSet& s = m_app.set;
    s.TabListAutoShow = !s.TabListAutoShow;
    if (s.TabListAutoShow)
        return;
    FrameMenu[5].setVisible(false);
    CommandMenu[5].setPicture(BButton[0].picture());
    if (s.MenuOpenIndex == 0) {
        s.MenuOpenIndex = -1;
        s.PageMenuFollowsOption = true;
        FrameMenu[0].setVisible(m_app.opt.ShowPageButtons);
    }
    PictureMain.setFocus();
}

} // namespace corvane
