#include "sys/TextRecords.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using sys::RecordReader;
using sys::RecordWriter;

TEST(TextRecords, RoundTrip)
{
    RecordWriter w;
    w.writeString(u"a, b, c"_s);
    w.writeNumber(32767);
    w.writeNumber(-32768);
    w.endRecord();
    w.writeString(QString());
    w.writeNumber(2147483647);
    w.writeFlag(true);
    w.endRecord();

    RecordReader r(w.data());
    QString s;
    qint16 i16 = 0;
    qint32 i32 = 0;
    qint16 flag = 0;
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"a, b, c"_s);
    ASSERT_TRUE(r.readInt16(i16));
    EXPECT_EQ(i16, 32767);
    ASSERT_TRUE(r.readInt16(i16));
    EXPECT_EQ(i16, -32768);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, QString());
    ASSERT_TRUE(r.readInt32(i32));
    EXPECT_EQ(i32, 2147483647);
    ASSERT_TRUE(r.readFlag(flag));
    EXPECT_EQ(flag, -1);
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.failed());
}

TEST(TextRecords, ItemsWhateverTheLineBreaks)
{
    // One record over three lines, then two records on one line, LF-only and CR-only breaks.
    RecordReader r(QByteArray("\xEF\xBB\xBF\"name\",\r\n12,\r\n\"tail\"\r\n\"x\",1,\"y\",2\n  \"z\" , 0 \r3\r\n\r\n"));
    QString s;
    qint16 n = 0;
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"name"_s); // the byte-order mark is not part of it
    ASSERT_TRUE(r.readInt16(n));
    EXPECT_EQ(n, 12);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"tail"_s);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"x"_s);
    ASSERT_TRUE(r.readInt16(n));
    EXPECT_EQ(n, 1);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"y"_s);
    ASSERT_TRUE(r.readInt16(n));
    EXPECT_EQ(n, 2);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"z"_s);
    ASSERT_TRUE(r.readFlag(n));
    EXPECT_EQ(n, 0);
    ASSERT_TRUE(r.readInt16(n));
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.readString(s)); // out of items
    EXPECT_TRUE(r.failed());
}

TEST(TextRecords, QuotedAndUnquotedItems)
{
    RecordReader r(QByteArray("\"a,\r\nb\",\"c\"junk after,  plain words  ,,7,\"\xFF\xFE\",+4"));
    QString s;
    qint16 n = 0;
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"a,\r\nb"_s);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"c"_s);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, u"plain words"_s);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, QString());
    ASSERT_TRUE(r.readInt16(n));
    EXPECT_EQ(n, 7);
    ASSERT_TRUE(r.readString(s)); // not UTF-8: read as Windows-1252, never replaced
    EXPECT_EQ(s, u"\u00FF\u00FE"_s);
    EXPECT_TRUE(r.mended());
    ASSERT_TRUE(r.readInt16(n));
    EXPECT_EQ(n, 4);
    EXPECT_FALSE(r.failed());
}

