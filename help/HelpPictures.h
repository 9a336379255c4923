#pragma once
// The pictures of the help window: the button faces of the imitation (the browser's own
// faces, in the help window's order), a picture of the browser's main window for the
// overview, and pictures of the browser's boxes that the pages show. Painted in code, so
// they follow the browser's look.

#include <QList>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace corvanehelp {

inline constexpr int HelpFaceCount = 8;

// Face n (0..7) of the help window's store ImageBut, drawn as the browser draws the button
// it stands for: 0 menu button, 1 pressed, 2 disabled, 3 selected, 4 bar button, 5 "Hide",
// 6 tab and sub-menu button, 7 the Stop button.
QPixmap helpButtonFace(int index, QSize size);

// One row of a box picture.
struct BoxLine {
    enum Kind { Text, Field, Buttons, Checks, Options };
    Kind kind;
    QStringList items;
};

// A titled box of the browser (a panel or a small window) with its rows, at size pixels.
// Its text takes the largest size up to the rows' own at which every row fits.
QPixmap boxPicture(const QString& title, const QList<BoxLine>& lines, QSize size);

// The text size (pixels) boxPicture gives the rows: the largest at which the title and
// every row fit the box; 0 when they do not fit even at the smallest size it draws.
int boxTextPixels(const QString& title, const QList<BoxLine>& lines, QSize size);

// The sizes (pixels) at which the help window shows the boxes' pictures: the Main buttons
// topic's picture frame, the Options window of the Features topic, the Select Tabs box of
// the Tabs topic. Each picture is drawn at the size it is shown at, so that no row or
// column of its text is lost to scaling.
constexpr QSize MenuBoxPictureSize(240, 148);
constexpr QSize OptionsPictureSize(468, 260);
constexpr QSize SelectTabsPictureSize(154, 164);

// The boxes the help window's pages picture, each under the name of the picture holder it
// goes into, at the size it is shown at.
struct NamedBox {
    QString name;
    QString title;
    QList<BoxLine> lines;
    QSize size;
};
QList<NamedBox> helpBoxes();

// The browser's main window in miniature; the user picture goes into mainWindowUserRect.
QPixmap mainWindowPicture(QSize size);
QRect mainWindowUserRect(QSize size);

// A sample user picture: a small landscape.
QPixmap sampleUserPicture(QSize size);

} // namespace corvanehelp
