// The bookmark browser: opening it from the Open menu, the Show/Hide toggle, the
// Bookmarks panel's buttons and combos, the Rename Bookmark panel, closing it again, and
// the "Bookmark This Page" panel.

#include "PanelsFixture.h"

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace panelstest;

namespace {

class BookmarkPanelsTest : public PanelsFixture {
protected:
    void SetUp() override { start(); }

    // Opens the bookmark browser on n bookmarks and lets the first one arrive.
    void openOn(int n)
    {
        addMarks(n);
        openBookmarkBrowser();
        ASSERT_TRUE(s().BookmarkBrowserCurrent);
        bookmarkEngine().completeNavigation(markPage(0));
    }
    void showPanel()
    {
        if (!f().FrameBookmark.isVisible()) {
            ASSERT_TRUE(f().CommandShowBookmark.click());
        }
        ASSERT_TRUE(f().FrameBookmark.isVisible());
    }
    void press(int i) { ASSERT_TRUE(f().CommandBookmark[i].click()) << "bookmark button " << i; }
    QString label() const { return f().LabelCurrentBrowser[0].caption(); }

    // The window is back on main browser 1 with the bookmark browser gone.
    void expectClosedOnMainBrowser()
    {
        EXPECT_FALSE(s().BookmarkBrowserOpen);
        EXPECT_FALSE(s().BookmarkBrowserCurrent);
        EXPECT_TRUE(s().MainBrowserCurrent);
        EXPECT_FALSE(s().TabBrowserCurrent);
        EXPECT_EQ(s().MainBrowserIndex, 0);
        EXPECT_FALSE(f().WebBrowser.exists(BookmarkBrowserIndex));
        EXPECT_TRUE(f().WebBrowser[0].isVisible());
        EXPECT_FALSE(f().FrameShowBookmark.isVisible());
        EXPECT_FALSE(f().FrameBookmark.isVisible());
        EXPECT_FALSE(f().FrameRename.isVisible());
        EXPECT_EQ(label(), u"Current Browser :: Main Browser #1"_s);
        EXPECT_EQ(f().ComboLocation.text(), homePage(0));
    }
};

TEST_F(BookmarkPanelsTest, WithoutBookmarksOnlyTheNoticeShowsUnderTheMenu)
{
    f().FrameMenu[1].move(200, 32, 217, 68);
    openBookmarkBrowser();
    EXPECT_TRUE(f().FrameNoBookmark.isVisible());
    EXPECT_EQ(f().FrameNoBookmark.top(), 32 + 68);
    EXPECT_EQ(f().FrameNoBookmark.left(), 200 + 16);
    // Nothing else changed.
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_FALSE(s().BookmarkBrowserOpen);
    EXPECT_FALSE(s().BookmarkBrowserCurrent);
    EXPECT_FALSE(f().WebBrowser.exists(BookmarkBrowserIndex));
    EXPECT_FALSE(f().FrameShowBookmark.isVisible());
    EXPECT_EQ(label(), u"Current Browser :: Main Browser #1"_s);
    EXPECT_TRUE(f().FrameMenu[1].isVisible());
}

TEST_F(BookmarkPanelsTest, OpeningFromATabAndClosingReturnsToTheMainBrowser)
{
    ASSERT_EQ(openTab(u"http://tab1.velmora.example/"_s), 1);
    ASSERT_TRUE(s().TabBrowserCurrent);
    addMarks(2);
    openBookmarkBrowser();

    EXPECT_TRUE(s().BookmarkBrowserOpen);
    EXPECT_TRUE(s().BookmarkBrowserCurrent);
    EXPECT_FALSE(s().TabBrowserCurrent);
    EXPECT_FALSE(s().MainBrowserCurrent);
    EXPECT_EQ(s().TabCurrentIndex, 0);
    EXPECT_FALSE(f().BrowserNew[1].isVisible());
    EXPECT_TRUE(f().WebBrowser[BookmarkBrowserIndex].isVisible());
    EXPECT_TRUE(f().FrameShowBookmark.isVisible());
    EXPECT_EQ(bookmarkNavigations(), QStringList{markPage(0)});
    EXPECT_EQ(f().ComboMarkName.items(), (QStringList{u"Mark 0"_s, u"Mark 1"_s}));
    EXPECT_EQ(f().ComboMarkName.listIndex(), 0);
    EXPECT_EQ(label(), u"Current Browser :: Bookmark Browser"_s);
    EXPECT_FALSE(f().CommandOpen[4].isEnabled());
    EXPECT_TRUE(f().CommandOne[8].isEnabled());

    bookmarkEngine().completeNavigation(markPage(0));
    ASSERT_TRUE(f().CommandCloseBookmark.click());
    expectClosedOnMainBrowser();
    EXPECT_FALSE(f().BrowserNew[1].isVisible());
    EXPECT_TRUE(s().TabSlotUsed[1]);
    EXPECT_TRUE(f().CommandOpen[4].isEnabled());
    EXPECT_FALSE(f().CommandOne[8].isEnabled());
    // The window's copies of the lists went with the browser; the store keeps them.
    EXPECT_EQ(f().ComboMarkName.listCount(), 0);
    EXPECT_EQ(app->hid.ComboMarkName.ListCount(), 2);
    // A bookmark removed later (from another window's panel) selects nothing here: no
    // navigation of a browser that is gone holds new windows back.
    int removed = 0;
    BookmarkDelete(*app, removed);
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{u"Mark 1"_s});
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(openTab(u"http://tab2.velmora.example/"_s), 2);
}

