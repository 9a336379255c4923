#pragma once
// Helpers shared by the tests.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

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

} // namespace testsupport
