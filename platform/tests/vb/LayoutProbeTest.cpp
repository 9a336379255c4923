// The layout walk that the window tests run: it must find what a user would meet (a
// control under another, a caption too long for its box, a control off the window or cut
// by its frame, a list line scrolled past its start) and nothing else.

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