TEST_F(BookmarkPanelsTest, ClosingWhileItLoadsStopsTheBusyAnimationAndAllowsNewWindows)
{
    openOn(2);
    bookmarkEngine().fireBeforeNavigate2();
    bookmarkEngine().fireDownloadBegin();
    ASSERT_EQ(s().LoadingBrowserIndex, BookmarkBrowserIndex);
    ASSERT_TRUE(f().TimerMainBrow.isEnabled());
    f().TimerMainBrow.fire();
    ASSERT_FALSE(testsupport::samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));

    f().CommandCloseBookmark.click();
    expectClosedOnMainBrowser();
    EXPECT_EQ(s().LoadingBrowserIndex, -1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_TRUE(testsupport::samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));
    EXPECT_FALSE(s().PopupGuard);
    // The main browser's page may open a window again.
    EXPECT_EQ(openTab(u"http://tab1.velmora.example/"_s), 1);
}

TEST_F(BookmarkPanelsTest, AReopenedBookmarkBrowserKeepsEachSiteOnceAndStartsWithoutHistory)
{
    const QString root = u"http://mark0.velmora.example/"_s;
    openOn(2);
    ASSERT_EQ(app->hid.ComboLocation[BookmarkBrowserIndex].items().count(root), 1);
    f().CommandCloseBookmark.click();

    // Main browser 1 has history: Back is on.
    ASSERT_TRUE(f().ImageBack.isEnabled());
    openBookmarkBrowser();
    EXPECT_FALSE(f().ImageBack.isEnabled());
    EXPECT_FALSE(f().ImageForward.isEnabled());
    EXPECT_EQ(f().ComboLocation.items(), QStringList{root});
    bookmarkEngine().completeNavigation(markPage(0));
    EXPECT_EQ(app->hid.ComboLocation[BookmarkBrowserIndex].items().count(root), 1);
    EXPECT_EQ(f().ComboLocation.items().count(root), 1);
}

TEST_F(BookmarkPanelsTest, ShowMakesTheBookmarkBrowserCurrentAndHideDoesNot)
{
    openOn(2);
    ASSERT_TRUE(f().CommandShowBrowser[0].click());
    ASSERT_TRUE(s().MainBrowserCurrent);
    ASSERT_FALSE(f().FrameBookmark.isVisible());

    ASSERT_TRUE(f().CommandShowBookmark.click());
    EXPECT_TRUE(s().BookmarkBrowserCurrent);
    EXPECT_FALSE(s().MainBrowserCurrent);
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_TRUE(f().WebBrowser[BookmarkBrowserIndex].isVisible());
    // The panel survived the display's close of every panel.
    EXPECT_TRUE(f().FrameBookmark.isVisible());
    EXPECT_FALSE(s().BookmarkFrameShown);
    EXPECT_EQ(f().FrameBookmark.top(), s().BrowserTop + 8);
    EXPECT_EQ(f().FrameBookmark.left(), f().FrameShowBookmark.left() / 15);
    EXPECT_EQ(f().FrameBookmark.height(), 81);
    EXPECT_FALSE(f().CommandBookmark[1].isVisible());
    EXPECT_TRUE(face(f().CommandShowBookmark, 3));
    EXPECT_TRUE(face(f().CommandOne[8], 3));
    EXPECT_EQ(label(), u"Current Browser :: Bookmark Browser"_s);

    // The toggle hides it; the bookmark browser stays on screen.
    ASSERT_TRUE(f().CommandShowBookmark.click());
    EXPECT_FALSE(f().FrameBookmark.isVisible());
    EXPECT_TRUE(s().BookmarkBrowserCurrent);
    EXPECT_TRUE(face(f().CommandShowBookmark, 0));
    EXPECT_TRUE(face(f().CommandOne[8], 0));

    // "Hide" does the same from the panel.
    showPanel();
    press(6);
    EXPECT_FALSE(f().FrameBookmark.isVisible());
    EXPECT_TRUE(s().BookmarkBrowserCurrent);
    EXPECT_TRUE(face(f().CommandShowBookmark, 0));
    EXPECT_TRUE(face(f().CommandOne[8], 0));
}

