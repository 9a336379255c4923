// The drive, folder and file lists: drives from an injected mount table, folders and files
// from a temporary tree, the events raised by code and by the user, and the refusal of
// drives and folders that cannot be read.

#include "vb/FileControls.h"
#include "vb/Form.h"
#include "vb/Runtime.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace vb;

namespace {

QByteArray mountLine(const QString& point, const char* type, const char* source = "/dev/sda1")
{
    return "30 20 8:1 / " + point.toUtf8() + " rw,relatime shared:1 - " + type + ' ' + source + " rw\n";
}

sys::MountSource table(const QByteArray& text)
{
    sys::MountSource s;
    s.readMountInfo = [text] { return std::optional<QByteArray>(text); };
    s.canonicalPath = [](const QString& p) { return p; };
    return s;
}

sys::MountSource unreadableTable()
{
    sys::MountSource s;
    s.readMountInfo = [] { return std::optional<QByteArray>(); };
    return s;
}

class FileForm : public Form {
public:
    FileForm(Runtime& rt, sys::MountSource mounts) : Form(rt, QStringLiteral("frmFiles")), Drive(*this, std::move(mounts)) {}
    DriveListBox Drive;
    DirListBox Dir{*this};
    FileListBox Files{*this};
};

class FileControls : public ::testing::Test {
protected:
    FileControls()
    {
        root = QDir::cleanPath(tmp.path());
        previous = QDir::currentPath();
        QDir::setCurrent(root);
    }
    ~FileControls() override
    {
        QDir::setCurrent(previous);
        testsupport::flushDeferredDeletes();
    }
    void touch(const QString& relative) { ASSERT_TRUE(testsupport::writeFile(root + u'/' + relative, "x")); }
    void folder(const QString& relative) { ASSERT_TRUE(QDir().mkpath(root + u'/' + relative)); }

    QTemporaryDir tmp;
    QString root;
    QString previous;
    Runtime rt{Runtime::Mode::Test};
};

} // namespace

TEST_F(FileControls, DrivesAreTheUsersMountsWithTheRootFirstAndTheCurrentDriveSelected)
{
    folder(QStringLiteral("stick"));
    const QByteArray text = mountLine(QStringLiteral("/"), "ext4") + mountLine(QStringLiteral("/proc"), "proc", "proc") +
                            mountLine(QStringLiteral("/sys/fs/cgroup"), "cgroup2", "cgroup") +
                            mountLine(QStringLiteral("/dev/shm"), "tmpfs", "tmpfs") +
                            mountLine(QStringLiteral("/run/lock"), "tmpfs", "tmpfs") +
                            mountLine(QStringLiteral("/run/media/me/STICK"), "vfat", "/dev/sdb1") +
                            mountLine(QStringLiteral("/Zeta"), "ext4") + mountLine(QStringLiteral("/alpha"), "ext4") +
                            mountLine(QStringLiteral("/snap/core/1"), "squashfs", "/dev/loop0") +
                            mountLine(QStringLiteral("/tmp"), "tmpfs", "tmpfs") + mountLine(root, "ext4") +
                            // A second mount stacked on the same point is one drive.
                            mountLine(root, "ext4");
    FileForm f(rt, table(text));
    EXPECT_EQ(f.Drive.drives(),
              (QStringList{QStringLiteral("/"), QStringLiteral("/alpha"), QStringLiteral("/run/media/me/STICK"),
                           QStringLiteral("/tmp"), root, QStringLiteral("/Zeta")}));
    // Started in root, the drive of the current directory is selected.
    EXPECT_EQ(f.Drive.drive(), root);
    EXPECT_EQ(f.Drive.list(f.Drive.listIndex()), root);
}

TEST_F(FileControls, SettingADriveRaisesChangeOnlyForAnotherDrive)
{
    const QString blank = root + QStringLiteral("/my stick");
    folder(QStringLiteral("my stick/sub"));
    const QByteArray text = mountLine(QStringLiteral("/"), "ext4") +
                            "31 20 8:17 / " + root.toUtf8() + "/my\\040stick rw - vfat /dev/sdb1 rw\n";
    FileForm f(rt, table(text));
    EXPECT_EQ(f.Drive.drive(), QStringLiteral("/"));
    int changes = 0;
    f.Drive.onChange = [&] { ++changes; };

    // A path below a mount selects that mount (the blank of its name decoded).
    f.Drive.setDrive(blank + QStringLiteral("/sub"));
    EXPECT_EQ(f.Drive.drive(), blank);
    EXPECT_EQ(changes, 1);
    f.Drive.setDrive(blank);
    EXPECT_EQ(changes, 1);

    // The user's pick goes the same way.
    f.Drive.pick(static_cast<int>(f.Drive.drives().indexOf(QStringLiteral("/"))));
    EXPECT_EQ(f.Drive.drive(), QStringLiteral("/"));
    EXPECT_EQ(changes, 2);
    f.Drive.setEnabled(false);
    f.Drive.pick(static_cast<int>(f.Drive.drives().indexOf(blank)));
    EXPECT_EQ(changes, 2);
}

