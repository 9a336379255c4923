// The main road on the real engine, headless, with pages served by a loopback HTTP server
// this test starts: site roots of served pages, pop-ups of links and scripts becoming tabs,
// addresses that cannot be reached, and the 24-tab limit.

#include "MainWindowFixture.h"
#include "UserInput.h"

#include "EngineSupport.h"
#include "LoopbackServer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;
using mainwindowtest::MainWindowFixture;
using testsupport::runScript;
using testsupport::waitFor;

namespace {

using Reply = testsupport::LoopbackServer::Reply;

// /a.html has a target=_blank link to /c.html; /404 answers "Not Found" with a page and
// /empty404 without one; everything else is a small page that names its path.
std::optional<Reply> sitePage(const QByteArray& path)
{
    Reply r;
    r.body = "<html><body>page " + path + "</body></html>";
    if (path == "/a.html") {
        r.body = "<html><body><a id=blank target=_blank href='/c.html' "
                 "style='display:block;width:200px;height:40px'>new</a> page /a.html</body></html>";
    } else if (path == "/404") {
        r.status = "404 Not Found";
        r.body = "<html><body>nothing here</body></html>";
    } else if (path == "/empty404" || path == "/favicon.ico") {
        r.status = "404 Not Found";
        r.body.clear();
    }
    return r;
}

// The server by name and by number.
class SiteServer : public testsupport::LoopbackServer {
public:
    SiteServer() : LoopbackServer(&sitePage) {}
    QString named(const QString& path) const { return u"http://localhost:%1%2"_s.arg(port()).arg(path); }
    QString numbered(const QString& path) const { return url(path); }
};

QString bodyText(vb::WebBrowser& control)
{
    return runScript(control, u"document.body ? document.body.innerText : ''"_s).toString();
}

class EngineBrowseTest : public MainWindowFixture {
protected:
    EngineBrowseTest()
    {
        app->rt.setWebEngine(testsupport::headlessEngine(server.named(u"/search.html"_s),
                                                         testsupport::profileStorageFor(u"browse-"_s)));
        for (int i = 0; i <= 5; ++i)
            homes[i] = server.named(u"/home%1.html"_s.arg(i + 1));
    }

    // Start-up, until main browser 1 shows its home page.
    void start(int mainBrowserLastIndex = 0)
    {
        startMainWindow(mainBrowserLastIndex);
        ASSERT_TRUE(settled(f().WebBrowser[0], homes[0]));
    }

    // Waits until b has committed address, nothing loads and the guard is down.
    bool settled(vb::WebBrowser& b, const QString& address)
    {
        return waitFor([&] { return mainwindowtest::settledAt(s(), b, address); });
    }

    // The user types an address and presses Go.
    void go(const QString& typed) { mainwindowtest::typeAndGo(*app, typed); }

    // Waits until b's document is the page it committed, loaded.
    bool documentLoaded(vb::WebBrowser& b)
    {
        return waitFor([&] {
            return runScript(b, u"document.readyState + ' ' + location.href"_s).toString()
                == u"complete "_s + b.locationURL();
        });
    }

    // A script of b's page opens url in a new window; waits for it to be the tab on screen.
    bool openByScript(vb::WebBrowser& b, const QString& url, int expectedTabs)
    {
        if (!documentLoaded(b))
            return false;
        runScript(b, u"window.open('%1'); true"_s.arg(url));
        const bool ok = waitFor([&] {
            return s().TabCount == expectedTabs && s().TabBrowserCurrent && !s().PopupGuard
                && f().BrowserNew.exists(s().TabCurrentIndex)
                && f().BrowserNew[s().TabCurrentIndex].locationURL() == server.named(url)
                && f().BrowserNew[s().TabCurrentIndex].isVisible();
        });
        if (!ok) {
            const vb::WebBrowser* current = f().BrowserNew.find(s().TabCurrentIndex);
            ADD_FAILURE() << "tabs " << s().TabCount << ", current " << s().TabCurrentIndex << ", guard "
                          << s().PopupGuard << ", at " << (current ? current->locationURL().toStdString() : "");
        }
        return ok;
    }

