#include "ActiveVelmora.h"

#include "AddressRules.h"
#include "MediaAddress.h"

#include "sys/FileSystem.h"
#include "sys/TextRecords.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace corvane {

using sys::FileIdentity;
using velmora::FileStamp;
using velmora::PairList;
using velmora::SettingsItems;

namespace {

std::optional<SettingsItems> parseCurrent(sys::RecordReader r)
{
    SettingsItems it;
    if (!r.readInt32(it.exitCount) || !r.readInt16(it.historyMask) || !r.readInt16(it.bookmarkLast) ||
        !r.readFlag(it.showPageButtons) || !r.readFlag(it.newWindowSeparate) || !r.readInt16(it.notesLast) ||
        !r.readFlag(it.showNotes) || !r.readInt16(it.reserved) || !r.readInt16(it.mainBrowserLast))
        return std::nullopt;
    for (QString& page : it.homePages)
        if (!r.readString(page))
            return std::nullopt;
    return it;
}

// A string item of the older form: anything but a bare number. (A damaged 15-item file
// has numbers where the older form has its first home pages.)
bool readPageItem(sys::RecordReader& r, QString& out)
{
    sys::RecordReader probe = r;
    qint64 number = 0;
    if (probe.readNumber(number, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()))
        return false;
    return r.readString(out);
}

// The older form only when it really is one: exactly 12 items, the last six home pages.
std::optional<SettingsItems> parseOld(sys::RecordReader r)
{
    SettingsItems it;
    if (!r.readInt32(it.exitCount) || !r.readInt16(it.historyMask) || !r.readInt16(it.bookmarkLast) ||
        !r.readFlag(it.showPageButtons) || !r.readFlag(it.newWindowSeparate) || !r.readInt16(it.mainBrowserLast))
        return std::nullopt;
    for (QString& page : it.homePages)
        if (!readPageItem(r, page))
            return std::nullopt;
    if (!r.atEnd())
        return std::nullopt;
    it.notesLast = -1;
    it.showNotes = 0;
    it.reserved = 0;
    return it;
}

// The drive rule of this run: only on a removable drive.
MediaAddressRule driveRule(const VelmoraContext& c)
{
    return MediaAddressRule(c.prog.OnMedia ? c.prog.OwnDriveLetter : QString());
}

// The product page of a folder this one was moved or copied from, as stored before the
// product page was stored by name: a local address of a "site" folder's page named after
// the program, whose file has gone.
bool isLostProductPage(const QString& page, const VelmoraContext& c)
{
    const QUrl url(page);
    if (!url.isLocalFile())
        return false;
    const QString path = url.toLocalFile();
    return path.endsWith(u"/site/"_s + c.prog.ProgramName + u".html"_s) && !QFile::exists(path);
}

// The items as read, put into the form the program uses: values in range, home pages with
// the drive of this run and the product page of this folder.
SettingsItems resolved(SettingsItems it, const VelmoraContext& c)
{
    it.historyMask = qint16(qBound<int>(0, it.historyMask, 63));
    it.bookmarkLast = qint16(qMax<int>(it.bookmarkLast, -1));
    it.notesLast = qint16(qMax<int>(it.notesLast, -1));
    it.mainBrowserLast = qint16(qBound<int>(0, it.mainBrowserLast, 5));
    const MediaAddressRule rule = driveRule(c);
    for (QString& page : it.homePages) {
        // Cleaned as the writer will: a page that is nothing but marks is no page.
        page = AddressItemClean(page);
        // An empty item is the product page; so is the one a moved folder left behind.
        if (!page.isEmpty())
            page = rule.restore(page);
        if (page.isEmpty() || isLostProductPage(page, c))
            page = c.productPage;
    }
    return it;
}

SettingsItems defaultItems(const VelmoraContext& c)
{
    SettingsItems it;
    it.homePages.fill(c.productPage);
    return it;
}

void applySettings(const SettingsItems& it, const VelmoraContext& c)
{
    OptionVars& o = c.opt;
    o.ExitCount = it.exitCount;
    o.HistoryMask = it.historyMask;
    o.BookmarkLastIndexSaved = it.bookmarkLast;
    o.ShowPageButtons = it.showPageButtons != 0;
    o.NewWindowSeparate = it.newWindowSeparate != 0;
    o.NotesLastIndexSaved = it.notesLast;
    o.ShowNotesAtStart = it.showNotes != 0;
    o.SettingsReserved = it.reserved;
    o.MainBrowserLastIndex = it.mainBrowserLast;
    for (int i = 0; i < velmora::MainBrowsers; ++i) {
        o.MainBrowserHomePages[size_t(i)] = it.homePages[size_t(i)];
        o.HomePagesSaved[size_t(i)] = it.homePages[size_t(i)];
    }
}

// The items this run would write now (the working last indices are the counts).
SettingsItems currentItems(const VelmoraContext& c)
{
    const OptionVars& o = c.opt;
    auto int16 = [](int v) { return qint16(qBound(-32768, v, 32767)); };
    SettingsItems it;
    it.exitCount = o.ExitCount;
    it.historyMask = int16(o.HistoryMask);
    it.bookmarkLast = int16(std::max(c.lists.BookmarkLastIndex, -1));
    it.showPageButtons = o.ShowPageButtons ? 1 : 0;
    it.newWindowSeparate = o.NewWindowSeparate ? 1 : 0;
    it.notesLast = int16(std::max(c.lists.NotesLastIndex, -1));
    it.showNotes = o.ShowNotesAtStart ? 1 : 0;
    it.reserved = int16(o.SettingsReserved);
    it.mainBrowserLast = int16(o.MainBrowserLastIndex);
    it.homePages = o.HomePagesSaved;
    return it;
}

// Every item this run changed since base is this run's; every other is as the file holds
// it now. Exits are counted by both copies.
SettingsItems settingsMerge(const SettingsItems& base, const SettingsItems& mine, const SettingsItems& theirs)
{
    auto pick = [](const auto& b, const auto& m, const auto& t) { return m != b ? m : t; };
    SettingsItems it;
    const qint64 exits = qint64(theirs.exitCount) + (qint64(mine.exitCount) - base.exitCount);
    it.exitCount = qint32(qBound<qint64>(0, exits, qint64(std::numeric_limits<qint32>::max())));
    it.historyMask = pick(base.historyMask, mine.historyMask, theirs.historyMask);
    it.bookmarkLast = pick(base.bookmarkLast, mine.bookmarkLast, theirs.bookmarkLast);
    it.showPageButtons = pick(base.showPageButtons, mine.showPageButtons, theirs.showPageButtons);
    it.newWindowSeparate = pick(base.newWindowSeparate, mine.newWindowSeparate, theirs.newWindowSeparate);
    it.notesLast = pick(base.notesLast, mine.notesLast, theirs.notesLast);
    it.showNotes = pick(base.showNotes, mine.showNotes, theirs.showNotes);
    it.reserved = pick(base.reserved, mine.reserved, theirs.reserved);
    it.mainBrowserLast = pick(base.mainBrowserLast, mine.mainBrowserLast, theirs.mainBrowserLast);
    for (size_t i = 0; i < it.homePages.size(); ++i)
        it.homePages[i] = pick(base.homePages[i], mine.homePages[i], theirs.homePages[i]);
    return it;
}

QByteArray settingsBytes(const SettingsItems& it, const VelmoraContext& c)
{
    // One item per line.
    sys::RecordWriter w;
    auto number = [&w](qint64 n) { w.writeNumber(n); w.endRecord(); };
    number(it.exitCount);
    number(it.historyMask);
    number(it.bookmarkLast);
    number(it.showPageButtons != 0 ? 1 : 0);
    number(it.newWindowSeparate != 0 ? 1 : 0);
    number(it.notesLast);
    number(it.showNotes != 0 ? 1 : 0);
    number(it.reserved);
    number(it.mainBrowserLast);
    const MediaAddressRule rule = driveRule(c);
    for (const QString& page : it.homePages) {
        // The product page is stored as the empty item, which every reader takes as the
        // product page of the folder it runs from: it survives a move of the folder.
        w.writeString(page == c.productPage ? QString() : rule.store(AddressItemClean(page)));
        w.endRecord();
    }
    return w.data();
}

QString storedAddress(const MediaAddressRule& rule, const QString& address)
{
    return rule.store(AddressItemClean(address));
}

FileStamp stampOf(const sys::RecordReader& file, bool damaged)
{
    return FileStamp{file.identity(), damaged};
}

// The file at path is still the one the stamp describes.
bool unchangedSince(const FileStamp& stamp, const QString& path)
{
    return stamp.identity && FileIdentity::of(path) == stamp.identity;
}

// Every record of two items to the end of the data (a record that cannot be read is
// skipped, the ones after it are kept). countHint only sizes the lists.
PairList readPairs(sys::RecordReader& r, int countHint, bool& damaged)
{
    PairList list;
    if (countHint > 0) {
        list.first.reserve(std::min(countHint, velmora::MaxListRecords));
        list.second.reserve(std::min(countHint, velmora::MaxListRecords));
    }
    QStringList items;
    bool recordDamaged = false;
    while (r.readRecord(items, recordDamaged)) {
        if (list.first.size() == velmora::MaxListRecords) {
            // More than the lists can count: the rest stays in the file, which is damaged.
            damaged = true;
            break;
        }
        if (recordDamaged || items.size() != 2) {
            damaged = true;
            if (items.size() < 2)
                continue;
        }
        list.first.append(items.at(0));
        list.second.append(items.at(1));
    }
    return list;
}

void fillList(HidList& list, const QStringList& items)
{
    list.Clear();
    list.reserve(int(items.size()));
    for (const QString& item : items)
        list.AddItem(item);
}

// How many records a writer takes: up to the working last index, and never past the lists.
int recordsToWrite(int lastIndex, const HidList& a, const HidList& b)
{
    return std::max(0, std::min({lastIndex + 1, a.ListCount(), b.ListCount()}));
}

PairList currentPairs(int lastIndex, const HidList& a, const HidList& b)
{
    const int n = recordsToWrite(lastIndex, a, b);
    if (n == a.ListCount() && n == b.ListCount())
        return PairList{a.items(), b.items()};
    return PairList{a.items().mid(0, n), b.items().mid(0, n)};
}

// About the size of the records (exact for plain ASCII text).
qsizetype listBytes(const PairList& list)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < list.first.size(); ++i)
        bytes += list.first.at(i).size() + list.second.at(i).size() + 7;
    return bytes;
}

