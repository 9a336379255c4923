// Topic 5, "Main buttons": the menu buttons and bar buttons of the browser's normal window
// with the frames of sub-buttons they open. Each page selects the clicked button, opens
// the frame the real button opens and shows a picture of the box it opens or a one-line
// description. A page never resets what it does not set: a sub-button page keeps the
// menu buttons as its menu page left them.

#include "ControlTopic.h"

#include "HelpApp.h"
#include "frmMain.h"

namespace corvanehelp {

namespace {

// Pages without a picture or a description.
constexpr const vb::Image* NoPicture = nullptr;

// The sentence every menu page ends with, and how its buttons hide again.
QStringList menuClosing(const QString& menu)
{
    return {
        QString(),
        QStringLiteral("Click any of these buttons to view how these works."),
        QString(),
        QStringLiteral("These buttons hide again when '") + menu +
            QStringLiteral("' is clicked again, on 'Hide', or when a new page is browsed."),
    };
}

} // namespace

vb::ControlArray<vb::CommandButton>& ControlTopic::menuItems(int menu) const
{
    frmMain& w = window();
    switch (menu) {
    case 0: return w.CommandPage;
    case 1: return w.CommandOpen;
    case 2: return w.CommandView;
    case 3: return w.CommandTools;
    default: return w.CommandHelp;
    }
}

void ControlTopic::mainButtonsPageStart(int step, const QString& title, const QString& text)
{
    TopicVars& t = app.topic;
    t.StepState = 0;
    t.StepNumber = step;
    t.IntroFrameIndex = 5;
    pageTextWrite(title, text);
}

void ControlTopic::mainButtonsPageEnd(int menu, int subMenu, const vb::Image* picture, const QString& description)
{
    frmMain& w = window();
    if (picture)
        w.ImageDisplay5.setPicture(picture->picture());
    if (!description.isEmpty())
        w.LabelDescription5.setCaption(description);
    DemoMenuFramesShow(menu, subMenu, picture != nullptr, !description.isEmpty());
}

void ControlTopic::menuPage(int step, int menu, const QString& title, const QString& text)
{
    frmMain& w = window();
    mainButtonsPageStart(step, title, text);
    for (int i = 0; i <= 5; ++i) {
        w.ButtonFace(w.CommandMenu[i], i == menu ? 3 : 0);
        w.ButtonFace(w.CommandButExit[i], 4);
    }
    // The Tab List has no sub-buttons.
    if (menu <= 4) {
        for (int i = 1; i <= 5; ++i)
            w.ButtonFace(menuItems(menu)[i], 6);
    }
    mainButtonsPageEnd(menu, -1, NoPicture, QString());
}

void ControlTopic::subButtonPage(int step, int menu, int item, const QString& title, const QString& text,
                                 const vb::Image* picture, const QString& description)
{
    frmMain& w = window();
    mainButtonsPageStart(step, title, description.isEmpty() ? text : QString());
    for (int i = 1; i <= 5; ++i)
        w.ButtonFace(menuItems(menu)[i], i == item ? 3 : 6);
    mainButtonsPageEnd(menu, -1, picture, description);
}

void ControlTopic::choicesPage(int step, int choice, const QString& title, const QString& text, const vb::Image* picture)
{
    frmMain& w = window();
    mainButtonsPageStart(step, title, text);
    for (int i = 1; i <= 5; ++i) {
        w.ButtonFace(w.CommandView[i], i == 2 ? 3 : 6);
        w.ButtonFace(w.CommandChoices[i], i == choice ? 3 : 6);
    }
    mainButtonsPageEnd(2, 1, picture, QString());
}

void ControlTopic::barPage(int step, int bar, const QString& title, const QString& text, const vb::Image* picture,
                           const QString& description)
{
    frmMain& w = window();
    mainButtonsPageStart(step, title, description.isEmpty() ? text : QString());
    for (int i = 0; i <= 5; ++i) {
        w.ButtonFace(w.CommandMenu[i], 0);
        w.ButtonFace(w.CommandButExit[i], i == bar ? 3 : 4);
    }
    mainButtonsPageEnd(-1, -1, picture, description);
}

// ---------------------------------------------------------------------------------------
// The first page of the Main buttons topic (StepNumber 0): every button normal, every
// frame closed.

void ControlTopic::TopicMainButtonsShow()
{
    frmMain& w = window();
    mainButtonsPageStart(0, QStringLiteral("Main Buttons"),
                         PageLines({
                             QString(),
                             QStringLiteral("Main buttons of Corvane are in two sets, one at the top left and one at the top "
                                            "right of the main window. The Location box and the Navigation buttons stand "
                                            "between them (please see 'Navigation' Topic)."),
                             QString(),
                             QStringLiteral("Click on the buttons shown above to find out what these do."),
                             QString(),
                             QStringLiteral("Pictures that appear may show buttons too, but clicking on those does nothing."),
                         }));
    w.ButtonFace(w.CommandTabHide, 5);
    for (int i = 0; i <= 5; ++i) {
        w.ButtonFace(w.CommandMenu[i], 0);
        w.ButtonFace(w.CommandButExit[i], 4);
    }
    for (auto* items : {&w.CommandPage, &w.CommandOpen, &w.CommandView, &w.CommandTools, &w.CommandHelp, &w.CommandChoices})
        w.ButtonFace((*items)[0], 5);
    DemoMenuFramesShow(-1, -1, false, false);
}

// ---------------------------------------------------------------------------------------
// Page

void ControlTopic::TopicPageButtonShow()
{
    menuPage(1, 0, QStringLiteral("Button : Page"),
             PageLines(QStringList{
                           QString(),
                           QStringLiteral("'Page' shows the buttons that work on the current web page. The page may be in a "
                                          "main Browser, the Bookmark Browser or a Tab Browser."),
                           QString(),
                           QStringLiteral("'Bookmark' bookmarks the page, 'Keep Note' keeps a note that is shown again on "
                                          "the next visit to the page, 'Set As Home Page' makes the page Home Page of any of "
                                          "the 6 main Browsers, 'Save' saves it and 'Print' prints it."),
                       } +
                       menuClosing(QStringLiteral("Page"))));
}

void ControlTopic::TopicPageBookmarkShow()
{
    frmMain& w = window();
    subButtonPage(2, 0, 1, QStringLiteral("Button : Page || Bookmark"),
                  PageLines({
                      QString(),
                      QStringLiteral("The box in the picture is shown only when the current address does not begin with "
                                     "'http' (for example a local file). Otherwise the page is bookmarked at once."),
                      QString(),
                      QStringLiteral("Type a short name in the box and click 'OK'."),
                      QString(),
                      QStringLiteral("Bookmarks are renamed and removed through 'Open | Bookmarks'."),
                  }),
                  &w.ImagePage1);
}

namespace {

// What the note box does, told by Page | Keep Note and View | Note.
QStringList noteBoxLines()
{
    return {
        QString(),
        QStringLiteral("The Note box shows the saved Note of the current page, if any. 'Save' saves a new Note; 'Edit' and "
                       "'Delete' edit or delete a saved one."),
        QString(),
        QStringLiteral("The 'Do Not Show Notes' box (visible only while Notes are shown automatically) stops automatic "
                       "Notes for this session."),
    };
}

} // namespace

void ControlTopic::TopicPageKeepNoteShow()
{
    frmMain& w = window();
    subButtonPage(3, 0, 2, QStringLiteral("Button : Page || Keep Note"), PageLines(noteBoxLines()), &w.ImagePage2);
}

void ControlTopic::TopicPageSetHomeShow()
{
    frmMain& w = window();
    subButtonPage(4, 0, 3, QStringLiteral("Button : Page || Set As Home Page"),
                  PageLines({
                      QString(),
                      QStringLiteral("The box shows the current address at the top."),
                      QString(),
                      QStringLiteral("Choose a Browser and click 'OK' to make the page Home Page of that main Browser."),
                  }),
                  &w.ImagePage3);
}

void ControlTopic::TopicPageSaveShow()
{
    subButtonPage(5, 0, 4, QStringLiteral("Button : Page || Save"), QString(), NoPicture,
                  QStringLiteral("This will show 'File Save' dialogue box to save the current page."));
}

void ControlTopic::TopicPagePrintShow()
{
    subButtonPage(6, 0, 5, QStringLiteral("Button : Page || Print"), QString(), NoPicture,
                  QStringLiteral("This will show 'Print' dialogue box to print the current page."));
}

// ---------------------------------------------------------------------------------------
// Open

void ControlTopic::TopicOpenButtonShow()
{
    menuPage(7, 1, QStringLiteral("Button : Open"),
             PageLines(QStringList{
                           QString(),
                           QStringLiteral("'Open' shows the buttons to open a local file, a new Tab, a new Browser or the "
                                          "Bookmarks."),
                       } +
                       menuClosing(QStringLiteral("Open"))));
}

void ControlTopic::TopicOpenFileShow()
{
    subButtonPage(8, 1, 1, QStringLiteral("Button : Open || File"),
                  PageLines({
                      QString(),
                      QStringLiteral("'File' opens the file open window (not shown here). Browse and pick a file that a "
                                     "web browser can open."),
                      QString(),
                      QStringLiteral("The file opens in the current Browser."),
                  }),
                  NoPicture);
}

void ControlTopic::TopicOpenNewTabShow()
{
    frmMain& w = window();
    subButtonPage(9, 1, 2, QStringLiteral("Button : Open || New Tab"),
                  PageLines({
                      QString(),
                      QStringLiteral("Type the address in the box and click 'OK'."),
                      QString(),
                      QStringLiteral("A new Tab Browser opens and navigates there."),
                  }),
                  &w.ImageOpen2);
}

void ControlTopic::TopicOpenNewBrowserShow()
{
    frmMain& w = window();
    subButtonPage(10, 1, 3, QStringLiteral("Button : Open || New Browser"),
                  PageLines({
                      QString(),
                      QStringLiteral("Type the address in the box and click 'OK'."),
                      QString(),
                      QStringLiteral("A new Browser window with a Tab capability of 24 opens and navigates there."),
                  }),
                  &w.ImageOpen3);
}

void ControlTopic::TopicOpenBookmarksShow()
{
    frmMain& w = window();
    // The Open frame closes: only the bookmark pair stays.
    mainButtonsPageStart(11, QStringLiteral("Button : Open || Bookmarks"),
                         PageLines({
                             QString(),
                             QStringLiteral("'Bookmarks' stays disabled while nothing is bookmarked or while the Bookmark "
                                            "Browser is open."),
                             QString(),
                             QStringLiteral("It opens the Bookmark Browser on the top Bookmark and shows 'Show' and 'Close'. "
                                            "'Show' brings the Bookmark Browser to the front and gives the controls to "
                                            "browse, rename or remove Bookmarks. 'Close' closes it."),
                         }));
    for (int i = 0; i <= 5; ++i) {
        w.ButtonFace(w.CommandMenu[i], 0);
        w.ButtonFace(w.CommandButExit[i], 4);
    }
    w.ButtonFace(w.CommandShowBookmark, 0);
    w.ButtonFace(w.CommandCloseBookmark, 0);
    mainButtonsPageEnd(-1, 0, &w.ImageOpenMark, QString());
}

void ControlTopic::TopicBookmarkControlsShow()
{
    frmMain& w = window();
    mainButtonsPageStart(12, QStringLiteral("Button : Open || Bookmarks || Show"),
                         PageLines({
                             QString(),
                             QStringLiteral("Pick a name or an address from the two lists to browse that page. 'Go' browses "
                                            "to it when the Browser is not on it."),
                             QString(),
                             QStringLiteral("'Rename' shows the rename box: type the new name and click 'OK'. 'Remove' "
                                            "removes the selected Bookmark and 'Remove All' removes every Bookmark."),
                         }));
    w.ButtonFace(w.CommandShowBookmark, 3);
    mainButtonsPageEnd(-1, 0, &w.ImageBookmark, QString());
}

// ---------------------------------------------------------------------------------------
// View and its Choices

void ControlTopic::TopicViewButtonShow()
{
    menuPage(13, 2, QStringLiteral("Button : View"),
             PageLines(QStringList{
                           QString(),
                           QStringLiteral("'View' shows the buttons to read the Note of the current page, to change your "
                                          "Choices and to set the Options."),
                       } +
                       menuClosing(QStringLiteral("View"))));
}

void ControlTopic::TopicViewNoteShow()
{
    frmMain& w = window();
    subButtonPage(14, 2, 1, QStringLiteral("Button : View || Note"),
                  PageLines(noteBoxLines() + QStringList{QString(), QStringLiteral("This button is the way to read Notes when "
                                                                                   "they are not shown automatically (the "
                                                                                   "default).")}),
                  &w.ImagePage2);
}

void ControlTopic::TopicViewChoicesShow()
{
    choicesPage(15, -1, QStringLiteral("Button : View || Choices"),
                PageLines({
                    QString(),
                    QStringLiteral("'Choices' shows the buttons to change the User Name or to set the User Picture."),
                    QString(),
                    QStringLiteral("These buttons hide the way the menu's buttons do."),
                }),
                NoPicture);
}

void ControlTopic::TopicViewOptionsShow()
{
    subButtonPage(16, 2, 3, QStringLiteral("Button : View || Options"), QString(), NoPicture,
                  QStringLiteral("This button will show options setting window. Please see 'Features and Options'."));
}

void ControlTopic::TopicChoicesUserNameShow()
{
    frmMain& w = window();
    choicesPage(17, 1, QStringLiteral("Button : View || Choices || Change User Name"),
                PageLines({QString(), QStringLiteral("Type a new short name in the 'Change To' box and click 'OK'.")}),
                &w.ImageChoice1);
}

void ControlTopic::TopicChoicesUserPictureShow()
{
    // The user-picture frame shows on this page (DemoMenuFramesShow, StepNumber 18).
    choicesPage(18, 2, QStringLiteral("Button : View || Choices || Change/Set User Picture"),
                PageLines({
                    QString(),
                    QStringLiteral("The picture window lets you pick a .jpg or .bmp file. Type a caption if you want one "
                                   "and click 'OK'."),
                    QString(),
                    QStringLiteral("A picture of 150 by 100 pixels, or of that ratio, looks best; a big one does not. It is "
                                   "shown left of 'Run', a little bigger than in the picture above."),
                }),
                NoPicture);
}

// ---------------------------------------------------------------------------------------
// Tools

void ControlTopic::TopicToolsButtonShow()
{
    menuPage(19, 3, QStringLiteral("Button : Tools"),
             PageLines(QStringList{
                           QString(),
                           QStringLiteral("'Tools' shows the buttons to set the Internet and Display properties of your "
                                          "machine and to report a bug."),
                       } +
                       menuClosing(QStringLiteral("Tools"))));
}

void ControlTopic::TopicToolsInternetPropertiesShow()
{
    subButtonPage(20, 3, 1, QStringLiteral("Button : Tools || Set Internet Properties"),
                  PageLines({
                      QString(),
                      QStringLiteral("This button opens the network settings of your desktop (in GNOME, KDE or Xfce)."),
                      QString(),
                      QStringLiteral("It is disabled while Corvane runs from a Removable Media."),
                  }),
                  NoPicture);
}

void ControlTopic::TopicToolsDisplayPropertiesShow()
{
    subButtonPage(21, 3, 2, QStringLiteral("Button : Tools || Set Display Properties"),
                  PageLines({
                      QString(),
                      QStringLiteral("This button opens the display settings of your desktop (in GNOME, KDE or Xfce)."),
                      QString(),
                      QStringLiteral("It is disabled while Corvane runs from a Removable Media."),
                  }),
                  NoPicture);
}

void ControlTopic::TopicToolsReportBugShow()
{
    frmMain& w = window();
    subButtonPage(22, 3, 3, QStringLiteral("Button : Tools || Report Bug"),
                  PageLines({
                      QString(),
                      QStringLiteral("Type a subject in the box and click 'OK'. Your default e-mail program opens."),
                      QString(),
                      QStringLiteral("Please report bugs."),
                  }),
                  &w.ImageTools3);
}

// ---------------------------------------------------------------------------------------
// Help

void ControlTopic::TopicHelpButtonShow()
{
    menuPage(23, 4, QStringLiteral("Button : Help"),
             PageLines(QStringList{
                           QString(),
                           QStringLiteral("'Help' shows the buttons 'Help', 'Web Site' and 'About'."),
                       } +
                       menuClosing(QStringLiteral("Help"))));
}

void ControlTopic::TopicHelpHelpShow()
{
    subButtonPage(24, 4, 1, QStringLiteral("Button : Help || Help"),
                  PageLines({
                      QString(),
                      QStringLiteral("This button shows this Help when it is set up in the machine, or on the same "
                                     "Removable Media when Corvane runs from one (please see 'Installation on a Removable "
                                     "Media' Topic)."),
                      QString(),
                      QStringLiteral("When Corvane cannot find this Help, the button tells how to get and set it up."),
                  }),
                  NoPicture);
}

void ControlTopic::TopicHelpWebSiteShow()
{
    subButtonPage(25, 4, 2, QStringLiteral("Button : Help || Web Site"), QString(), NoPicture,
                  QStringLiteral("Current browser will navigate to Corvane's Home Page."));
}

void ControlTopic::TopicHelpAboutShow()
{
    subButtonPage(26, 4, 3, QStringLiteral("Button : Help || About"), QString(), NoPicture,
                  QStringLiteral("Will show 'About' box of Corvane."));
}

// ---------------------------------------------------------------------------------------
// Tab List and the bar buttons

void ControlTopic::TopicTabListShow()
{
    menuPage(29, 5, QStringLiteral("Button : Tab List"),
             PageLines({
                 QString(),
                 QStringLiteral("'Tab List' shows the list of the sites of the open Tabs. The list opens by itself when a "
                                "Tab Browser opens unless 'Keep Hidden' is checked."),
                 QString(),
                 QStringLiteral("Clicking 'Tab List' again or its 'Hide' button hides it for a while."),
                 QString(),
                 QStringLiteral("A name cut short can be clicked and scrolled with the Left and Right arrow keys. You can "
                                "try it now on #2."),
             }));
}

void ControlTopic::TopicRunShow()
{
    frmMain& w = window();
    barPage(30, 0, QStringLiteral("Button : Run"),
            PageLines({
                QString(),
                QStringLiteral("'Run' is visible only when another program of mine is in the same machine, or on the same "
                               "Media. It shows the Run box."),
                QString(),
                QStringLiteral("Choosing a program and clicking 'OK' ends Corvane and starts that program, whose own 'Run' "
                               "button can switch back."),
            }),
            &w.ImageRun);
}

void ControlTopic::TopicFullWindowButtonShow()
{
    barPage(31, -1, QStringLiteral("Button : Full Window"),
            PageLines({
                QString(),
                QStringLiteral("'Full Window' sets Full Window mode, where all buttons and controls but a single main "
                               "control button below the program's Icon can be hidden."),
                QString(),
                QStringLiteral("To view Full Window Mode please click 'Full Window' button again."),
            }),
            NoPicture);
}

void ControlTopic::TopicExitShow()
{
    barPage(32, 2, QStringLiteral("Button : Exit"), QString(), NoPicture,
            QStringLiteral("Corvane exits when this button is clicked."));
}

} // namespace corvanehelp
