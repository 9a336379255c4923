#pragma once
// The help program's message dialog: the kit's, in the help program's looks. Only the
// buttons' clicks are answered; closing the dialog from its title bar answers as they do.

#include "vb/MessageForm.h"

namespace corvanehelp {

class HelpApp;

class frmMessage : public vb::MessageForm {
    Q_OBJECT
public:
    explicit frmMessage(HelpApp& app);
};

} // namespace corvanehelp
