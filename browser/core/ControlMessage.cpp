#include "ControlMessage.h"

#include "ActiveNajar.h"
#include "Constants.h"
#include "CorvaneApp.h"
#include "PageTrouble.h"
#include "frmMessage.h"

#include <QTimer>

#include <optional>

namespace corvane {

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString MyFriend = QStringLiteral("myFriend");

void drainQueue(CorvaneApp& app);

void postDrain(CorvaneApp& app)
{
    if (app.msgQueue.drainPosted || app.msgQueue.pending.empty())
        return;
    app.msgQueue.drainPosted = true;
    QTimer::singleShot(0, &app.rt, [&app] {
        app.msgQueue.drainPosted = false;
        drainQueue(app);
    });
}

void showFromCatalogue(CorvaneApp& app, Catalogue catalogue)
{
    switch (catalogue) {
    case Catalogue::Startup:
        StartupMessageShow(app);
        break;
    case Catalogue::Failure:
        FailureMessageShow(app);
        break;
    case Catalogue::Running:
        MessageShow(app);
        break;
    case Catalogue::ErrorReport:
        ErrorReportShow(app);
        break;
    }
}

void drainQueue(CorvaneApp& app)
{
    // One at a time: each waits for the one before it to close.
    if (app.msgQueue.showing || app.msgQueue.pending.empty())
        return;
    MessageQueue::Pending next = app.msgQueue.pending.front();
    app.msgQueue.pending.pop_front();
    app.msg.MessageId = next.id;
    showFromCatalogue(app, next.catalogue);
    postDrain(app);
}

// A message cannot be shown while another is open or while a web-engine callback runs:
// it waits in the queue. The same message already shown or waiting is not added twice.
bool deferIfBusy(CorvaneApp& app, Catalogue catalogue)
{
    MessageQueue& q = app.msgQueue;
    const bool inEngine = app.rt.inEngineCallback();
    if (!q.showing && !inEngine)
        return false;
    const QString id = app.msg.MessageId;
    // The open dialog's follow-ups act on its own id.
    app.msg.MessageId = q.showing ? q.shownId : QString();
    const bool shownAlready = q.showing && q.shownCatalogue == catalogue && q.shownId == id;
    bool waiting = false;
    for (const auto& p : q.pending)
        waiting = waiting || (p.catalogue == catalogue && p.id == id);
    if (!shownAlready && !waiting)
        q.pending.push_back({catalogue, id});
    if (!q.showing)
        app.rt.afterEngineCallback([&app] { drainQueue(app); });
    return true;
}

// The dialog has its answer: it holds back no message from now on. What its answer
// opens (the chooser again after "MessageIncorrectPicture") may need the same message
// once more.
void answered(CorvaneApp& app)
{
    app.msgQueue.showing = false;
    app.msgQueue.shownId.clear();
}

void resetToDefaults(CorvaneApp& app)
{
    app.msg.MessageHead = DefaultMessageHead(app);
    app.msg.MessageButtons = QStringLiteral("OK");
    app.msg.MessageInput.clear();
    app.msg.MessageBody.clear();
    app.msgQueue.cancelDefault = false;
}

void showCurrent(CorvaneApp& app, Catalogue catalogue)
{
    app.msgQueue.shownCatalogue = catalogue;
    MessageBoxShow(app, app.msg.MessageHead, app.msg.MessageBody, app.msg.MessageButtons, app.msg.MessageInput);
}

// The launch failures have no rows of their own in the old catalogue; they show the texts
// of the rows that describe the same failures.
QString helpFailureText()
{
    return QStringLiteral("There was some error. Could not run Help.");
}

QString siteFailureText(const CorvaneApp& app)
{
    return QStringLiteral("Could not run the Web Browser to take you to the site ") + app.webAddress() + QStringLiteral(".");
}

QString programFailureText()
{
    return QStringLiteral("There was some error. Could not run the Program.");
}

// Which data file a path is, as the user knows it.
QString dataFileRole(const CorvaneApp& app, const QString& path)
{
    if (path == app.prog.SettingsFilePath)
        return QStringLiteral("your options");
    if (path == app.prog.BookmarkFilePath)
        return QStringLiteral("your bookmarks");
    if (path == app.prog.HistoryFilePath)
        return QStringLiteral("your history");
    if (path == app.prog.NotesFilePath)
        return QStringLiteral("your notes");
    return QString();
}

// A refused save names each file that was not written and why.
QString saveFailureText(const CorvaneApp& app)
{
    QString text = QStringLiteral("There was an error, could not save your options.");
    for (const sys::WriteFailure& f : app.files.failuresToTell) {
        const QString role = dataFileRole(app, f.path);
        text += CRLF + CRLF + QStringLiteral("Not saved : ") + f.path + (role.isEmpty() ? QString() : QStringLiteral(" (") + role + QStringLiteral(")")) +
                CRLF + QStringLiteral("     ") + f.reason;
    }
    return text;
}

QString settingsResetText(const CorvaneApp& app)
{
    QString text = QStringLiteral("There was an error, could not get some of your options. They are set to default now :");
    for (const QString& name : app.files.settingsReset)
        text += CRLF + QStringLiteral("     ") + name;
    return text;
}

// What a message told from the program's state is told once.
void rowTold(CorvaneApp& app, const QString& id)
{
    if (id == QLatin1String("MessageErSaveSetVelmora"))
        app.files.failuresToTell.clear();
    else if (id == QLatin1String("MessageSetVelmoraReset"))
        app.files.settingsReset.clear();
}

std::optional<MessageRow> rowOf(const CorvaneApp& app, Catalogue catalogue, const QString& id)
{
    for (const MessageRow& row : CatalogueRows(app, catalogue)) {
        if (row.id == id)
            return row;
    }
    return std::nullopt;
}

// The row's text, and its head, buttons and input kind where it has its own.
void rowApply(CorvaneApp& app, const MessageRow& row)
{
    MessageVars& m = app.msg;
    if (!row.head.isEmpty())
        m.MessageHead = row.head;
    m.MessageButtons = row.buttons;
    m.MessageInput = row.input;
    m.MessageBody = row.body;
    app.msgQueue.cancelDefault = row.cancelDefault;
}

} // namespace

