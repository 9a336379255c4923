#include "frmMessage.h"

#include "ControlMessage.h"
#include "HelpApp.h"

namespace corvanehelp {

namespace {

// Cancel on the left and OK beside it, each button centred under its caption; the buttons
// are pictures that take no focus.
const vb::MessageLook HelpLook{
    0, {1320, 540}, {0, 0, 720, 255}, {210, 240, 300, 300}, {600, 0, 720, 255}, {810, 240, 300, 300}, true};

} // namespace

frmMessage::frmMessage(HelpApp& app) : vb::MessageForm(app.rt, HelpLook)
{
    onOK = [&app] { MessageOKDone(app); };
    onCancel = [&app] { MessageCancelDone(app); };
}

} // namespace corvanehelp
