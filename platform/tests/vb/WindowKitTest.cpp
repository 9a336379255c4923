// The window kit both programs share: control arrays raising their elements' events, frames
// made with their array, the arrows' pressed look, and the message dialog's common rules.

#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/Design.h"
#include "vb/Form.h"
#include "vb/MessageForm.h"
#include "vb/Runtime.h"
#include "vb/TextControls.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPixmap>
#include <QTest>

#include <functional>
#include <vector>

using namespace vb;

namespace {

class KitForm : public Form {
public:
    explicit KitForm(Runtime& rt) : Form(rt, QStringLiteral("frmKit")) {}

    ControlArray<Frame> Frames{*this, DesignElements{0, 2}};
    ControlArray<CommandButton> Buttons{Frames[1]};
    ControlArray<Label> Labels{*this};
    ControlArray<Image> Images{*this};
    ControlArray<CheckBox> Checks{*this};
    ControlArray<OptionButton> Options{*this};
    ControlArray<TextBox> Boxes{*this};
    ControlArray<ComboBox> Combos{*this};
};

// What an array's handler heard: the index, then the event's arguments.
using Heard = std::vector<std::vector<int>>;

} // namespace

TEST(WindowKit, EveryEventOfAnElementReachesItsArrayOnceWithTheElementsIndex)
{
    struct Case {
        const char* event;
        // Gives the array a handler that logs into heard, makes the design element 0 and
        // loads element 4, and raises the event on element 4.
        std::function<void(KitForm&, Heard&)> raise;
        Heard expected;
    };
    const Case cases[] = {
        {"CommandButton Click",
         [](KitForm& f, Heard& h) {
             f.Buttons.onClick = [&h](int i) { h.push_back({i}); };
             f.Buttons.add(0);
             f.Buttons.load(4).setVisible(true);
             f.Buttons[4].click();
         },
         {{4}}},
        {"Frame Click",
         [](KitForm& f, Heard& h) {
             f.Frames.onClick = [&h](int i) { h.push_back({i}); };
             f.Frames.load(4).click();
         },
         {{4}}},
        {"Label Click",
         [](KitForm& f, Heard& h) {
             f.Labels.onClick = [&h](int i) { h.push_back({i}); };
             f.Labels.add(0);
             f.Labels.load(4).click();
         },
         {{4}}},
        {"Image MouseDown, MouseUp and Click",
         [](KitForm& f, Heard& h) {
             f.Images.onMouseDown = [&h](int i, int b, int s, int x, int y) { h.push_back({i, b, s, x, y}); };
             f.Images.onMouseUp = [&h](int i, int b, int, int, int) { h.push_back({i, -b}); };
             f.Images.onClick = [&h](int i) { h.push_back({i}); };
             f.Images.add(0);
             f.Images.load(4).press();
             f.Images[4].release();
             f.Images[4].click();
         },
         {{4, LeftButton, 0, 0, 0}, {4, -LeftButton}, {4}}},
        {"CheckBox and OptionButton Click",
         [](KitForm& f, Heard& h) {
             f.Checks.onClick = [&h](int i) { h.push_back({i, 1}); };
             f.Options.onClick = [&h](int i) { h.push_back({i, 2}); };
             f.Checks.add(0);
             f.Options.add(0);
             f.Checks.load(4).click();
             f.Options.load(4).click();
         },
         {{4, 1}, {4, 2}}},
        // A key the array's handler replaces is the key the box takes.
        {"TextBox Change and KeyPress",
         [](KitForm& f, Heard& h) {
             f.Boxes.onChange = [&h](int i) { h.push_back({i}); };
             f.Boxes.onKeyPress = [&h](int i, int& key) {
                 h.push_back({i, key});
                 key = 'b';
             };
             f.Boxes.add(0);
             f.Boxes.load(4).typeKey('a');
             h.push_back({f.Boxes[4].text() == QStringLiteral("b")});
         },
         {{4, 'a'}, {4}, {1}}},
        {"ComboBox Click, Change and KeyPress",
         [](KitForm& f, Heard& h) {
             f.Combos.onClick = [&h](int i) { h.push_back({i, 1}); };
             f.Combos.onChange = [&h](int i) { h.push_back({i, 2}); };
             f.Combos.onKeyPress = [&h](int i, int& key) {
                 h.push_back({i, key});
                 key = 0;
             };
             f.Combos.add(0);
             ComboBox& four = f.Combos.load(4);
             four.addItem(QStringLiteral("one"));
             four.pick(0);
             four.typeKey('x');
             four.setText(QStringLiteral("two"));
         },
         {{4, 1}, {4, 'x'}, {4, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        Runtime rt(Runtime::Mode::Test);
        KitForm f(rt);
        Heard heard;
        c.raise(f, heard);
        EXPECT_EQ(heard, c.expected);
    }
}

TEST(WindowKit, AnArrayMadeWithItsDesignElementsHoldsTheControlsDeclaredAfterIt)
{
    Runtime rt(Runtime::Mode::Test);
    KitForm f(rt);
    EXPECT_EQ(f.Frames.indices(), (std::vector<int>{0, 1, 2}));
    // Design elements stay for the form's life.
    EXPECT_THROW(f.Frames.unload(1), Error);
    f.Frames[1].move(0, 0, 100, 100);
    CommandButton& inside = f.Buttons.add(0);
    inside.move(150, 300, 300, 300);
    EXPECT_EQ(inside.widget()->parentWidget(), f.Frames[1].widget());
    EXPECT_EQ(inside.widget()->geometry(), QRect(10, 20, 20, 20));
}

TEST(WindowKit, ArrowsLookPressedOnlyWhileTheButtonIsDownAndOnlyWhenEnabled)
{
    struct Case {
        const char* arrow;
        bool moves;
        bool enabled;
        int leftWhilePressed;
        QColor faceWhilePressed;
    };
    const Case cases[] = {
        {"Back", true, true, 60, Qt::red},
        {"Forward", false, true, 120, Qt::red},
        {"disabled Back", true, false, 120, Qt::blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arrow);
        Runtime rt(Runtime::Mode::Test);
        KitForm f(rt);
        QPixmap normal(4, 4), pressed(4, 4);
        normal.fill(Qt::blue);
        pressed.fill(Qt::red);
        f.Images.add(0).setPicture(normal);
        f.Images.add(1).setPicture(pressed);
        Image& arrow = f.Images.add(2);
        arrow.move(120, 0, 375, 255);
        arrow.setPicture(normal);
        arrow.setEnabled(c.enabled);
        if (c.moves)
            arrowPressLook(arrow, f.Images[0], f.Images[1], 120, 60);
        else
            arrowPressLook(arrow, f.Images[0], f.Images[1]);
        arrow.onMouseDown(LeftButton, 0, 0, 0);
        EXPECT_EQ(arrow.left(), c.leftWhilePressed);
        EXPECT_EQ(arrow.picture().toImage().pixelColor(0, 0), c.faceWhilePressed);
        arrow.onMouseUp(LeftButton, 0, 0, 0);
        EXPECT_EQ(arrow.left(), 120);
        EXPECT_EQ(arrow.picture().toImage().pixelColor(0, 0), QColor(Qt::blue));
    }
}

namespace {

const MessageLook TestLook{0, {1320, 540}, {0, 0, 720, 255}, {210, 240, 300, 300}, {600, 0, 720, 255}, {810, 240, 300, 300}, false};

} // namespace

TEST(WindowKit, TheMessageDialogCloseAnswersCancelWhereOfferedAndOKOtherwise)
{
    for (bool cancelOffered : {true, false}) {
        SCOPED_TRACE(cancelOffered ? "Cancel offered" : "OK only");
        Runtime rt(Runtime::Mode::Test);
        auto* m = new MessageForm(rt, TestLook);
        QStringList answers;
        m->onOK = [&answers] { answers << QStringLiteral("OK"); };
        m->onCancel = [&answers] { answers << QStringLiteral("Cancel"); };
        m->load();
        m->CommandMsgCancel.setEnabled(cancelOffered);
        int cancel = 1;
        m->Form_QueryUnload(cancel, FormControlMenu);
        EXPECT_EQ(cancel, 0);
        m->Form_QueryUnload(cancel, FormCode);
        EXPECT_EQ(answers, QStringList{cancelOffered ? QStringLiteral("Cancel") : QStringLiteral("OK")});
        m->unload();
        testsupport::flushDeferredDeletes();
    }
}

TEST(WindowKit, TheMessageDialogsCaptionInputAndButtonsFollowTheProgramsLook)
{
    struct Case {
        const char* nickname;
        const char* caption;
        bool pictureButtons;
    };
    const Case cases[] = {
        {"", "myMessage", false},
        {"myFriend", "myMessage", true},
        {"Ann", "Message For - Ann", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nickname);
        Runtime rt(Runtime::Mode::Test);
        MessageLook look = TestLook;
        look.pictureButtons = c.pictureButtons;
        auto* m = new MessageForm(rt, look);
        std::vector<int> keys;
        m->onInputKeyPress = [&keys](int& key) {
            keys.push_back(key);
            key = 'N';
        };
        m->load();
        m->captionFor(QString::fromLatin1(c.nickname));
        EXPECT_EQ(m->caption(), QString::fromLatin1(c.caption));

        // The input box enables OK while it holds text; its keys pass the program's filter.
        m->CommandMsgOK.setEnabled(false);
        m->TextInput0.setVisible(true);
        m->TextInput0.typeKey('a');
        EXPECT_EQ(keys, std::vector<int>{'a'});
        EXPECT_EQ(m->TextInput0.text(), QStringLiteral("N"));
        EXPECT_TRUE(m->CommandMsgOK.isEnabled());
        m->TextInput0.setText(QString());
        EXPECT_FALSE(m->CommandMsgOK.isEnabled());

        // Picture buttons take no focus and keep their face while pressed.
        auto* cancelButton = static_cast<QAbstractButton*>(m->CommandMsgCancel.widget());
        EXPECT_EQ(cancelButton->focusPolicy() == Qt::NoFocus, c.pictureButtons);
        cancelButton->setDown(true);
        EXPECT_EQ(m->CommandMsgCancel.currentFace().toImage() == m->BButton[0].picture().toImage(), c.pictureButtons);
        EXPECT_EQ(m->CommandMsgCancel.currentFace().toImage() == m->BButton[1].picture().toImage(), !c.pictureButtons);
        cancelButton->setDown(false);
        m->unload();
        testsupport::flushDeferredDeletes();
    }
}
