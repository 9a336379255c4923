// The program register seen from the help program: the removable drive's register files
// and the settings store of a fixed disk.

#include "HelpFixture.h"

#include "sys/TextRecords.h"

namespace sys::family {
// Records compare (and print) by their two fields.
inline bool operator==(const Record& a, const Record& b)
{
    return a.name == b.name && a.folder == b.folder;
}
inline void PrintTo(const Record& r, std::ostream* os)
{
    *os << '{' << r.name.toStdString() << ", " << r.folder.toStdString() << '}';
}
} // namespace sys::family

namespace helptest {

namespace {

namespace fam = sys::family;

QByteArray records(const QList<fam::Record>& list)
{
    return fam::formatRecords(list);
}

QList<fam::Record> readList(const QString& path)
{
    const std::optional<fam::RecordList> list = fam::readRecordsFile(path);
    return list ? list->records : QList<fam::Record>();
}

// ---------------------------------------------------------------------------------------
// Removable drive

class MediaRegisterTest : public HelpFixture {
protected:
    MediaRegisterTest()
    {
        stickHelp = drive + QStringLiteral("/Help/");
        stickBrowser = drive + QStringLiteral("/Corvane/");
        QDir().mkpath(stickHelp);
        QDir().mkpath(stickBrowser);
        exe(stickHelp, QStringLiteral("CorvaneHelp"));
    }

    void writeRegister(const fam::Counts& counts, const QList<fam::Record>& mains, const QList<fam::Record>& helpers)
    {
        ASSERT_TRUE(testsupport::writeFile(countFile(), fam::formatCounts(counts)));
        ASSERT_TRUE(testsupport::writeFile(mainList(), records(mains)));
        ASSERT_TRUE(testsupport::writeFile(helpList(), records(helpers)));
    }

    std::optional<fam::Counts> counts() const { return fam::readCountsFile(countFile()); }

    fam::Record browser() const { return {QStringLiteral("Corvane"), stickBrowser}; }
    fam::Record help() const { return {QStringLiteral("CorvaneHelp"), stickHelp}; }

    QString stickHelp;
    QString stickBrowser;
};

TEST_F(MediaRegisterTest, FreshDriveGetsARegisterWithThisProgramAlone)
{
    ASSERT_TRUE(start(stickHelp));
    EXPECT_TRUE(QFileInfo(familyFolder()).isDir());
    const std::optional<fam::Counts> c = counts();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->mainLast, -1);
    EXPECT_EQ(c->helperLast, 0);
    EXPECT_EQ(readList(helpList()), QList<fam::Record>{help()});
    EXPECT_FALSE(QFileInfo::exists(mainList()));
    EXPECT_TRUE(app->reg.ParentNotPresent);
    EXPECT_FALSE(app->prog.ParentAvailable);
    EXPECT_FALSE(window().CommandActivate.isVisible());
    EXPECT_TRUE(shown.empty());
}

TEST_F(MediaRegisterTest, BrowserWrittenRegisterIsReadAndThisProgramAdded)
{
    exe(stickBrowser, QStringLiteral("Corvane"));
    // What the browser writes on a fresh stick: two bare lines, an empty help list.
    ASSERT_TRUE(testsupport::writeFile(countFile(), "0\r\n-1\r\n"));
    ASSERT_TRUE(testsupport::writeFile(mainList(), records({browser()})));
    ASSERT_TRUE(start(stickHelp));

    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(app->reg.ParentExePath, stickBrowser + QStringLiteral("Corvane.exe"));
    EXPECT_EQ(app->reg.HelpPathUnderParent, stickBrowser + QStringLiteral("Help/CorvaneHelp.exe"));
    EXPECT_TRUE(app->prog.ParentAvailable);
    EXPECT_TRUE(window().CommandActivate.isVisible());
    EXPECT_EQ(readList(helpList()), QList<fam::Record>{help()});
    const std::optional<fam::Counts> c = counts();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->mainLast, 0);
    EXPECT_EQ(c->helperLast, 0);
    // The main list is the browser's: never written here.
    EXPECT_EQ(readList(mainList()), QList<fam::Record>{browser()});
}

