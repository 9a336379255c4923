#include "LoopbackServer.h"

#include <QTcpSocket>

#include <memory>

namespace testsupport {

LoopbackServer::LoopbackServer(Pages pages) : m_pages(std::move(pages))
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            // A request may come in pieces: it is answered once its header has ended.
            auto pending = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, pending] { take(*socket, *pending); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString LoopbackServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

QByteArray LoopbackServer::requestHeader(int index, const QByteArray& name) const
{
    const QList<QByteArray> lines = m_heads.value(index).split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

void LoopbackServer::take(QTcpSocket& socket, QByteArray& pending)
{
    pending += socket.readAll();
    if (!pending.contains("\r\n\r\n"))
        return;
    const QByteArray head = pending.left(pending.indexOf("\r\n\r\n"));
    const QByteArray target = head.split(' ').value(1);
    pending.clear();
    m_requests << QString::fromLatin1(target);
    m_heads << head;
    const std::optional<Reply> reply = m_pages(target);
    if (!reply)
        return;
    socket.write("HTTP/1.1 " + reply->status + "\r\nContent-Type: " + reply->type + "\r\n" + reply->headers
                 + "Content-Length: " + QByteArray::number(reply->body.size()) + "\r\nConnection: close\r\n\r\n"
                 + reply->body);
    socket.disconnectFromHost();
}

} // namespace testsupport
