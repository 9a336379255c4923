#pragma once
// The program register seen from the help program: on a removable drive the folder
// Velmora/ at the drive root with its count file and two lists, on a fixed disk the
// settings store. The help program looks for the browser, registers itself (in the
// help-program list, or by recording its executable's path under "GuruBachan"), reads the
// user profile, and starts or activates the browser.
//
// The lists are what counts on a removable drive: a count file that is missing, cannot
// be read or disagrees with them is rebuilt from them, and a list the help program
// rewrites keeps every record it could read (an unreadable rest is kept aside as ".bad").

#include <QString>

namespace corvanehelp {

class HelpApp;

// --- removable drive ---
// The whole road: looks for the browser (ParentExePath, ParentNotPresent, ParentNotFound)
// and adds or updates this program's record. Ends the program after "MessageMyPathLost"
// when its record must be written but its executable is not at OwnExePath.
void FamilyFilesRead(HelpApp& app);
// Sets FamilyFolderMissing and CountFileMissing.
void FamilyFilesCheck(HelpApp& app);
// Creates the missing register folder (System attribute) and, when neither list exists
// either, a fresh register with this program as the only help program. Returns true when
// the lists are there to be read, false when the road stops here.
bool FamilyFilesCreate(HelpApp& app);

// --- fixed disk ---
// Looks for the browser among the members of the settings-store register; when it is
// found, reads the user profile.
void FamilyRegistryFindParent(HelpApp& app);
// Records this program's executable under "GuruBachan" unless the browser can find it
// already. Ends the program after "MessageMyPathLost" when it is not at OwnExePath.
void CheckOwnPathRecord(HelpApp& app);

// --- the help window ---
// The user picture and its caption into the help window, when one was read.
void ShowUserPicture(HelpApp& app);
// The Activate button: brings the running browser to the front, else starts it.
void ParentActivate(HelpApp& app);
// Starts the browser; "MessageRunParentError" when it cannot be started.
void RunParent(HelpApp& app);

} // namespace corvanehelp
