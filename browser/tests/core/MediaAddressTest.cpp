#include "MediaAddress.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace corvane;

TEST(MediaAddress, LocalAddressOnTheDriveIsStoredWithHashAndRestoredOnAnotherMount)
{
    const QString stored = MediaAddressStore(u"file:///media/stickA/Tools/a.htm"_s, u"/media/stickA"_s);
    EXPECT_EQ(stored, u"file:///#/Tools/a.htm"_s);
    // The drive came back under another mount point.
    EXPECT_EQ(MediaAddressRestore(stored, u"/media/stickB"_s), u"file:///media/stickB/Tools/a.htm"_s);
    // The drive's root itself goes both ways too.
    EXPECT_EQ(MediaAddressStore(u"file:///media/stickA"_s, u"/media/stickA"_s), u"file:///#"_s);
    EXPECT_EQ(MediaAddressRestore(u"file:///#"_s, u"/media/stickB"_s), u"file:///media/stickB"_s);
}

TEST(MediaAddress, OnlyTheOwnDriveWholeMountPointIsReplaced)
{
    const QString mount = u"/media/stick"_s;
    // Another drive whose name merely starts like ours.
    EXPECT_EQ(MediaAddressStore(u"file:///media/stick2/a.htm"_s, mount), u"file:///media/stick2/a.htm"_s);
    EXPECT_EQ(MediaAddressStore(u"file:///home/a.htm"_s, mount), u"file:///home/a.htm"_s);
    EXPECT_EQ(MediaAddressStore(u"http://media/stick/a.htm"_s, mount), u"http://media/stick/a.htm"_s);
    // No drive (fixed disk) or a drive at the root: nothing is replaced.
    EXPECT_EQ(MediaAddressStore(u"file:///media/stick/a.htm"_s, QString()), u"file:///media/stick/a.htm"_s);
    EXPECT_EQ(MediaAddressStore(u"file:///a.htm"_s, u"/"_s), u"file:///a.htm"_s);
    EXPECT_EQ(MediaAddressRestore(u"file:///#/a.htm"_s, u"/"_s), u"file:///#/a.htm"_s);
}

TEST(MediaAddress, MountPointWithBlankMatchesEncodedAndPlainAndRestoresEncoded)
{
    const QString mount = u"/media/my stick"_s;
    EXPECT_EQ(MediaAddressStore(u"file:///media/my%20stick/a.htm"_s, mount), u"file:///#/a.htm"_s);
    EXPECT_EQ(MediaAddressStore(u"file:///media/my stick/a.htm"_s, mount), u"file:///#/a.htm"_s);
    EXPECT_EQ(MediaAddressRestore(u"file:///#/a.htm"_s, mount), u"file:///media/my%20stick/a.htm"_s);
}

TEST(MediaAddress, RestoreLeavesOtherAddressesAlone)
{
    EXPECT_EQ(MediaAddressRestore(u"file:///#notes.htm"_s, u"/media/s"_s), u"file:///#notes.htm"_s);
    EXPECT_EQ(MediaAddressRestore(u"http://x/#/a"_s, u"/media/s"_s), u"http://x/#/a"_s);
}

TEST(MediaAddress, ItemsLoseQuotesAndLineBreaks)
{
    EXPECT_EQ(TextItemClean(u"say \"hi\",\r\nthen\rgo\nnow"_s), u"say 'hi', then go now"_s);
    EXPECT_EQ(AddressItemClean(u"http://x/?q=\"a\"\r\nb"_s), u"http://x/?q=%22a%22 b"_s);
}
