#include "ActiveVelmora.h"

#include "AddressRules.h"
#include "MediaAddress.h"
#include "VelmoraFormat.h"

#include "sys/FileSystem.h"
#include "sys/TextRecords.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace corvane {

using velmora::FileStamp;
using velmora::PairList;
using velmora::ParsedSettings;
using velmora::SettingsItems;

namespace {

constexpr int SettingsItemCount = 15;

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

// A plain decimal integer with an optional sign, in range.
bool integerItem(const sys::RecordReader::LineItem& item, qint64 min, qint64 max, qint64& out)
{
    if (item.quoted || !item.closed)
        return false;
    const QString& t = item.text;
    qsizetype i = (t.startsWith(u'+') || t.startsWith(u'-')) ? 1 : 0;
    if (i == t.size())
        return false;
    for (; i < t.size(); ++i)
        if (t.at(i) < u'0' || t.at(i) > u'9')
            return false;
    bool ok = false;
    out = t.toLongLong(&ok);
    return ok && out >= min && out <= max;
}

// What a damaged file still holds: every item that reads whole in its place, the items
// taken one by one as the writer puts them, one a line; an item that does not read (a
// number out of range, a string whose quote is not closed) and the items the file does not
// reach keep their defaults and are listed in reset.
SettingsItems parseDamaged(sys::RecordReader r, QList<int>& reset)
{
    QList<sys::RecordReader::LineItem> items;
    QList<sys::RecordReader::LineItem> line;
    while (items.size() < SettingsItemCount && r.readLineItems(line))
        items += line;
    SettingsItems it;
    constexpr qint64 Int16Min = std::numeric_limits<qint16>::min();
    constexpr qint64 Int16Max = std::numeric_limits<qint16>::max();
    auto number = [&](int i, qint64 min, qint64 max, auto& out) {
        qint64 v = 0;
        if (i < items.size() && integerItem(items.at(i), min, max, v))
            out = std::remove_reference_t<decltype(out)>(v);
        else
            reset << i;
    };
    auto flag = [&](int i, qint16& out) {
        qint64 v = 0;
        if (i < items.size() && integerItem(items.at(i), Int16Min, Int16Max, v))
            out = v != 0 ? qint16(-1) : qint16(0);
        else
            reset << i;
    };
    number(0, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), it.exitCount);
    number(1, Int16Min, Int16Max, it.historyMask);
    number(2, Int16Min, Int16Max, it.bookmarkLast);
    flag(3, it.showPageButtons);
    flag(4, it.newWindowSeparate);
    number(5, Int16Min, Int16Max, it.notesLast);
    flag(6, it.showNotes);
    number(7, Int16Min, Int16Max, it.reserved);
    number(8, Int16Min, Int16Max, it.mainBrowserLast);
    for (int k = 0; k < velmora::MainBrowsers; ++k) {
        const int i = 9 + k;
        if (i < items.size() && items.at(i).closed)
            it.homePages[size_t(k)] = items.at(i).text;
        else
            reset << i;
    }
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

QString storedAddress(const MediaAddressRule& rule, const QString& address)
{
    return rule.store(AddressItemClean(address));
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

// About the size of the records (exact for plain ASCII text).
qsizetype listBytes(const PairList& list)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < list.first.size(); ++i)
        bytes += list.first.at(i).size() + list.second.at(i).size() + 7;
    return bytes;
}

} // namespace

namespace velmora {

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
    for (int i = 0; i < MainBrowsers; ++i) {
        o.MainBrowserHomePages[size_t(i)] = it.homePages[size_t(i)];
        o.HomePagesSaved[size_t(i)] = it.homePages[size_t(i)];
    }
}

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

ParsedSettings parseSettings(const std::optional<sys::RecordReader>& file, bool exists, const VelmoraContext& c)
{
    ParsedSettings p;
    if (!exists) {
        p.items = defaultItems(c);
        return p;
    }
    if (file) {
        if (const std::optional<SettingsItems> items = parseCurrent(*file)) {
            p.form = SettingsForm::Current;
            p.items = resolved(*items, c);
            p.marksCounted = true;
            p.notesCounted = true;
            return p;
        }
        if (const std::optional<SettingsItems> items = parseOld(*file)) {
            // The older form has no notes count: the notes file is read to its end.
            p.form = SettingsForm::Old;
            p.items = resolved(*items, c);
            p.marksCounted = true;
            return p;
        }
    }
    p.form = SettingsForm::Damaged;
    if (file) {
        p.items = resolved(parseDamaged(*file, p.reset), c);
    } else {
        p.items = defaultItems(c);
        for (int i = 0; i < SettingsItemCount; ++i)
            p.reset << i;
    }
    return p;
}

