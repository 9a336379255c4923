#pragma once
// A form: one top-level window with its controls. Load registers it and runs Form_Load;
// Show, modal Show, Hide and Unload behave as the program expects; closing the window from
// its title bar is an unload with mode 0. A form's own Left/Top/Width/Height are twips of
// its outer frame (client size + 8 x 32 pixels); controls placed on it use pixels. A form
// shown modally opens centred over the form that raised it and answers Enter and Escape
// with its default and cancel buttons.

#include "Control.h"

#include <QObject>
#include <QList>
#include <QPointer>
#include <QString>
#include <memory>

class QEventLoop;

namespace vb {

class Runtime;
class FormWindow;

enum UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, AppTaskManager = 3 };
enum WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

class Form : public QObject, public Container {
    Q_OBJECT
public:
    // The outer frame the program's layouts assume around the client area, in pixels.
    static constexpr int FrameWidthPixels = 8;
    static constexpr int FrameHeightPixels = 32;

    Form(Runtime& runtime, QString name);
    ~Form() override;

    Runtime& runtime() const { return m_runtime; }
    const QString& name() const { return m_name; }

    // Container
    QWidget* host() override;
    int unitsPerPixel() const override { return 1; }
    Form& form() override { return *this; }

    QWidget* window() const;

    // A control's Visible set while a web-engine callback runs reaches its widget at the end
    // of the event loop's turn, or of the outermost callback of an engine that calls back
    // synchronously: a control shown and hidden again within one turn (the progress bar at
    // the start of a load) never changes its widget, and the window draws no frame for it.
    void showLater(Control& control);
    // Brings every such widget up to its control's flag now.
    void showAsSet();

    // Registers the form as loaded and runs Form_Load. Call once after construction.
    void load();
    bool isLoaded() const { return m_loaded; }
    void show();
    // Shows the form modally, centred over the form that raised it (the active form, else
    // the one last active) and kept above it; returns when it has been hidden or unloaded.
    void showModal();
    // The form a modal show of this one opens over: nullptr when no other form is on screen.
    Form* owner() const;
    void hide();
    bool isVisible() const { return m_visible; }
    bool isModal() const { return m_modal; }
    // Runs QueryUnload and Unload; returns false when either cancelled. The form's window
    // and controls are deleted later, so an unload from inside one of its own handlers is safe.
    bool unload(int unloadMode = FormCode);

    QString caption() const;
    void setCaption(const QString& caption);

    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void move(int left, int top, int width, int height);
    // Client area in pixels.
    int scaleWidth() const;
    int scaleHeight() const;

    // The window's real state while it is shown (the user may have minimised or restored
    // it since code last set one); the state it will be shown in while it is not.
    int windowState() const;
    void setWindowState(int state);
    void zOrder(int position = 0);
    void setBackColor(const QColor& color);
    void setBorderFixed(bool fixed);

    // The buttons the keyboard presses while the form is active: Enter the default button
    // (or the command button that has the focus), Escape the cancel button. A command
    // button or an image; a disabled or hidden one is not pressed. nullptr for none.
    void setDefaultButton(Control* button) { m_defaultButton = button; }
    void setCancelButton(Control* button) { m_cancelButton = button; }
    Control* defaultButton() const { return m_defaultButton; }
    Control* cancelButton() const { return m_cancelButton; }

    // Events the form's code handles.
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& cancel, int unloadMode) {}
    virtual void Form_Unload(int& cancel) {}
    virtual void Form_Activate() {}

    // Delivered by the window; public for the window class only.
    void windowResized();
    bool windowCloseRequested();
    void windowActivated();
    void windowMinimisedOrRestored();
    // Enter or Escape that no control of the form took; true when a button answered it.
    bool windowDialogKey(int key);

protected:
    bool event(QEvent* e) override;

private:
    void leaveModal();
    void placeOver(const Form* owner);

    Runtime& m_runtime;
    QString m_name;
    std::unique_ptr<FormWindow> m_window;
    bool m_loaded = false;
    bool m_visible = false;
    bool m_modal = false;
    bool m_unloading = false;
    int m_windowState = Normal;
    QSize m_lastResize;
    int m_leftTwips = 0;
    int m_topTwips = 0;
    bool m_resizeDelivered = false;
    QEventLoop* m_modalLoop = nullptr;
    quint64 m_activatedAt = 0;
    QPointer<Control> m_defaultButton;
    QPointer<Control> m_cancelButton;
    QList<QPointer<Control>> m_shownLater;
    bool m_showPosted = false;
};

} // namespace vb
