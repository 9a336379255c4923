// The current-browser display as the user sees it while moving between main browsers, tabs
// and the bookmark browser: the band's captions, buttons and faces, the one browser and the
// one location box on screen; the Tab List and the tab strip; the location lists; Back and
// Forward after a switch; the page note; and what a switch does to the browser left.

#include "BrowseFixture.h"
#include "TabStripView.h"

#include "ControlBookmark.h"

#include <QApplication>
#include <QPalette>

#include <functional>
#include <ostream>

using namespace browsetest;
using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

// What the band shows of the current browser.
struct BandView {
    QString current;          // "Current Browser :: ..." (the full-window bar says the same)
    QString onScreen;         // the browsers on screen: exactly one of "main 1", "tab 7", "bookmark"
    QString location;         // the location boxes on screen, with their text
    QStringList entries;      // what the location box on screen lists
    QString shortName;        // the page's short name: its tab button's tip, the name Bookmark proposes
    QString closeLabel;       // under the close buttons: "??" or "#7"
    bool closeOn = false;     // closing the current tab
    bool selectOn = false;    // closing the tabs chosen
    bool homeOn = false;
    int selector = -1;        // the main browser whose selector reads "Browser", -1 for none
    int activeTab = 0;        // the tab whose button and Tab List row say it is current, 0 for none
    int pageTop = 0;          // where the page starts, under the band
    int fullBar = 0;          // the full-window bar's height: a row more with tabs
    int bookmarkPanel = 0;    // the bookmark browser's frame: folded, or open with its panel
    QStringList enabled;      // the items of the menus and bars that need something, on
    bool operator==(const BandView&) const = default;
};

void PrintTo(const BandView& v, std::ostream* os)
{
    *os << "{" << v.current.toStdString() << " | on screen " << v.onScreen.toStdString() << " | "
        << v.location.toStdString() << " [" << v.entries.join(u' ').toStdString() << "] | name "
        << v.shortName.toStdString() << " | close " << v.closeLabel.toStdString() << (v.closeOn ? " on" : " off")
        << ", select " << (v.selectOn ? "on" : "off") << ", home " << (v.homeOn ? "on" : "off") << " | selector "
        << v.selector << ", tab " << v.activeTab << " | page at " << v.pageTop << ", bar " << v.fullBar
        << ", bookmark frame " << v.bookmarkPanel << " | on: " << v.enabled.join(u',').toStdString() << "}";
}

class DisplayTest : public ScriptedBrowseTest {
protected:
    bool hasFace(const vb::CommandButton& b, int face) const { return samePicture(b.picture(), f().BButton[face].picture()); }
    QColor rowColour(int i) const { return f().TextWebList[i].widget()->palette().color(QPalette::Text); }
    static QColor normalColour() { return QApplication::palette().color(QPalette::ButtonText); }
    QString site(int n) const { return QStringLiteral("http://site%1.velmora.example/").arg(n); }

