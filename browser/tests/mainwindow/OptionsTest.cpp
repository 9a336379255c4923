// The options dialog: when OK and Default are offered, the number box's key filter, what
// OK, Default and Cancel apply and store, and how a new number of main browsers reaches
// the main window.

#include "DialogsFixture.h"

#include "ControlButton.h"
#include "UserInput.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>

using namespace corvane;
using dialogstest::DialogsFixture;

namespace {

class Options : public DialogsFixture {
protected:
    // The settings file's items, quotes taken off.
    QStringList settingsItems() const
    {
        QStringList items = QString::fromUtf8(testsupport::readFile(app->prog.SettingsFilePath)).split(QStringLiteral("\r\n"));
        if (!items.isEmpty() && items.last().isEmpty())
            items.removeLast();
        for (QString& i : items)
            if (i.startsWith(u'"') && i.endsWith(u'"'))
                i = i.mid(1, i.size() - 2);
        return items;
    }
    bool historyFileExists() const { return QFile::exists(app->prog.HistoryFilePath); }
    void writeHistoryFile() const { ASSERT_TRUE(testsupport::writeFile(app->prog.HistoryFilePath, "\"a\",\"\",\"\",\"\",\"\",\"\"\r\n")); }
    void keepHistory(int mask)
    {
        app->opt.HistoryMask = mask;
        HistoryMaskUnpack(app->set, mask);
    }
    // The options as the product ships them, with main browser 1 current.
    void atDefaults()
    {
        app->opt.MainBrowserHomePages[0] = app->productPageAddress();
        app->opt.HomePagesSaved[0] = app->productPageAddress();
    }
    bool closed() const { return !options || !options->isLoaded(); }
};

} // namespace

TEST_F(Options, LoadShowsTheCurrentOptionsWithOkDisabled)
{
    startMainWindow(2);
    f().CommandBrowser_Click(1);
    app->profile.Nickname = QStringLiteral("Ann");
    keepHistory(5);
    app->opt.NewWindowSeparate = true;
    app->opt.ShowPageButtons = true;
    frmOptions& o = openOptions();

    EXPECT_EQ(o.caption(), QStringLiteral("Corvane - Ann"));
    EXPECT_EQ(o.LabelHomePage.caption(), QStringLiteral("Home Page of Browser #2"));
    EXPECT_EQ(o.TextHomePage.text(), homes[1]);
    EXPECT_EQ(o.TextBrowserNum.text(), QStringLiteral("3"));
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(o.CheckHistBrow[i].value(), i == 0 || i == 2 ? 1 : 0) << i;
    EXPECT_EQ(o.CheckNewWindow.value(), 1);
    EXPECT_EQ(o.CheckNote.value(), 0);
    EXPECT_EQ(o.CheckPage.value(), 1);
    EXPECT_FALSE(o.CommandOptOK.isEnabled());
    EXPECT_TRUE(o.CommandOptDefault.isEnabled());

    app->profile.Nickname = QStringLiteral("myFriend");
    EXPECT_EQ(openOptions().caption(), QStringLiteral("Corvane"));
}

