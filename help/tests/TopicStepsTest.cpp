// The topic engine's dispatcher and step chains, walked with the step images and Restart
// Topic, and the pages of the text topics.

#include "TopicFixture.h"

#include <QLabel>

namespace helptest {

namespace {

class TopicStepsTest : public TopicTest {
protected:
    struct StepImages {
        bool frame, back, forward, restart;
    };
    StepImages images() const
    {
        return {w().FrameGo.isVisible(), w().ImageGoBack.isEnabled(), w().ImageGoContinue.isEnabled(),
                w().FrameRestart.isVisible()};
    }
    void back() { w().ImageGoBack.click(); }
    void next() { w().ImageGoContinue.click(); }
};

// Go Back / Continue frame, their enabling and Restart Topic; a macro keeps the failing
// line in the report.
#define IMAGES_ARE(f, b, c, r)        \
    do {                              \
        const auto im = images();     \
        EXPECT_EQ(im.frame, f);       \
        EXPECT_EQ(im.back, b);        \
        EXPECT_EQ(im.forward, c);     \
        EXPECT_EQ(im.restart, r);     \
    } while (0)

TEST_F(TopicStepsTest, InstallationWalksTwoPagesAndKeepsTheRequirementsFrame)
{
    select(2);
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Installation"));
    EXPECT_EQ(introShown(), 0);
    EXPECT_EQ(w().FrameIntro[0].caption(), QStringLiteral("System Requirements"));
    IMAGES_ARE(true, false, true, false);

    next();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_EQ(title(), QStringLiteral("Corvane - A Simple Qt WebEngine Based Web Browser"));
    EXPECT_EQ(introShown(), 0);
    // Copying a newer folder over the old one: the file manager's question, and the answer.
    EXPECT_TRUE(text().contains(QStringLiteral("          Do you want to merge the folders and replace the files?")));
    EXPECT_TRUE(text().contains(QStringLiteral("Decide to merge and replace.")));
    IMAGES_ARE(true, true, false, false);

    // Continue is disabled on the last page; the handler itself changes nothing there.
    engine().TopicStepContinue();
    EXPECT_EQ(t().StepNumber, 1);

    back();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Installation"));
    IMAGES_ARE(true, false, true, false);
}

TEST_F(TopicStepsTest, FeaturesAndOptionsMoveOneStepPerClick)
{
    select(3);
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Features"));
    EXPECT_EQ(introShown(), 3);
    EXPECT_EQ(w().FrameIntro[3].caption(), QStringLiteral("Features"));
    EXPECT_EQ(text(), QStringLiteral("\r\n\r\nMain features of Corvane is described in the above right hand side Frame.\r\n"
                                     "To view Options please click on 'Continue' button."));
    IMAGES_ARE(true, false, true, false);

    next();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_EQ(introShown(), 4);
    EXPECT_EQ(w().FrameIntro[4].caption(), QStringLiteral("Options"));
    EXPECT_EQ(title(), QStringLiteral("Options"));
    EXPECT_TRUE(text().contains(QStringLiteral("This number can't be greater than 6.")));
    EXPECT_TRUE(text().contains(QStringLiteral("Maximum 20 entries per Browser will be saved.")));
    IMAGES_ARE(true, true, true, false);

    next();
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_EQ(title(), QStringLiteral("Options"));
    EXPECT_EQ(introShown(), 4);
    EXPECT_TRUE(text().contains(QStringLiteral("'View | Note'")));
    // Restart Topic from the second step on.
    IMAGES_ARE(true, true, true, true);

    next();
    EXPECT_EQ(t().StepNumber, 3);
    EXPECT_EQ(title(), QStringLiteral("Options"));
    EXPECT_EQ(introShown(), 4);
    EXPECT_TRUE(text().contains(QStringLiteral(
        "After setting up options 'OK' button must be clicked for the new settings to take effect.\r\n"
        "Clicking on 'Default' button will set all settings to Default.")));
    IMAGES_ARE(true, true, false, true);

    back();
    EXPECT_EQ(t().StepNumber, 2);
    back();
    EXPECT_EQ(t().StepNumber, 1);
    EXPECT_EQ(title(), QStringLiteral("Options"));
    back();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(title(), QStringLiteral("Features"));
    EXPECT_EQ(introShown(), 3);

    // Restart Topic runs the first page from any step.
    next();
    next();
    w().CommandRestart.click();
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(introShown(), 3);
    IMAGES_ARE(true, false, true, false);
}

TEST_F(TopicStepsTest, RemovableMediaOpensOnItsSetUpPageWithContinueOnly)
{
    select(4);
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_EQ(t().StepState, 1);
    EXPECT_EQ(introShown(), 2);
    EXPECT_EQ(w().FrameIntro[2].caption(), QStringLiteral("Installation On A Removable Media"));
    EXPECT_EQ(title(), QStringLiteral("Installation On A Removable Media"));
    EXPECT_EQ(text(), QStringLiteral("\r\nSetup process to setup Corvane on a Removable Media is described at the top.\r\n"
                                     "For CorvaneHelp first 2 steps can be skiped."));
    EXPECT_TRUE(w().FrameGo.isVisible());
    EXPECT_FALSE(w().ImageGoBack.isEnabled());
    EXPECT_TRUE(w().ImageGoContinue.isEnabled());

    // Go Back is not offered on the first page, and its handler changes nothing there.
    engine().TopicStepBack();
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_EQ(title(), QStringLiteral("Installation On A Removable Media"));

    next();
    EXPECT_EQ(t().StepNumber, 3);
    EXPECT_EQ(title(), QStringLiteral("Installation : On A Removable Media"));
    EXPECT_EQ(introShown(), 2);
    next();
    EXPECT_EQ(t().StepNumber, 4);
    EXPECT_EQ(title(), QStringLiteral("Re-Installation : On A Removable Media"));
    EXPECT_TRUE(text().contains(QStringLiteral("\r\n     1. Delete all the folders created during setup of my programs.\r\n")));
    EXPECT_TRUE(w().ImageGoBack.isEnabled());
    EXPECT_FALSE(w().ImageGoContinue.isEnabled());
    back();
    EXPECT_EQ(t().StepNumber, 3);
    back();
    EXPECT_EQ(t().StepNumber, 2);
    EXPECT_EQ(title(), QStringLiteral("Installation On A Removable Media"));
}

TEST_F(TopicStepsTest, StepImagesChangeNoPageOutsideTheSteppedTopics)
{
    select(1);
    const QString before = text();
    engine().TopicStepContinue();
    engine().TopicStepBack();
    EXPECT_EQ(t().TopicIndex, 1);
    EXPECT_EQ(t().StepNumber, 0);
    EXPECT_EQ(text(), before);
    EXPECT_FALSE(w().FrameGo.isVisible());
}

TEST_F(TopicStepsTest, IntroductionShowsItsLinesAsStored)
{
    select(1);
    EXPECT_EQ(introShown(), 1);
    EXPECT_EQ(w().FrameIntro[1].caption(), QStringLiteral("Corvane And CorvaneHelp"));
    EXPECT_EQ(title(), QStringLiteral("Corvane - A Simple Qt WebEngine Based Web Browser"));
    EXPECT_EQ(text(), QStringLiteral("    Corvane is stand alone. Installation is not required if system meets the requirements.\r\n"
                                     "     Corvane can be setup to run from a Floppy or USB Flash Drive.\r\n"
                                     "\r\n"
                                     "     Options can be set to:\r\n"
                                     "          Run upto 6 main Browsers simultaneously.\r\n"
                                     "          Save history of selected main Browsers.\r\n"
                                     "          Show new window as Tab or in a new Browser.\r\n"
                                     "          Show saved 'Notes' automatically on subsequent visit to the web site."));
    EXPECT_FALSE(w().FrameGo.isVisible());
    EXPECT_FALSE(w().FrameRestart.isVisible());
    EXPECT_TRUE(w().FrameHide.isVisible());
}

TEST_F(TopicStepsTest, AboutTopicsShareTheirFrameAndClearWhatTheyDoNotUse)
{
    select(10);
    EXPECT_EQ(introShown(), 9);
    EXPECT_EQ(w().FrameIntro[9].caption(), QStringLiteral("Uninstallation and Update"));
    EXPECT_EQ(title(), QStringLiteral("Uninstallation and Update"));
    EXPECT_EQ(w().LabelIntroMe[0].caption(),
              QStringLiteral("To Uninstall : Detete the Program's Folder. What Corvane keeps outside the folder is told\r\n"
                             "                       in the Details Frame below."));
    EXPECT_FALSE(w().LabelIntroMe[1].caption().isEmpty());

    select(11);
    EXPECT_EQ(w().FrameIntro[9].caption(), QStringLiteral("About CorvaneHelp"));
    EXPECT_EQ(title(), QStringLiteral("About CorvaneHelp"));
    // The version text set at start-up, after the name and five blanks.
    EXPECT_TRUE(text().startsWith(QStringLiteral("CorvaneHelp     Version 1.2\r\n")));
    EXPECT_EQ(w().LabelIntroMe[0].caption(),
              QStringLiteral("Corvane is a very simple program. Most probably nobody will need any Help. It will be a great "
                             "pleasure if anybody feels this Help as important."));
    EXPECT_TRUE(w().LabelIntroMe[1].caption().startsWith(QStringLiteral("Velmora\r\n")));

    select(12);
    EXPECT_EQ(w().FrameIntro[9].caption(), QStringLiteral("About Fenwary :"));
    EXPECT_EQ(title(), QStringLiteral("Fenwary : "));
    EXPECT_TRUE(w().LabelIntroMe[0].caption().isEmpty());
    for (const char* program : {"Drimsel", "Corvane", "Ostrade"})
        EXPECT_TRUE(text().contains(QLatin1String(program))) << program;
    EXPECT_FALSE(w().FrameGo.isVisible());
}

TEST_F(TopicStepsTest, EveryTopicShowsItsOwnIntroFrameAndHideTopicOnlyAwayFromTheOverview)
{
    const int intro[] = {10, 1, 0, 3, 2, 5, 6, 6, 6, 7, 9, 9, 9};
    for (int topic = 1; topic <= 12; ++topic) {
        select(topic);
        EXPECT_EQ(t().TopicIndex, topic);
        EXPECT_EQ(introShown(), intro[topic]) << topic;
        EXPECT_TRUE(w().FrameHide.isVisible()) << topic;
        EXPECT_FALSE(title().isEmpty()) << topic;
    }
    w().CommandHide.click();
    EXPECT_EQ(introShown(), 10);
    EXPECT_FALSE(w().FrameHide.isVisible());
    EXPECT_EQ(title(), QStringLiteral("Details Frame"));
}

// The two texts of the last topics' intro frame stand one under the other, a blank line
// apart, whatever their length: no wide gap opens between them, and neither runs into the
// other or out of the frame.
TEST_F(TopicStepsTest, TheIntroTextsOfTheLastTopicsStandOneUnderTheOther)
{
    for (int topic : {10, 11, 12}) {
        SCOPED_TRACE(topic);
        select(topic);
        const QWidget* first = w().LabelIntroMe[0].widget();
        const QWidget* second = w().LabelIntroMe[1].widget();
        const int line = first->fontMetrics().height();
        auto textBottom = [](const QWidget* label) {
            const auto* l = static_cast<const QLabel*>(label);
            return label->y() + l->fontMetrics().boundingRect(QRect(0, 0, label->width(), 100000), Qt::TextWordWrap, l->text()).height();
        };
        const int firstBottom = w().LabelIntroMe[0].caption().isEmpty() ? first->y() - line : textBottom(first);
        EXPECT_GE(second->y(), firstBottom) << "the second text runs into the first";
        EXPECT_LE(second->y() - firstBottom, 2 * line) << "a gap opens between the texts";
        EXPECT_LE(textBottom(second), second->parentWidget()->height()) << "the second text runs out of its frame";
    }
}

} // namespace

} // namespace helptest
