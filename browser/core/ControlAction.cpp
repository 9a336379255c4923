#include "ControlAction.h"

#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMove.h"

#include "vb/Pictures.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace corvane {

namespace {

// The browser the user is looking at: the current tab, the bookmark browser or the current
// main browser.
vb::WebBrowser* browserOnScreen(CorvaneApp& app)
{
    return app.mainForm ? app.mainForm->currentBrowser() : nullptr;
}

void fileOpenFailed(CorvaneApp& app)
{
    app.msg.MessageId = u"MessageFileOpenError"_s;
    MessageShow(app);
}

} // namespace

QUrl MailLinkMake(const QString& address, const QString& subject, const QString& body)
{
    // The scheme the caller wrote is kept as written; only what follows it is encoded.
    const bool hasScheme = address.left(7).toLower() == "mailto:"_L1;
    QByteArray link = hasScheme ? address.left(7).toUtf8() : QByteArray("mailto:");
    // "@" and "," stay readable: they separate the parts of an address and the addresses.
    link += QUrl::toPercentEncoding(hasScheme ? address.mid(7) : address, "@,");
    if (!subject.isEmpty()) {
        link += "?subject=";
        link += QUrl::toPercentEncoding(subject);
    }
    if (!body.isEmpty()) {
        link += subject.isEmpty() ? "?" : "&";
        link += "body=";
        link += QUrl::toPercentEncoding(body);
    }
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

bool MailLinkSend(CorvaneApp& app, QString address, const QString& subject, const QString& body)
{
    return app.launcher.openUrl(MailLinkMake(address, subject, body));
}

void FileDialogShow(CorvaneApp& app)
{
    auto* chooser = qobject_cast<frmMove*>(app.moveForm);
    if (!chooser)
        return;
    const PanelVars& panel = app.panel;
    const ProfileVars& profile = app.profile;
    frmMove& m = *chooser;

    // A folder that has gone since the last use leaves the lists where they are.
    auto goTo = [&m](const QString& folder) {
        try {
            m.Dir1.setPath(folder);
        } catch (const vb::Error&) {
        }
    };

    m.FramePattern.setVisible(panel.PickerOpenFileMode);
    QString caption;
    QString pathLabel;
    QString path;
    QString pictureCaption;
    bool found = false;
    if (panel.PickerOpenFileMode) {
        caption = u"Open File"_s;
        goTo(app.prog.PickerFolder);
        m.File1.setPattern(u"*.htm"_s);
        for (int i = 0; i <= 4; ++i)
            m.CommandPattern[i].setEnabled(i != 1);
    } else {
        caption = u"Select Picture"_s;
        m.File1.setPattern(u"*.jp*"_s);
        // A picture that can no longer be loaded is not offered as the current selection:
        // its preview would close the chooser before it is shown.
        if (!profile.UserPicturePath.isEmpty() && vb::loadPicture(profile.UserPicturePath)) {
            goTo(profile.UserPictureFolder);
            // Only in its own folder: the lists stay elsewhere when that folder has gone.
            QString listed = m.Dir1.path();
            if (!listed.endsWith(u'/'))
                listed += u'/';
            const int index = listed == profile.UserPictureFolder ? int(m.File1.files().indexOf(profile.UserPictureFileName)) : -1;
            if (index >= 0) {
                // Selecting it previews it, as the user's click does.
                m.File1.setListIndex(index);
                found = m.File1.listIndex() == index;
            }
            if (found) {
                caption = u"Change Picture"_s;
                pathLabel = u"Current Selection :"_s;
                path = profile.UserPicturePath;
                pictureCaption = profile.UserPictureCaption;
            }
        }
    }

    m.setCaption(caption);
    m.LabelPath.setCaption(pathLabel);
    m.TextPath.setText(path);
    m.TextUser.setText(pictureCaption);
    m.FramePath.setVisible(found);
    m.FrameUser.setVisible(found);
    m.LabelMoveDefault.setVisible(found);
    m.CommandMoveDefault.setVisible(found);
    m.CommandMoveOK.setEnabled(found);
    m.TextUser.setSelStart(0);
    m.TextUser.setSelLength(int(m.TextUser.text().size()));
    m.TextUser.setTabIndex(0);

    m.showModal();
}

void LocalFileOpen(CorvaneApp& app, const QString& fileName)
{
    const QString path = app.prog.PickerFolder + fileName;
    // A file that has gone (or cannot be read) since it was listed would otherwise fail
    // without a word: the browser cancels every navigation error.
    const QFileInfo file(path);
    vb::WebBrowser* browser = browserOnScreen(app);
    if (fileName.isEmpty() || !file.isFile() || !file.isReadable() || !browser) {
        fileOpenFailed(app);
        return;
    }
    // Built from the path, so that "#", "%" or "?" in a name stay part of the file's name.
    const QString address = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    BrowserSet& s = app.set;
    const bool guardBefore = s.PopupGuard;
    s.PopupGuard = true;
    try {
        browser->navigate(address);
    } catch (const std::exception&) {
        // No navigation is under way, so none will lower the guard.
        s.PopupGuard = guardBefore;
        fileOpenFailed(app);
    }
}

void PagePrint(CorvaneApp& app)
{
    if (vb::WebBrowser* browser = browserOnScreen(app)) {
        try {
            browser->execWB(vb::WebBrowser::ExecPrint, vb::WebBrowser::PromptUser);
        } catch (const std::exception&) {
        }
    }
}

void PageSaveAs(CorvaneApp& app)
{
    if (vb::WebBrowser* browser = browserOnScreen(app)) {
        try {
            browser->execWB(vb::WebBrowser::ExecSaveAs, vb::WebBrowser::PromptUser);
        } catch (const std::exception&) {
        }
    }
}

} // namespace corvane
