// GoogleTest main for every test program: a QApplication on the offscreen platform, a
// fresh configuration and data home, and Qt warnings turned into test failures: among them
// a page that outlives its profile (its cookies are lost) and painting outside a paint
// event.

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

QMutex g_expectedMutex;
// A message that fails no test because none runs (the engine's shutdown after the last
// test): it fails the whole program instead.
std::atomic<bool> g_strayMessage{false};
QStringList& expected()
{
    static QStringList list;
    return list;
}

void messageHandler(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    {
        QMutexLocker lock(&g_expectedMutex);
        for (const QString& f : expected())
            if (msg.contains(f))
                return;
    }
    // Noise of the offscreen platform and of the engine's start that says nothing about our code.
    static const char* const harmless[] = {
        "This plugin does not support", "propagateSizeHints", "QFont::", "Fontconfig",
        "sandbox", "Sandboxing disabled", "GPU", "gpu", "dbus", "DBus",
        "Could not find the Qt platform plugin", "No such file or directory (2)",
        "No suitable graphics backend found",
    };
    for (const char* h : harmless)
        if (msg.contains(QLatin1String(h)))
            return;
    if (!::testing::UnitTest::GetInstance()->current_test_info()) {
        std::fprintf(stderr, "Qt message outside every test: %s\n", qPrintable(msg));
        g_strayMessage = true;
        return;
    }
    ADD_FAILURE() << "Qt message: " << msg.toStdString();
}

} // namespace

namespace testsupport {
void expectQtMessage(const QString& fragment)
{
    QMutexLocker lock(&g_expectedMutex);
    expected().append(fragment);
}
void clearExpectedQtMessages()
{
    QMutexLocker lock(&g_expectedMutex);
    expected().clear();
}
} // namespace testsupport

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Tests never touch the real home: configuration, data and cache go to a fresh folder.
    QTemporaryDir home;
    if (home.isValid()) {
        const QByteArray h = home.path().toUtf8();
        qputenv("HOME", h);
        qputenv("XDG_CONFIG_HOME", h + "/config");
        qputenv("XDG_DATA_HOME", h + "/data");
        qputenv("XDG_CACHE_HOME", h + "/cache");
        qputenv("XDG_RUNTIME_DIR", h + "/runtime");
        const QString runtime = home.path() + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Headless engine: no GPU, no background traffic (there is no network here).
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --disable-background-networking --disable-component-update --no-first-run");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.debug=false");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    qInstallMessageHandler(messageHandler);
    const int rc = RUN_ALL_TESTS();
    testsupport::flushDeferredDeletes();
    return rc != 0 || g_strayMessage ? 1 : 0;
}
