#include "Controls.h"

#include "Form.h"
#include "FramePacer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace vb {

namespace {

int shiftState(Qt::KeyboardModifiers m)
{
    int s = 0;
    if (m & Qt::ShiftModifier)
        s |= 1;
    if (m & Qt::ControlModifier)
        s |= 2;
    if (m & Qt::AltModifier)
        s |= 4;
    return s;
}

int buttonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return LeftButton;
    }
}

QSizeF logicalSize(const QPixmap& p)
{
    return p.deviceIndependentSize();
}

} // namespace

// =======================================================================================
// Frame

class FrameWidget : public QWidget {
public:
    explicit FrameWidget(Frame& f) : m_frame(f) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QString caption = m_frame.shownCaption();
        if (m_frame.borderStyle() == 0 && caption.isEmpty())
            return;
        QPainter p(this);
        const QFont captionFont = m_frame.captionFont();
        p.setFont(captionFont);
        const QFontMetrics fm(captionFont);
        const int captionHeight = caption.isEmpty() ? 0 : fm.height();
        if (m_frame.borderStyle() != 0) {
            const QColor dark = palette().color(QPalette::Mid);
            const QColor light = palette().color(QPalette::Light);
            QRect r = rect().adjusted(0, captionHeight / 2, -1, -1);
            p.setPen(dark);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.setPen(light);
            p.drawRect(r.adjusted(1, 1, 0, 0));
        }
        if (!caption.isEmpty()) {
            const int w = fm.horizontalAdvance(caption) + 4;
            const QRect tr(6, 0, w, captionHeight);
            p.fillRect(tr, palette().color(QPalette::Window));
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(tr, Qt::AlignCenter, caption);
        }
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (m_frame.onMouseDown)
            m_frame.onMouseDown(buttonCode(e->button()), shiftState(e->modifiers()), e->position().x() * TwipsPerPixel,
                                e->position().y() * TwipsPerPixel);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            m_frame.click();
    }

private:
    Frame& m_frame;
};

Frame::Frame(Container& container) : Control(container, new FrameWidget(*this))
{
    widget()->setAutoFillBackground(true);
}

void Frame::setCaption(const QString& caption)
{
    m_caption = caption;
    widget()->update();
}

void Frame::setCaptionShortened(bool on)
{
    m_captionShortened = on;
    widget()->update();
}

QFont Frame::captionFont() const
{
    QFont f = widget()->font();
    f.setBold(m_captionBold);
    return f;
}

QString Frame::shownCaption() const
{
    if (!m_captionShortened)
        return m_caption;
    // The caption stands 6 pixels in from the frame's left edge, in a box 4 pixels wider
    // than its text, and keeps as far from the right edge.
    const int room = widget()->width() - 10;
    return QFontMetrics(captionFont()).elidedText(m_caption, Qt::ElideRight, std::max(0, room));
}

void Frame::setBorderStyle(int style)
{
    m_borderStyle = style;
    widget()->update();
}

void Frame::setBackColor(const QColor& color)
{
    setWidgetColors(widget(), color, QColor(), true);
}

void Frame::setForeColor(const QColor& color)
{
    setWidgetColors(widget(), QColor(), color, widget()->autoFillBackground());
}

void Frame::setFontBold(bool bold)
{
    m_captionBold = bold;
    widget()->update();
}

void Frame::click()
{
    if (onClick)
        onClick();
}

void Frame::copyDesignFrom(const Control& other)
{
    if (auto* f = qobject_cast<const Frame*>(&other)) {
        m_caption = f->m_caption;
        m_borderStyle = f->m_borderStyle;
        m_captionBold = f->m_captionBold;
        m_captionShortened = f->m_captionShortened;
    }
    Control::copyDesignFrom(other);
}

void Frame::clearHandlers()
{
    onClick = nullptr;
    onMouseDown = nullptr;
}

// =======================================================================================
// CommandButton

