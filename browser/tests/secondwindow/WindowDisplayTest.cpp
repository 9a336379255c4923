// A secondary window's load, size, display refresh, closing, site roots, short names,
// location lists and Tab List; several windows side by side.

#include "WebWindowFixture.h"

#include "ControlBookmark.h"

using namespace webwindowtest;
using namespace corvane;

namespace {

using DisplayTest = WebWindowTest;

TEST_F(DisplayTest, ALoadedWindowStandsAtItsDesignSizeOnItsOwnPage)
{
    frmWeb& w = openWindow();
    EXPECT_EQ(w.top(), 300);
    EXPECT_EQ(w.left(), 300);
    EXPECT_EQ(w.PopWidth, w.width() / 15);
    EXPECT_EQ(w.PopHeight, w.height() / 15);
    EXPECT_EQ(w.PopBandHeight, 76);
    EXPECT_EQ(w.PopBrowserWidth, w.PopWidth - 6);
    EXPECT_EQ(w.PopBrowserHeight, w.PopHeight - 108);
    EXPECT_TRUE(w.PopFirstLoad);
    EXPECT_TRUE(w.PopTabSlotUsed[0]);
    EXPECT_FALSE(w.PopFullWindow);
    // The page fills the window under the band; nothing but the band is shown over it.
    const vb::WebBrowser& page = w.BrowserPop[0];
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(page.top(), 76);
    EXPECT_EQ(page.width(), w.PopBrowserWidth);
    EXPECT_EQ(page.height(), w.PopHeight - 108);
    EXPECT_TRUE(w.FrameBigPop.isVisible());
    EXPECT_EQ(w.FrameBigPop.height(), 76);
    for (int i = 0; i <= 6; ++i)
        EXPECT_FALSE(w.FrameSmallPop[i].isVisible()) << i;
    EXPECT_FALSE(w.FramePopCommon.isVisible());
    EXPECT_FALSE(w.FramePopList.isVisible());
    // A window opened for a page's new window does not navigate by itself.
    EXPECT_FALSE(page.hasEngine());
    // The window buttons stand at the band's right edge.
    EXPECT_EQ(w.FrameClose.left() + w.FrameClose.width(), w.PopBrowserWidth * 15);
    // On its own page: "Close" is offered for a tab only.
    EXPECT_EQ(w.LabelPopClose[1].caption(), QStringLiteral("??"));
    EXPECT_FALSE(w.CommandPopClose[1].isEnabled());
    EXPECT_FALSE(w.ImagePopBack.isEnabled());
    EXPECT_TRUE(samePicture(w.ImagePopBack.picture(), w.NavBack[2].picture()));
    EXPECT_TRUE(samePicture(w.CommandPopNew[0].picture(), w.BButton[3].picture()));
}

TEST_F(DisplayTest, CreateBrowserNavigatesTheOwnPageOnceAndClearsTheRequest)
{
    app->panel.CreateBrowserPending = true;
    app->panel.CreateAddress = QStringLiteral("http://www.velmora.example/start.html");
    frmWeb& w = openWindow();
    EXPECT_FALSE(app->panel.CreateBrowserPending);
    EXPECT_EQ(engineOf(w, 0).navigations(), QStringList{QStringLiteral("http://www.velmora.example/start.html")});
    // The next window is a page's new window again.
    frmWeb& other = openWindow();
    EXPECT_FALSE(other.BrowserPop[0].hasEngine());
}

TEST_F(DisplayTest, TheFirstPageGivesAddressSiteAndCaption)
{
    frmWeb& w = openWindowAt(QStringLiteral("http://www.velmora.net/path/page.html"));
    EXPECT_FALSE(w.PopFirstLoad);
    EXPECT_EQ(w.caption(), QStringLiteral("velmora.net : Corvane"));
    EXPECT_EQ(w.PopTabTitles[0], QStringLiteral("velmora.net"));
    EXPECT_EQ(w.ComboPopLocation[0].text(), QStringLiteral("http://www.velmora.net/path/page.html"));
    EXPECT_EQ(w.ComboPopLocation[0].items(), QStringList{QStringLiteral("http://www.velmora.net/")});
    EXPECT_FALSE(w.CommandPopGo.isEnabled());
    EXPECT_TRUE(w.ImagePopBack.isEnabled());
}

TEST_F(DisplayTest, ShortNamesOfHostsWithOneTwoAndThreeDots)
{
    frmWeb& w = openWindowAt(QStringLiteral("http://velmora.example/a.html"));
    EXPECT_EQ(w.PopTabTitles[0], QStringLiteral("velmora.example"));
    complete(w, 0, QStringLiteral("http://news.velmora.example/b.html"));
    EXPECT_EQ(w.PopTabTitles[0], QStringLiteral("news.velmora"));
    EXPECT_EQ(w.caption(), QStringLiteral("news.velmora : Corvane"));
    // A host by number: the whole host and its port are the site, and its title.
    complete(w, 0, QStringLiteral("http://192.168.10.20:8080/page.html"));
    EXPECT_EQ(w.PopTabTitles[0], QStringLiteral("192.168.10.20:8080"));
    EXPECT_EQ(w.caption(), QStringLiteral("192.168.10.20:8080 : Corvane"));
    EXPECT_EQ(w.ComboPopLocation[0].items(),
              (QStringList{QStringLiteral("http://velmora.example/"), QStringLiteral("http://news.velmora.example/"),
                           QStringLiteral("http://192.168.10.20:8080/")}));
}

// The caption names the page by its short name; a page that has none (a local file) by
// its address, never by nothing.
TEST_F(DisplayTest, TheCaptionFallsBackToTheAddressOfAPageWithoutAShortName)
{
    frmWeb& w = openWindowAt(QStringLiteral("http://velmora.example/a.html"));
    const struct {
        const char* address;
        const char* caption;
    } cases[] = {
        {"http://www.velmora.net/b.html", "velmora.net : Corvane"},
        {"file:///home/me/page%20one.html", "file:///home/me/page%20one.html : Corvane"},
        {"about:blank", "about:blank : Corvane"},
    };
    for (const auto& c : cases) {
        complete(w, 0, QString::fromLatin1(c.address));
        EXPECT_EQ(w.caption(), QString::fromLatin1(c.caption)) << c.address;
    }
}

TEST_F(DisplayTest, EachSlotKeepsItsOwnListWithoutRepeats)
{
    frmWeb& w = openWindowAt(site(1));
    complete(w, 0, site(1) + QStringLiteral("a.html"));
    complete(w, 0, site(2));
    complete(w, 0, site(1) + QStringLiteral("b.html"));
    EXPECT_EQ(w.ComboPopLocation[0].items(), (QStringList{site(1), site(2)}));
    ASSERT_EQ(openTab(w, 0, site(3)), 1);
    complete(w, 1, site(1));
    EXPECT_EQ(w.ComboPopLocation[1].items(), (QStringList{site(3), site(1)}));
    EXPECT_EQ(w.ComboPopLocation[0].items(), (QStringList{site(1), site(2)}));
    // Only the shown slot's box is on screen.
    EXPECT_TRUE(w.ComboPopLocation[1].isVisible());
    EXPECT_FALSE(w.ComboPopLocation[0].isVisible());
}

TEST_F(DisplayTest, TheTabListCutsLongTitles)
{
    frmWeb& w = openWindowAt(site(0));
    // Hosts without dots: the title is the host itself.
    ASSERT_EQ(openTab(w, 0, QStringLiteral("http://abcdefghijklmnopqrstu/")), 1);
    ASSERT_EQ(openTab(w, 1, QStringLiteral("http://abcdefghijklmnopqrst/")), 2);
    ASSERT_EQ(openTab(w, 2, site(3)), 3);
    EXPECT_EQ(w.PopTabTitles[1].size(), 21);
    EXPECT_EQ(w.TextPopList[1].text(), QStringLiteral("1. abcdefghijklmnopqr.."));
    EXPECT_EQ(w.TextPopList[2].text(), QStringLiteral("2. abcdefghijklmnopqrst"));
    EXPECT_EQ(w.TextPopList[3].text(), QStringLiteral("3. site3.velmora"));
    EXPECT_TRUE(w.FramePopList.isVisible());
    EXPECT_EQ(w.FramePopList.height(), 3 * 16 + 33);
    // 108 less its height, but never above the band's second row.
    EXPECT_EQ(w.FramePopList.top(), 32);
    EXPECT_EQ(w.TextPopList[0].text(), QString());
    // The shown tab's line is green, the others in the normal colour.
    EXPECT_EQ(w.TextPopList[3].widget()->palette().color(QPalette::Text), QColor(0, 0x80, 0));
    EXPECT_NE(w.TextPopList[2].widget()->palette().color(QPalette::Text), QColor(0, 0x80, 0));
}

TEST_F(DisplayTest, TheUserPictureShrinksWithTheThirteenthTab)
{
    frmWeb& w = openWindowAt(site(0));
    EXPECT_EQ(w.ImagePopUser.width(), 1620);
    openTabs(w, 12);
    EXPECT_EQ(w.ImagePopUser.width(), 2430);
    EXPECT_EQ(w.ImagePopUser.height(), 1620);
    ASSERT_EQ(openTab(w, 12, site(13)), 13);
    EXPECT_EQ(w.ImagePopUser.width(), 1620);
    EXPECT_EQ(w.ImagePopUser.height(), 1080);
    // The picture stays left of the window buttons.
    EXPECT_LE(w.ImagePopUser.left() + w.ImagePopUser.width(), w.FrameClose.left());
}

TEST_F(DisplayTest, SelectNeedsMoreOrFewerThanOneTab)
{
    frmWeb& w = openWindowAt(site(0));
    EXPECT_TRUE(w.CommandPopClose[2].isEnabled());
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    EXPECT_FALSE(w.CommandPopClose[2].isEnabled());
    EXPECT_FALSE(w.CommandPopComClose[2].isEnabled());
    EXPECT_EQ(w.LabelPopClose[1].caption(), QStringLiteral("#1"));
    EXPECT_TRUE(w.CommandPopClose[1].isEnabled());
    ASSERT_EQ(openTab(w, 1, site(2)), 2);
    EXPECT_TRUE(w.CommandPopClose[2].isEnabled());
    // The tab row ends with the close buttons just after the highest tab.
    EXPECT_EQ(w.FramePopClose.left(), w.CommandPopNew[2].left() + 360);
    EXPECT_EQ(w.FramePopNew.width(), w.CommandPopNew[3].left() + w.FramePopClose.width());
    EXPECT_EQ(w.FramePopComNew.width(), w.FramePopNew.width());
}

TEST_F(DisplayTest, WithTwentyFourTabsTheRowReachesJustPastTheLastButton)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, frmWeb::MaxPopTabs);
    EXPECT_EQ(w.FramePopClose.left(), w.CommandPopNew[24].left() + 360);
    EXPECT_EQ(w.FramePopNew.width(), w.CommandPopNew[24].left() + 360 + w.FramePopClose.width());
}

