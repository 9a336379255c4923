// A secondary window's page services: bookmark this page, the note panel, the home-page
// panel, Save and Print; and what the shared note and home-page variables must not mix up
// between windows.

#include "WebWindowFixture.h"

#include "ControlBookmark.h"

#include <QFile>
#include <QTest>

using namespace webwindowtest;
using namespace corvane;

namespace {

using PanelsTest = WebWindowTest;

TEST_F(PanelsTest, BookmarkAddsAtOnceThenSaysSoThenHides)
{
    frmWeb& w = openWindowAt(QStringLiteral("http://www.velmora.example/a.html"));
    ASSERT_TRUE(w.CommandPopBookmark.click());
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{QStringLiteral("velmora.example")});
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), QStringList{QStringLiteral("http://www.velmora.example/a.html")});
    EXPECT_EQ(app->lists.BookmarkLastIndex, 0);
    EXPECT_TRUE(w.FrameSmallPop[3].isVisible());
    EXPECT_EQ(w.FrameSmallPop[3].top(), 76);
    EXPECT_EQ(w.FrameSmallPop[3].left(), 224);

    ASSERT_TRUE(w.CommandPopBookmark.click());
    EXPECT_TRUE(w.FrameSmallPop[2].isVisible());
    EXPECT_FALSE(w.FrameSmallPop[3].isVisible());
    EXPECT_EQ(app->lists.BookmarkLastIndex, 0);
    ASSERT_TRUE(w.CommandPopBookmark.click());
    EXPECT_FALSE(w.FrameSmallPop[2].isVisible());
    EXPECT_EQ(app->lists.BookmarkLastIndex, 0);

    // "Click To Hide", on the label or the panel.
    ASSERT_TRUE(w.CommandPopBookmark.click());
    w.LabelSmallPop[2].click();
    EXPECT_FALSE(w.FrameSmallPop[2].isVisible());
}

TEST_F(PanelsTest, APageWithoutTitleAsksForANameAndResetRestoresIt)
{
    frmWeb& w = openWindowAt(QStringLiteral("file:///tmp/page.html"));
    ASSERT_EQ(w.PopTabTitles[0], QString());
    ASSERT_TRUE(w.CommandPopBookmark.click());
    ASSERT_TRUE(w.FrameSmallPop[1].isVisible());
    EXPECT_EQ(w.TextPopAddress.text(), QStringLiteral("file:///tmp/page.html"));
    EXPECT_FALSE(w.CommandPopMarkOK.isEnabled());
    EXPECT_FALSE(w.CommandPopMarkReset.isEnabled());
    w.TextPopMark.type(QStringLiteral("Local"));
    EXPECT_TRUE(w.CommandPopMarkOK.isEnabled());
    EXPECT_TRUE(w.CommandPopMarkReset.isEnabled());
    ASSERT_TRUE(w.CommandPopMarkReset.click());
    EXPECT_EQ(w.TextPopMark.text(), QString());
    EXPECT_EQ(w.TextPopAddress.text(), QStringLiteral("file:///tmp/page.html"));
    EXPECT_FALSE(w.CommandPopMarkReset.isEnabled());
    EXPECT_FALSE(w.CommandPopMarkOK.isEnabled());
    w.TextPopMark.type(QStringLiteral("Local"));
    w.TextPopMark.typeKey(13);
    EXPECT_FALSE(w.FrameSmallPop[1].isVisible());
    EXPECT_TRUE(w.FrameSmallPop[3].isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{QStringLiteral("Local")});
    // Cancel stores nothing.
    w.FrameSmallPop_Click(3);
    complete(w, 0, QStringLiteral("file:///tmp/other.html"));
    ASSERT_TRUE(w.CommandPopBookmark.click());
    w.TextPopMark.type(QStringLiteral("Other"));
    ASSERT_TRUE(w.CommandPopMarkCancel.click());
    EXPECT_EQ(app->lists.BookmarkLastIndex, 0);
}

