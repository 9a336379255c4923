// The main window laid out in every state a user reaches, walked as a user meets it (see
// LayoutProbe.h): all of each control on screen is whole in its frame and under nothing
// the user did not open, each caption fits its box, a Tab List name is whole or ends in
// "…", what a panel opens over (the Tab List's lines, the tabs' numbers) is covered whole
// or not shown, and the panels stay inside the window. States: no tab, 1, 3, 12, 14, 15
// and 24 tabs; the Tab List shown and hidden; each menu and panel open; the bookmark
// browser; full-window mode with one and with two rows; on screens of 800 x 600, 1024 x 768
// and 1280 x 1024, and at the smallest size the window keeps. The key roads get real clicks
// at the point on screen as well.

#include "ActiveProgram.h"
#include "TabsFixture.h"

#include "LayoutProbe.h"

#include <QImage>
#include <QTest>
#include <QWindow>

using corvane::BookmarkBrowserIndex;
using layoutprobe::Probe;

namespace {

struct ScreenSize {
    int width;
    int height;
};

// A scene: brings the window from its resting state into one state a user reaches, and
// back. enter() returns false when the scene does not apply to the tabs now open.
struct Scene {
    QString name;
    std::function<bool()> enter;
    std::function<void()> leave;
};

class MainLayoutTest : public tabstest::TabsFixture {
protected:
    // Start-up on a screen of the given size: six main browsers, two other programs of the
    // maker in the Run box, a user picture, two bookmarks; the window maximised on it.
    void startOn(ScreenSize screen, bool withPicture = true, bool pageButtons = false)
    {
        m_screen = screen;
        app->rt.setScreen({screen.width * 15, screen.height * 15, 15, 15});
        for (const QString& name : {QStringLiteral("Drimsel"), QStringLiteral("Ostrade")})
            corvanetest::registerProgram(*app, name, dir.filePath(QStringLiteral("maker/") + name));
        if (withPicture) {
            const QString picture = dir.filePath(QStringLiteral("me.png"));
            QImage image(150, 100, QImage::Format_RGB32);
            image.fill(QColor(0x50, 0x80, 0xb0));
            ASSERT_TRUE(image.save(picture));
            app->profile.UserPicturePath = picture;
            app->profile.UserPictureCaption = QStringLiteral("myFriend's Picture");
        }
        app->opt.ShowPageButtons = pageButtons;
        start(5);
        // Maximised on that screen: the whole width, the height less a title bar and a panel.
        // (The test platform's own screen is smaller: the window leaves its maximised state
        // to take the size it would have on that screen.)
        f().window()->setWindowState(Qt::WindowNoState);
        f().window()->setGeometry(0, 0, screen.width, screen.height - 56);
        layoutprobe::settle();
        corvane::BookmarkAdd(*app, QStringLiteral("Mark One"), QStringLiteral("http://mark1.velmora.example/"));
        corvane::BookmarkAdd(*app, QStringLiteral("Mark Two"), QStringLiteral("http://mark2.velmora.example/"));
    }

    // Opens tabs from the page on screen until n are open (the last one opened is current).
    void openTabsUpTo(int n)
    {
        // Pages the scenes sent browsers to never arrive on the scripted engine; the guard they
        // raised would refuse the new windows.
        s().PopupGuard = false;
        while (s().TabCount < n) {
            const int slot = openTab(tabstest::tabPage(s().TabCount + 1));
            ASSERT_GE(slot, 1) << "tab " << s().TabCount + 1;
        }
    }

    void slideToEnd()
    {
        for (int i = 0; s().SlideActive && i < 20; ++i)
            f().TimerMainFrame.fire();
    }

    // Some of c is on screen (a control may be visible by its own flag but lie outside
    // what its frame shows).
    bool onScreen(const vb::Control& c) const
    {
        const QWidget* window = f().window();
        const QWidget* w = c.widget();
        if (!w->isVisibleTo(window))
            return false;
        QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            r &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
        return !r.isEmpty();
    }