TEST_F(MediaRegisterTest, BrowserRecordWhoseExecutableHasGoneCountsAsNotFound)
{
    exe(stickBrowser, QStringLiteral("Corvane"));
    const fam::Record gone{QStringLiteral("Corvane"), drive + QStringLiteral("/Old/")};
    writeRegister({1, 0}, {browser(), gone}, {help()});
    ASSERT_TRUE(start(stickHelp));
    EXPECT_TRUE(app->reg.ParentNotFound);
    EXPECT_FALSE(app->reg.ParentNotPresent);
    EXPECT_FALSE(app->prog.ParentAvailable);
    EXPECT_FALSE(window().CommandActivate.isVisible());
    // Nothing to write: this program's record is in place.
    EXPECT_EQ(readList(helpList()), QList<fam::Record>{help()});
}

TEST_F(MediaRegisterTest, RecordsOffTheDriveAreNeverUsed)
{
    // A record left from another mount point, and one that climbs out of the drive.
    exe(browserFolder, QStringLiteral("Corvane"));
    writeRegister({1, 0}, {{QStringLiteral("Corvane"), browserFolder}, {QStringLiteral("Corvane"), drive + QStringLiteral("/../../opt/Corvane/")}},
                  {help()});
    ASSERT_TRUE(start(stickHelp));
    EXPECT_TRUE(app->reg.ParentNotFound);
    EXPECT_EQ(app->reg.ParentExePath, QString());
    EXPECT_FALSE(app->prog.ParentAvailable);
}

TEST_F(MediaRegisterTest, MovedHelpProgramRecordFollowsItAndOtherRecordsStay)
{
    exe(stickBrowser, QStringLiteral("Corvane"));
    const fam::Record other{QStringLiteral("OstradeHelp"), drive + QStringLiteral("/Ostrade/")};
    const fam::Record moved{QStringLiteral("CorvaneHelp"), drive + QStringLiteral("/OldHelp/")};
    const fam::Record last{QStringLiteral("DrimselHelp"), drive + QStringLiteral("/Drimsel/")};
    writeRegister({0, 2}, {browser()}, {other, moved, last});
    ASSERT_TRUE(start(stickHelp));
    EXPECT_EQ(readList(helpList()), (QList<fam::Record>{other, help(), last}));
    const std::optional<fam::Counts> c = counts();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->mainLast, 0);
    EXPECT_EQ(c->helperLast, 2);
    EXPECT_TRUE(app->prog.ParentAvailable);
}

TEST_F(MediaRegisterTest, StartedAwayFromItsExecutableEndsWithoutWriting)
{
    exe(stickBrowser, QStringLiteral("Corvane"));
    const fam::Record other{QStringLiteral("OstradeHelp"), drive + QStringLiteral("/Ostrade/")};
    writeRegister({0, 0}, {browser()}, {other});
    const QByteArray before = testsupport::readFile(helpList());
    const QByteArray countsBefore = testsupport::readFile(countFile());
    const QString elsewhere = drive + QStringLiteral("/Documents/");
    QDir().mkpath(elsewhere);

    EXPECT_FALSE(start(elsewhere));
    ASSERT_EQ(shownIds(), QStringList{QStringLiteral("MessageMyPathLost")});
    EXPECT_EQ(testsupport::readFile(helpList()), before);
    EXPECT_EQ(testsupport::readFile(countFile()), countsBefore);
    EXPECT_FALSE(app->mainForm);
}

TEST_F(MediaRegisterTest, EmptyHelpListGetsThisProgramOnlyWhenItsExecutableIsThere)
{
    exe(stickBrowser, QStringLiteral("Corvane"));
    writeRegister({0, -1}, {browser()}, {});
    const QString elsewhere = drive + QStringLiteral("/Documents/");
    QDir().mkpath(elsewhere);
    ASSERT_TRUE(start(elsewhere));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(readList(helpList()).isEmpty());

    app.reset();
    ASSERT_TRUE(start(stickHelp));
    EXPECT_EQ(readList(helpList()), QList<fam::Record>{help()});
    const std::optional<fam::Counts> c = counts();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->helperLast, 0);
    EXPECT_EQ(c->mainLast, 0);
}

