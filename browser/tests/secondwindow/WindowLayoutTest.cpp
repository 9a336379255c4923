// The secondary window laid out in every state a user reaches, walked as a user meets it
// (see LayoutProbe.h): no tab, 1, 3, 12, 13 and 24 tabs; the Tab List shown and hidden;
// each panel open; Select Tabs with 2 to 24 tabs; full-window mode with one and with two
// rows; at its own size on large screens, at the size an 800 x 600 screen leaves it, and
// at the smallest size the window keeps. The key roads get real clicks at the point on
// screen as well.

#include "ControlBookmark.h"
#include "WebWindowFixture.h"

#include "LayoutProbe.h"

#include <QImage>
#include <QTest>
#include <QWindow>

using corvane::frmWeb;
using layoutprobe::Probe;

namespace {

struct Scene {
    QString name;
    std::function<bool()> enter;
    std::function<void()> leave;
};

class WindowLayoutTest : public webwindowtest::WebWindowTest {
protected:
    // A window opened for a page's new window on a screen of the given size, with a user
    // picture; its own page has arrived.
    frmWeb& openOn(int screenWidth, int screenHeight, bool withPicture = true)
    {
        m_screen = QSize(screenWidth, screenHeight);
        app->rt.setScreen({screenWidth * 15, screenHeight * 15, 15, 15});
        if (withPicture) {
            const QString picture = dir.filePath(QStringLiteral("me.png"));
            QImage image(150, 100, QImage::Format_RGB32);
            image.fill(QColor(0x50, 0x80, 0xb0));
            EXPECT_TRUE(image.save(picture));
            app->profile.UserPicturePath = picture;
        }
        w = &openWindowAt(site(0));
        layoutprobe::settle();
        return *w;
    }

    void openTabsUpTo(int n)
    {
        w->PopPopupGuard = false;
        while (w->PopTabCount < n)
            ASSERT_GE(openTab(*w, w->PopTabCurrent, site(w->PopTabCount + 1)), 1) << "tab " << w->PopTabCount + 1;
    }

    bool panel(vb::CommandButton& b, int index)
    {
        if (!b.click())
            return false;
        opened.push_back(w->FrameSmallPop[index].widget());
        return w->FrameSmallPop[index].isVisible();
    }

    // The page shown moves on to a page no bookmark names yet.
    void freshPage()
    {
        complete(*w, w->PopTabCurrent, QStringLiteral("http://fresh%1.velmora.example/").arg(++m_fresh));
    }

    // The resting state: the normal bar, no panel the user opened, the display refreshed.
    void rest()
    {
        if (w->PopFullWindow)
            w->CommandPopOne_Click(3);
        w->PopPanelShow(-1, false);
        w->CurrentBrowserShow();
        opened.clear();
    }

    void allowances(Probe& probe)
    {
        for (const QWidget* o : opened)
            probe.allowUnder(o, QStringLiteral("opened by the user on top of the window"));
        // The Tab List's names, and the numbers of the tab rows, are whole or not shown.
        for (int i = 1; i <= frmWeb::MaxPopTabs; ++i) {
            probe.nameLine(w->TextPopList[i].widget());
            probe.keepWhole(w->TextPopList[i].widget());
        }
        for (auto* labels : {&w->LabelPopNew, &w->LabelPopComNew, &w->LabelPopClose, &w->LabelPopComClose})
            for (int i : labels->indices())
                probe.keepWhole((*labels)[i].widget());
        probe.keepWhole(w->LabelPopCloseHead.widget());
        // The location boxes show where an address begins.
        probe.startShown(w->ComboPopComLocation.widget());
        for (int i : w->ComboPopLocation.indices())
            probe.startShown(w->ComboPopLocation[i].widget());
        // The band is as wide as the page, which the window's rule makes 2 pixels wider than
        // the window; nothing stands in them.
        const QWidget* band = w->FrameBigPop.widget();
        probe.allow([band](const QWidget* target, const QWidget* over) {
                        return target == band && !over && band->width() <= band->parentWidget()->width() + 2;
                    },
                    QStringLiteral("the band takes the page's width, 2 pixels past the window's edge"));
        // A window on a screen smaller than the program asks for is smaller than the size
        // the window keeps otherwise: the band's rows lack room.
        if (w->window()->width() >= w->SmallestClientSize().width())
            return;
        const QWidget* row = w->FramePopNew.widget();
        const QWidget* list = w->FramePopList.widget();
        probe.allow([row, list](const QWidget* target, const QWidget* over) {
                        return row->isAncestorOf(target) && over && (over == list || list->isAncestorOf(over));
                    },
                    QStringLiteral("narrow window: many tabs do not fit right of the Tab List; the row moves left so "
                                   "that its Close group stays on screen, and the list's Hide uncovers the first tabs"));
    }