TEST(TextRecords, DamagedInputFailsAndStaysFailed)
{
    struct Case {
        const char* data;
        int numbersBefore; // good numbers read before the bad item
    };
    // Each is read as int16 items until the damaged one.
    const Case cases[] = {
        {"1,2", 2},            // short: a third item is missing
        {"", 0},
        {"  \r\n ", 0},
        {"abc", 0},
        {"12abc", 0},
        {"1.5", 0},
        {"\"12\"", 0},         // a string where a number belongs
        {"1,,2", 1},           // an empty item is no number
        {"32768", 0},
        {"-32769", 0},
        {"5,99999999999999999999999", 1},
        {"- 5", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        RecordReader r{QByteArray(c.data)};
        qint16 n = 0;
        for (int i = 0; i < c.numbersBefore; ++i)
            ASSERT_TRUE(r.readInt16(n));
        n = 77;
        EXPECT_FALSE(r.readInt16(n));
        EXPECT_EQ(n, 77); // untouched
        EXPECT_TRUE(r.failed());
    }

    RecordReader quote(QByteArray("\"no end,1,2\r\n"));
    QString s;
    EXPECT_FALSE(quote.readString(s));
    EXPECT_TRUE(quote.failed());

    // After an error every later read fails, even of items that would be fine.
    RecordReader r(QByteArray("32768,\"ok\",5\r\n"));
    qint16 n = 0;
    EXPECT_FALSE(r.readInt16(n));
    EXPECT_FALSE(r.readString(s));
    EXPECT_FALSE(r.readInt16(n));
    EXPECT_TRUE(r.failed());
}

TEST(TextRecords, ARecordEndsAtItsLineSoADamagedOneTakesNoOther)
{
    RecordReader r(QByteArray("\xEF\xBB\xBF\"a\",\"b, c\"\r\n\r\n  \"open,\"x\",y\r\n\"d\" junk , plain \n\"e\",\"no end\r\"f\",\r\n"));
    QStringList items;
    bool damaged = true;
    ASSERT_TRUE(r.readRecord(items, damaged));
    EXPECT_EQ(items, QStringList({u"a"_s, u"b, c"_s}));
    EXPECT_FALSE(damaged);
    // Blank lines are no records; an item is what lies between the quotes.
    ASSERT_TRUE(r.readRecord(items, damaged));
    EXPECT_EQ(items, QStringList({u"open,"_s, u"y"_s}));
    EXPECT_FALSE(damaged);
    ASSERT_TRUE(r.readRecord(items, damaged));
    EXPECT_EQ(items, QStringList({u"d"_s, u"plain"_s}));
    // A quote not closed on its line: the items before it, and the damage said.
    ASSERT_TRUE(r.readRecord(items, damaged));
    EXPECT_EQ(items, QStringList{u"e"_s});
    EXPECT_TRUE(damaged);
    // The next line is read whole; a comma at the end gives an empty last item.
    ASSERT_TRUE(r.readRecord(items, damaged));
    EXPECT_EQ(items, QStringList({u"f"_s, QString()}));
    EXPECT_FALSE(damaged);
    EXPECT_FALSE(r.readRecord(items, damaged));
    EXPECT_TRUE(items.isEmpty());
}

TEST(TextRecords, RangesOfTheNumberKinds)
{
    RecordReader r(QByteArray("-2147483648,2147483647,2147483648"));
    qint32 v = 0;
    ASSERT_TRUE(r.readInt32(v));
    EXPECT_EQ(v, std::numeric_limits<qint32>::min());
    ASSERT_TRUE(r.readInt32(v));
    EXPECT_EQ(v, std::numeric_limits<qint32>::max());
    EXPECT_FALSE(r.readInt32(v));

    qint16 n = 0;
    RecordReader flag(QByteArray("5,-1,40000"));
    ASSERT_TRUE(flag.readFlag(n));
    EXPECT_EQ(n, -1);
    ASSERT_TRUE(flag.readFlag(n));
    EXPECT_EQ(n, -1);
    EXPECT_FALSE(flag.readFlag(n));
}

TEST(TextRecordFiles, CommitAndRead)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Bookmarks.txt"_L1;
    EXPECT_FALSE(RecordReader::fromFile(path).has_value());
    EXPECT_FALSE(RecordReader::fromFile(dir.path()).has_value());

    RecordWriter w;
    w.writeString(u"http://velmora.example/"_s);
    w.writeNumber(-3);
    w.writeFlag(true);
    w.endRecord();
    w.writeString(u"Grüße, all"_s);
    w.writeFlag(false);
    w.endRecord();
    ASSERT_TRUE(w.commit(path));
    EXPECT_EQ(testsupport::readFile(path),
              QByteArray("\"http://velmora.example/\",-3,1\r\n\"Gr\xC3\xBC\xC3\x9F" "e, all\",0\r\n"));
    auto r = RecordReader::fromFile(path);
    ASSERT_TRUE(r.has_value());
    QString s;
    EXPECT_TRUE(r->readString(s));
    EXPECT_EQ(s, u"http://velmora.example/"_s);

    std::optional<sys::FileIdentity> written;
    ASSERT_TRUE(sys::writeFileAtomically(path, "1\r\n", &written));
    EXPECT_EQ(testsupport::readFile(path), QByteArray("1\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Bookmarks.txt"_s});

    // The identity of what was written is the file's, and what a reader reads; written
    // again, even with the same bytes, it is another file.
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(sys::FileIdentity::of(path), written);
    EXPECT_EQ(RecordReader::fromFile(path)->identity(), written);
    ASSERT_TRUE(sys::writeFileAtomically(path, "1\r\n"));
    EXPECT_NE(sys::FileIdentity::of(path), written);
    EXPECT_FALSE(sys::FileIdentity::of(dir.path() + u"/none"_s).has_value());
}

