// The splash window: shown for two seconds, or until the first click or key.
#pragma once

#include <functional>

#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace tess
{

class frmSplash : public QWidget
{
    Q_OBJECT
  public:
    explicit frmSplash(const QString &prodName, QWidget *parent = nullptr);

    QLabel *lblVersion = nullptr;
    QLabel *imgWords = nullptr;
    QTimer Timer1;
    // Called once, by whichever comes first: the timer, a click or a key.
    std::function<void()> onClose;
    void CloseSplash();

  protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;

  private:
    bool closed_ = false;
};

} // namespace tess
