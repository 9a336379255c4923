// The topics that only tell and show: Introduction, Installation, Features and Options,
// Installation on a Removable Media, Uninstallation and Update, About CorvaneHelp and
// About Fenwary. A page that names no intro frame or title keeps the previous page's.

#include "ControlTopic.h"

#include "HelpApp.h"
#include "HelpConstants.h"
#include "frmMain.h"

namespace corvanehelp {

namespace {

// The step images' state and the page's number within its topic.
void stepSet(TopicVars& t, int state, int step)
{
    t.StepState = state;
    t.StepNumber = step;
}

// The two labels of the last topics' intro frame, one under the other: each as high as its
// text, the second a blank line below the first (or in the first one's place when it is
// empty), so that no gap opens between them whatever their length.
void introLabelsStack(frmMain& w)
{
    vb::Label& first = w.LabelIntroMe[0];
    vb::Label& second = w.LabelIntroMe[1];
    auto textHeight = [](vb::Label& l) {
        const QWidget* widget = l.widget();
        const QRect r = widget->fontMetrics().boundingRect(QRect(0, 0, widget->width(), 100000), Qt::TextWordWrap, l.caption());
        return (r.height() + 2) * vb::TwipsPerPixel;
    };
    const int blankLine = w.LabelIntroMe[0].widget()->fontMetrics().height() * vb::TwipsPerPixel;
    first.setHeight(first.caption().isEmpty() ? 0 : textHeight(first));
    second.setTop(first.caption().isEmpty() ? first.top() : first.top() + first.height() + blankLine);
    second.setHeight(textHeight(second));
}

} // namespace

// ---------------------------------------------------------------------------------------
// Topic 1, the introduction: one page.

void ControlTopic::TopicIntroductionShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    stepSet(t, 0, 0);
    t.IntroFrameIndex = 1;
    w.FrameIntro[1].setCaption(QStringLiteral("Corvane And CorvaneHelp"));
    pageTextWrite(QStringLiteral("Corvane - A Simple Qt WebEngine Based Web Browser"),
                  PageLines({
                      QStringLiteral("    Corvane is stand alone. Installation is not required if system meets the requirements."),
                      QStringLiteral("     Corvane can be setup to run from a Floppy or USB Flash Drive."),
                      QString(),
                      QStringLiteral("     Options can be set to:"),
                      QStringLiteral("          Run upto 6 main Browsers simultaneously."),
                      QStringLiteral("          Save history of selected main Browsers."),
                      QStringLiteral("          Show new window as Tab or in a new Browser."),
                      QStringLiteral("          Show saved 'Notes' automatically on subsequent visit to the web site."),
                  }));
}

// ---------------------------------------------------------------------------------------
// Topic 2: two pages; the second keeps the requirements frame of the first.

void ControlTopic::TopicInstallationShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    stepSet(t, 1, 0);
    t.IntroFrameIndex = 0;
    w.FrameIntro[0].setCaption(QStringLiteral("System Requirements"));
    pageTextWrite(QStringLiteral("Installation"),
                  PageLines({
                      QString(),
                      QStringLiteral("Corvane is stand alone. It needs to be installed only for the libraries it depends on, "
                                     "which are listed in the above right hand side Frame."),
                      QString(),
                      QStringLiteral("If your machine meets the requirements just copy the folder of Corvane (the folder "
                                     "that holds 'Corvane.exe') to any place you like and run 'Corvane.exe' from there."),
                      QString(),
                      QStringLiteral("Otherwise first install Qt 6.4 or higher with its web engine from the packages of your "
                                     "Linux distribution (on Debian: libqt6webenginewidgets6), then copy the folder."),
                  }));
}

void ControlTopic::TopicInstallationNewerFilesShow()
{
    TopicVars& t = app.topic;
    stepSet(t, 3, 1);
    pageTextWrite(QStringLiteral("Corvane - A Simple Qt WebEngine Based Web Browser"),
                  PageLines({
                      QString(),
                      QStringLiteral("While your file manager copies a newer folder of Corvane over the old one it may tell you :"),
                      QString(),
                      QStringLiteral("          A folder or file with the same name already exists."),
                      QStringLiteral("          Do you want to merge the folders and replace the files?"),
                      QString(),
                      QStringLiteral("Decide to merge and replace. Your options, Bookmarks, history and Notes in the folder "
                                     "'Corvane' inside stay as they are."),
                  }));
}

