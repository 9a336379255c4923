// What panels open over is whole or off the screen: a target a shown cover meets in part
// goes off the screen, back when the cover moves off it, covers all of it or is hidden;
// its Visible flag stays as the program set it.

#include "vb/Controls.h"
#include "vb/CoverKeeper.h"
#include "vb/Form.h"
#include "vb/Runtime.h"

#include <gtest/gtest.h>

#include <QWidget>

using namespace vb;

namespace {

class CoverForm : public Form {
public:
    explicit CoverForm(Runtime& rt) : Form(rt, QStringLiteral("frmCover"))
    {
        move(0, 0, (300 + FrameWidthPixels) * TwipsPerPixel, (200 + FrameHeightPixels) * TwipsPerPixel);
        List.move(0, 20, 100, 100);
        for (int i = 0; i < 3; ++i) {
            Line[i].move(60, 60 + i * 240, 1200, 240);
            Line[i].setCaption(QStringLiteral("%1. line").arg(i + 1));
        }
        Panel.move(10, 40, 200, 16);
        Panel.setVisible(false);
    }

    Frame List{*this};
    Label Line[3] = {Label{List}, Label{List}, Label{List}};
    Frame Panel{*this};
};

} // namespace

TEST(CoverKeeper, ALinePartlyUnderAShownPanelIsTakenOffTheScreen)
{
    Runtime rt(Runtime::Mode::Test);
    CoverForm f(rt);
    CoverKeeper keeper;
    keeper.addCover(f.Panel);
    // The list is a cover too (of what lies under it): it holds the lines, it is not over them.
    keeper.addCover(f.List);
    keeper.followMoves(f.List);
    for (Label& l : f.Line)
        keeper.addTarget(l);
    f.show();
    auto onScreen = [&] {
        QString s;
        for (const Label& l : f.Line)
            s += l.widget()->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    };
    // The lines stand at 24..40, 40..56 and 56..72 in the window, from x 4 on.
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* shown;
    };
    const Step steps[] = {
        {"no panel shown", [] {}, "111"},
        {"the panel over the second line, right of its start", [&] { f.Panel.setVisible(true); }, "101"},
        {"the panel moved to cover the second line whole", [&] { f.Panel.move(0, 40, 200, 16); }, "111"},
        {"the panel grown over the third line's top", [&] { f.Panel.setHeight(20); }, "110"},
        {"the list moved down, its first line now under the panel's edge", [&] { f.List.setTop(24); }, "011"},
        {"the panel hidden", [&] { f.Panel.setVisible(false); }, "111"},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(onScreen(), QString::fromLatin1(s.shown)) << s.what;
    }
    // The program's own flags never changed.
    for (const Label& l : f.Line)
        EXPECT_TRUE(l.isVisible());
    // A line the program hides while it is kept off stays hidden when the panel goes.
    f.Panel.setVisible(true);
    f.Line[1].setVisible(false);
    f.Panel.setVisible(false);
    EXPECT_FALSE(f.Line[1].widget()->isVisible());
    f.Line[1].setVisible(true);
    EXPECT_TRUE(f.Line[1].widget()->isVisible());
}
