#include "SessionCensus.h"

#include "vb/Control.h"
#include "vb/Controls.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QSet>
#include <QStringList>
#include <QThread>
#include <QWidget>

#include <malloc.h>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// QtCore's object hooks (qhooks_p.h): an object inspector's way to see every QObject come
// and go. Slot 3 is called at the start of every QObject's construction, slot 4 in its
// destructor, from whatever thread makes or deletes it.
QT_BEGIN_NAMESPACE
extern Q_CORE_EXPORT quintptr qtHookData[];
QT_END_NAMESPACE

namespace testsupport {

namespace {

constexpr int AddQObjectHook = 3;
constexpr int RemoveQObjectHook = 4;
using ObjectHook = void (*)(QObject*);

} // namespace

struct SessionCensus::Objects {
    std::mutex lock;
    bool running = false;
    // Each live object, and whether it was made on the main thread.
    std::unordered_map<QObject*, bool> live;
    std::thread::id mainThread;
    quintptr previousAdd = 0;
    quintptr previousRemove = 0;
};

namespace {

// The hooks are plain functions, called on any thread: they reach the census through this
// one object, which lives as long as the process so that a hook running on another thread
// while a census ends never finds it gone.
SessionCensus::Objects& hookedObjects()
{
    static SessionCensus::Objects objects;
    return objects;
}

void objectAdded(QObject* o)
{
    SessionCensus::Objects& c = hookedObjects();
    quintptr previous = 0;
    {
        std::lock_guard<std::mutex> guard(c.lock);
        if (c.running)
            c.live[o] = std::this_thread::get_id() == c.mainThread;
        previous = c.previousAdd;
    }
    if (previous)
        reinterpret_cast<ObjectHook>(previous)(o);
}

void objectRemoved(QObject* o)
{
    SessionCensus::Objects& c = hookedObjects();
    quintptr previous = 0;
    {
        std::lock_guard<std::mutex> guard(c.lock);
        c.live.erase(o);
        previous = c.previousRemove;
    }
    if (previous)
        reinterpret_cast<ObjectHook>(previous)(o);
}

// The objects to ask about timers: those the census saw made, the application and every
// widget (some were made before the census began).
std::vector<QObject*> objectsToAsk(SessionCensus::Objects& c, int* liveCount)
{
    std::unordered_set<QObject*> all;
    {
        std::lock_guard<std::mutex> guard(c.lock);
        for (const auto& [o, _] : c.live)
            all.insert(o);
    }
    if (liveCount)
        *liveCount = int(all.size());
    all.insert(QCoreApplication::instance());
    for (QWidget* w : QApplication::allWidgets())
        all.insert(w);
    return {all.begin(), all.end()};
}

bool isHousekeeping(const QObject* o)
{
    const char* name = o->metaObject()->className();
    return qstrcmp(name, "QWebEngineMessagePumpScheduler") == 0 || qstrcmp(name, "QPMCache") == 0;
}

} // namespace

SessionCensus::SessionCensus()
{
    Objects& c = hookedObjects();
    std::lock_guard<std::mutex> guard(c.lock);
    if (c.running)
        qFatal("SessionCensus: one census at a time");
    c.running = true;
    c.live.clear();
    c.mainThread = std::this_thread::get_id();
    c.previousAdd = qtHookData[AddQObjectHook];
    c.previousRemove = qtHookData[RemoveQObjectHook];
    qtHookData[AddQObjectHook] = reinterpret_cast<quintptr>(&objectAdded);
    qtHookData[RemoveQObjectHook] = reinterpret_cast<quintptr>(&objectRemoved);
}

SessionCensus::~SessionCensus()
{
    Objects& c = hookedObjects();
    std::lock_guard<std::mutex> guard(c.lock);
    qtHookData[AddQObjectHook] = c.previousAdd;
    qtHookData[RemoveQObjectHook] = c.previousRemove;
    c.running = false;
    c.live.clear();
}

CensusFigures SessionCensus::take() const
{
    CensusFigures f;
    const QWidgetList widgets = QApplication::allWidgets();
    f.widgets = int(widgets.size());

    // The dispatcher only compares the pointers it is given: an object another thread is
    // deleting meanwhile is never read.
    QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    for (QObject* o : objectsToAsk(hookedObjects(), &f.objects)) {
        const int n = loop ? int(loop->registeredTimers(o).size()) : 0;
        if (n == 0)
            continue;
        // An object with a timer of the main thread's loop lives on the main thread.
        (isHousekeeping(o) ? f.housekeepingTimers : f.timers) += n;
    }

    QSet<qint64> seen;
    auto count = [&](const QPixmap& p) {
        if (p.isNull() || seen.contains(p.cacheKey()))
            return;
        seen.insert(p.cacheKey());
        ++f.pixmaps;
        f.pixmapBytes += qint64(p.width()) * p.height() * p.depth() / 8;
    };
    for (QWidget* w : widgets) {
        if (auto* label = qobject_cast<QLabel*>(w))
            count(label->pixmap());
        vb::Control* control = vb::Control::fromWidget(w);
        if (auto* button = qobject_cast<vb::CommandButton*>(control)) {
            count(button->picture());
            count(button->downPicture());
            count(button->disabledPicture());
        } else if (auto* image = qobject_cast<vb::Image*>(control)) {
            count(image->picture());
        }
    }
    f.privateBytes = privateMemoryBytes();
    const struct mallinfo2 heap = mallinfo2();
    f.heapBytes = qint64(heap.uordblks + heap.hblkhd);
    return f;
}

QMap<QString, int> SessionCensus::widgetClasses()
{
    QMap<QString, int> classes;
    for (QWidget* w : QApplication::allWidgets()) {
        const vb::Control* control = vb::Control::fromWidget(w);
        // A control's widget is named after the control's kind, whose widget class is private.
        const char* name = control ? control->metaObject()->className() : w->metaObject()->className();
        ++classes[QString::fromLatin1(name)];
    }
    return classes;
}

QMap<QString, int> SessionCensus::objectClasses() const
{
    std::vector<QObject*> mine;
    {
        Objects& c = hookedObjects();
        std::lock_guard<std::mutex> guard(c.lock);
        for (const auto& [o, onMain] : c.live)
            if (onMain)
                mine.push_back(o);
    }
    QMap<QString, int> classes;
    const QThread* main = QCoreApplication::instance()->thread();
    for (QObject* o : mine)
        if (o->thread() == main)
            ++classes[QString::fromLatin1(o->metaObject()->className())];
    return classes;
}

QMap<QString, int> SessionCensus::timerOwners() const
{
    QMap<QString, int> owners;
    QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    if (!loop)
        return owners;
    for (QObject* o : objectsToAsk(hookedObjects(), nullptr)) {
        const QList<QAbstractEventDispatcher::TimerInfo> timers = loop->registeredTimers(o);
        if (timers.isEmpty())
            continue;
        // An object with a timer of the main thread's loop lives on the main thread.
        QString name = QString::fromLatin1(o->metaObject()->className());
        if (!o->objectName().isEmpty())
            name += QLatin1Char(' ') + o->objectName();
        else if (o->parent())
            name += QStringLiteral(" in ") + QString::fromLatin1(o->parent()->metaObject()->className());
        for (const QAbstractEventDispatcher::TimerInfo& t : timers)
            ++owners[name + QStringLiteral(" (%1 ms)").arg(t.interval)];
    }
    return owners;
}

qint64 privateMemoryBytes()
{
    QFile f(QStringLiteral("/proc/self/smaps_rollup"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    qint64 kb = 0;
    bool found = false;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("Private_Clean:") || line.startsWith("Private_Dirty:")) {
            kb += line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toLongLong();
            found = true;
        }
    }
    return found ? kb * 1024 : -1;
}

QString classDifference(const QMap<QString, int>& before, const QMap<QString, int>& after)
{
    QStringList parts;
    QSet<QString> names;
    for (auto it = before.begin(); it != before.end(); ++it)
        names.insert(it.key());
    for (auto it = after.begin(); it != after.end(); ++it)
        names.insert(it.key());
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    for (const QString& name : sorted) {
        const int d = after.value(name) - before.value(name);
        if (d != 0)
            parts << QStringLiteral("%1 %2%3").arg(name, d > 0 ? QStringLiteral("+") : QString()).arg(d);
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace testsupport