TEST_F(BookmarkPanelsTest, InFullWindowModeThePanelOffersCloseAndSitsUnderTheBars)
{
    openOn(2);
    FullWindowSet(*app, true);
    f().CommandShowBookmark_Click();
    ASSERT_TRUE(f().FrameBookmark.isVisible());
    EXPECT_EQ(f().FrameBookmark.left(), 0);
    EXPECT_EQ(f().FrameBookmark.top(), f().FrameOne.top() + f().FrameOne.height());
    EXPECT_TRUE(f().CommandBookmark[1].isVisible());
    EXPECT_TRUE(f().LabelBookmark[1].isVisible());
    press(1);
    EXPECT_FALSE(s().BookmarkBrowserOpen);
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_FALSE(f().WebBrowser.exists(BookmarkBrowserIndex));
    EXPECT_FALSE(f().FrameBookmark.isVisible());
}

TEST_F(BookmarkPanelsTest, ShowDoesNothingWhileTheBookmarkBrowserIsClosed)
{
    addMarks(1);
    f().CommandShowBookmark_Click();
    EXPECT_FALSE(f().FrameBookmark.isVisible());
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_FALSE(s().BookmarkBrowserCurrent);
}

TEST_F(BookmarkPanelsTest, PickingANameOrAnAddressSelectsBothAndShowsTheBookmark)
{
    openOn(3);
    const qsizetype before = bookmarkNavigations().size();
    f().ComboMarkName.pick(2);
    EXPECT_EQ(f().ComboMarkAddress.listIndex(), 2);
    EXPECT_EQ(app->hid.ComboMarkAddress.ListIndex(), 2);
    EXPECT_EQ(bookmarkNavigations().size(), before + 1);
    EXPECT_EQ(bookmarkNavigations().last(), markPage(2));
    EXPECT_TRUE(p().BookmarkSelectKind.isEmpty());

    f().ComboMarkAddress.pick(1);
    EXPECT_EQ(f().ComboMarkName.listIndex(), 1);
    EXPECT_EQ(app->hid.ComboMarkName.ListIndex(), 1);
    EXPECT_EQ(bookmarkNavigations().size(), before + 2);
    EXPECT_EQ(bookmarkNavigations().last(), markPage(1));
    EXPECT_TRUE(p().BookmarkSelectKind.isEmpty());
}

TEST_F(BookmarkPanelsTest, TypingIntoTheBookmarkCombosChangesNothing)
{
    openOn(3);
    f().ComboMarkName.pick(1);
    const QStringList navigations = bookmarkNavigations();
    for (vb::ComboBox* c : {&f().ComboMarkName, &f().ComboMarkAddress}) {
        const QString text = c->text();
        c->type(u"abc"_s);
        c->typeKey(8);
        c->typeKey(13);
        c->paste(u"http://elsewhere.example/"_s);
        EXPECT_EQ(c->text(), text);
        EXPECT_EQ(c->listIndex(), 1);
    }
    EXPECT_EQ(bookmarkNavigations(), navigations);
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{u"Mark 0"_s, u"Mark 1"_s, u"Mark 2"_s}));
}