    void walk(const QString& state)
    {
        layoutprobe::settle();
        const QString name = QStringLiteral("%1x%2 screen, window %3x%4, %5 tabs %6")
                                 .arg(m_screen.width())
                                 .arg(m_screen.height())
                                 .arg(w->window()->width())
                                 .arg(w->window()->height())
                                 .arg(w->PopTabCount)
                                 .arg(state);
        layoutprobe::shot(w->window(), QStringLiteral("window %1").arg(name));
        Probe probe(w->window());
        allowances(probe);
        const QStringList faults = probe.walk();
        EXPECT_GT(probe.checkedCount(), 5) << name.toStdString();
        for (const QString& fault : faults)
            ADD_FAILURE() << name.toStdString() << ": " << fault.toStdString();
        ++m_walks;
    }

    std::vector<Scene> scenes()
    {
        std::vector<Scene> list;
        auto none = [] {};
        list.push_back({QStringLiteral("resting"), [] { return true; }, none});
        list.push_back({QStringLiteral("Tab List hidden"), [this] { return w->FramePopList.isVisible() && w->CommandPopListHide.click(); }, none});
        list.push_back({QStringLiteral("Tab List kept hidden"), [this] { return w->PopTabCount > 0 && w->CheckPopList.click(); },
                        [this] { w->CheckPopList.click(); }});
        list.push_back({QStringLiteral("own page shown"), [this] { return w->PopOnTab && w->CommandPopNew[0].click(); },
                        [this] { w->CommandPopNew[w->PopTabLastIndex].click(); }});
        list.push_back({QStringLiteral("a long name"),
                        [this] {
                            // A title longer than a Tab List line: it must end in "…".
                            complete(*w, w->PopTabCurrent, QStringLiteral("http://a-host-name-far-too-long-for-the-list.velmora.example/"));
                            return w->PopTabCount > 0;
                        },
                        none});
        list.push_back({QStringLiteral("create tab"), [this] { return panel(w->CommandPopCreateTab, 0); }, none});
        list.push_back({QStringLiteral("page bookmarked"), [this] { return panel(w->CommandPopBookmark, 3); }, none});
        list.push_back({QStringLiteral("page already bookmarked"),
                        [this] {
                            corvane::BookmarkAdd(*app, QStringLiteral("Here"), w->shownBrowser()->locationURL());
                            return panel(w->CommandPopBookmark, 2);
                        },
                        none});
        list.push_back({QStringLiteral("bookmark this page"),
                        [this] {
                            freshPage();
                            w->PopTabTitles[w->PopTabCurrent].clear();
                            return panel(w->CommandPopBookmark, 1);
                        },
                        [this] { w->PopTitlePending = true; }});
        list.push_back({QStringLiteral("keep note"), [this] { return panel(w->CommandPopNote, 4); }, none});
        list.push_back({QStringLiteral("long note"),
                        [this] {
                            if (!panel(w->CommandPopNote, 4))
                                return false;
                            w->LabelPopNote[1].setVisible(true);
                            w->LabelPopNote[1].setCaption(QString(150, QLatin1Char('w')));
                            w->TextPopNote[1].setVisible(false);
                            return true;
                        },
                        none});
        list.push_back({QStringLiteral("note shown by itself"),
                        [this] {
                            const QString address = w->shownBrowser()->locationURL();
                            app->panel.NoteEditing = false;
                            corvane::NoteAdd(*app, address, QStringLiteral("Read the second part next time."));
                            app->lists.ShowNotes = true;
                            complete(*w, w->PopTabCurrent, address);
                            // The page's note stands at its fixed place until the user hides it,
                            // over the band as a panel the user opened.
                            opened.push_back(w->FrameSmallPop[4].widget());
                            return w->FrameSmallPop[4].isVisible();
                        },
                        [this] {
                            app->lists.ShowNotes = false;
                            app->panel.CurrentNoteIndex = corvane::NoteFindForPage(*app, w->shownBrowser()->locationURL());
                            corvane::NoteRemove(*app);
                        }});
        list.push_back({QStringLiteral("set as home page"), [this] { return panel(w->CommandPopMakeHome, 5); }, none});
        list.push_back({QStringLiteral("select tabs"), [this] { return panel(w->CommandPopClose[2], 6); }, none});
        list.push_back({QStringLiteral("full window"), [this] { return w->CommandFullPop.click(); }, none});
        list.push_back({QStringLiteral("full window one row"),
                        [this] { return w->CommandFullPop.click() && w->CommandPopComTab.click() && w->FramePopCommon.height() == 27; },
                        none});
        list.push_back({QStringLiteral("full window controls"), [this] { return w->CommandFullPop.click() && w->CommandPopZero.click(); },
                        none});
        list.push_back({QStringLiteral("full window one row controls"),
                        [this] {
                            return w->CommandFullPop.click() && w->CommandPopComTab.click() && w->FramePopCommon.height() == 27 &&
                                   w->CommandPopZero.click();
                        },
                        none});
        list.push_back({QStringLiteral("full window without the bar"),
                        [this] { return w->CommandFullPop.click() && w->CommandPopZero.click() && w->CommandPopCommon.click(); },
                        none});
        for (int i = 0; i <= 2; ++i)
            list.push_back({QStringLiteral("full window page panel %1").arg(i),
                            [this, i] {
                                const int panels[] = {3, 4, 5};
                                freshPage();
                                return w->CommandFullPop.click() && w->CommandPopZero.click() && panel(w->CommandPopPage[i], panels[i]);
                            },
                            none});
        list.push_back({QStringLiteral("full window create tab"),
                        [this] { return w->CommandFullPop.click() && w->CommandPopZero.click() && panel(w->CommandPopOne[2], 0); },
                        none});
        list.push_back({QStringLiteral("full window select tabs"),
                        [this] { return w->CommandFullPop.click() && w->PopTabCount > 1 && panel(w->CommandPopComClose[2], 6); },
                        none});
        return list;
    }

