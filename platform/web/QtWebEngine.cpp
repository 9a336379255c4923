#include "web/QtWebEngine.h"

#include "vb/Form.h"
#include "web/FreedMemoryRelease.h"
#include "vb/Runtime.h"
#include "web/WebDialogs.h"
#include "web/LocalPages.h"
#include "web/WebDownloads.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPixmapCache>
#include <QPrintDialog>
#include <QPrinter>
#include <QQuickWidget>
#include <QTimer>
#include <QWebEngineCertificateError>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QUuid>
#include <QtGlobal>

#include <algorithm>
#include <exception>
#include <malloc.h>
#include <optional>
#include <signal.h>
#include <utility>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace vb {

class QtWebEngine;

namespace {

constexpr int MmapThresholdBytes = 16 * 1024 * 1024;

// Only decides: every navigation is accepted, new windows are the engine's business, and
// the page's dialogs are asked in the program's own dialog (or through the factory when a
// test answers them there).
class Page : public QWebEnginePage {
public:
    Page(QWebEngineProfile* profile, QtWebEngine* engine, QObject* parent)
        : QWebEnginePage(profile, parent), m_engine(engine), m_localRule(new LocalPageRule(this))
    {
        m_clock.start();
        setUrlRequestInterceptor(m_localRule);
    }

    // The engine goes before its page (the view is deleted later).
    void detach() { m_engine = nullptr; }

    // A dialog of this page waits for its answer, inside the page's own call.
    bool inDialog() const { return m_dialogDepth > 0; }
    // The open dialogs are answered as cancelled: their calls return.
    void closeDialogs();
    // The user takes the page elsewhere: its open dialogs close, and it may ask again.
    void leftByUser();
    // Runs work once no dialog of this page waits on the stack any more.
    void afterDialogs(std::function<void()> work) { m_afterDialogs = std::move(work); }
    // A page on this computer opened this page's window: it may not bring another local
    // page into it.
    void setOpenedByLocalPage(bool opened) { m_openedByLocalPage = opened; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& origin, const QString& text) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& text) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& text, const QString& value, QString* result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles, const QStringList& types) override;

private:
    const QtWebEngineFactory* factory() const;
    PageAnswer ask(const PageQuestion& question);
    PageAnswer askInDialog(const PageQuestion& question, bool offerStop);

    QtWebEngine* m_engine;
    LocalPageRule* m_localRule;
    bool m_openedByLocalPage = false;
    PageDialogRule m_dialogRule;
    QElapsedTimer m_clock;
    int m_dialogDepth = 0;
    std::vector<QPointer<PageDialog>> m_openDialogs;
    std::function<void()> m_afterDialogs;
};

} // namespace

// Turns the page's signals into the control's events, in the order of one navigation:
// BeforeNavigate2, DownloadBegin, ProgressChange, NavigateComplete2, NavigateError,
// DownloadComplete.
class QtWebEngine : public QObject, public WebEngine {
public:
    QtWebEngine(QtWebEngineFactory& factory, WebBrowser& control, QWidget* parent);
    ~QtWebEngine() override;

    QWidget* view() override { return m_view; }
    void navigate(const QString& address) override;
    bool goBack() override;
    bool goForward() override;
    bool canGoBack() const override;
    bool canGoForward() const override;
    void refresh() override;
    void stop() override;
    void print(bool promptUser) override;
    void saveAs(bool promptUser) override;

    QWebEnginePage* page() const { return m_page; }
    bool isLoading() const { return m_loading || m_requested || m_navigating; }
    void fileDownloadStarted();
    const QtWebEngineFactory* factory() const { return m_factory; }
    QWidget* dialogParent() const;
    Runtime& runtime() const { return m_control.form().runtime(); }
    // The factory goes first (at the end of the program): the view goes with it.
    void detachFromFactory();

    void navigationRequested(QWebEnginePage::NavigationType type, bool isMainFrame);
    // A navigation that cannot even start: it fails as failure, once the caller has
    // returned.
    void failLater(PageFailure failure, const QString& address);
    // The page refused to go to url: the load the engine makes of the window instead ends
    // as a failure, and url is never shown as the page's address.
    void navigationRefused(const QUrl& url);
    QWebEnginePage* windowRequested();
    // Whether the page would get no new window now (asked before its window.open() runs).
    bool newWindowRefused();
    // Looks whether the page's renderer still answers (a timer of the factory calls it).
    void checkLiveness();
    // Something may go wrong now (a load, the user's input, a probe out), so the renderer
    // is looked at; an idle page is left alone.
    bool wantsLiveness() const;
    // Readies this engine's page to take the contents of a window another page opens.
    void prepareForNewWindow();

private:
    void loadingChanged(const QWebEngineLoadingInfo& info);
    void loadStarted();
    void loadEnded(const QWebEngineLoadingInfo& info);
    void progressChanged(int progress);
    void urlChanged(const QUrl& url);
    void commit(const QString& address);
    void sameDocument(const QString& address);
    // The renderer of the page died: the page failed, and what was loading has ended.
    void rendererGone(QWebEnginePage::RenderProcessTerminationStatus status);
    void probeAnswered(int probe);
    void sendProbe();
    void forgetProbe();
    // A renderer that does not answer lets no new page in: it is ended first, then what
    // the user asked for (a reload, a new address) runs.
    bool endHungRenderer(std::function<void()> then);
    void certificateError(QWebEngineCertificateError error);
    // The user's clicks and keys on the page: a page may stop answering right after one.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void watchInput();
    void credentialsRequired(const QUrl& url, QAuthenticator* authenticator, const QString& proxy);
    // Calls into the control as one engine callback; false when the engine went meanwhile.
    bool call(const std::function<void()>& f);
    // Dialogs never open inside an engine callback: they wait until it has returned.
    void outsideCallback(std::function<void()> work);
    void printFinished();