TEST_F(BookmarkPanelsTest, RenameTogglesAndReopensEmpty)
{
    openOn(3);
    showPanel();
    f().ComboMarkName.pick(1);
    showPanel();
    press(2);
    ASSERT_TRUE(f().FrameRename.isVisible());
    EXPECT_EQ(f().TextRenameName.text(), u"Mark 1"_s);
    EXPECT_EQ(f().TextRenameLocation.text(), markPage(1));
    EXPECT_EQ(f().TextMarkAdd.text(), QString());
    EXPECT_FALSE(f().CommandRenameOK.isEnabled());
    EXPECT_EQ(f().FrameRename.left(), f().FrameBookmark.left());
    EXPECT_EQ(f().FrameRename.top(), f().FrameBookmark.top() + f().FrameBookmark.height());

    f().TextMarkAdd.type(u"Half"_s);
    EXPECT_TRUE(f().CommandRenameOK.isEnabled());
    press(2);
    EXPECT_FALSE(f().FrameRename.isVisible());
    press(2);
    ASSERT_TRUE(f().FrameRename.isVisible());
    EXPECT_EQ(f().TextMarkAdd.text(), QString());
    EXPECT_FALSE(f().CommandRenameOK.isEnabled());

    // Enter with no new name does nothing.
    f().TextMarkAdd.typeKey(13);
    EXPECT_TRUE(f().FrameRename.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.List(1), u"Mark 1"_s);

    f().TextMarkAdd.type(u"Renamed"_s);
    f().TextMarkAdd.typeKey(13);
    EXPECT_FALSE(f().FrameRename.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{u"Mark 0"_s, u"Renamed"_s, u"Mark 2"_s}));
    EXPECT_EQ(f().ComboMarkName.list(1), u"Renamed"_s);
    EXPECT_EQ(app->hid.ComboMarkAddress.List(1), markPage(1));
}

TEST_F(BookmarkPanelsTest, RenameCancelAndTheReadOnlyBoxesChangeNothing)
{
    openOn(2);
    showPanel();
    press(2);
    ASSERT_TRUE(f().FrameRename.isVisible());
    for (vb::TextBox* box : {&f().TextRenameName, &f().TextRenameLocation}) {
        const QString text = box->text();
        box->type(u"xyz"_s);
        box->typeKey(8);
        box->typeKey(13);
        box->paste(u"pasted"_s);
        EXPECT_EQ(box->text(), text);
    }
    f().TextMarkAdd.type(u"Other"_s);
    ASSERT_TRUE(f().CommandRenameCancel.click());
    EXPECT_FALSE(f().FrameRename.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{u"Mark 0"_s, u"Mark 1"_s}));
}

TEST_F(BookmarkPanelsTest, PickingAnotherBookmarkClosesTheRenamePanel)
{
    openOn(3);
    showPanel();
    press(2);
    ASSERT_TRUE(f().FrameRename.isVisible());
    ASSERT_EQ(f().TextRenameName.text(), u"Mark 0"_s);
    // What the panel shows would no longer be what OK renames.
    f().ComboMarkName.pick(2);
    EXPECT_FALSE(f().FrameRename.isVisible());
}

TEST_F(BookmarkPanelsTest, RemoveAllClosesWithoutAnyMessage)
{
    openOn(3);
    showPanel();
    press(4);
    EXPECT_TRUE(shown.isEmpty());
    expectClosedOnMainBrowser();
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
    EXPECT_EQ(app->hid.ComboMarkName.ListCount(), 0);
    EXPECT_EQ(app->hid.ComboMarkAddress.ListCount(), 0);
    // Nothing left to open.
    EXPECT_FALSE(f().CommandOpen[4].isEnabled());
}

TEST_F(BookmarkPanelsTest, RemovingTheOnlyBookmarkClosesWithoutAVisibleMessage)
{
    openOn(1);
    showPanel();
    press(3);
    EXPECT_TRUE(shown.isEmpty());
    expectClosedOnMainBrowser();
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
    EXPECT_EQ(app->hid.ComboMarkAddress.ListCount(), 0);
}

