// Topics 6 "Navigation", 7 "Browser" and 8 "Tabs and related buttons": one imitation of
// the middle of the browser's top band (current-browser label, location box, Go, the
// arrows and the navigation buttons, an example browser), to which topic 7 adds the
// browser buttons and topic 8 the tab buttons. The window's click handlers change the
// demonstration state; the pages tell what the real button does and repaint the
// imitation from that state.

#include "ControlTopic.h"

#include "DemoAddress.h"
#include "HelpApp.h"
#include "frmMain.h"

namespace corvanehelp {

namespace {

const QString BrowserTitle = QStringLiteral("Main Browser and Browser Buttons");

} // namespace

void ControlTopic::demoPageStart(int step, const QString& title, const QString& text)
{
    TopicVars& t = app.topic;
    t.StepState = 0;
    t.StepNumber = step;
    t.IntroFrameIndex = 6;
    pageTextWrite(title, text);
}

void ControlTopic::navigationPage(int step, const QString& title, const QString& text)
{
    demoPageStart(step, title, text);
    const int topic = app.topic.TopicIndex;
    DemoBrowserStateRefresh(topic == 7 || topic == 8, topic == 8, false, false);
}

// ---------------------------------------------------------------------------------------
// Navigation

void ControlTopic::TopicNavigationShow()
{
    frmMain& w = window();
    demoPageStart(0, QStringLiteral("Navigation"),
                  PageLines({
                      QString(),
                      QStringLiteral("The Location box and the Navigation buttons stand at the top middle of the main window. "
                                     "The label above the box names the Browser being viewed."),
                      QString(),
                      QStringLiteral("Type the address and click 'Go' or press 'Enter'."),
                      QString(),
                      QStringLiteral("'Go' button reamins inactive if Browser showing the page shown in Location Combo box."),
                      QStringLiteral("'Home' Button remains inactive if Browser showing the Home Page."),
                  }));
    if (w.ComboLocation.text().isEmpty())
        exampleUrlShow(DemoCurrentPage());
    w.LabelDescription6.setCaption(
        PageLines({QStringLiteral("Type in the Combo box or click on any button to find out how and what these do."), QString(),
                   QStringLiteral("'Go' button will be enabled if you type something different in the Combo box.")}));
    const int topic = app.topic.TopicIndex;
    DemoBrowserStateRefresh(topic == 7 || topic == 8, topic == 8, false, true);
}

void ControlTopic::TopicNavBackShow()
{
    navigationPage(1, QStringLiteral("Navigation || Back"),
                   PageLines({QString(), QStringLiteral("The current Browser (see the label above the Location box) goes to "
                                                        "its previous page, if there is one.")}));
}

void ControlTopic::TopicNavForwardShow()
{
    navigationPage(2, QStringLiteral("Navigation || Forward"),
                   PageLines({QString(), QStringLiteral("The current Browser (see the label above the Location box) goes to "
                                                        "its next page, if there is one.")}));
}

void ControlTopic::TopicNavHomeShow()
{
    navigationPage(3, QStringLiteral("Navigation || Home"),
                   PageLines({
                       QString(),
                       QStringLiteral("'Home' is disabled when the current Browser is not a main Browser or already shows "
                                      "its Home Page."),
                       QString(),
                       QStringLiteral("Otherwise the current main Browser goes to its Home Page."),
                   }));
}

void ControlTopic::TopicNavSearchShow()
{
    navigationPage(4, QStringLiteral("Navigation || Search"),
                   PageLines({QString(), QStringLiteral("The current Browser shows the search page. Click 'Search' again to "
                                                        "see it in the example.")}));
}

void ControlTopic::TopicNavRefreshShow()
{
    navigationPage(5, QStringLiteral("Navigation || Refresh"),
                   PageLines({QString(), QStringLiteral("The current Browser loads the page again.")}));
}

void ControlTopic::TopicNavStopShow()
{
    navigationPage(6, QStringLiteral("Navigation || Stop"),
                   PageLines({QString(), QStringLiteral("The current Browser stops downloading the page.")}));
}

void ControlTopic::TopicNavGoShow()
{
    navigationPage(7, QStringLiteral("Navigation || Go"),
                   PageLines({
                       QString(),
                       QStringLiteral("When the current Browser does not show the page typed in the Location box, 'Go' makes "
                                      "it go there."),
                       QString(),
                       QStringLiteral("'Enter' in the Location box does the same while the box has the focus."),
                   }));
}

// ---------------------------------------------------------------------------------------
// Browser. The pages keep the tab buttons when they are reached from topic 8.

void ControlTopic::TopicBrowserShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    demoPageStart(0, BrowserTitle,
                  PageLines({
                      QString(),
                      QStringLiteral("Browser buttons are visible only when the options run more than one main Browser, as "
                                     "many as are run. A Browser is viewed by making it current with its 'Browser' button."),
                      QString(),
                      QStringLiteral("Corvane has 6 main Browsers. With different Home Pages and all of them running, 6 web "
                                     "sites open at start."),
                  }));
    if (w.ComboLocation.text().isEmpty())
        exampleUrlShow(DemoBrowserPage(t.CurrentMainBrowser + 1));
    DemoBrowserStateRefresh(true, t.TopicIndex == 8, false, false);
}

void ControlTopic::TopicBrowserCurrentShow()
{
    frmMain& w = window();
    demoPageStart(1, BrowserTitle,
                  PageLines({
                      QString(),
                      QStringLiteral("For the current Browser a message like the one at the right is shown."),
                      QString(),
                      QStringLiteral("Click another 'Browser' button to see how the selection changes."),
                  }));
    w.LabelDescription6.setCaption(QStringLiteral("You are viewing this Browser."));
    DemoBrowserStateRefresh(true, app.topic.TopicIndex == 8, false, true);
}

