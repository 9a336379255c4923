// The forms kit: units, geometry by container, Visible, events raised by code, control
// arrays, form lifecycle and modal show.

#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/Runtime.h"
#include "web/WebBrowser.h"

#include "TestSupport.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <memory>

using namespace vb;

namespace {

class TestForm : public Form {
public:
    explicit TestForm(Runtime& rt, const QString& name = QStringLiteral("frmTest")) : Form(rt, name) {}

    Frame Outer{*this};
    Frame Inner{Outer};
    CommandButton Button{Inner};
    Label Caption{*this};
    ControlArray<CommandButton> Buttons{*this};
    ControlArray<Frame> Panels{*this};
    Frame GroupA{*this};
    Frame GroupB{*this};
    OptionButton OptA1{GroupA};
    OptionButton OptA2{GroupA};
    OptionButton OptB1{GroupB};
    CheckBox Check{*this};
    Image Picture{*this};
    Timer Ticker;

    std::vector<QString> log;
    int cancelQuery = 0;
    int cancelUnload = 0;

    void Form_Load() override { log.push_back(QStringLiteral("Load")); }
    void Form_Resize() override { log.push_back(QStringLiteral("Resize")); }
    void Form_QueryUnload(int& cancel, int mode) override
    {
        log.push_back(QStringLiteral("QueryUnload %1").arg(mode));
        cancel = cancelQuery;
    }
    void Form_Unload(int& cancel) override
    {
        log.push_back(QStringLiteral("Unload"));
        cancel = cancelUnload;
    }
};

} // namespace

TEST(Units, RoundingIsHalfToEvenAndOverflowIsAnError)
{
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_THROW(toInt16(32767.5 + 1), Error);
    EXPECT_THROW(toInt16(-32769), Error);
    EXPECT_EQ(unitsToPixels(10920, 15), 728);
    EXPECT_EQ(unitsToPixels(22, 15), 1);   // 1.47
    EXPECT_EQ(unitsToPixels(-30, 15), -2);
}

TEST(FormsKit, GeometryIsKeptInTheContainersUnit)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.Outer.move(10, 20, 300, 200);            // pixels on the form
    f.Inner.move(150, 300, 3000, 1500);        // twips inside the frame
    f.Button.move(225, 150, 300, 195);         // twips inside the inner frame
    EXPECT_EQ(f.Outer.widget()->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(f.Inner.widget()->geometry(), QRect(10, 20, 200, 100));
    EXPECT_EQ(f.Button.widget()->geometry(), QRect(15, 10, 20, 13));
    // What the program wrote is what it reads back, even where pixels round.
    f.Button.setLeft(232);
    EXPECT_EQ(f.Button.left(), 232);
    EXPECT_EQ(f.Button.widget()->x(), 15);
}

TEST(FormsKit, FormSizeCountsTheOuterFrame)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.load();
    f.move(0, 0, (1024 + 8) * 15, (768 + 32) * 15);
    EXPECT_EQ(f.scaleWidth(), 1024);
    EXPECT_EQ(f.scaleHeight(), 768);
    EXPECT_EQ(f.width(), 1032 * 15);
    EXPECT_EQ(f.height(), 800 * 15);
    // A size change made by code raises Resize once.
    const auto resizes = std::count(f.log.begin(), f.log.end(), QStringLiteral("Resize"));
    EXPECT_EQ(resizes, 1);
    f.setWidth(f.width());
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), QStringLiteral("Resize")), 1);
}

TEST(FormsKit, VisibleIsTheControlsOwnFlag)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.Outer.setVisible(false);
    EXPECT_TRUE(f.Button.isVisible());        // own flag, though its frame is hidden
    EXPECT_FALSE(f.Button.widget()->isVisibleTo(f.window()));
    f.Button.setVisible(false);
    f.Outer.setVisible(true);
    EXPECT_FALSE(f.Button.isVisible());
    EXPECT_FALSE(f.Button.widget()->isVisibleTo(f.window()));
}