TEST_F(BookmarkPanelsTest, RemovingOneOfSeveralKeepsTheBrowserOnTheNeighbour)
{
    openOn(3);
    showPanel();
    f().ComboMarkName.pick(2);
    showPanel();
    press(2);
    ASSERT_TRUE(f().FrameRename.isVisible());
    press(3);
    EXPECT_TRUE(s().BookmarkBrowserOpen);
    EXPECT_TRUE(s().BookmarkBrowserCurrent);
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{u"Mark 0"_s, u"Mark 1"_s}));
    EXPECT_EQ(f().ComboMarkName.items(), app->hid.ComboMarkName.items());
    EXPECT_EQ(f().ComboMarkName.listIndex(), 1);
    EXPECT_EQ(bookmarkNavigations().last(), markPage(1));
    EXPECT_EQ(app->lists.BookmarkLastIndex, 1);
    EXPECT_FALSE(f().FrameRename.isVisible());
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(BookmarkPanelsTest, GoShowsTheSelectedBookmarkAgain)
{
    openOn(2);
    f().ComboMarkAddress.pick(1);
    bookmarkEngine().completeNavigation(markPage(1));
    EXPECT_FALSE(f().CommandBookmark[5].isEnabled());
    // The page moves on: Go can bring the bookmark back.
    bookmarkEngine().completeNavigation(u"http://other.velmora.example/"_s);
    EXPECT_TRUE(f().CommandBookmark[5].isEnabled());
    showPanel();
    const qsizetype before = bookmarkNavigations().size();
    press(5);
    EXPECT_EQ(bookmarkNavigations().size(), before + 1);
    EXPECT_EQ(bookmarkNavigations().last(), markPage(1));
    EXPECT_TRUE(s().PopupGuard);
}

// ---------------------------------------------------------------------------------------
// Bookmark This Page

TEST_F(BookmarkPanelsTest, MarkPanelOkNeedsBothTextsAndResetFollowsTheProposedValues)
{
    const QString page = markPage(5);
    openMarkPanel(page);
    EXPECT_FALSE(f().CommandMarkOK.isEnabled());
    EXPECT_FALSE(f().CommandMarkReset.isEnabled());

    f().TextWebMark.type(u"Five"_s);
    EXPECT_TRUE(f().CommandMarkOK.isEnabled());
    EXPECT_TRUE(f().CommandMarkReset.isEnabled());

    // Clearing either box disables OK.
    f().TextWebAddress.setText(QString());
    EXPECT_FALSE(f().CommandMarkOK.isEnabled());
    f().TextWebAddress.setText(page);
    EXPECT_TRUE(f().CommandMarkOK.isEnabled());
    f().TextWebMark.setText(QString());
    EXPECT_FALSE(f().CommandMarkOK.isEnabled());
    // Both texts back to the proposed values by hand: Reset is off again.
    EXPECT_FALSE(f().CommandMarkReset.isEnabled());

    // The address alone differs; letter case counts.
    f().TextWebAddress.setText(page.toUpper());
    EXPECT_TRUE(f().CommandMarkReset.isEnabled());
    // Enter does nothing without a name.
    f().TextWebAddress.typeKey(13);
    EXPECT_TRUE(f().FrameMark.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.ListCount(), 0);

    f().TextWebMark.type(u"Typed"_s);
    ASSERT_TRUE(f().CommandMarkReset.click());
    EXPECT_EQ(f().TextWebAddress.text(), page);
    EXPECT_EQ(f().TextWebMark.text(), QString());
    EXPECT_FALSE(f().CommandMarkReset.isEnabled());
    EXPECT_FALSE(f().CommandMarkOK.isEnabled());
    EXPECT_TRUE(f().FrameMark.isVisible());
}

TEST_F(BookmarkPanelsTest, MarkPanelEnterAddsTheBookmarkAndShowsTheNotice)
{
    openMarkPanel(markPage(5));
    f().TextWebMark.type(u"Five"_s);
    f().TextWebMark.typeKey(13);
    EXPECT_FALSE(f().FrameMark.isVisible());
    EXPECT_TRUE(f().FrameDoneBookmark.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{u"Five"_s});
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), QStringList{markPage(5)});
    EXPECT_EQ(app->lists.BookmarkLastIndex, 0);

    // A different page typed in the address box is bookmarked as typed.
    f().FrameDoneBookmark.setVisible(false);
    openMarkPanel(markPage(6));
    f().TextWebMark.type(u"Seven"_s);
    f().TextWebAddress.setText(markPage(7));
    ASSERT_TRUE(f().CommandMarkOK.click());
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), (QStringList{markPage(5), markPage(7)}));
    EXPECT_TRUE(f().FrameDoneBookmark.isVisible());
}

TEST_F(BookmarkPanelsTest, MarkPanelCancelAddsNothing)
{
    openMarkPanel(markPage(5));
    f().TextWebMark.type(u"Five"_s);
    ASSERT_TRUE(f().CommandMarkCancel.click());
    EXPECT_FALSE(f().FrameMark.isVisible());
    EXPECT_FALSE(f().FrameDoneBookmark.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.ListCount(), 0);
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
}

} // namespace
