// A secondary window's navigation and tabs: the typed-address rule, the location boxes,
// Back and Forward, Refresh, Search and Stop, switching tabs, closing them, the Select
// Tabs panel, the Tab List and the Create Tab panel.

#include "WebWindowFixture.h"

#include "ControlBookmark.h"

#include <QApplication>
#include <QTest>

using namespace webwindowtest;
using namespace corvane;

namespace {

class NavigationTest : public WebWindowTest {
protected:
    // The user types into the shown slot's box and presses Go.
    void typeAndGo(frmWeb& w, const QString& typed)
    {
        vb::ComboBox& box = w.ComboPopLocation[w.PopTabCurrent];
        box.setText(QString());
        box.type(typed);
        ASSERT_TRUE(w.CommandPopGo.click()) << typed.toStdString();
    }
};

TEST_F(NavigationTest, TypedAddressesGetWwwAndTheScheme)
{
    frmWeb& w = openWindowAt(site(0));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    typeAndGo(w, QStringLiteral("velmora.example/a b.html"));
    EXPECT_EQ(e.lastNavigation(), QStringLiteral("http://www.velmora.example/ab.html"));
    typeAndGo(w, QStringLiteral("www.velmora.example/"));
    EXPECT_EQ(e.lastNavigation(), QStringLiteral("http://www.velmora.example/"));
    typeAndGo(w, QStringLiteral("https://secure.velmora.example/x"));
    EXPECT_EQ(e.lastNavigation(), QStringLiteral("https://secure.velmora.example/x"));
    // Go does not set the guard itself: the BeforeNavigate2 that follows does.
    EXPECT_FALSE(w.PopPopupGuard);
}

// An address with a scheme of its own goes as typed; blanks alone go nowhere. Typed with
// real keys into the focused box, and sent with a click on Go.
TEST_F(NavigationTest, AddressesWithASchemeStayAsTypedAndBlanksGoNowhere)
{
    frmWeb& w = openWindowAt(site(0));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    w.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window()));
    vb::ComboBox& box = w.ComboPopLocation[0];
    auto clickGo = [&] {
        ASSERT_TRUE(w.CommandPopGo.isEnabled());
        QTest::mouseClick(w.CommandPopGo.widget(), Qt::LeftButton, {}, w.CommandPopGo.widget()->rect().center());
    };
    auto typeWithKeys = [&](const QString& text) {
        QTest::mouseClick(box.widget(), Qt::LeftButton, {}, box.widget()->rect().center());
        ASSERT_TRUE(box.hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
        ASSERT_EQ(box.text(), text);
    };
    const struct {
        const char* typed;
        const char* address;
    } cases[] = {
        {"file:///tmp/page one.html", "file:///tmp/pageone.html"},
        {"HTTPS://Secure.velmora.example/x", "HTTPS://Secure.velmora.example/x"},
        {"ftp://files.velmora.example/", "ftp://files.velmora.example/"},
        {"velmora.example/a", "http://www.velmora.example/a"},
    };
    for (const auto& c : cases) {
        typeWithKeys(QString::fromUtf8(c.typed));
        clickGo();
        EXPECT_EQ(e.lastNavigation(), QString::fromUtf8(c.address)) << c.typed;
    }
    const qsizetype sent = e.navigations().size();
    typeWithKeys(QStringLiteral("   "));
    clickGo();
    EXPECT_EQ(e.navigations().size(), sent);
}

