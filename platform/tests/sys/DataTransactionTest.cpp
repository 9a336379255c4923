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
