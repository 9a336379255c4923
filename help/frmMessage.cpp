#include "frmMessage.h"

#include "ControlMessage.h"
#include "HelpApp.h"

#include "art/Artwork.h"

namespace corvanehelp {

namespace {

// The dialog's own scale is pixels; its design was laid out in twips.
int px(int twips)
{
    return vb::unitsToPixels(twips, vb::TwipsPerPixel);
}

const QSize ButtonSize(20, 13);

} // namespace

frmMessage::frmMessage(HelpApp& app) : vb::Form(app.rt, QStringLiteral("frmMessage")), m_app(app)
{
    setBorderFixed(true);
    setBackColor(QColor(0xf4, 0xf6, 0xf9));
    setWidth((400 + FrameWidthPixels) * vb::TwipsPerPixel);
    setHeight((300 + FrameHeightPixels) * vb::TwipsPerPixel);

    LabelHead.move(px(480), px(720), px(1575), px(255));
    LabelHead.setFontBold(true);
    LabelHead.setBackStyle(0);
    LabelInput1.move(px(480), px(360), px(3000), px(255));
    LabelInput1.setBackStyle(0);
    LabelInput2.move(px(3600), px(360), px(1500), px(255));
    LabelInput2.setBackStyle(0);
    TextInput0.move(px(2160), px(720), px(2175), px(285));
    TextInput0.setVisible(false);
    CheckDoNotShow.move(px(480), px(3900), px(3000), px(255));
    CheckDoNotShow.setCaption(QStringLiteral("Do not show this message again"));
    CheckDoNotShow.setVisible(false);
    LabelMessage.move(px(480), px(1080), px(5055), px(2775));

    // Cancel on the left, OK on the right, each under its caption.
    LabelCancel.move(296 + 8, 258, 48, 17);
    LabelCancel.setAlignment(2);
    LabelCancel.setBackStyle(0);
    ImageCancel.move(296 + 24, 258 + 16, ButtonSize.width(), ButtonSize.height());
    ImageCancel.setStretch(true);
    LabelOK.move(296 + 48, 258, 48, 17);
    LabelOK.setAlignment(2);
    LabelOK.setBackStyle(0);
    ImageOK.move(296 + 64, 258 + 16, ButtonSize.width(), ButtonSize.height());
    ImageOK.setStretch(true);

    ImageOK.onClick = [this] { ImageOK_Click(); };
    ImageCancel.onClick = [this] { ImageCancel_Click(); };
}

void frmMessage::Form_Load()
{
    LabelMessage.setBackStyle(0);
}

void frmMessage::dressButtons()
{
    for (vb::Image* b : {&ImageOK, &ImageCancel})
        b->setPicture(art::buttonFace(b->isEnabled() ? 0 : 2, ButtonSize));
}

void frmMessage::Form_QueryUnload(int& cancel, int unloadMode)
{
    // Closing from the title bar answers the message as Cancel does (both only close it).
    if (unloadMode != vb::FormControlMenu)
        return;
    ImageCancel_Click();
    cancel = 0;
}

void frmMessage::ImageOK_Click()
{
    MessageOKDone(m_app);
}

void frmMessage::ImageCancel_Click()
{
    MessageCancelDone(m_app);
}

} // namespace corvanehelp
