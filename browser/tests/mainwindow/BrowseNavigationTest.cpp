// Navigation of the current browser: Back and Forward learnt from the control's refusals,
// Home, Search, Refresh and Stop, the typed-address rule of Go, the Change rules of the
// location boxes and their Click and Enter, and the pressed look of Back and Forward.

#include "BrowseFixture.h"
#include "UserInput.h"

#include <QComboBox>
#include <QLineEdit>

using namespace browsetest;
using namespace corvane;

namespace {

class NavigationTest : public ScriptedBrowseTest {
protected:
    QString site(int n) const { return QStringLiteral("http://site%1.velmora.example/").arg(n); }
    bool goOn() const
    {
        EXPECT_EQ(f().CommandGo.isEnabled(), f().CommandComGo.isEnabled());
        return f().CommandGo.isEnabled();
    }
    // The user replaces the box's text by typing.
    static void typeInto(vb::ComboBox& box, const QString& text)
    {
        box.setText(QString());
        box.type(text);
    }
    void expectBack(bool on)
    {
        for (vb::Image* img : {&f().ImageBack, &f().ImageComBack}) {
            EXPECT_EQ(img->isEnabled(), on);
            EXPECT_TRUE(samePicture(img->picture(), f().NavBack[on ? 0 : 2].picture()));
        }
    }
    void expectForward(bool on)
    {
        for (vb::Image* img : {&f().ImageForward, &f().ImageComForward}) {
            EXPECT_EQ(img->isEnabled(), on);
            EXPECT_TRUE(samePicture(img->picture(), f().NavForward[on ? 0 : 2].picture()));
        }
    }
    void enableBackAndForward()
    {
        for (vb::Image* img : {&f().ImageBack, &f().ImageComBack, &f().ImageForward, &f().ImageComForward})
            img->setEnabled(true);
    }
};

// ---------------------------------------------------------------------------------------
// Back and Forward

TEST_F(NavigationTest, BackOnAFirstPageTurnsBackOffUntilTheNextPage)
{
    start();
    ASSERT_TRUE(testsupport::activateWindowOf(f().window()));
    f().ComboLocation.setFocus();
    ASSERT_TRUE(f().ComboLocation.hasFocus());
    vb::ScriptedWebEngine& e = mainEngine(0);
    ASSERT_TRUE(s().MainBrowserHasHistory[0]);
    f().ImageBack.click();
    EXPECT_EQ(e.backCalls(), 1);
    expectBack(false);
    EXPECT_FALSE(s().MainBrowserHasHistory[0]);
    EXPECT_FALSE(s().PopupGuard);
    // No control keeps the focus after a button of the bar.
    EXPECT_TRUE(f().PictureMain.hasFocus());
    // A disabled image does nothing.
    f().ImageBack.click();
    EXPECT_EQ(e.backCalls(), 1);

    e.completeNavigation(site(1));
    expectBack(true);
    EXPECT_TRUE(s().MainBrowserHasHistory[0]);

    // The same for a tab and for the bookmark browser, from the full-window bar's twin.
    const int t = openTabFromMain(site(2));
    ASSERT_EQ(t, 1);
    f().ImageComBack.click();
    expectBack(false);
    EXPECT_FALSE(s().TabHasHistory[t]);
    EXPECT_EQ(tabEngine(t).backCalls(), 1);
    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(3));
    f().ImageBack.click();
    expectBack(false);
    EXPECT_FALSE(s().MainBrowserHasHistory[BookmarkBrowserIndex]);
}

