#pragma once
// The help window: the topic list, the page area the topic engine writes into (intro
// frames on the right, the details frame at the bottom left with its step images and
// buttons), the Activate button, the user picture, and a clickable imitation of the
// browser's main window made of frames, labels, images and buttons. Every click on the
// imitation first changes the demonstration state as the real control would change the
// browser, then asks the topic engine for one page (TopicPageShow).
//
// The form's own scale is pixels; everything inside a frame is in twips. The imitation's
// buttons take their faces from the hidden store ImageBut:
//   0 menu and navigation buttons, 1 pressed, 2 disabled, 3 selected or current,
//   4 bar buttons, 5 "Hide" buttons, 6 tab and sub-menu buttons, 7 the fourth navigation
//   button; ImageBack and ImageForward 0 normal, 1 pressed, 2 disabled.

#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/TextControls.h"

#include <array>
#include <cstddef>

namespace corvanehelp {

class HelpApp;
enum class TopicPage;

// Like elements of one control array that sit in different containers.
template <class T, std::size_t N>
struct ControlSpread {
    std::array<T*, N> items;
    T& operator[](int index) const { return *items.at(std::size_t(index)); }
    int ubound() const { return int(N) - 1; }
};

class frmMain : public vb::Form {
    Q_OBJECT
public:
    // The imitation's location box shows an address from code. Only a new text raises
    // Change, so the "set by code" flag is set only then.
    void exampleUrlShow(const QString& address);
    explicit frmMain(HelpApp& app);
    ~frmMain() override;
    HelpApp& app() const { return m_app; }

    using Btn = vb::CommandButton;
    using Lbl = vb::Label;
    using Img = vb::Image;
    using Frm = vb::Frame;
    template <class T> using Arr = vb::ControlArray<T>;

    // Gives a button face n (normal picture) or disabled face n of ImageBut.
    void ButtonFace(Btn& button, int face);
    void ButtonDisabledFace(Btn& button, int face);

    // --- hidden picture stores ------------------------------------------------------
    Arr<Img> ImageBut{*this};      // 0..7
    Arr<Img> ImageBack{*this};     // 0..2
    Arr<Img> ImageForward{*this};  // 0..2

    // Holds the keyboard focus after every click and page, so no button keeps a frame.
    vb::PictureBox PictureMain{*this};

    // --- top row ----------------------------------------------------------------------
    Btn CommandTopic{*this};
    Lbl LabelTopic{*this};
    Btn CommandActivate{*this};
    Lbl LabelActivate{*this};

    // --- topic list, and the panel shown while it is hidden -----------------------------
    Frm FrameTopic{*this};
    Arr<vb::OptionButton> OptionTopic{FrameTopic};  // 0..12; 0 (the overview) is never listed
    Frm FrameHelp{*this};
    Arr<Lbl> LabelHelp{FrameHelp};    // 0..9
    Arr<Lbl> LabelParent{FrameHelp};  // 0..1

    // --- details frame: page title and text, step images, Hide Topic, Restart ----------
    Frm FrameInfo{*this};
    Lbl LabelInfo{FrameInfo};
    Frm FrameHide{FrameInfo};
    Btn CommandHide{FrameHide};
    Lbl LabelHide{FrameHide};
    Frm FrameGo{FrameInfo};
    Img ImageGoBack{FrameGo};
    Lbl LabelGoBack{FrameGo};
    Img ImageGoContinue{FrameGo};
    Lbl LabelGoContinue{FrameGo};
    Frm FrameRestart{FrameInfo};
    Btn CommandRestart{FrameRestart};
    Lbl LabelRestart{FrameRestart};

    // --- user picture and exit ----------------------------------------------------------
    Frm FrameUser{*this};
    Img ImageUser{FrameUser};
    Btn CommandExit{*this};
    Lbl LabelExit{*this};

