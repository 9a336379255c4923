#include "Control.h"

#include "Form.h"
#include "Runtime.h"

#include <QPalette>
#include <QVariant>

namespace vb {

namespace {

// The widget property that names the control a widget belongs to (a QObject*).
const char* const ControlProperty = "vbControl";

} // namespace

Control::Control(Container& container, QWidget* widget) : m_container(&container), m_widget(widget)
{
    // Lets a walk over the window's widgets find the control each one stands for.
    widget->setProperty(ControlProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    widget->setParent(container.host());
    // Until the program places it, a control is an empty rectangle at the origin.
    widget->setGeometry(0, 0, 0, 0);
    widget->setVisible(true);
}

Control* Control::fromWidget(const QWidget* w)
{
    return w ? qobject_cast<Control*>(w->property(ControlProperty).value<QObject*>()) : nullptr;
}

void Control::releaseControlWidgets(QWidget* w)
{
    if (!w)
        return;
    const QObjectList children = w->children();
    for (QObject* child : children) {
        auto* inner = qobject_cast<QWidget*>(child);
        if (!inner)
            continue;
        // A control's widget leaves with everything inside it: its own control answers
        // for what lies in it.
        if (inner->property(ControlProperty).isValid())
            inner->setParent(nullptr);
        else
            releaseControlWidgets(inner);
    }
}

Control::~Control()
{
    releaseControlWidgets(m_widget.get());
}

void Control::setLeft(int v)
{
    m_left = v;
    applyGeometry();
}

void Control::setTop(int v)
{
    m_top = v;
    applyGeometry();
}

void Control::setWidth(int v)
{
    m_width = v < 0 ? 0 : v;
    applyGeometry();
}

void Control::setHeight(int v)
{
    m_height = v < 0 ? 0 : v;
    applyGeometry();
}

void Control::move(int left, int top)
{
    m_left = left;
    m_top = top;
    applyGeometry();
}

void Control::move(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width < 0 ? 0 : width;
    m_height = height < 0 ? 0 : height;
    applyGeometry();
}

QRect Control::pixelRect() const
{
    const int u = m_container->unitsPerPixel();
    return QRect(unitsToPixels(m_left, u), unitsToPixels(m_top, u), unitsToPixels(m_width, u), unitsToPixels(m_height, u));
}

void Control::applyGeometry()
{
    m_widget->setGeometry(pixelRect());
}

void Control::setVisible(bool visible)
{
    m_visible = visible;
    if (m_showLater && form().runtime().inEngineCallback())
        form().showLater(*this);
    else
        showAsSet();
}

void Control::setKeptOffScreen(bool off)
{
    if (m_keptOffScreen == off)
        return;
    m_keptOffScreen = off;
    showAsSet();
}

void Control::showAsSet()
{
    m_widget->setVisible(m_visible && !m_keptOffScreen);
}

void Control::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    m_widget->setEnabled(enabled);
    enabledChanged();
}

void Control::zOrder(int position)
{
    if (position == 0)
        m_widget->raise();
    else
        m_widget->lower();
}

void Control::setFocus()
{
    // Focus goes only to a widget on screen.
    form().showAsSet();
    m_widget->setFocus(Qt::OtherFocusReason);
}

bool Control::hasFocus() const
{
    return m_widget->hasFocus();
}

void Control::setToolTip(const QString& tip)
{
    m_widget->setToolTip(tip);
}

void Control::copyDesignFrom(const Control& other)
{
    m_left = other.m_left;
    m_top = other.m_top;
    m_width = other.m_width;
    m_height = other.m_height;
    m_tabIndex = other.m_tabIndex;
    applyGeometry();
    setEnabled(other.m_enabled);
    m_widget->setFont(other.m_widget->font());
    m_widget->setPalette(other.m_widget->palette());
    m_widget->setAutoFillBackground(other.m_widget->autoFillBackground());
    m_widget->setToolTip(other.m_widget->toolTip());
    // A loaded element starts hidden.
    setVisible(false);
}

void Control::retire()
{
    clearHandlers();
    m_widget->hide();
    deleteLater();
}

void setWidgetFont(QWidget* w, bool bold, double pointSize)
{
    QFont f = w->font();
    f.setBold(bold);
    if (pointSize > 0)
        f.setPointSizeF(pointSize);
    w->setFont(f);
}

void setWidgetColors(QWidget* w, const QColor& back, const QColor& fore, bool opaque)
{
    QPalette p = w->palette();
    if (back.isValid()) {
        p.setColor(QPalette::Window, back);
        p.setColor(QPalette::Base, back);
        p.setColor(QPalette::Button, back);
    }
    if (fore.isValid()) {
        p.setColor(QPalette::WindowText, fore);
        p.setColor(QPalette::Text, fore);
        p.setColor(QPalette::ButtonText, fore);
    }
    w->setPalette(p);
    w->setAutoFillBackground(opaque);
}

} // namespace vb
