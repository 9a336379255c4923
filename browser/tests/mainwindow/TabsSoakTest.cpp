// Main browsers and tabs on the real engine, headless, with pages served by a loopback HTTP
// server: six main browsers from the settings file, 24 tabs opened by a pop-up page and
// handled from both bars, and tabs opened and closed many times without leaking browsers,
// engine pages, widgets, timers or pictures.

#include "ControlButton.h"
#include "MainWindowFixture.h"
#include "StartupFixture.h"

#include "EngineSupport.h"
#include "LongSession.h"
#include "LoopbackServer.h"
#include "SessionCensus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>

using namespace corvane;
using namespace Qt::StringLiterals;
using testsupport::webViewCount;

namespace {

using Reply = testsupport::LoopbackServer::Reply;

// /pop.html opens /tab.html?n=1; each tab page opens the next one until n = of, so that the
// tabs open one after the other as each page arrives. Nothing comes from a cache.
std::optional<Reply> soakPage(const QByteArray& target)
{
    const QUrl url(QString::fromLatin1(target));
    const QString path = url.path();
    const QString of = url.query().section(u"of="_s, 1).section(u'&', 0, 0);
    Reply r;
    r.headers = "Cache-Control: no-store\r\n";
    if (path == u"/pop.html"_s) {
        r.body = "<html><body>pop-up page<script>window.open('/tab.html?n=1&of=" + of.toLatin1() + "');"
                 "</script></body></html>";
    } else if (path == u"/tab.html"_s) {
        r.body = "<html><body>tab page<script>"
                 " var q = new URLSearchParams(location.search), n = +q.get('n'), of = +q.get('of');"
                 " if (n < of) window.open('/tab.html?n=' + (n + 1) + '&of=' + of);"
                 "</script></body></html>";
    } else if (path == u"/favicon.ico"_s) {
        r.status = "404 Not Found";
    } else {
        r.body = "<html><body>page " + path.toLatin1() + "</body></html>";
    }
    return r;
}

// Serves /home<k>.html, /other.html, /pop.html and /tab.html?n=<k>&of=<n>, and counts the
// requests per path.
class SoakServer : public testsupport::LoopbackServer {
public:
    SoakServer() : LoopbackServer(&soakPage) {}
    int requests(const QString& path) const
    {
        int n = 0;
        for (const QString& target : LoopbackServer::requests())
            n += QUrl(target).path() == path ? 1 : 0;
        return n;
    }
    QString pop(int tabs, int round = 0) const { return url(u"/pop.html?of=%1&r=%2"_s.arg(tabs).arg(round)); }
};

// Waits for pred while the event loop sleeps until the next event: the engine's chain of
// small tasks runs without a poll interval between each of them. It leaves no timer behind.
using longsession::waitFor;

int webPageCount()
{
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* view = qobject_cast<QWebEngineView*>(w))
            n += int(view->findChildren<QWebEnginePage*>().size());
    return n;
}

// The whole start-up on the real engine, from the program folder on the fixed disk, with
// the settings file the test writes.
class EngineTabsTest : public corvanetest::StartupFixture {
protected:
    EngineTabsTest()
    {
        for (int i = 0; i <= 5; ++i)
            homes << server.url(u"/home%1.html"_s.arg(i + 1));
    }
    // The engine goes before the server it loads from.
    ~EngineTabsTest() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // Runs the start-up with mainBrowserLastIndex + 1 main browsers; waits for browser 1's
    // home page.
    void start(int mainBrowserLastIndex)
    {
        ASSERT_TRUE(testsupport::writeFile(diskFolder + u"/Corvane/Set.Velmora"_s, settingsFile(mainBrowserLastIndex, homes)));
        storeNickname(u"Ana"_s);
        makeApp();
        auto engine = testsupport::headlessEngine(server.url(u"/search.html"_s), testsupport::profileStorageFor(u"tabs-"_s));
        factory = engine.get();
        useEngine(std::move(engine));
        ASSERT_TRUE(startFromDisk());
        ASSERT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
        ASSERT_TRUE(settled(f().WebBrowser[0], homes[0]));
    }

    frmMain& f() const { return main(); }
    BrowserSet& s() const { return app->set; }