TEST_F(DisplayTest, TwoWindowsKeepTheirOwnTabsTitlesAndLists)
{
    frmWeb& a = openWindowAt(site(1));
    frmWeb& b = openWindowAt(QStringLiteral("http://www.other.example/"));
    ASSERT_EQ(openTab(a, 0, site(2)), 1);
    ASSERT_EQ(openTab(a, 1, site(3)), 2);
    EXPECT_EQ(a.PopTabCount, 2);
    EXPECT_EQ(b.PopTabCount, 0);
    EXPECT_EQ(b.PopTabCurrent, 0);
    EXPECT_EQ(a.caption(), QStringLiteral("site3.velmora : Corvane"));
    EXPECT_EQ(b.caption(), QStringLiteral("other.example : Corvane"));
    EXPECT_EQ(b.ComboPopLocation[0].items(), QStringList{QStringLiteral("http://www.other.example/")});
    EXPECT_FALSE(b.BrowserPop.exists(1));
    // A page loading in one window does not hold back the pop-ups of the other.
    engineOf(a, 2).fireBeforeNavigate2();
    EXPECT_TRUE(a.PopPopupGuard);
    EXPECT_EQ(openTab(b, 0, site(4)), 1);
    EXPECT_EQ(a.PopTabCount, 2);
}