// ---------------------------------------------------------------------------------------
// Topic 3: the features, then three pages on the options window.

void ControlTopic::TopicFeaturesShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    stepSet(t, 1, 0);
    t.IntroFrameIndex = 3;
    w.FrameIntro[3].setCaption(QStringLiteral("Features"));
    pageTextWrite(QStringLiteral("Features"),
                  PageLines({
                      QString(),
                      QString(),
                      QStringLiteral("Main features of Corvane is described in the above right hand side Frame."),
                      QStringLiteral("To view Options please click on 'Continue' button."),
                  }));
}

void ControlTopic::TopicOptionsShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    stepSet(t, 2, 1);
    t.IntroFrameIndex = 4;
    w.FrameIntro[4].setCaption(QStringLiteral("Options"));
    pageTextWrite(QStringLiteral("Options"),
                  PageLines({
                      QString(),
                      QStringLiteral("The Options window is shown above. Its top box shows the Home Page of the current main "
                                     "Browser. To change it type a complete new address in the box."),
                      QString(),
                      QStringLiteral("The next small box tells how many main Browsers run. This number can't be greater than 6."),
                      QString(),
                      QStringLiteral("The history of each Browser checked in the six history boxes is saved. Maximum 20 entries "
                                     "per Browser will be saved."),
                  }));
}

void ControlTopic::TopicOptionsWindowsNotesShow()
{
    TopicVars& t = app.topic;
    stepSet(t, 2, 2);
    window().LabelInfo.setCaption(PageLines({
        QString(),
        QStringLiteral("By default new windows open as Tabs. They open in a new Tabed Browser when 'Show new window in a "
                       "new Tabed Browser' is checked. 'Open | New Tab' and 'Open | New Browser' work whatever the "
                       "setting is."),
        QString(),
        QStringLiteral("By default saved Notes are not shown automatically. They are shown on a visit to their web pages "
                       "when 'Show saved Notes related to web pages from start of Program' is checked. Otherwise the Note "
                       "of a page is read with 'View | Note'."),
    }));
}

void ControlTopic::TopicOptionsApplyShow()
{
    TopicVars& t = app.topic;
    stepSet(t, 3, 3);
    window().LabelInfo.setCaption(PageLines({
        QString(),
        QStringLiteral("The page buttons ('Bookmark', 'Keep Note', 'Set As Home Page', 'Save', 'Print') are reached with "
                       "'Page'. When 'Show 'Page' buttons from start of Program' is checked they are shown by themselves "
                       "whenever possible."),
        QString(),
        QStringLiteral("After setting up options 'OK' button must be clicked for the new settings to take effect."),
        QStringLiteral("Clicking on 'Default' button will set all settings to Default."),
    }));
}

// ---------------------------------------------------------------------------------------
// Topic 4: starts on its set-up page (step 2).

void ControlTopic::TopicMediaInstallShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    stepSet(t, 1, 2);
    t.IntroFrameIndex = 2;
    w.FrameIntro[2].setCaption(QStringLiteral("Installation On A Removable Media"));
    pageTextWrite(QStringLiteral("Installation On A Removable Media"),
                  PageLines({
                      QString(),
                      QStringLiteral("Setup process to setup Corvane on a Removable Media is described at the top."),
                      QStringLiteral("For CorvaneHelp first 2 steps can be skiped."),
                  }));
}

void ControlTopic::TopicMediaFoldersShow()
{
    TopicVars& t = app.topic;
    stepSet(t, 2, 3);
    pageTextWrite(QStringLiteral("Installation : On A Removable Media"),
                  PageLines({
                      QString(),
                      QStringLiteral("Setting up the first of my programs on a Removable Media creates the folder 'Velmora' "
                                     "in the root of the Media."),
                      QString(),
                      QStringLiteral("Setting up Corvane also creates the folder 'Corvane' inside the program's own folder, "
                                     "wherever the program is saved."),
                      QString(),
                      QStringLiteral("CorvaneHelp does not create any other folder."),
                  }));
}

