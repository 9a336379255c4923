#include "web/WebBrowser.h"

#include "vb/Form.h"
#include "vb/FramePacer.h"
#include "vb/Runtime.h"

#include <QWidget>

#include <utility>

namespace vb {

namespace {

// An event runs a copy of its handler: a handler may replace itself (or be cleared when its
// element is unloaded) while it runs.
template <class... Params, class... Args>
void runCopy(const std::function<void(Params...)>& handler, Args&&... args)
{
    if (const std::function<void(Params...)> h = handler)
        h(std::forward<Args>(args)...);
}

void fitView(QWidget* view, const QSize& size)
{
    if (view)
        view->setGeometry(QRect(QPoint(0, 0), size));
}

} // namespace

WebBrowser::WebBrowser(Container& container) : Control(container, new QWidget(container.host()))
{
    // A browser lies under everything else in its container: bars, menus and panels that
    // open over it must stay on top, whenever the browser was loaded.
    widget()->lower();
    // The engine learns at once which of its pages are on screen and which are not.
    showAtOnce();
    Runtime& rt = form().runtime();
    if (rt.hasWebEngine())
        rt.webEngine().prepareWindow(widget()->window());
    FramePacer::pace(widget()->window(), rt);
}

WebBrowser::~WebBrowser()
{
    // The engine's view lies in this control's widget: it goes first.
    m_engine.reset();
}

WebEngine& WebBrowser::ensureEngine()
{
    if (!m_engine) {
        m_engine = form().runtime().webEngine().create(*this, widget());
        if (QWidget* view = m_engine->view()) {
            fitView(view, pixelRect().size());
            view->show();
        }
    }
    return *m_engine;
}

void WebBrowser::navigate(const QString& address)
{
    ensureEngine().navigate(address);
}

void WebBrowser::goBack()
{
    if (!m_engine || !m_engine->goBack())
        throw Error(ErrControlFailed, "There is no earlier page");
}

void WebBrowser::goForward()
{
    if (!m_engine || !m_engine->goForward())
        throw Error(ErrControlFailed, "There is no later page");
}

bool WebBrowser::canGoBack() const
{
    return m_engine && m_engine->canGoBack();
}

bool WebBrowser::canGoForward() const
{
    return m_engine && m_engine->canGoForward();
}

void WebBrowser::goSearch()
{
    navigate(form().runtime().webEngine().searchPage());
}

void WebBrowser::refresh()
{
    if (m_engine)
        m_engine->refresh();
}

void WebBrowser::stop()
{
    if (m_engine)
        m_engine->stop();
}

void WebBrowser::execWB(int command, int option)
{
    if (!m_engine)
        return;
    const bool prompt = option == PromptUser;
    if (command == ExecPrint)
        m_engine->print(prompt);
    else if (command == ExecSaveAs)
        m_engine->saveAs(prompt);
}

void WebBrowser::engineBeforeNavigate2()
{
    runCopy(onBeforeNavigate2);
}

void WebBrowser::engineDownloadBegin()
{
    runCopy(onDownloadBegin);
}

void WebBrowser::engineProgressChange(qint32 progress, qint32 progressMax)
{
    runCopy(onProgressChange, progress, progressMax);
}

void WebBrowser::engineNavigateComplete2(const QString& address)
{
    m_locationURL = address;
    runCopy(onNavigateComplete2);
}

bool WebBrowser::engineNavigateError(PageFailure failure, const QString& address)
{
    m_failure = failure;
    m_failedAddress = address;
    bool cancel = false;
    runCopy(onNavigateError, cancel);
    return cancel;
}

void WebBrowser::engineDownloadComplete()
{
    runCopy(onDownloadComplete);
}

WebBrowser* WebBrowser::engineNewWindow2()
{
    // No handler: nothing opens.
    if (!onNewWindow2)
        return nullptr;
    WebBrowser* ppDisp = nullptr;
    bool cancel = false;
    runCopy(onNewWindow2, ppDisp, cancel);
    return cancel ? nullptr : ppDisp;
}

void WebBrowser::engineSameDocumentNavigate(const QString& address)
{
    const QString previous = std::exchange(m_locationURL, address);
    runCopy(onSameDocumentNavigate, previous);
}

void WebBrowser::engineFileDownload()
{
    runCopy(onFileDownload);
}

bool WebBrowser::engineNewWindowCheck()
{
    bool cancel = false;
    runCopy(onNewWindowCheck, cancel);
    return cancel;
}

void WebBrowser::enginePageTrouble(PageFailure failure)
{
    m_failure = failure;
    m_failedAddress = m_locationURL;
    runCopy(onPageTrouble);
}

void WebBrowser::copyDesignFrom(const Control& other)
{
    // A new element takes the place and size only, and starts hidden; its engine comes
    // with its first page.
    move(other.left(), other.top(), other.width(), other.height());
    setVisible(false);
}

void WebBrowser::applyGeometry()
{
    Control::applyGeometry();
    if (m_engine)
        fitView(m_engine->view(), pixelRect().size());
}

void WebBrowser::clearHandlers()
{
    // An unloaded element raises nothing, whatever its engine still reports.
    onBeforeNavigate2 = nullptr;
    onDownloadBegin = nullptr;
    onProgressChange = nullptr;
    onNavigateComplete2 = nullptr;
    onNavigateError = nullptr;
    onDownloadComplete = nullptr;
    onNewWindow2 = nullptr;
    onSameDocumentNavigate = nullptr;
    onFileDownload = nullptr;
    onNewWindowCheck = nullptr;
    onPageTrouble = nullptr;
}

} // namespace vb
