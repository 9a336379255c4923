#pragma once
// The forms kit's per-program runtime: the loaded forms in load order, modal show (a
// nested event loop, or synchronous responders in tests), the end of the program, the
// screen the program measures, and the web engine its browser controls use.

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

namespace vb {

class Form;
class WebEngineFactory;

// Thrown by Runtime::end() in test mode: nothing after "End" runs.
class ProgramEnded : public std::exception {
public:
    const char* what() const noexcept override { return "program ended"; }
};

// Thrown in test mode when a form is shown modally without a responder for it.
class UnexpectedModal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScreenMetrics {
    int widthTwips = 0;
    int heightTwips = 0;
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
};

class Runtime : public QObject {
    Q_OBJECT
public:
    enum class Mode { Program, Test };

    explicit Runtime(Mode mode = Mode::Program, QObject* parent = nullptr);
    ~Runtime() override;

    Mode mode() const { return m_mode; }
    bool testing() const { return m_mode == Mode::Test; }

    // --- the forms ---
    // Every form of the program is made here and owned by the runtime until it is
    // disposed of (see disposeForm) or the runtime goes: `rt.create<frmWeb>(app)`.
    template <class F, class... Args>
    F& create(Args&&... args)
    {
        static_assert(std::is_base_of_v<Form, F>, "only forms are created by the runtime");
        auto form = std::make_unique<F>(std::forward<Args>(args)...);
        F& made = *form;
        adopt(std::move(form));
        return made;
    }
    // The forms that are loaded, in load order.
    const std::vector<QPointer<Form>>& forms() const { return m_forms; }
    // Every form there is, made here or not (a test's own form), made and loaded or not.
    void registerCreated(Form* form);
    void registerLoaded(Form* form);
    void registerUnloaded(Form* form);

    // --- modal show ---
    using Responder = std::function<void(Form&)>;
    // Test mode: a modal show of a form with this name calls the responder synchronously;
    // the responder must close the form (hide or unload it).
    void setResponder(const QString& formName, Responder responder);
    void clearResponder(const QString& formName);
    // Runs a modal show for form; returns when it is hidden or unloaded.
    void runModal(Form& form);
    int modalDepth() const { return m_modalDepth; }
    void beginModal() { ++m_modalDepth; }
    void endModal() { --m_modalDepth; }

    // Numbers the activations of forms in order, so that a modal form knows which form the
    // user was last in.
    quint64 nextActivation() { return ++m_activations; }

    // --- "End" ---
    // Ends the program. In tests it throws ProgramEnded: nothing after it runs. Otherwise
    // it answers every open dialog as cancelled and leaves every event loop, the nested
    // ones of dialogs and modal forms too, and returns: its caller returns at once. The
    // application then ends as usual: the forms go with the runtime (the web engine's
    // pages with them, then its profile), and the engine shuts down with the application,
    // which writes what it keeps (cookies, site data) to the disk. Ending again is nothing.
    void end();
    bool ending() const { return m_ending; }
    // Called first by end() (not in tests): flush what must be flushed.
    std::function<void()> beforeEnd;

    // Deletes an unloaded form once the event being handled has returned. A form unloaded
    // inside a nested event loop (a modal form's, a dialog's, a page's alert) may have a
    // handler waiting below that loop: it goes once the program is back in its outermost
    // loop, or with the runtime when the program ends.
    void disposeForm(Form& form);
    // The time has come to delete a form the runtime made (Qt's deferred deletion asked
    // for by disposeForm): true when it was one of them and is gone now.
    bool destroyForm(Form& form);

    // --- screen ---
    ScreenMetrics screen() const;
    void setScreen(const ScreenMetrics& metrics) { m_screenOverride = metrics; m_hasScreenOverride = true; }

    // --- application title (the name other programs find this one by) ---
    QString title() const { return m_title; }
    void setTitle(const QString& title);
    std::function<void(const QString&)> onTitleChanged;

    // --- web engine ---
    WebEngineFactory& webEngine();
    bool hasWebEngine() const { return m_webEngine != nullptr; }
    void setWebEngine(std::unique_ptr<WebEngineFactory> factory);

    // --- engine callbacks ---
    // While a web-engine callback runs, nothing modal may open: work that would is
    // deferred with afterEngineCallback and runs once the outermost callback has returned.
    bool inEngineCallback() const { return m_engineDepth > 0; }
    void afterEngineCallback(std::function<void()> work);
    // Engine callbacks so far, and the user's presses, keys and wheel turns and the
    // program's timer ticks so far: what asked for a window's next frame.
    quint64 engineCallbacks() const { return m_engineCallbacks; }
    quint64 handsAndTimers() const { return m_handsAndTimers; }

    class EngineCallbackScope {
    public:
        // postFlush: run deferred work from the event loop (the real engine is still on the
        // stack) instead of right after the scope ends (scripted engine).
        EngineCallbackScope(Runtime& rt, bool postFlush);
        ~EngineCallbackScope();
        EngineCallbackScope(const EngineCallbackScope&) = delete;
        EngineCallbackScope& operator=(const EngineCallbackScope&) = delete;

    private:
        Runtime& m_rt;
        bool m_postFlush;
    };

    // Runs deferred engine-callback work now (used by the event loop and by tests).
    void flushDeferred();

signals:
    // The user's hands or one of the program's timers are about to act.
    void handsOrTimersActed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adopt(std::unique_ptr<Form> form);
    void closeDialogs();
    void disposeWaitingForms();

    Mode m_mode;
    // The forms the runtime made, in the order they were made: the owner of each.
    std::vector<std::unique_ptr<Form>> m_owned;
    std::vector<QPointer<Form>> m_forms;
    std::vector<QPointer<Form>> m_created;
    std::map<QString, Responder> m_responders;
    int m_modalDepth = 0;
    quint64 m_activations = 0;
    ScreenMetrics m_screenOverride;
    bool m_hasScreenOverride = false;
    QString m_title;
    std::unique_ptr<WebEngineFactory> m_webEngine;
    int m_engineDepth = 0;
    quint64 m_engineCallbacks = 0;
    quint64 m_handsAndTimers = 0;
    bool m_flushPosted = false;
    std::vector<std::function<void()>> m_deferred;
    bool m_ending = false;
    std::vector<QPointer<Form>> m_disposals;
    QMetaObject::Connection m_disposalWatch;
};

} // namespace vb