TEST_F(NavigationTest, TheBoxesEnableGoAndEnterOrAPickGoes)
{
    frmWeb& w = openWindowAt(QStringLiteral("http://www.velmora.example/Page.html"));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    vb::ComboBox& box = w.ComboPopLocation[0];
    // The page's own address in lower case: nothing happens.
    box.setText(QStringLiteral("http://www.velmora.example/page.html"));
    EXPECT_TRUE(w.CommandPopGo.isEnabled());
    w.CommandPopGo_Click();
    EXPECT_TRUE(e.navigations().isEmpty());
    box.setText(QStringLiteral("http://www.velmora.example/Page.html"));
    EXPECT_FALSE(w.CommandPopGo.isEnabled());
    box.setText(QString());
    EXPECT_FALSE(w.CommandPopGo.isEnabled());
    // Enter on an empty box does nothing; on an address it goes.
    box.typeKey(13);
    EXPECT_TRUE(e.navigations().isEmpty());
    box.type(QStringLiteral("site9.example"));
    EXPECT_TRUE(w.CommandPopGo.isEnabled());
    box.typeKey(13);
    EXPECT_EQ(e.lastNavigation(), QStringLiteral("http://www.site9.example"));
    // A pick from the list goes at once.
    box.pick(0);
    EXPECT_EQ(e.lastNavigation(), QStringLiteral("http://www.velmora.example/"));
    // The compact bar's box has its own Go.
    w.ComboPopComLocation.setText(QStringLiteral("x.example"));
    EXPECT_TRUE(w.CommandPopComGo.isEnabled());
}

TEST_F(NavigationTest, BackOnAFreshTabFailsAndLetsTheNextPopUpThrough)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    ASSERT_TRUE(w.ImagePopBack.isEnabled());
    w.ImagePopBack.click();
    EXPECT_EQ(engineOf(w, 1).backCalls(), 1);
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_FALSE(w.PopCanGoBack[1]);
    EXPECT_FALSE(w.ImagePopBack.isEnabled());
    EXPECT_FALSE(w.ImagePopComBack.isEnabled());
    EXPECT_TRUE(samePicture(w.ImagePopBack.picture(), w.NavBack[2].picture()));
    EXPECT_EQ(openTab(w, 1, site(2)), 2);
}

TEST_F(NavigationTest, BackAndForwardOpenTheOtherWay)
{
    frmWeb& w = openWindowAt(site(0));
    complete(w, 0, site(1));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    e.setCanGoBack(true);
    w.ImagePopComBack.click();
    EXPECT_TRUE(w.PopPopupGuard);
    EXPECT_TRUE(w.PopCanGoForward[0]);
    EXPECT_TRUE(w.ImagePopForward.isEnabled());
    EXPECT_TRUE(samePicture(w.ImagePopComForward.picture(), w.NavForward[0].picture()));
    e.completeNavigation(site(0));
    // Forward refused: the guard goes and Forward is off.
    w.ImagePopForward.click();
    EXPECT_EQ(e.forwardCalls(), 1);
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_FALSE(w.ImagePopForward.isEnabled());
    EXPECT_TRUE(w.ImagePopBack.isEnabled());
    // The pressed look.
    w.ImagePopBack.onMouseDown(1, 0, 0, 0);
    EXPECT_EQ(w.ImagePopBack.left(), 60);
    EXPECT_TRUE(samePicture(w.ImagePopBack.picture(), w.NavBack[1].picture()));
    w.ImagePopBack.onMouseUp(1, 0, 0, 0);
    EXPECT_EQ(w.ImagePopBack.left(), 120);
}

TEST_F(NavigationTest, RefreshAndSearchHoldTheGuardStopDropsIt)
{
    frmWeb& w = openWindowAt(site(0));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    ASSERT_TRUE(w.CommandPopRefresh.click());
    EXPECT_EQ(e.refreshCalls(), 1);
    EXPECT_TRUE(w.PopPopupGuard);
    w.CommandPopStop_Click();
    EXPECT_EQ(e.stopCalls(), 1);
    EXPECT_FALSE(w.PopPopupGuard);
    ASSERT_TRUE(w.CommandPopSearch.click());
    EXPECT_EQ(e.searchCalls(), 1);
    EXPECT_TRUE(w.PopPopupGuard);
    e.completeNavigation(QStringLiteral("https://search.velmora.example/"));
    EXPECT_FALSE(w.PopPopupGuard);
    // A window whose page never came has nothing to refresh: no guard is left behind.
    frmWeb& empty = openWindow();
    empty.CommandPopRefresh_Click();
    EXPECT_FALSE(empty.PopPopupGuard);
}

