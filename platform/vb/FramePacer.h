#pragma once
// Fewer frames for a window that holds a web page. Such a window is composed through the
// graphics stack: any repaint of any of its widgets composes the whole window again, in
// software on a machine without a GPU several milliseconds of the program's only thread,
// taken from the page that loads meanwhile. The pacer puts together what would otherwise be
// frames of their own:
//  - the bars' changes that the engine's events make close together (a load's commit, its
//    progress, its end) reach the screen with one frame, within MergeMs of the first, and
//    together with the page's own next frame when that comes meanwhile;
//  - a button's pressed or released face is drawn with the frame that shows what the press
//    or the click did, not in a frame of its own before it; a pressed face waits up to
//    PressMs for a release that follows at once (a quick click is one frame, not two).
// What the user's hands or the program's timers change is drawn at once, as before.

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace vb {

class Runtime;

class FramePacer : public QObject {
    Q_OBJECT
public:
    static constexpr int MergeMs = 50;
    static constexpr int PressMs = 16;

    // Paces window's frames from now on (once; the pacer lives as long as the window).
    static void pace(QWidget* window, const Runtime& runtime);
    static FramePacer* of(const QWidget* window);
    // A frame waits for the merge to end or for a release.
    bool holding() const { return m_merge.isActive() || m_press.isActive(); }

    // While one lives, what a widget of the window repaints at once is drawn with the
    // frame of the event loop's turn instead.
    class Batch {
    public:
        // press: the batch is a press, whose release may follow at once.
        explicit Batch(const QWidget* widget, bool press = false);
        ~Batch() { end(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        // Ends early (before the turn's own work, which may open a modal dialog).
        void end();

    private:
        QPointer<FramePacer> m_pacer;
        bool m_press;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FramePacer(QWidget* window, const Runtime& runtime);
    // Whether a frame asked for now waits for the merge to end.
    bool holds() const;
    void frameDrawn();
    void drawHeldFrame();
    void batchEnded(bool press);
    void askForFrame();

    QWidget* m_window;
    const Runtime& m_runtime;
    QTimer m_merge;
    QTimer m_press;
    quint64 m_engineCallbacksAtFrame = 0;
    quint64 m_handsAndTimersAtFrame = 0;
    int m_batches = 0;
    bool m_frameAskedInBatch = false;
    bool m_drawingHeld = false;
};

} // namespace vb
