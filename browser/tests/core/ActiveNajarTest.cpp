#include "AppFixture.h"

#include "ActiveNajar.h"

#include <QFile>

using namespace Qt::StringLiterals;
using namespace corvane;
using corvanetest::AppFixture;

class UserProfile : public AppFixture {};

TEST_F(UserProfile, StoredPictureIsLoadedWithItsCaptionFolderAndFileName)
{
    const QString picture = root + u"/pictures/me.jpg"_s;
    ASSERT_TRUE(testsupport::writeFile(picture, "jpeg"));
    app->profile.UserPicturePath = picture;
    app->profile.UserPictureCaption = u"Me, \"at home\""_s;
    ASSERT_TRUE(UserPictureSave(*app));

    app->profile = {};
    EXPECT_EQ(UserPictureLoad(*app), picture);
    EXPECT_EQ(app->profile.UserPictureCaption, u"Me, \"at home\""_s);
    EXPECT_EQ(app->profile.UserPictureFolder, root + u"/pictures/"_s);
    EXPECT_EQ(app->profile.UserPictureFileName, u"me.jpg"_s);
    // The help program reads the same section.
    EXPECT_EQ(app->store.get(u"NidraBhanga"_s, u"UserPic"_s), picture);
}

TEST_F(UserProfile, PictureDeletedBetweenRunsIsIgnoredButStaysStored)
{
    const QString picture = root + u"/pictures/me.jpg"_s;
    app->store.set(u"NidraBhanga"_s, u"UserPic"_s, picture);
    app->store.set(u"NidraBhanga"_s, u"PicCaption"_s, u"Me"_s);
    EXPECT_EQ(UserPictureLoad(*app), QString());
    EXPECT_EQ(app->profile.UserPictureCaption, QString());
    EXPECT_EQ(app->store.get(u"NidraBhanga"_s, u"UserPic"_s), picture);
}

TEST_F(UserProfile, ClearedPictureStoresEmptyValues)
{
    app->store.set(u"NidraBhanga"_s, u"UserPic"_s, u"/x.jpg"_s);
    app->store.set(u"NidraBhanga"_s, u"PicCaption"_s, u"Me"_s);
    app->profile.UserPicturePath.clear();
    app->profile.UserPictureCaption.clear();
    ASSERT_TRUE(UserPictureSave(*app));
    EXPECT_EQ(app->store.get(u"NidraBhanga"_s, u"UserPic"_s), QString());
    EXPECT_EQ(app->store.get(u"NidraBhanga"_s, u"PicCaption"_s), QString());
    EXPECT_EQ(UserPictureLoad(*app), QString());
}

TEST_F(UserProfile, NicknameIsStoredUnderItsKey)
{
    app->profile.Nickname = u"Ada"_s;
    UserNickNameSave(*app);
    EXPECT_EQ(app->store.get(u"NidraBhanga"_s, u"NickName"_s), u"Ada"_s);
}

TEST(FolderHelpers, DataFolderIsCheckedAndCreated)
{
    QTemporaryDir dir;
    const QString base = dir.path() + u"/"_s;
    EXPECT_FALSE(FolderExistsCheck(base, u"Corvane"_s));
    EXPECT_TRUE(FolderCreate(base, u"Corvane"_s));
    EXPECT_TRUE(FolderExistsCheck(base, u"Corvane"_s));
    EXPECT_FALSE(FolderCreate(base, u"missing/Corvane"_s));
    ASSERT_TRUE(testsupport::writeFile(base + u"Corvane/Set.Velmora"_s, "0"));
    EXPECT_TRUE(FileExistsCheck(base + u"Corvane/Set.Velmora"_s));
    EXPECT_FALSE(FileExistsCheck(base + u"Corvane"_s));
    EXPECT_FALSE(FileExistsCheck(QString()));
}