class ButtonWidget : public QAbstractButton {
public:
    explicit ButtonWidget(CommandButton& b) : m_button(b)
    {
        setFocusPolicy(Qt::TabFocus);
        connect(this, &QAbstractButton::clicked, this, [this] {
            // The released face is drawn with what the click changes.
            if (m_pressOrRelease)
                m_pressOrRelease->end();
            m_button.raiseClick();
        });
    }

protected:
    // A press or a release repaints the button at once; in a window with a web page that is
    // a whole frame before the one that shows what the press or click did.
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            FramePacer::Batch batch(this, e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress);
            m_pressOrRelease = &batch;
            const QPointer<ButtonWidget> self(this);
            const bool done = QAbstractButton::event(e);
            if (self)
                m_pressOrRelease = nullptr;
            return done;
        }
        case QEvent::HoverEnter:
        case QEvent::HoverLeave:
            // The pointer over a face or a caption changes nothing drawn: no frame for it.
            if (!m_button.currentFace().isNull() || !m_button.caption().isEmpty())
                return true;
            return QAbstractButton::event(e);
        default:
            return QAbstractButton::event(e);
        }
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (autoFillBackground())
            p.fillRect(rect(), palette().color(QPalette::Button));
        QPixmap face = m_button.currentFace();
        const bool synthesizedDisabled = !isEnabled() && m_button.disabledPicture().isNull();
        if (synthesizedDisabled && !face.isNull())
            face = QIcon(face).pixmap(logicalSize(face).toSize(), devicePixelRatioF(), QIcon::Disabled);
        const QString text = m_button.caption();
        const QFontMetrics fm(font());
        const int textHeight = text.isEmpty() ? 0 : fm.height();
        if (!face.isNull()) {
            QSizeF s = logicalSize(face);
            // A face larger than the button is shrunk to fit, keeping its shape.
            if (s.width() > width() || s.height() > height())
                s.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
            const double x = (width() - s.width()) / 2.0;
            double y = (height() - s.height() - textHeight) / 2.0;
            const bool pressedWithoutPicture = isDown() && m_button.downPicture().isNull();
            const QPointF shift = pressedWithoutPicture ? QPointF(1, 1) : QPointF(0, 0);
            p.drawPixmap(QRectF(QPointF(x, y) + shift, s), face, face.rect());
        } else if (text.isEmpty()) {
            // A button without any picture still needs a visible face.
            QStyleOptionButton opt;
            opt.initFrom(this);
            opt.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
            style()->drawPrimitive(isDown() ? QStyle::PE_PanelButtonCommand : QStyle::PE_PanelButtonBevel, &opt, &p, this);
        }
        if (!text.isEmpty()) {
            p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
            const QRect tr = face.isNull() ? rect() : QRect(0, height() - textHeight, width(), textHeight);
            p.drawText(tr, Qt::AlignCenter, text);
        }
    }

private:
    CommandButton& m_button;
    FramePacer::Batch* m_pressOrRelease = nullptr;
};

CommandButton::CommandButton(Container& container) : Control(container, new ButtonWidget(*this)) {}

void CommandButton::setCaption(const QString& caption)
{
    m_caption = caption;
    widget()->update();
}

void CommandButton::setPicture(const QPixmap& p)
{
    m_picture = p;
    widget()->update();
}

void CommandButton::setDownPicture(const QPixmap& p)
{
    m_downPicture = p;
    widget()->update();
}

void CommandButton::setDisabledPicture(const QPixmap& p)
{
    m_disabledPicture = p;
    widget()->update();
}

void CommandButton::setBackColor(const QColor& color)
{
    setWidgetColors(widget(), color, QColor(), true);
}

QPixmap CommandButton::currentFace() const
{
    if (!isEnabled())
        return m_disabledPicture.isNull() ? m_picture : m_disabledPicture;
    auto* b = static_cast<QAbstractButton*>(widget());
    if (b && b->isDown() && !m_downPicture.isNull())
        return m_downPicture;
    return m_picture;
}

