#pragma once
// The help program's message catalogues and its message dialog's follow-ups. A caller
// puts a message id into MessageId and calls a catalogue; the catalogue fills head, text
// and button kind and shows frmMessage modally. Every message has the button kind "OK" and
// is headed by the nickname, or "myFriend" without one. A fatal message does not end the
// program itself: its caller ends it when the dialog returns.

#include <QList>
#include <QString>

#include <utility>

namespace corvanehelp {

class HelpApp;

// One row of a catalogue: the text of a message id.
struct MessageRow {
    MessageRow(QString id, QString body) : id(std::move(id)), body(std::move(body)) {}
    QString id;
    QString body;
};

// The rows of the start-up and the browser catalogues, in their order.
QList<MessageRow> StartupMessageRows(const HelpApp& app);
QList<MessageRow> ParentMessageRows(const HelpApp& app);

// The nickname, or "myFriend" without one.
QString DefaultMessageHead(const HelpApp& app);

void MessageBoxShow(HelpApp& app, QString& head, QString& body, QString& buttons, QString& input);
// Start-up messages: small screen, system folder, drives, missing runtime, lost path.
void StartupMessageShow(HelpApp& app);
// Error reports: the id is the last line of the text.
void ErrorReportShow(HelpApp& app);
// What start-up and the Activate button tell about the browser.
void ParentMessageShow(HelpApp& app);

// OK and Cancel of the dialog: both close it and clear the message variables.
void MessageOKDone(HelpApp& app);
void MessageCancelDone(HelpApp& app);

} // namespace corvanehelp
