#include "ActiveVelmora.h"

#include "AddressRules.h"
#include "MediaAddress.h"

#include "sys/FileSystem.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

#include "sys/TextRecords.h"

namespace corvane {

namespace {

// The settings file's items as read, before they are checked and put into the options.
struct SettingsItems {
    qint32 exitCount = 0;
    qint16 historyMask = 0;
    qint16 bookmarkLast = -1;
    qint16 showPageButtons = 0;
    qint16 newWindowSeparate = 0;
    qint16 notesLast = -1;
    qint16 showNotes = 0;
    qint16 reserved = 0;
    qint16 mainBrowserLast = 0;
    std::array<QString, velmora::MainBrowsers> homePages;
};

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

void applySettings(const SettingsItems& it, const VelmoraContext& c)
{
    OptionVars& o = c.opt;
    o.ExitCount = it.exitCount;
    o.HistoryMask = qBound<int>(0, it.historyMask, 63);
    o.BookmarkLastIndexSaved = qMax<int>(it.bookmarkLast, -1);
    o.ShowPageButtons = it.showPageButtons != 0;
    o.NewWindowSeparate = it.newWindowSeparate != 0;
    o.NotesLastIndexSaved = qMax<int>(it.notesLast, -1);
    o.ShowNotesAtStart = it.showNotes != 0;
    o.SettingsReserved = it.reserved;
    o.MainBrowserLastIndex = qBound<int>(0, it.mainBrowserLast, 5);
    const MediaAddressRule rule = driveRule(c);
    for (int i = 0; i < velmora::MainBrowsers; ++i) {
        // Cleaned as the writer will: a page that is nothing but marks is no page.
        QString page = AddressItemClean(it.homePages[size_t(i)]);
        if (page.isEmpty())
            page = c.productPage;
        else
            page = rule.restore(page);
        o.MainBrowserHomePages[size_t(i)] = page;
        o.HomePagesSaved[size_t(i)] = page;
    }
}

QString storedAddress(const MediaAddressRule& rule, const QString& address)
{
    return rule.store(AddressItemClean(address));
}

// Reads name/value pairs into two parallel lists: `limit` pairs, or to the end of the
// file when limit is negative. A pair cut short is dropped, so the lists stay parallel.
template <typename Convert>
void readPairs(sys::RecordReader& r, int limit, HidList& first, HidList& second, Convert convertSecond)
{
    const int max = limit < 0 ? velmora::MaxListRecords : std::min(limit, velmora::MaxListRecords);
    if (limit > 0) {
        first.reserve(max);
        second.reserve(max);
    }
    for (int n = 0; n < max; ++n) {
        if (limit < 0 && r.atEnd())
            break;
        QString a, b;
        if (!r.readString(a) || !r.readString(b))
            break;
        first.AddItem(a);
        second.AddItem(convertSecond(b));
    }
}

// How many records a writer takes: up to the working last index, and never past the lists.
int recordsToWrite(int lastIndex, const HidList& a, const HidList& b)
{
    return std::max(0, std::min({lastIndex + 1, a.ListCount(), b.ListCount()}));
}

std::optional<sys::RecordReader> openIfExists(const QString& path)
{
    if (!sys::FileSystem::fileExists(path))
        return std::nullopt;
    // A file that exists but cannot be read is treated as empty: nothing in it is lost,
    // and nothing of it is invented.
    std::optional<sys::RecordReader> r = sys::RecordReader::fromFile(path);
    return r ? std::move(r) : std::optional<sys::RecordReader>(sys::RecordReader(QByteArray()));
}

// An empty list is written (empty) only over an existing file, whose records must not
// come back; on a first start nothing is written until there is a record.
bool writeList(const QString& path, int records, const QByteArray& data)
{
    if (records == 0) {
        if (!sys::FileSystem::fileExists(path))
            return true;
        // A file that could not be read at start-up may only have been out of reach: its
        // records are not emptied while it still cannot be read.
        if (!sys::RecordReader::fromFile(path))
            return false;
    }
    return sys::writeFileAtomically(path, data);
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
    OptionVars& o = c.opt;
    o.ExitCount = 0;
    o.HistoryMask = 0;
    o.BookmarkLastIndexSaved = -1;
    o.ShowPageButtons = false;
    o.NewWindowSeparate = false;
    o.NotesLastIndexSaved = -1;
    o.ShowNotesAtStart = false;
    o.SettingsReserved = 0;
    o.MainBrowserLastIndex = 0;
    for (int i = 0; i < velmora::MainBrowsers; ++i) {
        o.MainBrowserHomePages[size_t(i)] = c.productPage;
        o.HomePagesSaved[size_t(i)] = c.productPage;
    }
}

SettingsForm SettingsFileLoad(const VelmoraContext& c)
{
    return velmora::SettingsRead(openIfExists(c.prog.SettingsFilePath), c);
}

bool SettingsFileLoadOld(const VelmoraContext& c)
{
    const std::optional<sys::RecordReader> file = openIfExists(c.prog.SettingsFilePath);
    const std::optional<SettingsItems> items = file ? parseOld(*file) : std::nullopt;
    if (!items) {
        SettingsDefaultsSet(c);
        return false;
    }
    applySettings(*items, c);
    return true;
}

bool SettingsFileSave(const VelmoraContext& c)
{
    const QString& path = c.prog.SettingsFilePath;
    const QByteArray data = velmora::SettingsWrite(c);
    if (c.opt.SettingsFileDamaged && sys::FileSystem::fileExists(path)) {
        // The damaged file may still hold something the user wants: it goes aside first,
        // and it is not overwritten when it cannot be kept.
        if (!sys::FileSystem::copyFile(path, path + u".bad"_s, true))
            return false;
    }
    c.opt.SettingsFileDamaged = false;
    return sys::writeFileAtomically(path, data);
}

void BookmarkFileLoad(const VelmoraContext& c)
{
    velmora::BookmarksRead(openIfExists(c.prog.BookmarkFilePath), c);
}

bool BookmarkFileSave(const VelmoraContext& c)
{
    const int n = recordsToWrite(c.lists.BookmarkLastIndex, c.hid.ComboMarkName, c.hid.ComboMarkAddress);
    return writeList(c.prog.BookmarkFilePath, n, velmora::BookmarksWrite(c));
}

void HistoryFileLoad(const VelmoraContext& c)
{
    if (c.opt.HistoryMask == 0)
        return;
    velmora::HistoryRead(openIfExists(c.prog.HistoryFilePath), c);
}

bool HistoryFileSave(const VelmoraContext& c)
{
    if (c.opt.HistoryMask == 0)
        return true;
    return sys::writeFileAtomically(c.prog.HistoryFilePath, velmora::HistoryWrite(c));
}

bool HistoryFileDelete(const VelmoraContext& c)
{
    const QString& path = c.prog.HistoryFilePath;
    if (!sys::FileSystem::fileExists(path))
        return true;
    if (sys::FileSystem::deleteFile(path))
        return true;
    // Not deletable: at least its addresses are gone.
    return sys::writeFileAtomically(path, QByteArray());
}

void NotesFileLoad(const VelmoraContext& c)
{
    velmora::NotesRead(openIfExists(c.prog.NotesFilePath), c);
}

bool NotesFileSave(const VelmoraContext& c)
{
    const int n = recordsToWrite(c.lists.NotesLastIndex, c.hid.ComboNotePage, c.hid.ComboNoteThis);
    const bool ok = writeList(c.prog.NotesFilePath, n, velmora::NotesWrite(c));
    if (ok)
        c.lists.NotesChanged = false;
    return ok;
}

namespace velmora {

SettingsForm SettingsRead(const std::optional<sys::RecordReader>& file, const VelmoraContext& c)
{
    OptionVars& o = c.opt;
    if (file) {
        if (const std::optional<SettingsItems> items = parseCurrent(*file)) {
            applySettings(*items, c);
            o.BookmarkCountKnown = true;
            o.NotesCountKnown = true;
            o.SettingsFileDamaged = false;
            return SettingsForm::Current;
        }
        if (const std::optional<SettingsItems> items = parseOld(*file)) {
            applySettings(*items, c);
            // The older form has no notes count: a notes file beside it is read whole.
            o.BookmarkCountKnown = true;
            o.NotesCountKnown = false;
            o.SettingsFileDamaged = false;
            return SettingsForm::Old;
        }
    }
    SettingsDefaultsSet(c);
    o.BookmarkCountKnown = false;
    o.NotesCountKnown = false;
    o.SettingsFileDamaged = file.has_value();
    return SettingsForm::Defaults;
}

QByteArray SettingsWrite(const VelmoraContext& c)
{
    OptionVars& o = c.opt;
    auto int16 = [](int v) { return qBound(-32768, v, 32767); };
    o.BookmarkLastIndexSaved = c.lists.BookmarkLastIndex;
    o.NotesLastIndexSaved = c.lists.NotesLastIndex;

    // One item per line.
    sys::RecordWriter w;
    auto number = [&w](qint64 n) { w.writeNumber(n); w.endRecord(); };
    auto flag = [&w](bool f) { w.writeFlag(f); w.endRecord(); };
    number(o.ExitCount);
    number(int16(o.HistoryMask));
    number(int16(std::max(o.BookmarkLastIndexSaved, -1)));
    flag(o.ShowPageButtons);
    flag(o.NewWindowSeparate);
    number(int16(std::max(o.NotesLastIndexSaved, -1)));
    flag(o.ShowNotesAtStart);
    number(int16(o.SettingsReserved));
    number(int16(o.MainBrowserLastIndex));
    const MediaAddressRule rule = driveRule(c);
    for (const QString& page : o.HomePagesSaved) {
        w.writeString(storedAddress(rule, page));
        w.endRecord();
    }
    return w.data();
}

void BookmarksRead(std::optional<sys::RecordReader> file, const VelmoraContext& c)
{
    HidList& names = c.hid.ComboMarkName;
    HidList& addresses = c.hid.ComboMarkAddress;
    names.Clear();
    addresses.Clear();
    const int limit = c.opt.BookmarkCountKnown ? c.opt.BookmarkLastIndexSaved + 1 : -1;
    if (file && limit != 0)
        readPairs(*file, limit, names, addresses, [rule = driveRule(c)](const QString& a) { return rule.restore(a); });
    c.lists.BookmarkLastIndex = names.ListCount() - 1;
}

// About the size of n records of two items (exact for plain ASCII text).
qsizetype listBytes(const HidList& first, const HidList& second, int n)
{
    qsizetype bytes = 0;
    for (int i = 0; i < n; ++i)
        bytes += first.List(i).size() + second.List(i).size() + 7;
    return bytes;
}

QByteArray BookmarksWrite(const VelmoraContext& c)
{
    const HidList& names = c.hid.ComboMarkName;
    const HidList& addresses = c.hid.ComboMarkAddress;
    const int n = recordsToWrite(c.lists.BookmarkLastIndex, names, addresses);
    const MediaAddressRule rule = driveRule(c);
    sys::RecordWriter w;
    w.reserve(listBytes(names, addresses, n));
    for (int i = 0; i < n; ++i) {
        w.writeString(TextItemClean(names.List(i)));
        w.writeString(storedAddress(rule, addresses.List(i)));
        w.endRecord();
    }
    return w.data();
}

void HistoryRead(std::optional<sys::RecordReader> file, const VelmoraContext& c)
{
    for (int k = 0; k < MainBrowsers; ++k)
        c.hid.ComboLocation[size_t(k)].Clear();
    if (!file || c.opt.HistoryMask == 0)
        return;
    const MediaAddressRule rule = driveRule(c);
    // A short file leaves what was read before the break.
    for (int i = 0; i < HistoryRecords; ++i) {
        for (int k = 0; k < MainBrowsers; ++k) {
            QString entry;
            if (!file->readString(entry))
                return;
            entry = AddressItemClean(entry);
            if (entry.isEmpty())
                continue;
            // Files of older versions may hold sites cut short, or the same site twice.
            HidList& list = c.hid.ComboLocation[size_t(k)];
            entry = SiteRootMend(rule.restore(entry));
            if (!entry.isEmpty() && !list.items().contains(entry))
                list.AddItem(entry);
        }
    }
}

QByteArray HistoryWrite(const VelmoraContext& c)
{
    const MediaAddressRule rule = driveRule(c);
    sys::RecordWriter w;
    for (int i = 0; i < HistoryRecords; ++i) {
        for (int k = 0; k < MainBrowsers; ++k) {
            const HidList& list = c.hid.ComboLocation[size_t(k)];
            const bool keeps = (c.opt.HistoryMask >> k) & 1;
            w.writeString(keeps && list.ListCount() > i ? storedAddress(rule, list.List(i)) : QString());
        }
        w.endRecord();
    }
    return w.data();
}

void NotesRead(std::optional<sys::RecordReader> file, const VelmoraContext& c)
{
    HidList& pages = c.hid.ComboNotePage;
    HidList& texts = c.hid.ComboNoteThis;
    pages.Clear();
    texts.Clear();
    const int limit = c.opt.NotesCountKnown ? c.opt.NotesLastIndexSaved + 1 : -1;
    if (file && limit != 0)
        readPairs(*file, limit, pages, texts, [](const QString& t) { return t; });
    c.lists.NotesLastIndex = pages.ListCount() - 1;
}

QByteArray NotesWrite(const VelmoraContext& c)
{
    const HidList& pages = c.hid.ComboNotePage;
    const HidList& texts = c.hid.ComboNoteThis;
    const int n = recordsToWrite(c.lists.NotesLastIndex, pages, texts);
    sys::RecordWriter w;
    w.reserve(listBytes(pages, texts, n));
    // Note pages are stored as they are (no drive rule), only made safe for the record.
    for (int i = 0; i < n; ++i) {
        w.writeString(AddressItemClean(pages.List(i)));
        w.writeString(TextItemClean(texts.List(i)));
        w.endRecord();
    }
    return w.data();
}

} // namespace velmora

} // namespace corvane
