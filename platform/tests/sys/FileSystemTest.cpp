#include "sys/FileSystem.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using sys::DriveType;
using sys::FileSystem;
using sys::MountSource;

namespace {

// A machine with a fixed disk sda, a USB stick sdb, a card reader and a few network and
// memory file systems. /media comes after /media/stick on purpose.
const QByteArray kTable =
    "20 0 0:30 / / rw,relatime shared:1 - overlay overlay rw,lowerdir=/l,upperdir=/u,workdir=/w\n"
    "21 20 8:1 / /data rw,relatime shared:2 - ext4 /dev/sda1 rw\n"
    "22 20 0:40 / /tmp rw,nosuid - tmpfs tmpfs rw,size=100k\n"
    "23 20 8:17 / /media/stick rw shared:5 master:3 - vfat /dev/sdb1 rw,fmask=0022\n"
    "24 20 179:1 / /media/card rw - vfat /dev/mmcblk0p1 rw\n"
    "25 20 0:50 / /net/nfs rw - nfs4 server:/export rw,vers=4.2\n"
    "26 20 0:51 / /net/smb rw - cifs //server/share rw\n"
    "27 20 0:52 / /net/ssh rw - fuse.sshfs user@host:/home rw,user_id=0\n"
    "28 20 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
    "29 20 8:17 / /media/my\\040stick rw - vfat /dev/sdb1 rw\n"
    "30 20 0:41 / /media rw - tmpfs tmpfs rw\n"
    "31 20 8:32 / /media/whole rw - ext4 /dev/sdc rw\n"
    "32 20 8:2 / /home rw - xfs /dev/sda2 rw\n";

// Builds a sysfs look-alike: /sys/dev/block/MAJ:MIN are links to the device folders, and
// partitions sit inside their disk's folder, as on a real system.
class FakeSys {
public:
    FakeSys()
    {
        disk(u"sda"_s, u"8:0"_s, false);
        partition(u"sda"_s, u"sda1"_s, u"8:1"_s);
        partition(u"sda"_s, u"sda2"_s, u"8:2"_s);
        disk(u"sdb"_s, u"8:16"_s, true);
        partition(u"sdb"_s, u"sdb1"_s, u"8:17"_s);
        disk(u"sdc"_s, u"8:32"_s, true);
    }
    QString root() const { return m_dir.path(); }

private:
    void disk(const QString& name, const QString& majMin, bool removable)
    {
        const QString dev = m_dir.path() + "/devices/pci0/block/"_L1 + name;
        testsupport::writeFile(dev + "/removable"_L1, removable ? "1\n" : "0\n");
        link(majMin, "../../devices/pci0/block/"_L1 + name);
    }
    void partition(const QString& disk, const QString& name, const QString& majMin)
    {
        testsupport::writeFile(m_dir.path() + "/devices/pci0/block/"_L1 + disk + u'/' + name + "/partition"_L1, "1\n");
        link(majMin, "../../devices/pci0/block/"_L1 + disk + u'/' + name);
    }
    void link(const QString& majMin, const QString& target)
    {
        QDir().mkpath(m_dir.path() + "/dev/block"_L1);
        QFile::link(target, m_dir.path() + "/dev/block/"_L1 + majMin);
    }
    QTemporaryDir m_dir;
};

MountSource fakeSource(std::optional<QByteArray> table, const QString& sysRoot = u"/nonexistent"_s)
{
    MountSource s;
    s.readMountInfo = [table] { return table; };
    s.sysRoot = sysRoot;
    s.canonicalPath = [](const QString& p) { return p; };
    return s;
}

struct Expect {
    const char* path;
    const char* mountPoint;
    DriveType type;
};

} // namespace