    QtWebEngineFactory* m_factory;
    WebBrowser& m_control;
    QPointer<QWebEngineView> m_view;
    QPointer<Page> m_page;
    bool m_navigating = false; // navigate() asked for a load the engine has not reported yet
    bool m_requested = false;  // a main-frame navigation was accepted, its load not yet begun
    bool m_loading = false;    // DownloadBegin raised, DownloadComplete not yet
    bool m_committed = false;  // NavigateComplete2 raised during this load
    QString m_committedAddress;
    bool m_hasEarlyCommit = false;  // an address that arrived before the load began
    QString m_earlyCommit;
    int m_earlyProgress = -1;
    bool m_printing = false;
    QString m_refusedAddress; // an address the page refused to go to, while that is under way
    // The liveness probe: the renderer's processor time at the last look, the probe out
    // (its number and age), and whether the user was told that the page does not answer.
    qint64 m_rendererTicks = -1;
    int m_probe = 0;
    bool m_probing = false;
    QElapsedTimer m_probeAge;
    bool m_notAnswering = false;
    bool m_inputProbePending = false;
    static constexpr int InputProbeDelayMs = 300;
    std::function<void()> m_afterRendererEnds;
    struct PendingSave {
        QString path;
        QWebEngineDownloadRequest::SavePageFormat format;
    };
    std::optional<PendingSave> m_pendingSave;
};

namespace {

QString addressOf(const QUrl& url)
{
    return url.toString(QUrl::FullyEncoded);
}

bool sameSite(const QUrl& a, const QUrl& b)
{
    return a.scheme() == b.scheme() && a.host() == b.host() && a.port() == b.port();
}

// What the engine's error code of a failed load means to the user.
PageFailure failureOf(const QWebEngineLoadingInfo& info)
{
    switch (info.errorCode()) {
    case -3: // aborted: the user stopped it or went elsewhere
        return PageFailure::None;
    case -6:
        return PageFailure::FileNotFound;
    case -7: case -118: case -324: case -109:
        return PageFailure::NoAnswer;
    case -100: case -101: case -103:
        return PageFailure::ConnectionCut;
    case -102:
        return PageFailure::ConnectionRefused;
    case -105: case -137:
        return PageFailure::ServerNotFound;
    case -106:
        return PageFailure::NoNetwork;
    case -300: case -301: case -302:
        return PageFailure::BadAddress;
    default:
        break;
    }
    switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::CertificateErrorDomain:
        return PageFailure::CertificateRefused;
    case QWebEngineLoadingInfo::DnsErrorDomain:
        return PageFailure::ServerNotFound;
    default:
        return PageFailure::Other;
    }
}

CertificateProblem problemOf(QWebEngineCertificateError::Type type)
{
    switch (type) {
    case QWebEngineCertificateError::CertificateAuthorityInvalid:
        return CertificateProblem::UnknownIssuer;
    case QWebEngineCertificateError::CertificateCommonNameInvalid:
    case QWebEngineCertificateError::CertificateNonUniqueName:
    case QWebEngineCertificateError::CertificateNameConstraintViolation:
        return CertificateProblem::WrongName;
    case QWebEngineCertificateError::CertificateDateInvalid:
    case QWebEngineCertificateError::CertificateValidityTooLong:
        return CertificateProblem::Expired;
    case QWebEngineCertificateError::CertificateRevoked:
        return CertificateProblem::Revoked;
    case QWebEngineCertificateError::CertificateWeakSignatureAlgorithm:
    case QWebEngineCertificateError::CertificateWeakKey:
    case QWebEngineCertificateError::SslObsoleteVersion:
        return CertificateProblem::Weak;
    case QWebEngineCertificateError::CertificateInvalid:
    case QWebEngineCertificateError::CertificateContainsErrors:
        return CertificateProblem::Invalid;
    default:
        return CertificateProblem::Other;
    }
}

// Processor time the process has used, in clock ticks; -1 when it cannot be read.
qint64 processorTicks(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The name in parentheses may hold blanks: the fields are counted after it.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // utime and stime are fields 14 and 15 of the whole line, 12 and 13 after the name.
    if (fields.size() < 13)
        return -1;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

bool Page::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    // A page that goes to another site leaves its dialogs behind; one that reloads itself or
    // moves within its site does not.
    if (isMainFrame && !sameSite(url, this->url()))
        m_dialogRule.pageLeft();
    if (isMainFrame && !localWindowAllowed(url, m_openedByLocalPage)) {
        if (m_engine)
            m_engine->navigationRefused(url);
        return false;
    }
    if (m_engine)
        m_engine->navigationRequested(type, isMainFrame);
    return true;
}

QWebEnginePage* Page::createWindow(WebWindowType)
{
    // nullptr: Qt then offers the request through newWindowRequested, which nobody takes.
    QWebEnginePage* created = m_engine ? m_engine->windowRequested() : nullptr;
    if (auto* page = dynamic_cast<Page*>(created))
        page->setOpenedByLocalPage(url().isLocalFile());
    return created;
}

const QtWebEngineFactory* Page::factory() const
{
    return m_engine ? m_engine->factory() : nullptr;
}

void Page::javaScriptAlert(const QUrl& origin, const QString& text)
{
    ask({PageQuestion::Kind::Alert, pageSite(origin), text, {}});
}

bool Page::javaScriptConfirm(const QUrl& origin, const QString& text)
{
    // The engine asks its "leave this page?" question as a confirm, in Qt's own words.
    static const char* const leaveText =
        "Are you sure you want to leave this page? Changes that you made may not be saved.";
    const bool leave = text == QCoreApplication::translate("QWebEnginePage", leaveText);
    return ask({leave ? PageQuestion::Kind::Leave : PageQuestion::Kind::Confirm, pageSite(origin), text, {}}).accepted;
}

