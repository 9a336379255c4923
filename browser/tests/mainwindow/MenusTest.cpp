// The drop-down menus: opening, closing and moving them, their slide-out, their places,
// the items of the Current Web Page, View and Tools menus, the Run box's Cancel and the
// About banner's movement.

#include "MenusFixture.h"

#include "ControlBookmark.h"
#include "Constants.h"
#include "UserInput.h"

namespace menustest {
namespace {

using namespace Qt::StringLiterals;
using corvane::BookmarkAdd;
using corvane::NoteAdd;

class MenusTest : public MenusFixture {};

// ---------------------------------------------------------------------------------------
// Opening, closing, sliding

TEST_F(MenusTest, MenuSlidesFromItsStartSizeToFullSizeInSixTicks)
{
    start();
    ASSERT_TRUE(f().CommandMenu[0].click());
    vb::Frame& menu = f().FrameMenu[0];
    EXPECT_EQ(s().MenuOpenIndex, 0);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(hasFace(f().CommandMenu[0], 3));
    EXPECT_EQ(menu.top(), 32);
    EXPECT_EQ(menu.left(), f().CommandMenu[0].left() / 15);
    EXPECT_EQ(menu.width(), 37);
    EXPECT_EQ(menu.height(), 8);
    EXPECT_TRUE(f().TimerMainFrame.isEnabled());

    const int widths[] = {67, 97, 127, 157, 187, 217};
    const int heights[] = {18, 28, 38, 48, 58, 68};
    for (int t = 0; t < 6; ++t) {
        f().TimerMainFrame.fire();
        EXPECT_EQ(menu.width(), widths[t]) << "tick " << t + 1;
        EXPECT_EQ(menu.height(), heights[t]) << "tick " << t + 1;
    }
    EXPECT_FALSE(s().SlideActive);
    EXPECT_FALSE(f().TimerMainFrame.isEnabled());
    // A late tick does nothing.
    f().TimerMainFrame.fire();
    EXPECT_EQ(menu.width(), 217);
    EXPECT_EQ(menu.height(), 68);
}

TEST_F(MenusTest, RunBoxWidensFrom77To257AndKeepsItsHeight)
{
    start();
    // What the Run button sets up before the box opens.
    vb::Frame& box = f().FrameRun;
    const int height = box.height();
    box.setWidth(77);
    s().SlideWidth = 77;
    s().SlideStep = 10;
    s().SlideFactor = 3;
    s().SlideTarget = 257;
    s().SlideIndex = 7;
    s().SlideActive = true;
    const int widths[] = {107, 137, 167, 197, 227, 257};
    for (int w : widths) {
        f().TimerMainFrame.fire();
        EXPECT_EQ(box.width(), w);
        EXPECT_EQ(box.height(), height);
    }
    EXPECT_FALSE(s().SlideActive);
}

TEST_F(MenusTest, OpenMenusButtonClosesItAndAnotherButtonMovesTheMenuWhichSlidesAgain)
{
    start();
    openMenu(1);
    ASSERT_TRUE(f().CommandMenu[1].click());
    EXPECT_EQ(s().MenuOpenIndex, -1);
    EXPECT_FALSE(f().FrameMenu[1].isVisible());
    EXPECT_TRUE(hasFace(f().CommandMenu[1], 0));

    openMenu(1);
    ASSERT_TRUE(f().CommandMenu[3].click());
    EXPECT_EQ(s().MenuOpenIndex, 3);
    EXPECT_FALSE(f().FrameMenu[1].isVisible());
    EXPECT_TRUE(hasFace(f().CommandMenu[1], 0));
    EXPECT_TRUE(f().FrameMenu[3].isVisible());
    EXPECT_TRUE(hasFace(f().CommandMenu[3], 3));
    EXPECT_EQ(f().FrameMenu[3].left(), f().CommandMenu[3].left() / 15);
    EXPECT_EQ(f().FrameMenu[3].width(), 37);
    EXPECT_EQ(f().FrameMenu[3].height(), 8);
    EXPECT_EQ(slideToEnd(), 6);
    EXPECT_EQ(f().FrameMenu[3].width(), 217);
}

TEST_F(MenusTest, ClosingAMenuDuringItsSlideLetsTheHiddenFrameGrowToFullSize)
{
    start();
    ASSERT_TRUE(f().CommandMenu[2].click());
    f().TimerMainFrame.fire();
    f().TimerMainFrame.fire();
    ASSERT_TRUE(f().CommandMenu[2].click());
    EXPECT_FALSE(f().FrameMenu[2].isVisible());
    EXPECT_TRUE(f().TimerMainFrame.isEnabled());
    EXPECT_EQ(slideToEnd(), 4);
    EXPECT_EQ(f().FrameMenu[2].width(), 217);
    EXPECT_EQ(f().FrameMenu[2].height(), 68);
}

// A slide cut short by another menu's must not leave a frame at a part of its size: the
// pinned Current Web Page menu comes back, and the Run box stays on screen.
TEST_F(MenusTest, ASlideCutShortByAnotherLeavesItsFrameAtFullSize)
{
    app->opt.ShowPageButtons = true;
    start();
    ASSERT_EQ(s().MenuOpenIndex, 0); // pinned at start
    ASSERT_TRUE(f().CommandMenu[0].click());
    ASSERT_TRUE(f().CommandMenu[0].click());
    f().TimerMainFrame.fire();
    ASSERT_TRUE(f().CommandMenu[2].click());
    slideToEnd();
    ASSERT_TRUE(f().CommandView[0].click()); // View's Hide: the page menu is pinned again
    EXPECT_TRUE(f().FrameMenu[0].isVisible());
    EXPECT_EQ(f().FrameMenu[0].width(), 217);
    EXPECT_EQ(f().FrameMenu[0].height(), 68);

    // The Run box halfway through its slide, then a menu opens.
    f().FrameRun.setVisible(true);
    f().FrameRun.setWidth(137);
    s().SlideWidth = 137;
    s().SlideTarget = 257;
    s().SlideIndex = 7;
    s().SlideActive = true;
    ASSERT_TRUE(f().CommandMenu[3].click());
    EXPECT_EQ(f().FrameRun.width(), 257);
    EXPECT_EQ(s().SlideIndex, 3);

    // What the Run button asks before its own slide.
    f().TimerMainFrame.fire();
    f().SlideFinish();
    EXPECT_EQ(f().FrameMenu[3].width(), 217);
    EXPECT_EQ(f().FrameMenu[3].height(), 68);
    EXPECT_FALSE(s().SlideActive);
    EXPECT_FALSE(f().TimerMainFrame.isEnabled());
}

// ---------------------------------------------------------------------------------------
// Where the menus open

TEST_F(MenusTest, TabListOpensAtItsTopWithoutSlidingAndUnderTheControlsBarInFullWindow)
{
    start();
    ASSERT_EQ(openTab(QStringLiteral("http://tab1.velmora.example/")), 1);
    ASSERT_TRUE(f().CommandWebNew[1].click()); // back to the main browser: the list unpinned
    ASSERT_TRUE(s().MainBrowserCurrent);
    ASSERT_FALSE(f().FrameMenu[5].isVisible());

    vb::Frame& list = f().FrameMenu[5];
    list.setLeft(50);
    const int width = list.width();
    const int height = list.height();
    ASSERT_TRUE(f().CommandMenu[5].click());
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.top(), s().TabListTop);
    EXPECT_EQ(list.left(), 0);
    EXPECT_FALSE(s().SlideActive);
    EXPECT_EQ(list.width(), width);
    EXPECT_EQ(list.height(), height);

