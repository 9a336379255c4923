#include "web/WebDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace vb::webdialogs {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("vb::WebBrowser", text);
}

} // namespace

QString saveFolder()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QFileInfo(downloads).isDir())
        return downloads;
    return openFolder();
}

QString openFolder()
{
    return QDir::homePath();
}

QString fileNameFrom(const QString& text, const QString& fallback)
{
    QString name = text;
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    name = name.simplified();
    // "." and ".." name folders, and a leading dot hides the file.
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.trimmed();
    return name.isEmpty() ? fallback : name;
}

QString askSaveFile(QWidget* parent, const QString& title, const QString& offered, const QString& filters,
                    QString* chosenFilter)
{
    return QFileDialog::getSaveFileName(parent, title, offered, filters, chosenFilter);
}

QStringList askOpenFiles(QWidget* parent, Pick pick, const QString& folder)
{
    switch (pick) {
    case Pick::Files:
        return QFileDialog::getOpenFileNames(parent, translated("Open Files"), folder);
    case Pick::Folder: {
        const QString chosen = QFileDialog::getExistingDirectory(parent, translated("Open Folder"), folder);
        return chosen.isEmpty() ? QStringList() : QStringList(chosen);
    }
    case Pick::File:
        break;
    }
    const QString chosen = QFileDialog::getOpenFileName(parent, translated("Open File"), folder);
    return chosen.isEmpty() ? QStringList() : QStringList(chosen);
}

bool askCredentials(QWidget* parent, const QString& site, const QString& realm, QString& user, QString& password)
{
    // The parent may go while the dialog runs (its window closed by a page): the dialog goes
    // with it, and counts as cancelled.
    QPointer<QDialog> dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("credentials"));
    dialog->setWindowTitle(translated("Authentication Required"));
    // The realm is the server's own text: shown as it stands, never as markup.
    auto* text = new QLabel(realm.isEmpty()
                                ? translated("%1 asks for a user name and password.").arg(site)
                                : translated("%1 asks for a user name and password for \"%2\".").arg(site, realm));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    auto* name = new QLineEdit(user);
    name->setObjectName(QStringLiteral("user"));
    auto* secret = new QLineEdit;
    secret->setObjectName(QStringLiteral("password"));
    secret->setEchoMode(QLineEdit::Password);
    auto* fields = new QFormLayout;
    fields->addRow(translated("User name:"), name);
    fields->addRow(translated("Password:"), secret);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    name->setFocus();
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    if (accepted) {
        user = name->text();
        password = secret->text();
    }
    delete dialog;
    return accepted;
}

void tellDownloadFailure(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, translated("Download"), text);
}

} // namespace vb::webdialogs
