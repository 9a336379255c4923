#include "sys/DataTransaction.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using sys::DataTransaction;

namespace {

// A lock file left behind by a process that was killed while it held the lock.
void leaveLockOfAKilledProcess(const QString& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        QLockFile lock(path);
        ::_exit(lock.tryLock(0) ? 0 : 1);  // no unlock: as a kill leaves it
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(path));
}

} // namespace

TEST(DataTransaction, ALockOfAKilledCopyIsTakenOverAndALiveOneIsWaitedForAWhileOnly)
{
    QTemporaryDir dir;
    const QString lockPath = dir.path() + u"/Velmora.lock"_s;
    {
        leaveLockOfAKilledProcess(lockPath);
        QElapsedTimer t;
        t.start();
        DataTransaction tx(dir.path());
        EXPECT_TRUE(tx.locked());
        EXPECT_LT(t.elapsed(), 1000);
    }
    EXPECT_FALSE(QFile::exists(lockPath));

    // Another transaction that keeps the lock: this one waits as long as it is told, then
    // goes on without it and still writes.
    DataTransaction holder(dir.path());
    ASSERT_TRUE(holder.locked());
    QElapsedTimer t;
    t.start();
    DataTransaction late(dir.path(), DataTransaction::defaultLockName(), 300);
    EXPECT_FALSE(late.locked());
    EXPECT_GE(t.elapsed(), 250);
    EXPECT_LT(t.elapsed(), 3000);
    EXPECT_TRUE(late.write(dir.path() + u"/file"_s, {"data"}));
}

TEST(DataTransaction, FiveCopiesAreKeptNewestFirstAndACopyThatCannotBeMadeStopsTheWrite)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/Mark.Velmora"_s;
    DataTransaction tx(dir.path());
    for (int i = 1; i <= 7; ++i) {
        DataTransaction::Replacement r{QByteArray::number(i)};
        r.keepOld = true;
        ASSERT_TRUE(tx.write(path, r));
    }
    EXPECT_EQ(testsupport::readFile(path), "7");
    for (int age = 0; age < sys::KeptCopies; ++age)
        EXPECT_EQ(testsupport::readFile(sys::keptCopyPath(path, u".old"_s, age)), QByteArray::number(6 - age)) << age;
    EXPECT_FALSE(QFile::exists(sys::keptCopyPath(path, u".old"_s, sys::KeptCopies)));
    EXPECT_FALSE(QFile::exists(path + u".bad"_s));

    // A damaged file that cannot be read cannot be kept: it is not replaced, and why is told.
    const QString unreadable = dir.path() + u"/Note.Velmora"_s;
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, unreadable));
    DataTransaction::Replacement r{"new"};
    r.keepBad = true;
    EXPECT_FALSE(tx.write(unreadable, r));
    ASSERT_EQ(tx.failures().size(), 1);
    EXPECT_EQ(tx.failures().at(0).path, unreadable);
    EXPECT_FALSE(tx.failures().at(0).reason.isEmpty());
    EXPECT_EQ(QFile::symLinkTarget(unreadable), u"/proc/self/mem"_s);
    EXPECT_FALSE(tx.written().contains(unreadable));
}