TEST_F(NavigationTest, BackEnablesForwardAndHomeByTheAddressRightAfterTheCall)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(site(1));
    e.setCanGoBack(true);
    f().CommandNavigate[0].setEnabled(false);
    f().ImageBack.click();
    EXPECT_EQ(e.backCalls(), 1);
    expectForward(true);
    EXPECT_TRUE(s().MainBrowserCanGoForward[0]);
    // The address is still the page left: not the home page.
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    EXPECT_TRUE(f().CommandComNavigate[0].isEnabled());
    // The page going back is a navigation: no pop-ups until it has come.
    EXPECT_TRUE(s().PopupGuard);
    e.completeNavigation(homePage(0));
    EXPECT_FALSE(s().PopupGuard);

    // On the home page, Back leaves Home off.
    f().ImageBack.click();
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    EXPECT_FALSE(f().CommandComNavigate[0].isEnabled());
    e.completeNavigation(site(1));

    // A tab: Forward on, Home always off.
    const int t = openTabFromMain(site(2));
    ASSERT_EQ(t, 1);
    tabEngine(t).setCanGoBack(true);
    f().CommandNavigate[0].setEnabled(true);
    f().ImageBack.click();
    EXPECT_TRUE(s().TabCanGoForward[t]);
    EXPECT_FALSE(s().MainBrowserCanGoForward[BookmarkBrowserIndex]);
    expectForward(true);
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());

    // The bookmark browser: its own flag, Home off.
    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(3));
    engineOf(f().WebBrowser[BookmarkBrowserIndex]).setCanGoBack(true);
    f().ImageBack.click();
    EXPECT_TRUE(s().MainBrowserCanGoForward[BookmarkBrowserIndex]);
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
}

TEST_F(NavigationTest, ForwardMirrorsBack)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(site(1));
    enableBackAndForward();
    s().MainBrowserCanGoForward[0] = true;
    // Refused: Forward off on both bars, the flag cleared, the guard gone.
    f().ImageForward.click();
    EXPECT_EQ(e.forwardCalls(), 1);
    expectForward(false);
    EXPECT_FALSE(s().MainBrowserCanGoForward[0]);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_TRUE(f().ImageBack.isEnabled());

    // Done: the has-history flag (not the forward flag) and Back on.
    e.setCanGoForward(true);
    s().MainBrowserHasHistory[0] = false;
    f().ImageBack.setEnabled(false);
    f().ImageComForward.setEnabled(true);
    f().ImageComForward.click();
    EXPECT_EQ(e.forwardCalls(), 2);
    EXPECT_TRUE(s().MainBrowserHasHistory[0]);
    EXPECT_FALSE(s().MainBrowserCanGoForward[0]);
    expectBack(true);
    EXPECT_TRUE(f().CommandNavigate[0].isEnabled());
    EXPECT_TRUE(s().PopupGuard);

    // A tab's refusal clears the tab's flag.
    e.completeNavigation(site(2));
    const int t = openTabFromMain(site(3));
    s().TabCanGoForward[t] = true;
    f().ImageForward.setEnabled(true);
    f().ImageForward.click();
    EXPECT_FALSE(s().TabCanGoForward[t]);
    expectForward(false);
}

TEST_F(NavigationTest, PressedLookOfBackAndForward)
{
    start();
    for (vb::Image* back : {&f().ImageBack, &f().ImageComBack}) {
        back->press();
        EXPECT_EQ(back->left(), 60);
        EXPECT_TRUE(samePicture(back->picture(), f().NavBack[1].picture()));
        back->release();
        EXPECT_EQ(back->left(), 120);
        EXPECT_TRUE(samePicture(back->picture(), f().NavBack[0].picture()));
    }
    for (vb::Image* forward : {&f().ImageForward, &f().ImageComForward}) {
        const int left = forward->left();
        forward->press();
        EXPECT_TRUE(samePicture(forward->picture(), f().NavForward[1].picture()));
        EXPECT_EQ(forward->left(), left);
        forward->release();
        EXPECT_TRUE(samePicture(forward->picture(), f().NavForward[0].picture()));
        EXPECT_EQ(forward->left(), left);
    }
}

// ---------------------------------------------------------------------------------------
// Home, Search, Refresh, Stop