    // The user opens a menu from the bar on screen (normal band, or Controls bar).
    bool openMenu(int i)
    {
        vb::CommandButton& b = s().FullWindowMode ? f().CommandOne[i] : f().CommandMenu[i];
        if (!b.click())
            return false;
        slideToEnd();
        opened.push_back(f().FrameMenu[i].widget());
        return f().FrameMenu[i].isVisible();
    }
    bool item(vb::CommandButton& b, vb::Frame& panel)
    {
        if (!b.click())
            return false;
        slideToEnd();
        opened.push_back(panel.widget());
        return panel.isVisible();
    }

    void closeBookmarkBrowser()
    {
        if (s().FullWindowMode)
            corvane::FullWindowSet(*app, false);
        if (s().BookmarkBrowserOpen)
            f().BookmarkBrowserClose();
    }

    // The resting state: no menu or panel the user opened, the menus pinned as the display
    // leaves them, the normal window.
    void rest()
    {
        closeBookmarkBrowser();
        corvane::CurrentBrowserShow(*app);
        slideToEnd();
        opened.clear();
    }

    // The bookmark browser opened from the Open menu, as the user does it; the menu closes
    // again with the display's refresh.
    bool openBookmarkBrowserFromMenu()
    {
        if (!openMenu(1) || !f().CommandOpen[4].click())
            return false;
        corvane::CurrentBrowserShow(*app);
        opened.clear();
        return s().BookmarkBrowserOpen;
    }

    // The overlaps this window accepts, each with its reason, and what must be whole.
    void allowances(Probe& probe)
    {
        // A menu or panel the user opened lies over what is under it until it closes, as a
        // drop-down does; what it holds is walked like everything else.
        for (const QWidget* w : opened)
            probe.allowUnder(w, QStringLiteral("opened by the user on top of the window"));
        // The Tab List's names, and the numbers of the tab rows, are whole or not shown.
        for (int i = 1; i <= corvane::MaxTabs; ++i) {
            probe.nameLine(f().TextWebList[i].widget());
            probe.keepWhole(f().TextWebList[i].widget());
        }
        for (auto* labels : {&f().LabelWebNew, &f().LabelWebComNew, &f().LabelWebClose, &f().LabelWebComClose})
            for (int i : labels->indices())
                probe.keepWhole((*labels)[i].widget());
        probe.keepWhole(f().LabelWebCloseHead.widget());
        // The location boxes show where an address begins.
        probe.startShown(f().ComboLocation.widget());
        probe.startShown(f().ComboComLocation.widget());
        for (int i : f().ComboWebLocation.indices())
            probe.startShown(f().ComboWebLocation[i].widget());

        // A window on a screen smaller than the program asks for (it says so at start) is
        // smaller than the size the window keeps otherwise: the band's rows lack room.
        if (f().window()->width() >= f().SmallestClientSize().width())
            return;
        const QWidget* bar = f().FrameCommon.widget();
        probe.allow([bar](const QWidget* target, const QWidget* over) { return target == bar && !over; },
                    QStringLiteral("narrow window: the full-window bar keeps its width; its empty right end lies past "
                                   "the edge, everything it holds within the first 760 pixels"));
        const QWidget* row = f().FrameWebNew.widget();
        const QWidget* list = f().FrameMenu[5].widget();
        probe.allow([row, list](const QWidget* target, const QWidget* over) {
                        return row->isAncestorOf(target) && over && (over == list || list->isAncestorOf(over));
                    },
                    QStringLiteral("narrow window: 18 tabs or more do not fit right of the Tab List; the row moves "
                                   "left so that its Close group stays on screen, and the list's Hide uncovers the "
                                   "first tabs"));
    }

