#include "LongSession.h"

#include "BrowserState.h"
#include "Constants.h"
#include "CorvaneApp.h"
#include "FirstRun.h"
#include "frmMain.h"
#include "frmMessage.h"
#include "frmMove.h"
#include "frmOptions.h"
#include "frmWeb.h"

#include "sys/FamilyRegister.h"
#include "sys/SettingsStore.h"
#include "web/QtWebEngine.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <optional>

using namespace corvane;
using namespace Qt::StringLiterals;
using testsupport::LoopbackServer;

namespace longsession {

namespace {

// The pages. /pop.html?of=N opens /tab.html?n=1&of=N, and each tab page opens the next one
// until n = N, so that the tabs open one after the other as each page arrives.
std::optional<LoopbackServer::Reply> page(const QByteArray& target)
{
    const QUrl url(QString::fromLatin1(target));
    const QUrlQuery query(url);
    LoopbackServer::Reply r;
    r.headers = "Cache-Control: no-store\r\n";
    const QString path = url.path();
    if (path == QLatin1String("/pop.html")) {
        r.body = "<html><head><title>Pop</title></head><body>pop-up page<script>window.open('/tab.html?n=1&of="
            + query.queryItemValue(QStringLiteral("of")).toLatin1() + "');</script></body></html>";
    } else if (path == QLatin1String("/tab.html")) {
        r.body = "<html><head><title>Tab</title></head><body>tab page<script>"
                 " var q = new URLSearchParams(location.search), n = +q.get('n'), of = +q.get('of');"
                 " if (n < of) window.open('/tab.html?n=' + (n + 1) + '&of=' + of);"
                 "</script></body></html>";
    } else if (path == QLatin1String("/favicon.ico")) {
        r.status = "404 Not Found";
    } else {
        r.body = "<html><head><title>Page</title></head><body><h1>" + path.toLatin1() + "</h1><p>"
            + QByteArray(2000, 'x') + "</p></body></html>";
    }
    return r;
}

// A settings file with six main browsers on the given home pages.
QByteArray settingsFile(const QStringList& homes)
{
    QByteArray s;
    for (int n : {0, 0, -1, 0, 0, -1, 0, 0, 5})
        s += QByteArray::number(n) + "\r\n";
    for (const QString& home : homes)
        s += '"' + home.toUtf8() + "\"\r\n";
    return s;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

} // namespace

bool waitFor(const std::function<bool()>& pred, int timeoutMs)
{
    if (pred())
        return true;
    // No single shot for the deadline: it would stay behind, waiting, among the timers.
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(2);
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (pred() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    loop.exec();
    return pred();
}

LongSession::LongSession(const QString& home) : m_home(home), m_server(&page) { }

LongSession::~LongSession()
{
    m_app.reset();
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

frmMain& LongSession::f() const
{
    return *m_app->mainForm;
}

BrowserSet& LongSession::s() const
{
    return m_app->set;
}

bool LongSession::expect(bool ok, const QString& what)
{
    if (!ok)
        fail(what);
    return ok;
}

void LongSession::fail(const QString& what)
{
    m_failures << what;
    if (onFailure)
        onFailure(what);
}

void LongSession::whenModal(const QString& form, std::function<void(vb::Form&)> act)
{
    m_modalForm = form;
    m_modalAct = std::move(act);
}

bool LongSession::slideDone()
{
    return waitFor([&] { return !s().SlideActive; });
}

bool LongSession::settled(const vb::WebBrowser& b, const QString& address)
{
    return waitFor([&] {
        return b.locationURL() == address && !s().PopupGuard && s().LoadingBrowserIndex == -1
            && s().TabLoadingIndex == -1;
    });
}

// ---------------------------------------------------------------------------------------
// Start-up

bool LongSession::start()
{
    const QString folder = m_home + QStringLiteral("/opt/Corvane");
    for (int i = 1; i <= 6; ++i)
        m_homes << url(QStringLiteral("/home%1.html").arg(i));
    if (!writeFile(folder + QStringLiteral("/Corvane.exe"), "#!")
        || !writeFile(folder + QStringLiteral("/Corvane/Set.Velmora"), settingsFile(m_homes)))
        return false;

    AppConfig cfg;
    cfg.mode = vb::Runtime::Mode::Program;
    // A fixed disk holds everything: the session is the subject here, not the drives.
    cfg.mounts.readMountInfo = [] { return std::optional<QByteArray>("20 0 8:1 / / rw - ext4 /dev/sda1 rw\n"); };
    cfg.mounts.sysRoot = m_home + QStringLiteral("/sys");
    cfg.mounts.canonicalPath = [](const QString& p) { return p; };
    cfg.settingsPath = m_home + QStringLiteral("/config/Tavolin.ini");
    cfg.programFolder = folder + QLatin1Char('/');
    cfg.socketFolder = m_home + QStringLiteral("/sockets");
    // Nothing reaches the desktop.
    cfg.launcher.startDetached = [](const QString&, const QStringList&, const QString&) { return false; };
    cfg.launcher.openUrl = [](const QUrl&) { return false; };
    cfg.launcher.openSettingsApplet = [](sys::SettingsApplet) { return sys::SettingsAppletStart{.started = true, .tried = {}, .installed = true}; };
    sys::SettingsStore store(cfg.settingsPath);
    store.set(QStringLiteral("NidraBhanga"), QStringLiteral("NickName"), QStringLiteral("Ana"));
    // Another program of the maker in the register, so that the Run box has something to offer.
    namespace fam = sys::family;
    const QString other = m_home + QStringLiteral("/opt/Lekhak/");
    if (!writeFile(other + QStringLiteral("Lekhak.exe"), "#!"))
        return false;
    store.set(fam::memberNamesSection(), fam::memberKey(0), QStringLiteral("Lekhak"));
    store.set(fam::memberFoldersSection(), fam::memberKey(0), other);
    store.set(fam::lastIndexSection(), fam::lastIndexKey(), fam::encodeLastIndex(0));

    m_app = std::make_unique<CorvaneApp>(std::move(cfg));
    vb::QtWebEngineFactory::Config engine;
    engine.searchPage = url(QStringLiteral("/search.html"));
    engine.storagePath = m_home + QStringLiteral("/profile");
    auto factory = std::make_unique<vb::QtWebEngineFactory>(engine);
    m_engine = factory.get();
    m_app->rt.setWebEngine(std::move(factory));

    // Modal forms run their own event loop: a watch answers the ones a step expects and
    // reports any other.
    m_modalWatch.setInterval(50);
    QObject::connect(&m_modalWatch, &QTimer::timeout, &m_modalWatch, [this] { watchModals(); });
    m_modalWatch.start();

    // The layouts are made for a screen of at least 1280 x 1024: a smaller one (the
    // offscreen platform's 800 x 800) is taken for one of that size.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const bool small = !screen || screen->geometry().width() < 1280 || screen->geometry().height() < 1024;
    if (small)
        m_app->rt.setScreen({1280 * 15, 1024 * 15, 15, 15});

    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    Main(*m_app);
    QDir::setCurrent(previous);
    if (!m_app->mainForm)
        return false;
    if (small) {
        f().window()->showNormal();
        f().window()->setGeometry(0, 0, 1280, 1024);
    }
    return expect(settled(f().WebBrowser[0], m_homes[0]), QStringLiteral("main browser 1's home page"));
}

bool LongSession::showEveryBrowser()
{
    for (int m : {1, 2, 3, 4, 5, 0})
        if (!click(f().CommandShowBrowser[m], QStringLiteral("Browser %1").arg(m + 1))
            || !expect(
                settled(f().WebBrowser[m], m_homes[m]), QStringLiteral("main browser %1 on its home page").arg(m + 1)))
            return false;
    m_engines = m_engine->liveEngines();
    return true;
}

void LongSession::watchModals()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        return;
    vb::Form* form = nullptr;
    for (const QPointer<vb::Form>& candidate : m_app->rt.forms())
        if (candidate && candidate->window() == dialog)
            form = candidate;
    if (!form)
        return;
    // The user acts on a dialog once it is in front.
    if (!dialog->isActiveWindow()) {
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog);
        return;
    }
    if (form->name() == m_modalForm && m_modalAct) {
        auto act = std::move(m_modalAct);
        m_modalAct = nullptr;
        m_modalForm.clear();
        act(*form);
        return;
    }
    fail(QStringLiteral("unexpected dialog %1 (%2)").arg(form->name(), m_app->msg.MessageId));
    if (auto* message = qobject_cast<frmMessage*>(form))
        click(message->CommandMsgOK, QStringLiteral("OK of the unexpected message"));
    else
        form->unload();
}

// ---------------------------------------------------------------------------------------
// The user's hands

bool LongSession::click(const vb::Control& c, const QString& what)
{
    QWidget* w = c.widget();
    if (!w || !w->isVisible() || !w->isEnabled()) {
        fail(what + QStringLiteral(": not on screen or disabled"));
        return false;
    }
    QWidget* top = w->window();
    const QPoint at = w->mapTo(top, w->rect().center());
    QWidget* hit = top->childAt(at);
    if (hit != w && !w->isAncestorOf(hit)) {
        fail(what
            + QStringLiteral(": covered by %1")
                  .arg(hit ? QString::fromLatin1(hit->metaObject()->className()) : QStringLiteral("nothing")));
        return false;
    }
    // A click on a window in the back brings it to the front first, as the desktop does.
    if (!top->isActiveWindow()) {
        top->activateWindow();
        QApplication::setActiveWindow(top);
    }
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    return true;
}

bool LongSession::typeInto(const vb::Control& box, const QString& text, const QString& what)
{
    if (!click(box, what))
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || (focus != box.widget() && !box.widget()->isAncestorOf(focus))) {
        fail(what + QStringLiteral(": the click gave it no focus"));
        return false;
    }
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focus, text);
    return true;
}