TEST_F(NavigationTest, TabButtonsSwitchAndReturnToTheOwnPage)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    ASSERT_EQ(openTab(w, 1, site(2)), 2);
    ASSERT_TRUE(w.CommandPopNew[1].click());
    EXPECT_EQ(w.PopTabCurrent, 1);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{1});
    EXPECT_EQ(w.caption(), QStringLiteral("site1.velmora : Corvane"));
    EXPECT_TRUE(samePicture(w.CommandPopNew[2].picture(), w.BButton[5].picture()));
    EXPECT_TRUE(samePicture(w.CommandPopComNew[1].picture(), w.BButton[3].picture()));
    EXPECT_EQ(w.TextPopList[1].widget()->palette().color(QPalette::Text), QColor(0, 0x80, 0));
    // The shown tab's button again: the own page, with its title.
    ASSERT_TRUE(w.CommandPopNew[1].click());
    EXPECT_EQ(w.PopTabCurrent, 0);
    EXPECT_FALSE(w.PopOnTab);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{0});
    EXPECT_EQ(w.caption(), QStringLiteral("site0.velmora : Corvane"));
    // Button 0 while a tab is shown: the own page too; "Close" is off there.
    ASSERT_TRUE(w.CommandPopNew[2].click());
    ASSERT_TRUE(w.CommandPopNew[0].click());
    EXPECT_EQ(w.PopTabCurrent, 0);
    EXPECT_EQ(w.LabelPopClose[1].caption(), QStringLiteral("??"));
    EXPECT_FALSE(w.CommandPopClose[1].isEnabled());
    EXPECT_FALSE(w.CommandPopComClose[1].isEnabled());
}

// A tab whose page changed while another was shown shows that page when the user comes
// back: its box still held the earlier address, which is no request to go back there.
TEST_F(NavigationTest, ATabThatChangedPageBehindTheOneShownIsNotSentBack)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    ASSERT_TRUE(w.CommandPopNew[0].click());
    complete(w, 1, site(2) + QStringLiteral("b.html"));
    ASSERT_EQ(w.ComboPopLocation[1].text(), site(1));
    const qsizetype before = engineOf(w, 1).navigations().size();
    ASSERT_TRUE(w.CommandPopNew[1].click());
    EXPECT_EQ(engineOf(w, 1).navigations().size(), before);
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_EQ(w.ComboPopLocation[1].text(), site(2) + QStringLiteral("b.html"));
    EXPECT_EQ(w.PopTabTitles[1], QStringLiteral("site2.velmora"));
    // Once shown, the box is the window's again: leaving and coming back sends nothing.
    ASSERT_TRUE(w.CommandPopNew[0].click());
    ASSERT_TRUE(w.CommandPopNew[1].click());
    EXPECT_EQ(engineOf(w, 1).navigations().size(), before);
}

TEST_F(NavigationTest, AnAddressTypedIntoATabsBoxIsVisitedWhenTheTabIsShownAgain)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    w.ComboPopLocation[1].setText(QStringLiteral("elsewhere.example/x"));
    ASSERT_TRUE(w.CommandPopNew[0].click());
    EXPECT_TRUE(engineOf(w, 1).navigations().isEmpty());
    ASSERT_TRUE(w.CommandPopNew[1].click());
    EXPECT_EQ(engineOf(w, 1).lastNavigation(), QStringLiteral("elsewhere.example/x"));
    EXPECT_TRUE(w.PopPopupGuard);

    // Blanks alone are nowhere to go: nothing navigates, and no guard is left up.
    engineOf(w, 1).completeNavigation(QStringLiteral("http://elsewhere.example/x"));
    ASSERT_FALSE(w.PopPopupGuard);
    w.ComboPopLocation[1].setText(QStringLiteral("   "));
    ASSERT_TRUE(w.CommandPopNew[0].click());
    const qsizetype sent = engineOf(w, 1).navigations().size();
    ASSERT_TRUE(w.CommandPopNew[1].click());
    EXPECT_EQ(engineOf(w, 1).navigations().size(), sent);
    EXPECT_FALSE(w.PopPopupGuard);
}

