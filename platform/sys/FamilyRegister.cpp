#include "FamilyRegister.h"

#include "FileSystem.h"
#include "SettingsStore.h"

#include <QDir>

#include <array>

using namespace Qt::StringLiterals;

namespace sys::family {

namespace {

constexpr std::array<QLatin1StringView, MaxMembers> kMemberKeys = {
    "EkaaGuru"_L1, "DokaGuru"_L1, "TekaGuru"_L1, "CokaGuru"_L1, "PokaGuru"_L1,
    "SokaGuru"_L1, "SataGuru"_L1, "AataGuru"_L1, "NayaGuru"_L1, "DasaGuru"_L1,
};

// The cleaned path lies at or below root (root ends in "/").
bool isBelow(const QString& path, const QString& root)
{
    if (!path.startsWith(u'/') || !root.startsWith(u'/'))
        return false;
    const QString clean = QDir::cleanPath(path);
    if (root == u"/")
        return true;
    return clean.startsWith(root) || clean + u'/' == root;
}

} // namespace

QString memberNamesSection() { return u"GuruNaam"_s; }
QString memberFoldersSection() { return u"GuruGhar"_s; }
QString lastIndexSection() { return u"NidraGavir"_s; }
QString lastIndexKey() { return u"AnekGuru"_s; }
QString helperPathsSection() { return u"GuruBachan"_s; }

QString memberKey(int index)
{
    if (index < 0 || index >= MaxMembers)
        return {};
    return QString(kMemberKeys[size_t(index)]);
}

QString encodeLastIndex(int lastIndex)
{
    return memberKey(lastIndex);
}

std::optional<int> decodeLastIndex(const QString& stored)
{
    if (stored.isEmpty())
        return -1;
    for (int i = 0; i < MaxMembers; ++i)
        if (stored == kMemberKeys[size_t(i)])
            return i;
    return std::nullopt;
}

MemberIndex readMemberIndex(const SettingsStore& store)
{
    MemberIndex index;
    for (int i = 0; i < MaxMembers; ++i) {
        const QString key = memberKey(i);
        if (!store.get(memberNamesSection(), key).isEmpty() || !store.get(memberFoldersSection(), key).isEmpty())
            index.highestInUse = i;
    }
    const std::optional<int> stored = decodeLastIndex(store.get(lastIndexSection(), lastIndexKey()));
    index.decoded = stored.has_value();
    index.last = stored ? *stored : index.highestInUse;
    return index;
}

QString folderName() { return u"Velmora/"_s; }
QString countFileName() { return u"SankhyaGuru.Velmora"_s; }
QString mainListFileName() { return u"VajanGuru.Velmora"_s; }
QString helperListFileName() { return u"BachanGuru.Velmora"_s; }

std::optional<Counts> parseCounts(RecordReader reader)
{
    qint16 mainLast = 0;
    qint16 helperLast = 0;
    if (!reader.readInt16(mainLast) || !reader.readInt16(helperLast))
        return std::nullopt;
    // Anything below -1 means "empty" as well.
    return Counts{qMax<int>(mainLast, -1), qMax<int>(helperLast, -1)};
}

QByteArray formatCounts(const Counts& counts)
{
    RecordWriter w;
    w.writeNumber(qBound(-1, counts.mainLast, MaxRecords - 1));
    w.endRecord();
    w.writeNumber(qBound(-1, counts.helperLast, MaxRecords - 1));
    w.endRecord();
    return w.data();
}

std::optional<Counts> readCountsFile(const QString& path)
{
    std::optional<RecordReader> reader = RecordReader::fromFile(path);
    if (!reader)
        return std::nullopt;
    return parseCounts(std::move(*reader));
}

bool writeCountsFile(DataTransaction& tx, const QString& path, const Counts& counts)
{
    return tx.write(path, {formatCounts(counts)});
}

RecordList parseRecords(RecordReader reader)
{
    RecordList list;
    list.mended = reader.mended();
    QStringList items;
    bool damaged = false;
    while (reader.readRecord(items, damaged)) {
        if (list.records.size() == MaxRecords) {
            list.damaged = true;
            break;
        }
        if (damaged || items.size() != 2) {
            list.damaged = true;
            if (items.size() < 2)
                continue;
        }
        list.records.append(Record{items.at(0), items.at(1)});
    }
    return list;
}

QByteArray formatRecords(const QList<Record>& records)
{
    // The format has no escape for a quote and a record ends at its line: either would
    // split the record. Such a name or folder cannot be found again anyway. A leading
    // byte-order mark is dropped, as reading drops it.
    auto item = [](QString s) {
        while (s.startsWith(QChar(0xFEFF)))
            s.remove(0, 1);
        s.replace(u'"', u'\'');
        s.replace(u'\r', u' ');
        return s.replace(u'\n', u' ');
    };
    RecordWriter w;
    for (const Record& r : records) {
        w.writeString(item(r.name));
        w.writeString(item(r.folder));
        w.endRecord();
    }
    return w.data();
}

std::optional<RecordList> readRecordsFile(const QString& path)
{
    if (!FileSystem::fileExists(path))
        return std::nullopt;
    std::optional<RecordReader> reader = RecordReader::fromFile(path);
    if (!reader)
        return RecordList{{}, true};
    return parseRecords(std::move(*reader));
}

bool replaceRecordsFile(DataTransaction& tx, const QString& path, const QList<Record>& records, bool keepBad)
{
    DataTransaction::Replacement r{formatRecords(records)};
    r.keepBad = keepBad;
    return tx.write(path, r);
}

QString executablePath(const Record& record)
{
    return record.folder + record.name + u".exe"_s;
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && !name.contains(u'/') && name != u"." && name != u".." && !name.contains(QChar(0));
}

bool recordOnDrive(const Record& record, const QString& driveRoot)
{
    if (!isPlainName(record.name) || driveRoot.isEmpty() || !driveRoot.endsWith(u'/'))
        return false;
    return isBelow(record.folder, driveRoot) && isBelow(executablePath(record), driveRoot);
}

} // namespace sys::family
