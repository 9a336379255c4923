#include "LayoutProbe.h"

#include "vb/Controls.h"
#include "vb/TextControls.h"
#include "web/WebBrowser.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QWidget>

#include <algorithm>

namespace layoutprobe {

namespace {

const QChar Ellipsis(0x2026);

vb::Control* controlOf(const QWidget* w)
{
    return vb::Control::fromWidget(w);
}

QString kindOf(const vb::Control* c)
{
    QString name = QString::fromLatin1(c->metaObject()->className());
    const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
    return colon >= 0 ? name.mid(colon + 1) : name;
}

QString shortText(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.size() > 40 ? text.left(37) + QStringLiteral("...") : text;
}

// The text a control shows as its caption ("" when it shows none): what is on the screen,
// a shortened caption as it is shortened.
QString captionOf(const vb::Control* c)
{
    if (auto* b = qobject_cast<const vb::CommandButton*>(c))
        return b->caption();
    if (auto* l = qobject_cast<const vb::Label*>(c))
        return l->caption();
    if (auto* f = qobject_cast<const vb::Frame*>(c))
        return f->shownCaption();
    if (auto* k = qobject_cast<const vb::CheckBox*>(c))
        return k->caption();
    if (auto* o = qobject_cast<const vb::OptionButton*>(c))
        return o->caption();
    if (auto* t = qobject_cast<const vb::TextBox*>(c))
        return t->shownText();
    return {};
}

QRect inWindow(const QWidget* w, const QWidget* window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// Where a container lets its controls be seen whole, in window coordinates: a frame with a
// border keeps them off its border's lines.
QRect innerRect(const QWidget* p, const QWidget* window)
{
    const QRect r = inWindow(p, window);
    auto* f = qobject_cast<const vb::Frame*>(controlOf(p));
    return f && f->borderStyle() != 0 ? r.adjusted(2, 2, -2, -2) : r;
}

// The rectangle of w in window coordinates, cut by every container it lies in.
QRect shownRect(const QWidget* w, const QWidget* window)
{
    QRect r = inWindow(w, window);
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        r &= innerRect(p, window);
        if (p == window)
            break;
    }
    return r;
}

// How a label breaks its lines.
int wrapOf(const vb::Control* c)
{
    auto* l = qobject_cast<const vb::Label*>(c);
    return l && l->wrapAnywhere() ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
}

// Where a label's text stands, in the label's coordinates.
QRect labelTextRect(const QLabel* l, const vb::Control* c)
{
    return l->fontMetrics().boundingRect(l->contentsRect(), int(l->alignment()) | wrapOf(c), l->text());
}

// The caption's box of a frame, in the frame's coordinates (as the frame draws it).
QRect frameCaptionRect(const vb::Frame* f)
{
    const QString caption = f->shownCaption();
    if (caption.isEmpty())
        return {};
    const QFontMetrics fm(f->captionFont());
    return QRect(6, 0, fm.horizontalAdvance(caption) + 4, fm.height());
}

// The box and the caption of a check box or an option button.
QRect checkRect(const QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
    const QRect indicator = b->style()->subElementRect(radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, b);
    const QRect contents = b->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, b);
    const QRect text = b->text().isEmpty() ? QRect() : b->fontMetrics().boundingRect(contents, Qt::AlignLeft | Qt::AlignVCenter, b->text());
    return (indicator | text) & b->rect();
}

// The room a one-line box has for its text.
int lineRoom(const QLineEdit* e)
{
    QStyleOptionFrame panel;
    panel.initFrom(e);
    panel.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, e) : 0;
    const QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &panel, e).marginsRemoved(e->textMargins());
    return r.width() - 4;
}

const QLineEdit* lineEditOf(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e;
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return c->lineEdit();
    return nullptr;
}

