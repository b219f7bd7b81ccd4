// What the table and the statistics show by name: the named colours, the texture and
// card-back groups, the colour arithmetic of the gradient and the result text.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QString>

#include "model/numeric.h"

namespace tess
{

// Background indices: 1..999 textures, 1000 the custom colour, 1001..1025 named colours.
constexpr i16 kCustomColorIndex = 1000;
constexpr i16 kFirstNamedColor = 1001;
constexpr i16 kLastNamedColor = 1025;
constexpr i16 kDefaultBGIndex = 1007;
constexpr i16 kDefaultDeckIndex = 531;
constexpr i32 kMaxColorValue = 16777215;

struct NamedColor {
    QString name;
    i32 color = 0; // red + 256 * green + 65536 * blue
};

// Built anew on every call; empty for an id outside 1001..1025.
std::optional<NamedColor> GetCol(i16 id);

// Byte n (1 red, 2 green, 3 blue) of a packed colour; -1 for a bad n or a colour
// outside 0..16777215.
i16 ColorComponent(i32 color, i16 n);

// "Won" for 1, "Lost" for anything else.
QString ResultText(i16 won);

// A group of pictures as the Customize trees list them: ids base + 1 .. base + count.
struct PictureGroup {
    const char *name;
    i16 base;
    i16 count;
};

// The eight texture groups (ids 1..73) and the five card-back groups (ids 501..545).
const std::array<PictureGroup, 8> &textureGroups();
const std::array<PictureGroup, 5> &deckGroups();
// The backs the Customize tree lists: 15, one fewer than there are.
const std::array<PictureGroup, 5> &offeredDeckGroups();
bool isTextureId(int id);
bool isDeckId(int id);
std::vector<i16> textureIds();
std::vector<i16> deckIds();

// One band of the table gradient as whole colour components.
struct BandColor {
    int r = 0, g = 0, b = 0;
    bool operator==(const BandColor &) const = default;
};
constexpr int kGradientBands = 256;

// The 256 bands from the colour (top) towards black when fade is 1, else flat.
// The colour must lie in 0..16777215.
std::array<BandColor, kGradientBands> gradientBands(i32 color, i16 fade);

// First row (inclusive) of band i on a target of the given height; band i ends where
// band i + 1 begins, and bandRow(256, h) == h.
int bandRow(int band, int height);

} // namespace tess
