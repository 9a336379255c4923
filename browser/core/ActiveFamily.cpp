#include "ActiveFamily.h"

#include "ControlMessage.h"
#include "CorvaneApp.h"

#include "sys/DataTransaction.h"
#include "sys/FamilyRegister.h"
#include "sys/FileSystem.h"
#include "sys/TextRecords.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace corvane {

namespace fam = sys::family;

namespace {

// Reports that arise while the register's lock is held wait until it is given up: a
// message waits for the user, and the other programs must not wait for the message.
using Reports = QStringList;

void reportError(CorvaneApp& app, const QString& procedure)
{
    app.msg.MessageId = ErrorIdMake(app, procedure);
    ErrorReportShow(app);
}

void showPathNotFound(CorvaneApp& app)
{
    app.msg.MessageId = u"MessageMyPathNotFound"_s;
    FailureMessageShow(app);
}

QString ownExecutable(const CorvaneApp& app)
{
    return app.prog.OwnFolder + app.prog.ProgramName + u".exe"_s;
}

fam::Record ownRecord(const CorvaneApp& app)
{
    return fam::Record{app.prog.ProgramName, app.prog.OwnFolder};
}

void runListAdd(CorvaneApp& app, const QString& name, const QString& executable)
{
    app.reg.FamilyRunNames.append(name);
    app.reg.FamilyRunPaths.append(executable);
    app.reg.FamilyRunLast = int(app.reg.FamilyRunNames.size()) - 1;
}

void resetResults(CorvaneApp& app)
{
    RegisterVars& r = app.reg;
    r.FamilyRunLast = -1;
    r.FamilyRunNames.clear();
    r.FamilyRunPaths.clear();
    r.RecordedFolder.clear();
    r.OwnPathLost = false;
    r.RegisterPending = false;
    r.HelpProgramFound = false;
    r.HelpProgramPath.clear();
}

// The count file is missing: the browser's executable must be in the start folder, and
// the register folder is created when it is missing. Returns whether the file existed.
bool OnMoveFamilyChek(CorvaneApp& app, const QString& countFile, const QString& familyFolder)
{
    if (sys::FileSystem::fileExists(countFile))
        return true;
    if (!sys::FileSystem::fileExists(ownExecutable(app))) {
        app.reg.OwnPathLost = true;
        return false;
    }
    if (!sys::FileSystem::folderExists(familyFolder) && !sys::FileSystem::createFolder(familyFolder))
        reportError(app, u"OnMoveFamilyChek"_s);
    return false;
}

// A fresh register: the main list with the browser alone, then the counts.
void OnMoveFamilyCreate(CorvaneApp& app, sys::DataTransaction& tx, Reports& reports)
{
    RegisterVars& r = app.reg;
    r.RecordedFolder = app.prog.OwnFolder;
    r.FamilyCounts = {-1, -1};
    r.HelperLastIndex = -1;
    if (!fam::replaceRecordsFile(tx, r.MainListFile, {ownRecord(app)}, false)) {
        reports << u"OnMoveFamilyCreate"_s;
        return;
    }
    r.FamilyCounts = {0, -1};
    if (!fam::writeCountsFile(tx, r.CountFile, fam::Counts{0, -1}))
        reports << u"OnMoveFamilyCreate"_s;
}

// Walks the main list: the other programs whose executables exist on this drive make the
// Run list; the browser's own record fixes RecordedFolder. Sets rewrite when the list
// changed (own record moved to the start folder or added).
void OnMoveGetGuru(CorvaneApp& app, QList<fam::Record>& records, bool& rewrite)
{
    RegisterVars& r = app.reg;
    const QString& root = app.prog.OwnRoot;
    const QString& own = app.prog.ProgramName;

    // Several copies of the browser may share a drive: each keeps to its own record (the
    // one for the start folder), else the first whose executable is still there.
    int ownIndex = -1;
    int firstOwn = -1;
    for (int i = 0; i < records.size(); ++i) {
        const fam::Record& rec = records.at(i);
        if (rec.name != own)
            continue;
        if (firstOwn < 0)
            firstOwn = i;
        if (!fam::recordOnDrive(rec, root) || !sys::FileSystem::fileExists(fam::executablePath(rec)))
            continue;
        if (ownIndex < 0 || rec.folder == app.prog.OwnFolder)
            ownIndex = i;
    }

    for (const fam::Record& rec : std::as_const(records)) {
        if (rec.name == own || !fam::recordOnDrive(rec, root))
            continue;
        const QString exe = fam::executablePath(rec);
        if (sys::FileSystem::fileExists(exe))
            runListAdd(app, rec.name, exe);
    }

    if (ownIndex >= 0) {
        r.RecordedFolder = records.at(ownIndex).folder;
        return;
    }
    if (!sys::FileSystem::fileExists(ownExecutable(app))) {
        r.OwnPathLost = true;
        return;
    }
    // The browser's folder was renamed or the drive came back under another mount point:
    // its record follows it. Without a record it is added after the last one.
    r.RecordedFolder = app.prog.OwnFolder;
    if (firstOwn >= 0) {
        records[firstOwn].folder = app.prog.OwnFolder;
        rewrite = true;
    } else if (records.size() < fam::MaxRecords) {
        records.append(ownRecord(app));
        rewrite = true;
    }
}

} // namespace