TEST_F(PanelsTest, KeepNoteOnAPageWithoutANote)
{
    frmWeb& w = openWindowAt(site(1));
    ASSERT_TRUE(w.CommandPopNote.click());
    vb::Frame& note = w.FrameSmallPop[4];
    ASSERT_TRUE(note.isVisible());
    EXPECT_EQ(note.top(), 76);
    EXPECT_EQ(note.left(), 200);
    EXPECT_TRUE(w.TextPopNote[1].isVisible());
    EXPECT_TRUE(w.LabelPopNote[6].isVisible());
    EXPECT_TRUE(w.LabelPopNote[7].isVisible());
    EXPECT_FALSE(w.LabelPopNote[1].isVisible());
    EXPECT_FALSE(w.CommandPopNoteOK.isEnabled());
    EXPECT_FALSE(w.CommandPopNoteRemove.isEnabled());
    EXPECT_FALSE(w.CommandPopNoteEdit.isEnabled());
    w.TextPopNote[1].type(QStringLiteral("say \"hi\", then go"));
    EXPECT_EQ(w.TextPopNote[1].text(), QStringLiteral("say 'hi', then go"));
    EXPECT_TRUE(w.CommandPopNoteOK.isEnabled());
    // Enter is no shortcut for Save here.
    w.TextPopNote[1].typeKey(13);
    EXPECT_TRUE(note.isVisible());
    ASSERT_TRUE(w.CommandPopNoteOK.click());
    EXPECT_FALSE(note.isVisible());
    EXPECT_EQ(app->hid.ComboNotePage.items(), QStringList{site(1)});
    EXPECT_TRUE(app->hid.ComboNoteThis.List(0).startsWith(QStringLiteral("say 'hi', then go")));
    EXPECT_TRUE(app->lists.NotesChanged);

    // Opened again, it shows the note; Edit, change, Save replaces it.
    ASSERT_TRUE(w.CommandPopNote.click());
    EXPECT_TRUE(w.LabelPopNote[1].isVisible());
    EXPECT_FALSE(w.TextPopNote[1].isVisible());
    ASSERT_TRUE(w.CommandPopNoteEdit.click());
    EXPECT_TRUE(w.TextPopNote[1].isVisible());
    EXPECT_EQ(w.TextPopNote[1].selLength(), w.TextPopNote[1].text().size());
    w.TextPopNote[1].setText(QStringLiteral("changed"));
    ASSERT_TRUE(w.CommandPopNoteOK.click());
    EXPECT_EQ(app->hid.ComboNoteThis.items(), QStringList{QStringLiteral("changed")});
    // Delete.
    ASSERT_TRUE(w.CommandPopNote.click());
    ASSERT_TRUE(w.CommandPopNoteRemove.click());
    EXPECT_EQ(app->hid.ComboNotePage.ListCount(), 0);
    EXPECT_EQ(app->lists.NotesLastIndex, -1);
    // A note cannot be longer than 150 characters.
    ASSERT_TRUE(w.CommandPopNote.click());
    w.TextPopNote[1].type(QString(160, QLatin1Char('a')));
    EXPECT_EQ(w.TextPopNote[1].text().size(), 150);
}

// Each window's note panel keeps its own state: a second window's page with a note
// arrives while the first window's panel is open on its own note.
TEST_F(PanelsTest, ANoteOpenedInAnotherWindowMeanwhileIsNotOverwritten)
{
    NoteAdd(*app, site(1), QStringLiteral("first"));
    NoteAdd(*app, site(2), QStringLiteral("second"));
    app->lists.ShowNotes = true;
    frmWeb& a = openWindowAt(site(1));
    ASSERT_TRUE(a.FrameSmallPop[4].isVisible());
    ASSERT_TRUE(a.CommandPopNoteEdit.click());
    frmWeb& b = openWindowAt(site(2));
    ASSERT_EQ(b.PopNote.CurrentNoteIndex, 1);
    EXPECT_EQ(a.PopNote.CurrentNoteIndex, 0);
    EXPECT_TRUE(a.PopNote.NoteEditing);
    a.TextPopNote[1].setText(QStringLiteral("first, edited"));
    ASSERT_TRUE(a.CommandPopNoteOK.click());
    EXPECT_EQ(app->hid.ComboNoteThis.items(), (QStringList{QStringLiteral("first, edited"), QStringLiteral("second")}));
    EXPECT_EQ(app->hid.ComboNotePage.items(), (QStringList{site(1), site(2)}));
    // Delete in the second window, after the first window opened its panel again.
    ASSERT_TRUE(a.CommandPopNote.click());
    ASSERT_TRUE(b.CommandPopNoteRemove.click());
    EXPECT_EQ(app->hid.ComboNotePage.items(), QStringList{site(1)});
}

