// A secondary window's browser events through the scripted engine: one navigation event by
// event, the busy animation and Stop, progress, the pop-up guard, new windows becoming
// tabs (slots, band, the 24-tab limit, a failure half-way), page notes, failed
// navigations, and a loading tab that is closed.

#include "WebWindowFixture.h"

#include "ControlBookmark.h"

using namespace webwindowtest;
using namespace corvane;

namespace {

using EventsTest = WebWindowTest;

TEST_F(EventsTest, OneNavigationEventByEvent)
{
    frmWeb& w = openWindowAt(site(0));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    w.ComboPopLocation[0].setText(QStringLiteral("www.velmora.example/a.html"));
    ASSERT_TRUE(w.CommandPopGo.isEnabled());

    e.fireBeforeNavigate2();
    EXPECT_TRUE(w.PopPopupGuard);
    EXPECT_FALSE(w.CommandPopGo.isEnabled());
    EXPECT_TRUE(w.ProgressPop[0].isVisible());
    EXPECT_EQ(w.ProgressPop[0].value(), 0);
    EXPECT_FALSE(w.ProgressPop[1].isVisible());

    e.fireDownloadBegin();
    EXPECT_EQ(w.PopBusyIndex, 0);
    EXPECT_TRUE(w.CommandPopStop.isEnabled());
    EXPECT_TRUE(w.TimerPop.isEnabled());
    EXPECT_EQ(w.TimerPop.interval(), 200);
    // Six frames, then the first again.
    for (int expected : {1, 2, 3, 4, 5, 6, 1, 2}) {
        w.TimerPop.fire();
        EXPECT_EQ(w.PopBusyFrame, expected);
        EXPECT_TRUE(samePicture(w.ImageCrazy[0].picture(), w.ImageShow[expected].picture()));
    }

    e.fireProgressChange(50, 100);
    EXPECT_TRUE(w.ProgressPop[0].isVisible());
    EXPECT_EQ(w.ProgressPop[0].value(), 50);

    e.fireNavigateComplete2(QStringLiteral("http://www.velmora.example/a.html"));
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_TRUE(w.PopCanGoBack[0]);
    EXPECT_FALSE(w.ProgressPop[0].isVisible());
    EXPECT_TRUE(w.TimerPop.isEnabled());

    e.fireDownloadComplete();
    EXPECT_EQ(w.PopBusyIndex, -1);
    EXPECT_FALSE(w.CommandPopStop.isEnabled());
    EXPECT_FALSE(w.TimerPop.isEnabled());
    EXPECT_EQ(w.PopBusyFrame, 0);
    EXPECT_TRUE(samePicture(w.ImageCrazy[0].picture(), w.ImageShow[0].picture()));
}

TEST_F(EventsTest, ProgressIsRoundedAndHiddenAtTheEnds)
{
    frmWeb& w = openWindowAt(site(0));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    const struct {
        qint32 progress, max;
        int percent;
    } cases[] = {{1, 8, 12}, {5, 8, 62}, {1, 200, 0}, {3, 200, 2}, {100, 100, 0}, {-1, 100, 0}, {5, 0, 0},
                 {2000000000, 2100000000, 95}};
    for (const auto& c : cases) {
        e.fireProgressChange(c.progress, c.max);
        EXPECT_EQ(w.ProgressPop[0].isVisible(), c.percent != 0) << c.progress << "/" << c.max;
        EXPECT_EQ(w.ProgressPop[0].value(), c.percent) << c.progress << "/" << c.max;
    }
}

TEST_F(EventsTest, OnlyTheShownSlotDrivesStopAndTheAnimation)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    engineOf(w, 0).fireDownloadBegin();
    EXPECT_FALSE(w.TimerPop.isEnabled());
    EXPECT_FALSE(w.CommandPopStop.isEnabled());
    // A switch away from the busy slot stops its animation.
    engineOf(w, 1).fireDownloadBegin();
    ASSERT_TRUE(w.TimerPop.isEnabled());
    w.TimerPop.fire();
    ASSERT_TRUE(w.CommandPopNew[0].click());
    EXPECT_FALSE(w.TimerPop.isEnabled());
    EXPECT_EQ(w.PopBusyIndex, -1);
    EXPECT_FALSE(w.CommandPopStop.isEnabled());
    EXPECT_TRUE(samePicture(w.ImageCrazy[0].picture(), w.ImageShow[0].picture()));
}