    // The band as the user reads it; where a control and its twin in the full-window bar (or
    // a caption and the face it goes with) disagree, the test fails here.
    BandView seen() const
    {
        frmMain& w = f();
        BandView v;
        v.current = w.LabelCurrentBrowser[0].caption();
        EXPECT_EQ(w.LabelCurrentBrowser[1].caption(), v.current);
        QStringList shown;
        vb::WebBrowser* page = nullptr;
        for (int m : w.WebBrowser.indices())
            if (w.WebBrowser[m].isVisible()) {
                shown << (m == BookmarkBrowserIndex ? u"bookmark"_s : u"main %1"_s.arg(m + 1));
                page = &w.WebBrowser[m];
            }
        for (int t : w.BrowserNew.indices())
            if (t > 0 && w.BrowserNew[t].isVisible()) {
                shown << QStringLiteral("tab %1").arg(t);
                page = &w.BrowserNew[t];
            }
        v.onScreen = shown.join(u',');
        v.pageTop = page ? page->top() : -1;
        QStringList boxes;
        const vb::ComboBox* box = nullptr;
        if (w.ComboLocation.isVisible()) {
            boxes << QStringLiteral("main: ") + w.ComboLocation.text();
            box = &w.ComboLocation;
        }
        for (int t : w.ComboWebLocation.indices())
            if (t > 0 && w.ComboWebLocation[t].isVisible()) {
                boxes << QStringLiteral("tab %1: ").arg(t) + w.ComboWebLocation[t].text();
                box = &w.ComboWebLocation[t];
            }
        v.location = boxes.join(u',');
        v.entries = box ? box->items() : QStringList();
        v.closeLabel = w.LabelWebClose[1].caption();
        EXPECT_EQ(w.LabelWebComClose[1].caption(), v.closeLabel);
        v.closeOn = w.CommandWebClose[1].isEnabled();
        EXPECT_EQ(w.CommandWebComClose[1].isEnabled(), v.closeOn);
        v.selectOn = w.CommandWebClose[2].isEnabled();
        EXPECT_EQ(w.CommandWebComClose[2].isEnabled(), v.selectOn);
        v.homeOn = w.CommandNavigate[0].isEnabled();
        EXPECT_EQ(w.CommandComNavigate[0].isEnabled(), v.homeOn);
        for (int m = 0; m <= app->opt.MainBrowserLastIndex; ++m) {
            const bool current = w.LabelShowBrowser[m].caption() == QLatin1String("Browser");
            if (current)
                v.selector = m;
            const QString caption = current ? QStringLiteral("Browser") : QString::number(m + 1);
            EXPECT_EQ(w.LabelShowBrowser[m].caption(), caption) << m;
            EXPECT_EQ(w.LabelBrowser[m].caption(), caption) << m;
            EXPECT_EQ(w.LabelShowBrowser[m].backStyle(), current ? 1 : 0) << m;
            EXPECT_TRUE(hasFace(w.CommandBrowser[m], current ? 3 : 5)) << m;
            EXPECT_TRUE(hasFace(w.CommandShowBrowser[m], current ? 3 : 5)) << m;
        }
        for (int t = 1; t <= MaxTabs; ++t) {
            if (!s().TabSlotUsed[t])
                continue;
            const bool current = hasFace(w.CommandWebNew[t], 3);
            if (current)
                v.activeTab = t;
            EXPECT_TRUE(hasFace(w.CommandWebNew[t], current ? 3 : 5)) << t;
            EXPECT_TRUE(hasFace(w.CommandWebComNew[t], current ? 3 : 5)) << t;
            EXPECT_EQ(rowColour(t), current ? QColor(0, 128, 0) : normalColour()) << t;
            EXPECT_EQ(w.CommandWebComNew[t].widget()->toolTip(), w.CommandWebNew[t].widget()->toolTip()) << t;
        }
        if (s().TabBrowserCurrent)
            v.shortName = w.CommandWebNew[s().TabCurrentIndex].widget()->toolTip();
        else
            v.shortName = s().MainBrowserTitles[s().BookmarkBrowserCurrent ? BookmarkBrowserIndex : s().MainBrowserIndex];
        v.fullBar = w.FrameCommon.height();
        v.bookmarkPanel = w.FrameBookmark.height();
        const std::pair<const char*, const vb::Control*> items[] = {
            {"Browsers", &w.CommandOne[7]}, {"Bookmarks", &w.CommandOne[8]}, {"Open Bookmarks", &w.CommandOpen[4]},
            {"Tab List", &w.CommandMenu[5]}, {"bar Tab List", &w.CommandOne[5]}, {"bar Tabs", &w.CommandComTab},
            {"panel Go", &w.CommandBookmark[5]},
        };
        for (const auto& [name, control] : items)
            if (control->isEnabled())
                v.enabled << QString::fromLatin1(name);
        EXPECT_FALSE(w.ProgressBrow[0].isVisible());
        EXPECT_FALSE(w.ProgressBrow[1].isVisible());
        return v;
    }

