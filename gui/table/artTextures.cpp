// Table textures: tiles computed pixel by pixel from wrapping noise, so each one joins
// itself seamlessly and stays sharp at any device pixel ratio.
#include <cmath>
#include <functional>

#include "gui/table/artKit.h"
#include "gui/table/artPainters.h"
#include "store/appearance.h"

namespace tess::art
{

namespace
{

struct Col {
    double r = 0, g = 0, b = 0;
    Col operator+(const Col &o) const { return {r + o.r, g + o.g, b + o.b}; }
    Col operator*(double k) const { return {r * k, g * k, b * k}; }
    QRgb rgb() const { return qRgb(clampByte(r), clampByte(g), clampByte(b)); }
};

Col lerp(const Col &a, const Col &b, double t)
{
    return a * (1 - t) + b * t;
}

// Colour ramp through evenly spaced stops, t in [0, 1].
Col ramp(std::initializer_list<Col> stops, double t)
{
    const int n = static_cast<int>(stops.size());
    t = clamp01(t) * (n - 1);
    const int i = std::min(n - 2, static_cast<int>(t));
    return lerp(stops.begin()[i], stops.begin()[i + 1], t - i);
}

struct Recipe {
    int w, h;
    std::function<void(QImage &)> paint;
};

// Noise sampled over a tile: `cells` lattice cells across its width and height.
double fbm(double u, double v, int w, int h, int cellsX, int cellsY, int octaves, std::uint32_t seed,
           double gain = 0.5)
{
    return tileFbm(u / w * cellsX, v / h * cellsY, cellsX, cellsY, octaves, seed, gain);
}

Cell cells(double u, double v, int w, int h, int nx, int ny, std::uint32_t seed, double jitter = 0.85)
{
    return tileCells(u / w * nx, v / h * ny, nx, ny, seed, jitter);
}

// Draws with a painter on the tile, repeated at the eight neighbouring offsets so that
// shapes crossing an edge come back in at the opposite one.
template <typename F> void paintWrapped(QImage &img, int w, int h, F draw)
{
    QPainter p(&img);
    preparePainter(p);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            p.save();
            p.translate(dx * w, dy * h);
            draw(p);
            p.restore();
        }
    }
}

// --- Bricks ---

struct BrickLook {
    int brickW, rowH;
    double mortar;
    Col brick, brickAlt, mortarCol;
    double variation;
    std::uint32_t seed;
};

// Running bond: every other course shifted by half a brick.
Col brickAt(double u, double v, int w, int h, const BrickLook &k)
{
    const int rows = h / k.rowH;
    const int row = static_cast<int>(std::floor(v / k.rowH));
    const double x = u + (row % 2) * k.brickW / 2.0;
    const int col = static_cast<int>(std::floor(x / k.brickW));
    const double lx = x - col * k.brickW, ly = v - row * k.rowH;
    const int wcol = ((col % (w / k.brickW)) + (w / k.brickW)) % (w / k.brickW);
    const double edge = std::min(std::min(lx, k.brickW - lx), std::min(ly, k.rowH - ly));
    const double inside = smoothstep(k.mortar / 2 - 0.45, k.mortar / 2 + 0.45, edge);
    const double tint = hashUnit(wcol, row % rows, k.seed);
    Col b = lerp(k.brick, k.brickAlt, tint);
    const double grain = fbm(u, v, w, h, w / 8, h / 8, 3, k.seed + 7);
    const double speck = fbm(u, v, w, h, w / 2, h / 2, 1, k.seed + 8);
    b = b * (1 + k.variation * (grain - 0.5) + 0.12 * (speck - 0.5));
    // Light from the top left: a bright upper edge and a shaded lower one.
    const double bevel = smoothstep(k.mortar / 2, k.mortar / 2 + 2.5, edge);
    const double lit = (ly < k.rowH / 2.0 && ly < lx + 2) ? 1.08 : 0.9;
    b = b * (lit + (1 - lit) * bevel);
    const double m = fbm(u, v, w, h, w / 4, h / 4, 2, k.seed + 3);
    const Col mortar = k.mortarCol * (0.85 + 0.3 * m);
    return lerp(mortar, b, inside);
}

void bricks(QImage &img, int w, int h, const BrickLook &k)
{
    fillPixels(img, [&](double u, double v) { return brickAt(u, v, w, h, k).rgb(); });
}

