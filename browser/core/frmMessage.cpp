#include "frmMessage.h"

#include "ControlMessage.h"
#include "CorvaneApp.h"

namespace corvane {

namespace {

// Each button under its caption, of the size of the buttons of the other windows; the
// head in a smaller face.
const vb::MessageLook BrowserLook{
    7.5, {1455, 540}, {120, 0, 720, 255}, {330, 240, 300, 300}, {720, 0, 720, 255}, {930, 240, 300, 300}, false};

// The name prompt takes letters only; Enter answers it, as Cancel while the box is empty.
void nameKeyPress(frmMessage& form, CorvaneApp& app, int& keyAscii)
{
    if (app.msg.MessageId != QLatin1String("MessageGetUserName"))
        return;
    if (keyAscii == 8)
        return;
    if (keyAscii == 13) {
        keyAscii = 0;
        if (form.TextInput0.text().isEmpty())
            form.CommandMsgCancel_Click();
        else
            form.CommandMsgOK_Click();
        return;
    }
    const bool letter = (keyAscii >= 'A' && keyAscii <= 'Z') || (keyAscii >= 'a' && keyAscii <= 'z');
    if (!letter)
        keyAscii = 0;
}

} // namespace

frmMessage::frmMessage(CorvaneApp& app) : vb::MessageForm(app.rt, BrowserLook)
{
    onOK = [&app] { MessageOKDone(app, app.msg.MessageEndsProgram); };
    onCancel = [&app] { MessageCancelDone(app); };
    onInputKeyPress = [this, &app](int& keyAscii) { nameKeyPress(*this, app, keyAscii); };
}

} // namespace corvane
