// The web-browser control over the real engine, headless, on local pages only: the order of
// the events of one navigation, new windows, failures, history and the engine's lifetime.

#include "EngineFixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;
using testsupport::pageOf;
using testsupport::runScript;
using testsupport::waitFor;
using testsupport::webViewCount;
using webtest::EventLog;

namespace {

// Processes this test program started (the engine's helpers).
int childProcesses()
{
    return int(testsupport::childProcesses(getpid()).size());
}

class QtWebEngineTest : public webtest::EngineFixture {};

TEST_F(QtWebEngineTest, ANeverNavigatedBrowserStartsNoEngine)
{
    const int viewsBefore = webViewCount();
    const int processesBefore = childProcesses();
    form->show();
    form->first.refresh();
    form->first.stop();
    EXPECT_THROW(form->first.goBack(), vb::Error);
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->first.hasEngine());
    EXPECT_FALSE(form->second.hasEngine());
    EXPECT_EQ(factory->liveEngines(), 0);
    EXPECT_FALSE(factory->hasProfile());
    EXPECT_EQ(webViewCount(), viewsBefore);
    EXPECT_EQ(childProcesses(), processesBefore);

    // The first navigation brings the user's persistent profile.
    form->first.navigate(address(u"b.html"_s));
    EXPECT_EQ(factory->liveEngines(), 1);
    ASSERT_TRUE(factory->hasProfile());
    EXPECT_FALSE(factory->profile()->isOffTheRecord());
    EXPECT_EQ(factory->profile()->storageName(), u"Corvane"_s);
    EXPECT_TRUE(factory->profile()->persistentStoragePath().startsWith(storage));
    EXPECT_EQ(pageOf(form->first)->profile(), factory->profile());
    // Run alone, this program had no helper processes until now.
    if (processesBefore == 0) {
        EXPECT_TRUE(waitFor([] { return childProcesses() > 0; }));
    }
}

TEST_F(QtWebEngineTest, OneNavigationRaisesItsEventsInOrder)
{
    bool deferredRan = false;
    bool deferredInCallback = true;
    form->first.onNavigateComplete2 = [&] {
        log.events << u"NavigateComplete2 "_s + form->first.locationURL();
        EXPECT_TRUE(rt.inEngineCallback());
        rt.afterEngineCallback([&] {
            deferredRan = true;
            deferredInCallback = rt.inEngineCallback();
        });
    };
    EXPECT_EQ(form->first.locationURL(), QString());
    load(address(u"links.html"_s));
    EXPECT_EQ(log.events, navigation(address(u"links.html"_s)));
    ASSERT_FALSE(log.progress.isEmpty());
    EXPECT_EQ(log.progress.first(), 0);
    EXPECT_EQ(log.progress.last(), 100);
    EXPECT_EQ(form->first.locationURL(), address(u"links.html"_s));
    EXPECT_TRUE(waitFor([&] { return deferredRan; }));
    EXPECT_FALSE(deferredInCallback);

    // A reload changes no address, yet still commits before it completes.
    log.clear();
    form->first.refresh();
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(log.events.first(), u"BeforeNavigate2"_s);
    EXPECT_EQ(log.events.mid(1, 2), QStringList({u"DownloadBegin"_s, u"ProgressChange"_s}));
    EXPECT_EQ(log.events.mid(log.events.size() - 2),
              QStringList({u"NavigateComplete2 "_s + address(u"links.html"_s), u"DownloadComplete"_s}));
    EXPECT_EQ(log.count(u"NavigateComplete2"_s), 1);

    // A fragment is no new page: the address changes alone, with nothing loading.
    log.clear();
    runScript(form->first, u"location.hash = 'frag'"_s);
    ASSERT_TRUE(waitFor([&] { return log.count(u"SameDocument"_s) == 1; }));
    EXPECT_EQ(log.events, QStringList({u"SameDocument "_s + address(u"links.html"_s) + u" -> "_s + address(u"links.html"_s)
                                       + u"#frag"_s}));
    EXPECT_EQ(form->first.locationURL(), address(u"links.html"_s) + u"#frag"_s);
}

