#pragma once
// Saves the files pages download. The engine writes each one at once to a partial file of
// its own while the user is asked where it goes (never inside the engine's call); the file
// is moved into place once both are done, and a failure is told.

#include <QObject>
#include <QPointer>
#include <QString>

#include <map>

class QWebEngineDownloadRequest;

namespace vb {

class QtWebEngineFactory;

class WebDownloads : public QObject {
public:
    // Partial files go to partialFolder, which holds nothing else: what an earlier run left
    // there is removed.
    WebDownloads(QtWebEngineFactory& factory, QString partialFolder);
    ~WebDownloads() override;
    WebDownloads(const WebDownloads&) = delete;
    WebDownloads& operator=(const WebDownloads&) = delete;

    // A download a page asked for (the profile's downloadRequested).
    void take(QWebEngineDownloadRequest* request);
    // Downloads not yet saved, cancelled or failed.
    int pending() const { return int(m_downloads.size()); }

private:
    struct Download {
        QPointer<QWebEngineDownloadRequest> request;
        QPointer<QWidget> parent;
        QString name;     // the name the site suggested
        QString partial;  // where the engine writes
        QString target;   // where the user wants it, once answered
        bool answered = false;
        bool finished = false;
        QString failure;  // why the engine gave up, when it did
    };
    void ask(quint32 id);
    void stateChanged(quint32 id);
    void settle(quint32 id);
    void fail(const Download& download, const QString& text);

    QtWebEngineFactory& m_factory;
    QString m_partialFolder;
    std::map<quint32, Download> m_downloads;
};

} // namespace vb
