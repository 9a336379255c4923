#include "PageTrouble.h"

#include "ControlMessage.h"
#include "CorvaneApp.h"

#include "vb/Design.h"

#include <QFontMetrics>
#include <QTimer>

#include <algorithm>

namespace corvane {

namespace {

const QString CRLF = QStringLiteral("\r\n");
// The notice's width and inner margins (pixels; the labels inside are placed in twips).
constexpr int NoticeWidth = 460;
constexpr int NoticeMargin = 8;
constexpr int NoticeTopRoom = 20;

std::pair<QString, int> keyOf(const QString& host, vb::CertificateProblem problem)
{
    return {host, int(problem)};
}

// The next question waits until the dialog that answered this one has gone.
void askFirst(CorvaneApp& app)
{
    if (!CertificateQuestionPending(app))
        return;
    app.msg.MessageId = CertificateQuestionId(app);
    MessageShow(app);
}

// An address is one long word: it may break after its separators, and nowhere else.
QString breakable(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (const QChar c : text) {
        out += c;
        if (c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('?') || c == QLatin1Char('&')
            || c == QLatin1Char('=') || c == QLatin1Char('-') || c == QLatin1Char('_'))
            out += QChar(0x200B);
    }
    return out;
}

QString pageName(const QString& address)
{
    return address.isEmpty() ? QStringLiteral("This page") : QStringLiteral("The page ") + address;
}

} // namespace

PageNotice::PageNotice(vb::Container& form)
    : FramePageNotice(form), LabelPageNotice(FramePageNotice), LabelHidePageNotice(FramePageNotice)
{
    FramePageNotice.setBackColor(vb::colors::Notice);
    FramePageNotice.setFontBold(true);
    FramePageNotice.setVisible(false);
    for (vb::Label* label : {&LabelPageNotice, &LabelHidePageNotice}) {
        label->setBackStyle(0);
        label->setFontSize(8);
        label->setForeColor(vb::colors::Text);
    }
    LabelHidePageNotice.setCaption(QStringLiteral("Click To Hide"));
    LabelHidePageNotice.setAlignment(2);
    FramePageNotice.onClick = [this] { hide(); };
    LabelPageNotice.onClick = [this] { hide(); };
    LabelHidePageNotice.onClick = [this] { hide(); };
}

void PageNotice::show(const QString& head, const QString& text, const vb::WebBrowser* about)
{
    m_about = about;
    const QRect area = pageArea ? pageArea() : QRect(0, 0, NoticeWidth + 2 * NoticeMargin, 0);
    const int width = std::max(160, std::min(NoticeWidth, area.width() - 2 * NoticeMargin));
    const int textWidth = width - 16;
    m_text = text;
    FramePageNotice.setCaption(head);
    const QString shown = breakable(text);
    LabelPageNotice.setCaption(shown);
    // As tall as the text needs, whatever the font.
    const QFontMetrics metrics(LabelPageNotice.widget()->font());
    const int textHeight = metrics.boundingRect(QRect(0, 0, textWidth, 10000), Qt::TextWordWrap, shown).height() + 4;
    const int hideHeight = metrics.height() + 4;
    const int tw = vb::TwipsPerPixel;
    LabelPageNotice.move(8 * tw, NoticeTopRoom * tw, textWidth * tw, textHeight * tw);
    LabelHidePageNotice.move(8 * tw, (NoticeTopRoom + textHeight + 2) * tw, textWidth * tw, hideHeight * tw);
    FramePageNotice.move(area.left() + NoticeMargin, area.top() + NoticeMargin, width,
                         NoticeTopRoom + textHeight + hideHeight + 10);
    FramePageNotice.setVisible(true);
    FramePageNotice.zOrder(0);
}

void PageNotice::hide()
{
    FramePageNotice.setVisible(false);
    m_about = nullptr;
}

void PageNotice::follow(const vb::WebBrowser* shown)
{
    if (isShown() && m_about && m_about.data() != shown)
        hide();
}

void PageNotice::tellFailure(const vb::WebBrowser& browser)
{
    const vb::PageFailure failure = browser.failure();
    if (failure == vb::PageFailure::None) {
        if (m_about == &browser)
            hide();
        return;
    }
    show(PageFailureHead(failure), PageFailureText(failure, browser.failedAddress()), &browser);
}

QString PageFailureReason(vb::PageFailure failure)
{
    switch (failure) {
    case vb::PageFailure::ServerNotFound:
        return QStringLiteral("cannot find the server");
    case vb::PageFailure::ConnectionRefused:
        return QStringLiteral("the connection was refused");
    case vb::PageFailure::NoAnswer:
        return QStringLiteral("the server did not answer");
    case vb::PageFailure::ConnectionCut:
        return QStringLiteral("the connection was cut");
    case vb::PageFailure::CertificateRefused:
        return QStringLiteral("the certificate was not accepted");
    case vb::PageFailure::BadAddress:
        return QStringLiteral("the address is not valid");
    case vb::PageFailure::FileNotFound:
        return QStringLiteral("the file was not found");
    case vb::PageFailure::NoNetwork:
        return QStringLiteral("there is no network connection");
    case vb::PageFailure::RendererCrashed:
        return QStringLiteral("it crashed");
    case vb::PageFailure::RendererKilled:
        return QStringLiteral("it was ended by the system, perhaps because memory ran short");
    case vb::PageFailure::OutOfMemory:
        return QStringLiteral("it ran out of memory");
    case vb::PageFailure::NotAnswering:
        return QStringLiteral("it does not answer");
    case vb::PageFailure::LocalPageRefused:
        // The page that opened the window could read what it shows: the user opens it himself.
        return QStringLiteral("a page on this computer may not open another one in a new window. "
                              "Type its address into the location box to open it");
    case vb::PageFailure::None:
    case vb::PageFailure::Other:
        break;
    }
    return QStringLiteral("the page could not be loaded");
}

QString PageFailureHead(vb::PageFailure failure)
{
    switch (failure) {
    case vb::PageFailure::RendererCrashed:
    case vb::PageFailure::RendererKilled:
        return QStringLiteral("Page Stopped Working");
    case vb::PageFailure::NotAnswering:
        return QStringLiteral("Page Not Answering");
    default:
        return QStringLiteral("Page Not Opened");
    }
}

QString PageFailureText(vb::PageFailure failure, const QString& address)
{
    switch (failure) {
    case vb::PageFailure::RendererCrashed:
    case vb::PageFailure::RendererKilled:
        return pageName(address) + QStringLiteral(" stopped working: ") + PageFailureReason(failure) +
               QStringLiteral(". Click Refresh to load it again.");
    case vb::PageFailure::NotAnswering:
        return pageName(address) + QStringLiteral(" does not answer. Click Refresh to end it and load it again.");
    default:
        return QStringLiteral("Could not open ") + address + QStringLiteral(": ") + PageFailureReason(failure) +
               QStringLiteral(".");
    }
}

QString CertificateProblemText(vb::CertificateProblem problem)
{
    switch (problem) {
    case vb::CertificateProblem::UnknownIssuer:
        return QStringLiteral("no known authority vouches for it (it may have made its certificate itself)");
    case vb::CertificateProblem::WrongName:
        return QStringLiteral("the certificate was made for another site");
    case vb::CertificateProblem::Expired:
        return QStringLiteral("the certificate has expired or is not valid yet");
    case vb::CertificateProblem::Revoked:
        return QStringLiteral("the certificate was withdrawn by the one who issued it");
    case vb::CertificateProblem::Invalid:
        return QStringLiteral("the certificate is damaged or not valid");
    case vb::CertificateProblem::Weak:
        return QStringLiteral("the certificate's protection is too weak");
    case vb::CertificateProblem::Other:
        break;
    }
    return QStringLiteral("the certificate cannot be checked");
}

void CertificateQuestionTake(CorvaneApp& app, const vb::CertificateQuestion& question)
{
    PageTroubleVars& t = app.trouble;
    if (question.overridable) {
        const auto known = t.certificateAnswers.find(keyOf(question.host, question.problem));
        if (known != t.certificateAnswers.end()) {
            if (question.answer)
                question.answer(known->second);
            return;
        }
    }
    // Pages that meet the same site and fault while it is asked about share the answer.
    for (CertificateAsk& ask : t.certificateAsks) {
        if (ask.host == question.host && ask.problem == question.problem && ask.overridable == question.overridable) {
            if (question.answer)
                ask.answers.push_back(question.answer);
            return;
        }
    }
    CertificateAsk ask{question.host, question.problem, question.overridable, {}};
    if (question.answer)
        ask.answers.push_back(question.answer);
    t.certificateAsks.push_back(std::move(ask));
    if (t.certificateAsks.size() == 1)
        askFirst(app);
}

void CertificateQuestionAnswered(CorvaneApp& app, bool goOn)
{
    PageTroubleVars& t = app.trouble;
    if (t.certificateAsks.empty())
        return;
    const CertificateAsk ask = std::move(t.certificateAsks.front());
    t.certificateAsks.pop_front();
    const bool accepted = goOn && ask.overridable;
    if (ask.overridable)
        t.certificateAnswers[keyOf(ask.host, ask.problem)] = accepted;
    for (const auto& answer : ask.answers)
        answer(accepted);
    if (!t.certificateAsks.empty())
        QTimer::singleShot(0, &app.rt, [&app] { askFirst(app); });
}

bool CertificateQuestionPending(const CorvaneApp& app)
{
    return !app.trouble.certificateAsks.empty();
}

QString CertificateQuestionId(const CorvaneApp& app)
{
    if (app.trouble.certificateAsks.empty())
        return {};
    return app.trouble.certificateAsks.front().overridable ? QStringLiteral("MessageCertificateAsk")
                                                           : QStringLiteral("MessageCertificateRefused");
}

QString CertificateQuestionBody(const CorvaneApp& app)
{
    if (app.trouble.certificateAsks.empty())
        return {};
    const CertificateAsk& ask = app.trouble.certificateAsks.front();
    const QString fault = QStringLiteral("The site ") + ask.host + QStringLiteral(" offers a certificate that cannot be trusted: ") +
                          CertificateProblemText(ask.problem) + QStringLiteral(".");
    if (!ask.overridable)
        return fault + CRLF + CRLF +
               QStringLiteral("This site allows no exception, so its page was not opened.");
    return fault + CRLF + CRLF + QStringLiteral("Someone may be posing as this site. Go on to this page anyway?") + CRLF + CRLF +
           QStringLiteral("Yes: go on to the page (your answer holds until ") + app.prog.ProgramName +
           QStringLiteral(" closes).") + CRLF + QStringLiteral("No: stay on the page you are on.");
}

} // namespace corvane