TEST_F(QtWebEngineTest, HistoryWithoutAnEarlierPageRaisesTheError)
{
    load(address(u"links.html"_s));
    EXPECT_THROW(form->first.goBack(), vb::Error);
    EXPECT_THROW(form->first.goForward(), vb::Error);

    load(address(u"b.html"_s));
    log.clear();
    EXPECT_NO_THROW(form->first.goBack());
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(log.events, navigation(address(u"links.html"_s)));
    EXPECT_EQ(form->first.locationURL(), address(u"links.html"_s));
    EXPECT_THROW(form->first.goBack(), vb::Error);

    log.clear();
    EXPECT_NO_THROW(form->first.goForward());
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(form->first.locationURL(), address(u"b.html"_s));
    EXPECT_THROW(form->first.goForward(), vb::Error);

    // GoSearch goes to the configured page.
    log.clear();
    form->first.goSearch();
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(form->first.locationURL(), address(u"b.html"_s));
}

TEST_F(QtWebEngineTest, AnUnreachablePageRaisesNavigateErrorAndKeepsTheOldPage)
{
    load(address(u"b.html"_s));

    for (const QString& target : {address(u"missing.html"_s), u"http://127.0.0.1:1/"_s}) {
        log.clear();
        load(target);
        EXPECT_EQ(log.events, QStringList({u"BeforeNavigate2"_s, u"DownloadBegin"_s, u"ProgressChange"_s,
                                           u"NavigateError"_s, u"DownloadComplete"_s}))
            << target.toStdString();
        EXPECT_EQ(form->first.locationURL(), address(u"b.html"_s));
        EXPECT_TRUE(runScript(form->first, u"document.body.innerText"_s).toString().contains(u"b-marker"_s));
    }
}

TEST_F(QtWebEngineTest, ServedPagesAreShownWhateverTheirStatus)
{
    // A local page's link to the web loads (the engine refuses it unless told otherwise).
    load(address(u"links.html"_s));
    log.clear();
    runScript(form->first, u"document.getElementById('remote').click()"_s);
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(log.events, navigation(server.url(u"/ok"_s)));

    log.clear();
    load(server.url(u"/404"_s));
    EXPECT_EQ(log.events, navigation(server.url(u"/404"_s)));
    EXPECT_EQ(log.count(u"NavigateError"_s), 0);
    EXPECT_TRUE(runScript(form->first, u"document.body.innerText"_s).toString().contains(u"nothing here"_s));
}

TEST_F(QtWebEngineTest, ANavigationStartedWhileAnotherLoadsEndsTheFirst)
{
    form->first.navigate(server.url(u"/slow"_s));
    ASSERT_TRUE(waitFor([&] { return log.count(u"ProgressChange"_s) == 1; }));
    form->first.navigate(address(u"b.html"_s));
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 2; }));
    QStringList expected = {u"BeforeNavigate2"_s, u"DownloadBegin"_s, u"ProgressChange"_s, u"DownloadComplete"_s};
    expected += navigation(address(u"b.html"_s));
    EXPECT_EQ(log.events, expected);
}

TEST_F(QtWebEngineTest, NewWindowFromALinkLoadsInThePreparedControl)
{
    // Served pages: a local page gets no local page into a window it opens (below).
    load(server.url(u"/links"_s));
    log.clear();
    handBackSecond();
    ASSERT_FALSE(form->second.hasEngine());

    // A real click on a target=_blank link.
    form->show();
    ASSERT_TRUE(testsupport::documentShown(form->first));
    ASSERT_TRUE(testsupport::clickElement(form->first, u"blank"_s));

    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; })) << newWindows;
    EXPECT_EQ(newWindows, 1);
    ASSERT_TRUE(form->second.hasEngine());
    EXPECT_EQ(popupLog.events, navigation(server.url(u"/c"_s)));
    EXPECT_EQ(form->second.locationURL(), server.url(u"/c"_s));
    EXPECT_EQ(form->first.locationURL(), server.url(u"/links"_s));
    EXPECT_TRUE(log.events.isEmpty()) << log.events.join(u", "_s).toStdString();
    EXPECT_EQ(factory->liveEngines(), 2);
}

