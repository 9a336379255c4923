#pragma once
// Starting the help program, the product's web page in the desktop's browser, and the
// maker's other programs from the Run box; sizing the Run box.

#include "sys/Launcher.h"

#include <QString>

namespace corvane {

class CorvaneApp;

// Activates the running help program or starts it; without one, asks whether to fetch it.
// Returns the message answer ("GoToWebSite" after a Yes), else "".
QString HelpProgramRun(CorvaneApp& app);
// Opens the product's web page with the desktop's web browser.
void MakerWebPageOpen(CorvaneApp& app);
// Opens the desktop's settings tool for the area; when none starts, a message says what
// was tried.
void SettingsToolRun(CorvaneApp& app, sys::SettingsApplet applet);
// Closes the browser to start the program chosen in the Run box; does nothing when the
// choice names no listed program.
void FamilyProgramRun(CorvaneApp& app);
// Sizes the Run box for the Run list (called only when the list is not empty).
void RunBoxLayout(CorvaneApp& app);

} // namespace corvane
