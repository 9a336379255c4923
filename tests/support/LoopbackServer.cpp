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

void LoopbackServer::take(QTcpSocket& socket, QByteArray& pending)
{
    pending += socket.readAll();
    if (!pending.contains("\r\n\r\n"))
        return;
    const QByteArray target = pending.split(' ').value(1);
    pending.clear();
    m_requests << QString::fromLatin1(target);
    const std::optional<Reply> reply = m_pages(target);
    if (!reply)
        return;
    socket.write("HTTP/1.1 " + reply->status + "\r\nContent-Type: " + reply->type + "\r\n" + reply->headers
                 + "Content-Length: " + QByteArray::number(reply->body.size()) + "\r\nConnection: close\r\n\r\n"
                 + reply->body);
    socket.disconnectFromHost();
}

} // namespace testsupport