TEST(FormsKit, ButtonsRaiseClickFromCodeAndOnlyWhenUsable)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    int clicks = 0;
    f.Button.onClick = [&] { ++clicks; };
    EXPECT_TRUE(f.Button.click());
    f.Button.setEnabled(false);
    EXPECT_FALSE(f.Button.click());
    f.Button.setValue(true); // code raises Click whatever the state
    EXPECT_EQ(clicks, 2);
    f.Button.setEnabled(true);
    f.Inner.setVisible(false);
    EXPECT_FALSE(f.Button.click()); // not on screen: the user cannot click it
    EXPECT_EQ(clicks, 2);
}

TEST(FormsKit, ButtonFaceFollowsEnabled)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    QPixmap normal(4, 4), disabled(4, 4);
    normal.fill(Qt::blue);
    disabled.fill(Qt::gray);
    f.Button.setPicture(normal);
    f.Button.setDisabledPicture(disabled);
    EXPECT_EQ(f.Button.currentFace().toImage().pixelColor(0, 0), QColor(Qt::blue));
    f.Button.setEnabled(false);
    EXPECT_EQ(f.Button.currentFace().toImage().pixelColor(0, 0), QColor(Qt::gray));
}

TEST(FormsKit, OptionButtonsAreGroupedByContainer)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    std::vector<QString> clicks;
    f.OptA1.onClick = [&] { clicks.push_back(QStringLiteral("A1")); };
    f.OptA2.onClick = [&] { clicks.push_back(QStringLiteral("A2")); };
    f.OptB1.onClick = [&] { clicks.push_back(QStringLiteral("B1")); };
    f.OptA1.setValue(true);
    f.OptB1.setValue(true);
    EXPECT_TRUE(f.OptA1.value());
    EXPECT_TRUE(f.OptB1.value()); // another frame, another group
    f.OptA2.click();
    EXPECT_FALSE(f.OptA1.value());
    EXPECT_TRUE(f.OptA2.value());
    EXPECT_TRUE(f.OptB1.value());
    f.OptA2.setValue(true); // already chosen: no second Click
    EXPECT_EQ(clicks, (std::vector<QString>{QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("A2")}));
}

// A second pick of the chosen option changes nothing, so it raises no Click; it is told
// apart for the forms that act on it. Code setting Value never raises it.
TEST(FormsKit, ClickOnTheChosenOptionIsToldApartFromClick)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.GroupA.move(0, 0, 200, 100);
    f.OptA1.move(0, 0, 1500, 300);  // twips inside the frame
    f.OptA2.move(0, 450, 1500, 300);
    f.show();
    std::vector<QString> events;
    f.OptA1.onClick = [&] { events.push_back(QStringLiteral("Click")); };
    f.OptA1.onClickChosen = [&] { events.push_back(QStringLiteral("Chosen")); };
    auto userClick = [](OptionButton& o) { QTest::mouseClick(o.widget(), Qt::LeftButton, {}, QPoint(6, 10)); };

    userClick(f.OptA1);
    userClick(f.OptA1);
    EXPECT_TRUE(f.OptA1.value());
    f.OptA1.setValue(true);
    f.OptA1.click();
    userClick(f.OptA2);
    EXPECT_FALSE(f.OptA1.value());
    userClick(f.OptA1);
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("Click"), QStringLiteral("Chosen"), QStringLiteral("Chosen"),
                                            QStringLiteral("Click")}));
}

TEST(FormsKit, CheckBoxValueFromCodeRaisesClick)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    int clicks = 0;
    f.Check.onClick = [&] { ++clicks; };
    f.Check.setValue(1);
    f.Check.setValue(1);
    f.Check.click();
    EXPECT_EQ(f.Check.value(), 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_THROW(f.Check.setValue(3), Error);
}

