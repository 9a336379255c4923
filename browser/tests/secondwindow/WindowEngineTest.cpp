// Secondary windows on the real engine, headless, with pages served by a loopback HTTP
// server: a main browser's pop-up opens a window whose page loads, and that window's own
// pop-ups become its tabs.

#include "WebWindowFixture.h"

#include "EngineSupport.h"
#include "LoopbackServer.h"

using namespace webwindowtest;
using namespace corvane;
using namespace Qt::StringLiterals;
using testsupport::runScript;
using testsupport::waitFor;

namespace {

using Reply = testsupport::LoopbackServer::Reply;

// Every page is a small page that names its path; the icon is missing.
std::optional<Reply> sitePage(const QByteArray& path)
{
    Reply r;
    r.body = "<html><body>page " + path + "</body></html>";
    if (path == "/favicon.ico") {
        r.status = "404 Not Found";
        r.body.clear();
    }
    return r;
}

class WindowEngineTest : public WebWindowApp {
protected:
    WindowEngineTest()
    {
        app->rt.setWebEngine(testsupport::headlessEngine(named(u"/search.html"_s),
                                                         testsupport::profileStorageFor(u"window-"_s)));
        for (int i = 0; i <= 5; ++i)
            homes[i] = named(u"/home%1.html"_s.arg(i + 1));
    }

    QString named(const QString& path) const { return u"http://localhost:%1%2"_s.arg(server.port()).arg(path); }

    // Waits until b's document is the page it committed, loaded.
    bool documentLoaded(vb::WebBrowser& b)
    {
        return waitFor([&] {
            return !b.locationURL().isEmpty()
                && runScript(b, u"document.readyState + ' ' + location.href"_s).toString() == u"complete "_s + b.locationURL();
        });
    }
    QString bodyText(vb::WebBrowser& b)
    {
        return runScript(b, u"document.body ? document.body.innerText : ''"_s).toString();
    }

    testsupport::LoopbackServer server{&sitePage};
};

TEST_F(WindowEngineTest, AMainBrowsersPopUpOpensAWindowWhosePageLoads)
{
    app->opt.NewWindowSeparate = true;
    frmMain& main = startMainWindow();
    vb::WebBrowser& home = main.WebBrowser[0];
    ASSERT_TRUE(waitFor([&] { return home.locationURL() == homes[0] && !app->set.PopupGuard; }));
    ASSERT_TRUE(documentLoaded(home));

    runScript(home, u"window.open('/pop.html'); true"_s);
    ASSERT_TRUE(waitFor([&] { return windows().size() == 1; }));
    frmWeb& w = *windows()[0];
    vb::WebBrowser& page = w.BrowserPop[0];
    ASSERT_TRUE(waitFor([&] { return page.locationURL() == named(u"/pop.html"_s) && !w.PopPopupGuard; }))
        << page.locationURL().toStdString();
    ASSERT_TRUE(documentLoaded(page));
    EXPECT_TRUE(bodyText(page).contains(u"page /pop.html"_s));
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(w.caption(), u"localhost:%1 : Corvane"_s.arg(server.port()));
    EXPECT_EQ(w.ComboPopLocation[0].items(), QStringList{named(u"/"_s)});
    EXPECT_TRUE(waitFor([&] { return !w.TimerPop.isEnabled(); }));
    // The main window stays as it was.
    EXPECT_EQ(app->set.TabCount, 0);
    EXPECT_EQ(home.locationURL(), homes[0]);

    // The window's own page opens a pop-up: a tab of the window, shown with its page.
    runScript(page, u"window.open('/tab.html'); true"_s);
    ASSERT_TRUE(waitFor([&] {
        return w.PopTabCount == 1 && w.BrowserPop.exists(1) && w.BrowserPop[1].locationURL() == named(u"/tab.html"_s)
            && !w.PopPopupGuard;
    }));
    EXPECT_EQ(slotsOnScreen(w), QList<int>{1});
    EXPECT_EQ(w.PopBandHeight, 108);
    ASSERT_TRUE(documentLoaded(w.BrowserPop[1]));
    EXPECT_TRUE(bodyText(w.BrowserPop[1]).contains(u"page /tab.html"_s));
    EXPECT_EQ(windows().size(), 1);

    // Closing the window ends its pages.
    w.CommandClosePop_Click();
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(windows().isEmpty());
    EXPECT_EQ(app->rt.webEngine().liveEngines(), 1);
}

// Windows a page opens without an address and writes into: a secondary window, then a tab of
// it, each on screen with what its opener wrote.
TEST_F(WindowEngineTest, WindowsThePageWritesIntoComeOnScreen)
{
    app->opt.NewWindowSeparate = true;
    frmMain& main = startMainWindow();
    vb::WebBrowser& home = main.WebBrowser[0];
    ASSERT_TRUE(waitFor([&] { return home.locationURL() == homes[0] && !app->set.PopupGuard; }));
    ASSERT_TRUE(documentLoaded(home));

    runScript(home, u"var w = window.open(''); w.document.write('<p>a window of words</p>'); w.document.close(); true"_s);
    ASSERT_TRUE(waitFor([&] { return windows().size() == 1; }));
    frmWeb& w = *windows()[0];
    vb::WebBrowser& page = w.BrowserPop[0];
    ASSERT_TRUE(waitFor([&] { return page.locationURL() == u"about:blank"_s && !w.PopPopupGuard && page.isVisible(); }));
    EXPECT_TRUE(waitFor([&] { return testsupport::showsText(page); }));
    EXPECT_EQ(bodyText(page), u"a window of words"_s);

    runScript(page, u"var t = window.open(''); t.document.body.innerHTML = '<p>a tab of words</p>'; true"_s);
    ASSERT_TRUE(waitFor([&] { return w.PopTabCount == 1 && w.BrowserPop.exists(1) && !w.PopPopupGuard; }));
    EXPECT_EQ(slotsOnScreen(w), QList<int>{1});
    EXPECT_TRUE(waitFor([&] { return testsupport::showsText(w.BrowserPop[1]); }));
    EXPECT_EQ(bodyText(w.BrowserPop[1]), u"a tab of words"_s);
    EXPECT_EQ(bodyText(home), u"page /home1.html"_s);
}

} // namespace
