#include "Runtime.h"

#include "Controls.h"
#include "Form.h"
#include "web/WebBrowser.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace vb {

Runtime::Runtime(Mode mode, QObject* parent) : QObject(parent), m_mode(mode)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool Runtime::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        break;
    case QEvent::Timer:
        if (qobject_cast<const Timer*>(watched->parent()))
            break;
        return false;
    default:
        return false;
    }
    ++m_handsAndTimers;
    emit handsOrTimersActed();
    return false;
}

Runtime::~Runtime()
{
    // Forms go before the web engine, the last made first: every page must be deleted
    // before its profile. This includes unloaded forms whose deletion is still pending.
    while (!m_owned.empty()) {
        std::unique_ptr<Form> last = std::move(m_owned.back());
        m_owned.pop_back();
    }
    m_created.clear();
    m_forms.clear();
    m_webEngine.reset();
}

void Runtime::adopt(std::unique_ptr<Form> form)
{
    if (&form->runtime() != this)
        throw Error(ErrControlFailed, "a form belongs to the runtime it was made for");
    m_owned.push_back(std::move(form));
}

bool Runtime::destroyForm(Form& form)
{
    const auto it = std::find_if(m_owned.begin(), m_owned.end(), [&form](const auto& f) { return f.get() == &form; });
    if (it == m_owned.end())
        return false;
    // Out of the list first: its deletion may make or dispose of other forms.
    std::unique_ptr<Form> gone = std::move(*it);
    m_owned.erase(it);
    return true;
}

void Runtime::registerCreated(Form* form)
{
    std::erase_if(m_created, [](const QPointer<Form>& f) { return f.isNull(); });
    m_created.emplace_back(form);
}

void Runtime::registerLoaded(Form* form)
{
    m_forms.emplace_back(form);
}

void Runtime::registerUnloaded(Form* form)
{
    std::erase_if(m_forms, [form](const QPointer<Form>& f) { return f.isNull() || f.data() == form; });
}

void Runtime::setResponder(const QString& formName, Responder responder)
{
    m_responders[formName] = std::move(responder);
}

void Runtime::clearResponder(const QString& formName)
{
    m_responders.erase(formName);
}

void Runtime::runModal(Form& form)
{
    ++m_modalDepth;
    struct Depth {
        int& d;
        ~Depth() { --d; }
    } depth{m_modalDepth};

    if (testing()) {
        auto it = m_responders.find(form.name());
        if (it == m_responders.end())
            throw UnexpectedModal("unexpected modal form " + form.name().toStdString());
        QPointer<Form> guard(&form);
        Responder responder = it->second; // the responder may replace itself
        responder(form);
        if (guard && guard->isLoaded() && guard->isVisible())
            throw UnexpectedModal("responder left modal form open: " + form.name().toStdString());
        return;
    }
    // Program mode: Form::showModal runs the nested loop itself; nothing to do here.
}

void Runtime::end()
{
    if (testing())
        throw ProgramEnded();
    if (m_ending)
        return;
    m_ending = true;
    if (beforeEnd)
        beforeEnd();
    // End is asked for from anywhere: from a handler inside a modal form's loop, inside a
    // page's alert, inside a save dialog. Each of those loops has code waiting below it on
    // the stack, sometimes a page of the engine or a dialog that lives on that stack, so
    // nothing may be deleted here. The loops are left instead, the innermost first as the
    // stack unwinds; exit() also makes a loop that starts meanwhile return at once. The
    // forms, the pages and the engine go once the main loop has returned.
    closeDialogs();
    QCoreApplication::exit(0);
}

void Runtime::closeDialogs()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
            dialog->reject();
}

void Runtime::disposeForm(Form& form)
{
    const bool nested = QThread::currentThread()->loopLevel() > 1;
    if (testing() || (!m_ending && !nested)) {
        form.deleteLater();
        return;
    }
    m_disposals.emplace_back(&form);
    // Its own dialogs (a page's alert) are answered now, so that their loops return.
    if (QWidget* window = form.window())
        for (QDialog* dialog : window->findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
            if (dialog->isVisible())
                dialog->reject();
    if (m_ending || m_disposalWatch)
        return;
    // The dispatcher says when a loop is about to wait for events: once that is the
    // outermost loop, nothing of the program waits below it any more.
    m_disposalWatch = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                              [this] {
                                  if (!m_ending && QThread::currentThread()->loopLevel() <= 1)
                                      disposeWaitingForms();
                              });
}

void Runtime::disposeWaitingForms()
{
    disconnect(m_disposalWatch);
    m_disposalWatch = {};
    for (const QPointer<Form>& form : std::exchange(m_disposals, {}))
        if (form)
            form->deleteLater();
}

ScreenMetrics Runtime::screen() const
{
    if (m_hasScreenOverride)
        return m_screenOverride;
    ScreenMetrics m;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        m.widthTwips = s->geometry().width() * TwipsPerPixel;
        m.heightTwips = s->geometry().height() * TwipsPerPixel;
    }
    return m;
}

void Runtime::setTitle(const QString& title)
{
    m_title = title;
    if (onTitleChanged)
        onTitleChanged(title);
}

WebEngineFactory& Runtime::webEngine()
{
    if (!m_webEngine)
        throw Error(ErrControlFailed, "no web engine installed");
    return *m_webEngine;
}

void Runtime::setWebEngine(std::unique_ptr<WebEngineFactory> factory)
{
    m_webEngine = std::move(factory);
}

void Runtime::afterEngineCallback(std::function<void()> work)
{
    if (m_engineDepth == 0) {
        work();
        return;
    }
    m_deferred.push_back(std::move(work));
}

Runtime::EngineCallbackScope::EngineCallbackScope(Runtime& rt, bool postFlush) : m_rt(rt), m_postFlush(postFlush)
{
    ++m_rt.m_engineDepth;
    ++m_rt.m_engineCallbacks;
}

Runtime::EngineCallbackScope::~EngineCallbackScope()
{
    if (--m_rt.m_engineDepth > 0)
        return;
    if (!m_postFlush) {
        // An engine that calls back synchronously has ended its turn with the callback.
        for (const QPointer<Form>& form : m_rt.m_created)
            if (form)
                form->showAsSet();
    }
    if (m_rt.m_deferred.empty())
        return;
    if (!m_postFlush) {
        m_rt.flushDeferred();
        return;
    }
    if (m_rt.m_flushPosted)
        return;
    m_rt.m_flushPosted = true;
    QTimer::singleShot(0, &m_rt, [rt = &m_rt] {
        rt->m_flushPosted = false;
        rt->flushDeferred();
    });
}

void Runtime::flushDeferred()
{
    // Work may defer more work or open modal forms; take the queue one item at a time.
    while (!m_deferred.empty() && m_engineDepth == 0) {
        auto work = std::move(m_deferred.front());
        m_deferred.erase(m_deferred.begin());
        work();
    }
}

} // namespace vb