TEST_F(QtWebEngineTest, NewWindowFromAScriptLoadsInThePreparedControl)
{
    load(server.url(u"/links"_s));
    // The prepared control may show a page already.
    form->second.navigate(server.url(u"/b"_s));
    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; }));
    popupLog.clear();
    handBackSecond();
    runScript(form->first, u"window.open('/c'); true"_s);
    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; })) << newWindows;
    EXPECT_EQ(newWindows, 1);
    // The engine knows the pop-up's address before its load begins; DownloadBegin still
    // comes first.
    EXPECT_EQ(popupLog.events, navigation(server.url(u"/c"_s)));
    EXPECT_EQ(form->second.locationURL(), server.url(u"/c"_s));
}

TEST_F(QtWebEngineTest, ALocalPageGetsNoLocalPageIntoAWindowItOpens)
{
    // The opener could read that page through its window. The window's load fails, as an
    // unreachable page does; a web page comes, and the user's own address does.
    load(address(u"links.html"_s));
    handBackSecond();
    runScript(form->first, u"window.w = window.open('c.html'); true"_s);
    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; }))
        << newWindows << " " << popupLog.events.join(u", "_s).toStdString();
    EXPECT_EQ(popupLog.events, QStringList({u"BeforeNavigate2"_s, u"DownloadBegin"_s, u"ProgressChange"_s,
                                            u"NavigateError"_s, u"DownloadComplete"_s}));
    EXPECT_EQ(form->second.locationURL(), QString());
    // The user is told why, not that the page could not be reached.
    EXPECT_EQ(form->second.failure(), vb::PageFailure::LocalPageRefused);
    EXPECT_EQ(runScript(form->first, u"String(w.document.body && w.document.body.innerText)"_s).toString(), QString());

    popupLog.clear();
    runScript(form->first, u"w.location = '%1'; true"_s.arg(server.url(u"/ok"_s)));
    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(form->second.locationURL(), server.url(u"/ok"_s));
    form->second.navigate(address(u"c.html"_s));
    EXPECT_TRUE(waitFor([&] { return form->second.locationURL() == address(u"c.html"_s); }));
}

TEST_F(QtWebEngineTest, CancelledNewWindowOpensNothing)
{
    load(address(u"links.html"_s));
    const int viewsBefore = webViewCount();
    form->first.onNewWindow2 = [this](vb::WebBrowser*& ppDisp, bool& cancel) {
        ++newWindows;
        ppDisp = &form->second;
        cancel = true;
    };
    runScript(form->first, u"window.open('c.html'); true"_s);
    ASSERT_TRUE(waitFor([&] { return newWindows == 1; }));

    // Without a handler nothing opens either.
    form->first.onNewWindow2 = nullptr;
    runScript(form->first, u"window.open('c.html'); true"_s);
    // Whatever the engine does with a refused window, it has done by the next round trip.
    runScript(form->first, u"document.title"_s);
    EXPECT_EQ(factory->liveEngines(), 1);
    EXPECT_EQ(webViewCount(), viewsBefore);
    EXPECT_FALSE(form->second.hasEngine());
    EXPECT_EQ(popupLog.events, QStringList());
    EXPECT_EQ(log.events, navigation(address(u"links.html"_s)));
}

