// What the engine tells the user through the program's windows: a page that stopped
// answering, downloads that ended, and the question a site's certificate raises.

#include "frmMain.h"

#include "CorvaneApp.h"
#include "PageTrouble.h"
#include "frmWeb.h"

namespace corvane {

namespace {

// The notice of the window that holds widget's page: a secondary window's own, otherwise
// the main window's.
PageNotice* noticeOf(CorvaneApp& app, QWidget* window)
{
    for (const QPointer<vb::Form>& form : app.rt.forms()) {
        if (!form || !form->isLoaded() || !window || form->window() != window)
            continue;
        if (auto* web = qobject_cast<frmWeb*>(form.data()))
            return &web->PageNoticeBox;
    }
    return app.mainForm && app.mainForm->isLoaded() ? &app.mainForm->PageNoticeBox : nullptr;
}

} // namespace

void frmMain::engineHooksInstall()
{
    const BrowserSet& s = m_app.set;
    PageNoticeBox.pageArea = [&s] { return QRect(s.BrowserLeft, s.BrowserTop, s.BrowserWidth, s.BrowserHeight); };
    if (!runtime().hasWebEngine())
        return;
    vb::WebEngineFactory& engine = runtime().webEngine();
    CorvaneApp& app = m_app;
    engine.tellUser = [&app](QWidget* window, const QString& head, const QString& text) {
        if (PageNotice* notice = noticeOf(app, window))
            notice->show(head, text);
    };
    engine.askCertificate = [&app](const vb::CertificateQuestion& question) { CertificateQuestionTake(app, question); };
}

void frmMain::Browser_PageTrouble(bool isTab, int index)
{
    const vb::WebBrowser* browser = isTab ? BrowserNew.find(index) : WebBrowser.find(index);
    if (browser && browser == currentBrowser())
        PageNoticeBox.tellFailure(*browser);
}

} // namespace corvane
