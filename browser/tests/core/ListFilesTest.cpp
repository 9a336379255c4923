#include "VelmoraFixture.h"

#include "BrowserState.h"

#include "sys/DataTransaction.h"
#include "sys/TextRecords.h"

#include <QFile>
#include <QFileInfo>

#include <functional>

using namespace Qt::StringLiterals;
using namespace corvane;
using corvanetest::FileSizeLimit;
using corvanetest::VelmoraFixture;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

QList<QStringList> recordsOf(const QByteArray& data, int width)
{
    sys::RecordReader r(data);
    QList<QStringList> out;
    while (!r.atEnd()) {
        QStringList rec;
        for (int i = 0; i < width; ++i) {
            QString s;
            if (!r.readString(s))
                return out;
            rec << s;
        }
        out << rec;
    }
    return out;
}

QByteArray settingsWithCounts(int bookmarkLast, int notesLast)
{
    return QByteArray::number(0) + "\r\n0\r\n" + QByteArray::number(bookmarkLast) + "\r\n0\r\n0\r\n" +
           QByteArray::number(notesLast) + "\r\n0\r\n0\r\n0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
}

const QByteArray kThreeMarks = "\"One\",\"http://1/\"\r\n\"Two\",\"http://2/\"\r\n\"Three\",\"http://3/\"\r\n";

} // namespace

class ListFiles : public VelmoraFixture {
protected:
    void addMark(const QString& name, const QString& address)
    {
        hid.ComboMarkName.AddItem(name);
        hid.ComboMarkAddress.AddItem(address);
        lists.BookmarkLastIndex = hid.ComboMarkName.ListCount() - 1;
    }
    void addNote(const QString& page, const QString& text)
    {
        hid.ComboNotePage.AddItem(page);
        hid.ComboNoteThis.AddItem(text);
        lists.NotesLastIndex = hid.ComboNotePage.ListCount() - 1;
        lists.NotesChanged = true;
    }
    // As the main window's unload saves.
    void saveAll() { ASSERT_TRUE(DataFilesSave(ctx(), SaveAll)); }
    QStringList settingsItems() const
    {
        sys::RecordReader r(readFile(prog.SettingsFilePath));
        QStringList out;
        QString s;
        while (!r.atEnd() && r.readString(s))
            out << s;
        return out;
    }
};

TEST_F(ListFiles, FirstStartHasEmptyListsAndWritesNoListFile)
{
    startUp();
    EXPECT_EQ(lists.BookmarkLastIndex, -1);
    EXPECT_EQ(lists.NotesLastIndex, -1);
    EXPECT_EQ(hid.ComboMarkName.ListCount(), 0);
    saveAll();
    EXPECT_FALSE(QFile::exists(prog.BookmarkFilePath));
    EXPECT_FALSE(QFile::exists(prog.NotesFilePath));
    EXPECT_FALSE(QFile::exists(prog.HistoryFilePath));
}

TEST_F(ListFiles, BookmarkNameWithQuoteAndCommaComesBackWhole)
{
    startUp();
    addMark(u"My \"best\", page"_s, u"http://x/?a=\"1\",b"_s);
    addMark(u"Plain"_s, u"http://y/"_s);
    saveAll();
    EXPECT_EQ(readFile(prog.BookmarkFilePath),
              "\"My 'best', page\",\"http://x/?a=%221%22,b\"\r\n\"Plain\",\"http://y/\"\r\n");
    startUp();
    ASSERT_EQ(lists.BookmarkLastIndex, 1);
    EXPECT_EQ(hid.ComboMarkName.List(0), u"My 'best', page"_s);
    EXPECT_EQ(hid.ComboMarkAddress.List(0), u"http://x/?a=%221%22,b"_s);
    EXPECT_EQ(hid.ComboMarkAddress.List(1), u"http://y/"_s);
}