bool Page::javaScriptPrompt(const QUrl& origin, const QString& text, const QString& value, QString* result)
{
    // Not the page's own question: its window.open() asks whether a window would open. It
    // is no dialog of the page, and never stopped.
    if (const QtWebEngineFactory* f = factory(); f && text == f->windowQuestion()) {
        if (result)
            *result = m_engine && m_engine->newWindowRefused() ? u"0"_s : u"1"_s;
        return true;
    }
    const PageAnswer answer = ask({PageQuestion::Kind::Prompt, pageSite(origin), text, value});
    if (answer.accepted && result)
        *result = answer.value;
    return answer.accepted;
}

PageAnswer Page::ask(const PageQuestion& question)
{
    // A page whose window has closed (it goes once the call below it on the stack has
    // returned) asks nothing any more.
    const QWidget* window = m_engine ? m_engine->dialogParent() : nullptr;
    if (!window || !window->isVisible() || m_engine->runtime().ending() || m_dialogRule.stopped())
        return answerWithoutAsking(question.kind);
    const bool offerStop = m_dialogRule.offersStop(m_clock.elapsed());
    const QtWebEngineFactory* f = factory();
    ++m_dialogDepth;
    const PageAnswer answer = f && f->answerPage ? f->answerPage(question, offerStop) : askInDialog(question, offerStop);
    m_dialogRule.dialogEnded(m_clock.elapsed(), answer);
    if (--m_dialogDepth == 0 && m_afterDialogs)
        std::exchange(m_afterDialogs, nullptr)();
    return answer;
}

PageAnswer Page::askInDialog(const PageQuestion& question, bool offerStop)
{
    // The engine waits for the answer inside this call: the page's script is paused until
    // it returns, and the public interface has no way to answer later. So the dialog runs
    // its own event loop here, as Qt's own page dialogs do; the rest of the program keeps
    // running meanwhile. That is safe because nothing of this call's stack goes while it
    // waits: the dialog is not modal (the page's window can still be closed, the program
    // ended), a closing tab or window keeps this page and its view until the call has
    // returned (afterDialogs), and the program's end leaves this loop before it deletes
    // anything.
    QPointer<PageDialog> dialog = new PageDialog(question, offerStop, m_engine->dialogParent());
    m_openDialogs.emplace_back(dialog);
    QEventLoop loop;
    connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    loop.exec(QEventLoop::DialogExec);
    std::erase_if(m_openDialogs, [&](const QPointer<PageDialog>& d) { return d.isNull() || d == dialog; });
    const PageAnswer answer = dialog ? dialog->answer() : PageAnswer{};
    delete dialog;
    return answer;
}

void Page::closeDialogs()
{
    for (const QPointer<PageDialog>& dialog : std::vector<QPointer<PageDialog>>(m_openDialogs))
        if (dialog)
            dialog->reject();
}

void Page::leftByUser()
{
    closeDialogs();
    m_dialogRule.pageLeft();
    setOpenedByLocalPage(false);
}

QStringList Page::chooseFiles(FileSelectionMode mode, const QStringList&, const QStringList&)
{
    // The dialog opens in the user's folder (Qt's own would open in the program's folder).
    const QString folder = mode == FileSelectSave ? webdialogs::saveFolder() : webdialogs::openFolder();
    if (const QtWebEngineFactory* f = factory(); f && f->askFiles)
        return f->askFiles(mode, folder);
    QWidget* parent = m_engine ? m_engine->dialogParent() : nullptr;
    switch (mode) {
    case FileSelectOpenMultiple:
        return webdialogs::askOpenFiles(parent, webdialogs::Pick::Files, folder);
    case FileSelectUploadFolder:
        return webdialogs::askOpenFiles(parent, webdialogs::Pick::Folder, folder);
    case FileSelectSave: {
        const QString chosen = webdialogs::askSaveFile(parent, QCoreApplication::translate("vb::WebBrowser", "Save File"),
                                                       folder);
        return chosen.isEmpty() ? QStringList() : QStringList(chosen);
    }
    case FileSelectOpen:
        break;
    }
    return webdialogs::askOpenFiles(parent, webdialogs::Pick::File, folder);
}

} // namespace

QtWebEngine::QtWebEngine(QtWebEngineFactory& factory, WebBrowser& control, QWidget* parent)
    : m_factory(&factory), m_control(control)
{
    m_view = new QWebEngineView(parent);
    m_page = new Page(factory.profile(), this, m_view);
    m_view->setPage(m_page);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &QtWebEngine::loadingChanged);
    connect(m_page, &QWebEnginePage::loadProgress, this, &QtWebEngine::progressChanged);
    connect(m_page, &QWebEnginePage::urlChanged, this, &QtWebEngine::urlChanged);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) { rendererGone(status); });
    connect(m_page, &QWebEnginePage::renderProcessPidChanged, this, [this] { forgetProbe(); });
    connect(m_page, &QWebEnginePage::authenticationRequired, this,
            [this](const QUrl& url, QAuthenticator* authenticator) { credentialsRequired(url, authenticator, {}); });
    connect(m_page, &QWebEnginePage::proxyAuthenticationRequired, this, &QtWebEngine::credentialsRequired);
    connect(m_page, &QWebEnginePage::certificateError, this, &QtWebEngine::certificateError);
    // The camera, the microphone, the location, notifications and the like are refused
    // without asking.
    connect(m_page, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, QWebEnginePage::Feature feature) {
                if (m_page)
                    m_page->setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
            });
    factory.engineCreated(this, m_view);
}