TEST_F(QtWebEngineTest, PrintAndSaveAsWriteWhereTheUserSaid)
{
    load(address(u"b.html"_s));
    const QString pdf = storage + u"/printed.pdf"_s;
    const QString saved = storage + u"/saved.html"_s;
    int asked = 0;
    factory->askPrinter = [&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(96);
        return true;
    };
    QString offered;
    factory->askSavePath = [&](const QString& where) {
        ++asked;
        offered = where;
        return saved;
    };
    // Save As right after Print: the save waits for the print (saving while printing
    // brings the engine down).
    form->first.execWB(vb::WebBrowser::ExecPrint, vb::WebBrowser::PromptUser);
    form->first.execWB(vb::WebBrowser::ExecSaveAs, vb::WebBrowser::PromptUser);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(waitFor([&] { return testsupport::readFile(pdf).trimmed().endsWith("%%EOF"); }));
    EXPECT_TRUE(waitFor([&] { return testsupport::readFile(saved).contains("b-marker"); }));
    // Save As offers the page's name in the user's folder, not in the program's.
    EXPECT_EQ(offered, QDir::home().filePath(u"b.html"_s));

    // A declined dialog prints nothing.
    factory->askPrinter = [&](QPrinter&) {
        ++asked;
        return false;
    };
    form->first.execWB(vb::WebBrowser::ExecPrint, vb::WebBrowser::PromptUser);
    EXPECT_EQ(asked, 3);

    // A browser unloaded while it prints: the print still completes.
    const QString pdf2 = storage + u"/printed-then-closed.pdf"_s;
    factory->askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf2);
        printer.setResolution(96);
        return true;
    };
    form->second.navigate(address(u"b.html"_s));
    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; }));
    form->second.execWB(vb::WebBrowser::ExecPrint, vb::WebBrowser::PromptUser);
    form.reset();
    EXPECT_EQ(factory->liveEngines(), 0);
    EXPECT_TRUE(waitFor([&] { return testsupport::readFile(pdf2).trimmed().endsWith("%%EOF"); }));
    EXPECT_TRUE(waitFor([&] { return webViewCount() == 0; }));
}

TEST_F(QtWebEngineTest, EnginesGoWithTheirControlsAndPagesBeforeTheProfile)
{
    load(server.url(u"/links"_s));
    handBackSecond();
    runScript(form->first, u"window.open('/c'); true"_s);
    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(factory->liveEngines(), 2);
    QPointer<QWidget> view = form->first.engine()->view();

    auto extra = std::make_unique<vb::WebBrowser>(*form);
    extra->navigate(address(u"b.html"_s));
    QPointer<QWidget> extraView = extra->engine()->view();
    EXPECT_EQ(factory->liveEngines(), 3);
    extra.reset();
    EXPECT_EQ(factory->liveEngines(), 2);
    EXPECT_TRUE(waitFor([&] { return extraView.isNull(); }));

    // Unloading everything at once, with no turn of the event loop in between: the factory
    // deletes the remaining pages before the profile.
    form.reset();
    EXPECT_EQ(factory->liveEngines(), 0);
    static QStringList messages;
    static QtMessageHandler previous = nullptr;
    messages.clear();
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& msg) {
        messages << msg;
        previous(type, context, msg);
    });
    rt.setWebEngine(nullptr);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(view.isNull());
    EXPECT_EQ(webViewCount(), 0);
    for (const QString& m : std::as_const(messages))
        EXPECT_FALSE(m.contains(u"still not deleted"_s)) << m.toStdString();
}

TEST_F(QtWebEngineTest, AtTheEndTheEngineGoesBeforeItsFormsAndTellsThemNothing)
{
    // The end of the program: the factory goes while pages still load and every form is
    // still there; no event may reach the program any more.
    load(address(u"links.html"_s));
    form->first.navigate(server.url(u"/slow"_s));
    form->second.navigate(server.url(u"/slow"_s));
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadBegin"_s) == 2 && popupLog.count(u"DownloadBegin"_s) == 1; }))
        << log.events.join(u", "_s).toStdString();
    QPointer<QWidget> view = form->first.engine()->view();
    const QStringList before = log.events;

    rt.setWebEngine(nullptr);
    EXPECT_TRUE(view.isNull());
    EXPECT_EQ(webViewCount(), 0);
    waitFor([] { return false; }, 200);
    EXPECT_EQ(log.events, before);
    EXPECT_EQ(popupLog.events, QStringList({u"BeforeNavigate2"_s, u"DownloadBegin"_s, u"ProgressChange"_s}));
}

