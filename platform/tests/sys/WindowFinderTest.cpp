#include "sys/WindowFinder.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSet>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using namespace Qt::StringLiterals;
using sys::WindowBeacon;

namespace {

// Leaves a socket file behind with nobody listening, as a crashed program would.
bool makeStaleSocket(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    if (p.size() >= qsizetype(sizeof addr.sun_path))
        return false;
    std::memcpy(addr.sun_path, p.constData(), size_t(p.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

} // namespace

TEST(WindowFinder, SocketNamesKeepTitlesApart)
{
    const QString folder = u"/run/user/1000"_s;
    const QStringList titles = {u"Corvane"_s, u"CorvaneHelp"_s, u"a/b"_s, u"a%2Fb"_s, u"a b"_s, u"a+b"_s, u"Grüße"_s, QString(), u".."_s};
    QSet<QString> seen;
    for (const QString& t : titles) {
        const QString p = sys::windowSocketPath(folder, t);
        EXPECT_TRUE(p.startsWith(folder + "/ThunderRT6Main"_L1)) << p.toStdString();
        EXPECT_EQ(QFileInfo(p).path(), folder) << p.toStdString();
        seen.insert(p);
    }
    EXPECT_EQ(seen.size(), titles.size());

    // Long titles still fit a socket address and stay apart.
    const QString a = sys::windowSocketPath(folder, QString(200, u'a'));
    const QString b = sys::windowSocketPath(folder, QString(199, u'a') + u'b');
    EXPECT_LT(QFile::encodeName(a).size(), 108);
    EXPECT_NE(a, b);
}

TEST(WindowFinder, FindAndActivate)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    EXPECT_FALSE(sys::windowExists(folder, u"Corvane"_s));
    EXPECT_FALSE(sys::activateWindow(folder, u"Corvane"_s));

    int activations = 0;
    {
        WindowBeacon beacon(folder);
        beacon.onActivate = [&activations] { ++activations; };
        ASSERT_TRUE(beacon.listen(u"Corvane"_s));
        EXPECT_EQ(beacon.title(), u"Corvane"_s);
        const QString socketPath = sys::windowSocketPath(folder, u"Corvane"_s);
        EXPECT_TRUE(QFileInfo::exists(socketPath));

        EXPECT_TRUE(sys::windowExists(folder, u"Corvane"_s));
        EXPECT_FALSE(sys::windowExists(folder, u"Corvane Help"_s));
        EXPECT_FALSE(sys::windowExists(folder, u"corvane"_s));

        ASSERT_TRUE(sys::activateWindow(folder, u"Corvane"_s));
        EXPECT_TRUE(testsupport::waitFor([&] { return activations == 1; }, 5000));
        ASSERT_TRUE(sys::activateWindow(folder, u"Corvane"_s));
        EXPECT_TRUE(testsupport::waitFor([&] { return activations == 2; }, 5000));
        // Listening again under the same title keeps the name.
        EXPECT_TRUE(beacon.listen(u"Corvane"_s));
        EXPECT_TRUE(sys::windowExists(folder, u"Corvane"_s));
    }
    // The name is given back when the program ends.
    EXPECT_FALSE(sys::windowExists(folder, u"Corvane"_s));
    EXPECT_FALSE(QFileInfo::exists(sys::windowSocketPath(folder, u"Corvane"_s)));
    testsupport::waitFor([] { return false; }, 100);
    EXPECT_EQ(activations, 2);
}

TEST(WindowFinder, OtherMessagesDoNotActivate)
{
    QTemporaryDir dir;
    WindowBeacon beacon(dir.path());
    int activations = 0;
    beacon.onActivate = [&activations] { ++activations; };
    ASSERT_TRUE(beacon.listen(u"Corvane"_s));
    EXPECT_TRUE(sys::windowExists(dir.path(), u"Corvane"_s)); // a bare connection
    for (const QByteArray& message : {QByteArray("hello\n"), QByteArray("activate now\n"), QByteArray("activate")}) {
        QLocalSocket peer;
        peer.connectToServer(sys::windowSocketPath(dir.path(), u"Corvane"_s));
        ASSERT_TRUE(peer.waitForConnected(1000));
        peer.write(message);
        ASSERT_TRUE(peer.waitForBytesWritten(1000));
        peer.disconnectFromServer();
    }
    testsupport::waitFor([] { return false; }, 200);
    EXPECT_EQ(activations, 0);
}

TEST(WindowFinder, NewTitleFreesTheOldName)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    WindowBeacon beacon(folder);
    ASSERT_TRUE(beacon.listen(u"Corvane"_s));
    ASSERT_TRUE(beacon.listen(u"Corvane - page"_s));
    EXPECT_EQ(beacon.title(), u"Corvane - page"_s);
    EXPECT_FALSE(sys::windowExists(folder, u"Corvane"_s));
    EXPECT_TRUE(sys::windowExists(folder, u"Corvane - page"_s));

    WindowBeacon other(folder);
    EXPECT_TRUE(other.listen(u"Corvane"_s));
    // A name a live program holds cannot be taken from it.
    WindowBeacon third(folder);
    int stolen = 0, kept = 0;
    third.onActivate = [&stolen] { ++stolen; };
    other.onActivate = [&kept] { ++kept; };
    EXPECT_FALSE(third.listen(u"Corvane"_s));
    ASSERT_TRUE(sys::activateWindow(folder, u"Corvane"_s));
    EXPECT_TRUE(testsupport::waitFor([&] { return kept == 1; }, 5000));
    EXPECT_EQ(stolen, 0);
}

TEST(WindowFinder, StaleSocketIsReplaced)
{
    QTemporaryDir dir;
    const QString path = sys::windowSocketPath(dir.path(), u"CorvaneHelp"_s);
    ASSERT_TRUE(makeStaleSocket(path));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(sys::windowExists(dir.path(), u"CorvaneHelp"_s));

    WindowBeacon beacon(dir.path());
    int activations = 0;
    beacon.onActivate = [&activations] { ++activations; };
    ASSERT_TRUE(beacon.listen(u"CorvaneHelp"_s));
    EXPECT_TRUE(sys::windowExists(dir.path(), u"CorvaneHelp"_s));
    ASSERT_TRUE(sys::activateWindow(dir.path(), u"CorvaneHelp"_s));
    EXPECT_TRUE(testsupport::waitFor([&] { return activations == 1; }, 5000));
}

TEST(WindowFinder, SocketFolder)
{
    EXPECT_EQ(sys::defaultSocketFolder(), qEnvironmentVariable("XDG_RUNTIME_DIR"));

    QTemporaryDir tmp;
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));

    const QString expected = tmp.path() + "/corvane-"_L1 + QString::number(::getuid());
    const QString folder = sys::defaultSocketFolder();
    EXPECT_EQ(folder, expected);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // An own folder that others could enter is closed.
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(sys::defaultSocketFolder(), expected);
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A name taken by something else is not used.
    QDir(folder).removeRecursively();
    ASSERT_TRUE(testsupport::writeFile(expected, "squatter"));
    EXPECT_EQ(sys::defaultSocketFolder(), expected + "-1"_L1);
    QFile::remove(expected);
    ASSERT_TRUE(QFile::link(tmp.path(), expected));
    EXPECT_EQ(sys::defaultSocketFolder(), expected + "-1"_L1);

    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    if (savedTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp);
}

