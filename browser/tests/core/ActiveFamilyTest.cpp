#include "AppFixture.h"

#include "ActiveFamily.h"

#include "sys/FamilyRegister.h"
#include "vb/Runtime.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using namespace corvane;
using corvanetest::AppFixture;
using testsupport::readFile;
using testsupport::writeFile;
namespace fam = sys::family;

namespace {

QByteArray records(const QList<fam::Record>& recs)
{
    return fam::formatRecords(recs);
}

} // namespace

class RemovableRegister : public AppFixture {
protected:
    RemovableRegister() { runFromDrive(); }
    QString folder() const { return drive + u"/Velmora/"_s; }
    QString countFile() const { return folder() + u"SankhyaGuru.Velmora"_s; }
    QString mainList() const { return folder() + u"VajanGuru.Velmora"_s; }
    QString helpList() const { return folder() + u"BachanGuru.Velmora"_s; }
    QString tools() const { return app->prog.OwnFolder; }
};

TEST_F(RemovableRegister, FreshDriveGetsTheRegisterWithTheBrowserAlone)
{
    OnMoveFamilyAct(*app);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(readFile(countFile()), "0\r\n-1\r\n");
    EXPECT_EQ(readFile(mainList()), records({{u"Corvane"_s, tools()}}));
    EXPECT_EQ(app->reg.FamilyRunLast, -1);
    EXPECT_EQ(app->reg.DataBaseFolder, tools());
    EXPECT_FALSE(app->reg.HelpProgramFound);
    EXPECT_FALSE(app->reg.OwnPathLost);
}

TEST_F(RemovableRegister, RunListHoldsOtherProgramsWhoseExecutablesExist)
{
    const QString gone = drive + u"/Gone/"_s;
    const QString paint = drive + u"/Paint/"_s;
    const QString lower = drive + u"/Lower/"_s;
    exe(paint, u"Paint"_s);
    exe(lower, u"corvane"_s);  // another program: names differ in case only
    const QByteArray list = records({{u"Gone"_s, gone}, {u"Paint"_s, paint}, {u"Corvane"_s, tools()}, {u"corvane"_s, lower}});
    ASSERT_TRUE(writeFile(countFile(), "3\r\n-1\r\n"));
    ASSERT_TRUE(writeFile(mainList(), list));
    OnMoveFamilyAct(*app);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(app->reg.FamilyRunNames, QStringList({u"Paint"_s, u"corvane"_s}));
    EXPECT_EQ(app->reg.FamilyRunPaths, QStringList({paint + u"Paint.exe"_s, lower + u"corvane.exe"_s}));
    EXPECT_EQ(app->reg.FamilyRunLast, 1);
    EXPECT_EQ(app->reg.RecordedFolder, tools());
    // The deleted program's record stays; nothing was rewritten.
    EXPECT_EQ(readFile(mainList()), list);
    EXPECT_EQ(readFile(countFile()), "3\r\n-1\r\n");
}

TEST_F(RemovableRegister, RenamedBrowserFolderMovesItsRecordAndKeepsTheOthers)
{
    const QString paint = drive + u"/Paint/"_s;
    exe(paint, u"Paint"_s);
    ASSERT_TRUE(writeFile(countFile(), "1\r\n-1\r\n"));
    ASSERT_TRUE(writeFile(mainList(), records({{u"Corvane"_s, drive + u"/OldTools/"_s}, {u"Paint"_s, paint}})));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(readFile(mainList()), records({{u"Corvane"_s, tools()}, {u"Paint"_s, paint}}));
    EXPECT_EQ(app->reg.DataBaseFolder, tools());
    EXPECT_EQ(app->reg.FamilyRunNames, QStringList{u"Paint"_s});
}

