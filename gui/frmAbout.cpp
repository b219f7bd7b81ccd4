#include "gui/frmAbout.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/table/brand.h"

namespace tess
{

namespace
{

#define TESS_STR2(x) #x
#define TESS_STR(x) TESS_STR2(x)

QPainterPath heartPath(const QPointF &c, qreal s)
{
    QPainterPath p;
    p.moveTo(c.x(), c.y() + 0.45 * s);
    p.cubicTo(c.x() - 0.55 * s, c.y() + 0.05 * s, c.x() - 0.55 * s, c.y() - 0.45 * s, c.x() - 0.25 * s,
              c.y() - 0.45 * s);
    p.cubicTo(c.x() - 0.08 * s, c.y() - 0.45 * s, c.x(), c.y() - 0.32 * s, c.x(), c.y() - 0.22 * s);
    p.cubicTo(c.x(), c.y() - 0.32 * s, c.x() + 0.08 * s, c.y() - 0.45 * s, c.x() + 0.25 * s,
              c.y() - 0.45 * s);
    p.cubicTo(c.x() + 0.55 * s, c.y() - 0.45 * s, c.x() + 0.55 * s, c.y() + 0.05 * s, c.x(),
              c.y() + 0.45 * s);
    p.closeSubpath();
    return p;
}

QPainterPath spadePath(const QPointF &c, qreal s)
{
    // An upside-down heart with a flared stem.
    QPainterPath leaf = heartPath(QPointF(0, 0), s);
    QTransform flip;
    flip.translate(c.x(), c.y() - 0.08 * s);
    flip.scale(1, -1);
    QPainterPath p = flip.map(leaf);
    QPainterPath stem;
    stem.moveTo(c.x(), c.y() + 0.05 * s);
    stem.quadTo(c.x() + 0.04 * s, c.y() + 0.38 * s, c.x() + 0.2 * s, c.y() + 0.5 * s);
    stem.lineTo(c.x() - 0.2 * s, c.y() + 0.5 * s);
    stem.quadTo(c.x() - 0.04 * s, c.y() + 0.38 * s, c.x(), c.y() + 0.05 * s);
    return p.united(stem);
}

QPainterPath diamondPath(const QPointF &c, qreal s)
{
    QPainterPath p;
    p.moveTo(c.x(), c.y() - 0.5 * s);
    p.quadTo(c.x() + 0.12 * s, c.y() - 0.15 * s, c.x() + 0.38 * s, c.y());
    p.quadTo(c.x() + 0.12 * s, c.y() + 0.15 * s, c.x(), c.y() + 0.5 * s);
    p.quadTo(c.x() - 0.12 * s, c.y() + 0.15 * s, c.x() - 0.38 * s, c.y());
    p.quadTo(c.x() - 0.12 * s, c.y() - 0.15 * s, c.x(), c.y() - 0.5 * s);
    return p;
}

// A plain card face with its suit in the top corner (the part a fan leaves in view) and in the middle.
void drawCard(QPainter &p, const QRectF &r, QPainterPath (*pip)(const QPointF &, qreal), const QColor &ink)
{
    const qreal radius = r.width() * 0.12;
    p.setPen(QPen(QColor(0, 0, 0, 40), r.width() * 0.06));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.translated(r.width() * 0.03, r.width() * 0.05), radius, radius);
    QLinearGradient face(r.topLeft(), r.bottomRight());
    face.setColorAt(0, QColor(255, 255, 255));
    face.setColorAt(1, QColor(236, 239, 234));
    p.setPen(QPen(QColor(60, 66, 70), r.width() * 0.025));
    p.setBrush(face);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(pip(QPointF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.15), r.width() * 0.24));
    p.drawPath(pip(r.center(), r.width() * 0.5));
}

} // namespace

QPixmap frmAbout::emblem(int size, qreal dpr)
{
    QPixmap pm(QSize(size, size) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    const qreal w = size * 0.42, h = w * 1.4;
    const QRectF card(-w / 2, -h, w, h); // pivot at the bottom centre, where the fan is held
    struct Fanned {
        qreal angle;
        QPainterPath (*pip)(const QPointF &, qreal);
        QColor ink;
    };
    const Fanned cards[] = {
        {-22, spadePath, QColor(30, 34, 38)},
        {0, diamondPath, QColor(196, 30, 42)},
        {22, heartPath, QColor(196, 30, 42)},
    };
    for (const Fanned &f : cards) {
        p.save();
        p.translate(size / 2.0, size * 0.9);
        p.rotate(f.angle);
        drawCard(p, card, f.pip, f.ink);
        p.restore();
    }
    return pm;
}

frmAbout::frmAbout(const QString &productName, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + productName);
    setWindowIcon(brand::appIcon());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(emblem(96, devicePixelRatioF()));
    Image1->setFixedSize(96, 96);

    lblName = new QLabel(productName, this);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont nameFont = lblName->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.9);
    nameFont.setBold(true);
    lblName->setFont(nameFont);
    lblName->setStyleSheet(QStringLiteral("color: #1b5e34;"));

    lblversion = new QLabel(
        QStringLiteral("Version " TESS_STR(TESS_VERSION_MAJOR) "." TESS_STR(TESS_VERSION_MINOR)), this);
    lblversion->setObjectName(QStringLiteral("lblversion"));
    lblversion->setStyleSheet(QStringLiteral("color: #5a6166;"));

    auto *lblAbout = new QLabel(tr("33 patience games to play, replay and master. Every deal has a number, "
                                   "so any game can be dealt again exactly as before."),
                                this);
    lblAbout->setObjectName(QStringLiteral("lblAbout"));
    lblAbout->setWordWrap(true);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *lblCopyright = new QLabel(QStringLiteral("Copyright (c) 2026 the Tessaline developers"), this);
    lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
    lblCopyright->setStyleSheet(QStringLiteral("color: #5a6166;"));

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(88);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(lblName);
    text->addWidget(lblversion);
    text->addSpacing(8);
    text->addWidget(lblAbout);
    text->addStretch(1);

    auto *top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblCopyright, 1);
    bottom->addWidget(cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);

    setFixedSize(440, sizeHint().height());
}

} // namespace tess