TEST(FormsKit, ImageWithoutStretchTakesThePictureSize)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    QPixmap p(30, 12);
    p.fill(Qt::red);
    f.Picture.move(5, 5, 100, 100);
    f.Picture.setPicture(p);
    EXPECT_EQ(f.Picture.width(), 30);
    EXPECT_EQ(f.Picture.height(), 12);
    f.Picture.setStretch(true);
    f.Picture.move(5, 5, 100, 100);
    f.Picture.setPicture(p);
    EXPECT_EQ(f.Picture.width(), 100);
    std::vector<QString> events;
    f.Picture.onMouseDown = [&](int b, int, int, int) { events.push_back(QStringLiteral("down %1").arg(b)); };
    f.Picture.onMouseUp = [&](int b, int, int, int) { events.push_back(QStringLiteral("up %1").arg(b)); };
    f.Picture.press();
    f.Picture.release();
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("down 1"), QStringLiteral("up 1")}));
}

TEST(ControlArrays, LoadCopiesTheDesignElementAndStartsHidden)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    CommandButton& zero = f.Buttons.add(0);
    zero.move(10, 20, 30, 40);
    QPixmap face(2, 2);
    face.fill(Qt::green);
    zero.setPicture(face);
    CommandButton& three = f.Buttons.load(3);
    EXPECT_EQ(three.pixelRect(), QRect(10, 20, 30, 40));
    EXPECT_FALSE(three.isVisible());
    EXPECT_FALSE(three.picture().isNull());
    EXPECT_EQ(f.Buttons.count(), 2);
    EXPECT_EQ(f.Buttons.ubound(), 3);
    EXPECT_TRUE(f.Buttons.exists(3));
    EXPECT_FALSE(f.Buttons.exists(2));
    EXPECT_THROW(f.Buttons[2], Error);
    EXPECT_THROW(f.Buttons.load(3), Error);
    EXPECT_THROW(f.Buttons.unload(0), Error); // design elements stay
}

TEST(ControlArrays, HandlersGetTheIndexFirstAndUnloadedElementsAreSilent)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.Buttons.add(0);
    std::vector<int> clicked;
    f.Buttons.onClick = [&](int i) { clicked.push_back(i); };
    CommandButton& five = f.Buttons.load(5);
    five.setVisible(true);
    five.setValue(true);
    f.Buttons[0].setValue(true);
    QPointer<CommandButton> gone(&five);
    QPointer<QWidget> goneWidget(five.widget());
    f.Buttons.unload(5);
    EXPECT_FALSE(f.Buttons.exists(5));
    // Deleted only once the event being handled has returned.
    ASSERT_TRUE(gone);
    gone->setValue(true);
    testsupport::flushDeferredDeletes();
    EXPECT_FALSE(gone);
    EXPECT_FALSE(goneWidget);
    EXPECT_EQ(clicked, (std::vector<int>{5, 0}));
    // The slot can be loaded again.
    EXPECT_NO_THROW(f.Buttons.load(5));
}

TEST(ControlArrays, UnloadFromInsideTheElementsOwnHandlerIsSafe)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.Buttons.add(0);
    f.Buttons.load(1).setVisible(true);
    f.Buttons.onClick = [&](int i) {
        if (i == 1)
            f.Buttons.unload(1);
    };
    EXPECT_TRUE(f.Buttons[1].click());
    testsupport::flushDeferredDeletes();
    EXPECT_FALSE(f.Buttons.exists(1));
}

TEST(ControlArrays, FramesInAnArrayAreContainers)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    Frame& panel = f.Panels.add(0);
    panel.move(0, 0, 100, 100);
    Label inside(panel);
    inside.move(150, 150, 300, 300);
    EXPECT_EQ(inside.widget()->geometry(), QRect(10, 10, 20, 20));
}

