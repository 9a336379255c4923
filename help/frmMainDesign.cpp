// The design of the help window: every control in its container, at its design place.
// Controls placed on the form are in pixels; controls inside frames are in twips.

#include "frmMain.h"

#include "HelpApp.h"
#include "HelpPictures.h"

#include "art/Artwork.h"
#include "vb/Design.h"

#include <QPlainTextEdit>

namespace corvanehelp {

namespace {

using vb::colors::Band;
using vb::colors::Page;
using vb::colors::Panel;

// The window's client area in pixels. It stands 400 twips from the corner of the smallest
// screen the program accepts (767 x 567 pixels) and must fit on it whole.
constexpr QSize Client(728, 504);

// The intro frames are IntroSize pixels; what they hold ends IntroRight twips from their
// left edge, in two columns where it is text.
constexpr QSize IntroSize(500, 292);
constexpr int IntroRight = 7380;
constexpr int ColumnWidth = 3540;
constexpr int SecondColumn = 3840;
// The overview's picture of the browser's main window (twips).
constexpr QSize MainPicture(IntroRight - 120, 4020);

using Btn = frmMain::Btn;
using Lbl = frmMain::Lbl;
using Frm = frmMain::Frm;

QString S(const char* s)
{
    return QString::fromUtf8(s);
}

QStringList L(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* l : lines)
        out << QString::fromUtf8(l);
    return out;
}

// A caption in the help window's default height.
Lbl& setLabel(Lbl& l, const QString& caption, int left, int top, int width, int height = 210, vb::CaptionLook look = {})
{
    return vb::placeCaption(l, caption, {left, top, width, height}, look);
}

// A heading and its lines, one label each, in the array a from index first on; returns
// the top below them.
int textBlock(vb::ControlArray<Lbl>& a, int first, const QString& heading, const QStringList& lines, int left, int top,
              int width)
{
    Lbl& head = setLabel(a.add(first), heading, left, top, width);
    head.setFontBold(true);
    const int textTop = top + vb::fitHeight(head) + 30;
    Lbl& text = setLabel(a.add(first + 1), lines.join(QLatin1Char('\n')), left + 120, textTop, width - 120);
    return textTop + vb::fitHeight(text) + 120;
}

// A picture's size in twips.
QSize twipsOf(QSize pixels)
{
    return pixels * vb::TwipsPerPixel;
}

// The slots of the imitation's browser selector, of its tab rows and of their Close groups.
QList<vb::RowItem> browserSlots()
{
    QList<vb::RowItem> items;
    for (int i = 0; i <= 5; ++i)
        items.append({157 + i * 495, i == 0 ? S("Browser") : QString::number(i + 1), 600});
    return items;
}

QList<vb::RowItem> tabSlots()
{
    QList<vb::RowItem> items;
    for (int i = 0; i <= 5; ++i)
        items.append({480 + i * 360, QString::number(i + 1), 360});
    return items;
}

QList<vb::RowItem> closeSlots()
{
    return {{600, S("All"), 540}, {1080, S("#??"), 540}, {1560, S("Select"), 540}};
}

} // namespace

frmMain::frmMain(HelpApp& app) : vb::Form(app.rt, QStringLiteral("frmMain")), m_app(app)
{
    designWindow();
    designTopicList();
    designHelpPanel();
    designDetails();
    designUserAndExit();
    designRequirements();
    designHarmony();
    designMediaSetup();
    designFeatures();
    designPictureIntros();
    designMenuButtons();
    designMenus();
    designTabListMenu();
    designSubMenus();
    designMenuPictures();
    designNavigationBar();
    designBrowserAndTabs();
    designExampleBrowser();
    designFullBar();
    designFullControls();
    designPictures();
    designBoxPictures();
    wireEvents();
}

frmMain::~frmMain() = default;

void frmMain::designWindow()
{
    setCaption(QStringLiteral("Help - Corvane"));
    setBackColor(vb::colors::Window);
    setBorderFixed(true);
    vb::setClientSize(*this, Client.width(), Client.height());

    PictureMain.move(0, 0, 1, 1);
    PictureMain.setBorderStyle(0);

    CommandTopic.move(16, 2, 20, 20);
    setLabel(LabelTopic, QStringLiteral("Show Topic"), 40, 5, 120, 16, {0, 8}).setFontBold(true);
    CommandActivate.move(500, 2, 20, 20);
    setLabel(LabelActivate, QString(), 524, 5, 196, 16, {0, 8}).setFontBold(true);
}

