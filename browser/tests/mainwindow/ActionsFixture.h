#pragma once
// The main window on the scripted engine for the Open, Help, Choices, Create, Change Name,
// Report Bug and Run box tests and the page actions: a launcher that records what it is
// asked to open or start, every message answered with OK and recorded, the chooser's modal
// shows answered by a replaceable responder (a chooser left open is cancelled).

#include "BrowserState.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMessage.h"
#include "frmMove.h"

#include "ProgramStart.h"
#include "TestApp.h"
#include "TestSupport.h"
#include "UserInput.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

namespace actionstest {

// What the program asked of the desktop.
struct LauncherLog {
    QList<QUrl> opened;
    QStringList started;
    bool openResult = true;
    bool startResult = true;
};

class ActionsFixture : public ::testing::Test {
protected:
    ActionsFixture()
    {
        corvane::AppConfig cfg = corvanetest::testAppConfig(dir.path());
        cfg.launcher.openUrl = [log = log](const QUrl& url) {
            log->opened << url;
            return log->openResult;
        };
        cfg.launcher.startDetached = [log = log](const QString& program, const QStringList&, const QString&) {
            log->started << program;
            return log->startResult;
        };
        app = std::make_unique<corvane::CorvaneApp>(std::move(cfg));
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>(QStringLiteral("https://search.velmora.example/"));
        engines = factory.get();
        app->rt.setWebEngine(std::move(factory));
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& form) {
            shown << app->msg.MessageId;
            static_cast<corvane::frmMessage&>(form).CommandMsgOK.click();
        });
        app->rt.setResponder(QStringLiteral("frmMove"), [this](vb::Form& form) {
            ++chooserShows;
            auto& m = static_cast<corvane::frmMove&>(form);
            if (chooserResponder)
                chooserResponder(m);
            if (m.isVisible())
                m.CommandMoveCancel.click();
        });
    }
    ~ActionsFixture() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // The chooser start-up loaded hidden in the start folder.
    corvane::frmMove& chooser() const { return static_cast<corvane::frmMove&>(*app->moveForm); }
    // The folder the program starts from (the process's current directory at start-up).
    QString startFolder() const { return dir.path() + QStringLiteral("/start"); }

    // The program starts with one main browser; its home page arrives, and the window is
    // active (so that the focus can be followed).
    void start()
    {
        corvane::OptionVars& o = app->opt;
        o.MainBrowserLastIndex = 0;
        o.HomePagesSaved[0] = home;
        ASSERT_TRUE(corvanetest::startAsReturningUser(*app, startFolder()));
        engineOf(f().WebBrowser[0]).completeNavigation(home);
        ASSERT_TRUE(testsupport::activateWindowOf(f().window()));
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

    // Opens the Open menu as its button does (the panels are placed under it).
    void openMenu(int index)
    {
        s().MenuOpenIndex = index;
        f().FrameMenu[index].setVisible(true);
    }

    // "New Tab" and OK on the address offered: returns the new tab's slot.
    int createTab(const QString& typed = QString())
    {
        openMenu(1);
        f().CommandOpen_Click(2);
        if (!typed.isNull())
            f().TextCreate.setText(typed);
        f().CommandCreateOK_Click();
        return s().TabBrowserCurrent ? s().TabCurrentIndex : 0;
    }

    bool sameFace(const vb::CommandButton& b, int face) const
    {
        return testsupport::samePicture(b.picture(), f().BButton[face].picture());
    }

    QTemporaryDir dir;
    std::shared_ptr<LauncherLog> log = std::make_shared<LauncherLog>();
    std::unique_ptr<corvane::CorvaneApp> app;
    vb::ScriptedWebEngineFactory* engines = nullptr;
    QString home = QStringLiteral("http://home.velmora.example/");
    QStringList shown; // ids of the messages shown, in order
    int chooserShows = 0;
    std::function<void(corvane::frmMove&)> chooserResponder;
};

} // namespace actionstest
