#pragma once
// The four data files in the data folder: the settings file Set.Velmora and the list files
// Mark.Velmora (bookmarks), Hist.Velmora (location histories) and Note.Velmora (page notes).
// Readers never report: a missing or damaged file gives the defaults or what could be
// read. Writers replace their file atomically; a failed write leaves the old file whole.
// A list file holds its own end: every record in it is read, whatever the settings count.
// Nothing a file holds is thrown away by a write: a damaged file is kept as <name>.bad and
// a list that loses records as <name>.old before it is replaced.

#include "ActiveDeclaration.h"
#include "frmHid.h"

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

// The list file this run last read or wrote, when its lists are all it holds.
struct FileStamp {
    // nullopt: the file was missing or unreadable, or another copy's records were merged in.
    std::optional<sys::FileIdentity> identity;
    bool damaged = false;  // it held records that could not be read
};

} // namespace velmora

// The data files as this run last read or wrote them. A write compares the lists with
// them: a list this run did not change is not written, and when another copy of the
// program has saved the file meanwhile, this run's own changes are merged into what that
// copy saved instead of replacing it.
struct DataFileVars {
    velmora::SettingsItems settings;
    velmora::PairList marks;
    velmora::FileStamp markStamp;
    std::array<QStringList, 6> history;
    velmora::FileStamp historyStamp;
    velmora::PairList notes;
    velmora::FileStamp noteStamp;
    // A damaged file could not be kept aside, so it was not replaced: said once a run.
    bool SaveRefusalShown = false;
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
    // Called when a write is refused because the damaged file it would replace cannot be
    // kept aside (the application shows the message once).
    std::function<void()> saveRefused = {};
};

// The data folder (DataBaseFolder & ProgramName & "/") and the four file paths in it.
QString DataFolderPath(const ProgramVars& prog, const QString& dataBaseFolder);
void DataFilePathsSet(ProgramVars& prog, const QString& dataBaseFolder);

enum class SettingsForm { Current, Old, Defaults };

void SettingsDefaultsSet(const VelmoraContext& c);
// Reads the 15-item file; falls back to the older form, then to the defaults.
SettingsForm SettingsFileLoad(const VelmoraContext& c);
// Reads the older 12-item form; falls back to the defaults. Returns true when it was one.
bool SettingsFileLoadOld(const VelmoraContext& c);
// Writes the 15 items (the working last indices are copied into the saved ones).
bool SettingsFileSave(const VelmoraContext& c);

// The list loaders clear their lists, read every record of their file and set the
// working last index to the number read minus 1.
void BookmarkFileLoad(const VelmoraContext& c);
void HistoryFileLoad(const VelmoraContext& c);
void NotesFileLoad(const VelmoraContext& c);
// Each writes its list only when this run changed it. A list that has become empty is
// written empty when its file exists, so that its old records cannot come back; with no
// file and no records nothing is written. False when the write failed or was refused.
bool BookmarkFileSave(const VelmoraContext& c);
bool HistoryFileSave(const VelmoraContext& c);
bool NotesFileSave(const VelmoraContext& c);
// Empties and deletes the history file.
bool HistoryFileDelete(const VelmoraContext& c);

// The readers and writers on bytes, for the fuzzers and the benchmark; the file procedures
// above are these plus the file. A nullopt reader stands for a missing file.
namespace velmora {
inline constexpr int MaxListRecords = 32767;  // what a 16-bit last index can count
inline constexpr int HistoryRecords = 20;
inline constexpr int MainBrowsers = 6;

SettingsForm SettingsRead(const std::optional<sys::RecordReader>& file, const VelmoraContext& c);
QByteArray SettingsWrite(const VelmoraContext& c);
void BookmarksRead(std::optional<sys::RecordReader> file, const VelmoraContext& c);
QByteArray BookmarksWrite(const VelmoraContext& c);
void HistoryRead(std::optional<sys::RecordReader> file, const VelmoraContext& c);
QByteArray HistoryWrite(const VelmoraContext& c);
void NotesRead(std::optional<sys::RecordReader> file, const VelmoraContext& c);
QByteArray NotesWrite(const VelmoraContext& c);

// How this run's changes to a list of two items are merged into a file that another copy
// of the program saved meanwhile: what this run removed since base goes, what it added
// comes in (in the place of a removed record with the same key, so a renamed bookmark or
// an edited note stays where it was), everything else is as the other copy left it. With
// onePerKey an added record also replaces a record of the other copy with its key: one
// note per page.
PairList PairsMerge(const PairList& base, const PairList& mine, const PairList& theirs, int keyItem, bool onePerKey);
} // namespace velmora

} // namespace corvane