TEST_F(ListFiles, MinusOneFromSettingsReadWholeMeansNoListAnyOtherCountIsAHint)
{
    const QByteArray notes = "\"http://n/\",\"kept\"\r\n";
    const QByteArray olderForm = "0\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n\"f\"\r\n";
    struct Case {
        const char* what;
        std::optional<QByteArray> settings;  // nullopt: no settings file
        int marksRead;
        int notesRead;
        QByteArray countsAfter;  // items 2 and 5 once the run has saved
    };
    const Case cases[] = {
        {"both counted as none", settingsWithCounts(-1, -1), 0, 0, "-1,-1"},
        {"counts below the files", settingsWithCounts(0, 0), 3, 1, "2,0"},
        {"counts above the files", settingsWithCounts(300, 4), 3, 1, "2,0"},
        {"older form: no notes count", olderForm, 0, 1, "-1,0"},
        {"damaged settings read the lists to their end", settingsWithCounts(-1, -1).left(30), 3, 1, "2,0"},
        {"no settings file", std::nullopt, 3, 1, "2,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(prog.SettingsFilePath);
        if (c.settings) {
            ASSERT_TRUE(writeFile(prog.SettingsFilePath, *c.settings));
        }
        ASSERT_TRUE(writeFile(prog.BookmarkFilePath, kThreeMarks));
        ASSERT_TRUE(writeFile(prog.NotesFilePath, notes));
        startUp();
        EXPECT_EQ(lists.BookmarkLastIndex, c.marksRead - 1);
        EXPECT_EQ(hid.ComboMarkName.ListCount(), c.marksRead);
        EXPECT_EQ(lists.NotesLastIndex, c.notesRead - 1);
        // Unchanged by the run, no list file is written, whether it was read or not.
        const std::optional<sys::FileIdentity> before = sys::FileIdentity::of(prog.BookmarkFilePath);
        ASSERT_TRUE(DataFilesSave(ctx(), SaveAll));
        EXPECT_EQ(sys::FileIdentity::of(prog.BookmarkFilePath), before);
        EXPECT_EQ(readFile(prog.BookmarkFilePath), kThreeMarks);
        EXPECT_EQ(readFile(prog.NotesFilePath), notes);
        const QStringList items = settingsItems();
        EXPECT_EQ(items.at(2) + u',' + items.at(5), QString::fromLatin1(c.countsAfter));
    }

    // A bookmark added over a list counted as none replaces what the user had deleted,
    // which is kept as .old.
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, settingsWithCounts(-1, -1)));
    startUp();
    addMark(u"New"_s, u"http://new/"_s);
    saveAll();
    EXPECT_EQ(readFile(prog.BookmarkFilePath), "\"New\",\"http://new/\"\r\n");
    EXPECT_EQ(readFile(prog.BookmarkFilePath + u".old"_s), kThreeMarks);
    EXPECT_EQ(settingsItems().at(2), u"0"_s);
}

TEST_F(ListFiles, FiveOldCopiesAreKeptSoOneCarelessRunCannotReplaceTheOnlyOne)
{
    ASSERT_TRUE(writeFile(prog.BookmarkFilePath, kThreeMarks));
    auto run = [this](const std::function<void()>& change) {
        startUp();
        change();
        saveAll();
    };
    auto deleteAll = [this] {
        hid.ComboMarkName.Clear();
        hid.ComboMarkAddress.Clear();
        lists.BookmarkLastIndex = -1;
    };
    const QString old = u".old"_s;
    // The three are deleted; X is added; X is deleted: the three are still kept.
    run(deleteAll);
    EXPECT_EQ(readFile(prog.BookmarkFilePath), QByteArray());
    run([this] { addMark(u"X"_s, u"http://x/"_s); });
    run(deleteAll);
    EXPECT_EQ(recordsOf(readFile(sys::keptCopyPath(prog.BookmarkFilePath, old, 0)), 2), (QList<QStringList>{{u"X"_s, u"http://x/"_s}}));
    EXPECT_EQ(readFile(sys::keptCopyPath(prog.BookmarkFilePath, old, 1)), kThreeMarks);

    // Each further loss pushes the copies back; the sixth pushes the oldest out.
    for (int i = 0; i < 4; ++i) {
        run([this, i] { addMark(u"Y%1"_s.arg(i), u"http://y/"_s); });
        run(deleteAll);
    }
    EXPECT_EQ(recordsOf(readFile(sys::keptCopyPath(prog.BookmarkFilePath, old, 0)), 2).value(0).value(0), u"Y3"_s);
    EXPECT_EQ(recordsOf(readFile(sys::keptCopyPath(prog.BookmarkFilePath, old, 3)), 2).value(0).value(0), u"Y0"_s);
    EXPECT_EQ(recordsOf(readFile(sys::keptCopyPath(prog.BookmarkFilePath, old, 4)), 2).value(0).value(0), u"X"_s);
    EXPECT_FALSE(QFile::exists(sys::keptCopyPath(prog.BookmarkFilePath, old, 5)));
    EXPECT_FALSE(QFile::exists(prog.NotesFilePath + old));
}

