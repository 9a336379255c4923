#include "VelmoraFixture.h"

#include "sys/DataTransaction.h"
#include "sys/TextRecords.h"

#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;
using namespace corvane;
using corvanetest::FileSizeLimit;
using corvanetest::VelmoraFixture;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// Reads every item of a file as a string.
QStringList itemsOf(const QByteArray& data)
{
    sys::RecordReader r(data);
    QStringList out;
    QString s;
    while (!r.atEnd() && r.readString(s))
        out << s;
    return out;
}

const QByteArray kCurrent = "7\r\n5\r\n2\r\n1\r\n0\r\n3\r\n1\r\n42\r\n3\r\n"
                            "\"http://a/\"\r\n\"http://b/\"\r\n\"\"\r\n\"http://d/\"\r\n\"http://e/\"\r\n\"http://f/\"\r\n";

} // namespace

class SettingsFile : public VelmoraFixture {};

TEST_F(SettingsFile, MissingFileGivesTheDefaults)
{
    EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Defaults);
    EXPECT_EQ(opt.MainBrowserLastIndex, 0);
    EXPECT_EQ(opt.BookmarkLastIndexSaved, -1);
    EXPECT_EQ(opt.NotesLastIndexSaved, -1);
    EXPECT_EQ(opt.HistoryMask, 0);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(opt.MainBrowserHomePages[i], product);
        EXPECT_EQ(opt.HomePagesSaved[i], product);
    }
}

TEST_F(SettingsFile, CurrentFormIsReadAndAnEmptyHomePageIsTheProductPage)
{
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, kCurrent));
    EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Current);
    EXPECT_EQ(opt.ExitCount, 7);
    EXPECT_EQ(opt.HistoryMask, 5);
    EXPECT_EQ(opt.BookmarkLastIndexSaved, 2);
    EXPECT_TRUE(opt.ShowPageButtons);
    EXPECT_FALSE(opt.NewWindowSeparate);
    EXPECT_EQ(opt.NotesLastIndexSaved, 3);
    EXPECT_TRUE(opt.ShowNotesAtStart);
    EXPECT_EQ(opt.SettingsReserved, 42);
    EXPECT_EQ(opt.MainBrowserLastIndex, 3);
    EXPECT_EQ(opt.MainBrowserHomePages[0], u"http://a/"_s);
    EXPECT_EQ(opt.MainBrowserHomePages[2], product);
    EXPECT_EQ(opt.HomePagesSaved[5], u"http://f/"_s);
}

TEST_F(SettingsFile, SaveWritesFifteenLinesCountingWhatTheListFilesHold)
{
    SettingsDefaultsSet(ctx());
    opt.ExitCount = 12;
    opt.NewWindowSeparate = true;
    opt.SettingsReserved = 9;
    for (int i = 0; i < 5; ++i) {
        hid.ComboMarkName.AddItem(u"M%1"_s.arg(i));
        hid.ComboMarkAddress.AddItem(u"http://m%1/"_s.arg(i));
    }
    lists.BookmarkLastIndex = 4;
    hid.ComboNotePage.AddItem(u"http://n/"_s);
    hid.ComboNoteThis.AddItem(u"note"_s);
    // A working index beyond the list counts only what is written.
    lists.NotesLastIndex = 1;
    opt.HomePagesSaved[1] = u"http://x/?q=\"a\"\r\nb"_s;
    ASSERT_TRUE(DataFilesSave(ctx(), SaveSettings | SaveBookmarks | SaveNotes));
    EXPECT_EQ(opt.BookmarkLastIndexSaved, 4);
    EXPECT_EQ(opt.NotesLastIndexSaved, 0);

    const QByteArray data = readFile(prog.SettingsFilePath);
    EXPECT_EQ(data.count("\r\n"), 15);
    EXPECT_TRUE(data.startsWith("12\r\n0\r\n4\r\n0\r\n1\r\n0\r\n0\r\n9\r\n0\r\n\""));
    // The quote and the line break of a home page cannot split the file.
    EXPECT_TRUE(data.contains("\"http://x/?q=%22a%22 b\"\r\n"));

    restart();
    EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Current);
    EXPECT_EQ(opt.ExitCount, 12);
    EXPECT_EQ(opt.BookmarkLastIndexSaved, 4);
    EXPECT_EQ(opt.SettingsReserved, 9);
    EXPECT_EQ(opt.MainBrowserHomePages[1], u"http://x/?q=%22a%22 b"_s);
    EXPECT_EQ(opt.MainBrowserHomePages[0], product);
}

