#pragma once
// What the user is told when a page cannot be shown, stops working or stops answering, or
// when a download ends: a notice over the page that takes no focus. And the question a site
// whose certificate nobody vouches for raises, asked in the program's message dialog; the
// answer holds for that site and that fault until the program ends.

#include "vb/Controls.h"
#include "web/WebBrowser.h"

#include <QPointer>
#include <QRect>
#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace corvane {

class CorvaneApp;

// One site and fault the user is asked about (or told of); every page that met the same
// one meanwhile waits for the same answer.
struct CertificateAsk {
    QString host;
    vb::CertificateProblem problem = vb::CertificateProblem::Other;
    bool overridable = false;
    std::vector<std::function<void(bool goOn)>> answers;
};

struct PageTroubleVars {
    // The first is the one the message dialog asks about (or is about to).
    std::deque<CertificateAsk> certificateAsks;
    // The user's answers of this run: go on (true) or stay, by site and fault.
    std::map<std::pair<QString, int>, bool> certificateAnswers;
};

// The notice of a window: a head, a text, and "Click To Hide". It speaks of one browser
// (or of none, for a download) and goes when another browser is shown.
class PageNotice {
public:
    explicit PageNotice(vb::Container& form);

    vb::Frame FramePageNotice;
    vb::Label LabelPageNotice;
    vb::Label LabelHidePageNotice;

    // Where the page lies in the window (pixels): the notice opens at its top left.
    std::function<QRect()> pageArea;

    void show(const QString& head, const QString& text, const vb::WebBrowser* about = nullptr);
    void hide();
    bool isShown() const { return FramePageNotice.isVisible(); }
    QString text() const { return m_text; }
    const vb::WebBrowser* about() const { return m_about.data(); }
    // The browser on screen now: a notice about another one goes.
    void follow(const vb::WebBrowser* shown);
    // What a page's browser tells when its load failed or its renderer ended or stopped
    // answering (failure() of the browser); None hides a notice about it.
    void tellFailure(const vb::WebBrowser& browser);

private:
    QPointer<const vb::WebBrowser> m_about;
    QString m_text;
};

// The plain words for why a page failed.
QString PageFailureReason(vb::PageFailure failure);
QString PageFailureHead(vb::PageFailure failure);
QString PageFailureText(vb::PageFailure failure, const QString& address);
QString CertificateProblemText(vb::CertificateProblem problem);

// A certificate error of a page: answered at once when the user answered it before this
// run, otherwise asked (or told) once the engine's call has returned.
void CertificateQuestionTake(CorvaneApp& app, const vb::CertificateQuestion& question);
// The message dialog's follow-up for the question asked first.
void CertificateQuestionAnswered(CorvaneApp& app, bool goOn);
// The message rows of the question asked first, none while nothing is asked.
bool CertificateQuestionPending(const CorvaneApp& app);
QString CertificateQuestionId(const CorvaneApp& app);
QString CertificateQuestionBody(const CorvaneApp& app);

} // namespace corvane
