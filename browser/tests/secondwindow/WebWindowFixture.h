#pragma once
// Secondary windows under test: an application object in test mode over a temporary
// folder, its browsers on the scripted engine (whose events the tests raise themselves),
// every message answered with OK and recorded. A window is opened as the main window
// opens one for a page's new window; the main window itself is started only by the tests
// that need it.

#include "BrowserState.h"
#include "ControlButton.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMessage.h"
#include "frmWeb.h"

#include "ProgramStart.h"
#include "TestApp.h"
#include "TestSupport.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <array>
#include <memory>

namespace webwindowtest {

using corvane::frmWeb;
using testsupport::samePicture;

// The application without a web engine; the tests choose theirs.
class WebWindowApp : public ::testing::Test {
protected:
    WebWindowApp()
    {
        app = std::make_unique<corvane::CorvaneApp>(corvanetest::testAppConfig(dir.path()));
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
        app->prog.SettingsFilePath = dir.filePath(QStringLiteral("Set.Velmora"));
        app->prog.BookmarkFilePath = dir.filePath(QStringLiteral("Mark.Velmora"));
        app->prog.HistoryFilePath = dir.filePath(QStringLiteral("Hist.Velmora"));
        app->prog.NotesFilePath = dir.filePath(QStringLiteral("Note.Velmora"));
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& form) {
            shown << app->msg.MessageId;
            shownInsideCallback << app->rt.inEngineCallback();
            static_cast<corvane::frmMessage&>(form).CommandMsgOK.click();
        });
    }
    ~WebWindowApp() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // What the main window does for a page's new window: the window is created and
    // loaded, its own page registered as a browser, and it is shown in front.
    frmWeb& openWindow()
    {
        auto* w = &app->rt.create<frmWeb>(*app);
        w->load();
        w->show();
        w->zOrder(0);
        return *w;
    }
    // The program starts on the home pages homes: the main window is shown and main
    // browser 1 is sent to its home page.
    corvane::frmMain& startMainWindow()
    {
        app->opt.HomePagesSaved = homes;
        EXPECT_TRUE(corvanetest::startAsReturningUser(*app, dir.filePath(QStringLiteral("prog"))));
        return *app->mainForm;
    }

    // The slot of the browser a new window was handed, -1 when none.
    static int slotOf(const frmWeb& w, const vb::WebBrowser* b)
    {
        for (int i = 0; i <= frmWeb::MaxPopTabs; ++i)
            if (b && w.BrowserPop.find(i) == b)
                return i;
        return -1;
    }
    // The browsers of w on screen.
    static QList<int> slotsOnScreen(const frmWeb& w)
    {
        QList<int> on;
        for (int i : w.BrowserPop.indices())
            if (w.BrowserPop[i].isVisible())
                on << i;
        return on;
    }

    // The secondary windows now loaded.
    QList<frmWeb*> windows() const
    {
        QList<frmWeb*> found;
        for (const auto& form : app->rt.forms())
            if (auto* w = qobject_cast<frmWeb*>(form.data()))
                found << w;
        return found;
    }

    QTemporaryDir dir;
    std::unique_ptr<corvane::CorvaneApp> app;
    // The main browsers' home pages, for startMainWindow.
    std::array<QString, 6> homes{QStringLiteral("http://home1.velmora.example/"), QStringLiteral("http://home2.velmora.example/"),
                                 QStringLiteral("http://home3.velmora.example/"), QStringLiteral("http://home4.velmora.example/"),
                                 QStringLiteral("http://home5.velmora.example/"), QStringLiteral("http://home6.velmora.example/")};
    QStringList shown;               // ids of the messages shown, in order
    QList<bool> shownInsideCallback; // whether each was shown inside an engine callback
};

// The application on the scripted engine.
class WebWindowTest : public WebWindowApp {
protected:
    WebWindowTest()
    {
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>(QStringLiteral("https://search.velmora.example/"));
        engines = factory.get();
        app->rt.setWebEngine(std::move(factory));
    }

    // A window whose own page (the page the opener asked for) has arrived.
    frmWeb& openWindowAt(const QString& url)
    {
        frmWeb& w = openWindow();
        complete(w, 0, url);
        return w;
    }

    vb::ScriptedWebEngine& engineOf(vb::WebBrowser& b)
    {
        b.ensureEngine();
        vb::ScriptedWebEngine* e = engines->engineFor(b);
        EXPECT_NE(e, nullptr);
        return *e;
    }
    vb::ScriptedWebEngine& engineOf(frmWeb& w, int slot) { return engineOf(w.BrowserPop[slot]); }

    // A whole navigation of slot's browser to url, as the engine reports it.
    void complete(frmWeb& w, int slot, const QString& url) { engineOf(w, slot).completeNavigation(url); }

    // A page of slot "from" asks for a new window, which then loads url. Returns the new
    // tab's slot, or 0 when nothing opened.
    int openTab(frmWeb& w, int from, const QString& url)
    {
        vb::WebBrowser* target = engineOf(w, from).fireNewWindow2();
        if (!target)
            return 0;
        const int slot = slotOf(w, target);
        EXPECT_GE(slot, 1) << "the new window is not a tab of this window";
        if (slot >= 1)
            engineOf(*target).completeNavigation(url);
        return slot;
    }
    // n tabs, each opened from the tab shown, at site(1)..site(n).
    void openTabs(frmWeb& w, int n)
    {
        for (int i = 1; i <= n; ++i)
            ASSERT_GE(openTab(w, w.PopTabCurrent, site(i)), 1) << i;
    }

    static QString site(int n) { return QStringLiteral("http://site%1.velmora.example/").arg(n); }

    // The main window started, its first page arrived.
    corvane::frmMain& startMainWindowOnHomePage()
    {
        corvane::frmMain& main = startMainWindow();
        engineOf(main.WebBrowser[0]).completeNavigation(app->opt.MainBrowserHomePages[0]);
        return main;
    }

    vb::ScriptedWebEngineFactory* engines = nullptr;
};

} // namespace webwindowtest