// A page that opens a window without an address and writes into it: what the window shows
// never came through a navigation. Painting it brought the whole program down (the engine's
// own fault, offscreen and on a display alike); the new browser must show it and stay
// usable.
TEST_F(QtWebEngineTest, AWindowItsOpenerWritesIntoComesOnScreen)
{
    form->show();
    load(server.url(u"/ok"_s));
    handBackSecond();
    // The prepared browser waits hidden and comes on screen with its first page, as a
    // window's new tab does.
    form->second.setVisible(false);
    form->second.onNavigateComplete2 = [this] {
        popupLog.events << u"NavigateComplete2 "_s + form->second.locationURL();
        form->second.setVisible(true);
    };
    runScript(form->first, u"var w = window.open(''); w.document.write('<p>written</p>'); w.document.close(); true"_s);
    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(newWindows, 1);
    EXPECT_EQ(popupLog.events.mid(0, 2), QStringList({u"BeforeNavigate2"_s, u"DownloadBegin"_s}));
    EXPECT_EQ(popupLog.events.filter(u"NavigateComplete2"_s), QStringList{u"NavigateComplete2 about:blank"_s});
    EXPECT_EQ(popupLog.events.last(), u"DownloadComplete"_s);
    EXPECT_TRUE(waitFor([&] { return testsupport::showsText(form->second); }));
    EXPECT_EQ(runScript(form->second, u"document.body.innerText"_s).toString(), u"written"_s);

    // The opener goes on writing into the window on screen.
    runScript(form->first, u"w.document.body.innerHTML = '<p>more</p>'; true"_s);
    EXPECT_TRUE(waitFor([&] { return runScript(form->second, u"document.body.innerText"_s).toString() == u"more"_s; }));

    // A window that is on screen before its opener first writes into it.
    vb::WebBrowser third(*form);
    third.move(0, 0, 320, 240);
    EventLog thirdLog;
    thirdLog.attach(third);
    form->first.onNewWindow2 = [&](vb::WebBrowser*& ppDisp, bool&) { ppDisp = third.object(); };
    runScript(form->first, u"var v = window.open(''); true"_s);
    ASSERT_TRUE(waitFor([&] { return thirdLog.count(u"DownloadComplete"_s) == 1; }));
    ASSERT_TRUE(third.isVisible());
    runScript(form->first, u"v.document.write('<p>late words</p>'); v.document.close(); true"_s);
    EXPECT_TRUE(waitFor([&] { return testsupport::showsText(third); }));
    EXPECT_EQ(runScript(third, u"document.body.innerText"_s).toString(), u"late words"_s);

    // The new browsers go on like any other.
    popupLog.clear();
    form->second.navigate(address(u"b.html"_s));
    ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(popupLog.events, navigation(address(u"b.html"_s)));
    EXPECT_TRUE(runScript(form->second, u"document.body.innerText"_s).toString().contains(u"b-marker"_s));
}

