// Pages that change their own address without loading a new document, and pages that
// arrive in browsers the user is not looking at, on the real engine with real key and mouse
// input: the user's typing, open menus and focus stay where they are.

#include "MainWindowFixture.h"

#include "EngineSupport.h"
#include "LoopbackServer.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

using namespace corvane;
using namespace Qt::StringLiterals;
using mainwindowtest::MainWindowFixture;
using testsupport::runScript;
using testsupport::waitFor;

namespace {

using Reply = testsupport::LoopbackServer::Reply;

// /type.html rewrites its address at every key; /tick.html moves its fragment every 100 ms;
// /push.html is a page for history.pushState; /links.html has a link to an empty answer
// (204) and a link that opens a new window.
std::optional<Reply> sitePage(const QByteArray& path)
{
    Reply r;
    r.body = "<html><body>page " + path + "</body></html>";
    if (path == "/type.html") {
        r.body = "<html><body><input id=t style='width:300px;height:30px' "
                 "oninput=\"history.replaceState(null, '', '?q=' + encodeURIComponent(this.value))\"></body></html>";
    } else if (path == "/tick.html") {
        r.body = "<html><body><p id=p style='height:40px'>ticking</p><script>var n = 0;"
                 "setInterval(function () { location.hash = 't' + (n++); }, 100);</script></body></html>";
    } else if (path == "/push.html") {
        r.body = "<html><body>"
                 "<button id=p1 style='width:200px;height:40px' onclick=\"history.pushState(null, '', '/p1')\">p1</button>"
                 "<button id=p2 style='width:200px;height:40px' onclick=\"history.pushState(null, '', '/p2')\">p2</button>"
                 "</body></html>";
    } else if (path == "/links.html") {
        r.body = "<html><body>"
                 "<a id=empty href='/204' style='display:block;width:200px;height:40px'>empty</a>"
                 "<a id=blank target=_blank href='/c.html' style='display:block;width:200px;height:40px'>new</a>"
                 "<a id=file target=_blank href='/file.txt' style='display:block;width:200px;height:40px'>file</a>"
                 "</body></html>";
    } else if (path == "/204") {
        r.status = "204 No Content";
        r.body.clear();
    } else if (path == "/file.txt") {
        r.type = "text/plain";
        r.headers = "Content-Disposition: attachment; filename=\"file.txt\"\r\n";
        r.body = "a file";
    } else if (path == "/favicon.ico") {
        r.status = "404 Not Found";
        r.body.clear();
    }
    return r;
}

class PageAddressTest : public MainWindowFixture {
protected:
    PageAddressTest()
    {
        auto engine = testsupport::headlessEngine(named(u"/search.html"_s), testsupport::profileStorageFor(u"address-"_s));
        // Files are offered for saving: the user saves them in a folder of the test.
        engine->askDownloadPath = [this](const QString& offered) {
            ++downloadsOffered;
            return saved.filePath(QFileInfo(offered).fileName());
        };
        app->rt.setWebEngine(std::move(engine));
        for (int i = 0; i <= 5; ++i)
            homes[i] = named(u"/home%1.html"_s.arg(i + 1));
    }

    QString named(const QString& path) const { return u"http://localhost:%1%2"_s.arg(server.port()).arg(path); }

    // Start-up with the window active (keys go to the active window), main browser 1 on its
    // home page, then to page.
    void startAt(const QString& page)
    {
        startMainWindow(0);
        QWidget* window = f().window();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        ASSERT_TRUE(settled(f().WebBrowser[0], homes[0]));
        f().WebBrowser[0].navigate(page);
        ASSERT_TRUE(settled(f().WebBrowser[0], page));
        ASSERT_TRUE(documentLoaded(f().WebBrowser[0]));
    }

    bool settled(vb::WebBrowser& b, const QString& address)
    {
        return waitFor([&] { return mainwindowtest::settledAt(s(), b, address); });
    }
    bool documentLoaded(vb::WebBrowser& b) { return testsupport::documentShown(b); }

