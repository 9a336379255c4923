#include "Form.h"

#include "Controls.h"
#include "Runtime.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace vb {

// The top-level window of a form; it hands the window system's events to the form.
class FormWindow : public QWidget {
public:
    explicit FormWindow(Form& form) : QWidget(nullptr, Qt::Window), m_form(form) {}
    Form& form() const { return m_form; }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        if (m_form.windowCloseRequested())
            e->accept();
        else
            e->ignore();
    }
    void resizeEvent(QResizeEvent*) override { m_form.windowResized(); }
    // Keys reach the window only when the control that has the focus did not take them.
    void keyPressEvent(QKeyEvent* e) override
    {
        const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && m_form.windowDialogKey(e->key()))
            e->accept();
        else
            QWidget::keyPressEvent(e);
    }
    void changeEvent(QEvent* e) override
    {
        QWidget::changeEvent(e);
        if (e->type() == QEvent::ActivationChange && isActiveWindow())
            m_form.windowActivated();
        if (e->type() == QEvent::WindowStateChange) {
            const auto* change = static_cast<QWindowStateChangeEvent*>(e);
            if (bool(change->oldState() & Qt::WindowMinimized) != bool(windowState() & Qt::WindowMinimized))
                m_form.windowMinimisedOrRestored();
        }
    }

private:
    Form& m_form;
};

Form::Form(Runtime& runtime, QString name)
    : m_runtime(runtime), m_name(std::move(name)), m_window(std::make_unique<FormWindow>(*this))
{
    m_window->setObjectName(m_name);
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    // The forms were laid out for a small 8-point face; keep text inside its places.
    QFont font = m_window->font();
    font.setPointSizeF(8);
    m_window->setFont(font);
    m_runtime.registerCreated(this);
}

Form::~Form()
{
    if (m_modalLoop)
        m_modalLoop->quit();
    if (m_loaded)
        m_runtime.registerUnloaded(this);
    // The derived form's controls are gone by now; an unloaded control waiting for its
    // deletion keeps its widget.
    Control::releaseControlWidgets(m_window.get());
}

QWidget* Form::host()
{
    return m_window.get();
}

QWidget* Form::window() const
{
    return m_window.get();
}

