// The note panel (its faces, Save, Delete, Cancel, "Do Not Show Notes" and the note box's
// key rules) and the home-page panel (its choice, OK writing the settings file at once,
// Cancel and the read-only address box).

#include "PanelsFixture.h"

#include <QFile>

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace panelstest;

namespace {

const QString NotedPage = u"http://noted.velmora.example/page.html"_s;
const QString PlainPage = u"http://plain.velmora.example/page.html"_s;

class NotePanelTest : public PanelsFixture {
protected:
    void SetUp() override
    {
        start();
        app->lists.ShowNotes = true;
    }
    // Main browser 1 arrives at address.
    void visit(const QString& address) { mainEngine(0).completeNavigation(address); }
    QStringList notePages() const { return app->hid.ComboNotePage.items(); }
    QStringList noteTexts() const { return app->hid.ComboNoteThis.items(); }
    void expectPanelClosed()
    {
        EXPECT_FALSE(f().FrameNote.isVisible());
        EXPECT_FALSE(p().NoteFrameShown);
    }
};

TEST_F(NotePanelTest, QuotesAndCommasAreReplacedAsTheyAreTyped)
{
    visit(PlainPage);
    openNotePanel(true);
    vb::TextBox& box = f().TextNote[1];
    box.type(u"He said \"go\", then"_s);
    EXPECT_EQ(box.text(), u"He said 'go'. then"_s);
    box.paste(u",\"x\""_s);
    EXPECT_EQ(box.text(), u"He said 'go'. then.'x'"_s);
    EXPECT_TRUE(f().CommandNoteOK.isEnabled());
    // The address box has no rule of its own here (it is locked by design).
    EXPECT_EQ(f().TextNote[0].text(), PlainPage);
}

TEST_F(NotePanelTest, EnterOnAPageWithoutANoteAddsOneAndOnAPageWithANoteReplacesIt)
{
    visit(PlainPage);
    openNotePanel(true);
    ASSERT_TRUE(f().TextNote[1].isVisible());
    EXPECT_FALSE(f().CommandNoteOK.isEnabled());
    f().TextNote[1].type(u"First"_s);
    f().TextNote[1].typeKey(13);
    EXPECT_EQ(notePages(), QStringList{PlainPage});
    EXPECT_EQ(noteTexts(), QStringList{u"First"_s});
    EXPECT_EQ(app->lists.NotesLastIndex, 0);
    EXPECT_TRUE(app->lists.NotesChanged);
    expectPanelClosed();
    // Enter made no line break.
    EXPECT_EQ(f().TextNote[1].text(), u"First"_s);

    // The page now has a note: the panel opens on its read face, "Edit" turns to writing.
    openNotePanel(true);
    EXPECT_FALSE(f().TextNote[1].isVisible());
    EXPECT_TRUE(f().LabelNote[1].isVisible());
    EXPECT_EQ(f().LabelNote[1].caption(), u"First"_s);
    EXPECT_FALSE(f().CommandNoteOK.isEnabled());
    EXPECT_TRUE(f().CommandNoteRemove.isEnabled());
    ASSERT_TRUE(f().CommandNoteEdit.click());
    EXPECT_TRUE(p().NoteEditing);
    EXPECT_TRUE(f().TextNote[1].isVisible());
    EXPECT_TRUE(f().LabelNote[7].isVisible());
    EXPECT_FALSE(f().LabelNote[1].isVisible());
    EXPECT_EQ(f().TextNote[1].selLength(), 5);
    // Typing replaces the selected text.
    f().TextNote[1].type(u"Second"_s);
    f().TextNote[1].typeKey(13);
    EXPECT_EQ(notePages(), QStringList{PlainPage});
    EXPECT_EQ(noteTexts(), QStringList{u"Second"_s});
    EXPECT_EQ(app->lists.NotesLastIndex, 0);
    EXPECT_FALSE(p().NoteEditing);
    expectPanelClosed();
}

TEST_F(NotePanelTest, AnEmptyNoteCannotBeSaved)
{
    visit(PlainPage);
    openNotePanel(true);
    f().TextNote[1].typeKey(13);
    EXPECT_TRUE(f().FrameNote.isVisible());
    EXPECT_EQ(f().TextNote[1].text(), QString());
    EXPECT_FALSE(f().CommandNoteOK.isEnabled());
    f().TextNote[1].type(u"x"_s);
    EXPECT_TRUE(f().CommandNoteOK.isEnabled());
    f().TextNote[1].typeKey(8);
    EXPECT_FALSE(f().CommandNoteOK.isEnabled());
    EXPECT_TRUE(notePages().isEmpty());
}

TEST_F(NotePanelTest, CancelAndHideAfterEditingLeaveTheNote)
{
    NoteAdd(*app, PlainPage, u"Keep"_s);
    app->lists.NotesChanged = false;
    visit(PlainPage);
    for (vb::CommandButton* closeButton : {&f().CommandNoteCancel, &f().CommandNoteHide}) {
        openNotePanel(false);
        ASSERT_TRUE(f().CommandNoteEdit.click());
        f().TextNote[1].type(u"Changed"_s);
        ASSERT_TRUE(closeButton->click());
        expectPanelClosed();
        EXPECT_EQ(noteTexts(), QStringList{u"Keep"_s});
        EXPECT_FALSE(app->lists.NotesChanged);
    }
}

TEST_F(NotePanelTest, DeleteRemovesThePagesNoteWithoutAQuestion)
{
    NoteAdd(*app, PlainPage, u"Gone soon"_s);
    visit(PlainPage);
    openNotePanel(false);
    ASSERT_TRUE(f().CommandNoteRemove.click());
    EXPECT_TRUE(notePages().isEmpty());
    EXPECT_EQ(app->lists.NotesLastIndex, -1);
    EXPECT_TRUE(app->lists.NotesChanged);
    EXPECT_TRUE(shown.isEmpty());
    expectPanelClosed();
}

TEST_F(NotePanelTest, DoNotShowNotesClosesThePanelAndLaterVisitsShowNone)
{
    NoteAdd(*app, NotedPage, u"Remember"_s);
    visit(NotedPage);
    // The display opened the panel on its read face: Save is not offered there.
    ASSERT_TRUE(f().FrameNote.isVisible());
    EXPECT_TRUE(f().CheckNoShowNote.isVisible());
    EXPECT_EQ(f().LabelNote[1].caption(), u"Remember"_s);
    EXPECT_FALSE(f().CommandNoteOK.isEnabled());

    ASSERT_TRUE(f().CheckNoShowNote.click());
    EXPECT_EQ(f().CheckNoShowNote.value(), 0);
    EXPECT_FALSE(app->lists.ShowNotes);
    expectPanelClosed();
    // The stored option is not changed.
    EXPECT_FALSE(app->opt.ShowNotesAtStart);

    visit(PlainPage);
    visit(NotedPage);
    EXPECT_FALSE(f().FrameNote.isVisible());
    EXPECT_EQ(noteTexts(), QStringList{u"Remember"_s});
}

TEST_F(NotePanelTest, ANewNoteIsAddedEvenAfterAnEditThatWasCancelled)
{
    NoteAdd(*app, NotedPage, u"Old"_s);
    visit(NotedPage);
    openNotePanel(false);
    ASSERT_TRUE(f().CommandNoteEdit.click());
    ASSERT_TRUE(f().CommandNoteCancel.click());

    // The next note is written on a page without one.
    visit(PlainPage);
    openNotePanel(true);
    f().TextNote[1].type(u"New"_s);
    f().TextNote[1].typeKey(13);
    EXPECT_EQ(notePages(), (QStringList{NotedPage, PlainPage}));
    EXPECT_EQ(noteTexts(), (QStringList{u"Old"_s, u"New"_s}));
    EXPECT_EQ(app->lists.NotesLastIndex, 1);
}

TEST_F(NotePanelTest, SaveAndDeleteActOnTheShownPagesNoteWhenTheSharedIndexMoved)
{
    NoteAdd(*app, NotedPage, u"Noted"_s);
    NoteAdd(*app, PlainPage, u"Plain"_s);
    visit(NotedPage);
    openNotePanel(false);
    ASSERT_TRUE(f().CommandNoteEdit.click());
    // Another window's note panel opened on the other page meanwhile.
    p().CurrentNoteIndex = 1;
    f().TextNote[1].type(u"Edited"_s);
    f().TextNote[1].typeKey(13);
    EXPECT_EQ(noteTexts(), (QStringList{u"Edited"_s, u"Plain"_s}));

    openNotePanel(false);
    p().CurrentNoteIndex = 1;
    ASSERT_TRUE(f().CommandNoteRemove.click());
    EXPECT_EQ(notePages(), QStringList{PlainPage});
    EXPECT_EQ(noteTexts(), QStringList{u"Plain"_s});
}

// ---------------------------------------------------------------------------------------
// Make Home Page

class HomePanelTest : public PanelsFixture {
protected:
    void SetUp() override
    {
        start();
        settingsAtStart = testsupport::readFile(settingsPath());
        ASSERT_FALSE(settingsAtStart.isEmpty());
    }
    QString settingsPath() const { return app->prog.SettingsFilePath; }
    bool settingsWritten() const { return testsupport::readFile(settingsPath()) != settingsAtStart; }