void frmMain::designTopicList()
{
    // The topic list and the help panel stand in one place.
    vb::captionFrame(FrameTopic, QStringLiteral("Topic"), {16, 24, 204, IntroSize.height()});
    FrameTopic.setVisible(false);
    const QStringList topics{
        QStringLiteral("Option1"),
        QStringLiteral("Introduction"),
        QStringLiteral("Installation"),
        QStringLiteral("Features and Options"),
        QStringLiteral("Installation on a Removable Media"),
        QStringLiteral("Main buttons"),
        QStringLiteral("Navigation"),
        QStringLiteral("Browser"),
        QStringLiteral("Tabs and related buttons"),
        QStringLiteral("Full Window Mode"),
        QStringLiteral("Uninstallation and Update"),
        QStringLiteral("About CorvaneHelp"),
        QStringLiteral("About Fenwary"),
    };
    for (int i = 0; i <= 12; ++i) {
        vb::OptionButton& o = OptionTopic.add(i);
        o.move(90, 240 + qMax(0, i - 1) * 330, 2940, 300);
        o.setCaption(topics[i]);
        o.setBackColor(Panel);
        o.setForeColor(vb::colors::Text);
        vb::setWidgetFont(o.widget(), false, 7);
    }
    // The overview is reached with Hide Topic, never from the list.
    OptionTopic[0].setVisible(false);
}

void frmMain::designHelpPanel()
{
    vb::captionFrame(FrameHelp, QStringLiteral("Help On Help"), {16, 24, 200, IntroSize.height()});
    const QStringList help{
        QStringLiteral("Please press : Show Topic button."),
        QStringLiteral("Select a Topic."),
        QStringLiteral("View details on selected Topic in Details Frame at bottom left."),
        QStringLiteral("Pictures or some details on Topics will be shown at right hand side Frame."),
        QStringLiteral("Buttons in Details Frame (visible only when needed) :"),
        QStringLiteral("Hide Topic : Brings back this page."),
        QStringLiteral("Continue : Step forward on Topic."),
        QStringLiteral("Go Back : Step back on Topic."),
        QStringLiteral("Restart Topic : Restarts the Topic."),
        QStringLiteral("Press 'Exit' button to exit this Help."),
    };
    // Each line gets the rows its wrapped text needs in this font.
    int top = 270;
    for (int i = 0; i <= 9; ++i) {
        const bool indented = i >= 5 && i <= 8;
        const int left = indented ? 240 : 120;
        const int width = 2880 - left;
        Lbl& l = setLabel(LabelHelp.add(i), help[i], left, top, width, 210, {0, 7.5});
        const int height = vb::fitHeight(l);
        top += height + (i == 0 || i == 3 || i == 8 ? 150 : 45);
    }
    setLabel(LabelParent.add(0), QString(), 120, qMax(top + 60, 3900), 2760, 210, {0, 7.5});
    setLabel(LabelParent.add(1), QString(), 240, LabelParent[0].top() + 240, 2640, 210, {0, 7.5}).setFontBold(true);
}

void frmMain::designDetails()
{
    vb::captionFrame(FrameInfo, QString(), {16, 322, 520, 176});
    setLabel(LabelInfo, QString(), 120, 240, 6120, 2280, {0, 7.5});
    vb::plainFrame(FrameHide, {6300, 180, 1380, 540}, Panel);
    CommandHide.move(120, 120, 300, 300);
    setLabel(LabelHide, QStringLiteral("Hide Topic"), 480, 165, 900);
    vb::plainFrame(FrameGo, {6300, 780, 1380, 780}, Panel);
    vb::placePicture(ImageGoBack, {120, 120, 375, 255});
    setLabel(LabelGoBack, QStringLiteral("Go Back"), 0, 420, 660, 210, vb::Centred);
    vb::placePicture(ImageGoContinue, {780, 120, 375, 255});
    setLabel(LabelGoContinue, QStringLiteral("Continue"), 660, 420, 720, 210, vb::Centred);
    vb::plainFrame(FrameRestart, {6300, 1620, 1380, 540}, Panel);
    CommandRestart.move(120, 120, 300, 300);
    setLabel(LabelRestart, QStringLiteral("Restart Topic"), 480, 165, 900);
    FrameHide.setVisible(false);
    FrameGo.setVisible(false);
    FrameRestart.setVisible(false);
}

