#pragma once
// The browser's start-up: screen and drive checks, the register road, the data folder,
// the profile, the settings, the windows and the first page.

#include <QString>

class QApplication;

namespace corvane {

class CorvaneApp;

// Builds the application object with the real services and engine, runs the start-up and
// the event loop; returns the exit code.
int runProgram(QApplication& qapp);

// The start-up procedure.
void Main(CorvaneApp& app);
void ScreenSizeCheck(CorvaneApp& app);
// "Unknown", "Removable", "Fixed", "Remote", "CDRom", "RAMDisk"; "NotDetermined" (after the
// message that ends the program) when the drive cannot be read.
QString DriveTypeNameGet(CorvaneApp& app, const QString& path);
// "Corvane", or "Corvane - " and the nickname.
QString MainWindowTitleMake(const CorvaneApp& app);
// Makes and loads the main window (the hidden data form's lists live in the application
// object) and gives it its title.
void MainWindowLoad(CorvaneApp& app);
// A loaded main window's first page: main browser 1's kept sites fill the location box, the
// window is shown and main browser 1 goes to its home page.
void MainWindowFirstPageShow(CorvaneApp& app);
// Records the start folder and its drive (the chooser's hidden load at start-up). False
// when the drive cannot be read (after the message that ends the program).
bool StartFolderRead(CorvaneApp& app, const QString& currentFolder);

} // namespace corvane