    // The browser elements on screen: their own flag set and their widget shown in the window.
    QStringList onScreen() const
    {
        QStringList v;
        auto add = [&](const vb::ControlArray<vb::WebBrowser>& arr, const QString& kind) {
            for (int i : arr.indices()) {
                const vb::WebBrowser& b = arr[i];
                if (b.isVisible() || b.widget()->isVisibleTo(f().window()))
                    v << kind + QString::number(i);
            }
        };
        add(f().WebBrowser, u"W"_s);
        add(f().BrowserNew, u"T"_s);
        return v;
    }
    // Exactly one browser element is on screen, and it is the current browser.
    bool oneOnScreen() const
    {
        const QStringList v = onScreen();
        QString current;
        if (s().TabBrowserCurrent)
            current = u"T%1"_s.arg(s().TabCurrentIndex);
        else if (s().BookmarkBrowserCurrent)
            current = u"W6"_s;
        else
            current = u"W%1"_s.arg(s().MainBrowserIndex);
        return v == QStringList{current};
    }

    // Waits until b has committed address, nothing loads and the guard is down.
    bool settled(vb::WebBrowser& b, const QString& address)
    {
        return waitFor([&] { return mainwindowtest::settledAt(s(), b, address); });
    }

    // The user types an address into the box on screen and presses Go.
    void go(const QString& address) { mainwindowtest::typeAndGo(*app, address); }

    // The current main browser goes to the pop-up page, which opens tabs one by one; waits
    // until all have arrived. Every turn of the event loop meanwhile sees exactly one
    // browser on screen.
    void openTabsByPopUp(int tabs, int round = 0)
    {
        go(server.pop(tabs, round));
        int stray = 0;
        const QString last = tabAddress(tabs, tabs);
        const bool ok = waitFor(
            [&] {
                if (onScreen().size() != 1)
                    ++stray;
                return s().TabCount == tabs && s().TabCurrentIndex == tabs && !s().PopupGuard
                    && f().BrowserNew[tabs].locationURL() == last && f().BrowserNew[tabs].isVisible();
            },
            30000);
        ASSERT_TRUE(ok) << "tabs " << s().TabCount << ", current " << s().TabCurrentIndex << ", guard " << s().PopupGuard;
        EXPECT_EQ(stray, 0);
        EXPECT_EQ(onScreen(), QStringList{u"T%1"_s.arg(tabs)});
    }

    QString tabAddress(int n, int of) const { return server.url(u"/tab.html?n=%1&of=%2"_s.arg(n).arg(of)); }

    // Made before the application, so that it sees every object of the program.
    testsupport::SessionCensus census;
    SoakServer server;
    QStringList homes;
    vb::QtWebEngineFactory* factory = nullptr;
};