TEST_F(NavigationTest, AllClosesEveryTabAndTheNextOpensInSlotOne)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, 4);
    ASSERT_TRUE(w.CommandPopNew[3].click());
    ASSERT_TRUE(w.CommandPopClose[1].click());
    ASSERT_TRUE(w.CommandPopNew[4].click());
    ASSERT_TRUE(w.CommandPopClose[0].click());
    EXPECT_EQ(w.PopTabCount, 0);
    EXPECT_EQ(w.PopTabLastIndex, 0);
    EXPECT_EQ(w.PopTabCurrent, 0);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{0});
    EXPECT_EQ(w.PopBandHeight, 76);
    EXPECT_EQ(w.FrameBigPop.height(), 76);
    EXPECT_EQ(w.BrowserPop[0].height(), w.PopHeight - 108);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(w.BrowserPop.exists(i)) << i;
        EXPECT_FALSE(w.CommandPopNew[i].isEnabled()) << i;
        EXPECT_EQ(w.PopTabTitles[i], QStringLiteral("Closed")) << i;
    }
    EXPECT_FALSE(w.FramePopList.isVisible());
    EXPECT_FALSE(w.CommandPopList.isEnabled());
    EXPECT_EQ(openTab(w, 0, site(5)), 1);
}

TEST_F(NavigationTest, CloseOnTheHighestTabFindsTheNextHighest)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, 4);
    ASSERT_TRUE(w.CommandPopNew[3].click());
    ASSERT_TRUE(w.CommandPopClose[1].click());
    ASSERT_TRUE(w.CommandPopNew[4].click());
    ASSERT_TRUE(w.CommandPopClose[1].click());
    EXPECT_EQ(w.PopTabLastIndex, 2);
    EXPECT_EQ(w.PopTabCount, 2);
    EXPECT_EQ(w.CommandPopNew[4].widget()->toolTip(), QStringLiteral("Closed"));
    EXPECT_EQ(w.caption(), QStringLiteral("site0.velmora : Corvane"));
    EXPECT_EQ(w.TextPopList[1].text(), QStringLiteral("1. site1.velmora"));
    EXPECT_EQ(w.FramePopList.height(), 2 * 16 + 33);
    EXPECT_EQ(w.FramePopList.top(), 108 - (2 * 16 + 33));
}