TEST_F(ListFiles, ADamagedRecordNeverSwallowsTheNextAndTheFileIsKeptAsBad)
{
    // A name without its closing quote, and an address without its own.
    const QByteArray damaged = "\"One\",\"http://1/\"\r\n\"Two,\"http://2/\"\r\n\"Three\",\"http://3/\"\r\n"
                               "\"Four\",\"http://4/\r\n\"Five\",\"http://5/\"\r\n";
    ASSERT_TRUE(writeFile(prog.BookmarkFilePath, damaged));
    startUp();
    EXPECT_EQ(hid.ComboMarkName.items(), QStringList({u"One"_s, u"Three"_s, u"Five"_s}));
    EXPECT_EQ(hid.ComboMarkAddress.items(), QStringList({u"http://1/"_s, u"http://3/"_s, u"http://5/"_s}));
    // Unchanged, it stays as it is.
    saveAll();
    EXPECT_EQ(readFile(prog.BookmarkFilePath), damaged);
    EXPECT_FALSE(QFile::exists(prog.BookmarkFilePath + u".bad"_s));

    // Before a write replaces it, the damaged file is kept aside whole.
    addMark(u"Six"_s, u"http://6/"_s);
    saveAll();
    EXPECT_EQ(readFile(prog.BookmarkFilePath + u".bad"_s), damaged);
    startUp();
    EXPECT_EQ(hid.ComboMarkName.items(), QStringList({u"One"_s, u"Three"_s, u"Five"_s, u"Six"_s}));

    // A broken first record is no empty file either (read to its end: there is no count).
    QFile::remove(prog.SettingsFilePath);
    ASSERT_TRUE(writeFile(prog.NotesFilePath, "\"http://n/,\"lost\"\r\n\"http://m/\",\"kept\"\r\n"));
    startUp();
    EXPECT_EQ(hid.ComboNotePage.items(), QStringList{u"http://m/"_s});
}

TEST_F(ListFiles, AListThatCannotBeReadIsNeverReplacedByWhatThisRunHas)
{
    // A file whose reads fail, for root too: a link to memory that is not mapped.
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, prog.BookmarkFilePath));
    startUp();
    EXPECT_EQ(lists.BookmarkLastIndex, -1);
    saveAll();
    EXPECT_EQ(refusals, 0);  // nothing changed, nothing to write

    addMark(u"New"_s, u"http://new/"_s);
    EXPECT_FALSE(BookmarkFileSave(ctx()));
    EXPECT_EQ(refusals, 1);
    EXPECT_TRUE(QFileInfo(prog.BookmarkFilePath).isSymLink());
    EXPECT_FALSE(QFile::exists(prog.BookmarkFilePath + u".bad"_s));

    // Readable again at the next write: its records are kept and the new one is added.
    QFile::remove(prog.BookmarkFilePath);
    ASSERT_TRUE(writeFile(prog.BookmarkFilePath, kThreeMarks));
    ASSERT_TRUE(BookmarkFileSave(ctx()));
    EXPECT_EQ(recordsOf(readFile(prog.BookmarkFilePath), 2).size(), 4);
}

