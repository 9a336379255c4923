// Secondary windows as the main window opens them: for a page's new window while separate
// windows are preferred, and what the main window's unload does to them.

#include "WebWindowFixture.h"

using namespace webwindowtest;
using namespace corvane;

namespace {

using FromMainTest = WebWindowTest;

TEST_F(FromMainTest, APopUpOfAMainBrowserBecomesAWindowThatKeepsItsPopUps)
{
    frmMain& main = startMainWindowOnHomePage();
    app->opt.NewWindowSeparate = true;
    vb::WebBrowser* target = engineOf(main.WebBrowser[0]).fireNewWindow2();
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(windows().size(), 1);
    frmWeb& w = *windows()[0];
    ASSERT_EQ(target, &w.BrowserPop[0]);
    engineOf(*target).completeNavigation(site(1));
    EXPECT_EQ(w.caption(), QStringLiteral("site1.velmora : Corvane"));
    // A page of the window asks for another: a tab of this window, not a third window,
    // whatever the option says; the main window's tabs are not touched.
    EXPECT_EQ(openTab(w, 0, site(2)), 1);
    EXPECT_EQ(windows().size(), 1);
    EXPECT_EQ(app->set.TabCount, 0);
    // The two guards are apart: a page loading in the window does not stop the main
    // window's pop-ups, nor the other way round.
    engineOf(w, 1).fireBeforeNavigate2();
    EXPECT_FALSE(app->set.PopupGuard);
    ASSERT_NE(engineOf(main.WebBrowser[0]).fireNewWindow2(), nullptr);
    EXPECT_EQ(windows().size(), 2);
}

// The Open menu's "Create Browser" panel is open (its request waiting) when a page opens a
// window: the new window takes the page, not the request, which stays for the panel's OK.
TEST_F(FromMainTest, APopUpWindowLeavesAWaitingCreateBrowserAlone)
{
    frmMain& main = startMainWindowOnHomePage();
    app->opt.NewWindowSeparate = true;
    app->panel.CreateBrowserPending = true;
    app->panel.CreateAddress = QStringLiteral("http://www.created.example/");
    vb::WebBrowser* target = engineOf(main.WebBrowser[0]).fireNewWindow2();
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(engineOf(*target).navigations().isEmpty());
    EXPECT_TRUE(app->panel.CreateBrowserPending);
    EXPECT_EQ(app->panel.CreateAddress, QStringLiteral("http://www.created.example/"));
    // The panel's OK then opens its window at the address.
    frmWeb& created = openWindow();
    EXPECT_FALSE(app->panel.CreateBrowserPending);
    EXPECT_EQ(engineOf(created, 0).navigations(), QStringList{QStringLiteral("http://www.created.example/")});
}

TEST_F(FromMainTest, UnloadingTheMainWindowClosesEveryWindow)
{
    frmMain& main = startMainWindowOnHomePage();
    app->opt.NewWindowSeparate = true;
    ASSERT_NE(engineOf(main.WebBrowser[0]).fireNewWindow2(), nullptr);
    frmWeb& second = openWindowAt(site(2));
    ASSERT_EQ(openTab(second, 0, site(3)), 1);
    ASSERT_EQ(windows().size(), 2);
    EXPECT_THROW(main.unload(), vb::ProgramEnded);
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(windows().isEmpty());
    // Only the main window's own page is left (its form goes with the application).
    EXPECT_EQ(engines->liveEngines(), 1);
}

} // namespace
