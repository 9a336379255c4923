#pragma once
// The maker's program register, as both programs read and write it: the settings-store
// sections and keys, the encoded last member index, and on a removable drive the register
// folder with its count file and two list files.

#include "DataTransaction.h"
#include "TextRecords.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <optional>

namespace sys {
class SettingsStore;
}

namespace sys::family {

// --- settings store (fixed disk) ---
inline constexpr int MaxMembers = 10;

QString memberNamesSection();    // "GuruNaam"
QString memberFoldersSection();  // "GuruGhar"
QString lastIndexSection();      // "NidraGavir"
QString lastIndexKey();          // "AnekGuru"
QString helperPathsSection();    // "GuruBachan" (key: the help program's name)

// "EkaaGuru" .. "DasaGuru" for members 0..9; empty outside that range.
QString memberKey(int index);

// The last member index is stored as the key name of the last member ("TekaGuru" = 2), so
// that a value edited by hand or cut short never decodes to a wrong number.
// -1 (no members) is stored as "". Out-of-range indices give "" as well.
QString encodeLastIndex(int lastIndex);
// "" gives -1; a value that is not one of the ten keys gives nullopt.
std::optional<int> decodeLastIndex(const QString& stored);

// The register's last member index as both programs use it. A stored value that does not
// decode (edited by hand, or written by another program) must not hide or expose members
// to being overwritten: the member keys are looked at instead.
struct MemberIndex {
    int last = -1;          // members 0..last are read: the stored index, or highestInUse
    bool decoded = true;    // the stored value decoded
    int highestInUse = -1;  // the highest key whose name or folder is set, whatever is stored
    // Where a new member goes: after every member in use and after the stored index, so
    // that the register never shrinks. MaxMembers when it is full.
    int appendAt() const { return std::max(last, highestInUse) + 1; }
};
MemberIndex readMemberIndex(const SettingsStore& store);

// --- removable drive ---
QString folderName();          // "Velmora/" (below the drive root)
QString countFileName();       // "SankhyaGuru.Velmora"
QString mainListFileName();    // "VajanGuru.Velmora"
QString helperListFileName();  // "BachanGuru.Velmora"

// A list holds at most as many records as a 16-bit last index can count.
inline constexpr int MaxRecords = 32767;

struct Counts {
    int mainLast = -1;    // last index of the main-program list, -1 = empty
    int helperLast = -1;  // last index of the help-program list
};
// Two 16-bit integers, the first two items of the file; nullopt when they are not there.
std::optional<Counts> parseCounts(RecordReader reader);
QByteArray formatCounts(const Counts& counts);
// nullopt when the file is missing, unreadable or short.
std::optional<Counts> readCountsFile(const QString& path);
// Rewrites the count file inside the register's transaction.
bool writeCountsFile(DataTransaction& tx, const QString& path, const Counts& counts);

struct Record {
    QString name;    // the executable's base name, compared case-sensitively
    QString folder;  // ends in "/"
};

struct RecordList {
    QList<Record> records;
    // A record could not be read (it is skipped; the records after it are kept), the data
    // holds more than MaxRecords, or the file could not be read at all.
    bool damaged = false;
    // The file was not clean UTF-8 (see TextRecords.h); its records were read all the same.
    bool mended = false;
    // What was read is not all the file held as it stood: kept as .bad before a rewrite.
    bool keepAside() const { return damaged || mended; }
};
// Reads every record to the end of the data, one a line (at most MaxRecords).
RecordList parseRecords(RecordReader reader);
// A double quote in a name or folder is written as ', a line break as a space, so that
// nothing can split the record.
QByteArray formatRecords(const QList<Record>& records);
// nullopt when the file does not exist; an unreadable file gives an empty, damaged list.
std::optional<RecordList> readRecordsFile(const QString& path);
// Replaces the list file with records inside the register's transaction. A file that held
// records that were not read as they stood (keepBad) is kept as <name>.bad first, and when
// that copy cannot be made the file is not replaced (false).
bool replaceRecordsFile(DataTransaction& tx, const QString& path, const QList<Record>& records, bool keepBad);

// folder & name & ".exe"
QString executablePath(const Record& record);
// A record can only be used when its name is a plain file name and its folder and
// executable lie on the drive whose root is driveRoot (which ends in "/"): records left
// from another mount point, or that climb out with "..", are never run.
bool recordOnDrive(const Record& record, const QString& driveRoot);
// A name that names a file in its folder: not empty, no "/", not "." or "..".
bool isPlainName(const QString& name);

} // namespace sys::family
