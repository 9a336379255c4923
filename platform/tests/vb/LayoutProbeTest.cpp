// The layout walk that the window tests run: it must find what a user would meet (a
// control under another, even in part, a caption too long for its box, a control off the
// window or cut by its frame at any edge, a list line scrolled past its start or a name cut
// without "…", a list line a panel covers in part) and nothing else.

#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/Runtime.h"
#include "vb/TextControls.h"

#include "LayoutProbe.h"

#include <gtest/gtest.h>

#include <QWidget>

using namespace vb;

namespace {

class ProbeForm : public Form {
public:
    explicit ProbeForm(Runtime& rt) : Form(rt, QStringLiteral("frmProbe"))
    {
        move(0, 0, (300 + FrameWidthPixels) * TwipsPerPixel, (200 + FrameHeightPixels) * TwipsPerPixel);
        Button.move(10, 10, 20, 20);
        Caption.move(40, 10, 100, 20);
        Caption.setCaption(QStringLiteral("Fits"));
        Panel.move(150, 100, 100, 60);
        Inner.move(150, 150, 300, 300);
        Line.move(10, 60, 100, 20);
        Line.setLocked(true);
        Panel.setVisible(false);
    }

    CommandButton Button{*this};
    Label Caption{*this};
    Frame Panel{*this};
    CommandButton Inner{Panel};
    TextBox Line{*this};
    Frame Cover{*this};
};

QStringList walk(Form& f, const std::function<void(layoutprobe::Probe&)>& setUp = {})
{
    layoutprobe::settle();
    layoutprobe::Probe probe(f.window());
    if (setUp)
        setUp(probe);
    return probe.walk();
}

class LayoutProbeTest : public ::testing::Test {
protected:
    LayoutProbeTest()
    {
        f.show();
        f.Cover.setVisible(false);
    }
    Runtime rt{Runtime::Mode::Test};
    ProbeForm f{rt};
};

} // namespace

TEST_F(LayoutProbeTest, ASoundWindowHasNoFaultAndItsControlsWereChecked)
{
    layoutprobe::Probe probe(f.window());
    EXPECT_EQ(probe.walk(), QStringList());
    EXPECT_GE(probe.checkedCount(), 3);
}

TEST_F(LayoutProbeTest, AControlUnderAnotherIsFoundUnlessTheOverlapIsAccepted)
{
    f.Cover.move(0, 0, 35, 35);
    f.Cover.setVisible(true);
    const QStringList faults = walk(f);
    ASSERT_EQ(faults.size(), 1) << faults.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("covered: CommandButton at 10,10"))) << faults[0].toStdString();
    const QWidget* cover = f.Cover.widget();
    EXPECT_EQ(walk(f, [cover](layoutprobe::Probe& p) { p.allowUnder(cover, QStringLiteral("test")); }), QStringList());
    // A disabled control is not one the user can use: it is not checked.
    f.Button.setEnabled(false);
    EXPECT_EQ(walk(f), QStringList());
}

TEST_F(LayoutProbeTest, ACaptionLongerThanItsBoxIsFound)
{
    f.Caption.setCaption(QStringLiteral("A caption far too long for this box"));
    const QStringList faults = walk(f);
    ASSERT_EQ(faults.size(), 1);
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("caption does not fit"))) << faults[0].toStdString();
    // One long word breaks anywhere only where the label says so, and then it fits.
    f.Caption.move(40, 10, 100, 80);
    f.Caption.setCaption(QString(30, QLatin1Char('w')));
    EXPECT_EQ(walk(f).size(), 1);
    f.Caption.setWrapAnywhere(true);
    EXPECT_EQ(walk(f), QStringList());
}

TEST_F(LayoutProbeTest, ControlsOffTheWindowOrCutByTheirFrameAreFound)
{
    ASSERT_EQ(f.window()->width(), 300);
    f.Button.move(295, 10, 20, 20);
    QStringList faults = walk(f);
    ASSERT_EQ(faults.size(), 1);
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("outside the window"))) << faults[0].toStdString();
    f.Button.move(10, 10, 20, 20);

    // The panel reaches past the window, and its button past the panel.
    f.Panel.move(250, 100, 100, 60);
    f.Panel.setVisible(true);
    faults = walk(f);
    EXPECT_TRUE(faults.contains(QStringLiteral("reaches outside the window: Frame at 250,100 100x60")))
        << faults.join(QLatin1Char('\n')).toStdString();
    f.Panel.move(150, 100, 100, 25);
    f.Inner.move(1440, 150, 300, 300);
    faults = walk(f);
    ASSERT_EQ(faults.size(), 1) << faults.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("cut off by its frame"))) << faults[0].toStdString();
    // A hidden panel takes its controls off the screen with it.
    f.Panel.setVisible(false);
    EXPECT_EQ(walk(f), QStringList());
}