TEST_F(RemovableRegister, CountSayingEmptyGivesTheBrowserAloneAndKeepsTheHelpCount)
{
    const QString help = drive + u"/Help/"_s;
    exe(help, u"CorvaneHelp"_s);
    ASSERT_TRUE(writeFile(countFile(), "-1\r\n0\r\n"));
    ASSERT_TRUE(writeFile(helpList(), records({{u"CorvaneHelp"_s, help}})));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(readFile(mainList()), records({{u"Corvane"_s, tools()}}));
    EXPECT_EQ(readFile(countFile()), "0\r\n0\r\n");
    EXPECT_TRUE(app->reg.HelpProgramFound);
    EXPECT_EQ(app->reg.HelpProgramPath, help + u"CorvaneHelp.exe"_s);
}

TEST_F(RemovableRegister, MissingCountFileIsRebuiltFromTheListsWithoutOverwritingThem)
{
    const QString paint = drive + u"/Paint/"_s;
    const QString help = drive + u"/Help/"_s;
    exe(paint, u"Paint"_s);
    exe(help, u"CorvaneHelp"_s);
    const QByteArray list = records({{u"Paint"_s, paint}, {u"Corvane"_s, tools()}});
    const QByteArray helpers = records({{u"Other"_s, help}, {u"CorvaneHelp"_s, help}});
    ASSERT_TRUE(writeFile(mainList(), list));
    ASSERT_TRUE(writeFile(helpList(), helpers));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(readFile(mainList()), list);
    EXPECT_EQ(readFile(helpList()), helpers);
    EXPECT_EQ(readFile(countFile()), "1\r\n1\r\n");
    EXPECT_EQ(app->reg.FamilyRunNames, QStringList{u"Paint"_s});
    EXPECT_TRUE(app->reg.HelpProgramFound);
}