// A renderer that dies takes its page with it: the browser reports a failed navigation that
// ends whatever was loading, and loads again afterwards.
TEST_F(QtWebEngineTest, APageWhoseRendererDiesFailsAndTheBrowserLoadsAgain)
{
    load(server.url(u"/ok"_s));
    const QStringList failed = {u"BeforeNavigate2"_s, u"DownloadBegin"_s, u"ProgressChange"_s, u"NavigateError"_s,
                                u"DownloadComplete"_s};

    // Killed while a page loads (the engine itself never ends that load).
    log.clear();
    form->first.navigate(server.url(u"/slow"_s));
    ASSERT_TRUE(waitFor([&] { return log.count(u"ProgressChange"_s) == 1; }));
    const qint64 pid = pageOf(form->first)->renderProcessPid();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; })) << log.events.join(u", "_s).toStdString();
    EXPECT_EQ(log.events, failed);
    EXPECT_EQ(form->first.locationURL(), server.url(u"/ok"_s));

    log.clear();
    load(address(u"b.html"_s));
    EXPECT_TRUE(committed(log.events, address(u"b.html"_s)));
    EXPECT_TRUE(runScript(form->first, u"document.body.innerText"_s).toString().contains(u"b-marker"_s));

    // Crashed while the page rests.
    log.clear();
    form->first.navigate(u"chrome://crash"_s);
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; })) << log.events.join(u", "_s).toStdString();
    EXPECT_EQ(log.events, QStringList({u"NavigateError"_s, u"DownloadComplete"_s}));

    log.clear();
    load(server.url(u"/ok"_s));
    EXPECT_TRUE(committed(log.events, server.url(u"/ok"_s)));
    EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), u"served /ok"_s);
}

// A load that never commits a page (no content, a file, a stop) still ends, so that nothing
// waits for its end forever; the page shown stays.
TEST_F(QtWebEngineTest, EveryLoadThatBeginsEndsWithDownloadComplete)
{
    factory->askDownloadPath = [](const QString&) { return QString(); };
    form->show();
    load(server.url(u"/ok"_s));
    const QStringList uncommitted = {u"BeforeNavigate2"_s, u"DownloadBegin"_s, u"ProgressChange"_s,
                                     u"DownloadComplete"_s};
    for (const QString& target : {u"/204"_s, u"/download"_s}) {
        log.clear();
        load(server.url(target));
        EXPECT_EQ(log.events, uncommitted) << target.toStdString();
        EXPECT_EQ(form->first.locationURL(), server.url(u"/ok"_s));
    }

    // The user clicks a link to a file, then a link with a target: the new window comes.
    runScript(form->first, u"document.body.innerHTML = \"<a id=file href='/download' style='display:block;height:30px'>file</a>"
                           "<a id=blank target=_blank href='/c' style='display:block;height:30px'>new</a>\"; true"_s);
    for (const QString& link : {u"file"_s, u"blank"_s}) {
        const QVariantList at = testsupport::clickPointOf(form->first, link);
        ASSERT_EQ(at.size(), 2);
        if (link == u"file"_s) {
            log.clear();
            testsupport::clickAt(form->first, QPoint(at[0].toInt(), at[1].toInt()));
            ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; }));
            EXPECT_EQ(log.events, uncommitted);
        } else {
            handBackSecond();
            testsupport::clickAt(form->first, QPoint(at[0].toInt(), at[1].toInt()));
            ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) == 1; }));
            EXPECT_EQ(newWindows, 1);
            EXPECT_EQ(form->second.locationURL(), server.url(u"/c"_s));
        }
    }

    // Stopped while the server keeps it waiting.
    log.clear();
    form->first.navigate(server.url(u"/slow"_s));
    ASSERT_TRUE(waitFor([&] { return log.count(u"ProgressChange"_s) == 1; }));
    form->first.stop();
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(log.events, uncommitted);

    // Stopped before the engine began it: the engine reports nothing, the control its end.
    log.clear();
    form->first.navigate(server.url(u"/slow"_s));
    form->first.stop();
    ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; }));
    EXPECT_EQ(log.events, QStringList{u"DownloadComplete"_s});
    EXPECT_EQ(form->first.locationURL(), server.url(u"/ok"_s));
    EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), u"file\nnew"_s);
}

} // namespace