TEST_F(NavigationTest, HomeSearchRefreshAndStop)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(site(1));
    ASSERT_TRUE(f().CommandNavigate[0].isEnabled());
    f().CommandNavigate[0].click();
    EXPECT_EQ(e.lastNavigation(), homePage(0));
    EXPECT_TRUE(s().PopupGuard);
    e.completeNavigation(homePage(0));

    // The full-window bar's twins (that bar is hidden here) do the same.
    f().CommandComNavigate[1].setValue(true);
    EXPECT_EQ(e.searchCalls(), 1);
    EXPECT_TRUE(s().PopupGuard);
    e.completeNavigation(QStringLiteral("https://search.velmora.example/"));

    f().CommandNavigate[2].click();
    EXPECT_EQ(e.refreshCalls(), 1);
    EXPECT_TRUE(s().PopupGuard);

    // Stop: the animation stops, the buttons stay as they are.
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    f().TimerMainBrow.fire();
    f().CommandComNavigate[3].setValue(true);
    EXPECT_EQ(e.stopCalls(), 1);
    EXPECT_FALSE(f().TimerMainBrow.isEnabled());
    EXPECT_EQ(f().BusyFrame, 0);
    EXPECT_TRUE(samePicture(f().ImageBusy[0].picture(), f().ImageShow[0].picture()));
    EXPECT_TRUE(f().CommandNavigate[3].isEnabled());
    EXPECT_TRUE(f().CommandComNavigate[3].isEnabled());
    EXPECT_FALSE(s().PopupGuard);

    // Any other index does nothing.
    const int navigations = int(e.navigations().size());
    for (int index : {-1, 4, 99})
        f().BrowserNavigateCommand(index);
    EXPECT_EQ(e.navigations().size(), navigations);
    EXPECT_FALSE(s().PopupGuard);
    EXPECT_EQ(e.stopCalls(), 1);
    EXPECT_EQ(e.refreshCalls(), 1);
}

TEST_F(NavigationTest, HomeOnATabOrTheBookmarkBrowserDoesNotNavigate)
{
    start();
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    // The button is off there; the command does nothing either.
    EXPECT_FALSE(f().CommandNavigate[0].isEnabled());
    f().BrowserNavigateCommand(0);
    EXPECT_EQ(tabEngine(t).navigations(), QStringList());
    EXPECT_EQ(mainEngine(0).navigations(), QStringList{homePage(0)});
    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(2));
    f().BrowserNavigateCommand(0);
    EXPECT_EQ(engineOf(f().WebBrowser[BookmarkBrowserIndex]).navigations(), QStringList());
    EXPECT_EQ(mainEngine(0).navigations(), QStringList{homePage(0)});

    // Search and Refresh act on the browser on screen.
    f().BrowserNavigateCommand(1);
    f().BrowserNavigateCommand(2);
    EXPECT_EQ(engineOf(f().WebBrowser[BookmarkBrowserIndex]).searchCalls(), 1);
    EXPECT_EQ(engineOf(f().WebBrowser[BookmarkBrowserIndex]).refreshCalls(), 1);
    EXPECT_EQ(mainEngine(0).refreshCalls(), 0);
}

// ---------------------------------------------------------------------------------------
// Go

TEST_F(NavigationTest, GoNormalisesTheTypedAddress)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    const struct {
        const char* typed;
        const char* address;
    } cases[] = {
        {"www.velmora.example", "http://www.velmora.example"},
        {" www.vel mora.example/a b.html ", "http://www.velmora.example/ab.html"},
        {"https://secure.velmora.example/", "https://secure.velmora.example/"},
        {"file:///home/ana/page.html", "file:///home/ana/page.html"},
        {"HTTP://upper.example/", "http://HTTP://upper.example/"},
    };
    for (const auto& c : cases) {
        s().PopupGuard = false;
        typeInto(f().ComboLocation, QString::fromUtf8(c.typed));
        ASSERT_TRUE(goOn()) << c.typed;
        f().CommandGo.click();
        EXPECT_EQ(e.lastNavigation().toStdString(), c.address);
        EXPECT_TRUE(s().PopupGuard);
    }
}

