#pragma once
// Page actions: mailing a link, the chooser for a local page or the user picture, opening a
// local file in the current browser, printing and saving the current page.

#include <QString>

namespace corvane {

class CorvaneApp;

// True only when the desktop accepted the "mailto:" link.
bool MailLinkSend(CorvaneApp& app, QString address, const QString& subject, const QString& body);
// Prepares the chooser for its mode (PickerOpenFileMode or PickerPictureMode) and shows it.
void FileDialogShow(CorvaneApp& app);
// Opens PickerFolder & fileName in the current browser.
void LocalFileOpen(CorvaneApp& app, const QString& fileName);
void PagePrint(CorvaneApp& app);
void PageSaveAs(CorvaneApp& app);

} // namespace corvane