// Points spread over a rectangle, its corners a pixel in, no further apart than a caption's
// smallest letters.
QList<QPoint> spread(const QRect& r)
{
    QList<QPoint> points;
    if (r.width() <= 0 || r.height() <= 0)
        return points;
    const QRect in = r.width() > 2 && r.height() > 2 ? r.adjusted(1, 1, -1, -1) : r;
    const int columns = std::clamp((in.width() + 5) / 6 + 1, 2, 24);
    const int rows = std::clamp((in.height() + 4) / 5 + 1, 2, 8);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            points << QPoint(in.left() + (in.width() - 1) * i / (columns - 1), in.top() + (in.height() - 1) * j / (rows - 1));
    return points;
}

// A label without a background of its own shows only its text: elsewhere what lies
// under it shows through.
bool seeThroughAt(const QWidget* w, const QPoint& local)
{
    auto* l = qobject_cast<const QLabel*>(w);
    if (!l || l->autoFillBackground())
        return false;
    const vb::Control* c = controlOf(l);
    return !c || l->text().isEmpty() || !labelTextRect(l, c).contains(local);
}

// The widget a user sees (visual) or clicks at point p of parent: the topmost shown child
// there, or its own child at that point. A click goes past controls that take no click;
// the eye goes past the empty part of a label without a background.
QWidget* topAt(QWidget* parent, const QPoint& p, bool visual)
{
    const QObjectList& children = parent->children();
    for (qsizetype i = children.size() - 1; i >= 0; --i) {
        auto* child = qobject_cast<QWidget*>(children.at(i));
        if (!child || child->isWindow() || child->isHidden())
            continue;
        if (!visual && child->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        const QPoint local = p - child->geometry().topLeft();
        if (!child->rect().contains(local))
            continue;
        if (QWidget* inner = topAt(child, local, visual))
            return inner;
        if (visual && seeThroughAt(child, local))
            continue;
        return child;
    }
    return nullptr;
}

// What a control shows and where: its caption (the text checked against its box), the
// rectangle of it that must be whole on the screen, and whether that is looked at (a
// caption) or clicked (a button, a box, a picture).
struct Shown {
    QString caption;
    QRect area; // in the widget's coordinates
    bool visual = false;
};

Shown shownOf(const QWidget* w, const vb::Control* c)
{
    Shown s;
    s.caption = captionOf(c);
    if (qobject_cast<const vb::CommandButton*>(c) || qobject_cast<const vb::TextBox*>(c) || qobject_cast<const vb::ComboBox*>(c)) {
        s.area = w->rect();
    } else if (qobject_cast<const vb::CheckBox*>(c) || qobject_cast<const vb::OptionButton*>(c)) {
        s.area = checkRect(static_cast<const QAbstractButton*>(w));
    } else if (auto* l = qobject_cast<const QLabel*>(w); l && !s.caption.isEmpty()) {
        s.area = labelTextRect(l, c) & l->rect();
        s.visual = true;
    } else if (auto* img = qobject_cast<const vb::Image*>(c); img && (img->onClick || img->onMouseDown)) {
        s.area = w->rect();
    } else if (img && !img->picture().isNull()) {
        // A picture is looked at whole, as a caption is.
        s.area = w->rect();
        s.visual = true;
    } else if (auto* f = qobject_cast<const vb::Frame*>(c)) {
        s.area = frameCaptionRect(f) & w->rect();
        s.visual = true;
    }
    return s;
}

// Why a caption does not fit its box, or "" when it does.
QString misfit(const QWidget* w, const vb::Control* c, const QString& caption)
{
    if (caption.isEmpty())
        return {};
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        const QRect box = l->contentsRect();
        const QRect text = l->fontMetrics().boundingRect(QRect(0, 0, box.width(), 100000), int(l->alignment()) | wrapOf(c), caption);
        if (text.width() > box.width() || text.height() > box.height())
            return QStringLiteral("needs %1x%2, has %3x%4").arg(text.width()).arg(text.height()).arg(box.width()).arg(box.height());
    } else if (auto* b = qobject_cast<const QAbstractButton*>(w); b && (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))) {
        const QSize hint = b->sizeHint();
        if (hint.width() > b->width() || b->fontMetrics().height() > b->height())
            return QStringLiteral("needs %1x%2, has %3x%4").arg(hint.width()).arg(b->fontMetrics().height()).arg(b->width()).arg(b->height());
    } else if (auto* f = qobject_cast<const vb::Frame*>(c)) {
        const int width = QFontMetrics(f->captionFont()).horizontalAdvance(caption) + 10;
        if (width > w->width())
            return QStringLiteral("needs %1 wide, has %2").arg(width).arg(w->width());
    } else if (qobject_cast<const vb::CommandButton*>(c)) {
        const int width = w->fontMetrics().horizontalAdvance(caption);
        if (width > w->width())
            return QStringLiteral("needs %1 wide, has %2").arg(width).arg(w->width());
    }
    return {};
}

} // namespace

