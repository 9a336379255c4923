#include "ActiveNajar.h"

#include "CorvaneApp.h"

#include "sys/FileSystem.h"

using namespace Qt::StringLiterals;

namespace corvane {

void UserNickNameSave(CorvaneApp& app)
{
    app.store.set(ProfileSection, u"NickName"_s, app.profile.Nickname);
}

bool UserPictureSave(CorvaneApp& app)
{
    const bool pathSaved = app.store.set(ProfileSection, u"UserPic"_s, app.profile.UserPicturePath);
    const bool captionSaved = app.store.set(ProfileSection, u"PicCaption"_s, app.profile.UserPictureCaption);
    return pathSaved && captionSaved;
}

QString UserPictureLoad(CorvaneApp& app)
{
    const QString path = app.store.get(ProfileSection, u"UserPic"_s);
    if (path.isEmpty())
        return {};
    const QString caption = app.store.get(ProfileSection, u"PicCaption"_s);
    if (!FileExistsCheck(path))
        return {};
    ProfileVars& p = app.profile;
    p.UserPictureCaption = caption;
    p.UserPictureFileName = sys::FileSystem::fileName(path);
    p.UserPictureFolder = path.left(path.size() - p.UserPictureFileName.size());
    return path;
}

bool FileExistsCheck(const QString& path)
{
    return sys::FileSystem::fileExists(path);
}

bool FolderExistsCheck(const QString& base, const QString& name)
{
    return sys::FileSystem::folderExists(base + name);
}

bool FolderCreate(const QString& base, const QString& name)
{
    return sys::FileSystem::createFolder(base + name);
}

} // namespace corvane