    // Walks the window in its present state; the state's name heads every fault.
    void walk(const QString& state)
    {
        layoutprobe::settle();
        const QString name = QStringLiteral("%1x%2 window %3x%4 %5 tabs %6")
                                 .arg(m_screen.width)
                                 .arg(m_screen.height)
                                 .arg(f().window()->width())
                                 .arg(f().window()->height())
                                 .arg(s().TabCount)
                                 .arg(state);
        layoutprobe::shot(f().window(), QStringLiteral("main %1").arg(name));
        Probe probe(f().window());
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
        list.push_back({QStringLiteral("Tab List hidden"),
                        [this] { return f().FrameMenu[5].isVisible() && f().CommandListHide.click(); }, none});
        list.push_back({QStringLiteral("Tab List kept hidden"),
                        [this] { return s().TabCount > 0 && f().CheckWebList.click(); },
                        [this] { f().CheckWebList.click(); }});
        list.push_back({QStringLiteral("main browser current"),
                        [this] { return s().TabBrowserCurrent && f().CommandWebNew[s().TabCurrentIndex].click(); },
                        [this] { f().CommandWebNew[s().TabLastIndex].click(); }});
        for (int i = 0; i <= 5; ++i)
            list.push_back({QStringLiteral("menu %1 open").arg(i),
                            [this, i] { return s().MenuOpenIndex != i && openMenu(i); }, none});
        // The panels the menus open.
        list.push_back({QStringLiteral("page bookmarked"),
                        [this] { return openMenu(0) && item(f().CommandPage[1], f().FrameDoneBookmark); }, none});
        list.push_back({QStringLiteral("page already bookmarked"),
                        [this] {
                            return openMenu(0) && f().CommandPage[1].click() && f().CommandPage[1].click() &&
                                   item(f().CommandPage[1], f().FrameAlreadyBookmarked);
                        },
                        none});
        list.push_back({QStringLiteral("bookmark this page"),
                        [this] {
                            if (!openMenu(0))
                                return false;
                            const QPoint at = f().PanelPoint();
                            f().FrameMark.move(at.x(), at.y());
                            f().FrameMark.setVisible(true);
                            opened.push_back(f().FrameMark.widget());
                            return true;
                        },
                        none});
        list.push_back({QStringLiteral("keep note"), [this] { return openMenu(0) && item(f().CommandPage[2], f().FrameNote); }, none});
        list.push_back({QStringLiteral("long note"),
                        [this] {
                            if (!openMenu(0) || !item(f().CommandPage[2], f().FrameNote))
                                return false;
                            f().LabelNote[1].setVisible(true);
                            f().LabelNote[1].setCaption(QString(150, QLatin1Char('w')));
                            f().TextNote[1].setVisible(false);
                            return true;
                        },
                        none});
        list.push_back({QStringLiteral("note shown by itself"),
                        [this] {
                            const QString address = f().currentBrowser()->locationURL();
                            app->panel.NoteEditing = false;
                            corvane::NoteAdd(*app, address, QStringLiteral("Read the second part next time."));
                            app->lists.ShowNotes = true;
                            s().PageChanged = true;
                            corvane::CurrentBrowserShow(*app);
                            return f().FrameNote.isVisible();
                        },
                        [this] {
                            app->lists.ShowNotes = false;
                            app->panel.CurrentNoteIndex = corvane::NoteFindForPage(*app, f().currentBrowser()->locationURL());
                            corvane::NoteRemove(*app);
                        }});
        list.push_back({QStringLiteral("set as home page"), [this] { return openMenu(0) && item(f().CommandPage[3], f().FrameHome); }, none});
        list.push_back({QStringLiteral("create tab"), [this] { return openMenu(1) && item(f().CommandOpen[2], f().FrameCreate); }, none});
        list.push_back({QStringLiteral("create browser"), [this] { return openMenu(1) && item(f().CommandOpen[3], f().FrameCreate); }, none});
        list.push_back({QStringLiteral("note"), [this] { return openMenu(2) && item(f().CommandView[1], f().FrameNote); }, none});
        list.push_back({QStringLiteral("choices"), [this] { return openMenu(2) && item(f().CommandView[2], f().FrameChoice); }, none});
        list.push_back({QStringLiteral("change name"),
                        [this] {
                            return openMenu(2) && item(f().CommandView[2], f().FrameChoice) && item(f().CommandChoice[1], f().FrameName);
                        },
                        none});
        list.push_back({QStringLiteral("report bug"), [this] { return openMenu(3) && item(f().CommandTools[3], f().FrameMail); }, none});
        list.push_back({QStringLiteral("about"), [this] { return openMenu(4) && item(f().CommandHelp[5], f().FrameAbout); }, none});
        list.push_back({QStringLiteral("you are viewing this browser"),
                        [this] {
                            if (!s().MainBrowserCurrent || !f().CommandShowBrowser[s().MainBrowserIndex].click())
                                return false;
                            opened.push_back(f().FrameActiveBrow.widget());
                            return f().FrameActiveBrow.isVisible();
                        },
                        none});
        list.push_back({QStringLiteral("select tabs"),
                        [this] { return onScreen(f().CommandWebClose[2]) && item(f().CommandWebClose[2], f().FrameWebSelectClose); },
                        none});
        list.push_back({QStringLiteral("run box"), [this] { return item(f().CommandRun, f().FrameRun); }, none});
        // The bookmark browser, its panel and the rename panel.
        list.push_back({QStringLiteral("bookmark browser"), [this] { return openMenu(1) && f().CommandOpen[4].click(); },
                        [this] { closeBookmarkBrowser(); }});
        list.push_back({QStringLiteral("bookmark panel"),
                        [this] { return openBookmarkBrowserFromMenu() && item(f().CommandShowBookmark, f().FrameBookmark); },
                        [this] { closeBookmarkBrowser(); }});
        list.push_back({QStringLiteral("rename bookmark"),
                        [this] {
                            return openBookmarkBrowserFromMenu() && item(f().CommandShowBookmark, f().FrameBookmark) &&
                                   item(f().CommandBookmark[2], f().FrameRename);
                        },
                        [this] { closeBookmarkBrowser(); }});
        list.push_back({QStringLiteral("bookmark browser menu 0"),
                        [this] { return openBookmarkBrowserFromMenu() && openMenu(0); },
                        [this] { closeBookmarkBrowser(); }});
        // Full-window mode.
        list.push_back({QStringLiteral("full window"), [this] { return f().CommandFullBrow.click(); }, none});
        list.push_back({QStringLiteral("full window one row"),
                        [this] { return f().CommandFullBrow.click() && f().CommandComTab.click() && f().FrameCommon.height() == 29; },
                        none});
        list.push_back({QStringLiteral("full window controls"),
                        [this] { return f().CommandFullBrow.click() && f().CommandZero.click(); }, none});
        list.push_back({QStringLiteral("full window one row controls"),
                        [this] {
                            return f().CommandFullBrow.click() && f().CommandComTab.click() && f().FrameCommon.height() == 29 &&
                                   f().CommandZero.click();
                        },
                        none});
        list.push_back({QStringLiteral("full window browsers"),
                        [this] {
                            return f().CommandFullBrow.click() && f().CommandZero.click() &&
                                   item(f().CommandOne[7], f().FrameBrowser);
                        },
                        none});
        for (int i = 0; i <= 5; ++i)
            list.push_back({QStringLiteral("full window menu %1").arg(i),
                            [this, i] { return f().CommandFullBrow.click() && f().CommandZero.click() && openMenu(i); }, none});
        list.push_back({QStringLiteral("full window run box"),
                        [this] { return f().CommandFullBrow.click() && f().CommandZero.click() && item(f().CommandOne[9], f().FrameRun); },
                        none});
        list.push_back({QStringLiteral("full window select tabs"),
                        [this] {
                            return f().CommandFullBrow.click() && onScreen(f().CommandWebComClose[2]) &&
                                   item(f().CommandWebComClose[2], f().FrameWebSelectClose);
                        },
                        none});
        list.push_back({QStringLiteral("full window bookmark panel"),
                        [this] {
                            if (!f().CommandFullBrow.click() || !f().CommandZero.click() || !openMenu(1) || !f().CommandOpen[4].click())
                                return false;
                            opened.clear();
                            return f().CommandZero.click() && item(f().CommandOne[8], f().FrameBookmark);
                        },
                        [this] { closeBookmarkBrowser(); }});
        return list;
    }

