#pragma once
// The program's own start-up in tests: corvane::Main runs from a folder of the test's
// machine with the services the test put into the application object (settings store,
// launcher, mounts, web engine, screen, the answers to its messages). Fixtures start the
// program through it instead of doing what start-up does themselves, so that they cannot
// drift from the program.

#include "ActiveNajar.h"
#include "ActiveVelmora.h"
#include "CorvaneApp.h"
#include "FirstRun.h"
#include "VelmoraFormat.h"

#include "TestSupport.h"
#include "sys/FamilyRegister.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

namespace corvanetest {

// Runs the start-up with the process's current directory at folder (the start folder the
// program records) and puts the directory back. False when the program ended during it.
inline bool runStartUp(corvane::CorvaneApp& app, const QString& folder)
{
    struct CurrentFolder {
        QString previous = QDir::currentPath();
        ~CurrentFolder() { QDir::setCurrent(previous); }
    } keep;
    if (!QDir::setCurrent(folder)) {
        ADD_FAILURE() << "no start folder " << folder.toStdString();
        return false;
    }
    try {
        corvane::Main(app);
    } catch (const vb::ProgramEnded&) {
        return false;
    }
    return true;
}

// Another program of the maker on the fixed disk, in the register start-up reads: its
// executable in folder, its record after the last member. Returns the executable's path.
inline QString registerProgram(corvane::CorvaneApp& app, const QString& name, const QString& folder)
{
    namespace fam = sys::family;
    const sys::family::Record record{name, QDir(folder).absolutePath() + QLatin1Char('/')};
    EXPECT_TRUE(testsupport::writeFile(fam::executablePath(record), "#!"));
    const int member = fam::readMemberIndex(app.store).appendAt();
    app.store.set(fam::memberNamesSection(), fam::memberKey(member), record.name);
    app.store.set(fam::memberFoldersSection(), fam::memberKey(member), record.folder);
    app.store.set(fam::lastIndexSection(), fam::lastIndexKey(), fam::encodeLastIndex(member));
    return fam::executablePath(record);
}

// A user who has used the program before starts it from folder: its executable lies there,
// the profile the test set in app.profile (a name, a picture) is in the settings store, with
// "myFriend" (what a user who gives no name has) when neither the test nor the store names
// the user, and the options the test set in app.opt (home pages as HomePagesSaved, the
// number of main browsers, the new-window choice...) are the data folder's settings file,
// unless the test wrote one. False when the program ended during its start-up.
inline bool startAsReturningUser(corvane::CorvaneApp& app, const QString& folder)
{
    const QString start = QDir(folder).absolutePath() + QLatin1Char('/');
    EXPECT_TRUE(testsupport::writeFile(start + app.prog.ProgramName + QStringLiteral(".exe"), "#!"));
    const QString nameKey = QStringLiteral("NickName");
    if (!app.profile.Nickname.isEmpty())
        corvane::UserNickNameSave(app);
    else if (app.store.get(corvane::ProfileSection, nameKey).isEmpty())
        app.store.set(corvane::ProfileSection, nameKey, QStringLiteral("myFriend"));
    if (!app.profile.UserPicturePath.isEmpty()) {
        EXPECT_TRUE(corvane::UserPictureSave(app));
    }
    corvane::ProgramVars paths = app.prog;
    corvane::DataFilePathsSet(paths, start);
    if (!QFileInfo::exists(paths.SettingsFilePath)) {
        const corvane::VelmoraContext c = app.velmora();
        const QByteArray settings = corvane::velmora::settingsBytes(corvane::velmora::currentItems(c), c);
        EXPECT_TRUE(testsupport::writeFile(paths.SettingsFilePath, settings));
    }
    return runStartUp(app, start);
}

} // namespace corvanetest
