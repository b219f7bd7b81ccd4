// The two statistics actions that windows offer as buttons: the export of the text report and
// the clearing of every score file, each with its own questions and messages.
#pragma once

#include <QString>

#include "app/stores.h"
#include "store/cScore.h"

class QWidget;

namespace tess
{

// ScorePrompt through message boxes over a parent window, titled as the caller says.
class MessageBoxPrompt : public ScorePrompt
{
  public:
    explicit MessageBoxPrompt(QWidget *parent) : parent_(parent) {}
    bool askYesNo(const QString &title, const QString &text) override;
    void inform(const QString &title, const QString &text) override;

  private:
    QWidget *parent_;
};

// After OpenAllScore: names the score files left out and why, with an information icon, and
// says that the rest is shown. Nothing when every file loaded.
void ShowLeftOut(QWidget *parent, Stores stores, const QString &rest);

// Asks for a file (proposed "Scoreboard"), writes the report of every player's scores and
// confirms. Cancel ends quietly; a failure is shown and leaves no report behind. The score
// table is empty afterwards in every case. True when the report was written.
bool ExportStat(QWidget *parent, Stores stores);

// The export to a file already chosen: what follows the save dialog.
bool ExportStatTo(QWidget *parent, Stores stores, const QString &fileName);

// Asks, deletes every player's score file and confirms; a file that stays is shown.
// True when the files were deleted.
bool ClearStat(QWidget *parent, Stores stores);

} // namespace tess