TEST_F(Options, OkIsOfferedOnlyWhileTheOptionsDifferFromThoseAtOpening)
{
    startMainWindow(0);
    app->opt.ShowNotesAtStart = true;
    frmOptions& o = openOptions();
    vb::CommandButton& ok = o.CommandOptOK;

    o.TextHomePage.setText(QStringLiteral("https://other.velmora.example/"));
    EXPECT_TRUE(ok.isEnabled());
    o.TextHomePage.setText(homes[0]);
    EXPECT_FALSE(ok.isEnabled());
    // An empty box stands for the stored page: nothing changed.
    o.TextHomePage.setText(QString());
    EXPECT_FALSE(ok.isEnabled());
    EXPECT_EQ(o.EditedHomePage, homes[0]);

    o.TextBrowserNum.setText(QString());
    o.TextBrowserNum.type(QStringLiteral("4"));
    EXPECT_TRUE(ok.isEnabled());
    o.TextBrowserNum.setText(QStringLiteral("1"));
    EXPECT_FALSE(ok.isEnabled());

    o.CheckHistBrow[3].click();
    EXPECT_TRUE(ok.isEnabled());
    o.CheckHistBrow[3].click();
    EXPECT_FALSE(ok.isEnabled());

    // The three start-up choices, off and on at opening alike.
    for (vb::CheckBox* box : {&o.CheckNewWindow, &o.CheckNote, &o.CheckPage}) {
        box->click();
        EXPECT_TRUE(ok.isEnabled());
        box->click();
        EXPECT_FALSE(ok.isEnabled());
    }

    // Two changes, one undone: still a change. Opposite changes of two choices do not
    // cancel each other out either.
    o.CheckPage.click();
    o.CheckHistBrow[0].click();
    o.CheckHistBrow[0].click();
    EXPECT_TRUE(ok.isEnabled());
    o.CheckNote.click();
    EXPECT_TRUE(ok.isEnabled());
    o.CheckPage.click();
    o.CheckNote.click();
    EXPECT_FALSE(ok.isEnabled());
}

TEST_F(Options, DefaultIsOfferedOnlyWhenSomeOptionIsNotAtItsDefault)
{
    startMainWindow(0);
    atDefaults();
    // The other browsers' home pages do not count.
    EXPECT_FALSE(openOptions().CommandOptDefault.isEnabled());

    const std::vector<std::function<void()>> offDefault{
        [this] { app->opt.MainBrowserHomePages[0] = homes[0]; },
        [this] { app->opt.MainBrowserLastIndex = 1; },
        [this] { keepHistory(32); },
        [this] { app->opt.NewWindowSeparate = true; },
        [this] { app->opt.ShowNotesAtStart = true; },
        [this] { app->opt.ShowPageButtons = true; },
    };
    for (size_t k = 0; k < offDefault.size(); ++k) {
        const OptionVars saved = app->opt;
        const BrowserSet savedSet = app->set;
        offDefault[k]();
        EXPECT_TRUE(openOptions().CommandOptDefault.isEnabled()) << k;
        app->opt = saved;
        app->set = savedSet;
    }
}

TEST_F(Options, TheNumberBoxTakesOneCharacterFromOneToSix)
{
    startMainWindow(0);
    frmOptions& o = openOptions();
    struct Case {
        char typed;
        const char* shown;
        int lastIndex;
    };
    for (const Case c : {Case{'0', "1", 0}, Case{'9', "6", 5}, Case{'a', "6", 5}, Case{' ', "1", 0}, Case{'4', "4", 3}}) {
        o.TextBrowserNum.setText(QString());
        o.TextBrowserNum.typeKey(c.typed);
        EXPECT_EQ(o.TextBrowserNum.text(), QLatin1String(c.shown)) << c.typed;
        EXPECT_EQ(o.EditedBrowserLastIndex, c.lastIndex) << c.typed;
    }
    // One character at most; Backspace passes; an empty box counts as one browser.
    o.TextBrowserNum.typeKey('2');
    EXPECT_EQ(o.TextBrowserNum.text(), QStringLiteral("4"));
    o.TextBrowserNum.typeKey(8);
    EXPECT_EQ(o.TextBrowserNum.text(), QString());
    EXPECT_EQ(o.EditedBrowserLastIndex, 0);
    // Pasted text passes the same filter.
    o.TextBrowserNum.paste(QStringLiteral("8"));
    EXPECT_EQ(o.TextBrowserNum.text(), QStringLiteral("6"));
}