TEST_F(ListFiles, LostOrDamagedSettingsReadTheListFilesToTheirEnd)
{
    const QByteArray notes = "\"http://n/\",\"first, with comma\"\r\n\"http://m/\",\"second\"\r\n";
    ASSERT_TRUE(writeFile(prog.BookmarkFilePath, kThreeMarks + "\"Cut\""));  // a record cut short
    ASSERT_TRUE(writeFile(prog.NotesFilePath, notes));
    for (const char* settings : std::initializer_list<const char*>{"", "garbage", nullptr}) {
        SCOPED_TRACE(settings ? settings : "missing");
        QFile::remove(prog.SettingsFilePath);
        if (settings) {
            ASSERT_TRUE(writeFile(prog.SettingsFilePath, settings));
        }
        startUp();
        EXPECT_EQ(lists.BookmarkLastIndex, 2);
        EXPECT_EQ(hid.ComboMarkAddress.List(2), u"http://3/"_s);
        EXPECT_EQ(lists.NotesLastIndex, 1);
        EXPECT_EQ(hid.ComboNoteThis.List(0), u"first, with comma"_s);
    }
}

TEST_F(ListFiles, NotesBesideAnOlderSettingsFileAreReadWhole)
{
    ASSERT_TRUE(writeFile(prog.SettingsFilePath,
                          "0\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n\"f\"\r\n"));
    ASSERT_TRUE(writeFile(prog.NotesFilePath, "\"http://n/\",\"kept\"\r\n"));
    startUp();
    EXPECT_EQ(lists.NotesLastIndex, 0);
    EXPECT_EQ(hid.ComboNotePage.List(0), u"http://n/"_s);
}

TEST_F(ListFiles, AListThatBecameEmptyIsWrittenEmptySoItsRecordsNeverComeBack)
{
    ASSERT_TRUE(writeFile(prog.BookmarkFilePath, kThreeMarks));
    ASSERT_TRUE(writeFile(prog.NotesFilePath, "\"http://n/\",\"x\"\r\n"));
    startUp();
    ASSERT_EQ(lists.BookmarkLastIndex, 2);
    hid.ComboMarkName.Clear();
    hid.ComboMarkAddress.Clear();
    lists.BookmarkLastIndex = -1;
    hid.ComboNotePage.Clear();
    hid.ComboNoteThis.Clear();
    lists.NotesLastIndex = -1;
    lists.NotesChanged = true;
    saveAll();
    EXPECT_FALSE(lists.NotesChanged);
    EXPECT_EQ(readFile(prog.BookmarkFilePath), QByteArray());
    EXPECT_EQ(readFile(prog.NotesFilePath), QByteArray());
    // Even when the settings file is lost afterwards.
    QFile::remove(prog.SettingsFilePath);
    startUp();
    EXPECT_EQ(lists.BookmarkLastIndex, -1);
    EXPECT_EQ(lists.NotesLastIndex, -1);
}

TEST_F(ListFiles, FailedWriteLeavesTheOldBookmarkFileWhole)
{
    ASSERT_TRUE(writeFile(prog.BookmarkFilePath, kThreeMarks));
    startUp();
    for (int i = 0; i < 200; ++i)
        addMark(u"Mark %1"_s.arg(i), u"http://example.org/%1"_s.arg(i));
    {
        FileSizeLimit limit(1024);
        EXPECT_FALSE(BookmarkFileSave(ctx()));
    }
    EXPECT_EQ(readFile(prog.BookmarkFilePath), kThreeMarks);
}

TEST_F(ListFiles, BookmarkOnARemovableDriveComesBackWithTheCurrentMountPoint)
{
    putOnDrive(u"/media/E"_s);
    startUp();
    addMark(u"Local"_s, u"file:///media/E/a.htm"_s);
    addMark(u"Other drive"_s, u"file:///media/D/a.htm"_s);
    saveAll();
    EXPECT_EQ(recordsOf(readFile(prog.BookmarkFilePath), 2).at(0).at(1), u"file:///#/a.htm"_s);
    putOnDrive(u"/media/H"_s);
    startUp();
    EXPECT_EQ(hid.ComboMarkAddress.List(0), u"file:///media/H/a.htm"_s);
    EXPECT_EQ(hid.ComboMarkAddress.List(1), u"file:///media/D/a.htm"_s);
}

