// The location boxes of the main window driven with the real keyboard: the user clicks into
// the box on screen, types, edits and presses Enter; the keys reach the box through Qt's
// event path (a combo box holds the focus and hands them to its line edit). What the
// scripted engine is asked to load tells what Enter did.

#include "BrowseFixture.h"
#include "UserInput.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>

using namespace browsetest;
using namespace corvane;
using testsupport::pressKey;
using testsupport::typeText;

namespace {

class LocationKeys : public ScriptedBrowseTest {
protected:
    void start()
    {
        ScriptedBrowseTest::start();
        ASSERT_TRUE(testsupport::activateWindowOf(f().window()));
    }
    QString site(int n) const { return QStringLiteral("http://site%1.velmora.example/").arg(n); }
    bool goOn() const
    {
        EXPECT_EQ(f().CommandGo.isEnabled(), f().CommandComGo.isEnabled());
        return f().CommandGo.isEnabled();
    }
    // The user clicks into the box on screen and selects its text, to type over it.
    static void clickInto(vb::ComboBox& box)
    {
        ASSERT_TRUE(box.widget()->isVisible());
        QWidget* focus = testsupport::clickInto(static_cast<QComboBox*>(box.widget())->lineEdit());
        ASSERT_EQ(focus, box.widget());
        pressKey(Qt::Key_A, Qt::ControlModifier);
    }
};

} // namespace

TEST_F(LocationKeys, TheNormalBarBoxGoesOnEnterWhenTheTextDiffers)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(site(1));
    ASSERT_EQ(f().ComboLocation.text(), site(1));
    clickInto(f().ComboLocation);
    typeText(QStringLiteral("site 3.velmora. example/"));
    EXPECT_EQ(f().ComboLocation.text(), QStringLiteral("site 3.velmora. example/"));
    EXPECT_TRUE(goOn());
    const qsizetype before = e.navigations().size();
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.navigations().size(), before + 1);
    EXPECT_EQ(e.lastNavigation(), site(3));
    EXPECT_TRUE(s().PopupGuard);
    e.completeNavigation(site(3));

    // Enter on the page's own address does nothing.
    clickInto(f().ComboLocation);
    typeText(site(3));
    pressKey(Qt::Key_Enter); // the keypad's Enter
    EXPECT_EQ(e.navigations().size(), before + 1);

    // A typed address that is also an entry of the list goes there once: Enter is not a pick.
    ASSERT_TRUE(f().ComboLocation.items().contains(site(1)));
    clickInto(f().ComboLocation);
    typeText(site(1));
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.navigations().size(), before + 2);
    EXPECT_EQ(e.lastNavigation(), site(1));
}

TEST_F(LocationKeys, EditingKeysEditTheBoxAndOfferGo)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(site(1));
    clickInto(f().ComboLocation);
    pressKey(Qt::Key_End);
    EXPECT_FALSE(goOn());
    // Delete, Backspace and cut edit the address; each edit is a Change.
    pressKey(Qt::Key_Backspace);
    EXPECT_EQ(f().ComboLocation.text(), QStringLiteral("http://site1.velmora.example"));
    EXPECT_TRUE(goOn());
    pressKey(Qt::Key_Home);
    for (int i = 0; i < 7; ++i)
        pressKey(Qt::Key_Delete);
    EXPECT_EQ(f().ComboLocation.text(), QStringLiteral("site1.velmora.example"));
    // Back to the address by Undo: Go is withdrawn again.
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f().ComboLocation.text(), site(1));
    EXPECT_FALSE(goOn());
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f().ComboLocation.text(), QString());
    EXPECT_FALSE(goOn());
    EXPECT_EQ(QApplication::clipboard()->text(), site(1));
    // The address pasted back, then a new one typed with the keyboard's paste.
    QApplication::clipboard()->setText(QStringLiteral("site5.velmora.example/"));
    pressKey(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_TRUE(goOn());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.lastNavigation(), site(5));
}

TEST_F(LocationKeys, TheFullWindowBarBoxGoesOnEnter)
{
    start();
    vb::ScriptedWebEngine& e = mainEngine(0);
    e.completeNavigation(site(1));
    FullWindowSet(*app, true);
    clickInto(f().ComboComLocation);
    typeText(QStringLiteral("site4.velmora.example/"));
    EXPECT_TRUE(goOn());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.lastNavigation(), site(4));
    e.completeNavigation(site(4));

    // On a tab the compact box drives the tab.
    const int t = openTabFromMain(site(6));
    ASSERT_EQ(t, 1);
    ASSERT_TRUE(s().TabBrowserCurrent);
    clickInto(f().ComboComLocation);
    typeText(QStringLiteral("site7.velmora.example/"));
    pressKey(Qt::Key_Return);
    EXPECT_EQ(tabEngine(t).lastNavigation(), site(7));
    EXPECT_EQ(e.lastNavigation(), site(4));
}

TEST_F(LocationKeys, ATabBoxPressesGoOnEnterWhenTheNormalisedAddressDiffers)
{
    start();
    const int t = openTabFromMain(site(1));
    ASSERT_EQ(t, 1);
    vb::ScriptedWebEngine& e = tabEngine(t);
    // Differs as typed, not once normalised: Go stays off and Enter reloads nothing.
    clickInto(f().ComboWebLocation[t]);
    typeText(QStringLiteral("site1.velmora. example/"));
    EXPECT_FALSE(goOn());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.navigations(), QStringList());
    EXPECT_EQ(e.refreshCalls(), 0);

    pressKey(Qt::Key_Home);
    for (int i = 0; i < 5; ++i)
        pressKey(Qt::Key_Delete);
    typeText(QStringLiteral("2"));
    EXPECT_EQ(f().ComboWebLocation[t].text(), QStringLiteral("2.velmora. example/"));
    EXPECT_TRUE(goOn());
    pressKey(Qt::Key_Return);
    EXPECT_EQ(e.navigations(), QStringList{QStringLiteral("http://2.velmora.example/")});
}

TEST_F(LocationKeys, TheBookmarkBrowsersBoxGoesInTheBookmarkBrowser)
{
    start();
    switchToBookmarkBrowser();
    completeIn(f().WebBrowser[BookmarkBrowserIndex], site(8));
    clickInto(f().ComboLocation);
    typeText(QStringLiteral("site9.velmora.example/"));
    pressKey(Qt::Key_Return);
    EXPECT_EQ(mainEngine(BookmarkBrowserIndex).lastNavigation(), site(9));
    EXPECT_NE(mainEngine(0).lastNavigation(), site(9));
}