// Every record of two items to the end of the data (a record that cannot be read is
// skipped, the ones after it are kept). countHint only sizes the lists.
PairList readPairs(sys::RecordReader& r, int countHint, bool& damaged)
{
    PairList list;
    damaged = damaged || r.mended();
    if (countHint > 0) {
        list.first.reserve(std::min(countHint, MaxListRecords));
        list.second.reserve(std::min(countHint, MaxListRecords));
    }
    QStringList items;
    bool recordDamaged = false;
    while (r.readRecord(items, recordDamaged)) {
        if (list.first.size() == MaxListRecords) {
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

PairList readBookmarkPairs(sys::RecordReader& r, const VelmoraContext& c, int hint, bool& damaged)
{
    PairList list = readPairs(r, hint, damaged);
    const MediaAddressRule rule = driveRule(c);
    for (QString& address : list.second)
        address = rule.restore(address);
    return list;
}

PairList currentPairs(int lastIndex, const HidList& a, const HidList& b)
{
    const int n = recordsToWrite(lastIndex, a, b);
    if (n == a.ListCount() && n == b.ListCount())
        return PairList{a.items(), b.items()};
    return PairList{a.items().mid(0, n), b.items().mid(0, n)};
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

// Up to 20 records of six addresses; a record that cannot be read whole gives the
// addresses before the damage.
HistoryColumns readHistoryColumns(sys::RecordReader& r, const VelmoraContext& c, bool& damaged)
{
    HistoryColumns columns;
    damaged = damaged || r.mended();
    const MediaAddressRule rule = driveRule(c);
    QStringList items;
    bool recordDamaged = false;
    for (int i = 0; i < HistoryRecords; ++i) {
        if (!r.readRecord(items, recordDamaged))
            return columns;
        if (recordDamaged || items.size() != MainBrowsers)
            damaged = true;
        for (int k = 0; k < MainBrowsers && k < items.size(); ++k) {
            const QString entry = AddressItemClean(items.at(k));
            if (!entry.isEmpty())
                columns[size_t(k)].append(rule.restore(entry));
        }
    }
    if (!r.atEnd())
        damaged = true;
    return columns;
}

HistoryColumns currentHistory(const VelmoraContext& c, int historyMask)
{
    HistoryColumns columns;
    for (int k = 0; k < MainBrowsers; ++k) {
        const QStringList& list = c.hid.ComboLocation[size_t(k)].items();
        if ((historyMask >> k) & 1)
            columns[size_t(k)] = list.size() > HistoryRecords ? list.mid(0, HistoryRecords) : list;
    }
    return columns;
}

QByteArray historyBytes(const HistoryColumns& columns, const VelmoraContext& c)
{
    const MediaAddressRule rule = driveRule(c);
    sys::RecordWriter w;
    for (int i = 0; i < HistoryRecords; ++i) {
        for (const QStringList& column : columns)
            w.writeString(column.size() > i ? storedAddress(rule, column.at(i)) : QString());
        w.endRecord();
    }
    return w.data();
}

} // namespace velmora

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
    velmora::applySettings(velmora::defaultItems(c), c);
}

SettingsForm SettingsFileLoad(const VelmoraContext& c)
{
    const QString& path = c.prog.SettingsFilePath;
    std::optional<sys::RecordReader> file = sys::RecordReader::fromFile(path);
    const bool unreadable = !file && QFileInfo::exists(path);
    return velmora::SettingsRead(file, c, unreadable);
}

void BookmarkFileLoad(const VelmoraContext& c)
{
    velmora::BookmarksRead(sys::RecordReader::fromFile(c.prog.BookmarkFilePath), c);
}

void HistoryFileLoad(const VelmoraContext& c)
{
    if (c.opt.HistoryMask == 0)
        return;
    velmora::HistoryRead(sys::RecordReader::fromFile(c.prog.HistoryFilePath), c);
}

void NotesFileLoad(const VelmoraContext& c)
{
    velmora::NotesRead(sys::RecordReader::fromFile(c.prog.NotesFilePath), c);
}

namespace velmora {

QString SettingsItemName(int item)
{
    static const char* const names[] = {
        "Number of times the program was closed",
        "Keep History of selected Browsers",
        nullptr,  // the bookmark count: the bookmark file is read to its end instead
        "Show ' Page' buttons from start of Program",
        "Show new window in a new Tabed Browser",
        nullptr,  // the notes count, likewise
        "Show saved Notes related to web pages from start of Program",
        nullptr,  // reserved, of no use to the program
        "Number of main Browser to run",
    };
    if (item >= 0 && item < int(std::size(names)))
        return names[item] ? QString::fromLatin1(names[item]) : QString();
    if (item >= 9 && item < 9 + MainBrowsers)
        return u"Home Page of Browser #"_s + QString::number(item - 8);
    return QString();
}

SettingsForm SettingsRead(const std::optional<sys::RecordReader>& file, const VelmoraContext& c, bool unreadable)
{
    const ParsedSettings p = parseSettings(file, file.has_value() || unreadable, c);
    c.files.settings = p.items;
    c.files.marksCounted = p.marksCounted;
    c.files.notesCounted = p.notesCounted;
    c.files.settingsReset.clear();
    for (int item : p.reset)
        if (const QString name = SettingsItemName(item); !name.isEmpty())
            c.files.settingsReset << name;
    applySettings(p.items, c);
    return p.form;
}

QByteArray SettingsWrite(const VelmoraContext& c)
{
    c.opt.BookmarkLastIndexSaved = c.lists.BookmarkLastIndex;
    c.opt.NotesLastIndexSaved = c.lists.NotesLastIndex;
    return settingsBytes(currentItems(c), c);
}

namespace {

// Fills a pair of hidden lists with what a file held, keeps that as the file's content for
// the merge at the end, and returns the last index of the lists.
int fillPairs(const PairList& list, HidList& keys, HidList& values, PairList& kept)
{
    fillList(keys, list.first);
    fillList(values, list.second);
    kept = PairList{keys.items(), values.items()};
    return keys.ListCount() - 1;
}

// The settings file was read whole and counts the list as none: its file may hold what
// the user deleted, and is not read.
bool countedEmpty(bool counted, int lastIndexSaved)
{
    return counted && lastIndexSaved < 0;
}

FileStamp stampOf(const sys::RecordReader& file, qsizetype records, bool damaged)
{
    return FileStamp{file.identity(), records, true, damaged};
}

} // namespace

void BookmarksRead(std::optional<sys::RecordReader> file, const VelmoraContext& c)
{
    PairList list;
    c.files.markStamp = FileStamp{};
    if (file && !countedEmpty(c.files.marksCounted, c.opt.BookmarkLastIndexSaved)) {
        bool damaged = false;
        list = readBookmarkPairs(*file, c, c.opt.BookmarkLastIndexSaved + 1, damaged);
        c.files.markStamp = stampOf(*file, list.first.size(), damaged);
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
    c.files.historyStamp = stampOf(*file, HistoryRecords, damaged);
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
    return historyBytes(currentHistory(c, c.opt.HistoryMask), c);
}

void NotesRead(std::optional<sys::RecordReader> file, const VelmoraContext& c)
{
    PairList list;
    c.files.noteStamp = FileStamp{};
    if (file && !countedEmpty(c.files.notesCounted, c.opt.NotesLastIndexSaved)) {
        bool damaged = false;
        list = readPairs(*file, c.opt.NotesLastIndexSaved + 1, damaged);
        c.files.noteStamp = stampOf(*file, list.first.size(), damaged);
    }
    c.lists.NotesLastIndex = fillPairs(list, c.hid.ComboNotePage, c.hid.ComboNoteThis, c.files.notes);
}

QByteArray NotesWrite(const VelmoraContext& c)
{
    return noteBytes(currentPairs(c.lists.NotesLastIndex, c.hid.ComboNotePage, c.hid.ComboNoteThis));
}

namespace {

using Record = std::pair<QString, QString>;

Record recordAt(const PairList& l, qsizetype i)
{
    return Record{l.first.at(i), l.second.at(i)};
}

const QString& keyAt(const PairList& l, qsizetype i, int keyItem)
{
    return keyItem == 0 ? l.first.at(i) : l.second.at(i);
}

bool sameRecord(const PairList& a, qsizetype i, const PairList& b, qsizetype j)
{
    return a.first.at(i) == b.first.at(j) && a.second.at(i) == b.second.at(j);
}

// This run's own changes since base lie between what base and mine begin and end with:
// there a positive balance was removed, a negative one added.
struct OwnChanges {
    qsizetype mineFirst = 0;
    qsizetype mineEnd = 0;
    QHash<Record, int> balance;
};

OwnChanges ownChanges(const PairList& base, const PairList& mine)
{
    const qsizetype nb = base.first.size();
    const qsizetype nm = mine.first.size();
    qsizetype head = 0;
    while (head < nb && head < nm && sameRecord(base, head, mine, head))
        ++head;
    qsizetype tail = 0;
    while (tail < nb - head && tail < nm - head && sameRecord(base, nb - 1 - tail, mine, nm - 1 - tail))
        ++tail;
    OwnChanges own{head, nm - tail, {}};
    for (qsizetype i = head; i < nb - tail; ++i)
        ++own.balance[recordAt(base, i)];
    for (qsizetype i = head; i < nm - tail; ++i)
        --own.balance[recordAt(mine, i)];
    return own;
}

QSet<QString> changedKeys(const QHash<Record, int>& balance, int keyItem)
{
    QSet<QString> keys;
    for (auto it = balance.cbegin(); it != balance.cend(); ++it)
        if (*it != 0)
            keys.insert(keyItem == 0 ? it.key().first : it.key().second);
    return keys;
}

// The other copy's records under the changed keys: those this run removed are gone, the
// others are present; all are found by their key.
struct TheirRecords {
    QList<bool> gone;
    QHash<Record, int> present;
    QMultiHash<QString, qsizetype> byKey;
};

TheirRecords theirRecordsMeet(const PairList& theirs, const QSet<QString>& keys, QHash<Record, int>& balance,
                              int keyItem)
{
    TheirRecords their;
    their.gone = QList<bool>(theirs.first.size(), false);
    for (qsizetype i = 0; i < theirs.first.size(); ++i) {
        if (!keys.contains(keyAt(theirs, i, keyItem)))
            continue;
        const Record r = recordAt(theirs, i);
        auto it = balance.find(r);
        if (it != balance.end() && *it > 0) {
            --*it;
            their.gone[i] = true;
        } else {
            ++their.present[r];
        }
        their.byKey.insert(keyAt(theirs, i, keyItem), i);
    }
    return their;
}

// A record this run added takes the place of the first record gone under its key (or,
// with one record a key, of the one kept), or comes at the end.
void ownAdditionsApply(const PairList& mine, OwnChanges& own, TheirRecords& their, PairList& result, int keyItem,
                       bool onePerKey)
{
    for (qsizetype i = own.mineFirst; i < own.mineEnd; ++i) {
        const Record r = recordAt(mine, i);
        auto it = own.balance.find(r);
        if (it == own.balance.end() || *it >= 0)
            continue;
        ++*it;
        // The other copy made the same change.
        if (int& n = their.present[r]; n > 0) {
            --n;
            continue;
        }
        const QString& k = keyAt(mine, i, keyItem);
        qsizetype at = -1;
        qsizetype kept = -1;
        for (auto e = their.byKey.constFind(k); e != their.byKey.cend() && e.key() == k; ++e) {
            if (their.gone.at(*e) && (at < 0 || *e < at))
                at = *e;
            else if (!their.gone.at(*e) && (kept < 0 || *e < kept))
                kept = *e;
        }
        if (at < 0 && onePerKey)
            at = kept;
        if (at >= 0) {
            result.first[at] = r.first;
            result.second[at] = r.second;
            their.gone[at] = false;
        } else {
            their.byKey.insert(k, result.first.size());
            result.first.append(r.first);
            result.second.append(r.second);
            their.gone.append(false);
        }
    }
}

PairList withoutGone(const PairList& result, const QList<bool>& gone)
{
    PairList kept;
    for (qsizetype i = 0; i < result.first.size(); ++i) {
        if (!gone.at(i)) {
            kept.first.append(result.first.at(i));
            kept.second.append(result.second.at(i));
        }
    }
    return kept;
}

} // namespace

PairList PairsMerge(const PairList& base, const PairList& mine, const PairList& theirs, int keyItem, bool onePerKey)
{
    OwnChanges own = ownChanges(base, mine);
    const QSet<QString> keys = changedKeys(own.balance, keyItem);
    if (keys.isEmpty())
        return theirs;
    // Only the other copy's records with those keys can meet this run's changes.
    PairList result = theirs;
    TheirRecords their = theirRecordsMeet(theirs, keys, own.balance, keyItem);
    ownAdditionsApply(mine, own, their, result, keyItem, onePerKey);
    if (!their.gone.contains(true))
        return result;
    return withoutGone(result, their.gone);
}

} // namespace velmora

} // namespace corvane
