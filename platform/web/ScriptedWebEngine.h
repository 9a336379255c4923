#pragma once
// An engine for window tests: it records what the program asks of its browser and raises
// the control's events only when the test fires them, one at a time, each as an engine
// callback (deferred work runs as soon as the event returns).

#include "web/WebBrowser.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <vector>

namespace vb {

class ScriptedWebEngineFactory;

class ScriptedWebEngine : public WebEngine {
public:
    ScriptedWebEngine(ScriptedWebEngineFactory& factory, WebBrowser& control, QWidget* parent);
    ~ScriptedWebEngine() override;
    ScriptedWebEngine(const ScriptedWebEngine&) = delete;
    ScriptedWebEngine& operator=(const ScriptedWebEngine&) = delete;

    WebBrowser& control() const { return m_control; }

    // --- WebEngine: recorded, nothing is raised ---
    QWidget* view() override { return m_view; }
    void navigate(const QString& address) override { m_navigations.append(address); }
    bool goBack() override;
    bool goForward() override;
    bool canGoBack() const override { return m_canGoBack; }
    bool canGoForward() const override { return m_canGoForward; }
    void refresh() override { ++m_refreshCalls; }
    void stop() override { ++m_stopCalls; }
    void print(bool promptUser) override;
    void saveAs(bool promptUser) override;

    // --- what the program asked ---
    const QStringList& navigations() const { return m_navigations; }
    QString lastNavigation() const { return m_navigations.isEmpty() ? QString() : m_navigations.last(); }
    int backCalls() const { return m_backCalls; }
    int forwardCalls() const { return m_forwardCalls; }
    int refreshCalls() const { return m_refreshCalls; }
    int stopCalls() const { return m_stopCalls; }
    // Navigations to the search page (GoSearch).
    int searchCalls() const;
    int printCalls() const { return m_printCalls; }
    int saveCalls() const { return m_saveCalls; }
    bool lastPrompt() const { return m_lastPrompt; }

    // Whether the history has an earlier / later page (GoBack / GoForward fail without).
    void setCanGoBack(bool can) { m_canGoBack = can; }
    void setCanGoForward(bool can) { m_canGoForward = can; }

    // --- events, raised when the test says so ---
    void fireBeforeNavigate2();
    void fireDownloadBegin();
    void fireProgressChange(qint32 progress, qint32 progressMax);
    void fireNavigateComplete2(const QString& address);
    // Returns the handler's Cancel.
    bool fireNavigateError(PageFailure failure = PageFailure::Other, const QString& address = {});
    // The page's renderer stopped answering (NotAnswering) or answers again (None).
    void firePageTrouble(PageFailure failure);
    // A page's window.open() asks first: true when the window would be refused.
    bool fireNewWindowCheck();
    void fireDownloadComplete();
    // The page changes its own address without loading a new document.
    void fireSameDocumentNavigate(const QString& address);
    // The last navigation turned out to be a file, now being downloaded.
    void fireFileDownload();
    // Returns the control the handler handed back (its engine created), or nullptr.
    WebBrowser* fireNewWindow2();
    // One whole navigation, as the real engine reports it: BeforeNavigate2, DownloadBegin,
    // ProgressChange(0), NavigateComplete2, ProgressChange(100), DownloadComplete.
    void completeNavigation(const QString& address);

private:
    friend class ScriptedWebEngineFactory;
    template <class F> auto fire(F&& f);

    ScriptedWebEngineFactory* m_factory;
    WebBrowser& m_control;
    QPointer<QWidget> m_view;
    QStringList m_navigations;
    int m_backCalls = 0;
    int m_forwardCalls = 0;
    int m_refreshCalls = 0;
    int m_stopCalls = 0;
    int m_printCalls = 0;
    int m_saveCalls = 0;
    bool m_lastPrompt = false;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
};

class ScriptedWebEngineFactory : public WebEngineFactory {
public:
    explicit ScriptedWebEngineFactory(QString searchPage = QStringLiteral("https://search.velmora.example/"));
    ~ScriptedWebEngineFactory() override;
    ScriptedWebEngineFactory(const ScriptedWebEngineFactory&) = delete;
    ScriptedWebEngineFactory& operator=(const ScriptedWebEngineFactory&) = delete;

    std::unique_ptr<WebEngine> create(WebBrowser& control, QWidget* parent) override;
    QString searchPage() const override { return m_searchPage; }
    int liveEngines() const override { return static_cast<int>(m_engines.size()); }

    // The engine of control, nullptr when it has none.
    ScriptedWebEngine* engineFor(const WebBrowser& control) const;
    // Engines alive, in the order they were created.
    const std::vector<ScriptedWebEngine*>& engines() const { return m_engines; }
    // Engines created so far, alive or not.
    int createdEngines() const { return m_created; }

private:
    friend class ScriptedWebEngine;
    QString m_searchPage;
    std::vector<ScriptedWebEngine*> m_engines;
    int m_created = 0;
};

} // namespace vb