TEST_F(EngineTabsTest, SixMainBrowsersAnd24TabsFromBothBars)
{
    ASSERT_NO_FATAL_FAILURE(start(5));
    for (int m = 1; m <= 5; ++m)
        EXPECT_EQ(server.requests(u"/home%1.html"_s.arg(m + 1)), 0) << m;

    // Each selector opens its own browser's home page once.
    for (int m = 1; m <= 5; ++m) {
        SCOPED_TRACE(m);
        if (m % 2) {
            ASSERT_TRUE(f().CommandShowBrowser[m].click());
        } else {
            f().FrameBrowser.setVisible(true);
            ASSERT_TRUE(f().CommandBrowser[m].click());
        }
        EXPECT_EQ(onScreen(), QStringList{u"W%1"_s.arg(m)});
        ASSERT_TRUE(settled(f().WebBrowser[m], homes[m]));
        EXPECT_EQ(onScreen(), QStringList{u"W%1"_s.arg(m)});
        EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Main Browser #%1"_s.arg(m + 1));
    }
    // Browser #3 moves on to another page.
    ASSERT_TRUE(f().CommandShowBrowser[2].click());
    go(server.url(u"/other.html"_s));
    ASSERT_TRUE(settled(f().WebBrowser[2], server.url(u"/other.html"_s)));

    // Later picks show each browser at once on the page it had.
    for (int round = 0; round < 2; ++round)
        for (int m = 5; m >= 0; --m) {
            SCOPED_TRACE(m);
            if (round) {
                f().FrameBrowser.setVisible(true);
                ASSERT_TRUE(f().CommandBrowser[m].click());
            } else {
                ASSERT_TRUE(f().CommandShowBrowser[m].click());
            }
            EXPECT_FALSE(s().PopupGuard);
            EXPECT_EQ(onScreen(), QStringList{u"W%1"_s.arg(m)});
            EXPECT_EQ(f().WebBrowser[m].locationURL(), m == 2 ? server.url(u"/other.html"_s) : homes[m]);
            EXPECT_EQ(f().ComboLocation.text(), f().WebBrowser[m].locationURL());
        }
    // A page loaded now comes after anything asked for before it.
    go(server.url(u"/barrier.html"_s));
    ASSERT_TRUE(settled(f().WebBrowser[0], server.url(u"/barrier.html"_s)));
    for (int m = 0; m <= 5; ++m)
        EXPECT_EQ(server.requests(u"/home%1.html"_s.arg(m + 1)), 1) << m;

    // 24 tabs from a pop-up page of browser #1.
    ASSERT_NO_FATAL_FAILURE(openTabsByPopUp(MaxTabs));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(s().TabLastIndex, MaxTabs);
    for (int t = 1; t <= MaxTabs; ++t)
        EXPECT_EQ(f().BrowserNew[t].locationURL(), tabAddress(t, MaxTabs)) << t;

    // Switching with the normal bar, then with the full-window bar.
    for (int t = 1; t <= MaxTabs; ++t) {
        ASSERT_TRUE(f().CommandWebNew[t].click()) << t;
        ASSERT_EQ(onScreen(), QStringList{u"T%1"_s.arg(t)});
        EXPECT_EQ(f().ComboWebLocation[t].text(), tabAddress(t, MaxTabs));
    }
    ASSERT_TRUE(f().CommandWebNew[MaxTabs].click());
    EXPECT_EQ(onScreen(), QStringList{u"W0"_s});
    FullWindowSet(*app, true);
    for (int t = MaxTabs; t >= 1; t -= 3) {
        ASSERT_TRUE(f().CommandWebComNew[t].click()) << t;
        ASSERT_EQ(onScreen(), QStringList{u"T%1"_s.arg(t)});
        EXPECT_EQ(f().ComboComLocation.text(), tabAddress(t, MaxTabs));
    }
    FullWindowSet(*app, false);
    EXPECT_TRUE(oneOnScreen());

    // Selecting and bookmarking every tab (twice: nothing is added the second time).
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(f().CommandWebClose[2].click());
        ASSERT_TRUE(f().FrameWebSelectClose.isVisible());
        EXPECT_EQ(f().FrameWebSelectClose.height(), 6 * 24 + 89);
        ASSERT_TRUE(f().CommandWebSelectClose[3].click());
        EXPECT_EQ(f().SelectedTabCount, MaxTabs);
        ASSERT_TRUE(f().CommandWebSelectClose[2].click());
        EXPECT_FALSE(f().FrameWebSelectClose.isVisible());
        EXPECT_EQ(app->lists.BookmarkLastIndex, MaxTabs - 1);
        EXPECT_TRUE(oneOnScreen());
    }
    for (int t = 1; t <= MaxTabs; ++t)
        EXPECT_EQ(app->hid.ComboMarkAddress.List(t - 1), tabAddress(t, MaxTabs)) << t;

    // Closing: a selection with the current tab, the current tab from each bar, a
    // selection from the full-window bar, then all from the full-window bar.
    ASSERT_TRUE(f().CommandWebNew[5].click());
    ASSERT_TRUE(f().CommandWebClose[2].click());
    for (int t : {1, 5, 24})
        ASSERT_TRUE(f().CheckSelectWebTab[t].click()) << t;
    ASSERT_TRUE(f().CommandWebSelectClose[1].click());
    EXPECT_EQ(s().TabCount, 21);
    EXPECT_EQ(s().TabLastIndex, 23);
    EXPECT_EQ(onScreen(), QStringList{u"W0"_s});

    ASSERT_TRUE(f().CommandWebNew[23].click());
    ASSERT_TRUE(f().CommandWebClose[1].click());
    EXPECT_EQ(s().TabLastIndex, 22);
    EXPECT_EQ(onScreen(), QStringList{u"W0"_s});

    FullWindowSet(*app, true);
    ASSERT_TRUE(f().CommandWebComNew[10].click());
    ASSERT_EQ(onScreen(), QStringList{u"T10"_s});
    ASSERT_TRUE(f().CommandWebComClose[1].click());
    EXPECT_EQ(onScreen(), QStringList{u"W0"_s});
    ASSERT_TRUE(f().CommandWebComNew[12].click());
    ASSERT_TRUE(f().CommandWebComClose[2].click());
    for (int t : {11, 12, 22})
        ASSERT_TRUE(f().CheckSelectWebTab[t].click()) << t;
    ASSERT_TRUE(f().CommandWebSelectClose[1].click());
    EXPECT_EQ(s().TabCount, 16);
    EXPECT_EQ(s().TabLastIndex, 21);
    EXPECT_EQ(onScreen(), QStringList{u"W0"_s});
    ASSERT_TRUE(f().CommandWebComNew[7].click());
    ASSERT_TRUE(f().CommandWebComClose[0].click());
    EXPECT_EQ(s().TabCount, 0);
    EXPECT_EQ(s().TabLastIndex, 0);
    EXPECT_EQ(onScreen(), QStringList{u"W0"_s});
    FullWindowSet(*app, false);
    EXPECT_EQ(s().TopBandHeight, 76);
    EXPECT_EQ(onScreen(), QStringList{u"W0"_s});

    // The main browsers kept their pages through all of it.
    for (int m = 1; m <= 5; ++m)
        EXPECT_EQ(f().WebBrowser[m].locationURL(), m == 2 ? server.url(u"/other.html"_s) : homes[m]) << m;
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(waitFor([] { return webViewCount() == 6; }));
    EXPECT_EQ(factory->liveEngines(), 6);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
}

