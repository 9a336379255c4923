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

void Main(HelpApp& app)
{
    ProgramVars& prog = app.prog;

    // 1. One copy at a time: a running copy is brought to the front. Only then does this
    // copy listen under its own title.
    if (sys::windowExists(app.socketFolder, HelpProgramName()))
        ActivatePreviousInstance(app);
    else
        app.rt.setTitle(HelpProgramName());
    // Every message of start-up may end the program (its answer, or the session's end while
    // it waits): start-up then stops where it stands.
    if (app.rt.ending())
        return;

    // 2, 3.
    ScreenSizeCheck(app);
    if (app.rt.ending())
        return;
    prog.StartupShowing = true;

    // 4, 5, 6. The start folder, never inside the system folder.
    if (!StartFolderRead(app, app.currentFolder)) {
        app.rt.end();
        return;
    }
    WindowsFolderGet(app);
    if (ProgramInSystemFolder(app)) {
        refuse(app, QStringLiteral("MessageProgInSystem"));
        return;
    }

    // 7. The drive.
    prog.DriveKind = DriveTypeNameGet(app, prog.OwnRoot);
    if (app.rt.ending())
        return;
    if (prog.DriveKind != QLatin1String("Fixed")) {
        prog.OnMedia = true;
        if (prog.DriveKind == QLatin1String("CDRom")) {
            refuse(app, QStringLiteral("MessageMediaCDRom"));
            return;
        }
        if (prog.DriveKind == QLatin1String("Remote") || prog.DriveKind == QLatin1String("Unknown")) {
            refuse(app, QStringLiteral("MessageWrongMedia"));
            return;
        }
    }

    // 8. Program constants.
    prog.OwnName = HelpProgramName();
    prog.VersionText = HelpVersionText();
    prog.OwnExePath = prog.OwnFolder + prog.OwnName + QStringLiteral(".exe");
    prog.ParentName = BrowserProgramName();

    // 9. The register of the road.
    if (prog.OnMedia) {
        FamilyFilesRead(app);
        prog.ParentAvailable = !app.reg.ParentNotPresent && !app.reg.ParentNotFound && !app.reg.ParentExePath.isEmpty();
    } else {
        FamilyRegistryFindParent(app);
        if (app.reg.ParentNotPresent) {
            app.msg.MessageId = QStringLiteral("MessageParentNotPresent");
            ParentMessageShow(app);
        } else if (app.reg.ParentNotFound) {
            app.msg.MessageId = QStringLiteral("MessageParentNotFound");
            ParentMessageShow(app);
        } else {
            prog.ParentAvailable = true;
            CheckOwnPathRecord(app);
        }
    }
    if (app.rt.ending())
        return;

    // 10..13. The help window on the overview.
    auto* main = &app.rt.create<frmMain>(app);
    app.mainForm = main;
    main->load();
    ShowUserPicture(app);
    app.topics->TopicShowSelected();
    main->show();
    main->PictureMain.setFocus();
    prog.StartupShowing = false;
}

} // namespace corvanehelp
