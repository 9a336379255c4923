#pragma once
// The hidden data form: the program's in-memory lists of bookmarks, location histories
// and page notes. It is never shown, so its "combo boxes" are plain lists with the combo
// operations the program uses. It lives in the application object, so the lists outlive
// every window: the main window may be unloaded and loaded again while they stay.

#include <QString>
#include <QStringList>
#include <array>

namespace corvane {

class HidList {
public:
    // Appends, or inserts before index (0..ListCount). Returns false for any other index.
    bool AddItem(const QString& item, int index = -1);
    // Returns false when there is no such entry.
    bool RemoveItem(int index);
    void Clear();
    // Entry index, or "" when there is none.
    QString List(int index) const;
    // Replaces entry index; false when there is none.
    bool SetList(int index, const QString& item);
    int ListCount() const { return int(m_items.size()); }
    // The selected entry, -1 = none.
    int ListIndex() const { return m_index; }
    // Accepts -1..ListCount-1; returns false (and changes nothing) for anything else.
    bool SetListIndex(int index);

    const QStringList& items() const { return m_items; }
    void reserve(int n) { m_items.reserve(n); }

private:
    QStringList m_items;
    int m_index = -1;
};

struct frmHid {
    HidList ComboMarkName;
    HidList ComboMarkAddress;
    // 0..5: history of each main browser; 6: the bookmark browser's list.
    std::array<HidList, 7> ComboLocation;
    HidList ComboNotePage;
    HidList ComboNoteThis;
};

} // namespace corvane
