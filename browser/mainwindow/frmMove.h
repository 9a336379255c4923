#pragma once
// The file and picture chooser. It is loaded hidden at start-up, where its load records
// the program's start folder, and stays loaded; each use shows it modally again (the page
// actions set its mode up first) and every button hides it.

#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "vb/FileControls.h"
#include "vb/Form.h"
#include "vb/TextControls.h"

namespace corvane {

class CorvaneApp;

class frmMove : public vb::Form {
    Q_OBJECT

    // First: the drive list reads the application's mount table when it is made.
    CorvaneApp& m_app;

public:
    explicit frmMove(CorvaneApp& app);

    using Btn = vb::CommandButton;
    using Lbl = vb::Label;

    vb::PictureBox PictureMove{*this};
    // Normal, down and disabled faces of the graphical buttons.
    vb::ControlArray<vb::Image> BButton{*this};

    vb::DriveListBox Drive1;
    vb::DirListBox Dir1{*this};
    vb::FileListBox File1{*this};

    // File-type buttons, open-file mode only: "*.asp", "*.htm", "*.shtml", "*.xml", "*.*".
    vb::Frame FramePattern{*this};
    Lbl LabelType{FramePattern};
    vb::ControlArray<Btn> CommandPattern{FramePattern};
    vb::ControlArray<Lbl> LabelPattern{FramePattern};

    // The chosen file's full path.
    vb::Frame FramePath{*this};
    Lbl LabelPath{FramePath};
    vb::TextBox TextPath{FramePath};

    // Caption and preview of the user picture, picture mode only.
    vb::Frame FrameUser{*this};
    Lbl LabelUser{FrameUser};
    vb::TextBox TextUser{FrameUser};
    vb::Image ImageUser{FrameUser};

    Btn CommandMoveOK{*this};
    Btn CommandMoveCancel{*this};
    Btn CommandMoveDefault{*this};
    Lbl LabelMoveDefault{*this};

    // The folder list's path as last set.
    QString PickerPath;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_GotFocus();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void CommandPattern_Click(int index);
    void CommandMoveOK_Click();
    void CommandMoveCancel_Click();
    void CommandMoveDefault_Click();
    void PickerButtonsPaint();

private:
    void design();
    void wireEvents();
    // The folder list's path becomes the chooser's folder (the file list follows).
    void FolderFollow();
    // The chooser goes away without a file: selection removed, hidden.
    void PickerClose();
};

} // namespace corvane
