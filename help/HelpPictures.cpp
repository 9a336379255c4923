#include "HelpPictures.h"

#include "art/Artwork.h"
#include "vb/Design.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace corvanehelp {

namespace {

// The pictures show the browser's windows in their own colours.
const QColor& BandColor = vb::colors::Band;
const QColor& PanelColor = vb::colors::Panel;
const QColor& TextColor = vb::colors::Text;
const QColor& LineColor = vb::colors::Line;

qreal screenRatio()
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return app->devicePixelRatio();
    return 1.0;
}

QPixmap canvas(QSize size)
{
    const qreal r = screenRatio();
    QPixmap pm(QSize(qCeil(size.width() * r), qCeil(size.height() * r)));
    pm.setDevicePixelRatio(r);
    pm.fill(Qt::transparent);
    return pm;
}

void smallFont(QPainter& p, qreal pixels, bool bold = false)
{
    QFont f = p.font();
    f.setPixelSize(qMax(6, qRound(pixels)));
    f.setBold(bold);
    p.setFont(f);
}

// A face of the browser's picture store at x, y with its caption to the right.
int faceWithCaption(QPainter& p, int face, int x, int y, int h, const QString& caption)
{
    const int side = qMax(6, h - 2);
    p.drawPixmap(x, y + (h - side) / 2, art::buttonFace(face, QSize(side, side)));
    int w = side + 3;
    if (!caption.isEmpty()) {
        p.setPen(TextColor);
        const int tw = p.fontMetrics().horizontalAdvance(caption);
        p.drawText(QRect(x + w, y, tw + 2, h), Qt::AlignLeft | Qt::AlignVCenter, caption);
        w += tw + 8;
    }
    return w;
}