// An edited note stays one note and shows its new text, whatever a secondary window's
// page or panel did meanwhile; a note saved for one page from two windows is one note.
TEST_F(PanelsTest, AnEditedNoteStaysOneNoteAndShowsItsNewText)
{
    frmMain& main = startMainWindowOnHomePage();
    const QString noted = site(1);
    NoteAdd(*app, noted, QStringLiteral("old text"));
    app->lists.ShowNotes = true;
    engineOf(main.WebBrowser[0]).completeNavigation(noted);
    ASSERT_TRUE(main.FrameNote.isVisible());
    ASSERT_EQ(main.LabelNote[1].caption(), QStringLiteral("old text"));

    // A window's page without a note arrives and its note panel opens.
    frmWeb& w = openWindowAt(site(2));
    ASSERT_TRUE(w.CommandPopNote.click());
    ASSERT_TRUE(w.FrameSmallPop[4].isVisible());

    // The main window's note is edited and saved.
    ASSERT_TRUE(main.CommandNoteEdit.click());
    auto* box = main.TextNote[1].widget();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("new text"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(app->hid.ComboNotePage.items(), QStringList{noted});
    EXPECT_EQ(app->hid.ComboNoteThis.items(), QStringList{QStringLiteral("new text")});
    EXPECT_EQ(app->lists.NotesLastIndex, 0);
    // Visited again, the page shows the new text.
    engineOf(main.WebBrowser[0]).completeNavigation(site(3));
    engineOf(main.WebBrowser[0]).completeNavigation(noted);
    EXPECT_EQ(main.LabelNote[1].caption(), QStringLiteral("new text"));

    // Both windows write a note for the secondary window's page: one note, the last text.
    frmWeb& v = openWindowAt(site(2));
    ASSERT_TRUE(v.CommandPopNote.click());
    v.TextPopNote[1].setText(QStringLiteral("from v"));
    ASSERT_TRUE(v.CommandPopNoteOK.click());
    w.TextPopNote[1].setText(QStringLiteral("from w"));
    ASSERT_TRUE(w.CommandPopNoteOK.click());
    EXPECT_EQ(app->hid.ComboNotePage.items(), (QStringList{noted, site(2)}));
    EXPECT_EQ(app->hid.ComboNoteThis.items(), (QStringList{QStringLiteral("new text"), QStringLiteral("from w")}));
}

TEST_F(PanelsTest, DoNotShowNotesTurnsThemOff)
{
    NoteAdd(*app, site(1), QStringLiteral("note"));
    app->lists.ShowNotes = true;
    frmWeb& w = openWindowAt(site(1));
    ASSERT_TRUE(w.CommandPopNoteNoShow.click());
    EXPECT_FALSE(app->lists.ShowNotes);
    EXPECT_FALSE(w.FrameSmallPop[4].isVisible());
    complete(w, 0, site(1));
    EXPECT_FALSE(w.FrameSmallPop[4].isVisible());
}

TEST_F(PanelsTest, SetAsHomePage)
{
    const QString page = QStringLiteral("http://www.velmora.example/home.html");
    for (int i = 0; i <= 5; ++i)
        app->opt.MainBrowserHomePages[i] = app->opt.HomePagesSaved[i] = QStringLiteral("http://h%1.example/").arg(i);
    app->opt.MainBrowserHomePages[2] = app->opt.HomePagesSaved[2] = page;
    frmWeb& w = openWindowAt(page);
    ASSERT_TRUE(w.CommandPopMakeHome.click());
    vb::Frame& panel = w.FrameSmallPop[5];
    ASSERT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.left(), 368);
    EXPECT_EQ(w.TextPopHome.text(), page);
    EXPECT_EQ(w.LabelHeadHomeAlready.caption(), QStringLiteral("This web page is already Home Page of your Browser #3"));
    EXPECT_FALSE(w.OptionPopHome[2].isEnabled());
    EXPECT_TRUE(w.OptionPopHome[0].isEnabled());
    EXPECT_TRUE(w.OptionPopHome[6].value());
    EXPECT_FALSE(w.CommandPopHomeOK.isEnabled());
    for (bool differs : app->panel.HomePageDiffers)
        EXPECT_FALSE(differs);
    // Typing in the address changes nothing.
    w.TextPopHome.type(QStringLiteral("x"));
    EXPECT_EQ(w.TextPopHome.text(), page);

    w.OptionPopHome[0].click();
    EXPECT_TRUE(w.CommandPopHomeOK.isEnabled());
    w.OptionPopHome[6].click();
    EXPECT_FALSE(w.CommandPopHomeOK.isEnabled());
    w.OptionPopHome[0].click();
    ASSERT_TRUE(w.CommandPopHomeOK.click());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(app->opt.MainBrowserHomePages[0], page);
    EXPECT_EQ(app->opt.HomePagesSaved[0], page);
    const QByteArray file = testsupport::readFile(app->prog.SettingsFilePath);
    EXPECT_TRUE(file.contains(page.toUtf8()));

    // Opened again: "No Browser" is the choice.
    ASSERT_TRUE(w.CommandPopMakeHome.click());
    EXPECT_EQ(w.PopHomeChoice, 6);
    EXPECT_FALSE(w.CommandPopHomeOK.isEnabled());
    EXPECT_FALSE(w.OptionPopHome[0].isEnabled());
}

