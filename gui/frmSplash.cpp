#include "gui/frmSplash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/table/brand.h"

namespace tess
{

frmSplash::frmSplash(const QString &prodName, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(prodName);
    setFixedSize(480, 280);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(28, 34, 28, 18);
    imgWords = new QLabel(this);
    imgWords->setObjectName(QStringLiteral("imgWords"));
    const qreal dpr = devicePixelRatioF();
    imgWords->setPixmap(QPixmap::fromImage(brand::wordMark(dpr)));
    imgWords->setAlignment(Qt::AlignCenter);
    lay->addWidget(imgWords);
    auto *tag = new QLabel(QStringLiteral("Thirty-three patience games of the Klondike family"), this);
    tag->setAlignment(Qt::AlignCenter);
    tag->setStyleSheet(QStringLiteral("color: #e8e0c8; font-size: 13px;"));
    lay->addWidget(tag);
    lay->addStretch();
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setText(QStringLiteral("Version : %1.%2").arg(TESS_VERSION_MAJOR).arg(TESS_VERSION_MINOR));
    lblVersion->setStyleSheet(QStringLiteral("color: #f4e6b0; font-size: 12px;"));
    auto *copy = new QLabel(QStringLiteral("Copyright (c) 2026 the Tessaline developers"), this);
    copy->setStyleSheet(QStringLiteral("color: #b8c8b8; font-size: 11px;"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblVersion);
    bottom->addStretch();
    bottom->addWidget(copy);
    lay->addLayout(bottom);

    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    Timer1.setInterval(2000);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::CloseSplash);
    Timer1.start();
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(18, 92, 52));
    g.setColorAt(1, QColor(6, 36, 20));
    p.fillRect(rect(), g);
    p.setPen(QPen(QColor(212, 175, 55), 3));
    p.drawRect(rect().adjusted(2, 2, -3, -3));
    p.setPen(QPen(QColor(212, 175, 55, 110), 1));
    p.drawRect(rect().adjusted(8, 8, -9, -9));
}

void frmSplash::mousePressEvent(QMouseEvent *)
{
    CloseSplash();
}

void frmSplash::keyPressEvent(QKeyEvent *)
{
    CloseSplash();
}

void frmSplash::CloseSplash()
{
    // The first of timer, click and key wins; the others find it closed.
    if (closed_)
        return;
    closed_ = true;
    Timer1.stop();
    hide();
    if (onClose)
        onClose();
    deleteLater();
}

} // namespace tess