TEST(Forms, LoadUnloadAndTheFormsCollection)
{
    Runtime rt(Runtime::Mode::Test);
    QPointer<TestForm> a = &rt.create<TestForm>(rt, QStringLiteral("frmA"));
    QPointer<TestForm> b = &rt.create<TestForm>(rt, QStringLiteral("frmB"));
    EXPECT_TRUE(rt.forms().empty()); // created is not loaded
    a->load();
    b->load();
    a->load(); // loading twice runs Form_Load once
    EXPECT_EQ(std::count(a->log.begin(), a->log.end(), QStringLiteral("Load")), 1);
    ASSERT_EQ(rt.forms().size(), 2u);
    EXPECT_EQ(rt.forms()[0].data(), a.data());
    EXPECT_EQ(rt.forms()[1].data(), b.data());

    b->cancelQuery = 1;
    EXPECT_FALSE(b->unload());
    EXPECT_TRUE(b->isLoaded());
    b->cancelQuery = 0;
    b->cancelUnload = 1;
    EXPECT_FALSE(b->unload());
    b->cancelUnload = 0;
    EXPECT_TRUE(b->unload());
    EXPECT_FALSE(b->isLoaded());
    EXPECT_EQ(rt.forms().size(), 1u);
    ASSERT_TRUE(b); // deleted once the event loop runs
    EXPECT_EQ(b->log.back(), QStringLiteral("Unload"));
    EXPECT_EQ(b->log[b->log.size() - 2], QStringLiteral("QueryUnload 1"));
    testsupport::flushDeferredDeletes();
    EXPECT_FALSE(b);
}

TEST(Forms, ClosingFromTheTitleBarIsUnloadMode0)
{
    Runtime rt(Runtime::Mode::Test);
    auto* f = &rt.create<TestForm>(rt);
    f->load();
    f->show();
    f->window()->close();
    ASSERT_GE(f->log.size(), 2u);
    EXPECT_EQ(f->log[f->log.size() - 2], QStringLiteral("QueryUnload 0"));
    EXPECT_FALSE(f->isLoaded());
    testsupport::flushDeferredDeletes();
}

TEST(Forms, TitleBarCloseThatIsCancelledKeepsTheWindow)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.load();
    f.show();
    f.cancelQuery = 1;
    f.window()->close();
    EXPECT_TRUE(f.isLoaded());
    EXPECT_TRUE(f.window()->isVisible());
}

TEST(Forms, ModalShowUsesTheRespondersInTests)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt, QStringLiteral("frmDialog"));
    int responded = 0;
    rt.setResponder(QStringLiteral("frmDialog"), [&](Form& form) {
        ++responded;
        EXPECT_TRUE(form.isModal());
        EXPECT_EQ(rt.modalDepth(), 1);
        form.hide();
    });
    f.showModal();
    EXPECT_EQ(responded, 1);
    EXPECT_FALSE(f.isModal());
    EXPECT_EQ(rt.modalDepth(), 0);

    rt.setResponder(QStringLiteral("frmDialog"), [](Form&) {});
    EXPECT_THROW(f.showModal(), UnexpectedModal); // left open

    TestForm other(rt, QStringLiteral("frmOther"));
    EXPECT_THROW(other.showModal(), UnexpectedModal); // nobody expects it
}

