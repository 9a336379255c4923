#pragma once
// The web-browser control: one element of a browser control array. Its engine is
// created lazily, on the first navigation (or when it is handed to a page as a new
// window), so a browser that is never used costs nothing. The engine reports
// events through the control, which keeps LocationURL and raises the handlers.

#include "vb/Control.h"
#include "vb/IndexedEvents.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace vb {

class WebEngine;
class WebEngineFactory;

// Why a page could not be shown, or why a page shown stopped working: what the user is
// told. None: nothing worth telling (the user stopped the load or went elsewhere).
enum class PageFailure {
    None,
    ServerNotFound,
    ConnectionRefused,
    NoAnswer,
    ConnectionCut,
    CertificateRefused,
    BadAddress,
    FileNotFound,
    NoNetwork,
    Other,
    RendererCrashed,
    RendererKilled,
    OutOfMemory,
    NotAnswering,
    // A window a page on this computer opened was asked for another local page.
    LocalPageRefused,
};

// What is wrong with a site's certificate, in the user's terms.
enum class CertificateProblem { UnknownIssuer, WrongName, Expired, Revoked, Invalid, Weak, Other };

// A site whose certificate nobody vouches for: the user decides whether its page opens.
struct CertificateQuestion {
    QString host;
    QString address;
    CertificateProblem problem = CertificateProblem::Other;
    // False: the engine allows no exception; the page was refused already.
    bool overridable = false;
    // The window of the page that asked.
    QWidget* window = nullptr;
    // Go on (true) or stay; call it once, from the event loop.
    std::function<void(bool goOn)> answer;
};

class WebBrowser : public Control {
    Q_OBJECT
public:
    explicit WebBrowser(Container& container);
    ~WebBrowser() override;

    // --- operations ---
    void navigate(const QString& address);
    // Throw vb::Error when there is no earlier / later page.
    void goBack();
    void goForward();
    void goSearch();
    void refresh();
    void stop();
    // Address of the last committed page, "" before the first. A page that changes its
    // own address without loading a new document changes it too.
    QString locationURL() const { return m_locationURL; }
    // What the engine's history holds now: whether Back / Forward would find a page.
    bool canGoBack() const;
    bool canGoForward() const;
    // 6 print, 4 save as; option 1 prompts the user. Errors are ignored.
    enum { ExecPrint = 6, ExecSaveAs = 4, PromptUser = 1 };
    void execWB(int command, int option);
    // The automation object handed back through NewWindow2.
    WebBrowser* object() { return this; }

    bool hasEngine() const { return m_engine != nullptr; }
    // Creates the engine when there is none yet (first navigation, or a new window).
    WebEngine& ensureEngine();
    WebEngine* engine() const { return m_engine.get(); }

    // --- events (an array element's handlers get its index first: see ControlArray) ---
    std::function<void()> onBeforeNavigate2;
    std::function<void()> onDownloadBegin;
    std::function<void(qint32 progress, qint32 progressMax)> onProgressChange;
    std::function<void()> onNavigateComplete2;
    std::function<void(bool& cancel)> onNavigateError;
    std::function<void()> onDownloadComplete;
    std::function<void(WebBrowser*& ppDisp, bool& cancel)> onNewWindow2;
    // The page changed its own address without loading a new document (a fragment,
    // history.pushState / replaceState): LocationURL holds the new address, previous the
    // old one. No other event comes with it.
    std::function<void(const QString& previous)> onSameDocumentNavigate;
    // A navigation of this browser turned out to be a file, now being downloaded (the
    // navigation itself ended without a page).
    std::function<void()> onFileDownload;
    // A page is about to ask for a new window: cancel says now that it would get none, so
    // the page's window.open() gives it nothing instead of a window that never opens.
    std::function<void(bool& cancel)> onNewWindowCheck;
    // The page's renderer stopped answering (failure() is NotAnswering) or answers again
    // (None).
    std::function<void()> onPageTrouble;

    // Why the last page failed (read in NavigateError and PageTrouble), and its address.
    PageFailure failure() const { return m_failure; }
    QString failedAddress() const { return m_failedAddress; }

