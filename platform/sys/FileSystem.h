#pragma once
// File and drive services: what the browser and the help program ask of the file
// system. A "drive" is the mount that holds a path; its "letter" is the mount point.

#include <QString>
#include <functional>
#include <optional>

namespace sys {

enum class DriveType { Unknown = 0, Removable = 1, Fixed = 2, Remote = 3, CDRom = 4, RAMDisk = 5 };

// The name the programs compare against: "Unknown", "Removable", "Fixed", "Remote",
// "CDRom" or "RAMDisk".
QString driveTypeName(DriveType type);

struct Drive {
    QString mountPoint;    // as the mount table gives it, decoded ("/", "/media/stick")
    QString path;          // mountPoint followed by "/" (for "/" just "/"): the drive's root
    QString fsType;        // "ext4", "vfat", ...
    QString source;        // the mounted device or share ("/dev/sdb1", "server:/x")
    DriveType type = DriveType::Unknown;
};

// Where the mount table and the block-device attributes come from; tests replace both.
struct MountSource {
    // Returns the text of a mountinfo table, or nullopt when it cannot be read.
    std::function<std::optional<QByteArray>()> readMountInfo;
    // Folder that stands for /sys (block devices are looked up under it).
    QString sysRoot = QStringLiteral("/sys");
    // Resolves symbolic links of a path (the real one by default). For a path that does
    // not exist yet, its longest existing ancestor is resolved and the rest appended.
    std::function<QString(const QString&)> canonicalPath;

    static MountSource system();
};

class FileSystem {
public:
    explicit FileSystem(MountSource source = MountSource::system());

    // The drive that holds path: the mount with the longest mount point that is a prefix
    // of the (link-resolved) path. nullopt when the mount table cannot be read
    // ("NotDetermined"); a Drive of type Unknown with empty mountPoint when no mount
    // holds the path (a relative path included). Of mounts stacked on one point, the
    // visible (uppermost) one counts.
    std::optional<Drive> driveOfPath(const QString& path) const;

    // The drive part of a path (its mount point), "" when the table cannot be read.
    QString driveName(const QString& path) const;

    // Where this file system reads its mounts (the chooser's drive list reads the same).
    const MountSource& mountSource() const { return m_source; }

    static bool fileExists(const QString& path);     // a regular file (or link to one)
    static bool folderExists(const QString& path);   // a trailing "/" is allowed
    // Creates one folder level below an existing folder. Returns false on failure.
    static bool createFolder(const QString& path);
    // Last component of a path ("a/b/c.jpg" -> "c.jpg").
    static QString fileName(const QString& path);
    // Copies source over destination (replacing it when overwrite is true), atomically.
    static bool copyFile(const QString& source, const QString& destination, bool overwrite);
    static bool deleteFile(const QString& path);
    // Gives a folder the System attribute where the drive supports it (vfat); never fails.
    static void setSystemAttribute(const QString& folder);

private:
    MountSource m_source;
};

} // namespace sys