// The same rule for the keyboard the user holds: keys sent to the box that has the focus.
TEST_F(Options, TheNumberBoxOnTheKeyboardShowsOnlyOneToSixAndOkSavesWhatItShows)
{
    using testsupport::pressKey;
    using testsupport::typeText;
    startMainWindow(2);
    frmOptions& o = openOptions();
    o.show();
    ASSERT_TRUE(testsupport::activateWindowOf(o.window()));
    vb::TextBox& box = o.TextBrowserNum;
    ASSERT_EQ(testsupport::clickInto(box.widget()), box.widget());
    ASSERT_EQ(box.text(), QStringLiteral("3"));

    // Delete deletes; it is no typed character, so it never turns into a "6".
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Delete);
    EXPECT_EQ(box.text(), QString());
    EXPECT_EQ(o.EditedBrowserLastIndex, 0);
    pressKey(Qt::Key_Delete);
    pressKey(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(box.text(), QString());

    typeText(QStringLiteral("9"));
    EXPECT_EQ(box.text(), QStringLiteral("6"));
    typeText(QStringLiteral("2")); // one character at most
    EXPECT_EQ(box.text(), QStringLiteral("6"));
    pressKey(Qt::Key_Backspace);
    typeText(QStringLiteral(" "));
    EXPECT_EQ(box.text(), QStringLiteral("1"));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(QStringLiteral("x"));
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("6"));
    // Undo could only bring back what a key could have typed.
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("1"));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeText(QStringLiteral("5"));
    pressKey(Qt::Key_End);
    pressKey(Qt::Key_Delete);
    EXPECT_EQ(box.text(), QStringLiteral("5"));
    EXPECT_EQ(o.EditedBrowserLastIndex, 4);

    ASSERT_TRUE(o.CommandOptOK.isEnabled());
    testsupport::clickInto(o.CommandOptOK.widget());
    EXPECT_TRUE(closed());
    EXPECT_EQ(app->opt.MainBrowserLastIndex, 4);
    EXPECT_EQ(settingsItems().value(8), QStringLiteral("4"));

    // An emptied box shows no number: one main browser.
    frmOptions& again = openOptions();
    again.show();
    ASSERT_TRUE(testsupport::activateWindowOf(again.window()));
    ASSERT_EQ(testsupport::clickInto(again.TextBrowserNum.widget()), again.TextBrowserNum.widget());
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_Delete);
    ASSERT_EQ(again.TextBrowserNum.text(), QString());
    testsupport::clickInto(again.CommandOptOK.widget());
    EXPECT_TRUE(closed());
    EXPECT_EQ(app->opt.MainBrowserLastIndex, 0);
    EXPECT_EQ(settingsItems().value(8), QStringLiteral("0"));
}

TEST_F(Options, TheHomePageBoxTakesWhatIsTypedIntoIt)
{
    using testsupport::pressKey;
    startMainWindow(0);
    frmOptions& o = openOptions();
    o.show();
    ASSERT_TRUE(testsupport::activateWindowOf(o.window()));
    ASSERT_EQ(testsupport::clickInto(o.TextHomePage.widget()), o.TextHomePage.widget());
    pressKey(Qt::Key_End);
    pressKey(Qt::Key_Backspace);
    EXPECT_TRUE(o.CommandOptOK.isEnabled());
    testsupport::typeText(QStringLiteral("/"));
    EXPECT_FALSE(o.CommandOptOK.isEnabled()) << "back to the stored page";
    pressKey(Qt::Key_A, Qt::ControlModifier);
    testsupport::typeText(QStringLiteral("https://typed.velmora.example/"));
    pressKey(Qt::Key_Return); // the box has no rule for Enter
    EXPECT_EQ(o.TextHomePage.text(), QStringLiteral("https://typed.velmora.example/"));
    testsupport::clickInto(o.CommandOptOK.widget());
    EXPECT_TRUE(closed());
    EXPECT_EQ(app->opt.MainBrowserHomePages[0], QStringLiteral("https://typed.velmora.example/"));
}

