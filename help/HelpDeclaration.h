#pragma once
// The help program's module-level state, in plain structs owned by the application
// object. Flags are bools; indices are ints with -1 meaning "none".

#include "sys/FileSystem.h"
#include "vb/MessageText.h"

#include <QString>

#include <optional>

namespace corvanehelp {

// The pages the imitation's buttons lead to, one per page procedure of the topics.
enum class TopicPage {
    // Main buttons (topic 5)
    MainButtons, PageButton, PageBookmark, PageKeepNote, PageSetHome, PageSave, PagePrint,
    OpenButton, OpenFile, OpenNewTab, OpenNewBrowser, OpenBookmarks, BookmarkControls,
    ViewButton, ViewNote, ViewChoices, ViewOptions, ChoicesUserName, ChoicesUserPicture,
    ToolsButton, ToolsInternetProperties, ToolsDisplayProperties, ToolsReportBug,
    HelpButton, HelpHelp, HelpWebSite, HelpAbout, TabList, Run, FullWindowButton, Exit,
    // Navigation (topic 6, and topics 7 and 8)
    Navigation, NavBack, NavForward, NavHome, NavSearch, NavRefresh, NavStop, NavGo,
    // Browser and tabs (topics 7 and 8)
    BrowserCurrent, BrowserSelect, Tabs, TabsTab, TabsSelect, TabsCloseAll, TabsClose,
    // Full window mode (topic 9)
    FullMainControl, FullNavBarHide, FullTabs, FullNavigation, FullTabButtons, FullMainButtons,
    FullNavigationButton, FullBrowserButton, FullBookmarkButton, FullRun, NormalWindow, FullExit,
    FullBrowserSelect, FullHideControls, FullHideBrowsers,
};

// Start-up: the start folder, its drive, the program constants and whether the browser
// was found.
struct ProgramVars {
    // Set from the start of the checks to the end of start-up: pages written meanwhile
    // do not move the keyboard focus.
    bool StartupShowing = false;
    // The current directory at start-up, ending in "/".
    QString OwnFolder;
    // The root of the drive that holds OwnFolder (its mount point and "/").
    QString OwnRoot;
    sys::Drive OwnDrive;
    // The drive's identity: its mount point.
    QString OwnDriveLetter;
    // The system folder the program refuses to run from, ending in "/" ("" = none).
    QString WinFolder;
    // "Unknown", "Removable", "Fixed", "Remote", "CDRom", "RAMDisk", "" or "NotDetermined".
    QString DriveKind;
    bool OnMedia = false;
    QString OwnName;      // "CorvaneHelp"
    QString VersionText;  // "Version 1.2"
    QString OwnExePath;   // OwnFolder & OwnName & ".exe"
    QString ParentName;   // "Corvane"
    // The browser was found: the Activate button is shown.
    bool ParentAvailable = false;
};

// The program register as the help program reads and writes it.
struct RegisterVars {
    QString FamilyFolder;    // OwnRoot & "Velmora/"
    QString CountFile;
    QString MainListFile;    // main programs (written by the browser)
    QString HelperListFile;  // help programs (written by this program)
    int MainListLastIndex = -1;
    int HelpListLastIndex = -1;
    bool FamilyFolderMissing = false;
    bool CountFileMissing = false;

    QString ParentExePath;        // the browser's executable ("" = none known)
    QString ParentFolder;         // its registered folder (fixed disk)
    QString HelpPathUnderParent;  // the browser's folder & "Help/CorvaneHelp.exe"
    bool ParentNotPresent = false;  // the browser has no record
    bool ParentNotFound = false;    // it has one, but its executable is not there
};

// The user profile, read from the settings store only on a fixed disk with the browser found.
struct ProfileVars {
    QString Nickname;
    QString UserPicturePath;
    QString UserPictureCaption;
};

// The message mechanism: a caller sets MessageId and calls a catalogue.
struct MessageVars : vb::MessageText {};

// The topic engine's state and the state of the demonstrations on the imitation of the
// browser's window. The window's click handlers change the demonstration state before
// they call a page; the topic engine reads and changes all of it.
struct TopicVars {
    int TopicIndex = 0;  // the selected topic 0..12 (0 = the overview)
    // The number of the page shown within the topic (the step of a stepped topic).
    int StepNumber = 0;
    // Step images: 0 none, 1 first step (Continue only), 2 middle step, 3 last step (Go Back only).
    int StepState = 0;
    int IntroFrameIndex = 0;  // which FrameIntro (0..10) is shown
    // Set by code that selects a topic option whose page it writes itself: the option's
    // Click then only records the topic.
    bool SuppressTopicClick = false;
    // The imitation's page on screen, none while a topic's own first page or a text topic
    // is. Pages of different topics share step numbers: a second click is told from a
    // first by the page, not by StepNumber.
    std::optional<TopicPage> PageShown;

    int CurrentMainBrowser = 0;  // 0..5
    int CurrentTab = 0;          // 0..5, -1 none
    bool TabIsCurrent = false;
    QString ExampleUrl;          // the address in the imitation's location box
    // Code has just set the location box: its next Change does not enable Go.
    bool ExampleUrlFromCode = false;
    QString DemoSiteUrl;      // the location box's first entry (the product's page)
    QString DemoDownloadUrl;  // its second entry
    QString CurrentBrowserText;
    int LastOpenTab = 0;     // open tabs minus one, -1 none
    int LastEnabledTab = 0;  // highest enabled tab button, -1 none
    bool TabSelectMode = false;
};

} // namespace corvanehelp