TEST_F(SettingsFile, OlderTwelveItemFormIsReadAndTheNextSaveWritesFifteen)
{
    ASSERT_TRUE(writeFile(prog.SettingsFilePath,
                          "3\r\n1\r\n6\r\n0\r\n1\r\n2\r\n\"http://a/\"\r\n\"http://b/\"\r\n\"http://c/\"\r\n"
                          "\"\"\r\n\"http://e/\"\r\n\"http://f/\"\r\n"));
    EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Old);
    EXPECT_EQ(opt.ExitCount, 3);
    EXPECT_EQ(opt.HistoryMask, 1);
    EXPECT_EQ(opt.BookmarkLastIndexSaved, 6);
    EXPECT_TRUE(opt.NewWindowSeparate);
    EXPECT_EQ(opt.NotesLastIndexSaved, -1);
    EXPECT_FALSE(opt.ShowNotesAtStart);
    EXPECT_EQ(opt.SettingsReserved, 0);
    EXPECT_EQ(opt.MainBrowserLastIndex, 2);
    EXPECT_EQ(opt.MainBrowserHomePages[2], u"http://c/"_s);
    EXPECT_EQ(opt.MainBrowserHomePages[3], product);

    lists.BookmarkLastIndex = opt.BookmarkLastIndexSaved;
    ASSERT_TRUE(SettingsFileSave(ctx()));
    EXPECT_EQ(itemsOf(readFile(prog.SettingsFilePath)).size(), 15);
    restart();
    EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Current);
    EXPECT_EQ(opt.MainBrowserHomePages[5], u"http://f/"_s);
}

TEST_F(SettingsFile, ADamagedFileKeepsEveryItemThatReadsWholeNamesTheOthersAndIsKeptAsBad)
{
    const QStringList pages{u"Home Page of Browser #1"_s, u"Home Page of Browser #2"_s, u"Home Page of Browser #3"_s,
                            u"Home Page of Browser #4"_s, u"Home Page of Browser #5"_s, u"Home Page of Browser #6"_s};
    const QString exits = u"Number of times the program was closed"_s;
    const QString history = u"Keep History of selected Browsers"_s;
    const QStringList allNamed = QStringList{exits, history, u"Show ' Page' buttons from start of Program"_s,
                                             u"Show new window in a new Tabed Browser"_s,
                                             u"Show saved Notes related to web pages from start of Program"_s,
                                             u"Number of main Browser to run"_s} + pages;
    const QByteArray numbers = "7\r\n5\r\n2\r\n1\r\n0\r\n3\r\n1\r\n42\r\n3\r\n";
    struct Case {
        const char* what;
        QByteArray content;
        QStringList reset;
        qint32 exitCount;
        int historyMask;
        QString firstPage;
    };
    const QString a = u"http://a/"_s;
    const Case cases[] = {
        {"cut inside the first home page", numbers + "\"http://a", pages, 7, 5, product},
        {"cut after twelve items", numbers + "\"http://a/\"\r\n\"http://b/\"\r\n\"\"\r\n", pages.mid(3), 7, 5, a},
        {"a 10 MB line in place of the history mask",
         "7\r\n" + QByteArray(10 << 20, 'x') + "\r\n" + kCurrent.mid(kCurrent.indexOf("2\r\n")), {history}, 7, 0, a},
        {"a count beyond 16 bits", QByteArray(kCurrent).replace(6, 1, "40000"), {}, 7, 5, a},
        {"a word for a number", "7\r\nfive\r\n", allNamed.mid(1), 7, 0, product},
        {"an unterminated first item", "\"unterminated", allNamed, 0, 0, product},
        {"an empty file", QByteArray(), allNamed, 0, 0, product},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int age = 0; age < 2; ++age)
            QFile::remove(sys::keptCopyPath(prog.SettingsFilePath, u".bad"_s, age));
        ASSERT_TRUE(writeFile(prog.SettingsFilePath, c.content));
        restart();
        EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Damaged);
        EXPECT_EQ(files.settingsReset, c.reset);
        EXPECT_EQ(opt.ExitCount, c.exitCount);
        EXPECT_EQ(opt.HistoryMask, c.historyMask);
        EXPECT_EQ(opt.MainBrowserHomePages[0], c.firstPage);
        // A damaged file does not count the lists: they are read to their end.
        EXPECT_FALSE(files.marksCounted);
        EXPECT_FALSE(files.notesCounted);

        opt.ExitCount += 1;
        ASSERT_TRUE(SettingsFileSave(ctx()));
        EXPECT_EQ(readFile(prog.SettingsFilePath + u".bad"_s), c.content);
        // The next save is no first overwrite: the kept copy stays the only one.
        ASSERT_TRUE(SettingsFileSave(ctx()));
        EXPECT_FALSE(QFile::exists(sys::keptCopyPath(prog.SettingsFilePath, u".bad"_s, 1)));
        restart();
        EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Current);
        EXPECT_EQ(opt.ExitCount, c.exitCount + 1);
        EXPECT_EQ(opt.HistoryMask, c.historyMask);
        EXPECT_TRUE(files.settingsReset.isEmpty());
    }
}