enum class FileState { Missing, Unreadable, Read };

struct DiskFile {
    FileState state = FileState::Missing;
    std::optional<sys::RecordReader> reader;
};

DiskFile readDisk(const QString& path)
{
    DiskFile f;
    if (!sys::FileSystem::fileExists(path))
        return f;
    f.reader = sys::RecordReader::fromFile(path);
    f.state = f.reader ? FileState::Read : FileState::Unreadable;
    return f;
}

// Keeps the file as it is beside itself (<name>.bad or <name>.old, one copy, replaced
// each time). When that cannot be done the write that needed it is refused, and the user
// is told once a run.
bool keepAside(const VelmoraContext& c, const QString& path, const QString& suffix)
{
    if (sys::FileSystem::copyFile(path, path + suffix, true))
        return true;
    if (c.saveRefused)
        c.saveRefused();
    return false;
}

// The writing side of a list of two items.
struct PairFile {
    const QString& path;
    PairList& base;
    FileStamp& stamp;
    int keyItem;
    bool onePerKey;
    // Reads the file's records into memory form.
    std::function<PairList(sys::RecordReader&, bool&)> read;
    std::function<QByteArray(const PairList&)> write;
};

bool savePairs(const VelmoraContext& c, const PairFile& f, const PairList& mine)
{
    if (mine == f.base)
        return true;
    PairList result = mine;
    qsizetype onDisk = 0;
    bool damaged = false;
    bool exists = true;
    if (unchangedSince(f.stamp, f.path)) {
        // As this run read or wrote it: this run's lists are the whole story.
        onDisk = f.base.first.size();
        damaged = f.stamp.damaged;
    } else {
        DiskFile disk = readDisk(f.path);
        exists = disk.state != FileState::Missing;
        if (disk.state == FileState::Unreadable) {
            damaged = true;
        } else if (disk.state == FileState::Read) {
            // Another copy of the program saved it meanwhile (or this run could not read it).
            const PairList theirs = f.read(*disk.reader, damaged);
            onDisk = theirs.first.size();
            result = velmora::PairsMerge(f.base, mine, theirs, f.keyItem, f.onePerKey);
        }
    }
    if (!exists && result.first.isEmpty()) {
        f.base = mine;
        return true;
    }
    if (damaged && !keepAside(c, f.path, u".bad"_s))
        return false;
    if (result.first.size() < onDisk && !keepAside(c, f.path, u".old"_s))
        return false;
    std::optional<FileIdentity> written;
    if (!sys::writeFileAtomically(f.path, f.write(result), &written))
        return false;
    // The base is what this run has: a later write merges again from here.
    f.base = mine;
    f.stamp = FileStamp{result == mine ? written : std::nullopt, false};
    return true;
}

