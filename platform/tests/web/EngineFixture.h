#pragma once
// The real engine behind a form with two browsers, local pages and a loopback server whose
// pages cover the roads a load can take: slow, missing, empty, a file to download (whole
// or broken off), and a page behind a name and password.

#include "BrowserForm.h"
#include "EngineSupport.h"
#include "LoopbackServer.h"
#include "TestSupport.h"
#include "web/QtWebEngine.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QUrl>

#include <memory>

namespace webtest {

using Reply = testsupport::LoopbackServer::Reply;

// The name and password /auth lets in.
inline const QByteArray authUser = "reader";
inline const QByteArray authPassword = "open sesame";
// The content of /download, named "report 1.txt".
inline const QByteArray downloadBody = QByteArray("downloaded line\n").repeated(2000);

// /links has a target=_blank link to /c; /slow never answers, /late answers after a second, /404 answers "Not Found" with a page,
// /204 with nothing; /download is a file to save and /broken a file whose transfer breaks
// off; /auth asks for a name and password, /locked too but lets nobody in; anything else is
// a small page.
inline std::optional<Reply> servedPage(const testsupport::LoopbackServer::Request& request)
{
    const QByteArray& path = request.target;
    if (path == "/slow")
        return std::nullopt;
    Reply r;
    r.body = "<html><body>served " + path + "</body></html>";
    if (path == "/late") {
        r.delayMs = 1000;
    } else if (path == "/404") {
        r.status = "404 Not Found";
        r.body = "<html><body>nothing here</body></html>";
    } else if (path == "/204") {
        r.status = "204 No Content";
        r.body.clear();
    } else if (path == "/download" || path.startsWith("/download?") || path == "/broken") {
        r.type = "text/plain";
        r.headers = "Content-Disposition: attachment; filename=\"report 1.txt\"\r\n";
        r.body = downloadBody;
        if (path == "/broken")
            r.missingBytes = 100000;
    } else if (path == "/links") {
        r.body = "<html><body><a id=blank target=_blank href='/c' "
                 "style='display:block;width:100px;height:30px'>new</a></body></html>";
    } else if (path == "/auth" || path == "/locked") {
        if (path == "/locked" || request.header("Authorization") != "Basic " + (authUser + ':' + authPassword).toBase64()) {
            r.status = "401 Unauthorized";
            r.headers = path == "/auth" ? "WWW-Authenticate: Basic realm=\"Corvane <test>\"\r\n"
                                        : "WWW-Authenticate: Basic realm=\"locked room\"\r\n";
            r.body = "<html><body>refused</body></html>";
        } else {
            r.body = "<html><body>welcome in</body></html>";
        }
    }
    return r;
}

class EngineFixture : public ::testing::Test {
protected:
    EngineFixture()
    {
        const QByteArray links = "<html><body>"
                                 "<a id=blank target=_blank href='c.html' style='display:block;width:100px;height:30px'>new</a>"
                                 "<a id=remote href='" + server.url(QStringLiteral("/ok")).toUtf8() + "'>remote</a>"
                                 "<a name=frag id=frag>fragment</a></body></html>";
        testsupport::writeFile(pages.filePath(QStringLiteral("links.html")), links);
        testsupport::writeFile(pages.filePath(QStringLiteral("b.html")), "<html><body>second page b-marker</body></html>");
        testsupport::writeFile(pages.filePath(QStringLiteral("c.html")), "<html><body>pop-up</body></html>");

        storage = testsupport::profileStorageFor();
        auto made = testsupport::headlessEngine(address(QStringLiteral("b.html")), storage);
        factory = made.get();
        rt.setWebEngine(std::move(made));
        form = std::make_unique<BrowserForm>(rt);
        log.attach(form->first);
        popupLog.attach(form->second);
    }

    QString address(const QString& name) const
    {
        return QUrl::fromLocalFile(pages.filePath(name)).toString(QUrl::FullyEncoded);
    }

    // Navigates the first browser and waits until its load has ended.
    void load(const QString& address)
    {
        const int before = log.count(QStringLiteral("DownloadComplete"));
        form->first.navigate(address);
        ASSERT_TRUE(testsupport::waitFor([&] { return log.count(QStringLiteral("DownloadComplete")) > before; }))
            << log.events.join(QStringLiteral(", ")).toStdString();
    }

    void handBackSecond()
    {
        form->first.onNewWindow2 = [this](vb::WebBrowser*& ppDisp, bool&) {
            ++newWindows;
            ppDisp = form->second.object();
        };
    }

    static QStringList navigation(const QString& committed)
    {
        return {QStringLiteral("BeforeNavigate2"), QStringLiteral("DownloadBegin"), QStringLiteral("ProgressChange"),
                QStringLiteral("NavigateComplete2 ") + committed, QStringLiteral("ProgressChange"),
                QStringLiteral("DownloadComplete")};
    }

    // One whole navigation that committed address, however its progress was reported (a
    // fresh renderer reports less of it).
    static ::testing::AssertionResult committed(const QStringList& events, const QString& address)
    {
        QStringList essential = events;
        essential.removeAll(QStringLiteral("ProgressChange"));
        const QStringList expected = {QStringLiteral("BeforeNavigate2"), QStringLiteral("DownloadBegin"),
                                      QStringLiteral("NavigateComplete2 ") + address, QStringLiteral("DownloadComplete")};
        if (essential == expected && events.value(2) == QStringLiteral("ProgressChange"))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << events.join(QStringLiteral(", ")).toStdString();
    }

    testsupport::LoopbackServer server{&servedPage};
    QTemporaryDir pages;
    QString storage;
    EventLog log;
    EventLog popupLog;
    int newWindows = 0;
    vb::Runtime rt{vb::Runtime::Mode::Test};
    vb::QtWebEngineFactory* factory = nullptr;
    std::unique_ptr<BrowserForm> form;
};

} // namespace webtest
