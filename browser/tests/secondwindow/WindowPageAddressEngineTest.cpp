// A secondary window on the real engine with real key and mouse input: pages that change
// their own address without loading, and pages arriving in tabs behind the one shown, leave
// the user's typing, panels and focus alone.

#include "WebWindowFixture.h"

#include "EngineSupport.h"
#include "LoopbackServer.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace webwindowtest;
using namespace corvane;
using namespace Qt::StringLiterals;
using testsupport::runScript;
using testsupport::waitFor;

namespace {

using Reply = testsupport::LoopbackServer::Reply;

// /type.html rewrites its address at every key; /tick.html moves its fragment every 100 ms;
// /refresh.html loads itself again at once, for ever.
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
    } else if (path == "/refresh.html") {
        r.body = "<html><head><meta http-equiv='refresh' content='0'></head><body>again and again</body></html>";
    } else if (path == "/favicon.ico") {
        r.status = "404 Not Found";
        r.body.clear();
    }
    return r;
}

class WindowPageAddressTest : public WebWindowApp {
protected:
    WindowPageAddressTest()
    {
        app->rt.setWebEngine(testsupport::headlessEngine(named(u"/search.html"_s),
                                                         testsupport::profileStorageFor(u"window-address-"_s)));
    }

    QString named(const QString& path) const { return u"http://localhost:%1%2"_s.arg(server.port()).arg(path); }

    // A window, active, whose own page is page.
    frmWeb& openAt(const QString& page)
    {
        frmWeb& w = openWindow();
        w.BrowserPop[0].navigate(page);
        EXPECT_TRUE(waitFor([&] { return w.BrowserPop[0].locationURL() == page && !w.PopPopupGuard; }));
        EXPECT_TRUE(testsupport::documentShown(w.BrowserPop[0]));
        w.window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.window()));
        return w;
    }

    static void click(vb::Control& c) { QTest::mouseClick(c.widget(), Qt::LeftButton, {}, c.widget()->rect().center()); }

    testsupport::LoopbackServer server{&sitePage};
};

TEST_F(WindowPageAddressTest, TypingIntoAPageThatRewritesItsAddressAtEveryKeyLosesNothing)
{
    frmWeb& w = openAt(named(u"/type.html"_s));
    vb::WebBrowser& b = w.BrowserPop[0];
    ASSERT_TRUE(testsupport::clickElement(b, u"t"_s));
    QWidget* input = testsupport::inputWidgetOf(b);
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == input; }));
    ASSERT_TRUE(waitFor([&] { return runScript(b, u"document.activeElement.id"_s).toString() == u"t"_s; }));

    QTest::keyClicks(QApplication::focusWidget(), u"hello"_s);
    EXPECT_TRUE(waitFor([&] { return runScript(b, u"document.getElementById('t').value"_s).toString() == u"hello"_s; }))
        << runScript(b, u"document.getElementById('t').value"_s).toString().toStdString();
    const QString rewritten = named(u"/type.html?q=hello"_s);
    EXPECT_TRUE(waitFor([&] { return b.locationURL() == rewritten; })) << b.locationURL().toStdString();
    EXPECT_EQ(w.ComboPopLocation[0].text(), rewritten);
    EXPECT_EQ(QApplication::focusWidget(), input);
    EXPECT_EQ(server.requests().count(u"/type.html"_s), 1);
    // No new site: the window's list holds the page's site once.
    EXPECT_EQ(w.ComboPopLocation[0].items(), QStringList{named(u"/"_s)});
}