// A modal form opens centred over the form the user is in: the active one, else the one
// active last that is still on screen, else the middle of the screen; always whole on it.
TEST(Forms, AModalFormOpensCentredOverTheFormThatRaisedIt)
{
    Runtime rt(Runtime::Mode::Test);
    auto* a = &rt.create<TestForm>(rt, QStringLiteral("frmA"));
    auto* b = &rt.create<TestForm>(rt, QStringLiteral("frmB"));
    for (TestForm* f : {a, b}) {
        f->load();
        f->show();
    }
    a->window()->setGeometry(40, 40, 300, 200);
    b->window()->setGeometry(400, 300, 300, 200);
    TestForm dialog(rt, QStringLiteral("frmDialog"));
    dialog.window()->resize(100, 60);
    QRect placed;
    rt.setResponder(QStringLiteral("frmDialog"), [&](Form& f) {
        placed = f.window()->frameGeometry();
        f.hide();
    });
    const QRect screen = a->window()->screen()->availableGeometry();
    auto centreOf = [](const TestForm* f) { return f->window()->frameGeometry().center(); };

    ASSERT_TRUE(testsupport::activateWindowOf(a->window()));
    dialog.showModal();
    EXPECT_LE((placed.center() - centreOf(a)).manhattanLength(), 2);
    EXPECT_EQ(dialog.owner(), a);
    // A dialog of its owner for the window manager, which keeps it above the owner.
    EXPECT_EQ(dialog.window()->windowType(), Qt::Dialog);
    EXPECT_EQ(dialog.window()->windowHandle()->transientParent(), a->window()->windowHandle());

    ASSERT_TRUE(testsupport::activateWindowOf(b->window()));
    dialog.showModal();
    EXPECT_LE((placed.center() - centreOf(b)).manhattanLength(), 2);

    // The user is in a window that is no form: the form active last, not the one loaded last.
    ASSERT_TRUE(testsupport::activateWindowOf(a->window()));
    QWidget other;
    other.setGeometry(700, 40, 100, 100);
    other.show();
    ASSERT_TRUE(testsupport::activateWindowOf(&other));
    EXPECT_EQ(dialog.owner(), a);
    ASSERT_TRUE(testsupport::activateWindowOf(b->window()));
    ASSERT_TRUE(testsupport::activateWindowOf(&other));
    EXPECT_EQ(dialog.owner(), b);

    // The form the user was in has gone from the screen: the one before it.
    b->hide();
    EXPECT_EQ(dialog.owner(), a);
    dialog.showModal();
    EXPECT_LE((placed.center() - centreOf(a)).manhattanLength(), 2);

    // Over a form at the screen's corner the dialog stays whole on the screen.
    a->window()->setGeometry(screen.right() - 60, screen.bottom() - 40, 300, 200);
    dialog.showModal();
    EXPECT_TRUE(screen.contains(placed));

    // Nothing on the screen: the middle of it.
    a->hide();
    EXPECT_EQ(dialog.owner(), nullptr);
    dialog.showModal();
    EXPECT_LE((placed.center() - screen.center()).manhattanLength(), 2);
    for (TestForm* f : {a, b})
        f->unload();
    testsupport::flushDeferredDeletes();
}

TEST(Forms, EndThrowsInTests)
{
    Runtime rt(Runtime::Mode::Test);
    bool after = false;
    try {
        rt.end();
        after = true;
    } catch (const ProgramEnded&) {
    }
    EXPECT_FALSE(after);
}

namespace {

// An engine that says on stderr when it goes.
class NoisyEngineFactory : public WebEngineFactory {
public:
    ~NoisyEngineFactory() override { std::fputs("engine gone;", stderr); }
    std::unique_ptr<WebEngine> create(WebBrowser&, QWidget*) override { return nullptr; }
    QString searchPage() const override { return {}; }
    int liveEngines() const override { return 0; }
};

} // namespace

namespace {

// Runs work once the innermost running event loop takes its next turn.
void soon(std::function<void()> work)
{
    QTimer::singleShot(0, qApp, std::move(work));
}

} // namespace

