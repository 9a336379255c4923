#include "FirstRun.h"

#include "ActiveHelp.h"
#include "ControlMessage.h"
#include "HelpApp.h"
#include "HelpConstants.h"
#include "TopicEngine.h"
#include "frmMain.h"

namespace corvanehelp {

namespace {

// Shows a start-up message; the program ends when it is closed, and start-up stops.
void refuse(HelpApp& app, const QString& id)
{
    app.msg.MessageId = id;
    StartupMessageShow(app);
    app.rt.end();
}

} // namespace

void ActivatePreviousInstance(HelpApp& app)
{
    const QString kept = HelpProgramName();
    // While it looks, this copy answers to another name, so that it cannot find itself.
    app.rt.setTitle(BypassTitle());
    if (sys::activateWindow(app.socketFolder, kept)) {
        app.rt.end();
        return;
    }
    // The other copy has gone meanwhile: this one is now the copy to be found.
    app.rt.setTitle(kept);
}

void ScreenSizeCheck(HelpApp& app)
{
    const vb::ScreenMetrics screen = app.rt.screen();
    if (screen.widthTwips < MinScreenWidthTwips || screen.heightTwips < MinScreenHeightTwips)
        refuse(app, QStringLiteral("MessageSmallScreen"));
}

bool StartFolderRead(HelpApp& app, const QString& currentFolder)
{
    ProgramVars& prog = app.prog;
    prog.OwnFolder = currentFolder;
    if (!prog.OwnFolder.endsWith(QLatin1Char('/')))
        prog.OwnFolder += QLatin1Char('/');
    const std::optional<sys::Drive> drive = app.fs.driveOfPath(prog.OwnFolder);
    if (!drive) {
        app.msg.MessageId = QStringLiteral("MessageNeedSriptRuntime");
        StartupMessageShow(app);
        return false;
    }
    prog.OwnDrive = *drive;
    prog.OwnRoot = drive->path.isEmpty() ? QStringLiteral("/") : drive->path;
    prog.OwnDriveLetter = drive->mountPoint;
    return true;
}

void WindowsFolderGet(HelpApp& app)
{
    QString folder = app.systemFolder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    app.prog.WinFolder = folder;
}

bool ProgramInSystemFolder(const HelpApp& app)
{
    // No known system folder refuses nothing (an empty prefix would refuse every folder).
    // Both folders end in "/", so "/usrx/" is not below "/usr/"; paths are case-sensitive.
    const QString& win = app.prog.WinFolder;
    return !win.isEmpty() && app.prog.OwnFolder.startsWith(win);
}

QString DriveTypeNameGet(HelpApp& app, const QString& path)
{
    const std::optional<sys::Drive> drive = app.fs.driveOfPath(path);
    if (!drive) {
        app.msg.MessageId = QStringLiteral("MessageNeedSriptRuntime");
        StartupMessageShow(app);
        app.rt.end();
        return QStringLiteral("NotDetermined");
    }
    return sys::driveTypeName(drive->type);
}

namespace {

// One copy at a time: a running copy is brought to the front and this one ends. Only then
// does this copy listen under its own title.
void OnlyCopyCheck(HelpApp& app)
{
    if (sys::windowExists(app.socketFolder, HelpProgramName()))
        ActivatePreviousInstance(app);
    else
        app.rt.setTitle(HelpProgramName());
}

// From here until the window is up, the display leaves the focus alone.
void StartupShowingBegin(HelpApp& app)
{
    app.prog.StartupShowing = true;
}

// The start folder, never inside the system folder.
void StartFolderCheck(HelpApp& app)
{
    if (!StartFolderRead(app, app.currentFolder)) {
        app.rt.end();
        return;
    }
    WindowsFolderGet(app);
    if (ProgramInSystemFolder(app))
        refuse(app, QStringLiteral("MessageProgInSystem"));
}

// CD/DVD, network and unknown drives are refused; any drive but a fixed disk takes the
// removable road.
void DriveAccept(HelpApp& app)
{
    ProgramVars& prog = app.prog;
    prog.DriveKind = DriveTypeNameGet(app, prog.OwnRoot);
    if (app.rt.ending() || prog.DriveKind == QLatin1String("Fixed"))
        return;
    prog.OnMedia = true;
    if (prog.DriveKind == QLatin1String("CDRom"))
        refuse(app, QStringLiteral("MessageMediaCDRom"));
    else if (prog.DriveKind == QLatin1String("Remote") || prog.DriveKind == QLatin1String("Unknown"))
        refuse(app, QStringLiteral("MessageWrongMedia"));
}

void ProgramConstantsSet(HelpApp& app)
{
    ProgramVars& prog = app.prog;
    prog.OwnName = HelpProgramName();
    prog.VersionText = HelpVersionText();
    prog.OwnExePath = prog.OwnFolder + prog.OwnName + QStringLiteral(".exe");
    prog.ParentName = BrowserProgramName();
}

// The browser is looked for in the register of the road: the files on the drive, or the
// settings store of a fixed disk, where a browser that is missing is told.
void ParentFind(HelpApp& app)
{
    if (app.prog.OnMedia) {
        FamilyFilesRead(app);
        app.prog.ParentAvailable = !app.reg.ParentNotPresent && !app.reg.ParentNotFound && !app.reg.ParentExePath.isEmpty();
        return;
    }
    FamilyRegistryFindParent(app);
    if (app.reg.ParentNotPresent || app.reg.ParentNotFound) {
        app.msg.MessageId =
            app.reg.ParentNotPresent ? QStringLiteral("MessageParentNotPresent") : QStringLiteral("MessageParentNotFound");
        ParentMessageShow(app);
        return;
    }
    app.prog.ParentAvailable = true;
    CheckOwnPathRecord(app);
}

// The help window opens on the overview, the focus on its picture.
void HelpWindowShow(HelpApp& app)
{
    frmMain& main = app.rt.create<frmMain>(app);
    app.mainForm = &main;
    main.load();
    ShowUserPicture(app);
    app.topics->TopicShowSelected();
    main.show();
    main.PictureMain.setFocus();
    app.prog.StartupShowing = false;
}

} // namespace

void Main(HelpApp& app)
{
    using Step = void (*)(HelpApp&);
    static constexpr Step steps[] = {
        OnlyCopyCheck, ScreenSizeCheck,     StartupShowingBegin, StartFolderCheck,
        DriveAccept,   ProgramConstantsSet, ParentFind,          HelpWindowShow,
    };
    for (Step step : steps) {
        step(app);
        // Every message of start-up may end the program (its answer, or the session's end
        // while it waits): start-up then stops where it stands.
        if (app.rt.ending())
            return;
    }
}

} // namespace corvanehelp