    enterFullWindowWithControls();
    ASSERT_TRUE(f().CommandOne[5].click());
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.top(), f().FrameOne.top() + f().FrameOne.height());
    EXPECT_EQ(list.left(), 8);
    EXPECT_FALSE(s().SlideActive);
}

TEST_F(MenusTest, MenusOpenLowerWhileTheBookmarkBrowserIsOpen)
{
    start();
    s().BookmarkBrowserOpen = true;
    for (int i = 0; i <= 4; ++i) {
        ASSERT_TRUE(f().CommandMenu[i].click());
        EXPECT_EQ(f().FrameMenu[i].top(), 80) << "menu " << i;
    }
    s().BookmarkBrowserOpen = false;
    ASSERT_TRUE(f().CommandMenu[1].click());
    EXPECT_EQ(f().FrameMenu[1].top(), 32);
}

// ---------------------------------------------------------------------------------------
// Current Web Page menu

TEST_F(MenusTest, BookmarkAddsATitledPageOnceThenSaysItIsAlreadyBookmarked)
{
    start();
    openMenu(0);
    const QString title = s().MainBrowserTitles[0];
    ASSERT_FALSE(title.isEmpty());

    ASSERT_TRUE(f().CommandPage[1].click());
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), QStringList{homePage(0)});
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{title});
    EXPECT_TRUE(f().FrameDoneBookmark.isVisible());
    EXPECT_EQ(at(f().FrameDoneBookmark), panelPointOf(0));
    EXPECT_FALSE(f().FrameMark.isVisible());

    ASSERT_TRUE(f().CommandPage[1].click());
    EXPECT_EQ(app->hid.ComboMarkAddress.ListCount(), 1);
    EXPECT_FALSE(f().FrameDoneBookmark.isVisible());
    EXPECT_TRUE(f().FrameAlreadyBookmarked.isVisible());
    EXPECT_EQ(at(f().FrameAlreadyBookmarked), panelPointOf(0));
}