    // --- intro frames (right-hand side), one visible at a time -------------------------
    // The frames are design elements: they exist before the controls inside them.
    Arr<Frm> FrameIntro{*this, vb::DesignElements{0, 10}};
    // 0 "System Requirements", 1 the two programs, 2 set-up on a removable drive,
    // 3 features: design-time texts.
    Arr<Lbl> LabelRequirement{FrameIntro[0]};
    Arr<Lbl> LabelHarmony{FrameIntro[1]};
    Arr<Lbl> LabelMediaSetup{FrameIntro[2]};
    Arr<Lbl> LabelFeature{FrameIntro[3]};
    // 4: a picture of the browser's options window.
    Img ImageOptions{FrameIntro[4]};
    // 9: two labels the About and Uninstallation pages fill.
    Arr<Lbl> LabelIntroMe{FrameIntro[9]};  // 0..1
    // 10: the overview: a picture of the browser's main window with the user picture.
    Img ImageMainWindow{FrameIntro[10]};
    Img ImageBigUser{FrameIntro[10]};

    // --- 5: the main buttons: menu buttons, bar buttons and their frames ---------------
    Arr<Btn> CommandMenu{FrameIntro[5]};     // 0..5 Page, Open, View, Tools, Help, Tab List
    Arr<Lbl> LabelMenu{FrameIntro[5]};
    Arr<Btn> CommandButExit{FrameIntro[5]};  // 0 Run, 1 Full Window, 2 Exit; 3..5 hidden spares
    Arr<Lbl> LabelButExit{FrameIntro[5]};
    Arr<Frm> FrameMenu{FrameIntro[5], vb::DesignElements{0, 5}};  // one per menu button
    // The menus' buttons and their captions. Every array has elements 0..5; those beyond
    // the named buttons are hidden.
    Arr<Btn> CommandPage{FrameMenu[0]};
    Arr<Btn> CommandOpen{FrameMenu[1]};
    Arr<Btn> CommandView{FrameMenu[2]};
    Arr<Btn> CommandTools{FrameMenu[3]};
    Arr<Btn> CommandHelp{FrameMenu[4]};
    Arr<Lbl> LabelPage{FrameMenu[0]};
    Arr<Lbl> LabelOpen{FrameMenu[1]};
    Arr<Lbl> LabelView{FrameMenu[2]};
    Arr<Lbl> LabelTools{FrameMenu[3]};
    Arr<Lbl> LabelHelpMenu{FrameMenu[4]};
    vb::TextBox TextList{FrameMenu[5], true};
    vb::CheckBox CheckKeepHidden{FrameMenu[5]};
    Btn CommandTabHide{FrameMenu[5]};
    Lbl LabelTabHide{FrameMenu[5]};
    Arr<Frm> FrameSubMenu{FrameIntro[5], vb::DesignElements{0, 1}};  // 0 "Bookmarks :", 1 "Choices"
    Btn CommandShowBookmark{FrameSubMenu[0]};
    Lbl LabelShowBookmark{FrameSubMenu[0]};
    Btn CommandCloseBookmark{FrameSubMenu[0]};
    Lbl LabelCloseBookmark{FrameSubMenu[0]};
    Arr<Btn> CommandChoices{FrameSubMenu[1]};  // 0 Hide, 1 Change User Name, 2 Change/Set User Picture
    Arr<Lbl> LabelChoices{FrameSubMenu[1]};
    Frm FrameDisplay5{FrameIntro[5]};
    Img ImageDisplay5{FrameDisplay5};
    Frm FrameDescription5{FrameIntro[5]};
    Lbl LabelDescription5{FrameDescription5};
    Frm FrameU5{FrameIntro[5]};
    Img ImageU5{FrameU5};
    // Hidden holders of the pictures a page copies into ImageDisplay5.
    Img ImagePage1{FrameIntro[5]};     // the bookmark name box
    Img ImagePage2{FrameIntro[5]};     // the note box
    Img ImagePage3{FrameIntro[5]};     // the home-page box
    Img ImageOpen2{FrameIntro[5]};     // the tab-open box
    Img ImageOpen3{FrameIntro[5]};     // the browser-open box
    Img ImageOpenMark{FrameIntro[5]};  // the bookmark Show and Close buttons
    Img ImageBookmark{FrameIntro[5]};  // the bookmark controls
    Img ImageChoice1{FrameIntro[5]};   // the change-name box
    Img ImageTools3{FrameIntro[5]};    // the bug-report box
    Img ImageRun{FrameIntro[5]};       // the Run box

