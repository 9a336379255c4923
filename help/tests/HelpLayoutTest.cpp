// The help window walked as a user meets it (see LayoutProbe.h) on every topic and every
// page a user reaches: the steps of the step topics, each button of the imitation with the
// button that follows it, and every topic after every other, where a topic shows only its
// own captions. The window stands whole on the smallest screen the program accepts and on
// a large one, and the pictures of the browser's boxes hold their text at the size shown.

#include "HelpPictures.h"
#include "TopicFixture.h"

#include "LayoutProbe.h"
#include "UserInput.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QToolTip>
#include <QTextBlock>
#include <QTextCursor>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

using layoutprobe::Probe;

namespace {

class HelpLayoutTest : public helptest::TopicTest {
protected:
    void walk(const QString& state)
    {
        layoutprobe::settle();
        const QString name = QStringLiteral("topic %1 step %2 %3").arg(t().TopicIndex).arg(t().StepNumber).arg(state);
        ++walksOf[t().TopicIndex];
        layoutprobe::shot(w().window(), QStringLiteral("help %1").arg(name));
        Probe probe(w().window());
        // The example address boxes show where an address begins.
        probe.startShown(w().ComboLocation.widget());
        probe.startShown(w().ComboComLocation.widget());
        // The user's picture stands in its place in the picture of the browser's window.
        const QWidget* user = w().ImageBigUser.widget();
        const QWidget* picture = w().ImageMainWindow.widget();
        probe.allow([user, picture](const QWidget* target, const QWidget* over) { return target == picture && over == user; },
                    QStringLiteral("the user's picture in its place in the picture of the window"));
        // The imitation closes a tab by disabling its button and moving the Close buttons up
        // over it, as the browser's row closes up.
        for (auto [row, close] : {std::pair{&w().FrameTab, &w().FrameTabClose}, std::pair{&w().FrameFullTab, &w().FrameFullTabClose}}) {
            const QWidget* group = close->widget();
            const QWidget* tabs = row->widget();
            probe.allow([group, tabs](const QWidget* target, const QWidget* over) {
                            return target->parentWidget() == tabs && over && (over == group || group->isAncestorOf(over));
                        },
                        QStringLiteral("a closed tab's number lies under the Close buttons moved up over it"));
        }
        const QStringList faults = probe.walk();
        EXPECT_GT(probe.checkedCount(), 3) << name.toStdString();
        for (const QString& fault : faults)
            ADD_FAILURE() << name.toStdString() << ": " << fault.toStdString();
        ++walks;
    }

    // What a user can click in the imitation now on screen (buttons, and the arrows), by
    // its place on it (the order a user reads them in).
    struct Clickable {
        vb::Control* control;
        bool click() const
        {
            if (auto* b = qobject_cast<vb::CommandButton*>(control))
                return b->click();
            auto* image = static_cast<vb::Image*>(control);
            image->press();
            image->release();
            image->click();
            return true;
        }
        QWidget* widget() const { return control->widget(); }
    };
    std::vector<Clickable> imitationButtons() const
    {
        std::vector<Clickable> found;
        const QWidget* intro = w().FrameIntro[t().IntroFrameIndex].widget();
        for (QWidget* widget : intro->findChildren<QWidget*>()) {
            auto* c = vb::Control::fromWidget(widget);
            auto* image = qobject_cast<vb::Image*>(c);
            const bool clickable = qobject_cast<vb::CommandButton*>(c) || (image && image->onClick);
            if (clickable && widget->isVisibleTo(w().window()) && c->isEnabled())
                found.push_back({c});
        }
        std::sort(found.begin(), found.end(), [this](const Clickable& a, const Clickable& b) {
            const QPoint pa = a.widget()->mapTo(w().window(), QPoint()), pb = b.widget()->mapTo(w().window(), QPoint());
            return std::make_pair(pa.y(), pa.x()) < std::make_pair(pb.y(), pb.x());
        });
        return found;
    }

    // Topic index from its first page again, as Restart Topic shows it (also where the
    // page on screen offers no Restart Topic button).
    void restart(int index)
    {
        if (t().TopicIndex != index)
            select(index);
        else
            app->topics->TopicShowSelected();
    }

    // Topic index from its first page: Continue until the last step, then every button of
    // the imitation and, after each, every button it brought on screen.
    void walkTopic(int index)
    {
        select(index);
        walk(QStringLiteral("first page"));
        for (int guard = 0; guard < 40 && w().FrameGo.isVisible() && w().ImageGoContinue.isEnabled(); ++guard) {
            const int before = t().StepNumber;
            w().ImageGoContinue.click();
            if (t().StepNumber == before)
                break;
            walk(QStringLiteral("continued"));
        }
        if (t().IntroFrameIndex < 5 || t().IntroFrameIndex > 9)
            return;
        const int count = int(imitationButtons().size());
        for (int i = 0; i < count; ++i) {
            restart(index);
            auto first = imitationButtons();
            if (i >= int(first.size()) || !first[i].click())
                continue;
            walk(QStringLiteral("button %1").arg(i));
            if (t().TopicIndex != index)
                continue;
            const std::size_t second = imitationButtons().size();
            for (std::size_t k = 0; k < second; ++k) {
                restart(index);
                auto again = imitationButtons();
                if (i >= int(again.size()) || !again[i].click())
                    continue;
                auto now = imitationButtons();
                if (k < now.size() && now[k].click() && t().TopicIndex == index)
                    walk(QStringLiteral("button %1 then %2").arg(i).arg(k));
            }
        }
    }

