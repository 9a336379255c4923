#pragma once
// The dialogs the web control shows on its own, each Qt's own (or built from Qt's own
// widgets where Qt has none), and the user's folders they open in.

#include <QString>
#include <QStringList>

class QWidget;

namespace vb::webdialogs {

// Where files the user saves go first: the desktop's Downloads folder when there is one,
// otherwise the home folder. Never the program's own folder.
QString saveFolder();
// Where files the user picks for a page are looked for first: the home folder.
QString openFolder();
// A name for a file to save, made from text a page chose (a title, a suggested name):
// folder separators and control characters become blanks; fallback when nothing is left.
QString fileNameFrom(const QString& text, const QString& fallback);

// A save dialog opening at offered (a folder and a file name); "" when cancelled.
QString askSaveFile(QWidget* parent, const QString& title, const QString& offered, const QString& filters = {},
                    QString* chosenFilter = nullptr);

// An open dialog starting in folder: one file, several files, or a folder; none when
// cancelled.
enum class Pick { File, Files, Folder };
QStringList askOpenFiles(QWidget* parent, Pick pick, const QString& folder);

// Asks for a name and password for site (and the server's realm); false when cancelled.
bool askCredentials(QWidget* parent, const QString& site, const QString& realm, QString& user, QString& password);

// Tells the user that a download failed.
void tellDownloadFailure(QWidget* parent, const QString& text);

} // namespace vb::webdialogs
