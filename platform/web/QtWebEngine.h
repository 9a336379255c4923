#pragma once
// The web control's engine over Qt WebEngine: one QWebEngineView per browser element,
// all sharing one persistent, named profile that the factory creates on first use and
// deletes last, after every page.

#include "web/PageDialogs.h"
#include "web/WebBrowser.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWebEnginePage>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWebEngineProfile;
class QWebEngineView;

namespace vb {

class FreedMemoryRelease;
class QtWebEngine;
class WebDownloads;

class QtWebEngineFactory : public WebEngineFactory {
public:
    struct Config {
        // One profile per user, kept in the standard data location under this name.
        QString profileName = QStringLiteral("Corvane");
        // Where GoSearch goes.
        QString searchPage;
        // Replaces the standard location of the profile's storage and cache when set.
        QString storagePath;
        // While something happens on a page (a load, the user's input), its renderer is
        // looked at this often; a page that leaves a probe unanswered this long is told as
        // not answering.
        int livenessCheckMs = 2000;
        int notAnsweringMs = 10000;
        // The quiet spell before freed memory goes back to the system.
        int releaseDelayMs = ReleaseDelayMs;
    };

    explicit QtWebEngineFactory(Config config);
    ~QtWebEngineFactory() override;
    QtWebEngineFactory(const QtWebEngineFactory&) = delete;
    QtWebEngineFactory& operator=(const QtWebEngineFactory&) = delete;

    std::unique_ptr<WebEngine> create(WebBrowser& control, QWidget* parent) override;
    QString searchPage() const override { return m_config.searchPage; }
    int liveEngines() const override { return static_cast<int>(m_engines.size()); }
    void prepareWindow(QWidget* window) override;

    // The profile, created on the first call.
    QWebEngineProfile* profile();
    bool hasProfile() const { return m_profile != nullptr; }

    // What the control asks the user. Each one unset is Qt's own dialog; tests answer here.
    // Where Save As writes, offered in the user's folder with the page's name; "" cancels.
    std::function<QString(const QString& offered)> askSavePath;
    // Sets up the printer; false cancels.
    std::function<bool(QPrinter&)> askPrinter;
    // Where a downloaded file goes, offered in the user's Downloads folder; "" cancels.
    std::function<QString(const QString& offered)> askDownloadPath;
    // Tells that a download could not be saved.
    std::function<void(const QString& text)> tellDownloadFailure;
    // A page's alert, confirm, prompt or "leave this page?", and whether the dialog offers
    // to stop the page's dialogs.
    std::function<PageAnswer(const PageQuestion& question, bool offerStop)> answerPage;
    // The files (or folder, or file to save) for a page, starting in folder; none cancels.
    std::function<QStringList(QWebEnginePage::FileSelectionMode mode, const QString& folder)> askFiles;
    // A user name and password for a site, or for a proxy; false cancels.
    std::function<bool(const QString& site, const QString& realm, QString& user, QString& password)> askCredentials;

    // Downloads not yet saved, cancelled or failed.
    int pendingDownloads() const;

    // How often a busy page is looked at, and how long it may leave a probe unanswered.
    void setLivenessTimes(int checkMs, int notAnsweringMs)
    {
        m_config.livenessCheckMs = checkMs;
        m_config.notAnsweringMs = notAnsweringMs;
        m_liveness.setInterval(checkMs);
    }

    // The text by which a page's window.open() asks whether a window would open.
    const QString& windowQuestion() const { return m_windowQuestion; }

    // Gives the pages the heap has free back to the system, with Qt's cache of drawn
    // controls (tests count the calls instead), once nothing has freed memory for
    // Config::releaseDelayMs: not while a page loads, and once after a load ended, a view
    // went (a tab or a window closed) or views were shown and hidden (tabs or browsers
    // switched).
    static constexpr int ReleaseDelayMs = 1000;
    std::function<void()> releaseFreedMemory;
    // A quiet spell is under way, at whose end the memory goes back unless a page loads.
    bool releasePending() const;

private:
    friend class QtWebEngine;
    void loadEnded();
    void livenessWanted();
    void livenessMaybeIdle();
    void engineCreated(QtWebEngine* engine, QWebEngineView* view);
    void engineDestroyed(QtWebEngine* engine);

    Config m_config;
    std::unique_ptr<QWebEngineProfile> m_profile;
    // Saves what the profile's pages download.
    std::unique_ptr<WebDownloads> m_downloads;
    std::vector<QtWebEngine*> m_engines;
    // Views of engines alive or already destroyed (a view is deleted later): every one of
    // them must go before the profile.
    QList<QPointer<QWebEngineView>> m_views;
    std::unique_ptr<FreedMemoryRelease> m_release;
    QString m_windowQuestion;
    QTimer m_liveness;
};

// Call in main() before the QApplication exists: the engine's sandbox cannot run as root,
// the engine wants OpenGL contexts shared across the application, and the heap keeps its
// large blocks apart.
void prepareWebEngineProcess();

} // namespace vb
