// The save road of the data files: every save is one transaction of the data folder, in
// which the files are read again under the folder's lock, merged with this run's changes
// and written, the settings file last.

#include "ActiveVelmora.h"
#include "VelmoraFormat.h"

#include "sys/DataTransaction.h"

#include <QFile>
#include <QFileInfo>

#include <functional>

namespace corvane {

using sys::DataTransaction;
using sys::DiskFile;
using velmora::FileStamp;
using velmora::HistoryColumns;
using velmora::PairList;
using velmora::SettingsItems;

namespace {

// The settings file as another copy of the program may have left it.
struct DiskSettings {
    std::optional<SettingsItems> items;  // read whole, in the current or the older form
    bool marksCounted = false;
    bool notesCounted = false;
    bool damaged = false;  // there, but not read whole or only once mended: kept as .bad
};

DiskSettings readSettings(const DataTransaction& tx, const VelmoraContext& c)
{
    const DiskFile disk = tx.read(c.prog.SettingsFilePath);
    DiskSettings s;
    if (disk.state == DiskFile::State::Missing)
        return s;
    s.damaged = disk.damaged();
    const velmora::ParsedSettings p = velmora::parseSettings(disk.reader, true, c);
    if (p.form == SettingsForm::Current || p.form == SettingsForm::Old) {
        s.items = p.items;
        s.marksCounted = p.marksCounted;
        s.notesCounted = p.notesCounted;
    } else {
        s.damaged = true;
    }
    return s;
}

// A list file holds the list unless the settings file, read whole, counts it as none:
// then whatever the file still holds was deleted.
bool listLive(const DiskSettings& s, bool counted, qint16 lastIndex)
{
    return !(s.items && counted && lastIndex < 0);
}

// The writing side of a list of two items.
struct PairFile {
    const QString& path;
    PairList& base;
    FileStamp& stamp;
    int keyItem;
    bool onePerKey;
    std::function<PairList(sys::RecordReader&, bool&)> read;
    std::function<QByteArray(const PairList&)> write;
};

PairFile bookmarkFile(const VelmoraContext& c)
{
    return PairFile{c.prog.BookmarkFilePath, c.files.marks, c.files.markStamp, 1, false,
                    [&c](sys::RecordReader& r, bool& damaged) { return velmora::readBookmarkPairs(r, c, 0, damaged); },
                    [&c](const PairList& list) { return velmora::bookmarkBytes(list, c); }};
}

PairFile notesFile(const VelmoraContext& c)
{
    return PairFile{c.prog.NotesFilePath, c.files.notes, c.files.noteStamp, 0, true,
                    [](sys::RecordReader& r, bool& damaged) { return velmora::readPairs(r, 0, damaged); },
                    [](const PairList& list) { return velmora::noteBytes(list); }};
}

// The records the list file holds for the settings file's count; nullopt when that cannot
// be known (a file that cannot be read).
std::optional<qsizetype> recordsOnDisk(const DataTransaction& tx, const PairFile& f, bool live)
{
    if (!live)
        return 0;
    DiskFile disk = tx.read(f.path, f.stamp.identity);
    switch (disk.state) {
    case DiskFile::State::Missing:
        return 0;
    case DiskFile::State::Unchanged:
        return f.stamp.records;
    case DiskFile::State::Unreadable:
        return std::nullopt;
    case DiskFile::State::Read:
        break;
    }
    return std::min<qsizetype>(disk.reader->countRecords(2), velmora::MaxListRecords);
}

// Merges this run's list into what the file holds now and writes the result, when this
// run changed the list. Returns the records the file holds afterwards (nullopt: unknown);
// ok turns false when the write failed.
std::optional<qsizetype> savePairs(DataTransaction& tx, const PairFile& f, const PairList& mine, bool live, bool& ok)
{
    if (mine == f.base)
        return recordsOnDisk(tx, f, live);
    PairList result = mine;
    std::optional<qsizetype> onDisk = 0;
    bool writing = false;
    const auto merge = [&](DiskFile& disk) -> std::optional<DataTransaction::Replacement> {
        PairList theirs;
        qsizetype held = 0;
        bool damaged = false;
        switch (disk.state) {
        case DiskFile::State::Missing:
            break;
        case DiskFile::State::Unchanged:
            theirs = f.base;
            held = f.stamp.records;
            damaged = f.stamp.damaged;
            break;
        case DiskFile::State::Unreadable:
            // Nothing to merge with; it is kept as .bad before anything replaces it.
            onDisk = std::nullopt;
            break;
        case DiskFile::State::Read:
            theirs = f.read(*disk.reader, damaged);
            held = theirs.first.size();
            break;
        }
        if (onDisk)
            onDisk = live ? held : 0;
        if (!live)
            theirs = {};
        // A file that still holds this run's base gives this run's list: no merge needed.
        const bool asBase = disk.state == DiskFile::State::Unchanged && live;
        if (disk.state != DiskFile::State::Unreadable && !asBase)
            result = velmora::PairsMerge(f.base, mine, theirs, f.keyItem, f.onePerKey);
        // No file and nothing to put in one.
        if (disk.state == DiskFile::State::Missing && result.first.isEmpty())
            return std::nullopt;
        writing = true;
        DataTransaction::Replacement r{f.write(result)};
        r.keepBad = damaged;
        // Records the file held and the new one drops (a deleted bookmark, a list emptied,
        // or a list that was counted as none) are kept as .old.
        r.keepOld = result.first.size() < held || (!live && held > 0);
        return r;
    };
    std::optional<sys::FileIdentity> written;
    const std::optional<sys::FileIdentity> known = f.stamp.holdsBase ? f.stamp.identity : std::nullopt;
    if (!tx.update(f.path, merge, known, &written)) {
        ok = false;
        return onDisk;
    }
    // The base is what this run has: a later save merges again from here.
    f.base = mine;
    if (!writing)
        return 0;
    f.stamp = FileStamp{written, result.first.size(), result == mine, false};
    return result.first.size();
}

// Writes the history with the history mask of the folder's newest choice: a column is
// this run's when this run keeps that browser's history and changed it, else it is as the
// file holds it; a browser that keeps no history has an empty column.
bool saveHistory(DataTransaction& tx, const VelmoraContext& c, int ownMask, int mask)
{
    const HistoryColumns mine = velmora::currentHistory(c, mask);
    if (mine == c.files.history)
        return true;
    HistoryColumns result = mine;
    const auto merge = [&](DiskFile& disk) -> std::optional<DataTransaction::Replacement> {
        HistoryColumns theirs;
        bool damaged = false;
        if (disk.state == DiskFile::State::Unchanged) {
            theirs = c.files.history;
            damaged = c.files.historyStamp.damaged;
        } else if (disk.state == DiskFile::State::Read) {
            theirs = velmora::readHistoryColumns(*disk.reader, c, damaged);
        }
        for (int k = 0; k < velmora::MainBrowsers; ++k) {
            const size_t i = size_t(k);
            const bool mineChanged = ((ownMask >> k) & 1) && mine[i] != c.files.history[i];
            if (!mineChanged)
                result[i] = ((mask >> k) & 1) ? theirs[i] : QStringList();
        }
        DataTransaction::Replacement r{velmora::historyBytes(result, c)};
        r.keepBad = damaged;
        return r;
    };
    std::optional<sys::FileIdentity> written;
    const FileStamp& stamp = c.files.historyStamp;
    if (!tx.update(c.prog.HistoryFilePath, merge, stamp.holdsBase ? stamp.identity : std::nullopt, &written))
        return false;
    c.files.history = mine;
    c.files.historyStamp = FileStamp{written, velmora::HistoryRecords, result == mine, false};
    return true;
}

qint16 lastIndexOf(std::optional<qsizetype> records, std::optional<qint16> onDisk)
{
    if (records)
        return qint16(std::min<qsizetype>(*records, velmora::MaxListRecords) - 1);
    // A list file that cannot be read keeps the count it had; it is never counted as none
    // on a guess, which would leave its records unread once it can be read again.
    return onDisk ? *onDisk : qint16(0);
}

bool saveInTransaction(DataTransaction& tx, const VelmoraContext& c, unsigned files)
{
    const DiskSettings disk = readSettings(tx, c);
    const SettingsItems mine = velmora::currentItems(c);
    SettingsItems result = disk.items ? velmora::settingsMerge(c.files.settings, mine, *disk.items) : mine;
    bool ok = true;

    if (files & SaveHistory) {
        // The newest history choice in the folder wins: another copy may have turned
        // history off since this one started.
        const int ownMask = c.opt.HistoryMask;
        c.opt.HistoryMask = result.historyMask;
        if (ownMask != 0 && result.historyMask != 0)
            ok = saveHistory(tx, c, ownMask, result.historyMask) && ok;
    }

    const bool marksLive = listLive(disk, disk.marksCounted, disk.items ? disk.items->bookmarkLast : 0);
    const bool notesLive = listLive(disk, disk.notesCounted, disk.items ? disk.items->notesLast : 0);
    const PairFile marks = bookmarkFile(c);
    const PairFile notes = notesFile(c);
    const std::optional<qsizetype> markRecords =
        (files & SaveBookmarks)
            ? savePairs(tx, marks, velmora::currentPairs(c.lists.BookmarkLastIndex, c.hid.ComboMarkName, c.hid.ComboMarkAddress),
                        marksLive, ok)
            : recordsOnDisk(tx, marks, marksLive);
    bool notesOk = true;
    const std::optional<qsizetype> noteRecords =
        (files & SaveNotes)
            ? savePairs(tx, notes, velmora::currentPairs(c.lists.NotesLastIndex, c.hid.ComboNotePage, c.hid.ComboNoteThis),
                        notesLive, notesOk)
            : recordsOnDisk(tx, notes, notesLive);
    if ((files & SaveNotes) && notesOk)
        c.lists.NotesChanged = false;
    ok = ok && notesOk;

    // The settings file last, counting what the list files hold now.
    result.bookmarkLast = lastIndexOf(markRecords, disk.items ? std::optional(disk.items->bookmarkLast) : std::nullopt);
    result.notesLast = lastIndexOf(noteRecords, disk.items ? std::optional(disk.items->notesLast) : std::nullopt);
    const bool countsChanged = !disk.items || disk.items->bookmarkLast != result.bookmarkLast ||
                               disk.items->notesLast != result.notesLast || !disk.notesCounted;
    if (!(files & SaveSettings) && !countsChanged && !disk.damaged)
        return ok;
    DataTransaction::Replacement r{velmora::settingsBytes(result, c)};
    r.keepBad = disk.damaged;
    if (!tx.write(c.prog.SettingsFilePath, r))
        return false;
    c.files.settings = mine;
    c.opt.BookmarkLastIndexSaved = result.bookmarkLast;
    c.opt.NotesLastIndexSaved = result.notesLast;
    return ok;
}

QString dataFolderOf(const VelmoraContext& c)
{
    return QFileInfo(c.prog.SettingsFilePath).path();
}

// The failed writes not told yet go to the user, once the lock is given up; a file written
// since its last failure is told again when it fails again.
void tellFailures(const VelmoraContext& c, const QList<sys::WriteFailure>& failures, const QStringList& written)
{
    DataFileVars& f = c.files;
    for (const QString& path : written)
        f.failuresTold.removeAll(path);
    QList<sys::WriteFailure> fresh;
    for (const sys::WriteFailure& failure : failures) {
        if (f.failuresTold.contains(failure.path))
            continue;
        f.failuresTold << failure.path;
        fresh << failure;
    }
    if (fresh.isEmpty())
        return;
    f.failuresToTell += fresh;
    if (c.writeFailed)
        c.writeFailed();
}

} // namespace

bool DataFilesSave(const VelmoraContext& c, unsigned files)
{
    bool ok = false;
    QList<sys::WriteFailure> failures;
    QStringList written;
    {
        DataTransaction tx(dataFolderOf(c));
        ok = saveInTransaction(tx, c, files);
        failures = tx.failures();
        written = tx.written();
    }
    tellFailures(c, failures, written);
    return ok;
}

bool SettingsFileSave(const VelmoraContext& c)
{
    return DataFilesSave(c, SaveSettings);
}

bool BookmarkFileSave(const VelmoraContext& c)
{
    return DataFilesSave(c, SaveBookmarks);
}

bool HistoryFileSave(const VelmoraContext& c)
{
    return DataFilesSave(c, SaveHistory);
}

bool NotesFileSave(const VelmoraContext& c)
{
    return DataFilesSave(c, SaveNotes);
}

bool HistoryFileDelete(const VelmoraContext& c)
{
    const QString& path = c.prog.HistoryFilePath;
    c.files.history = {};
    c.files.historyStamp = {};
    bool ok = true;
    QList<sys::WriteFailure> failures;
    QStringList written;
    {
        DataTransaction tx(dataFolderOf(c));
        // The user chose not to keep it: no copy is kept. A file that cannot be deleted at
        // least loses its addresses.
        if (QFile::exists(path) && !QFile::remove(path))
            ok = tx.write(path, {QByteArray()});
        failures = tx.failures();
        written = tx.written();
    }
    tellFailures(c, failures, written);
    return ok;
}

} // namespace corvane
