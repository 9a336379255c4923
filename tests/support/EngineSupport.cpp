#include "EngineSupport.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTest>
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

void clickAt(vb::WebBrowser& control, QPoint point)
{
    auto* view = qobject_cast<QWebEngineView*>(control.engine()->view());
    QWidget* input = view->focusProxy() ? view->focusProxy() : view;
    QTest::mouseClick(input, Qt::LeftButton, {}, point);
}

int webViewCount()
{
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        n += qobject_cast<QWebEngineView*>(w) ? 1 : 0;
    return n;
}

} // namespace testsupport
