// The current-browser display: labels, close labels, colours, faces and enabled states for
// main, tab and bookmark browsers; the Tab List and the tab strips; the band; the location
// lists (site roots, the home-page rule, the 20-entry limit); Back and Forward after a
// switch; the page note; and what the display does with the record of the browser left.

#include "BrowseFixture.h"

#include <QApplication>
#include <QPalette>

using namespace browsetest;
using namespace corvane;

namespace {

class DisplayTest : public ScriptedBrowseTest {
protected:
    bool hasFace(const vb::CommandButton& b, int face) const { return samePicture(b.picture(), f().BButton[face].picture()); }
    QColor rowColour(int i) const { return f().TextWebList[i].widget()->palette().color(QPalette::Text); }
    static QColor normalColour() { return QApplication::palette().color(QPalette::ButtonText); }
    QString label() const { return f().LabelCurrentBrowser[0].caption(); }
    QString closeLabel() const { return f().LabelWebClose[1].caption(); }
    QString site(int n) const { return QStringLiteral("http://site%1.velmora.example/").arg(n); }
};

TEST_F(DisplayTest, AfterStartUpMainBrowserOneIsShownOnItsHomePage)
{
    start();
    ASSERT_FALSE(samePicture(f().BButton[3].picture(), f().BButton[5].picture()));
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_EQ(label(), QStringLiteral("Current Browser :: Main Browser #1"));
    EXPECT_EQ(f().LabelCurrentBrowser[1].caption(), label());
    EXPECT_EQ(f().LineOne.x1(), f().LabelCurrentBrowser[1].left());
    EXPECT_EQ(f().ComboLocation.text(), homePage(0));
    EXPECT_TRUE(f().ComboLocation.isVisible());
    EXPECT_TRUE(f().WebBrowser[0].isVisible());
    EXPECT_EQ(s().MainBrowserTitles[0], QStringLiteral("home.velmora"));
    // On its home page: both Home buttons are off.
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    EXPECT_FALSE(f().CommandComNavigate[0].isEnabled());
    // The home page's site root is not listed for its own browser.
    EXPECT_EQ(f().ComboLocation.listCount(), 0);
    EXPECT_EQ(app->hid.ComboLocation[0].ListCount(), 0);
    // The selector of browser 1 reads "Browser" on an opaque label with the active face.
    EXPECT_EQ(f().LabelShowBrowser[0].backStyle(), 1);
    EXPECT_EQ(f().LabelShowBrowser[0].caption(), QStringLiteral("Browser"));
    EXPECT_EQ(f().LabelBrowser[0].caption(), QStringLiteral("Browser"));
    EXPECT_TRUE(hasFace(f().CommandBrowser[0], 3));
    EXPECT_TRUE(hasFace(f().CommandShowBrowser[0], 3));
    // No tab: "??" under the close buttons, close-current off, "Select" on (0 tabs is not 1).
    EXPECT_EQ(closeLabel(), QStringLiteral("??"));
    EXPECT_EQ(f().LabelWebComClose[1].caption(), QStringLiteral("??"));
    EXPECT_FALSE(f().CommandWebClose[1].isEnabled());
    EXPECT_FALSE(f().CommandWebComClose[1].isEnabled());
    EXPECT_TRUE(f().CommandWebClose[2].isEnabled());
    EXPECT_TRUE(f().CommandWebComClose[2].isEnabled());
    // One main browser, no bookmark browser, no bookmark, no tab.
    EXPECT_FALSE(f().CommandOne[7].isEnabled());
    EXPECT_FALSE(f().CommandOne[8].isEnabled());
    EXPECT_FALSE(f().CommandOpen[4].isEnabled());
    EXPECT_EQ(f().FrameBookmark.height(), 25);
    EXPECT_FALSE(f().CommandMenu[5].isEnabled());
    EXPECT_FALSE(f().CommandOne[5].isEnabled());
    EXPECT_EQ(s().BrowserTop, 76);
    EXPECT_EQ(f().FrameCommon.height(), 29);
    EXPECT_FALSE(f().CommandComTab.isEnabled());
    // What the display consumed.
    EXPECT_FALSE(f().ProgressBrow[0].isVisible());
    EXPECT_FALSE(f().ProgressBrow[1].isVisible());
    EXPECT_FALSE(s().LocationChangeMuted);
    EXPECT_EQ(s().BrowserReturnIndex, -1);
    EXPECT_FALSE(s().ReturnIsMain);
    EXPECT_FALSE(s().ReturnIsTab);
    EXPECT_EQ(s().LayoutTabLastIndex, 0);
    EXPECT_FALSE(f().FrameNote.isVisible());
}

TEST_F(DisplayTest, MainBrowserThreeOnItsHomePageAndElsewhere)
{
    start(2);
    EXPECT_TRUE(f().CommandOne[7].isEnabled());
    switchToMain(2);
    s().PopupGuard = true;
    f().WebBrowser[2].navigate(homePage(2));
    completeIn(f().WebBrowser[2], homePage(2));
    EXPECT_EQ(label(), QStringLiteral("Current Browser :: Main Browser #3"));
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    EXPECT_FALSE(f().CommandComNavigate[0].isEnabled());
    EXPECT_TRUE(f().WebBrowser[2].isVisible());
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_EQ(f().LabelShowBrowser[2].backStyle(), 1);
    EXPECT_EQ(f().LabelBrowser[2].caption(), QStringLiteral("Browser"));
    EXPECT_TRUE(hasFace(f().CommandBrowser[2], 3));
    // Its home page is a page, not a root: its site is listed.
    EXPECT_EQ(app->hid.ComboLocation[2].items(), QStringList{QStringLiteral("http://www.velmora.example/")});
    EXPECT_EQ(s().MainBrowserTitles[2], QStringLiteral("velmora.example"));

    completeIn(f().WebBrowser[2], QStringLiteral("http://www.velmora.example/other.html"));
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    EXPECT_TRUE(f().CommandComNavigate[0].isEnabled());
    EXPECT_EQ(app->hid.ComboLocation[2].ListCount(), 1);
}

TEST_F(DisplayTest, TabSevenCurrentThenTabThree)
{
    start();
    for (int i = 1; i <= 7; ++i)
        ASSERT_EQ(openTabFromMain(QStringLiteral("http://www.tab%1.example/p.html").arg(i)), i);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(label(), QStringLiteral("Current Browser :: Tab Browser #7"));
    EXPECT_EQ(f().LabelCurrentBrowser[1].caption(), label());
    EXPECT_EQ(closeLabel(), QStringLiteral("#7"));
    EXPECT_EQ(f().LabelWebComClose[1].caption(), QStringLiteral("#7"));
    EXPECT_TRUE(f().CommandWebClose[1].isEnabled());
    EXPECT_TRUE(f().CommandWebComClose[1].isEnabled());
    EXPECT_TRUE(f().CommandWebClose[2].isEnabled());
    EXPECT_EQ(rowColour(7), QColor(0, 128, 0));
    EXPECT_EQ(rowColour(6), normalColour());
    EXPECT_EQ(s().TabTitles[7], QStringLiteral("tab7.example"));
    EXPECT_EQ(f().CommandWebNew[7].widget()->toolTip(), QStringLiteral("tab7.example"));
    EXPECT_EQ(f().CommandWebComNew[7].widget()->toolTip(), QStringLiteral("tab7.example"));
    EXPECT_TRUE(hasFace(f().CommandWebNew[7], 3));
    EXPECT_TRUE(hasFace(f().CommandWebComNew[7], 3));
    EXPECT_TRUE(hasFace(f().CommandWebNew[6], 5));
    // Only tab 7 and its address box are on screen.
    EXPECT_TRUE(f().BrowserNew[7].isVisible());
    EXPECT_TRUE(f().ComboWebLocation[7].isVisible());
    EXPECT_EQ(f().ComboWebLocation[7].text(), QStringLiteral("http://www.tab7.example/p.html"));
    EXPECT_FALSE(f().ComboLocation.isVisible());
    EXPECT_FALSE(f().BrowserNew[6].isVisible());
    EXPECT_FALSE(f().ComboWebLocation[6].isVisible());
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    // Main browser 1 is not current: its selector shows its number with the inactive face.
    EXPECT_EQ(f().LabelShowBrowser[0].backStyle(), 0);
    EXPECT_EQ(f().LabelShowBrowser[0].caption(), QStringLiteral("1"));
    EXPECT_EQ(f().LabelBrowser[0].caption(), QStringLiteral("1"));
    EXPECT_TRUE(hasFace(f().CommandBrowser[0], 5));
    EXPECT_TRUE(hasFace(f().CommandShowBrowser[0], 5));
    // Home is off for a tab.
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    EXPECT_EQ(s().BrowserTop, 108);
    EXPECT_EQ(f().FrameCommon.height(), 59);
    EXPECT_TRUE(hasFace(f().CommandComTab, 3));
    EXPECT_TRUE(f().CommandComTab.isEnabled());
    EXPECT_TRUE(f().CommandMenu[5].isEnabled());

    switchToTab(3);
    EXPECT_EQ(label(), QStringLiteral("Current Browser :: Tab Browser #3"));
    EXPECT_EQ(closeLabel(), QStringLiteral("#3"));
    EXPECT_EQ(rowColour(3), QColor(0, 128, 0));
    EXPECT_EQ(rowColour(7), normalColour());
    EXPECT_TRUE(hasFace(f().CommandWebNew[7], 5));
    EXPECT_TRUE(hasFace(f().CommandWebComNew[7], 5));
    EXPECT_TRUE(hasFace(f().CommandWebNew[3], 3));
    EXPECT_FALSE(f().BrowserNew[7].isVisible());
    EXPECT_FALSE(f().ComboWebLocation[7].isVisible());
    EXPECT_TRUE(f().BrowserNew[3].isVisible());
    EXPECT_TRUE(f().ComboWebLocation[3].isVisible());

    // Back to the main browser: "??", close-current off, the main browser's box again.
    switchToMain(0);
    EXPECT_EQ(label(), QStringLiteral("Current Browser :: Main Browser #1"));
    EXPECT_EQ(closeLabel(), QStringLiteral("??"));
    EXPECT_FALSE(f().CommandWebClose[1].isEnabled());
    EXPECT_FALSE(f().CommandWebComClose[1].isEnabled());
    EXPECT_EQ(rowColour(3), normalColour());
    EXPECT_FALSE(f().BrowserNew[3].isVisible());
    EXPECT_FALSE(f().ComboWebLocation[3].isVisible());
    EXPECT_TRUE(f().ComboLocation.isVisible());
    EXPECT_TRUE(f().WebBrowser[0].isVisible());
    EXPECT_TRUE(hasFace(f().CommandBrowser[0], 3));
}

TEST_F(DisplayTest, FromATabToTheBookmarkBrowserAndBackHidesTheBrowserLeft)
{
    start();
    ASSERT_EQ(openTabFromMain(site(1)), 1);
    ASSERT_EQ(openTab(f().BrowserNew[1], site(2)), 2);
    switchToBookmarkBrowser();
    EXPECT_TRUE(f().WebBrowser[BookmarkBrowserIndex].isVisible());
    EXPECT_FALSE(f().BrowserNew[2].isVisible());
    EXPECT_FALSE(f().ComboWebLocation[2].isVisible());
    EXPECT_TRUE(f().ComboLocation.isVisible());
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    switchToTab(2);
    EXPECT_FALSE(f().WebBrowser[BookmarkBrowserIndex].isVisible());
    EXPECT_TRUE(f().BrowserNew[2].isVisible());
    EXPECT_TRUE(f().ComboWebLocation[2].isVisible());
    EXPECT_FALSE(f().ComboLocation.isVisible());
    EXPECT_FALSE(f().BrowserNew[1].isVisible());
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(s().BrowserReturnIndex, -1);
}

TEST_F(DisplayTest, SelectIsOffWithExactlyOneTab)
{
    start();
    ASSERT_EQ(openTabFromMain(QStringLiteral("http://a.example/")), 1);
    EXPECT_FALSE(f().CommandWebClose[2].isEnabled());
    EXPECT_FALSE(f().CommandWebComClose[2].isEnabled());
    switchToMain(0);
    EXPECT_FALSE(f().CommandWebClose[2].isEnabled());
    ASSERT_EQ(openTabFromMain(QStringLiteral("http://b.example/")), 2);
    EXPECT_TRUE(f().CommandWebClose[2].isEnabled());
    EXPECT_TRUE(f().CommandWebComClose[2].isEnabled());
}

TEST_F(DisplayTest, TabListOfThreeTabs)
{
    start();
    for (int i = 1; i <= 3; ++i)
        ASSERT_EQ(openTabFromMain(QStringLiteral("http://www.tab%1.example/").arg(i)), i);
    EXPECT_EQ(f().TextWebList[1].text(), QStringLiteral("1. tab1.example"));
    EXPECT_EQ(f().TextWebList[2].text(), QStringLiteral("2. tab2.example"));
    EXPECT_EQ(f().TextWebList[3].text(), QStringLiteral("3. tab3.example"));
    EXPECT_EQ(f().TextWebList[4].text(), QString());
    EXPECT_EQ(f().FrameMenu[5].height(), 65);
    EXPECT_EQ(s().TabListTop, 40);
    EXPECT_EQ(f().FrameMenu[5].top(), 40);
    EXPECT_TRUE(f().FrameMenu[5].isVisible());
    EXPECT_EQ(s().MenuOpenIndex, 5);
    EXPECT_TRUE(f().LineWebList.isVisible());
    EXPECT_EQ(f().LineWebList.y2(), 3 * 240 + 240);

    // With the bookmark browser open the list goes below its frame, at 80; shown by itself
    // because a tab is current, it is moved back to 40.
    switchToBookmarkBrowser();
    EXPECT_EQ(s().TabListTop, 80);
    EXPECT_EQ(f().FrameMenu[5].top(), 80);
    EXPECT_FALSE(f().FrameMenu[5].isVisible());
    switchToTab(2);
    EXPECT_EQ(s().TabListTop, 80);
    EXPECT_EQ(f().FrameMenu[5].top(), 40);
    EXPECT_TRUE(f().FrameMenu[5].isVisible());
}

TEST_F(DisplayTest, TabListOfOneTab)
{
    start();
    ASSERT_EQ(openTabFromMain(QStringLiteral("http://www.tab1.example/")), 1);
    EXPECT_EQ(f().TextWebList[1].text(), QStringLiteral("1. tab1.example"));
    EXPECT_EQ(f().TextWebList[2].text(), QString());
    EXPECT_EQ(f().FrameMenu[5].height(), 49);
    EXPECT_EQ(s().TabListTop, 56);
    EXPECT_FALSE(f().LineWebList.isVisible());
    EXPECT_EQ(f().LineWebList.y2(), 2 * 240 + 240);
}

TEST_F(DisplayTest, TwentyFourTabsTheStripsReachJustPastTheLast)
{
    start();
    for (int i = 1; i <= 24; ++i)
        ASSERT_EQ(openTabFromMain(QStringLiteral("http://www.tab%1.example/").arg(i)), i);
    EXPECT_EQ(s().TabCount, 24);
    EXPECT_EQ(s().TabLastIndex, 24);
    const int past = f().CommandWebNew[24].left() + 360;
    EXPECT_EQ(past, f().CommandWebNew[1].left() + 24 * 360);
    EXPECT_EQ(f().FrameWebClose.left(), past);
    EXPECT_EQ(f().FrameWebComClose.left(), past);
    EXPECT_EQ(f().FrameWebNew.width(), f().FrameWebClose.width() + past);
    EXPECT_EQ(f().FrameWebComNew.width(), f().FrameWebNew.width());
    // Twelve rows: the list is taller than the band, so it starts at its lowest top.
    EXPECT_EQ(f().FrameMenu[5].height(), 12 * 16 + 33);
    EXPECT_EQ(s().TabListTop, 32);
    EXPECT_EQ(f().TextWebList[24].text(), QStringLiteral("24. tab24.example"));
    EXPECT_EQ(f().LineWebList.y2(), 13 * 240 + 240);
}

TEST_F(DisplayTest, BookmarkBrowserCurrent)
{
    start(1);
    switchToBookmarkBrowser();
    const QString page = QStringLiteral("http://www.marked.example/a.html");
    f().ComboMarkAddress.setText(page);
    completeIn(f().WebBrowser[BookmarkBrowserIndex], page);
    EXPECT_EQ(currentFlags(), 1);
    EXPECT_EQ(label(), QStringLiteral("Current Browser :: Bookmark Browser"));
    EXPECT_EQ(closeLabel(), QStringLiteral("??"));
    EXPECT_EQ(s().MainBrowserTitles[BookmarkBrowserIndex], QStringLiteral("marked.example"));
    EXPECT_EQ(f().ComboLocation.text(), page);
    EXPECT_TRUE(f().WebBrowser[BookmarkBrowserIndex].isVisible());
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_EQ(f().FrameBookmark.height(), 81);
    EXPECT_TRUE(f().CommandOne[8].isEnabled());
    EXPECT_FALSE(f().CommandOpen[4].isEnabled());
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    EXPECT_EQ(f().LabelShowBrowser[0].backStyle(), 0);
    EXPECT_TRUE(hasFace(f().CommandBrowser[0], 5));
    // The panel's Go is on only when the page is not the one picked in the panel.
    EXPECT_FALSE(f().CommandBookmark[5].isEnabled());
    f().ComboMarkAddress.setText(QStringLiteral("http://www.marked.example/b.html"));
    completeIn(f().WebBrowser[BookmarkBrowserIndex], page);
    EXPECT_TRUE(f().CommandBookmark[5].isEnabled());

    // Back in a main browser the bookmark browser hides and its frame folds.
    switchToMain(1);
    EXPECT_FALSE(f().WebBrowser[BookmarkBrowserIndex].isVisible());
    EXPECT_EQ(f().FrameBookmark.height(), 25);
    EXPECT_FALSE(f().CommandBookmark[5].isEnabled());
}

TEST_F(DisplayTest, BookmarksItemOfTheOpenMenu)
{
    start();
    app->lists.BookmarkLastIndex = 0;
    completeIn(f().WebBrowser[0], homePage(0));
    EXPECT_TRUE(f().CommandOpen[4].isEnabled());
    switchToBookmarkBrowser();
    EXPECT_FALSE(f().CommandOpen[4].isEnabled());
}

// ---------------------------------------------------------------------------------------
// Location lists

TEST_F(DisplayTest, TwentyFirstSiteDropsTheSecondEntry)
{
    start(1);
    for (int i = 1; i <= 21; ++i)
        completeIn(f().WebBrowser[0], site(i) + QStringLiteral("page.html"));
    const QStringList kept = app->hid.ComboLocation[0].items();
    ASSERT_EQ(kept.size(), 20);
    EXPECT_EQ(kept.first(), site(1));
    EXPECT_FALSE(kept.contains(site(2)));
    EXPECT_EQ(kept[1], site(3));
    EXPECT_EQ(kept.last(), site(21));
    // The list on screen is not trimmed; it is rebuilt at the next switch to this browser.
    EXPECT_EQ(f().ComboLocation.listCount(), 21);
    switchToMain(1);
    EXPECT_TRUE(f().ComboLocation.items().isEmpty());
    switchToMain(0);
    EXPECT_EQ(f().ComboLocation.items(), kept);
    EXPECT_EQ(app->hid.ComboLocation[0].items(), kept);
    EXPECT_EQ(f().ComboLocation.text(), site(21) + QStringLiteral("page.html"));
}

TEST_F(DisplayTest, ASwitchBackKeepsTheSiteOnce)
{
    start(1);
    completeIn(f().WebBrowser[0], site(1) + QStringLiteral("a.html"));
    completeIn(f().WebBrowser[1], site(2));
    for (int i = 0; i < 2; ++i) {
        switchToMain(1);
        EXPECT_EQ(f().ComboLocation.items(), QStringList{site(2)});
        switchToMain(0);
        EXPECT_EQ(f().ComboLocation.items(), QStringList{site(1)});
    }
    EXPECT_EQ(app->hid.ComboLocation[0].items(), QStringList{site(1)});
    EXPECT_EQ(app->hid.ComboLocation[1].items(), QStringList{site(2)});
    // The same through the bookmark browser and a tab.
    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(3));
    ASSERT_EQ(openTab(f().WebBrowser[BookmarkBrowserIndex], site(4)), 1);
    switchToBookmarkBrowser();
    switchToMain(0);
    switchToBookmarkBrowser();
    EXPECT_EQ(app->hid.ComboLocation[BookmarkBrowserIndex].items(), QStringList{site(3)});
    EXPECT_EQ(f().ComboLocation.items(), QStringList{site(3)});
    EXPECT_EQ(app->hid.ComboLocation[0].items(), QStringList{site(1)});
}