TEST_F(Options, OkAppliesStoresAndUnloads)
{
    startMainWindow(0);
    app->lists.ShowNotes = true;
    app->opt.ShowNotesAtStart = true;
    f().CommandView[0].setEnabled(false);
    frmOptions& o = openOptions();
    o.TextHomePage.setText(QStringLiteral("https://mine.velmora.example/"));
    o.CheckHistBrow[1].click();
    o.CheckNewWindow.click();
    o.CheckNote.click();
    o.CheckPage.click();
    o.CommandOptOK.click();

    const OptionVars& opt = app->opt;
    EXPECT_EQ(opt.MainBrowserHomePages[0], QStringLiteral("https://mine.velmora.example/"));
    EXPECT_EQ(opt.HomePagesSaved[0], QStringLiteral("https://mine.velmora.example/"));
    EXPECT_EQ(opt.HistoryMask, 2);
    EXPECT_TRUE(s().MainBrowserKeepsHistory[1]);
    EXPECT_TRUE(opt.NewWindowSeparate);
    EXPECT_FALSE(opt.ShowNotesAtStart);
    EXPECT_FALSE(app->lists.ShowNotes);
    EXPECT_TRUE(opt.ShowPageButtons);
    // Notes went off: the View menu's first item is usable.
    EXPECT_TRUE(f().CommandView[0].isEnabled());
    EXPECT_TRUE(closed());

    const QStringList items = settingsItems();
    ASSERT_EQ(items.size(), 15);
    EXPECT_EQ(items[1], QStringLiteral("2"));
    EXPECT_EQ(items[3], QStringLiteral("1"));
    EXPECT_EQ(items[4], QStringLiteral("1"));
    EXPECT_EQ(items[6], QStringLiteral("0"));
    EXPECT_EQ(items[9], QStringLiteral("https://mine.velmora.example/"));
    EXPECT_EQ(items[10], homes[1]);
}

// Home is offered while the browser on screen is away from its home page: a home page
// changed in the dialog counts at once, and a user's click on Home goes to the new one.
TEST_F(Options, HomeFollowsAHomePageChangedInTheDialog)
{
    startMainWindow(0);
    ASSERT_FALSE(f().CommandNavigate[0].isEnabled());
    frmOptions& o = openOptions();
    o.TextHomePage.setText(QStringLiteral("https://mine.velmora.example/"));
    o.CommandOptOK.click();
    ASSERT_TRUE(closed());
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    EXPECT_TRUE(f().CommandComNavigate[0].isEnabled());
    QWidget* home = f().CommandNavigate[0].widget();
    QTest::mouseClick(home, Qt::LeftButton, {}, home->rect().center());
    EXPECT_EQ(mainEngine(0).lastNavigation(), QStringLiteral("https://mine.velmora.example/"));
    mainEngine(0).completeNavigation(QStringLiteral("https://mine.velmora.example/"));
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());

    // The page on screen made the home page: nothing is left to go to.
    mainEngine(0).completeNavigation(QStringLiteral("https://other.velmora.example/"));
    ASSERT_TRUE(f().CommandNavigate[0].isEnabled());
    frmOptions& again = openOptions();
    again.TextHomePage.setText(QStringLiteral("https://other.velmora.example/"));
    again.CommandOptOK.click();
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    EXPECT_FALSE(f().CommandComNavigate[0].isEnabled());

    // Default puts back the product's page: Home is offered again.
    openOptions().CommandOptDefault.click();
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
}

TEST_F(Options, UncheckingEveryHistoryBoxAndOkDeletesTheHistoryFile)
{
    startMainWindow(0);
    keepHistory(5);
    writeHistoryFile();

    // Fewer browsers keeping history: the file stays.
    frmOptions& first = openOptions();
    first.CheckHistBrow[2].click();
    first.CommandOptOK.click();
    EXPECT_EQ(app->opt.HistoryMask, 1);
    EXPECT_TRUE(historyFileExists());

    frmOptions& o = openOptions();
    o.CheckHistBrow[0].click();
    o.CommandOptOK.click();
    EXPECT_EQ(app->opt.HistoryMask, 0);
    for (bool keeps : s().MainBrowserKeepsHistory)
        EXPECT_FALSE(keeps);
    EXPECT_FALSE(historyFileExists());
}

