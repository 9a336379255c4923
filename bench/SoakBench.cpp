// bench_soak: a long session on the real main window (see README.md). The whole start-up
// with six main browsers on the real engine, pages from a loopback HTTP server, and a user's
// mouse and keys through Qt's event path: 24 tabs opened by a page and closed, 50 times;
// the six main browsers switched 200 times; every menu and panel opened and closed 100
// times; ten secondary windows opened and closed. After each cycle the widgets, timers and
// pictures must be back at their start values; the program's private memory at the end
// must lie within 5 MiB of the middle and within 10 MiB of the start.

#include "LongSession.h"
#include "SessionCensus.h"

#include "web/QtWebEngine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

using longsession::LongSession;
using testsupport::CensusFigures;
using testsupport::privateMemoryBytes;

namespace {

constexpr int DefaultRounds = 50;
constexpr int MenuCyclesPerRound = 2; // 100 in all
constexpr int WindowEvery = 5; // 10 in all
constexpr qint64 MiB = 1024 * 1024;
constexpr qint64 GrowthGoal = 5 * MiB;
constexpr qint64 FromStartGoal = 10 * MiB;
constexpr int MedianRounds = 6;

// Warnings reach the output; the engine's start-up report and other chatter do not.
void messageHandler(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(msg));
}

QString mib(qint64 bytes)
{
    return QString::number(double(bytes) / MiB, 'f', 1);
}

void flushDeferredDeletes()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

class Session {
public:
    Session(const QString& home, testsupport::SessionCensus& census, int rounds, bool detail)
        : m_session(home), m_census(census), m_rounds(rounds), m_detail(detail)
    {
        m_session.onFailure = [](const QString& what) {
            std::printf("  failed: %s\n", qPrintable(what));
            std::fflush(stdout);
        };
    }

    bool start() { return m_session.start(); }
    int run();

private:
    bool ok() const { return m_session.failures().isEmpty(); }
    // The figures without the benchmark's own watch for dialogs.
    CensusFigures take()
    {
        return m_session.withoutWatch([this] { return m_census.take(); });
    }
    // Counts after a cycle: each back at its start value (asked again for a while, as a
    // deletion or a single shot may still be on its way), or the cycle is reported.
    void check(const QString& cycle);
    void print(const QString& what, const CensusFigures& f);

    LongSession m_session;
    testsupport::SessionCensus& m_census;
    int m_rounds;
    // Objects by class after each cycle, and the timers' owners at the start.
    bool m_detail;
    QMap<QString, int> m_objects;

    CensusFigures m_start;
    QMap<QString, int> m_startWidgets;
    QMap<QString, int> m_startTimers;
    int m_cycles = 0;
    int m_cyclesOff = 0;
};

void Session::print(const QString& what, const CensusFigures& c)
{
    std::printf("%-26s %8d %7d %8d %9d %12s %9s\n", qPrintable(what), c.widgets, c.timers, c.pixmaps, c.objects,
        qPrintable(mib(c.privateBytes)), qPrintable(mib(c.heapBytes)));
    std::fflush(stdout);
}

void Session::check(const QString& cycle)
{
    ++m_cycles;
    if (!m_session.quiet())
        std::printf("  %s: the session did not come to rest\n", qPrintable(cycle));
    flushDeferredDeletes();
    auto same = [this](const CensusFigures& c) {
        return c.widgets == m_start.widgets && c.timers == m_start.timers && c.pixmaps == m_start.pixmaps;
    };
    CensusFigures c = take();
    for (int i = 0; i < 20 && !same(c); ++i) {
        longsession::waitFor([] { return false; }, 100);
        flushDeferredDeletes();
        c = take();
    }
    print(cycle, c);
    if (m_detail) {
        const QMap<QString, int> now = m_census.objectClasses();
        std::printf("  objects: %s\n", qPrintable(testsupport::classDifference(m_objects, now)));
        m_objects = now;
    }
    if (same(c))
        return;
    ++m_cyclesOff;
    std::printf("  off: widgets %+d, timers %+d, pictures %+d\n", c.widgets - m_start.widgets,
        c.timers - m_start.timers, c.pixmaps - m_start.pixmaps);
    const QMap<QString, int> timers = m_session.withoutWatch([this] { return m_census.timerOwners(); });
    std::printf("  widgets: %s\n  timers: %s\n",
        qPrintable(testsupport::classDifference(m_startWidgets, testsupport::SessionCensus::widgetClasses())),
        qPrintable(testsupport::classDifference(m_startTimers, timers)));
    // Later cycles are compared with what this one left, so that each leak is told once.
    m_start.widgets = c.widgets;
    m_start.timers = c.timers;
    m_start.pixmaps = c.pixmaps;
    m_startWidgets = testsupport::SessionCensus::widgetClasses();
    m_startTimers = timers;
}

