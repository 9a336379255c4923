#pragma once
// Finding and activating another running program of the family. Each program listens on
// a local socket named after "ThunderRT6Main" and its application title; finding the
// window means a connection succeeds, activating it means sending a message on it.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace sys {

// Folder that holds the sockets: $XDG_RUNTIME_DIR, else a per-user folder under the
// temporary folder; tests pass their own.
QString defaultSocketFolder();

// Full socket path for an application title.
QString windowSocketPath(const QString& socketFolder, const QString& title);

// Listens under the program's application title; calls onActivate when another program
// asks to bring this one to the front.
class WindowBeacon : public QObject {
    Q_OBJECT
public:
    explicit WindowBeacon(QString socketFolder, QObject* parent = nullptr);
    ~WindowBeacon() override;

    // Listens under title (stops listening under the previous one). Returns false when the
    // name could not be taken.
    bool listen(const QString& title);
    QString title() const { return m_title; }

    std::function<void()> onActivate;

private:
    QString m_folder;
    QString m_title;
    std::unique_ptr<QLocalServer> m_server;
};

// True when a program with that application title is running (a connection succeeds).
bool windowExists(const QString& socketFolder, const QString& title);
// Asks the program with that title to restore, raise and activate its window. Returns
// false when none answers.
bool activateWindow(const QString& socketFolder, const QString& title);

} // namespace sys
