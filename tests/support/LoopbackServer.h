#pragma once
// An HTTP server on the loopback interface for the tests that load pages over the network.
// The test gives the pages as a function of the request target (or of the whole request);
// each connection carries one request and its answer.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

#include <functional>
#include <memory>
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
        int delayMs = 0;    // the answer leaves this long after the request came
        // Declares this many bytes of body more than it sends, then closes: a broken transfer.
        int missingBytes = 0;
    };
    struct Request {
        QByteArray target; // path and query, as sent
        QByteArray head;   // the request line and the header lines
        // The value of a header line, "" when there is none (the name without regard to case).
        QByteArray header(const QByteArray& name) const;
    };
    // The reply to a request for target; none leaves the request unanswered.
    using Pages = std::function<std::optional<Reply>(const QByteArray& target)>;
    using RequestPages = std::function<std::optional<Reply>(const Request& request)>;

    // Https: the server speaks TLS with a self-signed certificate, which no browser trusts.
    enum class Scheme { Http, Https };

    explicit LoopbackServer(Pages pages, Scheme scheme = Scheme::Http);
    explicit LoopbackServer(RequestPages pages, Scheme scheme = Scheme::Http);

    int port() const { return m_server->serverPort(); }
    // The address of path on this server, by number.
    QString url(const QString& path) const;
    // The targets asked for, in the order the requests came.
    const QStringList& requests() const { return m_requests; }
    // The value of a header line of the request at index ("" when it has none).
    QByteArray requestHeader(int index, const QByteArray& name) const;
    // Forgets the requests so far: a long session that never looks at them keeps its memory.
    void clearRequests()
    {
        m_requests.clear();
        m_heads.clear();
    }

private:
    void take(QTcpSocket& socket, QByteArray& pending);

    RequestPages m_pages;
    Scheme m_scheme;
    QStringList m_requests;
    QList<QByteArray> m_heads; // each request's header lines, as sent
    // Declared last, so that its connections go before what their handlers use.
    std::unique_ptr<QTcpServer> m_server;
};

} // namespace testsupport