void Probe::allow(Rule rule, const QString& reason)
{
    m_allowed.push_back({std::move(rule), reason});
}

void Probe::allowUnder(const QWidget* cover, const QString& reason)
{
    allow([cover](const QWidget*, const QWidget* over) { return over && (over == cover || cover->isAncestorOf(over)); },
          reason);
}

void Probe::skip(const QWidget* target)
{
    m_skipped.push_back(target);
}

void Probe::startShown(const QWidget* box)
{
    m_startShown.push_back(box);
}

void Probe::nameLine(const QWidget* line)
{
    m_nameLines.push_back(line);
}

void Probe::keepWhole(const QWidget* target)
{
    m_keptWhole.push_back(target);
}

bool Probe::listed(const std::vector<const QWidget*>& list, const QWidget* w) const
{
    return std::find(list.begin(), list.end(), w) != list.end();
}

QString describe(const QWidget* w, const QWidget* window)
{
    if (!w)
        return QStringLiteral("nothing");
    const vb::Control* c = controlOf(w);
    QString what = c ? kindOf(c) : QString::fromLatin1(w->metaObject()->className());
    QString text = c ? captionOf(c) : QString();
    if (text.isEmpty())
        if (const QLineEdit* e = lineEditOf(w))
            text = e->text();
    if (!text.isEmpty())
        what += QStringLiteral(" \"%1\"").arg(shortText(text));
    else if (!w->toolTip().isEmpty())
        what += QStringLiteral(" (tip \"%1\")").arg(shortText(w->toolTip()));
    const QRect r = inWindow(w, window);
    what += QStringLiteral(" at %1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        const vb::Control* pc = controlOf(p);
        const QString caption = pc ? captionOf(pc) : QString();
        if (!caption.isEmpty()) {
            what += QStringLiteral(" in \"%1\"").arg(shortText(caption));
            break;
        }
    }
    return what;
}

