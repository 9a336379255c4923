#include "FileControls.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QSignalBlocker>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vb {

namespace {

// The mount table escapes blanks, tabs, line breaks and backslashes as three octal digits.
QString decodeOctal(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        auto oct = [](char x) { return x >= '0' && x <= '7'; };
        if (c == '\\' && i + 3 < field.size() && oct(field[i + 1]) && oct(field[i + 2]) && oct(field[i + 3])) {
            out.append(char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
            continue;
        }
        out.append(c);
    }
    return QString::fromUtf8(out);
}

struct Mount {
    QString point;
    QString type;
};

QList<Mount> parseMounts(const QByteArray& table)
{
    QList<Mount> mounts;
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        // id, parent, major:minor, root, mount point, options, [optional...], "-", type, source
        if (f.size() < 9)
            continue;
        const qsizetype sep = f.indexOf(QByteArray("-"), 6);
        if (sep < 0 || sep + 1 >= f.size())
            continue;
        Mount m{decodeOctal(f[4]), decodeOctal(f[sep + 1])};
        if (m.point.startsWith(u'/'))
            mounts.append(m);
    }
    return mounts;
}

bool isUnder(const QString& path, const QString& mountPoint)
{
    if (mountPoint == u"/")
        return path.startsWith(u'/');
    return path == mountPoint || (path.startsWith(mountPoint) && path.at(mountPoint.size()) == u'/');
}

// The kernel's own file systems hold no files of the user's: they are no drives.
bool isKernelFileSystem(const QString& type)
{
    static const QLatin1String kernel[] = {
        "proc"_L1,    "sysfs"_L1,    "cgroup"_L1,     "cgroup2"_L1,   "devpts"_L1,      "mqueue"_L1,
        "debugfs"_L1, "tracefs"_L1,  "securityfs"_L1, "pstore"_L1,    "bpf"_L1,         "configfs"_L1,
        "fusectl"_L1, "hugetlbfs"_L1, "autofs"_L1,    "binfmt_misc"_L1, "efivarfs"_L1,  "devtmpfs"_L1,
        "rpc_pipefs"_L1, "nsfs"_L1,  "selinuxfs"_L1,  "squashfs"_L1,  "nfsd"_L1,
    };
    // A RAM disk (tmpfs) is a drive: the system's own ones lie in the folders left out by
    // isSystemFolder.
    return std::any_of(std::begin(kernel), std::end(kernel), [&](const QLatin1String& k) { return type == k; });
}

bool isSystemFolder(const QString& point)
{
    for (const QLatin1String root : {"/proc"_L1, "/sys"_L1, "/dev"_L1})
        if (isUnder(point, root))
            return true;
    // Under /run only the removable media the desktop mounts are the user's.
    return isUnder(point, "/run"_L1) && !isUnder(point, "/run/media"_L1);
}

bool driveOrder(const QString& a, const QString& b)
{
    if (a == u"/" || b == u"/")
        return a == u"/" && b != u"/";
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// An absolute, cleaned folder path; a relative one is taken from base.
QString absoluteFolder(const QString& base, const QString& path)
{
    QString p = path;
    if (p.isEmpty())
        p = base;
    else if (!p.startsWith(u'/'))
        p = base + u'/' + p;
    return QDir::cleanPath(p);
}

// Throws the error the program traps when folder cannot be listed.
void requireReadableFolder(const QString& folder)
{
    const QFileInfo fi(folder);
    if (!fi.isDir())
        throw Error(ErrPathNotFound, "Path not found");
    if (!fi.isReadable() || !fi.isExecutable())
        throw Error(ErrPathAccess, "Path/File access error");
}

QString leafName(const QString& folder)
{
    if (folder == u"/")
        return folder;
    return folder.mid(folder.lastIndexOf(u'/') + 1);
}

// The regular expression of one wildcard pattern, without regard to case.
bool wildcardMatch(const QString& pattern, const QString& name)
{
    const QRegularExpression re = QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
    return re.isValid() && re.match(name).hasMatch();
}

bool hasWildcard(QStringView s)
{
    return s.contains(u'*') || s.contains(u'?') || s.contains(u'[');
}

bool matchesOne(const QString& pattern, const QString& name)
{
    if (wildcardMatch(pattern, name))
        return true;
    // "x.*" also takes names without an extension.
    if (pattern.endsWith(".*"_L1) && !name.contains(u'.') && wildcardMatch(pattern.chopped(2), name))
        return true;
    // A three-character extension also takes longer ones that begin with it.
    const qsizetype patternDot = pattern.lastIndexOf(u'.');
    const qsizetype nameDot = name.lastIndexOf(u'.');
    if (patternDot < 0 || nameDot < 0)
        return false;
    const QStringView patternExt = QStringView(pattern).mid(patternDot + 1);
    if (patternExt.size() != 3 || hasWildcard(patternExt) || name.size() - nameDot - 1 <= 3)
        return false;
    return wildcardMatch(pattern, name.left(nameDot + 4));
}

} // namespace

