// Whole runs over prepared data folders: the start-up reads the folder, the user changes
// something or nothing, the Exit button writes it back. Nothing the user saved is lost:
// stale counts, damaged and unreadable lists, two copies of the program over one folder,
// and a folder moved between runs.

#include "StartupFixture.h"

#include "ActiveVelmora.h"
#include "ControlBookmark.h"
#include "Constants.h"

#include "sys/TextRecords.h"

#include <QFileInfo>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace corvane;
using corvanetest::StartupFixture;

namespace {

const QByteArray kThreeMarks = "\"One\",\"http://one.example/\"\r\n\"Two\",\"http://two.example/\"\r\n"
                               "\"Three\",\"http://three.example/\"\r\n";
const QByteArray kTwoNotes = "\"http://one.example/\",\"first\"\r\n\"http://two.example/\",\"second\"\r\n";

class DataFolderRun : public StartupFixture {
protected:
    DataFolderRun() { storeNickname(u"Ana"_s); }

    QString data(const QString& name) const { return diskFolder + u"/Corvane/"_s + name; }
    void put(const QString& name, const QByteArray& content) const
    {
        ASSERT_TRUE(testsupport::writeFile(data(name), content));
    }
    QByteArray contentOf(const QString& name) const { return testsupport::readFile(data(name)); }

    // A settings file whose bookmark and notes counts say last.
    static QByteArray settingsCounting(int last)
    {
        QByteArray s = settingsFile(0, {u"http://home.example/"_s}, 4);
        s.replace("4\r\n0\r\n-1\r\n0\r\n0\r\n-1\r\n", "4\r\n0\r\n" + QByteArray::number(last) + "\r\n0\r\n0\r\n" +
                                                         QByteArray::number(last) + "\r\n");
        return s;
    }

    // A new run from the program folder, as the user starts it.
    void startRun()
    {
        app.reset();
        testsupport::flushDeferredDeletes();
        ASSERT_TRUE(startFromDisk());
        ASSERT_TRUE(app->mainForm);
    }
    void exitRun(CorvaneApp& a)
    {
        EXPECT_THROW(a.mainForm->CommandExit.click(), vb::ProgramEnded);
    }

