#pragma once
// Helpers for the tests that run the real engine, headless (library test_support_engine).

#include "web/QtWebEngine.h"
#include "web/WebBrowser.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QWebEnginePage;
class QWidget;

namespace testsupport {

// A folder for the profile storage of the running test, named prefix and the test's name.
// It lies in the test program's own home, which goes only when the program ends: the
// engine still writes to the storage for a while after the profile went.
QString profileStorageFor(const QString& prefix = {});

// Waits, with the event loop running, until neither this process nor any of its child
// processes holds a file under folder open: the engine closes the files of a profile it was
// given on its own threads, a little after the profile went. False when some stay open
// for timeoutMs; notClosed then names them.
bool waitUntilFilesClosed(const QString& folder, int timeoutMs = 10000, QStringList* notClosed = nullptr);

// The real engine with its profile stored in storagePath; GoSearch goes to searchPage.
std::unique_ptr<vb::QtWebEngineFactory> headlessEngine(const QString& searchPage, const QString& storagePath);

// The engine's page behind a control (nullptr while it has none).
QWebEnginePage* pageOf(vb::WebBrowser& control);

// Runs script in the control's page and waits for its result.
QVariant runScript(vb::WebBrowser& control, const QString& script);

// Where a user would click the element of the page with this id, just inside its top left
// corner: [x, y], or less when there is no such element.
QVariantList clickPointOf(vb::WebBrowser& control, const QString& id);

// A real click of the left mouse button at point of the control's view.
void clickAt(vb::WebBrowser& control, QPoint point);

// A real click on the element of the page with this id. The engine drops input that comes
// too soon after a page appears (no person clicks that fast): the click is made again until
// the page has seen a press. False when it never did.
bool clickElement(vb::WebBrowser& control, const QString& id);

// The same for a point of the view. Clicking an empty spot this way first makes sure that a
// click which must land exactly once (a link that opens a window) is not dropped.
bool clickUntilSeen(vb::WebBrowser& control, QPoint point);

// Waits until the control's document is loaded and painted (input reaches it only then).
bool documentShown(vb::WebBrowser& control);

// The widget of the control's view that takes the user's keys and clicks.
QWidget* inputWidgetOf(vb::WebBrowser& control);

// The engine views that exist in the application.
int webViewCount();

// Whether the control's view is on screen and shows something dark (text on a page).
bool showsText(vb::WebBrowser& control);

// Calls act with the next modal dialog once it is open, from the event loop (the dialog's
// own, while it runs); act must close it. Gives up after timeoutMs.
void whenModal(std::function<void(QWidget* dialog)> act, int timeoutMs = 10000);

// The same for the next dialog a page asks its question in (it is not modal).
void whenPageDialog(std::function<void(QWidget* dialog)> act, int timeoutMs = 10000);

} // namespace testsupport