// Basket weave: square cells of two bricks, laid across and along in turn.
void basketWeave(QImage &img, int w, int h)
{
    const double cell = 32, mortar = 2.2;
    fillPixels(img, [&](double u, double v) {
        const int cx = static_cast<int>(u / cell), cy = static_cast<int>(v / cell);
        double lx = u - cx * cell, ly = v - cy * cell;
        const bool across = (cx + cy) % 2 == 0;
        if (!across)
            std::swap(lx, ly);
        const int half = ly < cell / 2 ? 0 : 1;
        const double by = ly - half * cell / 2;
        const double edge = std::min(std::min(lx, cell - lx), std::min(by, cell / 2 - by));
        const double inside = smoothstep(mortar / 2 - 0.45, mortar / 2 + 0.45, edge);
        const double tint = hashUnit(cx * 2 + half, cy, 4);
        Col b = lerp(Col{196, 128, 70}, Col{214, 158, 96}, tint);
        b = b * (0.9 + 0.2 * fbm(u, v, w, h, 16, 16, 3, 44));
        b = b * (0.92 + 0.08 * smoothstep(mortar / 2, mortar / 2 + 2.5, edge));
        const Col m = Col{222, 212, 192} * (0.88 + 0.2 * fbm(u, v, w, h, 32, 32, 2, 45));
        return lerp(m, b, inside).rgb();
    });
}

// --- Marbles ---

void marble(QImage &img, int w, int h, Col base, Col deep, Col vein, double sharp, std::uint32_t seed)
{
    fillPixels(img, [&](double u, double v) {
        const double t = fbm(u, v, w, h, 2, 2, 6, seed);
        const double cloud = fbm(u, v, w, h, 3, 3, 4, seed + 9);
        // Veins: the wandering zero lines of a wave that wraps a whole number of times
        // across the tile, bent by turbulence.
        const double wave = std::sin(2 * M_PI * (2 * u / w + v / h) + 8 * t);
        const double veins = std::pow(1 - std::abs(wave), sharp);
        const double t2 = fbm(u, v, w, h, 3, 3, 5, seed + 3);
        const double fine = std::sin(2 * M_PI * (u / w - 3 * v / h) + 9 * t2);
        const double fineVeins = std::pow(1 - std::abs(fine), sharp * 2.5) * 0.55;
        Col c = lerp(deep, base, smoothstep(0.25, 0.75, cloud));
        c = lerp(c, vein, clamp01(veins + fineVeins));
        return c.rgb();
    });
}

// --- Paper ---

