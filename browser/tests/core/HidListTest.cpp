#include "frmHid.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using corvane::HidList;

TEST(HidList, InsertAndRemoveKeepTheSelectionOnItsEntry)
{
    HidList l;
    l.AddItem(u"a"_s);
    l.AddItem(u"c"_s);
    ASSERT_TRUE(l.SetListIndex(1));  // "c"
    ASSERT_TRUE(l.AddItem(u"b"_s, 1));
    EXPECT_EQ(l.items(), QStringList({u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_EQ(l.List(l.ListIndex()), u"c"_s);
    ASSERT_TRUE(l.RemoveItem(0));
    EXPECT_EQ(l.List(l.ListIndex()), u"c"_s);
    ASSERT_TRUE(l.RemoveItem(1));  // the selected entry goes
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(l.ListCount(), 1);
}

TEST(HidList, IndicesOutsideTheListAreRefused)
{
    HidList l;
    EXPECT_FALSE(l.AddItem(u"x"_s, 1));
    EXPECT_TRUE(l.AddItem(u"x"_s, 0));
    EXPECT_FALSE(l.RemoveItem(1));
    EXPECT_FALSE(l.RemoveItem(-1));
    EXPECT_FALSE(l.SetListIndex(1));
    EXPECT_FALSE(l.SetList(3, u"y"_s));
    EXPECT_EQ(l.List(5), QString());
    EXPECT_EQ(l.List(-1), QString());
    EXPECT_EQ(l.ListCount(), 1);
    l.SetListIndex(0);
    l.Clear();
    EXPECT_EQ(l.ListCount(), 0);
    EXPECT_EQ(l.ListIndex(), -1);
}