PairList readBookmarkPairs(sys::RecordReader& r, const VelmoraContext& c, int hint, bool& damaged)
{
    PairList list = readPairs(r, hint, damaged);
    const MediaAddressRule rule = driveRule(c);
    for (QString& address : list.second)
        address = rule.restore(address);
    return list;
}

QByteArray bookmarkBytes(const PairList& list, const VelmoraContext& c)
{
    const MediaAddressRule rule = driveRule(c);
    sys::RecordWriter w;
    w.reserve(listBytes(list));
    for (qsizetype i = 0; i < list.first.size(); ++i) {
        w.writeString(TextItemClean(list.first.at(i)));
        w.writeString(storedAddress(rule, list.second.at(i)));
        w.endRecord();
    }
    return w.data();
}

QByteArray noteBytes(const PairList& list)
{
    sys::RecordWriter w;
    w.reserve(listBytes(list));
    // Note pages are stored as they are (no drive rule), only made safe for the record.
    for (qsizetype i = 0; i < list.first.size(); ++i) {
        w.writeString(AddressItemClean(list.first.at(i)));
        w.writeString(TextItemClean(list.second.at(i)));
        w.endRecord();
    }
    return w.data();
}

using HistoryColumns = std::array<QStringList, velmora::MainBrowsers>;

