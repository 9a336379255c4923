#pragma once
// What a running program holds, counted the same way by the soak test and by the
// long-session benchmark: its widgets, the timers of its event loop, the pictures its
// windows' controls hold, its live QObjects and its private memory.

#include <QMap>
#include <QString>

namespace testsupport {

struct CensusFigures {
    // Every widget of the application (QApplication::allWidgets).
    int widgets = 0;
    // Timers registered with the main thread's event loop by live objects (QTimer,
    // QBasicTimer, QObject::startTimer, pending single shots), running or waiting to fire;
    // not those of the libraries' own housekeeping, which come and go with their work: the
    // engine's scheduler of its delayed tasks and the picture cache's clean-up.
    int timers = 0;
    int housekeepingTimers = 0;
    // Distinct pictures held by the windows' controls (button faces, images, label
    // pictures; copies of one picture count once) and their bytes.
    int pixmaps = 0;
    qint64 pixmapBytes = 0;
    // QObjects alive that were created while the census ran.
    int objects = 0;
    // The process's own memory: Private_Clean + Private_Dirty of /proc/self/smaps_rollup.
    qint64 privateBytes = 0;
    // What of it the C library's allocator has handed out and not had back (mallinfo2):
    // memory it keeps for later use after a free counts in privateBytes only.
    qint64 heapBytes = 0;
};

// Follows every QObject from its construction to its destruction through Qt's object
// hooks (the ones object inspectors use), so that timers are found whoever owns them, also
// objects with no parent. One census at a time; it should begin before the program's
// objects are made.
class SessionCensus {
public:
    SessionCensus();
    ~SessionCensus();
    SessionCensus(const SessionCensus&) = delete;
    SessionCensus& operator=(const SessionCensus&) = delete;

    // Call from the main thread with no deferred deletion pending.
    CensusFigures take() const;

    // For a report of what stayed: widgets by class, and the owners of timers by class
    // (and object name, when it has one).
    static QMap<QString, int> widgetClasses();
    QMap<QString, int> timerOwners() const;
    // Objects made on the main thread and living there, by class.
    QMap<QString, int> objectClasses() const;

    // What Qt's hooks feed (SessionCensus.cpp).
    struct Objects;
};

// Private_Clean + Private_Dirty of this process, in bytes; -1 when it cannot be read.
qint64 privateMemoryBytes();

// "widgets 1 (QLabel +1), timers -1 (QTimer -1)": what differs between two breakdowns.
QString classDifference(const QMap<QString, int>& before, const QMap<QString, int>& after);

} // namespace testsupport