QString DefaultMessageHead(const CorvaneApp& app)
{
    return app.profile.Nickname.isEmpty() ? MyFriend : app.profile.Nickname;
}

QString ErrorIdMake(const CorvaneApp& app, const QString& procedure)
{
    return QStringLiteral("Bug-") + app.prog.ProgramName + QStringLiteral("-") + procedure;
}

void MessageBoxShow(CorvaneApp& app, QString& head, QString& body, QString& buttons, QString& input)
{
    auto* form = &app.rt.create<frmMessage>(app);
    app.messageForm = form;
    form->load();
    form->captionFor(app.profile.Nickname);

    QString okCaption = QStringLiteral("OK");
    QString cancelCaption = QStringLiteral("Cancel");
    bool okEnabled = false;
    bool cancelEnabled = true;
    if (buttons == QLatin1String("OK")) {
        okEnabled = true;
        cancelEnabled = false;
    } else if (buttons == QLatin1String("OKCancel")) {
        okEnabled = true;
    } else if (buttons == QLatin1String("YesNo")) {
        okCaption = QStringLiteral("Yes");
        cancelCaption = QStringLiteral("No");
        okEnabled = true;
    }
    if (input == QLatin1String("Input0")) {
        form->TextInput0.setVisible(true);
        form->TextInput0.setTabIndex(0);
    }
    form->LabelHead.setCaption(head);
    form->LabelMessage.setCaption(body);
    form->LabelMsgOK.setCaption(okCaption);
    form->LabelMsgCancel.setCaption(cancelCaption);
    form->CommandMsgOK.setEnabled(okEnabled);
    form->CommandMsgCancel.setEnabled(cancelEnabled);
    form->LayoutToText();
    // Enter answers OK, or Cancel where staying is the safe answer; Escape answers Cancel, or
    // OK where OK is the only answer, as the title bar's close does.
    const bool cancelFirst = app.msgQueue.cancelDefault && cancelEnabled;
    form->setDefaultButton(cancelFirst ? &form->CommandMsgCancel : &form->CommandMsgOK);
    form->setCancelButton(cancelEnabled ? &form->CommandMsgCancel : &form->CommandMsgOK);
    if (input == QLatin1String("Input0"))
        form->TextInput0.setFocus();
    else if (cancelFirst)
        form->CommandMsgCancel.setFocus();
    else if (okEnabled)
        form->CommandMsgOK.setFocus();
    app.msgQueue.cancelDefault = false;

    MessageQueue& q = app.msgQueue;
    q.showing = true;
    q.shownId = app.msg.MessageId;
    struct Done {
        CorvaneApp& app;
        ~Done()
        {
            app.msgQueue.showing = false;
            app.msgQueue.shownId.clear();
            postDrain(app);
        }
    } done{app};
    form->showModal();
}