TEST_F(EventsTest, APageStillLoadingGetsNoWindow)
{
    frmWeb& w = openWindowAt(site(0));
    engineOf(w, 0).fireBeforeNavigate2();
    EXPECT_EQ(engineOf(w, 0).fireNewWindow2(), nullptr);
    EXPECT_EQ(w.PopTabCount, 0);
    EXPECT_FALSE(w.BrowserPop.exists(1));
    engineOf(w, 0).fireNavigateComplete2(site(0) + QStringLiteral("x.html"));
    EXPECT_EQ(openTab(w, 0, site(1)), 1);
}

TEST_F(EventsTest, NewWindowsTakeTheLowestFreeSlotAndWidenTheBand)
{
    frmWeb& w = openWindowAt(site(0));
    vb::WebBrowser* target = engineOf(w, 0).fireNewWindow2();
    ASSERT_EQ(slotOf(w, target), 1);
    // Before its page arrives: counted, loaded, hidden, the band already planned.
    EXPECT_EQ(w.PopTabCount, 1);
    EXPECT_EQ(w.PopTabCurrent, 1);
    EXPECT_TRUE(w.PopOnTab);
    EXPECT_FALSE(target->isVisible());
    EXPECT_TRUE(w.ComboPopLocation.exists(1));
    EXPECT_TRUE(w.CommandPopNew[1].isEnabled());
    EXPECT_TRUE(w.CommandPopComNew[1].isEnabled());
    EXPECT_EQ(w.PopBandHeight, 108);
    EXPECT_EQ(w.PopBrowserHeight, w.PopHeight - 140);
    EXPECT_FALSE(w.PopPopupGuard);
    engineOf(*target).completeNavigation(site(1));
    EXPECT_EQ(slotsOnScreen(w), QList<int>{1});
    EXPECT_EQ(w.FrameBigPop.height(), 108);
    EXPECT_EQ(target->top(), 108);
    EXPECT_EQ(target->height(), w.PopHeight - 140);
    EXPECT_EQ(w.CommandPopNew[1].widget()->toolTip(), QStringLiteral("site1.velmora"));

    ASSERT_EQ(openTab(w, 1, site(2)), 2);
    ASSERT_EQ(openTab(w, 2, site(3)), 3);
    // Tab 2 closed: the next window takes slot 2 and the highest stays 3.
    ASSERT_TRUE(w.CommandPopNew[2].click());
    ASSERT_TRUE(w.CommandPopClose[1].click());
    EXPECT_EQ(w.PopTabLastIndex, 3);
    EXPECT_EQ(openTab(w, 0, site(4)), 2);
    EXPECT_EQ(w.PopTabLastIndex, 3);
    // All in use: slot 4.
    EXPECT_EQ(openTab(w, 2, site(5)), 4);
    // Any slot's page, the own page's too, opens a tab of this window.
    EXPECT_EQ(windows().size(), 1);
}

TEST_F(EventsTest, TheTwentyFifthIsRefusedWithTheMessageAfterTheCallback)
{
    frmWeb& w = openWindowAt(site(0));
    openTabs(w, frmWeb::MaxPopTabs);
    ASSERT_TRUE(shown.isEmpty());
    EXPECT_EQ(engineOf(w, 24).fireNewWindow2(), nullptr);
    EXPECT_EQ(shown, QStringList{QStringLiteral("MessageTooManyTab")});
    EXPECT_EQ(shownInsideCallback, QList<bool>{false});
    EXPECT_EQ(w.PopTabCount, 24);
    EXPECT_EQ(w.PopTabCurrent, 24);
    EXPECT_FALSE(w.BrowserPop.exists(25));
}

