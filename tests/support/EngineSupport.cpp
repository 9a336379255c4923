#include "EngineSupport.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace testsupport {

QString profileStorageFor(const QString& prefix)
{
    const QString storage = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/')
        + prefix + QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
    QDir().mkpath(storage);
    return storage;
}

namespace {

// The files under folder that the process holds open.
QStringList openFilesOf(qint64 pid, const QString& folder)
{
    QStringList open;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = fd.symLinkTarget();
        if (target.startsWith(folder + QLatin1Char('/')))
            open << target;
    }
    return open;
}

} // namespace

bool waitUntilFilesClosed(const QString& folder, int timeoutMs, QStringList* notClosed)
{
    const QString root = QDir(folder).absolutePath();
    QStringList open;
    const bool closed = waitFor(
        [&] {
            open = openFilesOf(QCoreApplication::applicationPid(), root);
            for (qint64 child : childProcesses(QCoreApplication::applicationPid()))
                open += openFilesOf(child, root);
            return open.isEmpty();
        },
        timeoutMs);
    if (notClosed)
        *notClosed = open;
    return closed;
}

std::unique_ptr<vb::QtWebEngineFactory> headlessEngine(const QString& searchPage, const QString& storagePath)
{
    // The engine's start says so on a machine without a GPU.
    expectQtMessage(QStringLiteral("No suitable graphics backend found"));
    vb::QtWebEngineFactory::Config config;
    config.searchPage = searchPage;
    config.storagePath = storagePath;
    return std::make_unique<vb::QtWebEngineFactory>(config);
}

QWebEnginePage* pageOf(vb::WebBrowser& control)
{
    auto* view = control.engine() ? qobject_cast<QWebEngineView*>(control.engine()->view()) : nullptr;
    return view ? view->page() : nullptr;
}

QVariant runScript(vb::WebBrowser& control, const QString& script)
{
    QVariant result;
    bool done = false;
    QWebEnginePage* page = pageOf(control);
    if (!page) {
        ADD_FAILURE() << "no page";
        return result;
    }
    page->runJavaScript(script, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    EXPECT_TRUE(waitFor([&] { return done; })) << script.toStdString();
    return result;
}

QVariantList clickPointOf(vb::WebBrowser& control, const QString& id)
{
    return runScript(control, QStringLiteral("(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                                             "return [r.left + 5, r.top + 5];})()")
                                  .arg(id))
        .toList();
}

QWidget* inputWidgetOf(vb::WebBrowser& control)
{
    auto* view = control.engine() ? qobject_cast<QWebEngineView*>(control.engine()->view()) : nullptr;
    if (!view)
        return nullptr;
    return view->focusProxy() ? view->focusProxy() : view;
}

void clickAt(vb::WebBrowser& control, QPoint point)
{
    QTest::mouseClick(inputWidgetOf(control), Qt::LeftButton, {}, point);
}

bool clickElement(vb::WebBrowser& control, const QString& id)
{
    const QVariantList at = clickPointOf(control, id);
    if (at.size() != 2)
        return false;
    return clickUntilSeen(control, QPoint(at[0].toInt(), at[1].toInt()));
}

bool clickUntilSeen(vb::WebBrowser& control, QPoint point)
{
    runScript(control, QStringLiteral("if (!window.pressesSeen) { window.pressesSeen = 0;"
                                      "document.addEventListener('mousedown', function () { window.pressesSeen++; }, true); }"
                                      "true"));
    const int seen = runScript(control, QStringLiteral("window.pressesSeen")).toInt();
    for (int attempt = 0; attempt < 20; ++attempt) {
        clickAt(control, point);
        if (waitFor([&] { return runScript(control, QStringLiteral("window.pressesSeen")).toInt() > seen; }, 300))
            return true;
    }
    return false;
}

bool documentShown(vb::WebBrowser& control)
{
    return waitFor([&] {
        return runScript(control, QStringLiteral("document.readyState + ' ' + (performance.getEntriesByType('paint').length > 0)"))
                   .toString()
            == QStringLiteral("complete true");
    });
}

bool showsText(vb::WebBrowser& control)
{
    QWidget* view = control.engine() ? control.engine()->view() : nullptr;
    if (!view || !view->isVisible())
        return false;
    const QImage image = view->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

namespace {

// Calls act with the dialog find() gives once it is open and has the focus, from the event
// loop; gives up after timeoutMs.
void whenOpen(std::function<QWidget*()> find, std::function<void(QWidget*)> act, int timeoutMs)
{
    auto* poll = new QTimer(qApp);
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, deadline, find = std::move(find), act = std::move(act)] {
        QWidget* dialog = find();
        // The user acts on the dialog once it has come to the front and has the focus.
        if (dialog && !dialog->isActiveWindow() && !deadline->hasExpired()) {
            dialog->activateWindow();
            return;
        }
        if (!dialog && !deadline->hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (dialog)
            act(dialog);
        else
            ADD_FAILURE() << "no dialog opened";
    });
    poll->start(20);
}

} // namespace

void whenModal(std::function<void(QWidget*)> act, int timeoutMs)
{
    whenOpen([] { return QApplication::activeModalWidget(); }, std::move(act), timeoutMs);
}

void whenPageDialog(std::function<void(QWidget*)> act, int timeoutMs)
{
    whenOpen(
        [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QStringLiteral("pageDialog") && w->isVisible())
                    return w;
            return static_cast<QWidget*>(nullptr);
        },
        std::move(act), timeoutMs);
}

int webViewCount()
{
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        n += qobject_cast<QWebEngineView*>(w) ? 1 : 0;
    return n;
}

} // namespace testsupport