TEST(Forms, EndLeavesEveryLoopFirstAndTheEngineGoesWithTheRuntime)
{
    // The end asked for inside a dialog that runs inside a modal form: both loops are left,
    // each answered as cancelled, the main loop returns 0, and only then do the forms and
    // the engine go, when the runtime goes.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto rt = std::make_unique<Runtime>(Runtime::Mode::Program);
            rt->setWebEngine(std::make_unique<NoisyEngineFactory>());
            rt->beforeEnd = [] { std::fputs("flushed;", stderr); };
            auto* modal = &rt->create<TestForm>(*rt, QStringLiteral("frmModal"));
            QObject::connect(modal, &QObject::destroyed, modal, [] { std::fputs("form gone;", stderr); });
            soon([&] {
                soon([&] {
                    QDialog dialog(modal->window());
                    QEventLoop loop;
                    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
                    dialog.show();
                    soon([&] {
                        rt->end();
                        rt->end();
                        std::fputs("end returned;", stderr);
                    });
                    loop.exec();
                    std::fputs(dialog.result() == QDialog::Rejected ? "dialog cancelled;" : "dialog answered;", stderr);
                    // A loop that starts while the program ends returns at once.
                    QEventLoop late;
                    std::fprintf(stderr, "late loop %d;", late.exec());
                });
                modal->showModal();
                std::fprintf(stderr, "modal left %d;", modal->isVisible());
            });
            const int code = QCoreApplication::exec();
            std::fprintf(stderr, "main loop left %d;", code);
            rt.reset();
            std::exit(code);
        },
        ::testing::ExitedWithCode(0),
        "flushed;end returned;dialog cancelled;late loop -1;modal left 1;main loop left 0;form gone;engine gone;$");
}

TEST(Forms, AFormUnloadedInsideANestedLoopGoesOnceTheOutermostLoopWaits)
{
    Runtime rt(Runtime::Mode::Program);
    auto* form = &rt.create<TestForm>(rt);
    form->load();
    QPointer<Form> alive(form);
    bool seenInside = false;
    int ownDialog = -1;
    QEventLoop outer;
    soon([&] {
        QEventLoop inner;
        soon([&] {
            // A dialog of the form runs its own loop meanwhile: the unload answers it.
            QDialog dialog(form->window());
            QEventLoop dialogLoop;
            QObject::connect(&dialog, &QDialog::finished, &dialogLoop, &QEventLoop::quit);
            dialog.show();
            soon([&] { form->unload(); });
            dialogLoop.exec();
            ownDialog = dialog.result();
            // Several turns of the inner loop: the handler below it still has its form.
            soon([&] { soon([&] { soon([&] {
                seenInside = !alive.isNull();
                inner.quit();
            }); }); });
        });
        inner.exec();
        EXPECT_TRUE(alive);
    });
    QObject::connect(form, &QObject::destroyed, &outer, &QEventLoop::quit);
    QTimer::singleShot(5000, &outer, &QEventLoop::quit);
    outer.exec();
    EXPECT_TRUE(seenInside);
    EXPECT_EQ(ownDialog, QDialog::Rejected);
    EXPECT_TRUE(alive.isNull());
}

TEST(Runtime, WorkDeferredInsideAnEngineCallbackRunsAfterIt)
{
    Runtime rt(Runtime::Mode::Test);
    std::vector<int> order;
    {
        Runtime::EngineCallbackScope outer(rt, false);
        {
            Runtime::EngineCallbackScope inner(rt, false);
            rt.afterEngineCallback([&] { order.push_back(2); });
            order.push_back(1);
        }
        EXPECT_EQ(order, std::vector<int>{1}); // still inside the outer callback
        EXPECT_TRUE(rt.inEngineCallback());
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    rt.afterEngineCallback([&] { order.push_back(3); }); // outside: at once
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(Runtime, PostedFlushWaitsForTheEventLoop)
{
    Runtime rt(Runtime::Mode::Test);
    bool ran = false;
    {
        Runtime::EngineCallbackScope scope(rt, true);
        rt.afterEngineCallback([&] { ran = true; });
    }
    EXPECT_FALSE(ran);
    EXPECT_TRUE(testsupport::waitFor([&] { return ran; }, 2000));
}

TEST(Timers, RunOnlyWhenEnabledWithAnInterval)
{
    Timer t;
    int ticks = 0;
    t.onTimer = [&] { ++ticks; };
    EXPECT_FALSE(t.isRunning()); // enabled, but no interval
    t.setInterval(20);
    EXPECT_TRUE(t.isRunning());
    t.setEnabled(false);
    EXPECT_FALSE(t.isRunning());
    t.fire();
    EXPECT_EQ(ticks, 1);
    t.setEnabled(true);
    EXPECT_TRUE(testsupport::waitFor([&] { return ticks >= 3; }, 2000));
}

TEST(Forms, PositionReadsBackTheTwipsWritten)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.setLeft(700); // 46.7 pixels
    f.setTop(22);
    EXPECT_EQ(f.left(), 700);
    EXPECT_EQ(f.top(), 22);
    // Moved on screen since: the window's place counts.
    f.window()->move(100, 50);
    EXPECT_EQ(f.left(), 1500);
    EXPECT_EQ(f.top(), 750);
}

TEST(FormsKit, ABoldFrameCaptionLeavesItsControlsAlone)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.Outer.setFontBold(true);
    EXPECT_TRUE(f.Outer.fontBold());
    EXPECT_FALSE(f.Button.widget()->font().bold());
    EXPECT_FALSE(f.Inner.widget()->font().bold());
}

