#pragma once
// The forms kit's controls other than the text controls: frames, graphical command
// buttons, labels, images, picture boxes, lines, timers, progress bars, check boxes and
// option buttons. A setting made by code raises the same event as the user's action.

#include "Control.h"
#include "IndexedEvents.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <functional>

namespace vb {

enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// Handlers of controls that raise Click only.
struct ClickEvents {
    std::function<void(int)> onClick;
};

// ---------------------------------------------------------------------------------------
// A frame: a container whose children are placed in twips, with an optional caption and
// border.
class Frame : public Control, public Container {
    Q_OBJECT
public:
    explicit Frame(Container& container);
    // A frame inside a frame (without this, braces would pick the deleted copy).
    explicit Frame(Frame& parent) : Frame(static_cast<Container&>(parent)) {}

    QWidget* host() override { return widget(); }
    int unitsPerPixel() const override { return TwipsPerPixel; }
    Form& form() override { return Control::form(); }

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    // For a caption of any length (the user's own text): where the frame is too narrow for
    // it, it is shown shortened, with "…" at its end.
    void setCaptionShortened(bool on);
    // The caption as the frame shows it.
    QString shownCaption() const;
    // The font the caption is drawn in.
    QFont captionFont() const;
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style); // 0 none, 1 fixed single
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);
    // The caption's face only: the controls inside keep their own font.
    void setFontBold(bool bold);
    bool fontBold() const { return m_captionBold; }

    std::function<void()> onClick;
    std::function<void(int button, int shift, int x, int y)> onMouseDown;

    using IndexedEvents = ClickEvents;
    static auto indexedEvents() { return std::tuple{ForwardedEvent{&Frame::onClick, &IndexedEvents::onClick}}; }
    void copyDesignFrom(const Control& other) override;
    void click();

protected:
    void clearHandlers() override;

private:
    QString m_caption;
    int m_borderStyle = 1;
    bool m_captionBold = false;
    bool m_captionShortened = false;
};

// ---------------------------------------------------------------------------------------
// A graphical command button: normal, pressed and disabled pictures, an optional caption.
class CommandButton : public Control {
    Q_OBJECT
public:
    explicit CommandButton(Container& container);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QPixmap picture() const { return m_picture; }
    QPixmap downPicture() const { return m_downPicture; }
    QPixmap disabledPicture() const { return m_disabledPicture; }
    void setPicture(const QPixmap& p);
    void setDownPicture(const QPixmap& p);
    void setDisabledPicture(const QPixmap& p);
    void setBackColor(const QColor& color);
    // The face on screen now: disabled, pressed or normal picture.
    QPixmap currentFace() const;

    // Value = True: raises Click from code, as the program does.
    void setValue(bool value);
    // The user's click: nothing happens while the button is disabled or hidden.
    bool click();

    std::function<void()> onClick;

    using IndexedEvents = ClickEvents;
    static auto indexedEvents() { return std::tuple{ForwardedEvent{&CommandButton::onClick, &IndexedEvents::onClick}}; }
    void copyDesignFrom(const Control& other) override;

protected:
    void clearHandlers() override;
    void enabledChanged() override;

private:
    friend class ButtonWidget;
    void raiseClick();
    QString m_caption;
    QPixmap m_picture;
    QPixmap m_downPicture;
    QPixmap m_disabledPicture;
};

// ---------------------------------------------------------------------------------------
class Label : public Control {
    Q_OBJECT
public:
    explicit Label(Container& container);

    QString caption() const;
    void setCaption(const QString& caption);
    int backStyle() const { return m_backStyle; }
    void setBackStyle(int style); // 0 transparent, 1 opaque
    QColor backColor() const { return m_back; }
    void setBackColor(const QColor& color);
    QColor foreColor() const { return m_fore; }
    void setForeColor(const QColor& color);
    void setAlignment(int alignment); // 0 left, 1 right, 2 centre
    void setFontBold(bool bold);
    void setFontSize(double points);
    void setBorderStyle(int style);
    // Text the user wrote may hold a word longer than the line: it breaks anywhere then.
    bool wrapAnywhere() const { return m_wrapAnywhere; }
    void setWrapAnywhere(bool on);

    std::function<void()> onClick;

    using IndexedEvents = ClickEvents;
    static auto indexedEvents() { return std::tuple{ForwardedEvent{&Label::onClick, &IndexedEvents::onClick}}; }
    void copyDesignFrom(const Control& other) override;
    void click();

protected:
    void clearHandlers() override;

private:
    void applyColors();
    bool m_wrapAnywhere = false;
    int m_backStyle = 1;
    QColor m_back;
    QColor m_fore;
};

// ---------------------------------------------------------------------------------------
// An image: shows a picture, stretched to its size or sizing itself to the picture.
class Image : public Control {
    Q_OBJECT
public:
    explicit Image(Container& container);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    void setBorderStyle(int style);