TEST_F(NavigationTest, TheSelectTabsPanel)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, 5);
    // A tick left on a hidden box above the list is not carried into the next selection.
    w.CheckSelectPopTab[8].setValue(1);
    ASSERT_TRUE(w.CommandPopClose[2].click());
    vb::Frame& panel = w.FrameSmallPop[6];
    ASSERT_TRUE(panel.isVisible());
    for (int i = 1; i <= 24; ++i) {
        EXPECT_EQ(w.CheckSelectPopTab[i].isVisible(), i <= 5) << i;
        EXPECT_EQ(w.CheckSelectPopTab[i].value(), 0) << i;
    }
    EXPECT_EQ(panel.height(), 137);
    EXPECT_EQ(w.FrameButPopSelect.top(), 1080);
    EXPECT_EQ(panel.top(), 108);
    EXPECT_EQ(panel.left(), (w.FramePopNew.width() + w.FramePopNew.left()) / 15 - (panel.width() + 12));
    EXPECT_FALSE(w.CommandPopSelectClose[1].isEnabled());
    EXPECT_FALSE(w.CommandPopSelectClose[2].isEnabled());

    // Select/Unselect All, twice.
    ASSERT_TRUE(w.CommandPopSelectClose[3].click());
    EXPECT_EQ(w.PopSelectCount, 5);
    EXPECT_TRUE(w.CommandPopSelectClose[1].isEnabled());
    EXPECT_TRUE(w.CommandPopSelectClose[2].isEnabled());
    ASSERT_TRUE(w.CommandPopSelectClose[3].click());
    EXPECT_EQ(w.PopSelectCount, 0);
    EXPECT_FALSE(w.CommandPopSelectClose[1].isEnabled());

    // Add to bookmarks: a tab already bookmarked is passed over.
    BookmarkAdd(*app, QStringLiteral("mine"), site(2));
    w.CheckSelectPopTab[2].click();
    w.CheckSelectPopTab[3].click();
    ASSERT_TRUE(w.CommandPopSelectClose[2].click());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), (QStringList{site(2), site(3)}));
    EXPECT_EQ(app->hid.ComboMarkName.items(), (QStringList{QStringLiteral("mine"), QStringLiteral("site3.velmora")}));

    // Close the shown tab (5) and tab 4 with it: the own page comes back, with its title.
    ASSERT_TRUE(w.CommandPopClose[2].click());
    EXPECT_EQ(w.PopSelectCount, 0);
    w.CheckSelectPopTab[4].click();
    w.CheckSelectPopTab[5].click();
    ASSERT_TRUE(w.CommandPopSelectClose[1].click());
    EXPECT_EQ(w.PopTabCount, 3);
    EXPECT_EQ(w.PopTabLastIndex, 3);
    EXPECT_EQ(w.PopTabCurrent, 0);
    EXPECT_FALSE(w.PopOnTab);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{0});
    EXPECT_EQ(w.caption(), QStringLiteral("site0.velmora : Corvane"));
    EXPECT_EQ(w.PopTabTitles[4], QString());
    EXPECT_EQ(w.PopTabTitles[5], QString());

    // A closed slot below the highest is offered disabled; a second "Select" hides the panel.
    ASSERT_TRUE(w.CommandPopNew[2].click());
    ASSERT_TRUE(w.CommandPopClose[1].click());
    ASSERT_TRUE(w.CommandPopClose[2].click());
    EXPECT_FALSE(w.CheckSelectPopTab[2].isEnabled());
    EXPECT_TRUE(w.CheckSelectPopTab[3].isEnabled());
    ASSERT_TRUE(w.CommandPopClose[2].click());
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(NavigationTest, TheTabListButtonsAndKeepHidden)
{
    frmWeb& w = openWindowAt(site(0));
    EXPECT_FALSE(w.CommandPopList.isEnabled());
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    EXPECT_TRUE(w.FramePopList.isVisible());
    ASSERT_TRUE(w.CommandPopListHide.click());
    EXPECT_FALSE(w.FramePopList.isVisible());
    ASSERT_TRUE(w.CommandPopList.click());
    EXPECT_TRUE(w.FramePopList.isVisible());
    ASSERT_TRUE(w.CommandPopList.click());
    EXPECT_FALSE(w.FramePopList.isVisible());
    // "Keep Hidden": the list stays away at the next pages.
    ASSERT_TRUE(w.CommandPopList.click());
    w.CheckPopList.click();
    EXPECT_TRUE(w.PopListKeepHidden);
    EXPECT_FALSE(w.FramePopList.isVisible());
    ASSERT_EQ(openTab(w, 1, site(2)), 2);
    EXPECT_FALSE(w.FramePopList.isVisible());
    // Shown by hand, its lines name every tab.
    ASSERT_TRUE(w.CommandPopList.click());
    EXPECT_EQ(w.TextPopList[2].text(), QStringLiteral("2. site2.velmora"));
    EXPECT_EQ(w.FramePopList.height(), 2 * 16 + 33);
    w.CheckPopList.click();
    EXPECT_FALSE(w.PopListKeepHidden);
    EXPECT_TRUE(w.FramePopList.isVisible());
}