    // One thing the user does, and the band it leaves.
    struct Step {
        const char* what;
        std::function<void()> act;
        BandView expected;
    };
    void play(const std::vector<Step>& steps)
    {
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            step.act();
            EXPECT_EQ(seen(), step.expected);
        }
    }

    // The user picks main browser m on the band.
    void pick(int m) { ASSERT_TRUE(f().CommandShowBrowser[m].click()) << "selector " << m; }
    // A tab opened from the page on screen, on its own site.
    void openTabHere(int n)
    {
        vb::WebBrowser* opener = f().currentBrowser();
        ASSERT_NE(opener, nullptr);
        ASSERT_GE(openTab(*opener, tab(n)), 1);
    }

    const QString home = homePage(0);
    static QString tab(int n) { return u"http://www.tab%1.example/p.html"_s.arg(n); }
};

const QString MainOne = u"Current Browser :: Main Browser #1"_s;
const QStringList TabItems = {u"Tab List"_s, u"bar Tab List"_s, u"bar Tabs"_s};

TEST_F(DisplayTest, TheBandFollowsTheUserThroughTabsAndTheBookmarkBrowser)
{
    const QString marked = u"http://www.marked.example/a.html"_s;
    const QStringList tabs = QStringList{u"Browsers"_s} + TabItems;
    const QStringList marks = QStringList{u"Browsers"_s, u"Open Bookmarks"_s} + TabItems;
    const QStringList inBookmarkBrowser = QStringList{u"Browsers"_s, u"Bookmarks"_s} + TabItems;
    play({
        {"start-up: main browser 1 on its home page, whose site root is not listed", [&] { start(1); },
         {MainOne, u"main 1"_s, u"main: "_s + home, {}, u"home.velmora"_s, u"??"_s, false, true, false, 0, 0, 76, 29, 25,
          {u"Browsers"_s}}},
        {"a page opens a tab", [&] { openTabHere(1); },
         {u"Current Browser :: Tab Browser #1"_s, u"tab 1"_s, u"tab 1: "_s + tab(1), {u"http://www.tab1.example/"_s},
          u"tab1.example"_s, u"#1"_s, true, false, false, -1, 1, 108, 59, 25, tabs}},
        {"back to main browser 1 with one tab open: nothing to choose from", [&] { pick(0); },
         {MainOne, u"main 1"_s, u"main: "_s + home, {}, u"home.velmora"_s, u"??"_s, false, false, false, 0, 0, 108, 59, 25,
          tabs}},
        {"a second tab", [&] { openTabHere(2); },
         {u"Current Browser :: Tab Browser #2"_s, u"tab 2"_s, u"tab 2: "_s + tab(2), {u"http://www.tab2.example/"_s},
          u"tab2.example"_s, u"#2"_s, true, true, false, -1, 2, 108, 59, 25, tabs}},
        {"a bookmark kept; main browser 1 shows its page again",
         [&] {
             pick(0);
             BookmarkAdd(*app, u"Marked"_s, marked);
             completeIn(f().WebBrowser[0], home);
         },
         {MainOne, u"main 1"_s, u"main: "_s + home, {}, u"home.velmora"_s, u"??"_s, false, true, false, 0, 0, 108, 59, 25, marks}},
        {"the Open menu's Bookmarks: the bookmark browser on the bookmark picked in its panel",
         [&] {
             s().MenuOpenIndex = 1;
             f().FrameMenu[1].setVisible(true);
             ASSERT_TRUE(f().CommandOpen[4].click());
             completeIn(f().WebBrowser[BookmarkBrowserIndex], marked);
         },
         {u"Current Browser :: Bookmark Browser"_s, u"bookmark"_s, u"main: "_s + marked, {u"http://www.marked.example/"_s},
          u"marked.example"_s, u"??"_s, false, true, false, -1, 0, 108, 59, 81, inBookmarkBrowser}},
        {"another bookmark picked in the panel: its Go takes the user there",
         [&] {
             f().ComboMarkAddress.setText(u"http://www.marked.example/b.html"_s);
             completeIn(f().WebBrowser[BookmarkBrowserIndex], marked);
         },
         {u"Current Browser :: Bookmark Browser"_s, u"bookmark"_s, u"main: "_s + marked, {u"http://www.marked.example/"_s},
          u"marked.example"_s, u"??"_s, false, true, false, -1, 0, 108, 59, 81, inBookmarkBrowser + QStringList{u"panel Go"_s}}},
        {"from the bookmark browser to tab 2: the bookmark browser leaves the screen and its frame folds",
         [&] { ASSERT_TRUE(f().CommandWebNew[2].click()); },
         {u"Current Browser :: Tab Browser #2"_s, u"tab 2"_s, u"tab 2: "_s + tab(2), {u"http://www.tab2.example/"_s},
          u"tab2.example"_s, u"#2"_s, true, true, false, -1, 2, 108, 59, 25, inBookmarkBrowser}},
    });
}

