#pragma once
// The main window under test: an application object in test mode over a temporary folder,
// brought to the state start-up leaves (main browser 1 current, sent to its home page);
// every message answered with OK and recorded. MainWindowFixture leaves the engine to the
// test; ScriptedMainWindowFixture puts the browsers on the scripted engine, whose events
// the tests raise themselves, so that the wiring of the events is tested along with the
// handlers.

#include "BrowserState.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMessage.h"

#include "ProgramStart.h"
#include "TestApp.h"
#include "TestSupport.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>

namespace mainwindowtest {

// The user types an address into the location box on screen and presses Go.
inline void typeAndGo(corvane::CorvaneApp& app, const QString& typed)
{
    corvane::frmMain& f = *app.mainForm;
    const corvane::BrowserSet& s = app.set;
    vb::ComboBox& box = s.TabBrowserCurrent ? f.ComboWebLocation[s.TabCurrentIndex] : f.ComboLocation;
    box.setText(QString());
    box.type(typed);
    ASSERT_TRUE(f.CommandGo.click()) << typed.toStdString();
}

// b has committed address, nothing loads and the guard is down.
inline bool settledAt(const corvane::BrowserSet& s, const vb::WebBrowser& b, const QString& address)
{
    return b.locationURL() == address && !s.PopupGuard && s.LoadingBrowserIndex == -1 && s.TabLoadingIndex == -1;
}

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() { makeApp(dir.path()); }

    // The program over the machine at root, not started yet; the one before goes.
    void makeApp(const QString& root)
    {
        app.reset();
        testsupport::flushDeferredDeletes();
        machine = root;
        app = std::make_unique<corvane::CorvaneApp>(corvanetest::testAppConfig(root));
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& form) {
            shown << app->msg.MessageId;
            shownInsideCallback << app->rt.inEngineCallback();
            if (whileShown)
                whileShown();
            static_cast<corvane::frmMessage&>(form).CommandMsgOK.click();
        });
    }
    ~MainWindowFixture() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // The program starts with mainBrowserLastIndex + 1 main browsers on the home pages
    // homes: the window is shown and main browser 1 is sent to its home page.
    void startMainWindow(int mainBrowserLastIndex)
    {
        corvane::OptionVars& o = app->opt;
        o.MainBrowserLastIndex = mainBrowserLastIndex;
        o.HomePagesSaved = homes;
        ASSERT_TRUE(corvanetest::startAsReturningUser(*app, programFolder()));
    }
    QString programFolder() const { return machine + QStringLiteral("/prog"); }

    corvane::frmMain& f() const { return *app->mainForm; }
    corvane::BrowserSet& s() const { return app->set; }

    // Exactly one of the three current-browser flags.
    int currentFlags() const
    {
        return int(s().MainBrowserCurrent) + int(s().TabBrowserCurrent) + int(s().BookmarkBrowserCurrent);
    }

    // How the window's own actions switch browsers: record the browser left, make the new
    // one current and set what the display must refresh; the caller shows it.
    void leaveCurrent()
    {
        corvane::BrowserSet& b = s();
        if (b.TabBrowserCurrent) {
            b.ReturnIsTab = true;
            b.BrowserReturnIndex = b.TabCurrentIndex;
        } else {
            b.ReturnIsMain = true;
            b.BrowserReturnIndex = b.BookmarkBrowserCurrent ? corvane::BookmarkBrowserIndex : b.MainBrowserIndex;
        }
    }
    void makeBookmarkBrowserCurrent()
    {
        leaveCurrent();
        corvane::BrowserSet& b = s();
        b.BookmarkBrowserOpen = true;
        b.MainBrowserCurrent = false;
        b.TabBrowserCurrent = false;
        b.TabCurrentIndex = 0;
        b.BookmarkBrowserCurrent = true;
        b.LocationListPending = true;
        b.BackForwardPending = true;
    }

    QTemporaryDir dir;
    QString machine; // the folder the program's machine lies in
    std::unique_ptr<corvane::CorvaneApp> app;
    std::array<QString, 6> homes;    // the main browsers' home pages, for startMainWindow
    QStringList shown;               // ids of the messages shown, in order
    QList<bool> shownInsideCallback; // whether each was shown inside an engine callback
    std::function<void()> whileShown;
};

class ScriptedMainWindowFixture : public MainWindowFixture {
protected:
    ScriptedMainWindowFixture() { useScriptedEngine(); }

    // Another program on a machine of its own, on the scripted engine: for a table whose
    // rows each start from nothing.
    void makeScriptedApp(const QString& name)
    {
        makeApp(dir.filePath(name));
        useScriptedEngine();
    }
    void useScriptedEngine()
    {
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>(QStringLiteral("https://search.velmora.example/"));
        engines = factory.get();
        app->rt.setWebEngine(std::move(factory));
    }

    // Start-up, and main browser 1's home page arrives.
    void startOnHomePage(int mainBrowserLastIndex)
    {
        startMainWindow(mainBrowserLastIndex);
        mainEngine(0).completeNavigation(homes[0]);
    }

    vb::ScriptedWebEngine& engineOf(vb::WebBrowser& b)
    {
        b.ensureEngine();
        vb::ScriptedWebEngine* e = engines->engineFor(b);
        EXPECT_NE(e, nullptr);
        return *e;
    }
    vb::ScriptedWebEngine& mainEngine(int m) { return engineOf(f().WebBrowser[m]); }
    vb::ScriptedWebEngine& tabEngine(int t) { return engineOf(f().BrowserNew[t]); }

    // A page of opener asks for a new window, which then loads url. Returns the new tab's
    // slot, or 0 when nothing opened.
    int openTab(vb::WebBrowser& opener, const QString& url)
    {
        vb::WebBrowser* target = engineOf(opener).fireNewWindow2();
        if (!target)
            return 0;
        for (int i = 1; i <= corvane::MaxTabs; ++i)
            if (f().BrowserNew.find(i) == target) {
                engineOf(*target).completeNavigation(url);
                return i;
            }
        ADD_FAILURE() << "the new window is not a tab browser";
        return 0;
    }

    vb::ScriptedWebEngineFactory* engines = nullptr;
};

} // namespace mainwindowtest