    void walkEveryState()
    {
        const auto all = scenes();
        for (int tabs : {0, 1, 3, 12, 13, 24}) {
            openTabsUpTo(tabs);
            rest();
            for (const Scene& scene : all) {
                opened.clear();
                if (scene.enter()) {
                    walk(scene.name);
                    scene.leave();
                }
                rest();
            }
        }
        for (int tabs = 2; tabs <= frmWeb::MaxPopTabs; ++tabs) {
            // Only the panel's own case: the tabs are closed and opened again so that the
            // panel meets every number.
            w->CommandPopClose[0].click();
            openTabsUpTo(tabs);
            rest();
            if (panel(w->CommandPopClose[2], 6))
                walk(QStringLiteral("select tabs"));
            else
                ADD_FAILURE() << "Select Tabs did not open with " << tabs << " tabs";
            rest();
        }
        EXPECT_GT(m_walks, 100);
    }

    // A real click of the left button where the user sees c.
    void clickOnScreen(const vb::Control& c)
    {
        QWidget* window = w->window();
        const QPoint at = c.widget()->mapTo(window, c.widget()->rect().center());
        QWidget* hit = window->childAt(at);
        ASSERT_TRUE(hit == c.widget() || c.widget()->isAncestorOf(hit)) << layoutprobe::describe(c.widget(), window).toStdString()
                                                                         << " lies under " << layoutprobe::describe(hit, window).toStdString();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    }