TEST_F(Options, CancelAndClosingTheWindowApplyNothing)
{
    startMainWindow(0);
    const OptionVars before = app->opt;
    const QByteArray settingsBefore = testsupport::readFile(app->prog.SettingsFilePath);
    frmOptions& o = openOptions();
    o.TextHomePage.setText(QStringLiteral("https://other.velmora.example/"));
    o.TextBrowserNum.setText(QStringLiteral("5"));
    o.CheckNote.click();
    o.CommandOptCancel.click();
    EXPECT_TRUE(closed());

    frmOptions& again = openOptions();
    again.CheckPage.click();
    again.CheckHistBrow[0].click();
    EXPECT_TRUE(again.windowCloseRequested());
    EXPECT_TRUE(closed());

    EXPECT_EQ(app->opt.MainBrowserHomePages, before.MainBrowserHomePages);
    EXPECT_EQ(app->opt.MainBrowserLastIndex, 0);
    EXPECT_FALSE(app->opt.ShowNotesAtStart);
    EXPECT_FALSE(app->opt.ShowPageButtons);
    EXPECT_EQ(app->opt.HistoryMask, 0);
    EXPECT_EQ(testsupport::readFile(app->prog.SettingsFilePath), settingsBefore);
    EXPECT_FALSE(f().WebBrowser.exists(1));
}

TEST_F(Options, MoreBrowsersAreLoadedHiddenAtTheBrowserPlaceAndOffered)
{
    startMainWindow(0);
    frmOptions& o = openOptions();
    o.TextBrowserNum.setText(QStringLiteral("3"));
    o.CommandOptOK.click();

    EXPECT_EQ(s().MainBrowserLastLoaded, 2);
    EXPECT_EQ(settingsItems().value(8), QStringLiteral("2"));
    const QRect place(s().BrowserLeft, s().BrowserTop, s().BrowserWidth, s().BrowserHeight);
    for (int g = 1; g <= 2; ++g) {
        ASSERT_TRUE(f().WebBrowser.exists(g));
        EXPECT_FALSE(f().WebBrowser[g].isVisible());
        EXPECT_EQ(QRect(f().WebBrowser[g].left(), f().WebBrowser[g].top(), f().WebBrowser[g].width(), f().WebBrowser[g].height()),
                  place);
        EXPECT_FALSE(f().WebBrowser[g].hasEngine()); // nothing loaded before its first show
    }
    EXPECT_FALSE(f().WebBrowser.exists(3));
    EXPECT_TRUE(f().WebBrowser[0].isVisible());
    for (int i = 0; i <= 5; ++i) {
        EXPECT_EQ(f().CommandBrowser[i].isVisible(), i <= 2) << i;
        EXPECT_EQ(f().LabelShowBrowser[i].isVisible(), i <= 2) << i;
    }
    EXPECT_EQ(f().LabelBrowser[2].caption(), QStringLiteral("3"));
    EXPECT_TRUE(testsupport::samePicture(f().CommandShowBrowser[1].picture(), f().BButton[5].picture()));
    EXPECT_TRUE(f().FrameShowBrowser.isVisible());
    EXPECT_EQ(f().FrameShowBrowser.width(), 2 * 495 + 840);
    EXPECT_TRUE(f().CommandOne[7].isEnabled());

    // The new browser is switched to like any other: its home page on its first show.
    f().CommandBrowser_Click(2);
    EXPECT_EQ(mainEngine(2).lastNavigation(), homes[2]);
}

