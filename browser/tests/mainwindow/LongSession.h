#pragma once
// A user's long session with the whole program, shared by the soak test and the long-session
// benchmark: the real start-up with six main browsers in a fresh home, on the real engine,
// with pages from a loopback HTTP server, and every step a real click or key through Qt's
// event path. The program runs as it does for a user: modal dialogs run their own event
// loop, and a watch answers the ones a step expects and reports any other.
//
// Each road is one cycle that ends where it began (main browser 1 on screen, nothing open),
// so that what a cycle leaves behind can be counted.

#include "LoopbackServer.h"
#include "SessionCensus.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

namespace corvane {
class CorvaneApp;
class frmMain;
struct BrowserSet;
} // namespace corvane

namespace vb {
class Control;
class Form;
class QtWebEngineFactory;
class WebBrowser;
} // namespace vb

namespace longsession {

// Tabs a secondary window's page opens in that window.
inline constexpr int WindowTabs = 4;

class LongSession {
public:
    // home: a fresh folder for the program, its settings and the engine's profile.
    explicit LongSession(const QString& home);
    ~LongSession();
    LongSession(const LongSession&) = delete;
    LongSession& operator=(const LongSession&) = delete;

    // Each failed step is told here (and kept in failures()).
    std::function<void(const QString&)> onFailure;

    // The start-up, until main browser 1 shows its home page.
    bool start();
    // Each main browser shown once (each is made on its first show).
    bool showEveryBrowser();

    // The roads. Tabs: the current main browser goes to a page that opens 24 tabs one by
    // one; a 25th is refused with a message; some are looked at; they are closed, by turns
    // with the normal bar's Close All, the Select panel and the full-window bar's Close All.
    bool tabsCycle(int round);
    // Four switches with the band's browser buttons, the last one back to main browser 1.
    bool switchCycle(int round);
    // Every menu opened and closed, every panel each opens (the chooser and the options
    // dialog among them), the Run box, full-window mode with the Controls bar.
    bool menusCycle();
    // A secondary window from Open > New Browser on a page that opens tabs in it, closed
    // with its Close.
    bool windowCycle(int n);
    static constexpr int SwitchesPerCycle = 4;

    // Nothing loads, no deletion is pending, and the engines alive are those of the main
    // browsers (counted after showEveryBrowser).
    bool quiet();
    // The census's figures once they have stayed the same for half a second (five seconds
    // at most): what a step has just done may still have a timer pending.
    testsupport::CensusFigures atRest(const testsupport::SessionCensus& census);
    // Runs f with the watch for dialogs stopped, so that it is not among the timers counted.
    template <class F> auto withoutWatch(F f)
    {
        m_modalWatch.stop();
        auto result = f();
        m_modalWatch.start();
        return result;
    }

    corvane::CorvaneApp& app() const { return *m_app; }
    const QStringList& failures() const { return m_failures; }

private:
    bool click(const vb::Control& c, const QString& what);
    bool typeInto(const vb::Control& box, const QString& text, const QString& what);
    bool go(const QString& address);
    bool expect(bool ok, const QString& what);
    void fail(const QString& what);
    // The next modal form of this name is answered by act once it is open.
    void whenModal(const QString& form, std::function<void(vb::Form&)> act);
    void watchModals();
    // A click on button, after which panel is on screen (opens) or not (closes).
    bool opens(const vb::Control& button, const vb::Control& panel, const QString& what);
    bool closes(const vb::Control& button, const vb::Control& panel, const QString& what);
    // Menu i opened with its button (its slide waited for), closed with item.
    bool openMenu(int i);
    bool closeMenu(const vb::Control& item, int i);
    bool slideDone();
    bool settled(const vb::WebBrowser& b, const QString& address);

    corvane::frmMain& f() const;
    corvane::BrowserSet& s() const;
    QString url(const QString& path) const { return m_server.url(path); }

    QString m_home;
    testsupport::LoopbackServer m_server;
    QStringList m_homes;
    // Declared after the server: the engine goes before the server it loads from.
    std::unique_ptr<corvane::CorvaneApp> m_app;
    vb::QtWebEngineFactory* m_engine = nullptr;
    int m_engines = -1;
    QTimer m_modalWatch;
    QString m_modalForm;
    std::function<void(vb::Form&)> m_modalAct;
    QStringList m_failures;
};

// Waits for pred while the event loop sleeps until the next event; deferred deletions run
// on the way. It leaves no timer behind.
bool waitFor(const std::function<bool()>& pred, int timeoutMs = 20000);

} // namespace longsession