namespace {

// What the road does once the register folder is there, under its lock: reads the lists
// and the count file again, adds or moves the browser's record and rewrites what changed.
void OnMoveRegisterUpdate(CorvaneApp& app, sys::DataTransaction& tx, bool countExists, Reports& reports)
{
    RegisterVars& r = app.reg;
    const std::optional<fam::RecordList> mainList = fam::readRecordsFile(r.MainListFile);
    const std::optional<fam::RecordList> helperList = fam::readRecordsFile(r.HelperListFile);
    if (!countExists && !mainList && !helperList) {
        OnMoveFamilyCreate(app, tx, reports);
        return;
    }
    // A damaged list is reported here, once: when it cannot be kept aside further down it
    // is left as it is without a second report.
    const bool mainDamaged = mainList && mainList->damaged;
    if (mainDamaged)
        reports << u"OnMoveGetGuru"_s;

    // The lists are what counts: a count file that is missing, short or disagrees with
    // them is rebuilt from them, never the other way round.
    const int mainOnDisk = mainList ? int(mainList->records.size()) - 1 : -1;
    const int helperOnDisk = helperList ? int(helperList->records.size()) - 1 : -1;
    bool countsDirty = !countExists;
    if (countExists) {
        const std::optional<fam::Counts> counts = fam::readCountsFile(r.CountFile);
        if (!counts)
            reports << u"OnMoveFamilyAct"_s;
        countsDirty = !counts || counts->mainLast != mainOnDisk || counts->helperLast != helperOnDisk;
    }
    r.HelperLastIndex = helperOnDisk;

    QList<fam::Record> records = mainList ? mainList->records : QList<fam::Record>();
    bool rewrite = false;
    QString procedure = u"OnMoveGetGuru"_s;
    if (records.isEmpty()) {
        // OnMoveSaveGuru: an empty main list gets the browser alone.
        procedure = u"OnMoveSaveGuru"_s;
        records = {ownRecord(app)};
        rewrite = true;
        r.RecordedFolder = app.prog.OwnFolder;
    } else {
        OnMoveGetGuru(app, records, rewrite);
        if (r.OwnPathLost)
            return;
    }

    int mainLast = mainOnDisk;
    if (rewrite) {
        // What could not be read of a damaged list is kept aside before it is replaced; a
        // list that cannot be kept (one that cannot be read at all) keeps the other
        // programs' records in place of this one's, and its count stays as it is.
        const bool keepBad = mainList && mainList->keepAside();
        if (fam::replaceRecordsFile(tx, r.MainListFile, records, keepBad)) {
            mainLast = int(records.size()) - 1;
            countsDirty = true;
        } else if (keepBad) {
            countsDirty = false;
        } else {
            reports << procedure;
        }
    }
    if (countsDirty && !fam::writeCountsFile(tx, r.CountFile, fam::Counts{mainLast, helperOnDisk}))
        reports << procedure;
    r.FamilyCounts = {mainLast, helperOnDisk};
}

} // namespace

