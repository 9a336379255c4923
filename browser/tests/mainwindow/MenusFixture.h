#pragma once
// The main window for the menu, slide-out and bar tests: an application object in test
// mode over a temporary folder, the browsers on the scripted engine, main browser 1 on its
// home page. Messages are answered with OK, the options dialog is recorded and closed, and
// the settings tools the window starts are recorded instead of started.

#include "BrowserState.h"
#include "ControlButton.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMessage.h"

#include "ProgramStart.h"
#include "TestApp.h"
#include "TestSupport.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace menustest {

inline QString homePage(int i)
{
    return QStringLiteral("http://home%1.velmora.example/").arg(i + 1);
}

class MenusFixture : public ::testing::Test {
protected:
    MenusFixture()
    {
        corvane::AppConfig cfg = corvanetest::testAppConfig(dir.path());
        cfg.launcher.openSettingsApplet = [this](sys::SettingsApplet a) {
            applets.push_back(a);
            return appletStart;
        };
        app = std::make_unique<corvane::CorvaneApp>(cfg);
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>();
        engines = factory.get();
        app->rt.setWebEngine(std::move(factory));
        app->rt.setResponder(QStringLiteral("frmMessage"), [](vb::Form& form) {
            static_cast<corvane::frmMessage&>(form).CommandMsgOK.click();
        });
        app->rt.setResponder(QStringLiteral("frmOptions"), [this](vb::Form& form) {
            ++optionsShown;
            optionsWasModal = form.isModal();
            form.hide();
        });
    }
    ~MenusFixture() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // The program starts with mainBrowserLastIndex + 1 main browsers, then main browser
    // 1's home page arrives (unless arrive is false).
    void start(int mainBrowserLastIndex = 0, bool arrive = true)
    {
        corvane::OptionVars& o = app->opt;
        o.MainBrowserLastIndex = mainBrowserLastIndex;
        for (int i = 0; i <= 5; ++i)
            o.HomePagesSaved[i] = homePage(i);
        ASSERT_TRUE(corvanetest::startAsReturningUser(*app, dir.filePath(QStringLiteral("prog"))));
        if (arrive)
            engineOf(f().WebBrowser[0]).completeNavigation(homePage(0));
    }

    corvane::frmMain& f() const { return *app->mainForm; }
    corvane::BrowserSet& s() const { return app->set; }
    corvane::PanelVars& p() const { return app->panel; }

    vb::ScriptedWebEngine& engineOf(vb::WebBrowser& b)
    {
        b.ensureEngine();
        vb::ScriptedWebEngine* e = engines->engineFor(b);
        EXPECT_NE(e, nullptr);
        return *e;
    }

    // The page on screen opens a window (a tab), which loads url; returns its slot.
    int openTab(const QString& url)
    {
        vb::WebBrowser* target = engineOf(*f().currentBrowser()).fireNewWindow2();
        for (int i = 1; target && i <= corvane::MaxTabs; ++i)
            if (f().BrowserNew.find(i) == target) {
                engineOf(*target).completeNavigation(url);
                return i;
            }
        ADD_FAILURE() << "no tab opened";
        return 0;
    }

    // Button b shows face n of the picture store.
    bool hasFace(const vb::CommandButton& b, int n) const
    {
        return b.picture().cacheKey() == f().BButton[n].picture().cacheKey();
    }

    // Ticks of the slide timer until its slide ends (at most 20).
    int slideToEnd()
    {
        int ticks = 0;
        while (s().SlideActive && ticks < 20) {
            f().TimerMainFrame.fire();
            ++ticks;
        }
        return ticks;
    }

    // The user opens menu i from the normal band and waits for its slide.
    void openMenu(int i)
    {
        ASSERT_TRUE(f().CommandMenu[i].click()) << "menu " << i;
        slideToEnd();
        ASSERT_EQ(s().MenuOpenIndex, i);
    }

    // Full-window mode with the Controls bar shown.
    void enterFullWindowWithControls()
    {
        ASSERT_TRUE(f().CommandFullBrow.click());
        ASSERT_TRUE(f().CommandZero.click());
        ASSERT_TRUE(f().FrameOne.isVisible());
    }

    // Where a panel opened from the open menu goes.
    QPoint panelPointOf(int menu) const
    {
        const vb::Frame& m = f().FrameMenu[menu];
        return {m.left() + 16, m.top() + m.height()};
    }
    static QPoint at(const vb::Control& c) { return {c.left(), c.top()}; }

    QTemporaryDir dir;
    std::unique_ptr<corvane::CorvaneApp> app;
    vb::ScriptedWebEngineFactory* engines = nullptr;
    std::vector<sys::SettingsApplet> applets;
    sys::SettingsAppletStart appletStart{.started = true}; // what opening a settings tool does
    int optionsShown = 0;
    bool optionsWasModal = false;
};

} // namespace menustest
