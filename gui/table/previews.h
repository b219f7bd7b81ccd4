// The catalogue's pictures: one preview of each game's opening layout, by game id.
#pragma once

#include <QImage>

namespace tess
{

class cData;

// The deal every preview shows; fixed, so a preview never changes between runs.
constexpr long long kPreviewDeal = 1;

// Game id 1..33 -> its opening table scaled down to width x height (logical pixels).
QImage gamePreview(int gameId, const cData &data, int width = 258, qreal dpr = 1);

} // namespace tess
