#include "store/appearance.h"

namespace tess
{

namespace
{

struct ColorRow {
    const char *name;
    int r, g, b;
};

// Ids 1001.. in order; the ids are stored in users' settings, so the order is fixed.
constexpr std::array<ColorRow, kLastNamedColor - kFirstNamedColor + 1> kNamedColors = {{
    {"Blue", 0, 0, 255},
    {"Brown", 165, 42, 42},
    {"Chocolate", 210, 105, 30},
    {"Corn Flower", 100, 149, 237},
    {"Crimson", 220, 20, 60},
    {"Dark Blue", 0, 0, 139},
    {"Dark Green", 0, 100, 0},
    {"Dark Magenta", 139, 0, 139},
    {"Dark Olive Green", 85, 107, 47},
    {"Dark Red", 139, 0, 0},
    {"Dark Slate Blue", 72, 61, 139},
    {"Dark Slate Gray", 47, 79, 79},
    {"Dark Violet", 148, 0, 211},
    {"Deep Pink", 255, 20, 147},
    {"Deep Sky Blue", 0, 191, 255},
    {"Forest Green", 34, 139, 34},
    {"Green", 0, 128, 0},
    {"Indigo", 75, 0, 130},
    {"Orange Red", 255, 69, 0},
    {"Purple", 128, 0, 128},
    {"Red", 255, 0, 0},
    {"Saddle Brown", 139, 69, 19},
    {"Sea Green", 46, 139, 87},
    {"Sienna", 160, 82, 45},
    {"Tomato", 255, 99, 71},
}};

constexpr std::array<PictureGroup, 8> kTextureGroups = {{
    {"Bricks", 0, 5},
    {"Marbles", 10, 3},
    {"Paper", 20, 5},
    {"Rocks", 30, 4},
    {"Stars", 40, 3},
    {"Surfaces", 50, 5},
    {"Water", 60, 5},
    {"Wood", 70, 3},
}};

// Nature holds five backs although the Customize tree offers four of them.
constexpr std::array<PictureGroup, 5> kDeckGroups = {{
    {"Flowers", 500, 3},
    {"Garden", 510, 2},
    {"Geometry", 520, 3},
    {"Misc", 530, 3},
    {"Nature", 540, 5},
}};

// The fifth Nature back still shows for a setting that names it, but is not offered.
constexpr std::array<PictureGroup, 5> kOfferedDeckGroups = {{
    {"Flowers", 500, 3},
    {"Garden", 510, 2},
    {"Geometry", 520, 3},
    {"Misc", 530, 3},
    {"Nature", 540, 4},
}};

template <size_t N> bool inGroups(const std::array<PictureGroup, N> &groups, int id)
{
    for (const PictureGroup &g : groups)
        if (id > g.base && id <= g.base + g.count)
            return true;
    return false;
}

template <size_t N> std::vector<i16> idsOf(const std::array<PictureGroup, N> &groups)
{
    std::vector<i16> ids;
    for (const PictureGroup &g : groups)
        for (int k = 1; k <= g.count; ++k)
            ids.push_back(checked16(g.base + k));
    return ids;
}

} // namespace

std::optional<NamedColor> GetCol(i16 id)
{
    if (id < kFirstNamedColor || id > kLastNamedColor)
        return std::nullopt;
    const ColorRow &row = kNamedColors[id - kFirstNamedColor];
    return NamedColor{QString::fromLatin1(row.name), row.r + 256 * row.g + 65536 * row.b};
}

i16 ColorComponent(i32 color, i16 n)
{
    if (n < 1 || n > 3 || color < 0 || color > kMaxColorValue)
        return -1;
    return static_cast<i16>((color >> (8 * (n - 1))) & 0xFF);
}

QString ResultText(i16 won)
{
    return won == 1 ? QStringLiteral("Won") : QStringLiteral("Lost");
}

const std::array<PictureGroup, 8> &textureGroups()
{
    return kTextureGroups;
}

const std::array<PictureGroup, 5> &deckGroups()
{
    return kDeckGroups;
}

const std::array<PictureGroup, 5> &offeredDeckGroups()
{
    return kOfferedDeckGroups;
}

bool isTextureId(int id)
{
    return inGroups(kTextureGroups, id);
}

bool isDeckId(int id)
{
    return inGroups(kDeckGroups, id);
}

std::vector<i16> textureIds()
{
    return idsOf(kTextureGroups);
}

std::vector<i16> deckIds()
{
    return idsOf(kDeckGroups);
}

std::array<BandColor, kGradientBands> gradientBands(i32 color, i16 fade)
{
    const i32 end = fade == 1 ? 0 : color;
    double start[3];
    double step[3];
    for (int c = 0; c < 3; ++c) {
        const i16 n = static_cast<i16>(c + 1);
        start[c] = ColorComponent(color, n);
        step[c] = (ColorComponent(end, n) - start[c]) / 255.0;
    }
    std::array<BandColor, kGradientBands> bands{};
    for (int i = 0; i < kGradientBands; ++i) {
        int v[3];
        for (int c = 0; c < 3; ++c) {
            double x = start[c] + i * step[c];
            if (x < 0)
                x = 0;
            v[c] = static_cast<int>(roundHalfEven(x));
        }
        bands[i] = {v[0], v[1], v[2]};
    }
    return bands;
}

int bandRow(int band, int height)
{
    // The band spans 2 of 512 units of the height.
    return static_cast<int>(roundHalfEven(2.0 * band * height / 512.0));
}

} // namespace tess