    frmWeb* w = nullptr;
    QSize m_screen;
    std::vector<const QWidget*> opened;
    int m_walks = 0;
    int m_fresh = 0;
};

TEST_F(WindowLayoutTest, EveryStateOnA1024By768Screen)
{
    openOn(1024, 768);
    walkEveryState();
}

TEST_F(WindowLayoutTest, EveryStateOnAn800By600Screen)
{
    frmWeb& window = openOn(800, 600);
    // The window is no larger than the screen leaves room for.
    EXPECT_LE(window.window()->frameGeometry().width(), 800);
    EXPECT_LE(window.width(), 800 * 15);
    walkEveryState();
}

// The window keeps a smallest size of its own (the window manager keeps it too): asked to
// be smaller, it stays at that size, where every control of its bars is whole with 24 tabs.
TEST_F(WindowLayoutTest, EveryStateAtTheSmallestSizeTheWindowKeeps)
{
    openOn(1280, 1024);
    const QSize smallest = w->window()->minimumSize();
    ASSERT_EQ(smallest, w->SmallestClientSize());
    w->window()->resize(500, 300);
    layoutprobe::settle();
    ASSERT_EQ(w->window()->size(), smallest);
    ASSERT_EQ(w->PopWidth, smallest.width() + 8);
    walkEveryState();
}

TEST_F(WindowLayoutTest, EveryStateOnA1280By1024Screen)
{
    openOn(1280, 1024, false);
    walkEveryState();
}

// Three tabs opened by a page, the Tab List shown by itself as it is by default: the tab
// buttons, the Close group and the page buttons take a real click and do their job.
TEST_F(WindowLayoutTest, TabAndPageButtonsTakeRealClicksBesideTheTabList)
{
    openOn(1024, 768);
    openTabsUpTo(3);
    ASSERT_TRUE(w->FramePopList.isVisible());
    ASSERT_EQ(w->PopTabCurrent, 3);

    clickOnScreen(w->CommandPopNew[1]);
    EXPECT_EQ(w->PopTabCurrent, 1);
    clickOnScreen(w->CommandPopNew[0]);
    EXPECT_EQ(w->PopTabCurrent, 0);
    clickOnScreen(w->CommandPopNew[2]);
    EXPECT_EQ(w->PopTabCurrent, 2);
    ASSERT_TRUE(w->FramePopList.isVisible());

    // The page buttons: bookmarked at once, then the note and home-page panels.
    const int marks = app->hid.ComboMarkAddress.ListCount();
    clickOnScreen(w->CommandPopBookmark);
    EXPECT_TRUE(w->FrameSmallPop[3].isVisible());
    EXPECT_EQ(app->hid.ComboMarkAddress.ListCount(), marks + 1);
    clickOnScreen(w->CommandPopNote);
    EXPECT_TRUE(w->FrameSmallPop[4].isVisible());
    clickOnScreen(w->CommandPopMakeHome);
    EXPECT_TRUE(w->FrameSmallPop[5].isVisible());
    EXPECT_EQ(w->TextPopHome.text(), site(2));
    clickOnScreen(w->CommandPopHomeCancel);
    EXPECT_FALSE(w->FrameSmallPop[5].isVisible());

    // Select opens the panel whole inside the window.
    clickOnScreen(w->CommandPopClose[2]);
    ASSERT_TRUE(w->FrameSmallPop[6].isVisible());
    EXPECT_TRUE(w->window()->rect().contains(w->FrameSmallPop[6].widget()->geometry()));
    clickOnScreen(w->CommandPopSelectClose[0]);
    EXPECT_FALSE(w->FrameSmallPop[6].isVisible());

    // "#2" closes the shown tab, "All" the others.
    ASSERT_EQ(w->LabelPopClose[1].caption(), QStringLiteral("#2"));
    clickOnScreen(w->CommandPopClose[1]);
    EXPECT_EQ(w->PopTabCount, 2);
    EXPECT_FALSE(w->PopTabSlotUsed[2]);
    clickOnScreen(w->CommandPopNew[3]);
    ASSERT_TRUE(w->FramePopList.isVisible());
    clickOnScreen(w->CommandPopClose[0]);
    EXPECT_EQ(w->PopTabCount, 0);
}

// With two tabs the Select Tabs panel, which ends left of the tab row's end, lies whole in
// the window with every box and button on screen.
TEST_F(WindowLayoutTest, SelectTabsWithTwoTabsIsWholeOnScreen)
{
    openOn(1024, 768);
    openTabsUpTo(2);
    clickOnScreen(w->CommandPopClose[2]);
    const QWidget* panel = w->FrameSmallPop[6].widget();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_GE(panel->x(), 0);
    EXPECT_TRUE(w->window()->rect().contains(panel->geometry()));
    clickOnScreen(w->CheckSelectPopTab[1]);
    clickOnScreen(w->CommandPopSelectClose[2]);
    EXPECT_FALSE(w->FrameSmallPop[6].isVisible());
    EXPECT_TRUE(corvane::BookmarkExists(*app, site(1)));
}

// Closing the highest tab takes its line out of the Tab List, also when the list had room
// for one more line.
TEST_F(WindowLayoutTest, ClosingTheHighestTabTakesItsLineOutOfTheTabList)
{
    openOn(1024, 768);
    openTabsUpTo(3);
    ASSERT_TRUE(w->TextPopList[3].widget()->isVisibleTo(w->window()));
    // Each line has its tab's whole title as its tool tip.
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(w->TextPopList[i].widget()->toolTip(), w->PopTabTitles[i]) << i;
    clickOnScreen(w->CommandPopClose[1]);
    ASSERT_EQ(w->PopTabLastIndex, 2);
    clickOnScreen(w->CommandPopNew[2]);
    ASSERT_TRUE(w->FramePopList.isVisible());
    EXPECT_FALSE(w->TextPopList[3].widget()->isVisibleTo(w->window()));
    EXPECT_TRUE(w->TextPopList[2].widget()->isVisibleTo(w->window()));
}

} // namespace