    int walks = 0;
    std::map<int, int> walksOf;
};

TEST_F(HelpLayoutTest, EveryTopicAndPage)
{
    walk(QStringLiteral("overview"));
    for (int index = 1; index <= 12; ++index)
        walkTopic(index);
    w().CommandHide.click();
    walk(QStringLiteral("overview again"));
    // Every imitation was walked through its buttons.
    for (int topic : {5, 6, 7, 8, 9})
        EXPECT_GT(walksOf[topic], 20) << "topic " << topic;
    EXPECT_GT(walks, 200);
}

// A control's place in the window's tree of widgets: the same control in the same place
// after the program starts again.
QString placeOf(const QWidget* w)
{
    QString place;
    for (; w && w->parentWidget(); w = w->parentWidget())
        place.prepend(QStringLiteral("/%1").arg(w->parentWidget()->children().indexOf(const_cast<QWidget*>(w))));
    return place;
}

// The captions on screen, each under its control's place.
std::map<QString, QString> captionsByPlace(QWidget* window)
{
    std::map<QString, QString> out;
    for (const auto& [w, caption] : layoutprobe::shownCaptions(window))
        out[placeOf(w)] = caption;
    return out;
}

// Every topic after every other: besides a sound layout, a topic shows captions on the
// controls it shows them on right after start-up, whatever topic came before it (texts
// that follow the imitation's state, such as the current browser's label, may differ;
// a caption left over from the topic before may not).
TEST_F(HelpLayoutTest, EveryTopicAfterEveryOther)
{
    std::map<int, std::map<QString, QString>> fresh;
    for (int index = 1; index <= 12; ++index) {
        app.reset();
        testsupport::flushDeferredDeletes();
        ASSERT_TRUE(start(helpFolder));
        select(index);
        layoutprobe::settle();
        fresh[index] = captionsByPlace(w().window());
    }
    for (int before = 1; before <= 12; ++before) {
        for (int index = 1; index <= 12; ++index) {
            select(before);
            select(index);
            walk(QStringLiteral("after topic %1").arg(before));
            const auto now = captionsByPlace(w().window());
            for (const auto& [place, caption] : now)
                if (!fresh[index].count(place))
                    ADD_FAILURE() << "topic " << index << " after topic " << before << " shows \"" << caption.toStdString()
                                  << "\", which it does not show after start-up";
            for (const auto& [place, caption] : fresh[index])
                if (!now.count(place))
                    ADD_FAILURE() << "topic " << index << " after topic " << before << " lacks \"" << caption.toStdString()
                                  << "\", which it shows after start-up";
        }
    }
    EXPECT_GE(walks, 144);
}

// The smallest screen start-up accepts is 11500 x 8500 twips: 767 x 567 pixels.
class HelpOnSmallScreen : public helptest::HelpFixture {
protected:
    void startOn(int width, int height)
    {
        screen = {width * 15, height * 15, 15, 15};
        exe(browserFolder, QStringLiteral("Corvane"));
        exe(helpFolder, QStringLiteral("CorvaneHelp"));
        registerBrowser(0, browserFolder);
        ASSERT_TRUE(start(helpFolder));
        ASSERT_TRUE(shown.empty());
    }
    void expectWhole(int width, int height)
    {
        corvanehelp::frmMain& h = window();
        EXPECT_LE(h.left() + h.width(), width * 15) << "right edge at " << (h.left() + h.width()) / 15.0;
        EXPECT_LE(h.top() + h.height(), height * 15) << "bottom edge at " << (h.top() + h.height()) / 15.0;
        EXPECT_GE(h.left(), 0);
        EXPECT_GE(h.top(), 0);
    }
};

TEST_F(HelpOnSmallScreen, TheWindowIsWholeOnTheSmallestScreenAccepted)
{
    startOn(767, 567);
    expectWhole(767, 567);
}

TEST_F(HelpOnSmallScreen, TheWindowIsWholeOnTheSmallestScreenThatTakesTheWiderMargins)
{
    // From 13000 x 10000 twips on, the window stands 700 twips from the corner.
    startOn(867, 667);
    expectWhole(867, 667);
}

// The Tab List page invites the user to scroll a name cut short on entry #2: that entry is
// The Tab List page invites the user to scroll a name cut short on entry #2: that entry is
// wider than the list, so it ends in "…" until the user clicks on it; then the whole line
// is there and the Right key scrolls it into view.
TEST_F(HelpLayoutTest, TheTabListEntryTwoEndsInAnEllipsisUntilClickedAndScrolls)
{
    select(5);
    ASSERT_TRUE(w().CommandMenu[5].click());
    ASSERT_TRUE(w().FrameMenu[5].isVisible());
    ASSERT_TRUE(text().contains(QStringLiteral("#2")));
    auto* list = qobject_cast<QPlainTextEdit*>(w().TextList.widget());
    ASSERT_NE(list, nullptr);
    const QStringList lines = list->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    ASSERT_TRUE(lines[1].startsWith(QStringLiteral("2. ")));
    const int room = list->viewport()->width() - 2 * int(list->document()->documentMargin());
    EXPECT_LE(list->fontMetrics().horizontalAdvance(lines[0]), room) << "entry 1 is whole";
    EXPECT_GT(list->fontMetrics().horizontalAdvance(lines[1]), room) << "entry 2 is too long";
    const QStringList shown = w().TextList.shownText().split(QLatin1Char('\n'));
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], lines[0]);
    ASSERT_TRUE(shown[1].endsWith(QChar(0x2026))) << shown[1].toStdString();
    EXPECT_TRUE(lines[1].startsWith(shown[1].chopped(1)));
    EXPECT_LE(list->fontMetrics().horizontalAdvance(shown[1]), room);
    // Its tool tip is the whole line.
    const QRect second = list->cursorRect(QTextCursor(list->document()->findBlockByNumber(1)));
    QHelpEvent tip(QEvent::ToolTip, second.center(), list->viewport()->mapToGlobal(second.center()));
    QCoreApplication::sendEvent(list->viewport(), &tip);
    EXPECT_EQ(QToolTip::text(), lines[1]);
    QToolTip::hideText();

    // The user clicks on entry 2: it is whole, and Right goes along it until its end is in
    // view, Left back to its start.
    ASSERT_TRUE(testsupport::activateWindowOf(list));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second.center() + QPoint(4, 0));
    ASSERT_EQ(list->textCursor().blockNumber(), 1);
    EXPECT_EQ(w().TextList.shownText(), list->toPlainText());
    EXPECT_EQ(list->horizontalScrollBar()->value(), 0);
    for (int i = 0; i < lines[1].size(); ++i)
        QTest::keyClick(list, Qt::Key_Right);
    EXPECT_GT(list->horizontalScrollBar()->value(), 0);
    for (int i = 0; i < lines[1].size(); ++i)
        QTest::keyClick(list, Qt::Key_Left);
    EXPECT_EQ(list->horizontalScrollBar()->value(), 0);
}

