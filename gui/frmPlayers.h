// The Players window: add, rename, delete and choose the current player.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "gui/dlGInput.h"

namespace tess
{

class cData;
class cScore;

class frmPlayers : public QDialog
{
    Q_OBJECT
  public:
    frmPlayers(cData &data, const cScore &score, QWidget *parent = nullptr);

    // Opens the name dialog; the list is filled again when it closes.
    dlGInput *AskPlayerName(const QString &prompt, const QString &initial);
    void FillList();

    // The message or question on show, if any.
    QMessageBox *message() const { return message_; }
    dlGInput *input() const { return input_; }

    QListWidget *lvPlayer = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

  public slots:
    void onItemClick(QListWidgetItem *item);
    void onNew();
    void onEdit();
    void onDelete();
    void onSelect();

  private:
    QString selectedName() const;
    QMessageBox *say(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons);

    cData &data_;
    const cScore &score_;
    QPointer<QMessageBox> message_;
    QPointer<dlGInput> input_;
};

} // namespace tess