void CommandButton::setValue(bool value)
{
    if (value)
        raiseClick();
}

bool CommandButton::click()
{
    form().showAsSet();
    if (!isEnabled() || !widget() || !widget()->isVisibleTo(widget()->window()))
        return false;
    raiseClick();
    return true;
}

void CommandButton::raiseClick()
{
    if (onClick)
        onClick();
}

void CommandButton::copyDesignFrom(const Control& other)
{
    if (auto* b = qobject_cast<const CommandButton*>(&other)) {
        m_caption = b->m_caption;
        m_picture = b->m_picture;
        m_downPicture = b->m_downPicture;
        m_disabledPicture = b->m_disabledPicture;
    }
    Control::copyDesignFrom(other);
}

void CommandButton::clearHandlers()
{
    onClick = nullptr;
}

void CommandButton::enabledChanged()
{
    widget()->update();
}

// =======================================================================================
// Label

class LabelWidget : public QLabel {
public:
    explicit LabelWidget(Label& l) : m_label(l)
    {
        setWordWrap(true);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextFormat(Qt::PlainText);
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        if (!m_label.wrapAnywhere()) {
            QLabel::paintEvent(e);
            return;
        }
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(contentsRect(), int(alignment()) | Qt::TextWrapAnywhere, text());
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            m_label.click();
    }

private:
    Label& m_label;
};

Label::Label(Container& container) : Control(container, new LabelWidget(*this))
{
    applyColors();
}

QString Label::caption() const
{
    return static_cast<QLabel*>(widget())->text();
}

void Label::setCaption(const QString& caption)
{
    static_cast<QLabel*>(widget())->setText(caption);
}

void Label::setBackStyle(int style)
{
    m_backStyle = style;
    applyColors();
}

void Label::setBackColor(const QColor& color)
{
    m_back = color;
    applyColors();
}

void Label::setForeColor(const QColor& color)
{
    m_fore = color;
    applyColors();
}

void Label::applyColors()
{
    setWidgetColors(widget(), m_back, m_fore, m_backStyle == 1 && m_back.isValid());
    if (m_backStyle == 1 && !m_back.isValid())
        widget()->setAutoFillBackground(true);
}

void Label::setAlignment(int alignment)
{
    Qt::Alignment a = Qt::AlignLeft;
    if (alignment == 1)
        a = Qt::AlignRight;
    else if (alignment == 2)
        a = Qt::AlignHCenter;
    static_cast<QLabel*>(widget())->setAlignment(a | Qt::AlignTop);
}

void Label::setFontBold(bool bold)
{
    setWidgetFont(widget(), bold);
}

void Label::setFontSize(double points)
{
    QFont f = widget()->font();
    f.setPointSizeF(points);
    widget()->setFont(f);
}

