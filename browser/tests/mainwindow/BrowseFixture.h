#pragma once
// The main window under test: an application object in test mode over a temporary folder,
// with the state start-up leaves (main browser 1 current on its home page), every message
// answered with OK and recorded. The scripted variant drives the browsers through the
// scripted engine, so that the wiring of the events is tested along with the handlers.

#include "BrowserState.h"
#include "ControlButton.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMessage.h"

#include "TestSupport.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QPixmap>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace browsetest {

inline bool samePicture(const QPixmap& a, const QPixmap& b)
{
    return !a.isNull() && a.toImage() == b.toImage();
}

// The home pages: browser 1's is a site root (so that the home-page rule of the location
// lists shows), the others are pages.
inline QString homePage(int i)
{
    if (i == 0)
        return QStringLiteral("http://home.velmora.example/");
    return QStringLiteral("http://www.velmora.example/home%1.html").arg(i + 1);
}

class BrowseFixture : public ::testing::Test {
protected:
    BrowseFixture()
    {
        corvane::AppConfig cfg;
        cfg.mode = vb::Runtime::Mode::Test;
        cfg.settingsPath = dir.filePath(QStringLiteral("config/Tavolin.ini"));
        cfg.programFolder = dir.filePath(QStringLiteral("prog/"));
        cfg.launcher.startDetached = [](const QString&, const QStringList&, const QString&) { return false; };
        cfg.launcher.openUrl = [](const QUrl&) { return false; };
        cfg.launcher.openSettingsApplet = [](sys::SettingsApplet) {};
        app = std::make_unique<corvane::CorvaneApp>(std::move(cfg));
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& form) {
            shown << app->msg.MessageId;
            shownInsideCallback << app->rt.inEngineCallback();
            if (whileShown)
                whileShown();
            static_cast<corvane::frmMessage&>(form).CommandMsgOK.click();
        });
    }
    ~BrowseFixture() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // What start-up does for the main window: the options, the browser-set state, the window
    // loaded and shown, and main browser 1 sent to its home page (guard set).
    void startMainWindow(int mainBrowserLastIndex = 0)
    {
        corvane::OptionVars& o = app->opt;
        o.MainBrowserLastIndex = mainBrowserLastIndex;
        for (int i = 0; i <= 5; ++i)
            o.MainBrowserHomePages[i] = homes[i];
        corvane::BrowserStateInit(app->set, app->opt, app->lists);
        app->prog.StartupShowing = true;
        auto* main = new corvane::frmMain(*app);
        app->mainForm = main;
        main->load();
        main->show();
        app->set.PopupGuard = true;
        main->WebBrowser[0].navigate(o.MainBrowserHomePages[0]);
        app->prog.StartupShowing = false;
    }

    corvane::frmMain& f() const { return *app->mainForm; }
    corvane::BrowserSet& s() const { return app->set; }

    // Exactly one of the three current-browser flags.
    int currentFlags() const
    {
        return int(s().MainBrowserCurrent) + int(s().TabBrowserCurrent) + int(s().BookmarkBrowserCurrent);
    }

    // The switch protocol of the window's own actions (switch buttons, tab buttons, the
    // bookmark browser): record the browser left, make the new one current, set what the
    // display must refresh, show.
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
    void switchToMain(int m)
    {
        leaveCurrent();
        corvane::BrowserSet& b = s();
        b.TabBrowserCurrent = false;
        b.BookmarkBrowserCurrent = false;
        b.TabCurrentIndex = 0;
        b.MainBrowserCurrent = true;
        b.MainBrowserIndex = m;
        b.LocationListPending = true;
        b.BackForwardPending = true;
        corvane::CurrentBrowserShow(*app);
    }
    void switchToTab(int t)
    {
        leaveCurrent();
        corvane::BrowserSet& b = s();
        b.MainBrowserCurrent = false;
        b.BookmarkBrowserCurrent = false;
        b.TabBrowserCurrent = true;
        b.TabCurrentIndex = t;
        b.BackForwardPending = true;
        b.ComLocationPending = b.FullWindowMode;
        corvane::CurrentBrowserShow(*app);
    }
    // Loads the bookmark browser (once) and makes it current.
    void switchToBookmarkBrowser()
    {
        if (!f().WebBrowser.exists(corvane::BookmarkBrowserIndex))
            f().WebBrowser.load(corvane::BookmarkBrowserIndex);
        leaveCurrent();
        corvane::BrowserSet& b = s();
        b.BookmarkBrowserOpen = true;
        b.MainBrowserCurrent = false;
        b.TabBrowserCurrent = false;
        b.TabCurrentIndex = 0;
        b.BookmarkBrowserCurrent = true;
        b.LocationListPending = true;
        b.BackForwardPending = true;
        corvane::CurrentBrowserShow(*app);
    }
    // What the tab actions do to close a tab that is not current.
    void closeTab(int t)
    {
        ASSERT_FALSE(s().TabBrowserCurrent && s().TabCurrentIndex == t);
        f().BrowserNew.unload(t);
        f().ComboWebLocation.unload(t);
        f().CommandWebNew[t].setEnabled(false);
        f().CommandWebComNew[t].setEnabled(false);
        s().TabSlotUsed[t] = false;
        s().TabTitles[t].clear();
        s().TabCount -= 1;
        testsupport::flushDeferredDeletes();
    }

    QTemporaryDir dir;
    std::unique_ptr<corvane::CorvaneApp> app;
    std::array<QString, 6> homes{homePage(0), homePage(1), homePage(2), homePage(3), homePage(4), homePage(5)};
    QStringList shown;               // ids of the messages shown, in order
    QList<bool> shownInsideCallback; // whether each was shown inside an engine callback
    std::function<void()> whileShown;
};

class ScriptedBrowseTest : public BrowseFixture {
protected:
    ScriptedBrowseTest()
    {
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>(QStringLiteral("https://search.velmora.example/"));
        engines = factory.get();
        app->rt.setWebEngine(std::move(factory));
    }

    // Start-up, and main browser 1's first page completed.
    void start(int mainBrowserLastIndex = 0)
    {
        startMainWindow(mainBrowserLastIndex);
        engineOf(f().WebBrowser[0]).completeNavigation(homePage(0));
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
    int openTabFromMain(const QString& url) { return openTab(f().WebBrowser[s().MainBrowserIndex], url); }

    // A whole navigation of b to url, as the engine reports it.
    void completeIn(vb::WebBrowser& b, const QString& url) { engineOf(b).completeNavigation(url); }

    vb::ScriptedWebEngineFactory* engines = nullptr;
};

} // namespace browsetest
