#pragma once
// Page actions: mailing a link, the chooser for a local page or the user picture, opening a
// local file in the current browser, printing and saving the current page.

#include <QString>
#include <QUrl>

namespace corvane {

class CorvaneApp;

// The "mailto:" link of address (given "mailto:" in front unless it has one in any letter
// case), "?subject=" and "body=" each only when not empty. Recipient, subject and body are
// percent-encoded, so that the mail program receives exactly what was typed.
QUrl MailLinkMake(const QString& address, const QString& subject, const QString& body);
// True only when the desktop accepted the "mailto:" link.
bool MailLinkSend(CorvaneApp& app, QString address, const QString& subject, const QString& body);
// Prepares the chooser for its mode (PickerOpenFileMode or PickerPictureMode) and shows it.
void FileDialogShow(CorvaneApp& app);
// Opens PickerFolder & fileName in the current browser.
void LocalFileOpen(CorvaneApp& app, const QString& fileName);
// The print and save dialogs of the browser on screen (the current tab, the bookmark browser
// or the current main browser); failures are silent.
void PagePrint(CorvaneApp& app);
void PageSaveAs(CorvaneApp& app);

} // namespace corvane