// Up to 20 records of six addresses; a record that cannot be read whole gives the
// addresses before the damage.
HistoryColumns readHistoryColumns(sys::RecordReader& r, const VelmoraContext& c, bool& damaged)
{
    HistoryColumns columns;
    const MediaAddressRule rule = driveRule(c);
    QStringList items;
    bool recordDamaged = false;
    for (int i = 0; i < velmora::HistoryRecords; ++i) {
        if (!r.readRecord(items, recordDamaged))
            return columns;
        if (recordDamaged || items.size() != velmora::MainBrowsers)
            damaged = true;
        for (int k = 0; k < velmora::MainBrowsers && k < items.size(); ++k) {
            const QString entry = AddressItemClean(items.at(k));
            if (!entry.isEmpty())
                columns[size_t(k)].append(rule.restore(entry));
        }
    }
    if (!r.atEnd())
        damaged = true;
    return columns;
}

// The columns this run would write: a browser that keeps no history has an empty one.
HistoryColumns currentHistory(const VelmoraContext& c)
{
    HistoryColumns columns;
    for (int k = 0; k < velmora::MainBrowsers; ++k) {
        const QStringList& list = c.hid.ComboLocation[size_t(k)].items();
        if ((c.opt.HistoryMask >> k) & 1)
            columns[size_t(k)] = list.size() > velmora::HistoryRecords ? list.mid(0, velmora::HistoryRecords) : list;
    }
    return columns;
}

QByteArray historyBytes(const HistoryColumns& columns, const VelmoraContext& c)
{
    const MediaAddressRule rule = driveRule(c);
    sys::RecordWriter w;
    for (int i = 0; i < velmora::HistoryRecords; ++i) {
        for (const QStringList& column : columns)
            w.writeString(column.size() > i ? storedAddress(rule, column.at(i)) : QString());
        w.endRecord();
    }
    return w.data();
}

} // namespace

QString DataFolderPath(const ProgramVars& prog, const QString& dataBaseFolder)
{
    return dataBaseFolder + prog.ProgramName + u'/';
}

void DataFilePathsSet(ProgramVars& prog, const QString& dataBaseFolder)
{
    const QString folder = DataFolderPath(prog, dataBaseFolder);
    prog.SettingsFilePath = folder + u"Set.Velmora"_s;
    prog.BookmarkFilePath = folder + u"Mark.Velmora"_s;
    prog.HistoryFilePath = folder + u"Hist.Velmora"_s;
    prog.NotesFilePath = folder + u"Note.Velmora"_s;
}