    // The widget of the page that takes the keys.
    static QWidget* pageInput(vb::WebBrowser& b) { return testsupport::inputWidgetOf(b); }

    // A real click of the user on the element with this id.
    static void clickElement(vb::WebBrowser& b, const QString& id)
    {
        ASSERT_TRUE(testsupport::clickElement(b, id)) << "the page never saw the click on " << id.toStdString();
    }

    // The user clicks a control's widget in its middle.
    static void click(vb::Control& c) { QTest::mouseClick(c.widget(), Qt::LeftButton, {}, c.widget()->rect().center()); }

    testsupport::LoopbackServer server{&sitePage};
    int downloadsOffered = 0;
    QTemporaryDir saved;
};

// The page rewrites its address at every key: every key reaches the page, the address box
// follows, and the focus stays in the page.
TEST_F(PageAddressTest, TypingIntoAPageThatRewritesItsAddressAtEveryKeyLosesNothing)
{
    startAt(named(u"/type.html"_s));
    vb::WebBrowser& b = f().WebBrowser[0];
    clickElement(b, u"t"_s);
    QWidget* input = pageInput(b);
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == input; }));
    ASSERT_TRUE(waitFor([&] { return runScript(b, u"document.activeElement.id"_s).toString() == u"t"_s; }));

    QTest::keyClicks(QApplication::focusWidget(), u"hello"_s);
    EXPECT_TRUE(waitFor([&] { return runScript(b, u"document.getElementById('t').value"_s).toString() == u"hello"_s; }))
        << runScript(b, u"document.getElementById('t').value"_s).toString().toStdString();
    const QString rewritten = named(u"/type.html?q=hello"_s);
    EXPECT_TRUE(waitFor([&] { return b.locationURL() == rewritten; })) << b.locationURL().toStdString();
    EXPECT_EQ(f().ComboLocation.text(), rewritten);
    EXPECT_EQ(QApplication::focusWidget(), input);
    // Nothing was loaded again, and the page is no new site.
    EXPECT_EQ(server.requests().count(u"/type.html"_s), 1);
    EXPECT_FALSE(server.requests().join(u' ').contains(u"q=h"_s));
    EXPECT_EQ(f().ComboLocation.items(), QStringList{named(u"/"_s)});
}

// A page that moves its fragment every 100 ms: a menu the user opened stays open, the
// address box follows while the user leaves it alone, and what the user types there stays.
TEST_F(PageAddressTest, ATickingPageLeavesMenusAndTheUsersTypingAlone)
{
    startAt(named(u"/tick.html"_s));
    vb::WebBrowser& b = f().WebBrowser[0];
    auto ticks = [&] { return b.locationURL().section(u"#t"_s, 1).toInt(); };
    ASSERT_TRUE(waitFor([&] { return ticks() >= 2; }));
    EXPECT_TRUE(waitFor([&] { return f().ComboLocation.text() == b.locationURL(); }));

    // The View menu, opened with the mouse, stays open through many ticks.
    click(f().CommandMenu[2]);
    ASSERT_EQ(s().MenuOpenIndex, 2);
    ASSERT_TRUE(waitFor([&] { return !f().TimerMainFrame.isEnabled(); }));
    const int before = ticks();
    ASSERT_TRUE(waitFor([&] { return ticks() >= before + 8; }));
    EXPECT_EQ(s().MenuOpenIndex, 2);
    EXPECT_TRUE(f().FrameMenu[2].isVisible());
    EXPECT_TRUE(f().FrameMenu[2].widget()->isVisible());
    click(f().CommandMenu[2]);
    ASSERT_EQ(s().MenuOpenIndex, -1);

    // The user types an address of their own: the ticks do not overwrite it, before or
    // after the box loses the focus.
    click(f().ComboLocation);
    ASSERT_TRUE(waitFor([&] { return f().ComboLocation.hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), u"velmora"_s);
    ASSERT_EQ(f().ComboLocation.text(), u"velmora"_s);
    const int typed = ticks();
    ASSERT_TRUE(waitFor([&] { return ticks() >= typed + 5; }));
    EXPECT_EQ(f().ComboLocation.text(), u"velmora"_s);
    EXPECT_TRUE(f().ComboLocation.hasFocus());
    EXPECT_TRUE(f().CommandGo.isEnabled());
    clickElement(b, u"p"_s);
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == pageInput(b); }));
    const int left = ticks();
    ASSERT_TRUE(waitFor([&] { return ticks() >= left + 3; }));
    EXPECT_EQ(f().ComboLocation.text(), u"velmora"_s);
}