void frmMain::designUserAndExit()
{
    vb::captionFrame(FrameUser, QString(), {540, 322, 184, 136});
    FrameUser.setBorderStyle(0);
    FrameUser.setCaptionShortened(true);
    vb::placePicture(ImageUser, {120, 240, 2520, 1680});
    CommandExit.move(604, 474, 24, 24);
    setLabel(LabelExit, QStringLiteral("Exit"), 632, 478, 60, 16, {0, 8}).setFontBold(true);

    // The intro frames on the right, one shown at a time.
    for (int i = 0; i <= 10; ++i)
        vb::panelFrame(FrameIntro[i], QString(), {224, 24, IntroSize.width(), IntroSize.height()});
    FrameIntro[5].setBackColor(Band);
    FrameIntro[6].setBackColor(Band);
    FrameIntro[7].setBackColor(Page);
}

void frmMain::designRequirements()
{
    // What each program needs, and what the program's folder holds.
    int below = textBlock(LabelRequirement, 0, QStringLiteral("Corvane :"),
                         L({"1. Qt 6.4 or higher with its web engine (Qt WebEngine).",
                            "2. A Linux desktop (X11 or Wayland).",
                            "3. Screen Resolution at least 1024 pixel width and 768 pixel height."}),
                         120, 300, ColumnWidth);
    textBlock(LabelRequirement, 2, QStringLiteral("CorvaneHelp :"),
              L({"1. Qt 6.4 or higher (Qt Widgets).", "2. Screen Resolution at least 800 pixel width and 600 pixel height."}),
              SecondColumn, 300, ColumnWidth);
    textBlock(LabelRequirement, 4, QStringLiteral("The Folder of Corvane Contains:"),
              L({"1. Corvane.exe", "2. The folder 'site' with the Home Page of Corvane.",
                 "3. This Help Program : CorvaneHelp.exe in the folder 'Help'."}),
              120, below, IntroRight - 120);
}

void frmMain::designHarmony()
{
    // The two programs together.
    int top = textBlock(LabelHarmony, 0, QStringLiteral("Stand Alone :"),
                        L({"Help can be viewed from within Corvane by clicking Help | Help after first run of both the programs, Corvane and CorvaneHelp."}),
                        120, 300, ColumnWidth);
    textBlock(LabelHarmony, 2, QStringLiteral("Work In Harmony :"),
              L({"If system meets the requirements (see 'Installation' Topic) these programs need neither installation nor the other to be in the machine to run.",
                 "Programs do not run if the program file names changed."}),
              120, top, ColumnWidth);
    top = textBlock(LabelHarmony, 4, QStringLiteral("If Corvane and CorvaneHelp do not work in Harmony :"),
                    L({"1. Rename the program files to their original names if renamed.",
                       "2. Run both the program once by double clicking on their file names in your file manager."}),
                    SecondColumn, 300, ColumnWidth);
    textBlock(LabelHarmony, 6, QStringLiteral("To Keep Harmony :"),
              L({"It will not matter where these programs are saved. They can be in different folders. If on a Removable Media, both must be on the same Media.",
                 "Programs will not work in harmony if path of the programs changed by renaming or moving the folders those contains the programs or any folder on their path."}),
              SecondColumn, top, ColumnWidth);
}

