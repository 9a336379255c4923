#include "DataTransaction.h"

#include "FileSystem.h"

#include <QFile>
#include <QLockFile>
#include <QSaveFile>

#include <QDeadlineTimer>

#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;

namespace sys {

QString keptCopyPath(const QString& path, const QString& suffix, int age)
{
    return age == 0 ? path + suffix : path + suffix + u'.' + QString::number(age);
}

bool keepCopy(const QString& path, const QString& suffix, QString* error)
{
    auto fail = [error](const QFileDevice& f) {
        if (error)
            *error = f.errorString();
        return false;
    };
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return fail(source);
    const QByteArray data = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return fail(source);

    // The new copy is written whole before any older one moves, so a copy that cannot be
    // made leaves the kept ones as they were.
    QSaveFile copy(keptCopyPath(path, suffix, 0));
    copy.setDirectWriteFallback(false);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(copy);
    if (copy.write(data) != data.size()) {
        fail(copy);
        copy.cancelWriting();
        return false;
    }
    QFile::remove(keptCopyPath(path, suffix, KeptCopies - 1));
    for (int age = KeptCopies - 2; age >= 0; --age) {
        const QString older = keptCopyPath(path, suffix, age);
        if (QFile::exists(older))
            QFile::rename(older, keptCopyPath(path, suffix, age + 1));
    }
    if (!copy.commit())
        return fail(copy);
    return true;
}

QString DataTransaction::defaultLockName()
{
    return u"Velmora.lock"_s;
}

DataTransaction::DataTransaction(const QString& folder, const QString& lockName, int waitMs)
{
    QString path = folder;
    if (!path.endsWith(u'/'))
        path += u'/';
    m_lock = std::make_unique<QLockFile>(path + lockName);
    m_lock->setStaleLockTime(std::chrono::milliseconds(StaleLockMs));
    // The other copy's transaction takes milliseconds: look again often rather than in
    // the lock's own steps, which start at a tenth of a second.
    QDeadlineTimer deadline(waitMs);
    for (;;) {
        m_locked = m_lock->tryLock(0);
        if (m_locked || m_lock->error() != QLockFile::LockFailedError || deadline.hasExpired())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

DataTransaction::~DataTransaction()
{
    if (m_locked)
        m_lock->unlock();
}

bool DataTransaction::locked() const
{
    return m_locked;
}

DiskFile DataTransaction::read(const QString& path, const std::optional<FileIdentity>& known) const
{
    DiskFile disk;
    if (!FileSystem::fileExists(path)) {
        // A folder or something else in the file's place is no missing file: it cannot be
        // read, and writing over it will fail.
        if (QFile::exists(path)) {
            disk.state = DiskFile::State::Unreadable;
            disk.error = u"not a file"_s;
        }
        return disk;
    }
    if (known && FileIdentity::of(path) == known) {
        disk.state = DiskFile::State::Unchanged;
        return disk;
    }
    disk.reader = RecordReader::fromFile(path);
    if (disk.reader) {
        disk.state = DiskFile::State::Read;
        return disk;
    }
    disk.state = DiskFile::State::Unreadable;
    QFile f(path);
    disk.error = f.open(QIODevice::ReadOnly) ? u"it cannot be read"_s : f.errorString();
    return disk;
}

bool DataTransaction::fail(const QString& path, const QString& reason)
{
    m_failures.append(WriteFailure{path, reason});
    return false;
}

bool DataTransaction::write(const QString& path, const Replacement& r, std::optional<FileIdentity>* written)
{
    QString error;
    // What the file held that could not be read is never thrown away: a damaged file that
    // cannot be kept is not replaced.
    if (r.keepBad && FileSystem::fileExists(path) && !keepCopy(path, u".bad"_s, &error))
        return fail(path, u"it holds something that could not be read, and no copy of it could be kept ("_s + error + u")"_s);
    if (r.keepOld && FileSystem::fileExists(path) && !keepCopy(path, u".old"_s, &error))
        return fail(path, u"no copy of what it held could be kept ("_s + error + u")"_s);
    if (!writeFileAtomically(path, r.data, written, &error))
        return fail(path, error);
    m_written << path;
    return true;
}

bool DataTransaction::update(const QString& path, const Merge& merge, const std::optional<FileIdentity>& known,
                             std::optional<FileIdentity>* written)
{
    DiskFile disk = read(path, known);
    std::optional<Replacement> r = merge(disk);
    if (!r)
        return true;
    r->keepBad = r->keepBad || disk.damaged();
    return write(path, *r, written);
}

} // namespace sys
