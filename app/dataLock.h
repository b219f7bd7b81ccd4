// One running copy per data folder: two copies would append to the same score files and
// write the same settings, each over the other's.
#pragma once

#include <QLockFile>
#include <QString>

namespace tess
{

inline constexpr const char *kLockFileName = "tessaline.lock";

class DataFolderLock
{
  public:
    enum class State {
        Held,        // this copy holds the folder
        InUse,       // another running copy holds it
        Unavailable, // no lock can be made there (an unwritable folder); the copy runs unguarded
    };

    // folder is the data folder (cData::AppDir()); it is made when missing.
    explicit DataFolderLock(const QString &folder);

    State state() const { return state_; }
    QString folder() const { return folder_; }
    QString lockFile() const { return lock_.fileName(); }

  private:
    QString folder_;
    QLockFile lock_;
    State state_ = State::Unavailable;
};

// What a second copy tells the player before it ends.
QString secondCopyMessage(const QString &prodName, const QString &folder);

} // namespace tess