int Session::run()
{
    std::printf(
        "%-26s %8s %7s %8s %9s %12s %9s\n", "", "widgets", "timers", "pictures", "objects", "private MiB", "heap MiB");
    m_session.quiet();
    flushDeferredDeletes();
    const CensusFigures launch = take();
    print(QStringLiteral("after start-up"), launch);

    // One of each first: what is made once, on first use, is not a leak.
    QElapsedTimer clock;
    clock.start();
    LongSession& u = m_session;
    if (!u.showEveryBrowser() || !u.tabsCycle(0) || !u.switchCycle(0) || !u.menusCycle() || !u.windowCycle(0)
        || !u.quiet())
        return 1;
    flushDeferredDeletes();
    m_start = u.atRest(m_census);
    m_startWidgets = testsupport::SessionCensus::widgetClasses();
    m_startTimers = u.withoutWatch([this] { return m_census.timerOwners(); });
    const CensusFigures start = m_start;
    print(QStringLiteral("start (one of each)"), start);
    if (m_detail) {
        for (auto it = m_startTimers.begin(); it != m_startTimers.end(); ++it)
            std::printf("  timer: %s x%d\n", qPrintable(it.key()), it.value());
        m_objects = m_census.objectClasses();
    }

    // The engine's memory moves in steps of about 5 MiB from one round to the next: the
    // middle and the end are each the median of the last six rounds' figures (every way of
    // closing the tabs twice), besides the figure of the moment.
    QList<qint64> rounds;
    auto recent = [&rounds] {
        QList<qint64> last = rounds.mid(std::max<qsizetype>(0, rounds.size() - MedianRounds));
        std::sort(last.begin(), last.end());
        return last.isEmpty() ? qint64(0) : (last[(last.size() - 1) / 2] + last[last.size() / 2]) / 2;
    };
    CensusFigures middle;
    qint64 middleMedian = 0;
    int windows = 0;
    for (int round = 1; round <= m_rounds && ok(); ++round) {
        const QString r = QStringLiteral("round %1 ").arg(round);
        if (u.tabsCycle(round))
            check(r + QStringLiteral("tabs"));
        if (ok() && u.switchCycle(round))
            check(r + QStringLiteral("switches"));
        for (int k = 0; k < MenuCyclesPerRound && ok(); ++k)
            if (u.menusCycle())
                check(r + QStringLiteral("menus and panels"));
        if (round % WindowEvery == 0 && ok() && u.windowCycle(++windows))
            check(r + QStringLiteral("window %1").arg(windows));
        rounds << privateMemoryBytes();
        if (round == m_rounds / 2) {
            middle = take();
            middleMedian = recent();
            print(QStringLiteral("middle (round %1)").arg(round), middle);
        }
    }
    if (!ok())
        return 1;
    const CensusFigures end = take();
    const qint64 endMedian = recent();
    print(QStringLiteral("end (round %1)").arg(m_rounds), end);
    // The start was read at rest, after the engine's wait before it gives freed memory back:
    // so is the end it is compared with.
    const CensusFigures endAtRest = u.atRest(m_census);
    print(QStringLiteral("end, at rest"), endAtRest);

    const qint64 growth = endMedian - middleMedian;
    const bool flat = growth <= GrowthGoal;
    const qint64 fromStart = endAtRest.privateBytes - start.privateBytes;
    const bool backAtStart = fromStart <= FromStartGoal;
    std::printf("\n%d rounds in %lld s: %d tab cycles of 24 tabs, %d switches, %d menu and panel cycles, %d windows\n",
        m_rounds, static_cast<long long>(clock.elapsed() / 1000), m_rounds + 1,
        (m_rounds + 1) * LongSession::SwitchesPerCycle + 6, m_rounds * MenuCyclesPerRound + 1, windows + 1);
    std::printf("private memory (MiB): after start-up %s, start %s, middle %s (median %s), end %s (median %s)\n",
        qPrintable(mib(launch.privateBytes)), qPrintable(mib(start.privateBytes)), qPrintable(mib(middle.privateBytes)),
        qPrintable(mib(middleMedian)), qPrintable(mib(end.privateBytes)), qPrintable(mib(endMedian)));
    std::printf("end - middle: %s MiB (goal at most 5): %s\n", qPrintable(mib(growth)), flat ? "met" : "MISSED");
    std::printf("end at rest - start: %s MiB (goal at most 10): %s\n", qPrintable(mib(fromStart)),
        backAtStart ? "met" : "MISSED");
    std::printf("heap in use (MiB): start %s, middle %s, end %s, end at rest %s\n", qPrintable(mib(start.heapBytes)),
        qPrintable(mib(middle.heapBytes)), qPrintable(mib(end.heapBytes)), qPrintable(mib(endAtRest.heapBytes)));
    std::printf("widgets, timers and pictures back at their start values after %d of %d cycles: %s\n",
        m_cycles - m_cyclesOff, m_cycles, m_cyclesOff == 0 ? "met" : "MISSED");
    return flat && backAtStart && m_cyclesOff == 0 ? 0 : 2;
}

} // namespace

