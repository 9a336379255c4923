#include "ActiveHelp.h"

#include "ControlMessage.h"
#include "HelpApp.h"
#include "HelpConstants.h"
#include "frmMain.h"

#include "sys/DataTransaction.h"
#include "sys/FamilyRegister.h"
#include "sys/FileSystem.h"
#include "sys/TextRecords.h"
#include "sys/WindowFinder.h"
#include "vb/Pictures.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace corvanehelp {

namespace fam = sys::family;
using sys::FileSystem;

namespace {

void reportError(HelpApp& app, const QString& id)
{
    app.msg.MessageId = id;
    ErrorReportShow(app);
}

// This program's executable is not where its record must say it is: the program ends, and
// nothing more is written.
void ownPathLost(HelpApp& app)
{
    app.msg.MessageId = u"MessageMyPathLost"_s;
    StartupMessageShow(app);
    app.rt.end();
}

// A relative path would be taken from the current directory, which says nothing about
// where a registered program lies.
bool existsAbsolute(const QString& path)
{
    return path.startsWith(u'/') && FileSystem::fileExists(path);
}

// Where the browser's set-up puts this program: its folder & "Help/CorvaneHelp.exe".
QString helpPathUnder(const QString& parentFolder)
{
    if (parentFolder.isEmpty())
        return QString();
    return parentFolder + u"Help/"_s + HelpProgramName() + u".exe"_s;
}

fam::Record ownRecord(const HelpApp& app)
{
    return fam::Record{app.prog.OwnName, app.prog.OwnFolder};
}

// What the removable-drive road has to tell once the register's lock is given up: the
// other programs must not wait while a message waits for the user.
struct Outcome {
    QStringList reports;       // message ids for ErrorReportShow, in order
    bool ownPathLost = false;  // "MessageMyPathLost", which ends the program
};

// Both values: the main list's last index as read and the help list's.
bool writeCounts(sys::DataTransaction& tx, const HelpApp& app)
{
    const fam::Counts counts{app.reg.MainListLastIndex, app.reg.HelpListLastIndex};
    return fam::writeCountsFile(tx, app.reg.CountFile, counts);
}

// Every record of the browser is looked at; one whose executable has gone makes the
// browser "not found", even when another record's executable exists.
void FamilyFindParentOnMedia(HelpApp& app, const QList<fam::Record>& mains)
{
    RegisterVars& r = app.reg;
    bool matched = false;
    for (const fam::Record& rec : mains) {
        if (rec.name != app.prog.ParentName)
            continue;
        matched = true;
        const QString exe = fam::executablePath(rec);
        if (fam::recordOnDrive(rec, app.prog.OwnRoot) && FileSystem::fileExists(exe)) {
            r.ParentExePath = exe;
            r.HelpPathUnderParent = helpPathUnder(rec.folder);
        } else {
            r.ParentNotFound = true;
        }
    }
    if (!matched)
        r.ParentNotPresent = true;
}

// This program's record in a help list that has some: kept when its executable is
// there, else moved to the start folder, else added. Returns true when the counts were
// written.
bool FamilyRegisterSelfOnMedia(HelpApp& app, sys::DataTransaction& tx, QList<fam::Record> helpers, bool keepBad,
                               Outcome& out)
{
    RegisterVars& r = app.reg;
    int own = -1;
    for (int i = 0; i < helpers.size(); ++i)
        if (helpers.at(i).name == app.prog.OwnName)
            own = i;  // the last such record counts
    if (own >= 0) {
        const fam::Record& rec = helpers.at(own);
        if (fam::recordOnDrive(rec, app.prog.OwnRoot) && FileSystem::fileExists(fam::executablePath(rec)))
            return false;
        if (!FileSystem::fileExists(app.prog.OwnExePath)) {
            out.ownPathLost = true;
            return false;
        }
        helpers[own].folder = app.prog.OwnFolder;
    } else {
        if (!FileSystem::fileExists(app.prog.OwnExePath)) {
            out.ownPathLost = true;
            return false;
        }
        if (helpers.size() >= fam::MaxRecords)
            return false;
        helpers.append(ownRecord(app));
    }
    // A list that cannot be written leaves everything as it was.
    if (!fam::replaceRecordsFile(tx, r.HelperListFile, helpers, keepBad))
        return false;
    r.HelpListLastIndex = int(helpers.size()) - 1;
    writeCounts(tx, app);
    return true;
}

// An empty help list gets this program's record, when its executable is where it runs
// from. Returns true when the counts were written.
bool FamilyRegisterFirstOnMedia(HelpApp& app, sys::DataTransaction& tx, bool keepBad, Outcome& out)
{
    RegisterVars& r = app.reg;
    if (!FileSystem::fileExists(app.prog.OwnExePath))
        return false;
    if (!fam::replaceRecordsFile(tx, r.HelperListFile, {ownRecord(app)}, keepBad)) {
        out.reports << u"MessageOnMoveGetFamily"_s;
        return false;
    }
    r.HelpListLastIndex = 0;
    if (!writeCounts(tx, app))
        out.reports << u"MessageOnMoveGetFamily"_s;
    return true;
}

// Under the register's lock: the lists and the count file read again, the browser looked
// for, this program's record added or updated.
void FamilyFilesUpdate(HelpApp& app, sys::DataTransaction& tx, Outcome& out)
{
    RegisterVars& r = app.reg;
    const std::optional<fam::RecordList> mainList = fam::readRecordsFile(r.MainListFile);
    const std::optional<fam::RecordList> helpList = fam::readRecordsFile(r.HelperListFile);
    const QList<fam::Record> mains = mainList ? mainList->records : QList<fam::Record>();
    const QList<fam::Record> helpers = helpList ? helpList->records : QList<fam::Record>();
    r.MainListLastIndex = int(mains.size()) - 1;
    r.HelpListLastIndex = int(helpers.size()) - 1;

    bool countsStale = r.CountFileMissing;
    if (!r.CountFileMissing) {
        const std::optional<fam::Counts> counts = fam::readCountsFile(r.CountFile);
        if (!counts)
            out.reports << u"MessageOnMoveGetFamily"_s;
        countsStale = !counts || counts->mainLast != r.MainListLastIndex || counts->helperLast != r.HelpListLastIndex;
    }

    if (r.MainListLastIndex >= 0)
        FamilyFindParentOnMedia(app, mains);
    else
        r.ParentNotPresent = true;

    const bool keepBad = helpList && helpList->keepAside();
    const bool countsWritten = r.HelpListLastIndex < 0 ? FamilyRegisterFirstOnMedia(app, tx, keepBad, out)
                                                      : FamilyRegisterSelfOnMedia(app, tx, helpers, keepBad, out);
    if (out.ownPathLost)
        return;
    if (countsStale && !countsWritten)
        writeCounts(tx, app);
}

} // namespace

