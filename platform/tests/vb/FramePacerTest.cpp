// The frames of a window that holds a web page: what the engine's events of one turn of the
// event loop change in the bars is drawn in one frame, a state undone within the turn in
// none, and a click on a button, its faces and what its handler changes, in one.

#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/FramePacer.h"
#include "vb/Runtime.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMap>
#include <QTest>
#include <QWidget>

#include <functional>

using namespace vb;

namespace {

class BarsForm : public Form {
public:
    explicit BarsForm(Runtime& rt) : Form(rt, QStringLiteral("frmBars"))
    {
        Address.move(10, 10, 200, 20);
        // The progress bar lies in a frame of the bars, in twips.
        Location.move(0, 36, 240, 20);
        Progress.move(150, 60, 3000, 120);
        Progress.setVisible(false);
        Stop.move(220, 10, 20, 20);
        Back.move(250, 10, 20, 20);
    }

    Label Address{*this};
    Frame Location{*this};
    ProgressBar Progress{Location};
    CommandButton Stop{*this};
    CommandButton Back{*this};
};

// Counts the frames the window draws (the requests for one that reach it) and the paint
// events of each control's widget.
class FrameCounter : public QObject {
public:
    explicit FrameCounter(BarsForm& form)
        : m_window(form.window()),
          m_names{{form.Address.widget(), QStringLiteral("Address")}, {form.Progress.widget(), QStringLiteral("Progress")},
                  {form.Stop.widget(), QStringLiteral("Stop")}, {form.Back.widget(), QStringLiteral("Back")}}
    {
        // Installed before the pacer, so that it sees only the requests the pacer lets through.
        m_window->installEventFilter(this);
        for (QObject* w : m_names.keys())
            w->installEventFilter(this);
    }

    int frames = 0;
    QMap<QString, int> paints;

    // Whatever waits is drawn: the turn's posted work is done, no frame is held, none is
    // asked for.
    void settle()
    {
        QCoreApplication::sendPostedEvents();
        ASSERT_TRUE(testsupport::waitFor([&] { return !FramePacer::of(m_window)->holding(); }));
        QCoreApplication::sendPostedEvents();
    }
    void clear()
    {
        frames = 0;
        paints.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::UpdateRequest)
            ++frames;
        if (event->type() == QEvent::Paint && m_names.contains(watched))
            ++paints[m_names[watched]];
        return false;
    }

private:
    QWidget* m_window;
    QMap<QObject*, QString> m_names;
};

class FramePacerTest : public ::testing::Test {
protected:
    FramePacerTest()
    {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.window()));
        FramePacer::pace(form.window(), rt);
        counter.settle();
        counter.clear();
    }

    // One callback of the real engine: it calls back from the event loop.
    void engineEvent(const std::function<void()>& handler)
    {
        Runtime::EngineCallbackScope scope(rt, true);
        handler();
    }

    Runtime rt{Runtime::Mode::Test};
    BarsForm form{rt};
    FrameCounter counter{form};
};

// Turns of the event loop here are the posted events sent: timers, and so the end of a
// merge, run only while the counter settles.
TEST_F(FramePacerTest, TheBarsChangesOfOneTurnAreOneFrame)
{
    auto endTurn = [] { QCoreApplication::sendPostedEvents(); };
    struct Turn {
        const char* what;
        std::function<void()> take;
        int frames;
        QMap<QString, int> paints;
        // The frames drawn before any timer has run, when that matters.
        int framesAtOnce = -1;
    };
    const Turn turns[] = {
        {"the progress bar shown at a load's request and hidden by its first progress",
         [&] {
             engineEvent([&] { form.Progress.setVisible(true); });
             engineEvent([&] { form.Progress.setVisible(false); });
         },
         0, {}},
        {"a commit: the address, Stop and Back in the same callback",
         [&] {
             engineEvent([&] {
                 form.Address.setCaption(QStringLiteral("http://example.test/"));
                 form.Stop.setEnabled(false);
                 form.Back.setEnabled(false);
             });
         },
         1, {{QStringLiteral("Address"), 1}, {QStringLiteral("Stop"), 1}, {QStringLiteral("Back"), 1}}},
        {"a commit, a progress step and a load's end, each in a turn of its own",
         [&] {
             engineEvent([&] { form.Address.setCaption(QStringLiteral("http://example.test/next")); });
             endTurn();
             engineEvent([&] {
                 form.Progress.setVisible(true);
                 form.Progress.setValue(70);
             });
             endTurn();
             engineEvent([&] {
                 form.Progress.setVisible(false);
                 form.Stop.setEnabled(true);
                 form.Back.setEnabled(true);
             });
         },
         1, {{QStringLiteral("Address"), 1}, {QStringLiteral("Stop"), 1}, {QStringLiteral("Back"), 1}}},
        {"a click whose handler changes the bars: the pressed and released faces with them",
         [&] {
             form.Back.onClick = [&] { form.Address.setCaption(QStringLiteral("back")); };
             QTest::mouseClick(form.Back.widget(), Qt::LeftButton);
         },
         1, {{QStringLiteral("Address"), 1}, {QStringLiteral("Back"), 1}}, 1},
        {"the user's press while the engine's change waits: both at once",
         [&] {
             engineEvent([&] { form.Stop.setEnabled(false); });
             endTurn();
             form.Location.onMouseDown = [&](int, int, int, int) {
                 form.Address.setCaption(QStringLiteral("pressed"));
             };
             QTest::mousePress(form.Location.widget(), Qt::LeftButton, {}, QPoint(2, 2));
             QTest::mouseRelease(form.Location.widget(), Qt::LeftButton, {}, QPoint(2, 2));
         },
         1, {{QStringLiteral("Address"), 1}, {QStringLiteral("Stop"), 1}}, 1},
        {"a press held down: its face waits for a release that would follow at once",
         [&] { QTest::mousePress(form.Back.widget(), Qt::LeftButton); },
         1, {{QStringLiteral("Back"), 1}}, 0},
    };
    for (const Turn& turn : turns) {
        SCOPED_TRACE(turn.what);
        turn.take();
        endTurn();
        if (turn.framesAtOnce >= 0) {
            EXPECT_EQ(counter.frames, turn.framesAtOnce);
        }
        counter.settle();
        EXPECT_EQ(counter.frames, turn.frames);
        EXPECT_EQ(counter.paints, turn.paints);
        counter.clear();
    }
    QTest::mouseRelease(form.Back.widget(), Qt::LeftButton);
}

} // namespace