    // Every scene at every number of tabs (14 and 15 on both sides of the picture's
    // smaller layout).
    void walkEveryState()
    {
        const auto all = scenes();
        for (int tabs : {0, 1, 3, 12, 14, 15, 24}) {
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
        EXPECT_GT(m_walks, 150);
    }

    // Select Tabs with every number of tabs from 2 to 24, from both bars.
    void walkSelectTabs()
    {
        for (int tabs = 2; tabs <= corvane::MaxTabs; ++tabs) {
            openTabsUpTo(tabs);
            rest();
            if (item(f().CommandWebClose[2], f().FrameWebSelectClose))
                walk(QStringLiteral("select tabs"));
            else
                ADD_FAILURE() << "Select Tabs did not open with " << tabs << " tabs";
            rest();
            if (f().CommandFullBrow.click() && item(f().CommandWebComClose[2], f().FrameWebSelectClose))
                walk(QStringLiteral("full window select tabs"));
            else
                ADD_FAILURE() << "Select Tabs did not open in full-window mode with " << tabs << " tabs";
            rest();
        }
    }

    // A real click of the left button where the user sees c: the window system hands it to
    // the widget on top at that point.
    void clickOnScreen(const vb::Control& c)
    {
        QWidget* window = f().window();
        const QPoint at = c.widget()->mapTo(window, c.widget()->rect().center());
        QWidget* hit = window->childAt(at);
        ASSERT_TRUE(hit == c.widget() || c.widget()->isAncestorOf(hit)) << layoutprobe::describe(c.widget(), window).toStdString()
                                                                         << " lies under " << layoutprobe::describe(hit, window).toStdString();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        slideToEnd();
    }

    ScreenSize m_screen{1024, 768};
    std::vector<const QWidget*> opened;
    int m_walks = 0;
};

TEST_F(MainLayoutTest, EveryStateOnA1024By768Screen)
{
    startOn({1024, 768});
    walkEveryState();
    walkSelectTabs();
}

// Three tabs opened by a page, the Tab List shown by itself as it is by default: the tab
// buttons and the Close group take a real click and do their job.
TEST_F(MainLayoutTest, TabButtonsAndCloseButtonsTakeRealClicksBesideTheTabList)
{
    startOn({1024, 768});
    openTabsUpTo(3);
    ASSERT_TRUE(f().FrameMenu[5].isVisible());
    ASSERT_EQ(s().TabCurrentIndex, 3);
    // Each Tab List line has its tab's whole title as its tool tip.
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(f().TextWebList[i].widget()->toolTip(), s().TabTitles[i]) << i;

    clickOnScreen(f().CommandWebNew[1]);
    EXPECT_EQ(s().TabCurrentIndex, 1);
    clickOnScreen(f().CommandWebNew[2]);
    EXPECT_EQ(s().TabCurrentIndex, 2);
    // The current tab's own button leaves the tabs; the list is no longer pinned then.
    clickOnScreen(f().CommandWebNew[2]);
    EXPECT_TRUE(s().MainBrowserCurrent);
    clickOnScreen(f().CommandWebNew[3]);
    EXPECT_EQ(s().TabCurrentIndex, 3);
    ASSERT_TRUE(f().FrameMenu[5].isVisible());

    // Select opens the Select Tabs panel whole inside the window; its Cancel/Hide closes it.
    clickOnScreen(f().CommandWebClose[2]);
    ASSERT_TRUE(f().FrameWebSelectClose.isVisible());
    EXPECT_TRUE(f().window()->rect().contains(f().FrameWebSelectClose.widget()->geometry()));
    clickOnScreen(f().CheckSelectWebTab[1]);
    EXPECT_EQ(f().CheckSelectWebTab[1].value(), 1);
    clickOnScreen(f().CommandWebSelectClose[0]);
    EXPECT_FALSE(f().FrameWebSelectClose.isVisible());

    // "#3" closes the current tab, "All" the others.
    ASSERT_EQ(f().LabelWebClose[1].caption(), QStringLiteral("#3"));
    clickOnScreen(f().CommandWebClose[1]);
    EXPECT_EQ(s().TabCount, 2);
    EXPECT_FALSE(s().TabSlotUsed[3]);
    clickOnScreen(f().CommandWebNew[1]);
    ASSERT_TRUE(f().FrameMenu[5].isVisible());
    clickOnScreen(f().CommandWebClose[0]);
    EXPECT_EQ(s().TabCount, 0);
    EXPECT_TRUE(s().MainBrowserCurrent);
}

// The Page menu's Bookmark, Keep Note and Set As Home Page, opened beside the Tab List.
TEST_F(MainLayoutTest, PageMenuItemsTakeRealClicksBesideTheTabList)
{
    startOn({1024, 768});
    openTabsUpTo(3);
    ASSERT_TRUE(f().FrameMenu[5].isVisible());
    const int marks = app->hid.ComboMarkAddress.ListCount();

    clickOnScreen(f().CommandMenu[0]);
    ASSERT_TRUE(f().FrameMenu[0].isVisible());
    clickOnScreen(f().CommandPage[1]);
    EXPECT_TRUE(f().FrameDoneBookmark.isVisible());
    EXPECT_EQ(app->hid.ComboMarkAddress.ListCount(), marks + 1);

    clickOnScreen(f().CommandPage[2]);
    EXPECT_TRUE(f().FrameNote.isVisible());
    clickOnScreen(f().CommandPage[2]);
    EXPECT_FALSE(f().FrameNote.isVisible());

    clickOnScreen(f().CommandPage[3]);
    EXPECT_TRUE(f().FrameHome.isVisible());
    EXPECT_EQ(f().TextHome.text(), tabstest::tabPage(3));
}

// The menus that stay open by themselves (the Page menu by the option, the Tab List while a
// tab is current) come back to their places in the band after full-window mode opened them
// under the Controls bar.
TEST_F(MainLayoutTest, MenusThatStayOpenReturnToTheBandAfterFullWindowMode)
{
    startOn({1024, 768}, false, true);
    ASSERT_TRUE(f().FrameMenu[0].isVisible());
    const QPoint pageMenu(f().CommandMenu[0].left() / 15, 32);
    EXPECT_EQ(QPoint(f().FrameMenu[0].left(), f().FrameMenu[0].top()), pageMenu);
    ASSERT_TRUE(f().CommandFullBrow.click());
    ASSERT_TRUE(f().CommandZero.click());
    ASSERT_TRUE(openMenu(0));
    ASSERT_GT(f().FrameMenu[0].top(), 100);
    ASSERT_TRUE(f().CommandOne[10].click());
    ASSERT_TRUE(f().FrameMenu[0].isVisible());
    EXPECT_EQ(QPoint(f().FrameMenu[0].left(), f().FrameMenu[0].top()), pageMenu);

    openTabsUpTo(1);
    ASSERT_TRUE(f().CommandFullBrow.click());
    ASSERT_TRUE(f().CommandZero.click());
    ASSERT_TRUE(openMenu(5));
    ASSERT_TRUE(f().CommandOne[10].click());
    ASSERT_TRUE(f().FrameMenu[5].isVisible());
    EXPECT_EQ(f().FrameMenu[5].left(), 0);
    EXPECT_EQ(f().FrameMenu[5].top(), 108 - (f().FrameMenu[5].height() + 3));
}

// The window keeps a smallest size of its own (the window manager keeps it too): asked to
// be smaller, it stays at that size, where every control of its bars is whole with 24 tabs.
TEST_F(MainLayoutTest, EveryStateAtTheSmallestSizeTheWindowKeeps)
{
    startOn({1280, 1024});
    const QSize smallest = f().window()->minimumSize();
    ASSERT_EQ(smallest, f().SmallestClientSize());
    f().window()->resize(600, 300);
    layoutprobe::settle();
    ASSERT_EQ(f().window()->size(), smallest);
    ASSERT_EQ(s().MainWindowWidth, smallest.width() + 8);
    walkEveryState();
}

TEST_F(MainLayoutTest, EveryStateOnAn800By600Screen)
{
    startOn({800, 600});
    walkEveryState();
    walkSelectTabs();
}

TEST_F(MainLayoutTest, EveryStateOnA1280By1024Screen)
{
    startOn({1280, 1024}, false, true);
    walkEveryState();
    walkSelectTabs();
}

} // namespace
