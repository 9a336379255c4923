#pragma once
// The options dialog: the current main browser's home page, the number of main browsers,
// which of them keep a history, and three start-up choices. OK applies and stores the
// edited values, Default resets them, Cancel (or closing the window) discards them; each
// unloads the dialog. Opened modally: `auto& o = app.rt.create<frmOptions>(app); o.load(); o.showModal();`.

#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/TextControls.h"

#include <array>

namespace corvane {

class CorvaneApp;

class frmOptions : public vb::Form {
    Q_OBJECT
public:
    explicit frmOptions(CorvaneApp& app);

    using Btn = vb::CommandButton;
    using Lbl = vb::Label;

    // Normal, down and disabled faces of the three buttons.
    vb::ControlArray<vb::Image> BButton{*this};
    vb::PictureBox PictureOptions{*this};

    Lbl LabelHomePage{*this};
    vb::TextBox TextHomePage{*this};
    Lbl LabelBrowserNum{*this};
    vb::TextBox TextBrowserNum{*this};
    Lbl LabelBrowserMax{*this};
    Lbl LabelHistory{*this};
    vb::ControlArray<vb::CheckBox> CheckHistBrow{*this};
    vb::CheckBox CheckNewWindow{*this};
    vb::CheckBox CheckNote{*this};
    vb::CheckBox CheckPage{*this};
    vb::Frame FramePage{*this};
    Lbl LabelPage2{FramePage};

    Btn CommandOptOK{*this};
    Btn CommandOptDefault{*this};
    Btn CommandOptCancel{*this};
    // Captions under the buttons: 0 OK, 1 Default, 2 Cancel.
    vb::ControlArray<Lbl> LabelOptButton{*this};

    // Form-level variables.
    bool OptionsLoaded = false;
    QString EditedHomePage;
    int EditedBrowserLastIndex = 0;
    int EditedHistoryMask = 0;
    bool EditedNewWindowSeparate = false;
    bool EditedShowNotes = false;
    bool EditedShowPageButtons = false;
    std::array<int, 6> HistoryBrowserBits{};
    // Element k holds 2^k or 0: 1 home page, 2 number of browsers, 4 history, 8 new
    // window, 16 notes, 32 Page buttons.
    std::array<int, 6> OptionChangeBits{};
    int ChangeSumAtLoad = 0;

    void Form_Load() override;
    void TextHomePage_Change();
    void TextBrowserNum_Change();
    void TextBrowserNum_KeyPress(int& keyAscii);
    void CheckHistBrow_Click(int index);
    void CheckNewWindow_Click();
    void CheckNote_Click();
    void CheckPage_Click();
    void CommandOptOK_Click();
    void CommandOptDefault_Click();
    void CommandOptCancel_Click();

    // OK is enabled while the edited options differ from those at opening.
    void OptionsChangedUpdate();
    // Brings the main window's browsers and selectors in line with MainBrowserLastIndex.
    void MainBrowsersApply();

private:
    void design();
    void wireEvents();
    int changeSum() const;
    // Notes are off now: the View menu's first item is usable again.
    void notesOffFollow();

    CorvaneApp& m_app;
};

} // namespace corvane