// While the page ticks: the Create Tab panel the user opened stays open with what they type
// in it, and an address typed into the location box stays.
TEST_F(WindowPageAddressTest, ATickingPageLeavesPanelsAndTheUsersTypingAlone)
{
    frmWeb& w = openAt(named(u"/tick.html"_s));
    vb::WebBrowser& b = w.BrowserPop[0];
    auto ticks = [&] { return b.locationURL().section(u"#t"_s, 1).toInt(); };
    ASSERT_TRUE(waitFor([&] { return ticks() >= 2; }));
    EXPECT_TRUE(waitFor([&] { return w.ComboPopLocation[0].text() == b.locationURL(); }));

    click(w.CommandPopCreateTab);
    ASSERT_TRUE(w.FrameSmallPop[0].isVisible());
    ASSERT_TRUE(waitFor([&] { return w.TextPopCreate.hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), u"velmora"_s);
    const int before = ticks();
    ASSERT_TRUE(waitFor([&] { return ticks() >= before + 8; }));
    EXPECT_TRUE(w.FrameSmallPop[0].isVisible());
    EXPECT_TRUE(w.TextPopCreate.hasFocus());
    EXPECT_EQ(w.TextPopCreate.text(), u"velmora"_s);
    click(w.CommandPopCreateCancel);
    ASSERT_FALSE(w.FrameSmallPop[0].isVisible());

    click(w.ComboPopLocation[0]);
    ASSERT_TRUE(waitFor([&] { return w.ComboPopLocation[0].hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), u"velmora"_s);
    const int typed = ticks();
    ASSERT_TRUE(waitFor([&] { return ticks() >= typed + 5; }));
    EXPECT_EQ(w.ComboPopLocation[0].text(), u"velmora"_s);
    EXPECT_TRUE(w.CommandPopGo.isEnabled());
}

// The page loads itself again between every two keys the user types into the location
// box: what is typed stays, with the focus, and Enter goes there.
TEST_F(WindowPageAddressTest, APageThatLoadsItselfAgainAndAgainLeavesTheTypedAddress)
{
    frmWeb& w = openWindow();
    w.BrowserPop[0].navigate(named(u"/refresh.html"_s));
    auto loads = [&] { return int(server.requests().count(u"/refresh.html"_s)); };
    ASSERT_TRUE(waitFor([&] { return loads() >= 3; }));
    w.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window()));
    vb::ComboBox& box = w.ComboPopLocation[0];
    click(box);
    ASSERT_TRUE(waitFor([&] { return box.hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    // A person takes a moment before the first key: the page loads meanwhile.
    const int clicked = loads();
    ASSERT_TRUE(waitFor([&] { return loads() > clicked; }));
    const QString typed = named(u"/typed.html"_s);
    for (const QChar c : typed) {
        const int before = loads();
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
        ASSERT_TRUE(waitFor([&] { return loads() > before; }));
    }
    EXPECT_EQ(box.text(), typed);
    EXPECT_TRUE(box.hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(waitFor([&] { return w.BrowserPop[0].locationURL() == typed && !w.PopPopupGuard; }));
    EXPECT_EQ(box.text(), typed);
}

// A page that arrives in a tab behind the window's own page changes that tab's title and
// Tab List line only; the panel the user opened stays open.
TEST_F(WindowPageAddressTest, APageArrivingInABackgroundTabLeavesTheScreenAlone)
{
    frmWeb& w = openAt(named(u"/a.html"_s));
    vb::WebBrowser& page = w.BrowserPop[0];
    runScript(page, u"window.open('/c.html'); true"_s);
    ASSERT_TRUE(waitFor([&] {
        return w.PopTabCount == 1 && w.BrowserPop.exists(1) && w.BrowserPop[1].locationURL() == named(u"/c.html"_s)
            && !w.PopPopupGuard;
    }));
    ASSERT_TRUE(testsupport::documentShown(w.BrowserPop[1]));
    // Back to the window's own page; the tab goes behind it.
    click(w.CommandPopNew[0]);
    ASSERT_EQ(w.PopTabCurrent, 0);
    click(w.CommandPopCreateTab);
    ASSERT_TRUE(w.FrameSmallPop[0].isVisible());
    const QString caption = w.caption();

    runScript(w.BrowserPop[1], u"location.href = 'http://127.0.0.1:%1/d.html'; true"_s.arg(server.port()));
    ASSERT_TRUE(waitFor([&] { return w.BrowserPop[1].locationURL() == server.url(u"/d.html"_s) && !w.PopPopupGuard; }));
    EXPECT_TRUE(w.FrameSmallPop[0].isVisible());
    EXPECT_TRUE(w.TextPopCreate.hasFocus());
    EXPECT_EQ(w.PopTabCurrent, 0);
    EXPECT_TRUE(page.isVisible());
    EXPECT_FALSE(w.BrowserPop[1].isVisible());
    EXPECT_EQ(w.caption(), caption);
    EXPECT_EQ(w.PopTabTitles[1], u"127.0.0.1:%1"_s.arg(server.port()));
    EXPECT_EQ(w.CommandPopNew[1].widget()->toolTip(), u"127.0.0.1:%1"_s.arg(server.port()));

    // Back to the tab: it shows the page it went to, and is not sent back to the old one.
    click(w.CommandPopNew[1]);
    ASSERT_EQ(w.PopTabCurrent, 1);
    EXPECT_TRUE(w.BrowserPop[1].isVisible());
    EXPECT_EQ(w.ComboPopLocation[1].text(), server.url(u"/d.html"_s));
    EXPECT_EQ(w.caption(), u"127.0.0.1:%1 : Corvane"_s.arg(server.port()));
    // (A navigation the window starts sets the guard at once.)
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_FALSE(w.PopSlotLoading[1]);

    // An address the user types into the tab's box and leaves is visited on coming back.
    click(w.ComboPopLocation[1]);
    ASSERT_TRUE(waitFor([&] { return w.ComboPopLocation[1].hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), named(u"/e.html"_s));
    click(w.CommandPopNew[0]);
    ASSERT_EQ(w.PopTabCurrent, 0);
    EXPECT_TRUE(server.requests().count(u"/e.html"_s) == 0);
    click(w.CommandPopNew[1]);
    EXPECT_TRUE(waitFor([&] { return w.BrowserPop[1].locationURL() == named(u"/e.html"_s) && !w.PopPopupGuard; }));
    EXPECT_EQ(w.ComboPopLocation[1].text(), named(u"/e.html"_s));
    EXPECT_EQ(server.requests().count(u"/c.html"_s), 1);
}

// A local page typed as "file:///" and its path opens, as it does in the main window.
TEST_F(WindowPageAddressTest, ALocalPageTypedWithItsSchemeOpens)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"local page.html"_s);
    ASSERT_TRUE(testsupport::writeFile(path, "<html><body><p id=p>local</p></body></html>"));
    frmWeb& w = openAt(named(u"/a.html"_s));
    vb::WebBrowser& b = w.BrowserPop[0];
    click(w.ComboPopLocation[0]);
    ASSERT_TRUE(waitFor([&] { return w.ComboPopLocation[0].hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    const QString local = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    ASSERT_TRUE(local.startsWith(u"file:///"_s));
    QTest::keyClicks(QApplication::focusWidget(), local);
    click(w.CommandPopGo);
    EXPECT_TRUE(waitFor([&] { return b.locationURL() == local && !w.PopPopupGuard; })) << b.locationURL().toStdString();
    EXPECT_TRUE(testsupport::documentShown(b));
    EXPECT_EQ(runScript(b, u"document.getElementById('p').textContent"_s).toString(), u"local"_s);
    EXPECT_EQ(w.ComboPopLocation[0].text(), local);
}

} // namespace