// A picture of a box is drawn at the size its holder shows it at: none is scaled, so no
// row or column of its text is lost.
TEST_F(HelpLayoutTest, EveryBoxPictureIsShownAtItsOwnSize)
{
    struct Shown {
        const char* holder;
        vb::Image* picture;
        vb::Image* display;
    };
    auto& f = w();
    const Shown cases[] = {
        {"ImagePage1", &f.ImagePage1, &f.ImageDisplay5},
        {"ImagePage2", &f.ImagePage2, &f.ImageDisplay5},
        {"ImagePage3", &f.ImagePage3, &f.ImageDisplay5},
        {"ImageOpen2", &f.ImageOpen2, &f.ImageDisplay5},
        {"ImageOpen3", &f.ImageOpen3, &f.ImageDisplay5},
        {"ImageOpenMark", &f.ImageOpenMark, &f.ImageDisplay5},
        {"ImageBookmark", &f.ImageBookmark, &f.ImageDisplay5},
        {"ImageChoice1", &f.ImageChoice1, &f.ImageDisplay5},
        {"ImageTools3", &f.ImageTools3, &f.ImageDisplay5},
        {"ImageRun", &f.ImageRun, &f.ImageDisplay5},
        {"ImageOptions", &f.ImageOptions, &f.ImageOptions},
        {"ImageDisplay6", &f.ImageDisplay6, &f.ImageDisplay6},
    };
    for (const Shown& c : cases) {
        const QPixmap picture = c.picture->picture();
        ASSERT_FALSE(picture.isNull()) << c.holder;
        EXPECT_EQ(picture.deviceIndependentSize().toSize(), c.display->widget()->size()) << c.holder;
    }
}

// Every box the pages picture holds its title and rows at a readable size.
TEST(HelpPictures, EveryBoxHoldsItsText)
{
    for (const corvanehelp::NamedBox& box : corvanehelp::helpBoxes()) {
        const int pixels = corvanehelp::boxTextPixels(box.title, box.lines, box.size);
        EXPECT_GE(pixels, 7) << box.name.toStdString() << " needs smaller text than 7 pixels";
    }
    // A box too small for its text says so.
    const QList<corvanehelp::BoxLine> lines{{corvanehelp::BoxLine::Text, {QStringLiteral("a line far too long for a box of this size")}}};
    EXPECT_EQ(corvanehelp::boxTextPixels(QStringLiteral("Box"), lines, QSize(40, 40)), 0);
}

} // namespace