namespace {

QList<MessageRow> startupRows(const CorvaneApp& app)
{
    MessageRow screen{QStringLiteral("MessageWrongScreen"),
                      QStringLiteral("Screen Resolution must be 1024/768 or higher for this program to show everything correctly.") + CRLF + CRLF +
                          QStringLiteral("To set Screen Resolution please click on 'Tools' button and then on 'Set Display Proerties' button.")};
    screen.head = MyFriend;
    MessageRow name{QStringLiteral("MessageGetUserName"),
                    QStringLiteral("Thank you for trying Corvane.") + CRLF + CRLF +
                        QStringLiteral("If you want to be addressed by your name of choice then please enter a user name in the above box. Use only alphabets please.") +
                        CRLF + CRLF + QStringLiteral("Corvane will address you as **myFriend** if you do not enter a name.") + CRLF + CRLF +
                        QStringLiteral("velmora") + CRLF + makerContactEmail()};
    name.head = QStringLiteral("Your Name Please");
    name.buttons = QStringLiteral("Cancel");
    name.input = QStringLiteral("Input0");
    return {
        screen,
        {QStringLiteral("MessageMediaUnknown"), QStringLiteral("The Program encountered a problem and will exit now.")},
        {QStringLiteral("MessageMediaCDROM"),
         QStringLiteral("This Program runs from Removable Media, such as, Floppy or Flash Drive but not from CD/DVD-ROM.") + CRLF + CRLF +
             QStringLiteral("Program will exit now.")},
        name,
        {QStringLiteral("MessageRunHelpError"), helpFailureText()},
        {QStringLiteral("MessageRunBachanError"), helpFailureText()},
        {QStringLiteral("MessageRunGaganError"), siteFailureText(app)},
        {QStringLiteral("MessageRunGuruError"), programFailureText()},
    };
}

QList<MessageRow> failureRows(const CorvaneApp& app)
{
    const QString& p = app.prog.ProgramName;
    return {
        // What the program cannot run without here is the system's table of mounted drives.
        {QStringLiteral("MessageNeedSriptRuntime"),
         QStringLiteral("Your machine need a readable table of mounted drives (/proc/self/mountinfo) to run this Program.") + CRLF + CRLF +
             QStringLiteral("Please download the installation package of the Program which includes all necessary files need to run it.") + CRLF + CRLF +
             QStringLiteral("Installation package is available at ") + app.webAddress() + QStringLiteral(".")},
        {QStringLiteral("MessageMyPathNotFound"),
         QStringLiteral("Did you rename ") + p +
             QStringLiteral(".exe or renamed or moved the folder that contains the program or any folder on the path?") + CRLF + CRLF +
             QStringLiteral("Are you trying to run the program with a Program Launcher without even using the program at least once?") + CRLF + CRLF +
             QStringLiteral("Whatever the problem is, to solve it you need to do the followings:") + CRLF + CRLF +
             QStringLiteral("     1. Rename back the file name to ") + p + QStringLiteral(".exe in renamed") + CRLF +
             QStringLiteral("     2. Run the program at least once without using any Program Launcher.")},
        {QStringLiteral("MessageMediaUnknown"), QStringLiteral("The Program encountered a problem and will exit now.")},
        {QStringLiteral("MessageMediaCDRom"),
         QStringLiteral("This Program runs from Removable Media, such as, Floppy or Flash Drive but not from CD/DVD-ROM.") + CRLF + CRLF +
             QStringLiteral("Program will exit now.")},
    };
}

QList<MessageRow> runningRows(const CorvaneApp& app)
{
    MessageRow help{QStringLiteral("MessageHelpShow"),
                    QStringLiteral("Could not find Help. You may not have it or you might not run it after downloading. If you do not have it and you are connected to internet then you can download it from website by clicking Yes button bellow.") +
                        CRLF + CRLF +
                        QStringLiteral("You will need to run the Help by double clicking once on the file name after downloading. After that you will be able to view Help by clicking the same button which is showing you this message.") +
                        CRLF + CRLF + QStringLiteral("Please do not change the file name while saving.") + CRLF + CRLF +
                        QStringLiteral("Do you want to download Help Now?")};
    help.buttons = QStringLiteral("YesNo");
    // The settings tools of the desktop stand for the system's property sheets.
    const QString tried = app.msg.SettingsToolsTried.join(QStringLiteral(", ")) + QStringLiteral(".");
    const QString whatWasTried = app.msg.SettingsToolInstalled ? QStringLiteral("These settings programs did not start : ") + tried
                                                               : QStringLiteral("None of these settings programs is installed : ") + tried;
    QList<MessageRow> rows{
        {QStringLiteral("MessageIncorrectPicture"),
         QStringLiteral("Selected file either not a Picture file, or not a type of file that this Program can Support. Try a .jpg or .bmp file please.")},
        {QStringLiteral("MessageTooManyTab"),
         QStringLiteral("This page will be shown in a new Tab. But you have too many Tabs open already.") + CRLF + CRLF +
             QStringLiteral("Please close some Tabs before opening a new one.")},
        help,
        {QStringLiteral("MessageRunHelpSiteError"), siteFailureText(app)},
        {QStringLiteral("MessageRunFamilyError"), programFailureText()},
        {QStringLiteral("MessageFileOpenError"), QStringLiteral("There was some error. Could not open the file.")},
        {QStringLiteral("MessageErGetSetVelmora"), QStringLiteral("There was an error, could not get your options.")},
        {QStringLiteral("MessageErSaveSetVelmora"), saveFailureText(app)},
        {QStringLiteral("MessageSetVelmoraReset"), settingsResetText(app)},
        {QStringLiteral("MessageDriveNotReady"), QStringLiteral("The Drive you are trying to select is not ready.")},
        {QStringLiteral("MessageRunEmailError"), QStringLiteral("There was some error. Could not run the Email Program.")},
        {QStringLiteral("MessageAlreadyBookmarked"), QStringLiteral("Page Already Bookmarked.")},
        {QStringLiteral("MessageMarkNameExist"),
         QStringLiteral("Selected short name already exists in your Bookmarks. Select a different name please.")},
        {QStringLiteral("MessageRunInternetSettingsError"),
         QStringLiteral("There was some error. Could not open Internet Properties.") + CRLF + CRLF + whatWasTried},
        {QStringLiteral("MessageRunDisplaySettingsError"),
         QStringLiteral("There was some error. Could not open Display Properties.") + CRLF + CRLF + whatWasTried},
    };
    // A site whose certificate nobody vouches for: the site asked about first.
    if (CertificateQuestionPending(app)) {
        MessageRow certificate{CertificateQuestionId(app), CertificateQuestionBody(app)};
        if (certificate.id == QLatin1String("MessageCertificateAsk")) {
            certificate.buttons = QStringLiteral("YesNo");
            certificate.cancelDefault = true;
        }
        rows.append(certificate);
    }
    return rows;
}

} // namespace

