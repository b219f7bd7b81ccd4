// The About window: the product's name, version and emblem.
#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

namespace tess
{

class frmAbout : public QDialog
{
    Q_OBJECT
  public:
    explicit frmAbout(const QString &productName, QWidget *parent = nullptr);

    // A small fan of three cards, drawn here for the window and usable wherever an emblem is wanted.
    static QPixmap emblem(int size, qreal dpr);

    QLabel *lblName = nullptr;
    QLabel *lblversion = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace tess