TEST_F(RemovableRegister, CountFileThatDisagreesWithItsListFollowsTheList)
{
    const QString a = drive + u"/A/"_s;
    const QString b = drive + u"/B/"_s;
    exe(a, u"Alpha"_s);
    exe(b, u"Beta"_s);
    // The count says one record, the list holds three: none may be lost.
    const QList<fam::Record> three = {{u"Alpha"_s, a}, {u"Beta"_s, b}, {u"Corvane"_s, tools()}};
    ASSERT_TRUE(writeFile(countFile(), "0\r\n-1\r\n"));
    ASSERT_TRUE(writeFile(mainList(), records(three)));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(app->reg.FamilyRunNames, QStringList({u"Alpha"_s, u"Beta"_s}));
    EXPECT_EQ(readFile(mainList()), records(three));
    EXPECT_EQ(readFile(countFile()), "2\r\n-1\r\n");

    // The count says more records than there are: the browser is appended after the
    // real last record, and the count tells the truth again.
    ASSERT_TRUE(writeFile(countFile(), "7\r\n3\r\n"));
    ASSERT_TRUE(writeFile(mainList(), records({{u"Alpha"_s, a}})));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(readFile(mainList()), records({{u"Alpha"_s, a}, {u"Corvane"_s, tools()}}));
    EXPECT_EQ(readFile(countFile()), "1\r\n-1\r\n");
    EXPECT_FALSE(app->reg.HelpProgramFound);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(RemovableRegister, DriveMovedToAnotherMountPointIgnoresRecordsOffTheDrive)
{
    // The list was written while the drive was mounted elsewhere; something else now
    // lies at the old place, and it must not be started from this drive's register.
    const QString old = root + u"/media/oldstick"_s;
    exe(drive + u"/Paint/"_s, u"Paint"_s);
    exe(old + u"/Paint/"_s, u"Paint"_s);
    exe(old + u"/Tools/"_s, u"Corvane"_s);
    const QByteArray list = records({{u"Paint"_s, old + u"/Paint/"_s}, {u"Corvane"_s, old + u"/Tools/"_s}});
    ASSERT_TRUE(writeFile(countFile(), "1\r\n-1\r\n"));
    ASSERT_TRUE(writeFile(mainList(), list));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(app->reg.FamilyRunLast, -1);
    EXPECT_EQ(app->reg.DataBaseFolder, tools());
    EXPECT_EQ(readFile(mainList()), records({{u"Paint"_s, old + u"/Paint/"_s}, {u"Corvane"_s, tools()}}));
}

TEST_F(RemovableRegister, RecordsThatClimbOffTheDriveAreNeverRun)
{
    exe(root + u"/bin/"_s, u"sh"_s);
    ASSERT_TRUE(writeFile(countFile(), "2\r\n-1\r\n"));
    ASSERT_TRUE(writeFile(mainList(), records({{u"sh"_s, drive + u"/../../bin/"_s},
                                               {u"../../../bin/sh"_s, tools()},
                                               {u"Corvane"_s, tools()}})));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(app->reg.FamilyRunLast, -1);
}

TEST_F(RemovableRegister, BrowserFoundNowhereEndsTheProgram)
{
    ASSERT_TRUE(writeFile(countFile(), "0\r\n-1\r\n"));
    ASSERT_TRUE(writeFile(mainList(), records({{u"Corvane"_s, drive + u"/Elsewhere/"_s}})));
    QFile::remove(tools() + u"Corvane.exe"_s);
    EXPECT_THROW(OnMoveFamilyAct(*app), vb::ProgramEnded);
    EXPECT_EQ(shown, QStringList{u"MessageMyPathNotFound"_s});
    EXPECT_TRUE(app->reg.OwnPathLost);
}

TEST_F(RemovableRegister, FreshDriveWithoutTheExecutableEndsTheProgram)
{
    QFile::remove(tools() + u"Corvane.exe"_s);
    EXPECT_THROW(OnMoveFamilyAct(*app), vb::ProgramEnded);
    EXPECT_EQ(shown, QStringList{u"MessageMyPathNotFound"_s});
    EXPECT_FALSE(QFile::exists(countFile()));
}

TEST_F(RemovableRegister, HelpProgramIsFoundByAnyRecordWhoseExecutableExists)
{
    const QString help = drive + u"/Help/"_s;
    exe(help, u"CorvaneHelp"_s);
    ASSERT_TRUE(writeFile(countFile(), "0\r\n1\r\n"));
    ASSERT_TRUE(writeFile(mainList(), records({{u"Corvane"_s, tools()}})));
    ASSERT_TRUE(writeFile(helpList(), records({{u"CorvaneHelp"_s, help}, {u"CorvaneHelp"_s, drive + u"/Gone/"_s}})));
    OnMoveFamilyAct(*app);
    EXPECT_TRUE(app->reg.HelpProgramFound);
    EXPECT_EQ(app->reg.HelpProgramPath, help + u"CorvaneHelp.exe"_s);
    EXPECT_EQ(app->reg.HelperLastIndex, 1);
}

TEST_F(RemovableRegister, UnwritableRegisterIsReportedAndTheBrowserRunsFromItsFolder)
{
    // A file where the register folder should be.
    ASSERT_TRUE(writeFile(drive + u"/Velmora"_s, "not a folder"));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(shown, QStringList({u"Bug-Corvane-OnMoveFamilyChek"_s, u"Bug-Corvane-OnMoveFamilyCreate"_s}));
    EXPECT_EQ(app->msg.BugReportSubject, u"Bug-Corvane-OnMoveFamilyCreate"_s);
    EXPECT_EQ(app->reg.DataBaseFolder, tools());
}

TEST_F(RemovableRegister, CutShortListIsReportedAndKeptAsideBeforeItIsRewritten)
{
    const QString paint = drive + u"/Paint/"_s;
    exe(paint, u"Paint"_s);
    const QByteArray damaged = records({{u"Paint"_s, paint}}) + "\"Half";
    ASSERT_TRUE(writeFile(countFile(), "1\r\n-1\r\n"));
    ASSERT_TRUE(writeFile(mainList(), damaged));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(shown, QStringList{u"Bug-Corvane-OnMoveGetGuru"_s});
    EXPECT_EQ(readFile(mainList()), records({{u"Paint"_s, paint}, {u"Corvane"_s, tools()}}));
    EXPECT_EQ(readFile(mainList() + u".bad"_s), damaged);
    EXPECT_EQ(app->reg.FamilyRunNames, QStringList{u"Paint"_s});
}

TEST_F(RemovableRegister, AMainListThatCannotBeReadKeepsTheOtherProgramsRecords)
{
    // Reads of the list fail, for root too: it cannot be kept aside, so it is not
    // replaced by a list with this browser alone, and its count stays as it was.
    ASSERT_TRUE(writeFile(countFile(), "2\r\n-1\r\n"));
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, mainList()));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(shown, QStringList{u"Bug-Corvane-OnMoveGetGuru"_s});
    EXPECT_TRUE(QFileInfo(mainList()).isSymLink());
    EXPECT_FALSE(QFile::exists(mainList() + u".bad"_s));
    EXPECT_EQ(readFile(countFile()), QByteArray("2\r\n-1\r\n"));
    // The browser runs from its folder all the same.
    EXPECT_EQ(app->reg.DataBaseFolder, tools());
}

