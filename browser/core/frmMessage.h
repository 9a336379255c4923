#pragma once
// The browser's message dialog: the kit's, in the browser's looks, its buttons answering
// through the follow-ups of ControlMessage.

#include "vb/MessageForm.h"

namespace corvane {

class CorvaneApp;

class frmMessage : public vb::MessageForm {
    Q_OBJECT
public:
    explicit frmMessage(CorvaneApp& app);
};

} // namespace corvane
