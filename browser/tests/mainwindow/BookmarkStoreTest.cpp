// The bookmark store: the hidden lists and the main window's copies while the bookmark
// browser is open; test, add, rename, delete one or all, open the bookmark browser and
// select a bookmark.

#include "TabsFixture.h"

#include "ActiveVelmora.h"

#include <QDir>

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace tabstest;

namespace {

QString mark(int i)
{
    return u"http://mark%1.velmora.example/"_s.arg(i);
}

class BookmarkStoreTest : public TabsFixture {
protected:
    void SetUp() override { start(0); }

    void addMarks(int n)
    {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(BookmarkAdd(*app, u"Mark %1"_s.arg(i), mark(i)));
    }
    // Opens the bookmark browser on the store, as its panel does.
    void openPanel()
    {
        s().BookmarkBrowserOpen = true;
        BookmarkPanelShow(*app);
    }
    QStringList bookmarkNavigations()
    {
        const vb::WebBrowser* b = f().WebBrowser.find(BookmarkBrowserIndex);
        const vb::ScriptedWebEngine* e = b ? engines->engineFor(*b) : nullptr;
        return e ? e->navigations() : QStringList();
    }
    const HidList& names() const { return app->hid.ComboMarkName; }
    const HidList& addresses() const { return app->hid.ComboMarkAddress; }
    // The main window's copies equal the store.
    void expectCopiesEqualStore()
    {
        EXPECT_EQ(f().ComboMarkName.items(), names().items());
        EXPECT_EQ(f().ComboMarkAddress.items(), addresses().items());
    }
};

TEST_F(BookmarkStoreTest, NoBookmarkWithoutAnAddressAndNoneWithoutAName)
{
    EXPECT_FALSE(BookmarkAdd(*app, u"Closed"_s, QString()));
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
    EXPECT_TRUE(names().items().isEmpty());
    EXPECT_TRUE(BookmarkAdd(*app, QString(), u"file:///home/user/a.html"_s));
    EXPECT_EQ(names().items(), QStringList{u"file:///home/user/a.html"_s});
    EXPECT_EQ(app->lists.BookmarkLastIndex, 0);
}

TEST_F(BookmarkStoreTest, ExistsComparesWholeAddressesWithLetterCase)
{
    EXPECT_FALSE(BookmarkExists(*app, QString()));
    EXPECT_FALSE(BookmarkExists(*app, mark(0)));
    BookmarkAdd(*app, u"Page"_s, u"http://www.velmora.example/Page.html"_s);
    EXPECT_TRUE(BookmarkExists(*app, u"http://www.velmora.example/Page.html"_s));
    EXPECT_FALSE(BookmarkExists(*app, u"http://www.velmora.example/page.html"_s));
    EXPECT_FALSE(BookmarkExists(*app, u"http://www.velmora.example/Page.htm"_s));
    EXPECT_FALSE(BookmarkExists(*app, u"http://www.velmora.example/"_s));
    // A name is no address.
    EXPECT_FALSE(BookmarkExists(*app, u"Page"_s));
}

TEST_F(BookmarkStoreTest, TwoAddressesThatDifferOnlyInCaseAreTwoBookmarks)
{
    // Through the tabs, which ask the store first.
    openTab(u"http://www.velmora.example/Page.html"_s);
    openTab(u"http://www.velmora.example/page.html"_s);
    clickClose(2);
    clickSelect(3);
    clickSelect(2);
    EXPECT_EQ(addresses().items(),
              (QStringList{u"http://www.velmora.example/Page.html"_s, u"http://www.velmora.example/page.html"_s}));
    EXPECT_EQ(app->lists.BookmarkLastIndex, 1);
}

TEST_F(BookmarkStoreTest, AddAppendsEvenTheSameAddressAgain)
{
    const int before = app->lists.BookmarkLastIndex;
    ASSERT_EQ(before, -1);
    EXPECT_TRUE(BookmarkAdd(*app, u"One"_s, mark(1)));
    EXPECT_TRUE(BookmarkAdd(*app, u"One again"_s, mark(1)));
    EXPECT_EQ(names().items(), (QStringList{u"One"_s, u"One again"_s}));
    EXPECT_EQ(addresses().items(), (QStringList{mark(1), mark(1)}));
    EXPECT_EQ(app->lists.BookmarkLastIndex, 1);
    // The bookmark browser is closed: the main window's copies stay empty, and the Open
    // menu offers the bookmarks.
    EXPECT_EQ(f().ComboMarkName.listCount(), 0);
    EXPECT_TRUE(f().CommandOpen[4].isEnabled());
}

TEST_F(BookmarkStoreTest, WhileTheBookmarkBrowserIsOpenEveryChangeReachesTheCopies)
{
    addMarks(2);
    openPanel();
    expectCopiesEqualStore();
    BookmarkAdd(*app, u"Third"_s, mark(2));
    expectCopiesEqualStore();
    EXPECT_FALSE(f().CommandOpen[4].isEnabled());
    BookmarkRename(*app, u"Renamed"_s, 1);
    EXPECT_EQ(names().List(1), u"Renamed"_s);
    expectCopiesEqualStore();
    int index = 0;
    BookmarkDelete(*app, index);
    expectCopiesEqualStore();
    EXPECT_EQ(names().items(), (QStringList{u"Renamed"_s, u"Third"_s}));
    EXPECT_EQ(app->lists.BookmarkLastIndex, 1);
}

TEST_F(BookmarkStoreTest, RenameChangesOnlyTheName)
{
    addMarks(3);
    BookmarkRename(*app, u"New name"_s, 2);
    EXPECT_EQ(names().items(), (QStringList{u"Mark 0"_s, u"Mark 1"_s, u"New name"_s}));
    EXPECT_EQ(addresses().items(), (QStringList{mark(0), mark(1), mark(2)}));
    EXPECT_EQ(app->lists.BookmarkLastIndex, 2);
}

TEST_F(BookmarkStoreTest, OpeningTheBookmarkBrowserCopiesTheStoreAndShowsTheFirstBookmark)
{
    addMarks(3);
    f().ComboLocation.addItem(u"http://list.velmora.example/"_s);
    openPanel();
    expectCopiesEqualStore();
    EXPECT_EQ(f().ComboLocation.listCount(), 0);
    EXPECT_EQ(f().ComboComLocation.listCount(), 0);
    EXPECT_TRUE(f().FrameShowBookmark.isVisible());
    ASSERT_TRUE(f().WebBrowser.exists(BookmarkBrowserIndex));
    EXPECT_EQ(bookmarkNavigations(), QStringList{mark(0)});
    EXPECT_TRUE(s().PopupGuard);
    EXPECT_EQ(f().ComboMarkName.listIndex(), 0);
    EXPECT_EQ(names().ListIndex(), 0);
    EXPECT_EQ(addresses().ListIndex(), 0);
    EXPECT_TRUE(app->panel.BookmarkSelectKind.isEmpty());
    // The bookmark browser takes the place of the browsers.
    EXPECT_EQ(f().WebBrowser[BookmarkBrowserIndex].top(), s().BrowserTop);
    EXPECT_EQ(f().WebBrowser[BookmarkBrowserIndex].height(), s().BrowserHeight);
}

TEST_F(BookmarkStoreTest, SelectSynchronisesTheCombosByKind)
{
    addMarks(4);
    openPanel();

    app->panel.BookmarkSelectKind = u"MainName"_s;
    BookmarkSelect(*app, u"MainName"_s, 2);
    EXPECT_EQ(f().ComboMarkAddress.listIndex(), 2);
    EXPECT_EQ(names().ListIndex(), 2);
    EXPECT_EQ(addresses().ListIndex(), 2);
    EXPECT_TRUE(app->panel.BookmarkSelectKind.isEmpty());
    EXPECT_EQ(bookmarkNavigations().last(), mark(2));

    BookmarkSelect(*app, u"MainAddress"_s, 3);
    EXPECT_EQ(f().ComboMarkName.listIndex(), 3);
    EXPECT_EQ(f().ComboMarkAddress.listIndex(), 3);
    EXPECT_EQ(names().ListIndex(), 3);
    EXPECT_EQ(bookmarkNavigations().last(), mark(3));

    BookmarkSelect(*app, u"NoName"_s, 1);
    EXPECT_EQ(f().ComboMarkName.listIndex(), 1);
    EXPECT_EQ(addresses().ListIndex(), 1);
    EXPECT_EQ(bookmarkNavigations().last(), mark(1));

    // Any other kind only ends the selection.
    engineOf(f().WebBrowser[BookmarkBrowserIndex]).completeNavigation(mark(1));
    ASSERT_FALSE(s().PopupGuard);
    const int navigations = int(bookmarkNavigations().size());
    app->panel.BookmarkSelectKind = u"Other"_s;
    BookmarkSelect(*app, u"Other"_s, 2);
    EXPECT_TRUE(app->panel.BookmarkSelectKind.isEmpty());
    EXPECT_EQ(bookmarkNavigations().size(), navigations);
    EXPECT_EQ(names().ListIndex(), 1);
    EXPECT_FALSE(s().PopupGuard);
}

TEST_F(BookmarkStoreTest, DeletingTheSelectedLastOfFiveSelectsTheNewLast)
{
    addMarks(5);
    openPanel();
    BookmarkSelect(*app, u"NoName"_s, 4);
    int index = 4;
    BookmarkDelete(*app, index);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(app->lists.BookmarkLastIndex, 3);
    EXPECT_EQ(addresses().ListCount(), 4);
    expectCopiesEqualStore();
    EXPECT_EQ(f().ComboMarkName.listIndex(), 3);
    EXPECT_EQ(names().ListIndex(), 3);
    EXPECT_EQ(addresses().ListIndex(), 3);
    EXPECT_EQ(bookmarkNavigations().last(), mark(3));
    EXPECT_TRUE(app->panel.BookmarkSelectKind.isEmpty());
}

TEST_F(BookmarkStoreTest, DeletingInTheMiddleSelectsTheBookmarkThatMovesUp)
{
    addMarks(5);
    openPanel();
    int index = 1;
    BookmarkDelete(*app, index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(addresses().items(), (QStringList{mark(0), mark(2), mark(3), mark(4)}));
    EXPECT_EQ(f().ComboMarkName.listIndex(), 1);
    EXPECT_EQ(f().ComboMarkName.text(), u"Mark 2"_s);
    EXPECT_EQ(bookmarkNavigations().last(), mark(2));
}

TEST_F(BookmarkStoreTest, DeletingTheOnlyBookmarkSelectsNothing)
{
    addMarks(1);
    openPanel();
    engineOf(f().WebBrowser[BookmarkBrowserIndex]).completeNavigation(mark(0));
    const QStringList before = bookmarkNavigations();
    int index = 0;
    BookmarkDelete(*app, index);
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
    EXPECT_EQ(names().ListCount(), 0);
    EXPECT_EQ(f().ComboMarkName.listCount(), 0);
    EXPECT_EQ(f().ComboMarkName.listIndex(), -1);
    EXPECT_EQ(names().ListIndex(), -1);
    EXPECT_EQ(bookmarkNavigations(), before);
    EXPECT_FALSE(s().PopupGuard);
}

TEST_F(BookmarkStoreTest, DeletingWhileASelectionIsUnderWaySelectsNothingMore)
{
    addMarks(3);
    openPanel();
    const QStringList before = bookmarkNavigations();
    app->panel.BookmarkSelectKind = u"MainName"_s;
    int index = 2;
    BookmarkDelete(*app, index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(app->lists.BookmarkLastIndex, 1);
    EXPECT_EQ(bookmarkNavigations(), before);
    EXPECT_EQ(app->panel.BookmarkSelectKind, u"MainName"_s);
}

TEST_F(BookmarkStoreTest, DeletingWithTheBookmarkBrowserClosedOnlyShrinksTheStore)
{
    addMarks(3);
    int index = 2;
    BookmarkDelete(*app, index);
    EXPECT_EQ(addresses().items(), (QStringList{mark(0), mark(1)}));
    EXPECT_EQ(names().items(), (QStringList{u"Mark 0"_s, u"Mark 1"_s}));
    EXPECT_EQ(app->lists.BookmarkLastIndex, 1);
    EXPECT_FALSE(f().WebBrowser.exists(BookmarkBrowserIndex));
    EXPECT_FALSE(s().PopupGuard);
}

TEST_F(BookmarkStoreTest, DeletingABookmarkThatIsNotThereChangesNothing)
{
    addMarks(2);
    openPanel();
    for (int bad : {-1, 2, 99}) {
        int index = bad;
        BookmarkDelete(*app, index);
        EXPECT_EQ(index, bad);
        EXPECT_EQ(app->lists.BookmarkLastIndex, 1);
        EXPECT_EQ(addresses().ListCount(), 2);
        expectCopiesEqualStore();
    }
}

TEST_F(BookmarkStoreTest, DeleteAllEmptiesTheStoreAndTheCopies)
{
    addMarks(4);
    openPanel();
    BookmarkDeleteAll(*app);
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
    EXPECT_EQ(names().ListCount(), 0);
    EXPECT_EQ(addresses().ListCount(), 0);
    EXPECT_EQ(names().ListIndex(), -1);
    EXPECT_EQ(addresses().ListIndex(), -1);
    EXPECT_EQ(f().ComboMarkName.listCount(), 0);
    EXPECT_EQ(f().ComboMarkAddress.listCount(), 0);
    EXPECT_EQ(f().ComboMarkName.listIndex(), -1);
    EXPECT_EQ(f().ComboMarkAddress.listIndex(), -1);
    // Adding starts from index 0 again.
    BookmarkAdd(*app, u"After"_s, mark(9));
    EXPECT_EQ(app->lists.BookmarkLastIndex, 0);
    expectCopiesEqualStore();
}

TEST_F(BookmarkStoreTest, BookmarksAllDeletedDoNotComeBackAfterTheExit)
{
    ProgramVars& p = app->prog;
    p.SettingsFilePath = dir.filePath(u"data/Set.Velmora"_s);
    p.BookmarkFilePath = dir.filePath(u"data/Mark.Velmora"_s);
    p.HistoryFilePath = dir.filePath(u"data/Hist.Velmora"_s);
    p.NotesFilePath = dir.filePath(u"data/Note.Velmora"_s);
    QDir().mkpath(dir.filePath(u"data"_s));
    addMarks(3);
    ASSERT_TRUE(BookmarkFileSave(app->velmora()));
    BookmarkDeleteAll(*app);
    EXPECT_THROW(f().CommandExit.setValue(true), vb::ProgramEnded);

    // The next start reads no bookmark.
    app->lists.BookmarkLastIndex = -1;
    BookmarkFileLoad(app->velmora());
    EXPECT_EQ(addresses().ListCount(), 0);
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
}

} // namespace
