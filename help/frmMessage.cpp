#include "frmMessage.h"

#include "ControlMessage.h"
#include "HelpApp.h"

#include "art/Artwork.h"
#include "vb/MessageLayout.h"

namespace corvanehelp {

namespace {

// The dialog's own scale is pixels; its design was laid out in twips.
int px(int twips)
{
    return vb::unitsToPixels(twips, vb::TwipsPerPixel);
}

const QSize ButtonSize = vb::StandardButtonSize;
// The two buttons with their captions above them: Cancel on the left, OK on the right.
constexpr int CaptionWidth = 48;
constexpr int CaptionHeight = 17;
constexpr int OKOffset = 40;
const QSize ButtonBlock(OKOffset + CaptionWidth, 16 + ButtonSize.height());

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

    LabelCancel.setAlignment(2);
    LabelCancel.setBackStyle(0);
    ImageCancel.setStretch(true);
    LabelOK.setAlignment(2);
    LabelOK.setBackStyle(0);
    ImageOK.setStretch(true);
    placeButtons(QPoint(296 + 8, 258));

    ImageOK.onClick = [this] { ImageOK_Click(); };
    ImageCancel.onClick = [this] { ImageCancel_Click(); };
}

void frmMessage::placeButtons(QPoint at)
{
    // Each button centred under its caption.
    const int under = (CaptionWidth - ButtonSize.width()) / 2;
    LabelCancel.move(at.x(), at.y(), CaptionWidth, CaptionHeight);
    ImageCancel.move(at.x() + under, at.y() + 16, ButtonSize.width(), ButtonSize.height());
    LabelOK.move(at.x() + OKOffset, at.y(), CaptionWidth, CaptionHeight);
    ImageOK.move(at.x() + OKOffset + under, at.y() + 16, ButtonSize.width(), ButtonSize.height());
}

void frmMessage::LayoutToText()
{
    placeButtons(vb::arrangeMessage(*this, LabelHead, TextInput0, LabelMessage, ButtonBlock));
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