TEST_F(DisplayTest, ASiteIsListedOnce)
{
    start();
    completeIn(f().WebBrowser[0], site(1) + QStringLiteral("a.html"));
    completeIn(f().WebBrowser[0], site(1) + QStringLiteral("b.html"));
    completeIn(f().WebBrowser[0], site(1));
    EXPECT_EQ(f().ComboLocation.items(), QStringList{site(1)});
    EXPECT_EQ(app->hid.ComboLocation[0].items(), QStringList{site(1)});

    // Already in the displayed list, though missing from the kept one: not added again.
    f().ComboLocation.addItem(site(2));
    completeIn(f().WebBrowser[0], site(2) + QStringLiteral("x.html"));
    EXPECT_EQ(f().ComboLocation.items(), (QStringList{site(1), site(2)}));
    EXPECT_EQ(app->hid.ComboLocation[0].items(), QStringList{site(1)});
}

TEST_F(DisplayTest, OnlyHttpSitesAreListed)
{
    start();
    for (const QString& url : {QStringLiteral("file:///home/ana/page.html"), QStringLiteral("about:blank"),
                               QStringLiteral("ftp://files.example/x"), QString()})
        completeIn(f().WebBrowser[0], url);
    EXPECT_EQ(f().ComboLocation.listCount(), 0);
    EXPECT_EQ(app->hid.ComboLocation[0].ListCount(), 0);
    // A "file:///" page has no short name.
    completeIn(f().WebBrowser[0], QStringLiteral("file:///home/ana/page.html"));
    EXPECT_EQ(s().MainBrowserTitles[0], QString());
    completeIn(f().WebBrowser[0], QStringLiteral("https://www.secure.example/"));
    EXPECT_EQ(f().ComboLocation.items(), QStringList{QStringLiteral("https://www.secure.example/")});
}

