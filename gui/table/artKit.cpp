#include "gui/table/artKit.h"

#include <cmath>

#include <QLinearGradient>

namespace tess::art
{

QImage canvas(int w, int h, qreal dpr, bool opaque)
{
    QImage img(qRound(w * dpr), qRound(h * dpr),
               opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(opaque ? Qt::black : Qt::transparent);
    return img;
}

void preparePainter(QPainter &p)
{
    // A painter applies a device ratio only from 1 upwards: a picture drawn below its
    // design size (a small table) is scaled here, or it would come out cut.
    const qreal dpr = p.device() ? p.device()->devicePixelRatio() : 1;
    if (dpr < 1)
        p.scale(dpr, dpr);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

QImage listIcon(const std::function<void(QPainter &)> &paint, int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return img;
}

std::uint32_t Rng::next()
{
    // xorshift32 over a scrambled seed; zero is the one state it must avoid.
    if (s_ == 0)
        s_ = 0x6D2B79F5u;
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
}

std::uint32_t hash3(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                      static_cast<std::uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

static int wrap(int v, int period)
{
    int r = v % period;
    return r < 0 ? r + period : r;
}

double tileNoise(double x, double y, int periodX, int periodY, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = x - fx, ty = y - fy;
    // Quintic fade: no visible lattice creases.
    tx = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
    ty = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
    const int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    const int y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    const double a = hashUnit(x0, y0, seed), b = hashUnit(x1, y0, seed);
    const double c = hashUnit(x0, y1, seed), d = hashUnit(x1, y1, seed);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double tileFbm(double x, double y, int periodX, int periodY, int octaves, std::uint32_t seed, double gain)
{
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * tileNoise(x, y, periodX, periodY, seed + static_cast<std::uint32_t>(o) * 101u);
        norm += amp;
        amp *= gain;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

Cell tileCells(double x, double y, int periodX, int periodY, std::uint32_t seed, double jitter)
{
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    Cell best;
    best.f1 = best.f2 = 1e9;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int cx = ix + dx, cy = iy + dy;
            const int wx = wrap(cx, periodX), wy = wrap(cy, periodY);
            const double px = cx + 0.5 + jitter * (hashUnit(wx, wy, seed) - 0.5);
            const double py = cy + 0.5 + jitter * (hashUnit(wx, wy, seed ^ 0x5bd1e995u) - 0.5);
            const double ox = x - px, oy = y - py;
            const double d = std::sqrt(ox * ox + oy * oy);
            if (d < best.f1) {
                best.f2 = best.f1;
                best.f1 = d;
                best.id = static_cast<int>(hash3(wx, wy, seed ^ 0x27d4eb2fu) & 0x7fffffff);
                best.dx = ox;
                best.dy = oy;
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    }
    return best;
}

static QPainterPath makeHeart()
{
    QPainterPath p;
    p.moveTo(0, 0.5);
    p.cubicTo(-0.16, 0.31, -0.5, 0.07, -0.5, -0.2);
    p.cubicTo(-0.5, -0.39, -0.37, -0.5, -0.24, -0.5);
    p.cubicTo(-0.11, -0.5, -0.03, -0.42, 0, -0.3);
    p.cubicTo(0.03, -0.42, 0.11, -0.5, 0.24, -0.5);
    p.cubicTo(0.37, -0.5, 0.5, -0.39, 0.5, -0.2);
    p.cubicTo(0.5, 0.07, 0.16, 0.31, 0, 0.5);
    p.closeSubpath();
    return p;
}

static QPainterPath makeSpade()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.cubicTo(0.17, -0.27, 0.5, -0.1, 0.5, 0.13);
    p.cubicTo(0.5, 0.3, 0.38, 0.38, 0.26, 0.38);
    p.cubicTo(0.16, 0.38, 0.08, 0.33, 0.045, 0.25);
    p.cubicTo(0.06, 0.38, 0.11, 0.46, 0.21, 0.5);
    p.lineTo(-0.21, 0.5);
    p.cubicTo(-0.11, 0.46, -0.06, 0.38, -0.045, 0.25);
    p.cubicTo(-0.08, 0.33, -0.16, 0.38, -0.26, 0.38);
    p.cubicTo(-0.38, 0.38, -0.5, 0.3, -0.5, 0.13);
    p.cubicTo(-0.5, -0.1, -0.17, -0.27, 0, -0.5);
    p.closeSubpath();
    return p;
}

static QPainterPath makeDiamond()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.quadTo(0.16, -0.21, 0.4, 0);
    p.quadTo(0.16, 0.21, 0, 0.5);
    p.quadTo(-0.16, 0.21, -0.4, 0);
    p.quadTo(-0.16, -0.21, 0, -0.5);
    p.closeSubpath();
    return p;
}

static QPainterPath makeClub()
{
    const double r = 0.235;
    QPainterPath p;
    p.addEllipse(QPointF(0, -0.5 + r), r, r);
    p.addEllipse(QPointF(-0.5 + r, 0.08), r, r);
    p.addEllipse(QPointF(0.5 - r, 0.08), r, r);
    QPainterPath core;
    core.moveTo(0, -0.12);
    core.lineTo(0.2, 0.1);
    core.lineTo(-0.2, 0.1);
    core.closeSubpath();
    QPainterPath stem;
    stem.moveTo(0.05, 0.05);
    stem.cubicTo(0.06, 0.3, 0.11, 0.45, 0.21, 0.5);
    stem.lineTo(-0.21, 0.5);
    stem.cubicTo(-0.11, 0.45, -0.06, 0.3, -0.05, 0.05);
    stem.closeSubpath();
    return p.united(core).united(stem).simplified();
}

const QPainterPath &suitPath(int suit)
{
    static const QPainterPath paths[4] = {makeHeart(), makeSpade(), makeDiamond(), makeClub()};
    return paths[suit & 3];
}

bool isRedSuit(int suit)
{
    return suit == 0 || suit == 2;
}

QColor suitColor(int suit)
{
    return isRedSuit(suit) ? QColor(206, 22, 40) : QColor(24, 24, 30);
}

QBrush suitBrush(int suit, QPointF c, qreal h)
{
    // A faint top-to-bottom shading gives the pips some body without changing their hue.
    QLinearGradient g(c.x(), c.y() - h / 2, c.x(), c.y() + h / 2);
    if (isRedSuit(suit)) {
        g.setColorAt(0, QColor(226, 34, 52));
        g.setColorAt(1, QColor(178, 14, 30));
    } else {
        g.setColorAt(0, QColor(58, 58, 68));
        g.setColorAt(1, QColor(10, 10, 14));
    }
    return QBrush(g);
}

void drawSuit(QPainter &p, int suit, QPointF c, qreal w, qreal h, const QBrush &brush, bool flipped)
{
    // Mapped into card coordinates so a gradient brush given there lands where meant.
    QTransform t;
    t.translate(c.x(), c.y());
    if (flipped)
        t.rotate(180);
    t.scale(w, h);
    p.fillPath(t.map(suitPath(suit)), brush);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = clamp01(t);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

double smoothstep(double e0, double e1, double x)
{
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

QPainterPath cardOutline(qreal inset, qreal radius)
{
    QPainterPath p;
    p.addRoundedRect(QRectF(inset, inset, kCardW - 2 * inset, kCardH - 2 * inset), radius - inset,
                     radius - inset);
    return p;
}

} // namespace tess::art