TEST_F(RemovableRegister, ADamagedRecordLosesNoOtherRecordOfTheList)
{
    const QString paint = drive + u"/Paint/"_s;
    const QString notes = drive + u"/Notes/"_s;
    exe(paint, u"Paint"_s);
    exe(notes, u"Notes"_s);
    // The second record lost its folder's closing quote.
    const QByteArray damaged = records({{u"Paint"_s, paint}}) + "\"Broken\",\"/media/x\r\n" + records({{u"Notes"_s, notes}});
    ASSERT_TRUE(writeFile(mainList(), damaged));
    OnMoveFamilyAct(*app);
    EXPECT_EQ(shown, QStringList{u"Bug-Corvane-OnMoveGetGuru"_s});
    EXPECT_EQ(app->reg.FamilyRunNames, QStringList({u"Paint"_s, u"Notes"_s}));
    EXPECT_EQ(readFile(mainList()), records({{u"Paint"_s, paint}, {u"Notes"_s, notes}, {u"Corvane"_s, tools()}}));
    EXPECT_EQ(readFile(mainList() + u".bad"_s), damaged);
}

class FixedRegister : public AppFixture {
protected:
    FixedRegister() { runFromDisk(); }
    QString get(const QString& section, const QString& key) { return app->store.get(section, key); }
    void member(int i, const QString& name, const QString& folder)
    {
        app->store.set(u"GuruNaam"_s, fam::memberKey(i), name);
        app->store.set(u"GuruGhar"_s, fam::memberKey(i), folder);
    }
    void lastIndex(const QString& stored) { app->store.set(u"NidraGavir"_s, u"AnekGuru"_s, stored); }
    // The start-up's use of the road.
    void startUp()
    {
        OnRestFamilyAct(*app);
        if (app->reg.RegisterPending)
            OnRestOwnMemberSave(*app);
    }
    QString own() const { return app->prog.OwnFolder; }
};