TEST_F(ListFiles, HistoryForBrowsersOneAndThreeOnlyStillHasSixColumns)
{
    startUp();
    opt.HistoryMask = (1 << 1) | (1 << 3);
    hid.ComboLocation[0].AddItem(u"http://zero/"_s);  // browser 0 keeps no history
    hid.ComboLocation[1].AddItem(u"http://one/"_s);
    hid.ComboLocation[3].AddItem(u"http://three-a/"_s);
    hid.ComboLocation[3].AddItem(u"http://three-b/"_s);
    saveAll();
    const QList<QStringList> recs = recordsOf(readFile(prog.HistoryFilePath), 6);
    ASSERT_EQ(recs.size(), 20);
    EXPECT_EQ(recs.at(0), QStringList({u""_s, u"http://one/"_s, u""_s, u"http://three-a/"_s, u""_s, u""_s}));
    EXPECT_EQ(recs.at(1), QStringList({u""_s, u""_s, u""_s, u"http://three-b/"_s, u""_s, u""_s}));
    for (int i = 2; i < 20; ++i)
        EXPECT_EQ(recs.at(i), QStringList(6, QString()));

    startUp();
    EXPECT_EQ(hid.ComboLocation[0].ListCount(), 0);
    EXPECT_EQ(hid.ComboLocation[1].items(), QStringList{u"http://one/"_s});
    EXPECT_EQ(hid.ComboLocation[3].ListCount(), 2);
}

