#pragma once
// The file and picture chooser. It is loaded hidden at start-up, where its load records
// the program's start folder, and stays loaded.

#include "vb/Controls.h"
#include "vb/Form.h"

namespace corvane {

class CorvaneApp;

class frmMove : public vb::Form {
    Q_OBJECT
public:
    explicit frmMove(CorvaneApp& app);

    vb::PictureBox PictureMove{*this};

    // The folder list's path as last set.
    QString PickerPath;

    void Form_Load() override;

private:
    CorvaneApp& m_app;
};

} // namespace corvane
