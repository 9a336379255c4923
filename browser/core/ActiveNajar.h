#pragma once
// The user profile in the per-user settings store (section "NidraBhanga"), and the small
// file-system helpers the start-up uses for the data folder.

#include <QString>

namespace corvane {

class CorvaneApp;

inline const QString ProfileSection = QStringLiteral("NidraBhanga");

// Stores Nickname under "NickName".
void UserNickNameSave(CorvaneApp& app);
// Stores UserPicturePath under "UserPic" and UserPictureCaption under "PicCaption".
bool UserPictureSave(CorvaneApp& app);
// The stored picture path when its file exists (and then the caption, folder and file
// name are set), else "". A picture whose file has gone stays in the store.
QString UserPictureLoad(CorvaneApp& app);

bool FileExistsCheck(const QString& path);
// The folder base & name exists.
bool FolderExistsCheck(const QString& base, const QString& name);
// Creates the folder base & name; false when it could not be created.
[[nodiscard]] bool FolderCreate(const QString& base, const QString& name);

// The user picture, driven by the chooser (frmMove).
// Shows PickerFolder & fileName (the chooser's selected file) in the main window's two
// picture images and the chooser's preview; when it is not a loadable picture, sets
// PicturePreviewFailed and changes no image.
void UserPicturePreview(CorvaneApp& app, const QString& fileName);
// Makes PickerFolder & fileName the user picture with its caption and stores both. A file
// that cannot be loaded leaves no picture (the store keeps its old values) and shows
// "MessageIncorrectPicture", whose OK opens the chooser again in picture mode.
void UserPictureSet(CorvaneApp& app, const QString& fileName, const QString& caption);
// Removes the user picture: no picture on screen, empty values stored.
void UserPictureClear(CorvaneApp& app);
// Takes back what the chooser's previews showed: the user picture as it is stored comes
// back in the three images, or none when no picture is set (or it cannot be loaded).
void UserPicturePreviewUndo(CorvaneApp& app);

} // namespace corvane
