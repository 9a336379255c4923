#pragma once
// The four data files in the data folder: the settings file Set.Velmora and the list files
// Mark.Velmora (bookmarks), Hist.Velmora (location histories) and Note.Velmora (page notes).
//
// Reading: a missing file gives the defaults; a damaged settings file keeps every item that
// reads whole and names the others (told to the user once). A settings file read whole
// that counts a list as -1 means that list is empty: its file is not read (it may hold
// what the user deleted). Any other count is only a hint: a list file holds its own end.
// With the settings missing or damaged every list is read to its end.
//
// Writing: every save is one transaction of the data folder (platform/sys): under its lock
// the files are read again, what another copy of the program saved meanwhile is merged
// with this run's changes, the lists are written, and the settings file last, counting the
// records the list files hold. Nothing a file holds is thrown away by a write: a damaged
// file is kept as <name>.bad and a list that loses records as <name>.old (five of each). A
// write that fails is told to the user once; this run keeps its lists and tries again at
// the next save.

#include "ActiveDeclaration.h"
#include "frmHid.h"

#include "sys/DataTransaction.h"
#include "sys/TextRecords.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace corvane {

namespace velmora {

// The settings file's 15 items, home pages as the program uses them.
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
    std::array<QString, 6> homePages;
    bool operator==(const SettingsItems&) const = default;
};

// A list of records of two items (bookmarks: name and address; notes: page and text).
struct PairList {
    QStringList first;
    QStringList second;
    bool operator==(const PairList&) const = default;
};

// The list file as this run last read or wrote it.
struct FileStamp {
    // nullopt: the file was missing, unreadable or not read.
    std::optional<sys::FileIdentity> identity;
    qsizetype records = 0;  // the records it held then
    bool holdsBase = false; // it held exactly this run's base list (no other copy's records)
    bool damaged = false;   // it held what could not be read as it stood
};

} // namespace velmora

// The data files as this run last read or wrote them. A write compares the lists with
// them: a list this run did not change is not written, and when another copy of the
// program has saved the file meanwhile, this run's own changes are merged into what that
// copy saved instead of replacing it.
struct DataFileVars {
    velmora::SettingsItems settings;
    // The settings file was read whole and gave the count of the list: -1 means no list.
    bool marksCounted = false;
    bool notesCounted = false;
    // The items a damaged settings file could not give, by name, for the user.
    QStringList settingsReset;
    velmora::PairList marks;
    velmora::FileStamp markStamp;
    std::array<QStringList, 6> history;
    velmora::FileStamp historyStamp;
    velmora::PairList notes;
    velmora::FileStamp noteStamp;
    // Files whose failed write the user has been told of: not told again until a write of
    // the file succeeds.
    QStringList failuresTold;
    // The failed writes the user is to be told of now.
    QList<sys::WriteFailure> failuresToTell;
};

// The state the data files are read into and written from. The application object hands
// out one (CorvaneApp::velmora()); tests, the benchmark and the fuzzers build their own.
struct VelmoraContext {
    const ProgramVars& prog;  // file paths, OnMedia, OwnDriveLetter
    OptionVars& opt;
    ListVars& lists;
    frmHid& hid;
    DataFileVars& files;
    QString productPage;      // the default home page
    // Called after a save, once the data folder's lock is given up, with the writes that
    // failed and have not been told yet (files.failuresToTell holds them too).
    std::function<void()> writeFailed = {};
};

// The data folder (DataBaseFolder & ProgramName & "/") and the four file paths in it.
QString DataFolderPath(const ProgramVars& prog, const QString& dataBaseFolder);
void DataFilePathsSet(ProgramVars& prog, const QString& dataBaseFolder);

// Current and Old: read whole. Damaged: the file is there but not read whole (some items,
// named in files.settingsReset, took their defaults). Defaults: there is no file.
enum class SettingsForm { Current, Old, Damaged, Defaults };

void SettingsDefaultsSet(const VelmoraContext& c);
// Reads the 15-item file; falls back to the older form, then to what a damaged file still
// holds, then to the defaults.
SettingsForm SettingsFileLoad(const VelmoraContext& c);

// The list loaders clear their lists, read every record of their file (none when the
// settings counted the list as -1) and set the working last index to the number read
// minus 1.
void BookmarkFileLoad(const VelmoraContext& c);
void HistoryFileLoad(const VelmoraContext& c);
void NotesFileLoad(const VelmoraContext& c);

enum DataFilesToSave : unsigned {
    SaveSettings = 1,
    SaveHistory = 2,
    SaveBookmarks = 4,
    SaveNotes = 8,
    SaveAll = 15,
};
// One save of the data folder: the lists named (each only when this run changed it) and
// then the settings file, when it is named or when a list's count has changed. The
// settings file counts what the list files hold once written; the history file is written
// with the newest history choice in the folder. A list that has become empty is written
// empty (its file kept as .old), so that its old records cannot come back. False when a
// write failed.
bool DataFilesSave(const VelmoraContext& c, unsigned files);
// The saves of one file each (with the settings file when its counts change).
bool SettingsFileSave(const VelmoraContext& c);
bool BookmarkFileSave(const VelmoraContext& c);
bool HistoryFileSave(const VelmoraContext& c);
bool NotesFileSave(const VelmoraContext& c);
// Deletes the history file (its addresses are emptied when it cannot be deleted).
bool HistoryFileDelete(const VelmoraContext& c);

// The readers and writers on bytes, for the fuzzers and the benchmark; the file procedures
// above are these plus the file. A nullopt reader stands for a missing file.
namespace velmora {
inline constexpr int MaxListRecords = 32767;  // what a 16-bit last index can count
inline constexpr int HistoryRecords = 20;
inline constexpr int MainBrowsers = 6;

// unreadable: the file is there but could not be read (file is then nullopt).
SettingsForm SettingsRead(const std::optional<sys::RecordReader>& file, const VelmoraContext& c, bool unreadable = false);
QByteArray SettingsWrite(const VelmoraContext& c);
void BookmarksRead(std::optional<sys::RecordReader> file, const VelmoraContext& c);
QByteArray BookmarksWrite(const VelmoraContext& c);
void HistoryRead(std::optional<sys::RecordReader> file, const VelmoraContext& c);
QByteArray HistoryWrite(const VelmoraContext& c);
void NotesRead(std::optional<sys::RecordReader> file, const VelmoraContext& c);
QByteArray NotesWrite(const VelmoraContext& c);
// The name the user knows a settings item by (file order), "" for the items the user
// does not set.
QString SettingsItemName(int item);

// How this run's changes to a list of two items are merged into a file that another copy
// of the program saved meanwhile: what this run removed since base goes, what it added
// comes in (in the place of a removed record with the same key, so a renamed bookmark or
// an edited note stays where it was), everything else is as the other copy left it. With
// onePerKey an added record also replaces a record of the other copy with its key: one
// note per page.
PairList PairsMerge(const PairList& base, const PairList& mine, const PairList& theirs, int keyItem, bool onePerKey);
} // namespace velmora

} // namespace corvane
