#pragma once
// Base of every control of the forms kit. A control owns one Qt widget placed in its
// container; its geometry is kept in the container's unit (pixels on a form, twips inside
// a frame) exactly as the program writes it, and mapped to pixels for the widget.
//
// The control is its widget's only owner: the widget goes with the control and never
// with the container it is shown in. A container that goes first (a frame declared before
// a control placed in it, a form whose unloaded control waits for its deletion) hands the
// widgets of the controls still inside it back to them (releaseControlWidgets).

#include "Units.h"

#include <QColor>
#include <QObject>
#include <QWidget>

#include <memory>

namespace vb {

class Form;
class Runtime;

// Something controls are placed in: a form (pixels) or a frame (twips).
class Container {
public:
    virtual ~Container() = default;
    virtual QWidget* host() = 0;
    virtual int unitsPerPixel() const = 0;
    virtual Form& form() = 0;
};

class Control : public QObject {
    Q_OBJECT
public:
    Control(Container& container, QWidget* widget);
    ~Control() override;

    // The control whose widget w is; nullptr for any other widget (the parts inside a
    // control's widget, a form's window).
    static Control* fromWidget(const QWidget* w);
    // Takes the widgets of controls that lie inside w out of it, before w is deleted: each
    // stays with its own control, hidden, until that control goes.
    static void releaseControlWidgets(QWidget* w);

    Container& container() const { return *m_container; }
    Form& form() const { return m_container->form(); }
    QWidget* widget() const { return m_widget.get(); }

    int left() const { return m_left; }
    int top() const { return m_top; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    void move(int left, int top);
    void move(int left, int top, int width, int height);

    // The control's own Visible flag, not whether it is on screen.
    bool isVisible() const { return m_visible; }
    // Set while a web-engine callback runs, the flag reaches the widget at the end of the
    // event loop's turn (see Form::showLater), unless the control shows at once.
    void setVisible(bool visible);
    // The widget shows or hides as the flag says (and as the control is kept off screen).
    void showAsSet();
    // Keeps the control off the screen, or lets it back, without touching its Visible flag:
    // for a control that something else lies over in part (see CoverKeeper).
    void setKeptOffScreen(bool off);
    bool isKeptOffScreen() const { return m_keptOffScreen; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Brings the control to the front (0) or sends it to the back (1) of its container.
    void zOrder(int position = 0);
    void setFocus();
    bool hasFocus() const;
    void setToolTip(const QString& tip);
    void setTabIndex(int index) { m_tabIndex = index; }
    int tabIndex() const { return m_tabIndex; }

    // Control arrays: a new element copies the design of element 0 (place, size and the
    // properties of its kind) and starts hidden.
    virtual void copyDesignFrom(const Control& other);

    // Unloading: the control stops raising events and hides at once; it is deleted once
    // the event being handled has returned.
    void retire();

    // Pixel rectangle of the control in its container widget.
    QRect pixelRect() const;

protected:
    // A control whose widget must follow its Visible flag even inside a web-engine callback.
    void showAtOnce() { m_showLater = false; }
    virtual void applyGeometry();
    virtual void enabledChanged() {}
    // Drops every event handler (an unloaded control raises nothing).
    virtual void clearHandlers() {}
    int unitsPerPixel() const { return m_container->unitsPerPixel(); }

private:
    Container* m_container;
    std::unique_ptr<QWidget> m_widget;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    int m_tabIndex = 0;
    bool m_visible = true;
    bool m_keptOffScreen = false;
    bool m_enabled = true;
    bool m_showLater = true;
};

// Font and colour settings shared by the controls that show text.
void setWidgetFont(QWidget* w, bool bold, double pointSize = 0);
void setWidgetColors(QWidget* w, const QColor& back, const QColor& fore, bool opaque);

} // namespace vb
