#pragma once
// An application object in test mode over a temporary machine: a fixed disk at "/" and a
// removable drive that is a folder, both named by an injected mount table; a settings
// store in the temporary folder; every message answered with OK and recorded.

#include "CorvaneApp.h"
#include "frmMessage.h"

#include "TestApp.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace corvanetest {

class AppFixture : public ::testing::Test {
protected:
    AppFixture()
    {
        root = dir.path();
        drive = root + QStringLiteral("/media/stick");
        QDir().mkpath(drive);
        corvane::AppConfig cfg = testAppConfig(root);
        cfg.mounts = mounts();
        app = std::make_unique<corvane::CorvaneApp>(std::move(cfg));
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& f) {
            shown << app->msg.MessageId;
            static_cast<corvane::frmMessage&>(f).CommandMsgOK.click();
        });
    }
    ~AppFixture() override { testsupport::flushDeferredDeletes(); }

    sys::MountSource mounts() const
    {
        const QByteArray table = "20 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                 "21 20 8:17 / " + drive.toUtf8() + " rw - vfat /dev/sdb1 rw\n";
        return mountTable(table, QStringLiteral("/nonexistent"));
    }

    // Creates folder & name & ".exe".
    static void exe(const QString& folder, const QString& name)
    {
        ASSERT_TRUE(testsupport::writeFile(folder + name + QStringLiteral(".exe"), "#!"));
    }

    // The browser runs from drive/Tools/ on the removable drive.
    void runFromDrive(const QString& sub = QStringLiteral("Tools/"))
    {
        corvane::ProgramVars& p = app->prog;
        p.OnMedia = true;
        p.OwnRoot = drive + QStringLiteral("/");
        p.OwnDriveLetter = drive;
        p.OwnFolder = p.OwnRoot + sub;
        exe(p.OwnFolder, p.ProgramName);
    }

    // The browser runs from root/opt/Corvane/ on the fixed disk.
    void runFromDisk()
    {
        corvane::ProgramVars& p = app->prog;
        p.OnMedia = false;
        p.OwnRoot = QStringLiteral("/");
        p.OwnDriveLetter = QStringLiteral("/");
        p.OwnFolder = root + QStringLiteral("/opt/Corvane/");
        exe(p.OwnFolder, p.ProgramName);
    }

    QTemporaryDir dir;
    QString root;
    QString drive;
    std::unique_ptr<corvane::CorvaneApp> app;
    QStringList shown;  // the ids of the messages shown, in order
};

} // namespace corvanetest