void OnMoveFamilyAct(CorvaneApp& app)
{
    resetResults(app);
    RegisterVars& r = app.reg;
    r.FamilyFolder = app.prog.OwnRoot + fam::folderName();
    r.CountFile = r.FamilyFolder + fam::countFileName();
    r.MainListFile = r.FamilyFolder + fam::mainListFileName();
    r.HelperListFile = r.FamilyFolder + fam::helperListFileName();
    r.HelperLastIndex = -1;

    const bool countExists = OnMoveFamilyChek(app, r.CountFile, r.FamilyFolder);
    if (r.OwnPathLost) {
        showPathNotFound(app);
        return;
    }

    Reports reports;
    {
        sys::DataTransaction tx(r.FamilyFolder);
        OnMoveRegisterUpdate(app, tx, countExists, reports);
    }
    for (const QString& procedure : std::as_const(reports))
        reportError(app, procedure);
    if (r.OwnPathLost) {
        showPathNotFound(app);
        return;
    }

    r.DataBaseFolder = r.RecordedFolder;
    if (r.HelperLastIndex >= 0)
        r.HelpProgramFound = OnMoveFindBachan(app, app.prog.HelpProgramName);
}

bool OnMoveFindBachan(CorvaneApp& app, const QString& name)
{
    const std::optional<fam::RecordList> list = fam::readRecordsFile(app.reg.HelperListFile);
    if (!list)
        return false;
    if (list->damaged)
        reportError(app, u"OnMoveFindBachan"_s);
    // Found when any matching record's executable exists, not only the last one.
    bool found = false;
    for (const fam::Record& rec : list->records) {
        if (rec.name != name || !fam::recordOnDrive(rec, app.prog.OwnRoot))
            continue;
        const QString exe = fam::executablePath(rec);
        if (sys::FileSystem::fileExists(exe)) {
            app.reg.HelpProgramPath = exe;
            found = true;
        }
    }
    return found;
}

void OnRestFamilyAct(CorvaneApp& app)
{
    resetResults(app);
    OnRestFamilyCheck(app);
    if (app.reg.OwnPathLost) {
        showPathNotFound(app);
        return;
    }
    app.reg.DataBaseFolder = app.reg.RecordedFolder;
    app.reg.HelpProgramFound = OnRestFindBachan(app, app.prog.HelpProgramName);
}

void OnRestFamilyCheck(CorvaneApp& app)
{
    RegisterVars& r = app.reg;
    r.RecordedFolder.clear();
    r.OwnPathLost = false;
    r.RegisterPending = false;
    r.OwnMemberSlot = -1;
    r.OwnMemberSlotHeld.clear();
    r.FamilyRunLast = -1;
    r.FamilyRunNames.clear();
    r.FamilyRunPaths.clear();

    const fam::MemberIndex index = fam::readMemberIndex(app.store);
    const int last = index.last;
    r.MemberLastIndex = last;

    int ownIndex = -1;   // the browser's member whose executable exists
    int staleOwn = -1;   // the browser's member whose executable has gone
    int freeSlot = -1;   // an empty member, or one whose executable has gone
    for (int i = 0; i <= last; ++i) {
        const QString key = fam::memberKey(i);
        const fam::Record rec{app.store.get(fam::memberNamesSection(), key), app.store.get(fam::memberFoldersSection(), key)};
        if (rec.name.isEmpty() || rec.folder.isEmpty()) {
            if (freeSlot < 0)
                freeSlot = i;
            continue;
        }
        const bool exists = fam::isPlainName(rec.name) && rec.folder.startsWith(u'/') &&
                            sys::FileSystem::fileExists(fam::executablePath(rec));
        if (rec.name == app.prog.ProgramName) {
            if (exists && (ownIndex < 0 || rec.folder == app.prog.OwnFolder)) {
                ownIndex = i;
                r.RecordedFolder = rec.folder;
            } else if (!exists && staleOwn < 0) {
                staleOwn = i;
            }
            continue;
        }
        if (exists)
            runListAdd(app, rec.name, fam::executablePath(rec));
        else if (freeSlot < 0)
            freeSlot = i;
    }

    if (ownIndex >= 0)
        return;
    if (!sys::FileSystem::fileExists(ownExecutable(app))) {
        r.OwnPathLost = true;
        return;
    }
    r.RecordedFolder = app.prog.OwnFolder;
    // The own member is rewritten in place, else appended after every member in use; a
    // full register gives up the slot of a member that has gone. With none free the
    // browser runs unregistered.
    int slot = staleOwn;
    if (slot < 0)
        slot = index.appendAt() < fam::MaxMembers ? index.appendAt() : freeSlot;
    if (slot >= 0) {
        r.OwnMemberSlot = slot;
        r.OwnMemberSlotHeld = app.store.get(fam::memberNamesSection(), fam::memberKey(slot));
        r.RegisterPending = true;
    }
}

