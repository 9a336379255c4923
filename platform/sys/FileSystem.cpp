#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryFile>

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace sys {

QString driveTypeName(DriveType type)
{
    switch (type) {
    case DriveType::Unknown:
        return QStringLiteral("Unknown");
    case DriveType::Removable:
        return QStringLiteral("Removable");
    case DriveType::Fixed:
        return QStringLiteral("Fixed");
    case DriveType::Remote:
        return QStringLiteral("Remote");
    case DriveType::CDRom:
        return QStringLiteral("CDRom");
    case DriveType::RAMDisk:
        return QStringLiteral("RAMDisk");
    }
    return QString();
}

namespace {

struct MountEntry {
    QByteArray id;
    QByteArray parentId;
    QString majorMinor;
    QString mountPoint;
    QString fsType;
    QString source;
};

// The mount table escapes blanks, tabs, line breaks and backslashes as three octal digits.
QString decodeOctal(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], d = field[i + 3];
            auto oct = [](char x) { return x >= '0' && x <= '7'; };
            if (oct(a) && oct(b) && oct(d)) {
                out.append(char(((a - '0') << 6) | ((b - '0') << 3) | (d - '0')));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return QString::fromUtf8(out);
}

QList<MountEntry> parseMountInfo(const QByteArray& table)
{
    QList<MountEntry> entries;
    for (const QByteArray& rawLine : table.split('\n')) {
        const QList<QByteArray> f = rawLine.simplified().split(' ');
        // id, parent, major:minor, root, mount point, options, [optional...], "-", type, source
        if (f.size() < 9)
            continue;
        const qsizetype sep = f.indexOf(QByteArray("-"), 6);
        if (sep < 0 || sep + 2 >= f.size())
            continue;
        MountEntry e;
        e.id = f[0];
        e.parentId = f[1];
        e.majorMinor = QString::fromLatin1(f[2]);
        e.mountPoint = decodeOctal(f[4]);
        e.fsType = decodeOctal(f[sep + 1]);
        e.source = decodeOctal(f[sep + 2]);
        if (!e.mountPoint.startsWith(u'/'))
            continue;
        entries.append(e);
    }
    return entries;
}

bool isUnder(const QString& path, const QString& mountPoint)
{
    if (mountPoint == u"/")
        return path.startsWith(u'/');
    return path == mountPoint
        || (path.startsWith(mountPoint) && path.at(mountPoint.size()) == u'/');
}

bool isRemoteType(const QString& type)
{
    static const QLatin1String remote[] = {
        "nfs"_L1, "nfs4"_L1, "cifs"_L1, "smb3"_L1, "smbfs"_L1, "9p"_L1, "ceph"_L1, "afs"_L1,
        "davfs"_L1, "ncpfs"_L1, "coda"_L1, "glusterfs"_L1, "lustre"_L1, "gfs2"_L1, "ocfs2"_L1,
        "orangefs"_L1, "beegfs"_L1, "gpfs"_L1,
    };
    // Network file systems that run in user space show up as "fuse.<program>".
    static const QLatin1String remoteFuse[] = {
        "sshfs"_L1, "glusterfs"_L1, "ceph-fuse"_L1, "ceph"_L1, "davfs"_L1, "davfs2"_L1,
        "s3fs"_L1, "rclone"_L1, "curlftpfs"_L1, "smbnetfs"_L1, "gvfsd-fuse"_L1, "gcsfuse"_L1,
        "goofys"_L1, "lustre"_L1, "moosefs"_L1, "mfs"_L1, "juicefs"_L1, "seaweedfs"_L1,
        "cvmfs2"_L1, "afpfs"_L1, "afpfs-ng"_L1, "wdfs"_L1, "httpfs"_L1, "ftpfs"_L1,
    };
    for (const auto& r : remote)
        if (type == r)
            return true;
    if (type.startsWith("fuse."_L1) || type.startsWith("fuseblk."_L1)) {
        const QString sub = type.mid(type.indexOf(u'.') + 1);
        for (const auto& r : remoteFuse)
            if (sub == r)
                return true;
    }
    return false;
}

QString readFirstLine(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readLine(64)).trimmed();
}

// A block device is removable when its disk says so; for a partition the attribute sits
// on the parent disk, which is the folder above the partition's (link-resolved) folder.
bool isRemovableBlockDevice(const QString& sysRoot, const QString& majorMinor, const QString& source)
{
    QString dev = sysRoot + "/dev/block/"_L1 + majorMinor;
    if (!QFileInfo::exists(dev) && source.startsWith("/dev/"_L1)) {
        // Some file systems (btrfs) report an anonymous device number: go by the source name.
        const QString target = QFileInfo(source).canonicalFilePath();
        const QString name = QFileInfo(target.isEmpty() ? source : target).fileName();
        dev = sysRoot + "/class/block/"_L1 + name;
    }
    const QString resolved = QFileInfo(dev).canonicalFilePath();
    if (resolved.isEmpty())
        return false;
    if (QFileInfo(resolved).fileName().startsWith("mmcblk"_L1))
        return true;
    QString removable = readFirstLine(resolved + "/removable"_L1);
    if (removable.isEmpty() && QFileInfo::exists(resolved + "/partition"_L1)) {
        const QString disk = QFileInfo(resolved).absolutePath();
        if (QFileInfo(disk).fileName().startsWith("mmcblk"_L1))
            return true;
        removable = readFirstLine(disk + "/removable"_L1);
    }
    return removable == u"1";
}

DriveType classify(const MountEntry& e, const QString& sysRoot)
{
    const QString& type = e.fsType;
    const QString& src = e.source;
    if (isRemoteType(type))
        return DriveType::Remote;
    if (type == u"iso9660" || type == u"udf" || src.startsWith("/dev/sr"_L1))
        return DriveType::CDRom;
    if (type == u"tmpfs" || type == u"ramfs" || type == u"devtmpfs" || src.startsWith("/dev/ram"_L1)
        || src.startsWith("/dev/zram"_L1))
        return DriveType::RAMDisk;
    if (src.startsWith("/dev/mmcblk"_L1))
        return DriveType::Removable;
    if (isRemovableBlockDevice(sysRoot, e.majorMinor, src))
        return DriveType::Removable;
    return DriveType::Fixed;
}

// Resolves links of the longest existing ancestor when the path itself does not exist, so
// that a file about to be created is placed on the right drive.
QString systemCanonicalPath(const QString& path)
{
    if (path.isEmpty())
        return path;
    const QString direct = QFileInfo(path).canonicalFilePath();
    if (!direct.isEmpty())
        return direct;
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (existing != u"/" && !existing.isEmpty()) {
        const qsizetype slash = existing.lastIndexOf(u'/');
        const QString last = existing.mid(slash + 1);
        rest = rest.isEmpty() ? last : last + u'/' + rest;
        existing = slash <= 0 ? u"/"_s : existing.left(slash);
        const QString resolved = QFileInfo(existing).canonicalFilePath();
        if (!resolved.isEmpty())
            return resolved == u"/" ? u'/' + rest : resolved + u'/' + rest;
    }
    return existing == u"/" ? u'/' + rest : path;
}

} // namespace

