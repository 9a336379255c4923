#pragma once
// The message catalogues and the message dialog's follow-ups. A caller puts a message id
// into MessageId and calls a catalogue; the catalogue fills head, text, buttons and input
// kind and shows frmMessage modally. A message asked for while another is shown, or from
// inside a web-engine callback, waits and is shown after it.

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <deque>
#include <utility>

namespace corvane {

class CorvaneApp;

enum class Catalogue { Startup, Failure, Running, ErrorReport };

struct MessageQueue {
    struct Pending {
        Catalogue catalogue;
        QString id;
    };
    bool showing = false;
    Catalogue shownCatalogue = Catalogue::Running;
    QString shownId;
    std::deque<Pending> pending;
    bool drainPosted = false;
    // The message shown next offers Cancel as its default answer.
    bool cancelDefault = false;
};

// Refusals that a page provokes one after another (a script opening windows in a loop) are
// one burst: the user is told of its first refusal only. A burst ends when no refusal has
// come for a while.
class RefusalBurst {
public:
    // Records a refusal; true when it begins a new burst.
    bool begins()
    {
        const bool fresh = !m_last.isValid() || m_last.elapsed() > quietMs;
        m_last.start();
        return fresh;
    }

    // How long without a refusal ends a burst.
    qint64 quietMs = 2000;

private:
    QElapsedTimer m_last;
};

// One row of a catalogue: the text of a message id and, where the row has its own, its
// head, buttons and input kind.
struct MessageRow {
    MessageRow(QString id, QString body) : id(std::move(id)), body(std::move(body)) {}

    QString id;
    QString body;
    QString head;  // empty: the default head
    QString buttons = QStringLiteral("OK");
    QString input;
    // Cancel (or No) is the answer Enter and the first focus give.
    bool cancelDefault = false;
};

// The rows of a catalogue in its order; the error report has none (it shows any id).
QList<MessageRow> CatalogueRows(const CorvaneApp& app, Catalogue catalogue);

QString DefaultMessageHead(const CorvaneApp& app);
// "Bug-" & ProgramName & "-" & the procedure's name.
QString ErrorIdMake(const CorvaneApp& app, const QString& procedure);

void MessageBoxShow(CorvaneApp& app, QString& head, QString& body, QString& buttons, QString& input);
void StartupMessageShow(CorvaneApp& app);
void FailureMessageShow(CorvaneApp& app);
void MessageShow(CorvaneApp& app);
void ErrorReportShow(CorvaneApp& app);

void MessageOKDone(CorvaneApp& app, bool& endsProgram);
void MessageCancelDone(CorvaneApp& app);

} // namespace corvane