// The user types an address into the location box on screen and clicks Go.
bool LongSession::go(const QString& address)
{
    return typeInto(f().ComboLocation, address, QStringLiteral("location box"))
        && click(f().CommandGo, QStringLiteral("Go"));
}

// ---------------------------------------------------------------------------------------
// The roads

bool LongSession::opens(const vb::Control& button, const vb::Control& panel, const QString& what)
{
    return click(button, what) && expect(panel.isVisible(), what + u": nothing opened"_s);
}

bool LongSession::closes(const vb::Control& button, const vb::Control& panel, const QString& what)
{
    return click(button, what) && expect(!panel.isVisible(), what + u": it stayed open"_s);
}

bool LongSession::openMenu(int i)
{
    return click(f().CommandMenu[i], u"menu %1"_s.arg(i))
        && expect(slideDone() && s().MenuOpenIndex == i && f().FrameMenu[i].isVisible(), u"menu %1 open"_s.arg(i));
}

bool LongSession::closeMenu(const vb::Control& item, int i)
{
    return click(item, u"menu %1's Hide"_s.arg(i))
        && expect(s().MenuOpenIndex == -1 && !f().FrameMenu[i].isVisible(), u"menu %1 closed"_s.arg(i));
}

bool LongSession::tabsCycle(int round)
{
    frmMain& m = f();
    // Nothing here reads the server's log of requests: it would grow with the session.
    m_server.clearRequests();
    if (!go(url(u"/pop.html?of=%1&r=%2"_s.arg(MaxTabs).arg(round))))
        return false;
    const QString last = url(u"/tab.html?n=%1&of=%1"_s.arg(MaxTabs));
    auto allOpen = [&] {
        return s().TabCount == MaxTabs && s().TabCurrentIndex == MaxTabs && !s().PopupGuard && s().TabLoadingIndex == -1
            && m.BrowserNew[MaxTabs].locationURL() == last;
    };
    if (!expect(waitFor(allOpen, 60000), u"24 tabs open (%1 open)"_s.arg(s().TabCount)))
        return false;

    // A 25th tab is refused with a message.
    bool told = false;
    whenModal(u"frmMessage"_s, [&](vb::Form& form) {
        told = m_app->msg.MessageId == u"MessageTooManyTab"_s;
        click(static_cast<frmMessage&>(form).CommandMsgOK, u"message's OK"_s);
    });
    if (!openMenu(1) || !click(m.CommandOpen[2], u"New Tab"_s) || !expect(told, u"too many tabs told"_s)
        || !click(m.CommandOpen[0], u"menu 1's Hide"_s))
        return false;

    // A few tabs from the tab row.
    for (int t : {3, 12, 20})
        if (!click(m.CommandWebNew[t], u"tab %1"_s.arg(t))
            || !expect(s().TabCurrentIndex == t, u"tab %1 current"_s.arg(t)))
            return false;
    // The Tab List stays open by itself while there are tabs: hidden, then opened again.
    if (!expect(m.FrameMenu[5].isVisible(), u"Tab List shown"_s)
        || !closes(m.CommandListHide, m.FrameMenu[5], u"Tab List's Hide"_s) || !openMenu(5))
        return false;

    bool closed = false;
    switch (round % 3) {
    case 0:
        closed = click(m.CommandWebClose[0], u"Close All"_s);
        break;
    case 1:
        closed = opens(m.CommandWebClose[2], m.FrameWebSelectClose, u"Select"_s)
            && click(m.CommandWebSelectClose[3], u"Select All"_s)
            && click(m.CommandWebSelectClose[1], u"Close Selected Tabs"_s);
        break;
    default:
        closed = click(m.CommandFullBrow, u"Full Window"_s)
            && click(m.CommandWebComClose[0], u"full-window bar's Close All"_s)
            && opens(m.CommandZero, m.FrameOne, u"Controls"_s) && click(m.CommandOne[10], u"Normal Window"_s);
        break;
    }
    return closed && expect(s().TabCount == 0 && s().MainBrowserCurrent && !s().FullWindowMode, u"every tab closed"_s);
}