// A runtime folder too deep for a socket address: the programs meet in the temporary
// folder instead, and find each other there.
TEST(WindowFinder, ARuntimeFolderTooDeepForASocketIsPassedOver)
{
    QTemporaryDir tmp;
    const QString deep = tmp.path() + u'/' + QString(100, u'r');
    ASSERT_TRUE(QDir().mkpath(deep));
    struct Restore {
        QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        QByteArray tmp = qgetenv("TMPDIR");
        ~Restore()
        {
            qputenv("XDG_RUNTIME_DIR", runtime);
            if (tmp.isNull())
                qunsetenv("TMPDIR");
            else
                qputenv("TMPDIR", tmp);
        }
    } restore;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(deep));
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));

    const QString folder = sys::defaultSocketFolder();
    EXPECT_EQ(folder, tmp.path() + "/corvane-"_L1 + QString::number(::getuid()));
    sys::WindowBeacon beacon(folder);
    int activations = 0;
    beacon.onActivate = [&] { ++activations; };
    ASSERT_TRUE(beacon.listen(u"Corvane"_s));
    ASSERT_TRUE(sys::activateWindow(sys::defaultSocketFolder(), u"Corvane"_s));
    EXPECT_TRUE(testsupport::waitFor([&] { return activations == 1; }, 5000));
}