TEST_F(Options, FewerBrowsersThanTheCurrentOneSwitchesToTheHighestLeftAndShowsIt)
{
    startMainWindow(3);
    f().CommandBrowser_Click(3);
    mainEngine(3).completeNavigation(homes[3]);
    ASSERT_EQ(s().MainBrowserIndex, 3);

    frmOptions& o = openOptions();
    o.TextBrowserNum.setText(QStringLiteral("2"));
    o.CommandOptOK.click();

    EXPECT_EQ(s().MainBrowserIndex, 1);
    EXPECT_TRUE(s().MainBrowserCurrent);
    EXPECT_FALSE(f().WebBrowser.exists(2));
    EXPECT_FALSE(f().WebBrowser.exists(3));
    // Browser 2 was never shown: it goes to its home page now.
    EXPECT_FALSE(s().MainBrowserNotShown[1]);
    EXPECT_TRUE(s().PopupGuard);
    EXPECT_EQ(mainEngine(1).navigations(), QStringList{homes[1]});
    EXPECT_TRUE(f().WebBrowser[1].isVisible());
    EXPECT_FALSE(f().WebBrowser[0].isVisible());
    EXPECT_EQ(f().LabelBrowser[1].caption(), QStringLiteral("Browser"));
    EXPECT_EQ(f().LabelShowBrowser[1].backStyle(), 1);
    EXPECT_EQ(f().LabelShowBrowser[0].backStyle(), 0);
    EXPECT_FALSE(f().CommandBrowser[2].isVisible());
    EXPECT_FALSE(f().LabelShowBrowser[3].isVisible());
    EXPECT_EQ(f().FrameShowBrowser.width(), 495 + 840);
    EXPECT_EQ(s().MainBrowserLastLoaded, 1);

    // Its page arrives and the display follows it.
    mainEngine(1).completeNavigation(homes[1]);
    EXPECT_EQ(f().ComboLocation.text(), homes[1]);
    EXPECT_EQ(f().LabelCurrentBrowser[0].caption(), QStringLiteral("Current Browser :: Main Browser #2"));

    // Down to one browser: browser 1 was shown before, so nothing is navigated.
    const int before = static_cast<int>(mainEngine(0).navigations().size());
    frmOptions& one = openOptions();
    one.TextBrowserNum.setText(QStringLiteral("1"));
    one.CommandOptOK.click();
    EXPECT_EQ(s().MainBrowserIndex, 0);
    EXPECT_EQ(mainEngine(0).navigations().size(), before);
    EXPECT_TRUE(f().WebBrowser[0].isVisible());
    EXPECT_FALSE(f().WebBrowser.exists(1));
    EXPECT_FALSE(f().FrameShowBrowser.isVisible());
    EXPECT_FALSE(f().CommandOne[7].isEnabled());
    EXPECT_EQ(f().ComboLocation.text(), homes[0]);
}

TEST_F(Options, ABrowserTakenAwayAndOfferedAgainStartsAfresh)
{
    startMainWindow(1);
    f().CommandBrowser_Click(1);
    mainEngine(1).completeNavigation(homes[1]);
    f().CommandBrowser_Click(0);
    ASSERT_TRUE(s().MainBrowserHasHistory[1]);

    frmOptions& fewer = openOptions();
    fewer.TextBrowserNum.setText(QStringLiteral("1"));
    fewer.CommandOptOK.click();
    frmOptions& more = openOptions();
    more.TextBrowserNum.setText(QStringLiteral("2"));
    more.CommandOptOK.click();

    ASSERT_TRUE(f().WebBrowser.exists(1));
    EXPECT_FALSE(s().MainBrowserHasHistory[1]);
    f().CommandBrowser_Click(1);
    EXPECT_EQ(mainEngine(1).navigations(), QStringList{homes[1]});
}

