// The key rules of the bookmark, note and home-page panels with the real keyboard and
// mouse: the user clicks into a box of the panel on screen and types; Enter presses OK
// only when the input is acceptable, the note box replaces quotes and commas, and the
// boxes the panels keep unchanged stay so whatever the user does to them.

#include "PanelsFixture.h"
#include "UserInput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace panelstest;
using testsupport::pressKey;
using testsupport::typeText;

namespace {

class PanelKeys : public PanelsFixture {
protected:
    void SetUp() override
    {
        start();
        testsupport::showAtSize(f().window(), 1024, 768);
        ASSERT_TRUE(testsupport::activateWindowOf(f().window()));
    }
    // The user clicks into the box on screen.
    static void clickInto(vb::Control& box)
    {
        ASSERT_TRUE(box.widget()->isVisible());
        ASSERT_EQ(testsupport::clickInto(testsupport::editorOf(box.widget())), box.widget());
    }
    void openBookmarksOn(int n)
    {
        addMarks(n);
        openBookmarkBrowser();
        ASSERT_TRUE(s().BookmarkBrowserCurrent);
        bookmarkEngine().completeNavigation(markPage(0));
        if (!f().FrameBookmark.isVisible()) {
            ASSERT_TRUE(f().CommandShowBookmark.click());
        }
    }
};

} // namespace

TEST_F(PanelKeys, TheBookmarkCombosRefuseEveryEditAndArePickedWithTheMouse)
{
    openBookmarksOn(3);
    // A pick from the dropped-down list with the mouse.
    auto* names = static_cast<QComboBox*>(f().ComboMarkName.widget());
    QWidget* top = f().window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      names->mapTo(top, QPoint(names->width() - 6, names->height() / 2)));
    ASSERT_TRUE(names->view()->isVisible());
    QAbstractItemView* view = names->view();
    // The list ignores a release that follows its opening too closely (the opening click's own).
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(view->model()->index(1, 0)).center());
    EXPECT_EQ(f().ComboMarkName.listIndex(), 1);
    EXPECT_EQ(f().ComboMarkAddress.listIndex(), 1);
    EXPECT_EQ(bookmarkNavigations().last(), markPage(1));

    const QStringList navigations = bookmarkNavigations();
    for (vb::ComboBox* c : {&f().ComboMarkName, &f().ComboMarkAddress}) {
        const QString text = c->text();
        clickInto(*c);
        testsupport::tryEveryEdit();
        EXPECT_EQ(c->text(), text);
        EXPECT_EQ(c->listIndex(), 1);
    }
    EXPECT_EQ(bookmarkNavigations(), navigations);
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{u"Mark 0"_s, u"Mark 1"_s, u"Mark 2"_s}));
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), (QStringList{markPage(0), markPage(1), markPage(2)}));
}

// Three pages of one site have one short name: only the address tells the bookmarks apart.
// Whatever the user picks, removes or renames with the keyboard and the mouse, the address
// box shows the address of the selected bookmark, and Go opens exactly that.
TEST_F(PanelKeys, TheAddressBoxShowsWhatGoOpensAmongBookmarksOfOneName)
{
    const QStringList pages{u"http://www.velmora.example/a.html"_s, u"http://www.velmora.example/b.html"_s,
                            u"http://www.velmora.example/c.html"_s};
    struct Case {
        const char* steps; // p<i>: pick entry i; r: Remove; n: Rename to "Second"
        int selected;
        QStringList left;
    };
    const Case cases[] = {
        {"p2 r", 1, {pages[0], pages[1]}},
        {"p0 r", 0, {pages[1], pages[2]}},
        {"p1 r", 1, {pages[0], pages[2]}},
        {"p2 r p1 n", 1, {pages[0], pages[1]}},
        {"p2 r n", 1, {pages[0], pages[1]}},
        {"p1 r r", 0, {pages[0]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        corvane::BookmarkDeleteAll(*app);
        if (s().BookmarkBrowserOpen)
            f().BookmarkBrowserClose();
        for (const QString& page : pages)
            corvane::BookmarkAdd(*app, u"velmora"_s, page);
        openBookmarkBrowser();
        bookmarkEngine().completeNavigation(pages[0]);
        if (!f().FrameBookmark.isVisible()) {
            ASSERT_TRUE(f().CommandShowBookmark.click());
        }

        for (const QString& step : QString::fromLatin1(c.steps).split(u' ')) {
            if (step.startsWith(u'p')) {
                clickInto(f().ComboMarkName);
                for (int i = 0; i < pages.size(); ++i)
                    pressKey(Qt::Key_Up);
                for (int i = 0; i < step.mid(1).toInt(); ++i)
                    pressKey(Qt::Key_Down);
            } else if (step == u"r"_s) {
                testsupport::clickInto(f().CommandBookmark[3].widget());
            } else if (step == u"n"_s) {
                testsupport::clickInto(f().CommandBookmark[2].widget());
                ASSERT_TRUE(f().FrameRename.isVisible());
                EXPECT_EQ(f().TextRenameLocation.text(), f().ComboMarkAddress.text());
                clickInto(f().TextMarkAdd);
                typeText(u"Second"_s);
                pressKey(Qt::Key_Return);
            }
        }
        EXPECT_EQ(app->hid.ComboMarkAddress.items(), c.left);
        EXPECT_EQ(f().ComboMarkName.listIndex(), c.selected);
        EXPECT_EQ(f().ComboMarkAddress.listIndex(), c.selected);
        const QString shown = f().ComboMarkAddress.text();
        EXPECT_EQ(shown, c.left.value(c.selected));
        EXPECT_EQ(bookmarkNavigations().last(), shown);
        // The page moves on; Go brings back exactly what the box shows.
        bookmarkEngine().completeNavigation(u"http://elsewhere.velmora.example/"_s);
        if (!f().FrameBookmark.isVisible()) {
            ASSERT_TRUE(f().CommandShowBookmark.click());
        }
        testsupport::clickInto(f().CommandBookmark[5].widget());
        EXPECT_EQ(bookmarkNavigations().last(), shown);
    }
}

TEST_F(PanelKeys, RenameTakesTheNewNameOnEnterAndKeepsTheCurrentNameAndLocation)
{
    openBookmarksOn(3);
    f().ComboMarkName.pick(1);
    ASSERT_TRUE(f().CommandBookmark[2].click());
    ASSERT_TRUE(f().FrameRename.isVisible());
    for (vb::TextBox* box : {&f().TextRenameName, &f().TextRenameLocation}) {
        const QString text = box->text();
        clickInto(*box);
        testsupport::tryEveryEdit();
        EXPECT_EQ(box->text(), text);
    }
    EXPECT_TRUE(f().FrameRename.isVisible());
    EXPECT_FALSE(f().CommandRenameOK.isEnabled());

    clickInto(f().TextMarkAdd);
    pressKey(Qt::Key_Return); // no name yet: nothing
    EXPECT_TRUE(f().FrameRename.isVisible());
    typeText(u"Renamed, new x"_s);
    pressKey(Qt::Key_Backspace);
    EXPECT_TRUE(f().CommandRenameOK.isEnabled());
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_Delete);
    EXPECT_FALSE(f().CommandRenameOK.isEnabled());
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f().TextMarkAdd.text(), u"Renamed, new "_s);
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(f().FrameRename.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{u"Mark 0"_s, u"Renamed, new "_s, u"Mark 2"_s}));
    EXPECT_EQ(app->hid.ComboMarkAddress.List(1), markPage(1));
}

