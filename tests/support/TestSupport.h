#pragma once
// Helpers shared by the tests.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <ostream>

class QPixmap;

// Readable failure messages for strings and lists of them.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace testsupport {

// Qt messages of warning level or above fail the running test unless they contain one of
// these fragments (for messages a test provokes on purpose).
void expectQtMessage(const QString& fragment);
void clearExpectedQtMessages();

// Writes a file (creating its folders); returns false on failure.
bool writeFile(const QString& path, const QByteArray& data);
QByteArray readFile(const QString& path);

// Spins the event loop until pred() holds or timeoutMs passes; returns pred().
bool waitFor(const std::function<bool()>& pred, int timeoutMs = 10000);

// Deletes the objects whose deletion was deferred (unloaded forms and controls).
void flushDeferredDeletes();

// Both show the same picture, and a is not empty.
bool samePicture(const QPixmap& a, const QPixmap& b);

// The processes whose parent is pid, only those whose name starts with namePrefix when
// one is given.
QList<qint64> childProcesses(qint64 pid, const QByteArray& namePrefix = {});

} // namespace testsupport