TEST(FormsKit, ADisabledImageIgnoresPresses)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    int presses = 0;
    f.Picture.onMouseDown = [&](int, int, int, int) { ++presses; };
    f.Picture.onMouseUp = [&](int, int, int, int) { ++presses; };
    f.Picture.setEnabled(false);
    f.Picture.press();
    f.Picture.release();
    EXPECT_EQ(presses, 0);
}

TEST(ControlArrays, ElementsCanStandInDifferentContainers)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.Outer.move(10, 10, 100, 100);
    CommandButton& onForm = f.Buttons.add(0);
    CommandButton& inFrame = f.Buttons.addIn(f.Outer, 1);
    onForm.move(30, 30, 20, 20);   // pixels on the form
    inFrame.move(300, 300, 300, 300); // twips inside the frame
    EXPECT_EQ(onForm.widget()->parentWidget(), f.window());
    EXPECT_EQ(inFrame.widget()->parentWidget(), f.Outer.widget());
    EXPECT_EQ(inFrame.widget()->geometry(), QRect(20, 20, 20, 20));
    std::vector<int> clicked;
    f.Buttons.onClick = [&](int i) { clicked.push_back(i); };
    inFrame.setValue(true);
    EXPECT_EQ(clicked, std::vector<int>{1});
    // A loaded element copies the lowest design element into the array's own container.
    CommandButton& loaded = f.Buttons.load(2);
    EXPECT_EQ(loaded.widget()->parentWidget(), f.window());
    EXPECT_THROW(f.Buttons.unload(1), Error);
}

// The user (or the window manager) minimises and restores the window behind the program's
// back: WindowState tells the truth, and both raise Resize, though the size stays.
TEST(Forms, WindowStateIsTheWindowsOwnAndMinimiseAndRestoreRaiseResize)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.move(0, 0, 600 * 15, 400 * 15);
    f.setWindowState(Maximized);
    EXPECT_EQ(f.windowState(), Maximized); // not shown yet: the state it will be shown in
    f.setWindowState(Normal);
    f.show();
    ASSERT_TRUE(f.window()->isVisible());
    EXPECT_EQ(f.windowState(), Normal);

    auto resizes = [&f] { return std::count(f.log.begin(), f.log.end(), QStringLiteral("Resize")); };
    const auto before = resizes();
    f.window()->showMinimized();
    EXPECT_EQ(f.windowState(), Minimized);
    EXPECT_EQ(resizes(), before + 1);
    f.window()->showNormal();
    EXPECT_EQ(f.windowState(), Normal);
    EXPECT_EQ(resizes(), before + 2);

    // What the program asks for now comes back from a real minimise too.
    f.window()->showMinimized();
    f.setWindowState(Maximized);
    EXPECT_FALSE(f.window()->isMinimized());
    EXPECT_EQ(f.windowState(), Maximized);
    f.hide();
    EXPECT_EQ(f.windowState(), Maximized);
}