TEST_F(MenusTest, BookmarkOnAnUntitledPageOpensThePanelWithOkDisabledAndASecondPressClosesIt)
{
    start();
    openMenu(0);
    s().MainBrowserTitles[0].clear();
    ASSERT_TRUE(f().CommandPage[1].click());
    EXPECT_EQ(app->hid.ComboMarkAddress.ListCount(), 0);
    EXPECT_TRUE(f().FrameMark.isVisible());
    EXPECT_EQ(at(f().FrameMark), panelPointOf(0));
    EXPECT_EQ(f().TextWebAddress.text(), homePage(0));
    EXPECT_EQ(f().TextWebMark.text(), QString());
    EXPECT_FALSE(f().CommandMarkOK.isEnabled());
    EXPECT_FALSE(f().CommandMarkReset.isEnabled());
    EXPECT_FALSE(f().FrameDoneBookmark.isVisible());

    ASSERT_TRUE(f().CommandPage[1].click());
    EXPECT_FALSE(f().FrameMark.isVisible());
    EXPECT_EQ(app->hid.ComboMarkAddress.ListCount(), 0);
}

// A browser without a page has no address to keep: nothing is stored under its title.
TEST_F(MenusTest, BookmarkOfABrowserWithoutAPageStoresNothing)
{
    start(0, false);
    openMenu(0);
    ASSERT_TRUE(f().WebBrowser[0].locationURL().isEmpty());
    s().MainBrowserTitles[0] = QStringLiteral("home1.velmora");
    ASSERT_TRUE(f().CommandPage[1].click());
    EXPECT_EQ(app->hid.ComboMarkAddress.ListCount(), 0);
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
    EXPECT_TRUE(f().FrameMark.isVisible());
    EXPECT_FALSE(f().CommandMarkOK.isEnabled());
}

TEST_F(MenusTest, BookmarkFilesATabUnderTheTabsTitle)
{
    start();
    const int t = openTab(QStringLiteral("http://www.tabsite.example/a/page.html"));
    ASSERT_EQ(t, 1);
    ASSERT_TRUE(f().CommandMenu[0].click());
    slideToEnd();
    ASSERT_TRUE(f().CommandPage[1].click());
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), QStringList{QStringLiteral("http://www.tabsite.example/a/page.html")});
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{s().TabTitles[t]});
}