TEST_F(DisplayTest, TheHomeRootIsListedOnlyForTheBookmarkBrowser)
{
    start();
    const QString homeSitePage = homePage(0) + QStringLiteral("news.html");
    completeIn(f().WebBrowser[0], homeSitePage);
    EXPECT_EQ(app->hid.ComboLocation[0].ListCount(), 0);

    // A tab is measured against main browser 1's home page too.
    const int t = openTabFromMain(homeSitePage);
    ASSERT_EQ(t, 1);
    EXPECT_EQ(f().ComboWebLocation[t].listCount(), 0);
    completeIn(f().BrowserNew[t], site(1));
    EXPECT_EQ(f().ComboWebLocation[t].items(), QStringList{site(1)});
    // The tab's list is its own.
    EXPECT_EQ(app->hid.ComboLocation[0].ListCount(), 0);

    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], homeSitePage);
    EXPECT_EQ(app->hid.ComboLocation[BookmarkBrowserIndex].items(), QStringList{homePage(0)});
    EXPECT_EQ(f().ComboLocation.items(), QStringList{homePage(0)});
    EXPECT_EQ(app->hid.ComboLocation[0].ListCount(), 0);
}

TEST_F(DisplayTest, ATabsListHasNoLimitAndFeedsTheFullWindowBar)
{
    start();
    const int t = openTabFromMain(site(0));
    ASSERT_EQ(t, 1);
    for (int i = 1; i <= 24; ++i)
        completeIn(f().BrowserNew[t], site(i));
    EXPECT_EQ(f().ComboWebLocation[t].listCount(), 25);
    EXPECT_EQ(app->hid.ComboLocation[0].ListCount(), 0);

    FullWindowSet(*app, true);
    EXPECT_EQ(f().ComboComLocation.listCount(), 25);
    completeIn(f().BrowserNew[t], site(25) + QStringLiteral("x.html"));
    EXPECT_EQ(f().ComboWebLocation[t].listCount(), 26);
    EXPECT_EQ(f().ComboComLocation.list(25), site(25));
    EXPECT_EQ(f().ComboComLocation.text(), site(25) + QStringLiteral("x.html"));
}