TEST_F(DisplayTest, ClosingAWindowEndsItsBrowsersAndNothingElse)
{
    frmWeb& a = openWindowAt(site(1));
    ASSERT_EQ(openTab(a, 0, site(2)), 1);
    frmWeb& b = openWindowAt(site(3));
    const int before = engines->liveEngines();
    ASSERT_EQ(before, 3);
    QPointer<frmWeb> gone(&a);
    ASSERT_TRUE(a.CommandClosePop.click());
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(engines->liveEngines(), 1);
    EXPECT_EQ(windows(), QList<frmWeb*>{&b});
    // From the title bar, the same.
    QPointer<frmWeb> second(&b);
    EXPECT_TRUE(b.windowCloseRequested());
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(engines->liveEngines(), 0);
}

TEST_F(DisplayTest, ResizingLaysOutBandAndPage)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    w.move(w.left(), w.top(), 900 * 15, 500 * 15);
    EXPECT_EQ(w.PopWidth, 900);
    EXPECT_EQ(w.PopHeight, 500);
    EXPECT_EQ(w.FrameBigPop.width(), 894);
    EXPECT_EQ(w.FrameBigPop.height(), 108);
    EXPECT_EQ(w.FrameClose.left(), 894 * 15 - w.FrameClose.width());
    const vb::WebBrowser& tab = w.BrowserPop[1];
    EXPECT_EQ(tab.top(), 108);
    EXPECT_EQ(tab.width(), 894);
    EXPECT_EQ(tab.height(), 500 - 140);
    EXPECT_EQ(w.FramePopList.top(), 108 - w.FramePopList.height());
    // Minimised, nothing is measured.
    w.setWindowState(vb::Minimized);
    w.Form_Resize();
    EXPECT_EQ(w.PopWidth, 900);
}