TEST_F(MenusTest, KeepNoteOpensForWritingOrReadingAndASecondPressClosesIt)
{
    start();
    openMenu(0);
    p().NoteEditing = true; // left over from an edit that was cancelled elsewhere
    ASSERT_TRUE(f().CommandPage[2].click());
    EXPECT_TRUE(f().FrameNote.isVisible());
    EXPECT_EQ(f().FrameNote.top(), panelPointOf(0).y());
    EXPECT_EQ(p().CurrentNoteIndex, -1);
    EXPECT_FALSE(p().NoteExists);
    EXPECT_FALSE(p().NoteEditing);
    EXPECT_FALSE(f().LabelNote[1].isVisible());
    EXPECT_TRUE(f().LabelNote[6].isVisible());
    EXPECT_TRUE(f().LabelNote[7].isVisible());
    EXPECT_TRUE(f().TextNote[1].isVisible());
    EXPECT_EQ(f().TextNote[1].text(), QString());
    EXPECT_EQ(f().TextNote[0].text(), homePage(0));
    EXPECT_FALSE(f().CommandNoteEdit.isEnabled());
    EXPECT_FALSE(f().CommandNoteRemove.isEnabled());
    EXPECT_FALSE(f().CommandNoteOK.isEnabled());
    EXPECT_FALSE(f().CheckNoShowNote.isVisible());

    p().NoteFrameShown = true;
    ASSERT_TRUE(f().CommandPage[2].click());
    EXPECT_FALSE(f().FrameNote.isVisible());
    EXPECT_FALSE(p().NoteFrameShown);

    NoteAdd(*app, QStringLiteral("http://elsewhere.example/"), QStringLiteral("other"));
    NoteAdd(*app, homePage(0), QStringLiteral("remember this"));
    ASSERT_TRUE(f().CommandPage[2].click());
    EXPECT_EQ(p().CurrentNoteIndex, 1);
    EXPECT_TRUE(p().NoteExists);
    EXPECT_TRUE(f().LabelNote[1].isVisible());
    EXPECT_EQ(f().LabelNote[1].caption(), QStringLiteral("remember this"));
    EXPECT_FALSE(f().LabelNote[6].isVisible());
    EXPECT_FALSE(f().TextNote[1].isVisible());
    EXPECT_EQ(f().TextNote[1].text(), QStringLiteral("remember this"));
    EXPECT_TRUE(f().CommandNoteEdit.isEnabled());
    EXPECT_TRUE(f().CommandNoteRemove.isEnabled());
    EXPECT_FALSE(f().CommandNoteOK.isEnabled());
}

TEST_F(MenusTest, SetAsHomePageOffersOnlyTheBrowsersWhoseHomeDiffersAndASecondPressClosesIt)
{
    start();
    app->opt.MainBrowserHomePages[3] = homePage(0);
    openMenu(0);
    ASSERT_TRUE(f().CommandPage[3].click());
    EXPECT_TRUE(f().FrameHome.isVisible());
    EXPECT_EQ(at(f().FrameHome), panelPointOf(0));
    EXPECT_EQ(p().MakeHomeAddress, homePage(0));
    EXPECT_EQ(f().TextHome.text(), homePage(0));
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(f().OptionHome[i].isEnabled(), i != 0 && i != 3) << "browser " << i + 1;
    EXPECT_EQ(f().LabelHeadHomeAlready.caption(), p().HomeAlreadyHead);
    EXPECT_FALSE(f().LabelHeadHomeAlready.caption().isEmpty());
    EXPECT_EQ(f().LabelBrowHomeAlready.caption(), QStringLiteral("Browser : 1 : 4"));
    EXPECT_TRUE(f().OptionHome[6].value());
    EXPECT_EQ(f().HomeChoiceIndex, 6);
    EXPECT_FALSE(f().CommandHomeOK.isEnabled());
    for (bool differs : p().HomePageDiffers)
        EXPECT_FALSE(differs);

    ASSERT_TRUE(f().CommandPage[3].click());
    EXPECT_FALSE(f().FrameHome.isVisible());
}

TEST_F(MenusTest, PageItemsCloseTheOtherPanelsAndHideClosesTheMenu)
{
    start();
    openMenu(0);
    ASSERT_TRUE(f().CommandPage[2].click());
    ASSERT_TRUE(f().FrameNote.isVisible());
    ASSERT_TRUE(f().CommandPage[3].click());
    EXPECT_FALSE(f().FrameNote.isVisible()); // opened by the menu, not pinned
    EXPECT_TRUE(f().FrameHome.isVisible());
    s().MainBrowserTitles[0].clear();
    ASSERT_TRUE(f().CommandPage[1].click());
    EXPECT_FALSE(f().FrameHome.isVisible());
    EXPECT_TRUE(f().FrameMark.isVisible());
    ASSERT_TRUE(f().CommandPage[0].click());
    EXPECT_FALSE(f().FrameMark.isVisible());
    EXPECT_FALSE(f().FrameMenu[0].isVisible());
    EXPECT_EQ(s().MenuOpenIndex, -1);
}