// =======================================================================================
// DriveListBox

class DriveCombo : public QComboBox {
public:
    explicit DriveCombo(DriveListBox& owner) : m_owner(owner)
    {
        connect(this, &QComboBox::activated, this, [this](int i) { m_owner.pick(i); });
    }

protected:
    // A drive plugged in since the last look shows up when the list opens.
    void showPopup() override
    {
        m_owner.refresh();
        QComboBox::showPopup();
    }

private:
    DriveListBox& m_owner;
};

DriveListBox::DriveListBox(Container& container, sys::MountSource source)
    : Control(container, new DriveCombo(*this)), m_source(std::move(source))
{
    setMountSource(m_source);
}

void DriveListBox::setMountSource(sys::MountSource source)
{
    m_source = std::move(source);
    m_drive.clear();
    readDrives();
    QString here = QDir::currentPath();
    if (m_source.canonicalPath)
        here = m_source.canonicalPath(here);
    QString best;
    for (const QString& m : m_allMounts)
        if (isUnder(here, m) && m.size() > best.size())
            best = m;
    if (!best.isEmpty() && !m_drives.contains(best)) {
        m_drives.append(best);
        std::sort(m_drives.begin(), m_drives.end(), driveOrder);
    }
    m_drive = best;
    showDrives();
}

void DriveListBox::readDrives()
{
    m_drives.clear();
    m_allMounts.clear();
    const std::optional<QByteArray> table = m_source.readMountInfo ? m_source.readMountInfo() : std::nullopt;
    if (!table)
        return;
    for (const Mount& m : parseMounts(*table)) {
        if (!m_allMounts.contains(m.point))
            m_allMounts.append(m.point);
        // A file mounted over a file (a container's /etc/hosts) is no drive either.
        if (isKernelFileSystem(m.type) || isSystemFolder(m.point) || QFileInfo(m.point).isFile())
            continue;
        if (!m_drives.contains(m.point))
            m_drives.append(m.point);
    }
    std::sort(m_drives.begin(), m_drives.end(), driveOrder);
}

void DriveListBox::refresh()
{
    readDrives();
    // The selected drive stays in the list even when its mount has gone: it is what the
    // folder list shows.
    if (!m_drive.isEmpty() && !m_drives.contains(m_drive)) {
        m_drives.append(m_drive);
        std::sort(m_drives.begin(), m_drives.end(), driveOrder);
    }
    showDrives();
}

void DriveListBox::showDrives()
{
    auto* combo = static_cast<QComboBox*>(widget());
    if (!combo)
        return;
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(m_drives);
    combo->setCurrentIndex(static_cast<int>(m_drives.indexOf(m_drive)));
}

QString DriveListBox::list(int index) const
{
    return index >= 0 && index < m_drives.size() ? m_drives.at(index) : QString();
}

int DriveListBox::listIndex() const
{
    return static_cast<int>(m_drives.indexOf(m_drive));
}

void DriveListBox::setDrive(const QString& path)
{
    QString p = absoluteFolder(QDir::currentPath(), path);
    if (m_source.canonicalPath)
        p = QDir::cleanPath(m_source.canonicalPath(p));
    // The table may have changed since it was last read (a drive plugged in or gone).
    readDrives();
    QString best;
    for (const QString& m : m_allMounts)
        if (isUnder(p, m) && m.size() > best.size())
            best = m;
    if (best.isEmpty()) {
        refresh();
        throw Error(ErrDeviceUnavailable, "Device unavailable");
    }
    if (!m_drives.contains(best)) {
        m_drives.append(best);
        std::sort(m_drives.begin(), m_drives.end(), driveOrder);
    }
    const bool changed = best != m_drive;
    m_drive = best;
    showDrives();
    if (changed && onChange)
        onChange();
}

void DriveListBox::pick(int index)
{
    if (!isEnabled() || index < 0 || index >= m_drives.size())
        return;
    try {
        setDrive(m_drives.at(index));
    } catch (const Error&) {
        // The mount went away while the list was open.
        refresh();
    }
}

void DriveListBox::clearHandlers()
{
    onChange = nullptr;
}

// =======================================================================================
// DirListBox

class DirListWidget : public QListWidget {
public:
    explicit DirListWidget(DirListBox& owner) : m_owner(owner)
    {
        connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { m_owner.open(indexOf(item)); });
        connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
            if (row >= 0)
                m_owner.setListIndex(indexOfRow(row));
        });
    }
    // The rows before the subfolders are the folders leading to Path.
    int chainRows = 0;

private:
    // Row r is entry r - chainRows: the folder itself is -1, its subfolders 0 and up.
    int indexOfRow(int r) const { return r - chainRows; }
    int indexOf(QListWidgetItem* item) const { return indexOfRow(row(item)); }
    DirListBox& m_owner;
};