void ControlTopic::TopicBrowserSelectShow()
{
    demoPageStart(2, BrowserTitle,
                  PageLines({
                      QString(),
                      QStringLiteral("The main Browser selection moves to the clicked number and that Browser becomes the "
                                     "current (visible) Browser. Please see the label above the Location box."),
                  }));
    DemoBrowserStateRefresh(true, app.topic.TopicIndex == 8, false, false);
}

// ---------------------------------------------------------------------------------------
// Tabs

void ControlTopic::TopicTabsShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    demoPageStart(0, QStringLiteral("Tabs and related buttons"),
                  PageLines({
                      QString(),
                      QStringLiteral("With no open Tab no Tab button but 'Tab List' is visible, and 'Tab List' is disabled. "
                                     "The visible Tab buttons follow the open Tabs."),
                      QString(),
                      QStringLiteral("At most 24 Tabs can be opened. In this example 6 open Tab is shown."),
                      QString(),
                      QStringLiteral("The button of a closed Tab becomes invisible or disabled, and with all Tabs closed "
                                     "every Tab button but 'Tab List' hides again."),
                  }));
    // The last open tab is current: the sixth when the topic opens, never a closed one.
    t.CurrentTab = t.LastEnabledTab >= 0 && t.LastEnabledTab <= 5 ? t.LastEnabledTab : 5;
    if (w.ComboLocation.text().isEmpty())
        exampleUrlShow(DemoTabPage(t.CurrentTab + 1));
    t.TabIsCurrent = true;
    DemoBrowserStateRefresh(true, true, false, false);
}

void ControlTopic::TopicTabsTabDemo()
{
    demoPageStart(1, QStringLiteral("Tabs and related buttons || Tabs"),
                  PageLines({
                      QString(),
                      QStringLiteral("A Tab button makes its Tab Browser current. Clicking the button of the Tab already "
                                     "current hides it and makes the Bookmark Browser current when it is open, else the "
                                     "selected main Browser."),
                      QString(),
                      QStringLiteral("In this demonstration it will work as if Bookmark Browser is not open."),
                  }));
    DemoBrowserStateRefresh(true, true, false, false);
}

void ControlTopic::TopicTabsSelectDemo()
{
    TopicVars& t = app.topic;
    demoPageStart(2, QStringLiteral("Tabs and related buttons || Select"),
                  PageLines({
                      QString(),
                      QStringLiteral("'Select' stays disabled while only one Tab is open. It shows the Tab selection box "
                                     "(pictured) with a choice per open Tab and 'Select/Unselect All'."),
                      QString(),
                      QStringLiteral("'Add Selected Tabs To Bookmark' bookmarks the pages of the chosen Tabs, 'Close "
                                     "Selected Tabs' closes them and 'Cancel' hides the box."),
                  }));
    t.TabSelectMode = true;
    t.TabIsCurrent = true;
    t.CurrentTab = t.LastEnabledTab;
    // The example browser follows the tab that became current.
    if (t.CurrentTab >= 0)
        exampleUrlShow(DemoTabPage(t.CurrentTab + 1));
    DemoBrowserStateRefresh(true, true, true, false);
}

void ControlTopic::TopicTabsCloseAllDemo()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    // The topic list moves to "Browser" without showing that topic: this page stays.
    t.SuppressTopicClick = true;
    w.OptionTopic[7].setValue(true);
    demoPageStart(3, QStringLiteral("Tabs and related buttons || Close All"),
                  PageLines({
                      QString(),
                      QStringLiteral("'Close All' closes every Tab Browser, disables 'Tab List' and hides the other Tab "
                                     "buttons. It makes the Bookmark Browser current when it is open, else the selected main "
                                     "Browser."),
                      QString(),
                      QStringLiteral("In this demonstration it will work as if Bookmark Browser is not open."),
                  }));
    t.LastEnabledTab = -1;
    t.LastOpenTab = -1;
    t.CurrentTab = -1;
    t.TabIsCurrent = false;
    // The example browser follows the main browser that became current.
    exampleUrlShow(DemoBrowserPage(t.CurrentMainBrowser + 1));
    DemoBrowserStateRefresh(true, false, false, false);
}

void ControlTopic::TopicTabsCloseDemo()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    // Without a current tab there is nothing to close (its button is disabled then).
    if (!t.TabIsCurrent || t.CurrentTab < 0 || t.CurrentTab > 5)
        return;
    w.CommandTabNew[t.CurrentTab].setEnabled(false);
    w.CommandFullTab[t.CurrentTab].setEnabled(false);
    t.TabIsCurrent = false;
    t.CurrentTab = -1;
    t.LastOpenTab -= 1;
    t.LastEnabledTab = DemoTabBarRelayout();
    if (t.LastOpenTab < 0) {
        // The last tab closed: the Browser topic shows itself.
        w.OptionTopic[7].setValue(true);
        return;
    }
    demoPageStart(4, QStringLiteral("Tabs and related buttons || Close All"),
                  PageLines({
                      QString(),
                      QStringLiteral("'Close #' stays disabled while no Tab Browser is current. It closes the current Tab "
                                     "Browser and makes the Bookmark Browser current when it is open, else the current main "
                                     "Browser."),
                      QString(),
                      QStringLiteral("To reopen the closed Tabs come back to this Topic. This may also be needed to see the "
                                     "Tab buttons in Full Window mode."),
                  }));
    exampleUrlShow(DemoBrowserPage(t.CurrentMainBrowser + 1));
    DemoBrowserStateRefresh(true, true, false, false);
}

} // namespace corvanehelp
