#pragma once
// The help program's application object: it owns the forms kit's runtime, the platform
// services, the module-level state, the forms and the topic engine. Tests build a fresh
// one with their own services.

#include "HelpDeclaration.h"

#include "sys/FileSystem.h"
#include "sys/Launcher.h"
#include "sys/SettingsStore.h"
#include "sys/WindowFinder.h"
#include "vb/Runtime.h"

#include <QPointer>
#include <functional>
#include <memory>

class QApplication;

namespace corvanehelp {

class HelpApp;
class TopicEngine;
class frmMain;
class frmMessage;

struct HelpConfig {
    vb::Runtime::Mode mode = vb::Runtime::Mode::Program;
    sys::MountSource mounts = sys::MountSource::system();
    QString settingsPath = sys::SettingsStore::defaultPath();
    sys::Launcher launcher = sys::Launcher::system();
    // Where the family's programs listen for each other.
    QString socketFolder = sys::defaultSocketFolder();
    // The start folder: the current directory at start-up.
    QString currentFolder;
    // The folder the program refuses to run from or below ("" = no such folder).
    QString systemFolder;
    // Builds the topic engine; empty: the one this build of the program ships.
    std::function<std::unique_ptr<TopicEngine>(HelpApp&)> topicEngine;
};

// The configuration of the real program: current directory, system folder, user's store.
HelpConfig programConfig();

class HelpApp {
public:
    explicit HelpApp(HelpConfig config);
    ~HelpApp();
    HelpApp(const HelpApp&) = delete;
    HelpApp& operator=(const HelpApp&) = delete;

    // Declared first: it goes last, after every form.
    vb::Runtime rt;
    sys::FileSystem fs;
    sys::SettingsStore store;
    sys::Launcher launcher;
    QString socketFolder;
    QString currentFolder;
    QString systemFolder;
    // Listens under the application title, so that the browser and a second copy of this
    // program find this one.
    sys::WindowBeacon beacon;

    ProgramVars prog;
    RegisterVars reg;
    ProfileVars profile;
    MessageVars msg;
    TopicVars topic;

    QPointer<frmMessage> messageForm;
    QPointer<frmMain> mainForm;
    std::unique_ptr<TopicEngine> topics;

    // The help window, which every page writes into. Throws when it is not loaded.
    frmMain& window() const;
};

// Builds the application object with the real services, runs the start-up and the event
// loop; returns the exit code.
int runProgram(QApplication& qapp);

} // namespace corvanehelp