void SettingsDefaultsSet(const VelmoraContext& c)
{
    applySettings(defaultItems(c), c);
}

SettingsForm SettingsFileLoad(const VelmoraContext& c)
{
    return velmora::SettingsRead(readDisk(c.prog.SettingsFilePath).reader, c);
}

bool SettingsFileLoadOld(const VelmoraContext& c)
{
    const std::optional<sys::RecordReader> file = readDisk(c.prog.SettingsFilePath).reader;
    const std::optional<SettingsItems> items = file ? parseOld(*file) : std::nullopt;
    if (!items) {
        SettingsDefaultsSet(c);
        return false;
    }
    applySettings(resolved(*items, c), c);
    return true;
}

bool SettingsFileSave(const VelmoraContext& c)
{
    const QString& path = c.prog.SettingsFilePath;
    c.opt.BookmarkLastIndexSaved = c.lists.BookmarkLastIndex;
    c.opt.NotesLastIndexSaved = c.lists.NotesLastIndex;
    const SettingsItems mine = currentItems(c);
    SettingsItems result = mine;
    const DiskFile disk = readDisk(path);
    bool damaged = disk.state == FileState::Unreadable;
    if (disk.state == FileState::Read) {
        std::optional<SettingsItems> theirs = parseCurrent(*disk.reader);
        if (!theirs)
            theirs = parseOld(*disk.reader);
        if (theirs)
            result = settingsMerge(c.files.settings, mine, resolved(*theirs, c));
        else
            damaged = true;
    }
    // The damaged file may still hold something the user wants: it goes aside first, and
    // it is not overwritten when it cannot be kept.
    if (damaged && !keepAside(c, path, u".bad"_s))
        return false;
    if (!sys::writeFileAtomically(path, settingsBytes(result, c)))
        return false;
    c.files.settings = mine;
    return true;
}

void BookmarkFileLoad(const VelmoraContext& c)
{
    // A file that cannot be read is not taken for an empty one: the next write finds out
    // what it holds then.
    velmora::BookmarksRead(readDisk(c.prog.BookmarkFilePath).reader, c);
}

bool BookmarkFileSave(const VelmoraContext& c)
{
    const PairFile f{c.prog.BookmarkFilePath, c.files.marks, c.files.markStamp, 1, false,
                     [&c](sys::RecordReader& r, bool& damaged) { return readBookmarkPairs(r, c, 0, damaged); },
                     [&c](const PairList& list) { return bookmarkBytes(list, c); }};
    return savePairs(c, f, currentPairs(c.lists.BookmarkLastIndex, c.hid.ComboMarkName, c.hid.ComboMarkAddress));
}

void HistoryFileLoad(const VelmoraContext& c)
{
    if (c.opt.HistoryMask == 0)
        return;
    velmora::HistoryRead(readDisk(c.prog.HistoryFilePath).reader, c);
}

bool HistoryFileSave(const VelmoraContext& c)
{
    if (c.opt.HistoryMask == 0)
        return true;
    const QString& path = c.prog.HistoryFilePath;
    const HistoryColumns mine = currentHistory(c);
    if (mine == c.files.history)
        return true;
    HistoryColumns result = mine;
    bool damaged = false;
    if (unchangedSince(c.files.historyStamp, path)) {
        damaged = c.files.historyStamp.damaged;
    } else {
        DiskFile disk = readDisk(path);
        damaged = disk.state == FileState::Unreadable;
        if (disk.state == FileState::Read) {
            // Each browser's column is this run's when this run changed it.
            const HistoryColumns theirs = readHistoryColumns(*disk.reader, c, damaged);
            for (size_t k = 0; k < result.size(); ++k)
                if (mine[k] == c.files.history[k])
                    result[k] = theirs[k];
        }
    }
    if (damaged && !keepAside(c, path, u".bad"_s))
        return false;
    std::optional<FileIdentity> written;
    if (!sys::writeFileAtomically(path, historyBytes(result, c), &written))
        return false;
    c.files.history = mine;
    c.files.historyStamp = FileStamp{result == mine ? written : std::nullopt, false};
    return true;
}

