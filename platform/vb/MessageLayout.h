#pragma once
// Where the parts of a message dialog go, sized to what it says: the head line with the
// input box beside it when there is one, the text under them wrapped at a readable width,
// and the block of buttons at the bottom right, all in pixels of the dialog's client area.

#include <QRect>
#include <QSize>
#include <functional>

namespace vb {

class Control;
class Form;
class Label;

// The graphical buttons of every window are of this size.
inline constexpr QSize StandardButtonSize{20, 20};

struct MessageParts {
    QSize head;            // the head line's own size
    QSize input;           // empty when there is no input box
    QSize buttons;         // the block of buttons with their captions
    int textLongestLine;   // the text's widest line, unwrapped
    std::function<int(int width)> textHeightForWidth;
    QSize screen;          // the screen the dialog opens on
};

struct MessageLayout {
    QRect head;
    QRect input;           // empty when there is no input box
    QRect text;
    QPoint buttons;        // top-left corner of the block of buttons
    QSize client;
};

MessageLayout messageLayout(const MessageParts& parts);

// Lays a message dialog out for what it shows now: measures its head, its input box (when
// visible, at its designed size) and its text, moves them to their places, sizes the form,
// and returns where the block of buttons, of the size given, goes.
QPoint arrangeMessage(Form& form, Label& head, Control& input, Label& text, QSize buttons);

} // namespace vb
