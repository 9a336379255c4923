#include "LayoutProbe.h"

#include "vb/Controls.h"
#include "vb/TextControls.h"
#include "web/WebBrowser.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <algorithm>

namespace layoutprobe {

namespace {

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

// The text a control shows as its caption ("" when it shows none).
QString captionOf(const vb::Control* c)
{
    if (auto* b = qobject_cast<const vb::CommandButton*>(c))
        return b->caption();
    if (auto* l = qobject_cast<const vb::Label*>(c))
        return l->caption();
    if (auto* f = qobject_cast<const vb::Frame*>(c))
        return f->caption();
    if (auto* k = qobject_cast<const vb::CheckBox*>(c))
        return k->caption();
    if (auto* o = qobject_cast<const vb::OptionButton*>(c))
        return o->caption();
    return {};
}

// The rectangle of w in window coordinates, cut by every container it lies in.
QRect shownRect(const QWidget* w, const QWidget* window)
{
    QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        r &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
        if (p == window)
            break;
    }
    return r;
}

// The caption's box inside a check box or an option button.
QRect buttonTextRect(const QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
    const QRect contents = b->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, b);
    const QRect text = b->fontMetrics().boundingRect(contents, Qt::AlignLeft | Qt::AlignVCenter, b->text());
    return text & b->rect();
}

// How a label breaks its lines.
int wrapOf(const vb::Control* c)
{
    auto* l = qobject_cast<const vb::Label*>(c);
    return l && l->wrapAnywhere() ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
}

struct Target {
    const QWidget* widget;
    QList<QPoint> points; // in the widget's coordinates
};

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

void Probe::userCaption(const QWidget* w)
{
    m_userCaptions.push_back(w);
}