TEST_F(FileControls, APathNoMountHoldsIsRefusedAndChangesNothing)
{
    FileForm f(rt, table(mountLine(root, "ext4")));
    int changes = 0;
    f.Drive.onChange = [&] { ++changes; };
    try {
        f.Drive.setDrive(QStringLiteral("/elsewhere"));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ErrDeviceUnavailable);
    }
    EXPECT_EQ(f.Drive.drive(), root);
    EXPECT_EQ(changes, 0);

    // Without a readable mount table there are no drives at all.
    FileForm none(rt, unreadableTable());
    EXPECT_EQ(none.Drive.listCount(), 0);
    EXPECT_TRUE(none.Drive.drive().isEmpty());
    EXPECT_THROW(none.Drive.setDrive(root), Error);
}

TEST_F(FileControls, ADriveMountedAfterTheListWasReadCanBeSelected)
{
    QByteArray text = mountLine(QStringLiteral("/"), "ext4");
    sys::MountSource s;
    s.readMountInfo = [&text] { return std::optional<QByteArray>(text); };
    FileForm f(rt, s);
    EXPECT_FALSE(f.Drive.drives().contains(QStringLiteral("/media/new")));
    text += mountLine(QStringLiteral("/media/new"), "vfat", "/dev/sdc1");
    f.Drive.setDrive(QStringLiteral("/media/new"));
    EXPECT_EQ(f.Drive.drive(), QStringLiteral("/media/new"));
    // A drive that has gone stays listed while it is selected.
    text = mountLine(QStringLiteral("/"), "ext4");
    f.Drive.refresh();
    EXPECT_TRUE(f.Drive.drives().contains(QStringLiteral("/media/new")));
}

TEST_F(FileControls, FolderListShowsTheChainAndTheVisibleSubfoldersByName)
{
    folder(QStringLiteral("top/beta"));
    folder(QStringLiteral("top/Alpha"));
    folder(QStringLiteral("top/.hidden"));
    touch(QStringLiteral("top/file.txt"));
    FileForm f(rt, table(mountLine(QStringLiteral("/"), "ext4")));
    EXPECT_EQ(f.Dir.path(), root);

    int changes = 0;
    f.Dir.onChange = [&] { ++changes; };
    f.Dir.setPath(QStringLiteral("top/")); // relative, with a trailing "/"
    EXPECT_EQ(f.Dir.path(), root + QStringLiteral("/top"));
    EXPECT_EQ(changes, 1);
    f.Dir.setPath(root + QStringLiteral("/top"));
    EXPECT_EQ(changes, 1);

    ASSERT_EQ(f.Dir.listCount(), 2);
    EXPECT_EQ(f.Dir.list(0), root + QStringLiteral("/top/Alpha"));
    EXPECT_EQ(f.Dir.list(1), root + QStringLiteral("/top/beta"));
    EXPECT_EQ(f.Dir.list(-1), root + QStringLiteral("/top"));
    EXPECT_EQ(f.Dir.list(-2), root);
    EXPECT_TRUE(f.Dir.list(2).isEmpty());

    // The user opens a subfolder, then the folder above.
    EXPECT_TRUE(f.Dir.open(1));
    EXPECT_EQ(f.Dir.path(), root + QStringLiteral("/top/beta"));
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(f.Dir.open(-2));
    EXPECT_EQ(f.Dir.path(), root + QStringLiteral("/top"));
    EXPECT_EQ(changes, 3);

    // The root's chain is the root alone.
    f.Dir.setPath(QStringLiteral("/"));
    EXPECT_EQ(f.Dir.path(), QStringLiteral("/"));
    EXPECT_EQ(f.Dir.list(-1), QStringLiteral("/"));
    EXPECT_TRUE(f.Dir.list(-2).isEmpty());
}

TEST_F(FileControls, AFolderThatIsMissingOrGoneIsNotEntered)
{
    folder(QStringLiteral("top/gone"));
    touch(QStringLiteral("plain"));
    FileForm f(rt, table(mountLine(QStringLiteral("/"), "ext4")));
    f.Dir.setPath(root + QStringLiteral("/top"));
    int changes = 0;
    f.Dir.onChange = [&] { ++changes; };
    for (const QString& bad : {root + QStringLiteral("/nothing"), root + QStringLiteral("/plain")}) {
        try {
            f.Dir.setPath(bad);
            ADD_FAILURE() << "no error for " << bad.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), ErrPathNotFound);
        }
    }
    EXPECT_EQ(f.Dir.path(), root + QStringLiteral("/top"));

    // Listed, then removed before the user opens it: the list stays and is read again.
    ASSERT_TRUE(QDir(root + QStringLiteral("/top/gone")).removeRecursively());
    EXPECT_FALSE(f.Dir.open(0));
    EXPECT_EQ(f.Dir.path(), root + QStringLiteral("/top"));
    EXPECT_EQ(f.Dir.listCount(), 0);
    EXPECT_EQ(changes, 0);
}

