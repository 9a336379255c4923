// Topic 5, "Main buttons": every page's number, title, frames and picture or description,
// and the clicks on the imitation that move through them.

#include "TopicFixture.h"

namespace helptest {

namespace {

using corvanehelp::frmMain;

class MainButtonsDemoTest : public TopicTest {
protected:
    void SetUp() override
    {
        TopicTest::SetUp();
        select(5);
    }

    // Only FrameMenu(menu) open, -1 none.
    int menuShown() const
    {
        int open = -1;
        for (int i = 0; i <= 5; ++i) {
            if (w().FrameMenu[i].isVisible())
                open = open < 0 ? i : 99;
        }
        return open;
    }
    int subMenuShown() const
    {
        const bool b = w().FrameSubMenu[0].isVisible(), c = w().FrameSubMenu[1].isVisible();
        return b && c ? 99 : b ? 0 : c ? 1 : -1;
    }
    bool displayShows(const vb::Image& holder) const
    {
        return testsupport::samePicture(w().ImageDisplay5.picture(), holder.picture());
    }
};

TEST_F(MainButtonsDemoTest, EveryPageHasItsNumberTitleFramesAndPictureOrDescription)
{
    frmMain& f = w();
    struct Row {
        TopicPage page;
        int step;
        const char* title;
        int menu, sub;
        const vb::Image* picture;
        const char* description;
    };
    const Row rows[] = {
        {TopicPage::MainButtons, 0, "Main Buttons", -1, -1, nullptr, nullptr},
        {TopicPage::PageButton, 1, "Button : Page", 0, -1, nullptr, nullptr},
        {TopicPage::PageBookmark, 2, "Button : Page || Bookmark", 0, -1, &f.ImagePage1, nullptr},
        {TopicPage::PageKeepNote, 3, "Button : Page || Keep Note", 0, -1, &f.ImagePage2, nullptr},
        {TopicPage::PageSetHome, 4, "Button : Page || Set As Home Page", 0, -1, &f.ImagePage3, nullptr},
        {TopicPage::PageSave, 5, "Button : Page || Save", 0, -1, nullptr,
         "This will show 'File Save' dialogue box to save the current page."},
        {TopicPage::PagePrint, 6, "Button : Page || Print", 0, -1, nullptr,
         "This will show 'Print' dialogue box to print the current page."},
        {TopicPage::OpenButton, 7, "Button : Open", 1, -1, nullptr, nullptr},
        {TopicPage::OpenFile, 8, "Button : Open || File", 1, -1, nullptr, nullptr},
        {TopicPage::OpenNewTab, 9, "Button : Open || New Tab", 1, -1, &f.ImageOpen2, nullptr},
        {TopicPage::OpenNewBrowser, 10, "Button : Open || New Browser", 1, -1, &f.ImageOpen3, nullptr},
        {TopicPage::OpenBookmarks, 11, "Button : Open || Bookmarks", -1, 0, &f.ImageOpenMark, nullptr},
        {TopicPage::BookmarkControls, 12, "Button : Open || Bookmarks || Show", -1, 0, &f.ImageBookmark, nullptr},
        {TopicPage::ViewButton, 13, "Button : View", 2, -1, nullptr, nullptr},
        {TopicPage::ViewNote, 14, "Button : View || Note", 2, -1, &f.ImagePage2, nullptr},
        {TopicPage::ViewChoices, 15, "Button : View || Choices", 2, 1, nullptr, nullptr},
        {TopicPage::ViewOptions, 16, "Button : View || Options", 2, -1, nullptr,
         "This button will show options setting window. Please see 'Features and Options'."},
        {TopicPage::ChoicesUserName, 17, "Button : View || Choices || Change User Name", 2, 1, &f.ImageChoice1, nullptr},
        {TopicPage::ChoicesUserPicture, 18, "Button : View || Choices || Change/Set User Picture", 2, 1, nullptr, nullptr},
        {TopicPage::ToolsButton, 19, "Button : Tools", 3, -1, nullptr, nullptr},
        {TopicPage::ToolsInternetProperties, 20, "Button : Tools || Set Internet Properties", 3, -1, nullptr, nullptr},
        {TopicPage::ToolsDisplayProperties, 21, "Button : Tools || Set Display Properties", 3, -1, nullptr, nullptr},
        {TopicPage::ToolsReportBug, 22, "Button : Tools || Report Bug", 3, -1, &f.ImageTools3, nullptr},
        {TopicPage::HelpButton, 23, "Button : Help", 4, -1, nullptr, nullptr},
        {TopicPage::HelpHelp, 24, "Button : Help || Help", 4, -1, nullptr, nullptr},
        {TopicPage::HelpWebSite, 25, "Button : Help || Web Site", 4, -1, nullptr,
         "Current browser will navigate to Corvane's Home Page."},
        {TopicPage::HelpAbout, 26, "Button : Help || About", 4, -1, nullptr, "Will show 'About' box of Corvane."},
        {TopicPage::TabList, 29, "Button : Tab List", 5, -1, nullptr, nullptr},
        {TopicPage::Run, 30, "Button : Run", -1, -1, &f.ImageRun, nullptr},
        {TopicPage::FullWindowButton, 31, "Button : Full Window", -1, -1, nullptr, nullptr},
        {TopicPage::Exit, 32, "Button : Exit", -1, -1, nullptr, "Corvane exits when this button is clicked."},
    };
    for (const Row& r : rows) {
        // A blank picture first, so that a page that shows none cannot pass on an old one.
        f.ImageDisplay5.setPicture(QPixmap());
        engine().TopicPageShow(r.page);
        const QString page = corvanehelp::TopicPageProcedure(r.page);
        EXPECT_EQ(t().StepNumber, r.step) << page.toStdString();
        EXPECT_EQ(t().StepState, 0);
        EXPECT_EQ(t().IntroFrameIndex, 5);
        EXPECT_EQ(title(), QLatin1String(r.title)) << page.toStdString();
        EXPECT_EQ(menuShown(), r.menu) << page.toStdString();
        EXPECT_EQ(subMenuShown(), r.sub) << page.toStdString();
        EXPECT_EQ(f.FrameDisplay5.isVisible(), r.picture != nullptr) << page.toStdString();
        if (r.picture) {
            EXPECT_TRUE(displayShows(*r.picture)) << page.toStdString();
        }
        EXPECT_EQ(f.FrameDescription5.isVisible(), r.description != nullptr) << page.toStdString();
        if (r.description) {
            EXPECT_EQ(f.LabelDescription5.caption(), QLatin1String(r.description));
            EXPECT_TRUE(text().isEmpty()) << page.toStdString();
        } else {
            EXPECT_FALSE(text().isEmpty()) << page.toStdString();
        }
        // The user-picture frame belongs to its own page only.
        EXPECT_EQ(f.FrameU5.isVisible(), r.step == 18) << page.toStdString();
        EXPECT_FALSE(f.FrameGo.isVisible());
    }
}

TEST_F(MainButtonsDemoTest, MenuButtonOpensItsMenuAndASecondClickClosesEverything)
{
    frmMain& f = w();
    f.CommandMenu[2].click();
    EXPECT_EQ(t().StepNumber, 13);
    EXPECT_EQ(menuShown(), 2);
    for (int i = 0; i <= 5; ++i)
        EXPECT_TRUE(hasFace(f.CommandMenu[i], i == 2 ? 3 : 0)) << i;
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(hasFace(f.CommandView[i], 6)) << i;

    // Another menu moves the selection.
    f.CommandMenu[0].click();
    EXPECT_EQ(menuShown(), 0);
    EXPECT_TRUE(hasFace(f.CommandMenu[0], 3));
    EXPECT_TRUE(hasFace(f.CommandMenu[2], 0));

    f.CommandMenu[0].click();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Main Buttons"));
    EXPECT_EQ(menuShown(), -1);
    EXPECT_EQ(subMenuShown(), -1);
    EXPECT_FALSE(f.FrameDisplay5.isVisible());
    EXPECT_FALSE(f.FrameDescription5.isVisible());
    for (int i = 0; i <= 5; ++i)
        EXPECT_TRUE(hasFace(f.CommandMenu[i], 0)) << i;
}

TEST_F(MainButtonsDemoTest, SubButtonKeepsItsMenuSelectedAndASecondClickReturnsToTheMenu)
{
    frmMain& f = w();
    f.CommandMenu[0].click();
    f.CommandPage[3].click();
    EXPECT_EQ(t().StepNumber, 4);
    EXPECT_TRUE(hasFace(f.CommandMenu[0], 3));
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(hasFace(f.CommandPage[i], i == 3 ? 3 : 6)) << i;
    EXPECT_TRUE(displayShows(f.ImagePage3));

    f.CommandPage[5].click();
    EXPECT_EQ(t().StepNumber, 6);
    EXPECT_TRUE(hasFace(f.CommandPage[3], 6));
    EXPECT_TRUE(hasFace(f.CommandPage[5], 3));
    EXPECT_FALSE(f.FrameDisplay5.isVisible());

    f.CommandPage[5].click();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_EQ(title(), QStringLiteral("Button : Page"));
    EXPECT_TRUE(hasFace(f.CommandPage[5], 6));
    EXPECT_FALSE(f.FrameDescription5.isVisible());

    // Hide of the menu: the overview with the Hide buttons in their own face.
    f.CommandPage[0].click();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(menuShown(), -1);
    for (auto* items : {&f.CommandPage, &f.CommandOpen, &f.CommandView, &f.CommandTools, &f.CommandHelp, &f.CommandChoices})
        EXPECT_TRUE(hasFace((*items)[0], 5));
    EXPECT_TRUE(hasFace(f.CommandTabHide, 5));
}

TEST_F(MainButtonsDemoTest, BookmarksClosesTheOpenMenuAndShowsOnlyTheBookmarkPair)
{
    frmMain& f = w();
    f.CommandMenu[1].click();
    f.CommandOpen[4].click();
    EXPECT_EQ(t().StepNumber, 11);
    EXPECT_EQ(menuShown(), -1);
    EXPECT_EQ(subMenuShown(), 0);
    EXPECT_TRUE(displayShows(f.ImageOpenMark));
    EXPECT_TRUE(hasFace(f.CommandMenu[1], 0));
    EXPECT_TRUE(hasFace(f.CommandShowBookmark, 0));

    f.CommandShowBookmark.click();
    EXPECT_EQ(t().StepNumber, 12);
    EXPECT_TRUE(hasFace(f.CommandShowBookmark, 3));
    EXPECT_TRUE(displayShows(f.ImageBookmark));
    f.CommandShowBookmark.click();
    EXPECT_EQ(t().StepNumber, 11);
    EXPECT_TRUE(hasFace(f.CommandShowBookmark, 0));
    EXPECT_TRUE(displayShows(f.ImageOpenMark));

    f.CommandCloseBookmark.click();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(subMenuShown(), -1);
}

TEST_F(MainButtonsDemoTest, ChoicesSelectViewAndTheirOwnButton)
{
    frmMain& f = w();
    f.CommandMenu[2].click();
    f.CommandView[2].click();
    EXPECT_EQ(t().StepNumber, 15);
    EXPECT_EQ(subMenuShown(), 1);
    EXPECT_TRUE(hasFace(f.CommandView[2], 3));
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(hasFace(f.CommandChoices[i], 6)) << i;

    f.CommandChoices[2].click();
    EXPECT_EQ(t().StepNumber, 18);
    EXPECT_TRUE(f.FrameU5.isVisible());
    EXPECT_FALSE(f.FrameDisplay5.isVisible());
    EXPECT_TRUE(hasFace(f.CommandChoices[2], 3));
    EXPECT_TRUE(hasFace(f.CommandView[2], 3));

    f.CommandChoices[1].click();
    EXPECT_EQ(t().StepNumber, 17);
    EXPECT_FALSE(f.FrameU5.isVisible());
    EXPECT_TRUE(displayShows(f.ImageChoice1));
    EXPECT_TRUE(hasFace(f.CommandChoices[2], 6));

    // A second click, or Hide of the Choices, returns to the View page.
    f.CommandChoices[1].click();
    EXPECT_EQ(t().StepNumber, 13);
    EXPECT_EQ(subMenuShown(), -1);
    EXPECT_EQ(menuShown(), 2);
}

TEST_F(MainButtonsDemoTest, BarButtonsSelectThemselvesAndFullWindowLeadsToItsTopic)
{
    frmMain& f = w();
    f.CommandMenu[3].click();
    f.CommandButExit[0].click();
    EXPECT_EQ(t().StepNumber, 30);
    EXPECT_EQ(menuShown(), -1);
    EXPECT_TRUE(hasFace(f.CommandMenu[3], 0));
    EXPECT_TRUE(hasFace(f.CommandButExit[0], 3));
    EXPECT_TRUE(hasFace(f.CommandButExit[2], 4));

    f.CommandButExit[2].click();
    EXPECT_TRUE(hasFace(f.CommandButExit[0], 4));
    EXPECT_TRUE(hasFace(f.CommandButExit[2], 3));

    f.CommandButExit[1].click();
    EXPECT_EQ(t().StepNumber, 31);
    for (int i = 0; i <= 5; ++i)
        EXPECT_TRUE(hasFace(f.CommandButExit[i], 4)) << i;
    EXPECT_TRUE(text().endsWith(QStringLiteral("To view Full Window Mode please click 'Full Window' button again.")));

    f.CommandButExit[1].click();
    EXPECT_EQ(t().TopicIndex, 9);
    EXPECT_TRUE(f.OptionTopic[9].value());
    EXPECT_EQ(introShown(), 7);
    EXPECT_EQ(title(), QStringLiteral("Corvane - Running In Full Window"));
}

// The second-click rules with the mouse: a button whose page is on screen leads back to
// its menu's page; the same button clicked first shows its own page.
TEST_F(MainButtonsDemoTest, WithTheMouseASecondClickReturnsToTheMenusPage)
{
    frmMain& f = w();
    struct Case {
        int menu;  // opened first, -1 none
        vb::CommandButton* button;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {0, &f.CommandPage[2], "Button : Page || Keep Note", "Button : Page"},
        {1, &f.CommandOpen[3], "Button : Open || New Browser", "Button : Open"},
        {2, &f.CommandView[3], "Button : View || Options", "Button : View"},
        {3, &f.CommandTools[2], "Button : Tools || Set Display Properties", "Button : Tools"},
        {4, &f.CommandHelp[1], "Button : Help || Help", "Button : Help"},
        {-1, &f.CommandButExit[0], "Button : Run", "Main Buttons"},
        {-1, &f.CommandButExit[2], "Button : Exit", "Main Buttons"},
    };
    for (const Case& c : cases) {
        if (c.menu >= 0 && !f.FrameMenu[c.menu].isVisible())
            userClick(f.CommandMenu[c.menu]);
        userClick(*c.button);
        EXPECT_EQ(title(), QLatin1String(c.first));
        userClick(*c.button);
        EXPECT_EQ(title(), QLatin1String(c.second)) << c.first;
    }

    userClick(f.CommandMenu[2]);
    userClick(f.CommandView[2]);
    userClick(f.CommandChoices[1]);
    EXPECT_EQ(title(), QStringLiteral("Button : View || Choices || Change User Name"));
    userClick(f.CommandChoices[1]);
    EXPECT_EQ(title(), QStringLiteral("Button : View"));

    userClick(f.CommandMenu[1]);
    userClick(f.CommandOpen[4]);
    userClick(f.CommandShowBookmark);
    EXPECT_EQ(title(), QStringLiteral("Button : Open || Bookmarks || Show"));
    userClick(f.CommandShowBookmark);
    EXPECT_EQ(title(), QStringLiteral("Button : Open || Bookmarks"));

    // "Full Window" twice leads to its topic, whose "Normal Window" twice leads back.
    userClick(f.CommandButExit[1]);
    userClick(f.CommandButExit[1]);
    EXPECT_EQ(t().TopicIndex, 9);
    userClick(f.CommandZero);
    userClick(f.CommandTwo[4]);
    EXPECT_EQ(title(), QStringLiteral("Corvane - Running In Normal Window"));
    userClick(f.CommandTwo[4]);
    EXPECT_EQ(t().TopicIndex, 5);
    EXPECT_EQ(title(), QStringLiteral("Main Buttons"));
}

TEST_F(MainButtonsDemoTest, RestartTopicFromADeepPageShowsTheOverview)
{
    frmMain& f = w();
    f.CommandMenu[4].click();
    f.CommandHelp[3].click();
    // Restart is offered on every page from number 2 on.
    EXPECT_TRUE(f.FrameRestart.isVisible());
    f.CommandRestart.click();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(menuShown(), -1);
    EXPECT_FALSE(f.FrameDescription5.isVisible());
    EXPECT_FALSE(f.FrameRestart.isVisible());
    EXPECT_EQ(introShown(), 5);
}

} // namespace

} // namespace helptest
