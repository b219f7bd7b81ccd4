#include "gui/stats/favIcons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "gui/table/artKit.h"
#include "gui/table/brand.h"
#include "store/cScore.h"

namespace tess::favicons
{

QIcon game()
{
    return brand::appIcon();
}

QIcon number()
{
    return QIcon(QPixmap::fromImage(art::listIcon([](QPainter &p) {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 == 0 ? 7.2 : 3.0;
            const double a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt(8 + r * std::cos(a), 8.4 + r * std::sin(a));
            i == 0 ? star.moveTo(pt) : star.lineTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(170, 120, 0), 1));
        p.setBrush(QColor(250, 200, 40));
        p.drawPath(star);
    })));
}

QTreeWidgetItem *fillNumbers(QTreeWidget *list, const cScore &score, const QString &gameName)
{
    list->clear();
    const QIcon icon = number();
    QTreeWidgetItem *last = nullptr;
    for (int i = 1; i <= score.FavTop(); ++i) {
        const FavRecord f = score.GetFav(i);
        if (f.GameName != gameName)
            continue;
        last = new QTreeWidgetItem(list, QStringList{QString::fromStdString(f.GameNo.display())});
        last->setIcon(0, icon);
    }
    return last;
}

} // namespace tess::favicons