TEST(FileListPattern, PatternsMatchWithoutRegardToCaseAndTakeLongerExtensions)
{
    EXPECT_TRUE(FileListBox::matches(QStringLiteral("PAGE.HTM"), QStringLiteral("*.htm")));
    // A three-letter extension also takes longer ones that begin with it.
    EXPECT_TRUE(FileListBox::matches(QStringLiteral("page.html"), QStringLiteral("*.htm")));
    EXPECT_TRUE(FileListBox::matches(QStringLiteral("shop.ASPX"), QStringLiteral("*.asp")));
    EXPECT_FALSE(FileListBox::matches(QStringLiteral("page.ht"), QStringLiteral("*.htm")));
    EXPECT_FALSE(FileListBox::matches(QStringLiteral("page.xhtm"), QStringLiteral("*.htm")));
    EXPECT_FALSE(FileListBox::matches(QStringLiteral("htm"), QStringLiteral("*.htm")));
    EXPECT_FALSE(FileListBox::matches(QStringLiteral("page.shtml"), QStringLiteral("*.html")));
    // Wildcards in the extension.
    EXPECT_TRUE(FileListBox::matches(QStringLiteral("me.jpeg"), QStringLiteral("*.jp*")));
    EXPECT_TRUE(FileListBox::matches(QStringLiteral("me.JPG"), QStringLiteral("*.jp*")));
    EXPECT_FALSE(FileListBox::matches(QStringLiteral("me.png"), QStringLiteral("*.jp*")));
    // Several patterns.
    EXPECT_TRUE(FileListBox::matches(QStringLiteral("me.bmp"), QStringLiteral("*.jp*; *.bmp")));
    EXPECT_FALSE(FileListBox::matches(QStringLiteral("me.gif"), QStringLiteral("*.jp*;*.bmp;")));
    // "*.*" takes every name, with an extension or without.
    EXPECT_TRUE(FileListBox::matches(QStringLiteral("README"), QStringLiteral("*.*")));
    EXPECT_TRUE(FileListBox::matches(QStringLiteral("a.b.c"), QStringLiteral("*.*")));
    EXPECT_FALSE(FileListBox::matches(QStringLiteral("README"), QString()));
}

TEST_F(FileControls, FileListListsTheMatchingVisibleFilesByName)
{
    for (const char* name : {"b.html", "A.HTM", "c.txt", ".hidden.htm", "d.htm"})
        touch(QStringLiteral("pages/") + QLatin1String(name));
    folder(QStringLiteral("pages/folder.htm"));
    FileForm f(rt, table(mountLine(QStringLiteral("/"), "ext4")));
    f.Files.setPattern(QStringLiteral("*.htm"));
    f.Files.setPath(root + QStringLiteral("/pages"));
    EXPECT_EQ(f.Files.files(), (QStringList{QStringLiteral("A.HTM"), QStringLiteral("b.html"), QStringLiteral("d.htm")}));
    f.Files.setPattern(QStringLiteral("*.*"));
    EXPECT_EQ(f.Files.listCount(), 4);
    EXPECT_EQ(f.Files.list(3), QStringLiteral("d.htm"));
    EXPECT_TRUE(f.Files.list(4).isEmpty());
    EXPECT_TRUE(f.Files.list(-1).isEmpty());

    EXPECT_THROW(f.Files.setPath(root + QStringLiteral("/none")), Error);
    EXPECT_EQ(f.Files.path(), root + QStringLiteral("/pages"));
}

TEST_F(FileControls, SelectingAFileRaisesClickAndEveryNewListingDropsTheSelection)
{
    touch(QStringLiteral("a.jpg"));
    touch(QStringLiteral("b.jpg"));
    FileForm f(rt, table(mountLine(QStringLiteral("/"), "ext4")));
    f.Files.setPath(root);
    f.Files.setPattern(QStringLiteral("*.jp*"));
    int clicks = 0;
    f.Files.onClick = [&] { ++clicks; };

    f.Files.setListIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(f.Files.listIndex(), 1);
    f.Files.setListIndex(-1);
    EXPECT_EQ(clicks, 1);
    EXPECT_THROW(f.Files.setListIndex(2), Error);

    f.Files.click(0);
    EXPECT_EQ(clicks, 2);
    touch(QStringLiteral("c.jpg"));
    f.Files.refresh();
    EXPECT_EQ(f.Files.listIndex(), -1);
    EXPECT_EQ(f.Files.listCount(), 3);

    f.Files.setListIndex(0);
    f.Files.setPattern(QStringLiteral("*.jpg"));
    EXPECT_EQ(f.Files.listIndex(), -1);
    f.Files.setListIndex(0);
    f.Files.setPath(root);
    EXPECT_EQ(f.Files.listIndex(), -1);

    // A disabled list takes no click.
    f.Files.setEnabled(false);
    f.Files.click(1);
    EXPECT_EQ(clicks, 4);
}
