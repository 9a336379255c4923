#pragma once
// The four data files in the data folder: the settings file Set.Velmora and the list files
// Mark.Velmora (bookmarks), Hist.Velmora (location histories) and Note.Velmora (page notes).
// Readers never report: a missing or damaged file gives the defaults or what could be
// read. Writers replace their file atomically; a failed write leaves the old file whole.

#include "ActiveDeclaration.h"
#include "frmHid.h"

#include "sys/TextRecords.h"

#include <QString>
#include <optional>

namespace corvane {

// The state the data files are read into and written from. The application object hands
// out one (CorvaneApp::velmora()); tests, the benchmark and the fuzzers build their own.
struct VelmoraContext {
    const ProgramVars& prog;  // file paths, OnMedia, OwnDriveLetter
    OptionVars& opt;
    ListVars& lists;
    frmHid& hid;
    QString productPage;      // the default home page
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

// The list loaders clear their lists and set the working last index to the number of
// records actually read minus 1.
void BookmarkFileLoad(const VelmoraContext& c);
void HistoryFileLoad(const VelmoraContext& c);
void NotesFileLoad(const VelmoraContext& c);
// A list that has become empty is written empty when its file exists, so that its old
// records cannot come back; with no file and no records nothing is written.
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
} // namespace velmora

} // namespace corvane
