// A secondary window's load, size, display refresh, closing, site roots, short names,
// location lists and Tab List; several windows side by side.

#include "WebWindowFixture.h"

#include "ControlBookmark.h"
#include "TabStripView.h"

using namespace webwindowtest;
using namespace corvane;

namespace {

using DisplayTest = WebWindowTest;

TEST_F(DisplayTest, ALoadedWindowStandsAtItsDesignSizeOnItsOwnPage)
{
    frmWeb& w = openWindow();
    EXPECT_EQ(w.top(), 300);
    EXPECT_EQ(w.left(), 300);
    // The page fills the window under the band; nothing but the band is shown over it.
    const vb::WebBrowser& page = w.BrowserPop[0];
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(page.top(), 76);
    EXPECT_GE(page.width(), w.scaleWidth());
    EXPECT_GE(page.top() + page.height(), w.scaleHeight());
    EXPECT_TRUE(w.FrameBigPop.isVisible());
    EXPECT_EQ(w.FrameBigPop.height(), 76);
    for (int i = 0; i <= 6; ++i)
        EXPECT_FALSE(w.FrameSmallPop[i].isVisible()) << i;
    EXPECT_FALSE(w.FramePopCommon.isVisible());
    EXPECT_FALSE(w.FramePopList.isVisible());
    // A window opened for a page's new window does not navigate by itself.
    EXPECT_FALSE(page.hasEngine());
    // The window buttons stand at the band's right edge.
    EXPECT_EQ(w.FrameClose.left() + w.FrameClose.width(), w.FrameBigPop.width() * 15);
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

// The caption names the page by its short name; a page that has none (a local file) by its
// address, never by nothing. The box shows the address, and lists each site root once, of
// any kind of address.
TEST_F(DisplayTest, EachPageGivesTheCaptionTheAddressAndItsSite)
{
    const struct {
        const char* address;
        const char* caption;
        const char* site; // listed
    } rows[] = {
        {"http://www.velmora.net/path/page.html", "velmora.net : Corvane", "http://www.velmora.net/"},
        {"http://velmora.example/a.html", "velmora.example : Corvane", "http://velmora.example/"},
        {"http://news.velmora.example/b.html", "news.velmora : Corvane", "http://news.velmora.example/"},
        // A host by number: the whole host and its port are the site, and its name.
        {"http://192.168.10.20:8080/page.html", "192.168.10.20:8080 : Corvane", "http://192.168.10.20:8080/"},
        {"file:///home/me/page%20one.html", "file:///home/me/page%20one.html : Corvane", "file:///"},
        {"about:blank", "about:blank : Corvane", "about:blank"},
        {"http://velmora.example/c.html", "velmora.example : Corvane", "http://velmora.example/"},
    };
    frmWeb& w = openWindow();
    QStringList listed;
    for (const auto& row : rows) {
        const QString address = QString::fromLatin1(row.address);
        SCOPED_TRACE(row.address);
        complete(w, 0, address);
        if (!listed.contains(QString::fromLatin1(row.site)))
            listed << QString::fromLatin1(row.site);
        EXPECT_EQ(w.caption(), QString::fromLatin1(row.caption));
        EXPECT_EQ(w.ComboPopLocation[0].text(), address);
        EXPECT_EQ(w.ComboPopLocation[0].items(), listed);
        // On the page it shows, Go has nothing to do; Back has a page to go back to.
        EXPECT_FALSE(w.CommandPopGo.isEnabled());
        EXPECT_TRUE(w.ImagePopBack.isEnabled());
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

TEST_F(DisplayTest, TheTabRowShowsEveryTabAndItsCloseButtonsRightAfterTheLast)
{
    const struct {
        int tabs;
        const char* closeLabel; // under the close buttons: the tab shown
        bool selectOn;          // choosing tabs to close: with none or several
    } rows[] = {{0, "??", true}, {1, "#1", false}, {2, "#2", true}, {frmWeb::MaxPopTabs, "#24", true}};
    frmWeb& w = openWindowAt(site(0));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tabs);
        for (int i = w.PopTabCount + 1; i <= row.tabs; ++i)
            ASSERT_EQ(openTab(w, i - 1, site(i)), i);
        EXPECT_EQ(w.LabelPopClose[1].caption(), QString::fromLatin1(row.closeLabel));
        EXPECT_EQ(w.CommandPopClose[1].isEnabled(), row.tabs > 0);
        EXPECT_EQ(w.CommandPopClose[2].isEnabled(), row.selectOn);
        EXPECT_EQ(w.CommandPopComClose[2].isEnabled(), row.selectOn);
        if (row.tabs == 0)
            continue;
        const struct {
            const char* bar;
            const vb::Frame& strip;
            const vb::ControlArray<vb::CommandButton>& buttons;
            const vb::Frame& close;
        } bars[] = {{"band", w.FramePopNew, w.CommandPopNew, w.FramePopClose},
                    {"compact bar", w.FramePopComNew, w.CommandPopComNew, w.FramePopComClose}};
        for (const auto& bar : bars) {
            SCOPED_TRACE(bar.bar);
            const corvanetest::TabStripView view = corvanetest::tabStripView(bar.strip, bar.buttons, 0, row.tabs, bar.close);
            EXPECT_EQ(view.wholeButtons, row.tabs + 1) << "the own page's button and every tab's";
            EXPECT_TRUE(view.closeWhole);
            EXPECT_EQ(view.closeGap, view.buttonGap) << "the close buttons are not one step after the last tab";
        }
    }
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
    EXPECT_EQ(w.FrameBigPop.width(), 894);
    EXPECT_EQ(w.FrameBigPop.height(), 108);
    // The window buttons stand at the band's right edge.
    EXPECT_EQ(w.FrameClose.left() + w.FrameClose.width(), 894 * 15);
    const vb::WebBrowser& tab = w.BrowserPop[1];
    EXPECT_EQ(tab.top(), 108);
    EXPECT_EQ(tab.width(), 894);
    EXPECT_EQ(tab.height(), 500 - 140);
    EXPECT_EQ(w.FramePopList.top(), 108 - w.FramePopList.height());
    // Minimised, nothing is laid out.
    w.setWindowState(vb::Minimized);
    w.Form_Resize();
    EXPECT_EQ(w.FrameBigPop.width(), 894);
    EXPECT_EQ(tab.width(), 894);
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