    std::function<void()> onClick;
    std::function<void(int button, int shift, int x, int y)> onMouseDown;
    std::function<void(int button, int shift, int x, int y)> onMouseUp;

    struct IndexedEvents {
        std::function<void(int)> onClick;
        std::function<void(int, int, int, int, int)> onMouseDown;
        std::function<void(int, int, int, int, int)> onMouseUp;
    };
    static auto indexedEvents()
    {
        return std::tuple{ForwardedEvent{&Image::onClick, &IndexedEvents::onClick},
                          ForwardedEvent{&Image::onMouseDown, &IndexedEvents::onMouseDown},
                          ForwardedEvent{&Image::onMouseUp, &IndexedEvents::onMouseUp}};
    }
    void copyDesignFrom(const Control& other) override;

    // The user's press and release of the left button, and the click that follows.
    void press();
    void release();
    void click();

protected:
    void clearHandlers() override;

private:
    friend class ImageWidget;
    void refresh();
    QPixmap m_picture;
    bool m_stretch = false;
};

// ---------------------------------------------------------------------------------------
// A borderless picture box, used to hold the keyboard focus away from the buttons.
class PictureBox : public Control {
    Q_OBJECT
public:
    explicit PictureBox(Container& container);
    void setBorderStyle(int style);
    void setBackColor(const QColor& color);
    void setPicture(const QPixmap& picture);

    using IndexedEvents = ClickEvents;
};

// ---------------------------------------------------------------------------------------
// A line from (X1, Y1) to (X2, Y2) in the container's unit.
class Line : public Control {
    Q_OBJECT
public:
    explicit Line(Container& container);
    int x1() const { return m_x1; }
    int y1() const { return m_y1; }
    int x2() const { return m_x2; }
    int y2() const { return m_y2; }
    void setX1(int v);
    void setY1(int v);
    void setX2(int v);
    void setY2(int v);
    void setPoints(int x1, int y1, int x2, int y2);
    void setBorderColor(const QColor& color);
    void setBorderWidth(int pixels);

    using IndexedEvents = ClickEvents;
    void copyDesignFrom(const Control& other) override;

private:
    friend class LineWidget;
    void updateBounds();
    int m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    QColor m_color = Qt::black;
    int m_penWidth = 1;
};

// ---------------------------------------------------------------------------------------
class ProgressBar : public Control {
    Q_OBJECT
public:
    explicit ProgressBar(Container& container);
    int value() const;
    void setValue(int value); // 0..100
    void refresh();

    using IndexedEvents = ClickEvents;
};

// ---------------------------------------------------------------------------------------
class CheckBox : public Control {
    Q_OBJECT
public:
    explicit CheckBox(Container& container);
    QString caption() const;
    void setCaption(const QString& caption);
    int value() const { return m_value; } // 0 unchecked, 1 checked, 2 grayed
    void setValue(int value);
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);
    // The user's click: toggles between checked and unchecked.
    bool click();

    std::function<void()> onClick;

    using IndexedEvents = ClickEvents;
    static auto indexedEvents() { return std::tuple{ForwardedEvent{&CheckBox::onClick, &IndexedEvents::onClick}}; }
    void copyDesignFrom(const Control& other) override;

protected:
    void clearHandlers() override;

private:
    void showValue();
    int m_value = 0;
};

// ---------------------------------------------------------------------------------------
// An option button; the option buttons of one container form one group.
class OptionButton : public Control {
    Q_OBJECT
public:
    explicit OptionButton(Container& container);
    QString caption() const;
    void setCaption(const QString& caption);
    bool value() const { return m_value; }
    void setValue(bool value);
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);
    bool click();

    std::function<void()> onClick;
    // The user clicks the option that is chosen already: its Value does not change, so no
    // Click comes. Setting Value by code never raises it.
    std::function<void()> onClickChosen;

    using IndexedEvents = ClickEvents;
    static auto indexedEvents() { return std::tuple{ForwardedEvent{&OptionButton::onClick, &IndexedEvents::onClick}}; }
    void copyDesignFrom(const Control& other) override;

protected:
    void clearHandlers() override;

private:
    void showValue();
    bool m_value = false;
};

// ---------------------------------------------------------------------------------------
// A timer: raises Timer every Interval milliseconds while enabled (and Interval > 0).
class Timer : public QObject {
    Q_OBJECT
public:
    Timer();
    int interval() const { return m_interval; }
    void setInterval(int ms);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // True while the timer really runs (enabled with a positive interval).
    bool isRunning() const { return m_timer.isActive(); }
    // One tick, as if the interval had passed.
    void fire();

    std::function<void()> onTimer;

private:
    void apply();
    // A child, so that the program's ticks can be told from other timers'.
    QTimer m_timer{this};
    int m_interval = 0;
    bool m_enabled = true;
};

} // namespace vb