// Whatever frees much memory is followed by one release of it once the program has been
// quiet for a while: never while a page loads, and once for a quiet spell however much
// happened in it.
TEST_F(QtWebEngineTest, FreedMemoryGoesBackAfterEachQuietSpellButNeverWhileAPageLoads)
{
    auto loading = [this] {
        return log.count(u"DownloadBegin"_s) != log.count(u"DownloadComplete"_s)
            || popupLog.count(u"DownloadBegin"_s) != popupLog.count(u"DownloadComplete"_s);
    };
    int releases = 0;
    int releasesWhileLoading = 0;
    factory->releaseFreedMemory = [&] {
        ++releases;
        releasesWhileLoading += loading() ? 1 : 0;
    };
    form->show();
    load(address(u"links.html"_s));
    ASSERT_TRUE(waitFor([&] { return releases == 1; }));

    // A browser of its own that has loaded its page, for a road to close.
    auto loadedBrowser = [this](vb::Form& on) {
        auto b = std::make_unique<vb::WebBrowser>(on);
        b->move(0, 0, 320, 240);
        bool loaded = false;
        b->onDownloadComplete = [&loaded] { loaded = true; };
        b->navigate(address(u"c.html"_s));
        EXPECT_TRUE(waitFor([&] { return loaded; }));
        b->onDownloadComplete = nullptr;
        return b;
    };
    std::vector<std::unique_ptr<vb::WebBrowser>> tabs;
    std::unique_ptr<webtest::BrowserForm> window;
    EventLog windowLog;
    struct Road {
        const char* what;
        // What the road needs, made before the spell that is counted.
        std::function<void()> prepare;
        std::function<void()> take;
    };
    const Road roads[] = {
        {"a page loads", [] {}, [&] { load(address(u"b.html"_s)); }},
        {"a tab closes", [&] { tabs.push_back(loadedBrowser(*form)); }, [&] { tabs.clear(); }},
        {"three tabs close one after the other",
         [&] {
             for (int i = 0; i < 3; ++i)
                 tabs.push_back(loadedBrowser(*form));
         },
         [&] {
             while (!tabs.empty()) {
                 tabs.pop_back();
                 QCoreApplication::processEvents();
             }
         }},
        {"a window closes",
         [&] {
             window = std::make_unique<webtest::BrowserForm>(rt);
             window->show();
             windowLog.attach(window->first);
             window->first.navigate(address(u"c.html"_s));
             ASSERT_TRUE(waitFor([&] { return windowLog.count(u"DownloadComplete"_s) == 1; }));
         },
         [&] { window.reset(); }},
        {"browsers switch back and forth",
         [&] {
             form->second.navigate(address(u"c.html"_s));
             ASSERT_TRUE(waitFor([&] { return popupLog.count(u"DownloadComplete"_s) > 0; }));
         },
         [&] {
             for (int i = 0; i < 4; ++i) {
                 form->first.setVisible(i % 2 == 1);
                 form->second.setVisible(i % 2 == 0);
                 QCoreApplication::processEvents();
             }
         }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.what);
        road.prepare();
        ASSERT_TRUE(waitFor([&] { return !factory->releasePending(); }));
        const int before = releases;
        road.take();
        ASSERT_TRUE(waitFor([&] { return releases > before; })) << "no release followed";
        ASSERT_TRUE(waitFor([&] { return !factory->releasePending(); }));
        EXPECT_EQ(releases, before + 1);
    }

    // A tab that closes while a page loads: the spell ends without a release, which waits
    // for the load's end.
    const int before = releases;
    form->second.navigate(server.url(u"/slow"_s));
    ASSERT_TRUE(waitFor([&] { return loading(); }));
    tabs.push_back(loadedBrowser(*form));
    tabs.clear();
    ASSERT_TRUE(waitFor([&] { return factory->releasePending(); }));
    ASSERT_TRUE(waitFor([&] { return !factory->releasePending(); }));
    EXPECT_EQ(releases, before);
    form->second.stop();
    ASSERT_TRUE(waitFor([&] { return releases == before + 1; }));
    EXPECT_EQ(releasesWhileLoading, 0);
}