TEST_F(NavigationTest, CreateTabOpensATabAtTheTypedAddress)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_TRUE(w.CommandPopCreateTab.click());
    vb::Frame& panel = w.FrameSmallPop[0];
    ASSERT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.top(), 32);
    EXPECT_EQ(panel.left(), 8);
    EXPECT_EQ(w.TextPopCreate.text(), app->productPageAddress());
    EXPECT_EQ(app->panel.CreateAddress, app->productPageAddress());
    EXPECT_EQ(w.TextPopCreate.selLength(), app->productPageAddress().size());
    // A second press hides it.
    ASSERT_TRUE(w.CommandPopCreateTab.click());
    EXPECT_FALSE(panel.isVisible());

    ASSERT_TRUE(w.CommandPopCreateTab.click());
    w.TextPopCreate.setText(QString());
    EXPECT_FALSE(w.CommandPopCreateOK.isEnabled());
    // Blanks alone are no address.
    w.TextPopCreate.setText(QStringLiteral("   "));
    ASSERT_TRUE(w.CommandPopCreateOK.click());
    EXPECT_EQ(w.PopTabCount, 0);
    EXPECT_TRUE(panel.isVisible());
    w.TextPopCreate.setText(QString());
    w.TextPopCreate.type(QStringLiteral("velmora. example/new.html"));
    w.TextPopCreate.typeKey(13);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(app->panel.CreateAddress, QStringLiteral("http://velmora.example/new.html"));
    EXPECT_EQ(w.PopTabCount, 1);
    EXPECT_EQ(w.PopTabCurrent, 1);
    EXPECT_TRUE(w.PopOnTab);
    EXPECT_EQ(w.PopBandHeight, 108);
    EXPECT_EQ(engineOf(w, 1).navigations(), QStringList{QStringLiteral("http://velmora.example/new.html")});
    // On screen with its page.
    EXPECT_EQ(slotsOnScreen(w), QList<int>{0});
    engineOf(w, 1).completeNavigation(QStringLiteral("http://velmora.example/new.html"));
    EXPECT_EQ(slotsOnScreen(w), QList<int>{1});
    // Cancel closes the panel only.
    ASSERT_TRUE(w.CommandPopCreateTab.click());
    ASSERT_TRUE(w.CommandPopCreateCancel.click());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(w.PopTabCount, 1);
}

// The main window's Create panel is open, its address waiting in the variable all windows
// share: this window's Create Tab does not change what the main window's OK will open.
TEST_F(NavigationTest, CreateTabLeavesTheMainWindowsWaitingAddressAlone)
{
    frmWeb& w = openWindowAt(site(0));
    app->panel.CreateBrowserPending = true;
    app->panel.CreateAddress = QStringLiteral("http://www.waiting.example/");
    ASSERT_TRUE(w.CommandPopCreateTab.click());
    w.TextPopCreate.setText(QStringLiteral("http://mine.example/"));
    ASSERT_TRUE(w.CommandPopCreateOK.click());
    EXPECT_EQ(engineOf(w, 1).navigations(), QStringList{QStringLiteral("http://mine.example/")});
    EXPECT_EQ(app->panel.CreateAddress, QStringLiteral("http://www.waiting.example/"));
    EXPECT_TRUE(app->panel.CreateBrowserPending);
}

TEST_F(NavigationTest, CreateTabRefusesTheTwentyFifth)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, 23);
    ASSERT_TRUE(w.CommandPopCreateTab.click());
    // Meanwhile a page opens the 24th; its page has not come yet.
    ASSERT_NE(engineOf(w, 23).fireNewWindow2(), nullptr);
    ASSERT_TRUE(w.FrameSmallPop[0].isVisible());
    ASSERT_TRUE(w.CommandPopCreateOK.click());
    EXPECT_EQ(shown, QStringList{QStringLiteral("MessageTooManyTab")});
    EXPECT_EQ(w.PopTabCount, 24);
    EXPECT_FALSE(w.BrowserPop.exists(25));
    // With 24 open the panel does not open at all.
    ASSERT_TRUE(w.CommandPopCreateTab.click());
    EXPECT_FALSE(w.FrameSmallPop[0].isVisible());
    EXPECT_EQ(shown.size(), 2);
}

} // namespace
