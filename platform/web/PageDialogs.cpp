#include "web/PageDialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace vb {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("vb::PageDialog", text);
}

QString shownText(const PageQuestion& question)
{
    if (question.kind == PageQuestion::Kind::Leave)
        return translated("Leave this page? Changes you made on it may not be saved.");
    // A page may pass megabytes: the dialog keeps to what a person reads.
    if (question.text.size() <= PageDialog::MaxTextLength)
        return question.text;
    return question.text.left(PageDialog::MaxTextLength) + QChar(0x2026);
}

QDialogButtonBox* buttonsFor(PageQuestion::Kind kind)
{
    auto* buttons = new QDialogButtonBox;
    switch (kind) {
    case PageQuestion::Kind::Alert:
        buttons->addButton(QDialogButtonBox::Ok);
        break;
    case PageQuestion::Kind::Confirm:
    case PageQuestion::Kind::Prompt:
        buttons->addButton(QDialogButtonBox::Ok);
        buttons->addButton(QDialogButtonBox::Cancel);
        break;
    case PageQuestion::Kind::Leave:
        buttons->addButton(translated("Leave"), QDialogButtonBox::AcceptRole);
        buttons->addButton(translated("Stay"), QDialogButtonBox::RejectRole);
        break;
    }
    return buttons;
}

} // namespace

QString pageSite(const QUrl& origin)
{
    if (origin.isLocalFile() || origin.host().isEmpty())
        return {};
    return origin.port() < 0 ? origin.host() : origin.host() + QLatin1Char(':') + QString::number(origin.port());
}

PageAnswer answerWithoutAsking(PageQuestion::Kind kind)
{
    PageAnswer answer;
    answer.accepted = kind == PageQuestion::Kind::Leave;
    return answer;
}

void PageDialogRule::dialogEnded(qint64 nowMs, const PageAnswer& answer)
{
    m_lastEndedMs = nowMs;
    m_stopped = m_stopped || answer.stopAsked;
}

PageDialog::PageDialog(const PageQuestion& question, bool offerStop, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("pageDialog"));
    // Wide enough for a title that names the site.
    setMinimumWidth(360);
    setWindowTitle(question.site.isEmpty() ? translated("Message from a page on this computer")
                                           : translated("Message from %1").arg(question.site));
    const bool informs = question.kind == PageQuestion::Kind::Alert;
    auto* icon = new QLabel;
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(informs ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxQuestion,
                                       nullptr, this)
                        .pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    // The page's own words: shown as the text they are, never as markup.
    auto* text = new QLabel(shownText(question));
    text->setObjectName(QStringLiteral("text"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* words = new QVBoxLayout;
    words->addWidget(text);
    if (question.kind == PageQuestion::Kind::Prompt) {
        m_value = new QLineEdit(question.value);
        m_value->setObjectName(QStringLiteral("value"));
        m_value->selectAll();
        words->addWidget(m_value);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(words, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    if (offerStop) {
        m_stop = new QCheckBox(translated("&Stop this page's dialogs"));
        m_stop->setObjectName(QStringLiteral("stopDialogs"));
        layout->addWidget(m_stop);
    }
    QDialogButtonBox* buttons = buttonsFor(question.kind);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    if (m_value)
        m_value->setFocus();
    // Enter answers OK (Leave) wherever the focus is, as in a message box.
    for (QAbstractButton* button : buttons->buttons())
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            if (auto* push = qobject_cast<QPushButton*>(button))
                push->setDefault(true);
            if (!m_value)
                button->setFocus();
        }
}

void PageDialog::done(int result)
{
    // The box's shortcut (Alt+S) ticks it only as its press ends, a tenth of a second
    // later, and a press ends unfinished when the dialog goes: a box still pressed counts
    // as what it was turning into.
    m_stopAsked = m_stop && m_stop->isChecked() != m_stop->isDown();
    QDialog::done(result);
}

PageAnswer PageDialog::answer() const
{
    PageAnswer a;
    a.accepted = result() == QDialog::Accepted;
    if (m_value && a.accepted)
        a.value = m_value->text();
    a.stopAsked = m_stopAsked;
    return a;
}

} // namespace vb
