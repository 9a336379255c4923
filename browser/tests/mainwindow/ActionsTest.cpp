// The Open and Help menus, the Create, Choices, Change Name and Report Bug panels, the Run
// box, the notices and the About banner.

#include "ActionsFixture.h"

#include "ActiveNajar.h"
#include "ControlButton.h"
#include "frmWeb.h"

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace actionstest;

namespace {

class ActionsTest : public ActionsFixture {
protected:
    void SetUp() override { start(); }

    vb::ScriptedWebEngine& tabEngine(int t) { return engineOf(f().BrowserNew[t]); }
    // The forms named name that are loaded now.
    int loadedForms(const QString& name) const
    {
        int n = 0;
        for (const auto& form : app->rt.forms())
            if (form && form->name() == name && form->isLoaded())
                ++n;
        return n;
    }
};

// --- the Create panel ----------------------------------------------------------------------

TEST_F(ActionsTest, NewTabAndNewBrowserOpenTheCreatePanelUnderTheMenuWithTheProductPage)
{
    openMenu(1);
    f().FrameMenu[1].move(40, 32, 217, 68);
    const QString page = app->productPageAddress();

    f().CommandOpen_Click(2);
    EXPECT_TRUE(f().FrameCreate.isVisible());
    EXPECT_EQ(f().FrameCreate.top(), 100);
    EXPECT_EQ(f().FrameCreate.left(), 56);
    EXPECT_EQ(f().FrameCreate.caption(), u"Create Tab - Go To This Location :"_s);
    EXPECT_TRUE(p().CreateTabPending);
    EXPECT_FALSE(p().CreateBrowserPending);
    EXPECT_EQ(p().CreateAddress, page);
    EXPECT_EQ(f().TextCreate.text(), page);
    EXPECT_EQ(f().TextCreate.selStart(), 0);
    EXPECT_EQ(f().TextCreate.selLength(), page.size());
    EXPECT_TRUE(f().CommandCreateOK.isEnabled());
    EXPECT_TRUE(f().TextCreate.hasFocus());

    f().FrameCreate.setVisible(false);
    f().FrameMenu[1].move(8, 80, 217, 68);
    f().CommandOpen_Click(3);
    EXPECT_TRUE(f().FrameCreate.isVisible());
    EXPECT_EQ(f().FrameCreate.top(), 148);
    EXPECT_EQ(f().FrameCreate.left(), 24);
    EXPECT_EQ(f().FrameCreate.caption(), u"Create Browser - Go To This Location :"_s);
    EXPECT_FALSE(p().CreateTabPending);
    EXPECT_TRUE(p().CreateBrowserPending);
    EXPECT_EQ(f().TextCreate.text(), page);

    f().CommandCreateCancel_Click();
    EXPECT_FALSE(f().FrameCreate.isVisible());
    EXPECT_FALSE(p().CreateTabPending);
    EXPECT_FALSE(p().CreateBrowserPending);
}

TEST_F(ActionsTest, TheCreateAddressLosesItsBlanksAndGetsHttpUnlessItNamesAKnownScheme)
{
    openMenu(1);
    f().CommandOpen_Click(2);
    struct Case {
        QString typed;
        QString address;
    };
    const Case cases[] = {
        {u"www.site.example"_s, u"http://www.site.example"_s},
        {u" site . example / a b "_s, u"http://site.example/ab"_s},
        {u"file:///tmp/my page.htm"_s, u"file:///tmp/mypage.htm"_s},
        {u"https://secure.example/"_s, u"https://secure.example/"_s},
        {u"http://plain.example/"_s, u"http://plain.example/"_s},
        // The comparison is exact: a scheme in capitals is not recognised.
        {u"HTTP://LOUD.example/"_s, u"http://HTTP://LOUD.example/"_s},
        {u"File:///tmp/a.htm"_s, u"http://File:///tmp/a.htm"_s},
        {u"   "_s, QString()},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        f().TextCreate.setText(c.typed);
        EXPECT_EQ(p().CreateAddress, c.address);
        EXPECT_EQ(f().CommandCreateOK.isEnabled(), !c.address.isEmpty());
    }
}

TEST_F(ActionsTest, EnterInTheCreateBoxOpensTheTabOnlyForAnAddress)
{
    openMenu(1);
    f().CommandOpen_Click(2);
    f().TextCreate.setText(QString());
    f().TextCreate.type(u"   \r"_s);
    EXPECT_EQ(s().TabCount, 0);
    EXPECT_TRUE(f().FrameCreate.isVisible());
    EXPECT_TRUE(p().CreateTabPending);

    f().TextCreate.setText(QString());
    f().TextCreate.type(u"news.example\r"_s);
    ASSERT_EQ(s().TabCount, 1);
    EXPECT_EQ(tabEngine(1).lastNavigation(), u"http://news.example"_s);
    EXPECT_FALSE(f().FrameCreate.isVisible());
}

TEST_F(ActionsTest, CreateTabTakesTheLowestFreeSlotAndBecomesTheCurrentBrowser)
{
    EXPECT_EQ(createTab(u"one.example"_s), 1);
    EXPECT_EQ(createTab(u"two.example"_s), 2);
    EXPECT_EQ(createTab(u"three.example"_s), 3);
    ASSERT_EQ(s().TabLastIndex, 3);

    // Closing tab 2 frees its slot; the next tab fills it and the record names tab 3 as left.
    f().CommandWebNew_Click(2);
    f().CommandWebClose_Click(1);
    ASSERT_FALSE(s().TabSlotUsed[2]);
    f().CommandWebNew_Click(3);
    ASSERT_EQ(s().TabCurrentIndex, 3);

    const int slot = createTab(u"four.example/a b.html"_s);
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(s().TabLastIndex, 3);
    EXPECT_EQ(s().TabCount, 3);
    EXPECT_TRUE(s().TabSlotUsed[2]);
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_FALSE(s().MainBrowserCurrent);
    EXPECT_FALSE(s().BookmarkBrowserCurrent);
    EXPECT_FALSE(p().CreateTabPending);
    ASSERT_TRUE(f().BrowserNew.exists(2));
    ASSERT_TRUE(f().ComboWebLocation.exists(2));
    EXPECT_TRUE(f().CommandWebNew[2].isEnabled());
    EXPECT_TRUE(f().CommandWebComNew[2].isEnabled());
    EXPECT_EQ(tabEngine(2).navigations(), QStringList{u"http://four.example/ab.html"_s});
    // The display ran: the tab is on screen, the one left is not, the panel is closed.
    EXPECT_TRUE(f().BrowserNew[2].isVisible());
    EXPECT_FALSE(f().BrowserNew[3].isVisible());
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_FALSE(f().FrameCreate.isVisible());
}

TEST_F(ActionsTest, NewTabWith24TabsShowsTheMessageButNewBrowserIsStillOffered)
{
    for (int i = 1; i <= MaxTabs; ++i)
        ASSERT_EQ(createTab(), i);
    ASSERT_EQ(s().TabCount, MaxTabs);
    EXPECT_TRUE(shown.isEmpty());

    openMenu(1);
    f().CommandOpen_Click(2);
    EXPECT_EQ(shown, QStringList{u"MessageTooManyTab"_s});
    EXPECT_FALSE(f().FrameCreate.isVisible());
    EXPECT_FALSE(p().CreateTabPending);

    f().CommandOpen_Click(3);
    EXPECT_TRUE(f().FrameCreate.isVisible());
    EXPECT_EQ(f().FrameCreate.caption(), u"Create Browser - Go To This Location :"_s);
    EXPECT_TRUE(p().CreateBrowserPending);
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(ActionsTest, ATabLimitReachedWhileThePanelWasOpenRefusesTheTabInsteadOfFailing)
{
    for (int i = 1; i < MaxTabs; ++i)
        ASSERT_EQ(createTab(), i);
    openMenu(1);
    f().CommandOpen_Click(2);
    // A page opens the 24th tab meanwhile.
    vb::WebBrowser* popup = engineOf(f().BrowserNew[MaxTabs - 1]).fireNewWindow2();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(s().TabCount, MaxTabs);

    f().CommandCreateOK_Click();
    EXPECT_EQ(shown, QStringList{u"MessageTooManyTab"_s});
    EXPECT_EQ(s().TabCount, MaxTabs);
    EXPECT_EQ(s().TabLastIndex, MaxTabs);
    EXPECT_FALSE(f().BrowserNew.exists(MaxTabs + 1));
    EXPECT_FALSE(p().CreateTabPending);
    EXPECT_FALSE(f().FrameCreate.isVisible());
}

TEST_F(ActionsTest, CreateBrowserClosesTheMenuAndOpensARegisteredSecondaryWindow)
{
    openMenu(1);
    f().CommandOpen_Click(3);
    f().TextCreate.setText(u"far.example"_s);
    f().CommandCreateOK_Click();

    EXPECT_FALSE(f().FrameCreate.isVisible());
    EXPECT_FALSE(f().FrameMenu[1].isVisible());
    EXPECT_EQ(s().MenuOpenIndex, -1);
    EXPECT_TRUE(sameFace(f().CommandMenu[1], 0));
    EXPECT_EQ(p().CreateAddress, u"http://far.example"_s);
    EXPECT_EQ(s().TabCount, 0);
    EXPECT_TRUE(s().MainBrowserCurrent);

    vb::Form* window = nullptr;
    for (const auto& form : app->rt.forms())
        if (form && form->name() == u"frmWeb"_s)
            window = form;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    auto* web = qobject_cast<frmWeb*>(window);
    ASSERT_NE(web, nullptr);
    // The window took the address over at its load.
    EXPECT_FALSE(p().CreateBrowserPending);
    EXPECT_EQ(engineOf(web->BrowserPop[0]).navigations(), QStringList{u"http://far.example"_s});
}

// --- the Help menu and the About banner ---------------------------------------------------

TEST_F(ActionsTest, AboutShowsAndHidesTheBannerWithAlternatingPictures)
{
    openMenu(4);
    f().FrameAbout.setLeft(300);
    const QPixmap first = f().ImageAboutBadge[1].picture();
    const QPixmap second = f().ImageAboutBadge[0].picture();
    ASSERT_FALSE(testsupport::samePicture(first, second));

    f().CommandHelp_Click(5);
    EXPECT_TRUE(f().FrameAbout.isVisible());
    EXPECT_TRUE(s().AboutShown);
    EXPECT_TRUE(f().TimerMainAbout.isEnabled());
    EXPECT_EQ(f().FrameAbout.left(), s().AboutBounceMin);
    EXPECT_EQ(f().LabelAbout[0].caption(), app->prog.VersionText);
    EXPECT_TRUE(testsupport::samePicture(f().ImageAbout.picture(), first));

    f().CommandHelp_Click(5);
    EXPECT_FALSE(f().FrameAbout.isVisible());
    EXPECT_FALSE(s().AboutShown);
    EXPECT_FALSE(f().TimerMainAbout.isEnabled());

    f().CommandHelp_Click(5);
    EXPECT_TRUE(f().FrameAbout.isVisible());
    EXPECT_TRUE(testsupport::samePicture(f().ImageAbout.picture(), second));
    f().CommandHelp_Click(5);
    f().CommandHelp_Click(5);
    EXPECT_TRUE(testsupport::samePicture(f().ImageAbout.picture(), first));
}

TEST_F(ActionsTest, ClickingTheBannerFreezesAndResumesItAndAnyHelpItemClosesIt)
{
    openMenu(4);
    f().CommandHelp_Click(5);
    ASSERT_TRUE(f().TimerMainAbout.isEnabled());

    f().FrameAbout.click();
    EXPECT_FALSE(f().TimerMainAbout.isEnabled());
    EXPECT_TRUE(f().FrameAbout.isVisible());
    EXPECT_TRUE(s().AboutShown);
    f().ImageAbout.click();
    EXPECT_TRUE(f().TimerMainAbout.isEnabled());
    EXPECT_TRUE(f().FrameAbout.isVisible());

    // A frozen banner closes as well, and "Web Site" still does its own work.
    f().FrameAbout.click();
    f().CommandHelp_Click(2);
    EXPECT_FALSE(f().FrameAbout.isVisible());
    EXPECT_FALSE(s().AboutShown);
    EXPECT_FALSE(f().TimerMainAbout.isEnabled());
    EXPECT_EQ(engineOf(f().WebBrowser[0]).lastNavigation(), app->productPageAddress());
}

TEST_F(ActionsTest, WebSiteShowsTheProductPageInTheBrowserOnScreen)
{
    const int tab = createTab(u"one.example"_s);
    s().PopupGuard = false;
    openMenu(4);
    f().CommandHelp_Click(2);
    EXPECT_TRUE(s().PopupGuard);
    EXPECT_EQ(tabEngine(tab).lastNavigation(), app->productPageAddress());
    EXPECT_EQ(engineOf(f().WebBrowser[0]).navigations(), QStringList{home});
}

TEST_F(ActionsTest, HelpWithoutTheHelpProgramOffersTheProductPageInTheDesktopBrowser)
{
    app->reg.HelpProgramFound = false;
    openMenu(4);
    f().CommandHelp_Click(1);
    EXPECT_EQ(shown, QStringList{u"MessageHelpShow"_s});
    ASSERT_EQ(log->opened.size(), 1);
    EXPECT_EQ(log->opened[0], QUrl(app->productPageAddress()));
    EXPECT_TRUE(app->msg.MessageAnswer.isEmpty());
}

TEST_F(ActionsTest, HideItemsCloseTheirMenus)
{
    openMenu(4);
    f().CommandHelp_Click(0);
    EXPECT_FALSE(f().FrameMenu[4].isVisible());
    EXPECT_EQ(s().MenuOpenIndex, -1);

    openMenu(1);
    f().CommandOpen_Click(0);
    EXPECT_FALSE(f().FrameMenu[1].isVisible());
    EXPECT_EQ(s().MenuOpenIndex, -1);

    createTab(u"one.example"_s);
    openMenu(5);
    f().CommandListHide.click();
    EXPECT_FALSE(f().FrameMenu[5].isVisible());
    EXPECT_TRUE(sameFace(f().CommandMenu[5], 0));
}

// --- Choices and Change Name --------------------------------------------------------------

TEST_F(ActionsTest, ChangeNameShowsTheCurrentNameAndStoresTheNewOne)
{
    app->profile.Nickname = u"Asha"_s;
    f().FrameChoice.move(40, 100, 217, 52);
    f().FrameChoice.setVisible(true);
    f().CommandChoice_Click(1);
    EXPECT_TRUE(f().FrameName.isVisible());
    EXPECT_EQ(f().FrameName.top(), 152);
    EXPECT_EQ(f().FrameName.left(), 56);
    EXPECT_EQ(f().TextName[0].text(), u"Asha"_s);
    EXPECT_TRUE(f().TextName[1].text().isEmpty());
    EXPECT_FALSE(f().CommandNameOK.isEnabled());

    // The shown name cannot be typed over; Enter on an empty new name does nothing.
    f().TextName[0].type(u"x\r"_s);
    f().TextName[1].type(u"\r"_s);
    EXPECT_TRUE(f().FrameName.isVisible());
    EXPECT_EQ(app->profile.Nickname, u"Asha"_s);

    f().TextName[1].type(u"Ravi Kumar"_s);
    EXPECT_TRUE(f().CommandNameOK.isEnabled());
    f().TextName[1].type(u"\r"_s);
    EXPECT_FALSE(f().FrameName.isVisible());
    EXPECT_EQ(app->profile.Nickname, u"Ravi Kumar"_s);
    EXPECT_EQ(app->store.get(ProfileSection, u"NickName"_s), u"Ravi Kumar"_s);
    EXPECT_EQ(f().caption(), u"Corvane - Ravi Kumar"_s);
    EXPECT_EQ(f().TextName[0].text(), u"Asha"_s);
}

TEST_F(ActionsTest, ChangeNameCancelAndChoicesHideKeepTheName)
{
    app->profile.Nickname = u"Asha"_s;
    const QString stored = app->store.get(ProfileSection, u"NickName"_s);
    f().FrameChoice.setVisible(true);
    f().CommandChoice_Click(1);
    f().TextName[1].type(u"Other"_s);
    f().CommandNameCancel_Click();
    EXPECT_FALSE(f().FrameName.isVisible());
    EXPECT_TRUE(f().FrameChoice.isVisible());
    EXPECT_EQ(app->profile.Nickname, u"Asha"_s);
    EXPECT_EQ(app->store.get(ProfileSection, u"NickName"_s), stored);

    f().CommandChoice_Click(1);
    f().CommandChoice_Click(0);
    EXPECT_FALSE(f().FrameName.isVisible());
    EXPECT_FALSE(f().FrameChoice.isVisible());
}

// --- Report Bug ---------------------------------------------------------------------------

TEST_F(ActionsTest, ReportBugOKNeedsAnAtThenADotWithACharacterAfterItAndASubject)
{
    f().FrameMail.setVisible(true);
    // The state is the one before the last character looked at: an "@" at the very end
    // has not counted yet.
    struct Case {
        QString address;
        int state;
    };
    const Case cases[] = {
        {QString(), 0},        {u"bugs"_s, 0},        {u"bugs@"_s, 0},      {u"bugs@velmora"_s, 1},
        {u"bugs@velmora."_s, 1}, {u"bugs@velmora.e"_s, 2}, {u"a.b@c"_s, 1},   {u"first.last@host.example"_s, 2},
        {u"a.b"_s, 0},
    };
    f().TextMail[1].setText(u"Subject"_s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        f().TextMail[0].setText(c.address);
        EXPECT_EQ(f().MailAddressState, c.state);
        EXPECT_EQ(f().CommandMailOK.isEnabled(), c.state == 2);
    }
    // A valid address after a valid one that was wiped out at once counts from the start.
    f().TextMail[0].setText(u"x@y.z"_s);
    f().TextMail[0].setText(QString());
    EXPECT_EQ(f().MailAddressState, 0);
    EXPECT_FALSE(f().CommandMailOK.isEnabled());

    f().TextMail[0].setText(u"x@y.z"_s);
    f().TextMail[1].setText(QString());
    EXPECT_EQ(f().MailSubjectState, 0);
    EXPECT_FALSE(f().CommandMailOK.isEnabled());
    f().TextMail[1].setText(u" "_s);
    EXPECT_TRUE(f().CommandMailOK.isEnabled());
}

TEST_F(ActionsTest, EnterInTheReportBugBoxesWalksBetweenThemUntilOKCanBePressed)
{
    ASSERT_TRUE(f().window()->isActiveWindow());
    f().FrameMail.setVisible(true);
    f().TextMail[0].setText(u"bugs@velmora.example"_s);
    f().TextMail[1].setText(QString());

    // An empty subject: Enter there leaves the focus where it is.
    f().TextMail[1].setFocus();
    f().TextMail[1].type(u"\r"_s);
    EXPECT_TRUE(f().TextMail[1].hasFocus());
    // A filled address with an empty subject: Enter moves to the subject.
    f().TextMail[0].setFocus();
    f().TextMail[0].type(u"\r"_s);
    EXPECT_TRUE(f().TextMail[1].hasFocus());
    // A filled subject with an incomplete address: Enter moves back to the address.
    f().TextMail[0].setText(u"bugs@velmora"_s);
    f().TextMail[1].type(u"x\r"_s);
    EXPECT_TRUE(f().TextMail[0].hasFocus());
    EXPECT_TRUE(log->opened.isEmpty());
    EXPECT_TRUE(f().FrameMail.isVisible());
}

TEST_F(ActionsTest, ReportBugOKMailsTheReportAndForgetsTheSubject)
{
    app->msg.BugReportSubject = u"Bug-Corvane-OnMoveGetGuru"_s;
    f().FrameMail.setVisible(true);
    f().TextMail[0].setText(u" bugs @velmora.example "_s);
    f().TextMail[1].setText(u"Bug-Corvane-OnMoveGetGuru & more?"_s);
    ASSERT_TRUE(f().CommandMailOK.isEnabled());
    f().TextMail[1].type(u"\r"_s);

    ASSERT_EQ(log->opened.size(), 1);
    EXPECT_EQ(log->opened[0].toEncoded(),
              QByteArray("mailto:bugs@velmora.example?subject=Bug-Corvane-OnMoveGetGuru%20%26%20more%3F"));
    EXPECT_TRUE(app->msg.BugReportSubject.isEmpty());
    EXPECT_FALSE(f().FrameMail.isVisible());

    // A mail program that cannot be started changes nothing more.
    log->openResult = false;
    app->msg.BugReportSubject = u"Bug-Corvane-X"_s;
    f().FrameMail.setVisible(true);
    f().CommandMailOK.click();
    EXPECT_EQ(log->opened.size(), 2);
    EXPECT_TRUE(app->msg.BugReportSubject.isEmpty());
    EXPECT_FALSE(f().FrameMail.isVisible());
    EXPECT_TRUE(shown.isEmpty());

    app->msg.BugReportSubject = u"Bug-Corvane-Y"_s;
    f().FrameMail.setVisible(true);
    f().CommandMailCancel_Click();
    EXPECT_TRUE(app->msg.BugReportSubject.isEmpty());
    EXPECT_FALSE(f().FrameMail.isVisible());
    EXPECT_EQ(log->opened.size(), 2);
}

// --- the notices --------------------------------------------------------------------------

TEST_F(ActionsTest, ANoticeHidesOnAClickOnItsFrameOrItsLabel)
{
    const std::pair<vb::Frame*, vb::Label*> notices[] = {{&f().FrameActiveBrow, &f().LabelHideActiveBrow},
                                                         {&f().FrameNoBookmark, &f().LabelNoBookmark},
                                                         {&f().FrameDoneBookmark, &f().LabelDoneBookmark},
                                                         {&f().FrameAlreadyBookmarked, &f().LabelHideAlredyMarked}};
    for (const auto& [frame, label] : notices) {
        SCOPED_TRACE(frame->caption().toStdString());
        for (const auto& other : notices)
            other.first->setVisible(true);
        frame->click();
        EXPECT_FALSE(frame->isVisible());
        frame->setVisible(true);
        label->click();
        EXPECT_FALSE(frame->isVisible());
        for (const auto& other : notices)
            EXPECT_TRUE(other.first == frame || other.first->isVisible()) << other.first->caption().toStdString();
    }
}

// --- the Run box ----------------------------------------------------------------------------

// With no other program of the maker the Run box lists nothing: should its OK be reached all
// the same, it starts nothing and the window keeps its pages, tabs and mode.
TEST_F(ActionsTest, AnEmptyRunBoxStartsNothingAndTheWindowStays)
{
    ASSERT_EQ(app->reg.FamilyRunLast, -1);
    start();
    createTab(u"https://tab.velmora.example/"_s);
    ASSERT_TRUE(s().TabBrowserCurrent);
    FullWindowSet(*app, true);
    const QPointer<corvane::frmMain> old = app->mainForm;
    const QString title = app->rt.title();

    f().CommandRunOK_Click();
    testsupport::flushDeferredDeletes();

    EXPECT_TRUE(log->started.isEmpty());
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(app->mainForm.data(), old.data());
    ASSERT_TRUE(app->mainForm);
    EXPECT_TRUE(f().isLoaded());
    EXPECT_FALSE(app->reg.RunningOther);
    EXPECT_EQ(app->rt.title(), title);
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_EQ(s().TabCount, 1);
    EXPECT_TRUE(s().FullWindowMode);
}

class RunBoxTest : public ActionsTest {
protected:
    void SetUp() override
    {
        for (const QString& name : {u"Alpha"_s, u"Beta"_s, u"Gamma"_s})
            programs << corvanetest::registerProgram(*app, name, dir.filePath(u"maker/"_s + name));
        start();
    }
    QStringList programs; // the executables the Run box offers, in order
};

TEST_F(RunBoxTest, PressingRunTwiceOpensAndClosesTheBoxAndTheButtonsFollow)
{
    ASSERT_TRUE(f().CommandRun.isVisible());
    f().CommandRun.click();
    EXPECT_TRUE(f().FrameRun.isVisible());
    EXPECT_TRUE(sameFace(f().CommandRun, 3));
    EXPECT_TRUE(sameFace(f().CommandOne[9], 3));
    EXPECT_EQ(f().FrameRun.width(), 77);
    EXPECT_EQ(s().SlideWidth, 77);
    EXPECT_EQ(s().SlideTarget, 257);
    EXPECT_EQ(s().SlideIndex, 7);
    EXPECT_TRUE(s().SlideActive);
    EXPECT_TRUE(f().TimerMainFrame.isEnabled());
    EXPECT_EQ(s().MenuOpenIndex, -1);

    f().CommandRun.click();
    EXPECT_FALSE(f().FrameRun.isVisible());
    EXPECT_TRUE(sameFace(f().CommandRun, 10));
    EXPECT_TRUE(sameFace(f().CommandOne[9], 10));
}

TEST_F(RunBoxTest, TheBoxOpensAtTheTopWithoutAUserPictureAndAtTheBrowsersWithOne)
{
    const int width = s().BrowserWidth;
    ASSERT_GT(width, 300);
    ASSERT_EQ(f().FrameRun.width(), 257);
    f().CommandRun_Click();
    EXPECT_EQ(f().FrameRun.top(), 32);
    EXPECT_EQ(f().FrameRun.left(), width - (257 + 24));
    f().CommandRun_Click();

    // Its width before the next opening is the one it had when it was closed.
    app->profile.UserPicturePath = dir.filePath(u"me.jpg"_s);
    f().CommandRun_Click();
    EXPECT_EQ(f().FrameRun.top(), s().BrowserTop);
    EXPECT_EQ(f().FrameRun.top(), 76);
    EXPECT_EQ(f().FrameRun.left(), width - (77 + 24));
}

TEST_F(RunBoxTest, InFullWindowModeTheBoxOpensUnderTheControlsBar)
{
    FullWindowSet(*app, true);
    f().FrameOne.move(24, 29, 320, 140);
    f().CommandRun_Click();
    EXPECT_EQ(f().FrameRun.top(), 169);
    EXPECT_EQ(f().FrameRun.left(), 144);
}

TEST_F(RunBoxTest, OKWithoutAChoiceStartsTheFirstProgramAndAChoiceStartsItsOwn)
{
    f().CommandRun_Click();
    EXPECT_THROW(f().CommandRunOK_Click(), vb::ProgramEnded);
    EXPECT_EQ(log->started, QStringList{programs[0]});
    EXPECT_TRUE(app->reg.RunningOther);
}

TEST_F(RunBoxTest, AChosenProgramIsTheOneStarted)
{
    f().CommandRun_Click();
    f().OptionRun[2].click();
    EXPECT_EQ(p().FamilyRunChoice, 2);
    EXPECT_TRUE(f().CommandRunOK.isEnabled());
    EXPECT_THROW(f().CommandRunOK.click(), vb::ProgramEnded);
    EXPECT_EQ(log->started, QStringList{programs[2]});
    EXPECT_FALSE(f().FrameRun.isVisible());
}

TEST_F(RunBoxTest, AFailedStartBringsBackAWorkingWindowOnTheFirstHomePage)
{
    app->hid.ComboLocation[0].AddItem(u"https://kept.velmora.example/"_s);
    createTab(u"https://tab.velmora.example/"_s);
    ASSERT_TRUE(s().TabBrowserCurrent);
    FullWindowSet(*app, true);
    const QPointer<corvane::frmMain> old = app->mainForm;
    log->startResult = false;

    f().CommandRun_Click();
    f().CommandRunOK_Click();
    testsupport::flushDeferredDeletes();

    EXPECT_TRUE(shown.contains(u"MessageRunGuruError"_s));
    EXPECT_FALSE(app->reg.RunningOther);
    EXPECT_EQ(app->rt.title(), u"Corvane"_s);
    ASSERT_TRUE(app->mainForm);
    EXPECT_NE(app->mainForm.data(), old.data());
    EXPECT_TRUE(f().isVisible());
    // Nothing of the old window counts any more: main browser 1 is on screen, on its home
    // page, with its kept sites in the location box.
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_FALSE(s().TabBrowserCurrent);
    EXPECT_EQ(s().TabCount, 0);
    EXPECT_FALSE(s().FullWindowMode);
    EXPECT_TRUE(f().WebBrowser[0].isVisible());
    EXPECT_EQ(engineOf(f().WebBrowser[0]).lastNavigation(), home);
    EXPECT_EQ(f().ComboLocation.listCount(), 1);
    // The chooser is still there for Open > File.
    ASSERT_TRUE(app->moveForm);
    EXPECT_TRUE(app->moveForm->isLoaded());
    openMenu(1);
    f().CommandOpen_Click(1);
    EXPECT_EQ(chooserShows, 1);
}

} // namespace
