#pragma once
// An HTTP server on the loopback interface for the tests that load pages over the network.
// The test gives the pages as a function of the request target; each connection carries
// one request and its answer.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

#include <functional>
#include <optional>

class QTcpSocket;

namespace testsupport {

class LoopbackServer : public QObject {
public:
    struct Reply {
        QByteArray status = "200 OK";
        QByteArray type = "text/html";
        QByteArray body;
        QByteArray headers; // further header lines, each ending in "\r\n"
    };
    // The reply to a request for target (its path and query, as sent); none leaves the
    // request unanswered.
    using Pages = std::function<std::optional<Reply>(const QByteArray& target)>;

    explicit LoopbackServer(Pages pages);

    int port() const { return m_server.serverPort(); }
    // The address of path on this server, by number.
    QString url(const QString& path) const;
    // The targets asked for, in the order the requests came.
    const QStringList& requests() const { return m_requests; }
    // The value of a header line of the request at index ("" when it has none).
    QByteArray requestHeader(int index, const QByteArray& name) const;

private:
    void take(QTcpSocket& socket, QByteArray& pending);

    Pages m_pages;
    QStringList m_requests;
    QList<QByteArray> m_heads; // each request's header lines, as sent
    // Declared last, so that its connections go before what their handlers use.
    QTcpServer m_server;
};

} // namespace testsupport
