// What the web control tells when a page cannot be shown or stops working, asks about a
// certificate, answers a page's window.open() that gets no window, prints to a PDF file
// and does with a page that asks for many downloads: on the real engine and loopback pages.

#include "EngineFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPrinter>
#include <QStandardPaths>
#include <QTcpServer>
#include <QWebEnginePage>

#include <signal.h>

using namespace Qt::StringLiterals;
using testsupport::runScript;
using testsupport::waitFor;

namespace {

class PageTroubleTest : public webtest::EngineFixture {
protected:
    PageTroubleTest()
    {
        form->show();
        form->first.onPageTrouble = [this] { troubles << form->first.failure(); };
        factory->tellUser = [this](QWidget*, const QString& head, const QString& text) { told << head + u": "_s + text; };
    }
    ~PageTroubleTest() override { QDir(QDir::home().filePath(u"Downloads"_s)).removeRecursively(); }

    QString refusedAddress()
    {
        // A port that was free a moment ago: nothing listens there.
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        return u"http://127.0.0.1:%1/page"_s.arg(port);
    }

    QList<vb::PageFailure> troubles;
    QStringList told;
};

TEST_F(PageTroubleTest, AFailedLoadSaysWhyAndKeepsTheOldPage)
{
    struct Case {
        const char* what;
        QString address;
        vb::PageFailure failure;
    };
    const Case cases[] = {
        {"closed port", refusedAddress(), vb::PageFailure::ConnectionRefused},
        {"unknown name", u"http://weathertoday/"_s, vb::PageFailure::ServerNotFound},
        {"no host", u"http://"_s, vb::PageFailure::BadAddress},
        {"missing file", address(u"no such page.html"_s), vb::PageFailure::FileNotFound},
    };
    load(server.url(u"/ok"_s));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.clear();
        load(c.address);
        EXPECT_EQ(log.count(u"NavigateError"_s), 1) << log.events.join(u", "_s).toStdString();
        EXPECT_EQ(form->first.failure(), c.failure);
        EXPECT_EQ(form->first.locationURL(), server.url(u"/ok"_s));
        EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), u"served /ok"_s);
    }
    EXPECT_EQ(form->first.failedAddress(), address(u"no such page.html"_s));
}

TEST_F(PageTroubleTest, ACertificateNobodyVouchesForIsAskedAboutAndAnsweredLater)
{
    testsupport::LoopbackServer secure(&webtest::servedPage, testsupport::LoopbackServer::Scheme::Https);
    QList<vb::CertificateQuestion> asked;
    factory->askCertificate = [&](const vb::CertificateQuestion& q) {
        EXPECT_TRUE(rt.inEngineCallback());
        asked << q;
    };
    struct Case {
        bool goOn;
        QString shown;
    };
    load(server.url(u"/ok"_s));
    for (const Case& c : {Case{false, u"served /ok"_s}, Case{true, u"served /secret"_s}}) {
        SCOPED_TRACE(c.goOn);
        asked.clear();
        log.clear();
        form->first.navigate(secure.url(u"/secret"_s));
        ASSERT_TRUE(waitFor([&] { return asked.size() == 1; }));
        EXPECT_EQ(asked[0].host, u"127.0.0.1"_s);
        EXPECT_EQ(asked[0].problem, vb::CertificateProblem::UnknownIssuer);
        EXPECT_TRUE(asked[0].overridable);
        // The engine waits for the answer, which comes from the event loop.
        QTimer::singleShot(0, &rt, [&] { asked[0].answer(c.goOn); });
        ASSERT_TRUE(waitFor([&] { return log.count(u"DownloadComplete"_s) == 1; })) << log.events.join(u", "_s).toStdString();
        EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), c.shown);
        EXPECT_EQ(log.count(u"NavigateError"_s), c.goOn ? 0 : 1);
        if (!c.goOn) {
            EXPECT_EQ(form->first.failure(), vb::PageFailure::CertificateRefused);
        }
    }
    EXPECT_TRUE(secure.requests().contains(u"/secret"_s));

    // The browser goes while its question waits: a late answer finds nothing to answer.
    asked.clear();
    form->first.navigate(secure.url(u"/late"_s).replace(u"127.0.0.1"_s, u"localhost"_s));
    ASSERT_TRUE(waitFor([&] { return asked.size() == 1; }));
    form.reset();
    testsupport::flushDeferredDeletes();
    asked[0].answer(true);
    EXPECT_FALSE(secure.requests().contains(u"/late"_s));
}

TEST_F(PageTroubleTest, WindowOpenGivesNothingWhenTheWindowIsRefused)
{
    handBackSecond();
    int asked = 0;
    bool refuse = true;
    form->first.onNewWindowCheck = [&](bool& cancel) {
        ++asked;
        cancel = refuse;
    };
    load(server.url(u"/ok"_s));
    // Refused: null at once, and the page is not handed a window that never opens.
    EXPECT_EQ(runScript(form->first, u"String(window.open('/popup') === null)"_s).toString(), u"true"_s);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(newWindows, 0);
    // Allowed: a window, which opens.
    refuse = false;
    EXPECT_EQ(runScript(form->first, u"String(window.open('/popup') !== null)"_s).toString(), u"true"_s);
    ASSERT_TRUE(waitFor([&] { return newWindows == 1 && form->second.locationURL() == server.url(u"/popup"_s); }));
    EXPECT_EQ(asked, 2);
    // A page's own prompt is still its own.
    int prompts = 0;
    factory->answerPage = [&](const vb::PageQuestion&, bool) {
        ++prompts;
        return vb::PageAnswer{true, u"typed"_s, false};
    };
    EXPECT_EQ(runScript(form->first, u"prompt('name?')"_s).toString(), u"typed"_s);
    EXPECT_EQ(prompts, 1);
}

