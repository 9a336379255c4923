// The options dialog: its design, its load, the change handlers that decide whether OK
// has anything to apply, OK, Default and Cancel, and bringing the main window's browsers
// in line with a new number of main browsers.

#include "frmOptions.h"

#include "ActiveVelmora.h"
#include "ControlButton.h"
#include "CorvaneApp.h"
#include "FirstRun.h"
#include "frmMain.h"

#include "art/Artwork.h"

#include <algorithm>

namespace corvane {

namespace {

vb::Label& placeLabel(vb::Label& l, const QString& caption, int left, int top, int width, int height = 16)
{
    l.move(left, top, width, height);
    l.setCaption(caption);
    l.setBackStyle(0);
    return l;
}

void toBrowserRect(const BrowserSet& s, vb::WebBrowser& b)
{
    b.move(s.BrowserLeft, s.BrowserTop, s.BrowserWidth, s.BrowserHeight);
}

// A browser that goes is forgotten: if it comes back it is a new one, first shown at its
// home page, and a load it had under way no longer drives the busy animation.
void mainBrowserDrop(frmMain& f, BrowserSet& s, int g)
{
    if (!f.WebBrowser.exists(g))
        return;
    f.WebBrowser.unload(g);
    s.MainBrowserNotShown[g] = true;
    s.MainBrowserHasHistory[g] = false;
    s.MainBrowserCanGoForward[g] = false;
    s.MainBrowserTitles[g].clear();
    if (s.LoadingBrowserIndex == g) {
        s.LoadingBrowserIndex = -1;
        f.TimerMainBrow.setEnabled(false);
        f.BusyFrame = 0;
        f.ImageBusy[s.BarIndex].setPicture(f.ImageShow[0].picture());
        f.CommandNavigate[3].setEnabled(false);
    }
}

// Main browsers 1 to n are loaded (a new one in the browsers' place), those above n go;
// only the current one stays on screen, the others stop.
void mainBrowsersLoadOrDrop(frmMain& f, BrowserSet& s, int n, int old, int current, bool mainCurrent)
{
    if (n >= 1) {
        for (int g = 1; g <= std::max(n, old); ++g) {
            if (g > n) {
                mainBrowserDrop(f, s, g);
                continue;
            }
            if (g > old && !f.WebBrowser.exists(g))
                toBrowserRect(s, f.WebBrowser.load(g));
            vb::WebBrowser& b = f.WebBrowser[g];
            if (g == current && mainCurrent) {
                toBrowserRect(s, b);
                b.setVisible(true);
            } else {
                b.stop();
                b.setVisible(false);
            }
        }
    } else {
        for (int g = 1; g <= old; ++g)
            mainBrowserDrop(f, s, g);
    }
    if (mainCurrent) {
        toBrowserRect(s, f.WebBrowser[current]);
        f.WebBrowser[current].setVisible(true);
    }
}

// The two selector sets offer the browsers in use and mark the current one; the bar's strip
// of selectors is as wide as the browsers it offers.
void browserSelectorsSet(frmMain& f, int n, int current, bool mainCurrent)
{
    for (int i = 0; i <= 5; ++i) {
        const bool inUse = i <= n;
        const bool isCurrent = i == current && mainCurrent;
        const QString caption = isCurrent ? QStringLiteral("Browser") : QString::number(i + 1);
        for (vb::Label* l : {&f.LabelBrowser[i], &f.LabelShowBrowser[i]}) {
            l->setCaption(caption);
            l->setVisible(inUse);
        }
        f.LabelShowBrowser[i].setBackStyle(isCurrent ? 1 : 0);
        for (vb::CommandButton* b : {&f.CommandBrowser[i], &f.CommandShowBrowser[i]}) {
            b->setVisible(inUse);
            b->setPicture(f.BButton[isCurrent ? 3 : 5].picture());
        }
    }
    f.FrameShowBrowser.setWidth(n * 495 + 840);
    f.FrameShowBrowser.setVisible(n != 0);
    f.CommandOne[7].setEnabled(n != 0);
}

void movedBrowserShow(CorvaneApp& app, frmMain& f, int current, bool mainCurrent)
{
    // The browser that became current comes on screen like any switch to it; one never
    // shown goes to its home page first.
    BrowserSet& s = app.set;
    if (s.MainBrowserNotShown[current]) {
        s.MainBrowserNotShown[current] = false;
        s.PopupGuard = true;
        f.WebBrowser[current].navigate(app.opt.MainBrowserHomePages[current]);
    }
    if (mainCurrent) {
        s.LocationListPending = true;
        s.BackForwardPending = true;
        CurrentBrowserShow(app);
    }
}

} // namespace

frmOptions::frmOptions(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmOptions")), m_app(app)
{
    design();
    wireEvents();
}

void frmOptions::design()
{
    setCaption(QStringLiteral("Corvane"));
    setBorderFixed(true);
    move(0, 0, (480 + FrameWidthPixels) * vb::TwipsPerPixel, (348 + FrameHeightPixels) * vb::TwipsPerPixel);

    for (int i = 0; i <= 2; ++i) {
        vb::Image& face = BButton.add(i);
        face.setPicture(art::buttonFace(i, QSize(20, 20)));
        face.setVisible(false);
    }
    PictureOptions.move(0, 0, 1, 1);
    PictureOptions.setBorderStyle(0);

    placeLabel(LabelHomePage, QStringLiteral("Home Page of Browser #1"), 16, 12, 300);
    TextHomePage.move(16, 30, 448, 22);

    placeLabel(LabelBrowserNum, QStringLiteral("Number of main Browser to run :"), 16, 67, 196);
    TextBrowserNum.move(216, 64, 24, 22);
    TextBrowserNum.setMaxLength(1);
    TextBrowserNum.setAlignment(2);
    placeLabel(LabelBrowserMax, QStringLiteral("Maximum 6 Browsers."), 250, 67, 160);

    placeLabel(LabelHistory, QStringLiteral("Keep History of selected Browsers :"), 16, 98, 300);
    for (int i = 0; i <= 5; ++i) {
        vb::CheckBox& c = CheckHistBrow.add(i);
        c.move(32 + (i % 3) * 140, 118 + (i / 3) * 22, 120, 20);
        c.setCaption(QStringLiteral("Browser ") + QString::number(i + 1));
    }

    CheckNewWindow.move(16, 170, 448, 20);
    CheckNewWindow.setCaption(QStringLiteral("Show new window in a new Tabed Browser."));
    CheckNote.move(16, 194, 448, 20);
    CheckNote.setCaption(QStringLiteral("Show saved Notes related to web pages from start of Program."));
    CheckPage.move(16, 218, 448, 20);
    CheckPage.setCaption(QStringLiteral("Show ' Page' buttons from start of Program"));
    FramePage.move(32, 242, 432, 40);
    FramePage.setCaption(QStringLiteral("Page Buttons :"));
    LabelPage2.move(120, 270, 6240, 210);
    LabelPage2.setCaption(QStringLiteral("Bookmark  |  Keep Note  |  Set As Home Page  |  Save  |  Print"));
    LabelPage2.setBackStyle(0);

    CommandOptDefault.move(50, 294, 20, 20);
    CommandOptOK.move(340, 294, 20, 20);
    CommandOptCancel.move(420, 294, 20, 20);
    setDefaultButton(&CommandOptOK);
    setCancelButton(&CommandOptCancel);
    const QStringList captions{QStringLiteral("OK"), QStringLiteral(" Default"), QStringLiteral(" Cancel")};
    const int centres[3] = {350, 60, 430};
    for (int i = 0; i <= 2; ++i) {
        vb::Label& l = placeLabel(LabelOptButton.add(i), captions[i], centres[i] - 30, 316, 60, 14);
        l.setAlignment(2);
    }
}

void frmOptions::wireEvents()
{
    TextHomePage.onChange = [this] { TextHomePage_Change(); };
    TextBrowserNum.onChange = [this] { TextBrowserNum_Change(); };
    TextBrowserNum.onKeyPress = [this](int& key) { TextBrowserNum_KeyPress(key); };
    CheckHistBrow.onClick = [this](int i) { CheckHistBrow_Click(i); };
    CheckNewWindow.onClick = [this] { CheckNewWindow_Click(); };
    CheckNote.onClick = [this] { CheckNote_Click(); };
    CheckPage.onClick = [this] { CheckPage_Click(); };
    CommandOptOK.onClick = [this] { CommandOptOK_Click(); };
    CommandOptDefault.onClick = [this] { CommandOptDefault_Click(); };
    CommandOptCancel.onClick = [this] { CommandOptCancel_Click(); };
}

int frmOptions::changeSum() const
{
    int sum = 0;
    for (int b : OptionChangeBits)
        sum += b;
    return sum;
}

void frmOptions::Form_Load()
{
    OptionsLoaded = false;
    const OptionVars& o = m_app.opt;
    const BrowserSet& s = m_app.set;
    const int m = s.MainBrowserIndex;

    setCaption(MainWindowTitleMake(m_app));

    // The home page of the current main browser.
    LabelHomePage.setCaption(QStringLiteral("Home Page of Browser #") + QString::number(m + 1));
    EditedHomePage = o.MainBrowserHomePages[m];
    TextHomePage.setText(EditedHomePage);
    OptionChangeBits[0] = 0;

    // The number of main browsers.
    EditedBrowserLastIndex = o.MainBrowserLastIndex;
    TextBrowserNum.setText(QString::number(EditedBrowserLastIndex + 1));
    OptionChangeBits[1] = 0;

    // Which browsers keep a history.
    EditedHistoryMask = o.HistoryMask;
    OptionChangeBits[2] = 0;
    for (int i = 0; i <= 5; ++i) {
        HistoryBrowserBits[i] = 0;
        if (s.MainBrowserKeepsHistory[i]) {
            CheckHistBrow[i].setValue(1);
            HistoryBrowserBits[i] = 1 << i;
        }
    }

    // The three start-up choices: their bits hold their state.
    EditedNewWindowSeparate = o.NewWindowSeparate;
    EditedShowNotes = o.ShowNotesAtStart;
    EditedShowPageButtons = o.ShowPageButtons;
    CheckNewWindow.setValue(EditedNewWindowSeparate ? 1 : 0);
    CheckNote.setValue(EditedShowNotes ? 1 : 0);
    CheckPage.setValue(EditedShowPageButtons ? 1 : 0);
    OptionChangeBits[3] = EditedNewWindowSeparate ? 8 : 0;
    OptionChangeBits[4] = EditedShowNotes ? 16 : 0;
    OptionChangeBits[5] = EditedShowPageButtons ? 32 : 0;

    for (vb::CommandButton* b : {&CommandOptOK, &CommandOptDefault, &CommandOptCancel}) {
        b->setPicture(BButton[0].picture());
        b->setDownPicture(BButton[1].picture());
        b->setDisabledPicture(BButton[2].picture());
    }

    // OK waits for a change; Default is offered while any option differs from its default.
    ChangeSumAtLoad = changeSum();
    const bool atDefaults = o.MainBrowserHomePages[m] == m_app.productPageAddress() && EditedBrowserLastIndex == 0 &&
                            EditedHistoryMask == 0 && !EditedNewWindowSeparate && !EditedShowNotes &&
                            !EditedShowPageButtons;
    CommandOptDefault.setEnabled(!atDefaults);
    CommandOptOK.setEnabled(false);
    OptionsLoaded = true;
}

void frmOptions::OptionsChangedUpdate()
{
    CommandOptOK.setEnabled(changeSum() != ChangeSumAtLoad);
}

void frmOptions::TextHomePage_Change()
{
    if (!OptionsLoaded)
        return;
    const int m = m_app.set.MainBrowserIndex;
    const QString& stored = m_app.opt.MainBrowserHomePages[m];
    // An empty box keeps the stored home page.
    EditedHomePage = TextHomePage.text().isEmpty() ? stored : TextHomePage.text();
    OptionChangeBits[0] = EditedHomePage != stored ? 1 : 0;
    OptionsChangedUpdate();
}

void frmOptions::TextBrowserNum_Change()
{
    if (!OptionsLoaded)
        return;
    const QString t = TextBrowserNum.text();
    bool ok = false;
    const int number = t.toInt(&ok);
    // An empty box (or "0") counts as one browser; the key filter lets nothing else but
    // "1".."6" in, and anything that still gets there is held to that range.
    EditedBrowserLastIndex = ok && number > 0 ? std::min(number, 6) - 1 : 0;
    OptionChangeBits[1] = EditedBrowserLastIndex != m_app.opt.MainBrowserLastIndex ? 2 : 0;
    OptionsChangedUpdate();
}

void frmOptions::TextBrowserNum_KeyPress(int& keyAscii)
{
    if (keyAscii == 8)
        return;
    if (keyAscii < '1')
        keyAscii = '1';
    else if (keyAscii > '6')
        keyAscii = '6';
}

void frmOptions::CheckHistBrow_Click(int index)
{
    if (!OptionsLoaded || index < 0 || index > 5)
        return;
    HistoryBrowserBits[index] = CheckHistBrow[index].value() == 1 ? 1 << index : 0;
    EditedHistoryMask = 0;
    for (int b : HistoryBrowserBits)
        EditedHistoryMask += b;
    OptionChangeBits[2] = EditedHistoryMask != m_app.opt.HistoryMask ? 4 : 0;
    OptionsChangedUpdate();
}

void frmOptions::CheckNewWindow_Click()
{
    if (!OptionsLoaded)
        return;
    EditedNewWindowSeparate = CheckNewWindow.value() == 1;
    OptionChangeBits[3] = EditedNewWindowSeparate ? 8 : 0;
    OptionsChangedUpdate();
}

void frmOptions::CheckNote_Click()
{
    if (!OptionsLoaded)
        return;
    EditedShowNotes = CheckNote.value() == 1;
    OptionChangeBits[4] = EditedShowNotes ? 16 : 0;
    OptionsChangedUpdate();
}

void frmOptions::CheckPage_Click()
{
    if (!OptionsLoaded)
        return;
    EditedShowPageButtons = CheckPage.value() == 1;
    OptionChangeBits[5] = EditedShowPageButtons ? 32 : 0;
    OptionsChangedUpdate();
}

void frmOptions::notesOffFollow()
{
    if (frmMain* f = m_app.mainForm.data())
        if (vb::CommandButton* view = f->CommandView.find(0))
            view->setEnabled(true);
}

void frmOptions::CommandOptOK_Click()
{
    OptionVars& o = m_app.opt;
    BrowserSet& s = m_app.set;
    const int m = s.MainBrowserIndex;

    // A history turned off for every browser loses its file too.
    bool deleteHistory = false;
    if (EditedHistoryMask != o.HistoryMask) {
        o.HistoryMask = EditedHistoryMask;
        for (int i = 0; i <= 5; ++i)
            s.MainBrowserKeepsHistory[i] = HistoryBrowserBits[i] != 0;
        deleteHistory = o.HistoryMask == 0;
    }
    o.ShowPageButtons = EditedShowPageButtons;
    o.ShowNotesAtStart = EditedShowNotes;
    m_app.lists.ShowNotes = EditedShowNotes;
    if (!EditedShowNotes)
        notesOffFollow();
    bool apply = false;
    if (EditedBrowserLastIndex != o.MainBrowserLastIndex) {
        o.MainBrowserLastIndex = EditedBrowserLastIndex;
        apply = true;
    }
    o.MainBrowserHomePages[m] = EditedHomePage;
    o.HomePagesSaved[m] = EditedHomePage;
    o.NewWindowSeparate = EditedNewWindowSeparate;

    // Saved first; then the main window follows the new options.
    const VelmoraContext c = m_app.velmora();
    SettingsFileSave(c);
    if (deleteHistory)
        HistoryFileDelete(c);
    if (apply)
        MainBrowsersApply();
    HomeButtonRefresh(m_app);
    unload();
}

void frmOptions::CommandOptDefault_Click()
{
    OptionVars& o = m_app.opt;
    BrowserSet& s = m_app.set;
    const int m = s.MainBrowserIndex;

    const bool deleteHistory = o.HistoryMask != 0;
    o.HistoryMask = 0;
    s.MainBrowserKeepsHistory.fill(false);
    const bool apply = o.MainBrowserLastIndex != 0;
    o.MainBrowserLastIndex = 0;
    o.ShowPageButtons = false;
    // Only the current main browser's home page.
    o.MainBrowserHomePages[m] = m_app.productPageAddress();
    o.HomePagesSaved[m] = o.MainBrowserHomePages[m];
    o.NewWindowSeparate = false;
    o.ShowNotesAtStart = false;
    m_app.lists.ShowNotes = false;
    notesOffFollow();

    // Saved first; then the main window follows the defaults.
    const VelmoraContext c = m_app.velmora();
    SettingsFileSave(c);
    if (deleteHistory)
        HistoryFileDelete(c);
    if (apply)
        MainBrowsersApply();
    HomeButtonRefresh(m_app);
    unload();
}

void frmOptions::CommandOptCancel_Click()
{
    unload();
}

void frmOptions::MainBrowsersApply()
{
    BrowserSet& s = m_app.set;
    const int n = m_app.opt.MainBrowserLastIndex;
    const int old = s.MainBrowserLastLoaded;
    frmMain* f = m_app.mainForm.data();
    if (!f) {
        s.MainBrowserLastLoaded = n;
        return;
    }

    // The current main browser is one of those that remain.
    bool moved = false;
    if (n < s.MainBrowserIndex) {
        s.MainBrowserIndex = n;
        moved = true;
    }
    const bool mainCurrent = s.MainBrowserCurrent;
    const int current = s.MainBrowserIndex;
    mainBrowsersLoadOrDrop(*f, s, n, old, current, mainCurrent);
    browserSelectorsSet(*f, n, current, mainCurrent);
    s.MainBrowserLastLoaded = n;
    if (moved)
        movedBrowserShow(m_app, *f, current, mainCurrent);
}

} // namespace corvane