// The address offered is one variable for every window: the panel's OK stores the address
// that this panel offered.
TEST_F(PanelsTest, HomePageOKStoresThisPanelsPage)
{
    frmWeb& a = openWindowAt(site(1));
    frmWeb& b = openWindowAt(site(2));
    ASSERT_TRUE(a.CommandPopMakeHome.click());
    ASSERT_TRUE(b.CommandPopMakeHome.click());
    ASSERT_EQ(app->panel.MakeHomeAddress, site(2));
    a.OptionPopHome[4].click();
    ASSERT_TRUE(a.CommandPopHomeOK.click());
    EXPECT_EQ(app->opt.MainBrowserHomePages[4], site(1));
    EXPECT_EQ(app->opt.HomePagesSaved[4], site(1));
}

// A window's page made the home page of the main browser on screen, while the main window
// shows that very page: the main window's Home has nowhere to go any more.
TEST_F(PanelsTest, HomePageOKReachesTheMainWindowsHomeButton)
{
    corvane::frmMain& main = startMainWindowOnHomePage();
    engineOf(main.WebBrowser[0]).completeNavigation(site(1));
    ASSERT_TRUE(main.CommandNavigate[0].isEnabled());
    frmWeb& w = openWindowAt(site(1));
    ASSERT_TRUE(w.CommandPopMakeHome.click());
    w.OptionPopHome[0].click();
    ASSERT_TRUE(w.CommandPopHomeOK.click());
    ASSERT_EQ(app->opt.MainBrowserHomePages[0], site(1));
    EXPECT_FALSE(main.CommandNavigate[0].isEnabled());
    EXPECT_FALSE(main.CommandComNavigate[0].isEnabled());
}