// A second page's new window arrives before the first one's page did: when the pages come,
// only the shown tab is on screen.
TEST_F(DisplayTest, OnlyOneBrowserOfTheWindowIsOnScreen)
{
    frmWeb& w = openWindowAt(site(0));
    vb::WebBrowser* first = engineOf(w, 0).fireNewWindow2();
    vb::WebBrowser* second = engineOf(w, 0).fireNewWindow2();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(w.PopTabCurrent, 2);
    engineOf(*first).completeNavigation(site(1));
    engineOf(*second).completeNavigation(site(2));
    EXPECT_EQ(slotsOnScreen(w), QList<int>{2});
    EXPECT_FALSE(w.ComboPopLocation[0].isVisible());
    EXPECT_FALSE(w.ComboPopLocation[1].isVisible());
    EXPECT_TRUE(samePicture(w.CommandPopNew[0].picture(), w.BButton[5].picture()));
}

TEST_F(DisplayTest, AnUnreadablePictureLeavesTheWindowWithout)
{
    const QString path = dir.filePath(QStringLiteral("me.jpg"));
    ASSERT_TRUE(testsupport::writeFile(path, "not a picture"));
    app->profile.UserPicturePath = path;
    frmWeb& w = openWindow();
    EXPECT_TRUE(w.isLoaded());
    EXPECT_TRUE(w.ImagePopUser.picture().isNull());
    EXPECT_TRUE(w.ImagePopFullUser.picture().isNull());
}

} // namespace