QList<MessageRow> CatalogueRows(const CorvaneApp& app, Catalogue catalogue)
{
    switch (catalogue) {
    case Catalogue::Startup:
        return startupRows(app);
    case Catalogue::Failure:
        return failureRows(app);
    case Catalogue::Running:
        return runningRows(app);
    case Catalogue::ErrorReport:
        break;
    }
    return {};
}

void StartupMessageShow(CorvaneApp& app)
{
    if (deferIfBusy(app, Catalogue::Startup))
        return;
    resetToDefaults(app);
    // No row: the old catalogue showed an empty message; nothing useful can be said.
    const std::optional<MessageRow> row = rowOf(app, Catalogue::Startup, app.msg.MessageId);
    if (!row)
        return;
    rowApply(app, *row);
    showCurrent(app, Catalogue::Startup);
}

void FailureMessageShow(CorvaneApp& app)
{
    const std::optional<MessageRow> row = rowOf(app, Catalogue::Failure, app.msg.MessageId);
    if (!row)
        return;
    if (deferIfBusy(app, Catalogue::Failure))
        return;
    resetToDefaults(app);
    app.msg.MessageEndsProgram = true;
    rowApply(app, *row);
    showCurrent(app, Catalogue::Failure);
}

void MessageShow(CorvaneApp& app)
{
    const std::optional<MessageRow> row = rowOf(app, Catalogue::Running, app.msg.MessageId);
    if (!row)
        return;
    if (deferIfBusy(app, Catalogue::Running))
        return;
    resetToDefaults(app);
    rowApply(app, *row);
    rowTold(app, app.msg.MessageId);
    showCurrent(app, Catalogue::Running);
}

