#include "CoverKeeper.h"

#include "Control.h"

#include <QEvent>
#include <QRegion>
#include <QWidget>

namespace vb {

namespace {

QRect inWindow(const QWidget* w)
{
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

bool changesPlace(QEvent::Type type)
{
    return type == QEvent::Show || type == QEvent::Hide || type == QEvent::Move || type == QEvent::Resize;
}

} // namespace

void CoverKeeper::addCover(Control& cover)
{
    m_covers.emplace_back(&cover);
    cover.widget()->installEventFilter(this);
}

void CoverKeeper::addTarget(Control& target)
{
    m_targets.emplace_back(&target);
}

void CoverKeeper::followMoves(Control& frame)
{
    frame.widget()->installEventFilter(this);
}

bool CoverKeeper::eventFilter(QObject*, QEvent* e)
{
    if (changesPlace(e->type()))
        refresh();
    return false;
}

void CoverKeeper::refresh()
{
    // Showing or hiding a target moves no cover; the guard keeps a change made here from
    // coming back as a new one.
    if (m_refreshing)
        return;
    m_refreshing = true;
    std::vector<const QWidget*> shown;
    for (const QPointer<Control>& c : m_covers)
        if (c && c->widget() && c->widget()->isVisible())
            shown.push_back(c->widget());
    for (const QPointer<Control>& t : m_targets) {
        if (!t || !t->widget())
            continue;
        // Where the target stands whether it is on the screen now or not.
        const QRect place = inWindow(t->widget());
        QRegion uncovered(place);
        bool met = false;
        for (const QWidget* over : shown) {
            // A cover that holds the target lies under it, not over it.
            const QRect cover = inWindow(over);
            if (over->isAncestorOf(t->widget()) || !cover.intersects(place))
                continue;
            met = true;
            uncovered -= cover;
        }
        t->setKeptOffScreen(met && !uncovered.isEmpty());
    }
    m_refreshing = false;
}

} // namespace vb