QString describe(const QWidget* w, const QWidget* window)
{
    if (!w)
        return QStringLiteral("nothing");
    const vb::Control* c = controlOf(w);
    QString what = c ? kindOf(c) : QString::fromLatin1(w->metaObject()->className());
    QString text = c ? captionOf(c) : QString();
    if (text.isEmpty())
        if (auto* e = qobject_cast<const QLineEdit*>(w))
            text = e->text();
    if (!text.isEmpty())
        what += QStringLiteral(" \"%1\"").arg(shortText(text));
    else if (!w->toolTip().isEmpty())
        what += QStringLiteral(" (tip \"%1\")").arg(shortText(w->toolTip()));
    const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
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
    const QRect windowRect = m_window->rect();

    for (const QWidget* w : m_window->findChildren<QWidget*>()) {
        vb::Control* c = controlOf(w);
        if (!c || !w->isVisibleTo(m_window))
            continue;
        const QRect shown = shownRect(w, m_window);
        if (shown.isEmpty())
            continue; // nothing of it reaches the screen
        if (std::find(m_skipped.begin(), m_skipped.end(), w) != m_skipped.end())
            continue;
        if (qobject_cast<vb::WebBrowser*>(c))
            continue;

        // Captions fit their boxes, in the font the control really uses.
        const QString caption = captionOf(c);
        const bool usersText = std::find(m_userCaptions.begin(), m_userCaptions.end(), w) != m_userCaptions.end();
        if (!caption.isEmpty() && !usersText) {
            QString need;
            if (auto* l = qobject_cast<const QLabel*>(w)) {
                const QRect box = l->contentsRect();
                const QRect text = l->fontMetrics().boundingRect(QRect(0, 0, box.width(), 100000),
                                                                 int(l->alignment()) | wrapOf(c), caption);
                if (text.width() > box.width() || text.height() > box.height())
                    need = QStringLiteral("needs %1x%2, has %3x%4").arg(text.width()).arg(text.height()).arg(box.width()).arg(box.height());
            } else if (auto* b = qobject_cast<const QAbstractButton*>(w); b && (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))) {
                const QSize hint = b->sizeHint();
                if (hint.width() > b->width() || b->fontMetrics().height() > b->height())
                    need = QStringLiteral("needs %1x%2, has %3x%4").arg(hint.width()).arg(b->fontMetrics().height()).arg(b->width()).arg(b->height());
            } else if (qobject_cast<const vb::Frame*>(c)) {
                QFont bold = w->font();
                bold.setBold(static_cast<const vb::Frame*>(c)->fontBold());
                const int width = QFontMetrics(bold).horizontalAdvance(caption) + 10;
                if (width > w->width())
                    need = QStringLiteral("needs %1 wide, has %2").arg(width).arg(w->width());
            } else if (qobject_cast<const vb::CommandButton*>(c)) {
                const int width = w->fontMetrics().horizontalAdvance(caption);
                if (width > w->width())
                    need = QStringLiteral("needs %1 wide, has %2").arg(width).arg(w->width());
            }
            if (!need.isEmpty())
                faults << QStringLiteral("caption does not fit (%1): %2").arg(need, describe(w, m_window));
        }

        // A read-only list line shows its text from the first character.
        if (std::find(m_startShown.begin(), m_startShown.end(), w) != m_startShown.end())
            if (auto* e = qobject_cast<const QLineEdit*>(w); e && !e->text().isEmpty()) {
                // The cursor's box starts 5 pixels left of the cursor, which stands after the
                // text before it: the first character's place follows.
                const QRect cursor = e->inputMethodQuery(Qt::ImCursorRectangle).toRect();
                const int firstX = cursor.left() + 5 - e->fontMetrics().horizontalAdvance(e->text().left(e->cursorPosition()));
                if (firstX < 0)
                    faults << QStringLiteral("text is shown without its start: %1").arg(describe(w, m_window));
            }

        // Where a user would click it.
        Target t{w, {}};
        if (qobject_cast<vb::CommandButton*>(c) || qobject_cast<vb::TextBox*>(c) || qobject_cast<vb::ComboBox*>(c)) {
            t.points << w->rect().center();
        } else if (qobject_cast<vb::CheckBox*>(c) || qobject_cast<vb::OptionButton*>(c)) {
            t.points << w->rect().center();
            const QRect text = buttonTextRect(static_cast<const QAbstractButton*>(w));
            if (!text.isEmpty())
                t.points << text.center();
        } else if (auto* l = qobject_cast<const QLabel*>(w); l && !caption.isEmpty()) {
            const QRect text = l->fontMetrics().boundingRect(l->contentsRect(), int(l->alignment()) | wrapOf(c), caption);
            t.points << (text & l->rect()).center();
        } else if (auto* img = qobject_cast<vb::Image*>(c); img && (img->onClick || img->onMouseDown)) {
            t.points << w->rect().center();
        } else if (qobject_cast<vb::Frame*>(c) && !caption.isEmpty()) {
            QFont bold = w->font();
            bold.setBold(static_cast<const vb::Frame*>(c)->fontBold());
            const QFontMetrics fm(bold);
            t.points << QRect(6, 0, fm.horizontalAdvance(caption) + 4, fm.height()).intersected(w->rect()).center();
        }
        if (t.points.isEmpty() || !w->isEnabled())
            continue;
        ++m_checked;
        for (const QPoint& p : t.points) {
            const QPoint at = w->mapTo(m_window, p);
            if (!shown.contains(at)) {
                if (allowed(w, nullptr))
                    continue;
                faults << QStringLiteral("%1: %2 (point %3,%4)")
                              .arg(windowRect.contains(at) ? QStringLiteral("cut off by its frame")
                                                           : QStringLiteral("outside the window"),
                                   describe(w, m_window))
                              .arg(at.x())
                              .arg(at.y());
                continue;
            }
            const QWidget* hit = m_window->childAt(at);
            if (hit == w || (hit && w->isAncestorOf(hit)))
                continue;
            // A control that takes no click is found through: what lies there is its own
            // container, unless something else covers it.
            if (w->testAttribute(Qt::WA_TransparentForMouseEvents) && hit && hit->isAncestorOf(w))
                continue;
            if (allowed(w, hit))
                continue;
            faults << QStringLiteral("covered: %1 lies under %2 (point %3,%4)")
                          .arg(describe(w, m_window), describe(hit, m_window))
                          .arg(at.x())
                          .arg(at.y());
        }
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
