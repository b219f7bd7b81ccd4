#include "gui/table/previews.h"

#include <QHash>

#include "gui/table/tableImage.h"
#include "model/cards.h"
#include "model/catalogue.h"
#include "play/engine.h"

namespace tess
{

QImage gamePreview(int gameId, const cData &data, int width, qreal dpr)
{
    // Dealt from the catalogue itself, so a preview always matches its game's rules.
    static QHash<QString, QImage> cache;
    const QString key = QStringLiteral("%1/%2/%3").arg(gameId).arg(width).arg(dpr);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    Engine e;
    e.NewGame(catalogue::GameName(gameId), kPreviewDeal);
    const QImage full = renderTable(e, data, dpr);
    // Frame what was dealt, not the empty cloth below it, at the preview's own proportions.
    QRectF used;
    auto include = [&](bool visible, double left, double top) {
        if (visible)
            used |= QRectF(twipsToPixels(left), twipsToPixels(top), twipsToPixels(kCardWidth),
                           twipsToPixels(kCardHeight));
    };
    for (const CardState &c : e.Cards)
        include(c.Visible, c.Left, c.Top);
    for (const auto *arr : {&e.HomeMarkers})
        for (const MarkerState &m : *arr)
            include(m.Visible, m.Left, m.Top);
    for (const MarkerState &m : e.GoalMarkers)
        include(m.Visible, m.Left, m.Top);
    for (const MarkerState &m : e.ResMarkers)
        include(m.Visible, m.Left, m.Top);
    include(e.StockMarker.Visible, e.StockMarker.Left, e.StockMarker.Top);
    const double aspect = 747.0 / 1032.0;
    used.adjust(-14, -14, 14, 14);
    if (used.height() < used.width() * aspect)
        used.adjust(0, 0, 0, used.width() * aspect - used.height());
    else
        used.adjust(-(used.height() / aspect - used.width()) / 2, 0,
                    (used.height() / aspect - used.width()) / 2, 0);
    used &= QRectF(0, 0, 1032, 747);
    const QRect crop(qRound(used.x() * dpr), qRound(used.y() * dpr), qRound(used.width() * dpr),
                     qRound(used.height() * dpr));
    QImage small = full.copy(crop).scaled(qRound(width * dpr), qRound(width * aspect * dpr),
                                          Qt::KeepAspectRatio, Qt::SmoothTransformation);
    small.setDevicePixelRatio(dpr);
    cache.insert(key, small);
    return small;
}

} // namespace tess
