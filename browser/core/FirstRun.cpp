#include "FirstRun.h"

#include "ActiveFamily.h"
#include "ActiveNajar.h"
#include "ActiveVelmora.h"
#include "BrowserState.h"
#include "Constants.h"
#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMove.h"

#include "sys/TerminationNotifier.h"
#include "sys/WindowFinder.h"
#include "web/QtWebEngine.h"

#include <QApplication>
#include <QDir>

namespace corvane {

void ScreenSizeCheck(CorvaneApp& app)
{
    const vb::ScreenMetrics screen = app.rt.screen();
    if (screen.widthTwips < 15000 || screen.heightTwips < 10600) {
        app.msg.MessageId = QStringLiteral("MessageWrongScreen");
        StartupMessageShow(app);
    }
    app.prog.TwipsPerPixelX = screen.twipsPerPixelX;
    app.prog.TwipsPerPixelY = screen.twipsPerPixelY;
}

QString DriveTypeNameGet(CorvaneApp& app, const QString& path)
{
    const std::optional<sys::Drive> drive = app.fs.driveOfPath(path);
    if (!drive) {
        app.msg.MessageId = QStringLiteral("MessageNeedSriptRuntime");
        FailureMessageShow(app);
        return QStringLiteral("NotDetermined");
    }
    return sys::driveTypeName(drive->type);
}

QString MainWindowTitleMake(const CorvaneApp& app)
{
    const QString& nick = app.profile.Nickname;
    if (nick == QLatin1String("myFriend") || nick.isEmpty())
        return app.prog.ProgramName;
    return app.prog.ProgramName + QStringLiteral(" - ") + nick;
}

bool StartFolderRead(CorvaneApp& app, const QString& currentFolder)
{
    ProgramVars& prog = app.prog;
    prog.OwnFolder = currentFolder;
    if (!prog.OwnFolder.endsWith(QLatin1Char('/')))
        prog.OwnFolder += QLatin1Char('/');
    prog.PickerFolder = prog.OwnFolder;
    const std::optional<sys::Drive> drive = app.fs.driveOfPath(prog.OwnFolder);
    if (!drive) {
        app.msg.MessageId = QStringLiteral("MessageNeedSriptRuntime");
        FailureMessageShow(app);
        return false;
    }
    // The drive's root is its mount point; its identity in addresses is the mount point too.
    prog.OwnRoot = drive->path.isEmpty() ? QStringLiteral("/") : drive->path;
    prog.OwnDriveLetter = drive->mountPoint;
    return true;
}

namespace {

// The program's constants, and the display's promise to leave the focus alone until the
// window is up.
void ProgramConstantsSet(CorvaneApp& app)
{
    ProgramVars& prog = app.prog;
    prog.StartupShowing = true;
    prog.ProgramName = QStringLiteral("Corvane");
    prog.VersionText = QStringLiteral("Version : 1.21");
    prog.HelpProgramName = QStringLiteral("CorvaneHelp");
}

// The chooser is loaded hidden once and stays loaded; its load records the start folder.
void ChooserLoad(CorvaneApp& app)
{
    frmMove& move = app.rt.create<frmMove>(app);
    app.moveForm = &move;
    move.load();
}

// The start folder's drive decides the road; a drive the data cannot live on ends the
// program after its message.
void DriveAccept(CorvaneApp& app)
{
    ProgramVars& prog = app.prog;
    prog.DriveKind = DriveTypeNameGet(app, prog.OwnRoot);
    if (app.rt.ending())
        return;
    QString refusal;
    if (prog.DriveKind == QLatin1String("Unknown") || prog.DriveKind == QLatin1String("Remote"))
        refusal = QStringLiteral("MessageMediaUnknown");
    else if (prog.DriveKind == QLatin1String("CDRom"))
        refusal = QStringLiteral("MessageMediaCDROM");
    if (!refusal.isEmpty()) {
        app.msg.MessageId = refusal;
        StartupMessageShow(app);
        app.rt.end();
        return;
    }
    prog.OnMedia = prog.DriveKind != QLatin1String("Fixed");
}

// The register of the road: on the drive itself for removable media, in the settings store
// on a fixed disk. It names the folder the data folder lies in.
void RegisterRoadTake(CorvaneApp& app)
{
    if (app.prog.OnMedia)
        OnMoveFamilyAct(app);
    else
        OnRestFamilyAct(app);
}

// The data files' paths, the profile and the data folder. A folder that cannot be made (a
// write-protected stick) leaves the data in memory: the writers then fail, and say so.
void DataFolderPrepare(CorvaneApp& app)
{
    ProgramVars& prog = app.prog;
    DataFilePathsSet(prog, app.reg.DataBaseFolder);
    app.profile.Nickname = app.store.get(ProfileSection, QStringLiteral("NickName"));
    if (!prog.OnMedia)
        app.profile.UserPicturePath = UserPictureLoad(app);
    if (!FolderExistsCheck(app.reg.DataBaseFolder, prog.ProgramName))
        (void)FolderCreate(app.reg.DataBaseFolder, prog.ProgramName);
}

// On a fixed disk the browser keeps its own record in the register, and a new user is asked
// for a name before the window opens.
void FixedDiskMemberSave(CorvaneApp& app)
{
    if (app.prog.OnMedia)
        return;
    OnRestOwnMemberSave(app);
    if (app.profile.Nickname.isEmpty()) {
        app.msg.MessageId = QStringLiteral("MessageGetUserName");
        StartupMessageShow(app);
    }
}

void SettingsRead(CorvaneApp& app)
{
    SettingsFileLoad(app.velmora());
    BrowserStateInit(app.set, app.opt, app.lists);
}

// The lists are read once the window exists: main browser 1's kept history fills the
// location box too.
void ListsRead(CorvaneApp& app)
{
    const VelmoraContext c = app.velmora();
    HistoryFileLoad(c);
    BookmarkFileLoad(c);
    NotesFileLoad(c);
}

void FirstPageShow(CorvaneApp& app)
{
    MainWindowFirstPageShow(app);
    app.prog.StartupShowing = false;
}

// A damaged settings file kept what it could: the user hears once which options are back at
// their defaults.
void SettingsResetTell(CorvaneApp& app)
{
    if (app.files.settingsReset.isEmpty())
        return;
    app.msg.MessageId = QStringLiteral("MessageSetVelmoraReset");
    MessageShow(app);
}

} // namespace

void Main(CorvaneApp& app)
{
    using Step = void (*)(CorvaneApp&);
    static constexpr Step steps[] = {
        ScreenSizeCheck,     ProgramConstantsSet, ChooserLoad,    DriveAccept, RegisterRoadTake, DataFolderPrepare,
        FixedDiskMemberSave, SettingsRead,        MainWindowLoad, ListsRead,   FirstPageShow,    SettingsResetTell,
    };
    for (Step step : steps) {
        step(app);
        // Every message of start-up may end the program (its answer, or the session's end
        // while it waits): start-up then stops where it stands.
        if (app.rt.ending())
            return;
    }
}

void MainWindowLoad(CorvaneApp& app)
{
    frmMain& main = app.rt.create<frmMain>(app);
    app.mainForm = &main;
    main.load();
    main.setCaption(MainWindowTitleMake(app));
}

void MainWindowFirstPageShow(CorvaneApp& app)
{
    frmMain& main = *app.mainForm;
    for (const QString& entry : app.hid.ComboLocation[0].items())
        main.ComboLocation.addItem(entry);
    main.show();
    app.set.PopupGuard = true;
    const int index = app.set.MainBrowserIndex;
    main.WebBrowser[index].navigate(app.opt.MainBrowserHomePages[index]);
}

int runProgram(QApplication& qapp)
{
    AppConfig config;
    config.programFolder = QCoreApplication::applicationDirPath();
    CorvaneApp app(std::move(config));

    // The session's end (or a plain kill) closes the main window as the system would, so
    // that the options and lists are saved and the engine is shut down as at every exit.
    // Taken first: once the program can be found, a session may ask it to end.
    sys::TerminationNotifier terminate;
    terminate.onRequest = [&app] {
        // The window's unload saves and ends the program. Before the window is loaded (a
        // start-up message waits for its answer) there is nothing to save yet.
        if (app.mainForm && app.mainForm->isLoaded())
            app.mainForm->unload(vb::AppWindows);
        app.rt.end();
    };

    vb::QtWebEngineFactory::Config engine;
    engine.searchPage = searchPage();
    app.rt.setWebEngine(std::make_unique<vb::QtWebEngineFactory>(engine));

    // Other programs of the family find this one by its application title.
    sys::WindowBeacon beacon(app.socketFolder);
    app.rt.onTitleChanged = [&beacon](const QString& title) { beacon.listen(title); };
    beacon.onActivate = [&app] {
        if (app.mainForm) {
            if (app.mainForm->windowState() == vb::Minimized)
                app.mainForm->setWindowState(vb::Maximized);
            app.mainForm->zOrder(0);
        }
    };
    app.rt.setTitle(app.prog.ProgramName);

    Main(app);
    if (app.rt.ending())
        return 0;
    return qapp.exec();
}

} // namespace corvane