void Label::setBorderStyle(int style)
{
    static_cast<QLabel*>(widget())->setFrameStyle(style ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
}

void Label::setWrapAnywhere(bool on)
{
    m_wrapAnywhere = on;
    widget()->update();
}

void Label::click()
{
    if (onClick)
        onClick();
}

void Label::copyDesignFrom(const Control& other)
{
    if (auto* l = qobject_cast<const Label*>(&other)) {
        m_backStyle = l->m_backStyle;
        m_wrapAnywhere = l->m_wrapAnywhere;
        m_back = l->m_back;
        m_fore = l->m_fore;
        auto* mine = static_cast<QLabel*>(widget());
        auto* theirs = static_cast<QLabel*>(l->widget());
        mine->setText(theirs->text());
        mine->setAlignment(theirs->alignment());
        mine->setFrameStyle(theirs->frameStyle());
    }
    Control::copyDesignFrom(other);
    applyColors();
}

void Label::clearHandlers()
{
    onClick = nullptr;
}

// =======================================================================================
// Image

class ImageWidget : public QWidget {
public:
    explicit ImageWidget(Image& i) : m_image(i) {}
    int borderStyle = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QPixmap& pic = m_image.m_picture;
        if (!pic.isNull()) {
            if (m_image.m_stretch) {
                // Scaled smoothly: a picture drawn smaller loses no row or column whole.
                p.setRenderHint(QPainter::SmoothPixmapTransform);
                p.drawPixmap(rect(), pic, pic.rect());
            }
            else
                p.drawPixmap(QRectF(QPointF(0, 0), logicalSize(pic)), pic, pic.rect());
        }
        if (borderStyle) {
            p.setPen(palette().color(QPalette::Dark));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (m_image.onMouseDown)
            m_image.onMouseDown(buttonCode(e->button()), shiftState(e->modifiers()), qRound(e->position().x()),
                                qRound(e->position().y()));
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (m_image.onMouseUp)
            m_image.onMouseUp(buttonCode(e->button()), shiftState(e->modifiers()), qRound(e->position().x()),
                              qRound(e->position().y()));
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && m_image.onClick)
            m_image.onClick();
    }

private:
    Image& m_image;
};

Image::Image(Container& container) : Control(container, new ImageWidget(*this)) {}

void Image::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    refresh();
}

void Image::setStretch(bool stretch)
{
    m_stretch = stretch;
    refresh();
}

void Image::setBorderStyle(int style)
{
    static_cast<ImageWidget*>(widget())->borderStyle = style;
    widget()->update();
}

void Image::refresh()
{
    // Without Stretch the image takes the size of its picture.
    if (!m_stretch && !m_picture.isNull()) {
        const QSizeF s = logicalSize(m_picture);
        const int u = unitsPerPixel();
        Control::setWidth(qRound(s.width()) * u);
        Control::setHeight(qRound(s.height()) * u);
    }
    widget()->update();
}

void Image::press()
{
    if (isEnabled() && onMouseDown)
        onMouseDown(LeftButton, 0, 0, 0);
}

void Image::release()
{
    if (isEnabled() && onMouseUp)
        onMouseUp(LeftButton, 0, 0, 0);
}

void Image::click()
{
    if (isEnabled() && onClick)
        onClick();
}

void Image::copyDesignFrom(const Control& other)
{
    if (auto* i = qobject_cast<const Image*>(&other)) {
        m_picture = i->m_picture;
        m_stretch = i->m_stretch;
    }
    Control::copyDesignFrom(other);
}

void Image::clearHandlers()
{
    onClick = nullptr;
    onMouseDown = nullptr;
    onMouseUp = nullptr;
}

// =======================================================================================
// PictureBox

class PictureBoxWidget : public QWidget {
public:
    PictureBoxWidget() { setFocusPolicy(Qt::StrongFocus); }
    QPixmap picture;
    int borderStyle = 1;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (!picture.isNull())
            p.drawPixmap(QRectF(QPointF(0, 0), logicalSize(picture)), picture, picture.rect());
        if (borderStyle) {
            p.setPen(palette().color(QPalette::Dark));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
};

PictureBox::PictureBox(Container& container) : Control(container, new PictureBoxWidget) {}

void PictureBox::setBorderStyle(int style)
{
    static_cast<PictureBoxWidget*>(widget())->borderStyle = style;
    widget()->update();
}

void PictureBox::setBackColor(const QColor& color)
{
    setWidgetColors(widget(), color, QColor(), true);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    static_cast<PictureBoxWidget*>(widget())->picture = picture;
    widget()->update();
}

// =======================================================================================
// Line

class LineWidget : public QWidget {
public:
    explicit LineWidget(Line& l) : m_line(l) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(m_line.m_color, m_line.m_penWidth));
        const int u = m_line.unitsPerPixel();
        const QPoint origin(unitsToPixels(std::min(m_line.m_x1, m_line.m_x2), u), unitsToPixels(std::min(m_line.m_y1, m_line.m_y2), u));
        const QPoint a = QPoint(unitsToPixels(m_line.m_x1, u), unitsToPixels(m_line.m_y1, u)) - origin;
        const QPoint b = QPoint(unitsToPixels(m_line.m_x2, u), unitsToPixels(m_line.m_y2, u)) - origin;
        p.drawLine(a, b);
    }

