#pragma once
// Gives the heap's free pages back to the system once the program has been quiet for a while
// after work that frees much memory: a page's load ended, a view went (a tab or a window
// closed), views were shown or hidden (tabs or browsers switched). Closed pages, and the
// copies of the whole window that every frame of a window with a web page makes, go back
// to the allocator, which keeps their pages for later: hundreds of MiB after two dozen tabs.
// Never while a page loads (what it gave back would be taken again at once), and once for
// each quiet spell, however much happened in it.

#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

namespace vb {

class FreedMemoryRelease : public QObject {
public:
    // loading: whether a page loads now; release: gives the memory back.
    FreedMemoryRelease(int delayMs, std::function<bool()> loading, std::function<void()> release);

    // Something freed memory: the release waits for a quiet spell from now.
    void soon();
    // The view's showing, hiding and end each call soon().
    void watch(QWidget* view);
    bool pending() const { return m_timer.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void releaseIfQuiet();

    std::function<bool()> m_loading;
    std::function<void()> m_release;
    QTimer m_timer;
};

} // namespace vb