void field(QPainter& p, const QRect& r, const QString& text)
{
    p.setPen(LineColor);
    p.setBrush(Qt::white);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(TextColor);
    p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace

QPixmap helpButtonFace(int index, QSize size)
{
    // The browser's faces for the buttons the help window imitates.
    static constexpr int browserFace[HelpFaceCount] = {0, 1, 2, 3, 10, 4, 5, 11};
    const int face = index >= 0 && index < HelpFaceCount ? browserFace[index] : 0;
    return art::buttonFace(face, size);
}

namespace {

// The smallest text a box picture draws, in pixels.
constexpr int SmallestText = 6;
constexpr int TitlePixels = 10;
constexpr int BoxTop = 16;

int rowHeightOf(const QList<BoxLine>& lines, QSize size)
{
    const int rows = qMax<int>(1, int(lines.size()));
    return qBound(10, (size.height() - BoxTop - 4) / rows, 22);
}

// Whether a row fits the box at the painter's font: its text, buttons and boxes within
// the box's margins, each field's text within its field.
bool rowFits(const QPainter& p, const BoxLine& line, int h, int boxWidth)
{
    const QFontMetrics fm = p.fontMetrics();
    const int room = boxWidth - 16;
    int width = 0;
    switch (line.kind) {
    case BoxLine::Text:
        return fm.horizontalAdvance(line.items.join(QLatin1Char(' '))) <= room;
    case BoxLine::Field: {
        const int n = qMax<int>(1, int(line.items.size()));
        const int field = (room - (n - 1) * 6) / n;
        for (const QString& item : line.items)
            if (fm.horizontalAdvance(item) + 6 > field)
                return false;
        return true;
    }
    case BoxLine::Buttons:
        for (const QString& item : line.items)
            width += qMax(6, h - 2) + 3 + fm.horizontalAdvance(item) + 8;
        return width - 8 <= room;
    case BoxLine::Checks:
    case BoxLine::Options:
        for (const QString& item : line.items)
            width += qMax(6, h - 6) + 3 + fm.horizontalAdvance(item) + 9;
        return width - 9 <= room;
    }
    return true;
}

} // namespace

int boxTextPixels(const QString& title, const QList<BoxLine>& lines, QSize size)
{
    QPixmap scratch(1, 1);
    QPainter p(&scratch);
    const int h = rowHeightOf(lines, size) - 2;
    smallFont(p, TitlePixels, true);
    if (p.fontMetrics().horizontalAdvance(title) + 8 > size.width() - 12)
        return 0;
    for (int px = qRound(rowHeightOf(lines, size) * 0.55); px >= SmallestText; --px) {
        smallFont(p, px);
        bool fits = true;
        for (const BoxLine& line : lines)
            fits = fits && rowFits(p, line, h, size.width());
        if (fits)
            return px;
    }
    return 0;
}

QPixmap boxPicture(const QString& title, const QList<BoxLine>& lines, QSize size)
{
    const int textPixels = qMax(SmallestText, boxTextPixels(title, lines, size));
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect outer(0, 0, size.width(), size.height());
    p.setPen(LineColor);
    p.setBrush(PanelColor);
    p.drawRoundedRect(QRectF(outer).adjusted(0.5, 6.5, -0.5, -0.5), 3, 3);

    smallFont(p, TitlePixels, true);
    const int titleWidth = p.fontMetrics().horizontalAdvance(title) + 8;
    p.fillRect(QRect(6, 0, titleWidth, 13), PanelColor);
    p.setPen(TextColor);
    p.drawText(QRect(10, 0, titleWidth, 13), Qt::AlignLeft | Qt::AlignVCenter, title);

    const int rowHeight = rowHeightOf(lines, size);
    smallFont(p, textPixels);
    int y = BoxTop;
    for (const BoxLine& line : lines) {
        const int h = rowHeight - 2;
        int x = 8;
        switch (line.kind) {
        case BoxLine::Text:
            p.setPen(TextColor);
            p.drawText(QRect(x, y, size.width() - 16, h), Qt::AlignLeft | Qt::AlignVCenter, line.items.join(QLatin1Char(' ')));
            break;
        case BoxLine::Field: {
            const int n = qMax<int>(1, int(line.items.size()));
            const int w = (size.width() - 16 - (n - 1) * 6) / n;
            for (const QString& item : line.items) {
                field(p, QRect(x, y, w, h), item);
                x += w + 6;
            }
            break;
        }
        case BoxLine::Buttons:
            for (const QString& item : line.items)
                x += faceWithCaption(p, 8, x, y, h, item);
            break;
        case BoxLine::Checks:
        case BoxLine::Options:
            for (const QString& item : line.items) {
                const int side = qMax(6, h - 6);
                const QRect box(x, y + (h - side) / 2, side, side);
                p.setPen(LineColor);
                p.setBrush(Qt::white);
                if (line.kind == BoxLine::Checks)
                    p.drawRect(box);
                else
                    p.drawEllipse(box);
                p.setPen(TextColor);
                const int tw = p.fontMetrics().horizontalAdvance(item);
                p.drawText(QRect(x + side + 3, y, tw + 2, h), Qt::AlignLeft | Qt::AlignVCenter, item);
                x += side + tw + 12;
            }
            break;
        }
        y += rowHeight;
    }
    return pm;
}

namespace {

// The Page menu's panels.
QList<NamedBox> pageBoxes()
{
    using K = BoxLine;
    auto S = [](const char* s) { return QString::fromLatin1(s); };
    const QSize box = MenuBoxPictureSize;
    return {
        {S("ImagePage1"), S("Bookmark This Page"),
         {{K::Text, {S("Page will be Bookmarked by the name that you type here :")}},
          {K::Field, {S("My Page")}},
          {K::Text, {S("To Bookmark a different web page Type LocationURL here:")}},
          {K::Field, {S("file:///home/me/page.html")}},
          {K::Buttons, {S("OK"), S("Cancel"), S("Reset")}}},
         box},
        {S("ImagePage2"), S("Note"),
         {{K::Text, {S("Page :")}},
          {K::Field, {S("http://www.examplepage.example/index.html")}},
          {K::Text, {S("Edit Note (maximum 150 characters) :")}},
          {K::Field, {S("Read the second part next time.")}},
          {K::Buttons, {S("Edit"), S("Save"), S("Delete")}},
          {K::Buttons, {S("Cancel"), S("Hide")}},
          {K::Checks, {S("Do Not Show Notes")}}},
         box},
        {S("ImagePage3"), S("Make This Page Home Page"),
         {{K::Field, {S("http://www.examplepage.example/index.html")}},
          {K::Text, {S("Select Browser To Make Home Page :")}},
          {K::Options, {S("Browser 1"), S("Browser 2")}},
          {K::Options, {S("Browser 3"), S("Browser 4")}},
          {K::Options, {S("Browser 5"), S("Browser 6")}},
          {K::Buttons, {S("OK"), S("Cancel")}}},
         box},
    };
}

// The Open menu's panels and the Bookmarks frame.
QList<NamedBox> openAndBookmarkBoxes()
{
    using K = BoxLine;
    auto S = [](const char* s) { return QString::fromLatin1(s); };
    const QSize box = MenuBoxPictureSize;
    return {
        {S("ImageOpen2"), S("Create Tab - Go To This Location :"),
         {{K::Field, {S("http://www.examplepage.example/")}}, {K::Buttons, {S("OK"), S("Cancel")}}},
         box},
        {S("ImageOpen3"), S("Create Browser - Go To This Location :"),
         {{K::Field, {S("http://www.examplepage.example/")}}, {K::Buttons, {S("OK"), S("Cancel")}}},
         box},
        {S("ImageOpenMark"), S("Bookmarks :"),
         {{K::Buttons, {S("Close"), S("Show")}}},
         box},
        {S("ImageBookmark"), S("Bookmarks :"),
         {{K::Field, {S("My Site"), S("http://velmora.example/")}},
          {K::Buttons, {S("Rename"), S("Remove"), S("Remove All")}},
          {K::Buttons, {S("Go"), S("Hide")}}},
         box},
    };
}

// Change Name, Report Bug and the Run box.
QList<NamedBox> choiceToolsAndRunBoxes()
{
    using K = BoxLine;
    auto S = [](const char* s) { return QString::fromLatin1(s); };
    const QSize box = MenuBoxPictureSize;
    return {
        {S("ImageChoice1"), S("Change Name"),
         {{K::Text, {S("Current Name")}},
          {K::Field, {S("myFriend")}},
          {K::Text, {S("Change To :")}},
          {K::Field, {QString()}},
          {K::Buttons, {S("OK"), S("Cancel")}}},
         box},
        {S("ImageTools3"), S("Report Bug"),
         {{K::Text, {S("To :")}},
          {K::Field, {S("bugs@velmora.example")}},
          {K::Text, {S("Subject :")}},
          {K::Field, {QString()}},
          {K::Buttons, {S("OK"), S("Cancel")}}},
         box},
        {S("ImageRun"), S("Run"),
         {{K::Options, {S("Drimsel")}}, {K::Options, {S("Ostrade")}}, {K::Buttons, {S("OK"), S("Cancel")}}},
         box},
    };
}

// The options window and the Select Tabs panel.
QList<NamedBox> windowBoxes()
{
    using K = BoxLine;
    auto S = [](const char* s) { return QString::fromLatin1(s); };
    return {
        {S("ImageOptions"), S("Options"),
         {{K::Text, {S("Home Page of the current main Browser :")}},
          {K::Field, {S("http://www.velmora.example/Corvane.html")}},
          {K::Text, {S("Number of main Browsers to run (1 - 6) :")}},
          {K::Field, {S("1")}},
          {K::Text, {S("Save history of Browser :")}},
          {K::Checks, {S("1"), S("2"), S("3"), S("4"), S("5"), S("6")}},
          {K::Checks, {S("Show new window in a new Tabed Browser")}},
          {K::Checks, {S("Show saved Notes related to web pages from start of Program")}},
          {K::Checks, {S("Show 'Page' buttons from start of Program")}},
          {K::Buttons, {S("OK"), S("Cancel"), S("Default")}}},
         OptionsPictureSize},
        {S("ImageDisplay6"), S("Select Tabs"),
         {{K::Checks, {S("#1"), S("#2")}},
          {K::Checks, {S("#3"), S("#4")}},
          {K::Checks, {S("#5"), S("#6")}},
          {K::Buttons, {S("Cancel/Hide")}},
          {K::Buttons, {S("Close Selected Tabs")}},
          {K::Buttons, {S("Add Selected Tabs To Bookmark")}},
          {K::Buttons, {S("Select/Unselect All")}}},
         SelectTabsPictureSize},
    };
}

} // namespace

QList<NamedBox> helpBoxes()
{
    return pageBoxes() + openAndBookmarkBoxes() + choiceToolsAndRunBoxes() + windowBoxes();
}

namespace {

// The band of the miniature window: the user picture's place and the exit buttons' area.
struct BandLayout {
    int band;
    int row;
    QRect user;
    int exitLeft;
};

BandLayout bandLayout(QSize size)
{
    BandLayout b;
    b.band = size.height() / 5;
    b.row = qMax(8, b.band / 3 - 1);
    b.exitLeft = size.width() - size.width() * 27 / 100;
    const int w = b.band * 13 / 10;
    b.user = QRect(b.exitLeft - w - 6, 4, w, b.band - 8);
    return b;
}

// The largest font, up to pixels, at which the captions and their faces fit in width.
void fitFont(QPainter& p, const QStringList& captions, int faceWidth, int width, qreal pixels)
{
    for (qreal px = pixels; px >= 6; px -= 0.5) {
        smallFont(p, px);
        int total = 0;
        for (const QString& c : captions)
            total += faceWidth + 3 + p.fontMetrics().horizontalAdvance(c) + 8;
        if (total <= width)
            return;
    }
}

} // namespace

QRect mainWindowUserRect(QSize size)
{
    return bandLayout(size).user;
}

QPixmap mainWindowPicture(QSize size)
{
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int w = size.width();
    const int h = size.height();
    const BandLayout b = bandLayout(size);
    const int row = b.row;

    p.setPen(LineColor);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0));
    p.fillRect(QRect(1, 1, w - 2, b.band), BandColor);
    p.setPen(LineColor);
    p.drawLine(1, b.band, w - 2, b.band);

    // Menu buttons, top left.
    const QStringList menus{QStringLiteral("Page"), QStringLiteral("Open"), QStringLiteral("View"),
                            QStringLiteral("Tools"), QStringLiteral("Help"), QStringLiteral("Tab List")};
    fitFont(p, menus, row - 2, b.user.left() - 10, row * 0.7);
    int x = 4;
    for (const QString& name : menus)
        x += faceWithCaption(p, 0, x, 3, row, name);

    // Navigation and the location box, second row.
    const int y2 = 3 + row + 2;
    const QSize arrow(row * 3 / 2, row);
    p.drawPixmap(4, y2, art::backPicture(art::NavState::Normal, arrow));
    p.drawPixmap(6 + arrow.width(), y2, art::forwardPicture(art::NavState::Disabled, arrow));
    x = 10 + 2 * arrow.width();
    for (int face : {6, 6, 6, 11})
        x += faceWithCaption(p, face, x, y2, row, QString());
    const int boxRight = b.user.left() - row - 8;
    smallFont(p, row * 0.6);
    field(p, QRect(x + 4, y2, boxRight - x - 4, row), QStringLiteral("http://www.examplepage.example/index.html"));
    faceWithCaption(p, 0, boxRight + 4, y2, row, QString());

    // Browser buttons, third row.
    const int y3 = y2 + row + 2;
    x = 4;
    smallFont(p, row * 0.65);
    for (int i = 0; i < 6; ++i)
        x += faceWithCaption(p, i == 0 ? 3 : 5, x, y3, row, i == 0 ? QStringLiteral("Browser") : QString::number(i + 1));

    // The user picture's place and the exit buttons, top right.
    p.setPen(LineColor);
    p.setBrush(PanelColor);
    p.drawRect(b.user);
    const int column = (w - 4 - b.exitLeft) / 3;
    smallFont(p, row * 0.55);
    int i = 0;
    for (const char* name : {"Run", "Full Window", "Exit"}) {
        const int cx = b.exitLeft + i * column;
        faceWithCaption(p, 10, cx + (column - row + 2) / 2, 3, row, QString());
        p.setPen(TextColor);
        p.drawText(QRect(cx, 3 + row + 1, column, b.band - row - 4), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   QString::fromLatin1(name));
        ++i;
    }

    // The page in the browser.
    const QRect pageRect(12, b.band + 10, w - 24, h - b.band - 20);
    QLinearGradient g(pageRect.topLeft(), pageRect.bottomLeft());
    g.setColorAt(0, QColor(0xf7, 0xfa, 0xfd));
    g.setColorAt(1, QColor(0xe3, 0xec, 0xf6));
    p.fillRect(pageRect, g);
    smallFont(p, b.band * 0.45, true);
    p.setPen(QColor(0x3d, 0x6f, 0xb0));
    p.drawText(pageRect.adjusted(0, 0, 0, -pageRect.height() / 2), Qt::AlignCenter, QStringLiteral("Corvane"));
    p.setPen(LineColor);
    for (int k = 0; k < 4; ++k) {
        const int ly = pageRect.center().y() + k * (b.band / 4);
        p.drawLine(pageRect.left() + 30, ly, pageRect.right() - 30 - k * 20, ly);
    }
    return pm;
}

QPixmap sampleUserPicture(QSize size)
{
    QPixmap pm = canvas(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size.width(), size.height());
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x8c, 0xc4, 0xf0));
    sky.setColorAt(1, QColor(0xe8, 0xf4, 0xfc));
    p.fillRect(r, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf6, 0xd3, 0x6b));
    p.drawEllipse(QPointF(r.width() * 0.78, r.height() * 0.28), r.height() * 0.12, r.height() * 0.12);
    QPainterPath hills;
    hills.moveTo(0, r.height());
    hills.lineTo(0, r.height() * 0.7);
    hills.quadTo(r.width() * 0.3, r.height() * 0.45, r.width() * 0.55, r.height() * 0.68);
    hills.quadTo(r.width() * 0.8, r.height() * 0.55, r.width(), r.height() * 0.66);
    hills.lineTo(r.width(), r.height());
    hills.closeSubpath();
    p.setBrush(QColor(0x5f, 0xa8, 0x4b));
    p.drawPath(hills);
    return pm;
}

} // namespace corvanehelp