namespace {

QEvent::Type showAsSetEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace

void Form::showLater(Control& control)
{
    if (!m_shownLater.contains(&control))
        m_shownLater.append(&control);
    if (m_runtime.inEngineCallback() && !m_showPosted) {
        // Posted events of normal priority all come before the window's request for a frame.
        m_showPosted = true;
        QCoreApplication::postEvent(this, new QEvent(showAsSetEvent()));
    }
}

void Form::showAsSet()
{
    const QList<QPointer<Control>> controls = std::exchange(m_shownLater, {});
    for (const QPointer<Control>& c : controls)
        if (c)
            c->showAsSet();
}

bool Form::event(QEvent* e)
{
    // The runtime that made the form owns it: the deletion asked of Qt is the runtime's.
    if (e->type() == QEvent::DeferredDelete && m_runtime.destroyForm(*this))
        return true;
    if (e->type() != showAsSetEvent())
        return QObject::event(e);
    m_showPosted = false;
    showAsSet();
    return true;
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_runtime.registerLoaded(this);
    Form_Load();
}

void Form::show()
{
    if (!m_loaded)
        load();
    m_visible = true;
    switch (m_windowState) {
    case Maximized:
        // Without a window manager "maximised" is only a hint: take the screen ourselves.
        if (QScreen* screen = m_window->screen())
            m_window->setGeometry(screen->availableGeometry());
        m_window->showMaximized();
        break;
    case Minimized:
        m_window->showMinimized();
        break;
    default:
        m_window->showNormal();
        break;
    }
    m_window->raise();
    m_window->activateWindow();
    windowResized();
}

void Form::showModal()
{
    if (!m_loaded)
        load();
    placeOver(owner());
    if (m_runtime.testing()) {
        // Responders act synchronously; the window never needs to reach the screen.
        m_visible = true;
        m_modal = true;
        struct Reset {
            QPointer<Form> f;
            ~Reset()
            {
                if (f)
                    f->m_modal = false;
            }
        } reset{this};
        m_runtime.runModal(*this);
        return;
    }
    m_modal = true;
    m_window->setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    m_modalLoop = &loop;
    QPointer<Form> guard(this);
    Runtime& rt = m_runtime; // this form may be gone when the loop returns
    rt.beginModal();
    loop.exec(QEventLoop::DialogExec);
    rt.endModal();
    if (guard) {
        m_modalLoop = nullptr;
        m_modal = false;
        m_window->setWindowModality(Qt::NonModal);
    }
}

Form* Form::owner() const
{
    auto usable = [this](const Form* f) {
        return f && f != this && f->m_loaded && !f->m_unloading && f->m_visible && f->m_window->isVisible();
    };
    if (const auto* active = dynamic_cast<const FormWindow*>(QApplication::activeWindow()))
        if (usable(&active->form()))
            return &active->form();
    // Otherwise the form the user was in last; one never active counts as older, and among
    // those the one loaded last.
    Form* best = nullptr;
    for (const QPointer<Form>& f : m_runtime.forms())
        if (usable(f) && (!best || f->m_activatedAt >= best->m_activatedAt))
            best = f;
    return best;
}

void Form::placeOver(const Form* owner)
{
    // The window manager keeps a dialog above the window it belongs to; only a window of
    // the dialog type is said to belong to one.
    if (m_window->windowType() != Qt::Dialog)
        m_window->setWindowFlags((m_window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    // The frame's own size is known only once the window manager has framed the window:
    // the owner's frame, whose size is known, stands in for it.
    const QWidget* over = owner ? owner->m_window.get() : nullptr;
    QMargins frame;
    if (over)
        frame = QMargins(over->geometry().left() - over->frameGeometry().left(), over->geometry().top() - over->frameGeometry().top(),
                         over->frameGeometry().right() - over->geometry().right(),
                         over->frameGeometry().bottom() - over->geometry().bottom());
    const QSize outer = m_window->size().grownBy(frame);
    QScreen* screen = over ? over->screen() : m_window->screen();
    const QRect around = over ? over->frameGeometry() : (screen ? screen->availableGeometry() : QRect());
    QPoint at = around.center() - QPoint(outer.width() / 2, outer.height() / 2);
    if (screen) {
        // Whole on the screen, and its title bar first when it cannot be whole.
        const QRect avail = screen->availableGeometry();
        at.setX(std::max(avail.left(), std::min(at.x(), avail.right() + 1 - outer.width())));
        at.setY(std::max(avail.top(), std::min(at.y(), avail.bottom() + 1 - outer.height())));
    }
    // Placed by its client area: before the window manager has framed it, a position given
    // for the frame would be taken for the client's.
    m_window->setGeometry(QRect(at + QPoint(frame.left(), frame.top()), m_window->size()));
    m_leftTwips = at.x() * TwipsPerPixel;
    m_topTwips = at.y() * TwipsPerPixel;
    m_window->winId();
    m_window->windowHandle()->setTransientParent(over ? over->windowHandle() : nullptr);
}

bool Form::windowDialogKey(int key)
{
    auto press = [](Control* c) {
        if (!c || !c->isVisible() || !c->isEnabled())
            return false;
        if (auto* b = qobject_cast<CommandButton*>(c))
            return b->click();
        if (auto* i = qobject_cast<Image*>(c)) {
            i->click();
            return true;
        }
        return false;
    };
    if (key == Qt::Key_Escape)
        return press(m_cancelButton);
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // A button the user has moved to with Tab answers Enter itself.
    if (auto* focused = qobject_cast<CommandButton*>(Control::fromWidget(QApplication::focusWidget())))
        if (&focused->form() == this)
            return press(focused);
    return press(m_defaultButton);
}

void Form::leaveModal()
{
    if (m_modalLoop)
        m_modalLoop->quit();
}

void Form::hide()
{
    m_visible = false;
    m_window->hide();
    leaveModal();
}

bool Form::unload(int unloadMode)
{
    if (!m_loaded || m_unloading)
        return true;
    m_unloading = true;
    int cancel = 0;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel == 0)
        Form_Unload(cancel);
    if (cancel != 0) {
        m_unloading = false;
        return false;
    }
    m_loaded = false;
    m_visible = false;
    m_runtime.registerUnloaded(this);
    m_window->hide();
    leaveModal();
    // The caller may be one of this form's own handlers: delete once it has returned.
    m_runtime.disposeForm(*this);
    return true;
}

bool Form::windowCloseRequested()
{
    // Closing from the title bar is an unload by the user (mode 0).
    return unload(FormControlMenu);
}

void Form::windowResized()
{
    // Resize comes once for each size of a loaded form: sizes set while it was designed
    // do not count, so its first show always raises one.
    if (!m_loaded || m_unloading)
        return;
    const QSize s = m_window->size();
    if (m_resizeDelivered && s == m_lastResize)
        return;
    m_lastResize = s;
    m_resizeDelivered = true;
    Form_Resize();
}

void Form::windowMinimisedOrRestored()
{
    // Minimising and restoring raise Resize whatever the size: a form lays nothing out while
    // it is minimised, and catches up when it comes back.
    m_resizeDelivered = false;
    windowResized();
}

void Form::windowActivated()
{
    m_activatedAt = m_runtime.nextActivation();
    if (m_loaded && !m_unloading)
        Form_Activate();
}

QString Form::caption() const
{
    return m_window->windowTitle();
}

void Form::setCaption(const QString& caption)
{
    m_window->setWindowTitle(caption);
}

// The program reads back the twips it wrote, unless the window has been moved since.
int Form::left() const
{
    const int x = m_window->x();
    return x == unitsToPixels(m_leftTwips, TwipsPerPixel) ? m_leftTwips : x * TwipsPerPixel;
}

int Form::top() const
{
    const int y = m_window->y();
    return y == unitsToPixels(m_topTwips, TwipsPerPixel) ? m_topTwips : y * TwipsPerPixel;
}

int Form::width() const
{
    return (m_window->width() + FrameWidthPixels) * TwipsPerPixel;
}

int Form::height() const
{
    return (m_window->height() + FrameHeightPixels) * TwipsPerPixel;
}

void Form::setLeft(int twips)
{
    m_leftTwips = twips;
    m_window->move(unitsToPixels(twips, TwipsPerPixel), m_window->y());
}

void Form::setTop(int twips)
{
    m_topTwips = twips;
    m_window->move(m_window->x(), unitsToPixels(twips, TwipsPerPixel));
}

void Form::setWidth(int twips)
{
    m_window->resize(std::max(0, unitsToPixels(twips, TwipsPerPixel) - FrameWidthPixels), m_window->height());
    windowResized();
}

void Form::setHeight(int twips)
{
    m_window->resize(m_window->width(), std::max(0, unitsToPixels(twips, TwipsPerPixel) - FrameHeightPixels));
    windowResized();
}

void Form::move(int left, int top, int width, int height)
{
    m_leftTwips = left;
    m_topTwips = top;
    m_window->move(unitsToPixels(left, TwipsPerPixel), unitsToPixels(top, TwipsPerPixel));
    m_window->resize(std::max(0, unitsToPixels(width, TwipsPerPixel) - FrameWidthPixels),
                     std::max(0, unitsToPixels(height, TwipsPerPixel) - FrameHeightPixels));
    windowResized();
}

int Form::scaleWidth() const
{
    return m_window->width();
}

int Form::scaleHeight() const
{
    return m_window->height();
}

int Form::windowState() const
{
    if (!m_visible || !m_window->isVisible())
        return m_windowState;
    const Qt::WindowStates real = m_window->windowState();
    if (real & Qt::WindowMinimized)
        return Minimized;
    if (real & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return Maximized;
    return Normal;
}

void Form::setWindowState(int state)
{
    m_windowState = state;
    if (!m_visible)
        return;
    if (state == Maximized)
        m_window->showMaximized();
    else if (state == Minimized)
        m_window->showMinimized();
    else
        m_window->showNormal();
}

void Form::zOrder(int position)
{
    if (position == 0) {
        m_window->raise();
        m_window->activateWindow();
    } else {
        m_window->lower();
    }
}

void Form::setBackColor(const QColor& color)
{
    QPalette p = m_window->palette();
    p.setColor(QPalette::Window, color);
    m_window->setPalette(p);
    m_window->setAutoFillBackground(true);
}

void Form::setBorderFixed(bool fixed)
{
    if (fixed)
        m_window->setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
}

} // namespace vb