// The rows of a label's picture that hold ink (any pixel darker than mid-grey).
static int inkRows(const QImage& image, int fromRow)
{
    int rows = 0;
    for (int y = fromRow; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                ++rows;
                break;
            }
    return rows;
}

TEST(FormsKit, ALabelBreaksAWordLongerThanItsLineOnlyWhenAsked)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.Caption.move(0, 0, 80, 60);
    f.Caption.setBackColor(Qt::white);
    f.Caption.setForeColor(Qt::black);
    f.Caption.setCaption(QString(40, QLatin1Char('w')));
    const int lineHeight = f.Caption.widget()->fontMetrics().lineSpacing();
    // One unbroken word stays on its first line, cut at the label's edge...
    EXPECT_EQ(inkRows(f.Caption.widget()->grab().toImage(), lineHeight + 1), 0);
    // ...unless the label breaks it anywhere: then the next lines hold the rest.
    f.Caption.setWrapAnywhere(true);
    EXPECT_GT(inkRows(f.Caption.widget()->grab().toImage(), lineHeight + 1), 0);
    EXPECT_EQ(f.Caption.caption(), QString(40, QLatin1Char('w')));
}

TEST(FormsKit, EveryControlsWidgetNamesItsControl)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    for (Control* c : std::initializer_list<Control*>{&f.Outer, &f.Button, &f.Caption, &f.Check, &f.Picture})
        EXPECT_EQ(Control::fromWidget(c->widget()), c);
}

TEST(FormsKit, AProgressBarDrawsItsNewValueWithTheNextFrame)
{
    class Bars : public Form {
    public:
        explicit Bars(Runtime& rt) : Form(rt, QStringLiteral("frmBars")) {}
        ProgressBar Bar{*this};
    };
    Runtime rt(Runtime::Mode::Test);
    Bars f(rt);
    f.move(0, 0, 4000, 3000);
    f.Bar.move(10, 10, 100, 12);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window()));
    QCoreApplication::processEvents();

    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } count;
    f.Bar.widget()->installEventFilter(&count);
    // Painting at once would compose the whole window once for every value a loading page
    // reports.
    f.Bar.setValue(40);
    f.Bar.setValue(70);
    EXPECT_EQ(count.paints, 0);
    EXPECT_EQ(f.Bar.value(), 70);
    EXPECT_TRUE(QTest::qWaitFor([&] { return count.paints > 0; }));
    // The bar shows the new value: its filled part reaches past its middle.
    const QImage shot = f.Bar.widget()->grab().toImage();
    const int y = shot.height() / 2;
    EXPECT_NE(shot.pixelColor(shot.width() * 6 / 10, y), shot.pixelColor(shot.width() - 3, y));
    // A value the bar shows already changes nothing; a bad one is refused as before.
    const int paints = count.paints;
    f.Bar.setValue(70);
    QCoreApplication::processEvents();
    EXPECT_EQ(count.paints, paints);
    EXPECT_THROW(f.Bar.setValue(101), Error);
    f.Bar.widget()->removeEventFilter(&count);
}

TEST(FormsKit, AButtonWithoutPictureOrCaptionStillDrawsAFace)
{
    Runtime rt(Runtime::Mode::Test);
    TestForm f(rt);
    f.Button.move(0, 0, 300, 300);
    const QImage face = f.Button.widget()->grab().toImage();
    bool drawn = false;
    for (int y = 0; y < face.height() && !drawn; ++y)
        for (int x = 0; x < face.width() && !drawn; ++x)
            drawn = qAlpha(face.pixel(x, y)) != 0 && face.pixel(x, y) != face.pixel(0, 0);
    EXPECT_TRUE(drawn);
}
