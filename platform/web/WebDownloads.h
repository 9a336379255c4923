#pragma once
// Saves the files pages download. The engine writes each one at once to a partial file of
// its own while the user is asked where it goes (never inside the engine's call, and one
// Save dialog at a time); the file is moved into place once both are done, and the end,
// whether the file is saved or not, is told.

#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>
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

    // Downloads that wait while the Save dialog asks about another; one more is refused.
    static constexpr int MaxWaiting = 5;

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
    void askNext();
    void ask(quint32 id);
    void stateChanged(quint32 id);
    void settle(quint32 id);
    void drop(quint32 id);
    void fail(const Download& download, const QString& text);
    void tell(const Download& download, const QString& head, const QString& text);
    // Where the Save dialog opens: the user's download folder (made when missing), then
    // the folder last chosen during this run.
    QString offeredFolder() const;

    QtWebEngineFactory& m_factory;
    QString m_partialFolder;
    std::map<quint32, Download> m_downloads;
    std::deque<quint32> m_waiting;
    bool m_asking = false;
    QString m_lastFolder;
};

} // namespace vb
