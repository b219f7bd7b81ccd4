// Adding, renaming and deleting players: the slots in the settings store and the score files
// named after them change together, or not at all.
#pragma once

#include <QString>

namespace tess
{

class cData;
class cScore;

constexpr int kMaxPlayerName = 64;

// A name a new or renamed player may take: it becomes a file name in the data folder.
// Names of spaces only are fine; separators, control characters, double quotes, names of
// dots only and names longer than 64 characters are not.
bool isValidPlayerName(const QString &name);

enum class PlayerOutcome {
    Done,
    Full,        // no free slot
    Invalid,     // not a valid name
    Exists,      // some slot holds the name already
    Current,     // the current player cannot be deleted
    FileTaken,   // a score file of the new name is already there
    FileFailed,  // the score file could not be renamed or deleted
    StoreFailed, // the settings file could not be written; the score file is as it was
};

struct PlayerResult {
    PlayerOutcome outcome = PlayerOutcome::Done;
    QString file; // the score file concerned, or the settings file for StoreFailed
    QString error;
    bool ok() const { return outcome == PlayerOutcome::Done; }
};

// The text the user reads; empty for Done and Full.
QString playerMessage(const PlayerResult &r);

// Each of these is done whole or not at all: when the settings file cannot take the new
// slots, the slots and the score file are put back as they were.
PlayerResult AddPlayer(cData &data, const QString &name);
// Every slot holding oldName takes newName; the score file follows the name.
PlayerResult RenamePlayer(cData &data, const cScore &score, const QString &oldName, const QString &newName);
// The score file goes only once the slots are stored without the player.
PlayerResult DeletePlayer(cData &data, const cScore &score, const QString &name);

} // namespace tess
