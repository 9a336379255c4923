#pragma once
// The options dialog and the chooser under test: an application object in test mode over
// a temporary folder whose drives are folders named by an injected mount table ("c" holds
// the start folder c/Corvane, "stick" is a readable second drive, "cd" a drive without a
// medium: its folder is missing); the data files in data/Corvane; the browsers on the
// scripted engine; every message answered with OK and recorded; the chooser's modal shows
// answered by a replaceable responder.

#include "ActiveVelmora.h"
#include "BrowserState.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMessage.h"
#include "frmMove.h"
#include "frmOptions.h"

#include "ProgramStart.h"
#include "TestApp.h"
#include "TestSupport.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>

namespace dialogstest {

class DialogsFixture : public ::testing::Test {
protected:
    DialogsFixture()
    {
        root = QDir::cleanPath(tmp.path());
        previousCurrent = QDir::currentPath();
        startFolder = root + QStringLiteral("/c/Corvane");
        for (const QString& f : {startFolder, root + QStringLiteral("/stick"), root + QStringLiteral("/data/Corvane")})
            QDir().mkpath(f);

        corvane::AppConfig cfg = corvanetest::testAppConfig(root);
        cfg.mounts = mounts();
        app = std::make_unique<corvane::CorvaneApp>(std::move(cfg));
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>();
        engines = factory.get();
        app->rt.setWebEngine(std::move(factory));
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
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
        corvane::DataFilePathsSet(app->prog, root + QStringLiteral("/data/"));
        for (int i = 0; i <= 5; ++i)
            homes[i] = QStringLiteral("https://home%1.velmora.example/").arg(i + 1);
    }
    ~DialogsFixture() override
    {
        QDir::setCurrent(previousCurrent);
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    static QByteArray mountLine(const QString& point, const char* type, const char* source)
    {
        return "40 20 8:1 / " + point.toUtf8() + " rw - " + type + ' ' + source + " rw\n";
    }
    sys::MountSource mounts() const
    {
        const QByteArray table = mountLine(QStringLiteral("/"), "ext4", "/dev/sda1") +
                                 mountLine(root + QStringLiteral("/c"), "ext4", "/dev/sdb1") +
                                 mountLine(root + QStringLiteral("/stick"), "ext4", "/dev/sdc1") +
                                 mountLine(root + QStringLiteral("/cd"), "iso9660", "/dev/sr0");
        return corvanetest::mountTable(table, root + QStringLiteral("/sys"));
    }

    // The chooser as start-up leaves it: loaded hidden in the start folder. Before the
    // program has started, the chooser is loaded by itself in folder (the process's
    // current directory).
    corvane::frmMove& loadChooser(const QString& folder)
    {
        if (app->moveForm)
            return chooser();
        QDir::setCurrent(folder);
        auto& m = app->rt.create<corvane::frmMove>(*app);
        app->moveForm = &m;
        m.load();
        return m;
    }
    corvane::frmMove& loadChooser() { return loadChooser(startFolder); }
    corvane::frmMove& chooser() const { return static_cast<corvane::frmMove&>(*app->moveForm); }

    // The program starts from the start folder with mainBrowserLastIndex + 1 main
    // browsers; main browser 1's home page arrives.
    void startMainWindow(int mainBrowserLastIndex)
    {
        corvane::OptionVars& o = app->opt;
        o.MainBrowserLastIndex = mainBrowserLastIndex;
        o.HomePagesSaved = homes;
        ASSERT_TRUE(corvanetest::startAsReturningUser(*app, startFolder));
        mainEngine(0).completeNavigation(homes[0]);
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

    // The dialog as the View menu opens it, loaded (not shown).
    corvane::frmOptions& openOptions()
    {
        options = &app->rt.create<corvane::frmOptions>(*app);
        options->load();
        return *options;
    }

    // A real picture (its content decides, whatever the name says) and a file that only
    // pretends to be one.
    void writePicture(const QString& path) const
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(image.save(path, "PNG"));
    }
    void writeFile(const QString& path, const QByteArray& data = "not a picture") const
    {
        ASSERT_TRUE(testsupport::writeFile(path, data));
    }

    QTemporaryDir tmp;
    QString root;
    QString previousCurrent;
    QString startFolder;
    std::unique_ptr<corvane::CorvaneApp> app;
    vb::ScriptedWebEngineFactory* engines = nullptr;
    std::array<QString, 6> homes;
    QPointer<corvane::frmOptions> options;
    QStringList shown;
    int chooserShows = 0;
    // Acts on the chooser while it is shown modally; a chooser left visible is cancelled.
    std::function<void(corvane::frmMove&)> chooserResponder;
};

} // namespace dialogstest
