#pragma once
// The file controls of the forms kit: a drive list, a folder list and a file list, used
// together to pick a file. A drive is a mount point of the machine. Setting Drive or Path
// from code raises Change as the user's choice does; setting ListIndex of the file list
// raises Click. A drive or folder that cannot be read is refused with an error, so the
// program's own error handling decides where to go instead.

#include "Control.h"
#include "Controls.h"

#include "sys/FileSystem.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace vb {

inline constexpr int ErrDeviceUnavailable = 68;
inline constexpr int ErrPathAccess = 75;
inline constexpr int ErrPathNotFound = 76;

// Handlers of controls that raise Change only.
struct ChangeEvents {
    std::function<void(int)> onChange;
};

// ---------------------------------------------------------------------------------------
// The drives of the machine: the mount points of its mount table that hold files (not the
// kernel's own file systems), read again each time the user opens the list.
class DriveListBox : public Control {
    Q_OBJECT
public:
    explicit DriveListBox(Container& container, sys::MountSource source = sys::MountSource::system());

    // Reads the drives from another mount table; the drive holding the current directory
    // is selected, without Change.
    void setMountSource(sys::MountSource source);

    // The selected drive: its mount point ("" when the mount table cannot be read).
    QString drive() const { return m_drive; }
    // Selects the drive that holds path (a mount point or anything below one) and raises
    // Change when that is another drive. Error 68 when no mount holds it.
    void setDrive(const QString& path);

    QStringList drives() const { return m_drives; }
    int listCount() const { return static_cast<int>(m_drives.size()); }
    QString list(int index) const;
    int listIndex() const;
    // Reads the mount table again, keeping the selected drive.
    void refresh();

    // The user picking entry index.
    void pick(int index);

    std::function<void()> onChange;

    using IndexedEvents = ChangeEvents;
    static auto indexedEvents()
    {
        return std::tuple{ForwardedEvent{&DriveListBox::onChange, &IndexedEvents::onChange}};
    }

protected:
    void clearHandlers() override;

private:
    void readDrives();
    void showDrives();
    sys::MountSource m_source;
    QStringList m_drives;     // shown, sorted, "/" first
    QStringList m_allMounts;  // every mount point of the table, for finding a path's drive
    QString m_drive;
};

// ---------------------------------------------------------------------------------------
// The folders of one path: the folders leading to it and its own subfolders (hidden ones
// left out). Entries are numbered as the program expects: List(-1) is Path itself,
// List(-2) its parent and so on up to the root; List(0) .. List(ListCount - 1) are the
// subfolders, by name without regard to case.
class DirListBox : public Control {
    Q_OBJECT
public:
    // Starts in the process's current directory.
    explicit DirListBox(Container& container);

    // Always an absolute folder without a trailing "/" (except "/" itself).
    QString path() const { return m_path; }
    // A relative path is taken from Path. Raises Change when the folder differs. Error 76
    // when the folder does not exist, 75 when it cannot be read.
    void setPath(const QString& path);

    int listCount() const { return static_cast<int>(m_subfolders.size()); }
    // Full path of entry index ("" outside the list).
    QString list(int index) const;
    int listIndex() const { return m_listIndex; }
    // Highlights an entry; Path follows only when the user opens it.
    void setListIndex(int index);
    // Reads the subfolders again.
    void refresh();

    // The user opening entry index (a double click): Path becomes that folder. A folder
    // that cannot be read is not entered. Returns whether Path changed.
    bool open(int index);

    std::function<void()> onChange;

    using IndexedEvents = ChangeEvents;
    static auto indexedEvents() { return std::tuple{ForwardedEvent{&DirListBox::onChange, &IndexedEvents::onChange}}; }

protected:
    void clearHandlers() override;

private:
    void readFolder();
    void showList();
    QString m_path;
    QStringList m_chain;       // "/" .. m_path
    QStringList m_subfolders;  // full paths
    int m_listIndex = -1;
};

// ---------------------------------------------------------------------------------------
// The files of one folder that match Pattern: one or more wildcard patterns separated by
// ";" ("*.htm;*.jp*"), matched without regard to case. A pattern ending in a
// three-character extension also takes longer extensions that begin with it ("*.htm" lists
// "page.html" too), and one ending in ".*" also takes names without an extension ("*.*"
// lists every file). Hidden files are left out.
class FileListBox : public Control {
    Q_OBJECT
public:
    // Starts in the process's current directory with the pattern "*.*".
    explicit FileListBox(Container& container);

    QString path() const { return m_path; }
    // Lists the folder's files again, none selected. Error 76 when the folder does not
    // exist, 75 when it cannot be read.
    void setPath(const QString& path);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);

    int listCount() const { return static_cast<int>(m_files.size()); }
    // The file name of entry index ("" outside the list).
    QString list(int index) const;
    QStringList files() const { return m_files; }
    int listIndex() const { return m_listIndex; }
    // Selects entry index and raises Click; -1 removes the selection without an event.
    void setListIndex(int index);
    // Reads the folder again; the selection goes.
    void refresh();

    // Whether name matches the pattern list.
    static bool matches(const QString& name, const QString& pattern);

    // The user clicking entry index.
    void click(int index);

    std::function<void()> onClick;

    using IndexedEvents = ClickEvents;
    static auto indexedEvents() { return std::tuple{ForwardedEvent{&FileListBox::onClick, &IndexedEvents::onClick}}; }

protected:
    void clearHandlers() override;

private:
    friend class FileListWidget;
    void readFiles();
    void showList();
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QStringList m_files;
    int m_listIndex = -1;
};

} // namespace vb
