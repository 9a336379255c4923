#pragma once
// The configuration of an application object under test: test mode over a temporary folder,
// and nothing that reaches the desktop.

#include "CorvaneApp.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace corvanetest {

// Starts no program and opens no address, and says it could not.
inline sys::Launcher idleLauncher()
{
    sys::Launcher l;
    l.startDetached = [](const QString&, const QStringList&, const QString&) { return false; };
    l.openUrl = [](const QUrl&) { return false; };
    l.openSettingsApplet = [](sys::SettingsApplet) { return sys::SettingsAppletStart{.started = true, .tried = {}, .installed = true}; };
    return l;
}

// The mounts of table (in the form of /proc/self/mountinfo), with the block devices'
// attributes under sysRoot; paths are taken as they are.
inline sys::MountSource mountTable(const QByteArray& table, const QString& sysRoot)
{
    sys::MountSource s;
    s.readMountInfo = [table] { return std::optional<QByteArray>(table); };
    s.sysRoot = sysRoot;
    s.canonicalPath = [](const QString& p) { return p; };
    return s;
}

// Test mode on a machine with one fixed disk at "/", with the settings store in
// root/config, the program folder root/prog/, the family's sockets in root/sockets and the
// idle launcher.
inline corvane::AppConfig testAppConfig(const QString& root)
{
    corvane::AppConfig cfg;
    cfg.mode = vb::Runtime::Mode::Test;
    cfg.mounts = mountTable("20 0 8:1 / / rw - ext4 /dev/sda1 rw\n", root + QStringLiteral("/sys"));
    cfg.settingsPath = root + QStringLiteral("/config/Tavolin.ini");
    cfg.programFolder = root + QStringLiteral("/prog/");
    cfg.socketFolder = root + QStringLiteral("/sockets");
    cfg.launcher = idleLauncher();
    return cfg;
}

} // namespace corvanetest