TEST_F(ListFiles, FiveAddressesOfBrowserZeroFillRecordsZeroToFour)
{
    startUp();
    opt.HistoryMask = 1;
    for (int i = 0; i < 5; ++i)
        hid.ComboLocation[0].AddItem(u"http://site%1/"_s.arg(i));
    saveAll();
    const QList<QStringList> recs = recordsOf(readFile(prog.HistoryFilePath), 6);
    ASSERT_EQ(recs.size(), 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(recs.at(i).at(0), i < 5 ? u"http://site%1/"_s.arg(i) : QString());
}

TEST_F(ListFiles, HistoryReaderKeepsWhatWasReadAndFollowsTheDrive)
{
    putOnDrive(u"/media/new"_s);
    opt.HistoryMask = 1;
    ASSERT_TRUE(writeFile(prog.HistoryFilePath, "\"file:///#/h.htm\",\"\",\"\",\"\",\"\",\"http://b/\"\r\n\"http://c/\",\"unterminated"));
    HistoryFileLoad(ctx());
    EXPECT_EQ(hid.ComboLocation[0].items(), QStringList({u"file:///media/new/h.htm"_s, u"http://c/"_s}));
    EXPECT_EQ(hid.ComboLocation[5].items(), QStringList{u"http://b/"_s});

    // With history off nothing is read.
    opt.HistoryMask = 0;
    hid = {};
    HistoryFileLoad(ctx());
    EXPECT_EQ(hid.ComboLocation[0].ListCount(), 0);
}

// Files of older versions kept sites cut at a dot of the host ("http://127.0.0."): they
// name no site, so they go; a site kept in another shape becomes its root, once.
TEST_F(ListFiles, HistoryReaderDropsSitesCutShortAndKeepsEachSiteOnce)
{
    opt.HistoryMask = 3;
    ASSERT_TRUE(writeFile(prog.HistoryFilePath, "\"http://127.0.0.\",\"https://www.example.co.\",\"\",\"\",\"\",\"\"\r\n"
                                                "\"https://www.example.com\",\"http://127.0.0.1:8080/\",\"\",\"\",\"\",\"\"\r\n"
                                                "\"https://www.example.com/\",\"HTTP://Example.org/a.html\",\"\",\"\",\"\",\"\"\r\n"));
    HistoryFileLoad(ctx());
    EXPECT_EQ(hid.ComboLocation[0].items(), QStringList{u"https://www.example.com/"_s});
    EXPECT_EQ(hid.ComboLocation[1].items(), (QStringList{u"http://127.0.0.1:8080/"_s, u"http://example.org/"_s}));

    // Written back, the file holds the mended lists in its usual shape.
    ASSERT_TRUE(HistoryFileSave(ctx()));
    const QList<QStringList> recs = recordsOf(readFile(prog.HistoryFilePath), 6);
    ASSERT_EQ(recs.size(), 20);
    EXPECT_EQ(recs.at(0).at(0), u"https://www.example.com/"_s);
    EXPECT_EQ(recs.at(0).at(1), u"http://127.0.0.1:8080/"_s);
    EXPECT_EQ(recs.at(1).at(1), u"http://example.org/"_s);
    EXPECT_EQ(recs.at(1).at(0), QString());
}

TEST_F(ListFiles, HistoryFileDeleteRemovesTheFile)
{
    ASSERT_TRUE(writeFile(prog.HistoryFilePath, "\"http://a/\"\r\n"));
    EXPECT_TRUE(HistoryFileDelete(ctx()));
    EXPECT_FALSE(QFile::exists(prog.HistoryFilePath));
    EXPECT_TRUE(HistoryFileDelete(ctx()));
}

TEST_F(ListFiles, NoteTextsKeepCommasAndLoseQuotesAndLineBreaks)
{
    startUp();
    addNote(u"http://a/"_s, u"buy milk, eggs"_s);
    addNote(u"http://b/?\"q\""_s, u"he said \"no\"\r\nthen left"_s);
    saveAll();
    startUp();
    ASSERT_EQ(lists.NotesLastIndex, 1);
    EXPECT_EQ(hid.ComboNoteThis.List(0), u"buy milk, eggs"_s);
    EXPECT_EQ(hid.ComboNotePage.List(1), u"http://b/?%22q%22"_s);
    EXPECT_EQ(hid.ComboNoteThis.List(1), u"he said 'no' then left"_s);
    EXPECT_EQ(hid.ComboNoteThis.ListIndex(), -1);
}

TEST_F(ListFiles, HandMadeDamagedDataFolderStartsWithWhatSurvived)
{
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, "\x01\x02\"\xff\xfe,,,\r\n\r\n12"));
    ASSERT_TRUE(writeFile(prog.BookmarkFilePath, "\"A\",\"http://a/\"\r\n\"B\",\"http://b/\"\r\n\"C\",\"http://c"));
    ASSERT_TRUE(writeFile(prog.NotesFilePath, QByteArray("\"http://n/\",\"x\"\r\n\0\0\0", 20)));
    ASSERT_TRUE(writeFile(prog.HistoryFilePath, "\"\"\"\"\"\""));
    startUp();
    EXPECT_EQ(opt.MainBrowserHomePages[0], product);
    EXPECT_EQ(hid.ComboMarkName.items(), QStringList({u"A"_s, u"B"_s}));
    EXPECT_EQ(hid.ComboNotePage.List(0), u"http://n/"_s);
    saveAll();
    startUp();
    EXPECT_EQ(hid.ComboMarkName.items(), QStringList({u"A"_s, u"B"_s}));
    EXPECT_EQ(hid.ComboNotePage.List(0), u"http://n/"_s);
    EXPECT_TRUE(QFile::exists(prog.SettingsFilePath + u".bad"_s));
}

// Two copies of the program over one data folder: each run's state, read at its start.
class TwoRuns : public ListFiles {
protected:
    struct Run {
        corvane::ProgramVars prog;
        corvane::OptionVars opt;
        corvane::ListVars lists;
        corvane::frmHid hid;
        corvane::DataFileVars files;
        QString product;
        corvane::VelmoraContext ctx() { return corvane::VelmoraContext{prog, opt, lists, hid, files, product}; }
        void start()
        {
            SettingsFileLoad(ctx());
            BrowserStateInit(set, opt, lists);
            HistoryFileLoad(ctx());
            BookmarkFileLoad(ctx());
            NotesFileLoad(ctx());
        }
        void exit()
        {
            opt.ExitCount += 1;
            EXPECT_TRUE(SettingsFileSave(ctx()));
            EXPECT_TRUE(HistoryFileSave(ctx()));
            EXPECT_TRUE(BookmarkFileSave(ctx()));
            EXPECT_TRUE(NotesFileSave(ctx()));
        }
        // As a note panel's Save on a page without a note.
        void note(const QString& page, const QString& text)
        {
            hid.ComboNotePage.AddItem(page);
            hid.ComboNoteThis.AddItem(text);
            lists.NotesLastIndex += 1;
            lists.NotesChanged = true;
        }
        void mark(const QString& name, const QString& address)
        {
            hid.ComboMarkName.AddItem(name);
            hid.ComboMarkAddress.AddItem(address);
            lists.BookmarkLastIndex += 1;
        }
        corvane::BrowserSet set;
    };
    void makeRun(Run& r)
    {
        r.prog = prog;
        r.product = product;
        r.start();
    }
    QStringList names() const
    {
        QStringList out;
        for (const QStringList& rec : recordsOf(readFile(prog.BookmarkFilePath), 2))
            out << rec.at(0);
        return out;
    }
};