bool OnRestFindBachan(CorvaneApp& app, const QString& name)
{
    const QString beside = app.reg.DataBaseFolder + u"Help/"_s + name + u".exe"_s;
    if (sys::FileSystem::fileExists(beside)) {
        app.reg.HelpProgramPath = beside;
        return true;
    }
    const QString recorded = app.store.get(fam::helperPathsSection(), name);
    if (!recorded.isEmpty() && sys::FileSystem::fileExists(recorded)) {
        app.reg.HelpProgramPath = recorded;
        return true;
    }
    return false;
}

namespace {

// The member's name and folder, and the register's new last index when it grows: one write
// of the settings file, so that no half of a record is ever stored.
bool saveMember(CorvaneApp& app, int index, const QString& name, const QString& folder, std::optional<int> newLastIndex)
{
    const QString key = fam::memberKey(index);
    if (key.isEmpty())
        return false;
    QList<sys::SettingsStore::Value> values{{fam::memberNamesSection(), key, name},
                                            {fam::memberFoldersSection(), key, folder}};
    if (newLastIndex)
        values.prepend({fam::lastIndexSection(), fam::lastIndexKey(), fam::encodeLastIndex(*newLastIndex)});
    return app.store.set(values);
}

// The slot holds another program's member that was not there when the register was read:
// a program that registered meanwhile.
bool takenByOther(const CorvaneApp& app, int slot, const QString& heldThen)
{
    const QString name = app.store.get(fam::memberNamesSection(), fam::memberKey(slot));
    return !name.isEmpty() && name != app.prog.ProgramName && name != heldThen;
}

} // namespace

bool OnRestSaveMember(CorvaneApp& app, int index, const QString& name, const QString& folder)
{
    if (!saveMember(app, index, name, folder, std::nullopt)) {
        reportError(app, u"OnRestSaveMember"_s);
        return false;
    }
    app.reg.RegisterPending = false;
    return true;
}

void OnRestOwnMemberSave(CorvaneApp& app)
{
    RegisterVars& r = app.reg;
    if (!r.RegisterPending || r.OwnMemberSlot < 0 || r.OwnMemberSlot >= fam::MaxMembers)
        return;
    bool saved = false;
    {
        // The register is read again under the store's lock: another program may have
        // taken the slot since, and the last index never goes down.
        sys::DataTransaction tx(QFileInfo(app.store.path()).absolutePath(), u"Tavolin.lock"_s);
        const fam::MemberIndex index = fam::readMemberIndex(app.store);
        int slot = r.OwnMemberSlot;
        if (takenByOther(app, slot, r.OwnMemberSlotHeld))
            slot = index.appendAt() < fam::MaxMembers ? index.appendAt() : -1;
        if (slot < 0) {
            // Full meanwhile: the browser runs unregistered from its start folder.
            r.RegisterPending = false;
            return;
        }
        // A stored index that does not decode is replaced by one that covers every member.
        std::optional<int> newLast;
        if (!index.decoded || slot > index.last)
            newLast = std::max(slot, index.appendAt() - 1);
        saved = saveMember(app, slot, app.prog.ProgramName, r.DataBaseFolder, newLast);
        if (saved) {
            r.OwnMemberSlot = slot;
            if (newLast)
                r.MemberLastIndex = *newLast;
            r.RegisterPending = false;
        }
    }
    if (!saved)
        reportError(app, u"OnRestSaveMember"_s);
}

} // namespace corvane
