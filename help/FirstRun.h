#pragma once
// The help program's start-up: only one copy runs; the screen must be large enough; the
// program refuses the system folder and CD/DVD, network and unknown drives; it looks for
// the browser in the register of its road and opens the help window on the overview.

#include <QString>

namespace corvanehelp {

class HelpApp;

// The start-up procedure. Every refusal ends the program after its message.
void Main(HelpApp& app);

// Brings the running copy to the front and ends the program; returns when none answers.
void ActivatePreviousInstance(HelpApp& app);
// Ends the program after "MessageSmallScreen" when the screen is below 11500 x 8500 twips.
void ScreenSizeCheck(HelpApp& app);
// Records the start folder, its drive root and the drive. False when the drive cannot be
// read (after the message that ends the program).
bool StartFolderRead(HelpApp& app, const QString& currentFolder);
// The system folder with a trailing "/" into WinFolder.
void WindowsFolderGet(HelpApp& app);
// True when OwnFolder is the system folder or lies below it.
bool ProgramInSystemFolder(const HelpApp& app);
// "Unknown", "Removable", "Fixed", "Remote", "CDRom", "RAMDisk"; "NotDetermined" (after
// the message that ends the program) when the drive cannot be read.
QString DriveTypeNameGet(HelpApp& app, const QString& path);

} // namespace corvanehelp
