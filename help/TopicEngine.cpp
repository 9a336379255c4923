#include "TopicEngine.h"

#include "DemoAddress.h"
#include "HelpApp.h"
#include "frmMain.h"

#include "vb/Pictures.h"

namespace corvanehelp {

QString TopicPageProcedure(TopicPage page)
{
    switch (page) {
    case TopicPage::MainButtons: return QStringLiteral("TopicMainButtonsShow");
    case TopicPage::PageButton: return QStringLiteral("TopicPageButtonShow");
    case TopicPage::PageBookmark: return QStringLiteral("TopicPageBookmarkShow");
    case TopicPage::PageKeepNote: return QStringLiteral("TopicPageKeepNoteShow");
    case TopicPage::PageSetHome: return QStringLiteral("TopicPageSetHomeShow");
    case TopicPage::PageSave: return QStringLiteral("TopicPageSaveShow");
    case TopicPage::PagePrint: return QStringLiteral("TopicPagePrintShow");
    case TopicPage::OpenButton: return QStringLiteral("TopicOpenButtonShow");
    case TopicPage::OpenFile: return QStringLiteral("TopicOpenFileShow");
    case TopicPage::OpenNewTab: return QStringLiteral("TopicOpenNewTabShow");
    case TopicPage::OpenNewBrowser: return QStringLiteral("TopicOpenNewBrowserShow");
    case TopicPage::OpenBookmarks: return QStringLiteral("TopicOpenBookmarksShow");
    case TopicPage::BookmarkControls: return QStringLiteral("TopicBookmarkControlsShow");
    case TopicPage::ViewButton: return QStringLiteral("TopicViewButtonShow");
    case TopicPage::ViewNote: return QStringLiteral("TopicViewNoteShow");
    case TopicPage::ViewChoices: return QStringLiteral("TopicViewChoicesShow");
    case TopicPage::ViewOptions: return QStringLiteral("TopicViewOptionsShow");
    case TopicPage::ChoicesUserName: return QStringLiteral("TopicChoicesUserNameShow");
    case TopicPage::ChoicesUserPicture: return QStringLiteral("TopicChoicesUserPictureShow");
    case TopicPage::ToolsButton: return QStringLiteral("TopicToolsButtonShow");
    case TopicPage::ToolsInternetProperties: return QStringLiteral("TopicToolsInternetPropertiesShow");
    case TopicPage::ToolsDisplayProperties: return QStringLiteral("TopicToolsDisplayPropertiesShow");
    case TopicPage::ToolsReportBug: return QStringLiteral("TopicToolsReportBugShow");
    case TopicPage::HelpButton: return QStringLiteral("TopicHelpButtonShow");
    case TopicPage::HelpHelp: return QStringLiteral("TopicHelpHelpShow");
    case TopicPage::HelpWebSite: return QStringLiteral("TopicHelpWebSiteShow");
    case TopicPage::HelpAbout: return QStringLiteral("TopicHelpAboutShow");
    case TopicPage::TabList: return QStringLiteral("TopicTabListShow");
    case TopicPage::Run: return QStringLiteral("TopicRunShow");
    case TopicPage::FullWindowButton: return QStringLiteral("TopicFullWindowButtonShow");
    case TopicPage::Exit: return QStringLiteral("TopicExitShow");
    case TopicPage::Navigation: return QStringLiteral("TopicNavigationShow");
    case TopicPage::NavBack: return QStringLiteral("TopicNavBackShow");
    case TopicPage::NavForward: return QStringLiteral("TopicNavForwardShow");
    case TopicPage::NavHome: return QStringLiteral("TopicNavHomeShow");
    case TopicPage::NavSearch: return QStringLiteral("TopicNavSearchShow");
    case TopicPage::NavRefresh: return QStringLiteral("TopicNavRefreshShow");
    case TopicPage::NavStop: return QStringLiteral("TopicNavStopShow");
    case TopicPage::NavGo: return QStringLiteral("TopicNavGoShow");
    case TopicPage::BrowserCurrent: return QStringLiteral("TopicBrowserCurrentShow");
    case TopicPage::BrowserSelect: return QStringLiteral("TopicBrowserSelectShow");
    case TopicPage::Tabs: return QStringLiteral("TopicTabsShow");
    case TopicPage::TabsTab: return QStringLiteral("TopicTabsTabDemo");
    case TopicPage::TabsSelect: return QStringLiteral("TopicTabsSelectDemo");
    case TopicPage::TabsCloseAll: return QStringLiteral("TopicTabsCloseAllDemo");
    case TopicPage::TabsClose: return QStringLiteral("TopicTabsCloseDemo");
    case TopicPage::FullMainControl: return QStringLiteral("TopicFullMainControlShow");
    case TopicPage::FullNavBarHide: return QStringLiteral("TopicFullNavBarHideShow");
    case TopicPage::FullTabs: return QStringLiteral("TopicFullTabsShow");
    case TopicPage::FullNavigation: return QStringLiteral("TopicFullNavigationShow");
    case TopicPage::FullTabButtons: return QStringLiteral("TopicFullTabButtonsShow");
    case TopicPage::FullMainButtons: return QStringLiteral("TopicFullMainButtonsShow");
    case TopicPage::FullNavigationButton: return QStringLiteral("TopicFullNavigationButtonShow");
    case TopicPage::FullBrowserButton: return QStringLiteral("TopicFullBrowserButtonShow");
    case TopicPage::FullBookmarkButton: return QStringLiteral("TopicFullBookmarkButtonShow");
    case TopicPage::FullRun: return QStringLiteral("TopicFullRunShow");
    case TopicPage::NormalWindow: return QStringLiteral("TopicNormalWindowShow");
    case TopicPage::FullExit: return QStringLiteral("TopicFullExitShow");
    case TopicPage::FullBrowserSelect: return QStringLiteral("TopicFullBrowserSelectShow");
    case TopicPage::FullHideControls: return QStringLiteral("TopicFullHideControlsShow");
    case TopicPage::FullHideBrowsers: return QStringLiteral("TopicFullHideBrowsersShow");
    }
    return QString();
}

TopicEngine::TopicEngine(HelpApp& app) : app(app) {}

TopicEngine::~TopicEngine() = default;

frmMain& TopicEngine::window() const
{
    return app.window();
}

void TopicEngine::TopicShowSelected()
{
    frmMain& w = window();
    TopicVars& t = app.topic;
    t.PageShown.reset();
    w.FrameHide.setVisible(t.TopicIndex != 0);
    if (t.TopicIndex == 0) {
        w.exampleUrlShow(DemoCurrentPage());
        TopicMainWindowShow();
    } else {
        // The topics' pages come with the topic engine's own module; until then a topic
        // shows its name only.
        t.StepState = 0;
        t.StepNumber = 0;
        w.FrameInfo.setCaption(w.OptionTopic[t.TopicIndex].caption());
        w.LabelInfo.setCaption(QString());
    }
    TopicIntroFrameShow();
    TopicStepButtonsUpdate();
    FocusRest();
}

void TopicEngine::TopicStepBack()
{
    TopicStepButtonsUpdate();
}

void TopicEngine::TopicStepContinue()
{
    TopicStepButtonsUpdate();
}

void TopicEngine::TopicPageShow(TopicPage)
{
}

void TopicEngine::FocusRest()
{
    if (!app.prog.StartupShowing)
        window().PictureMain.setFocus();
}

void TopicEngine::TopicStepButtonsUpdate()
{
    frmMain& w = window();
    const TopicVars& t = app.topic;
    bool back = false;
    bool forward = false;
    switch (t.StepState) {
    case 1:
        forward = true;
        break;
    case 2:
        back = true;
        forward = true;
        break;
    case 3:
        back = true;
        break;
    default:
        break;
    }
    w.FrameGo.setVisible(t.StepState >= 1 && t.StepState <= 3);
    w.ImageGoBack.setEnabled(back);
    w.ImageGoContinue.setEnabled(forward);
    w.FrameRestart.setVisible(t.StepNumber > 1);
    w.ImageGoBack.setPicture(w.ImageBack[back ? 0 : 2].picture());
    w.ImageGoContinue.setPicture(w.ImageForward[forward ? 0 : 2].picture());
}

void TopicEngine::TopicIntroFrameShow()
{
    frmMain& w = window();
    for (int i = 0; i <= 10; ++i)
        w.FrameIntro[i].setVisible(i == app.topic.IntroFrameIndex);
}

namespace {

// The imitation's location box offers the demonstration's two addresses, once.
void locationListFill(frmMain& w, TopicVars& t)
{
    t.DemoSiteUrl = DemoSiteAddress();
    t.DemoDownloadUrl = DemoDownloadAddress();
    if (w.ComboLocation.listCount() < 2) {
        w.ComboLocation.addItem(t.DemoSiteUrl);
        w.ComboLocation.addItem(t.DemoDownloadUrl);
    }
}

// Faces of the single buttons and the arrows.
void singleButtonsDress(frmMain& w)
{
    w.ButtonFace(w.CommandNavGo, 0);
    w.ButtonDisabledFace(w.CommandNavGo, 2);
    w.ImageNavBack.setPicture(w.ImageBack[0].picture());
    w.ImageFullBack.setPicture(w.ImageBack[0].picture());
    w.ImageNavForward.setPicture(w.ImageForward[0].picture());
    w.ImageFullForward.setPicture(w.ImageForward[0].picture());
    w.ButtonFace(w.CommandZero, 4);
    w.ButtonFace(w.CommandFullGo, 0);
    w.ButtonFace(w.CommandHideControl, 5);
    w.ButtonFace(w.CommandHideBrowser, 5);
    w.ButtonFace(w.CommandFullShowTab, 3);
    w.ButtonDisabledFace(w.CommandFullShowTab, 2);
}

// The browser, tab, navigation and bar buttons of both bars; the current browser and tab
// are marked. Home, closing the current tab and Select start disabled-looking.
void barButtonsDress(frmMain& w, const TopicVars& t)
{
    for (int i = 0; i <= 5; ++i) {
        w.LabelExBrowser[i].move(1800, 1200);
        const bool currentBrowser = i == t.CurrentMainBrowser;
        w.ButtonFace(w.CommandBrowser[i], currentBrowser ? 3 : 0);
        w.ButtonFace(w.CommandFullBrowser[i], currentBrowser ? 3 : 0);
        const QString label = currentBrowser ? QStringLiteral("Browser") : QString::number(i + 1);
        w.LabelBrowser[i].setCaption(label);
        w.LabelFullBrowser[i].setCaption(label);
        for (vb::CommandButton* tab : {&w.CommandTabNew[i], &w.CommandFullTab[i]}) {
            w.ButtonFace(*tab, i == t.CurrentTab ? 3 : 6);
            w.ButtonDisabledFace(*tab, 2);
            tab->setEnabled(true);
        }
        if (i < 4) {
            w.ButtonFace(w.CommandNavigate[i], i == 3 ? 7 : 0);
            w.ButtonFace(w.CommandFullNav[i], i == 3 ? 7 : 0);
        }
        if (i < 3) {
            w.ButtonFace(w.CommandTabClose[i], 0);
            w.ButtonFace(w.CommandFullTabClose[i], 0);
        }
        w.ButtonFace(w.CommandOne[i], 0);
        w.ButtonFace(w.CommandTwo[i], i < 3 ? 0 : 4);
    }
    w.ButtonDisabledFace(w.CommandNavigate[0], 2);
    w.ButtonDisabledFace(w.CommandTabClose[1], 2);
    w.ButtonDisabledFace(w.CommandFullTabClose[1], 2);
    w.ButtonDisabledFace(w.CommandTabClose[2], 2);
}

void overviewTextWrite(frmMain& w)
{
    const QString CRLF = QStringLiteral("\r\n");
    w.LabelInfo.setCaption(QStringLiteral("Main window of Corvane is shown above. Please view related Topics.") + CRLF + CRLF +
                           QStringLiteral("Topic : Main Buttons : For Main buttons and Tab List.") + CRLF +
                           QStringLiteral("Topic : Navigation : For Navigation buttons.") + CRLF +
                           QStringLiteral("Topic : Browser : For Browser buttons.") + CRLF +
                           QStringLiteral("Topic : Tabs and related buttons : For Tabs and related buttons.") + CRLF + CRLF +
                           QStringLiteral("Please select a Topic by clicking 'Show Topic' button at the top left."));
}

} // namespace

void TopicEngine::TopicMainWindowShow()
{
    frmMain& w = window();
    TopicVars& t = app.topic;

    // The overview has no steps; it shows the imitation of the main window with the user's
    // picture on the intro frame.
    t.StepState = 0;
    t.StepNumber = 0;
    t.IntroFrameIndex = 10;
    w.FrameCommon.setHeight(885);
    const std::optional<QPixmap> user = vb::loadPicture(app.profile.UserPicturePath);
    w.ImageBigUser.setPicture(user.value_or(QPixmap()));
    w.FrameIntro[10].setCaption(QString());
    w.FrameInfo.setCaption(QStringLiteral("Details Frame"));

    locationListFill(w, t);
    singleButtonsDress(w);
    // Six tabs open, the sixth one marked.
    t.LastEnabledTab = 5;
    t.LastOpenTab = 5;
    t.CurrentTab = 5;
    barButtonsDress(w, t);
    overviewTextWrite(w);
}

} // namespace corvanehelp
