// The painters behind the picture lookups: each draws one picture afresh, uncached.
#pragma once

#include <QImage>
#include <QSize>

namespace tess::art
{

// Face 1..52 (suit * 13 + rank + 1); a null image outside.
QImage paintFace(int index, qreal dpr);
// Pile marker 0..17; a null image outside.
QImage paintMarker(int kind, qreal dpr);
// Card back by its id (501..545); a null image for an id that names no back.
QImage paintBack(int id, qreal dpr);
// Table texture by its id (1..73); a null image for an id that names no texture.
QImage paintTexture(int id, qreal dpr);
// Logical size of a texture tile; empty for an unknown id.
QSize textureSize(int id);

} // namespace tess::art
