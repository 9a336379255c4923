#pragma once
// The web control's engine over Qt WebEngine: one QWebEngineView per browser element,
// all sharing one persistent, named profile that the factory creates on first use and
// deletes last, after every page.

#include "web/WebBrowser.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWebEngineProfile;
class QWebEngineView;

namespace vb {

class QtWebEngine;

class QtWebEngineFactory : public WebEngineFactory {
public:
    struct Config {
        // One profile per user, kept in the standard data location under this name.
        QString profileName = QStringLiteral("Corvane");
        // Where GoSearch goes.
        QString searchPage;
        // Replaces the standard location of the profile's storage and cache when set.
        QString storagePath;
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

    // Where Save As writes; "" cancels. Unset: the platform's save dialog.
    std::function<QString()> askSavePath;
    // Sets up the printer; false cancels. Unset: the platform's print dialog.
    std::function<bool(QPrinter&)> askPrinter;

private:
    friend class QtWebEngine;
    void engineCreated(QtWebEngine* engine, QWebEngineView* view);
    void engineDestroyed(QtWebEngine* engine);

    Config m_config;
    std::unique_ptr<QWebEngineProfile> m_profile;
    std::vector<QtWebEngine*> m_engines;
    // Views of engines alive or already destroyed (a view is deleted later): every one of
    // them must go before the profile.
    QList<QPointer<QWebEngineView>> m_views;
};

// Call in main() before the QApplication exists: the engine's sandbox cannot run as root,
// and the engine wants OpenGL contexts shared across the application.
void prepareWebEngineProcess();

} // namespace vb