void FamilyFilesCheck(HelpApp& app)
{
    RegisterVars& r = app.reg;
    r.FamilyFolderMissing = !FileSystem::folderExists(r.FamilyFolder);
    r.CountFileMissing = r.FamilyFolderMissing || !FileSystem::fileExists(r.CountFile);
}

bool FamilyFilesCreate(HelpApp& app)
{
    RegisterVars& r = app.reg;
    if (r.FamilyFolderMissing) {
        if (!FileSystem::createFolder(r.FamilyFolder)) {
            reportError(app, u"MessageOnMoveCreateFamily"_s);
            return false;
        }
        FileSystem::setSystemAttribute(r.FamilyFolder);
    }
    if (!r.CountFileMissing)
        return true;
    bool written = false;
    {
        // Looked at under the lock: the browser may be making the register at this moment.
        sys::DataTransaction tx(r.FamilyFolder);
        // Only the count file has gone: the lists beside it are kept and the counts rebuilt
        // from them.
        if (FileSystem::fileExists(r.MainListFile) || FileSystem::fileExists(r.HelperListFile))
            return true;
        // A fresh register: no main program yet, this program as the only help program.
        r.MainListLastIndex = -1;
        r.HelpListLastIndex = 0;
        written = fam::replaceRecordsFile(tx, r.HelperListFile, {ownRecord(app)}, false) && writeCounts(tx, app);
    }
    if (!written)
        reportError(app, u"MessageOnMoveCreateFamily"_s);
    return false;
}