TEST_F(DisplayTest, FullWindowBookmarkBrowserBothBoxesShowItsAddress)
{
    start();
    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(1) + QStringLiteral("a.html"));
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(2) + QStringLiteral("b.html"));
    switchToMain(0);
    FullWindowSet(*app, true);
    switchToBookmarkBrowser();
    const QString address = site(2) + QStringLiteral("b.html");
    EXPECT_EQ(f().ComboLocation.text(), address);
    EXPECT_EQ(f().ComboComLocation.text(), address);
    EXPECT_EQ(f().ComboLocation.items(), (QStringList{site(1), site(2)}));
    EXPECT_EQ(f().ComboComLocation.items(), (QStringList{site(1), site(2)}));
    EXPECT_EQ(s().BrowserTop, 0);
}

// ---------------------------------------------------------------------------------------
// Back and Forward after a switch, the page note

TEST_F(DisplayTest, BackAndForwardFollowTheBrowserSwitchedTo)
{
    start(1);
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    s().TabCanGoForward[t] = true;
    switchToMain(1);
    // Main browser 2 never loaded a page: nothing to go back or forward to.
    for (vb::Image* img : {&f().ImageBack, &f().ImageComBack, &f().ImageForward, &f().ImageComForward})
        EXPECT_FALSE(img->isEnabled());
    EXPECT_TRUE(samePicture(f().ImageBack.picture(), f().NavBack[2].picture()));
    EXPECT_TRUE(samePicture(f().ImageComForward.picture(), f().NavForward[2].picture()));
    EXPECT_FALSE(s().BackForwardPending);

    switchToTab(t);
    for (vb::Image* img : {&f().ImageBack, &f().ImageComBack, &f().ImageForward, &f().ImageComForward})
        EXPECT_TRUE(img->isEnabled());
    EXPECT_TRUE(samePicture(f().ImageBack.picture(), f().NavBack[0].picture()));
    EXPECT_TRUE(samePicture(f().ImageForward.picture(), f().NavForward[0].picture()));
    EXPECT_TRUE(samePicture(f().ImageComForward.picture(), f().NavForward[0].picture()));

    switchToMain(0);
    EXPECT_TRUE(f().ImageBack.isEnabled());
    EXPECT_FALSE(f().ImageForward.isEnabled());
}

