// A secondary window driven with the real keyboard and mouse: its location boxes (own
// page, tabs, compact bar), the Create Tab panel and the page panels. The keys go to the
// widget that has the focus after a click, as the user's keys do.

#include "WebWindowFixture.h"

#include "UserInput.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>

using namespace webwindowtest;
using namespace corvane;
using testsupport::pressKey;
using testsupport::typeText;

namespace {

class WindowKeys : public WebWindowTest {
protected:
    frmWeb& openActive(const QString& url)
    {
        frmWeb& w = openWindowAt(url);
        testsupport::showAtSize(w.window(), 1024, 768);
        EXPECT_TRUE(testsupport::activateWindowOf(w.window()));
        return w;
    }
    // The user clicks into the box on screen and selects its text, to type over it.
    static void clickInto(vb::Control& box)
    {
        ASSERT_TRUE(box.widget()->isVisible());
        ASSERT_EQ(testsupport::clickInto(testsupport::editorOf(box.widget())), box.widget());
        pressKey(Qt::Key_A, Qt::ControlModifier);
    }
};

} // namespace

TEST_F(WindowKeys, TheOwnPagesBoxGoesOnEnterWhenItHoldsText)
{
    frmWeb& w = openActive(site(0));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    complete(w, 0, site(1));
    ASSERT_TRUE(w.ComboPopLocation[0].items().contains(site(0)));
    clickInto(w.ComboPopLocation[0]);
    pressKey(Qt::Key_Delete);
    EXPECT_FALSE(w.CommandPopGo.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.navigations().size(), 0);

    typeText(QStringLiteral("site9. example"));
    EXPECT_TRUE(w.CommandPopGo.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.navigations(), QStringList{QStringLiteral("http://www.site9.example")});

    // An entry of the list typed out and Enter: one navigation, no pick on top of it.
    clickInto(w.ComboPopLocation[0]);
    typeText(site(0));
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.navigations().size(), 2);
    EXPECT_EQ(e.lastNavigation(), site(0));
}

TEST_F(WindowKeys, ATabsBoxAndTheCompactBarsBoxGoOnEnter)
{
    frmWeb& w = openActive(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    ASSERT_EQ(w.PopTabCurrent, 1);
    clickInto(w.ComboPopLocation[1]);
    typeText(QStringLiteral("https://tab.velmora.example/"));
    pressKey(Qt::Key_Return);
    EXPECT_EQ(engineOf(w, 1).lastNavigation(), QStringLiteral("https://tab.velmora.example/"));
    EXPECT_TRUE(engineOf(w, 0).navigations().isEmpty());

    ASSERT_TRUE(w.CommandFullPop.click());
    ASSERT_TRUE(w.PopFullWindow);
    clickInto(w.ComboPopComLocation);
    typeText(QStringLiteral("compact.velmora.example/"));
    EXPECT_TRUE(w.CommandPopComGo.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(engineOf(w, 1).lastNavigation(), QStringLiteral("http://www.compact.velmora.example/"));
}

TEST_F(WindowKeys, TheCreateTabBoxOpensATabOnEnterOnlyForAnAddress)
{
    frmWeb& w = openActive(site(0));
    ASSERT_TRUE(w.CommandPopCreateTab.click());
    // The panel gives its box the focus with the offered address selected.
    ASSERT_EQ(QApplication::focusWidget(), w.TextPopCreate.widget());
    typeText(QStringLiteral("   "));
    pressKey(Qt::Key_Return);
    EXPECT_EQ(w.PopTabCount, 0);
    EXPECT_TRUE(w.FrameSmallPop[0].isVisible());
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_Backspace);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(w.PopTabCount, 0);
    typeText(QStringLiteral("velmora. example/new.html"));
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(w.FrameSmallPop[0].isVisible());
    EXPECT_EQ(w.PopTabCount, 1);
    EXPECT_EQ(engineOf(w, 1).navigations(), QStringList{QStringLiteral("http://velmora.example/new.html")});
}

TEST_F(WindowKeys, BookmarkThisPageTakesEnterInEitherBoxOnceBothHoldText)
{
    frmWeb& w = openActive(QStringLiteral("file:///tmp/page.html"));
    ASSERT_TRUE(w.CommandPopBookmark.click());
    ASSERT_TRUE(w.FrameSmallPop[1].isVisible());
    ASSERT_EQ(QApplication::focusWidget(), w.TextPopMark.widget());
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(w.FrameSmallPop[1].isVisible());
    typeText(QStringLiteral("Local"));
    clickInto(w.TextPopAddress);
    pressKey(Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(w.CommandPopMarkOK.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(w.FrameSmallPop[1].isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.ListCount(), 0);
    pressKey(Qt::Key_V, Qt::ControlModifier);
    pressKey(Qt::Key_Return);
    EXPECT_FALSE(w.FrameSmallPop[1].isVisible());
    EXPECT_TRUE(w.FrameSmallPop[3].isVisible());
    EXPECT_EQ(app->hid.ComboMarkName.items(), QStringList{QStringLiteral("Local")});
    EXPECT_EQ(app->hid.ComboMarkAddress.items(), QStringList{QStringLiteral("file:///tmp/page.html")});
}

TEST_F(WindowKeys, TheNoteBoxTurnsQuotesIntoApostrophesAndEnterDoesNotSave)
{
    frmWeb& w = openActive(site(1));
    ASSERT_TRUE(w.CommandPopNote.click());
    ASSERT_TRUE(w.TextPopNote[1].isVisible());
    // The address above it is shown only.
    clickInto(w.TextPopNote[0]);
    testsupport::tryEveryEdit();
    EXPECT_EQ(w.TextPopNote[0].text(), site(1));

    clickInto(w.TextPopNote[1]);
    typeText(QStringLiteral("say \"hi\", then"));
    QApplication::clipboard()->setText(QStringLiteral(" \"go\""));
    pressKey(Qt::Key_V, Qt::ControlModifier);
    testsupport::composeText(QStringLiteral("\""));
    EXPECT_EQ(w.TextPopNote[1].text(), QStringLiteral("say 'hi', then 'go''"));
    EXPECT_TRUE(w.CommandPopNoteOK.isEnabled());
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(w.FrameSmallPop[4].isVisible());
    EXPECT_EQ(app->hid.ComboNotePage.ListCount(), 0);
}

TEST_F(WindowKeys, TheHomePageAddressStaysAsOffered)
{
    const QString page = QStringLiteral("http://www.velmora.example/home.html");
    frmWeb& w = openActive(page);
    ASSERT_TRUE(w.CommandPopMakeHome.click());
    w.OptionPopHome[1].click();
    clickInto(w.TextPopHome);
    testsupport::tryEveryEdit();
    EXPECT_EQ(w.TextPopHome.text(), page);
    EXPECT_EQ(app->panel.MakeHomeAddress, page);
    EXPECT_TRUE(w.FrameSmallPop[5].isVisible());
    EXPECT_NE(app->opt.MainBrowserHomePages[1], page);
}
