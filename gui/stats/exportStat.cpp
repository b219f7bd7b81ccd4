#include "gui/stats/exportStat.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

#include "app/stores.h"

namespace tess
{

namespace
{

QString titleOf(const Stores &stores)
{
    return stores.Data ? stores.Data->ProdName() : QStringLiteral("Tessaline");
}

void showFailure(QWidget *parent, const Stores &stores, const QString &what, const std::exception &ex)
{
    QMessageBox::critical(parent, titleOf(stores),
                          what + QStringLiteral("\n\n") + QString::fromStdString(ex.what()));
}

} // namespace

bool MessageBoxPrompt::askYesNo(const QString &title, const QString &text)
{
    // The questions delete: Enter and Escape both answer No.
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompt::inform(const QString &title, const QString &text)
{
    QMessageBox::information(parent_, title, text);
}

void ShowLeftOut(QWidget *parent, Stores stores, const QString &rest)
{
    const std::vector<LeftOutFile> out = stores.Score->LeftOut();
    if (out.empty())
        return;
    QString text = out.size() == 1 ? QStringLiteral("This score file was left out:")
                                   : QStringLiteral("These score files were left out:");
    text += QLatin1Char('\n');
    for (const LeftOutFile &f : out)
        text += QStringLiteral("\n\"%1\": %2").arg(QDir::toNativeSeparators(f.Path), f.Reason);
    QMessageBox::information(parent, titleOf(stores), text + QStringLiteral("\n\n") + rest);
}

bool ExportStat(QWidget *parent, Stores stores)
{
    QFileDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("cdExport"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // The toolkit's filter form of "Text File (*.txt) |*.txt".
    dlg.setNameFilter(QStringLiteral("Text File (*.txt)"));
    // The user's documents, not wherever the program happened to be started.
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dlg.setDirectory(QDir(docs).exists() ? docs : QDir::homePath());
    dlg.selectFile(QStringLiteral("Scoreboard"));
    // Overwriting is confirmed by the dialog itself; no suffix is added to the chosen name.
    if (dlg.exec() != QDialog::Accepted)
        return false;
    const QStringList files = dlg.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return false;
    return ExportStatTo(parent, stores, files.first());
}

bool ExportStatTo(QWidget *parent, Stores stores, const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    cScore &score = *stores.Score;
    try {
        score.OpenAllScore();
        ShowLeftOut(parent, stores, QStringLiteral("The report holds the other players' games."));
        score.WriteReport(fileName);
    } catch (const std::exception &ex) {
        // A report was written whole or not at all; the table is emptied as on success.
        score.CloseScore();
        showFailure(parent, stores,
                    QStringLiteral("The statistics could not be exported to ") +
                        QDir::toNativeSeparators(fileName) + QLatin1Char('.'),
                    ex);
        return false;
    }
    score.CloseScore();
    QMessageBox::information(parent, titleOf(stores),
                             QStringLiteral("Statistics Successfully Exported to ") +
                                 QDir::toNativeSeparators(fileName));
    return true;
}

bool ClearStat(QWidget *parent, Stores stores)
{
    // Remembers the answer, so the caller learns whether anything was deleted.
    struct Prompt : MessageBoxPrompt {
        using MessageBoxPrompt::MessageBoxPrompt;
        bool yes = false;
        bool askYesNo(const QString &title, const QString &text) override
        {
            yes = MessageBoxPrompt::askYesNo(title, text);
            return yes;
        }
    } prompt(parent);
    cScore &score = *stores.Score;
    score.setPrompt(&prompt);
    try {
        score.ClearStat();
    } catch (const std::exception &ex) {
        score.setPrompt(nullptr);
        showFailure(parent, stores, QStringLiteral("The statistics could not be cleared."), ex);
        return false;
    }
    score.setPrompt(nullptr);
    return prompt.yes;
}

} // namespace tess
