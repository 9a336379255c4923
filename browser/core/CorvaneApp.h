#pragma once
// The browser's application object: it owns the forms kit's runtime, the platform
// services, the module-level state and the forms. Everything the browser does is reached
// from here; tests build a fresh one with their own services.

#include "ActiveDeclaration.h"
#include "ActiveVelmora.h"
#include "BrowserState.h"
#include "ControlMessage.h"
#include "PageTrouble.h"
#include "frmHid.h"

#include "sys/FileSystem.h"
#include "sys/Launcher.h"
#include "sys/SettingsStore.h"
#include "sys/WindowFinder.h"
#include "vb/Runtime.h"

#include <QPointer>
#include <memory>

namespace corvane {

class frmMain;
class frmMessage;

struct AppConfig {
    vb::Runtime::Mode mode = vb::Runtime::Mode::Program;
    sys::MountSource mounts = sys::MountSource::system();
    QString settingsPath = sys::SettingsStore::defaultPath();
    sys::Launcher launcher = sys::Launcher::system();
    // Folder that holds Corvane.exe (and the site folder beside it).
    QString programFolder;
    // Where the family's programs listen for each other.
    QString socketFolder = sys::defaultSocketFolder();
};

class CorvaneApp {
public:
    explicit CorvaneApp(AppConfig config);
    ~CorvaneApp();
    CorvaneApp(const CorvaneApp&) = delete;
    CorvaneApp& operator=(const CorvaneApp&) = delete;

    // Declared first: it goes last, after every form.
    vb::Runtime rt;
    sys::FileSystem fs;
    sys::SettingsStore store;
    sys::Launcher launcher;
    QString programFolder;
    QString socketFolder;

    ProgramVars prog;
    MessageVars msg;
    MessageQueue msgQueue;
    OptionVars opt;
    ProfileVars profile;
    RegisterVars reg;
    ListVars lists;
    // The hidden data form's lists: they live as long as the program, not as a window.
    frmHid hid;
    // The data files as this run last read or wrote them.
    DataFileVars files;
    BrowserSet set;
    PanelVars panel;
    PageTroubleVars trouble;

    // Forms that are loaded and unloaded while the program runs.
    QPointer<frmMessage> messageForm;
    QPointer<frmMain> mainForm;
    // The file and picture chooser, loaded hidden at start-up.
    QPointer<vb::Form> moveForm;

    // Loads and shows the main window again after an unload that did not end the program.
    void showMainWindowAgain();

    QString webAddress() const;
    QString productPageAddress() const;
    // What the data-file procedures read into and write from.
    VelmoraContext velmora();
    // A data file could not be written: the user hears which and why (files.failuresToTell).
    void dataFileWriteFailed();
};

} // namespace corvane
