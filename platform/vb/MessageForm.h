#pragma once
// The message dialog of both programs: a head, a text, an optional one-line input box and
// two small picture buttons under their captions, sized to what it says. Where the
// programs' dialogs differ, in their looks, the difference is data (MessageLook); what OK,
// Cancel and the input box's keys do is the program's own (the handlers below).

#include "ControlArray.h"
#include "Controls.h"
#include "Form.h"
#include "TextControls.h"

#include <QRect>
#include <QSize>
#include <functional>

namespace vb {

struct MessageLook {
    // The head's face in points; 0 keeps the dialog's own.
    double headPoints = 0;
    // The block of the two buttons with their captions above them, in twips: its size, and
    // the places of Cancel's caption and button and of OK's inside it.
    QSize block;
    QRect cancelCaption;
    QRect cancelButton;
    QRect okCaption;
    QRect okButton;
    // Buttons that are pictures only: they never take the keyboard focus and look the same
    // while pressed.
    bool pictureButtons = false;
};

class MessageForm : public Form {
    Q_OBJECT
public:
    MessageForm(Runtime& runtime, const MessageLook& look);

    Label LabelHead{*this};
    TextBox TextInput0{*this};
    Label LabelMessage{*this};
    Frame FrameMsgBut{*this};
    Label LabelMsgCancel{FrameMsgBut};
    CommandButton CommandMsgCancel{FrameMsgBut};
    Label LabelMsgOK{FrameMsgBut};
    CommandButton CommandMsgOK{FrameMsgBut};
    // The buttons' faces: 0 normal, 1 pressed, 2 disabled.
    ControlArray<Image> BButton{*this};

    // The program's answers to the buttons, and its filter of the input box's keys.
    std::function<void()> onOK;
    std::function<void()> onCancel;
    std::function<void(int& keyAscii)> onInputKeyPress;

    // The window's caption for a user of that nickname: "Message For - " and the nickname,
    // or "myMessage" for "myFriend" or none.
    void captionFor(const QString& nickname);
    // Sizes the dialog to its head, text and input box, the buttons under the text.
    void LayoutToText();

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

    void CommandMsgOK_Click();
    void CommandMsgCancel_Click();
    void TextInput0_Change();

private:
    void designButtons(const MessageLook& look);
};

} // namespace vb