// ---------------------------------------------------------------------------------------
// View and Tools menus

TEST_F(MenusTest, ViewNoteOpensTheReadFaceAndASecondPressClosesIt)
{
    start();
    openMenu(2);
    ASSERT_TRUE(f().CommandView[1].click());
    EXPECT_TRUE(f().FrameNote.isVisible());
    EXPECT_EQ(f().FrameNote.top(), panelPointOf(2).y());
    EXPECT_EQ(f().LabelNote[1].caption(),
              QStringLiteral("There is no note for this Page. Write one if you want to. "
                             "To write please click on 'Edit' button."));
    EXPECT_TRUE(f().LabelNote[1].isVisible());
    EXPECT_FALSE(f().TextNote[1].isVisible());
    EXPECT_FALSE(f().LabelNote[7].isVisible());
    EXPECT_TRUE(f().CommandNoteEdit.isEnabled());
    EXPECT_FALSE(f().CommandNoteRemove.isEnabled());
    EXPECT_FALSE(f().CommandNoteOK.isEnabled());
    ASSERT_TRUE(f().CommandView[1].click());
    EXPECT_FALSE(f().FrameNote.isVisible());

    NoteAdd(*app, homePage(0), QStringLiteral("a note"));
    p().NoteEditing = true;
    ASSERT_TRUE(f().CommandView[1].click());
    EXPECT_EQ(f().LabelNote[1].caption(), QStringLiteral("a note"));
    EXPECT_EQ(f().TextNote[1].text(), QStringLiteral("a note"));
    EXPECT_TRUE(f().CommandNoteRemove.isEnabled());
    EXPECT_FALSE(p().NoteEditing);
}

TEST_F(MenusTest, ViewChoicesAndOptions)
{
    start();
    openMenu(2);
    ASSERT_TRUE(f().CommandView[2].click());
    EXPECT_TRUE(f().FrameChoice.isVisible());
    EXPECT_EQ(at(f().FrameChoice), panelPointOf(2));

    ASSERT_TRUE(f().CommandView[3].click());
    EXPECT_FALSE(f().FrameChoice.isVisible());
    EXPECT_EQ(optionsShown, 1);
    EXPECT_TRUE(optionsWasModal);
    // The dialog does not stay loaded behind the window.
    for (const auto& form : app->rt.forms())
        EXPECT_NE(form ? form->name() : QString(), QStringLiteral("frmOptions"));

    ASSERT_TRUE(f().CommandView[0].click());
    EXPECT_FALSE(f().FrameMenu[2].isVisible());
    EXPECT_EQ(s().MenuOpenIndex, -1);
}

TEST_F(MenusTest, ToolsStartTheSettingsToolsAndReportBugTogglesTheMailPanel)
{
    start();
    openMenu(3);
    ASSERT_TRUE(f().CommandTools[1].click());
    ASSERT_TRUE(f().CommandTools[2].click());
    ASSERT_EQ(applets.size(), 2U);
    EXPECT_EQ(applets[0], sys::SettingsApplet::InternetProperties);
    EXPECT_EQ(applets[1], sys::SettingsApplet::DisplayProperties);

    ASSERT_TRUE(f().CommandTools[3].click());
    EXPECT_TRUE(f().FrameMail.isVisible());
    EXPECT_EQ(at(f().FrameMail), panelPointOf(3));
    EXPECT_EQ(f().TextMail[0].text(), corvane::makerBugEmail());
    EXPECT_EQ(f().TextMail[1].text(), QStringLiteral("Corvane - Found Bug"));
    EXPECT_EQ(f().TextMail[0].selStart(), 0);
    EXPECT_EQ(f().TextMail[0].selLength(), corvane::makerBugEmail().length());
    ASSERT_TRUE(f().CommandTools[3].click());
    EXPECT_FALSE(f().FrameMail.isVisible());

    // After an error report the subject is the error's id.
    app->msg.BugReportSubject = QStringLiteral("Bug-Corvane-TabsLeave");
    ASSERT_TRUE(f().CommandTools[3].click());
    EXPECT_EQ(f().TextMail[1].text(), QStringLiteral("Bug-Corvane-TabsLeave"));
    ASSERT_TRUE(f().CommandTools[1].click());
    EXPECT_FALSE(f().FrameMail.isVisible());

    ASSERT_TRUE(f().CommandTools[0].click());
    EXPECT_FALSE(f().FrameMenu[3].isVisible());
}