void frmMain::designMediaSetup()
{
    // Setting the programs up on a removable drive.
    int top = textBlock(LabelMediaSetup, 0, QStringLiteral("To Setup :"),
                    L({"1. Run the program from a fixed Hard Drive in case you did not use it before.",
                       "2. Close the program if it is running.", "3. Copy the program file on the Media.",
                       "4. Run the program from the Media.", "Steps descibed here must be taken in the same machine."}),
                    120, 300, ColumnWidth);
    vb::fitHeight(setLabel(LabelMediaSetup.add(2), QStringLiteral("If possible use a Media from which you already run other programs."),
                           120, top, ColumnWidth));
    top = textBlock(LabelMediaSetup, 3, QStringLiteral("You Must Not :"),
                    L({"1. Rename, Move, Remove or Edit any Folder or File created on the Media during Setup.",
                       "    Programs will not run if you do so.",
                       "2. Rename the Media if the name appear different in your file manager after Setup.",
                       "    None of the programs may run if you do so."}),
                    SecondColumn, 300, ColumnWidth);
    textBlock(LabelMediaSetup, 5, QStringLiteral("After Setup :"),
              L({"The programs will run from this Media on any machine that meets the requirements. The copies on the Hard Drive may then be deleted."}),
              SecondColumn, top, ColumnWidth);
}

void frmMain::designFeatures()
{
    const QStringList features = L({
        "Corvane combines six Web Browsers in a single window.",
        "Each of these Browser can Have their own unique Home Page.",
        "Corvane can show created new windows as Tabs or in new Tabed Browsers.",
        "All created new Browsers are Tabed Browsers too with a Tab capability of 24 each.",
        "Maximum number of Tabs Corvane can show is 24.",
        "Corvane let user save short reminder notes for specific web pages. These Notes can be viewed manually or automatically on subsequent visit to the respective web pages.",
        "Corvane Runs From USB Flash Drives.",
        "Using Corvane from a Removable Media, users can have their Home Pages, Bookmarks and history available almost anywhere.",
        "Corvane recognizes it's own Drive while running from Removable Media even though the Drive may be mounted at a different place in different machine.",
    });
    int top = 300;
    for (int i = 0; i < features.size(); ++i) {
        Lbl& l = setLabel(LabelFeature.add(i), QStringLiteral("\u2022 ") + features[i], 120, top, IntroRight - 120, 210, {0, 7.5});
        top = l.top() + vb::fitHeight(l) + 105;
    }
}

void frmMain::designPictureIntros()
{
    // The options window.
    const QSize options = twipsOf(OptionsPictureSize);
    vb::placePicture(ImageOptions, {240, 270, options.width(), options.height()});

    // Two labels the About and Uninstallation pages fill.
    setLabel(LabelIntroMe.add(0), QString(), 240, 360, IntroRight - 360, 1800, {0, 7.5});
    setLabel(LabelIntroMe.add(1), QString(), 240, 2400, IntroRight - 360, 1800, {0, 7.5});

    // The overview's picture, with the user's picture in its place.
    vb::placePicture(ImageMainWindow, QRect(QPoint(120, 240), MainPicture));
    const QRect user = mainWindowUserRect(MainPicture / vb::TwipsPerPixel);
    vb::placePicture(ImageBigUser, QRect(QPoint(120, 240) + user.topLeft() * vb::TwipsPerPixel, twipsOf(user.size())));
}

void frmMain::designMenuButtons()
{
    const QStringList menus{S("Page"), S("Open"), S("View"), S("Tools"), S("Help"), S("Tab List")};
    for (int i = 0; i <= 5; ++i) {
        CommandMenu.add(i).move(120 + i * 810, 300, 240, 240);
        setLabel(LabelMenu.add(i), menus[i], 390 + i * 810, 315, 570, 210, {0, 7.5});
    }
    const QStringList bar{S("Run"), S("Full Window"), S("Exit")};
    // Each caption on one line, centred under its button.
    const int barCaptionWidths[] = {600, 900, 600};
    for (int k = 0; k <= 5; ++k) {
        const int left = 5160 + qMin(k, 2) * 780;
        const int width = barCaptionWidths[qMin(k, 2)];
        CommandButExit.add(k).move(left, 240, 300, 300);
        setLabel(LabelButExit.add(k), k <= 2 ? bar[k] : QString(), left + 150 - width / 2, 555, width, 210, vb::Centred);
        CommandButExit[k].setVisible(k <= 2);
        LabelButExit[k].setVisible(k <= 2);
    }
}