TEST_F(SettingsFile, EveryValueIsClampedToItsRange)
{
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, "-4\r\n200\r\n-9\r\n7\r\n-1\r\n-30000\r\n0\r\n0\r\n9\r\n"
                                                 "\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n\"f\"\r\n"));
    EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Current);
    EXPECT_EQ(opt.HistoryMask, 63);
    EXPECT_EQ(opt.BookmarkLastIndexSaved, -1);
    EXPECT_EQ(opt.NotesLastIndexSaved, -1);
    EXPECT_EQ(opt.MainBrowserLastIndex, 5);
    EXPECT_TRUE(opt.ShowPageButtons);
    EXPECT_TRUE(opt.NewWindowSeparate);

    ASSERT_TRUE(writeFile(prog.SettingsFilePath, "0\r\n-1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n-2\r\n"
                                                 "\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n\"f\"\r\n"));
    restart();
    SettingsFileLoad(ctx());
    EXPECT_EQ(opt.HistoryMask, 0);
    EXPECT_EQ(opt.MainBrowserLastIndex, 0);

    // A value beyond 16 bits is damage, not a number to clamp: that item takes its default.
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, "0\r\n0\r\n40000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                                                 "\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n\"f\"\r\n"));
    restart();
    EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Damaged);
    EXPECT_EQ(opt.BookmarkLastIndexSaved, -1);
    EXPECT_EQ(opt.MainBrowserHomePages[5], u"f"_s);
}

TEST_F(SettingsFile, LocalHomePageOnARemovableDriveFollowsTheDrive)
{
    putOnDrive(u"/media/F"_s);
    SettingsDefaultsSet(ctx());
    opt.HomePagesSaved[0] = opt.MainBrowserHomePages[0] = u"file:///media/F/page.htm"_s;
    opt.HomePagesSaved[1] = opt.MainBrowserHomePages[1] = u"file:///media/G/page.htm"_s;
    ASSERT_TRUE(SettingsFileSave(ctx()));
    const QStringList items = itemsOf(readFile(prog.SettingsFilePath));
    EXPECT_EQ(items.at(9), u"file:///#/page.htm"_s);
    EXPECT_EQ(items.at(10), u"file:///media/G/page.htm"_s);

    putOnDrive(u"/run/media/user/F2"_s);
    restart();
    SettingsFileLoad(ctx());
    EXPECT_EQ(opt.MainBrowserHomePages[0], u"file:///run/media/user/F2/page.htm"_s);
    EXPECT_EQ(opt.HomePagesSaved[0], opt.MainBrowserHomePages[0]);

    // On a fixed disk the address is written as it is.
    prog.OnMedia = false;
    restart();
    SettingsFileLoad(ctx());
    opt.HomePagesSaved[0] = opt.MainBrowserHomePages[0] = u"file:///run/media/user/F2/page.htm"_s;
    ASSERT_TRUE(SettingsFileSave(ctx()));
    EXPECT_EQ(itemsOf(readFile(prog.SettingsFilePath)).at(9), u"file:///run/media/user/F2/page.htm"_s);
}

TEST_F(SettingsFile, FailedWriteLeavesTheOldFileWhole)
{
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, kCurrent));
    SettingsFileLoad(ctx());
    opt.HomePagesSaved[0] = QString(4000, u'x');
    {
        FileSizeLimit limit(1024);
        EXPECT_FALSE(SettingsFileSave(ctx()));
    }
    EXPECT_EQ(readFile(prog.SettingsFilePath), kCurrent);
    EXPECT_EQ(QDir(corvane::DataFolderPath(prog, base)).entryList(QDir::Files), QStringList{u"Set.Velmora"_s});
}

