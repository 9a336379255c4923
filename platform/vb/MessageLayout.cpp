#include "MessageLayout.h"

#include "Controls.h"
#include "Form.h"
#include "Runtime.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace vb {

namespace {

constexpr int Margin = 24;
constexpr int TopMargin = 20;
constexpr int Gap = 12;
// Lines of about this width read well; a short text makes a narrower dialog, down to the
// narrowest that keeps the window's title readable.
constexpr int ReadableWidth = 340;
constexpr int NarrowestText = 240;
constexpr int HeadToInput = 112;

// The width to wrap the text at: its own width when it is short, the readable width
// otherwise, and wider only when that would make the dialog taller than most of the screen.
int textWidthFor(const MessageParts& p)
{
    if (p.textLongestLine <= ReadableWidth)
        return std::max(p.textLongestLine, NarrowestText);
    const int tallest = p.screen.height() * 3 / 5;
    const int widest = std::max(ReadableWidth, std::min(p.screen.width() * 3 / 5, p.textLongestLine));
    int width = ReadableWidth;
    while (width < widest && p.textHeightForWidth(width) > tallest)
        width = std::min(widest, width + 40);
    return width;
}

} // namespace

MessageLayout messageLayout(const MessageParts& p)
{
    MessageLayout l;
    l.head = QRect(QPoint(Margin, TopMargin), p.head);
    int rowBottom = l.head.bottom();
    int contentRight = l.head.right();
    if (!p.input.isEmpty()) {
        const int left = Margin + std::max(HeadToInput, p.head.width() + 8);
        l.input = QRect(QPoint(left, TopMargin - (p.input.height() - p.head.height()) / 2), p.input);
        rowBottom = std::max(rowBottom, l.input.bottom());
        contentRight = l.input.right();
    }
    const int width = textWidthFor(p);
    l.text = QRect(Margin, rowBottom + 1 + Gap / 2, width, p.textHeightForWidth(width));
    contentRight = std::max({contentRight, l.text.right(), Margin + p.buttons.width() - 1});
    l.buttons = QPoint(contentRight + 1 - p.buttons.width(), l.text.bottom() + 1 + Gap);
    l.client = QSize(contentRight + 1 + Margin, l.buttons.y() + p.buttons.height() + Gap);
    return l;
}

namespace {

int longestLineOf(const Label& label)
{
    const QFontMetrics fm(label.widget()->font());
    int widest = 0;
    for (QString line : label.caption().split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line.remove(QLatin1Char('\r'))));
    return widest;
}

} // namespace

QPoint arrangeMessage(Form& form, Label& head, Control& input, Label& text, QSize buttons)
{
    const ScreenMetrics screen = form.runtime().screen();
    MessageParts parts;
    parts.head = QSize(std::max(head.width(), longestLineOf(head) + 2), head.height());
    if (input.isVisible())
        parts.input = QSize(input.width(), input.height());
    parts.buttons = buttons;
    parts.textLongestLine = longestLineOf(text);
    const QWidget* textWidget = text.widget();
    parts.textHeightForWidth = [textWidget](int width) { return textWidget->heightForWidth(width); };
    parts.screen = QSize(screen.widthTwips / screen.twipsPerPixelX, screen.heightTwips / screen.twipsPerPixelY);
    const MessageLayout l = messageLayout(parts);

    head.move(l.head.x(), l.head.y(), l.head.width(), l.head.height());
    if (!l.input.isEmpty())
        input.move(l.input.x(), l.input.y());
    text.move(l.text.x(), l.text.y(), l.text.width(), l.text.height());
    form.setWidth((l.client.width() + Form::FrameWidthPixels) * TwipsPerPixel);
    form.setHeight((l.client.height() + Form::FrameHeightPixels) * TwipsPerPixel);
    return l.buttons;
}

} // namespace vb
