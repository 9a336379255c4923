#include "MessageForm.h"

#include "Design.h"
#include "MessageLayout.h"

#include "art/Artwork.h"

namespace vb {

namespace {

void place(Control& control, QRect twips)
{
    control.move(twips.x(), twips.y(), twips.width(), twips.height());
}

} // namespace

MessageForm::MessageForm(Runtime& runtime, const MessageLook& look) : Form(runtime, QStringLiteral("frmMessage"))
{
    setBorderFixed(true);
    setBackColor(colors::Window);
    // As designed, until the message is known (LayoutToText).
    setClientSize(*this, 400, 300);

    LabelHead.move(px(480), px(720), px(1575), px(255));
    LabelHead.setFontBold(true);
    if (look.headPoints > 0)
        LabelHead.setFontSize(look.headPoints);
    LabelHead.setBackStyle(0);
    TextInput0.move(px(2160), px(720), px(2175), px(285));
    TextInput0.setVisible(false);
    LabelMessage.move(px(480), px(1080), px(5055), px(2775));
    LabelMessage.setBackStyle(1);
    designButtons(look);

    CommandMsgOK.onClick = [this] { CommandMsgOK_Click(); };
    CommandMsgCancel.onClick = [this] { CommandMsgCancel_Click(); };
    TextInput0.onChange = [this] { TextInput0_Change(); };
    TextInput0.onKeyPress = [this](int& key) {
        if (onInputKeyPress)
            onInputKeyPress(key);
    };
}

void MessageForm::designButtons(const MessageLook& look)
{
    FrameMsgBut.move(0, 0, px(look.block.width()), px(look.block.height()));
    FrameMsgBut.setBorderStyle(0);
    for (Label* caption : {&LabelMsgCancel, &LabelMsgOK}) {
        caption->setAlignment(2);
        caption->setBackStyle(0);
    }
    place(LabelMsgCancel, look.cancelCaption);
    place(CommandMsgCancel, look.cancelButton);
    place(LabelMsgOK, look.okCaption);
    place(CommandMsgOK, look.okButton);

    pictureStore(BButton, 3, [](int i) { return art::buttonFace(i, StandardButtonSize); });
    const int pressedFace = look.pictureButtons ? 0 : 1;
    for (CommandButton* b : {&CommandMsgCancel, &CommandMsgOK}) {
        b->setPicture(BButton[0].picture());
        b->setDownPicture(BButton[pressedFace].picture());
        b->setDisabledPicture(BButton[2].picture());
        if (look.pictureButtons)
            b->widget()->setFocusPolicy(Qt::NoFocus);
    }
}

void MessageForm::captionFor(const QString& nickname)
{
    if (nickname.isEmpty() || nickname == QLatin1String("myFriend"))
        setCaption(QStringLiteral("myMessage"));
    else
        setCaption(QStringLiteral("Message For - ") + nickname);
}

void MessageForm::Form_Load()
{
    LabelMessage.setBackStyle(0);
    FrameMsgBut.setTop(258);
    FrameMsgBut.setLeft(296);
}

void MessageForm::LayoutToText()
{
    const QPoint buttons = arrangeMessage(*this, LabelHead, TextInput0, LabelMessage, QSize(FrameMsgBut.width(), FrameMsgBut.height()));
    FrameMsgBut.move(buttons.x(), buttons.y());
}

void MessageForm::Form_QueryUnload(int& cancel, int unloadMode)
{
    // Closing from the title bar answers the message: Cancel where Cancel is offered,
    // otherwise OK, so a fatal message still ends the program and the name prompt still
    // stores a name.
    if (unloadMode != FormControlMenu)
        return;
    if (CommandMsgCancel.isEnabled())
        CommandMsgCancel_Click();
    else
        CommandMsgOK_Click();
    cancel = 0;
}

void MessageForm::CommandMsgOK_Click()
{
    if (onOK)
        onOK();
}

void MessageForm::CommandMsgCancel_Click()
{
    if (onCancel)
        onCancel();
}

void MessageForm::TextInput0_Change()
{
    CommandMsgOK.setEnabled(!TextInput0.text().isEmpty());
}

} // namespace vb