QtWebEngine::~QtWebEngine()
{
    if (m_factory)
        m_factory->engineDestroyed(this);
    if (m_page) {
        m_page->detach();
        m_page->disconnect(this);
    }
    // The page may be inside one of its own signals right now (a handler that unloads the
    // form): the view and its page go once control is back in the event loop.
    if (!m_view)
        return;
    m_view->hide();
    m_view->setParent(nullptr);
    // A print still running uses the view's printer from another thread: the view and the
    // printer wait for its end.
    auto release = [view = m_view, page = QPointer<QWebEnginePage>(m_page.data()), printing = m_printing] {
        if (!view)
            return;
        if (!printing) {
            view->deleteLater();
            return;
        }
        connect(view, &QWebEngineView::printFinished, view, [view] { view->deleteLater(); });
        if (page)
            connect(page, &QWebEnginePage::pdfPrintingFinished, view, [view] { view->deleteLater(); });
    };
    // A dialog of the page waits for its answer inside the page's own call, further down
    // the stack: it is answered now, and the page stays until that call has returned.
    if (m_page && m_page->inDialog()) {
        m_page->afterDialogs(release);
        m_page->closeDialogs();
    } else {
        release();
    }
}

void QtWebEngine::detachFromFactory()
{
    m_factory = nullptr;
    if (m_page)
        m_page->detach();
    delete m_view;
}

void QtWebEngine::navigate(const QString& address)
{
    if (!m_page)
        return;
    const QUrl url = QUrl::fromUserInput(address);
    // An address the engine cannot even start to load ("http://" alone) would report
    // nothing at all; it fails like an unreachable page instead, after this call returns.
    const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (!url.isValid() || url.isEmpty() || (web && url.host().isEmpty())) {
        failLater(PageFailure::BadAddress, address);
        return;
    }
    if (endHungRenderer([this, address] { navigate(address); }))
        return;
    m_navigating = true;
    m_page->leftByUser();
    m_page->load(url);
    if (m_factory)
        m_factory->livenessWanted();
}

void QtWebEngine::failLater(PageFailure failure, const QString& address)
{
    QTimer::singleShot(0, this, [this, failure, address] {
        if (call([this, failure, address] { m_control.engineNavigateError(failure, address); }))
            call([this] { m_control.engineDownloadComplete(); });
    });
}

void QtWebEngine::navigationRefused(const QUrl& url)
{
    m_refusedAddress = addressOf(url);
    // A page already on screen that refuses makes no load at all: the failure is told here.
    QTimer::singleShot(0, this, [this] {
        if (m_refusedAddress.isEmpty() || m_loading || m_requested)
            return;
        failLater(PageFailure::LocalPageRefused, std::exchange(m_refusedAddress, QString()));
    });
}

bool QtWebEngine::goBack()
{
    if (!m_page || !m_page->history()->canGoBack())
        return false;
    m_page->leftByUser();
    m_page->triggerAction(QWebEnginePage::Back);
    return true;
}

bool QtWebEngine::goForward()
{
    if (!m_page || !m_page->history()->canGoForward())
        return false;
    m_page->leftByUser();
    m_page->triggerAction(QWebEnginePage::Forward);
    return true;
}

bool QtWebEngine::canGoBack() const
{
    return m_page && m_page->history()->canGoBack();
}

bool QtWebEngine::canGoForward() const
{
    return m_page && m_page->history()->canGoForward();
}

void QtWebEngine::refresh()
{
    if (!m_page || endHungRenderer([this] { refresh(); }))
        return;
    m_page->leftByUser();
    m_page->triggerAction(QWebEnginePage::Reload);
}

void QtWebEngine::stop()
{
    if (!m_page)
        return;
    m_page->triggerAction(QWebEnginePage::Stop);
    if (m_loading || (!m_navigating && !m_requested))
        return;
    // A load stopped before it began reports nothing at all: it ends here, so that whoever
    // waits for its end is not left waiting.
    QTimer::singleShot(0, this, [this] {
        if (m_loading || (!m_navigating && !m_requested))
            return;
        m_navigating = false;
        m_requested = false;
        m_hasEarlyCommit = false;
        m_earlyProgress = -1;
        call([this] { m_control.engineDownloadComplete(); });
    });
}

QWidget* QtWebEngine::dialogParent() const
{
    return m_view ? m_view->window() : nullptr;
}

void QtWebEngine::outsideCallback(std::function<void()> work)
{
    Runtime& rt = m_control.form().runtime();
    if (rt.inEngineCallback())
        rt.afterEngineCallback(std::move(work));
    else
        work();
}

void QtWebEngine::print(bool promptUser)
{
    QPointer<QtWebEngine> self(this);
    outsideCallback([self, promptUser] {
        if (!self || !self->m_view || self->m_printing)
            return;
        // The view prints asynchronously: the printer lives until it says it has finished,
        // or until the view itself goes.
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        if (promptUser) {
            bool accepted = false;
            if (self->m_factory && self->m_factory->askPrinter) {
                accepted = self->m_factory->askPrinter(*printer);
            } else {
                QPrintDialog dialog(printer.get(), self->dialogParent());
                accepted = dialog.exec() == QDialog::Accepted;
            }
            if (!accepted || !self || !self->m_view)
                return;
        }
        // Printed to a file, the page keeps its text as text; the view's print would make a
        // picture of every sheet.
        self->m_printing = true;
        if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty() && self->m_page) {
            connect(
                self->m_page, &QWebEnginePage::pdfPrintingFinished, self->m_view,
                [self](const QString&, bool) {
                    if (self)
                        self->printFinished();
                },
                Qt::SingleShotConnection);
            self->m_page->printToPdf(printer->outputFileName(), printer->pageLayout(), printer->pageRanges());
            return;
        }
        connect(
            self->m_view, &QWebEngineView::printFinished, self->m_view,
            [self, printer](bool) {
                if (self)
                    self->printFinished();
            },
            Qt::SingleShotConnection);
        self->m_view->print(printer.get());
    });
}