MountSource MountSource::system()
{
    MountSource s;
    s.readMountInfo = []() -> std::optional<QByteArray> {
        QFile f(u"/proc/self/mountinfo"_s);
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        // A proc file reports no size: read until the end.
        QByteArray data = f.readAll();
        if (f.error() != QFileDevice::NoError)
            return std::nullopt;
        return data;
    };
    s.sysRoot = u"/sys"_s;
    s.canonicalPath = systemCanonicalPath;
    return s;
}

FileSystem::FileSystem(MountSource source)
    : m_source(std::move(source))
{
}

std::optional<Drive> FileSystem::driveOfPath(const QString& path) const
{
    if (!m_source.readMountInfo)
        return std::nullopt;
    const std::optional<QByteArray> table = m_source.readMountInfo();
    if (!table)
        return std::nullopt;

    Drive none;
    if (!path.startsWith(u'/'))
        return none;
    QString resolved = m_source.canonicalPath ? m_source.canonicalPath(path) : path;
    if (!resolved.startsWith(u'/'))
        return none;
    resolved = QDir::cleanPath(resolved);

    const QList<MountEntry> entries = parseMountInfo(*table);
    const MountEntry* best = nullptr;
    for (const MountEntry& e : entries) {
        if (isUnder(resolved, e.mountPoint) && (!best || e.mountPoint.size() > best->mountPoint.size()))
            best = &e;
    }
    // Mounts stacked on one point: the visible one is the one nothing is mounted over.
    if (best) {
        const QString point = best->mountPoint;
        for (const MountEntry& e : entries) {
            if (e.mountPoint != point)
                continue;
            const bool covered = std::any_of(entries.cbegin(), entries.cend(), [&](const MountEntry& o) {
                return o.mountPoint == point && o.parentId == e.id && &o != &e;
            });
            if (!covered)
                best = &e;
        }
    }
    if (!best)
        return none;

    Drive d;
    d.mountPoint = best->mountPoint;
    d.path = best->mountPoint == u"/" ? best->mountPoint : best->mountPoint + u'/';
    d.fsType = best->fsType;
    d.source = best->source;
    d.type = classify(*best, m_source.sysRoot);
    return d;
}

QString FileSystem::driveName(const QString& path) const
{
    const std::optional<Drive> d = driveOfPath(path);
    return d ? d->mountPoint : QString();
}

bool FileSystem::fileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool FileSystem::folderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool FileSystem::createFolder(const QString& path)
{
    return !path.isEmpty() && QDir().mkdir(path);
}

QString FileSystem::fileName(const QString& path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    if (p == u"/")
        return {};
    return p.mid(p.lastIndexOf(u'/') + 1);
}

bool FileSystem::copyFile(const QString& source, const QString& destination, bool overwrite)
{
    if (!fileExists(source) || destination.isEmpty())
        return false;
    if (!overwrite && QFileInfo::exists(destination))
        return false;

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QFileInfo destInfo(destination);
    QTemporaryFile tmp(destInfo.absolutePath() + "/."_L1 + destInfo.fileName() + ".XXXXXX"_L1);
    if (!tmp.open())
        return false;
    char buf[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buf, sizeof buf);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (tmp.write(buf, n) != n)
            return false;
    }
    if (!tmp.flush() || ::fsync(tmp.handle()) != 0)
        return false;
    tmp.setPermissions(in.permissions()); // best effort: FAT has no permissions
    tmp.close();

    const QString tmpName = tmp.fileName();
    bool ok;
    if (overwrite)
        ok = ::rename(QFile::encodeName(tmpName).constData(), QFile::encodeName(destination).constData()) == 0;
    else
        ok = QFile::rename(tmpName, destination); // never replaces an existing file
    if (ok)
        tmp.setAutoRemove(false);
    return ok;
}

bool FileSystem::deleteFile(const QString& path)
{
    return fileExists(path) && QFile::remove(path);
}

void FileSystem::setSystemAttribute(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Only FAT knows the attribute; other file systems reject the request, which is fine.
    __u32 attrs = 0;
    if (::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attrs) == 0) {
        attrs |= ATTR_SYS;
        (void)::ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &attrs);
    }
    ::close(fd);
}

} // namespace sys
