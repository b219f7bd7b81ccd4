#include "gui/frmHistory.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QVBoxLayout>

#include "gui/table/artKit.h"
#include "model/cards.h"
#include "play/cTrans.h"

namespace tess
{

namespace
{
// A small upright card with an arrow: a move.
QImage rowPicture()
{
    return art::listIcon([](QPainter &p) {
        p.setPen(QColor(60, 60, 60));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(1.5, 1.5, 9, 13), 1.5, 1.5);
        p.setPen(QPen(QColor(160, 20, 20), 1.6));
        p.drawLine(QPointF(7, 8), QPointF(14, 8));
        p.drawLine(QPointF(11, 5), QPointF(14, 8));
        p.drawLine(QPointF(11, 11), QPointF(14, 8));
    });
}
} // namespace

QString PlaceText(int cell, int pile, int pos)
{
    return QString::fromLatin1(ConvertCell(cell)) +
           QStringLiteral(" (Pile %1, Card %2)").arg(pile + 1).arg(pos + 1);
}

frmHistory::frmHistory(Engine &engine, QWidget *parent) : QDialog(parent), e_(&engine)
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("Game History"));
    setModal(true);
    ImageList1 = rowPicture();

    lvHistory = new QTreeWidget(this);
    lvHistory->setObjectName(QStringLiteral("lvHistory"));
    lvHistory->setRootIsDecorated(false);
    lvHistory->setUniformRowHeights(true);
    lvHistory->setSelectionMode(QAbstractItemView::NoSelection);
    lvHistory->setFont(QFont(QStringLiteral("Gill Sans MT")));
    lvHistory->setColumnCount(4);
    lvHistory->setHeaderLabels(
        {QString(), QStringLiteral("Source"), QStringLiteral("Destination"), QStringLiteral("Cards")});
    const int widths[] = {1058, 4234, 4234, 1147};
    for (int c = 0; c < 4; ++c)
        lvHistory->setColumnWidth(c, twipsToPx(widths[c]));
    lvHistory->header()->setStretchLastSection(false);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(lvHistory, 1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(cmdClose);
    lay->addLayout(row);
    resize(twipsToPx(1058 + 4234 + 4234 + 1147) + 40, 420);

    CreateLV();
    e_->addLogListener(this);
}

frmHistory::~frmHistory()
{
    if (e_)
        e_->removeLogListener(this);
}

void frmHistory::CreateLV()
{
    lvHistory->clear();
    if (!e_)
        return;
    const cTrans &t = *e_->Trans;
    const QIcon icon(QPixmap::fromImage(ImageList1));
    QFont bold = lvHistory->font();
    bold.setBold(true);
    QTreeWidgetItem *current = nullptr;
    QList<QTreeWidgetItem *> rows;
    for (int b = 1; b <= t.GetTransLast(); ++b) {
        const TransRecord &e = t.Entry(b);
        auto *item = new QTreeWidgetItem;
        item->setText(0, QString::number(b));
        item->setIcon(0, icon);
        item->setText(1, PlaceText(e.SrcCell, e.SrcPile, e.SrcPos));
        item->setText(2, PlaceText(e.DCell, e.DPile, e.DPos));
        item->setText(3, QString::number(e.mCards + 1));
        if (b == t.GetTransID()) {
            current = item;
            for (int c = 0; c < 4; ++c) {
                item->setForeground(c, QColor(128, 0, 0));
                item->setFont(c, bold);
            }
        } else if (b > t.GetTransID()) {
            for (int c = 0; c < 4; ++c)
                item->setForeground(c, QColor(128, 128, 0));
        }
        rows << item;
    }
    lvHistory->addTopLevelItems(rows);
    if (current) {
        lvHistory->setCurrentItem(current); // keyboard focus, if any, marks the current entry too
        lvHistory->scrollToItem(current);
    }
}

} // namespace tess
