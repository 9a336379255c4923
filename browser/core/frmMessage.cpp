#include "frmMessage.h"

#include "ControlMessage.h"
#include "CorvaneApp.h"

#include "art/Artwork.h"
#include "vb/MessageLayout.h"

namespace corvane {

namespace {
// Design sizes were laid out in twips; this form's own scale is pixels.
int px(int twips)
{
    return vb::unitsToPixels(twips, vb::TwipsPerPixel);
}
} // namespace

frmMessage::frmMessage(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmMessage")), m_app(app)
{
    setBorderFixed(true);
    setBackColor(QColor(0xf4, 0xf6, 0xf9));
    // Client area 400 x 300 pixels as designed, until the message is known
    // (LayoutToText); the form's size counts its outer frame.
    setWidth((400 + FrameWidthPixels) * vb::TwipsPerPixel);
    setHeight((300 + FrameHeightPixels) * vb::TwipsPerPixel);

    LabelHead.move(px(480), px(720), px(1575), px(255));
    LabelHead.setFontBold(true);
    LabelHead.setFontSize(7.5);
    LabelHead.setBackStyle(0);
    TextInput0.move(px(2160), px(720), px(2175), px(285));
    TextInput0.setVisible(false);
    LabelMessage.move(px(480), px(1080), px(5055), px(2775));
    LabelMessage.setBackStyle(1);

    // Each button under its caption, of the size of the buttons of the other windows.
    const int button = vb::StandardButtonSize.width() * vb::TwipsPerPixel;
    FrameMsgBut.move(0, 0, px(1455), px(240 + button));
    FrameMsgBut.setBorderStyle(0);
    LabelMsgCancel.move(120, 0, 720, 255);
    LabelMsgCancel.setAlignment(2);
    LabelMsgCancel.setBackStyle(0);
    CommandMsgCancel.move(480 - button / 2, 240, button, button);
    LabelMsgOK.move(720, 0, 720, 255);
    LabelMsgOK.setAlignment(2);
    LabelMsgOK.setBackStyle(0);
    CommandMsgOK.move(1080 - button / 2, 240, button, button);

    for (int i = 0; i <= 2; ++i) {
        vb::Image& img = BButton.add(i);
        img.setPicture(art::buttonFace(i, vb::StandardButtonSize));
        img.setVisible(false);
    }

    CommandMsgOK.onClick = [this] { CommandMsgOK_Click(); };
    CommandMsgCancel.onClick = [this] { CommandMsgCancel_Click(); };
    TextInput0.onChange = [this] { TextInput0_Change(); };
    TextInput0.onKeyPress = [this](int& k) { TextInput0_KeyPress(k); };
}

void frmMessage::Form_Load()
{
    const QString& nick = m_app.profile.Nickname;
    if (nick == QLatin1String("myFriend") || nick.isEmpty())
        setCaption(QStringLiteral("myMessage"));
    else
        setCaption(QStringLiteral("Message For - ") + nick);
    LabelMessage.setBackStyle(0);
    for (vb::CommandButton* b : {&CommandMsgCancel, &CommandMsgOK}) {
        b->setPicture(BButton[0].picture());
        b->setDownPicture(BButton[1].picture());
        b->setDisabledPicture(BButton[2].picture());
    }
    FrameMsgBut.setTop(258);
    FrameMsgBut.setLeft(296);
}

void frmMessage::LayoutToText()
{
    const QPoint buttons = vb::arrangeMessage(*this, LabelHead, TextInput0, LabelMessage, QSize(FrameMsgBut.width(), FrameMsgBut.height()));
    FrameMsgBut.move(buttons.x(), buttons.y());
}

void frmMessage::Form_QueryUnload(int& cancel, int unloadMode)
{
    // Closing from the title bar answers the message: Cancel where Cancel is offered,
    // otherwise OK, so a fatal message still ends the program and the name prompt still
    // stores a name.
    if (unloadMode != vb::FormControlMenu)
        return;
    if (CommandMsgCancel.isEnabled())
        CommandMsgCancel_Click();
    else
        CommandMsgOK_Click();
    cancel = 0;
}

void frmMessage::CommandMsgOK_Click()
{
    MessageOKDone(m_app, m_app.msg.MessageEndsProgram);
}

void frmMessage::CommandMsgCancel_Click()
{
    MessageCancelDone(m_app);
}

void frmMessage::TextInput0_Change()
{
    CommandMsgOK.setEnabled(!TextInput0.text().isEmpty());
}

void frmMessage::TextInput0_KeyPress(int& keyAscii)
{
    if (m_app.msg.MessageId != QLatin1String("MessageGetUserName"))
        return;
    if (keyAscii == 8)
        return;
    if (keyAscii == 13) {
        keyAscii = 0;
        if (TextInput0.text().isEmpty())
            CommandMsgCancel_Click();
        else
            CommandMsgOK_Click();
        return;
    }
    const bool letter = (keyAscii >= 'A' && keyAscii <= 'Z') || (keyAscii >= 'a' && keyAscii <= 'z');
    if (!letter)
        keyAscii = 0;
}

} // namespace corvane