TEST_F(TwoRuns, TheCopyThatExitsLastKeepsWhatTheOtherSaved)
{
    for (bool aFirst : {true, false}) {
        SCOPED_TRACE(aFirst ? "A exits first" : "B exits first");
        QFile::remove(prog.SettingsFilePath);
        QFile::remove(prog.NotesFilePath);
        QFile::remove(prog.HistoryFilePath);
        ASSERT_TRUE(writeFile(prog.BookmarkFilePath, kThreeMarks));
        Run a, b;
        makeRun(a);
        makeRun(b);
        // A adds a bookmark and deletes "Two"; B adds one, renames "One" and keeps a note.
        a.mark(u"From A"_s, u"http://a/"_s);
        a.hid.ComboMarkName.RemoveItem(1);
        a.hid.ComboMarkAddress.RemoveItem(1);
        a.lists.BookmarkLastIndex -= 1;
        b.mark(u"From B"_s, u"http://b/"_s);
        b.hid.ComboMarkName.SetList(0, u"First"_s);
        b.note(u"http://n/"_s, u"from B"_s);
        // Both change options: A makes a home page, B turns history on for browser 2.
        a.opt.HomePagesSaved[3] = a.opt.MainBrowserHomePages[3] = u"http://home-a/"_s;
        ASSERT_TRUE(SettingsFileSave(a.ctx()));
        b.opt.HistoryMask = 2;
        b.hid.ComboLocation[1].AddItem(u"http://site-b/"_s);

        (aFirst ? a : b).exit();
        (aFirst ? b : a).exit();

        // The rename stays in place; each copy's new bookmark follows what was there.
        const QStringList added = aFirst ? QStringList({u"From A"_s, u"From B"_s}) : QStringList({u"From B"_s, u"From A"_s});
        EXPECT_EQ(names(), QStringList({u"First"_s, u"Three"_s}) + added);
        Run c;
        makeRun(c);
        EXPECT_EQ(c.opt.ExitCount, 2);
        EXPECT_EQ(c.opt.MainBrowserHomePages[3], u"http://home-a/"_s);
        EXPECT_EQ(c.opt.HistoryMask, 2);
        EXPECT_EQ(c.hid.ComboLocation[1].items(), QStringList{u"http://site-b/"_s});
        EXPECT_EQ(c.hid.ComboNoteThis.items(), QStringList{u"from B"_s});
        EXPECT_EQ(c.lists.BookmarkLastIndex, 3);
    }
}

TEST_F(TwoRuns, ANoteKeptForOnePageInBothCopiesStaysOneNote)
{
    Run a, b;
    makeRun(a);
    makeRun(b);
    a.note(u"http://p/"_s, u"from A"_s);
    b.note(u"http://p/"_s, u"from B"_s);
    b.note(u"http://q/"_s, u"only B"_s);
    a.exit();
    b.exit();
    Run c;
    makeRun(c);
    EXPECT_EQ(c.hid.ComboNotePage.items(), QStringList({u"http://p/"_s, u"http://q/"_s}));
    EXPECT_EQ(c.hid.ComboNoteThis.items(), QStringList({u"from B"_s, u"only B"_s}));
}