TEST_F(PanelsTest, SaveAndPrintUseTheControlsDialogsAndLeaveTwoPanels)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, 2);
    ASSERT_TRUE(w.CommandPopBookmark.click());
    ASSERT_TRUE(w.FrameSmallPop[3].isVisible());
    ASSERT_TRUE(w.CommandPopClose[2].click());
    ASSERT_TRUE(w.FrameSmallPop[6].isVisible());
    w.FrameSmallPop[3].setVisible(true);
    ASSERT_TRUE(w.CommandPopSave.click());
    ASSERT_TRUE(w.CommandPopPrint.click());
    EXPECT_TRUE(w.FrameSmallPop[3].isVisible());
    EXPECT_TRUE(w.FrameSmallPop[6].isVisible());
    vb::ScriptedWebEngine& e = engineOf(w, 2);
    EXPECT_EQ(e.saveCalls(), 1);
    EXPECT_EQ(e.printCalls(), 1);
    EXPECT_TRUE(e.lastPrompt());
    // The same from the "Controls" frame, and the note panel goes.
    ASSERT_TRUE(w.CommandPopNote.click());
    w.CommandPopPage_Click(4);
    EXPECT_EQ(e.printCalls(), 2);
    EXPECT_FALSE(w.FrameSmallPop[4].isVisible());
    w.CommandPopPage_Click(0);
    EXPECT_TRUE(w.FrameSmallPop[2].isVisible());
}

// A reused tab slot whose first page never arrives has no address and no title: it is not
// bookmarked, and the bookmark panel asks for both.
TEST_F(PanelsTest, AReusedTabWhosePageNeverArrivedIsNotBookmarked)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    ASSERT_TRUE(w.CommandPopClose[1].click());
    ASSERT_EQ(w.PopTabTitles[1], QStringLiteral("Closed"));
    vb::WebBrowser* target = engineOf(w, 0).fireNewWindow2();
    ASSERT_EQ(slotOf(w, target), 1);
    EXPECT_TRUE(w.PopTabTitles[1].isEmpty());
    engineOf(*target).fireBeforeNavigate2();
    engineOf(*target).fireNavigateError();
    ASSERT_EQ(w.PopTabCurrent, 1);
    ASSERT_TRUE(w.CommandPopBookmark.click());
    EXPECT_EQ(app->lists.BookmarkLastIndex, -1);
    EXPECT_TRUE(app->hid.ComboMarkAddress.items().isEmpty());
    EXPECT_TRUE(w.FrameSmallPop[1].isVisible());
    EXPECT_FALSE(w.FrameSmallPop[3].isVisible());
    EXPECT_FALSE(w.CommandPopMarkOK.isEnabled());
}

// A tab whose page has no short name (a local file) is bookmarked under its address.
TEST_F(PanelsTest, SelectedTabsWithoutAShortNameAreBookmarkedUnderTheirAddress)
{
    const QString local = QStringLiteral("file:///home/user/notes.html");
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, local), 1);
    ASSERT_EQ(openTab(w, 1, site(2)), 2);
    ASSERT_TRUE(w.PopTabTitles[1].isEmpty());
    // The Select Tabs panel.
    ASSERT_TRUE(w.CommandPopClose[2].click());
    w.CheckSelectPopTab[1].setValue(1);
    w.CheckSelectPopTab[2].setValue(1);
    ASSERT_TRUE(w.CommandPopSelectClose[2].click());
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{local, QStringLiteral("site2.velmora")}));
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), (QStringList{local, site(2)}));
}

// A window without a page offers no address to make a home page, and stores none.
TEST_F(PanelsTest, AWindowWithoutAPageStoresNoHomePage)
{
    for (int i = 0; i <= 5; ++i)
        app->opt.MainBrowserHomePages[i] = app->opt.HomePagesSaved[i] = QStringLiteral("http://h%1.example/").arg(i);
    frmWeb& w = openWindow();
    ASSERT_TRUE(w.BrowserPop[0].locationURL().isEmpty());
    ASSERT_TRUE(w.CommandPopMakeHome.click());
    ASSERT_TRUE(w.FrameSmallPop[5].isVisible());
    EXPECT_TRUE(w.TextPopHome.text().isEmpty());
    w.OptionPopHome[0].click();
    EXPECT_FALSE(w.CommandPopHomeOK.isEnabled());
    w.CommandPopHomeOK_Click();
    EXPECT_EQ(app->opt.MainBrowserHomePages[0], QStringLiteral("http://h0.example/"));
    EXPECT_EQ(app->opt.HomePagesSaved[0], QStringLiteral("http://h0.example/"));
    EXPECT_FALSE(QFile::exists(app->prog.SettingsFilePath));
}

} // namespace