TEST_F(NavigationTest, GoOnTheSameAddressDoesNothing)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(QStringLiteral("http://www.velmora.example/a.html"));
    const int before = int(e.navigations().size());
    for (const QString& typed : {QStringLiteral("http://www.velmora.example/a.html"),
                                 QStringLiteral("www.velmora.example/a.html"),
                                 QStringLiteral(" http://www.velmora .example/a.html ")}) {
        typeInto(f().ComboLocation, typed);
        f().BrowserGoLocation();
        f().CommandComGo.setValue(true);
    }
    EXPECT_EQ(e.navigations().size(), before);
    EXPECT_EQ(e.refreshCalls(), 0);
    EXPECT_FALSE(s().PopupGuard);
    // Exact comparison: a different case is a different address.
    typeInto(f().ComboLocation, QStringLiteral("http://www.velmora.example/A.html"));
    f().BrowserGoLocation();
    EXPECT_EQ(e.lastNavigation(), QStringLiteral("http://www.velmora.example/A.html"));
}

TEST_F(NavigationTest, GoTakesTheBoxOfTheBarInUseAndActsOnTheBrowserOnScreen)
{
    start();
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    typeInto(f().ComboWebLocation[t], QStringLiteral("site2.velmora.example/"));
    ASSERT_TRUE(goOn());
    f().CommandGo.click();
    EXPECT_EQ(tabEngine(t).lastNavigation(), site(2));
    EXPECT_EQ(mainEngine(0).navigations(), QStringList{homePage(0)});
    tabEngine(t).completeNavigation(site(2));

    // The full-window bar's box, whatever the normal bar's boxes hold.
    FullWindowSet(*app, true);
    f().ComboWebLocation[t].setText(site(9));
    typeInto(f().ComboComLocation, QStringLiteral("site3.velmora.example/"));
    ASSERT_TRUE(goOn());
    f().CommandComGo.click();
    EXPECT_EQ(tabEngine(t).lastNavigation(), site(3));
    tabEngine(t).completeNavigation(site(3));
    FullWindowSet(*app, false);

    // The bookmark browser goes to its own page.
    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(4));
    typeInto(f().ComboLocation, site(5));
    f().CommandGo.click();
    EXPECT_EQ(engineOf(f().WebBrowser[BookmarkBrowserIndex]).lastNavigation(), site(5));
    typeInto(f().ComboLocation, site(4));
    f().BrowserGoLocation();
    EXPECT_EQ(engineOf(f().WebBrowser[BookmarkBrowserIndex]).lastNavigation(), site(5));
}

// ---------------------------------------------------------------------------------------
// Change, Click and Enter of the location boxes

TEST_F(NavigationTest, ChangeOfTheMainBoxComparesWithoutNormalising)
{
    start();
    mainEngine(0).completeNavigation(site(1));
    typeInto(f().ComboLocation, QStringLiteral("site2.velmora.example/"));
    EXPECT_TRUE(goOn());
    typeInto(f().ComboLocation, site(1));
    EXPECT_FALSE(goOn());
    // Differing only by the missing scheme or by blanks still counts as different here.
    typeInto(f().ComboLocation, QStringLiteral("site1.velmora.example/"));
    EXPECT_TRUE(goOn());
    typeInto(f().ComboLocation, QStringLiteral("http://site1.velmora.example/ "));
    EXPECT_TRUE(goOn());
    f().ComboLocation.setText(QString());
    EXPECT_FALSE(goOn());
}

TEST_F(NavigationTest, ChangeOfATabBoxComparesTheNormalisedAddress)
{
    start();
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    for (const QString& same : {QStringLiteral("site1.velmora.example/"), QStringLiteral("http://site1.velmora. example/"),
                                QStringLiteral(" site1 .velmora.example/")}) {
        f().CommandGo.setEnabled(true);
        typeInto(f().ComboWebLocation[t], same);
        EXPECT_FALSE(goOn()) << same.toStdString();
    }
    typeInto(f().ComboWebLocation[t], QStringLiteral("site2.velmora.example/"));
    EXPECT_TRUE(goOn());
    f().ComboWebLocation[t].setText(QString());
    EXPECT_FALSE(goOn());

    // The normal bar's box, meanwhile, compares with no address at all.
    f().ComboLocation.setText(site(1));
    EXPECT_TRUE(goOn());
    // The full-window bar's box compares with the tab's address, as typed.
    f().ComboComLocation.setText(site(1));
    EXPECT_FALSE(goOn());
    f().ComboComLocation.setText(QStringLiteral("site1.velmora.example/"));
    EXPECT_TRUE(goOn());

    // The same typing in the main browser's box turns Go on.
    switchToMain(0);
    mainEngine(0).completeNavigation(site(1));
    typeInto(f().ComboLocation, QStringLiteral("site1.velmora.example/"));
    EXPECT_TRUE(goOn());
}