private:
    Line& m_line;
};

Line::Line(Container& container) : Control(container, new LineWidget(*this)) {}

void Line::setX1(int v)
{
    m_x1 = v;
    updateBounds();
}
void Line::setY1(int v)
{
    m_y1 = v;
    updateBounds();
}
void Line::setX2(int v)
{
    m_x2 = v;
    updateBounds();
}
void Line::setY2(int v)
{
    m_y2 = v;
    updateBounds();
}

void Line::setPoints(int x1, int y1, int x2, int y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    updateBounds();
}

void Line::setBorderColor(const QColor& color)
{
    m_color = color;
    widget()->update();
}

void Line::setBorderWidth(int pixels)
{
    m_penWidth = std::max(1, pixels);
    updateBounds();
}

void Line::updateBounds()
{
    // The widget covers the line's bounding box plus the pen.
    const int u = unitsPerPixel();
    const int pad = m_penWidth * u;
    move(std::min(m_x1, m_x2), std::min(m_y1, m_y2), std::abs(m_x2 - m_x1) + pad, std::abs(m_y2 - m_y1) + pad);
    widget()->update();
}

void Line::copyDesignFrom(const Control& other)
{
    Control::copyDesignFrom(other);
    if (auto* l = qobject_cast<const Line*>(&other)) {
        m_color = l->m_color;
        m_penWidth = l->m_penWidth;
        setPoints(l->m_x1, l->m_y1, l->m_x2, l->m_y2);
    }
}

// =======================================================================================
// ProgressBar

ProgressBar::ProgressBar(Container& container) : Control(container, new QProgressBar)
{
    auto* bar = static_cast<QProgressBar*>(widget());
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
}

int ProgressBar::value() const
{
    return static_cast<QProgressBar*>(widget())->value();
}

void ProgressBar::setValue(int value)
{
    if (value < 0 || value > 100)
        throw Error(380, "Invalid property value");
    auto* bar = static_cast<QProgressBar*>(widget());
    if (bar->value() == value)
        return;
    // QProgressBar paints itself at once when its value changes, and each paint of a window
    // that holds a web page composes the whole window through the graphics stack again. The
    // new value is drawn with the window's next frame, together with whatever else changed
    // meanwhile (a page that loads reports its progress, address and end close together).
    const bool updates = bar->updatesEnabled();
    bar->setUpdatesEnabled(false);
    bar->setValue(value);
    bar->setUpdatesEnabled(updates);
}

void ProgressBar::refresh()
{
    widget()->update();
}

// =======================================================================================
// CheckBox

CheckBox::CheckBox(Container& container) : Control(container, new QCheckBox)
{
    auto* box = static_cast<QCheckBox*>(widget());
    box->setFocusPolicy(Qt::TabFocus);
    // The user's click: Qt has already toggled the box; take its state and raise Click.
    QObject::connect(box, &QCheckBox::clicked, this, [this](bool checked) {
        m_value = checked ? 1 : 0;
        showValue();
        if (onClick)
            onClick();
    });
}

QString CheckBox::caption() const
{
    return static_cast<QCheckBox*>(widget())->text();
}

void CheckBox::setCaption(const QString& caption)
{
    static_cast<QCheckBox*>(widget())->setText(caption);
}

void CheckBox::setValue(int value)
{
    if (value < 0 || value > 2)
        throw Error(380, "Invalid property value");
    if (value == m_value)
        return;
    m_value = value;
    showValue();
    if (onClick)
        onClick();
}

