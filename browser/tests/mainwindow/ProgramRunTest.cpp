// The real program as a user starts it: a temporary copy of the portable folder, started
// from that folder, with the real engine, headless, closed by the session (SIGTERM); then
// what it left behind: the data folder, the register, the data files and what the engine
// keeps (cookies).

#include "sys/FamilyRegister.h"
#include "sys/SettingsStore.h"

#include "LoopbackServer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

using namespace Qt::StringLiterals;
using testsupport::waitFor;

namespace {

// Serves the home pages on the loopback interface. The home page ends in a picture: its
// request tells that the page has been read to its end.
class PageServer : public testsupport::LoopbackServer {
public:
    PageServer() : LoopbackServer([this](const QByteArray& path) { return page(path); }) {}

private:
    std::optional<Reply> page(const QByteArray& path) const
    {
        Reply r;
        if (path == "/writer.html") {
            // Opens a window without an address and writes into it; what it writes asks for
            // a picture once it has been painted, and again a moment later.
            r.body = "<html><body><p>Writer</p><script>setTimeout(function() {"
                     "  var w = window.open('');"
                     "  w.document.write('<p>written</p><script>requestAnimationFrame(function() {"
                     "    requestAnimationFrame(function() { new Image().src = \\'/painted.png\\';"
                     "      setTimeout(function() { new Image().src = \\'/later.png\\'; }, 300); }); });"
                     "  <\\/script>');"
                     "  w.document.close();"
                     "}, 100);</script></body></html>";
        } else if (path.endsWith(".png")) {
            r.type = "image/png";
            r.body = QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==");
        } else {
            r.body = "<html><head><title>Home</title></head><body><p>Home</p><img src=\"" + url(u"/end.png"_s).toUtf8()
                     + "\"></body></html>";
        }
        return r;
    }
};

// Sets a lasting cookie on its page /set.html, which ends in a picture; every other page is
// plain. The test reads the Cookie header of each request from the server's record.
class CookieServer : public testsupport::LoopbackServer {
public:
    explicit CookieServer(QByteArray cookie)
        : LoopbackServer([this](const QByteArray& path) { return page(path); }), m_cookie(std::move(cookie))
    {
    }

    // The Cookie header of the first request for path.
    QString cookieSentWith(const QString& path) const
    {
        const qsizetype i = requests().indexOf(path);
        return i < 0 ? u"(not asked for)"_s : QString::fromLatin1(requestHeader(int(i), "Cookie"));
    }

private:
    std::optional<Reply> page(const QByteArray& path) const
    {
        Reply r;
        if (path.endsWith(".png")) {
            r.type = "image/png";
            r.body = QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==");
        } else if (path == "/set.html") {
            r.headers = "Set-Cookie: " + m_cookie + "; Max-Age=31536000; Path=/\r\n";
            r.body = "<html><body><p>Set</p><img src=\"/set.png\"></body></html>";
        } else {
            r.body = "<html><body><p>Page</p></body></html>";
        }
        return r;
    }

    QByteArray m_cookie;
};

// A settings file of the current form with the given options and home pages.
QByteArray settingsFile(int exitCount, int historyMask, int bookmarkLast, int notesLast, const QStringList& homePages)
{
    QByteArray s;
    for (int item : {exitCount, historyMask, bookmarkLast, 0, 0, notesLast, 0, 0, int(homePages.size()) - 1})
        s += QByteArray::number(item) + "\r\n";
    for (int i = 0; i < 6; ++i)
        s += '"' + homePages.value(std::min<int>(i, int(homePages.size()) - 1)).toUtf8() + "\"\r\n";
    return s;
}

bool copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString target = to + it.filePath().mid(from.size());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else if (!QFile::copy(it.filePath(), target)) {
            return false;
        }
    }
    return true;
}

// Alive and not a zombie.
bool running(qint64 pid)
{
    const QByteArray stat = testsupport::readFile(u"/proc/%1/stat"_s.arg(pid));
    return !stat.isEmpty() && stat.mid(stat.lastIndexOf(')') + 2, 1) != "Z";
}

} // namespace

