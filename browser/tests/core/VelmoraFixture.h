#pragma once
// A data folder in a temporary directory and the state the data files are read into.

#include "ActiveVelmora.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace corvanetest {

class VelmoraFixture : public ::testing::Test {
protected:
    VelmoraFixture()
    {
        base = dir.path() + QStringLiteral("/");
        QDir().mkpath(corvane::DataFolderPath(prog, base));
        corvane::DataFilePathsSet(prog, base);
    }

    corvane::VelmoraContext ctx()
    {
        return corvane::VelmoraContext{prog, opt, lists, hid, files, product, [this] {
                                           ++refusals;
                                           told += files.failuresToTell;
                                           files.failuresToTell.clear();
                                       }};
    }

    // A fresh program run over the same data folder.
    void restart()
    {
        opt = {};
        lists = {};
        hid = {};
        files = {};
    }

    // The state the start-up leaves before the lists are read.
    void startUp()
    {
        restart();
        corvane::SettingsFileLoad(ctx());
        lists.BookmarkLastIndex = opt.BookmarkLastIndexSaved;
        lists.NotesLastIndex = opt.NotesLastIndexSaved;
        corvane::HistoryFileLoad(ctx());
        corvane::BookmarkFileLoad(ctx());
        corvane::NotesFileLoad(ctx());
    }

    void putOnDrive(const QString& mountPoint)
    {
        prog.OnMedia = true;
        prog.OwnDriveLetter = mountPoint;
    }

    QTemporaryDir dir;
    QString base;
    QString product = QStringLiteral("file:///opt/corvane/site/Corvane.html");
    corvane::ProgramVars prog;
    corvane::OptionVars opt;
    corvane::ListVars lists;
    corvane::frmHid hid;
    corvane::DataFileVars files;
    int refusals = 0;  // saves whose failed writes were told to the user
    QList<sys::WriteFailure> told;
};

// Writes larger than `bytes` fail while this lives (the process's file-size limit), which
// makes a write fail even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lim = m_old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace corvanetest
