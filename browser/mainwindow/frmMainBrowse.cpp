// The main window's browser events (both arrays) and its navigation controls.

#include "frmMain.h"

#include "AddressRules.h"
#include "ControlButton.h"
#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "frmWeb.h"

namespace corvane {

void frmMain::wireBrowserEvents()
{
    for (bool isTab : {false, true}) {
        auto& arr = isTab ? BrowserNew : WebBrowser;
        arr.onBeforeNavigate2 = [this, isTab](int i) { Browser_BeforeNavigate2(isTab, i); };
        arr.onDownloadBegin = [this, isTab](int i) { Browser_DownloadBegin(isTab, i); };
        arr.onDownloadComplete = [this, isTab](int i) { Browser_DownloadComplete(isTab, i); };
        arr.onProgressChange = [this, isTab](int i, qint32 p, qint32 m) { Browser_ProgressChange(isTab, i, p, m); };
        arr.onNavigateComplete2 = [this, isTab](int i) { Browser_NavigateComplete2(isTab, i); };
        arr.onNavigateError = [this, isTab](int i, bool& cancel) { Browser_NavigateError(isTab, i, cancel); };
        arr.onNewWindow2 = [this, isTab](int i, vb::WebBrowser*& pp, bool& cancel) { Browser_NewWindow2(isTab, i, pp, cancel); };
        arr.onSameDocumentNavigate = [this, isTab](int i, const QString& previous) { Browser_SameDocument(isTab, i, previous); };
        arr.onFileDownload = [this, isTab](int i) { Browser_FileDownload(isTab, i); };
        arr.onNewWindowCheck = [this, isTab](int i, bool& cancel) { Browser_NewWindowCheck(isTab, i, cancel); };
        arr.onPageTrouble = [this, isTab](int i) { Browser_PageTrouble(isTab, i); };
    }
    TimerMainBrow.onTimer = [this] { TimerMainBrow_Timer(); };
}

vb::WebBrowser* frmMain::currentBrowser() const
{
    const BrowserSet& s = m_app.set;
    if (s.TabBrowserCurrent)
        return BrowserNew.find(s.TabCurrentIndex);
    if (s.BookmarkBrowserCurrent)
        return WebBrowser.find(BookmarkBrowserIndex);
    return WebBrowser.find(s.MainBrowserIndex);
}

QString frmMain::tabAddress(int tab) const
{
    const vb::WebBrowser* b = BrowserNew.find(tab);
    return b ? b->locationURL() : QString();
}

// ---------------------------------------------------------------------------------------
// Browser events

void frmMain::Browser_BeforeNavigate2(bool isTab, int index)
{
    BrowserSet& s = m_app.set;
    // What the notice said of this browser's last page is over.
    const vb::WebBrowser* browser = isTab ? BrowserNew.find(index) : WebBrowser.find(index);
    if (browser && PageNoticeBox.about() == browser)
        PageNoticeBox.hide();
    s.PopupGuard = true;
    vb::ProgressBar& bar = ProgressBrow[s.BarIndex];
    bar.setValue(0);
    bar.refresh();
    bar.setVisible(true);
}

void frmMain::Browser_DownloadBegin(bool isTab, int index)
{
    BrowserSet& s = m_app.set;
    if (isTab && s.TabCurrentIndex == 0)
        return;
    const vb::WebBrowser* b = isTab ? BrowserNew.find(index) : WebBrowser.find(index);
    // Only the browser on screen drives Stop and the busy animation.
    if (!b || !b->isVisible())
        return;
    CommandNavigate[3].setEnabled(true);
    CommandComNavigate[3].setEnabled(true);
    if (isTab)
        s.TabLoadingIndex = index;
    else
        s.LoadingBrowserIndex = index;
    BusyFrame = 5;
    TimerMainBrow.setEnabled(true);
}

void frmMain::TimerMainBrow_Timer()
{
    BusyFrame = BusyFrame == 5 ? 3 : BusyFrame + 1;
    ImageBusy[m_app.set.BarIndex].setPicture(ImageShow[BusyFrame].picture());
}

void frmMain::Browser_DownloadComplete(bool isTab, int index)
{
    BrowserSet& s = m_app.set;
    // A load ends here whether or not it brought a page (a download, an empty answer, a
    // load given up): new windows are allowed again.
    s.PopupGuard = false;
    if (!isTab) {
        if (index != s.LoadingBrowserIndex)
            return;
        CommandNavigate[3].setEnabled(false);
        s.LoadingBrowserIndex = -1;
    } else {
        if (index == 0 || index != s.TabLoadingIndex)
            return;
        s.TabLoadingIndex = -1;
    }
    TimerMainBrow.setEnabled(false);
    BusyFrame = 0;
    ImageBusy[s.BarIndex].setPicture(ImageShow[0].picture());
}

void frmMain::Browser_ProgressChange(bool, int, qint32 progress, qint32 progressMax)
{
    int percent = 0;
    if (progressMax > 0 && progress > 0 && progress < progressMax)
        percent = vb::toInt16(double(qint64(progress) * 100) / double(progressMax));
    vb::ProgressBar& bar = ProgressBrow[m_app.set.BarIndex];
    bar.setVisible(percent != 0);
    bar.setValue(percent);
    bar.refresh();
}

void frmMain::Browser_NavigateComplete2(bool isTab, int index)
{
    BrowserSet& s = m_app.set;
    if (isTab) {
        if (index >= 0 && index <= MaxTabs)
            s.TabHasHistory[index] = true;
    } else if (index >= 0 && index <= BookmarkBrowserIndex) {
        s.MainBrowserHasHistory[index] = true;
    }
    s.PopupGuard = false;
    // A page that arrives in a browser the user is not looking at (a tab in the background,
    // a main browser not shown) changes only what shows that browser: the user's menus,
    // panels, focus and address box stay as they are.
    vb::WebBrowser* browser = isTab ? BrowserNew.find(index) : WebBrowser.find(index);
    if (!browser || browser != currentBrowser()) {
        if (browser)
            BrowserTitleShow(m_app, isTab, index, browser->locationURL());
        return;
    }
    for (vb::Image* img : {&ImageBack, &ImageComBack}) {
        img->setEnabled(true);
        img->setPicture(NavBack[0].picture());
    }
    s.PageChanged = true;
    // The page's own arrival: an address the user is typing stays (a page may reload itself
    // every moment).
    struct Arrival {
        bool& showing;
        ~Arrival() { showing = false; }
    } arrival{s.PageArrivalShowing = true};
    CurrentBrowserShow(m_app);
}

void frmMain::Browser_SameDocument(bool isTab, int index, const QString& previous)
{
    BrowserSet& s = m_app.set;
    vb::WebBrowser* browser = isTab ? BrowserNew.find(index) : WebBrowser.find(index);
    if (!browser)
        return;
    // The page moved within itself: its history may have grown (a fragment, pushState) or
    // not (replaceState); the engine knows.
    if (isTab && index >= 0 && index <= MaxTabs) {
        s.TabHasHistory[index] = browser->canGoBack();
        s.TabCanGoForward[index] = browser->canGoForward();
    } else if (!isTab && index >= 0 && index <= BookmarkBrowserIndex) {
        s.MainBrowserHasHistory[index] = browser->canGoBack();
        s.MainBrowserCanGoForward[index] = browser->canGoForward();
    }
    if (browser != currentBrowser())
        return;
    // The page may do this at every key the user types into it or every second: nothing
    // but the address and Back/Forward may change, and the address only where the user is
    // not typing one of their own.
    BackForwardUpdate(m_app);
    const QString address = browser->locationURL();
    auto follow = [&](vb::ComboBox* box) {
        if (!box || box->hasFocus() || box->text() != previous)
            return;
        s.LocationChangeMuted = true;
        box->setText(address);
        s.LocationChangeMuted = false;
    };
    if (isTab) {
        vb::ComboBox* box = ComboWebLocation.find(index);
        follow(box);
        if (box && box->text() == address && index <= MaxTabs)
            TabBoxEdited[index] = false;
    } else {
        follow(&ComboLocation);
    }
    if (s.FullWindowMode && s.BarIndex == 1)
        follow(&ComboComLocation);
    if (s.MainBrowserCurrent) {
        const bool homeEnabled = address != m_app.opt.MainBrowserHomePages[s.MainBrowserIndex];
        CommandNavigate[0].setEnabled(homeEnabled);
        CommandComNavigate[0].setEnabled(homeEnabled);
    }
}

void frmMain::Browser_NavigateError(bool isTab, int index, bool& cancel)
{
    cancel = true;
    // The navigation ends without a page: new windows are allowed again.
    m_app.set.PopupGuard = false;
    // A new tab whose first page cannot be reached is current but not yet on screen: it
    // comes on screen empty, so that the screen and the state agree.
    const BrowserSet& s = m_app.set;
    if (isTab && s.TabBrowserCurrent && index == s.TabCurrentIndex)
        if (const vb::WebBrowser* b = BrowserNew.find(index); b && !b->isVisible())
            CurrentBrowserShow(m_app);
    // The old page stays and the typed address stays in its box: the notice says why.
    if (const vb::WebBrowser* b = isTab ? BrowserNew.find(index) : WebBrowser.find(index); b && b == currentBrowser())
        PageNoticeBox.tellFailure(*b);
}

void frmMain::Browser_FileDownload(bool isTab, int index)
{
    // A new tab that is current but has not come on screen yet, opened only for a file:
    // nothing will ever show in it.
    const BrowserSet& s = m_app.set;
    if (!isTab || !s.TabBrowserCurrent || index != s.TabCurrentIndex)
        return;
    if (const vb::WebBrowser* b = BrowserNew.find(index); b && !b->isVisible() && b->locationURL().isEmpty())
        NewTabWithoutPageDrop(index);
}

void frmMain::showTooManyTabs()
{
    m_app.msg.MessageId = QStringLiteral("MessageTooManyTab");
    MessageShow(m_app);
}

bool frmMain::NewWindowRefused(bool isTab)
{
    const BrowserSet& s = m_app.set;
    // A page that is still loading (or any browser of this window) gets no window.
    if (s.PopupGuard)
        return true;
    // A main browser's or the bookmark browser's page may open a window of its own, up to
    // the page windows' limit; a tab's new windows always become tabs.
    if ((!isTab && m_app.opt.NewWindowSeparate) ? s.PageWindowsOpen < MaxPageWindows : s.TabCount < MaxTabs)
        return false;
    if (TooManyTabsRefused.begins())
        showTooManyTabs();
    return true;
}

void frmMain::Browser_NewWindowCheck(bool isTab, int, bool& cancel)
{
    cancel = NewWindowRefused(isTab);
}

namespace {

// Takes back a new tab that failed half-way: the state as it was before. No later display
// may touch a browser that was never loaded. The undo itself must not fail: the slot may
// lie past the last tab button.
void newTabUndo(frmMain& f, BrowserSet& s, const BrowserSet& before)
{
    const int slot = s.TabCurrentIndex;
    if (slot > 0 && (slot > MaxTabs || !before.TabSlotUsed[slot])) {
        if (f.BrowserNew.exists(slot))
            f.BrowserNew.unload(slot);
        if (f.ComboWebLocation.exists(slot))
            f.ComboWebLocation.unload(slot);
        if (vb::CommandButton* b = f.CommandWebNew.find(slot))
            b->setEnabled(false);
        if (vb::CommandButton* b = f.CommandWebComNew.find(slot))
            b->setEnabled(false);
    }
    s = before;
}

} // namespace

void frmMain::Browser_NewWindow2(bool isTab, int, vb::WebBrowser*& ppDisp, bool& cancel)
{
    if (NewWindowRefused(isTab)) {
        cancel = true;
        return;
    }
    // A main browser's or the bookmark browser's page may open a window of its own; every
    // other new window becomes a tab.
    if (!isTab && m_app.opt.NewWindowSeparate)
        pageWindowOpen(ppDisp, cancel);
    else
        pageTabOpen(ppDisp, cancel);
}

void frmMain::pageWindowOpen(vb::WebBrowser*& ppDisp, bool& cancel)
{
    // A "Create Browser" waiting in the Open menu's panel belongs to a later window: this
    // one must not take its address.
    PanelVars& p = m_app.panel;
    const bool createPending = p.CreateBrowserPending;
    p.CreateBrowserPending = false;
    frmWeb* window = nullptr;
    try {
        window = &m_app.rt.create<frmWeb>(m_app);
        window->load();
        window->show();
        window->zOrder(0);
        ppDisp = window->BrowserPop[0].object();
        window->OpenedByPage = true;
        m_app.set.PageWindowsOpen += 1;
    } catch (const std::exception&) {
        // Half a window is no window.
        if (window && window->isLoaded())
            window->unload();
        else if (window)
            m_app.rt.disposeForm(*window);
        ppDisp = nullptr;
        cancel = true;
    }
    p.CreateBrowserPending = createPending;
}

void frmMain::pageTabOpen(vb::WebBrowser*& ppDisp, bool& cancel)
{
    BrowserSet& s = m_app.set;
    // Everything this handler changes is kept, so that a failure half-way can undo it.
    const BrowserSet before = s;
    try {
        s.PopupGuard = true;
        // The browser to return to is the one on screen, whoever raised the request: a
        // hidden main browser's timed pop-up must not leave two browsers marked current.
        if (s.TabBrowserCurrent) {
            s.ReturnIsTab = true;
            s.ReturnIsMain = false;
            s.BrowserReturnIndex = s.TabCurrentIndex;
        } else {
            s.ReturnIsMain = true;
            s.ReturnIsTab = false;
            s.BrowserReturnIndex = s.BookmarkBrowserCurrent ? BookmarkBrowserIndex : s.MainBrowserIndex;
        }
        s.MainBrowserCurrent = false;
        s.BookmarkBrowserCurrent = false;

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
        s.TabCurrentIndex = slot;
        s.TabCount += 1;

        ComboWebLocation.load(slot);
        CommandWebNew[slot].setEnabled(true);
        CommandWebComNew[slot].setEnabled(true);
        // A slot used before starts without the old tab's title: its first page may never arrive.
        s.TabTitles[slot].clear();
        s.TabBrowserCurrent = true;
        s.TabSlotUsed[slot] = true;
        s.ComLocationPending = s.FullWindowMode;
        ppDisp = BrowserNew.load(slot).object();
    } catch (const std::exception&) {
        newTabUndo(*this, s, before);
        ppDisp = nullptr;
        cancel = true;
    }
}

// ---------------------------------------------------------------------------------------
// Navigation

void frmMain::wireNavigationEvents()
{
    ImageBack.onClick = [this] { BrowserGoBack(); };
    ImageComBack.onClick = [this] { BrowserGoBack(); };
    ImageForward.onClick = [this] { BrowserGoForward(); };
    ImageComForward.onClick = [this] { BrowserGoForward(); };
    CommandGo.onClick = [this] { BrowserGoLocation(); };
    CommandComGo.onClick = [this] { BrowserGoLocation(); };
    CommandNavigate.onClick = [this](int i) { BrowserNavigateCommand(i); };
    CommandComNavigate.onClick = [this](int i) { BrowserNavigateCommand(i); };

    // The pressed look of Back and Forward.
    for (vb::Image* back : {&ImageBack, &ImageComBack})
        vb::arrowPressLook(*back, NavBack[0], NavBack[1], 120, 60);
    for (vb::Image* forward : {&ImageForward, &ImageComForward})
        vb::arrowPressLook(*forward, NavForward[0], NavForward[1]);

    ComboLocation.onChange = [this] { Location_Change(ComboLocation, -1); };
    ComboComLocation.onChange = [this] { Location_Change(ComboComLocation, -1); };
    ComboWebLocation.onChange = [this](int i) { Location_Change(ComboWebLocation[i], i); };
    ComboLocation.onClick = [this] { Location_Enter(ComboLocation, -1); };
    ComboComLocation.onClick = [this] { Location_Enter(ComboComLocation, -1); };
    ComboWebLocation.onClick = [this](int i) { Location_Enter(ComboWebLocation[i], i); };
    ComboLocation.onKeyPress = [this](int& key) {
        if (key == 13)
            Location_Enter(ComboLocation, -1);
    };
    ComboComLocation.onKeyPress = [this](int& key) {
        if (key == 13)
            Location_Enter(ComboComLocation, -1);
    };
    ComboWebLocation.onKeyPress = [this](int i, int& key) {
        if (key == 13)
            Location_Enter(ComboWebLocation[i], i);
    };
    // An address can be dragged out of the boxes as text.
    ComboLocation.setDragEnabled(true);
    ComboWebLocation[0].setDragEnabled(true);
}

void frmMain::BrowserGoBack()
{
    BrowserStep(false);
}

void frmMain::BrowserGoForward()
{
    BrowserStep(true);
}

// Back and Forward: the control's refusal is how the window learns that no page is left in
// that direction; a step that succeeds makes the other direction available.
void frmMain::BrowserStep(bool forward)
{
    BrowserSet& s = m_app.set;
    s.PopupGuard = true;
    bool homeEnabled = false;
    // The flags of the current browser: has history (Back) and can go forward.
    bool* back = nullptr;
    bool* ahead = nullptr;
    vb::WebBrowser* browser = nullptr;
    if (s.MainBrowserCurrent) {
        back = &s.MainBrowserHasHistory[s.MainBrowserIndex];
        ahead = &s.MainBrowserCanGoForward[s.MainBrowserIndex];
        browser = WebBrowser.find(s.MainBrowserIndex);
    } else if (s.TabBrowserCurrent) {
        back = &s.TabHasHistory[s.TabCurrentIndex];
        ahead = &s.TabCanGoForward[s.TabCurrentIndex];
        browser = BrowserNew.find(s.TabCurrentIndex);
    } else {
        back = &s.MainBrowserHasHistory[BookmarkBrowserIndex];
        ahead = &s.MainBrowserCanGoForward[BookmarkBrowserIndex];
        browser = WebBrowser.find(BookmarkBrowserIndex);
    }
    vb::Image* thisWay[] = {forward ? &ImageForward : &ImageBack, forward ? &ImageComForward : &ImageComBack};
    vb::Image* otherWay[] = {forward ? &ImageBack : &ImageForward, forward ? &ImageComBack : &ImageComForward};
    const auto& thisPictures = forward ? NavForward : NavBack;
    const auto& otherPictures = forward ? NavBack : NavForward;
    try {
        if (!browser)
            throw vb::Error(vb::ErrNoSuchElement, "no current browser");
        if (forward)
            browser->goForward();
        else
            browser->goBack();
        *(forward ? back : ahead) = true;
        // Home is offered only for a main browser away from its home page, read right after
        // the step.
        if (s.MainBrowserCurrent)
            homeEnabled = m_app.opt.MainBrowserHomePages[s.MainBrowserIndex] != browser->locationURL();
        for (vb::Image* img : otherWay) {
            img->setEnabled(true);
            img->setPicture(otherPictures[0].picture());
        }
        CommandNavigate[0].setEnabled(homeEnabled);
        CommandComNavigate[0].setEnabled(homeEnabled);
    } catch (const vb::Error&) {
        for (vb::Image* img : thisWay) {
            img->setEnabled(false);
            img->setPicture(thisPictures[2].picture());
        }
        *(forward ? ahead : back) = false;
        // Nothing navigates: new windows are allowed again.
        s.PopupGuard = false;
    }
    PictureMain.setFocus();
}

void frmMain::BrowserGoLocation()
{
    BrowserSet& s = m_app.set;
    QString text;
    if (s.BarIndex == 1)
        text = ComboComLocation.text();
    else if (s.TabBrowserCurrent && ComboWebLocation.exists(s.TabCurrentIndex))
        text = ComboWebLocation[s.TabCurrentIndex].text();
    else
        text = ComboLocation.text();
    vb::WebBrowser* current = currentBrowser();
    if (!current)
        return;
    // The typed text is acted on: the boxes show the page's address again.
    for (vb::ComboBox* box : {&ComboLocation, &ComboComLocation, ComboWebLocation.find(s.TabCurrentIndex)})
        if (box)
            box->endUserEdit();
    const QString address = TypedAddressNormalize(text);
    if (address == current->locationURL())
        return;
    s.PopupGuard = true;
    try {
        current->navigate(address);
    } catch (const vb::Error&) {
    }
}

void frmMain::BrowserNavigateCommand(int index)
{
    BrowserSet& s = m_app.set;
    vb::WebBrowser* current = currentBrowser();
    try {
        switch (index) {
        case 0:
            s.PopupGuard = true;
            if (s.MainBrowserCurrent && current)
                current->navigate(m_app.opt.MainBrowserHomePages[s.MainBrowserIndex]);
            break;
        case 1:
            s.PopupGuard = true;
            if (current)
                current->goSearch();
            break;
        case 2:
            s.PopupGuard = true;
            if (current)
                current->refresh();
            break;
        case 3:
            if (current)
                current->stop();
            TimerMainBrow.setEnabled(false);
            BusyFrame = 0;
            ImageBusy[s.BarIndex].setPicture(ImageShow[0].picture());
            // A stopped navigation never completes: new windows are allowed again.
            s.PopupGuard = false;
            PictureMain.setFocus();
            break;
        default:
            break;
        }
    } catch (const vb::Error&) {
    }
}

void frmMain::Location_Change(vb::ComboBox& box, int tab)
{
    BrowserSet& s = m_app.set;
    CommandGo.setEnabled(false);
    CommandComGo.setEnabled(false);
    const QString text = box.text();
    if (text.isEmpty() || s.LocationChangeMuted)
        return;
    if (tab >= 0) {
        // The user typed here: visiting the tab again takes the typed address.
        if (tab <= MaxTabs)
            TabBoxEdited[tab] = true;
        const QString address = tabAddress(tab);
        if (text == address)
            return;
        const QString normal = TypedAddressNormalize(text);
        if (!normal.isEmpty() && normal != address) {
            CommandGo.setEnabled(true);
            CommandComGo.setEnabled(true);
        }
        return;
    }
    QString address;
    if (&box == &ComboLocation) {
        // The normal bar's box belongs to the main and bookmark browsers only.
        if (!s.TabBrowserCurrent)
            if (const vb::WebBrowser* b = currentBrowser())
                address = b->locationURL();
    } else if (const vb::WebBrowser* b = currentBrowser()) {
        address = b->locationURL();
    }
    if (text != address) {
        CommandGo.setEnabled(true);
        CommandComGo.setEnabled(true);
    }
}

void frmMain::Location_Enter(vb::ComboBox& box, int tab)
{
    BrowserSet& s = m_app.set;
    const QString text = box.text();
    if (text.isEmpty())
        return;
    QString address;
    if (tab >= 0) {
        address = tabAddress(tab);
        if (text != address)
            CommandGo.setValue(true);
        return;
    }
    if (&box == &ComboLocation) {
        const int k = s.BookmarkBrowserCurrent ? BookmarkBrowserIndex : s.MainBrowserIndex;
        if (const vb::WebBrowser* b = WebBrowser.find(k))
            address = b->locationURL();
    } else if (const vb::WebBrowser* b = currentBrowser()) {
        address = b->locationURL();
    }
    if (text != address)
        BrowserGoLocation();
}

} // namespace corvane