class ProgramRunTest : public ::testing::Test {
protected:
    ProgramRunTest()
    {
        base = QDir(dir.path()).canonicalPath();
        folder = base + u"/stick/Corvane"_s;
        home = base + u"/home"_s;
        EXPECT_TRUE(copyTree(QStringLiteral(CORVANE_PORTABLE_DIR), folder));
        QFile::setPermissions(folder + u"/Corvane.exe"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(home + u"/runtime"_s);
        QFile::setPermissions(home + u"/runtime"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // A screen large enough for the browser (the platform's default one is not).
        const QString screens = base + u"/screens.json"_s;
        testsupport::writeFile(screens, R"({"screens":[{"name":"s1","x":0,"y":0,"width":1280,"height":1024,)"
                                        R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
        env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, home);
        env.insert(u"XDG_CONFIG_HOME"_s, home + u"/config"_s);
        env.insert(u"XDG_DATA_HOME"_s, home + u"/data"_s);
        env.insert(u"XDG_CACHE_HOME"_s, home + u"/cache"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, home + u"/runtime"_s);
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen:configfile="_s + screens);
        env.insert(u"QTWEBENGINE_CHROMIUM_FLAGS"_s,
                   u"--disable-gpu --disable-background-networking --disable-component-update"_s);
        env.remove(u"QTWEBENGINE_DISABLE_SANDBOX"_s); // the program decides that itself
        // A returning user: no nickname prompt (it would wait for an answer).
        store().set(u"NidraBhanga"_s, u"NickName"_s, u"Tester"_s);
    }

    sys::SettingsStore store() const { return sys::SettingsStore(home + u"/config/Tavolin.ini"_s); }
    QString dataFolder() const { return folder + u"/Corvane"_s; }

    void start()
    {
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder);
        process.setProgram(folder + u"/Corvane.exe"_s);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start();
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // The engine's helper processes have started: the first page is on its way.
    bool waitForEngine()
    {
        return waitFor([this] { return !testsupport::childProcesses(process.processId(), "QtWebEngine").isEmpty(); }, 20000);
    }

    // The session ends: the program saves and ends by itself, and its helpers go with it.
    void terminateAndWait()
    {
        ASSERT_EQ(process.state(), QProcess::Running) << process.readAll().toStdString();
        const QList<qint64> helpers = testsupport::childProcesses(process.processId());
        process.terminate();
        ASSERT_TRUE(process.waitForFinished(15000)) << process.readAll().toStdString();
        gone = QDateTime::currentDateTime();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << process.readAll().toStdString();
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_TRUE(waitFor([&] { return std::none_of(helpers.begin(), helpers.end(), running); }, 10000))
            << "engine helpers outlived the program";
    }

    // The session ends while the program runs: the time from the settings file written at
    // its exit to the process gone.
    qint64 terminateAndTimeExit()
    {
        terminateAndWait();
        const QFileInfo settings(dataFolder() + u"/Set.Velmora"_s);
        EXPECT_TRUE(settings.exists());
        return settings.lastModified().msecsTo(gone);
    }

    // What the program printed; the engine's warnings about its order of teardown among it.
    void expectCleanTeardown()
    {
        const QString out = QString::fromLocal8Bit(process.readAll());
        EXPECT_FALSE(out.contains(u"still not deleted"_s)) << out.toStdString();
        EXPECT_FALSE(out.contains(u"leaked"_s)) << out.toStdString();
    }

    QStringList settingsLines() const
    {
        return QString::fromUtf8(testsupport::readFile(dataFolder() + u"/Set.Velmora"_s)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString base;
    QString folder;
    QString home;
    QProcessEnvironment env;
    QProcess process;
    QDateTime gone; // when the program was seen to have ended
};

TEST_F(ProgramRunTest, AFirstRunCreatesTheDataFolderTheRegisterAndTheSettings)
{
    start();
    ASSERT_TRUE(waitForEngine()) << process.readAll().toStdString();
    // The register record is written before the window opens.
    EXPECT_EQ(store().get(sys::family::memberNamesSection(), sys::family::memberKey(0)), u"Corvane"_s);
    terminateAndWait();

    // The data folder beside the program holds the settings file and nothing else: no
    // empty lists, and the engine's profile lives in the user's data location.
    EXPECT_EQ(QDir(dataFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{u"Set.Velmora"_s});
    EXPECT_TRUE(QFileInfo(home + u"/data"_s).isDir());

    const sys::SettingsStore s = store();
    EXPECT_EQ(s.get(sys::family::memberFoldersSection(), sys::family::memberKey(0)), folder + u"/"_s);
    EXPECT_EQ(s.get(sys::family::lastIndexSection(), sys::family::lastIndexKey()), sys::family::encodeLastIndex(0));
    EXPECT_EQ(s.get(u"NidraBhanga"_s, u"NickName"_s), u"Tester"_s);

    // Defaults: no exit counted (the session closed it), one browser, the product page home
    // (stored as the empty item, so that it names the product page wherever the folder goes).
    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 15) << lines.join(u" | "_s).toStdString();
    EXPECT_EQ(lines[0], u"0"_s);
    EXPECT_EQ(lines[8], u"0"_s);
    for (int i = 9; i < 15; ++i)
        EXPECT_EQ(lines[i], u"\"\""_s) << i;
}

TEST_F(ProgramRunTest, SixConfiguredBrowsersLoadOnlyBrowserOnesHomePage)
{
    PageServer server;
    QStringList homes{server.url(u"/home.html"_s)};
    for (int i = 2; i <= 6; ++i)
        homes += server.url(u"/other%1.html"_s.arg(i));
    ASSERT_TRUE(testsupport::writeFile(dataFolder() + u"/Set.Velmora"_s, settingsFile(3, 0, -1, -1, homes)));

    start();
    ASSERT_TRUE(waitFor([&] { return server.requests().contains(u"/end.png"_s); }, 20000))
        << server.requests().join(u", "_s).toStdString() << process.readAll().toStdString();
    waitFor([] { return false; }, 300);
    EXPECT_EQ(server.requests().filter(u"other"_s), QStringList());
    EXPECT_EQ(server.requests().first(), u"/home.html"_s);
    terminateAndWait();

    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], u"3"_s); // closed by the session: not counted
    EXPECT_EQ(lines[8], u"5"_s);
    EXPECT_EQ(lines[9], u"\""_s + server.url(u"/home.html"_s) + u"\""_s);
    EXPECT_EQ(lines[14], u"\""_s + server.url(u"/other6.html"_s) + u"\""_s);
}

TEST_F(ProgramRunTest, AFileWhereTheDataFolderBelongsDoesNotStopTheProgram)
{
    ASSERT_TRUE(testsupport::writeFile(dataFolder(), "in the way"));
    const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    start();
    ASSERT_TRUE(waitForEngine()) << process.readAll().toStdString();
    terminateAndWait();
    EXPECT_EQ(testsupport::readFile(dataFolder()), QByteArray("in the way"));
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

TEST_F(ProgramRunTest, ACookieSetJustBeforeTheSessionEndsIsSentAtTheNextStart)
{
    const QByteArray cookie = "kept=" + QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    CookieServer server(cookie);
    ASSERT_TRUE(testsupport::writeFile(dataFolder() + u"/Set.Velmora"_s,
                                       settingsFile(0, 0, -1, -1, {server.url(u"/set.html"_s)})));

    // The session ends as soon as the page has been read: the engine has had no time to
    // write its cookies by itself (it does that every half-minute).
    start();
    ASSERT_TRUE(waitFor([&] { return server.requests().contains(u"/set.png"_s); }, 20000))
        << server.requests().join(u", "_s).toStdString() << process.readAll().toStdString();
    const qint64 exitMs = terminateAndTimeExit();
    // The data files first, then the engine's teardown, quickly.
    EXPECT_GE(exitMs, 0);
    // A bound that a busy machine keeps and a hung teardown does not.
    EXPECT_LT(exitMs, 10000) << "from the settings file written to the process gone";
    RecordProperty("ExitAfterFilesMs", int(exitMs));
    expectCleanTeardown();

    ASSERT_TRUE(testsupport::writeFile(dataFolder() + u"/Set.Velmora"_s,
                                       settingsFile(0, 0, -1, -1, {server.url(u"/echo.html"_s)})));
    start();
    ASSERT_TRUE(waitFor([&] { return server.requests().contains(u"/echo.html"_s); }, 20000))
        << server.requests().join(u", "_s).toStdString() << process.readAll().toStdString();
    EXPECT_EQ(server.cookieSentWith(u"/echo.html"_s), QString::fromLatin1(cookie));
    terminateAndWait();
}

TEST_F(ProgramRunTest, TheSessionsEndWritesEveryDataFileAsAClose)
{
    PageServer server;
    const QString home = server.url(u"/home.html"_s);
    ASSERT_TRUE(testsupport::writeFile(dataFolder() + u"/Set.Velmora"_s, settingsFile(7, 1, 0, 0, {home})));
    const QByteArray bookmarks = "\"Kept\",\"http://kept.example/\"\r\n";
    const QByteArray notes = "\"http://kept.example/\",\"A note\"\r\n";
    ASSERT_TRUE(testsupport::writeFile(dataFolder() + u"/Mark.Velmora"_s, bookmarks));
    ASSERT_TRUE(testsupport::writeFile(dataFolder() + u"/Note.Velmora"_s, notes));
    // Old enough that a rewrite shows.
    const QDateTime old = QDateTime::currentDateTime().addDays(-2);
    for (const char* name : {"/Set.Velmora", "/Mark.Velmora", "/Note.Velmora"}) {
        QFile f(dataFolder() + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }

    start();
    ASSERT_TRUE(waitFor([&] { return server.requests().contains(u"/end.png"_s); }, 20000))
        << server.requests().join(u", "_s).toStdString() << process.readAll().toStdString();
    terminateAndWait();
    expectCleanTeardown();

    const auto rewritten = [&](const char* name) {
        return QFileInfo(dataFolder() + QLatin1String(name)).lastModified() > old.addSecs(60);
    };
    EXPECT_TRUE(rewritten("/Set.Velmora"));
    EXPECT_FALSE(rewritten("/Mark.Velmora")) << "unchanged bookmarks are left as they are";
    EXPECT_TRUE(rewritten("/Hist.Velmora")) << "the kept history is written";
    EXPECT_FALSE(rewritten("/Note.Velmora")) << "unchanged notes are left as they are";
    EXPECT_EQ(testsupport::readFile(dataFolder() + u"/Mark.Velmora"_s), bookmarks);
    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], u"7"_s); // the session's close is not the user's
    EXPECT_EQ(lines[1], u"1"_s);
    EXPECT_EQ(lines[2], u"0"_s);
    EXPECT_EQ(lines[9], u"\""_s + home + u"\""_s);
}

TEST_F(ProgramRunTest, TheSessionsEndDuringAStartupMessageEndsTheProgramAtOnce)
{
    // A screen too small: the start-up waits for the answer to its message.
    const QString screens = base + u"/small.json"_s;
    testsupport::writeFile(screens, R"({"screens":[{"name":"s1","x":0,"y":0,"width":800,"height":600,)"
                                    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen:configfile="_s + screens);
    start();
    // The program listens for the other programs of the family once it can take the
    // session's end.
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(home + u"/runtime/ThunderRT6Main-Corvane"_s); }, 20000))
        << process.readAll().toStdString();
    QElapsedTimer timer;
    timer.start();
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(15000)) << process.readAll().toStdString();
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    // Nothing of the start-up after the message has run.
    EXPECT_FALSE(QFileInfo::exists(dataFolder()));
    EXPECT_EQ(store().get(sys::family::memberNamesSection(), sys::family::memberKey(0)), QString());
}