    // --- called by the engine, in the order of one navigation ---
    void engineBeforeNavigate2();
    void engineDownloadBegin();
    void engineProgressChange(qint32 progress, qint32 progressMax);
    void engineNavigateComplete2(const QString& address);
    // Returns the handler's Cancel (the control always shows no error page itself).
    bool engineNavigateError(PageFailure failure = PageFailure::Other, const QString& address = {});
    void engineDownloadComplete();
    // Returns the prepared element, or nullptr when the handler cancelled.
    WebBrowser* engineNewWindow2();
    void engineSameDocumentNavigate(const QString& address);
    void engineFileDownload();
    // True when the page would get no new window now.
    bool engineNewWindowCheck();
    void enginePageTrouble(PageFailure failure);

    void copyDesignFrom(const Control& other) override;

    // Handlers of an array element, index first (see ControlArray).
    struct IndexedEvents {
        std::function<void(int)> onBeforeNavigate2;
        std::function<void(int)> onDownloadBegin;
        std::function<void(int, qint32, qint32)> onProgressChange;
        std::function<void(int)> onNavigateComplete2;
        std::function<void(int, bool&)> onNavigateError;
        std::function<void(int)> onDownloadComplete;
        std::function<void(int, WebBrowser*&, bool&)> onNewWindow2;
        std::function<void(int, const QString&)> onSameDocumentNavigate;
        std::function<void(int)> onFileDownload;
        std::function<void(int, bool&)> onNewWindowCheck;
        std::function<void(int)> onPageTrouble;
    };
    static auto indexedEvents()
    {
        return std::tuple{ForwardedEvent{&WebBrowser::onBeforeNavigate2, &IndexedEvents::onBeforeNavigate2},
                          ForwardedEvent{&WebBrowser::onDownloadBegin, &IndexedEvents::onDownloadBegin},
                          ForwardedEvent{&WebBrowser::onProgressChange, &IndexedEvents::onProgressChange},
                          ForwardedEvent{&WebBrowser::onNavigateComplete2, &IndexedEvents::onNavigateComplete2},
                          ForwardedEvent{&WebBrowser::onNavigateError, &IndexedEvents::onNavigateError},
                          ForwardedEvent{&WebBrowser::onDownloadComplete, &IndexedEvents::onDownloadComplete},
                          ForwardedEvent{&WebBrowser::onNewWindow2, &IndexedEvents::onNewWindow2},
                          ForwardedEvent{&WebBrowser::onSameDocumentNavigate, &IndexedEvents::onSameDocumentNavigate},
                          ForwardedEvent{&WebBrowser::onFileDownload, &IndexedEvents::onFileDownload},
                          ForwardedEvent{&WebBrowser::onNewWindowCheck, &IndexedEvents::onNewWindowCheck},
                          ForwardedEvent{&WebBrowser::onPageTrouble, &IndexedEvents::onPageTrouble}};
    }

protected:
    void applyGeometry() override;
    void clearHandlers() override;

private:
    std::unique_ptr<WebEngine> m_engine;
    QString m_locationURL;
    PageFailure m_failure = PageFailure::None;
    QString m_failedAddress;
};

// One engine per element.
class WebEngine {
public:
    virtual ~WebEngine() = default;
    virtual QWidget* view() = 0;
    virtual void navigate(const QString& address) = 0;
    // false when there is no earlier / later page.
    virtual bool goBack() = 0;
    virtual bool goForward() = 0;
    // Whether the history has an earlier / later page now.
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    virtual void refresh() = 0;
    virtual void stop() = 0;
    virtual void print(bool promptUser) = 0;
    virtual void saveAs(bool promptUser) = 0;
};

class WebEngineFactory {
public:
    virtual ~WebEngineFactory() = default;
    // Creates the engine of control; its view is placed in parent (the control's widget).
    virtual std::unique_ptr<WebEngine> create(WebBrowser& control, QWidget* parent) = 0;
    // The address GoSearch goes to.
    virtual QString searchPage() const = 0;
    // Engines alive now (for tests and for the leak checks).
    virtual int liveEngines() const = 0;
    // Readies a window that will hold browsers, before it first shows.
    virtual void prepareWindow(QWidget* window) { (void)window; }

    // What the engine tells the program or asks it, about no one browser. Each unset: a
    // notice is not shown, a certificate is refused.
    // A short notice for the window that holds a page (a download finished or failed).
    std::function<void(QWidget* window, const QString& head, const QString& text)> tellUser;
    std::function<void(const CertificateQuestion& question)> askCertificate;
};

} // namespace vb
