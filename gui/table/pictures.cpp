#include "gui/table/pictures.h"

#include <algorithm>
#include <deque>
#include <map>
#include <tuple>

#include <QPainter>

#include "gui/table/artPainters.h"
#include "model/cards.h"
#include "store/appearance.h"

namespace tess
{

namespace
{

enum class Kind { Face, Marker, Back, Texture };

using Key = std::tuple<int, int, qreal>;

// Drawing a picture costs far more than looking it up: each is drawn once per ratio.
std::map<Key, QImage> &cache()
{
    static std::map<Key, QImage> pictures;
    return pictures;
}

// A table that follows the window asks for a new ratio at every size it settles on;
// only the few ratios used last are kept, or every size ever shown would stay in memory.
constexpr size_t kKeptRatios = 4;

std::deque<qreal> &recentRatios()
{
    static std::deque<qreal> ratios;
    return ratios;
}

void noteRatio(qreal dpr)
{
    auto &ratios = recentRatios();
    auto it = std::find(ratios.begin(), ratios.end(), dpr);
    if (it != ratios.end()) {
        ratios.erase(it);
        ratios.push_front(dpr);
        return;
    }
    ratios.push_front(dpr);
    if (ratios.size() <= kKeptRatios)
        return;
    const qreal dropped = ratios.back();
    ratios.pop_back();
    std::erase_if(cache(), [dropped](const auto &entry) { return std::get<2>(entry.first) == dropped; });
}

template <typename Painter> QImage cached(Kind kind, int id, qreal dpr, Painter paint)
{
    if (!(dpr > 0))
        dpr = 1;
    const Key key{static_cast<int>(kind), id, dpr};
    auto &pictures = cache();
    auto it = pictures.find(key);
    if (it != pictures.end())
        return it->second;
    noteRatio(dpr);
    QImage img = paint(id, dpr);
    pictures.emplace(key, img);
    return img;
}

// Paints in device pixels (the ratio set aside for the while), so every band and tile
// edge falls on a whole pixel at any ratio.
class DevicePixels
{
  public:
    explicit DevicePixels(QImage &img) : img_(img), dpr_(img.devicePixelRatio())
    {
        img_.setDevicePixelRatio(1);
    }
    ~DevicePixels() { img_.setDevicePixelRatio(dpr_); }
    DevicePixels(const DevicePixels &) = delete;
    DevicePixels &operator=(const DevicePixels &) = delete;
    qreal dpr() const { return dpr_; }

  private:
    QImage &img_;
    qreal dpr_;
};

void tileBackground(QImage &target, int id, qreal tileScale)
{
    DevicePixels device(target);
    QImage tile = GetPic(id, device.dpr() * tileScale);
    tile.setDevicePixelRatio(1);
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    // The first tile sits at the top-left corner; the last row and column are cut.
    for (int y = 0; y < target.height(); y += tile.height())
        for (int x = 0; x < target.width(); x += tile.width())
            p.drawImage(x, y, tile);
}

void paintGradient(QImage &target, i32 color, int fade)
{
    DevicePixels device(target);
    const auto bands = gradientBands(color, static_cast<i16>(fade == 1 ? 1 : 0));
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    // Band edges are rounded in logical rows, as at ratio 1, then scaled to the device.
    const int h = target.height();
    const int logicalH = qRound(h / device.dpr());
    auto deviceRow = [&](int band) {
        return band == kGradientBands ? h : qRound(bandRow(band, logicalH) * device.dpr());
    };
    for (int i = 0; i < kGradientBands; ++i) {
        const int top = deviceRow(i);
        const int bottom = deviceRow(i + 1);
        if (bottom > top)
            p.fillRect(QRect(0, top, target.width(), bottom - top),
                       QColor(bands[i].r, bands[i].g, bands[i].b));
    }
}

} // namespace

QImage MainPic(int index, qreal dpr)
{
    if (index < 1 || index > 52)
        return QImage();
    return cached(Kind::Face, index, dpr, art::paintFace);
}

QImage RightPic(int kind, qreal dpr)
{
    if (kind < 0 || kind > 17)
        return QImage();
    return cached(Kind::Marker, kind, dpr, art::paintMarker);
}

QImage GetPic(int id, qreal dpr)
{
    if (isDeckId(id))
        return cached(Kind::Back, id, dpr, art::paintBack);
    if (isTextureId(id))
        return cached(Kind::Texture, id, dpr, art::paintTexture);
    return QImage();
}

QImage DeckPic(int deckIndex, qreal dpr)
{
    return GetPic(isDeckId(deckIndex) ? deckIndex : kDefaultDeckIndex, dpr);
}

void SetBG(int ind, QImage &target, int mFade, i32 CustColor, qreal tileScale)
{
    if (target.isNull())
        return;
    if (!(tileScale > 0))
        tileScale = 1;
    if (ind <= 999 && isTextureId(ind)) {
        tileBackground(target, ind, tileScale);
        return;
    }
    i32 color = GetCol(kDefaultBGIndex)->color;
    if (ind == kCustomColorIndex) {
        // A custom colour outside 0..16777215 names no colour: its components would all
        // read -1 and paint the table black.
        if (CustColor >= 0 && CustColor <= kMaxColorValue)
            color = CustColor;
    } else if (ind > 0 && ind <= 32767) {
        if (auto named = GetCol(static_cast<i16>(ind)))
            color = named->color;
    }
    paintGradient(target, color, mFade);
}

qreal cardPictureRatio(int cardWidth, qreal dpr)
{
    if (!(dpr > 0))
        dpr = 1;
    // Whole device pixels across, so the cache sees one ratio per card width.
    return qRound(cardWidth * dpr) / static_cast<qreal>(kCardWidth / kTwipsPerPixel);
}

int BackgroundPeriod(int ind, qreal dpr)
{
    if (ind <= 999 && isTextureId(ind))
        return std::max(1, GetPic(ind, dpr).width());
    return 1;
}

void clearPictureCache()
{
    cache().clear();
    recentRatios().clear();
}

} // namespace tess