TEST_F(MediaRegisterTest, LostCountFileIsRebuiltAndTheListsKept)
{
    // Only the count file has gone: the other help programs' records must survive, and
    // the browser is still found.
    exe(stickBrowser, QStringLiteral("Corvane"));
    const fam::Record other{QStringLiteral("OstradeHelp"), drive + QStringLiteral("/Ostrade/")};
    writeRegister({0, 0}, {browser()}, {other});
    QFile::remove(countFile());
    ASSERT_TRUE(start(stickHelp));
    EXPECT_EQ(readList(helpList()), (QList<fam::Record>{other, help()}));
    EXPECT_EQ(readList(mainList()), QList<fam::Record>{browser()});
    const std::optional<fam::Counts> c = counts();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->mainLast, 0);
    EXPECT_EQ(c->helperLast, 1);
    EXPECT_TRUE(app->prog.ParentAvailable);
}

TEST_F(MediaRegisterTest, DamagedCountFileIsReportedAndRebuiltFromTheLists)
{
    exe(stickBrowser, QStringLiteral("Corvane"));
    writeRegister({0, 0}, {browser()}, {help()});
    ASSERT_TRUE(testsupport::writeFile(countFile(), "zero\r\n"));
    ASSERT_TRUE(start(stickHelp));
    ASSERT_EQ(shownIds(), QStringList{QStringLiteral("MessageOnMoveGetFamily")});
    // An error report ends with its id.
    EXPECT_TRUE(shown.front().body.endsWith(QStringLiteral("\r\n\r\nMessageOnMoveGetFamily")));
    EXPECT_TRUE(shown.front().body.contains(QStringLiteral("bugs@velmora.example")));
    const std::optional<fam::Counts> c = counts();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->mainLast, 0);
    EXPECT_EQ(c->helperLast, 0);
    EXPECT_TRUE(app->prog.ParentAvailable);
}

TEST_F(MediaRegisterTest, CountsThatDisagreeWithTheListsFollowTheLists)
{
    exe(stickBrowser, QStringLiteral("Corvane"));
    // The browser wrote its list, then stopped before the counts.
    writeRegister({-1, 0}, {browser()}, {help()});
    ASSERT_TRUE(start(stickHelp));
    EXPECT_TRUE(app->prog.ParentAvailable);
    const std::optional<fam::Counts> c = counts();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->mainLast, 0);
    EXPECT_EQ(c->helperLast, 0);
}

TEST_F(MediaRegisterTest, DamagedHelpListKeepsItsUnreadableRestAside)
{
    exe(stickBrowser, QStringLiteral("Corvane"));
    const fam::Record other{QStringLiteral("OstradeHelp"), drive + QStringLiteral("/Ostrade/")};
    writeRegister({0, 1}, {browser()}, {});
    const QByteArray damaged = records({other}) + "\"CorvaneHelp\"";
    ASSERT_TRUE(testsupport::writeFile(helpList(), damaged));
    ASSERT_TRUE(start(stickHelp));
    EXPECT_EQ(readList(helpList()), (QList<fam::Record>{other, help()}));
    EXPECT_EQ(testsupport::readFile(helpList() + QStringLiteral(".bad")), damaged);
}

TEST_F(MediaRegisterTest, EmptyMainListMeansNoBrowser)
{
    writeRegister({-1, 0}, {}, {help()});
    ASSERT_TRUE(start(stickHelp));
    EXPECT_TRUE(app->reg.ParentNotPresent);
    EXPECT_FALSE(app->prog.ParentAvailable);
    // The removable road shows no message about the browser and reads no profile.
    EXPECT_TRUE(shown.empty());
}

TEST_F(MediaRegisterTest, RegisterFolderThatCannotBeMadeIsReported)
{
    // A file where the folder should be.
    ASSERT_TRUE(testsupport::writeFile(drive + QStringLiteral("/Velmora"), "x"));
    ASSERT_TRUE(start(stickHelp));
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageOnMoveCreateFamily")});
    EXPECT_TRUE(app->reg.ParentNotPresent);
    EXPECT_TRUE(window().isVisible());
}

// ---------------------------------------------------------------------------------------
// Fixed disk

class DiskRegisterTest : public HelpFixture {
protected:
    DiskRegisterTest() { exe(helpFolder, QStringLiteral("CorvaneHelp")); }

    QString recordedPath() const { return store().get(fam::helperPathsSection(), QStringLiteral("CorvaneHelp")); }

    void writeProfile(const QString& nick, const QString& picture, const QString& caption)
    {
        sys::SettingsStore s = store();
        s.set(QStringLiteral("NidraBhanga"), QStringLiteral("NickName"), nick);
        s.set(QStringLiteral("NidraBhanga"), QStringLiteral("UserPic"), picture);
        s.set(QStringLiteral("NidraBhanga"), QStringLiteral("PicCaption"), caption);
    }
};