// history.pushState adds pages to the history without loading: Back and Forward follow
// the engine's history and walk it without asking the server.
TEST_F(PageAddressTest, PushStatePagesGiveTheRightBackAndForward)
{
    startAt(named(u"/push.html"_s));
    vb::WebBrowser& b = f().WebBrowser[0];
    // Only entries a person made count for Back: the pushes come from clicks.
    clickElement(b, u"p1"_s);
    ASSERT_TRUE(waitFor([&] { return b.locationURL() == named(u"/p1"_s); })) << b.locationURL().toStdString();
    clickElement(b, u"p2"_s);
    ASSERT_TRUE(waitFor([&] { return b.locationURL() == named(u"/p2"_s); })) << b.locationURL().toStdString();
    EXPECT_TRUE(f().ImageBack.isEnabled());
    EXPECT_TRUE(f().ImageComBack.isEnabled());
    EXPECT_FALSE(f().ImageForward.isEnabled());
    EXPECT_EQ(f().ComboLocation.text(), named(u"/p2"_s));

    click(f().ImageBack);
    ASSERT_TRUE(waitFor([&] { return b.locationURL() == named(u"/p1"_s); })) << b.locationURL().toStdString();
    EXPECT_TRUE(f().ImageBack.isEnabled());
    EXPECT_TRUE(f().ImageForward.isEnabled());
    EXPECT_EQ(f().ComboLocation.text(), named(u"/p1"_s));

    click(f().ImageForward);
    ASSERT_TRUE(waitFor([&] { return b.locationURL() == named(u"/p2"_s); })) << b.locationURL().toStdString();
    EXPECT_TRUE(waitFor([&] { return !f().ImageForward.isEnabled(); }));
    EXPECT_TRUE(f().ImageBack.isEnabled());

    // replaceState changes the address, not the history.
    runScript(b, u"history.replaceState(null, '', '/p3'); true"_s);
    ASSERT_TRUE(waitFor([&] { return b.locationURL() == named(u"/p3"_s); }));
    click(f().ImageBack);
    EXPECT_TRUE(waitFor([&] { return b.locationURL() == named(u"/p1"_s); })) << b.locationURL().toStdString();
    EXPECT_FALSE(server.requests().contains(u"/p1"_s));
    EXPECT_FALSE(server.requests().contains(u"/p2"_s));
    // The browser stays usable: a new page loads as ever.
    f().WebBrowser[0].navigate(named(u"/after.html"_s));
    EXPECT_TRUE(settled(b, named(u"/after.html"_s)));
}

