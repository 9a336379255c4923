#include "web/WebDownloads.h"

#include "web/QtWebEngine.h"
#include "web/WebDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineView>

#include <filesystem>
#include <system_error>

namespace vb {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("vb::WebBrowser", text);
}

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Moves a finished file to where the user wants it, replacing what is there only once the
// whole file is in place.
bool moveInto(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(fsPath(from), fsPath(to), error);
    if (!error)
        return true;
    // Another file system (or a target rename cannot replace): copy through a save file.
    if (QFileInfo(to).isDir())
        return false;
    QFile in(from);
    QSaveFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit())
        return false;
    in.remove();
    return true;
}

} // namespace

WebDownloads::WebDownloads(QtWebEngineFactory& factory, QString partialFolder)
    : m_factory(factory), m_partialFolder(std::move(partialFolder))
{
    QDir(m_partialFolder).removeRecursively();
    QDir().mkpath(m_partialFolder);
}

WebDownloads::~WebDownloads()
{
    for (auto& [id, download] : m_downloads) {
        if (download.request)
            download.request->disconnect(this);
        QFile::remove(download.partial);
    }
}

void WebDownloads::take(QWebEngineDownloadRequest* request)
{
    // Save As writes where the user already said.
    if (request->isSavePageDownload() || request->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;
    const quint32 id = request->id();
    Download download;
    download.request = request;
    if (QWebEngineView* view = QWebEngineView::forPage(request->page()))
        download.parent = view->window();
    const QString suggested = request->suggestedFileName();
    download.name = webdialogs::fileNameFrom(suggested.isEmpty() ? request->downloadFileName() : suggested,
                                             translated("download"));
    download.partial = QDir(m_partialFolder).filePath(QString::number(id));
    QFile::remove(download.partial);
    request->setDownloadDirectory(m_partialFolder);
    request->setDownloadFileName(QString::number(id));
    // A page that asks for one file after another gets a few of them asked about in turn,
    // not a pile of dialogs: the rest are refused.
    // Until the first of them is asked about, it waits with the others.
    if (int(m_waiting.size()) >= MaxWaiting + (m_asking ? 0 : 1)) {
        request->cancel();
        tell(download, translated("Download Refused"),
             translated("%1 was not downloaded: the page asked for more files than can wait for the Save dialog.")
                 .arg(download.name));
        return;
    }
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, [this, id] { stateChanged(id); });
    m_downloads[id] = download;
    request->accept();
    m_waiting.push_back(id);
    // The engine is still on the stack: the dialog opens once it has returned.
    QTimer::singleShot(0, this, [this] { askNext(); });
}

QString WebDownloads::offeredFolder() const
{
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QDir().mkpath(downloads))
        return downloads;
    return webdialogs::saveFolder();
}

void WebDownloads::askNext()
{
    if (m_asking)
        return;
    while (!m_waiting.empty()) {
        const quint32 id = m_waiting.front();
        m_waiting.pop_front();
        if (m_downloads.count(id)) {
            ask(id);
            return;
        }
    }
}

void WebDownloads::ask(quint32 id)
{
    auto it = m_downloads.find(id);
    if (it == m_downloads.end())
        return;
    const QString offered = QDir(offeredFolder()).filePath(it->second.name);
    QPointer<WebDownloads> self(this);
    m_asking = true;
    const QString chosen = m_factory.askDownloadPath
        ? m_factory.askDownloadPath(offered)
        : webdialogs::askSaveFile(it->second.parent, translated("Save File"), offered);
    // The dialog ran its own event loop: the downloads may have gone meanwhile.
    if (!self)
        return;
    m_asking = false;
    QTimer::singleShot(0, this, [this] { askNext(); });
    it = m_downloads.find(id);
    if (it == m_downloads.end())
        return;
    if (chosen.isEmpty()) {
        drop(id);
        return;
    }
    m_lastFolder = QFileInfo(chosen).absolutePath();
    it->second.target = chosen;
    it->second.answered = true;
    settle(id);
}

void WebDownloads::drop(quint32 id)
{
    auto it = m_downloads.find(id);
    if (it == m_downloads.end())
        return;
    Download cancelled = it->second;
    m_downloads.erase(it);
    if (cancelled.request) {
        cancelled.request->disconnect(this);
        cancelled.request->cancel();
    }
    QFile::remove(cancelled.partial);
}

void WebDownloads::stateChanged(quint32 id)
{
    auto it = m_downloads.find(id);
    if (it == m_downloads.end() || !it->second.request)
        return;
    Download& download = it->second;
    switch (download.request->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted:
        download.finished = true;
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        download.failure = download.request->interruptReasonString();
        break;
    case QWebEngineDownloadRequest::DownloadCancelled:
        download.failure = translated("The download was cancelled.");
        break;
    default:
        return;
    }
    // A failure is told from the event loop, not from inside the engine's call.
    QTimer::singleShot(0, this, [this, id] { settle(id); });
}

void WebDownloads::settle(quint32 id)
{
    auto it = m_downloads.find(id);
    if (it == m_downloads.end() || !it->second.answered)
        return;
    if (!it->second.finished && it->second.failure.isEmpty())
        return;
    const Download done = it->second;
    m_downloads.erase(it);
    if (done.request)
        done.request->disconnect(this);
    if (!done.failure.isEmpty()) {
        QFile::remove(done.partial);
        fail(done, translated("%1 could not be downloaded.").arg(done.name) + QStringLiteral("\n\n") + done.failure);
        return;
    }
    if (!moveInto(done.partial, done.target)) {
        QFile::remove(done.partial);
        fail(done, translated("%1 could not be saved as %2.").arg(done.name, QDir::toNativeSeparators(done.target)));
        return;
    }
    const QFileInfo saved(done.target);
    tell(done, translated("Download Finished"),
         translated("%1 was saved in %2.").arg(saved.fileName(), QDir::toNativeSeparators(saved.absolutePath())));
}

void WebDownloads::fail(const Download& download, const QString& text)
{
    if (m_factory.tellDownloadFailure)
        m_factory.tellDownloadFailure(text);
    else if (m_factory.tellUser)
        m_factory.tellUser(download.parent, translated("Download Failed"), text);
    else
        webdialogs::tellDownloadFailure(download.parent, text);
}

void WebDownloads::tell(const Download& download, const QString& head, const QString& text)
{
    if (m_factory.tellUser)
        m_factory.tellUser(download.parent, head, text);
}

} // namespace vb