TEST_F(FixedRegister, EmptyRegisterGetsTheBrowserAsMemberZero)
{
    startUp();
    EXPECT_EQ(get(u"GuruNaam"_s, u"EkaaGuru"_s), u"Corvane"_s);
    EXPECT_EQ(get(u"GuruGhar"_s, u"EkaaGuru"_s), own());
    EXPECT_EQ(fam::decodeLastIndex(get(u"NidraGavir"_s, u"AnekGuru"_s)), 0);
    EXPECT_FALSE(app->reg.RegisterPending);
    EXPECT_EQ(app->reg.DataBaseFolder, own());
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(FixedRegister, RegisteredBrowserKeepsItsFolderAndOthersFillTheRunList)
{
    const QString paint = root + u"/opt/Paint/"_s;
    const QString lower = root + u"/opt/lower/"_s;
    const QString installed = root + u"/apps/Corvane/"_s;
    exe(paint, u"Paint"_s);
    exe(lower, u"corvane"_s);
    exe(installed, u"Corvane"_s);
    member(0, u"Paint"_s, paint);
    member(1, u"corvane"_s, lower);
    member(2, u"Gone"_s, root + u"/opt/Gone/"_s);
    member(3, u"Corvane"_s, installed);
    lastIndex(fam::encodeLastIndex(3));
    const QByteArray before = readFile(app->store.path());
    startUp();
    EXPECT_EQ(app->reg.RecordedFolder, installed);
    EXPECT_EQ(app->reg.DataBaseFolder, installed);
    EXPECT_EQ(app->reg.FamilyRunNames, QStringList({u"Paint"_s, u"corvane"_s}));
    EXPECT_EQ(app->reg.FamilyRunPaths.at(0), paint + u"Paint.exe"_s);
    EXPECT_FALSE(app->reg.RegisterPending);
    EXPECT_EQ(readFile(app->store.path()), before);
}

TEST_F(FixedRegister, MovedBrowserRewritesItsOwnMemberInPlace)
{
    member(0, u"Paint"_s, root + u"/opt/Paint/"_s);
    member(1, u"Corvane"_s, root + u"/old/Corvane/"_s);
    member(2, u"Other"_s, root + u"/opt/Other/"_s);
    lastIndex(fam::encodeLastIndex(2));
    startUp();
    EXPECT_EQ(get(u"GuruGhar"_s, u"DokaGuru"_s), own());
    EXPECT_EQ(fam::decodeLastIndex(get(u"NidraGavir"_s, u"AnekGuru"_s)), 2);
    EXPECT_EQ(get(u"GuruNaam"_s, u"TekaGuru"_s), u"Other"_s);
}

TEST_F(FixedRegister, ALastIndexThatDoesNotDecodeNeitherHidesNorOverwritesAMember)
{
    const QString other = root + u"/opt/Other/"_s;
    const QString third = root + u"/opt/Third/"_s;
    exe(other, u"Other"_s);
    exe(third, u"Third"_s);
    struct Case {
        const char* stored;
        QStringList members;  // names of members 0.. before the start ("" = none)
        QStringList after;    // names of members 0.. after it
        QString lastAfter;
        int runList;          // programs in the Run list
    };
    const Case cases[] = {
        {"1", {u"Other"_s, u"Third"_s}, {u"Other"_s, u"Third"_s, u"Corvane"_s}, u"TekaGuru"_s, 2},
        {"garbage", {u"Other"_s, u"Third"_s}, {u"Other"_s, u"Third"_s, u"Corvane"_s}, u"TekaGuru"_s, 2},
        {"-1", {u"Other"_s, u"Third"_s}, {u"Other"_s, u"Third"_s, u"Corvane"_s}, u"TekaGuru"_s, 2},
        // Stored lower than the members in use: nothing is overwritten and it never goes down.
        {"EkaaGuru", {u"Other"_s, u"Third"_s}, {u"Other"_s, u"Third"_s, u"Corvane"_s}, u"TekaGuru"_s, 1},
        {"", {u"Other"_s, u"Third"_s}, {u"Other"_s, u"Third"_s, u"Corvane"_s}, u"TekaGuru"_s, 0},
        // The browser's own member whose folder has gone is found by the keys and moved.
        {"x", {u"Other"_s, QString(), u"Third"_s, u"Corvane"_s}, {u"Other"_s, QString(), u"Third"_s, u"Corvane"_s},
         u"CokaGuru"_s, 2},
        {"7", {}, {u"Corvane"_s}, u"EkaaGuru"_s, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        QFile::remove(app->store.path());
        for (int i = 0; i < c.members.size(); ++i) {
            if (c.members.at(i).isEmpty())
                continue;
            const QString folder = c.members.at(i) == u"Other"_s ? other
                                   : c.members.at(i) == u"Third"_s ? third
                                                                   : root + u"/gone/"_s;
            member(i, c.members.at(i), folder);
        }
        lastIndex(QString::fromLatin1(c.stored));
        startUp();
        for (int i = 0; i < fam::MaxMembers; ++i)
            EXPECT_EQ(get(u"GuruNaam"_s, fam::memberKey(i)), c.after.value(i)) << i;
        EXPECT_EQ(get(u"NidraGavir"_s, u"AnekGuru"_s), c.lastAfter);
        EXPECT_EQ(app->reg.FamilyRunLast + 1, c.runList);
        EXPECT_EQ(get(u"GuruGhar"_s, fam::memberKey(int(c.after.size()) - 1)), own());
    }
}

TEST_F(FixedRegister, FullRegisterGivesTheBrowserTheSlotOfAGoneMember)
{
    for (int i = 0; i < 10; ++i) {
        const QString folder = root + u"/opt/P%1/"_s.arg(i);
        if (i != 6)
            exe(folder, u"P%1"_s.arg(i));
        member(i, u"P%1"_s.arg(i), folder);
    }
    lastIndex(fam::encodeLastIndex(9));
    startUp();
    EXPECT_EQ(get(u"GuruNaam"_s, u"SataGuru"_s), u"Corvane"_s);
    EXPECT_EQ(get(u"GuruGhar"_s, u"SataGuru"_s), own());
    EXPECT_EQ(fam::decodeLastIndex(get(u"NidraGavir"_s, u"AnekGuru"_s)), 9);
    EXPECT_EQ(app->reg.FamilyRunLast, 8);
}

TEST_F(FixedRegister, FullRegisterOfLiveProgramsRunsUnregisteredFromTheStartFolder)
{
    for (int i = 0; i < 10; ++i) {
        const QString folder = root + u"/opt/P%1/"_s.arg(i);
        exe(folder, u"P%1"_s.arg(i));
        member(i, u"P%1"_s.arg(i), folder);
    }
    lastIndex(fam::encodeLastIndex(9));
    const QByteArray before = readFile(app->store.path());
    startUp();
    EXPECT_FALSE(app->reg.RegisterPending);
    EXPECT_EQ(app->reg.DataBaseFolder, own());
    EXPECT_EQ(app->reg.FamilyRunLast, 9);
    EXPECT_EQ(readFile(app->store.path()), before);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(FixedRegister, BrowserFoundNowhereEndsTheProgram)
{
    QFile::remove(own() + u"Corvane.exe"_s);
    EXPECT_THROW(startUp(), vb::ProgramEnded);
    EXPECT_EQ(shown, QStringList{u"MessageMyPathNotFound"_s});
}

TEST_F(FixedRegister, HelpProgramBesideTheBrowserOrAtItsRecordedPath)
{
    const QString recorded = root + u"/elsewhere/CorvaneHelp.exe"_s;
    app->store.set(u"GuruBachan"_s, u"CorvaneHelp"_s, recorded);
    startUp();
    EXPECT_FALSE(app->reg.HelpProgramFound);

    exe(root + u"/elsewhere/"_s, u"CorvaneHelp"_s);
    startUp();
    EXPECT_TRUE(app->reg.HelpProgramFound);
    EXPECT_EQ(app->reg.HelpProgramPath, recorded);

    exe(own() + u"Help/"_s, u"CorvaneHelp"_s);
    startUp();
    EXPECT_EQ(app->reg.HelpProgramPath, own() + u"Help/CorvaneHelp.exe"_s);
}

TEST_F(FixedRegister, StoreThatCannotBeWrittenIsReportedAndLeavesTheRecordPending)
{
    corvane::AppConfig cfg;
    cfg.mode = vb::Runtime::Mode::Test;
    cfg.mounts = mounts();
    // The store's folder is a file: nothing can be written there.
    ASSERT_TRUE(writeFile(root + u"/blocked"_s, "x"));
    cfg.settingsPath = root + u"/blocked/Tavolin.ini"_s;
    app = std::make_unique<CorvaneApp>(std::move(cfg));
    app->rt.setResponder(u"frmMessage"_s, [this](vb::Form& f) {
        shown << app->msg.MessageId;
        static_cast<frmMessage&>(f).CommandMsgOK.click();
    });
    runFromDisk();
    testsupport::expectQtMessage(u"QSettings"_s);
    startUp();
    EXPECT_EQ(shown, QStringList{u"Bug-Corvane-OnRestSaveMember"_s});
    EXPECT_TRUE(app->reg.RegisterPending);
    EXPECT_EQ(app->reg.DataBaseFolder, own());
    testsupport::clearExpectedQtMessages();
}