// Every part of a control counts, not only its centre: a cover or a frame's edge over a
// corner is found; an opened cover is accepted, but not over part of what must be whole.
TEST_F(LayoutProbeTest, APartOfAControlCoveredOrCutIsFound)
{
    struct Case {
        const char* name;
        QRect cover;        // over the button at 10,10 20x20 (empty: no cover)
        QRect panel;        // where the panel holding Inner stands
        bool opened;        // the cover was opened by the user
        bool whole;         // the button must be whole or covered whole
        const char* fault;  // the fault's start, "" for none
    };
    const Case cases[] = {
        {"a cover over one corner", {0, 0, 14, 14}, {}, false, false, "covered: CommandButton at 10,10"},
        {"an opened cover over one corner", {0, 0, 14, 14}, {}, true, false, ""},
        {"an opened cover over a part of what is kept whole", {0, 0, 14, 14}, {}, true, true, "partly covered: CommandButton"},
        {"an opened cover over all of what is kept whole", {0, 0, 40, 40}, {}, true, true, ""},
        {"a button reaching 2 pixels past the bottom of its panel", {}, {150, 100, 100, 28}, false, false, "cut off by its frame"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.Cover.setVisible(!c.cover.isEmpty());
        if (!c.cover.isEmpty())
            f.Cover.move(c.cover.x(), c.cover.y(), c.cover.width(), c.cover.height());
        f.Panel.setVisible(!c.panel.isEmpty());
        if (!c.panel.isEmpty()) {
            f.Panel.move(c.panel.x(), c.panel.y(), c.panel.width(), c.panel.height());
            f.Inner.move(150, 150, 300, 300);
        }
        const QWidget* cover = f.Cover.widget();
        const QWidget* button = f.Button.widget();
        const QStringList faults = walk(f, [&](layoutprobe::Probe& p) {
            if (c.opened)
                p.allowUnder(cover, QStringLiteral("opened"));
            if (c.whole)
                p.keepWhole(button);
        });
        if (QString::fromLatin1(c.fault).isEmpty()) {
            EXPECT_EQ(faults, QStringList());
        } else {
            ASSERT_EQ(faults.size(), 1) << faults.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(faults[0].startsWith(QString::fromLatin1(c.fault))) << faults[0].toStdString();
        }
    }
}

// A frame's caption shortened with "…" fits; shown whole it does not.
TEST_F(LayoutProbeTest, AShortenedFrameCaptionFitsAndAWholeOneTooLongDoesNot)
{
    f.Panel.move(150, 20, 60, 40);
    f.Panel.setCaption(QStringLiteral("A caption of the user, long"));
    f.Panel.setVisible(true);
    f.Inner.setVisible(false);
    QStringList faults = walk(f);
    ASSERT_EQ(faults.size(), 1);
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("caption does not fit"))) << faults[0].toStdString();
    f.Panel.setCaptionShortened(true);
    EXPECT_TRUE(f.Panel.shownCaption().endsWith(QChar(0x2026))) << f.Panel.shownCaption().toStdString();
    EXPECT_EQ(walk(f), QStringList());
    // The captions the user reads: the shortened one as it is shown.
    const auto captions = layoutprobe::shownCaptions(f.window());
    ASSERT_EQ(captions.count(f.Panel.widget()), 1u);
    EXPECT_EQ(captions.at(f.Panel.widget()), f.Panel.shownCaption());
    EXPECT_EQ(captions.at(f.Caption.widget()), QStringLiteral("Fits"));
}

// A line of names too long for its box ends in "…"; cut where the box ends, it reads as
// another name.
TEST_F(LayoutProbeTest, ANameCutWithoutAnEllipsisIsFound)
{
    f.Line.setText(QStringLiteral("10. 127.0.0.1:18474 and more of a title"));
    f.Line.setSelStart(0);
    const QWidget* line = f.Line.widget();
    auto names = [line](layoutprobe::Probe& p) { p.nameLine(line); };
    const QStringList faults = walk(f, names);
    ASSERT_EQ(faults.size(), 1);
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("name cut where its box ends"))) << faults[0].toStdString();
    f.Line.setShortened(true);
    EXPECT_EQ(walk(f, names), QStringList());
}

TEST_F(LayoutProbeTest, AListLineScrolledPastItsStartIsFound)
{
    f.Line.setText(QStringLiteral("10. a title much longer than the line can show"));
    const QWidget* line = f.Line.widget();
    auto lines = [line](layoutprobe::Probe& p) { p.startShown(line); };
    // Written from code, a box shows the end of its text.
    const QStringList faults = walk(f, lines);
    ASSERT_EQ(faults.size(), 1);
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("text is shown without its start"))) << faults[0].toStdString();
    f.Line.setSelStart(0);
    EXPECT_EQ(walk(f, lines), QStringList());
}
