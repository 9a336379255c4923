// The secondary window's browser events: the pop-up guard, progress, the busy animation
// and Stop, the back state, the page note of a finished page, and new windows of its
// pages, which become tabs of this window.

#include "frmWeb.h"

#include "ControlBookmark.h"
#include "ControlMessage.h"
#include "CorvaneApp.h"

#include <algorithm>

namespace corvane {

void frmWeb::wireBrowserEvents()
{
    BrowserPop.onBeforeNavigate2 = [this](int i) { BrowserPop_BeforeNavigate2(i); };
    BrowserPop.onDownloadBegin = [this](int i) { BrowserPop_DownloadBegin(i); };
    BrowserPop.onDownloadComplete = [this](int i) { BrowserPop_DownloadComplete(i); };
    BrowserPop.onProgressChange = [this](int i, qint32 p, qint32 m) { BrowserPop_ProgressChange(i, p, m); };
    BrowserPop.onNavigateComplete2 = [this](int i) { BrowserPop_NavigateComplete2(i); };
    BrowserPop.onNavigateError = [this](int i, bool& cancel) { BrowserPop_NavigateError(i, cancel); };
    BrowserPop.onNewWindow2 = [this](int i, vb::WebBrowser*& pp, bool& cancel) { BrowserPop_NewWindow2(i, pp, cancel); };
    BrowserPop.onSameDocumentNavigate = [this](int i, const QString& previous) { BrowserPop_SameDocument(i, previous); };
    BrowserPop.onFileDownload = [this](int i) { BrowserPop_FileDownload(i); };
    BrowserPop.onNewWindowCheck = [this](int i, bool& cancel) { BrowserPop_NewWindowCheck(i, cancel); };
    BrowserPop.onPageTrouble = [this](int i) { BrowserPop_PageTrouble(i); };
    PageNoticeBox.pageArea = [this] { return QRect(PopBrowserLeft, PopBandHeight, PopBrowserWidth, PopBrowserHeight); };
    TimerPop.onTimer = [this] { TimerPop_Timer(); };
}

void frmWeb::BrowserPop_BeforeNavigate2(int index)
{
    // What the notice said of this slot's last page is over.
    if (const vb::WebBrowser* b = BrowserPop.find(index); b && PageNoticeBox.about() == b)
        PageNoticeBox.hide();
    PopPopupGuard = true;
    if (index >= 0 && index <= MaxPopTabs)
        PopSlotLoading[index] = true;
    CommandPopGo.setEnabled(false);
    vb::ProgressBar& bar = ProgressPop[PopBarIndex];
    bar.setValue(0);
    bar.refresh();
    bar.setVisible(true);
}

void frmWeb::BrowserPop_DownloadBegin(int index)
{
    // Downloads of slots not shown start no animation.
    if (index != PopTabCurrent)
        return;
    PopBusyIndex = index;
    CommandPopStop.setEnabled(true);
    TimerPop.setEnabled(true);
}

void frmWeb::BrowserPop_DownloadComplete(int index)
{
    if (index >= 0 && index <= MaxPopTabs)
        PopSlotLoading[index] = false;
    // A load ends here whether or not it brought a page (a download, an empty answer, a
    // load given up): once no page of this window loads, new windows are allowed again.
    if (std::none_of(PopSlotLoading.begin(), PopSlotLoading.end(), [](bool loading) { return loading; }))
        PopPopupGuard = false;
    if (index == PopBusyIndex)
        stopBusy();
}

void frmWeb::TimerPop_Timer()
{
    // Six frames, 1 to 6; a new download goes on from where the last one stopped.
    PopBusyFrame = PopBusyFrame == 6 ? 1 : PopBusyFrame + 1;
    ImageCrazy[PopBarIndex].setPicture(ImageShow[PopBusyFrame].picture());
}

void frmWeb::BrowserPop_ProgressChange(int, qint32 progress, qint32 progressMax)
{
    int percent = 0;
    if (progressMax > 0 && progress > 0 && progress < progressMax)
        percent = vb::toInt16(double(qint64(progress) * 100) / double(progressMax));
    vb::ProgressBar& bar = ProgressPop[PopBarIndex];
    bar.setVisible(percent != 0);
    bar.setValue(percent);
    bar.refresh();
}

void frmWeb::BrowserPop_NavigateComplete2(int index)
{
    PopPopupGuard = false;
    // The slot that navigated can go back (in ordinary use it is the shown one; a page of a
    // slot not shown must not offer Back to the shown one).
    if (index >= 0 && index <= MaxPopTabs) {
        PopCanGoBack[index] = true;
        PopSlotLoading[index] = false;
    }
    // A page that arrives in a tab the user is not looking at changes only what shows that
    // tab: the user's panels, focus, address box and the note on screen stay as they are.
    if (index != PopTabCurrent) {
        SlotTitleShow(index);
        return;
    }
    PopFirstLoad = false;
    PopTitlePending = true;

    const vb::WebBrowser* b = BrowserPop.find(index);
    const QString address = b ? b->locationURL() : QString();
    NoteVars& p = PopNote;
    bool noteReady = false;
    if (m_app.lists.ShowNotes) {
        p.CurrentNoteIndex = NoteFindForPage(m_app, address);
        p.NoteExists = p.CurrentNoteIndex != -1;
        const QString text = p.NoteExists ? NoteTextGet(m_app, p.CurrentNoteIndex) : QString();
        if (p.NoteExists && !text.isEmpty()) {
            // The read face. The texts go first: writing them raises Change, which would
            // offer "Save" again.
            TextPopNote[0].setText(address);
            TextPopNote[1].setText(text);
            LabelPopNote[6].setVisible(false);
            LabelPopNote[7].setVisible(false);
            TextPopNote[1].setVisible(false);
            CommandPopNoteOK.setEnabled(false);
            LabelPopNote[1].setVisible(true);
            LabelPopNote[1].setCaption(text);
            CommandPopNoteRemove.setEnabled(true);
            CommandPopNoteEdit.setEnabled(true);
            LabelPopNoteNoShow.setVisible(true);
            CommandPopNoteNoShow.setVisible(true);
            p.NoteEditing = false;
            noteReady = true;
        }
    }

    struct Arrival {
        bool& showing;
        ~Arrival() { showing = false; }
    } arrival{PageArrivalShowing = true};
    CurrentBrowserShow();

    // The note panel opens where it last stood; the other panels stay as they are.
    if (noteReady)
        FrameSmallPop[4].setVisible(true);
}

void frmWeb::BrowserPop_NavigateError(int index, bool& cancel)
{
    cancel = true;
    // The navigation ends without a page: new windows are allowed again.
    PopPopupGuard = false;
    if (index >= 0 && index <= MaxPopTabs)
        PopSlotLoading[index] = false;
    // A new tab whose first page cannot be reached is the shown slot but not yet on screen:
    // it comes on screen empty, so that the screen and the state agree.
    if (index == PopTabCurrent)
        if (const vb::WebBrowser* b = BrowserPop.find(index); b && !b->isVisible())
            CurrentBrowserShow();
    // The old page stays and the typed address stays in its box: the notice says why.
    BrowserPop_PageTrouble(index);
}

void frmWeb::BrowserPop_PageTrouble(int index)
{
    if (const vb::WebBrowser* b = BrowserPop.find(index); b && index == PopTabCurrent)
        PageNoticeBox.tellFailure(*b);
}

void frmWeb::BrowserPop_SameDocument(int index, const QString& previous)
{
    const vb::WebBrowser* b = BrowserPop.find(index);
    if (!b || index < 0 || index > MaxPopTabs)
        return;
    // The page moved within itself: its history may have grown (a fragment, pushState) or
    // not (replaceState); the engine knows.
    PopCanGoBack[index] = b->canGoBack();
    PopCanGoForward[index] = b->canGoForward();
    if (index != PopTabCurrent)
        return;
    // The page may do this at every key the user types into it or every second: nothing
    // but the address and Back/Forward may change, and the address only where the user is
    // not typing one of their own.
    backForwardShow();
    const QString address = b->locationURL();
    for (vb::ComboBox* box : {ComboPopLocation.find(index), PopBarIndex == 1 ? &ComboPopComLocation : nullptr})
        if (box && !box->hasFocus() && box->text() == previous)
            box->setText(address);
    if (const vb::ComboBox* box = ComboPopLocation.find(index); box && box->text() == address)
        PopBoxEdited[index] = false;
}

void frmWeb::BrowserPop_FileDownload(int index)
{
    // A new tab that is the shown slot but has not come on screen yet, opened only for a
    // file: nothing will ever show in it.
    if (index < 1 || index != PopTabCurrent)
        return;
    if (const vb::WebBrowser* b = BrowserPop.find(index); b && !b->isVisible() && b->locationURL().isEmpty())
        newTabWithoutPageDrop(index);
}

void frmWeb::showTooManyTabs()
{
    m_app.msg.MessageId = QStringLiteral("MessageTooManyTab");
    MessageShow(m_app);
}

vb::WebBrowser& frmWeb::openTabSlot()
{
    // Everything a failure half-way must give back.
    const bool previousPending = PopPreviousPending;
    const int previousIndex = PopPreviousIndex;
    const int current = PopTabCurrent;
    const bool onTab = PopOnTab;
    const int count = PopTabCount;
    const int last = PopTabLastIndex;
    const int band = PopBandHeight;
    const int browserHeight = PopBrowserHeight;
    int slot = -1;
    bool comboLoaded = false;
    bool browserLoaded = false;
    try {
        PopPreviousPending = true;
        PopPreviousIndex = PopTabCurrent;
        for (int i = 1; i <= PopTabLastIndex && i <= MaxPopTabs; ++i)
            if (!PopTabSlotUsed[i]) {
                slot = i;
                break;
            }
        if (slot == -1) {
            PopTabLastIndex += 1;
            slot = PopTabLastIndex;
        }
        if (slot > MaxPopTabs)
            throw vb::Error(vb::ErrNoSuchElement, "No tab slot is free");
        PopTabCurrent = slot;
        if (PopTabCount == 0) {
            PopBandHeight = BandWithTabs;
            PopBrowserHeight = PopHeight - (BandWithTabs + 32);
        }
        PopTabCount += 1;
        PopCanGoBack[slot] = false;
        PopCanGoForward[slot] = false;
        PopSlotLoading[slot] = false;
        // A slot used before starts without the old tab's title ("Closed"): its first page
        // may never arrive.
        PopTabTitles[slot].clear();
        CommandPopNew[slot].setToolTip(QString());
        CommandPopComNew[slot].setToolTip(QString());
        PopBoxEdited[slot] = false;
        CommandPopNew[slot].setEnabled(true);
        CommandPopComNew[slot].setEnabled(true);
        ComboPopLocation.load(slot);
        comboLoaded = true;
        vb::WebBrowser& browser = BrowserPop.load(slot);
        browserLoaded = true;
        PopOnTab = true;
        PopTabSlotUsed[slot] = true;
        return browser;
    } catch (const std::exception&) {
        // No later display may touch a slot that was never opened. The undo itself must
        // not fail.
        if (browserLoaded && BrowserPop.exists(slot))
            BrowserPop.unload(slot);
        if (comboLoaded && ComboPopLocation.exists(slot))
            ComboPopLocation.unload(slot);
        // The slot chosen was a free one.
        if (slot >= 1 && slot <= MaxPopTabs) {
            PopTabSlotUsed[slot] = false;
            CommandPopNew[slot].setEnabled(false);
            CommandPopComNew[slot].setEnabled(false);
        }
        PopPreviousPending = previousPending;
        PopPreviousIndex = previousIndex;
        PopTabCurrent = current;
        PopOnTab = onTab;
        PopTabCount = count;
        PopTabLastIndex = last;
        PopBandHeight = band;
        PopBrowserHeight = browserHeight;
        throw;
    }
}

bool frmWeb::NewWindowRefused()
{
    // A page of this window that is still loading gets no window.
    if (PopPopupGuard)
        return true;
    if (PopTabCount < MaxPopTabs)
        return false;
    if (TooManyTabsRefused.begins())
        showTooManyTabs();
    return true;
}

void frmWeb::BrowserPop_NewWindowCheck(int, bool& cancel)
{
    cancel = NewWindowRefused();
}

void frmWeb::BrowserPop_NewWindow2(int, vb::WebBrowser*& ppDisp, bool& cancel)
{
    if (NewWindowRefused()) {
        cancel = true;
        return;
    }
    // Every new window of this window becomes one of its tabs; the tab comes on screen
    // with its first page.
    try {
        ppDisp = openTabSlot().object();
    } catch (const std::exception&) {
        ppDisp = nullptr;
        cancel = true;
    }
}

} // namespace corvane
