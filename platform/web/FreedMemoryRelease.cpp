#include "web/FreedMemoryRelease.h"

#include <QEvent>
#include <QWidget>

namespace vb {

FreedMemoryRelease::FreedMemoryRelease(int delayMs, std::function<bool()> loading, std::function<void()> release)
    : m_loading(std::move(loading)), m_release(std::move(release))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    m_timer.callOnTimeout(this, &FreedMemoryRelease::releaseIfQuiet);
}

void FreedMemoryRelease::soon()
{
    m_timer.start();
}

void FreedMemoryRelease::watch(QWidget* view)
{
    view->installEventFilter(this);
    connect(view, &QObject::destroyed, this, &FreedMemoryRelease::soon);
}

bool FreedMemoryRelease::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        soon();
    return false;
}

void FreedMemoryRelease::releaseIfQuiet()
{
    // A load that is under way ends with a soon() of its own.
    if (m_loading && m_loading())
        return;
    if (m_release)
        m_release();
}

} // namespace vb