TEST(TextRecordFiles, FailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/History.txt"_L1;
    const QByteArray old("\"old\",1\r\n");
    ASSERT_TRUE(testsupport::writeFile(path, old));
    const QByteArray big(1 << 20, 'x');

    // A write that fails half-way (the file-size limit also binds root).
    {
        struct rlimit saved {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = 4096;
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool ok = sys::writeFileAtomically(path, big);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(ok);
        EXPECT_EQ(testsupport::readFile(path), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"History.txt"_s});
    }

    // A folder where nothing may be created (permissions do not bind root).
    if (geteuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        RecordWriter w;
        w.writeString(u"new"_s);
        w.endRecord();
        EXPECT_FALSE(w.commit(path));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(testsupport::readFile(path), old);
    }

    // The folder is missing, or is a file.
    EXPECT_FALSE(sys::writeFileAtomically(dir.path() + "/none/x.txt"_L1, old));
    EXPECT_FALSE(sys::writeFileAtomically(path + "/x.txt"_L1, old));
    EXPECT_EQ(testsupport::readFile(path), old);
}

// Large list files are read another way than small ones; both must read the same records.
TEST(TextRecordFiles, LargeFileReadsLikeASmallOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.Velmora"_s);
    RecordWriter w;
    const int records = 20000;
    for (int i = 0; i < records; ++i) {
        w.writeString(u"name, %1 \u00e9"_s.arg(i));
        w.writeString(u"http://example.org/page/%1/"_s.arg(i).repeated(2));
        w.endRecord();
    }
    ASSERT_GT(w.data().size(), 1 << 20);
    ASSERT_TRUE(w.commit(path));
    std::optional<RecordReader> r = RecordReader::fromFile(path);
    ASSERT_TRUE(r.has_value());
    QString name, address;
    for (int i = 0; i < records; ++i) {
        ASSERT_TRUE(r->readString(name)) << i;
        ASSERT_TRUE(r->readString(address)) << i;
        ASSERT_EQ(name, u"name, %1 \u00e9"_s.arg(i));
        ASSERT_EQ(address, u"http://example.org/page/%1/"_s.arg(i).repeated(2));
    }
    EXPECT_TRUE(r->atEnd());
    // A copy of the reader keeps reading from the same memory after the first is gone.
    std::optional<RecordReader> again = RecordReader::fromFile(path);
    RecordReader copy = *again;
    again.reset();
    ASSERT_TRUE(copy.readString(name));
    EXPECT_EQ(name, u"name, 0 \u00e9"_s);
}

// What a file written in a Windows code page or holding control characters becomes: never
// U+FFFD, never a control character in a name, an address or a home page.
TEST(TextRecords, BytesThatAreNotCleanUtf8AreMendedNotReplaced)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QString read;
        bool mended;
    };
    const Case cases[] = {
        {"plain UTF-8", "\"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"", u"Caf\u00E9 \u20AC \U0001F600"_s, false},
        {"tab kept", "\"a\tb\"", u"a\tb"_s, false},
        {"Latin-1", "\"Caf\xE9\"", u"Caf\u00E9"_s, true},
        {"Windows-1252 punctuation", "\"\x93quoted\x94 \x80 \x85\"", u"\u201Cquoted\u201D \u20AC \u2026"_s, true},
        {"undefined code page bytes dropped", "\"a\x81\x8D\x8F\x90\x9D" "b\xE9\"", u"ab\u00E9"_s, true},
        {"one bad byte turns the whole file", "\"\xC3\xA9\xE9\"", u"\u00C3\u00A9\u00E9"_s, true},
        {"overlong form is no UTF-8", "\"\xC0\xAF\"", u"\u00C0\u00AF"_s, true},
        {"surrogate is no UTF-8", "\"\xED\xA0\x80\"", u"\u00ED\u00A0\u20AC"_s, true},
        {"cut sequence at the end", "\"x\"\xE2\x82", u"x"_s, true},
        {"NUL and other controls dropped", QByteArray("\"a\0b\x01\x1F\x7F" "c\"", 10), u"abc"_s, true},
        {"C1 controls dropped from UTF-8", "\"a\xC2\x85\xC2\x9F" "b\xC2\xA0\"", u"ab\u00A0"_s, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordReader r(c.bytes);
        QString s;
        ASSERT_TRUE(r.readString(s));
        EXPECT_EQ(s, c.read);
        EXPECT_EQ(r.mended(), c.mended);
        EXPECT_FALSE(s.contains(QChar::ReplacementCharacter));
    }
}