    // --- 6: navigation, browser buttons, tabs and the example browser -------------------
    Frm FrameNavigate{FrameIntro[6]};
    Img ImageNavBack{FrameNavigate};
    Img ImageNavForward{FrameNavigate};
    Arr<Btn> CommandNavigate{FrameNavigate};  // 0 Home, 1 Search, 2 Refresh, 3 Stop
    Arr<Lbl> LabelNavigate{FrameNavigate};
    Lbl LabelLocation{FrameIntro[6]};
    Lbl LabelCurrentBrowser0{FrameIntro[6]};
    vb::ComboBox ComboLocation{FrameIntro[6]};
    Btn CommandNavGo{FrameIntro[6]};
    Lbl LabelNavGo{FrameIntro[6]};
    Frm FrameBrowser{FrameIntro[6]};
    Arr<Btn> CommandBrowser{FrameBrowser};  // 0..5
    Arr<Lbl> LabelBrowser{FrameBrowser};
    Frm FrameTab{FrameIntro[6]};
    Lbl LabelTabHead{FrameTab};
    Arr<Btn> CommandTabNew{FrameTab};  // 0..5
    Arr<Lbl> LabelTabNew{FrameTab};
    Frm FrameTabClose{FrameTab};
    Lbl LabelTabCloseHead{FrameTabClose};
    Arr<Btn> CommandTabClose{FrameTabClose};  // 0 close all, 1 close the current tab, 2 Select
    Arr<Lbl> LabelTabClose{FrameTabClose};    // 1 reads "#??" or "#" and the tab number
    Frm FrameExBrowser{FrameIntro[6]};
    Lbl LabelExHead{FrameExBrowser};
    Arr<Lbl> LabelExLocation{FrameExBrowser};  // 0
    Arr<Lbl> LabelExBrowser{FrameExBrowser};   // 0..5, all at one place
    Lbl LabelBrowEx{FrameIntro[6]};
    Frm FrameDisplay6{FrameIntro[6]};
    Img ImageDisplay6{FrameDisplay6};
    Frm FrameDescription6{FrameIntro[6]};
    Lbl LabelDescription6{FrameDescription6};

    // --- 7: the full-window mode ---------------------------------------------------------
    Lbl LabelFullIcon{FrameIntro[7]};
    Btn CommandZero{FrameIntro[7]};
    Lbl LabelZero{FrameIntro[7]};  // "Main Control"
    Frm FrameCommon{FrameIntro[7]};  // the navigation bar: 405 twips high, 885 with the tab row
    Btn CommandComHide{FrameCommon};
    Frm FrameFullNavigate{FrameCommon};
    Img ImageFullBack{FrameFullNavigate};
    Img ImageFullForward{FrameFullNavigate};
    Arr<Btn> CommandFullNav{FrameFullNavigate};  // 0..3 as CommandNavigate
    Arr<Lbl> LabelFullNav{FrameFullNavigate};    // their captions, short as on the real bar
    Lbl LabelComLocation{FrameCommon};
    vb::ComboBox ComboComLocation{FrameCommon};
    Btn CommandFullGo{FrameCommon};
    Btn CommandFullShowTab{FrameCommon};
    Lbl LabelFullGo{FrameCommon};
    Lbl LabelFullShowTab{FrameCommon};
    Frm FrameFullTab{FrameCommon};
    Lbl LabelFullTabHead{FrameFullTab};
    Arr<Btn> CommandFullTab{FrameFullTab};  // 0..5
    Arr<Lbl> LabelFullTab{FrameFullTab};
    Frm FrameFullTabClose{FrameFullTab};
    Lbl LabelFullTabCloseHead{FrameFullTabClose};
    Arr<Btn> CommandFullTabClose{FrameFullTabClose};  // as CommandTabClose
    Arr<Lbl> LabelFullTabClose{FrameFullTabClose};
    Frm FrameOne{FrameIntro[7]};  // "Controls"
    Arr<Btn> CommandOne{FrameOne};  // 0..5 Page, Open, View, Tools, Help, Tab List
    Arr<Lbl> LabelOne{FrameOne};
    Arr<Btn> CommandTwo{FrameOne};  // 0 Navigation, 1 Browser, 2 Bookmarks, 3 Run, 4 Normal Window, 5 Exit Corvane
    Arr<Lbl> LabelTwo{FrameOne};
    Btn CommandHideControl{FrameOne};
    Lbl LabelHideControl{FrameOne};
    Lbl LabelCurrentBrowser1{FrameOne};
    Frm FrameFullBrowser{FrameIntro[7]};  // "Browsers"
    Arr<Btn> CommandFullBrowser{FrameFullBrowser};  // 0..5
    Arr<Lbl> LabelFullBrowser{FrameFullBrowser};
    Btn CommandHideBrowser{FrameFullBrowser};
    Lbl LabelHideBrowser{FrameFullBrowser};