TEST_F(PageTroubleTest, PrintingToAPdfFileKeepsTheText)
{
    testsupport::writeFile(pages.filePath(u"text.html"_s),
                           "<html><body><p>" + QByteArray("Searchable words on a printed page. ").repeated(40) + "</p></body></html>");
    load(address(u"text.html"_s));
    const QString pdf = storage + u"/text.pdf"_s;
    factory->askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    bool finished = false;
    QObject::connect(testsupport::pageOf(form->first), &QWebEnginePage::pdfPrintingFinished, &rt,
                     [&](const QString&, bool ok) { finished = ok; });
    form->first.execWB(vb::WebBrowser::ExecPrint, vb::WebBrowser::PromptUser);
    ASSERT_TRUE(waitFor([&] { return finished; }));
    const QByteArray bytes = testsupport::readFile(pdf);
    // Text is drawn with a font the file carries, with its characters' meaning; a printed
    // picture carries an image and no font.
    EXPECT_TRUE(bytes.contains("/FontFile")) << bytes.size();
    EXPECT_TRUE(bytes.contains("/ToUnicode"));
    EXPECT_FALSE(bytes.contains("/Subtype /Image"));
    EXPECT_LT(bytes.size(), 200 * 1024);
}

TEST_F(PageTroubleTest, ARendererThatEndsOrStopsAnsweringIsTold)
{
    factory->setLivenessTimes(200, 1500);
    load(server.url(u"/ok"_s));
    // Killed from outside.
    log.clear();
    const qint64 pid = testsupport::pageOf(form->first)->renderProcessPid();
    ASSERT_GT(pid, 0);
    ::kill(pid_t(pid), SIGKILL);
    ASSERT_TRUE(waitFor([&] { return log.count(u"NavigateError"_s) == 1; }));
    EXPECT_EQ(form->first.failure(), vb::PageFailure::RendererKilled);
    EXPECT_EQ(form->first.failedAddress(), server.url(u"/ok"_s));

    // A page that loops for ever: told while it loads, and Refresh ends it and loads again.
    testsupport::writeFile(pages.filePath(u"loop.html"_s), "<html><body>looping<script>while (true) {}</script></body></html>");
    form->first.navigate(address(u"loop.html"_s));
    ASSERT_TRUE(waitFor([&] { return troubles.contains(vb::PageFailure::NotAnswering); }, 15000));
    testsupport::writeFile(pages.filePath(u"loop.html"_s), "<html><body>mended</body></html>");
    log.clear();
    form->first.refresh();
    ASSERT_TRUE(waitFor([&] { return log.count(u"NavigateComplete2"_s) == 1 && log.count(u"DownloadComplete"_s) >= 1; }, 15000))
        << log.events.join(u", "_s).toStdString();
    EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), u"mended"_s);
    EXPECT_EQ(troubles.last(), vb::PageFailure::None);
}

TEST_F(PageTroubleTest, ManyDownloadsGetOneSaveDialogAtATimeAndTheRestAreRefused)
{
    load(server.url(u"/ok"_s));
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    QDir(downloads).removeRecursively();
    QStringList offered;
    int open = 0;
    int mostOpen = 0;
    const QString elsewhere = storage + u"/elsewhere"_s;
    QDir().mkpath(elsewhere);
    factory->askDownloadPath = [&](const QString& where) {
        offered << where;
        mostOpen = std::max(mostOpen, ++open);
        // The dialog's own loop runs while it is open.
        waitFor([] { return false; }, 50);
        --open;
        return QDir(elsewhere).filePath(u"file %1.txt"_s.arg(offered.size()));
    };
    QString links;
    for (int i = 0; i < 20; ++i)
        links += u"<a id=d%1 href='/download?%1' download>d</a>"_s.arg(i);
    runScript(form->first, u"document.body.innerHTML = \"%1\";"
                           "for (const a of document.querySelectorAll('a')) a.click(); true"_s.arg(links));
    // The engine lets a page start ten downloads in a row; each one that reaches the program
    // is either asked about or refused, and told.
    auto started = [&] { return int(server.requests().filter(u"/download"_s).size()); };
    ASSERT_TRUE(waitFor([&] { return offered.size() == 6 && factory->pendingDownloads() == 0 && told.size() == started(); }, 30000))
        << offered.size() << " " << told.size() << " " << started();
    EXPECT_GE(started(), 10);
    EXPECT_EQ(mostOpen, 1);
    EXPECT_EQ(told.filter(u"Download Refused"_s).size(), started() - 6);
    EXPECT_EQ(told.filter(u"Download Finished: file 6.txt was saved in "_s).size(), 1) << told.join(u"\n"_s).toStdString();
    // The first dialog opens in the download folder, made for it; the next ones where the
    // user saved last.
    EXPECT_TRUE(QFileInfo(downloads).isDir());
    EXPECT_EQ(offered[0], QDir(downloads).filePath(u"report 1.txt"_s));
    EXPECT_EQ(offered[1], QDir(elsewhere).filePath(u"report 1.txt"_s));
    EXPECT_EQ(testsupport::readFile(QDir(elsewhere).filePath(u"file 6.txt"_s)), webtest::downloadBody);
}

} // namespace
