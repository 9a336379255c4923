#include "sys/FamilyRegister.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
namespace fam = sys::family;

TEST(FamilyRegister, LastIndexEncodesToAMemberKeyAndOnlyThoseDecode)
{
    EXPECT_EQ(fam::encodeLastIndex(-1), QString());
    EXPECT_EQ(fam::decodeLastIndex(QString()), -1);
    for (int i = 0; i < fam::MaxMembers; ++i) {
        const QString stored = fam::encodeLastIndex(i);
        EXPECT_FALSE(stored.isEmpty());
        EXPECT_NE(stored, QString::number(i));
        EXPECT_EQ(fam::decodeLastIndex(stored), i);
    }
    EXPECT_EQ(fam::memberKey(0), u"EkaaGuru"_s);
    EXPECT_EQ(fam::memberKey(9), u"DasaGuru"_s);
    EXPECT_EQ(fam::memberKey(10), QString());
    EXPECT_EQ(fam::encodeLastIndex(10), QString());
    for (const QString& bad : {u"3"_s, u"ekaaguru"_s, u"DasaGuru "_s, u"Guru"_s})
        EXPECT_FALSE(fam::decodeLastIndex(bad).has_value()) << bad.toStdString();
}

TEST(FamilyRegister, CountFileIsTwoBareNumbersOnTwoLines)
{
    EXPECT_EQ(fam::formatCounts({0, -1}), "0\r\n-1\r\n");
    const auto counts = fam::parseCounts(sys::RecordReader("3\r\n-1\r\n"));
    ASSERT_TRUE(counts.has_value());
    EXPECT_EQ(counts->mainLast, 3);
    EXPECT_EQ(counts->helperLast, -1);
    EXPECT_FALSE(fam::parseCounts(sys::RecordReader("3\r\n")).has_value());
    EXPECT_FALSE(fam::parseCounts(sys::RecordReader("3\r\n\"x\"\r\n")).has_value());
    EXPECT_FALSE(fam::parseCounts(sys::RecordReader("70000\r\n0\r\n")).has_value());
    EXPECT_EQ(fam::parseCounts(sys::RecordReader("-5\r\n-9\r\n"))->mainLast, -1);
}

TEST(FamilyRegister, ListsReadEveryCompleteRecordAndTellWhenCutShort)
{
    const QList<fam::Record> recs = {{u"Corvane"_s, u"/media/s/A/"_s}, {u"Other"_s, u"/media/s/B, C/"_s}};
    const QByteArray data = fam::formatRecords(recs);
    EXPECT_EQ(data, "\"Corvane\",\"/media/s/A/\"\r\n\"Other\",\"/media/s/B, C/\"\r\n");
    fam::RecordList read = fam::parseRecords(sys::RecordReader(data));
    ASSERT_EQ(read.records.size(), 2);
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(read.records.at(1).folder, u"/media/s/B, C/"_s);

    // A quote in a folder cannot split its record and shift the next ones.
    const QByteArray quoted = fam::formatRecords({{u"A"_s, u"/media/s/My \"Apps\"/"_s}, {u"B"_s, u"/media/s/B/"_s}});
    read = fam::parseRecords(sys::RecordReader(quoted));
    ASSERT_EQ(read.records.size(), 2);
    EXPECT_EQ(read.records.at(1).name, u"B"_s);

    read = fam::parseRecords(sys::RecordReader(data + "\"Third\""));
    EXPECT_EQ(read.records.size(), 2);
    EXPECT_TRUE(read.damaged);

    // A record whose quote is not closed ends at its line: the next one is read whole.
    read = fam::parseRecords(sys::RecordReader("\"A\",\"/a/\r\n\"B\",\"/b/\"\r\n"));
    ASSERT_EQ(read.records.size(), 1);
    EXPECT_EQ(read.records.at(0).name, u"B"_s);
    EXPECT_TRUE(read.damaged);

    // A line break in a folder cannot split its record either.
    read = fam::parseRecords(sys::RecordReader(fam::formatRecords({{u"A"_s, u"/media/s/x\ny/"_s}, {u"B"_s, u"/b/"_s}})));
    ASSERT_EQ(read.records.size(), 2);
    EXPECT_EQ(read.records.at(0).folder, u"/media/s/x y/"_s);
    EXPECT_FALSE(read.damaged);

    QTemporaryDir dir;
    EXPECT_FALSE(fam::readRecordsFile(dir.path() + u"/none"_s).has_value());
    ASSERT_TRUE(testsupport::writeFile(dir.path() + u"/list"_s, fam::formatRecords(recs)));
    EXPECT_EQ(fam::readRecordsFile(dir.path() + u"/list"_s)->records.size(), 2);
}

TEST(FamilyRegister, OnlyRecordsOnTheDriveWithPlainNamesAreUsable)
{
    const QString root = u"/media/stick/"_s;
    EXPECT_TRUE(fam::recordOnDrive({u"Other"_s, u"/media/stick/Tools/"_s}, root));
    EXPECT_TRUE(fam::recordOnDrive({u"Other"_s, u"/media/stick/"_s}, root));
    EXPECT_FALSE(fam::recordOnDrive({u"Other"_s, u"/media/stick2/Tools/"_s}, root));
    EXPECT_FALSE(fam::recordOnDrive({u"Other"_s, u"/media/old/Tools/"_s}, root));
    EXPECT_FALSE(fam::recordOnDrive({u"Other"_s, u"/media/stick/../../usr/bin/"_s}, root));
    EXPECT_FALSE(fam::recordOnDrive({u"../../bin/sh"_s, u"/media/stick/Tools/"_s}, root));
    EXPECT_FALSE(fam::recordOnDrive({u"a/b"_s, u"/media/stick/Tools/"_s}, root));
    EXPECT_FALSE(fam::recordOnDrive({QString(), u"/media/stick/Tools/"_s}, root));
    EXPECT_FALSE(fam::recordOnDrive({u"Other"_s, u"Tools/"_s}, root));
    EXPECT_TRUE(fam::recordOnDrive({u"Other"_s, u"/opt/x/"_s}, u"/"_s));
    EXPECT_EQ(fam::executablePath({u"Other"_s, u"/media/stick/Tools/"_s}), u"/media/stick/Tools/Other.exe"_s);
}

TEST(FamilyRegister, ADamagedListIsKeptAsBadBeforeItIsReplacedOrNotReplacedAtAll)
{
    QTemporaryDir dir;
    const QString list = dir.path() + u"/list"_s;
    const QList<fam::Record> recs = {{u"A"_s, u"/a/"_s}};
    ASSERT_TRUE(testsupport::writeFile(list, "\"Half"));
    sys::DataTransaction tx(dir.path());
    ASSERT_TRUE(fam::replaceRecordsFile(tx, list, recs, true));
    EXPECT_EQ(testsupport::readFile(list + u".bad"_s), QByteArray("\"Half"));
    EXPECT_EQ(testsupport::readFile(list), fam::formatRecords(recs));

    // One that cannot be read cannot be kept: it stays.
    const QString unreadable = dir.path() + u"/unreadable"_s;
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, unreadable));
    EXPECT_FALSE(fam::replaceRecordsFile(tx, unreadable, recs, true));
    EXPECT_TRUE(QFileInfo(unreadable).isSymLink());
}