    // The current-browser label of the normal bar (0) and of the full-window Controls (1).
    ControlSpread<Lbl, 2> LabelCurrentBrowser{{&LabelCurrentBrowser0, &LabelCurrentBrowser1}};

    // --- form state -----------------------------------------------------------------------
    // The topic list is shown (False at load: the help panel is shown instead).
    bool TopicShown = false;

    // --- events -----------------------------------------------------------------------------
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

    void OptionTopic_Click(int index);
    void OptionTopic_ClickChosen();
    void CommandTopic_Click();
    void CommandHide_Click();
    void CommandRestart_Click();
    void ImageGoBack_Click();
    void ImageGoContinue_Click();
    void CommandActivate_Click();
    void CommandExit_Click();

    // Pressed look of the arrow images.
    void BackImage_MouseDown(Img& image);
    void BackImage_MouseUp(Img& image);
    void ForwardImage_MouseDown(Img& image);
    void ForwardImage_MouseUp(Img& image);

    // The imitation of the normal window.
    void CommandMenu_Click(int index);
    void CommandPage_Click(int index);
    void CommandOpen_Click(int index);
    void CommandShowBookmark_Click();
    void CommandCloseBookmark_Click();
    void CommandTabHide_Click();
    void CommandView_Click(int index);
    void CommandChoices_Click(int index);
    void CommandTools_Click(int index);
    void CommandHelp_Click(int index);
    void CommandButExit_Click(int index);
    void ComboLocation_Change();
    void ComboLocation_Click();
    void CommandNavGo_Click();
    void ImageNavBack_Click();
    void ImageNavForward_Click();
    void CommandNavigate_Click(int index);
    void CommandBrowser_Click(int index);
    void CommandTabNew_Click(int index);
    void CommandTabClose_Click(int index);

    // The imitation of the full-window mode.
    void CommandZero_Click();
    void CommandComHide_Click();
    void CommandFullShowTab_Click();
    void CommandFullGo_Click();
    void CommandFullNav_Click(int index);
    void ImageFullBack_Click();
    void ImageFullForward_Click();
    void CommandFullTabClose_Click(int index);
    void CommandFullBrowser_Click(int index);
    void CommandFullTab_Click(int index);
    void CommandOne_Click(int index);
    void CommandTwo_Click(int index);
    void CommandHideControl_Click();
    void CommandHideBrowser_Click();

private:
    // The design, step by step in the order the controls are made (frmMainDesign.cpp).
    void designWindow();
    void designTopicList();
    void designHelpPanel();
    void designDetails();
    void designUserAndExit();
    void designRequirements();
    void designHarmony();
    void designMediaSetup();
    void designFeatures();
    void designPictureIntros();
    void designMenuButtons();
    void designMenus();
    void designTabListMenu();
    void designSubMenus();
    void designMenuPictures();
    void designNavigationBar();
    void designBrowserAndTabs();
    void designExampleBrowser();
    void designFullBar();
    void designFullControls();
    void designPictures();
    void designBoxPictures();
    void wireEvents();

    // Shows page p of the imitation and records it as the page on screen.
    void page(TopicPage p);
    bool pageShown(TopicPage p) const;
    // Page p, or back when p is on screen already (a second click on its button).
    void pageOrBack(TopicPage p, TopicPage back);
    // Home is enabled, while no tab is current, when the box does not show the home address.
    void homeButtonUpdate();
    // The full-window bar shows main browser CurrentMainBrowser as the current browser.
    void fullBarMainBrowserShow();
    // A shown FrameOne below the bar (or at its place while it is hidden), and a shown
    // FrameFullBrowser below FrameOne.
    void fullFramesRestack();

    HelpApp& m_app;
};

} // namespace corvanehelp
