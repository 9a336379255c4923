#pragma once
// Keeps what small panels open over whole: a target (a line of a list, a tab's number)
// that a shown cover (a menu, a panel, a notice) meets in part is kept off the screen
// until the covers lie over all of it or leave it free, so that no piece of it shows
// beside a panel, and no cut caption reads as another. The keeper follows every cover
// that is shown, hidden, moved or resized, and every frame of the targets that moves.

#include <QObject>
#include <QPointer>
#include <vector>

namespace vb {

class Control;

class CoverKeeper : public QObject {
public:
    explicit CoverKeeper(QObject* parent = nullptr) : QObject(parent) {}

    void addCover(Control& cover);
    void addTarget(Control& target);
    // A frame whose moves or new size move targets (the frames that hold them).
    void followMoves(Control& frame);

    // Takes off the screen what lies in part under a shown cover, and lets back the rest.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::vector<QPointer<Control>> m_covers;
    std::vector<QPointer<Control>> m_targets;
    bool m_refreshing = false;
};

} // namespace vb