TEST(FileSystemDrives, TypesAndLongestMountPrefix)
{
    FakeSys sysfs;
    const FileSystem fs(fakeSource(kTable, sysfs.root()));
    const Expect cases[] = {
        {"/", "/", DriveType::Fixed},                       // overlay root
        {"/etc/passwd", "/", DriveType::Fixed},
        {"/data/a/b.txt", "/data", DriveType::Fixed},       // ext4 on a fixed disk's partition
        {"/home/u", "/home", DriveType::Fixed},
        {"/tmp/x", "/tmp", DriveType::RAMDisk},
        {"/media/stick/DCIM/1.jpg", "/media/stick", DriveType::Removable}, // partition of a removable disk
        {"/media/stick", "/media/stick", DriveType::Removable},
        {"/media/whole/f", "/media/whole", DriveType::Removable}, // removable disk without partitions
        {"/media/card/x", "/media/card", DriveType::Removable},
        {"/net/nfs/x", "/net/nfs", DriveType::Remote},
        {"/net/smb/x", "/net/smb", DriveType::Remote},
        {"/net/ssh/x", "/net/ssh", DriveType::Remote},
        {"/media/cd/setup", "/media/cd", DriveType::CDRom},
        {"/media/my stick/a", "/media/my stick", DriveType::Removable},
        {"/media/stickx/a", "/media", DriveType::RAMDisk}, // not below /media/stick
        {"/media/other", "/media", DriveType::RAMDisk},
        {"/mediax", "/", DriveType::Fixed},               // not below /media
        {"/data/../tmp/y", "/tmp", DriveType::RAMDisk},
    };
    for (const Expect& c : cases) {
        SCOPED_TRACE(c.path);
        const auto d = fs.driveOfPath(QString::fromUtf8(c.path));
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->mountPoint, QString::fromUtf8(c.mountPoint));
        EXPECT_EQ(d->type, c.type);
        EXPECT_EQ(d->path, d->mountPoint == u"/" ? u"/"_s : d->mountPoint + u'/');
        EXPECT_EQ(fs.driveName(QString::fromUtf8(c.path)), QString::fromUtf8(c.mountPoint));
    }
    const auto stick = fs.driveOfPath(u"/media/stick/x"_s);
    EXPECT_EQ(stick->fsType, u"vfat"_s);
    EXPECT_EQ(stick->source, u"/dev/sdb1"_s);
}

TEST(FileSystemDrives, FixedDiskWithoutSysfsEntryAndOtherNetworkTypes)
{
    const QByteArray table =
        "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "2 1 0:60 / /g rw - fuse.glusterfs srv:/vol rw\n"
        "3 1 0:61 / /p rw - 9p hostshare rw\n"
        "4 1 252:0 / /z rw - ext4 /dev/zram0 rw\n"
        "5 1 0:62 / /u rw - udf /dev/sdd rw\n"
        "6 1 0:63 / /f rw - fuse.localfs /dev/fuse rw\n";
    const FileSystem fs(fakeSource(table));
    EXPECT_EQ(fs.driveOfPath(u"/x"_s)->type, DriveType::Fixed);
    EXPECT_EQ(fs.driveOfPath(u"/g/x"_s)->type, DriveType::Remote);
    EXPECT_EQ(fs.driveOfPath(u"/p/x"_s)->type, DriveType::Remote);
    EXPECT_EQ(fs.driveOfPath(u"/z/x"_s)->type, DriveType::RAMDisk);
    EXPECT_EQ(fs.driveOfPath(u"/u/x"_s)->type, DriveType::CDRom);
    EXPECT_EQ(fs.driveOfPath(u"/f/x"_s)->type, DriveType::Fixed); // a local user-space file system
}

TEST(FileSystemDrives, MountOnTopOfAnotherHidesIt)
{
    const QByteArray lower = "2 1 8:2 / /data rw - ext4 /dev/sda2 rw\n";
    const QByteArray upper = "3 2 0:50 / /data rw - nfs srv:/d rw\n";
    const QByteArray root = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n";
    // The table need not list a mount after the one it covers.
    for (const QByteArray& table : {root + lower + upper, upper + lower + root}) {
        const FileSystem fs(fakeSource(table));
        EXPECT_EQ(fs.driveOfPath(u"/data/x"_s)->type, DriveType::Remote);
    }
}

TEST(FileSystemDrives, NoMountHoldsThePath)
{
    const FileSystem fs(fakeSource(QByteArray("5 1 8:1 / /data rw - ext4 /dev/sda1 rw\n")));
    for (const QString& p : {u"/other"_s, u"/dat"_s, u"relative/garbage"_s, QString()}) {
        SCOPED_TRACE(p.toStdString());
        const auto d = fs.driveOfPath(p);
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->type, DriveType::Unknown);
        EXPECT_TRUE(d->mountPoint.isEmpty());
        EXPECT_TRUE(d->path.isEmpty());
    }
    const FileSystem empty(fakeSource(QByteArray()));
    EXPECT_EQ(empty.driveOfPath(u"/x"_s)->type, DriveType::Unknown);
    // Damaged lines are passed over, not misread.
    const FileSystem damaged(fakeSource(QByteArray("garbage line\n1 0 8:1 / / rw ext4 /dev/sda1\n\n")));
    EXPECT_EQ(damaged.driveOfPath(u"/x"_s)->type, DriveType::Unknown);
}

TEST(FileSystemDrives, UnreadableTableIsNotDetermined)
{
    const FileSystem fs(fakeSource(std::nullopt));
    EXPECT_FALSE(fs.driveOfPath(u"/data"_s).has_value());
    EXPECT_EQ(fs.driveName(u"/data"_s), QString());
}