void ControlTopic::TopicMediaResetupShow()
{
    TopicVars& t = app.topic;
    stepSet(t, 3, 4);
    pageTextWrite(QStringLiteral("Re-Installation : On A Removable Media"),
                  PageLines({
                      QString(),
                      QStringLiteral("To Re-Setup the programs on a Removable Media please follow these two steps:"),
                      QStringLiteral("     1. Delete all the folders created during setup of my programs."),
                      QStringLiteral("     2. Follow last 2 steps of setup using the Media in the machine in which the program "
                                     "is installed."),
                      QString(),
                      QStringLiteral("Follow #2 for each of my program that you will be using from the Media."),
                  }));
}

// ---------------------------------------------------------------------------------------
// Topics 10 to 12 share intro frame 9 and its two labels.

void ControlTopic::TopicUninstallUpdateShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    stepSet(t, 0, 0);
    t.IntroFrameIndex = 9;
    w.FrameIntro[9].setCaption(QStringLiteral("Uninstallation and Update"));
    pageTextWrite(QStringLiteral("Uninstallation and Update"),
                  PageLines({
                      QString(),
                      QStringLiteral("Like installation, uninstallation is not needed. To uninstall Corvane just delete the "
                                     "program's folder. Do the same for CorvaneHelp."),
                      QString(),
                      QStringLiteral("Your name, picture and the register of my programs are kept in '~/.config/Tavolin.ini', "
                                     "the cookies and cache of web pages in '~/.local/share/Tavolin/Corvane' and "
                                     "'~/.cache/Tavolin/Corvane'. Delete them too if you want nothing of Corvane left."),
                  }));
    w.LabelIntroMe[0].setCaption(
        PageLines({QStringLiteral("To Uninstall : Detete the Program's Folder. What Corvane keeps outside the folder is told"),
                   QStringLiteral("                       in the Details Frame below.")}));
    w.LabelIntroMe[1].setCaption(
        PageLines({QStringLiteral("To Update : Replace the old 'Corvane.exe' with the latest version from the Web Site of"),
                   QStringLiteral("                    Corvane. Update 'CorvaneHelp.exe' the same way.")}));
    introLabelsStack(w);
}

void ControlTopic::TopicAboutHelpShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    stepSet(t, 0, 0);
    t.IntroFrameIndex = 9;
    w.FrameIntro[9].setCaption(QStringLiteral("About CorvaneHelp"));
    pageTextWrite(QStringLiteral("About CorvaneHelp"),
                  PageLines({
                      QStringLiteral("CorvaneHelp     ") + app.prog.VersionText,
                      QString(),
                      QStringLiteral("Does not need Installation. Can be used without even having Corvane in the machine."),
                      QString(),
                      QStringLiteral("Requires Qt 6.4 or higher (Qt Widgets)."),
                      QString(),
                      QStringLiteral("The folder of Corvane holds this Help in its Help folder."),
                      QStringLiteral("But it can be in any folder and still you will be able to view this Help from within "
                                     "Corvane by clicking Help | Help. Please check Introduction."),
                  }));
    w.LabelIntroMe[0].setCaption(QStringLiteral("Corvane is a very simple program. Most probably nobody will need any Help. "
                                                "It will be a great pleasure if anybody feels this Help as important."));
    w.LabelIntroMe[1].setCaption(PageLines({QStringLiteral("Velmora"), MakerContactEmail()}));
    introLabelsStack(w);
}

void ControlTopic::TopicAboutProgramsShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    stepSet(t, 0, 0);
    t.IntroFrameIndex = 9;
    w.FrameIntro[9].setCaption(QStringLiteral("About Fenwary :"));
    pageTextWrite(QStringLiteral("Fenwary : "),
                  PageLines({
                      QString(),
                      QStringLiteral("1. Drimsel : A simple File Renaming Tool."),
                      QStringLiteral("2. Corvane : A simple Tabed Web Browser."),
                      QStringLiteral("3. Ostrade : A simple Program Launcher."),
                  }));
    w.LabelIntroMe[0].setCaption(QString());
    w.LabelIntroMe[1].setCaption(
        PageLines({QStringLiteral("Each of these programs is small and does one thing."),
                   QStringLiteral("Thank you for using them.")}));
    introLabelsStack(w);
}

} // namespace corvanehelp