void QtWebEngine::saveAs(bool promptUser)
{
    // Without a prompt there is nowhere to save to.
    if (!promptUser)
        return;
    QPointer<QtWebEngine> self(this);
    outsideCallback([self] {
        if (!self || !self->m_page)
            return;
        QString path;
        auto format = QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
        // The dialog opens in the user's folder, never in the program's own.
        // A page without a title of its own is named by its address.
        const QUrl url = self->m_page->url();
        QString title = self->m_page->title();
        if (title.isEmpty() || url.toString().endsWith(title))
            title = QFileInfo(url.path()).completeBaseName();
        QString name = webdialogs::fileNameFrom(title, u"page"_s);
        if (!name.endsWith(u".html"_s, Qt::CaseInsensitive) && !name.endsWith(u".htm"_s, Qt::CaseInsensitive))
            name += u".html"_s;
        const QString offered = QDir(webdialogs::saveFolder()).filePath(name);
        if (self->m_factory && self->m_factory->askSavePath) {
            path = self->m_factory->askSavePath(offered);
        } else {
            const QString complete = QCoreApplication::translate("vb::QtWebEngine", "Web page, complete (*.html *.htm)");
            const QString single = QCoreApplication::translate("vb::QtWebEngine", "Web page, HTML only (*.html *.htm)");
            const QString archive = QCoreApplication::translate("vb::QtWebEngine", "Web archive (*.mhtml *.mht)");
            QString filter = complete;
            path = webdialogs::askSaveFile(self->dialogParent(), QCoreApplication::translate("vb::QtWebEngine", "Save As"),
                                           offered, complete + u";;"_s + single + u";;"_s + archive, &filter);
            if (filter == single)
                format = QWebEngineDownloadRequest::SingleHtmlSaveFormat;
        }
        if (path.isEmpty() || !self || !self->m_page)
            return;
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix == u"mhtml"_s || suffix == u"mht"_s)
            format = QWebEngineDownloadRequest::MimeHtmlSaveFormat;
        // The engine crashes when a page is saved while its view prints: wait for the print.
        if (self->m_printing) {
            self->m_pendingSave = PendingSave{path, format};
            return;
        }
        self->m_page->save(path, format);
    });
}

void QtWebEngine::printFinished()
{
    m_printing = false;
    const std::optional<PendingSave> save = std::exchange(m_pendingSave, std::nullopt);
    if (save && m_page)
        m_page->save(save->path, save->format);
}

bool QtWebEngine::call(const std::function<void()>& f)
{
    QPointer<QtWebEngine> self(this);
    try {
        Runtime::EngineCallbackScope scope(m_control.form().runtime(), true);
        f();
    } catch (const std::exception& e) {
        // Nothing may be thrown through the engine's stack.
        qWarning("vb::WebBrowser: an event handler failed: %s", e.what());
    } catch (...) {
        qWarning("vb::WebBrowser: an event handler failed");
    }
    return !self.isNull();
}

void QtWebEngine::navigationRequested(QWebEnginePage::NavigationType type, bool isMainFrame)
{
    // Frames of the page load within the page's own navigation.
    if (!isMainFrame)
        return;
    // A redirect, by the server or by a script while the page loads, continues the same
    // navigation.
    if (type == QWebEnginePage::NavigationTypeRedirect && (m_loading || m_requested))
        return;
    m_navigating = false;
    m_hasEarlyCommit = false;
    m_earlyProgress = -1;
    if (m_loading) {
        // A new navigation replaces the one still loading, and the engine reports no end
        // and no new start for it: close the old one and open the new one here.
        m_loading = false;
        if (!call([this] { m_control.engineDownloadComplete(); }))
            return;
        if (!call([this] { m_control.engineBeforeNavigate2(); }))
            return;
        m_requested = true;
        QPointer<QtWebEngine> self(this);
        loadStarted();
        if (self && m_loading)
            progressChanged(0);
        return;
    }
    m_requested = true;
    call([this] { m_control.engineBeforeNavigate2(); });
}

QWebEnginePage* QtWebEngine::windowRequested()
{
    WebBrowser* target = nullptr;
    if (!call([this, &target] { target = m_control.engineNewWindow2(); }))
        return nullptr;
    if (!target || target == &m_control)
        return nullptr;
    QtWebEngine* engine = nullptr;
    call([target, &engine] { engine = dynamic_cast<QtWebEngine*>(&target->ensureEngine()); });
    if (!engine || !engine->page())
        return nullptr;
    engine->prepareForNewWindow();
    return engine->page();
}

bool QtWebEngine::newWindowRefused()
{
    bool refused = true;
    if (!call([this, &refused] { refused = m_control.engineNewWindowCheck(); }))
        return true;
    return refused;
}

void QtWebEngine::prepareForNewWindow()
{
    // Workaround for Qt WebEngine 6.4: the contents the engine made for the new window get
    // no web preferences until the page that takes them applies its settings, and the
    // first paint of a window its opener writes into (window.open('') and document.write)
    // then ends the whole program. A page applies its settings only once it has contents
    // of its own, and only after a setting was set: the script gives it contents, the
    // setting schedules the apply, which runs once the new contents are in place.
    m_page->runJavaScript(QString());
    QWebEngineSettings* settings = m_page->settings();
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled,
                           settings->testAttribute(QWebEngineSettings::ErrorPageEnabled));
}

void QtWebEngine::loadingChanged(const QWebEngineLoadingInfo& info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
        loadStarted();
    else
        loadEnded(info);
}