void FamilyFilesRead(HelpApp& app)
{
    RegisterVars& r = app.reg;
    r = RegisterVars{};
    r.FamilyFolder = app.prog.OwnRoot + fam::folderName();
    r.CountFile = r.FamilyFolder + fam::countFileName();
    r.MainListFile = r.FamilyFolder + fam::mainListFileName();
    r.HelperListFile = r.FamilyFolder + fam::helperListFileName();

    FamilyFilesCheck(app);
    if ((r.FamilyFolderMissing || r.CountFileMissing) && !FamilyFilesCreate(app)) {
        // The browser was not looked for.
        r.ParentNotPresent = true;
        return;
    }

    Outcome out;
    {
        sys::DataTransaction tx(r.FamilyFolder);
        FamilyFilesUpdate(app, tx, out);
    }
    for (const QString& id : std::as_const(out.reports))
        reportError(app, id);
    if (out.ownPathLost)
        ownPathLost(app);
}

void FamilyRegistryFindParent(HelpApp& app)
{
    RegisterVars& r = app.reg;
    r.ParentNotPresent = false;
    r.ParentNotFound = false;
    r.ParentExePath.clear();
    r.ParentFolder.clear();
    r.HelpPathUnderParent.clear();

    // An index that does not decode is taken from the member keys in use, as the browser
    // takes it.
    const int last = fam::readMemberIndex(app.store).last;
    if (last < 0) {
        r.ParentNotPresent = true;
        return;
    }
    QString key;
    for (int i = 0; i <= last && key.isEmpty(); ++i) {
        const QString name = app.store.get(fam::memberNamesSection(), fam::memberKey(i));
        if (!name.isEmpty() && name == app.prog.ParentName)
            key = fam::memberKey(i);
    }
    if (key.isEmpty()) {
        r.ParentNotPresent = true;
        return;
    }

    QString folder = app.store.get(fam::memberFoldersSection(), key);
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    const QString exe = folder.isEmpty() ? QString() : folder + app.prog.ParentName + u".exe"_s;
    if (!folder.isEmpty() && !existsAbsolute(exe)) {
        r.ParentNotFound = true;
        return;
    }
    r.HelpPathUnderParent = helpPathUnder(folder);
    r.ParentExePath = exe;
    r.ParentFolder = folder;

    ProfileVars& p = app.profile;
    p.Nickname = app.store.get(ProfileSection(), u"NickName"_s);
    p.UserPicturePath = app.store.get(ProfileSection(), u"UserPic"_s);
    p.UserPictureCaption = app.store.get(ProfileSection(), u"PicCaption"_s);
}

void CheckOwnPathRecord(HelpApp& app)
{
    if (existsAbsolute(app.reg.HelpPathUnderParent))
        return;
    const QString recorded = app.store.get(fam::helperPathsSection(), app.prog.OwnName);
    if (existsAbsolute(recorded))
        return;
    if (!FileSystem::fileExists(app.prog.OwnExePath)) {
        ownPathLost(app);
        return;
    }
    // The browser reads it to start this program; a store that cannot be written leaves
    // the browser without it, and nothing else is affected.
    (void)app.store.set(fam::helperPathsSection(), app.prog.OwnName, app.prog.OwnExePath);
}

void ShowUserPicture(HelpApp& app)
{
    const QString& path = app.profile.UserPicturePath;
    if (path.isEmpty())
        return;
    const std::optional<QPixmap> picture = vb::loadPicture(path);
    if (!picture)
        return;
    frmMain& w = app.window();
    w.ImageUser.setPicture(*picture);
    w.FrameUser.setCaption(app.profile.UserPictureCaption);
}

void ParentActivate(HelpApp& app)
{
    if (sys::activateWindow(app.socketFolder, app.prog.ParentName))
        return;
    RunParent(app);
}

void RunParent(HelpApp& app)
{
    const QString exe = app.reg.ParentExePath;
    if (exe.isEmpty() || !app.launcher.startDetached(exe, {}, QFileInfo(exe).absolutePath())) {
        app.msg.MessageId = u"MessageRunParentError"_s;
        ParentMessageShow(app);
    }
}

} // namespace corvanehelp