void CheckBox::showValue()
{
    auto* box = static_cast<QCheckBox*>(widget());
    const QSignalBlocker block(box);
    box->setTristate(m_value == 2);
    box->setCheckState(m_value == 0 ? Qt::Unchecked : m_value == 1 ? Qt::Checked : Qt::PartiallyChecked);
}

void CheckBox::setBackColor(const QColor& color)
{
    setWidgetColors(widget(), color, QColor(), true);
}

void CheckBox::setForeColor(const QColor& color)
{
    setWidgetColors(widget(), QColor(), color, widget()->autoFillBackground());
}

bool CheckBox::click()
{
    if (!isEnabled())
        return false;
    setValue(m_value == 1 ? 0 : 1);
    return true;
}

void CheckBox::copyDesignFrom(const Control& other)
{
    if (auto* c = qobject_cast<const CheckBox*>(&other)) {
        setCaption(c->caption());
        m_value = c->m_value;
        showValue();
    }
    Control::copyDesignFrom(other);
}

void CheckBox::clearHandlers()
{
    onClick = nullptr;
}

// =======================================================================================
// OptionButton

class OptionWidget : public QRadioButton {
public:
    explicit OptionWidget(OptionButton& o) : owner(o)
    {
        setAutoExclusive(false);
        setFocusPolicy(Qt::TabFocus);
    }
    OptionButton& owner;
};

OptionButton::OptionButton(Container& container) : Control(container, new OptionWidget(*this))
{
    auto* radio = static_cast<QRadioButton*>(widget());
    QObject::connect(radio, &QRadioButton::clicked, this, [this] {
        // A click always leaves the option chosen.
        if (m_value) {
            showValue();
            if (onClickChosen)
                onClickChosen();
            return;
        }
        setValue(true);
    });
}

QString OptionButton::caption() const
{
    return static_cast<QRadioButton*>(widget())->text();
}

void OptionButton::setCaption(const QString& caption)
{
    static_cast<QRadioButton*>(widget())->setText(caption);
}

void OptionButton::setValue(bool value)
{
    if (value == m_value) {
        showValue();
        return;
    }
    m_value = value;
    showValue();
    if (!value)
        return;
    // The other options of the same container are switched off.
    if (QWidget* parent = widget()->parentWidget()) {
        for (QObject* child : parent->children()) {
            auto* other = dynamic_cast<OptionWidget*>(child);
            if (other && &other->owner != this && other->owner.m_value) {
                other->owner.m_value = false;
                other->owner.showValue();
            }
        }
    }
    if (onClick)
        onClick();
}

void OptionButton::showValue()
{
    auto* radio = static_cast<QRadioButton*>(widget());
    const QSignalBlocker block(radio);
    radio->setChecked(m_value);
}

void OptionButton::setBackColor(const QColor& color)
{
    setWidgetColors(widget(), color, QColor(), true);
}

void OptionButton::setForeColor(const QColor& color)
{
    setWidgetColors(widget(), QColor(), color, widget()->autoFillBackground());
}

bool OptionButton::click()
{
    if (!isEnabled())
        return false;
    if (m_value) {
        if (onClickChosen)
            onClickChosen();
        return true;
    }
    setValue(true);
    return true;
}

void OptionButton::copyDesignFrom(const Control& other)
{
    if (auto* o = qobject_cast<const OptionButton*>(&other))
        setCaption(o->caption());
    Control::copyDesignFrom(other);
}

void OptionButton::clearHandlers()
{
    onClick = nullptr;
    onClickChosen = nullptr;
}

// =======================================================================================
// Timer

Timer::Timer()
{
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { fire(); });
}

void Timer::setInterval(int ms)
{
    m_interval = std::max(0, ms);
    apply();
}

void Timer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    apply();
}

void Timer::apply()
{
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}

void Timer::fire()
{
    if (onTimer)
        onTimer();
}

} // namespace vb