void QtWebEngine::loadStarted()
{
    if (m_loading)
        return;
    m_navigating = false;
    forgetProbe();
    watchInput();
    if (m_factory)
        m_factory->livenessWanted();
    // A load nobody asked for (a new window without an address) still begins with its request.
    if (!m_requested && !call([this] { m_control.engineBeforeNavigate2(); }))
        return;
    m_requested = false;
    m_loading = true;
    m_committed = false;
    m_committedAddress.clear();
    if (!call([this] { m_control.engineDownloadBegin(); }))
        return;
    if (m_earlyProgress >= 0) {
        const int progress = m_earlyProgress;
        m_earlyProgress = -1;
        progressChanged(progress);
    }
}

void QtWebEngine::progressChanged(int progress)
{
    if (!m_loading) {
        if (m_requested)
            m_earlyProgress = progress;
        return;
    }
    if (!call([this, progress] { m_control.engineProgressChange(progress, 100); }))
        return;
    // A page handed over as a new window knows its address before its load begins.
    if (m_hasEarlyCommit && m_loading) {
        m_hasEarlyCommit = false;
        commit(m_earlyCommit);
    }
}

void QtWebEngine::urlChanged(const QUrl& url)
{
    const QString address = addressOf(url);
    if (!m_refusedAddress.isEmpty() && address == m_refusedAddress)
        return;
    if (m_loading && !m_committed) {
        commit(address);
    } else if (m_loading) {
        // The load has its page already; a redirect or another document would have come
        // with a navigation request of its own. This is the page rewriting its address.
        if (address != m_committedAddress) {
            m_committedAddress = address;
            sameDocument(address);
        }
    } else if (m_requested) {
        m_hasEarlyCommit = true;
        m_earlyCommit = address;
    } else {
        // Within the page: a fragment, or the page's script rewriting its own address.
        sameDocument(address);
    }
}

void QtWebEngine::fileDownloadStarted()
{
    call([this] { m_control.engineFileDownload(); });
}

void QtWebEngine::sameDocument(const QString& address)
{
    if (address == m_control.locationURL())
        return;
    call([this, address] { m_control.engineSameDocumentNavigate(address); });
}

void QtWebEngine::commit(const QString& address)
{
    m_committed = true;
    m_committedAddress = address;
    call([this, address] { m_control.engineNavigateComplete2(address); });
}

void QtWebEngine::rendererGone(QWebEnginePage::RenderProcessTerminationStatus status)
{
    const bool wasNotAnswering = std::exchange(m_notAnswering, false);
    forgetProbe();
    std::function<void()> then = std::exchange(m_afterRendererEnds, nullptr);
    if (status == QWebEnginePage::NormalTerminationStatus && !then)
        return;
    // The engine reports no end for a load its renderer took down with it.
    const bool wasLoading = m_loading || m_requested || m_navigating;
    m_navigating = false;
    m_requested = false;
    m_loading = false;
    m_hasEarlyCommit = false;
    m_earlyProgress = -1;
    QPointer<QtWebEngine> self(this);
    if (then) {
        // Ended on purpose, for what the user asked: that is what happens now.
        if (wasLoading && !call([this] { m_control.engineDownloadComplete(); }))
            return;
        if (wasNotAnswering && !call([this] { m_control.enginePageTrouble(PageFailure::None); }))
            return;
        // The engine is still reporting the end: the new load starts once it has.
        QTimer::singleShot(0, this, std::move(then));
        return;
    }
    const PageFailure failure =
        status == QWebEnginePage::KilledTerminationStatus ? PageFailure::RendererKilled : PageFailure::RendererCrashed;
    const QString address = m_control.locationURL();
    if (call([this, failure, address] { m_control.engineNavigateError(failure, address); }))
        call([this] { m_control.engineDownloadComplete(); });
}

void QtWebEngine::forgetProbe()
{
    // An answer that comes later belongs to a renderer or document gone since.
    ++m_probe;
    m_probing = false;
    m_rendererTicks = -1;
}

bool QtWebEngine::wantsLiveness() const
{
    return m_loading || m_requested || m_navigating || m_probing || m_notAnswering;
}

void QtWebEngine::watchInput()
{
    // The view takes input through a child made with its first page.
    if (m_view && m_view->focusProxy())
        m_view->focusProxy()->installEventFilter(this);
}

