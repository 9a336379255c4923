// Who deletes what: a control's widget goes with its control, whichever of the control and
// the containers around it goes first; the runtime deletes the forms it made, the last
// made first and before the web engine.

#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/Runtime.h"
#include "web/WebBrowser.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

using namespace vb;

namespace {

class PlainForm : public Form {
public:
    explicit PlainForm(Runtime& rt, const QString& name = QStringLiteral("frmPlain")) : Form(rt, name) {}
    ControlArray<Label> Rows{*this};
};

// A label in a frame in a frame on a form, each held apart so that a row can delete them
// in any order.
enum Part { FormPart, OuterFrame, InnerFrame, LabelPart, PartCount };

struct Scene {
    Runtime rt{Runtime::Mode::Test};
    std::unique_ptr<PlainForm> form = std::make_unique<PlainForm>(rt);
    std::unique_ptr<Frame> outer = std::make_unique<Frame>(*form);
    std::unique_ptr<Frame> inner = std::make_unique<Frame>(*outer);
    std::unique_ptr<Label> label = std::make_unique<Label>(*inner);
    std::array<QPointer<QWidget>, PartCount> widgets{form->window(), outer->widget(), inner->widget(), label->widget()};
    std::array<int, PartCount> deletions{};

    Scene()
    {
        form->show();
        for (int p = 0; p < PartCount; ++p)
            QObject::connect(widgets[p], &QObject::destroyed, widgets[p], [this, p] { ++deletions[p]; });
    }
    void remove(Part p)
    {
        switch (p) {
        case FormPart: form.reset(); break;
        case OuterFrame: outer.reset(); break;
        case InnerFrame: inner.reset(); break;
        case LabelPart: label.reset(); break;
        case PartCount: break;
        }
    }
    bool alive(Part p) const
    {
        switch (p) {
        case FormPart: return form != nullptr;
        case OuterFrame: return outer != nullptr;
        case InnerFrame: return inner != nullptr;
        case LabelPart: return label != nullptr;
        case PartCount: break;
        }
        return false;
    }
};

TEST(Ownership, AWidgetLivesExactlyAsLongAsItsControlInEveryOrderOfTeardown)
{
    const struct {
        const char* name;
        std::array<Part, PartCount> order;
    } rows[] = {
        {"each control before its container", {LabelPart, InnerFrame, OuterFrame, FormPart}},
        {"a frame before the label in it", {InnerFrame, LabelPart, OuterFrame, FormPart}},
        {"the outer frame first", {OuterFrame, FormPart, LabelPart, InnerFrame}},
        {"the form first", {FormPart, InnerFrame, OuterFrame, LabelPart}},
        {"the form first, the label last", {FormPart, OuterFrame, InnerFrame, LabelPart}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Scene scene;
        for (Part gone : row.order) {
            scene.remove(gone);
            for (int p = 0; p < PartCount; ++p) {
                const Part part = static_cast<Part>(p);
                EXPECT_EQ(scene.widgets[p].isNull(), !scene.alive(part)) << "part " << p << " after part " << gone;
                EXPECT_EQ(scene.deletions[p], scene.alive(part) ? 0 : 1) << "part " << p << " after part " << gone;
            }
            // A widget whose container went first is off the screen, not a window of its own.
            for (int p = OuterFrame; p < PartCount; ++p) {
                if (scene.widgets[p] && !scene.widgets[p]->parentWidget()) {
                    EXPECT_FALSE(scene.widgets[p]->isVisible()) << "part " << p;
                }
            }
        }
    }
}

TEST(Ownership, AnUnloadedElementKeepsItsWidgetUntilItGoesEvenAfterItsForm)
{
    for (const bool formFirst : {false, true}) {
        SCOPED_TRACE(formFirst ? "the form goes first" : "the element goes first");
        Runtime rt(Runtime::Mode::Test);
        auto form = std::make_unique<PlainForm>(rt);
        form->Rows.add(0);
        QPointer<QWidget> widget = form->Rows.load(1).widget();
        int deletions = 0;
        QObject::connect(widget, &QObject::destroyed, widget, [&deletions] { ++deletions; });
        form->Rows.unload(1);
        EXPECT_FALSE(widget->isVisible());
        if (formFirst)
            form.reset();
        EXPECT_TRUE(widget) << "deleted before the event being handled returned";
        testsupport::flushDeferredDeletes();
        EXPECT_TRUE(widget.isNull());
        EXPECT_EQ(deletions, 1);
    }
}

// An element of an array placed in a frame declared after the array: the frame goes
// first when the form goes.
TEST(Ownership, ATwinInALaterFrameGoesOnceWithItsForm)
{
    struct TwinForm : Form {
        explicit TwinForm(Runtime& rt) : Form(rt, QStringLiteral("frmTwins")) {}
        ControlArray<Label> Twins{*this};
        Frame Later{*this};
    };
    Runtime rt(Runtime::Mode::Test);
    auto form = std::make_unique<TwinForm>(rt);
    form->Twins.add(0);
    QPointer<QWidget> twin = form->Twins.addIn(form->Later, 1).widget();
    int deletions = 0;
    QObject::connect(twin, &QObject::destroyed, twin, [&deletions] { ++deletions; });
    form.reset();
    EXPECT_TRUE(twin.isNull());
    EXPECT_EQ(deletions, 1);
}

// An engine that records when it goes, after which forms.
class WatchedEngine : public WebEngineFactory {
public:
    explicit WatchedEngine(std::vector<QString>& log) : m_log(log) {}
    ~WatchedEngine() override { m_log.push_back(QStringLiteral("engine")); }
    std::unique_ptr<WebEngine> create(WebBrowser&, QWidget*) override { return nullptr; }
    QString searchPage() const override { return {}; }
    int liveEngines() const override { return 0; }

private:
    std::vector<QString>& m_log;
};

TEST(Ownership, TheRuntimeDeletesTheFormsItMadeLastMadeFirstThenTheEngine)
{
    const struct {
        const char* name;
        bool unloadSecond; // unloaded, its deletion asked for but not yet due
        std::vector<QString> gone;
    } rows[] = {
        {"all loaded", false, {QStringLiteral("frmC"), QStringLiteral("frmB"), QStringLiteral("frmA"), QStringLiteral("engine")}},
        {"one waiting for its deletion", true,
         {QStringLiteral("frmC"), QStringLiteral("frmB"), QStringLiteral("frmA"), QStringLiteral("engine")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<QString> gone;
        {
            Runtime rt(Runtime::Mode::Test);
            rt.setWebEngine(std::make_unique<WatchedEngine>(gone));
            for (const char* name : {"frmA", "frmB", "frmC"}) {
                PlainForm& f = rt.create<PlainForm>(rt, QString::fromLatin1(name));
                f.load();
                QObject::connect(&f, &QObject::destroyed, &f, [&gone, n = f.name()] { gone.push_back(n); });
            }
            if (row.unloadSecond) {
                ASSERT_TRUE(rt.forms()[1]->unload());
            }
        }
        EXPECT_EQ(gone, row.gone);
        testsupport::flushDeferredDeletes();
        EXPECT_EQ(gone, row.gone) << "a form was deleted twice";
    }
}

TEST(Ownership, AnUnloadedFormGoesWhenTheEventThatUnloadedItHasReturned)
{
    Runtime rt(Runtime::Mode::Test);
    PlainForm& form = rt.create<PlainForm>(rt);
    QPointer<Form> alive(&form);
    form.load();
    ASSERT_TRUE(form.unload());
    EXPECT_TRUE(alive);
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(alive.isNull());
    // A form is made for the runtime that makes it.
    Runtime other(Runtime::Mode::Test);
    EXPECT_THROW(other.create<PlainForm>(rt), Error);
}

} // namespace