TEST_F(DisplayTest, TheBandFollowsTheUserThroughThreeMainBrowsersAndSevenTabs)
{
    const QString page3 = homePage(2);
    const QString other3 = u"http://www.velmora.example/other.html"_s;
    const QString site3 = u"http://www.velmora.example/"_s;
    const QString third = u"Current Browser :: Main Browser #3"_s;
    const QStringList many = QStringList{u"Browsers"_s} + TabItems;
    const QStringList browsers = {u"Browsers"_s};
    play({
        {"start-up with three main browsers", [&] { start(2); },
         {MainOne, u"main 1"_s, u"main: "_s + home, {}, u"home.velmora"_s, u"??"_s, false, true, false, 0, 0, 76, 29, 25, browsers}},
        {"main browser 3, first shown: its home page, a page whose site is listed",
         [&] {
             pick(2);
             completeIn(f().WebBrowser[2], page3);
         },
         {third, u"main 3"_s, u"main: "_s + page3, {site3}, u"velmora.example"_s, u"??"_s, false, true, false, 2, 0, 76, 29, 25,
          browsers}},
        {"main browser 3 elsewhere on the same site", [&] { completeIn(f().WebBrowser[2], other3); },
         {third, u"main 3"_s, u"main: "_s + other3, {site3}, u"velmora.example"_s, u"??"_s, false, true, true, 2, 0, 76, 29, 25,
          browsers}},
        {"seven tabs opened one from the other",
         [&] {
             for (int i = 1; i <= 7; ++i)
                 openTabHere(i);
         },
         {u"Current Browser :: Tab Browser #7"_s, u"tab 7"_s, u"tab 7: "_s + tab(7), {u"http://www.tab7.example/"_s},
          u"tab7.example"_s, u"#7"_s, true, true, false, -1, 7, 108, 59, 25, many}},
        {"tab 3 picked", [&] { ASSERT_TRUE(f().CommandWebNew[3].click()); },
         {u"Current Browser :: Tab Browser #3"_s, u"tab 3"_s, u"tab 3: "_s + tab(3), {u"http://www.tab3.example/"_s},
          u"tab3.example"_s, u"#3"_s, true, true, false, -1, 3, 108, 59, 25, many}},
        {"back to main browser 1", [&] { pick(0); },
         {MainOne, u"main 1"_s, u"main: "_s + home, {}, u"home.velmora"_s, u"??"_s, false, true, false, 0, 0, 108, 59, 25, many}},
    });
}

