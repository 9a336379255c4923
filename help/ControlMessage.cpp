#include "ControlMessage.h"

#include "HelpApp.h"
#include "HelpConstants.h"
#include "frmMessage.h"

#include <optional>

namespace corvanehelp {

namespace {

const QString CRLF = QStringLiteral("\r\n");

void resetToDefaults(HelpApp& app)
{
    app.msg.MessageHead = DefaultMessageHead(app);
    app.msg.MessageButtons = QStringLiteral("OK");
    app.msg.MessageInput.clear();
}

void show(HelpApp& app, const QString& body)
{
    resetToDefaults(app);
    app.msg.MessageBody = body;
    MessageBoxShow(app, app.msg.MessageHead, app.msg.MessageBody, app.msg.MessageButtons, app.msg.MessageInput);
}

std::optional<QString> rowBody(const QList<MessageRow>& rows, const QString& id)
{
    for (const MessageRow& row : rows) {
        if (row.id == id)
            return row.body;
    }
    return std::nullopt;
}

void clearMessage(HelpApp& app)
{
    app.msg = {};
}

} // namespace

QString DefaultMessageHead(const HelpApp& app)
{
    return app.profile.Nickname.isEmpty() ? QStringLiteral("myFriend") : app.profile.Nickname;
}

void MessageBoxShow(HelpApp& app, QString& head, QString& body, QString& buttons, QString& input)
{
    auto* form = &app.rt.create<frmMessage>(app);
    app.messageForm = form;
    form->load();

    form->captionFor(app.profile.Nickname);
    form->LabelHead.setCaption(head);
    form->LabelMessage.setCaption(body);
    // Only the kind "OK" is used; OK and Cancel would act alike, so Cancel is offered
    // only where a message asks for it.
    const bool okOnly = buttons == QLatin1String("OK");
    form->CommandMsgOK.setEnabled(true);
    form->CommandMsgCancel.setEnabled(!okOnly);
    form->LabelMsgOK.setCaption(QStringLiteral("OK"));
    form->LabelMsgCancel.setCaption(QStringLiteral("Cancel"));
    // No message of this program asks for input.
    form->TextInput0.setVisible(input == QLatin1String("Input0"));
    form->LayoutToText();
    form->setDefaultButton(&form->CommandMsgOK);
    form->setCancelButton(okOnly ? &form->CommandMsgOK : &form->CommandMsgCancel);
    form->showModal();
}

QList<MessageRow> StartupMessageRows(const HelpApp& app)
{
    const QString& parent = app.prog.ParentName.isEmpty() ? BrowserProgramName() : app.prog.ParentName;
    const QString& own = app.prog.OwnName.isEmpty() ? HelpProgramName() : app.prog.OwnName;
    return {
        {QStringLiteral("MessageNeedSriptRuntime"),
         QStringLiteral("It seems that you do not have the program - Corvane - in your machine.") + CRLF + CRLF +
             QStringLiteral("This program is the Help file of - Corvane. Depends on some Runtime files to run, which are not included with this Help.")},
        {QStringLiteral("MessageSmallScreen"),
         QStringLiteral("To run the Program Screen Resolution must be 800/600 or higher.") + CRLF + CRLF +
             QStringLiteral("To set Screen Resolution open the display settings of your desktop (Settings | Displays in GNOME, System Settings | Display and Monitor in KDE, Settings | Display in Xfce) and then choose the Resolution.")},
        {QStringLiteral("MessageProgInSystem"),
         QStringLiteral("The Program will not run from inside System Folder. Please do the followings :") + CRLF + CRLF +
             QStringLiteral("1. Press OK to exit the Program.") + CRLF +
             QStringLiteral("2. Copy Corvane.exe to a different Folder outside System Folder.") + CRLF +
             QStringLiteral("3. Delete Corvane.exe from within System Folder.") + CRLF +
             QStringLiteral("4. Run Corvane.exe that you copied on step 2.")},
        {QStringLiteral("MessageMyPathLost"),
         QStringLiteral("Did you rename ") + parent + QStringLiteral(".exe or ") + own +
             QStringLiteral(".exe or renamed or moved any folder on their path?") + CRLF + CRLF +
             QStringLiteral("Are you trying to run ") + own + QStringLiteral(" with a Program Launcher before even using it once?") +
             CRLF + CRLF + QStringLiteral("Whatever the problem is, to solve the problem you need to do the followings:") + CRLF + CRLF +
             QStringLiteral("     1. Rename the files to their original name if renamed.") + CRLF +
             QStringLiteral("     2. Run both once by double clicking on the file names.")},
        {QStringLiteral("MessageWrongMedia"),
         QStringLiteral("To make sure this program will run from your Removable Media use a Floppy or USB Flash Drive. This program will not run from the Disk/Drive that you are using.")},
        {QStringLiteral("MessageMediaCDRom"),
         QStringLiteral("To make sure this program will run from your Removable Media use a Floppy or USB Flash Drive. This program will not run from CD/DVD Rom.")},
    };
}

void StartupMessageShow(HelpApp& app)
{
    // No row: an empty message would tell the user nothing.
    if (const std::optional<QString> body = rowBody(StartupMessageRows(app), app.msg.MessageId))
        show(app, *body);
}

void ErrorReportShow(HelpApp& app)
{
    const QString body = QStringLiteral("There was some error.") + CRLF + QStringLiteral("It will be helpful if you please report it to ") +
                         MakerBugEmail() + QStringLiteral(" . Just include the following message in your email :") + CRLF + CRLF +
                         app.msg.MessageId;
    show(app, body);
}

QList<MessageRow> ParentMessageRows(const HelpApp& app)
{
    const QString& parent = app.prog.ParentName.isEmpty() ? BrowserProgramName() : app.prog.ParentName;
    return {
        {QStringLiteral("MessageParentNotPresent"),
         QStringLiteral("Though this is a stand alone program it is actually the Help file of the program - ") + parent +
             QStringLiteral(". Since you do not have that program you really have no use of this Help.") + CRLF + CRLF +
             QStringLiteral("If you want to, to remove it from your machine just delete the file.")},
        {QStringLiteral("MessageParentNotFound"),
         QStringLiteral("Though this is a stand alone program it is designed to work in harmony with Corvane. Please check Using Help With -Corvane to find out how.")},
        {QStringLiteral("MessageRunParentError"), QStringLiteral("There was some error. Could not run the program.")},
    };
}

void ParentMessageShow(HelpApp& app)
{
    if (const std::optional<QString> body = rowBody(ParentMessageRows(app), app.msg.MessageId))
        show(app, *body);
}

void MessageOKDone(HelpApp& app)
{
    if (app.messageForm)
        app.messageForm->unload();
    clearMessage(app);
}

void MessageCancelDone(HelpApp& app)
{
    if (app.messageForm)
        app.messageForm->unload();
    clearMessage(app);
}

} // namespace corvanehelp