TEST_F(DiskRegisterTest, BrowserNotRegisteredIsToldAndNothingIsWritten)
{
    writeProfile(QStringLiteral("Ann"), QString(), QString());
    ASSERT_TRUE(start(helpFolder));
    ASSERT_EQ(shownIds(), QStringList{QStringLiteral("MessageParentNotPresent")});
    EXPECT_TRUE(shown.front().body.startsWith(
        QStringLiteral("Though this is a stand alone program it is actually the Help file of the program - Corvane.")));
    // Without the browser the profile is not read.
    EXPECT_EQ(shown.front().head, QStringLiteral("myFriend"));
    EXPECT_EQ(recordedPath(), QString());
    EXPECT_FALSE(window().CommandActivate.isVisible());
}

TEST_F(DiskRegisterTest, MembersAreLookedForUpToTheLastIndexOnly)
{
    exe(browserFolder, QStringLiteral("Corvane"));
    registerBrowser(3, browserFolder, 2);
    ASSERT_TRUE(start(helpFolder));
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageParentNotPresent")});

    // A last index that does not decode hides no member: the member keys in use count.
    app.reset();
    shown.clear();
    registerBrowser(0, browserFolder);
    store().set(fam::lastIndexSection(), fam::lastIndexKey(), QStringLiteral("7"));
    ASSERT_TRUE(start(helpFolder));
    EXPECT_TRUE(shownIds().isEmpty()) << shownIds().join(u',').toStdString();
    EXPECT_EQ(app->reg.ParentExePath, browserFolder + QStringLiteral("Corvane.exe"));
}

TEST_F(DiskRegisterTest, FirstMemberWithTheBrowsersNameCounts)
{
    exe(browserFolder, QStringLiteral("Corvane"));
    sys::SettingsStore s = store();
    s.set(fam::lastIndexSection(), fam::lastIndexKey(), fam::encodeLastIndex(2));
    s.set(fam::memberNamesSection(), fam::memberKey(0), QStringLiteral("Ostrade"));
    s.set(fam::memberFoldersSection(), fam::memberKey(0), root + QStringLiteral("/opt/Ostrade/"));
    // Names compare exactly.
    s.set(fam::memberNamesSection(), fam::memberKey(1), QStringLiteral("corvane"));
    s.set(fam::memberFoldersSection(), fam::memberKey(1), root + QStringLiteral("/nowhere/"));
    s.set(fam::memberNamesSection(), fam::memberKey(2), QStringLiteral("Corvane"));
    s.set(fam::memberFoldersSection(), fam::memberKey(2), browserFolder);
    ASSERT_TRUE(start(helpFolder));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(app->reg.ParentExePath, browserFolder + QStringLiteral("Corvane.exe"));
    EXPECT_EQ(app->reg.ParentFolder, browserFolder);
}

TEST_F(DiskRegisterTest, RegisteredBrowserWithoutItsExecutableIsToldAndTheProfileNotRead)
{
    writeProfile(QStringLiteral("Ann"), QString(), QString());
    registerBrowser(0, browserFolder);
    ASSERT_TRUE(start(helpFolder));
    ASSERT_EQ(shownIds(), QStringList{QStringLiteral("MessageParentNotFound")});
    EXPECT_EQ(app->profile.Nickname, QString());
    EXPECT_EQ(shown.front().caption, QStringLiteral("myMessage"));
    EXPECT_EQ(recordedPath(), QString());
    EXPECT_FALSE(window().CommandActivate.isVisible());
}

TEST_F(DiskRegisterTest, FoundBrowserGivesTheProfileAndTheRecordedPath)
{
    exe(browserFolder, QStringLiteral("Corvane"));
    const QString picture = root + QStringLiteral("/me.png");
    QPixmap pm(30, 20);
    pm.fill(Qt::red);
    ASSERT_TRUE(pm.save(picture));
    writeProfile(QStringLiteral("Ann"), picture, QStringLiteral("Me at the sea"));
    registerBrowser(0, browserFolder);
    ASSERT_TRUE(start(helpFolder));

    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(app->profile.Nickname, QStringLiteral("Ann"));
    EXPECT_EQ(recordedPath(), helpFolder + QStringLiteral("CorvaneHelp.exe"));
    EXPECT_FALSE(window().ImageUser.picture().isNull());
    EXPECT_EQ(window().FrameUser.caption(), QStringLiteral("Me at the sea"));
    EXPECT_FALSE(window().ImageBigUser.picture().isNull());
}