// Loading the tab fails half-way (its browser's element is taken already): nothing the
// handler changed stays, and the window goes on as before.
TEST_F(EventsTest, ANewWindowThatFailsHalfWayLeavesNothingBehind)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    vb::WebBrowser& squatter = w.BrowserPop.load(2);
    EXPECT_EQ(engineOf(w, 1).fireNewWindow2(), nullptr);
    EXPECT_EQ(w.PopTabCount, 1);
    EXPECT_EQ(w.PopTabLastIndex, 1);
    EXPECT_EQ(w.PopTabCurrent, 1);
    EXPECT_FALSE(w.PopPreviousPending);
    EXPECT_FALSE(w.PopTabSlotUsed[2]);
    EXPECT_FALSE(w.ComboPopLocation.exists(2));
    EXPECT_FALSE(w.CommandPopNew[2].isEnabled());
    EXPECT_FALSE(w.CommandPopComNew[2].isEnabled());
    // The element the handler did not load is left alone.
    EXPECT_EQ(w.BrowserPop.find(2), &squatter);
    w.BrowserPop.unload(2);
    testsupport::flushDeferredDeletes();
    // The slot is free for the next window.
    EXPECT_EQ(openTab(w, 1, site(2)), 2);
    EXPECT_EQ(w.PopTabCount, 2);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{2});

    // The same with the first tab: the band stays as it was.
    frmWeb& v = openWindowAt(site(5));
    v.BrowserPop.load(1);
    EXPECT_EQ(engineOf(v, 0).fireNewWindow2(), nullptr);
    EXPECT_EQ(v.PopTabCount, 0);
    EXPECT_EQ(v.PopBandHeight, 76);
    EXPECT_FALSE(v.PopOnTab);
}

TEST_F(EventsTest, ANotedPageOpensItsNoteInTheReadFace)
{
    NoteAdd(*app, site(1) + QStringLiteral("n.html"), QStringLiteral("Pay the bill"));
    NoteAdd(*app, site(2), QString());
    app->lists.ShowNotes = true;
    frmWeb& w = openWindowAt(site(1) + QStringLiteral("n.html"));
    vb::Frame& note = w.FrameSmallPop[4];
    EXPECT_TRUE(note.isVisible());
    EXPECT_EQ(w.PopNote.CurrentNoteIndex, 0);
    EXPECT_TRUE(w.PopNote.NoteExists);
    // The main window's panel state is its own.
    EXPECT_EQ(app->panel.CurrentNoteIndex, -1);
    EXPECT_FALSE(app->panel.NoteExists);
    EXPECT_TRUE(w.LabelPopNote[1].isVisible());
    EXPECT_EQ(w.LabelPopNote[1].caption(), QStringLiteral("Pay the bill"));
    EXPECT_FALSE(w.LabelPopNote[6].isVisible());
    EXPECT_FALSE(w.LabelPopNote[7].isVisible());
    EXPECT_FALSE(w.TextPopNote[1].isVisible());
    EXPECT_FALSE(w.CommandPopNoteOK.isEnabled());
    EXPECT_TRUE(w.CommandPopNoteRemove.isEnabled());
    EXPECT_TRUE(w.CommandPopNoteEdit.isEnabled());
    EXPECT_TRUE(w.CommandPopNoteNoShow.isVisible());
    EXPECT_EQ(w.TextPopNote[0].text(), site(1) + QStringLiteral("n.html"));

    // A page without a note, and a note whose text is empty, leave the panel closed.
    complete(w, 0, site(3));
    EXPECT_FALSE(note.isVisible());
    complete(w, 0, site(2));
    EXPECT_FALSE(note.isVisible());
    // With notes off, nothing is looked up.
    app->lists.ShowNotes = false;
    w.PopNote.CurrentNoteIndex = -1;
    complete(w, 0, site(1) + QStringLiteral("n.html"));
    EXPECT_FALSE(note.isVisible());
    EXPECT_EQ(w.PopNote.CurrentNoteIndex, -1);
}

// A page that cannot be reached (or an address the engine cannot load) comes back as a
// failed navigation: no error page, and new windows are allowed again.
TEST_F(EventsTest, AFailedNavigationEndsTheGuard)
{
    frmWeb& w = openWindowAt(site(0));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    e.fireBeforeNavigate2();
    ASSERT_TRUE(w.PopPopupGuard);
    EXPECT_TRUE(e.fireNavigateError());
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_EQ(openTab(w, 0, site(1)), 1);
}

