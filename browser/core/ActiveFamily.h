#pragma once
// The program register: on a removable drive the folder Velmora/ at the drive root with a
// count file and two list files, on a fixed disk sections of the per-user settings store.
// At start-up the browser reads it for its road, builds the Run list of the maker's other
// programs whose executables exist, finds its own record (which fixes the folder its data
// lies under), adds or updates that record, and looks for its help program.
//
// Failures inside a register procedure are reported with ErrorReportShow under
// "Bug-Corvane-<procedure>" and the road goes on with what it has; a browser whose
// executable is neither where its record nor where the start folder says shows
// "MessageMyPathNotFound", which ends the program.

#include <QString>

namespace corvane {

class CorvaneApp;

// --- removable drive (prog.OnMedia) ---
// The whole road: sets the Run list, RecordedFolder, DataBaseFolder, OwnPathLost,
// HelperLastIndex, FamilyCounts, HelpProgramFound and HelpProgramPath, and writes the
// browser's record. The register folder's lock is held while its files are read and
// written (the help program writes them too). Lists are written before the count file; a
// count file that is missing or disagrees with its lists is rebuilt from them; records
// whose folder lies off this drive are never run or shown.
void OnMoveFamilyAct(CorvaneApp& app);
// A help-list record with this name has an existing executable on this drive; sets
// HelpProgramPath (to the last such record).
bool OnMoveFindBachan(CorvaneApp& app, const QString& name);

// --- fixed disk ---
// The whole road, without writing: when RegisterPending is set afterwards, the start-up
// calls OnRestOwnMemberSave once the data folder is settled.
void OnRestFamilyAct(CorvaneApp& app);
// Reads the settings-store register. A last index that does not decode is taken from the
// member keys in use, and a new member goes after every member in use, so that no member
// is hidden or overwritten. With ten members and the browser not among them, the browser
// takes the slot of a member whose executable is gone; when there is none it runs
// unregistered from the start folder.
void OnRestFamilyCheck(CorvaneApp& app);
// The help program in DataBaseFolder & "Help/", or at the path it recorded for itself.
bool OnRestFindBachan(CorvaneApp& app, const QString& name);
// Writes member index (0..9); clears RegisterPending. False (and reported) on failure.
bool OnRestSaveMember(CorvaneApp& app, int index, const QString& name, const QString& folder);
// Writes the browser's own member at OwnMemberSlot with folder DataBaseFolder, storing
// the new last index first when the register grows, under the store's lock: a slot that
// another program took meanwhile is left to it. Does nothing unless RegisterPending.
void OnRestOwnMemberSave(CorvaneApp& app);

} // namespace corvane