bool QtWebEngine::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        // Asked once the page has had the input: a page that loops from there on never
        // answers.
        if (!m_inputProbePending) {
            m_inputProbePending = true;
            QTimer::singleShot(InputProbeDelayMs, this, [this] {
                m_inputProbePending = false;
                if (!m_probing)
                    sendProbe();
            });
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void QtWebEngine::checkLiveness()
{
    if (!m_page)
        return;
    const qint64 pid = m_page->renderProcessPid();
    if (pid <= 0)
        return;
    if (m_probing) {
        if (!m_notAnswering && m_factory && m_probeAge.elapsed() >= m_factory->m_config.notAnsweringMs) {
            m_notAnswering = true;
            call([this] { m_control.enginePageTrouble(PageFailure::NotAnswering); });
        }
        return;
    }
    // A renderer that used little processor time since the last look is idle, and an idle
    // renderer answers: it is left in peace. A busy one may be stuck in a loop.
    const qint64 ticks = processorTicks(pid);
    static const qint64 ticksPerSecond = sysconf(_SC_CLK_TCK);
    const qint64 busyTicks = m_factory ? ticksPerSecond * m_factory->m_config.livenessCheckMs / 4000 : 0;
    const bool busy = ticks < 0 || m_rendererTicks < 0 || ticks - m_rendererTicks >= busyTicks;
    m_rendererTicks = ticks;
    if (!busy)
        return;
    sendProbe();
}

void QtWebEngine::sendProbe()
{
    if (!m_page || m_page->renderProcessPid() <= 0)
        return;
    m_probing = true;
    m_probeAge.start();
    const int probe = ++m_probe;
    QPointer<QtWebEngine> self(this);
    m_page->runJavaScript(u"0"_s, QWebEngineScript::ApplicationWorld, [self, probe](const QVariant&) {
        if (self)
            self->probeAnswered(probe);
    });
    // The probe's age is looked at while it is out.
    if (m_factory)
        m_factory->livenessWanted();
}

void QtWebEngine::probeAnswered(int probe)
{
    if (probe != m_probe)
        return;
    m_probing = false;
    if (m_notAnswering) {
        m_notAnswering = false;
        if (!call([this] { m_control.enginePageTrouble(PageFailure::None); }))
            return;
    }
    if (m_factory)
        m_factory->livenessMaybeIdle();
}

bool QtWebEngine::endHungRenderer(std::function<void()> then)
{
    // Asked again while the renderer is being ended: the latest wish is what runs.
    if (m_afterRendererEnds) {
        m_afterRendererEnds = std::move(then);
        return true;
    }
    if (!m_notAnswering || !m_page)
        return false;
    const qint64 pid = m_page->renderProcessPid();
    if (pid <= 0)
        return false;
    m_afterRendererEnds = std::move(then);
    ::kill(pid_t(pid), SIGKILL);
    return true;
}

void QtWebEngine::certificateError(QWebEngineCertificateError error)
{
    CertificateQuestion question;
    question.host = error.url().host();
    question.address = addressOf(error.url());
    question.problem = problemOf(error.type());
    question.overridable = error.isOverridable();
    question.window = dialogParent();
    const bool ask = m_factory && m_factory->askCertificate;
    if (!ask || !question.overridable) {
        // Refused without asking: the user is told why, where the program listens.
        error.rejectCertificate();
        if (ask) {
            question.answer = [](bool) {};
            call([this, question] { m_factory->askCertificate(question); });
        }
        return;
    }
    // The engine waits for the answer, which comes from a dialog after this call returns.
    error.defer();
    auto held = std::make_shared<std::optional<QWebEngineCertificateError>>(error);
    question.answer = [held](bool goOn) {
        if (!held->has_value())
            return;
        if (goOn)
            (*held)->acceptCertificate();
        else
            (*held)->rejectCertificate();
        held->reset();
    };
    call([this, question] { m_factory->askCertificate(question); });
}

void QtWebEngine::credentialsRequired(const QUrl& url, QAuthenticator* authenticator, const QString& proxy)
{
    // The engine waits for the answer: the dialog is modal, as Qt's own are.
    const QString site = proxy.isEmpty() ? url.host() : proxy;
    QString user = authenticator->user();
    QString password;
    const bool given = m_factory && m_factory->askCredentials
        ? m_factory->askCredentials(site, authenticator->realm(), user, password)
        : webdialogs::askCredentials(dialogParent(), site, authenticator->realm(), user, password);
    if (!given) {
        // An empty authenticator cancels: the page the server sent with its refusal is shown.
        *authenticator = QAuthenticator();
        return;
    }
    authenticator->setUser(user);
    authenticator->setPassword(password);
}

void QtWebEngine::loadEnded(const QWebEngineLoadingInfo& info)
{
    QPointer<QtWebEngine> self(this);
    if (!m_loading) {
        if (!m_requested)
            return;
        loadStarted();
        if (!self || !m_loading)
            return;
    }
    const auto status = info.status();
    const QString refused = std::exchange(m_refusedAddress, QString());
    // A page that came with an HTTP error status is shown as the server sent it.
    const bool shown = refused.isEmpty()
        && (status == QWebEngineLoadingInfo::LoadSucceededStatus
            || (status == QWebEngineLoadingInfo::LoadFailedStatus
                && info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain));
    if (!refused.isEmpty())
        m_hasEarlyCommit = false;
    if (m_hasEarlyCommit) {
        m_hasEarlyCommit = false;
        commit(m_earlyCommit);
    } else if (shown && !m_committed) {
        // A reload, or a load of the address already shown, changes no address.
        QUrl url = info.url();
        if (url.isEmpty() && m_page)
            url = m_page->url();
        commit(addressOf(url));
    }
    if (!self)
        return;
    if ((status == QWebEngineLoadingInfo::LoadFailedStatus && !shown) || !refused.isEmpty()) {
        // The error page is off, so the old page stays whatever the handler answers.
        const PageFailure failure = refused.isEmpty() ? failureOf(info) : PageFailure::LocalPageRefused;
        const QString address = refused.isEmpty() ? addressOf(info.url()) : refused;
        if (!call([this, failure, address] { m_control.engineNavigateError(failure, address); }))
            return;
    }
    m_loading = false;
    m_requested = false;
    if (m_factory) {
        m_factory->loadEnded();
        m_factory->livenessMaybeIdle();
    }
    call([this] { m_control.engineDownloadComplete(); });
}

// --- factory ---

QtWebEngineFactory::QtWebEngineFactory(Config config)
    : m_config(std::move(config)), m_windowQuestion(u"corvane-new-window-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_liveness.setInterval(m_config.livenessCheckMs);
    m_liveness.callOnTimeout([this] {
        for (QtWebEngine* engine : std::vector<QtWebEngine*>(m_engines))
            if (std::find(m_engines.begin(), m_engines.end(), engine) != m_engines.end())
                engine->checkLiveness();
        livenessMaybeIdle();
    });
    releaseFreedMemory = [] {
        // Qt keeps what it drew of styled controls in a picture cache of its own, up to
        // 10 MiB, the boxes of tabs long closed among them: it fills up over a session and
        // stays. What is still shown is drawn again when it is next painted.
        QPixmapCache::clear();
        malloc_trim(0);
    };
    m_release = std::make_unique<FreedMemoryRelease>(
        m_config.releaseDelayMs,
        [this] { return std::any_of(m_engines.begin(), m_engines.end(), [](const QtWebEngine* e) { return e->isLoading(); }); },
        [this] {
            if (releaseFreedMemory)
                releaseFreedMemory();
        });
}

void QtWebEngineFactory::livenessWanted()
{
    if (!m_liveness.isActive())
        m_liveness.start();
}

void QtWebEngineFactory::livenessMaybeIdle()
{
    // Idle pages are not looked at: no timer runs while nothing happens.
    if (std::none_of(m_engines.begin(), m_engines.end(), [](const QtWebEngine* e) { return e->wantsLiveness(); }))
        m_liveness.stop();
}

void QtWebEngineFactory::loadEnded()
{
    m_release->soon();
}

bool QtWebEngineFactory::releasePending() const
{
    return m_release->pending();
}

QtWebEngineFactory::~QtWebEngineFactory()
{
    for (QtWebEngine* engine : std::vector<QtWebEngine*>(m_engines))
        engine->detachFromFactory();
    m_engines.clear();
    for (const QPointer<QWebEngineView>& view : std::as_const(m_views))
        delete view.data();
    m_views.clear();
    m_profile.reset();
}

QWebEngineProfile* QtWebEngineFactory::profile()
{
    if (!m_profile) {
        m_profile = std::make_unique<QWebEngineProfile>(m_config.profileName);
        if (!m_config.storagePath.isEmpty()) {
            m_profile->setPersistentStoragePath(m_config.storagePath + u"/storage"_s);
            m_profile->setCachePath(m_config.storagePath + u"/cache"_s);
        }
        // Files being downloaded lie with the user's cache until the user says where they go.
        m_downloads = std::make_unique<WebDownloads>(*this, m_profile->cachePath() + u"/Partial downloads"_s);
        QObject::connect(m_profile.get(), &QWebEngineProfile::downloadRequested, m_downloads.get(),
                         [this](QWebEngineDownloadRequest* request) {
                             m_downloads->take(request);
                             // The browser whose navigation this was hears of it last: it may
                             // go away now (a window opened only for the file).
                             if (!request->isSavePageDownload())
                                 for (QtWebEngine* engine : m_engines)
                                     if (engine->page() && engine->page() == request->page()) {
                                         engine->fileDownloadStarted();
                                         break;
                                     }
                         });
        QWebEngineSettings* settings = m_profile->settings();
        // A failed load leaves the old page in place.
        settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
        // Without this, links on local pages (the home page, the maker's site) to any web
        // address fail with "access denied", and their pictures on the web are not shown.
        // What local pages may read of this computer's files is each page's rule
        // (LocalPageRule): turning LocalContentCanAccessFileUrls off instead would keep a
        // local page from its own pictures too.
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        // The engine hands a page its new window before the program is asked whether it
        // opens one: window.open() asks first, so that a refused window gives it nothing.
        QWebEngineScript ask;
        ask.setName(u"corvane-window-open"_s);
        ask.setInjectionPoint(QWebEngineScript::DocumentCreation);
        ask.setWorldId(QWebEngineScript::MainWorld);
        ask.setRunsOnSubFrames(true);
        ask.setSourceCode(u"(function () {"
                          "  var open = window.open, ask = window.prompt, question = '%1';"
                          "  window.open = function () {"
                          "    if (ask.call(window, question, '') === '0')"
                          "      return null;"
                          "    return open.apply(this, arguments);"
                          "  };"
                          "})();"_s.arg(m_windowQuestion));
        m_profile->scripts()->insert(ask);
    }
    return m_profile.get();
}

int QtWebEngineFactory::pendingDownloads() const
{
    return m_downloads ? m_downloads->pending() : 0;
}

std::unique_ptr<WebEngine> QtWebEngineFactory::create(WebBrowser& control, QWidget* parent)
{
    return std::make_unique<QtWebEngine>(*this, control, parent);
}

void QtWebEngineFactory::engineCreated(QtWebEngine* engine, QWebEngineView* view)
{
    m_engines.push_back(engine);
    m_views.removeAll(nullptr);
    m_views.append(view);
    m_release->watch(view);
}

void QtWebEngineFactory::engineDestroyed(QtWebEngine* engine)
{
    m_engines.erase(std::remove(m_engines.begin(), m_engines.end(), engine), m_engines.end());
    livenessMaybeIdle();
}

void QtWebEngineFactory::prepareWindow(QWidget* window)
{
    // A view draws its page through the graphics stack. When the first one arrives in a
    // window that is already on screen, Qt makes the window anew for it: the new window is
    // no longer maximised, sits where the old one's frame was, and a second window may stay
    // blank. A window that has such a child from the start is made right the first time.
    static const QString marker = u"corvaneSurfaceMarker"_s;
    if (!window || window->findChild<QQuickWidget*>(marker, Qt::FindDirectChildrenOnly))
        return;
    // A window that goes takes its frames' copies of itself with it.
    QObject::connect(window, &QObject::destroyed, m_release.get(), &FreedMemoryRelease::soon);
    auto* widget = new QQuickWidget(window);
    widget->setObjectName(marker);
    widget->setGeometry(0, 0, 0, 0);
    widget->hide();
}

void prepareWebEngineProcess()
{
    // Blocks up to 16 MiB come from the heap, whatever was freed before. A window with a web
    // page draws each frame into screen-sized blocks (5 MiB at 1280 x 1024, 8 MiB at
    // 1920 x 1080): from the heap the next frame takes the same pages again, while blocks
    // with pages of their own are fresh pages at every frame, milliseconds of page faults
    // in each tab switch. The freed pages go back at the next quiet spell (malloc_trim),
    // and a fixed threshold keeps the allocator from raising it further for the engine's
    // larger blocks, which then stay out of the heap.
    mallopt(M_MMAP_THRESHOLD, MmapThresholdBytes);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace vb