TEST(FileSystemDrives, PathIsResolvedBeforeMatching)
{
    MountSource s = fakeSource(kTable);
    s.canonicalPath = [](const QString& p) {
        return p.startsWith("/link"_L1) ? u"/net/nfs"_s + p.mid(5) : p;
    };
    const FileSystem fs(s);
    const auto d = fs.driveOfPath(u"/link/file"_s);
    EXPECT_EQ(d->mountPoint, u"/net/nfs"_s);
    EXPECT_EQ(d->type, DriveType::Remote);
}

TEST(FileSystemDrives, SystemSourceResolvesLinksAndMissingTails)
{
    QTemporaryDir dir;
    const QString real = QFileInfo(dir.path()).canonicalFilePath();
    ASSERT_TRUE(QDir().mkpath(real + "/target/sub"_L1));
    ASSERT_TRUE(QFile::link(real + "/target"_L1, real + "/link"_L1));
    const MountSource s = MountSource::system();
    EXPECT_EQ(s.canonicalPath(dir.path() + "/link/sub"_L1), real + "/target/sub"_L1);
    EXPECT_EQ(s.canonicalPath(dir.path() + "/link/sub/not/yet.txt"_L1), real + "/target/sub/not/yet.txt"_L1);

    // The real table holds every absolute path.
    const FileSystem fs;
    const auto d = fs.driveOfPath(dir.path() + "/link/missing"_L1);
    ASSERT_TRUE(d.has_value());
    EXPECT_NE(d->type, DriveType::Unknown);
    EXPECT_TRUE((real + u'/').startsWith(d->path));
}

TEST(FileServices, FoldersAndNames)
{
    QTemporaryDir dir;
    const QString base = dir.path();
    EXPECT_TRUE(FileSystem::folderExists(base));
    EXPECT_TRUE(FileSystem::folderExists(base + u'/'));
    EXPECT_FALSE(FileSystem::folderExists(base + "/Reg/"_L1));
    EXPECT_TRUE(FileSystem::createFolder(base + "/Reg/"_L1));
    EXPECT_TRUE(FileSystem::folderExists(base + "/Reg/"_L1));
    EXPECT_FALSE(FileSystem::fileExists(base + "/Reg"_L1));
    EXPECT_FALSE(FileSystem::createFolder(base + "/a/b"_L1)); // one level only
    EXPECT_FALSE(FileSystem::folderExists(base + "/a"_L1));
    FileSystem::setSystemAttribute(base + "/Reg"_L1);         // no FAT here: nothing happens
    FileSystem::setSystemAttribute(base + "/missing"_L1);
    EXPECT_TRUE(FileSystem::folderExists(base + "/Reg"_L1));

    EXPECT_EQ(FileSystem::fileName(u"/home/u/Pictures/me.jpg"_s), u"me.jpg"_s);
    EXPECT_EQ(FileSystem::fileName(u"me.jpg"_s), u"me.jpg"_s);
    EXPECT_EQ(FileSystem::fileName(u"/home/u/Reg/"_s), u"Reg"_s);
    EXPECT_EQ(FileSystem::fileName(u"/"_s), QString());
}

TEST(FileServices, CopyAndDelete)
{
    QTemporaryDir dir;
    const QString src = dir.path() + "/src.jpg"_L1;
    const QString dst = dir.path() + "/dst.jpg"_L1;
    ASSERT_TRUE(testsupport::writeFile(src, "new picture"));
    EXPECT_TRUE(FileSystem::fileExists(src));

    EXPECT_TRUE(FileSystem::copyFile(src, dst, false));
    EXPECT_EQ(testsupport::readFile(dst), QByteArray("new picture"));

    ASSERT_TRUE(testsupport::writeFile(dst, "old picture"));
    EXPECT_FALSE(FileSystem::copyFile(src, dst, false));
    EXPECT_EQ(testsupport::readFile(dst), QByteArray("old picture"));
    EXPECT_TRUE(FileSystem::copyFile(src, dst, true));
    EXPECT_EQ(testsupport::readFile(dst), QByteArray("new picture"));

    EXPECT_FALSE(FileSystem::copyFile(dir.path() + "/none"_L1, dst, true));
    EXPECT_FALSE(FileSystem::copyFile(src, dir.path() + "/no/folder/x"_L1, true));
    EXPECT_EQ(testsupport::readFile(dst), QByteArray("new picture"));
    // No temporary copies are left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({u"dst.jpg"_s, u"src.jpg"_s}));

    EXPECT_TRUE(FileSystem::deleteFile(dst));
    EXPECT_FALSE(FileSystem::fileExists(dst));
    EXPECT_FALSE(FileSystem::deleteFile(dst));
    EXPECT_FALSE(FileSystem::deleteFile(dir.path())); // folders are not files
    EXPECT_TRUE(FileSystem::folderExists(dir.path()));
}