TEST_F(SettingsFile, TheProductPageIsStoredSoThatItSurvivesAMoveOfTheFolder)
{
    SettingsDefaultsSet(ctx());
    opt.HomePagesSaved[1] = opt.MainBrowserHomePages[1] = u"http://x/"_s;
    ASSERT_TRUE(SettingsFileSave(ctx()));
    QStringList items = itemsOf(readFile(prog.SettingsFilePath));
    EXPECT_EQ(items.at(9), QString());
    EXPECT_EQ(items.at(10), u"http://x/"_s);

    // The folder moved: the next run's product page is at the new place.
    product = u"file:///elsewhere/Corvane/site/Corvane.html"_s;
    restart();
    SettingsFileLoad(ctx());
    EXPECT_EQ(opt.MainBrowserHomePages[0], product);
    EXPECT_EQ(opt.HomePagesSaved[5], product);
    EXPECT_EQ(opt.MainBrowserHomePages[1], u"http://x/"_s);

    // What a run stored before: the product page's full address. Once its file has gone
    // (the folder moved), it is this folder's product page; other local pages stay.
    const QString kept = dir.path() + u"/kept/site/Corvane.html"_s;
    ASSERT_TRUE(writeFile(kept, "<html></html>"));
    auto url = [](const QString& path) { return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded); };
    const QString gone = url(dir.path() + u"/old place/site/Corvane.html"_s);
    const QString otherGone = url(dir.path() + u"/old place/site/Other.html"_s);
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, "0\r\n0\r\n-1\r\n0\r\n0\r\n-1\r\n0\r\n0\r\n2\r\n\"" + gone.toUtf8() + "\"\r\n\"" +
                                                     url(kept).toUtf8() + "\"\r\n\"" + otherGone.toUtf8() +
                                                     "\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"));
    restart();
    SettingsFileLoad(ctx());
    EXPECT_EQ(opt.MainBrowserHomePages[0], product);
    EXPECT_EQ(opt.MainBrowserHomePages[1], url(kept));
    EXPECT_EQ(opt.MainBrowserHomePages[2], otherGone);
    ASSERT_TRUE(SettingsFileSave(ctx()));
    items = itemsOf(readFile(prog.SettingsFilePath));
    EXPECT_EQ(items.at(9), QString());
    EXPECT_EQ(items.at(10), url(kept));

    // On a removable drive the old address was stored with "#": moved within the stick, the
    // same holds.
    putOnDrive(dir.path());
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, "0\r\n0\r\n-1\r\n0\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n"
                                                 "\"file:///#/Tools/Corvane/site/Corvane.html\"\r\n"
                                                 "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"));
    restart();
    SettingsFileLoad(ctx());
    EXPECT_EQ(opt.MainBrowserHomePages[0], product);
}

TEST_F(SettingsFile, AWriteKeepsWhatAnotherCopySavedSinceThisRunReadTheFile)
{
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, kCurrent));
    SettingsFileLoad(ctx());
    // Another copy made browser 5's home page and counted its exit meanwhile.
    QByteArray other = kCurrent;
    other.replace("7\r\n", "8\r\n").replace("http://e/", "http://other/");
    ASSERT_TRUE(writeFile(prog.SettingsFilePath, other));

    opt.ExitCount += 1;
    opt.NewWindowSeparate = true;
    opt.HomePagesSaved[0] = opt.MainBrowserHomePages[0] = u"http://mine/"_s;
    ASSERT_TRUE(SettingsFileSave(ctx()));
    restart();
    SettingsFileLoad(ctx());
    EXPECT_EQ(opt.ExitCount, 9);
    EXPECT_TRUE(opt.NewWindowSeparate);
    EXPECT_EQ(opt.MainBrowserHomePages[0], u"http://mine/"_s);
    EXPECT_EQ(opt.MainBrowserHomePages[4], u"http://other/"_s);
    EXPECT_EQ(opt.MainBrowserHomePages[1], u"http://b/"_s);
}

TEST_F(SettingsFile, ADamagedFileThatCannotBeKeptAsideIsNotOverwritten)
{
    // Reads of this file fail, for root too: it cannot be kept aside, so it stays.
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, prog.SettingsFilePath));
    EXPECT_EQ(SettingsFileLoad(ctx()), SettingsForm::Damaged);
    EXPECT_EQ(files.settingsReset.size(), 12);
    EXPECT_FALSE(SettingsFileSave(ctx()));
    EXPECT_EQ(refusals, 1);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told.at(0).path, prog.SettingsFilePath);
    EXPECT_TRUE(QFileInfo(prog.SettingsFilePath).isSymLink());
    // Told once: a later save that fails the same way says nothing more.
    EXPECT_FALSE(SettingsFileSave(ctx()));
    EXPECT_EQ(refusals, 1);
}
