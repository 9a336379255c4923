#include "Design.h"

#include "art/Artwork.h"

#include <QFontMetrics>

namespace vb {

void setClientSize(Form& form, int width, int height)
{
    form.setWidth(toTwips(width + Form::FrameWidthPixels));
    form.setHeight(toTwips(height + Form::FrameHeightPixels));
}

CommandButton& placeButton(CommandButton& button, int left, int top, int width, int height)
{
    button.move(left, top, width, height);
    return button;
}

Label& placeCaption(Label& label, const QString& caption, QRect place, CaptionLook look)
{
    label.move(place.x(), place.y(), place.width(), place.height());
    label.setCaption(caption);
    label.setBackStyle(0);
    label.setAlignment(look.align);
    label.setFontSize(look.points);
    label.setFontBold(false);
    label.setForeColor(colors::Text);
    return label;
}

Frame& captionFrame(Frame& frame, const QString& caption, QRect place, const QColor& back)
{
    frame.move(place.x(), place.y(), place.width(), place.height());
    frame.setCaption(caption);
    frame.setBackColor(back);
    frame.setFontBold(true);
    return frame;
}

Frame& panelFrame(Frame& frame, const QString& caption, QRect place, const QColor& back)
{
    captionFrame(frame, caption, place, back);
    frame.setVisible(false);
    return frame;
}

Frame& barFrame(Frame& frame, QRect place)
{
    frame.move(place.x(), place.y(), place.width(), place.height());
    frame.setBorderStyle(1);
    frame.setBackColor(colors::Band);
    frame.setVisible(false);
    return frame;
}

Frame& plainFrame(Frame& frame, QRect place, const QColor& back)
{
    frame.move(place.x(), place.y(), place.width(), place.height());
    frame.setBorderStyle(0);
    frame.setBackColor(back);
    return frame;
}

Image& placePicture(Image& image, QRect place)
{
    image.move(place.x(), place.y(), place.width(), place.height());
    image.setStretch(true);
    return image;
}

void panelButton(CommandButton& button, Label& caption, const QString& text, int left, int top)
{
    placeButton(button, left + 150, top);
    placeCaption(caption, text, {left, top + 300, 600, 210}, Centred);
}

int fitHeight(Label& label)
{
    const int width = label.width() / TwipsPerPixel;
    const QRect text = QFontMetrics(label.widget()->font()).boundingRect(QRect(0, 0, width, 2000), Qt::TextWordWrap, label.caption());
    label.setHeight(toTwips(text.height() + 2));
    return label.height();
}

void buttonRow(ControlArray<CommandButton>& buttons, ControlArray<Label>& captions, const ButtonRow& row,
               const QList<RowItem>& items, int firstIndex)
{
    int index = firstIndex;
    for (const RowItem& item : items) {
        placeButton(buttons.add(index), item.left, row.top, row.button.width(), row.button.height());
        placeCaption(captions.add(index), item.caption,
                     {item.left - row.captionShift, row.captionTop, item.captionWidth, row.captionHeight}, row.look);
        ++index;
    }
}

MenuItemPlace menuItemPlace(int slot, int firstColumnWidth)
{
    const int col = slot / 3, row = slot % 3;
    const int left = col == 0 ? 60 : 60 + firstColumnWidth;
    const int width = col == 0 ? firstColumnWidth : 3195 - firstColumnWidth;
    const int top = 225 + row * 255;
    return {QRect(left, top, 240, 240), QRect(left + 270, top + 15, width - 300, 210)};
}

void pictureStore(ControlArray<Image>& store, int count, const std::function<QPixmap(int)>& picture)
{
    for (int i = 0; i < count; ++i) {
        Image& image = store.add(i);
        image.setPicture(picture(i));
        image.setVisible(false);
    }
}

void arrowStores(ControlArray<Image>& back, ControlArray<Image>& forward, int count)
{
    const QSize size(25, 17);
    for (int i = 0; i < count; ++i) {
        const auto state = static_cast<art::NavState>(i % 3);
        back.add(i).setPicture(art::backPicture(state, size));
        back[i].setVisible(false);
        forward.add(i).setPicture(art::forwardPicture(state, size));
        forward[i].setVisible(false);
    }
}

void arrowPressLook(Image& arrow, const Image& normal, const Image& pressed)
{
    arrow.onMouseDown = [&arrow, &pressed](int, int, int, int) {
        if (arrow.isEnabled())
            arrow.setPicture(pressed.picture());
    };
    arrow.onMouseUp = [&arrow, &normal](int, int, int, int) {
        if (arrow.isEnabled())
            arrow.setPicture(normal.picture());
    };
}

void arrowPressLook(Image& arrow, const Image& normal, const Image& pressed, int restLeft, int pressedLeft)
{
    arrow.onMouseDown = [&arrow, &pressed, pressedLeft](int, int, int, int) {
        if (!arrow.isEnabled())
            return;
        arrow.setLeft(pressedLeft);
        arrow.setPicture(pressed.picture());
    };
    arrow.onMouseUp = [&arrow, &normal, restLeft](int, int, int, int) {
        if (!arrow.isEnabled())
            return;
        arrow.setLeft(restLeft);
        arrow.setPicture(normal.picture());
    };
}

} // namespace vb
