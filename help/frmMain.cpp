// The help window's events: the topic list, the step images, Activate and Exit, and the
// routing of every click on the imitation of the browser's window to a page.

#include "frmMain.h"

#include "ActiveHelp.h"
#include "DemoAddress.h"
#include "HelpApp.h"
#include "TopicEngine.h"

namespace corvanehelp {

void frmMain::wireEvents()
{
    OptionTopic.onClick = [this](int i) { OptionTopic_Click(i); };
    for (int i = 0; i <= 12; ++i)
        OptionTopic[i].onClickChosen = [this] { OptionTopic_ClickChosen(); };
    CommandTopic.onClick = [this] { CommandTopic_Click(); };
    CommandHide.onClick = [this] { CommandHide_Click(); };
    CommandRestart.onClick = [this] { CommandRestart_Click(); };
    ImageGoBack.onClick = [this] { ImageGoBack_Click(); };
    ImageGoContinue.onClick = [this] { ImageGoContinue_Click(); };
    CommandActivate.onClick = [this] { CommandActivate_Click(); };
    CommandExit.onClick = [this] { CommandExit_Click(); };

    for (Img* back : {&ImageGoBack, &ImageNavBack, &ImageFullBack}) {
        back->onMouseDown = [this, back](int, int, int, int) { BackImage_MouseDown(*back); };
        back->onMouseUp = [this, back](int, int, int, int) { BackImage_MouseUp(*back); };
    }
    for (Img* forward : {&ImageGoContinue, &ImageNavForward, &ImageFullForward}) {
        forward->onMouseDown = [this, forward](int, int, int, int) { ForwardImage_MouseDown(*forward); };
        forward->onMouseUp = [this, forward](int, int, int, int) { ForwardImage_MouseUp(*forward); };
    }

    CommandMenu.onClick = [this](int i) { CommandMenu_Click(i); };
    CommandPage.onClick = [this](int i) { CommandPage_Click(i); };
    CommandOpen.onClick = [this](int i) { CommandOpen_Click(i); };
    CommandShowBookmark.onClick = [this] { CommandShowBookmark_Click(); };
    CommandCloseBookmark.onClick = [this] { CommandCloseBookmark_Click(); };
    CommandTabHide.onClick = [this] { CommandTabHide_Click(); };
    CommandView.onClick = [this](int i) { CommandView_Click(i); };
    CommandChoices.onClick = [this](int i) { CommandChoices_Click(i); };
    CommandTools.onClick = [this](int i) { CommandTools_Click(i); };
    CommandHelp.onClick = [this](int i) { CommandHelp_Click(i); };
    CommandButExit.onClick = [this](int i) { CommandButExit_Click(i); };
    ComboLocation.onChange = [this] { ComboLocation_Change(); };
    ComboLocation.onClick = [this] { ComboLocation_Click(); };
    CommandNavGo.onClick = [this] { CommandNavGo_Click(); };
    ImageNavBack.onClick = [this] { ImageNavBack_Click(); };
    ImageNavForward.onClick = [this] { ImageNavForward_Click(); };
    CommandNavigate.onClick = [this](int i) { CommandNavigate_Click(i); };
    CommandBrowser.onClick = [this](int i) { CommandBrowser_Click(i); };
    CommandTabNew.onClick = [this](int i) { CommandTabNew_Click(i); };
    CommandTabClose.onClick = [this](int i) { CommandTabClose_Click(i); };

    CommandZero.onClick = [this] { CommandZero_Click(); };
    CommandComHide.onClick = [this] { CommandComHide_Click(); };
    CommandFullShowTab.onClick = [this] { CommandFullShowTab_Click(); };
    CommandFullGo.onClick = [this] { CommandFullGo_Click(); };
    CommandFullNav.onClick = [this](int i) { CommandFullNav_Click(i); };
    ImageFullBack.onClick = [this] { ImageFullBack_Click(); };
    ImageFullForward.onClick = [this] { ImageFullForward_Click(); };
    CommandFullTabClose.onClick = [this](int i) { CommandFullTabClose_Click(i); };
    CommandFullBrowser.onClick = [this](int i) { CommandFullBrowser_Click(i); };
    CommandFullTab.onClick = [this](int i) { CommandFullTab_Click(i); };
    CommandOne.onClick = [this](int i) { CommandOne_Click(i); };
    CommandTwo.onClick = [this](int i) { CommandTwo_Click(i); };
    CommandHideControl.onClick = [this] { CommandHideControl_Click(); };
    CommandHideBrowser.onClick = [this] { CommandHideBrowser_Click(); };
}

void frmMain::ButtonFace(Btn& button, int face)
{
    button.setPicture(ImageBut[face].picture());
}

void frmMain::ButtonDisabledFace(Btn& button, int face)
{
    button.setDisabledPicture(ImageBut[face].picture());
}

// ---------------------------------------------------------------------------------------
// The window

void frmMain::Form_Load()
{
    const vb::ScreenMetrics screen = m_app.rt.screen();
    setTop(screen.heightTwips >= 10000 ? 700 : 400);
    setLeft(screen.widthTwips >= 13000 ? 700 : 400);

    PictureMain.setBorderStyle(0);
    LabelDescription5.setBackStyle(0);
    LabelDescription6.setBackStyle(0);
    LabelInfo.setBackStyle(0);

    FrameTopic.move(16, 24, FrameTopic.width(), FrameTopic.height());
    FrameHelp.move(16, 24, FrameHelp.width(), FrameHelp.height());
    for (int i = 0; i <= 10; ++i)
        FrameIntro[i].move(224, 24, FrameIntro[i].width(), FrameIntro[i].height());

    const ProgramVars& prog = m_app.prog;
    const bool parent = prog.ParentAvailable;
    CommandActivate.setVisible(parent);
    LabelActivate.setVisible(parent);
    LabelParent[0].setVisible(parent);
    LabelParent[1].setVisible(parent);
    LabelActivate.setCaption(QStringLiteral("Activate - ") + prog.ParentName);
    LabelParent[0].setCaption(QStringLiteral("To activate ") + prog.ParentName + QStringLiteral(" please press :"));
    LabelParent[1].setCaption(QStringLiteral("Activate - ") + prog.ParentName);

    OptionTopic[m_app.topic.TopicIndex].setValue(true);
}

void frmMain::Form_Unload(int& cancel)
{
    // Nothing is kept from run to run: closing the window ends the program.
    m_app.rt.end();
}

void frmMain::page(TopicPage p)
{
    // Recorded first: a page that selects a topic leaves that topic's page on screen.
    m_app.topic.PageShown = p;
    m_app.topics->TopicPageShow(p);
}

bool frmMain::pageShown(TopicPage p) const
{
    return m_app.topic.PageShown == p;
}

void frmMain::pageOrBack(TopicPage p, TopicPage back)
{
    page(pageShown(p) ? back : p);
}

// ---------------------------------------------------------------------------------------
// Topic list, step images, Activate and Exit

void frmMain::OptionTopic_Click(int index)
{
    TopicVars& t = m_app.topic;
    t.TopicIndex = index;
    if (t.SuppressTopicClick) {
        // The code that selected the option writes its own page.
        t.SuppressTopicClick = false;
        return;
    }
    m_app.topics->TopicShowSelected();
}

// The topic picked again shows again from its first page: a page that moved the list
// from code (Close All) may have left the topic selected without showing it.
void frmMain::OptionTopic_ClickChosen()
{
    m_app.topic.SuppressTopicClick = false;
    m_app.topics->TopicShowSelected();
}

void frmMain::CommandTopic_Click()
{
    PictureMain.setFocus();
    TopicShown = !TopicShown;
    LabelTopic.setCaption(TopicShown ? QStringLiteral("Hide Topic") : QStringLiteral("Show Topic"));
    FrameTopic.setVisible(TopicShown);
    FrameHelp.setVisible(!TopicShown);
    OptionTopic[TopicShown ? 1 : 0].setValue(true);
}

void frmMain::CommandHide_Click()
{
    TopicShown = false;
    LabelTopic.setCaption(QStringLiteral("Show Topic"));
    FrameTopic.setVisible(false);
    FrameHelp.setVisible(true);
    OptionTopic[0].setValue(true);
}

void frmMain::CommandRestart_Click()
{
    m_app.topics->TopicShowSelected();
}

void frmMain::ImageGoBack_Click()
{
    m_app.topics->TopicStepBack();
}

void frmMain::ImageGoContinue_Click()
{
    m_app.topics->TopicStepContinue();
}

void frmMain::CommandActivate_Click()
{
    ParentActivate(m_app);
}

void frmMain::CommandExit_Click()
{
    unload();
}

// A disabled image raises no mouse events: its disabled picture must stay.
void frmMain::BackImage_MouseDown(Img& image)
{
    if (!image.isEnabled())
        return;
    image.setLeft(60);
    image.setPicture(ImageBack[1].picture());
}

void frmMain::BackImage_MouseUp(Img& image)
{
    if (!image.isEnabled())
        return;
    image.setLeft(120);
    image.setPicture(ImageBack[0].picture());
}

void frmMain::ForwardImage_MouseDown(Img& image)
{
    if (image.isEnabled())
        image.setPicture(ImageForward[1].picture());
}

void frmMain::ForwardImage_MouseUp(Img& image)
{
    if (image.isEnabled())
        image.setPicture(ImageForward[0].picture());
}

// ---------------------------------------------------------------------------------------
// The imitation of the normal window. A second click on the button whose page is on
// screen returns to its menu's page.

void frmMain::CommandMenu_Click(int index)
{
    PictureMain.setFocus();
    if (FrameMenu[index].isVisible()) {
        page(TopicPage::MainButtons);
        return;
    }
    static constexpr TopicPage menus[] = {TopicPage::PageButton, TopicPage::OpenButton, TopicPage::ViewButton,
                                          TopicPage::ToolsButton, TopicPage::HelpButton, TopicPage::TabList};
    page(menus[index]);
}

void frmMain::CommandPage_Click(int index)
{
    PictureMain.setFocus();
    static constexpr TopicPage items[] = {TopicPage::PageBookmark, TopicPage::PageKeepNote, TopicPage::PageSetHome,
                                          TopicPage::PageSave, TopicPage::PagePrint};
    if (index == 0)
        page(TopicPage::MainButtons);
    else if (index <= 5)
        pageOrBack(items[index - 1], TopicPage::PageButton);
}

void frmMain::CommandOpen_Click(int index)
{
    PictureMain.setFocus();
    static constexpr TopicPage items[] = {TopicPage::OpenFile, TopicPage::OpenNewTab, TopicPage::OpenNewBrowser,
                                          TopicPage::OpenBookmarks};
    if (index == 0)
        page(TopicPage::MainButtons);
    else if (index <= 4)
        pageOrBack(items[index - 1], TopicPage::OpenButton);
}

void frmMain::CommandShowBookmark_Click()
{
    PictureMain.setFocus();
    pageOrBack(TopicPage::BookmarkControls, TopicPage::OpenBookmarks);
}

void frmMain::CommandCloseBookmark_Click()
{
    PictureMain.setFocus();
    page(TopicPage::MainButtons);
}

void frmMain::CommandTabHide_Click()
{
    PictureMain.setFocus();
    page(TopicPage::MainButtons);
}

void frmMain::CommandView_Click(int index)
{
    PictureMain.setFocus();
    static constexpr TopicPage items[] = {TopicPage::ViewNote, TopicPage::ViewChoices, TopicPage::ViewOptions};
    if (index == 0)
        page(TopicPage::MainButtons);
    else if (index <= 3)
        pageOrBack(items[index - 1], TopicPage::ViewButton);
}

void frmMain::CommandChoices_Click(int index)
{
    PictureMain.setFocus();
    if (index == 0)
        page(TopicPage::ViewButton);
    else if (index == 1)
        pageOrBack(TopicPage::ChoicesUserName, TopicPage::ViewButton);
    else if (index == 2)
        pageOrBack(TopicPage::ChoicesUserPicture, TopicPage::ViewButton);
}

void frmMain::CommandTools_Click(int index)
{
    PictureMain.setFocus();
    static constexpr TopicPage items[] = {TopicPage::ToolsInternetProperties, TopicPage::ToolsDisplayProperties,
                                          TopicPage::ToolsReportBug};
    if (index == 0)
        page(TopicPage::MainButtons);
    else if (index <= 3)
        pageOrBack(items[index - 1], TopicPage::ToolsButton);
}

void frmMain::CommandHelp_Click(int index)
{
    PictureMain.setFocus();
    static constexpr TopicPage items[] = {TopicPage::HelpHelp, TopicPage::HelpWebSite, TopicPage::HelpAbout};
    if (index == 0)
        page(TopicPage::MainButtons);
    else if (index <= 3)
        pageOrBack(items[index - 1], TopicPage::HelpButton);
}

void frmMain::CommandButExit_Click(int index)
{
    PictureMain.setFocus();
    if (index == 0) {
        pageOrBack(TopicPage::Run, TopicPage::MainButtons);
    } else if (index == 1) {
        // A second click on "Full Window" shows that mode's own topic.
        if (pageShown(TopicPage::FullWindowButton))
            OptionTopic[9].setValue(true);
        else
            page(TopicPage::FullWindowButton);
    } else if (index == 2) {
        pageOrBack(TopicPage::Exit, TopicPage::MainButtons);
    }
}

void frmMain::exampleUrlShow(const QString& address)
{
    TopicVars& t = m_app.topic;
    t.ExampleUrlFromCode = ComboLocation.text() != address;
    t.ExampleUrl = address;
    ComboLocation.setText(address);
}

void frmMain::homeButtonUpdate()
{
    const TopicVars& t = m_app.topic;
    if (!t.TabIsCurrent)
        CommandNavigate[0].setEnabled(ComboLocation.text() != t.DemoSiteUrl);
}

void frmMain::ComboLocation_Change()
{
    TopicVars& t = m_app.topic;
    homeButtonUpdate();
    const QString text = ComboLocation.text();
    CommandNavGo.setEnabled(!text.isEmpty() && text != t.ExampleUrl && !t.ExampleUrlFromCode);
    t.ExampleUrlFromCode = false;
}

void frmMain::ComboLocation_Click()
{
    TopicVars& t = m_app.topic;
    t.ExampleUrl = ComboLocation.text();
    LabelExLocation[0].setCaption(t.ExampleUrl);
    homeButtonUpdate();
}

void frmMain::CommandNavGo_Click()
{
    PictureMain.setFocus();
    m_app.topic.ExampleUrl = ComboLocation.text();
    CommandNavGo.setEnabled(false);
    page(TopicPage::NavGo);
}

void frmMain::ImageNavBack_Click()
{
    PictureMain.setFocus();
    const TopicVars& t = m_app.topic;
    if (t.TopicIndex == 6) {
        exampleUrlShow(DemoBackPage());
        pageOrBack(TopicPage::NavBack, TopicPage::Navigation);
        return;
    }
    exampleUrlShow(t.TabIsCurrent ? DemoTabBackPage(t.CurrentTab + 1) : DemoBrowserBackPage(t.CurrentMainBrowser + 1));
    page(TopicPage::NavBack);
}

void frmMain::ImageNavForward_Click()
{
    PictureMain.setFocus();
    const TopicVars& t = m_app.topic;
    if (t.TopicIndex == 6) {
        exampleUrlShow(DemoForwardPage());
        pageOrBack(TopicPage::NavForward, TopicPage::Navigation);
        return;
    }
    exampleUrlShow(t.TabIsCurrent ? DemoTabForwardPage(t.CurrentTab + 1) : DemoBrowserForwardPage(t.CurrentMainBrowser + 1));
    page(TopicPage::NavForward);
}

void frmMain::CommandNavigate_Click(int index)
{
    PictureMain.setFocus();
    switch (index) {
    case 0:
        exampleUrlShow(m_app.topic.DemoSiteUrl);
        page(TopicPage::NavHome);
        break;
    case 1:
        // The first click tells what Search does; the second shows the search page.
        if (pageShown(TopicPage::NavSearch)) {
            exampleUrlShow(DemoSearchPage());
            page(TopicPage::Navigation);
        } else {
            page(TopicPage::NavSearch);
        }
        break;
    case 2:
        pageOrBack(TopicPage::NavRefresh, TopicPage::Navigation);
        break;
    case 3:
        pageOrBack(TopicPage::NavStop, TopicPage::Navigation);
        break;
    }
}

void frmMain::CommandBrowser_Click(int index)
{
    PictureMain.setFocus();
    TopicVars& t = m_app.topic;
    exampleUrlShow(DemoBrowserPage(index + 1));
    if (t.TabIsCurrent) {
        t.TabIsCurrent = false;
        t.CurrentTab = -1;
        t.CurrentMainBrowser = index;
    } else if (index == t.CurrentMainBrowser) {
        page(TopicPage::BrowserCurrent);
        return;
    } else {
        t.CurrentMainBrowser = index;
    }
    page(TopicPage::BrowserSelect);
}

void frmMain::CommandTabNew_Click(int index)
{
    PictureMain.setFocus();
    TopicVars& t = m_app.topic;
    if (index == t.CurrentTab) {
        // The current tab's button leaves the tab for the selected main browser.
        t.CurrentTab = -1;
        t.TabIsCurrent = false;
        exampleUrlShow(DemoBrowserPage(t.CurrentMainBrowser + 1));
    } else {
        t.CurrentTab = index;
        t.TabIsCurrent = true;
        exampleUrlShow(DemoTabPage(index + 1));
    }
    page(TopicPage::TabsTab);
}

void frmMain::CommandTabClose_Click(int index)
{
    PictureMain.setFocus();
    TopicVars& t = m_app.topic;
    if (index == 0)
        page(TopicPage::TabsCloseAll);
    else if (index == 1)
        page(TopicPage::TabsClose);
    else if (index == 2)
        page(t.TabIsCurrent && pageShown(TopicPage::TabsSelect) ? TopicPage::Tabs : TopicPage::TabsSelect);
}

// ---------------------------------------------------------------------------------------
// The imitation of the full-window mode: the clicks rearrange its frames as the real ones
// do, then show a page.

void frmMain::fullFramesRestack()
{
    if (FrameOne.isVisible())
        FrameOne.setTop(FrameCommon.isVisible() ? FrameCommon.top() + FrameCommon.height() : FrameCommon.top());
    if (FrameFullBrowser.isVisible())
        FrameFullBrowser.setTop(FrameOne.top() + FrameOne.height());
}

void frmMain::CommandZero_Click()
{
    PictureMain.setFocus();
    FrameFullBrowser.setVisible(false);
    FrameOne.setTop(FrameCommon.top() + (FrameCommon.isVisible() ? FrameCommon.height() : 0));
    FrameOne.setVisible(!FrameOne.isVisible());
    ButtonFace(CommandZero, FrameOne.isVisible() ? 3 : 4);
    page(TopicPage::FullMainControl);
}

void frmMain::CommandComHide_Click()
{
    PictureMain.setFocus();
    FrameCommon.setVisible(false);
    fullFramesRestack();
    page(TopicPage::FullNavBarHide);
}

void frmMain::CommandFullShowTab_Click()
{
    PictureMain.setFocus();
    if (FrameCommon.height() == 405) {
        FrameCommon.setHeight(885);
        ButtonFace(CommandFullShowTab, 3);
    } else {
        FrameCommon.setHeight(405);
        ButtonFace(CommandFullShowTab, 0);
    }
    fullFramesRestack();
    page(TopicPage::FullTabs);
}

void frmMain::CommandFullGo_Click()
{
    PictureMain.setFocus();
    page(TopicPage::FullNavigation);
}

void frmMain::CommandFullNav_Click(int)
{
    PictureMain.setFocus();
    page(TopicPage::FullNavigation);
}

void frmMain::ImageFullBack_Click()
{
    PictureMain.setFocus();
    page(TopicPage::FullNavigation);
}

void frmMain::ImageFullForward_Click()
{
    PictureMain.setFocus();
    page(TopicPage::FullNavigation);
}

void frmMain::CommandFullTabClose_Click(int)
{
    PictureMain.setFocus();
    page(TopicPage::FullTabButtons);
}

void frmMain::fullBarMainBrowserShow()
{
    TopicVars& t = m_app.topic;
    t.CurrentBrowserText = QStringLiteral("Current Browser :: Main Browser #") + QString::number(t.CurrentMainBrowser + 1);
    LabelCurrentBrowser[1].setCaption(t.CurrentBrowserText);
    LabelFullTabClose[1].setCaption(QStringLiteral("#??"));
    CommandFullTabClose[1].setEnabled(false);
    for (int j = 0; j <= 5; ++j) {
        const bool current = j == t.CurrentMainBrowser;
        LabelFullBrowser[j].setCaption(current ? QStringLiteral("Browser") : QString::number(j + 1));
        ButtonFace(CommandFullBrowser[j], current ? 3 : 0);
        ButtonFace(CommandFullTab[j], 6);
    }
}

void frmMain::CommandFullBrowser_Click(int index)
{
    PictureMain.setFocus();
    TopicVars& t = m_app.topic;
    if (index != t.CurrentMainBrowser || t.TabIsCurrent) {
        t.CurrentMainBrowser = index;
        t.TabIsCurrent = false;
        // No tab is current any more: its button must select it again, not leave it.
        t.CurrentTab = -1;
        fullBarMainBrowserShow();
    }
    page(TopicPage::FullBrowserSelect);
}

void frmMain::CommandFullTab_Click(int index)
{
    PictureMain.setFocus();
    TopicVars& t = m_app.topic;
    if (index == t.CurrentTab) {
        t.CurrentTab = -1;
        t.TabIsCurrent = false;
        fullBarMainBrowserShow();
    } else {
        t.CurrentTab = index;
        t.TabIsCurrent = true;
        t.CurrentBrowserText = QStringLiteral("Current Browser :: Tab Browser #") + QString::number(index + 1);
        LabelCurrentBrowser[1].setCaption(t.CurrentBrowserText);
        CommandFullTabClose[1].setEnabled(true);
        LabelFullTabClose[1].setCaption(QStringLiteral("#") + QString::number(index + 1));
        for (int j = 0; j <= 5; ++j) {
            LabelFullBrowser[j].setCaption(QString::number(j + 1));
            ButtonFace(CommandFullTab[j], j == index ? 3 : 6);
            ButtonFace(CommandFullBrowser[j], 0);
        }
    }
    page(TopicPage::FullTabButtons);
}

void frmMain::CommandOne_Click(int)
{
    PictureMain.setFocus();
    FrameFullBrowser.setVisible(false);
    page(TopicPage::FullMainButtons);
}

void frmMain::CommandTwo_Click(int index)
{
    PictureMain.setFocus();
    if (index != 1)
        FrameFullBrowser.setVisible(false);
    switch (index) {
    case 0:
        FrameCommon.setVisible(!FrameCommon.isVisible());
        fullFramesRestack();
        page(TopicPage::FullNavigationButton);
        break;
    case 1:
        FrameFullBrowser.setTop(FrameOne.top() + FrameOne.height());
        FrameFullBrowser.setVisible(!FrameFullBrowser.isVisible());
        page(TopicPage::FullBrowserButton);
        break;
    case 2:
        page(TopicPage::FullBookmarkButton);
        break;
    case 3:
        page(TopicPage::FullRun);
        break;
    case 4:
        // A second click on "Normal Window" shows the main buttons' topic.
        if (pageShown(TopicPage::NormalWindow))
            OptionTopic[5].setValue(true);
        else
            page(TopicPage::NormalWindow);
        break;
    case 5:
        page(TopicPage::FullExit);
        break;
    }
}

void frmMain::CommandHideControl_Click()
{
    PictureMain.setFocus();
    FrameOne.setVisible(false);
    FrameFullBrowser.setVisible(false);
    ButtonFace(CommandZero, 4);
    page(TopicPage::FullHideControls);
}

void frmMain::CommandHideBrowser_Click()
{
    PictureMain.setFocus();
    FrameFullBrowser.setVisible(false);
    page(TopicPage::FullHideBrowsers);
}

} // namespace corvanehelp