TEST_F(DisplayTest, ThePageNoteShowsOnlyWhileNotesAreOn)
{
    start();
    const QString noted = site(1) + QStringLiteral("noted.html");
    app->hid.ComboNotePage.AddItem(noted);
    app->hid.ComboNoteThis.AddItem(QStringLiteral("Pay the bill"));
    app->lists.NotesLastIndex = 0;

    app->lists.ShowNotes = false;
    completeIn(f().WebBrowser[0], noted);
    EXPECT_FALSE(f().FrameNote.isVisible());
    EXPECT_FALSE(app->panel.NoteExists);

    app->lists.ShowNotes = true;
    completeIn(f().WebBrowser[0], noted);
    EXPECT_TRUE(f().FrameNote.isVisible());
    EXPECT_TRUE(app->panel.NoteExists);
    EXPECT_EQ(app->panel.CurrentNoteIndex, 0);
    EXPECT_EQ(f().LabelNote[1].caption(), QStringLiteral("Pay the bill"));
    EXPECT_EQ(f().TextNote[0].text(), noted);
    EXPECT_TRUE(f().CheckNoShowNote.isVisible());
    EXPECT_FALSE(s().PageChanged);

    completeIn(f().WebBrowser[0], site(1) + QStringLiteral("other.html"));
    EXPECT_FALSE(f().FrameNote.isVisible());
    EXPECT_FALSE(f().CheckNoShowNote.isVisible());
}

