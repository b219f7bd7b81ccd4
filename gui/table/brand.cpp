#include "gui/table/brand.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace tess::brand
{

namespace
{

void drawMiniCard(QPainter &p, const QRectF &r, qreal angle, const QColor &mark, const QString &suit)
{
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF c(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(QColor(40, 40, 40), r.width() / 28.0));
    p.setBrush(QColor(252, 252, 248));
    p.drawRoundedRect(c, r.width() / 8, r.width() / 8);
    p.setPen(mark);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(qMax(4, qRound(r.height() * 0.45)));
    p.setFont(f);
    p.drawText(c, Qt::AlignCenter, suit);
    p.restore();
}

void drawFan(QPainter &p, const QRectF &area)
{
    const qreal h = area.height() * 0.78, w = h * 0.72;
    const QPointF base(area.center().x(), area.bottom() - h * 0.05);
    const struct {
        qreal angle;
        QColor color;
        const char *suit;
    } cards[] = {{-22, QColor(20, 20, 20), "\u2660"},
                 {0, QColor(200, 20, 30), "\u2665"},
                 {22, QColor(20, 20, 20), "\u2663"}};
    for (const auto &c : cards) {
        p.save();
        p.translate(base);
        p.rotate(c.angle);
        drawMiniCard(p, QRectF(-w / 2, -h, w, h), 0, c.color, QString::fromUtf8(c.suit));
        p.restore();
    }
}

QImage canvas(int w, int h, qreal dpr)
{
    QImage img(qRound(w * dpr), qRound(h * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

} // namespace

QImage wordMark(qreal dpr)
{
    QImage img = canvas(420, 110, dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawFan(p, QRectF(0, 8, 100, 96));
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(54);
    f.setBold(true);
    f.setItalic(true);
    QPainterPath text;
    text.addText(QPointF(104, 76), f, QStringLiteral("Tessaline"));
    QLinearGradient g(0, 30, 0, 80);
    g.setColorAt(0, QColor(255, 226, 120));
    g.setColorAt(1, QColor(206, 142, 30));
    p.setPen(QPen(QColor(70, 40, 0), 1.6));
    p.setBrush(g);
    p.drawPath(text);
    return img;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        drawFan(p, QRectF(0, 0, size, size));
        p.end();
        icon.addPixmap(QPixmap::fromImage(img));
    }
    return icon;
}

namespace
{

void arrow(QPainter &p, QPointF from, QPointF to, qreal head)
{
    p.drawLine(from, to);
    const qreal a = qAtan2(to.y() - from.y(), to.x() - from.x());
    QPolygonF tri;
    tri << to << to - QPointF(head * qCos(a - 0.5), head * qSin(a - 0.5))
        << to - QPointF(head * qCos(a + 0.5), head * qSin(a + 0.5));
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(tri);
    p.restore();
}

void curvedArrow(QPainter &p, bool clockwise)
{
    QPainterPath path;
    if (clockwise) {
        path.moveTo(5, 17);
        path.cubicTo(5, 7, 17, 5, 19, 12);
        p.drawPath(path);
        arrow(p, QPointF(18, 10), QPointF(19.5, 14), 5);
    } else {
        path.moveTo(19, 17);
        path.cubicTo(19, 7, 7, 5, 5, 12);
        p.drawPath(path);
        arrow(p, QPointF(6, 10), QPointF(4.5, 14), 5);
    }
}

void drawSymbol(QPainter &p, const QString &key)
{
    const QColor ink(36, 64, 110);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (key == QLatin1String("New")) {
        drawMiniCard(p, QRectF(5, 3, 13, 18), 0, QColor(200, 20, 30), QStringLiteral("\u2665"));
        p.setPen(QPen(QColor(220, 160, 0), 2));
        p.drawLine(QPointF(19, 2), QPointF(19, 8));
        p.drawLine(QPointF(16, 5), QPointF(22, 5));
    } else if (key == QLatin1String("Select")) {
        drawMiniCard(p, QRectF(3, 4, 11, 15), -12, QColor(20, 20, 20), QStringLiteral("\u2660"));
        drawMiniCard(p, QRectF(10, 5, 11, 15), 12, QColor(200, 20, 30), QStringLiteral("\u2666"));
    } else if (key == QLatin1String("Restart")) {
        curvedArrow(p, false);
        p.drawLine(QPointF(12, 14), QPointF(12, 20));
    } else if (key == QLatin1String("Autoplay")) {
        QPolygonF bolt;
        bolt << QPointF(14, 2) << QPointF(6, 13) << QPointF(11, 13) << QPointF(9, 22) << QPointF(18, 10)
             << QPointF(13, 10) << QPointF(16, 2);
        p.setBrush(QColor(240, 190, 30));
        p.setPen(QPen(QColor(140, 90, 0), 1.2));
        p.drawPolygon(bolt);
    } else if (key == QLatin1String("Undo")) {
        curvedArrow(p, false);
    } else if (key == QLatin1String("Redo")) {
        curvedArrow(p, true);
    } else if (key == QLatin1String("Back")) {
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(4, 12), QPointF(12, 18)}));
        p.drawPolygon(QPolygonF({QPointF(20, 6), QPointF(12, 12), QPointF(20, 18)}));
    } else if (key == QLatin1String("Forward")) {
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(4, 6), QPointF(12, 12), QPointF(4, 18)}));
        p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(20, 12), QPointF(12, 18)}));
    } else if (key == QLatin1String("ReplayStop")) {
        p.setBrush(QColor(190, 40, 40));
        p.setPen(QPen(QColor(120, 20, 20), 1.2));
        p.drawRoundedRect(QRectF(6, 6, 12, 12), 2, 2);
    } else if (key == QLatin1String("Statistics")) {
        p.setPen(Qt::NoPen);
        const QColor bars[] = {QColor(60, 120, 200), QColor(70, 160, 90), QColor(220, 140, 40)};
        const qreal heights[] = {8, 14, 11};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(bars[i]);
            p.drawRect(QRectF(4 + i * 6, 20 - heights[i], 5, heights[i]));
        }
        p.setPen(QPen(ink, 1.5));
        p.drawLine(QPointF(3, 20.5), QPointF(21, 20.5));
    } else if (key == QLatin1String("Highscore")) {
        p.setBrush(QColor(240, 190, 30));
        p.setPen(QPen(QColor(140, 90, 0), 1.2));
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal r = (i % 2) ? 4.2 : 9.5, a = -M_PI / 2 + i * M_PI / 5;
            star << QPointF(12 + r * qCos(a), 12.5 + r * qSin(a));
        }
        p.drawPolygon(star);
    } else if (key == QLatin1String("Help")) {
        p.setBrush(QColor(60, 120, 200));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.setPen(Qt::white);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(14);
        p.setFont(f);
        p.drawText(QRectF(3, 3, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
    } else if (key == QLatin1String("Close")) {
        p.setPen(QPen(QColor(170, 40, 40), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
    }
}

} // namespace

QIcon toolIcon(const QString &key)
{
    QIcon icon;
    for (qreal dpr : {1.0, 2.0}) {
        QImage img(qRound(24 * dpr), qRound(24 * dpr), QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(dpr);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        drawSymbol(p, key);
        p.end();
        icon.addPixmap(QPixmap::fromImage(img));
    }
    return icon;
}

} // namespace tess::brand