    QStringList names() const { return app->hid.ComboMarkName.items(); }
};

TEST_F(DataFolderRun, ASettingsCountBelowEqualToOrAboveTheListsKeepsEveryRecord)
{
    for (int last : {0, 1, 2, 3, 40}) {
        SCOPED_TRACE(last);
        put(u"Set.Velmora"_s, settingsCounting(last));
        put(u"Mark.Velmora"_s, kThreeMarks);
        put(u"Note.Velmora"_s, kTwoNotes);
        startRun();
        EXPECT_EQ(names(), QStringList({u"One"_s, u"Two"_s, u"Three"_s}));
        EXPECT_EQ(app->lists.BookmarkLastIndex, 2);
        EXPECT_EQ(app->lists.NotesLastIndex, 1);
        exitRun(*app);
        // Unchanged by the run, the lists are as they were; the counts now say so.
        EXPECT_EQ(contentOf(u"Mark.Velmora"_s), kThreeMarks);
        EXPECT_EQ(contentOf(u"Note.Velmora"_s), kTwoNotes);
        startRun();
        EXPECT_EQ(app->opt.BookmarkLastIndexSaved, 2);
        EXPECT_EQ(app->opt.NotesLastIndexSaved, 1);
        EXPECT_EQ(app->lists.BookmarkLastIndex, 2);
        // A run that adds one writes all four.
        ASSERT_TRUE(BookmarkAdd(*app, u"Four"_s, u"http://four.example/"_s));
        exitRun(*app);
        startRun();
        EXPECT_EQ(names(), QStringList({u"One"_s, u"Two"_s, u"Three"_s, u"Four"_s}));
        exitRun(*app);
        EXPECT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
    }
}

TEST_F(DataFolderRun, ADamagedSettingsFileKeepsWhatReadsWholeAndTheUserHearsOnceWhatWasReset)
{
    // Cut inside the first home page: the nine numbers are there.
    QByteArray cut = settingsFile(2, {u"http://home.example/"_s}, 7, 1);
    cut.truncate(cut.indexOf("http://home") + 6);
    put(u"Set.Velmora"_s, cut);
    put(u"Mark.Velmora"_s, kThreeMarks);
    startRun();
    EXPECT_EQ(app->opt.ExitCount, 7);
    EXPECT_EQ(app->opt.HistoryMask, 1);
    EXPECT_EQ(app->opt.MainBrowserLastIndex, 2);
    EXPECT_EQ(names(), QStringList({u"One"_s, u"Two"_s, u"Three"_s}));
    ASSERT_EQ(shown, QStringList{u"MessageSetVelmoraReset"_s});
    EXPECT_TRUE(shownBodies.at(0).contains(u"Home Page of Browser #1"_s));
    EXPECT_TRUE(shownBodies.at(0).contains(u"Home Page of Browser #6"_s));
    EXPECT_FALSE(shownBodies.at(0).contains(u"History"_s));
    exitRun(*app);
    EXPECT_EQ(contentOf(u"Set.Velmora.bad"_s), cut);
    shown.clear();
    startRun();
    EXPECT_EQ(app->opt.ExitCount, 8);
    EXPECT_EQ(app->opt.HistoryMask, 1);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
}

TEST_F(DataFolderRun, AFailedWriteAtExitTellsWhichFileAndWhyOnce)
{
    // A folder where the bookmark file belongs: no user, root included, can replace it.
    ASSERT_TRUE(QDir().mkpath(data(u"Mark.Velmora"_s)));
    put(u"Note.Velmora"_s, kTwoNotes);
    startRun();
    ASSERT_TRUE(BookmarkAdd(*app, u"New"_s, u"http://new.example/"_s));
    NoteAdd(*app, u"http://new.example/"_s, u"a note"_s);
    exitRun(*app);
    ASSERT_EQ(shown, QStringList{u"MessageErSaveSetVelmora"_s});
    EXPECT_TRUE(shownBodies.at(0).startsWith(u"There was an error, could not save your options."_s));
    EXPECT_TRUE(shownBodies.at(0).contains(data(u"Mark.Velmora"_s) + u" (your bookmarks)"_s)) << shownBodies.at(0).toStdString();
    EXPECT_FALSE(shownBodies.at(0).contains(u"Note.Velmora"_s));
    // The rest was saved, and the settings count what the files hold.
    startRun();
    EXPECT_EQ(app->hid.ComboNoteThis.items(), QStringList({u"first"_s, u"second"_s, u"a note"_s}));
    EXPECT_EQ(app->opt.NotesLastIndexSaved, 2);
    EXPECT_TRUE(names().isEmpty());
}

TEST_F(DataFolderRun, AListWithABrokenFirstRecordKeepsTheRestAndTheWholeFileAsBad)
{
    const QByteArray broken = "\"One,\"http://one.example/\"\r\n\"Two\",\"http://two.example/\"\r\n"
                              "\"Three\",\"http://three.example/\"\r\n";
    put(u"Mark.Velmora"_s, broken);
    startRun();
    EXPECT_EQ(names(), QStringList({u"Two"_s, u"Three"_s}));
    exitRun(*app);
    EXPECT_EQ(contentOf(u"Mark.Velmora"_s), broken);

    // The first bookmark of the run: the damaged file goes aside whole before the write.
    startRun();
    ASSERT_TRUE(BookmarkAdd(*app, u"New"_s, u"http://new.example/"_s));
    exitRun(*app);
    EXPECT_EQ(contentOf(u"Mark.Velmora.bad"_s), broken);
    startRun();
    EXPECT_EQ(names(), QStringList({u"Two"_s, u"Three"_s, u"New"_s}));
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
}

TEST_F(DataFolderRun, AListThatCannotBeReadIsLeftAsItIsAndTheUserToldOnce)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "a file without read permission is read all the same by root: run as a non-root user "
                        "(the links below cover the same road for root)";
    put(u"Mark.Velmora"_s, kThreeMarks);
    put(u"Note.Velmora"_s, kTwoNotes);
    ASSERT_TRUE(QFile::setPermissions(data(u"Mark.Velmora"_s), QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(data(u"Note.Velmora"_s), QFileDevice::WriteOwner));
    startRun();
    EXPECT_TRUE(names().isEmpty());
    ASSERT_TRUE(BookmarkAdd(*app, u"New"_s, u"http://new.example/"_s));
    NoteAdd(*app, u"http://new.example/"_s, u"a note"_s);
    exitRun(*app);
    EXPECT_EQ(shown, QStringList{u"MessageErSaveSetVelmora"_s});
    ASSERT_TRUE(QFile::setPermissions(data(u"Mark.Velmora"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(data(u"Note.Velmora"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(contentOf(u"Mark.Velmora"_s), kThreeMarks);
    EXPECT_EQ(contentOf(u"Note.Velmora"_s), kTwoNotes);
}

TEST_F(DataFolderRun, ListsWhoseReadsFailAreLeftAsTheyAreAndTheUserToldOnce)
{
    // Links to memory that is not mapped: their reads fail, for root too.
    ASSERT_TRUE(QDir().mkpath(data(QString())));
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, data(u"Mark.Velmora"_s)));
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, data(u"Note.Velmora"_s)));
    startRun();
    EXPECT_TRUE(names().isEmpty());
    ASSERT_TRUE(BookmarkAdd(*app, u"New"_s, u"http://new.example/"_s));
    NoteAdd(*app, u"http://new.example/"_s, u"a note"_s);
    exitRun(*app);
    EXPECT_EQ(shown, QStringList{u"MessageErSaveSetVelmora"_s});
    EXPECT_TRUE(QFileInfo(data(u"Mark.Velmora"_s)).isSymLink());
    EXPECT_TRUE(QFileInfo(data(u"Note.Velmora"_s)).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(data(u"Set.Velmora"_s)));
}

TEST_F(DataFolderRun, TwoCopiesFromOneFolderKeepWhatEachSavedWhicheverExitsLast)
{
    for (bool firstExitsFirst : {true, false}) {
        SCOPED_TRACE(firstExitsFirst ? "the first copy exits first" : "the second copy exits first");
        QDir(data(QString())).removeRecursively();
        put(u"Set.Velmora"_s, settingsCounting(2));
        put(u"Mark.Velmora"_s, kThreeMarks);
        put(u"Note.Velmora"_s, kTwoNotes);

        startRun();
        std::unique_ptr<CorvaneApp> first = std::move(app);
        startRun();
        CorvaneApp& second = *app;

        // The first copy adds a bookmark, deletes "Two" and edits a note; it also makes a
        // home page, which writes the settings at once.
        ASSERT_TRUE(BookmarkAdd(*first, u"From first"_s, u"http://first.example/"_s));
        int two = 1;
        BookmarkDelete(*first, two);
        NoteAdd(*first, u"http://one.example/"_s, u"first, edited"_s);
        first->opt.MainBrowserHomePages[3] = first->opt.HomePagesSaved[3] = u"http://home-first.example/"_s;
        ASSERT_TRUE(SettingsFileSave(first->velmora()));
        // The second adds a bookmark and a note of its own.
        ASSERT_TRUE(BookmarkAdd(second, u"From second"_s, u"http://second.example/"_s));
        NoteAdd(second, u"http://third.example/"_s, u"third"_s);

        if (firstExitsFirst) {
            exitRun(*first);
            exitRun(second);
        } else {
            exitRun(second);
            exitRun(*first);
        }
        first.reset();

        startRun();
        const QStringList added = firstExitsFirst ? QStringList({u"From first"_s, u"From second"_s})
                                                  : QStringList({u"From second"_s, u"From first"_s});
        EXPECT_EQ(names(), QStringList({u"One"_s, u"Three"_s}) + added);
        EXPECT_EQ(app->hid.ComboNotePage.items(),
                  QStringList({u"http://one.example/"_s, u"http://two.example/"_s, u"http://third.example/"_s}));
        EXPECT_EQ(app->hid.ComboNoteThis.items(), QStringList({u"first, edited"_s, u"second"_s, u"third"_s}));
        EXPECT_EQ(app->opt.MainBrowserHomePages[3], u"http://home-first.example/"_s);
        EXPECT_EQ(app->opt.ExitCount, 4 + 2);
        EXPECT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
        exitRun(*app);
    }
}

// The application object of a run whose program folder is folder, as the portable folder
// has it: Corvane.exe, site/ and the data folder side by side.
class MovedFolderRun : public DataFolderRun {
protected:
    void startFrom(const QString& folder)
    {
        app.reset();
        testsupport::flushDeferredDeletes();
        AppConfig cfg = corvanetest::testAppConfig(root);
        cfg.mounts = mounts();
        cfg.programFolder = folder + u'/';
        app = std::make_unique<CorvaneApp>(std::move(cfg));
        auto engine = std::make_unique<vb::ScriptedWebEngineFactory>();
        engines = engine.get();
        app->rt.setWebEngine(std::move(engine));
        app->rt.setScreen(screen);
        app->rt.setResponder(u"frmMessage"_s, [this](vb::Form& f) {
            shown << app->msg.MessageId;
            static_cast<frmMessage&>(f).CommandMsgOK.click();
        });
        placeExe(folder);
        ASSERT_TRUE(testsupport::writeFile(folder + u"/site/Corvane.html"_s, "<p>Corvane</p>"));
        ASSERT_TRUE(start(folder));
    }
    QString firstPage() const { return engineOf(0) ? engineOf(0)->navigations().value(0) : QString(); }
};

TEST_F(MovedFolderRun, AFolderMovedBetweenRunsOpensItsOwnProductPage)
{
    startFrom(diskFolder);
    EXPECT_EQ(firstPage(), productPage(diskFolder, u"Corvane"_s));
    exitRun(*app);

    const QString moved = root + u"/elsewhere/Corvane"_s;
    ASSERT_TRUE(QDir().mkpath(root + u"/elsewhere"_s));
    ASSERT_TRUE(QDir().rename(diskFolder, moved));
    startFrom(moved);
    EXPECT_EQ(firstPage(), productPage(moved, u"Corvane"_s));
    EXPECT_EQ(app->opt.MainBrowserHomePages[5], productPage(moved, u"Corvane"_s));
    exitRun(*app);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u", "_s).toStdString();
}

TEST_F(MovedFolderRun, AProductPageStoredByItsFullAddressFollowsTheMoveToo)
{
    // What a run stored before the product page was stored by name.
    const QString moved = root + u"/elsewhere/Corvane"_s;
    ASSERT_TRUE(QDir().mkpath(moved + u"/Corvane"_s));
    ASSERT_TRUE(testsupport::writeFile(moved + u"/Corvane/Set.Velmora"_s,
                                       settingsFile(1, {productPage(diskFolder, u"Corvane"_s), u"http://two.example/"_s})));
    startFrom(moved);
    EXPECT_EQ(firstPage(), productPage(moved, u"Corvane"_s));
    EXPECT_EQ(app->opt.MainBrowserHomePages[1], u"http://two.example/"_s);
    exitRun(*app);
}

} // namespace