void paperFibres(QImage &img, int w, int h, std::uint32_t seed, const QColor &ink, int count, double len)
{
    Rng rng(seed);
    struct Fibre {
        QPointF a, c1, c2, b;
        double width;
    };
    std::vector<Fibre> fibres;
    for (int i = 0; i < count; ++i) {
        const QPointF a(rng.range(0, w), rng.range(0, h));
        const double ang = rng.range(0, 2 * M_PI);
        const double l = rng.range(len * 0.4, len);
        const QPointF d(std::cos(ang) * l, std::sin(ang) * l);
        const QPointF bend(rng.range(-l, l) * 0.3, rng.range(-l, l) * 0.3);
        fibres.push_back({a, a + d / 3 + bend, a + d * 2 / 3 - bend, a + d, rng.range(0.3, 0.7)});
    }
    paintWrapped(img, w, h, [&](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        for (const Fibre &f : fibres) {
            QPainterPath path(f.a);
            path.cubicTo(f.c1, f.c2, f.b);
            p.setPen(QPen(ink, f.width, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(path);
        }
    });
}

void flecks(QImage &img, int w, int h, std::uint32_t seed, int count, std::initializer_list<QColor> colors)
{
    Rng rng(seed);
    std::vector<std::pair<QPointF, int>> dots;
    for (int i = 0; i < count; ++i)
        dots.push_back(
            {QPointF(rng.range(0, w), rng.range(0, h)), rng.below(static_cast<int>(colors.size()))});
    std::vector<double> sizes;
    for (int i = 0; i < count; ++i)
        sizes.push_back(rng.range(0.35, 0.9));
    paintWrapped(img, w, h, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        for (size_t i = 0; i < dots.size(); ++i) {
            p.setBrush(colors.begin()[dots[i].second]);
            p.drawEllipse(dots[i].first, sizes[i], sizes[i] * 0.8);
        }
    });
}

// --- Stars ---

void starfield(QImage &img, int w, int h, std::uint32_t seed, int count, bool sparkles)
{
    Rng rng(seed);
    struct Star {
        QPointF at;
        double r, bright;
        QColor color;
    };
    std::vector<Star> stars;
    for (int i = 0; i < count; ++i) {
        const double roll = rng.unit();
        QColor c(255, 255, 255);
        if (roll < 0.1)
            c = QColor(170, 200, 255);
        else if (roll < 0.16)
            c = QColor(255, 220, 170);
        const double big = rng.unit();
        stars.push_back({QPointF(rng.range(0, w), rng.range(0, h)),
                         big > 0.93 ? rng.range(0.8, 1.3) : rng.range(0.25, 0.6), rng.range(0.35, 1), c});
    }
    paintWrapped(img, w, h, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        for (const Star &s : stars) {
            QColor c = s.color;
            c.setAlphaF(static_cast<float>(s.bright));
            if (s.r > 0.75) {
                QRadialGradient halo(s.at, s.r * 4);
                QColor soft = c;
                soft.setAlphaF(static_cast<float>(s.bright * 0.35));
                halo.setColorAt(0, soft);
                halo.setColorAt(1, QColor(0, 0, 0, 0));
                p.setBrush(halo);
                p.drawEllipse(s.at, s.r * 4, s.r * 4);
                if (sparkles) {
                    // Four-pointed glints on the brightest.
                    QColor ray = c;
                    ray.setAlphaF(static_cast<float>(s.bright * 0.8));
                    p.setPen(QPen(ray, 0.5, Qt::SolidLine, Qt::RoundCap));
                    p.drawLine(s.at - QPointF(s.r * 6, 0), s.at + QPointF(s.r * 6, 0));
                    p.drawLine(s.at - QPointF(0, s.r * 6), s.at + QPointF(0, s.r * 6));
                    p.setPen(Qt::NoPen);
                }
            }
            p.setBrush(c);
            p.drawEllipse(s.at, s.r, s.r);
        }
    });
}

// --- Wood ---

struct WoodLook {
    Col light, dark;
    double ringFreq; // grain lines per logical pixel across the grain
    double warp;     // how far the grain wanders
    int plankH;      // 0 for no planks
    double figure;   // strength of the ribbon figure across the grain
    std::uint32_t seed;
};

void wood(QImage &img, int w, int h, const WoodLook &k)
{
    fillPixels(img, [&](double u, double v) {
        int plank = 0;
        double lv = v;
        double seam = 1;
        if (k.plankH > 0) {
            plank = static_cast<int>(v / k.plankH);
            lv = v - plank * k.plankH;
            const double edge = std::min(lv, k.plankH - lv);
            // Butt joints at a different place along each plank.
            const double joint = hashUnit(plank, 0, k.seed) * w;
            const double du = std::abs(std::remainder(u - joint, static_cast<double>(w)));
            seam = smoothstep(0.2, 1.1, std::min(edge, du));
        }
        const double off = hashUnit(plank, 1, k.seed) * 40;
        const double warpN = fbm(u, v + off, w, h, 2, 8, 4, k.seed + plank);
        const double g = (lv + off + k.warp * warpN) * k.ringFreq;
        const double rings = 0.5 + 0.5 * std::sin(2 * M_PI * g);
        const double sharpRings = std::pow(rings, 3);
        const double fine = fbm(u, v, w, h, 4, 64, 2, k.seed + 17);
        const double ribbon = 0.5 + 0.5 * std::sin(2 * M_PI * (u / w * 6 + 2 * warpN));
        double t = 0.55 * sharpRings + 0.3 * fine + k.figure * (ribbon - 0.5);
        Col c = lerp(k.light, k.dark, clamp01(t));
        c = c * (0.94 + 0.12 * hashUnit(plank, 2, k.seed)) * (0.55 + 0.45 * seam);
        return c.rgb();
    });
}

// --- Water ---

double caustic(double u, double v, int w, int h, int n, std::uint32_t seed)
{
    // Bright network where two cells meet, warped so the lines ripple, in two sizes.
    const double wu = u + 14 * (fbm(u, v, w, h, 3, 3, 3, seed) - 0.5);
    const double wv = v + 14 * (fbm(u, v, w, h, 3, 3, 3, seed + 1) - 0.5);
    const Cell big = cells(wu, wv, w, h, n, n, seed + 2);
    const Cell small = cells(wu, wv, w, h, 2 * n, 2 * n, seed + 3);
    const double a = std::pow(1 - smoothstep(0.0, 0.16, big.f2 - big.f1), 2.5);
    const double b = std::pow(1 - smoothstep(0.0, 0.2, small.f2 - small.f1), 3);
    return clamp01(a + 0.45 * b);
}