// A settings tool that does not start is not silent: the message names what was tried.
TEST_F(MenusTest, ASettingsToolThatDoesNotStartSaysWhatWasTried)
{
    struct Case {
        int item;
        sys::SettingsAppletStart start;
        const char* body; // "" for no message
    };
    const Case cases[] = {
        {1, {.started = true}, ""},
        {1, {.tried = {u"gnome-control-center"_s, u"systemsettings"_s}},
         "There was some error. Could not open Internet Properties.\r\n\r\n"
         "None of these settings programs is installed : gnome-control-center, systemsettings."},
        {2, {.tried = {u"xfce4-display-settings"_s}, .installed = true},
         "There was some error. Could not open Display Properties.\r\n\r\n"
         "These settings programs did not start : xfce4-display-settings."},
    };
    start();
    openMenu(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        QStringList bodies;
        app->rt.setResponder(u"frmMessage"_s, [&bodies](vb::Form& form) {
            auto& m = static_cast<corvane::frmMessage&>(form);
            bodies << m.LabelMessage.caption();
            m.CommandMsgOK.click();
        });
        appletStart = c.start;
        testsupport::clickInto(f().CommandTools[c.item].widget());
        EXPECT_EQ(bodies, *c.body ? QStringList{QString::fromUtf8(c.body)} : QStringList());
        EXPECT_TRUE(f().FrameMenu[3].isVisible());
    }
}

TEST_F(MenusTest, SettingsToolsThatCannotStartLeaveTheWindowAsItWas)
{
    app->launcher.openSettingsApplet = nullptr;
    start();
    openMenu(3);
    ASSERT_TRUE(f().CommandTools[1].click());
    ASSERT_TRUE(f().CommandTools[2].click());
    EXPECT_TRUE(f().FrameMenu[3].isVisible());
}

// ---------------------------------------------------------------------------------------
// Run box Cancel, About banner

TEST_F(MenusTest, RunCancelClosesTheBoxAndShowsBothRunButtonsClosed)
{
    start();
    f().FrameRun.setVisible(true);
    f().CommandRun.setPicture(f().BButton[3].picture());
    f().CommandOne[9].setPicture(f().BButton[3].picture());
    f().CommandRunCancel_Click();
    EXPECT_FALSE(f().FrameRun.isVisible());
    EXPECT_TRUE(hasFace(f().CommandRun, 10));
    EXPECT_TRUE(hasFace(f().CommandOne[9], 10));
}

TEST_F(MenusTest, BannerWalksBackFromBeyondItsRightLimitAndTurnsOnePixelBeyondEachLimit)
{
    start();
    vb::Frame& banner = f().FrameAbout;
    s().AboutBounceMin = 176;
    s().AboutBounceMax = 200;
    banner.setLeft(205);
    f().TimerMainAbout.fire(); // not shown: nothing moves
    EXPECT_EQ(banner.left(), 205);

    s().AboutShown = true;
    for (int expected = 204; expected >= 175; --expected) {
        f().TimerMainAbout.fire();
        ASSERT_EQ(banner.left(), expected);
    }
    f().TimerMainAbout.fire();
    EXPECT_EQ(banner.left(), 176); // turned at 175
    for (int i = 0; i < 25; ++i)
        f().TimerMainAbout.fire();
    EXPECT_EQ(banner.left(), 201);
    f().TimerMainAbout.fire();
    EXPECT_EQ(banner.left(), 200); // turned at 201
}

} // namespace
} // namespace menustest