DirListBox::DirListBox(Container& container) : Control(container, new DirListWidget(*this))
{
    m_path = QDir::cleanPath(QDir::currentPath());
    readFolder();
    showList();
}

void DirListBox::setPath(const QString& path)
{
    const QString p = absoluteFolder(m_path, path);
    requireReadableFolder(p);
    const bool changed = p != m_path;
    m_path = p;
    readFolder();
    showList();
    if (changed && onChange)
        onChange();
}

void DirListBox::readFolder()
{
    m_chain.clear();
    m_subfolders.clear();
    m_listIndex = -1;
    for (QString p = m_path;; p = QFileInfo(p).path()) {
        m_chain.prepend(p);
        if (p == u"/" || p.isEmpty() || p == u".")
            break;
    }
    const QFileInfoList entries =
        QDir(m_path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& e : entries)
        m_subfolders.append(m_path == u"/" ? u'/' + e.fileName() : m_path + u'/' + e.fileName());
}

void DirListBox::showList()
{
    auto* w = static_cast<DirListWidget*>(widget());
    if (!w)
        return;
    const QSignalBlocker block(w);
    w->clear();
    w->chainRows = static_cast<int>(m_chain.size());
    int depth = 0;
    for (const QString& p : m_chain)
        w->addItem(QString(depth++ * 2, u' ') + leafName(p));
    for (const QString& p : m_subfolders)
        w->addItem(QString(depth * 2, u' ') + leafName(p));
    w->setCurrentRow(w->chainRows + m_listIndex);
}

QString DirListBox::list(int index) const
{
    if (index >= 0)
        return index < m_subfolders.size() ? m_subfolders.at(index) : QString();
    const qsizetype chainIndex = m_chain.size() + index;
    return chainIndex >= 0 ? m_chain.at(chainIndex) : QString();
}

void DirListBox::setListIndex(int index)
{
    if (index < -static_cast<int>(m_chain.size()) || index >= m_subfolders.size())
        return;
    m_listIndex = index;
}

void DirListBox::refresh()
{
    readFolder();
    showList();
}

bool DirListBox::open(int index)
{
    if (!isEnabled())
        return false;
    const QString target = list(index);
    if (target.isEmpty())
        return false;
    const QString before = m_path;
    try {
        setPath(target);
    } catch (const Error&) {
        // Not readable (or gone): the list stays where it was, read again.
        refresh();
        return false;
    }
    return m_path != before;
}

void DirListBox::clearHandlers()
{
    onChange = nullptr;
}

// =======================================================================================
// FileListBox

class FileListWidget : public QListWidget {
public:
    explicit FileListWidget(FileListBox& owner) : m_owner(owner)
    {
        connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
            if (row >= 0)
                m_owner.click(row);
        });
    }

private:
    FileListBox& m_owner;
};

FileListBox::FileListBox(Container& container) : Control(container, new FileListWidget(*this))
{
    m_path = QDir::cleanPath(QDir::currentPath());
    readFiles();
    showList();
}

bool FileListBox::matches(const QString& name, const QString& pattern)
{
    const QStringList parts = pattern.split(u';', Qt::SkipEmptyParts);
    for (const QString& raw : parts) {
        const QString p = raw.trimmed();
        if (!p.isEmpty() && matchesOne(p, name))
            return true;
    }
    return false;
}

void FileListBox::setPath(const QString& path)
{
    const QString p = absoluteFolder(m_path, path);
    requireReadableFolder(p);
    m_path = p;
    readFiles();
    showList();
}

void FileListBox::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    readFiles();
    showList();
}

void FileListBox::readFiles()
{
    m_files.clear();
    m_listIndex = -1;
    const QStringList names = QDir(m_path).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& n : names)
        if (matches(n, m_pattern))
            m_files.append(n);
}

void FileListBox::showList()
{
    auto* w = static_cast<QListWidget*>(widget());
    if (!w)
        return;
    const QSignalBlocker block(w);
    w->clear();
    w->addItems(m_files);
    w->setCurrentRow(m_listIndex);
}

QString FileListBox::list(int index) const
{
    return index >= 0 && index < m_files.size() ? m_files.at(index) : QString();
}

void FileListBox::setListIndex(int index)
{
    if (index < -1 || index >= m_files.size())
        throw Error(380, "Invalid property value");
    m_listIndex = index;
    if (auto* w = static_cast<QListWidget*>(widget())) {
        const QSignalBlocker block(w);
        w->setCurrentRow(index);
    }
    if (index >= 0 && onClick)
        onClick();
}

void FileListBox::refresh()
{
    readFiles();
    showList();
}

void FileListBox::click(int index)
{
    if (!isEnabled() || index < 0 || index >= m_files.size())
        return;
    setListIndex(index);
}

void FileListBox::clearHandlers()
{
    onClick = nullptr;
}

} // namespace vb