namespace {

// The location box takes the width the window gains: row 1 ends just before the user
// picture, or before the window buttons without one, at every width from the smallest
// the window keeps to a maximised window on a large screen.
TEST_F(WindowLayoutTest, TheLocationBoxStretchesWithTheWindow)
{
    for (bool withPicture : {true, false}) {
        SCOPED_TRACE(withPicture ? "with a picture" : "without a picture");
        openOn(1280, 1024, withPicture);
        int lastBox = 0;
        for (int width : {w->SmallestClientSize().width(), 880, 1024, 1272}) {
            SCOPED_TRACE(width);
            w->window()->resize(width, 600);
            layoutprobe::settle();
            const QWidget* row = w->FramePopMainBut[0].widget();
            const QWidget* end = w->ImagePopUser.isVisible() ? w->ImagePopUser.widget() : w->FrameClose.widget();
            EXPECT_EQ(w->ImagePopUser.isVisible(), withPicture);
            EXPECT_GE(end->x() - (row->x() + row->width()), 0) << "row 1 runs into what stands right of it";
            EXPECT_LE(end->x() - (row->x() + row->width()), 8) << "row 1 leaves room empty";
            const int box = w->ComboPopLocation[0].widget()->width();
            EXPECT_GT(box, lastBox);
            lastBox = box;
        }
        w->CommandClosePop_Click();
        testsupport::flushDeferredDeletes();
        app->profile.UserPicturePath.clear();
    }
}

} // namespace