    SiteServer server;
};

TEST_F(EngineBrowseTest, ServedPagesGiveTheirSiteRootsAndTitles)
{
    start();
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Main Browser #1"_s);
    const QString root = server.named(u"/"_s);
    const QString title = u"localhost:%1"_s.arg(server.port());
    // The home page's site is listed: it is a page, not the root itself.
    EXPECT_EQ(f().ComboLocation.items(), QStringList{root});
    EXPECT_EQ(s().MainBrowserTitles[0], title);

    go(u"localhost:%1/a.html"_s.arg(server.port()));
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/a.html"_s)));
    EXPECT_EQ(f().ComboLocation.text(), server.named(u"/a.html"_s));
    EXPECT_EQ(f().ComboLocation.items(), QStringList{root});
    EXPECT_EQ(app->hid.ComboLocation[0].items(), QStringList{root});
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    EXPECT_TRUE(f().ImageBack.isEnabled());
    EXPECT_FALSE(f().CommandNavigate[3].isEnabled());
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_FALSE(f().ProgressBrow[0].isVisible());

    // By number: the whole host and the port are the site, and the title.
    go(u"127.0.0.1:%1/b.html"_s.arg(server.port()));
    ASSERT_TRUE(settled(f().WebBrowser[0], server.numbered(u"/b.html"_s)));
    EXPECT_EQ(f().ComboLocation.items(), (QStringList{root, server.numbered(u"/"_s)}));
    EXPECT_EQ(s().MainBrowserTitles[0], u"127.0.0.1:%1"_s.arg(server.port()));

    // Back goes to the page before; Go on the page shown does nothing.
    f().ImageBack.click();
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/a.html"_s)));
    EXPECT_TRUE(f().ImageForward.isEnabled());
    EXPECT_EQ(s().MainBrowserTitles[0], title);
    f().ComboLocation.setText(server.named(u"/a.html"_s));
    EXPECT_FALSE(f().CommandGo.isEnabled());
    f().ComboLocation.typeKey(13);
    f().BrowserGoLocation();
    EXPECT_FALSE(s().PopupGuard);
    QTest::qWait(100);
    EXPECT_FALSE(f().ProgressBrow[0].isVisible());
    EXPECT_FALSE(f().CommandNavigate[3].isEnabled());
}

// The user's own keys: a click into the box, the address typed, Enter. The page is asked
// for once (Enter is no pick of a list entry besides), and Enter on the page shown asks
// for nothing.
TEST_F(EngineBrowseTest, EnterInTheLocationBoxLoadsTheTypedPageOnce)
{
    using testsupport::pressKey;
    start();
    go(server.named(u"/b.html"_s));
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/b.html"_s)));
    ASSERT_TRUE(f().ComboLocation.items().contains(server.named(u"/"_s)));
    ASSERT_TRUE(testsupport::activateWindowOf(f().window()));
    auto* combo = static_cast<QComboBox*>(f().ComboLocation.widget());
    ASSERT_EQ(testsupport::clickInto(combo->lineEdit()), combo);

    pressKey(Qt::Key_A, Qt::ControlModifier);
    testsupport::typeText(server.named(u"/"_s));
    const qsizetype rootAsked = server.requests().count(u"/"_s);
    const qsizetype pageAsked = server.requests().count(u"/a.html"_s);
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/"_s)));
    ASSERT_EQ(testsupport::clickInto(combo->lineEdit()), combo);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    testsupport::typeText(u"localhost: %1/a.html"_s.arg(server.port()));
    pressKey(Qt::Key_Return);
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/a.html"_s)));
    EXPECT_EQ(f().ComboLocation.text(), server.named(u"/a.html"_s));
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(s().PopupGuard);
    QTest::qWait(100);
    EXPECT_EQ(server.requests().count(u"/"_s), rootAsked + 1) << server.requests().join(u", "_s).toStdString();
    EXPECT_EQ(server.requests().count(u"/a.html"_s), pageAsked + 1) << server.requests().join(u", "_s).toStdString();
}

TEST_F(EngineBrowseTest, LinksWithATargetAndScriptsOpenTabs)
{
    start();
    go(server.named(u"/a.html"_s));
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/a.html"_s)));

    // The user clicks a target=_blank link, once the page takes clicks (a click on the empty
    // page below the link is seen).
    ASSERT_TRUE(testsupport::clickUntilSeen(f().WebBrowser[0], QPoint(300, 200)));
    const QVariantList at = testsupport::clickPointOf(f().WebBrowser[0], u"blank"_s);
    ASSERT_EQ(at.size(), 2);
    testsupport::clickAt(f().WebBrowser[0], QPoint(at[0].toInt(), at[1].toInt()));
    ASSERT_TRUE(waitFor([&] { return s().TabCount == 1 && f().BrowserNew.exists(1); }));
    ASSERT_TRUE(settled(f().BrowserNew[1], server.named(u"/c.html"_s)));
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Tab Browser #1"_s);
    EXPECT_TRUE(f().BrowserNew[1].isVisible());
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_EQ(f().WebBrowser[0].locationURL(), server.named(u"/a.html"_s));
    EXPECT_EQ(f().ComboWebLocation[1].text(), server.named(u"/c.html"_s));
    EXPECT_EQ(f().ComboWebLocation[1].items(), QStringList{server.named(u"/"_s)});
    EXPECT_EQ(s().TabTitles[1], u"localhost:%1"_s.arg(server.port()));
    ASSERT_TRUE(documentLoaded(f().BrowserNew[1]));
    EXPECT_TRUE(bodyText(f().BrowserNew[1]).contains(u"page /c.html"_s));

    // A script of the tab opens another: it returns to tab 1.
    ASSERT_TRUE(openByScript(f().BrowserNew[1], u"/d.html"_s, 2));
    EXPECT_EQ(s().TabCurrentIndex, 2);
    EXPECT_FALSE(f().BrowserNew[1].isVisible());
    EXPECT_FALSE(f().ComboWebLocation[1].isVisible());
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(f().TextWebList[2].text(), u"2. localhost:%1"_s.arg(server.port()));
}

TEST_F(EngineBrowseTest, ATimedPopUpOfAHiddenMainBrowser)
{
    start(1);
    // Main browser 2 holds a page, behind main browser 1.
    f().WebBrowser[1].navigate(server.named(u"/b.html"_s));
    ASSERT_TRUE(settled(f().WebBrowser[1], server.named(u"/b.html"_s)));
    ASSERT_FALSE(f().WebBrowser[1].isVisible());
    runScript(f().WebBrowser[1], u"setTimeout(function(){ window.open('/c.html'); }, 20); true"_s);
    ASSERT_TRUE(waitFor([&] { return s().TabCount == 1 && f().BrowserNew.exists(1); }));
    ASSERT_TRUE(settled(f().BrowserNew[1], server.named(u"/c.html"_s)));
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(s().BrowserReturnIndex, -1);
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_FALSE(f().WebBrowser[1].isVisible());
    EXPECT_TRUE(f().BrowserNew[1].isVisible());
    EXPECT_EQ(f().LabelShowBrowser[0].caption(), u"1"_s);
}

TEST_F(EngineBrowseTest, AnAddressThatCannotBeReachedShowsNoErrorPage)
{
    start();
    go(server.named(u"/b.html"_s));
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/b.html"_s)));
    ASSERT_TRUE(bodyText(f().WebBrowser[0]).contains(u"page /b.html"_s));

    for (const QString& target : {u"http://127.0.0.1:1/missing.html"_s,
                                  QUrl::fromLocalFile(dir.filePath(u"missing.html"_s)).toString()}) {
        go(target);
        ASSERT_TRUE(waitFor([&] { return !s().PopupGuard && s().LoadingBrowserIndex == -1; })) << target.toStdString();
        // The old page stays, and the display did not run for the failure.
        EXPECT_EQ(f().WebBrowser[0].locationURL(), server.named(u"/b.html"_s));
        EXPECT_TRUE(bodyText(f().WebBrowser[0]).contains(u"page /b.html"_s)) << target.toStdString();
        EXPECT_EQ(f().ComboLocation.items(), QStringList{server.named(u"/"_s)});
        EXPECT_FALSE(f().CommandNavigate[3].isEnabled());
        EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    }
    // The page may open a window again.
    ASSERT_TRUE(openByScript(f().WebBrowser[0], u"/c.html"_s, 1));
}

// Go on a box holding only blanks (or only the scheme) sends "http://": the engine cannot
// load it, so the control reports it as failed (NavigateError) and the guard set for it
// goes, as after any other failed navigation.
TEST_F(EngineBrowseTest, AnAddressTheEngineCannotLoadEndsTheGuard)
{
    start();
    for (const QString& typed : {u"   "_s, u"http://"_s}) {
        f().ComboLocation.setText(typed);
        f().BrowserGoLocation();
        EXPECT_TRUE(waitFor([&] { return !s().PopupGuard; }, 3000)) << typed.toStdString();
        EXPECT_EQ(f().WebBrowser[0].locationURL(), homes[0]);
    }
}

TEST_F(EngineBrowseTest, AMissingPageOfTheServerIsTheServersPage)
{
    start();
    go(server.named(u"/404"_s));
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/404"_s)));
    EXPECT_TRUE(bodyText(f().WebBrowser[0]).contains(u"nothing here"_s));

    // Without a page of its own the engine must not put its error page in its place.
    go(server.named(u"/empty404"_s));
    ASSERT_TRUE(waitFor([&] { return !s().PopupGuard && s().LoadingBrowserIndex == -1; }));
    const QString text = bodyText(f().WebBrowser[0]);
    EXPECT_FALSE(text.contains(u"HTTP ERROR"_s)) << text.toStdString();
    EXPECT_FALSE(text.contains(u"isn"_s)) << text.toStdString();
}

// A page that opens a window without an address and writes into it: the window becomes a
// tab on screen with what the page wrote, and the program goes on.
TEST_F(EngineBrowseTest, AWindowThePageWritesIntoBecomesATab)
{
    start();
    go(server.named(u"/a.html"_s));
    ASSERT_TRUE(settled(f().WebBrowser[0], server.named(u"/a.html"_s)));
    ASSERT_TRUE(documentLoaded(f().WebBrowser[0]));
    runScript(f().WebBrowser[0], u"var w = window.open(''); w.document.write('<p>written by the page</p>'); w.document.close(); true"_s);
    ASSERT_TRUE(waitFor([&] {
        return s().TabCount == 1 && f().BrowserNew.exists(1) && f().BrowserNew[1].isVisible() && !s().PopupGuard;
    }));
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_EQ(f().BrowserNew[1].locationURL(), u"about:blank"_s);
    EXPECT_TRUE(waitFor([&] { return testsupport::showsText(f().BrowserNew[1]); }));
    EXPECT_EQ(bodyText(f().BrowserNew[1]), u"written by the page"_s);

    // The tab goes on like any other.
    go(server.named(u"/b.html"_s));
    ASSERT_TRUE(settled(f().BrowserNew[1], server.named(u"/b.html"_s)));
    EXPECT_TRUE(bodyText(f().BrowserNew[1]).contains(u"page /b.html"_s));
}

TEST_F(EngineBrowseTest, TwentyFourTabsThenTheMessage)
{
    start();
    for (int i = 1; i <= MaxTabs; ++i) {
        vb::WebBrowser& opener = i == 1 ? f().WebBrowser[0] : f().BrowserNew[i - 1];
        ASSERT_TRUE(openByScript(opener, u"/tab%1.html"_s.arg(i), i)) << i;
    }
    EXPECT_EQ(s().TabLastIndex, MaxTabs);
    EXPECT_TRUE(shown.isEmpty());

    // The page's window.open() asks first and gets nothing: no window is made for it. The
    // message stays on screen until the second request has come, as a user reading it would
    // keep it; the second is not told again.
    ASSERT_TRUE(documentLoaded(f().BrowserNew[MaxTabs]));
    int requests = 0;
    int windows = 0;
    auto check = f().BrowserNew.onNewWindowCheck;
    f().BrowserNew.onNewWindowCheck = [&requests, check](int i, bool& cancel) {
        ++requests;
        check(i, cancel);
    };
    auto handler = f().BrowserNew.onNewWindow2;
    f().BrowserNew.onNewWindow2 = [&windows, handler](int i, vb::WebBrowser*& pp, bool& cancel) {
        ++windows;
        handler(i, pp, cancel);
    };
    whileShown = [&] { EXPECT_TRUE(waitFor([&] { return requests >= 2; }, 5000)); };
    const QString given = runScript(f().BrowserNew[MaxTabs], u"String(window.open('/x.html')) + ' ' + String(window.open('/y.html'))"_s).toString();
    EXPECT_EQ(given, u"null null"_s);
    ASSERT_TRUE(waitFor([&] { return shown.size() == 1 && requests >= 2; }));
    EXPECT_EQ(shown, QStringList{u"MessageTooManyTab"_s});
    EXPECT_EQ(shownInsideCallback, QList<bool>{false});
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(windows, 0);
    EXPECT_EQ(s().TabCount, MaxTabs);
    EXPECT_FALSE(f().BrowserNew.exists(MaxTabs + 1));
    EXPECT_EQ(s().TabCurrentIndex, MaxTabs);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(f().BrowserNew[MaxTabs].locationURL(), server.named(u"/tab24.html"_s));
}

} // namespace
