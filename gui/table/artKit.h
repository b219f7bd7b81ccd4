// Drawing tools shared by the picture painters: canvases, a seeded generator,
// tileable noise, the suit shapes and colour arithmetic. Everything here is
// deterministic: the same call gives the same pixels on every run.
#pragma once

#include <cstdint>
#include <functional>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace tess::art
{

constexpr int kCardW = 71;
constexpr int kCardH = 96;
constexpr qreal kCardRadius = 6.0;

// A transparent (or opaque) image of the given logical size at the given ratio.
QImage canvas(int w, int h, qreal dpr, bool opaque = false);

// An antialiased painter in logical coordinates, at any ratio of the device.
void preparePainter(QPainter &p);

// A list's icon, 16 pixels unless told: paint draws it with an antialiased painter on a clear square.
QImage listIcon(const std::function<void(QPainter &)> &paint, int size = 16);

// Small fast generator with a fixed seed; the same seed gives the same sequence everywhere.
class Rng
{
  public:
    explicit Rng(std::uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) {}
    std::uint32_t next();
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); } // [0, 1)
    double range(double a, double b) { return a + (b - a) * unit(); }
    int below(int n) { return static_cast<int>(unit() * n); }

  private:
    std::uint32_t s_;
};

std::uint32_t hash3(int x, int y, std::uint32_t seed);
// Hash to [0, 1).
inline double hashUnit(int x, int y, std::uint32_t seed)
{
    return (hash3(x, y, seed) >> 8) * (1.0 / 16777216.0);
}

// Value noise on a lattice that wraps every `period` cells in x and in y, so a tile
// sampled over [0, period) joins itself seamlessly. Result in [0, 1].
double tileNoise(double x, double y, int periodX, int periodY, std::uint32_t seed);
// Sum of octaves, each with twice the frequency (and period) of the last. Result in [0, 1].
double tileFbm(double x, double y, int periodX, int periodY, int octaves, std::uint32_t seed,
               double gain = 0.5);

// Nearest and second-nearest feature point of a wrapping cell grid (Worley noise).
struct Cell {
    double f1 = 0, f2 = 0; // distances in cell units
    int id = 0;            // a hash of the nearest cell, to colour it
    double dx = 0, dy = 0; // offset from the nearest feature point
};
Cell tileCells(double x, double y, int periodX, int periodY, std::uint32_t seed, double jitter = 0.8);

// Suits: 0 hearts, 1 spades, 2 diamonds, 3 clubs. The shape fills the unit box
// centred on the origin (diamonds are narrower).
const QPainterPath &suitPath(int suit);
bool isRedSuit(int suit);
// Fills a suit symbol centred at c, w x h logical pixels, optionally upside down.
void drawSuit(QPainter &p, int suit, QPointF c, qreal w, qreal h, const QBrush &brush, bool flipped = false);
// The pip colour of a suit, with its lighter top and darker bottom for the gradient.
QColor suitColor(int suit);
QBrush suitBrush(int suit, QPointF c, qreal h);

QColor mix(const QColor &a, const QColor &b, double t);
inline double clamp01(double v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}
double smoothstep(double e0, double e1, double x);
inline int clampByte(double v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : static_cast<int>(v + 0.5));
}

// Calls f(u, v) -> QRgb for the centre of every device pixel, with u, v logical.
template <typename F> void fillPixels(QImage &img, F f)
{
    const qreal dpr = img.devicePixelRatio();
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        const double v = (y + 0.5) / dpr;
        for (int x = 0; x < img.width(); ++x)
            line[x] = f((x + 0.5) / dpr, v);
    }
}

// The rounded outline every card, back and marker shares.
QPainterPath cardOutline(qreal inset = 0.5, qreal radius = kCardRadius);

// Paints what `draw` paints inside `area`, and the same again turned by half a turn about
// the card centre, through a mirrored layer so that both match pixel for pixel (the
// point symmetry of corner indices and court figures).
template <typename F> void drawSymmetric(QPainter &p, qreal dpr, const QRect &area, F draw)
{
    QImage layer = canvas(area.width(), area.height(), dpr);
    {
        QPainter lp(&layer);
        preparePainter(lp);
        lp.translate(-area.x(), -area.y());
        draw(lp);
    }
    // Target rectangles in design pixels hold at any ratio, below one included.
    p.drawImage(QRectF(area), layer);
    const QImage turned = layer.mirrored(true, true);
    p.drawImage(QRectF(kCardW - area.x() - area.width(), kCardH - area.y() - area.height(), area.width(),
                       area.height()),
                turned);
}

} // namespace tess::art
