#pragma once
// The window kit both programs design their windows with: the windows' colours, and the
// helpers that give a control its design place and looks. Places on a form are in pixels,
// places inside a frame in twips, as everywhere in the kit.

#include "ControlArray.h"
#include "Controls.h"
#include "Form.h"

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

namespace vb {

// The colours of every window of both programs.
namespace colors {
inline const QColor Window{0xf4, 0xf6, 0xf9};  // forms and dialogs
inline const QColor Panel{0xf4, 0xf6, 0xf9};   // menus and panels
inline const QColor Band{0xe6, 0xeb, 0xf2};    // bands and bars
inline const QColor Notice{0xff, 0xf4, 0xd6};  // notices over a band or a page
inline const QColor Page{0xfb, 0xfc, 0xfd};    // a page shown inside a window
inline const QColor Text{0x26, 0x36, 0x4a};    // captions
inline const QColor Line{0x9a, 0xa4, 0xb2};    // lines that part a panel
} // namespace colors

// Sizes a form for a client area of width x height pixels (its size counts its frame).
void setClientSize(Form& form, int width, int height);

// A graphical button at its place; buttons are 300 twips square unless said otherwise.
CommandButton& placeButton(CommandButton& button, int left, int top, int width = 300, int height = 300);

// The looks of a caption: transparent, plain, in the captions' colour, of the size given
// (points) and aligned 0 left, 1 right, 2 centred.
struct CaptionLook {
    int align = 0;
    double points = 7;
};
inline constexpr CaptionLook Centred{2, 7};
inline constexpr CaptionLook SmallCentred{2, 6.5};

// A caption label at its place.
Label& placeCaption(Label& label, const QString& caption, QRect place, CaptionLook look = {});

// A frame with a bold caption.
Frame& captionFrame(Frame& frame, const QString& caption, QRect place, const QColor& back = colors::Panel);
// A panel: a frame with a bold caption, hidden until it opens.
Frame& panelFrame(Frame& frame, const QString& caption, QRect place, const QColor& back = colors::Panel);
// The frame of a bar shown in full-window mode only: a border, the bands' colour, hidden.
Frame& barFrame(Frame& frame, QRect place);
// A frame that only holds controls together: no border, no caption.
Frame& plainFrame(Frame& frame, QRect place, const QColor& back = colors::Band);

// An image at its place, its picture stretched to fill it.
Image& placePicture(Image& image, QRect place);

// A panel's button (OK, Cancel, ...) with its caption centred under it; the pair is 600
// twips wide from left.
void panelButton(CommandButton& button, Label& caption, const QString& text, int left, int top);

// Gives a label the height its caption needs, wrapped at the label's width; returns it.
int fitHeight(Label& label);

// A row of buttons with a caption under each, the captions captionShift twips left of
// their buttons.
struct ButtonRow {
    int top;
    QSize button;
    int captionTop;
    int captionHeight;
    int captionShift;
    CaptionLook look = SmallCentred;
};
struct RowItem {
    int left;
    QString caption;
    int captionWidth;
};
// Makes the row's elements firstIndex on of both arrays, one for each item.
void buttonRow(ControlArray<CommandButton>& buttons, ControlArray<Label>& captions, const ButtonRow& row,
               const QList<RowItem>& items, int firstIndex = 0);

// Where the slot-th shown item of a drop-down menu goes: two columns of three rows in a
// menu 3255 twips wide, the first column firstColumnWidth wide; the button at the left of
// its caption.
struct MenuItemPlace {
    QRect button;
    QRect caption;
};
MenuItemPlace menuItemPlace(int slot, int firstColumnWidth);

// A hidden store of count pictures, made by picture(index).
void pictureStore(ControlArray<Image>& store, int count, const std::function<QPixmap(int)>& picture);

// The stores of the Back and Forward arrows: normal, pressed and disabled, then the same
// again up to count pictures.
void arrowStores(ControlArray<Image>& back, ControlArray<Image>& forward, int count);

// The pressed look of a Forward arrow: the picture of pressed while the mouse button is
// down on it, normal's picture again when it is released.
void arrowPressLook(Image& arrow, const Image& normal, const Image& pressed);
// The pressed look of a Back arrow: as Forward's, and it stands at pressedLeft while
// pressed, at restLeft again when released.
void arrowPressLook(Image& arrow, const Image& normal, const Image& pressed, int restLeft, int pressedLeft);

} // namespace vb
