#include "Artwork.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace art {

namespace {

qreal effectiveRatio(qreal dpr)
{
    if (dpr > 0)
        return dpr;
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return app->devicePixelRatio();
    return 1.0;
}

QPixmap canvas(QSize size, qreal dpr)
{
    const qreal r = effectiveRatio(dpr);
    QPixmap pm(QSize(qCeil(size.width() * r), qCeil(size.height() * r)));
    pm.setDevicePixelRatio(r);
    pm.fill(Qt::transparent);
    return pm;
}

struct Scheme {
    QColor top;
    QColor bottom;
    QColor border;
    QColor glyph;
};

// One calm family: soft gradients in slate, blue and a few accents.
Scheme schemeFor(int index)
{
    switch (index) {
    case 0: return {QColor(0x6f, 0x9f, 0xd8), QColor(0x3d, 0x6f, 0xb0), QColor(0x2f, 0x55, 0x88), Qt::white};
    case 1: return {QColor(0x2f, 0x55, 0x88), QColor(0x3d, 0x6f, 0xb0), QColor(0x22, 0x40, 0x68), QColor(0xe8, 0xf0, 0xfa)};
    case 2: return {QColor(0xe4, 0xe6, 0xea), QColor(0xc9, 0xcd, 0xd3), QColor(0xa9, 0xae, 0xb6), QColor(0x9a, 0x9f, 0xa8)};
    case 3: return {QColor(0x6c, 0xc7, 0xa8), QColor(0x2f, 0x96, 0x78), QColor(0x23, 0x71, 0x5a), Qt::white};
    case 4: return {QColor(0xb8, 0xbf, 0xc9), QColor(0x8a, 0x93, 0xa0), QColor(0x6b, 0x73, 0x7f), Qt::white};
    case 5: return {QColor(0xfa, 0xfb, 0xfc), QColor(0xdc, 0xe1, 0xe8), QColor(0x9a, 0xa4, 0xb2), QColor(0x4a, 0x5a, 0x70)};
    case 6: return {QColor(0x82, 0xb4, 0xe6), QColor(0x4a, 0x86, 0xc8), QColor(0x35, 0x66, 0x9e), Qt::white};
    case 7: return {QColor(0xd6, 0xe6, 0xf7), QColor(0xa9, 0xc8, 0xeb), QColor(0x7b, 0xa2, 0xcf), QColor(0x2f, 0x55, 0x88)};
    case 8: return {QColor(0xf3, 0xc9, 0x78), QColor(0xd9, 0x9a, 0x3a), QColor(0xa8, 0x74, 0x26), Qt::white};
    case 9: return {QColor(0xb5, 0xa4, 0xe0), QColor(0x7f, 0x6b, 0xc0), QColor(0x5e, 0x4e, 0x96), Qt::white};
    case 10: return {QColor(0x8c, 0x9b, 0xb0), QColor(0x5a, 0x6a, 0x82), QColor(0x44, 0x51, 0x66), Qt::white};
    case 11: return {QColor(0xe8, 0x8a, 0x80), QColor(0xc4, 0x4e, 0x44), QColor(0x96, 0x38, 0x30), Qt::white};
    case 12: return {QColor(0x9c, 0xd6, 0x8a), QColor(0x5f, 0xa8, 0x4b), QColor(0x47, 0x80, 0x38), Qt::white};
    default: return {QColor(0xf0, 0xa8, 0x8a), QColor(0xd0, 0x72, 0x4c), QColor(0xa0, 0x55, 0x38), Qt::white};
    }
}

void drawGlyph(QPainter& p, int index, const QRectF& r, const QColor& c)
{
    p.setPen(QPen(c, qMax<qreal>(1.2, r.width() / 12.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF m = r.center();
    const qreal s = qMin(r.width(), r.height()) / 5.0;
    switch (index) {
    case 2: // disabled: a quiet dash
    case 4: // hide
        p.drawLine(QPointF(m.x() - s, m.y()), QPointF(m.x() + s, m.y()));
        break;
    case 7: { // menu item: a small triangle
        QPainterPath path;
        path.moveTo(m.x() - s * 0.6, m.y() - s);
        path.lineTo(m.x() + s * 0.8, m.y());
        path.lineTo(m.x() - s * 0.6, m.y() + s);
        path.closeSubpath();
        p.setBrush(c);
        p.drawPath(path);
        break;
    }
    case 10: // window buttons and tab close: a small cross
        p.drawLine(QPointF(m.x() - s * 0.8, m.y() - s * 0.8), QPointF(m.x() + s * 0.8, m.y() + s * 0.8));
        p.drawLine(QPointF(m.x() - s * 0.8, m.y() + s * 0.8), QPointF(m.x() + s * 0.8, m.y() - s * 0.8));
        break;
    case 11: // stop: a square
        p.setBrush(c);
        p.drawRect(QRectF(m.x() - s * 0.75, m.y() - s * 0.75, s * 1.5, s * 1.5));
        break;
    case 8: // panel actions: a check mark
        p.drawLine(QPointF(m.x() - s, m.y()), QPointF(m.x() - s * 0.2, m.y() + s * 0.8));
        p.drawLine(QPointF(m.x() - s * 0.2, m.y() + s * 0.8), QPointF(m.x() + s, m.y() - s * 0.8));
        break;
    case 5: // selector: an empty ring
        p.drawEllipse(m, s * 0.9, s * 0.9);
        break;
    default: // everything else: a soft dot
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(m, s * 0.7, s * 0.7);
        break;
    }
}

void drawArrow(QPainter& p, const QRectF& r, bool forward, NavState state)
{
    QColor top(0x6f, 0x9f, 0xd8), bottom(0x3d, 0x6f, 0xb0), border(0x2f, 0x55, 0x88), glyph(Qt::white);
    if (state == NavState::Pressed) {
        top = QColor(0x2f, 0x55, 0x88);
        bottom = QColor(0x3d, 0x6f, 0xb0);
    } else if (state == NavState::Disabled) {
        top = QColor(0xe4, 0xe6, 0xea);
        bottom = QColor(0xc9, 0xcd, 0xd3);
        border = QColor(0xa9, 0xae, 0xb6);
        glyph = QColor(0x9a, 0x9f, 0xa8);
    }
    const QRectF circle = r.adjusted(1, 1, -1, -1);
    QLinearGradient g(circle.topLeft(), circle.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawEllipse(circle);
    const QPointF m = circle.center();
    const qreal s = circle.width() / 4.5;
    const qreal dir = forward ? 1 : -1;
    p.setPen(QPen(glyph, qMax<qreal>(1.6, circle.width() / 9.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(m.x() - dir * s, m.y()), QPointF(m.x() + dir * s, m.y()));
    p.drawLine(QPointF(m.x() + dir * s, m.y()), QPointF(m.x() + dir * s * 0.1, m.y() - s * 0.9));
    p.drawLine(QPointF(m.x() + dir * s, m.y()), QPointF(m.x() + dir * s * 0.1, m.y() + s * 0.9));
}

} // namespace

QPixmap buttonFace(int index, QSize size, qreal dpr)
{
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const Scheme sc = schemeFor(index);
    const QRectF r = QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    const qreal radius = qMin(size.width(), size.height()) / 5.0;
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, sc.top);
    g.setColorAt(1, sc.bottom);
    p.setPen(QPen(sc.border, 1));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    // A faint highlight along the top edge gives the face some depth.
    if (index != 1 && index != 2) {
        p.setPen(QPen(QColor(255, 255, 255, 90), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
    }
    QRectF inner = r.adjusted(2, 2, -2, -2);
    if (index == 1)
        inner.translate(0.5, 0.5);
    if (index != 1)
        drawGlyph(p, index, inner, sc.glyph);
    else
        drawGlyph(p, 0, inner, sc.glyph);
    return pm;
}

QPixmap backPicture(NavState state, QSize size, qreal dpr)
{
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawArrow(p, QRectF(QPointF(0, 0), QSizeF(size)), false, state);
    return pm;
}

QPixmap forwardPicture(NavState state, QSize size, qreal dpr)
{
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawArrow(p, QRectF(QPointF(0, 0), QSizeF(size)), true, state);
    return pm;
}

QPixmap busyFrame(int index, QSize size, qreal dpr)
{
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF m(size.width() / 2.0, size.height() / 2.0);
    const qreal radius = qMin(size.width(), size.height()) / 2.0 - 3;
    const int dots = 8;
    for (int i = 0; i < dots; ++i) {
        const qreal a = 2 * M_PI * i / dots - M_PI / 2;
        const QPointF c(m.x() + radius * qCos(a), m.y() + radius * qSin(a));
        QColor col(0x3d, 0x6f, 0xb0);
        if (index == 0) {
            col = QColor(0xb8, 0xc2, 0xd0); // idle: all dots quiet
        } else {
            // The bright dot walks round with the frame number; its trail fades behind it.
            const int lead = (index * 3) % dots;
            const int behind = (lead - i + dots) % dots;
            col.setAlpha(behind == 0 ? 255 : behind == 1 ? 170 : behind == 2 ? 110 : 50);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(col);
        p.drawEllipse(c, 1.8, 1.8);
    }
    return pm;
}

QPixmap aboutBadge(QSize size, qreal dpr)
{
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size.width() - 2.0, size.height() - 2.0);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(0x6f, 0x9f, 0xd8));
    g.setColorAt(1, QColor(0x2f, 0x96, 0x78));
    p.setPen(QPen(QColor(0x2f, 0x55, 0x88), 1.5));
    p.setBrush(g);
    p.drawEllipse(r);
    // A stylised bird's wing: the program's mark.
    QPainterPath wing;
    const qreal w = r.width(), h = r.height();
    wing.moveTo(r.left() + w * 0.22, r.top() + h * 0.62);
    wing.cubicTo(r.left() + w * 0.40, r.top() + h * 0.30, r.left() + w * 0.62, r.top() + h * 0.26, r.left() + w * 0.80, r.top() + h * 0.34);
    wing.cubicTo(r.left() + w * 0.62, r.top() + h * 0.42, r.left() + w * 0.50, r.top() + h * 0.55, r.left() + w * 0.46, r.top() + h * 0.72);
    wing.cubicTo(r.left() + w * 0.40, r.top() + h * 0.62, r.left() + w * 0.30, r.top() + h * 0.60, r.left() + w * 0.22, r.top() + h * 0.62);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawPath(wing);
    return pm;
}

} // namespace art