void frmMain::designMenus()
{
    // Each menu gives the wider column to its longer captions; its items beyond the named
    // ones are hidden.
    auto menu = [](Frm& frame, const QString& caption, vb::ControlArray<Btn>& buttons, vb::ControlArray<Lbl>& labels,
                   const QStringList& items, int firstColumnWidth) {
        vb::panelFrame(frame, caption, {120, 840, 3255, 1020});
        for (int i = 0; i <= 5; ++i) {
            const vb::MenuItemPlace place = vb::menuItemPlace(i, firstColumnWidth);
            Btn& b = buttons.add(i);
            b.move(place.button.x(), place.button.y(), place.button.width(), place.button.height());
            Lbl& l = vb::placeCaption(labels.add(i), items.value(i), place.caption);
            const bool named = i < items.size();
            b.setVisible(named);
            l.setVisible(named);
        }
    };
    menu(FrameMenu[0], S("Current Web Page"), CommandPage, LabelPage,
         {S("Hide"), S("Bookmark"), S("Keep Note"), S("Set As Home Page"), S("Save"), S("Print")}, 1125);
    menu(FrameMenu[1], S("Open"), CommandOpen, LabelOpen, {S("Hide"), S("File"), S("New Tab"), S("New Browser"), S("Bookmarks")}, 1560);
    menu(FrameMenu[2], S("View"), CommandView, LabelView, {S("Hide"), S("Note"), S("Choices"), S("Options")}, 1560);
    menu(FrameMenu[3], S("Tools"), CommandTools, LabelTools,
         {S("Hide"), S("Set Internet Properties"), S("Set Display Properties"), S("Report Bug")}, 2100);
    menu(FrameMenu[4], S("Help"), CommandHelp, LabelHelpMenu, {S("Hide"), S("Help"), S("Web Site"), S("About")}, 1560);
}

