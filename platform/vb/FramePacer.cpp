#include "FramePacer.h"

#include "Runtime.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace vb {

void FramePacer::pace(QWidget* window, const Runtime& runtime)
{
    if (window && !of(window))
        new FramePacer(window, runtime);
}

FramePacer* FramePacer::of(const QWidget* window)
{
    return window ? window->findChild<FramePacer*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

FramePacer::FramePacer(QWidget* window, const Runtime& runtime)
    : QObject(window), m_window(window), m_runtime(runtime)
{
    m_merge.setSingleShot(true);
    m_merge.setInterval(MergeMs);
    m_merge.callOnTimeout(this, &FramePacer::drawHeldFrame);
    m_press.setSingleShot(true);
    m_press.setInterval(PressMs);
    m_press.callOnTimeout(this, &FramePacer::askForFrame);
    // What the user or a timer does next is drawn at once, with whatever waits.
    connect(&runtime, &Runtime::handsOrTimersActed, this, [this] {
        if (m_merge.isActive()) {
            m_merge.stop();
            QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
        }
    });
    m_engineCallbacksAtFrame = runtime.engineCallbacks();
    m_handsAndTimersAtFrame = runtime.handsAndTimers();
    window->installEventFilter(this);
}

bool FramePacer::holds() const
{
    return m_runtime.engineCallbacks() != m_engineCallbacksAtFrame
        && m_runtime.handsAndTimers() == m_handsAndTimersAtFrame;
}

bool FramePacer::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::UpdateRequest)
        return false;
    if (m_batches > 0) {
        m_frameAskedInBatch = true;
        return true;
    }
    // A pressed face waits for its release; the wait asks for the frame when it is over.
    if (m_press.isActive())
        return true;
    if (!m_drawingHeld && holds()) {
        if (!m_merge.isActive())
            m_merge.start();
        return true;
    }
    frameDrawn();
    return false;
}

void FramePacer::frameDrawn()
{
    m_merge.stop();
    m_engineCallbacksAtFrame = m_runtime.engineCallbacks();
    m_handsAndTimersAtFrame = m_runtime.handsAndTimers();
}

void FramePacer::drawHeldFrame()
{
    // Qt still counts the frame it asked for as on its way: it asks for no other meanwhile.
    m_drawingHeld = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(m_window, &request);
    m_drawingHeld = false;
}

void FramePacer::batchEnded(bool press)
{
    if (--m_batches > 0 || !m_frameAskedInBatch)
        return;
    m_frameAskedInBatch = false;
    if (press)
        m_press.start();
    else
        askForFrame();
}

void FramePacer::askForFrame()
{
    m_press.stop();
    // The repaint was asked for at once, so Qt has posted no request of its own.
    QCoreApplication::postEvent(m_window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

FramePacer::Batch::Batch(const QWidget* widget, bool press)
    : m_pacer(widget ? of(widget->window()) : nullptr), m_press(press)
{
    if (m_pacer)
        ++m_pacer->m_batches;
}

void FramePacer::Batch::end()
{
    if (m_pacer)
        m_pacer->batchEnded(m_press);
    m_pacer = nullptr;
}

} // namespace vb