TEST_F(DisplayTest, TheTabListShowsEveryTabWholeAndStandsAboveThePage)
{
    const struct {
        int tabs;
        int top;   // where the list stands: just above the page, never over the menu buttons
        bool line; // the line between the two columns
    } rows[] = {{1, 56, false}, {3, 40, true}, {24, 32, true}};
    start();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tabs);
        for (int i = s().TabCount + 1; i <= row.tabs; ++i)
            ASSERT_EQ(openTabFromMain(tab(i)), i);
        const vb::Frame& list = f().FrameMenu[5];
        EXPECT_TRUE(list.isVisible());
        EXPECT_EQ(s().MenuOpenIndex, 5);
        EXPECT_EQ(list.top(), row.top);
        int lowest = 0;
        for (int i = 1; i <= MaxTabs; ++i) {
            const vb::TextBox& r = f().TextWebList[i];
            if (i > row.tabs) {
                EXPECT_EQ(r.text(), QString()) << i;
                continue;
            }
            EXPECT_EQ(r.text(), u"%1. tab%1.example"_s.arg(i));
            EXPECT_LE(r.top() + r.height(), list.height() * 15) << "row " << i << " is cut off";
            lowest = std::max(lowest, r.top() + r.height());
        }
        EXPECT_LT(list.height() * 15 - lowest, 240) << "an empty row at the bottom of the list";
        EXPECT_EQ(f().LineWebList.isVisible(), row.line);
        if (row.line) {
            EXPECT_GE(f().LineWebList.y2(), lowest) << "the line stops before the last row";
            EXPECT_LE(f().LineWebList.y2(), list.height() * 15);
        }
    }
}

TEST_F(DisplayTest, WithTheBookmarkBrowserOpenTheTabListStandsBelowItsFrame)
{
    start();
    for (int i = 1; i <= 3; ++i)
        ASSERT_EQ(openTabFromMain(tab(i)), i);
    // Shown by itself because a tab is current, the list comes back to its place.
    switchToBookmarkBrowser();
    EXPECT_EQ(f().FrameMenu[5].top(), 80);
    EXPECT_FALSE(f().FrameMenu[5].isVisible());
    switchToTab(2);
    EXPECT_EQ(f().FrameMenu[5].top(), 40);
    EXPECT_TRUE(f().FrameMenu[5].isVisible());
}

TEST_F(DisplayTest, TheTabStripShowsEveryTabAndItsCloseButtonsRightAfterTheLast)
{
    start();
    for (int tabs : {1, 2, 7, 24}) {
        SCOPED_TRACE(tabs);
        for (int i = s().TabCount + 1; i <= tabs; ++i)
            ASSERT_EQ(openTabFromMain(tab(i)), i);
        const struct {
            const char* bar;
            const vb::Frame& strip;
            const vb::ControlArray<vb::CommandButton>& buttons;
            const vb::Frame& close;
        } bars[] = {{"band", f().FrameWebNew, f().CommandWebNew, f().FrameWebClose},
                    {"full-window bar", f().FrameWebComNew, f().CommandWebComNew, f().FrameWebComClose}};
        for (const auto& bar : bars) {
            SCOPED_TRACE(bar.bar);
            const corvanetest::TabStripView view = corvanetest::tabStripView(bar.strip, bar.buttons, 1, tabs, bar.close);
            EXPECT_EQ(view.wholeButtons, tabs);
            EXPECT_TRUE(view.closeWhole);
            EXPECT_EQ(view.closeGap, view.buttonGap) << "the close buttons are not one step after the last tab";
        }
    }
}

// ---------------------------------------------------------------------------------------
// Location lists