int main(int argc, char** argv)
{
    // A fresh home for the run: configuration, data, the engine's profile and cache.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    const QByteArray h = home.path().toUtf8();
    qputenv("HOME", h);
    qputenv("XDG_CONFIG_HOME", h + "/config");
    qputenv("XDG_DATA_HOME", h + "/data");
    qputenv("XDG_CACHE_HOME", h + "/cache");
    qputenv("XDG_RUNTIME_DIR", h + "/runtime");
    QDir().mkpath(home.path() + QStringLiteral("/runtime"));
    QFile::setPermissions(
        home.path() + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Headless unless told otherwise, on a screen of 1280 x 1024.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QString screens = home.path() + QStringLiteral("/screens.json");
        QFile file(screens);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1280, "height": 1024,
                              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            "--disable-gpu --disable-background-networking --disable-component-update --no-first-run");

    // The census sees every object from the first.
    testsupport::SessionCensus census;
    vb::prepareWebEngineProcess();
    QApplication qapp(argc, argv);
    qInstallMessageHandler(messageHandler);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setOrganizationName(QStringLiteral("Tavolin"));
    QApplication::setQuitOnLastWindowClosed(false);

    // --rounds N: a shorter (or longer) session.
    int rounds = DefaultRounds;
    const QStringList args = QCoreApplication::arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--rounds")); at > 0 && at + 1 < args.size())
        rounds = std::max(2, args[at + 1].toInt());
    // --detail: what objects each cycle leaves, by class (for a hunt after a cycle that
    // missed).
    Session session(home.path(), census, rounds, args.contains(QStringLiteral("--detail")));
    if (!session.start()) {
        std::printf("the start-up failed\n");
        return 1;
    }
    const int rc = session.run();
    // --no-teardown: the process ends with everything still alive, so that a heap profiler
    // reports as "leaked" what the session held at its end (see README.md).
    if (args.contains(QStringLiteral("--no-teardown"))) {
        std::fflush(stdout);
        ::_exit(rc);
    }
    return rc;
}
