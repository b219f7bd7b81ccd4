#include "gui/statusCaptions.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include "app/session.h"
#include "gui/frmMain.h"
#include "play/cTrans.h"
#include "play/mFunc.h"
#include "play/mPlay.h"

namespace tess
{

namespace
{
// A status caption of the menu bar. A figure (score, time, moves) asks for room for its widest
// value with a roomy gap before it, and gives up only the gap: its text always shows in full. The
// hint line asks for its text and, squeezed, takes what is left and ends with an ellipsis.
class StatusCaption : public QLabel
{
  public:
    StatusCaption(QWidget *parent, const QString &widest) : QLabel(parent), widest_(widest) {}
    QSize sizeHint() const override
    {
        if (widest_.isEmpty())
            return QSize(0, QLabel::sizeHint().height()); // only what the figures leave
        return QSize(kRoomyGap + std::max(advance(widest_), advance(text())), QLabel::sizeHint().height());
    }
    QSize minimumSizeHint() const override
    {
        const int w = widest_.isEmpty() || text().isEmpty() ? 0 : kTightGap + advance(text());
        return QSize(w, QLabel::minimumSizeHint().height());
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        if (widest_.isEmpty()) {
            // The hint line ends where the figures begin.
            p.drawText(rect(), Qt::AlignRight | Qt::AlignVCenter,
                       fontMetrics().elidedText(text(), Qt::ElideRight, width()));
            return;
        }
        const int gap = std::clamp(width() - advance(text()), 0, kRoomyGap);
        p.drawText(rect().adjusted(gap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(text(), Qt::ElideRight, width() - gap));
    }

  private:
    static constexpr int kRoomyGap = 20, kTightGap = 8;
    int advance(const QString &t) const { return t.isEmpty() ? 0 : fontMetrics().horizontalAdvance(t) + 1; }
    QString widest_;
};

// The captions' corner of the menu bar: it takes exactly what the menus leave, so a caption whose
// text changes is laid out again inside it without the menu bar having to notice.
class StatusCorner : public QWidget
{
  public:
    using QWidget::QWidget;
    QSize sizeHint() const override
    {
        const QSize natural = QWidget::sizeHint();
        auto *bar = qobject_cast<QMenuBar *>(parentWidget());
        if (!bar)
            return natural;
        return QSize(std::max(0, bar->width() - menusWidth(bar)), natural.height());
    }
    QSize minimumSizeHint() const override { return QSize(0, QWidget::minimumSizeHint().height()); }

  private:
    // What the menu titles take, measured as the menu bar measures them.
    static int menusWidth(const QMenuBar *bar)
    {
        const QStyle *st = bar->style();
        int w = 2 * st->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, bar) +
                2 * st->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, bar);
        const int spacing = st->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, bar);
        for (const QAction *a : bar->actions()) {
            if (!a->isVisible())
                continue;
            QStyleOptionMenuItem opt;
            opt.initFrom(bar);
            opt.menuItemType = QStyleOptionMenuItem::Normal;
            opt.text = a->text();
            const QSize text = bar->fontMetrics().size(Qt::TextShowMnemonic, a->text());
            w += st->sizeFromContents(QStyle::CT_MenuBarItem, &opt, text, bar).width() + spacing;
        }
        return w + 4; // a little slack so rounding never tips the last menu into overflow
    }
};
} // namespace

StatusCaptions addStatusCaptions(QMenuBar *bar)
{
    StatusCaptions c;
    auto *status = new StatusCorner(bar);
    auto *lay = new QHBoxLayout(status);
    lay->setContentsMargins(12, 0, 8, 0);
    lay->setSpacing(0);
    c.hint = new StatusCaption(status, QString());
    c.hint->setObjectName(QStringLiteral("mHint"));
    c.hint->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    lay->addWidget(c.hint, 1);
    // Room for the widest figure when the window has it, so the captions never jump.
    c.score = new StatusCaption(status, QStringLiteral("Score :-9999"));
    c.time = new StatusCaption(status, QStringLiteral("Time :0:00:00"));
    c.moves = new StatusCaption(status, QStringLiteral("Moves :9999"));
    for (QLabel *l : {c.score, c.time, c.moves})
        lay->addWidget(l);
    c.score->setObjectName(QStringLiteral("mScore"));
    c.time->setObjectName(QStringLiteral("mTime"));
    c.moves->setObjectName(QStringLiteral("mMoves"));
    bar->setCornerWidget(status, Qt::TopRightCorner);
    return c;
}

void frmMain::RefreshStatus()
{
    if (!shared_.Data || !shared_.Eng)
        return;
    const cData &d = *shared_.Data;
    // Each caption is set once, so an unchanged figure costs no repaint.
    QString score, time, moves;
    if (d.GameRunning) {
        if (d.ShowScore() == 1)
            score = QStringLiteral("Score :") + QString::number(session_->ComputeScore());
        if (d.ShowTime() == 1)
            time = QStringLiteral("Time :") +
                   QString::fromStdString(FormatGameTime(session_->ElapsedGameSeconds()));
        if (d.ShowMoves() == 1)
            moves = QStringLiteral("Moves :") + QString::number(shared_.Eng->Trans->GetTransID());
    }
    mScore->setText(score);
    mTime->setText(time);
    mMoves->setText(moves);
    if (!d.GameRunning)
        return;
    session_->Tick();
    RefreshStockMarker(*shared_.Eng);
}

} // namespace tess