// A load that brings no page still ends; the guard goes once no page of the window loads.
TEST_F(EventsTest, TheGuardGoesWhenTheLastLoadEndsWithoutAPage)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    vb::ScriptedWebEngine& page = engineOf(w, 0);
    vb::ScriptedWebEngine& tab = engineOf(w, 1);
    page.fireBeforeNavigate2();
    tab.fireBeforeNavigate2();
    tab.fireDownloadBegin();
    tab.fireDownloadComplete();
    EXPECT_TRUE(w.PopPopupGuard) << "the window's own page still loads";
    page.fireDownloadComplete();
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_EQ(openTab(w, 1, site(2)), 2);
}

// A new tab opened only for a file goes again once the file downloads; the slot the user
// was on is shown.
TEST_F(EventsTest, ANewTabWithoutAPageGoesAgain)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    vb::WebBrowser* target = engineOf(w, 1).fireNewWindow2();
    ASSERT_EQ(slotOf(w, target), 2);
    engineOf(*target).fireBeforeNavigate2();
    engineOf(*target).fireDownloadComplete();
    EXPECT_FALSE(w.PopPopupGuard);
    engineOf(*target).fireFileDownload();
    EXPECT_FALSE(w.BrowserPop.exists(2));
    EXPECT_EQ(w.PopTabCount, 1);
    EXPECT_EQ(w.PopTabLastIndex, 1);
    EXPECT_EQ(w.PopTabCurrent, 1);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{1});
    EXPECT_FALSE(w.PopPopupGuard);

    // The window's first tab: the band goes back to its height without tabs.
    ASSERT_TRUE(w.CommandPopClose[1].click());
    ASSERT_EQ(w.PopTabCount, 0);
    target = engineOf(w, 0).fireNewWindow2();
    ASSERT_EQ(slotOf(w, target), 1);
    engineOf(*target).fireBeforeNavigate2();
    engineOf(*target).fireDownloadComplete();
    engineOf(*target).fireFileDownload();
    EXPECT_EQ(w.PopTabCount, 0);
    EXPECT_EQ(w.PopTabCurrent, 0);
    EXPECT_EQ(w.PopBandHeight, 76);
    EXPECT_EQ(slotsOnScreen(w), QList<int>{0});
}

// A page arriving in a tab behind the one shown: that tab's title follows; the panel the
// user opened, the note panel and the window's caption stay.
TEST_F(EventsTest, APageInATabNotShownLeavesTheScreenAsItIs)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    ASSERT_TRUE(w.CommandPopNew[0].click());
    ASSERT_EQ(w.PopTabCurrent, 0);
    w.FrameSmallPop[0].setVisible(true);
    const QString caption = w.caption();
    complete(w, 1, QStringLiteral("http://www.other.example/x.html"));
    EXPECT_TRUE(w.FrameSmallPop[0].isVisible());
    EXPECT_EQ(w.caption(), caption);
    EXPECT_EQ(w.PopTabCurrent, 0);
    EXPECT_TRUE(w.BrowserPop[0].isVisible());
    EXPECT_FALSE(w.BrowserPop[1].isVisible());
    EXPECT_EQ(w.PopTabTitles[1], QStringLiteral("other.example"));
    EXPECT_EQ(w.CommandPopNew[1].widget()->toolTip(), QStringLiteral("other.example"));
    EXPECT_FALSE(w.PopPopupGuard);
}