// A page that arrives in a tab behind the one on screen changes that tab's title and Tab
// List line only: the user's open menu, focus and address box stay as they are.
TEST_F(PageAddressTest, APageArrivingInABackgroundTabLeavesTheScreenAlone)
{
    startAt(named(u"/links.html"_s));
    vb::WebBrowser& main = f().WebBrowser[0];
    clickElement(main, u"blank"_s);
    ASSERT_TRUE(waitFor([&] { return s().TabCount == 1 && f().BrowserNew.exists(1) && f().BrowserNew[1].isVisible(); }));
    ASSERT_TRUE(settled(f().BrowserNew[1], named(u"/c.html"_s)));
    ASSERT_TRUE(documentLoaded(f().BrowserNew[1]));
    // Back to main browser 1; the tab goes behind it.
    click(f().CommandBrowser[0]);
    ASSERT_TRUE(s().MainBrowserCurrent);
    ASSERT_FALSE(f().BrowserNew[1].isVisible());

    click(f().CommandMenu[3]);
    ASSERT_EQ(s().MenuOpenIndex, 3);
    ASSERT_TRUE(waitFor([&] { return !f().TimerMainFrame.isEnabled(); }));
    const QString boxText = f().ComboLocation.text();
    runScript(f().BrowserNew[1], u"location.href = 'http://127.0.0.1:%1/d.html'; true"_s.arg(server.port()));
    ASSERT_TRUE(waitFor([&] { return f().BrowserNew[1].locationURL() == server.url(u"/d.html"_s); }));
    ASSERT_TRUE(waitFor([&] { return !s().PopupGuard; }));

    EXPECT_EQ(s().MenuOpenIndex, 3);
    EXPECT_TRUE(f().FrameMenu[3].isVisible());
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(f().BrowserNew[1].isVisible());
    EXPECT_EQ(f().ComboLocation.text(), boxText);
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Main Browser #1"_s);
    // What shows the tab follows its page.
    EXPECT_EQ(s().TabTitles[1], u"127.0.0.1:%1"_s.arg(server.port()));
    EXPECT_EQ(f().TextWebList[1].text(), u"1. 127.0.0.1:%1"_s.arg(server.port()));
    EXPECT_EQ(f().CommandWebNew[1].widget()->toolTip(), u"127.0.0.1:%1"_s.arg(server.port()));
}

// A link to an empty answer (HTTP 204) begins a navigation that never brings a page: the
// guard against pop-ups ends with it, and a link to a new window still opens a tab.
TEST_F(PageAddressTest, ALoadWithoutAPageEndsTheGuard)
{
    startAt(named(u"/links.html"_s));
    vb::WebBrowser& main = f().WebBrowser[0];
    clickElement(main, u"empty"_s);
    ASSERT_TRUE(waitFor([&] { return server.requests().contains(u"/204"_s); }));
    EXPECT_TRUE(waitFor([&] { return !s().PopupGuard; }));
    EXPECT_EQ(main.locationURL(), named(u"/links.html"_s));

    clickElement(main, u"blank"_s);
    EXPECT_TRUE(waitFor([&] { return s().TabCount == 1 && f().BrowserNew.exists(1); }));
    EXPECT_TRUE(settled(f().BrowserNew[1], named(u"/c.html"_s)));
}

// A link that opens a new window for a file: the file is offered for saving, the tab that
// was made for it goes, and the user stays on the page, which still opens new windows.
TEST_F(PageAddressTest, ANewWindowForAFileLeavesNoTabBehind)
{
    startAt(named(u"/links.html"_s));
    vb::WebBrowser& main = f().WebBrowser[0];
    clickElement(main, u"file"_s);
    ASSERT_TRUE(waitFor([&] { return downloadsOffered == 1; }));
    ASSERT_TRUE(waitFor([&] { return s().TabCount == 0 && !s().PopupGuard; })) << s().TabCount;
    EXPECT_TRUE(waitFor([&] { return testsupport::readFile(saved.filePath(u"file.txt"_s)) == "a file"; }));
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(s().TabCurrentIndex, 0);
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(f().BrowserNew.exists(1));
    EXPECT_FALSE(f().CommandWebNew[1].isEnabled());
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), u"Current Browser :: Main Browser #1"_s);

    clickElement(main, u"blank"_s);
    EXPECT_TRUE(waitFor([&] { return s().TabCount == 1 && f().BrowserNew.exists(1) && f().BrowserNew[1].isVisible(); }));
    EXPECT_TRUE(settled(f().BrowserNew[1], named(u"/c.html"_s)));
}

} // namespace
