// The session's end reaches the program from its event loop, never inside the signal
// handler, in a modal dialog's nested loop too; signals the program was started with
// ignored stay ignored, and the handling before is given back.

#include "sys/TerminationNotifier.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <csignal>

using testsupport::waitFor;

namespace {

// The handler of signal now.
void (*handlerOf(int signal))(int)
{
    struct sigaction current = {};
    ::sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

// Puts a signal's handling back as it was when the test began.
class KeepHandling {
public:
    explicit KeepHandling(int signal) : m_signal(signal) { ::sigaction(signal, nullptr, &m_kept); }
    ~KeepHandling() { ::sigaction(m_signal, &m_kept, nullptr); }

private:
    int m_signal;
    struct sigaction m_kept = {};
};

} // namespace

TEST(TerminationNotifier, EachSignalIsHandedOverFromTheEventLoop)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        KeepHandling keep(signal);
        ::signal(signal, SIG_DFL);
        sys::TerminationNotifier notifier;
        ASSERT_TRUE(notifier.isActive());
        int requests = 0;
        notifier.onRequest = [&] { ++requests; };

        ASSERT_EQ(::raise(signal), 0);
        EXPECT_EQ(requests, 0) << "nothing runs inside the signal handler";
        EXPECT_TRUE(waitFor([&] { return requests > 0; }, 5000)) << signal;
        waitFor([] { return false; }, 50);
        EXPECT_EQ(requests, 1) << signal;
    }
}

TEST(TerminationNotifier, SignalsThatCameTogetherAreOneRequest)
{
    KeepHandling keep(SIGTERM);
    sys::TerminationNotifier notifier;
    int requests = 0;
    notifier.onRequest = [&] { ++requests; };
    ::raise(SIGTERM);
    ::raise(SIGTERM);
    ::raise(SIGTERM);
    EXPECT_TRUE(waitFor([&] { return requests > 0; }, 5000));
    waitFor([] { return false; }, 50);
    EXPECT_EQ(requests, 1);

    // A later signal is a new request.
    ::raise(SIGTERM);
    EXPECT_TRUE(waitFor([&] { return requests == 2; }, 5000));
}

TEST(TerminationNotifier, ARequestReachesANestedLoop)
{
    KeepHandling keep(SIGTERM);
    sys::TerminationNotifier notifier;
    QEventLoop nested;
    bool insideNested = false;
    notifier.onRequest = [&] {
        insideNested = nested.isRunning();
        nested.quit();
    };
    QTimer::singleShot(0, &nested, [] { ::raise(SIGTERM); });
    QTimer::singleShot(5000, &nested, [&] { nested.quit(); });
    nested.exec();
    EXPECT_TRUE(insideNested);
}

TEST(TerminationNotifier, AnIgnoredSignalStaysIgnoredAndTheOldHandlingComesBack)
{
    KeepHandling keepHup(SIGHUP);
    KeepHandling keepTerm(SIGTERM);
    ::signal(SIGHUP, SIG_IGN); // started through nohup
    ::signal(SIGTERM, SIG_DFL);
    {
        sys::TerminationNotifier notifier;
        int requests = 0;
        notifier.onRequest = [&] { ++requests; };
        EXPECT_EQ(handlerOf(SIGHUP), SIG_IGN);
        EXPECT_NE(handlerOf(SIGTERM), SIG_DFL);
        ::raise(SIGHUP);
        waitFor([] { return false; }, 100);
        EXPECT_EQ(requests, 0);
    }
    EXPECT_EQ(handlerOf(SIGHUP), SIG_IGN);
    EXPECT_EQ(handlerOf(SIGTERM), SIG_DFL);
}

TEST(TerminationNotifier, ANotifierThatWentPassesTheSignalsToTheOneBefore)
{
    KeepHandling keep(SIGTERM);
    sys::TerminationNotifier outer;
    int outerRequests = 0;
    outer.onRequest = [&] { ++outerRequests; };
    {
        sys::TerminationNotifier inner;
        inner.onRequest = [] { ADD_FAILURE() << "the inner notifier is gone"; };
    }
    ::raise(SIGTERM);
    EXPECT_TRUE(waitFor([&] { return outerRequests == 1; }, 5000));
}
