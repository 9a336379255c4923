#include "ActiveNajar.h"

#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMove.h"

#include "sys/FileSystem.h"
#include "vb/Pictures.h"

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

void UserPicturePreview(CorvaneApp& app, const QString& fileName)
{
    const std::optional<QPixmap> picture = vb::loadPicture(app.prog.PickerFolder + fileName);
    // A folder or an empty name is no picture either.
    if (!picture || fileName.isEmpty()) {
        app.profile.PicturePreviewFailed = true;
        return;
    }
    if (frmMain* main = app.mainForm) {
        main->ImageUser.setPicture(*picture);
        main->ImageBigUser.setPicture(*picture);
    }
    if (auto* chooser = qobject_cast<frmMove*>(app.moveForm))
        chooser->ImageUser.setPicture(*picture);
}

void UserPictureSet(CorvaneApp& app, const QString& fileName, const QString& caption)
{
    ProfileVars& p = app.profile;
    const QString folder = app.prog.PickerFolder;
    const QString path = folder + fileName;
    const std::optional<QPixmap> picture = fileName.isEmpty() ? std::nullopt : vb::loadPicture(path);
    if (!picture) {
        p.UserPicturePath.clear();
        p.UserPictureCaption.clear();
        p.UserPictureFolder.clear();
        p.UserPictureFileName.clear();
        // The message's OK opens the chooser again; it must come back choosing a picture.
        app.panel.PickerOpenFileMode = false;
        app.panel.PickerPictureMode = true;
        app.msg.MessageId = u"MessageIncorrectPicture"_s;
        MessageShow(app);
        return;
    }
    if (frmMain* main = app.mainForm) {
        main->ImageUser.setPicture(*picture);
        main->ImageBigUser.setPicture(*picture);
        main->FrameUser.setBorderStyle(1);
        main->FrameUser.setCaption(caption);
    }
    p.UserPicturePath = path;
    p.UserPictureCaption = caption;
    p.UserPictureFolder = folder;
    p.UserPictureFileName = fileName;
    UserPictureSave(app);
}

void UserPictureClear(CorvaneApp& app)
{
    ProfileVars& p = app.profile;
    p.UserPicturePath.clear();
    p.UserPictureCaption.clear();
    p.UserPictureFolder.clear();
    p.UserPictureFileName.clear();
    if (frmMain* main = app.mainForm) {
        main->ImageUser.setPicture(QPixmap());
        main->ImageBigUser.setPicture(QPixmap());
        main->FrameUser.setBorderStyle(0);
        // The caption belonged to the picture.
        main->FrameUser.setCaption(QString());
    }
    if (auto* chooser = qobject_cast<frmMove*>(app.moveForm)) {
        chooser->ImageUser.setPicture(QPixmap());
        chooser->TextPath.setText(QString());
        chooser->TextUser.setText(QString());
    }
    UserPictureSave(app);
}

void UserPicturePreviewUndo(CorvaneApp& app)
{
    const QString& path = app.profile.UserPicturePath;
    const QPixmap picture = path.isEmpty() ? QPixmap() : vb::loadPicture(path).value_or(QPixmap());
    if (frmMain* main = app.mainForm) {
        main->ImageUser.setPicture(picture);
        main->ImageBigUser.setPicture(picture);
    }
    if (auto* chooser = qobject_cast<frmMove*>(app.moveForm))
        chooser->ImageUser.setPicture(picture);
}

} // namespace corvane
