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

} // namespace corvane