// ---------------------------------------------------------------------------------------
// The record of the browser left

TEST_F(DisplayTest, ASwitchHidesExactlyTheBrowserLeftAndStopsItsAnimation)
{
    start(1);
    // Main browser 1 is loading when the user switches away from it.
    mainEngine(0).fireBeforeNavigate2();
    mainEngine(0).fireDownloadBegin();
    ASSERT_EQ(s().LoadingBrowserIndex, 0);
    ASSERT_TRUE(f().TimerMainBrow.isEnabled());
    switchToMain(1);
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_EQ(s().LoadingBrowserIndex, -1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(f().BusyFrame, 0);
    EXPECT_TRUE(samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));
    EXPECT_EQ(s().BrowserReturnIndex, -1);
}

TEST_F(DisplayTest, NoRecordAtIndexMinusOneIsActedOn)
{
    start();
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    // The tab is loading, with its animation running.
    tabEngine(t).fireBeforeNavigate2();
    tabEngine(t).fireDownloadBegin();
    ASSERT_EQ(s().TabLoadingIndex, t);
    ASSERT_TRUE(f().TimerMainBrow.isEnabled());

    // A return record that names no browser hides nothing and stops no animation.
    for (bool main : {true, false}) {
        s().ReturnIsMain = main;
        s().ReturnIsTab = !main;
        s().BrowserReturnIndex = -1;
        CurrentBrowserShow(*app);
        EXPECT_TRUE(f().TimerMainBrow.isEnabled()) << main;
        EXPECT_EQ(s().TabLoadingIndex, t);
        EXPECT_TRUE(f().BrowserNew[t].isVisible());
        EXPECT_FALSE(s().ReturnIsMain);
        EXPECT_FALSE(s().ReturnIsTab);
    }
    switchToMain(0);
    mainEngine(0).fireBeforeNavigate2();
    mainEngine(0).fireDownloadBegin();
    ASSERT_EQ(s().LoadingBrowserIndex, 0);
    s().ReturnIsTab = true;
    s().BrowserReturnIndex = -1;
    CurrentBrowserShow(*app);
    EXPECT_TRUE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(s().LoadingBrowserIndex, 0);
    EXPECT_TRUE(f().WebBrowser[0].isVisible());
}

} // namespace
