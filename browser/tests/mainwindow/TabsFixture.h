#pragma once
// The main window as start-up leaves it (main browser 1 current on its home page), for the
// browser switching, tab and bookmark tests. The browsers run on the scripted engine: the
// tests raise each engine event themselves, so the wiring of the events is tested along
// with the handlers. Every message is answered with OK and recorded.

#include "BrowserState.h"
#include "ControlBookmark.h"
#include "ControlButton.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMessage.h"

#include "TestSupport.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace tabstest {

inline bool samePicture(const QPixmap& a, const QPixmap& b)
{
    return !a.isNull() && a.toImage() == b.toImage();
}

// Home page of main browser i (0..5): site roots, so that their short names are plain.
inline QString homePage(int i)
{
    return QStringLiteral("http://home%1.velmora.example/").arg(i + 1);
}

// A page whose site's short name is "tab<n>.velmora".
inline QString tabPage(int n)
{
    return QStringLiteral("http://tab%1.velmora.example/page.html").arg(n);
}

inline QColor buttonText()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

inline QColor rowColour(const vb::TextBox& row)
{
    return row.widget()->palette().color(QPalette::Text);
}

class TabsFixture : public ::testing::Test {
protected:
    TabsFixture()
    {
        corvane::AppConfig cfg;
        cfg.mode = vb::Runtime::Mode::Test;
        cfg.settingsPath = dir.filePath(QStringLiteral("config/Tavolin.ini"));
        cfg.programFolder = dir.filePath(QStringLiteral("prog/"));
        cfg.socketFolder = dir.filePath(QStringLiteral("sockets"));
        cfg.launcher.startDetached = [](const QString&, const QStringList&, const QString&) { return false; };
        cfg.launcher.openUrl = [](const QUrl&) { return false; };
        cfg.launcher.openSettingsApplet = [](sys::SettingsApplet) {};
        app = std::make_unique<corvane::CorvaneApp>(std::move(cfg));
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>();
        engines = factory.get();
        app->rt.setWebEngine(std::move(factory));
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& form) {
            shown << app->msg.MessageId;
            static_cast<corvane::frmMessage&>(form).CommandMsgOK.click();
        });
    }
    ~TabsFixture() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // What start-up does for the main window, with mainBrowserLastIndex + 1 main browsers;
    // main browser 1's home page arrives.
    void start(int mainBrowserLastIndex = 5)
    {
        corvane::OptionVars& o = app->opt;
        o.MainBrowserLastIndex = mainBrowserLastIndex;
        for (int i = 0; i <= 5; ++i)
            o.MainBrowserHomePages[size_t(i)] = homePage(i);
        corvane::BrowserStateInit(app->set, app->opt, app->lists);
        app->prog.StartupShowing = true;
        auto* main = new corvane::frmMain(*app);
        app->mainForm = main;
        main->load();
        main->show();
        app->set.PopupGuard = true;
        main->WebBrowser[0].navigate(o.MainBrowserHomePages[0]);
        app->prog.StartupShowing = false;
        mainEngine(0).completeNavigation(homePage(0));
    }

    corvane::frmMain& f() const { return *app->mainForm; }
    corvane::BrowserSet& s() const { return app->set; }

    vb::ScriptedWebEngine& engineOf(vb::WebBrowser& b)
    {
        b.ensureEngine();
        vb::ScriptedWebEngine* e = engines->engineFor(b);
        EXPECT_NE(e, nullptr);
        return *e;
    }
    vb::ScriptedWebEngine& mainEngine(int m) { return engineOf(f().WebBrowser[m]); }
    vb::ScriptedWebEngine& tabEngine(int t) { return engineOf(f().BrowserNew[t]); }
    // Navigations asked of main browser m (none when it has no engine yet).
    QStringList mainNavigations(int m) const
    {
        const vb::WebBrowser* b = f().WebBrowser.find(m);
        const vb::ScriptedWebEngine* e = b ? engines->engineFor(*b) : nullptr;
        return e ? e->navigations() : QStringList();
    }

    // The page on screen asks for a new window, which then loads url. Returns the new tab's
    // slot, or 0 when nothing opened.
    int openTab(const QString& url)
    {
        vb::WebBrowser* opener = f().currentBrowser();
        if (!opener) {
            ADD_FAILURE() << "no browser is current";
            return 0;
        }
        vb::WebBrowser* target = engineOf(*opener).fireNewWindow2();
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
    // Opens tabs 1..n on tabPage(1..n); the last one is current.
    void openTabs(int n)
    {
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(openTab(tabPage(i)), i);
    }

    // The user's clicks. The Browsers panel is opened first, as the Controls bar does.
    void pickInPanel(int m)
    {
        f().FrameBrowser.setVisible(true);
        ASSERT_TRUE(f().CommandBrowser[m].click()) << "selector " << m;
    }
    void pickInStrip(int m) { ASSERT_TRUE(f().CommandShowBrowser[m].click()) << "selector " << m; }
    void clickTab(int t) { ASSERT_TRUE(f().CommandWebNew[t].click()) << "tab button " << t; }
    void clickClose(int i) { ASSERT_TRUE(f().CommandWebClose[i].click()) << "close button " << i; }
    void clickSelect(int i) { ASSERT_TRUE(f().CommandWebSelectClose[i].click()) << "Select Tabs button " << i; }
    void check(int t) { ASSERT_TRUE(f().CheckSelectWebTab[t].click()) << "box " << t; }

    // Makes the bookmark browser current as the bookmark panel does when it opens, and lets
    // its first page arrive.
    void openBookmarkBrowser()
    {
        corvane::BrowserSet& b = s();
        if (b.TabBrowserCurrent) {
            b.ReturnIsTab = true;
            b.BrowserReturnIndex = b.TabCurrentIndex;
        } else {
            b.ReturnIsMain = true;
            b.BrowserReturnIndex = b.MainBrowserIndex;
        }
        b.BookmarkBrowserOpen = true;
        b.MainBrowserCurrent = false;
        b.TabBrowserCurrent = false;
        b.TabCurrentIndex = 0;
        b.BookmarkBrowserCurrent = true;
        b.LocationListPending = true;
        b.BackForwardPending = true;
        corvane::BookmarkPanelShow(*app);
        corvane::CurrentBrowserShow(*app);
        // The first bookmark arrives.
        if (app->hid.ComboMarkAddress.ListCount() > 0)
            engineOf(f().WebBrowser[corvane::BookmarkBrowserIndex]).completeNavigation(app->hid.ComboMarkAddress.List(0));
    }

    // The browser elements whose own Visible flag is set, as "W<i>" and "T<i>".
    QStringList visibleBrowsers() const
    {
        QStringList v;
        for (int i : f().WebBrowser.indices())
            if (f().WebBrowser[i].isVisible())
                v << QStringLiteral("W%1").arg(i);
        for (int i : f().BrowserNew.indices())
            if (f().BrowserNew[i].isVisible())
                v << QStringLiteral("T%1").arg(i);
        return v;
    }

    // Exactly one of the three current-browser flags.
    int currentFlags() const
    {
        return int(s().MainBrowserCurrent) + int(s().TabBrowserCurrent) + int(s().BookmarkBrowserCurrent);
    }

    bool face(const vb::CommandButton& b, int store) const { return samePicture(b.picture(), f().BButton[store].picture()); }
    static QString tip(const vb::Control& c) { return c.widget()->toolTip(); }

    QTemporaryDir dir;
    std::unique_ptr<corvane::CorvaneApp> app;
    vb::ScriptedWebEngineFactory* engines = nullptr;
    QStringList shown;  // ids of the messages shown, in order
};

} // namespace tabstest