// A page that opens a window without an address and writes into it: the window comes on
// screen as a tab, and the program lives on and ends as usual.
TEST_F(ProgramRunTest, AWindowAPageWritesIntoLeavesTheProgramRunning)
{
    PageServer server;
    QByteArray settings = "0\r\n0\r\n-1\r\n0\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n";
    settings += '"' + server.url(u"/writer.html"_s).toUtf8() + "\"\r\n";
    for (int i = 2; i <= 6; ++i)
        settings += '"' + server.url(u"/other%1.html"_s.arg(i)).toUtf8() + "\"\r\n";
    ASSERT_TRUE(testsupport::writeFile(dataFolder() + u"/Set.Velmora"_s, settings));

    start();
    ASSERT_TRUE(waitFor([&] { return server.requests().contains(u"/later.png"_s); }, 20000))
        << server.requests().join(u", "_s).toStdString() << process.readAll().toStdString();
    EXPECT_TRUE(server.requests().contains(u"/painted.png"_s));
    terminateAndWait();
}

TEST_F(ProgramRunTest, AFolderMovedAfterARunOpensItsOwnProductPage)
{
    // The product page tells the server that it was shown.
    PageServer server;
    ASSERT_TRUE(testsupport::writeFile(folder + u"/site/Corvane.html"_s,
                                       "<html><body><img src=\"" + server.url(u"/product.png"_s).toUtf8() + "\"></body></html>"));
    auto shown = [&server] { return server.requests().count(u"/product.png"_s); };
    start();
    ASSERT_TRUE(waitFor([&] { return shown() == 1; }, 20000)) << process.readAll().toStdString();
    terminateAndWait();

    // The whole folder goes elsewhere, as the user was told it may.
    const QString moved = base + u"/disk/Programs/Corvane"_s;
    QDir().mkpath(base + u"/disk/Programs"_s);
    ASSERT_TRUE(QDir().rename(folder, moved));
    folder = moved;
    start();
    EXPECT_TRUE(waitFor([&] { return shown() == 2; }, 20000)) << process.readAll().toStdString();
    terminateAndWait();
    EXPECT_EQ(settingsLines().value(9), u"\"\""_s);
}