TEST_F(Options, ABrowserLoadingWhenItIsTakenAwayStopsTheBusyAnimation)
{
    startMainWindow(1);
    f().CommandBrowser_Click(1);
    mainEngine(1).fireBeforeNavigate2();
    mainEngine(1).fireDownloadBegin();
    ASSERT_EQ(s().LoadingBrowserIndex, 1);
    ASSERT_TRUE(f().TimerMainBrow.isEnabled());

    frmOptions& o = openOptions();
    o.TextBrowserNum.setText(QStringLiteral("1"));
    o.CommandOptOK.click();
    EXPECT_EQ(s().LoadingBrowserIndex, -1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_FALSE(f().CommandNavigate[3].isEnabled());
}

TEST_F(Options, DefaultResetsEverythingButOnlyTheCurrentBrowsersHomePage)
{
    startMainWindow(2);
    f().CommandBrowser_Click(2);
    keepHistory(7);
    writeHistoryFile();
    app->opt.NewWindowSeparate = true;
    app->opt.ShowNotesAtStart = true;
    app->lists.ShowNotes = true;
    app->opt.ShowPageButtons = true;

    frmOptions& o = openOptions();
    ASSERT_TRUE(o.CommandOptDefault.isEnabled());
    o.CommandOptDefault.click();

    const OptionVars& opt = app->opt;
    EXPECT_EQ(opt.MainBrowserHomePages[2], app->productPageAddress());
    EXPECT_EQ(opt.HomePagesSaved[2], app->productPageAddress());
    for (int i : {0, 1, 3, 4, 5})
        EXPECT_EQ(opt.MainBrowserHomePages[i], homes[i]) << i;
    EXPECT_EQ(opt.HistoryMask, 0);
    for (bool keeps : s().MainBrowserKeepsHistory)
        EXPECT_FALSE(keeps);
    EXPECT_FALSE(historyFileExists());
    EXPECT_EQ(opt.MainBrowserLastIndex, 0);
    EXPECT_FALSE(opt.NewWindowSeparate);
    EXPECT_FALSE(opt.ShowNotesAtStart);
    EXPECT_FALSE(app->lists.ShowNotes);
    EXPECT_FALSE(opt.ShowPageButtons);
    EXPECT_TRUE(closed());

    // One browser is left, and it is the current one.
    EXPECT_EQ(s().MainBrowserIndex, 0);
    EXPECT_FALSE(f().WebBrowser.exists(1));
    EXPECT_FALSE(f().WebBrowser.exists(2));
    EXPECT_TRUE(f().WebBrowser[0].isVisible());
    const QStringList items = settingsItems();
    ASSERT_EQ(items.size(), 15);
    EXPECT_EQ(items[8], QStringLiteral("0"));
    // The product page is stored as the empty item: it names this folder's page wherever
    // the folder goes.
    EXPECT_EQ(items[11], QString());
    EXPECT_EQ(items[9], homes[0]);
}

TEST_F(Options, WhileATabIsOnScreenTheNewCurrentMainBrowserIsPreparedBehindIt)
{
    startMainWindow(2);
    f().CommandBrowser_Click(2);
    mainEngine(2).completeNavigation(homes[2]);
    vb::WebBrowser* tab = engineOf(f().WebBrowser[2]).fireNewWindow2();
    ASSERT_NE(tab, nullptr);
    engineOf(*tab).completeNavigation(QStringLiteral("https://tab.velmora.example/"));
    ASSERT_TRUE(s().TabBrowserCurrent);

    frmOptions& o = openOptions();
    o.TextBrowserNum.setText(QStringLiteral("2"));
    o.CommandOptOK.click();

    // The tab stays on screen; browser 2 is the selected main browser, hidden, and already
    // on its way to its home page, so that leaving the tab never shows an empty browser.
    EXPECT_TRUE(s().TabBrowserCurrent);
    EXPECT_TRUE(tab->isVisible());
    EXPECT_EQ(s().MainBrowserIndex, 1);
    EXPECT_FALSE(f().WebBrowser.exists(2));
    EXPECT_FALSE(f().WebBrowser[1].isVisible());
    EXPECT_FALSE(s().MainBrowserNotShown[1]);
    EXPECT_EQ(mainEngine(1).navigations(), QStringList{homes[1]});
    // No main browser is current: no selector has the current look.
    EXPECT_EQ(f().LabelBrowser[1].caption(), QStringLiteral("2"));
    EXPECT_EQ(f().LabelShowBrowser[1].backStyle(), 0);
}
