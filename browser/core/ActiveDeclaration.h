#pragma once
// The browser's module-level state, grouped by what it describes. One instance of each
// lives in the application object (CorvaneApp) for the life of the program; tests build a
// fresh one. Flags are bools here; the data files still write them as 1 and 0.

#include "vb/MessageText.h"

#include <QString>
#include <QStringList>
#include <array>

namespace corvane {

// Program constants and the places the program runs from.
struct ProgramVars {
    QString ProgramName = QStringLiteral("Corvane");
    QString VersionText = QStringLiteral("Version : 1.21");
    QString HelpProgramName = QStringLiteral("CorvaneHelp");
    bool StartupShowing = false;
    int TwipsPerPixelX = 15;
    int TwipsPerPixelY = 15;

    QString OwnFolder;       // start folder (current directory at start-up), ends in "/"
    QString OwnRoot;         // the drive's root, ends in "/"
    QString OwnDriveLetter;  // the drive's identity: its mount point
    QString PickerFolder;    // the chooser's folder
    QString DriveKind;       // "Fixed", "Removable", ...
    bool OnMedia = false;    // removable-media road

    QString SettingsFilePath;
    QString BookmarkFilePath;
    QString HistoryFilePath;
    QString NotesFilePath;
};

// Messages (the catalogues and the dialog).
struct MessageVars : vb::MessageText {
    QString MessageAnswer;
    bool MessageEndsProgram = false;
    QString BugReportSubject;
    // What the last try to open a settings tool of the desktop tried, for its message.
    QStringList SettingsToolsTried;
    bool SettingsToolInstalled = false;
};

// Options kept in the settings file.
struct OptionVars {
    qint32 ExitCount = 0;
    int HistoryMask = 0;
    int BookmarkLastIndexSaved = -1;
    bool ShowPageButtons = false;
    bool NewWindowSeparate = false;
    int NotesLastIndexSaved = -1;
    bool ShowNotesAtStart = false;
    int SettingsReserved = 0;
    int MainBrowserLastIndex = 0;
    std::array<QString, 6> MainBrowserHomePages;
    std::array<QString, 6> HomePagesSaved;
};

// Working list state: the last indices of the bookmark and notes lists (-1 = empty) and
// whether saved notes are shown. BrowserStateInit copies them from the settings; the list
// loaders then set the last indices to what was actually read (the settings' counts are
// only a hint: a list file holds its own end).
struct ListVars {
    int BookmarkLastIndex = -1;
    int NotesLastIndex = -1;
    bool ShowNotes = false;
    bool NotesChanged = false;
};

// The user profile.
struct ProfileVars {
    QString Nickname;
    QString UserPicturePath;
    QString UserPictureCaption;
    QString UserPictureFolder;
    QString UserPictureFileName;
    bool PicturePreviewFailed = false;
};

// Results of the program register.
struct RegisterVars {
    int FamilyRunLast = -1;
    QStringList FamilyRunNames;
    QStringList FamilyRunPaths;
    QString RecordedFolder;
    QString DataBaseFolder;
    bool OwnPathLost = false;
    bool RegisterPending = false;
    bool HelpProgramFound = false;
    QString HelpProgramPath;
    bool RunningOther = false;

    // Removable drive: the register folder and its files, the count file's values
    // (main-program list, help-program list) and the help list's last index.
    QString FamilyFolder;
    QString CountFile;
    QString MainListFile;
    QString HelperListFile;
    std::array<int, 2> FamilyCounts{-1, -1};
    int HelperLastIndex = -1;

    // Fixed disk: the last member index as read (-1 = none), the member index the browser's
    // own record goes to when RegisterPending is set, and the name that member held then.
    int MemberLastIndex = -1;
    int OwnMemberSlot = -1;
    QString OwnMemberSlotHeld;
};

} // namespace corvane