TEST_F(DiskRegisterTest, PictureThatCannotBeLoadedLeavesTheFrameAlone)
{
    exe(browserFolder, QStringLiteral("Corvane"));
    const QString picture = root + QStringLiteral("/notes.jpg");
    ASSERT_TRUE(testsupport::writeFile(picture, "not a picture"));
    writeProfile(QStringLiteral("Ann"), picture, QStringLiteral("Caption"));
    registerBrowser(0, browserFolder);
    ASSERT_TRUE(start(helpFolder));
    EXPECT_TRUE(window().ImageUser.picture().isNull());
    EXPECT_EQ(window().FrameUser.caption(), QString());
    EXPECT_TRUE(window().ImageBigUser.picture().isNull());
}

TEST_F(DiskRegisterTest, InsideTheBrowsersHelpFolderNothingIsRecorded)
{
    exe(browserFolder, QStringLiteral("Corvane"));
    const QString inside = browserFolder + QStringLiteral("Help/");
    QDir().mkpath(inside);
    exe(inside, QStringLiteral("CorvaneHelp"));
    registerBrowser(0, browserFolder);
    ASSERT_TRUE(start(inside));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(recordedPath(), QString());
}

TEST_F(DiskRegisterTest, ExistingRecordedPathIsKept)
{
    exe(browserFolder, QStringLiteral("Corvane"));
    const QString other = root + QStringLiteral("/opt/OtherHelp/");
    QDir().mkpath(other);
    exe(other, QStringLiteral("CorvaneHelp"));
    registerBrowser(0, browserFolder);
    store().set(fam::helperPathsSection(), QStringLiteral("CorvaneHelp"), other + QStringLiteral("CorvaneHelp.exe"));
    ASSERT_TRUE(start(helpFolder));
    EXPECT_EQ(recordedPath(), other + QStringLiteral("CorvaneHelp.exe"));

    // A recorded path whose file has gone is replaced.
    app.reset();
    QFile::remove(other + QStringLiteral("CorvaneHelp.exe"));
    ASSERT_TRUE(start(helpFolder));
    EXPECT_EQ(recordedPath(), helpFolder + QStringLiteral("CorvaneHelp.exe"));
}

TEST_F(DiskRegisterTest, StartedAwayFromItsExecutableEndsWithoutRecording)
{
    exe(browserFolder, QStringLiteral("Corvane"));
    registerBrowser(0, browserFolder);
    const QString elsewhere = root + QStringLiteral("/home/me/");
    QDir().mkpath(elsewhere);
    EXPECT_FALSE(start(elsewhere));
    ASSERT_EQ(shownIds(), QStringList{QStringLiteral("MessageMyPathLost")});
    EXPECT_EQ(recordedPath(), QString());
    EXPECT_FALSE(app->mainForm);
}

TEST_F(DiskRegisterTest, BrowserWithAnEmptyFolderCountsAsFoundWithoutAnExecutable)
{
    registerBrowser(0, QString());
    ASSERT_TRUE(start(helpFolder));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(app->prog.ParentAvailable);
    EXPECT_EQ(app->reg.ParentExePath, QString());
    // No "Help/" path relative to wherever the program happens to run.
    EXPECT_EQ(app->reg.HelpPathUnderParent, QString());
    EXPECT_EQ(recordedPath(), helpFolder + QStringLiteral("CorvaneHelp.exe"));

    // Activate starts nothing and says so.
    window().CommandActivate.click();
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageRunParentError")});
}

TEST_F(DiskRegisterTest, RelativeRegisteredFolderIsNotTakenFromTheCurrentFolder)
{
    // "Corvane.exe" beside the help program must not pass for a registered "./" browser.
    exe(helpFolder, QStringLiteral("Corvane"));
    registerBrowser(0, QStringLiteral("./"));
    ASSERT_TRUE(start(helpFolder));
    EXPECT_EQ(shownIds(), QStringList{QStringLiteral("MessageParentNotFound")});
}

} // namespace

} // namespace helptest