TEST_F(DisplayTest, WhatAPageAddsToTheLocationList)
{
    const QString homeSitePage = homePage(0) + u"news.html"_s;
    const QString secure = u"https://www.secure.example/"_s;
    enum Where { Main, Tab, Bookmark };
    const struct {
        const char* what;
        Where where;
        QStringList pages;
        QStringList listed; // the box on screen
        QStringList kept;   // what main browser 1 keeps for the next start
    } rows[] = {
        {"a site once, whatever its pages", Main, {site(1) + u"a.html"_s, site(1) + u"b.html"_s, site(1)}, {site(1)}, {site(1)}},
        {"only http and https sites", Main,
         {u"file:///home/ana/page.html"_s, u"about:blank"_s, u"ftp://files.example/x"_s, QString(), secure}, {secure}, {secure}},
        {"not the home page's site in main browser 1", Main, {homeSitePage}, {}, {}},
        {"a tab measures against main browser 1's home page, and keeps its own list", Tab, {homeSitePage, site(1)}, {site(1)}, {}},
        {"the bookmark browser lists the home page's site", Bookmark, {homeSitePage}, {homePage(0)}, {}},
    };
    int run = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        makeScriptedApp(u"run%1"_s.arg(++run));
        start();
        vb::WebBrowser* b = &f().WebBrowser[0];
        if (row.where == Tab) {
            ASSERT_EQ(openTabFromMain(row.pages.first()), 1);
            b = &f().BrowserNew[1];
        } else if (row.where == Bookmark) {
            switchToBookmarkBrowser();
            b = &f().WebBrowser[BookmarkBrowserIndex];
        }
        for (const QString& page : row.pages)
            completeIn(*b, page);
        EXPECT_EQ(seen().entries, row.listed);
        EXPECT_EQ(app->hid.ComboLocation[0].items(), row.kept);
    }
}

TEST_F(DisplayTest, AnEntryAlreadyInTheBoxIsNotAddedAgain)
{
    start();
    completeIn(f().WebBrowser[0], site(1));
    // Already in the displayed list, though missing from the kept one: not added again.
    f().ComboLocation.addItem(site(2));
    completeIn(f().WebBrowser[0], site(2) + QStringLiteral("x.html"));
    EXPECT_EQ(f().ComboLocation.items(), (QStringList{site(1), site(2)}));
    EXPECT_EQ(app->hid.ComboLocation[0].items(), QStringList{site(1)});
}

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
    EXPECT_EQ(f().WebBrowser[BookmarkBrowserIndex].top(), 0);
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

    app->lists.ShowNotes = true;
    completeIn(f().WebBrowser[0], noted);
    EXPECT_TRUE(f().FrameNote.isVisible());
    EXPECT_EQ(f().LabelNote[1].caption(), QStringLiteral("Pay the bill"));
    EXPECT_EQ(f().TextNote[0].text(), noted);
    EXPECT_TRUE(f().CheckNoShowNote.isVisible());

    completeIn(f().WebBrowser[0], site(1) + QStringLiteral("other.html"));
    EXPECT_FALSE(f().FrameNote.isVisible());
    EXPECT_FALSE(f().CheckNoShowNote.isVisible());
}

// ---------------------------------------------------------------------------------------
// The browser left

TEST_F(DisplayTest, ASwitchHidesExactlyTheBrowserLeftAndStopsItsAnimation)
{
    start(1);
    // Main browser 1 is loading when the user switches away from it.
    mainEngine(0).fireBeforeNavigate2();
    mainEngine(0).fireDownloadBegin();
    ASSERT_TRUE(f().TimerMainBrow.isEnabled());
    switchToMain(1);
    EXPECT_EQ(seen().onScreen, QStringLiteral("main 2"));
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_TRUE(samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));
}

// A record of the browser left that names no browser (index -1) hides nothing and stops no
// animation.
TEST_F(DisplayTest, NoRecordAtIndexMinusOneIsActedOn)
{
    start();
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    tabEngine(t).fireBeforeNavigate2();
    tabEngine(t).fireDownloadBegin();
    ASSERT_TRUE(f().TimerMainBrow.isEnabled());
    for (bool main : {true, false}) {
        s().ReturnIsMain = main;
        s().ReturnIsTab = !main;
        s().BrowserReturnIndex = -1;
        CurrentBrowserShow(*app);
        EXPECT_TRUE(f().TimerMainBrow.isEnabled()) << main;
        EXPECT_EQ(seen().onScreen, QStringLiteral("tab 1")) << main;
    }
    switchToMain(0);
    mainEngine(0).fireBeforeNavigate2();
    mainEngine(0).fireDownloadBegin();
    s().ReturnIsTab = true;
    s().BrowserReturnIndex = -1;
    CurrentBrowserShow(*app);
    EXPECT_TRUE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(seen().onScreen, QStringLiteral("main 1"));
}

} // namespace
