#include "WindowFinder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>

#include <cerrno>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace sys {

namespace {

constexpr int kConnectTimeoutMs = 500;
const QByteArray kActivateMessage = QByteArrayLiteral("activate\n");
// A peer that sends more than this without a line break is not one of ours.
constexpr qint64 kMaxMessage = 256;

// A folder we own, that nobody else can enter; created when missing.
bool ownPrivateFolder(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0) {
        if (errno != ENOENT || ::mkdir(p.constData(), 0700) != 0 || ::lstat(p.constData(), &st) != 0)
            return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 0777) != 0700 && ::chmod(p.constData(), 0700) != 0)
        return false;
    return true;
}

bool connectTo(QLocalSocket& socket, const QString& path)
{
    socket.connectToServer(path);
    return socket.waitForConnected(kConnectTimeoutMs);
}

} // namespace

QString defaultSocketFolder()
{
    // A runtime folder so deep that not even a socket named by a digest fits in a socket
    // address could never be listened in: the temporary folder serves instead.
    constexpr qsizetype digestNameLength = 16 + 40; // "/ThunderRT6Main+" and the digest
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()
        && QFile::encodeName(runtime).size() + digestNameLength < qsizetype(sizeof(sockaddr_un::sun_path)))
        return runtime;
    // Someone else may have taken the name under the shared temporary folder; then the
    // next free or own name is used, the same one for every program of this user.
    const QString base = QDir::tempPath() + "/corvane-"_L1 + QString::number(::getuid());
    for (int i = 0; i < 100; ++i) {
        const QString candidate = i == 0 ? base : base + u'-' + QString::number(i);
        if (ownPrivateFolder(candidate))
            return candidate;
    }
    return base;
}

QString windowSocketPath(const QString& socketFolder, const QString& title)
{
    // Percent-encoding keeps every title apart and yields a plain file name.
    const QString name = "ThunderRT6Main-"_L1 + QString::fromLatin1(QUrl::toPercentEncoding(title));
    const QString path = socketFolder + u'/' + name;
    if (QFile::encodeName(path).size() < qsizetype(sizeof(sockaddr_un::sun_path)))
        return path;
    // Too long for a socket address: a digest instead ("+" never occurs in the encoded form).
    const QByteArray digest = QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Sha1).toHex();
    return socketFolder + "/ThunderRT6Main+"_L1 + QString::fromLatin1(digest);
}

WindowBeacon::WindowBeacon(QString socketFolder, QObject* parent)
    : QObject(parent)
    , m_folder(std::move(socketFolder))
{
}

WindowBeacon::~WindowBeacon() = default;

bool WindowBeacon::listen(const QString& title)
{
    if (m_server && m_server->isListening() && title == m_title)
        return true;
    // The old name no longer describes this program: nobody should find it under it.
    m_server.reset();
    m_title = title;

    const QString path = windowSocketPath(m_folder, title);
    if (QFileInfo::exists(path)) {
        QLocalSocket probe;
        if (connectTo(probe, path)) {
            probe.abort();
            return false; // a live program holds the name
        }
        // Left behind by a program that ended without closing it.
        QLocalServer::removeServer(path);
    }

    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path))
        return false;

    QLocalServer* s = server.get();
    connect(s, &QLocalServer::newConnection, this, [this, s] {
        while (QLocalSocket* peer = s->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                while (peer->canReadLine()) {
                    if (peer->readLine(kMaxMessage) == kActivateMessage) {
                        // Run from the event loop, never inside whatever is running now.
                        QMetaObject::invokeMethod(this, [this] {
                            if (onActivate)
                                onActivate();
                        }, Qt::QueuedConnection);
                    }
                }
                if (peer->bytesAvailable() > kMaxMessage)
                    peer->abort();
            });
        }
    });
    m_server = std::move(server);
    return true;
}

bool windowExists(const QString& socketFolder, const QString& title)
{
    QLocalSocket socket;
    const bool found = connectTo(socket, windowSocketPath(socketFolder, title));
    socket.abort();
    return found;
}

bool activateWindow(const QString& socketFolder, const QString& title)
{
    QLocalSocket socket;
    if (!connectTo(socket, windowSocketPath(socketFolder, title)))
        return false;
    bool sent = socket.write(kActivateMessage) == kActivateMessage.size();
    while (sent && socket.bytesToWrite() > 0)
        sent = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

} // namespace sys