TEST_F(PanelKeys, BookmarkThisPageTakesEnterInEitherBoxOnceBothHoldText)
{
    const QString page = markPage(5);
    openMarkPanel(page);
    clickInto(f().TextWebMark);
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(f().FrameMark.isVisible());
    typeText(u"Five"_s);
    EXPECT_TRUE(f().CommandMarkOK.isEnabled());
    EXPECT_TRUE(f().CommandMarkReset.isEnabled());

    clickInto(f().TextWebAddress);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(f().CommandMarkOK.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(f().FrameMark.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.ListCount(), 0);
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f().TextWebAddress.text(), page);
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(f().FrameMark.isVisible());
    EXPECT_TRUE(f().FrameDoneBookmark.isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{u"Five"_s});
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), QStringList{page});
}

TEST_F(PanelKeys, TheNoteBoxReplacesQuotesAndCommasOnEveryRoadAndSavesOnEnter)
{
    const QString page = u"http://plain.velmora.example/page.html"_s;
    mainEngine(0).completeNavigation(page);
    openNotePanel(true);
    // The address box above it is shown only.
    clickInto(f().TextNote[0]);
    testsupport::tryEveryEdit();
    EXPECT_EQ(f().TextNote[0].text(), page);

    clickInto(f().TextNote[1]);
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(f().FrameNote.isVisible());
    typeText(u"He said \"go\", then"_s);
    EXPECT_EQ(f().TextNote[1].text(), u"He said 'go'. then"_s);
    QApplication::clipboard()->setText(u",\"x\""_s);
    pressKey(Qt::Key_V, Qt::ControlModifier);
    testsupport::composeText(u"\","_s);
    testsupport::dropText(testsupport::editorOf(f().TextNote[1].widget()), u"a,b"_s);
    EXPECT_EQ(f().TextNote[1].text(), u"He said 'go'. then.'x''.a.b"_s);
    EXPECT_TRUE(f().CommandNoteOK.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(f().FrameNote.isVisible());
    EXPECT_EQ(app->hid.ComboNotePage.items(), QStringList{page});
    EXPECT_EQ(app->hid.ComboNoteThis.items(), QStringList{u"He said 'go'. then.'x''.a.b"_s});
}

TEST_F(PanelKeys, TheHomePageAddressStaysAsOfferedAndEnterPressesNothing)
{
    const QString page = u"http://plain.velmora.example/page.html"_s;
    mainEngine(0).completeNavigation(page);
    openHomePanel();
    ASSERT_TRUE(f().OptionHome[3].click());
    clickInto(f().TextHome);
    testsupport::tryEveryEdit();
    EXPECT_EQ(f().TextHome.text(), page);
    EXPECT_EQ(p().MakeHomeAddress, page);
    EXPECT_TRUE(f().FrameHome.isVisible());
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(app->opt.MainBrowserHomePages[i], homePage(i)) << i;
}