// A page that changes its own address without loading: address and Back/Forward follow.
TEST_F(EventsTest, AnAddressChangeWithinThePageShowsTheAddressAndNothingElse)
{
    frmWeb& w = openWindowAt(site(0));
    vb::ScriptedWebEngine& e = engineOf(w, 0);
    w.FrameSmallPop[0].setVisible(true);
    e.setCanGoBack(true);
    e.setCanGoForward(true);
    e.fireSameDocumentNavigate(site(0) + QStringLiteral("#a"));
    EXPECT_EQ(w.ComboPopLocation[0].text(), site(0) + QStringLiteral("#a"));
    EXPECT_FALSE(w.CommandPopGo.isEnabled());
    EXPECT_TRUE(w.ImagePopBack.isEnabled());
    EXPECT_TRUE(w.ImagePopForward.isEnabled());
    EXPECT_TRUE(w.FrameSmallPop[0].isVisible());
    EXPECT_EQ(w.ComboPopLocation[0].items(), QStringList{site(0)});

    w.ComboPopLocation[0].setText(QStringLiteral("velmora"));
    e.setCanGoForward(false);
    e.fireSameDocumentNavigate(site(0) + QStringLiteral("#b"));
    EXPECT_EQ(w.ComboPopLocation[0].text(), QStringLiteral("velmora"));
    EXPECT_FALSE(w.ImagePopForward.isEnabled());
}

TEST_F(EventsTest, ANewTabWhoseFirstPageFailsComesOnScreenEmpty)
{
    frmWeb& w = openWindowAt(site(0));
    vb::WebBrowser* target = engineOf(w, 0).fireNewWindow2();
    ASSERT_EQ(slotOf(w, target), 1);
    vb::ScriptedWebEngine& e = engineOf(*target);
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    EXPECT_TRUE(e.fireNavigateError());
    e.fireDownloadComplete();
    EXPECT_EQ(slotsOnScreen(w), QList<int>{1});
    EXPECT_EQ(w.LabelPopClose[1].caption(), QStringLiteral("#1"));
    EXPECT_FALSE(w.TimerPop.isEnabled());
    // Its empty address lists nothing.
    EXPECT_EQ(w.ComboPopLocation[1].listCount(), 0);
}

TEST_F(EventsTest, ClosingALoadingTabEndsItsGuardAndAnimation)
{
    frmWeb& w = openWindowAt(site(0));
    ASSERT_EQ(openTab(w, 0, site(1)), 1);
    vb::ScriptedWebEngine& e = engineOf(w, 1);
    e.fireBeforeNavigate2();
    e.fireDownloadBegin();
    ASSERT_TRUE(w.PopPopupGuard);
    ASSERT_EQ(w.PopBusyIndex, 1);
    ASSERT_TRUE(w.CommandPopClose[1].click());
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_EQ(w.PopBusyIndex, -1);
    EXPECT_FALSE(w.TimerPop.isEnabled());
    EXPECT_FALSE(w.CommandPopStop.isEnabled());
    testsupport::flushDeferredDeletes();
    EXPECT_EQ(openTab(w, 0, site(2)), 1);

    // "All" and "Close Selected Tabs" too, for a tab loading behind the one shown.
    ASSERT_EQ(openTab(w, 1, site(3)), 2);
    engineOf(w, 1).fireBeforeNavigate2();
    ASSERT_TRUE(w.PopPopupGuard);
    ASSERT_TRUE(w.CommandPopClose[0].click());
    EXPECT_FALSE(w.PopPopupGuard);
    EXPECT_EQ(w.PopTabCount, 0);
}

// A page of a slot not shown completes (a timed navigation behind a tab): the shown slot
// does not gain a Back it does not have, and the slot that navigated keeps its own.
TEST_F(EventsTest, TheBackStateBelongsToTheSlotThatNavigated)
{
    frmWeb& w = openWindow();
    vb::WebBrowser* target = engineOf(w, 0).fireNewWindow2();
    ASSERT_EQ(slotOf(w, target), 1);
    complete(w, 1, site(1));
    // The tab's first page: its Back is on (as for any completed navigation), until Back
    // finds no earlier page.
    ASSERT_TRUE(w.ImagePopBack.isEnabled());
    w.ImagePopBack.click();
    ASSERT_FALSE(w.PopCanGoBack[1]);
    ASSERT_FALSE(w.ImagePopBack.isEnabled());
    complete(w, 0, site(2));
    EXPECT_TRUE(w.PopCanGoBack[0]);
    EXPECT_FALSE(w.PopCanGoBack[1]);
    EXPECT_FALSE(w.ImagePopBack.isEnabled());
    ASSERT_TRUE(w.CommandPopNew[0].click());
    EXPECT_TRUE(w.ImagePopBack.isEnabled());
}

} // namespace