std::vector<Recipe> buildRecipes()
{
    std::vector<Recipe> s(74, Recipe{0, 0, nullptr});
    // Bricks.
    s[1] = {256, 160, [](QImage &img) {
                bricks(img, 256, 160, {64, 20, 2.4, {168, 66, 44}, {140, 50, 36}, {196, 188, 172}, 0.35, 11});
            }};
    s[2] = {256, 160, [](QImage &img) {
                bricks(img, 256, 160, {64, 20, 2.0, {92, 50, 46}, {70, 40, 44}, {64, 62, 58}, 0.45, 12});
            }};
    s[3] = {256, 192, [](QImage &img) {
                bricks(img, 256, 192, {64, 32, 3.0, {150, 148, 140}, {118, 116, 110}, {82, 80, 76}, 0.6, 13});
            }};
    s[4] = {128, 128, [](QImage &img) { basketWeave(img, 128, 128); }};
    s[5] = {
        256, 160, [](QImage &img) {
            bricks(img, 256, 160, {64, 20, 2.2, {238, 234, 224}, {222, 218, 206}, {186, 182, 172}, 0.12, 15});
        }};
    // Marbles.
    s[11] = {256, 256, [](QImage &img) {
                 marble(img, 256, 256, {30, 110, 74}, {10, 52, 34}, {210, 240, 220}, 12, 21);
             }};
    s[12] = {256, 256, [](QImage &img) {
                 marble(img, 256, 256, {240, 240, 236}, {214, 214, 212}, {110, 116, 124}, 10, 22);
             }};
    s[13] = {256, 256, [](QImage &img) {
                 marble(img, 256, 256, {34, 32, 36}, {12, 12, 14}, {214, 172, 90}, 18, 23);
             }};
    // Paper.
    s[21] = {256, 256, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double blot = fbm(u, v, 256, 256, 5, 5, 5, 31);
                     const double grain = fbm(u, v, 256, 256, 64, 64, 2, 32);
                     Col c = ramp({{190, 150, 96}, {224, 200, 150}, {240, 224, 182}}, blot * 1.3 - 0.05);
                     return (c * (0.95 + 0.1 * grain)).rgb();
                 });
             }};
    s[22] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double cloud = fbm(u, v, 128, 128, 6, 6, 4, 33);
                     return (Col{246, 244, 236} * (0.96 + 0.05 * cloud)).rgb();
                 });
                 paperFibres(img, 128, 128, 34, QColor(200, 196, 180, 110), 90, 22);
             }};
    s[23] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double streak = fbm(u, v, 128, 128, 4, 48, 3, 35);
                     const double blot = fbm(u, v, 128, 128, 3, 3, 3, 36);
                     Col c = lerp(Col{150, 104, 62}, Col{186, 140, 92}, streak);
                     return (c * (0.92 + 0.12 * blot)).rgb();
                 });
                 paperFibres(img, 128, 128, 37, QColor(110, 74, 40, 70), 60, 14);
             }};
    s[24] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double cloud = fbm(u, v, 128, 128, 8, 8, 4, 38);
                     return (Col{196, 204, 214} * (0.94 + 0.1 * cloud)).rgb();
                 });
                 flecks(img, 128, 128, 39, 140,
                        {QColor(120, 120, 130, 200), QColor(90, 120, 180, 200), QColor(200, 120, 120, 200),
                         QColor(250, 250, 250, 220)});
             }};
    s[25] = {128, 128, [](QImage &img) {
                 // Crumpled: facets that each catch the light at their own angle, with creases.
                 fillPixels(img, [](double u, double v) {
                     const Cell c = cells(u, v, 128, 128, 5, 5, 40);
                     const double tilt = (c.id % 1000) / 1000.0;
                     const double slope = (c.dx * 0.6 - c.dy * 0.8) * (tilt - 0.5) * 0.9;
                     const double crease = smoothstep(0.0, 0.08, c.f2 - c.f1);
                     const double grain = fbm(u, v, 128, 128, 24, 24, 2, 41);
                     double lum = 0.93 + 0.07 * (tilt - 0.5) + 0.45 * slope;
                     lum *= 0.93 + 0.07 * crease;
                     return (Col{242, 234, 214} * (lum * (0.97 + 0.05 * grain))).rgb();
                 });
             }};
    // Rocks.
    s[31] = {128, 128, [](QImage &img) {
                 // Granite: interlocked crystals of grey, white, pink and black.
                 fillPixels(img, [](double u, double v) {
                     const Cell c = cells(u, v, 128, 128, 30, 30, 51, 0.95);
                     const double kind = (c.id % 1000) / 1000.0;
                     const double shade = ((c.id / 1000) % 100) / 100.0;
                     Col col;
                     if (kind < 0.42)
                         col = Col{142, 140, 142};
                     else if (kind < 0.68)
                         col = Col{212, 208, 204};
                     else if (kind < 0.86)
                         col = Col{198, 150, 138};
                     else
                         col = Col{40, 38, 42};
                     col = col * (0.86 + 0.24 * shade);
                     const double edge = smoothstep(0.0, 0.1, c.f2 - c.f1);
                     const double cloud = fbm(u, v, 128, 128, 4, 4, 3, 52);
                     return (col * ((0.9 + 0.1 * edge) * (0.92 + 0.14 * cloud))).rgb();
                 });
             }};
    s[32] = {
        128, 128, [](QImage &img) {
            fillPixels(img, [](double u, double v) {
                const double warpN = fbm(u, v, 128, 128, 2, 4, 4, 55);
                const double strata = 0.5 + 0.5 * std::sin(2 * M_PI * (5 * v / 128 + 1.8 * warpN));
                const double fine = fbm(u, v, 128, 128, 8, 48, 2, 56);
                Col c = ramp({{178, 112, 64}, {212, 156, 96}, {232, 194, 134}}, 0.7 * strata + 0.3 * fine);
                const double grain = fbm(u, v, 128, 128, 48, 48, 1, 57);
                return (c * (0.92 + 0.14 * grain)).rgb();
            });
        }};
    s[33] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double layers = fbm(u, v, 128, 128, 2, 16, 4, 58);
                     const double flake = fbm(u, v, 128, 128, 6, 24, 3, 59);
                     Col c = lerp(Col{46, 54, 64}, Col{86, 98, 110}, layers);
                     const double ridge = smoothstep(0.48, 0.52, flake) - smoothstep(0.52, 0.6, flake);
                     return (c * (0.9 + 0.25 * ridge)).rgb();
                 });
             }};
    s[34] = {
        128, 128, [](QImage &img) {
            // Pebbles: rounded stones, each its own colour, with dark gaps between.
            fillPixels(img, [](double u, double v) {
                const Cell c = cells(u, v, 128, 128, 6, 6, 60, 0.7);
                const double tone = (c.id % 997) / 997.0;
                Col stone = ramp({{110, 100, 90}, {160, 150, 136}, {196, 188, 176}, {134, 120, 110}}, tone);
                const double gap = c.f2 - c.f1;
                const double dome = 1 - smoothstep(0.0, 0.55, std::hypot(c.dx + 0.12, c.dy + 0.15));
                stone = stone * (0.75 + 0.4 * dome);
                const double speck = fbm(u, v, 128, 128, 32, 32, 1, 61);
                stone = stone * (0.93 + 0.12 * speck);
                return lerp(Col{40, 36, 32}, stone, smoothstep(0.05, 0.14, gap)).rgb();
            });
        }};
    // Stars.
    s[41] = {256, 256, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double haze = fbm(u, v, 256, 256, 4, 4, 5, 71);
                     return (Col{4, 5, 14} + Col{14, 14, 30} * smoothstep(0.5, 0.8, haze)).rgb();
                 });
                 starfield(img, 256, 256, 72, 420, false);
             }};
    s[42] = {256, 256, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double a = fbm(u, v, 256, 256, 3, 3, 6, 73);
                     const double b = fbm(u, v, 256, 256, 4, 4, 6, 74);
                     Col c = Col{8, 14, 48};
                     c = c + Col{110, 40, 150} * std::pow(smoothstep(0.45, 0.85, a), 1.5);
                     c = c + Col{30, 90, 170} * std::pow(smoothstep(0.5, 0.9, b), 1.5);
                     return c.rgb();
                 });
                 starfield(img, 256, 256, 75, 300, false);
             }};
    s[43] = {256, 256, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double dust = fbm(u, v, 256, 256, 5, 5, 6, 76);
                     Col c = lerp(Col{24, 8, 40}, Col{70, 24, 90}, smoothstep(0.4, 0.85, dust));
                     return c.rgb();
                 });
                 starfield(img, 256, 256, 77, 220, true);
             }};
    // Surfaces.
    s[51] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double fibre = fbm(u, v, 128, 128, 64, 64, 2, 81);
                     const double cloud = fbm(u, v, 128, 128, 4, 4, 3, 82);
                     return (Col{18, 104, 52} * (0.9 + 0.14 * fibre + 0.06 * cloud)).rgb();
                 });
             }};
    s[52] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double streak = fbm(u, v, 128, 128, 2, 96, 3, 83);
                     const double sheen = 0.5 + 0.5 * std::cos(2 * M_PI * (u / 128));
                     return (Col{168, 172, 178} * (0.84 + 0.22 * streak + 0.06 * sheen)).rgb();
                 });
             }};
    s[53] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const Cell c = cells(u, v, 128, 128, 16, 16, 84, 0.9);
                     const double crease = smoothstep(0.02, 0.2, c.f2 - c.f1);
                     const double bump = 1 - smoothstep(0.0, 0.6, std::hypot(c.dx + 0.1, c.dy + 0.1));
                     const double tone = fbm(u, v, 128, 128, 3, 3, 4, 85);
                     Col col = lerp(Col{96, 52, 28}, Col{140, 82, 46}, tone);
                     return (col * (0.7 + 0.2 * crease + 0.15 * bump)).rgb();
                 });
             }};
    s[54] = {96, 96, [](QImage &img) {
                 // Denim: a twill where the blue warp passes over two threads and under
                 // one, which draws the diagonal ribs; 48 threads keep the rib whole
                 // across the tile's edge.
                 fillPixels(img, [](double u, double v) {
                     const double t = 2;
                     const int ix = static_cast<int>(u / t), iy = static_cast<int>(v / t);
                     const double fx = u / t - ix, fy = v / t - iy;
                     const bool warpUp = ((ix + iy) % 3) != 0;
                     const double across = warpUp ? std::sin(M_PI * fx) : std::sin(M_PI * fy);
                     const double slub =
                         warpUp ? fbm(ix * t, v, 96, 96, 48, 3, 2, 86) : fbm(u, iy * t, 96, 96, 3, 48, 2, 87);
                     Col c = warpUp ? Col{44, 70, 124} : Col{190, 194, 204};
                     c = c * (0.72 + 0.28 * across) * (0.8 + 0.4 * slub);
                     const double fade = fbm(u, v, 96, 96, 3, 3, 4, 88);
                     return lerp(c, Col{120, 150, 190}, 0.25 * smoothstep(0.5, 0.8, fade)).rgb();
                 });
             }};
    s[55] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const Cell c = cells(u, v, 128, 128, 24, 24, 88, 1.0);
                     const double tone = (c.id % 613) / 613.0;
                     Col col = ramp({{150, 96, 52}, {196, 146, 92}, {214, 170, 116}}, tone);
                     const double pit = 1 - smoothstep(0.0, 0.2, c.f1);
                     const double dots = fbm(u, v, 128, 128, 48, 48, 1, 89);
                     col = lerp(col, Col{96, 56, 30}, 0.6 * pit * smoothstep(0.5, 0.8, dots));
                     return (col * (0.9 + 0.16 * smoothstep(0.0, 0.12, c.f2 - c.f1))).rgb();
                 });
             }};
    // Water.
    s[61] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double depth = fbm(u, v, 128, 128, 3, 3, 3, 91);
                     Col c = lerp(Col{24, 130, 190}, Col{50, 176, 214}, depth);
                     return (c + Col{190, 240, 255} * (0.55 * caustic(u, v, 128, 128, 5, 92))).rgb();
                 });
             }};
    s[62] = {
        128, 128, [](QImage &img) {
            // Rain on a pond: rings spreading from a few drops. Each ring dies out
            // before half a tile, so the nearest-copy distance joins without a seam.
            Rng rng(62);
            struct Drop {
                double x, y, radius, phase;
            };
            std::vector<Drop> drops;
            for (int i = 0; i < 7; ++i)
                drops.push_back({rng.range(0, 128), rng.range(0, 128), rng.range(24, 56), rng.range(0, 6)});
            // Slope of the surface, from the rings' own derivative (the slow envelope's
            // share is left out): light comes from the top left.
            auto slope = [&](double u, double v) {
                double gu = 0, gv = 0;
                for (const Drop &d : drops) {
                    double sx = u - d.x, sy = v - d.y;
                    sx -= 128 * std::round(sx / 128);
                    sy -= 128 * std::round(sy / 128);
                    const double r = std::hypot(sx, sy);
                    if (r >= d.radius || r < 1e-6)
                        continue;
                    const double env = (1 - smoothstep(d.radius * 0.5, d.radius, r)) * smoothstep(0, 6, r);
                    const double dhdr =
                        -0.9 * std::sin(r * 0.9 - d.phase) * env * (0.6 + 0.4 * (1 - r / d.radius));
                    gu += dhdr * sx / r;
                    gv += dhdr * sy / r;
                }
                return gu + gv;
            };
            fillPixels(img, [&](double u, double v) {
                const double depth = fbm(u, v, 128, 128, 3, 3, 4, 63);
                Col c = lerp(Col{18, 64, 120}, Col{40, 104, 168}, depth);
                const double light = -0.7 * slope(u, v);
                c = c + Col{170, 210, 240} * (0.5 * smoothstep(0.1, 0.8, light));
                c = c * (1 - 0.25 * smoothstep(0.1, 0.8, -light));
                return c.rgb();
            });
        }};
    s[63] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double a = fbm(u, v, 128, 128, 2, 2, 5, 93);
                     const double b = fbm(u + 40 * a, v, 128, 128, 4, 4, 4, 94);
                     Col c = lerp(Col{4, 22, 54}, Col{14, 56, 104}, smoothstep(0.3, 0.75, a));
                     const double glint = std::pow(1 - std::abs(2 * b - 1), 8);
                     return (c + Col{60, 120, 160} * (0.3 * glint)).rgb();
                 });
             }};
    s[64] = {128, 128, [](QImage &img) {
                 fillPixels(img, [](double u, double v) {
                     const double sand = fbm(u, v, 128, 128, 4, 4, 4, 95);
                     Col c = lerp(Col{40, 180, 186}, Col{120, 214, 196}, smoothstep(0.35, 0.8, sand));
                     return (c + Col{230, 255, 240} * (0.35 * caustic(u, v, 128, 128, 4, 96))).rgb();
                 });
             }};
    s[65] = {128, 128, [](QImage &img) {
                 // Open sea in sunshine: long swells and glints where the light strikes.
                 fillPixels(img, [](double u, double v) {
                     const double bend = fbm(u, v, 128, 128, 2, 2, 3, 96);
                     const double swell = fbm(u + 24 * bend, v, 128, 128, 2, 16, 5, 97);
                     Col c = lerp(Col{14, 62, 86}, Col{46, 118, 140}, smoothstep(0.3, 0.75, swell));
                     const double glint = fbm(u + 10 * bend, v, 128, 128, 16, 48, 2, 98);
                     const double lit = smoothstep(0.45, 0.7, swell);
                     c = c + Col{220, 240, 250} * (0.75 * smoothstep(0.64, 0.82, glint) * lit);
                     return c.rgb();
                 });
             }};
    // Wood.
    s[71] = {128, 128, [](QImage &img) {
                 wood(img, 128, 128, {{206, 160, 104}, {150, 100, 56}, 0.11, 10, 32, 0.06, 101});
             }};
    s[72] = {128, 128, [](QImage &img) {
                 wood(img, 128, 128, {{110, 74, 48}, {50, 30, 20}, 0.07, 26, 0, 0.1, 102});
             }};
    s[73] = {128, 128, [](QImage &img) {
                 wood(img, 128, 128, {{168, 76, 46}, {98, 36, 24}, 0.085, 14, 0, 0.16, 103});
             }};
    return s;
}

const std::vector<Recipe> &recipes()
{
    static const std::vector<Recipe> table = buildRecipes();
    return table;
}

} // namespace

QSize textureSize(int id)
{
    if (!isTextureId(id) || id >= static_cast<int>(recipes().size()) || !recipes()[id].paint)
        return QSize();
    return QSize(recipes()[id].w, recipes()[id].h);
}

QImage paintTexture(int id, qreal dpr)
{
    const QSize size = textureSize(id);
    if (size.isEmpty())
        return QImage();
    QImage img = canvas(size.width(), size.height(), dpr, true);
    recipes()[id].paint(img);
    return img;
}

} // namespace tess::art