TEST_F(NavigationTest, WhileTheProgramFillsABoxGoStaysOff)
{
    start();
    mainEngine(0).completeNavigation(site(1));
    f().CommandGo.setEnabled(true);
    f().CommandComGo.setEnabled(true);
    s().LocationChangeMuted = true;
    f().ComboLocation.setText(site(2));
    EXPECT_FALSE(goOn());
    f().ComboComLocation.setText(site(3));
    EXPECT_FALSE(goOn());
    // The display mutes the boxes only while it writes them.
    CurrentBrowserShow(*app);
    EXPECT_FALSE(s().LocationChangeMuted);
    EXPECT_EQ(f().ComboLocation.text(), site(1));
    EXPECT_FALSE(goOn());
    typeInto(f().ComboLocation, site(2));
    EXPECT_TRUE(goOn());
}

TEST_F(NavigationTest, EnterAndPickingAnEntryGoWhenTheTextDiffers)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(site(1));
    e.completeNavigation(site(2) + QStringLiteral("p.html"));
    ASSERT_EQ(f().ComboLocation.items(), (QStringList{site(1), site(2)}));

    // Other keys go into the box; Enter goes.
    typeInto(f().ComboLocation, QStringLiteral("site3.velmora.example/"));
    EXPECT_EQ(f().ComboLocation.text(), QStringLiteral("site3.velmora.example/"));
    f().ComboLocation.typeKey(13);
    EXPECT_EQ(e.lastNavigation(), site(3));
    e.completeNavigation(site(3));

    // Enter on the address itself does nothing.
    const int before = int(e.navigations().size());
    f().ComboLocation.typeKey(13);
    EXPECT_EQ(e.navigations().size(), before);

    // Picking an entry goes there.
    f().ComboLocation.pick(0);
    EXPECT_EQ(e.lastNavigation(), site(1));
    e.completeNavigation(site(1));

    // The full-window bar's box: Enter and a pick.
    FullWindowSet(*app, true);
    typeInto(f().ComboComLocation, QStringLiteral("site4.velmora.example/"));
    f().ComboComLocation.typeKey(13);
    EXPECT_EQ(e.lastNavigation(), site(4));
    e.completeNavigation(site(4));
    const int entries = f().ComboComLocation.listCount();
    ASSERT_GE(entries, 2);
    f().ComboComLocation.pick(1);
    EXPECT_EQ(e.lastNavigation(), f().ComboComLocation.list(1));
}

TEST_F(NavigationTest, EnterInATabBoxPressesGoWhichNormalises)
{
    start();
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    vb::ScriptedWebEngine& e = tabEngine(t);
    // Differs from the address as typed, but not once normalised: no reload.
    typeInto(f().ComboWebLocation[t], QStringLiteral("site1.velmora.example/"));
    f().ComboWebLocation[t].typeKey(13);
    EXPECT_EQ(e.navigations(), QStringList());
    EXPECT_EQ(e.refreshCalls(), 0);
    EXPECT_FALSE(s().PopupGuard);

    typeInto(f().ComboWebLocation[t], QStringLiteral("site2.velmora.example/"));
    f().ComboWebLocation[t].typeKey(13);
    EXPECT_EQ(e.navigations(), QStringList{site(2)});
    EXPECT_TRUE(s().PopupGuard);
    e.completeNavigation(site(2));

    f().ComboWebLocation[t].pick(0);
    EXPECT_EQ(e.lastNavigation(), site(1));

    // Its address can be dragged out as text, like the main browsers' box.
    EXPECT_TRUE(static_cast<QComboBox*>(f().ComboWebLocation[t].widget())->lineEdit()->dragEnabled());
    EXPECT_TRUE(static_cast<QComboBox*>(f().ComboLocation.widget())->lineEdit()->dragEnabled());
}

} // namespace