bool HistoryFileDelete(const VelmoraContext& c)
{
    const QString& path = c.prog.HistoryFilePath;
    c.files.history = {};
    c.files.historyStamp = {};
    if (!sys::FileSystem::fileExists(path))
        return true;
    if (sys::FileSystem::deleteFile(path))
        return true;
    // Not deletable: at least its addresses are gone.
    return sys::writeFileAtomically(path, QByteArray());
}

void NotesFileLoad(const VelmoraContext& c)
{
    velmora::NotesRead(readDisk(c.prog.NotesFilePath).reader, c);
}

bool NotesFileSave(const VelmoraContext& c)
{
    const PairFile f{c.prog.NotesFilePath, c.files.notes, c.files.noteStamp, 0, true,
                     [](sys::RecordReader& r, bool& damaged) { return readPairs(r, 0, damaged); },
                     [](const PairList& list) { return noteBytes(list); }};
    const bool ok = savePairs(c, f, currentPairs(c.lists.NotesLastIndex, c.hid.ComboNotePage, c.hid.ComboNoteThis));
    if (ok)
        c.lists.NotesChanged = false;
    return ok;
}

namespace velmora {

SettingsForm SettingsRead(const std::optional<sys::RecordReader>& file, const VelmoraContext& c)
{
    if (file) {
        if (const std::optional<SettingsItems> items = parseCurrent(*file)) {
            c.files.settings = resolved(*items, c);
            applySettings(c.files.settings, c);
            return SettingsForm::Current;
        }
        if (const std::optional<SettingsItems> items = parseOld(*file)) {
            c.files.settings = resolved(*items, c);
            applySettings(c.files.settings, c);
            return SettingsForm::Old;
        }
    }
    c.files.settings = defaultItems(c);
    applySettings(c.files.settings, c);
    return SettingsForm::Defaults;
}

QByteArray SettingsWrite(const VelmoraContext& c)
{
    c.opt.BookmarkLastIndexSaved = c.lists.BookmarkLastIndex;
    c.opt.NotesLastIndexSaved = c.lists.NotesLastIndex;
    return settingsBytes(currentItems(c), c);
}

// Fills a pair of hidden lists with what a file held, keeps that as the file's content for
// the merge at the end, and returns the last index of the lists.
int fillPairs(const PairList& list, HidList& keys, HidList& values, PairList& kept)
{
    fillList(keys, list.first);
    fillList(values, list.second);
    kept = PairList{keys.items(), values.items()};
    return keys.ListCount() - 1;
}

void BookmarksRead(std::optional<sys::RecordReader> file, const VelmoraContext& c)
{
    PairList list;
    bool damaged = false;
    if (file) {
        list = readBookmarkPairs(*file, c, c.opt.BookmarkLastIndexSaved + 1, damaged);
        c.files.markStamp = stampOf(*file, damaged);
    } else {
        c.files.markStamp = FileStamp{};
    }
    c.lists.BookmarkLastIndex = fillPairs(list, c.hid.ComboMarkName, c.hid.ComboMarkAddress, c.files.marks);
}

QByteArray BookmarksWrite(const VelmoraContext& c)
{
    return bookmarkBytes(currentPairs(c.lists.BookmarkLastIndex, c.hid.ComboMarkName, c.hid.ComboMarkAddress), c);
}

void HistoryRead(std::optional<sys::RecordReader> file, const VelmoraContext& c)
{
    for (int k = 0; k < MainBrowsers; ++k)
        c.hid.ComboLocation[size_t(k)].Clear();
    c.files.history = {};
    c.files.historyStamp = {};
    if (!file || c.opt.HistoryMask == 0)
        return;
    bool damaged = false;
    c.files.history = readHistoryColumns(*file, c, damaged);
    c.files.historyStamp = stampOf(*file, damaged);
    // Files of older versions may hold sites cut short, or the same site twice: the lists
    // take them mended (and so differ from the file, which is written again at the end).
    for (int k = 0; k < MainBrowsers; ++k) {
        QStringList sites;
        for (const QString& entry : std::as_const(c.files.history[size_t(k)])) {
            const QString site = SiteRootMend(entry);
            if (!site.isEmpty() && !sites.contains(site))
                sites.append(site);
        }
        fillList(c.hid.ComboLocation[size_t(k)], sites);
    }
}

QByteArray HistoryWrite(const VelmoraContext& c)
{
    return historyBytes(currentHistory(c), c);
}

void NotesRead(std::optional<sys::RecordReader> file, const VelmoraContext& c)
{
    PairList list;
    bool damaged = false;
    if (file) {
        list = readPairs(*file, c.opt.NotesLastIndexSaved + 1, damaged);
        c.files.noteStamp = stampOf(*file, damaged);
    } else {
        c.files.noteStamp = FileStamp{};
    }
    c.lists.NotesLastIndex = fillPairs(list, c.hid.ComboNotePage, c.hid.ComboNoteThis, c.files.notes);
}

QByteArray NotesWrite(const VelmoraContext& c)
{
    return noteBytes(currentPairs(c.lists.NotesLastIndex, c.hid.ComboNotePage, c.hid.ComboNoteThis));
}

PairList PairsMerge(const PairList& base, const PairList& mine, const PairList& theirs, int keyItem, bool onePerKey)
{
    using Record = std::pair<QString, QString>;
    auto record = [](const PairList& l, qsizetype i) { return Record{l.first.at(i), l.second.at(i)}; };
    auto key = [keyItem](const PairList& l, qsizetype i) -> const QString& {
        return keyItem == 0 ? l.first.at(i) : l.second.at(i);
    };
    auto same = [](const PairList& a, qsizetype i, const PairList& b, qsizetype j) {
        return a.first.at(i) == b.first.at(j) && a.second.at(i) == b.second.at(j);
    };

    // This run's own changes since base lie between what base and mine begin and end with:
    // there a positive balance was removed, a negative one added.
    const qsizetype nb = base.first.size();
    const qsizetype nm = mine.first.size();
    qsizetype head = 0;
    while (head < nb && head < nm && same(base, head, mine, head))
        ++head;
    qsizetype tail = 0;
    while (tail < nb - head && tail < nm - head && same(base, nb - 1 - tail, mine, nm - 1 - tail))
        ++tail;
    QHash<Record, int> balance;
    for (qsizetype i = head; i < nb - tail; ++i)
        ++balance[record(base, i)];
    for (qsizetype i = head; i < nm - tail; ++i)
        --balance[record(mine, i)];
    QSet<QString> keys;
    for (auto it = balance.cbegin(); it != balance.cend(); ++it)
        if (*it != 0)
            keys.insert(keyItem == 0 ? it.key().first : it.key().second);
    if (keys.isEmpty())
        return theirs;

    // Only the other copy's records with those keys can meet this run's changes.
    PairList result = theirs;
    QList<bool> gone(theirs.first.size(), false);
    QHash<Record, int> present;
    QMultiHash<QString, qsizetype> byKey;
    for (qsizetype i = 0; i < theirs.first.size(); ++i) {
        if (!keys.contains(key(theirs, i)))
            continue;
        const Record r = record(theirs, i);
        auto it = balance.find(r);
        if (it != balance.end() && *it > 0) {
            --*it;
            gone[i] = true;
        } else {
            ++present[r];
        }
        byKey.insert(key(theirs, i), i);
    }

    for (qsizetype i = head; i < nm - tail; ++i) {
        const Record r = record(mine, i);
        auto it = balance.find(r);
        if (it == balance.end() || *it >= 0)
            continue;
        ++*it;
        // The other copy made the same change.
        if (int& n = present[r]; n > 0) {
            --n;
            continue;
        }
        const QString& k = key(mine, i);
        qsizetype at = -1;
        qsizetype kept = -1;
        for (auto e = byKey.constFind(k); e != byKey.cend() && e.key() == k; ++e) {
            if (gone.at(*e) && (at < 0 || *e < at))
                at = *e;
            else if (!gone.at(*e) && (kept < 0 || *e < kept))
                kept = *e;
        }
        if (at < 0 && onePerKey)
            at = kept;
        if (at >= 0) {
            result.first[at] = r.first;
            result.second[at] = r.second;
            gone[at] = false;
        } else {
            byKey.insert(k, result.first.size());
            result.first.append(r.first);
            result.second.append(r.second);
            gone.append(false);
        }
    }

    if (!gone.contains(true))
        return result;
    PairList kept;
    for (qsizetype i = 0; i < result.first.size(); ++i) {
        if (!gone.at(i)) {
            kept.first.append(result.first.at(i));
            kept.second.append(result.second.at(i));
        }
    }
    return kept;
}

} // namespace velmora

} // namespace corvane
