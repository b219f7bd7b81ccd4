#include "gui/dlGInput.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/players.h"
#include "store/cData.h"

namespace tess
{

dlGInput::dlGInput(cData &data, const cScore &score, QWidget *parent)
    : QDialog(parent), data_(data), score_(score)
{
    setObjectName(QStringLiteral("dlGInput"));
    setWindowTitle(data.ProdName());
    setModal(true);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, &dlGInput::onOK);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(Label1);
    lay->addWidget(Text1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(OKButton);
    row->addWidget(CancelButton);
    lay->addLayout(row);
    setMinimumWidth(320);
}

void dlGInput::setUp(const QString &prompt, const QString &initial)
{
    Label1->setText(prompt);
    Text1->setText(initial);
    Text1->selectAll();
    Text1->setFocus();
    oldName_ = initial;
}

void dlGInput::onOK()
{
    const QString t = Text1->text(); // as typed: spaces count
    const PlayerResult r =
        oldName_.isEmpty() ? AddPlayer(data_, t) : RenamePlayer(data_, score_, oldName_, t);
    if (r.ok()) {
        accept();
        return;
    }
    // A full table stays open without a word: New already refuses a twenty-first player.
    if (r.outcome != PlayerOutcome::Full)
        refuse(playerMessage(r));
}

void dlGInput::refuse(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Critical, data_.ProdName(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this] { Text1->setFocus(); });
    refusal_ = box;
    box->open();
}

} // namespace tess
