// Topic 9, "Full Window Mode": an imitation of the browser's window in full-window mode
// with its single main control button, the navigation bar (with the tab row while tabs
// are open), the control buttons and the browser buttons. The window's click handlers
// show, hide and restack those frames as the real ones do; the pages only tell what the
// clicked button does. Only the overview puts the frames back in place.

#include "ControlTopic.h"

#include "HelpApp.h"
#include "frmMain.h"

namespace corvanehelp {

namespace {

const QString FullTitle = QStringLiteral("Corvane - Running In Full Window");

} // namespace

void ControlTopic::fullWindowPage(int step, const QString& text, const QString& title)
{
    TopicVars& t = app.topic;
    t.StepState = 0;
    t.StepNumber = step;
    t.IntroFrameIndex = 7;
    pageTextWrite(title.isEmpty() ? FullTitle : title, text);
}

void ControlTopic::TopicFullWindowShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    t.StepState = 0;
    t.StepNumber = 0;
    t.IntroFrameIndex = 7;
    w.FrameInfo.setCaption(FullTitle);

    // The bar has its tab row only while tabs are open.
    QString note;
    if (t.LastOpenTab < 0) {
        note = QStringLiteral("\r\nPlease Note : All Tabs are closed and can not be shown in this mode. To view Tab buttons "
                              "in this mode please go to 'Tabs and related buttons' Topic and come back to this Topic.");
        w.FrameCommon.setHeight(405);
        w.CommandFullShowTab.setEnabled(false);
    } else {
        w.FrameCommon.setHeight(885);
        w.ButtonFace(w.CommandFullShowTab, 3);
        w.CommandFullShowTab.setEnabled(true);
    }

    w.LabelInfo.setCaption(
        PageLines({
            QStringLiteral("Corvane will run in Full Window mode if 'Full Window' button is clicked."),
            QStringLiteral("Other than 'Main Control' button right bellow the Icon of Corvane, all buttons and controls can be "
                           "hidden in 'Full Window' mode."),
            QStringLiteral("The Navigation bar is shown now. It holds the Tab buttons while Tabs are open, and its 'x' button "
                           "at its top left hides it."),
            QStringLiteral("Please click on any button for more information."),
        }) +
        note);

    w.FrameOne.setVisible(false);
    w.FrameCommon.setVisible(true);
    w.FrameFullBrowser.setVisible(false);
    w.ButtonFace(w.CommandZero, 4);
}

void ControlTopic::TopicFullMainControlShow()
{
    fullWindowPage(1, PageLines({
                          QStringLiteral("This is 'Main Control' button."),
                          QStringLiteral("In 'Full Window' mode this is the only button will remain always visible."),
                          QStringLiteral("This button will show/hide all control buttons to access all aspects of Corvane in "
                                         "'Full Window' mode."),
                          QStringLiteral("If control buttons are visible, clicking 'Main Control' button again or on 'Hide' "
                                         "button or browsing to a new web page will hide these buttons."),
                      }));
}

void ControlTopic::TopicFullNavBarHideShow()
{
    fullWindowPage(2, PageLines({
                          QStringLiteral("This button will hide the Navigation bar."),
                          QStringLiteral("To bring Navigation bar back please click on 'Main Control' and then on "
                                         "'Navigation' button."),
                      }));
}

void ControlTopic::TopicFullTabsShow()
{
    fullWindowPage(3, PageLines({
                          QStringLiteral("'Tabs' button remains disabled if there is no open Tab."),
                          QStringLiteral("This button will show/hide Tab buttons."),
                      }));
}

void ControlTopic::TopicFullNavigationShow()
{
    fullWindowPage(4, PageLines({
                          QStringLiteral("In 'Full Window' mode 'Back', 'Forward', 'Stop', 'Home', 'Search', 'Refresh' and "
                                         "'Go' buttons work exactly the way these work in the 'Normal Window' mode."),
                          QStringLiteral("Please see 'Navigation' Topic."),
                      }));
}

void ControlTopic::TopicFullTabButtonsShow()
{
    fullWindowPage(5, PageLines({
                          QStringLiteral("In 'Full Window' mode all Tab related buttons work exactly the way those work in "
                                         "'Normal Window' mode."),
                          QStringLiteral("Please see 'Tabs and related buttons' Topic."),
                      }));
}

void ControlTopic::TopicFullMainButtonsShow()
{
    fullWindowPage(6, PageLines({
                          QStringLiteral("In 'Full Window' mode 'Page', 'Open', 'View', 'Tools', 'Help' and 'Tab List' "
                                         "buttons work exactly the way those works in 'Normal Window' mode."),
                          QStringLiteral("Please see 'Main buttons' Topic."),
                      }));
}

void ControlTopic::TopicFullNavigationButtonShow()
{
    fullWindowPage(7, QStringLiteral("'Navigation' button show/hide Navigation bar."));
}

void ControlTopic::TopicFullBrowserButtonShow()
{
    fullWindowPage(8, PageLines({
                          QStringLiteral("'Browser' button remains disabled if your option is set to run only one main "
                                         "Browser (default)."),
                          QStringLiteral("This button show/hide main Browsers' buttons to select a main Browser to make "
                                         "selected Browser as current (visible) Browser."),
                          QStringLiteral("Please see 'Browser' Topic."),
                          QStringLiteral("Clicling on any control button or Browser 'Hide' button or browsing to any new page "
                                         "hides these buttons."),
                      }));
}

void ControlTopic::TopicFullBookmarkButtonShow()
{
    fullWindowPage(9, PageLines({
                          QStringLiteral("'Bookmark' button remains disabled while the Bookmark Browser is not open ('Open | "
                                         "Bookmarks' opens it)."),
                          QStringLiteral("It shows and hides the Bookmark controls the way the Bookmarks 'Show' button does "
                                         "in 'Normal Window' mode. In 'Full Window' mode those controls have one more button, "
                                         "which closes the Bookmark Browser."),
                          QStringLiteral("For more on 'Show' please see 'Open' and 'Bookmarks' in 'Main buttons' Topic."),
                      }));
}

void ControlTopic::TopicFullRunShow()
{
    fullWindowPage(10, PageLines({
                           QStringLiteral("'Run' button works exactly the way 'Run' button works in 'Normal Window' mode."),
                           QStringLiteral("Please see 'Main buttons' Topic."),
                       }));
}

void ControlTopic::TopicNormalWindowShow()
{
    fullWindowPage(11,
                   PageLines({
                       QStringLiteral("'Normal Window' button brings back the 'Normal Window' mode."),
                       QStringLiteral("To view Normal Window Mode please click 'Normal Window' button again ."),
                   }),
                   QStringLiteral("Corvane - Running In Normal Window"));
}

void ControlTopic::TopicFullExitShow()
{
    fullWindowPage(12, QStringLiteral("Corvane will exit when this button is clicked."));
}

void ControlTopic::TopicFullBrowserSelectShow()
{
    fullWindowPage(13, QStringLiteral("These buttons selects a main Browser to make it the current (visible) Browser."));
}

void ControlTopic::TopicFullHideControlsShow()
{
    fullWindowPage(14, PageLines({
                           QStringLiteral("'Hide' button hides cotrol buttons."),
                           QStringLiteral("To bring the buttons back plese click on 'Main Control' button right bellow the "
                                          "Icon of Corvane."),
                       }));
}

void ControlTopic::TopicFullHideBrowsersShow()
{
    fullWindowPage(15, QStringLiteral("'Hide' button hides Browser buttons."));
}

} // namespace corvanehelp
