#pragma once
// One change of files that several programs share (a data folder, the register folder of a
// removable drive): the folder's lock is held while the files are read again, merged with
// what the program has and written, so that two copies of the browser, or the browser and
// its help program, never write over what the other has just saved. Every write replaces
// its file atomically and keeps what it would lose: a file that held something that could
// not be read as it stood is kept as <name>.bad, a file that loses records as <name>.old;
// five of each are kept, newest first (<name>.old, <name>.old.1 ... <name>.old.4).

#include "TextRecords.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QLockFile;

namespace sys {

inline constexpr int KeptCopies = 5;
// <path><suffix> for age 0, then <path><suffix>.1 ... <path><suffix>.4.
QString keptCopyPath(const QString& path, const QString& suffix, int age);
// Copies the file as the newest kept copy; the oldest copy goes. False when the copy
// cannot be made; the older copies are then left as they were.
bool keepCopy(const QString& path, const QString& suffix, QString* error = nullptr);

// A file that could not be written, and why.
struct WriteFailure {
    QString path;
    QString reason;
    bool operator==(const WriteFailure&) const = default;
};

// What a file on disk holds at the moment a transaction looks at it.
struct DiskFile {
    enum class State {
        Missing,
        Unchanged,   // still the file the caller last read or wrote: not read again
        Unreadable,  // there, but it could not be read
        Read,
    };
    State state = State::Missing;
    std::optional<RecordReader> reader;  // Read
    QString error;                       // Unreadable: why
    // Unreadable, or readable only once mended: whatever replaces it keeps it as .bad.
    bool damaged() const { return state == State::Unreadable || (reader && reader->mended()); }
};

class DataTransaction {
public:
    // How long a transaction waits for another one; a lock left by a process that has
    // gone, or older than staleLockMs, is taken over.
    static constexpr int WaitMs = 3000;
    static constexpr int StaleLockMs = 10000;
    static QString defaultLockName();  // "Velmora.lock"

    explicit DataTransaction(const QString& folder, const QString& lockName = defaultLockName(), int waitMs = WaitMs);
    ~DataTransaction();
    DataTransaction(const DataTransaction&) = delete;
    DataTransaction& operator=(const DataTransaction&) = delete;

    // Without the lock (a folder where none can be made, or another program that keeps it
    // past the wait) the transaction goes on: its writes are atomic all the same, and
    // giving up would lose what this program has to save.
    bool locked() const;

    // The file as it is now; Unchanged without reading it when it is still the file known
    // describes.
    DiskFile read(const QString& path, const std::optional<FileIdentity>& known = std::nullopt) const;

    struct Replacement {
        QByteArray data;
        bool keepBad = false;  // the file holds something that could not be read: kept as .bad first
        bool keepOld = false;  // the file holds records the new data drops: kept as .old first
    };
    // Replaces the file. False, with the failure noted, when it could not be written or a
    // copy it needed could not be kept; the file then stays as it was.
    bool write(const QString& path, const Replacement& r, std::optional<FileIdentity>* written = nullptr);

    // Reads the file, hands what it holds to merge and writes what merge returns (nothing
    // when it returns nullopt). A damaged file is kept as .bad before it is replaced.
    using Merge = std::function<std::optional<Replacement>(DiskFile&)>;
    bool update(const QString& path, const Merge& merge, const std::optional<FileIdentity>& known = std::nullopt,
                std::optional<FileIdentity>* written = nullptr);

    const QList<WriteFailure>& failures() const { return m_failures; }
    // The files written.
    const QStringList& written() const { return m_written; }

private:
    bool fail(const QString& path, const QString& reason);
    std::unique_ptr<QLockFile> m_lock;
    bool m_locked = false;
    QList<WriteFailure> m_failures;
    QStringList m_written;
};

} // namespace sys
