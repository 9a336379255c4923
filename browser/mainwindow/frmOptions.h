#pragma once
// The options dialog.

#include "vb/Form.h"

namespace corvane {

class CorvaneApp;

class frmOptions : public vb::Form {
    Q_OBJECT
public:
    explicit frmOptions(CorvaneApp& app);

private:
    CorvaneApp& m_app;
};

} // namespace corvane
