// A user's long session on the real engine, shortened: every road of the long-session
// benchmark (tabs, main-browser switches, menus and panels, secondary windows) a few times
// through real clicks and keys, each cycle leaving the widgets, the timers and the pictures
// where they were, and no timer running while nothing happens.

#include "EngineSupport.h"
#include "LongSession.h"
#include "SessionCensus.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <optional>

namespace {

using longsession::LongSession;
using testsupport::CensusFigures;
using testsupport::SessionCensus;

class LongSessionTest : public ::testing::Test {
protected:
    LongSessionTest()
    {
        session.emplace(home.path());
        session->onFailure = [](const QString& what) { ADD_FAILURE() << what.toStdString(); };
    }
    // The engine still closes its profile's files a little after the session has gone: the
    // session's home goes once they are closed.
    ~LongSessionTest() override
    {
        session.reset();
        QStringList open;
        EXPECT_TRUE(testsupport::waitUntilFilesClosed(home.path(), 10000, &open)) << open.join(u", ").toStdString();
    }

    // Without the session's watch for dialogs.
    CensusFigures take()
    {
        return session->withoutWatch([this] { return census.take(); });
    }
    QMap<QString, int> timerOwners()
    {
        return session->withoutWatch([this] { return census.timerOwners(); });
    }

    // What the session holds now is what it will hold after every cycle.
    void markStart()
    {
        ASSERT_TRUE(session->quiet());
        testsupport::flushDeferredDeletes();
        start = session->atRest(census);
        startWidgets = SessionCensus::widgetClasses();
        startTimers = timerOwners();
    }

    // The counts after a cycle are back at their start values; they are asked again for a
    // while, as a deletion or a single shot may still be on its way.
    void expectBack(const char* cycle)
    {
        SCOPED_TRACE(cycle);
        EXPECT_TRUE(session->quiet());
        testsupport::flushDeferredDeletes();
        auto same = [this](const CensusFigures& c) {
            return c.widgets == start.widgets && c.timers == start.timers && c.pixmaps == start.pixmaps;
        };
        CensusFigures now = take();
        for (int i = 0; i < 20 && !same(now); ++i) {
            longsession::waitFor([] { return false; }, 100);
            testsupport::flushDeferredDeletes();
            now = take();
        }
        EXPECT_EQ(now.widgets, start.widgets)
            << testsupport::classDifference(startWidgets, SessionCensus::widgetClasses()).toStdString();
        EXPECT_EQ(now.timers, start.timers)
            << testsupport::classDifference(startTimers, timerOwners()).toStdString();
        EXPECT_EQ(now.pixmaps, start.pixmaps);
        EXPECT_EQ(now.pixmapBytes, start.pixmapBytes);
    }

    // Made first, so that it sees every object of the session.
    SessionCensus census;
    QTemporaryDir home;
    std::optional<LongSession> session;
    CensusFigures start;
    QMap<QString, int> startWidgets;
    QMap<QString, int> startTimers;
};

TEST_F(LongSessionTest, EveryRoadLeavesNoWidgetTimerOrPictureBehind)
{
    ASSERT_TRUE(session->start());
    // One of each first: what is made once, on its first use, is not a leak.
    ASSERT_TRUE(session->showEveryBrowser());
    ASSERT_TRUE(session->tabsCycle(0));
    ASSERT_TRUE(session->switchCycle(0));
    ASSERT_TRUE(session->menusCycle());
    ASSERT_TRUE(session->windowCycle(0));
    ASSERT_NO_FATAL_FAILURE(markStart());
    // No timer of the program runs while nothing happens.
    EXPECT_EQ(start.timers, 0) << testsupport::classDifference({}, startTimers).toStdString();
    EXPECT_GT(start.pixmaps, 0);

    // Three rounds close the tabs each of the three ways.
    for (int round = 1; round <= 3 && !HasFailure(); ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(session->tabsCycle(round));
        expectBack("tabs");
        ASSERT_TRUE(session->switchCycle(round));
        expectBack("switches");
        ASSERT_TRUE(session->menusCycle());
        expectBack("menus and panels");
        ASSERT_TRUE(session->windowCycle(round));
        expectBack("secondary window");
    }
}

} // namespace