bool LongSession::switchCycle(int round)
{
    // Each browser shows again the page it had.
    QStringList pages;
    for (int m = 0; m <= 5; ++m)
        pages << f().WebBrowser[m].locationURL();
    for (int k = 0; k < SwitchesPerCycle; ++k) {
        const int m = k == SwitchesPerCycle - 1 ? 0 : 1 + (round * 3 + k) % 5;
        if (!click(f().CommandShowBrowser[m], u"Browser %1"_s.arg(m + 1))
            || !expect(s().MainBrowserCurrent && s().MainBrowserIndex == m, u"main browser %1 current"_s.arg(m + 1))
            || !expect(settled(f().WebBrowser[m], pages[m]), u"main browser %1 on its page"_s.arg(m + 1)))
            return false;
    }
    return true;
}

bool LongSession::menusCycle()
{
    frmMain& m = f();
    for (int i = 0; i <= 4; ++i)
        if (!openMenu(i) || !closeMenu(m.CommandMenu[i], i))
            return false;

    // Current Web Page: Bookmark (a notice: done, or already done), Keep Note, Set As Home Page.
    if (!openMenu(0) || !click(m.CommandPage[1], u"Bookmark"_s))
        return false;
    const bool added = m.FrameDoneBookmark.isVisible();
    if (!closes(added ? m.LabelDoneBookmark : m.LabelHideAlredyMarked,
            added ? m.FrameDoneBookmark : m.FrameAlreadyBookmarked, u"bookmark notice"_s)
        || !opens(m.CommandPage[2], m.FrameNote, u"Keep Note"_s)
        || !closes(m.CommandNoteHide, m.FrameNote, u"note's Hide"_s)
        || !opens(m.CommandPage[3], m.FrameHome, u"Set As Home Page"_s)
        || !closes(m.CommandHomeCancel, m.FrameHome, u"home page's Cancel"_s) || !closeMenu(m.CommandPage[0], 0))
        return false;

    // Open: New Tab's panel, File (the chooser), Bookmarks (the bookmark browser and its panel).
    bool chooser = false;
    whenModal(u"frmMove"_s, [&](vb::Form& form) {
        chooser = true;
        click(static_cast<frmMove&>(form).CommandMoveCancel, u"chooser's Cancel"_s);
    });
    if (!openMenu(1) || !opens(m.CommandOpen[2], m.FrameCreate, u"New Tab"_s)
        || !closes(m.CommandCreateCancel, m.FrameCreate, u"create panel's Cancel"_s)
        || !click(m.CommandOpen[1], u"File"_s)
        || !expect(chooser && !m_app->moveForm->isVisible(), u"chooser shown and closed"_s))
        return false;
    auto bookmarkPage = [&] {
        const vb::WebBrowser* b = m.WebBrowser.find(BookmarkBrowserIndex);
        return b && !b->locationURL().isEmpty() && !s().PopupGuard;
    };
    if (!opens(m.CommandOpen[4], m.FrameShowBookmark, u"Bookmarks"_s)
        || !expect(s().BookmarkBrowserCurrent, u"bookmark browser current"_s)
        || !expect(waitFor(bookmarkPage), u"bookmark browser's page"_s)
        || !opens(m.CommandShowBookmark, m.FrameBookmark, u"Show Bookmarks"_s)
        || !closes(m.CommandBookmark[6], m.FrameBookmark, u"bookmarks panel's Hide"_s)
        || !closes(m.CommandCloseBookmark, m.FrameShowBookmark, u"Close Bookmarks"_s)
        || !expect(!s().BookmarkBrowserOpen && s().MainBrowserCurrent, u"bookmark browser closed"_s))
        return false;
    if (s().MenuOpenIndex == 1 && !closeMenu(m.CommandOpen[0], 1))
        return false;

    // View: Note, Choices with Change User Name, Options.
    bool options = false;
    whenModal(u"frmOptions"_s, [&](vb::Form& form) {
        options = true;
        click(static_cast<frmOptions&>(form).CommandOptCancel, u"options' Cancel"_s);
    });
    if (!openMenu(2) || !opens(m.CommandView[1], m.FrameNote, u"Note"_s)
        || !closes(m.CommandNoteHide, m.FrameNote, u"note's Hide"_s)
        || !opens(m.CommandView[2], m.FrameChoice, u"Choices"_s)
        || !opens(m.CommandChoice[1], m.FrameName, u"Change User Name"_s)
        || !closes(m.CommandNameCancel, m.FrameName, u"name panel's Cancel"_s)
        || !closes(m.CommandChoice[0], m.FrameChoice, u"choices' Hide"_s) || !click(m.CommandView[3], u"Options"_s)
        || !expect(options, u"options shown and closed"_s) || !closeMenu(m.CommandView[0], 2))
        return false;

    // Tools: Report Bug.
    if (!openMenu(3) || !opens(m.CommandTools[3], m.FrameMail, u"Report Bug"_s)
        || !closes(m.CommandMailCancel, m.FrameMail, u"report panel's Cancel"_s) || !closeMenu(m.CommandTools[0], 3))
        return false;

    // Help: the About banner moves for a while, and its timer stops with it.
    if (!openMenu(4) || !opens(m.CommandHelp[5], m.FrameAbout, u"About"_s))
        return false;
    const int left = m.FrameAbout.left();
    if (!expect(waitFor([&] { return m.FrameAbout.left() != left; }), u"About banner moving"_s)
        || !closes(m.CommandHelp[5], m.FrameAbout, u"About again"_s)
        || !expect(!m.TimerMainAbout.isRunning(), u"banner's timer stopped"_s) || !closeMenu(m.CommandHelp[0], 4))
        return false;

    // The Run box slides out.
    if (!opens(m.CommandRun, m.FrameRun, u"Run"_s) || !slideDone()
        || !closes(m.CommandRunCancel, m.FrameRun, u"Run box's Cancel"_s))
        return false;

    // Full-window mode, the Controls bar, its browsers panel and a menu under it.
    return click(m.CommandFullBrow, u"Full Window"_s) && expect(s().FullWindowMode, u"full-window mode"_s)
        && opens(m.CommandZero, m.FrameOne, u"Controls"_s) && opens(m.CommandOne[7], m.FrameBrowser, u"Browsers"_s)
        && closes(m.CommandHideBrowser, m.FrameBrowser, u"browsers panel's Hide"_s)
        && click(m.CommandOne[2], u"View on the Controls bar"_s)
        && expect(slideDone() && s().MenuOpenIndex == 2, u"menu 2 open under the Controls bar"_s)
        && closeMenu(m.CommandView[0], 2) && click(m.CommandOne[10], u"Normal Window"_s)
        && expect(!s().FullWindowMode, u"normal mode"_s);
}

