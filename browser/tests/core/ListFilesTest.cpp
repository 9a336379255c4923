#include "VelmoraFixture.h"

#include "BrowserState.h"

#include "sys/DataTransaction.h"
#include "sys/TextRecords.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

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
        // As the main window's unload.
        bool exit()
        {
            opt.ExitCount += 1;
            return DataFilesSave(ctx(), SaveAll);
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
    // The folder as both copies find it: three bookmarks and nothing else.
    void threeMarksOnly()
    {
        QFile::remove(prog.SettingsFilePath);
        QFile::remove(prog.NotesFilePath);
        QFile::remove(prog.HistoryFilePath);
        ASSERT_TRUE(writeFile(prog.BookmarkFilePath, kThreeMarks));
    }
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
    // What a reader that follows the counts of the settings file gets: exactly the
    // counted records, each read item by item.
    QList<QStringList> countedRecords(const QString& path, int countItem) const
    {
        const int last = settingsItems().value(countItem).toInt();
        sys::RecordReader r(readFile(path));
        QList<QStringList> out;
        for (int i = 0; i <= last; ++i) {
            QString a, b;
            if (!r.readString(a) || !r.readString(b))
                break;
            out << QStringList{a, b};
        }
        return out;
    }
};

TEST_F(TwoRuns, TheCopyThatExitsLastKeepsWhatTheOtherSaved)
{
    for (bool aFirst : {true, false}) {
        SCOPED_TRACE(aFirst ? "A exits first" : "B exits first");
        threeMarksOnly();
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

        EXPECT_TRUE((aFirst ? a : b).exit());
        EXPECT_TRUE((aFirst ? b : a).exit());

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
    EXPECT_TRUE(a.exit());
    EXPECT_TRUE(b.exit());
    Run c;
    makeRun(c);
    EXPECT_EQ(c.hid.ComboNotePage.items(), QStringList({u"http://p/"_s, u"http://q/"_s}));
    EXPECT_EQ(c.hid.ComboNoteThis.items(), QStringList({u"from B"_s, u"only B"_s}));
}

TEST_F(TwoRuns, TheSettingsCountTheRecordsOfTheListsAfterEveryMerge)
{
    struct Case {
        const char* what;
        bool aFirst;
        bool aDeletes;
    };
    const Case cases[] = {
        {"A exits first", true, false},
        {"B exits first", false, false},
        {"A deletes a bookmark and exits first", true, true},
        {"A deletes a bookmark and exits last", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        threeMarksOnly();
        Run a, b;
        makeRun(a);
        makeRun(b);
        a.mark(u"From A"_s, u"http://a/"_s);
        a.note(u"http://a/"_s, u"note A"_s);
        b.mark(u"From B"_s, u"http://b/"_s);
        b.note(u"http://b/"_s, u"note B"_s);
        if (c.aDeletes) {
            a.hid.ComboMarkName.RemoveItem(0);
            a.hid.ComboMarkAddress.RemoveItem(0);
            a.lists.BookmarkLastIndex -= 1;
        }
        EXPECT_TRUE((c.aFirst ? a : b).exit());
        EXPECT_TRUE((c.aFirst ? b : a).exit());

        const QList<QStringList> marks = recordsOf(readFile(prog.BookmarkFilePath), 2);
        const QList<QStringList> notes = recordsOf(readFile(prog.NotesFilePath), 2);
        EXPECT_EQ(marks.size(), c.aDeletes ? 4 : 5);
        EXPECT_EQ(notes.size(), 2);
        EXPECT_EQ(settingsItems().at(2).toInt(), marks.size() - 1);
        EXPECT_EQ(settingsItems().at(5).toInt(), notes.size() - 1);
        // A copy that reads only what the settings count gets everything.
        EXPECT_EQ(countedRecords(prog.BookmarkFilePath, 2), marks);
        EXPECT_EQ(countedRecords(prog.NotesFilePath, 5), notes);
    }
}

TEST_F(TwoRuns, TheNewestHistoryChoiceInTheFolderWinsAtExit)
{
    struct Case {
        const char* what;
        int aChooses;  // the history mask A saves from its options
        bool fileAfter;
        QStringList column0;  // browser 1's addresses in the file afterwards
        QStringList column1;
    };
    const Case cases[] = {
        {"A turns history off", 0, false, {}, {}},
        {"A keeps history of browser 2 only", 2, true, {}, {}},
        {"A keeps history of browsers 1 and 2", 3, true, {u"http://kept/"_s, u"http://site-b/"_s}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeFile(prog.SettingsFilePath, settingsWithCounts(-1, -1).replace("0\r\n0\r\n-1", "0\r\n1\r\n-1")));
        ASSERT_TRUE(writeFile(prog.HistoryFilePath, "\"http://kept/\",\"\",\"\",\"\",\"\",\"\"\r\n"));
        Run a, b;
        makeRun(a);
        makeRun(b);
        ASSERT_EQ(b.hid.ComboLocation[0].items(), QStringList{u"http://kept/"_s});
        // A's options are saved at once; the history file goes when history is turned off.
        a.opt.HistoryMask = c.aChooses;
        ASSERT_TRUE(SettingsFileSave(a.ctx()));
        if (c.aChooses == 0) {
            ASSERT_TRUE(HistoryFileDelete(a.ctx()));
        }
        // B still keeps browser 1's history and browses on.
        b.hid.ComboLocation[0].AddItem(u"http://site-b/"_s);
        EXPECT_TRUE(b.exit());

        EXPECT_EQ(QFile::exists(prog.HistoryFilePath), c.fileAfter);
        EXPECT_EQ(settingsItems().at(1).toInt(), c.aChooses);
        if (c.fileAfter) {
            const QList<QStringList> recs = recordsOf(readFile(prog.HistoryFilePath), 6);
            QStringList column0, column1;
            for (const QStringList& rec : recs) {
                if (!rec.at(0).isEmpty())
                    column0 << rec.at(0);
                if (!rec.at(1).isEmpty())
                    column1 << rec.at(1);
            }
            EXPECT_EQ(column0, c.column0);
            EXPECT_EQ(column1, c.column1);
        }
        QFile::remove(prog.HistoryFilePath);
    }
}

// Two copies of the program from one folder, each with a bookmark of its own, exit at the
// same moment (as at the end of a desktop session): a hundred times, nothing is lost.
TEST_F(TwoRuns, TwoProcessesSavingAtTheSameMomentLoseNothing)
{
    constexpr int Rounds = 100;
    for (int round = 0; round < Rounds; ++round) {
        int ready[2];
        int go[2];
        ASSERT_EQ(::pipe(ready), 0);
        ASSERT_EQ(::pipe(go), 0);
        Run a;
        makeRun(a);
        a.mark(u"A%1"_s.arg(round), u"http://a/%1"_s.arg(round));
        a.note(u"http://a/%1"_s.arg(round), u"A"_s);
        const pid_t child = ::fork();
        if (child == 0) {
            Run b;
            makeRun(b);
            b.mark(u"B%1"_s.arg(round), u"http://b/%1"_s.arg(round));
            b.note(u"http://b/%1"_s.arg(round), u"B"_s);
            char c = 'r';
            bool ok = ::write(ready[1], &c, 1) == 1 && ::read(go[0], &c, 1) == 1;
            ok = b.exit() && ok;
            ::_exit(ok ? 0 : 1);
        }
        ASSERT_GT(child, 0);
        char c = 0;
        ASSERT_EQ(::read(ready[0], &c, 1), 1);
        ASSERT_EQ(::write(go[1], &c, 1), 1);
        EXPECT_TRUE(a.exit());
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        for (int fd : {ready[0], ready[1], go[0], go[1]})
            ::close(fd);

        const QStringList kept = names();
        ASSERT_EQ(kept.size(), 2 * (round + 1)) << "round " << round;
        EXPECT_TRUE(kept.contains(u"A%1"_s.arg(round)) && kept.contains(u"B%1"_s.arg(round)));
        ASSERT_EQ(recordsOf(readFile(prog.NotesFilePath), 2).size(), 2 * (round + 1));
        EXPECT_EQ(settingsItems().at(0).toInt(), 2 * (round + 1));
        EXPECT_EQ(settingsItems().at(2).toInt(), kept.size() - 1);
    }
}

// Files written by hand or by a copy on Windows: what their bytes meant comes back, and
// the file as it was is kept before the first write.
TEST_F(ListFiles, BytesOfAWindowsCodePageOrControlCharactersAreReadAsMeantAndTheFileKeptAsBad)
{
    struct Case {
        const char* what;
        QString path;
        QByteArray content;
        std::function<QString()> readBack;
        QString expected;
        QByteArray written;  // what the rewritten file holds
    };
    const QString markPath = prog.BookmarkFilePath;
    const Case cases[] = {
        {"Latin-1 bookmark name", markPath, "\"Caf\xE9\",\"http://c/\"\r\n",
         [this] { return hid.ComboMarkName.List(0); }, u"Caf\u00E9"_s, "\"Caf\xC3\xA9\",\"http://c/\"\r\n"},
        {"NUL inside a note", prog.NotesFilePath, QByteArray("\"http://n/\",\"a\0b\x01" "c\"\r\n", 20),
         [this] { return hid.ComboNoteThis.List(0); }, u"abc"_s, "\"http://n/\",\"abc\"\r\n"},
        {"Windows-1252 quotes in a home page", prog.SettingsFilePath,
         settingsWithCounts(-1, -1).replace("\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"", "\"http://x/\x93q\x94\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\""),
         [this] { return opt.MainBrowserHomePages[0]; }, u"http://x/\u201Cq\u201D"_s, "\"http://x/\xE2\x80\x9Cq\xE2\x80\x9D\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(DataFolderPath(prog, base)).removeRecursively();
        QDir().mkpath(DataFolderPath(prog, base));
        ASSERT_TRUE(writeFile(c.path, c.content));
        startUp();
        EXPECT_EQ(c.readBack(), c.expected);
        // One more of each is added, so that every list is written.
        addMark(u"Added"_s, u"http://added/"_s);
        addNote(u"http://added/"_s, u"added"_s);
        saveAll();
        EXPECT_EQ(readFile(c.path + u".bad"_s), c.content);
        EXPECT_TRUE(readFile(c.path).contains(c.written)) << readFile(c.path).toStdString();
        for (const QString& path : {prog.SettingsFilePath, prog.BookmarkFilePath, prog.NotesFilePath})
            EXPECT_FALSE(readFile(path).contains("\xEF\xBF\xBD")) << path.toStdString();
        startUp();
        EXPECT_EQ(c.readBack(), c.expected);
        // Read clean now: no second copy is kept.
        saveAll();
        EXPECT_FALSE(QFile::exists(sys::keptCopyPath(c.path, u".bad"_s, 1)));
    }
}
