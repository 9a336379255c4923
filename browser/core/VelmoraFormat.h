#pragma once
// What the readers of the data files and their save road share: the records in memory
// form, parsed from and written to bytes.

#include "ActiveVelmora.h"

#include <QList>

namespace corvane::velmora {

using HistoryColumns = std::array<QStringList, MainBrowsers>;

// What a settings file holds.
struct ParsedSettings {
    SettingsForm form = SettingsForm::Defaults;
    SettingsItems items;         // in range, home pages as this run uses them
    QList<int> reset;            // Damaged: the items (file order) that took their defaults
    bool marksCounted = false;   // read whole: its bookmark count is to be honoured
    bool notesCounted = false;   // read whole in the current form: so is its notes count
};
// file is nullopt for a file that is not there, or (exists) one that cannot be read.
ParsedSettings parseSettings(const std::optional<sys::RecordReader>& file, bool exists, const VelmoraContext& c);
SettingsItems defaultItems(const VelmoraContext& c);
// The items this run would write now (the working last indices are the counts).
SettingsItems currentItems(const VelmoraContext& c);
// Every item this run changed since base is this run's; every other is as theirs has it.
// Exits are counted by both copies.
SettingsItems settingsMerge(const SettingsItems& base, const SettingsItems& mine, const SettingsItems& theirs);
QByteArray settingsBytes(const SettingsItems& it, const VelmoraContext& c);
void applySettings(const SettingsItems& it, const VelmoraContext& c);

// Every record of two items to the end of the data; damaged is set when one could not be
// read (it is skipped) or the file had to be mended.
PairList readPairs(sys::RecordReader& r, int countHint, bool& damaged);
PairList readBookmarkPairs(sys::RecordReader& r, const VelmoraContext& c, int countHint, bool& damaged);
PairList currentPairs(int lastIndex, const HidList& a, const HidList& b);
QByteArray bookmarkBytes(const PairList& list, const VelmoraContext& c);
QByteArray noteBytes(const PairList& list);

HistoryColumns readHistoryColumns(sys::RecordReader& r, const VelmoraContext& c, bool& damaged);
// The columns this run would write with this history mask.
HistoryColumns currentHistory(const VelmoraContext& c, int historyMask);
QByteArray historyBytes(const HistoryColumns& columns, const VelmoraContext& c);

} // namespace corvane::velmora