bool LongSession::windowCycle(int n)
{
    frmMain& m = f();
    // The window's page opens tabs of the window's own.
    const QString address = url(u"/pop.html?of=%1&w=%2"_s.arg(WindowTabs).arg(n));
    const QString last = url(u"/tab.html?n=%1&of=%1"_s.arg(WindowTabs));
    if (!openMenu(1) || !opens(m.CommandOpen[3], m.FrameCreate, u"New Browser"_s)
        || !expect(m.TextCreate.hasFocus(), u"create panel's box has the focus"_s))
        return false;
    // The box's text is selected: typing replaces it.
    QTest::keyClicks(QApplication::focusWidget(), address);
    if (!click(m.CommandCreateOK, u"create panel's OK"_s))
        return false;
    QPointer<frmWeb> window;
    for (const QPointer<vb::Form>& form : m_app->rt.forms())
        if (auto* w = qobject_cast<frmWeb*>(form.data()))
            window = w;
    if (!expect(window && window->isVisible(), u"secondary window shown"_s))
        return false;
    auto loaded = [&] {
        return window && window->BrowserPop[0].locationURL() == address && window->PopTabCount == WindowTabs
            && window->BrowserPop.exists(WindowTabs) && window->BrowserPop[WindowTabs].locationURL() == last
            && !window->PopPopupGuard && !window->TimerPop.isRunning();
    };
    return expect(waitFor(loaded), u"secondary window's page and tabs"_s)
        && click(window->CommandClosePop, u"secondary window's Close"_s)
        && expect(waitFor([&] { return window.isNull(); }), u"secondary window gone"_s);
}

// ---------------------------------------------------------------------------------------
// At rest

testsupport::CensusFigures LongSession::atRest(const testsupport::SessionCensus& census)
{
    auto same = [](const testsupport::CensusFigures& a, const testsupport::CensusFigures& b) {
        return a.widgets == b.widgets && a.timers == b.timers && a.pixmaps == b.pixmaps;
    };
    // Still for longer than the engine's one-second wait after the last load, before it
    // gives freed memory back: that single shot ends by itself and is not the program's
    // idle timer.
    testsupport::CensusFigures last = withoutWatch([&] { return census.take(); });
    for (int i = 0, steady = 0; i < 60 && steady < 15; ++i) {
        waitFor([] { return false; }, 100);
        const testsupport::CensusFigures now = withoutWatch([&] { return census.take(); });
        steady = same(now, last) ? steady + 1 : 0;
        last = now;
    }
    return last;
}

bool LongSession::quiet()
{
    return waitFor([&] {
        return !s().PopupGuard && s().LoadingBrowserIndex == -1 && s().TabLoadingIndex == -1
            && m_engine->liveEngines() == m_engines;
    });
}

} // namespace longsession