QStringList Probe::walk() const
{
    QStringList faults;
    m_checked = 0;
    auto allowed = [this](const QWidget* target, const QWidget* over) {
        return std::any_of(m_allowed.begin(), m_allowed.end(), [&](const Allowance& a) { return a.rule(target, over); });
    };
    auto owns = [](const QWidget* w, const QWidget* hit) { return hit == w || (hit && w->isAncestorOf(hit)); };
    const QRect windowRect = m_window->rect();

    for (const QWidget* w : m_window->findChildren<QWidget*>()) {
        vb::Control* c = controlOf(w);
        if (!c || !w->isVisibleTo(m_window))
            continue;
        const QRect shown = shownRect(w, m_window);
        if (shown.isEmpty())
            continue; // nothing of it reaches the screen
        if (listed(m_skipped, w) || qobject_cast<vb::WebBrowser*>(c))
            continue;

        // Captions fit their boxes, in the font the control really uses.
        const Shown s = shownOf(w, c);
        if (const QString need = misfit(w, c, s.caption); !need.isEmpty())
            faults << QStringLiteral("caption does not fit (%1): %2").arg(need, describe(w, m_window));

        // A box shows the start of its text; a line of names is whole or ends in "…".
        const bool nameLine = listed(m_nameLines, w);
        if (nameLine || listed(m_startShown, w))
            if (const QLineEdit* e = lineEditOf(w); e && !e->hasFocus() && !e->text().isEmpty()) {
                const bool shortened = s.caption.endsWith(Ellipsis) && s.caption != e->text();
                if (nameLine && !shortened && e->fontMetrics().horizontalAdvance(e->text()) > lineRoom(e))
                    faults << QStringLiteral("name cut where its box ends, without \"…\": %1").arg(describe(w, m_window));
                // The cursor's box starts 5 pixels left of the cursor, which stands after the
                // text before it: the first character's place follows.
                const QRect cursor = e->inputMethodQuery(Qt::ImCursorRectangle).toRect();
                const int firstX = cursor.left() + 5 - e->fontMetrics().horizontalAdvance(e->text().left(e->cursorPosition()));
                if (!shortened && firstX < 0)
                    faults << QStringLiteral("text is shown without its start: %1").arg(describe(w, m_window));
            }

        // All of what it shows is on the screen, and nothing but what the user opened lies
        // over any part of it.
        if (s.area.isEmpty() || !w->isEnabled())
            continue;
        ++m_checked;
        const bool whole = listed(m_keptWhole, w);
        int own = 0;
        const QWidget* partCover = nullptr;
        bool reported = false;
        for (const QPoint& p : spread(s.area)) {
            const QPoint at = w->mapTo(m_window, p);
            if (!shown.contains(at)) {
                if (reported || allowed(w, nullptr))
                    continue;
                faults << QStringLiteral("%1: %2 (point %3,%4)")
                              .arg(windowRect.contains(at) ? QStringLiteral("cut off by its frame") : QStringLiteral("outside the window"),
                                   describe(w, m_window))
                              .arg(at.x())
                              .arg(at.y());
                reported = true;
                continue;
            }
            const QWidget* hit = topAt(m_window, at, s.visual);
            // A control that takes no click is found through: what lies there is its own
            // container, unless something else covers it.
            if (owns(w, hit) || (!s.visual && w->testAttribute(Qt::WA_TransparentForMouseEvents) && hit && hit->isAncestorOf(w))) {
                ++own;
                continue;
            }
            partCover = hit;
            if (reported || allowed(w, hit))
                continue;
            faults << QStringLiteral("covered: %1 lies under %2 (point %3,%4)")
                          .arg(describe(w, m_window), describe(hit, m_window))
                          .arg(at.x())
                          .arg(at.y());
            reported = true;
        }
        if (whole && own > 0 && partCover)
            faults << QStringLiteral("partly covered: %1 shows beside %2").arg(describe(w, m_window), describe(partCover, m_window));
    }
    // Panels lie wholly inside the window, and a frame with a border or a caption wholly
    // inside the frame that holds it.
    for (const QWidget* w : m_window->findChildren<QWidget*>()) {
        auto* f = qobject_cast<vb::Frame*>(controlOf(w));
        if (!f || !w->isVisibleTo(m_window) || shownRect(w, m_window).isEmpty())
            continue;
        const QWidget* parent = w->parentWidget();
        if (parent == m_window) {
            if (!windowRect.contains(w->geometry()) && !allowed(w, nullptr))
                faults << QStringLiteral("reaches outside the window: %1").arg(describe(w, m_window));
        } else if ((f->borderStyle() != 0 || !f->caption().isEmpty()) && !parent->rect().contains(w->geometry()) &&
                   !allowed(w, nullptr)) {
            faults << QStringLiteral("reaches outside its frame: %1").arg(describe(w, m_window));
        }
    }
    faults.removeDuplicates();
    return faults;
}

std::map<const QWidget*, QString> shownCaptions(QWidget* window)
{
    std::map<const QWidget*, QString> captions;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        const vb::Control* c = controlOf(w);
        if (!c || !w->isVisibleTo(window) || shownRect(w, window).isEmpty())
            continue;
        const QString caption = captionOf(c);
        if (!caption.isEmpty())
            captions[w] = caption;
    }
    return captions;
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void shot(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("CORVANE_LAYOUT_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace layoutprobe