// Each round is checked against the first: a leak shows in the second round already, and the
// long-session benchmark (bench_soak) goes on for fifty.
TEST_F(EngineTabsTest, OpeningAndClosing24TabsTenTimesLeavesNothingBehind)
{
    ASSERT_NO_FATAL_FAILURE(start(0));
    testsupport::flushDeferredDeletes();
    const int elements = f().BrowserNew.count();
    const int boxes = f().ComboWebLocation.count();
    const int engines = factory->liveEngines();
    const int views = webViewCount();
    const int pages = webPageCount();
    ASSERT_EQ(engines, 1);
    // What the window holds after the first round (which may make what it keeps for later).
    testsupport::CensusFigures first;

    QElapsedTimer clock;
    clock.start();
    for (int round = 1; round <= 10; ++round) {
        SCOPED_TRACE(round);
        ASSERT_NO_FATAL_FAILURE(openTabsByPopUp(MaxTabs, round));
        QList<QPointer<vb::WebBrowser>> tabs;
        for (int t = 1; t <= MaxTabs; ++t)
            tabs << f().BrowserNew.find(t);
        ASSERT_EQ(factory->liveEngines(), engines + MaxTabs);
        // Closed from either bar, by turns.
        if (round % 2)
            ASSERT_TRUE(f().CommandWebClose[0].click());
        else
            f().CommandWebComClose[0].setValue(true);
        EXPECT_EQ(f().BrowserNew.count(), elements);
        EXPECT_EQ(f().ComboWebLocation.count(), boxes);
        testsupport::flushDeferredDeletes();
        EXPECT_EQ(factory->liveEngines(), engines);
        for (int t = 0; t < MaxTabs; ++t)
            EXPECT_TRUE(tabs[t].isNull()) << "tab " << t + 1;
        EXPECT_EQ(webViewCount(), views);
        EXPECT_EQ(webPageCount(), pages);
        EXPECT_EQ(onScreen(), QStringList{u"W0"_s});
        // The widgets, the timers and the pictures are back where the first round left them;
        // no timer runs.
        ASSERT_TRUE(waitFor([&] { return s().LoadingBrowserIndex == -1 && s().TabLoadingIndex == -1; }));
        if (round == 1)
            first = census.take();
        // Asked again for a while: a deletion or a single shot may still be on its way.
        testsupport::CensusFigures now = census.take();
        auto back = [&] { return now.widgets == first.widgets && now.timers == 0 && now.pixmaps == first.pixmaps; };
        for (int i = 0; i < 20 && !back(); ++i) {
            testsupport::waitFor([] { return false; }, 100);
            now = census.take();
        }
        EXPECT_EQ(now.widgets, first.widgets);
        EXPECT_EQ(now.timers, 0) << testsupport::classDifference({}, census.timerOwners()).toStdString();
        EXPECT_EQ(now.pixmaps, first.pixmaps);
        if (HasFailure())
            break;
    }
    const qint64 ms = clock.elapsed();
    RecordProperty("soak_ms", int(ms));
    std::printf("[ soak     ] 10 rounds of 24 tabs in %lld ms\n", static_cast<long long>(ms));
}

} // namespace
