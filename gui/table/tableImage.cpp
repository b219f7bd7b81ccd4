#include "gui/table/tableImage.h"

#include <algorithm>
#include <vector>

#include <QPainter>

#include "gui/table/pictures.h"
#include "model/cards.h"
#include "play/engine.h"
#include "store/cData.h"

namespace tess
{

namespace
{

// Twips per pixel; pictures land on whole pixels so they are copied, never resampled.
constexpr double kPixel = kTwipsPerPixel;

void drawMarker(QPainter &p, const MarkerState &m, qreal dpr)
{
    if (!m.Visible)
        return;
    const QImage pic = RightPic(m.Kind, dpr);
    if (!pic.isNull())
        p.drawImage(QPoint(qRound(m.Left / kPixel), qRound(m.Top / kPixel)), pic);
}

} // namespace

QImage renderTable(const Engine &e, const cData &data, qreal dpr)
{
    if (!(dpr > 0))
        dpr = 1;
    const int width = kTableWidth / kTwipsPerPixel, height = kTableHeight / kTwipsPerPixel;
    QImage table(qRound(width * dpr), qRound(height * dpr), QImage::Format_ARGB32_Premultiplied);
    table.setDevicePixelRatio(dpr);
    table.fill(Qt::black);
    SetBG(data.BGIndex(), table, data.Fade(), data.CustomColor());

    QPainter p(&table);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const MarkerState &m : e.HomeMarkers)
        drawMarker(p, m, dpr);
    for (const MarkerState &m : e.GoalMarkers)
        drawMarker(p, m, dpr);
    for (const MarkerState &m : e.ResMarkers)
        drawMarker(p, m, dpr);
    drawMarker(p, e.WasteMarker, dpr);
    drawMarker(p, e.StockMarker, dpr);

    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(e.Cards.size()); ++i)
        if (e.Cards[i].Visible)
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return e.Cards[a].Z < e.Cards[b].Z; });

    const QImage back = DeckPic(data.DeckIndex(), dpr);
    for (int i : order) {
        const CardState &c = e.Cards[i];
        QImage pic;
        if (c.FaceMode == 1) {
            pic = back;
        } else {
            pic = MainPic(c.FacePic, dpr);
            // A selected card shows in negative colours; its cut corners stay clear.
            if (c.Selected == -1 && !pic.isNull())
                pic.invertPixels(QImage::InvertRgb);
        }
        if (!pic.isNull())
            p.drawImage(QPoint(qRound(c.Left / kPixel), qRound(c.Top / kPixel)), pic);
    }
    return table;
}

} // namespace tess
