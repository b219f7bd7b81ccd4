// The small name dialog of the Players window: a new name, or a changed one.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace tess
{

class cData;
class cScore;

class dlGInput : public QDialog
{
    Q_OBJECT
  public:
    dlGInput(cData &data, const cScore &score, QWidget *parent = nullptr);

    // The prompt, the text and the name it replaces ("" when adding).
    void setUp(const QString &prompt, const QString &initial);
    // The refusal on show, if any.
    QMessageBox *refusal() const { return refusal_; }

    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

  public slots:
    void onOK();

  private:
    void refuse(const QString &text);

    cData &data_;
    const cScore &score_;
    QString oldName_;
    QPointer<QMessageBox> refusal_;
};

} // namespace tess
