#pragma once
// The help program's message dialog: a head, a text and two small picture buttons. Only
// their clicks are handled; closing the dialog from its title bar acts as Cancel.

#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/TextControls.h"

namespace corvanehelp {

class HelpApp;

class frmMessage : public vb::Form {
    Q_OBJECT
public:
    explicit frmMessage(HelpApp& app);

    vb::Label LabelHead{*this};
    vb::Label LabelMessage{*this};
    vb::Label LabelInput1{*this};
    vb::Label LabelInput2{*this};
    vb::TextBox TextInput0{*this};
    vb::CheckBox CheckDoNotShow{*this};
    vb::Label LabelCancel{*this};
    vb::Image ImageCancel{*this};
    vb::Label LabelOK{*this};
    vb::Image ImageOK{*this};

    // The two buttons' pictures from their Enabled state.
    void dressButtons();
    // Sizes the dialog to its head and text, the buttons under the text.
    void LayoutToText();

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void ImageOK_Click();
    void ImageCancel_Click();

private:
    // Cancel with its caption at at, OK beside it.
    void placeButtons(QPoint at);

    HelpApp& m_app;
};

} // namespace corvanehelp