    QByteArray settingsAtStart; // the settings file start-up read
};

TEST_F(HomePanelTest, APageThatIsEveryHomePageLeavesOnlyNoBrowser)
{
    for (int i = 0; i <= 5; ++i)
        app->opt.MainBrowserHomePages[i] = homePage(0);
    openHomePanel();
    for (int i = 0; i <= 5; ++i)
        EXPECT_FALSE(f().OptionHome[i].isEnabled()) << i;
    EXPECT_TRUE(f().OptionHome[6].isEnabled());
    EXPECT_TRUE(f().OptionHome[6].value());
    EXPECT_EQ(f().HomeChoiceIndex, 6);
    EXPECT_FALSE(f().CommandHomeOK.isEnabled());
    EXPECT_EQ(f().LabelHeadHomeAlready.caption(), u"This web page is already Home Page of your All 6 Browser."_s);
}

TEST_F(HomePanelTest, ChoosingABrowserEnablesOkAndNoBrowserDisablesItAgain)
{
    openHomePanel();
    EXPECT_FALSE(f().OptionHome[0].isEnabled());
    EXPECT_TRUE(f().OptionHome[2].isEnabled());
    ASSERT_TRUE(f().OptionHome[2].click());
    EXPECT_EQ(f().HomeChoiceIndex, 2);
    EXPECT_TRUE(f().CommandHomeOK.isEnabled());
    ASSERT_TRUE(f().OptionHome[6].click());
    EXPECT_EQ(f().HomeChoiceIndex, 6);
    EXPECT_FALSE(f().CommandHomeOK.isEnabled());
}

TEST_F(HomePanelTest, OkWritesTheSettingsFileAtOnceAndNavigatesNothing)
{
    const QString page = u"http://chosen.velmora.example/start.html"_s;
    mainEngine(0).completeNavigation(page);
    ASSERT_FALSE(settingsWritten());
    const QStringList browser3Before = mainEngine(2).navigations();
    openHomePanel();
    ASSERT_TRUE(f().OptionHome[2].click());
    ASSERT_TRUE(f().CommandHomeOK.click());

    EXPECT_EQ(app->opt.MainBrowserHomePages[2], page);
    EXPECT_EQ(app->opt.HomePagesSaved[2], page);
    EXPECT_EQ(app->opt.MainBrowserHomePages[1], homePage(1));
    EXPECT_FALSE(f().FrameHome.isVisible());
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(mainEngine(2).navigations(), browser3Before);

    // The file on disk says so, read back as the next start reads it.
    ASSERT_TRUE(settingsWritten());
    OptionVars opt;
    ListVars lists;
    frmHid hid;
    DataFileVars files;
    const VelmoraContext c{app->prog, opt, lists, hid, files, u"http://product.example/"_s};
    ASSERT_EQ(SettingsFileLoad(c), SettingsForm::Current);
    EXPECT_EQ(opt.MainBrowserHomePages[2], page);
    EXPECT_EQ(opt.MainBrowserHomePages[0], homePage(0));
}

// The page on screen made its own browser's home page: Home has nowhere to go any more.
// Made another browser's, it stays as it was.
TEST_F(HomePanelTest, HomeFollowsThePanelsChoice)
{
    const QString page = u"http://chosen.velmora.example/start.html"_s;
    mainEngine(0).completeNavigation(page);
    ASSERT_TRUE(f().CommandNavigate[0].isEnabled());
    openHomePanel();
    ASSERT_TRUE(f().OptionHome[1].click());
    ASSERT_TRUE(f().CommandHomeOK.click());
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    openHomePanel();
    ASSERT_TRUE(f().OptionHome[0].click());
    ASSERT_TRUE(f().CommandHomeOK.click());
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    EXPECT_FALSE(f().CommandComNavigate[0].isEnabled());
}

TEST_F(HomePanelTest, ASettingsFileThatCannotBeWrittenIsToldOnceAndTheChoiceHolds)
{
    ASSERT_TRUE(testsupport::writeFile(dir.path() + u"/blocker"_s, "a file, not a folder"));
    app->prog.SettingsFilePath = dir.path() + u"/blocker/Set.Velmora"_s;
    mainEngine(0).completeNavigation(PlainPage);
    for (int option : {4, 3}) {
        openHomePanel();
        ASSERT_TRUE(f().OptionHome[option].click());
        ASSERT_TRUE(f().CommandHomeOK.click());
    }
    EXPECT_EQ(shown, QStringList{u"MessageErSaveSetVelmora"_s});
    // The choice holds for this run and is written again at exit.
    EXPECT_EQ(app->opt.MainBrowserHomePages[4], PlainPage);
    EXPECT_FALSE(f().FrameHome.isVisible());
}

TEST_F(HomePanelTest, ABrowserWithoutAPageStoresNoHomePageAndOkStoresThisPanelsPage)
{
    // Main browser 3 has never been shown: it has no page.
    f().CommandBrowser_Click(2);
    ASSERT_TRUE(f().currentBrowser()->locationURL().isEmpty());
    openHomePanel();
    ASSERT_TRUE(f().OptionHome[0].click());
    EXPECT_FALSE(f().CommandHomeOK.isEnabled());
    f().CommandHomeOK_Click();
    EXPECT_EQ(app->opt.MainBrowserHomePages[0], homePage(0));
    EXPECT_EQ(app->opt.HomePagesSaved[0], homePage(0));
    EXPECT_FALSE(settingsWritten());

    // A panel opened elsewhere meanwhile does not change the address this one offers.
    f().CommandBrowser_Click(0);
    mainEngine(0).completeNavigation(PlainPage);
    openHomePanel();
    p().MakeHomeAddress = NotedPage;
    ASSERT_TRUE(f().OptionHome[1].click());
    ASSERT_TRUE(f().CommandHomeOK.click());
    EXPECT_EQ(app->opt.MainBrowserHomePages[1], PlainPage);
}

TEST_F(HomePanelTest, CancelAndTypingInTheAddressBoxChangeNothing)
{
    mainEngine(0).completeNavigation(PlainPage);
    openHomePanel();
    ASSERT_TRUE(f().OptionHome[3].click());
    vb::TextBox& box = f().TextHome;
    box.type(u"http://typed.example/"_s);
    box.typeKey(8);
    box.paste(u"more"_s);
    // Enter is swallowed too: it does not press OK.
    box.typeKey(13);
    EXPECT_EQ(box.text(), PlainPage);
    EXPECT_TRUE(f().FrameHome.isVisible());
    EXPECT_EQ(p().MakeHomeAddress, PlainPage);

    ASSERT_TRUE(f().CommandHomeCancel.click());
    EXPECT_FALSE(f().FrameHome.isVisible());
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(app->opt.MainBrowserHomePages[i], homePage(i)) << i;
    EXPECT_FALSE(settingsWritten());
}

} // namespace