void ErrorReportShow(CorvaneApp& app)
{
    if (deferIfBusy(app, Catalogue::ErrorReport))
        return;
    resetToDefaults(app);
    MessageVars& m = app.msg;
    m.BugReportSubject = m.MessageId;
    const QString first = QStringLiteral("There was some error.") + CRLF + QStringLiteral("It will be helpful if you please report it to ") +
                          makerBugEmail() + QStringLiteral(" .");
    QString second;
    if (app.prog.OnMedia) {
        second = QStringLiteral("To report it please include the following message in you Email : ") + CRLF + QStringLiteral("     ");
    } else {
        second = QStringLiteral("To report it now :") + CRLF + QStringLiteral("     1. Click OK to close this window.") + CRLF +
                 QStringLiteral("     2. Click Tools button at top left of main window.") + CRLF +
                 QStringLiteral("     3  Click on Report Bug button.") + CRLF + QStringLiteral("     3. Click OK in the Report Bug Frame.") + CRLF +
                 QStringLiteral("     4. If your Email client starts then send the Email.") + CRLF + CRLF +
                 QStringLiteral("A detailed description on how this error occured will sure help.") + CRLF + CRLF +
                 QStringLiteral("To report it later please add the following message in your Email :") + CRLF + QStringLiteral("     ");
    }
    m.MessageBody = first + CRLF + CRLF + second + m.MessageId;
    m.MessageButtons = QStringLiteral("OK");
    showCurrent(app, Catalogue::ErrorReport);
}

void MessageOKDone(CorvaneApp& app, bool& endsProgram)
{
    MessageVars& m = app.msg;
    const QString id = m.MessageId;
    if (id == QLatin1String("MessageGetUserName")) {
        const QString typed = app.messageForm ? app.messageForm->TextInput0.text() : QString();
        app.profile.Nickname = typed.isEmpty() ? MyFriend : typed;
    } else if (id == QLatin1String("MessageHelpShow")) {
        m.MessageAnswer = QStringLiteral("GoToWebSite");
    }
    if (app.messageForm)
        app.messageForm->unload();
    answered(app);
    if (id == QLatin1String("MessageNeedSriptRuntime") || id == QLatin1String("MessageMediaUnknown") ||
        id == QLatin1String("MessageMediaCDROM") || id == QLatin1String("MessageMyPathNotFound")) {
        app.rt.end();
    } else if (id == QLatin1String("MessageGetUserName")) {
        UserNickNameSave(app);
    } else if (id == QLatin1String("MessageIncorrectPicture")) {
        if (app.moveForm)
            app.moveForm->showModal();
    } else if (id == QLatin1String("MessageCertificateAsk") || id == QLatin1String("MessageCertificateRefused")) {
        CertificateQuestionAnswered(app, id == QLatin1String("MessageCertificateAsk"));
    }
    m.MessageId.clear();
    m.MessageHead.clear();
    m.MessageBody.clear();
    m.MessageButtons.clear();
    m.MessageInput.clear();
    if (endsProgram)
        app.rt.end();
}

void MessageCancelDone(CorvaneApp& app)
{
    MessageVars& m = app.msg;
    if (app.messageForm)
        app.messageForm->unload();
    answered(app);
    if (m.MessageId == QLatin1String("MessageGetUserName") && app.profile.Nickname.isEmpty()) {
        app.profile.Nickname = MyFriend;
        UserNickNameSave(app);
    } else if (m.MessageId == QLatin1String("MessageCertificateAsk") || m.MessageId == QLatin1String("MessageCertificateRefused")) {
        CertificateQuestionAnswered(app, false);
    }
    m.MessageId.clear();
    m.MessageHead.clear();
    m.MessageBody.clear();
    m.MessageButtons.clear();
    m.MessageInput.clear();
}

} // namespace corvane
