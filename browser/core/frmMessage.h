#pragma once
// The message dialog: a head, a text, an optional one-line input and two small buttons.

#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/TextControls.h"

namespace corvane {

class CorvaneApp;

class frmMessage : public vb::Form {
    Q_OBJECT
public:
    explicit frmMessage(CorvaneApp& app);

    vb::Label LabelHead{*this};
    vb::TextBox TextInput0{*this};
    vb::Label LabelMessage{*this};
    vb::Frame FrameMsgBut{*this};
    vb::Label LabelMsgCancel{FrameMsgBut};
    vb::CommandButton CommandMsgCancel{FrameMsgBut};
    vb::Label LabelMsgOK{FrameMsgBut};
    vb::CommandButton CommandMsgOK{FrameMsgBut};
    vb::ControlArray<vb::Image> BButton{*this};

    // Sizes the dialog to its head, text and input box, the buttons under the text.
    void LayoutToText();

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

    void CommandMsgOK_Click();
    void CommandMsgCancel_Click();
    void TextInput0_Change();
    void TextInput0_KeyPress(int& keyAscii);

private:
    CorvaneApp& m_app;
};

} // namespace corvane