void frmMain::designTabListMenu()
{
    // Its own Hide, "Keep Hidden" and the open tabs' sites.
    vb::panelFrame(FrameMenu[5], S("Tab List"), {120, 840, 3255, 1020});
    CommandTabHide.move(60, 210, 240, 240);
    setLabel(LabelTabHide, S("Hide"), 330, 225, 600);
    CheckKeepHidden.move(1260, 195, 1800, 255);
    CheckKeepHidden.setCaption(S("Keep Hidden"));
    CheckKeepHidden.setBackColor(Panel);
    vb::setWidgetFont(CheckKeepHidden.widget(), false);
    // One site a line, as narrow as a line of the browser's list: the second name is too
    // long and ends in "…"; clicked, it is whole and the keys scroll it, as they do there.
    TextList.move(60, 510, 2700, 450);
    TextList.setLocked(true);
    TextList.setShortened(true);
    TextList.setBorderStyle(0);
    TextList.setBackColor(Panel);
    vb::setWidgetFont(TextList.widget(), false);
    if (auto* lines = qobject_cast<QPlainTextEdit*>(TextList.widget())) {
        lines->setLineWrapMode(QPlainTextEdit::NoWrap);
        lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    TextList.setText(S("1. velmora.example\n2. downloads.velmora-archive.example"));
}

void frmMain::designSubMenus()
{
    vb::panelFrame(FrameSubMenu[0], S("Bookmarks :"), {120, 840, 1860, 540});
    CommandCloseBookmark.move(90, 225, 300, 240);
    setLabel(LabelCloseBookmark, S("Close"), 420, 240, 480, 195);
    CommandShowBookmark.move(930, 225, 300, 240);
    setLabel(LabelShowBookmark, S("Show"), 1260, 240, 480, 195);

    vb::panelFrame(FrameSubMenu[1], S("Choices"), {120, 1920, 3255, 900});
    const QStringList choices{S("Hide"), S("Change User Name"), S("Change/Set User Picture")};
    for (int i = 0; i <= 5; ++i) {
        Btn& b = CommandChoices.add(i);
        b.move(60, 225 + qMin(i, 2) * 210, 180, 180);
        setLabel(LabelChoices.add(i), i <= 2 ? choices[i] : QString(), 300, 210 + qMin(i, 2) * 210, 2850, 195);
        b.setVisible(i <= 2);
        LabelChoices[i].setVisible(i <= 2);
    }
}

void frmMain::designMenuPictures()
{
    vb::panelFrame(FrameDisplay5, S("Don't click - this is just a picture"), {3540, 840, IntroRight - 3540, 2580});
    const QSize box = twipsOf(MenuBoxPictureSize);
    vb::placePicture(ImageDisplay5, {120, 240, box.width(), box.height()});
    vb::panelFrame(FrameDescription5, QString(), {120, 3450, IntroRight - 120, 870});
    setLabel(LabelDescription5, QString(), 120, 240, IntroRight - 360, 570, {0, 7.5});
    vb::panelFrame(FrameU5, S("myFriend's Picture"), {3540, 840, 2400, 1800});
    vb::placePicture(ImageU5, {120, 240, 2160, 1440});
    for (Img* holder : {&ImagePage1, &ImagePage2, &ImagePage3, &ImageOpen2, &ImageOpen3, &ImageOpenMark, &ImageBookmark,
                        &ImageChoice1, &ImageTools3, &ImageRun})
        holder->setVisible(false);
}

void frmMain::designNavigationBar()
{
    vb::plainFrame(FrameNavigate, {60, 420, 3240, 600});
    vb::placePicture(ImageNavBack, {120, 60, 375, 255});
    vb::placePicture(ImageNavForward, {600, 60, 375, 255});
    QList<vb::RowItem> navigation;
    const QStringList names{S("Home"), S("Search"), S("Refresh"), S("Stop")};
    for (int k = 0; k <= 3; ++k)
        navigation.append({1140 + k * 540, names[k], 540});
    vb::buttonRow(CommandNavigate, LabelNavigate, {15, {300, 300}, 330, 195, 120, vb::Centred}, navigation);
    setLabel(LabelLocation, S("Location :"), 3480, 240, 780, 195);
    setLabel(LabelCurrentBrowser0, QString(), 4320, 240, IntroRight - 4320, 195).setFontBold(true);
    ComboLocation.move(3480, 480, 3120, 330);
    vb::setWidgetFont(ComboLocation.widget(), false);
    CommandNavGo.move(6660, 480, 300, 300);
    setLabel(LabelNavGo, S("Go"), 6990, 525, 390, 195, {0, 7.5});
}

void frmMain::designBrowserAndTabs()
{
    vb::plainFrame(FrameBrowser, {60, 1080, 3120, 600});
    FrameBrowser.setVisible(false);
    vb::buttonRow(CommandBrowser, LabelBrowser, {15, {300, 270}, 285, 180, 150}, browserSlots());

    // Six tab buttons, then the closing buttons behind the last open one.
    vb::plainFrame(FrameTab, {60, 1710, 4695, 450});
    FrameTab.setVisible(false);
    setLabel(LabelTabHead, S("Tab"), 0, 60, 450);
    vb::buttonRow(CommandTabNew, LabelTabNew, {15, {300, 255}, 270, 180, 30}, tabSlots());
    vb::plainFrame(FrameTabClose, {2640, 0, 2055, 450});
    setLabel(LabelTabCloseHead, S("Close"), 0, 60, 480);
    vb::buttonRow(CommandTabClose, LabelTabClose, {15, {300, 255}, 270, 180, 120}, closeSlots());
}

void frmMain::designExampleBrowser()
{
    vb::captionFrame(FrameExBrowser, S("This is example Browser window - Mouse click on it will have no effect"),
                     {60, 2220, 4620, 1620}, Page);
    // The caption is long: a smaller plain face keeps it inside the frame.
    FrameExBrowser.setFontBold(false);
    vb::setWidgetFont(FrameExBrowser.widget(), false, 6);
    setLabel(LabelExHead, S("Browser Displaying This Page :"), 120, 300, 2400);
    setLabel(LabelExLocation.add(0), QString(), 120, 540, 4440).setFontBold(true);
    // The six names share one place, one of them filled at a time; like the rest of the
    // example browser, they take no click.
    for (int i = 0; i <= 5; ++i) {
        setLabel(LabelExBrowser.add(i), QString(), 1800, 1200, 2700, 330, {0, 9}).setFontBold(true);
        LabelExBrowser[i].widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    setLabel(LabelBrowEx, QString(), 60, 3870, 4680, 480);

    vb::panelFrame(FrameDisplay6, S("Don't click - this is just a picture"), {4830, 1020, IntroRight - 4830, 2820});
    // Narrower than the other picture's frame: a smaller plain face keeps the caption in.
    FrameDisplay6.setFontBold(false);
    vb::setWidgetFont(FrameDisplay6.widget(), false, 7);
    const QSize box = twipsOf(SelectTabsPictureSize);
    vb::placePicture(ImageDisplay6, {120, 240, box.width(), box.height()});
    vb::panelFrame(FrameDescription6, QString(), {4830, 1020, IntroRight - 4830, 2820});
    setLabel(LabelDescription6, QString(), 120, 240, IntroRight - 4830 - 240, 2460, {0, 7.5});
}

void frmMain::designFullBar()
{
    // The program's icon label with the one button that always stays.
    setLabel(LabelFullIcon, S("Corvane"), 60, 120, 960, 210, {2, 7.5}).setFontBold(true);
    CommandZero.move(390, 360, 300, 210);
    setLabel(LabelZero, S("Main Control"), 60, 585, 960, 180, vb::SmallCentred);

    vb::captionFrame(FrameCommon, QString(), {1080, 60, IntroRight - 1080, 885}, Band);
    CommandComHide.move(30, 45, 210, 300);
    CommandComHide.setCaption(S("x"));
    // Each button of the bar has its caption under it, above the tab row and inside the
    // bar's border also while the bar has one row (405 twips).
    vb::plainFrame(FrameFullNavigate, {270, 30, 2640, 345});
    vb::placePicture(ImageFullBack, {120, 15, 375, 255});
    vb::placePicture(ImageFullForward, {540, 15, 375, 255});
    const QStringList nav{S("Home"), S("Srch"), S("Rfrsh"), S("Stop")};
    QList<vb::RowItem> navigation;
    for (int k = 0; k <= 3; ++k)
        navigation.append({990 + k * 420, nav[k], 420});
    vb::buttonRow(CommandFullNav, LabelFullNav, {0, {300, 180}, 180, 165, 60}, navigation);
    setLabel(LabelComLocation, S("Location :"), 2940, 105, 660, 195, {0, 6.5});
    ComboComLocation.move(3600, 45, 1920, 315);
    vb::setWidgetFont(ComboComLocation.widget(), false);
    CommandFullGo.move(5580, 30, 300, 180);
    setLabel(LabelFullGo, S("Go"), 5550, 210, 360, 165, vb::SmallCentred);
    CommandFullShowTab.move(5940, 30, 300, 180);
    setLabel(LabelFullShowTab, S("Tabs"), 5910, 210, 360, 165, vb::SmallCentred);

    // Above the bar's lower border line.
    vb::plainFrame(FrameFullTab, {60, 420, 4695, 420});
    setLabel(LabelFullTabHead, S("Tab"), 0, 45, 450);
    vb::buttonRow(CommandFullTab, LabelFullTab, {0, {300, 255}, 255, 165, 30}, tabSlots());
    vb::plainFrame(FrameFullTabClose, {2640, 0, 2055, 420});
    setLabel(LabelFullTabCloseHead, S("Close"), 0, 45, 480);
    vb::buttonRow(CommandFullTabClose, LabelFullTabClose, {0, {300, 255}, 255, 165, 120}, closeSlots());
}

void frmMain::designFullControls()
{
    vb::panelFrame(FrameOne, S("Controls"), {1080, 945, IntroRight - 1080, 1740}, Band);
    const QStringList one{S("Page"), S("Open"), S("View"), S("Tools"), S("Help"), S("Tab List")};
    const QStringList two{S("Navigation"), S("Browser"), S("Bookmarks"), S("Run"), S("Normal Window"), S("Exit Corvane")};
    auto place = [](int slot, Btn& b, Lbl& l, const QString& caption) {
        const int col = slot / 4, row = slot % 4;
        const int left = 60 + col * 1605, top = 240 + row * 300;
        b.move(left, top, 270, 270);
        setLabel(l, caption, left + 300, top + 30, 1290);
    };
    for (int i = 0; i <= 5; ++i) {
        place(i, CommandOne.add(i), LabelOne.add(i), one[i]);
        place(6 + i, CommandTwo.add(i), LabelTwo.add(i), two[i]);
    }
    place(12, CommandHideControl, LabelHideControl, S("Hide"));
    setLabel(LabelCurrentBrowser1, QString(), 120, 1470, IntroRight - 1080 - 240).setFontBold(true);

    vb::panelFrame(FrameFullBrowser, S("Browsers"), {1080, 2685, 3720, 780});
    vb::buttonRow(CommandFullBrowser, LabelFullBrowser, {240, {300, 270}, 525, 180, 150}, browserSlots());
    CommandHideBrowser.move(3120, 240, 300, 270);
    setLabel(LabelHideBrowser, S("Hide"), 3000, 525, 540, 180, vb::SmallCentred);
}

void frmMain::designPictures()
{
    // The stores are hidden image arrays; the faces are drawn once here.
    vb::pictureStore(ImageBut, HelpFaceCount, [](int i) { return helpButtonFace(i, QSize(20, 20)); });
    vb::arrowStores(ImageBack, ImageForward, 3);

    // Every graphical button has its pressed face; the design gives each its normal face.
    auto dress = [this](Btn& b, int normal) {
        b.setPicture(ImageBut[normal].picture());
        b.setDownPicture(ImageBut[1].picture());
        b.setDisabledPicture(ImageBut[2].picture());
    };
    dress(CommandTopic, 0);
    dress(CommandActivate, 3);
    dress(CommandExit, 4);
    dress(CommandHide, 5);
    dress(CommandRestart, 0);
    for (int i = 0; i <= 5; ++i) {
        dress(CommandMenu[i], 0);
        dress(CommandButExit[i], 4);
        for (auto* items : {&CommandPage, &CommandOpen, &CommandView, &CommandTools, &CommandHelp, &CommandChoices})
            dress((*items)[i], i == 0 ? 5 : 6);
        dress(CommandBrowser[i], 0);
        dress(CommandTabNew[i], 6);
        dress(CommandFullBrowser[i], 0);
        dress(CommandFullTab[i], 6);
        dress(CommandOne[i], 0);
        dress(CommandTwo[i], i < 3 ? 0 : 4);
    }
    for (int k = 0; k <= 3; ++k) {
        dress(CommandNavigate[k], k == 3 ? 7 : 0);
        dress(CommandFullNav[k], k == 3 ? 7 : 0);
    }
    for (int k = 0; k <= 2; ++k) {
        dress(CommandTabClose[k], 0);
        dress(CommandFullTabClose[k], 0);
    }
    dress(CommandTabHide, 5);
    dress(CommandShowBookmark, 0);
    dress(CommandCloseBookmark, 0);
    dress(CommandNavGo, 0);
    dress(CommandZero, 4);
    dress(CommandFullGo, 0);
    dress(CommandFullShowTab, 3);
    dress(CommandHideControl, 5);
    dress(CommandHideBrowser, 5);
    CommandComHide.setDownPicture(QPixmap());
    for (Img* back : {&ImageGoBack, &ImageNavBack, &ImageFullBack})
        back->setPicture(ImageBack[0].picture());
    for (Img* forward : {&ImageGoContinue, &ImageNavForward, &ImageFullForward})
        forward->setPicture(ImageForward[0].picture());
}

void frmMain::designBoxPictures()
{
    // The pictures of the browser's boxes that the pages show.
    const std::pair<const char*, Img*> holders[] = {
        {"ImagePage1", &ImagePage1},     {"ImagePage2", &ImagePage2},       {"ImagePage3", &ImagePage3},
        {"ImageOpen2", &ImageOpen2},     {"ImageOpen3", &ImageOpen3},       {"ImageOpenMark", &ImageOpenMark},
        {"ImageBookmark", &ImageBookmark}, {"ImageChoice1", &ImageChoice1}, {"ImageTools3", &ImageTools3},
        {"ImageRun", &ImageRun},         {"ImageOptions", &ImageOptions},   {"ImageDisplay6", &ImageDisplay6}};
    const QList<NamedBox> boxes = helpBoxes();
    for (const auto& [name, holder] : holders)
        for (const NamedBox& b : boxes)
            if (b.name == QLatin1String(name))
                holder->setPicture(boxPicture(b.title, b.lines, b.size));
    ImageMainWindow.setPicture(mainWindowPicture(MainPicture / vb::TwipsPerPixel));
    ImageU5.setPicture(sampleUserPicture(QSize(144, 96)));
}

} // namespace corvanehelp
