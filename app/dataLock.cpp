#include "app/dataLock.h"

#include <QDir>

namespace tess
{

DataFolderLock::DataFolderLock(const QString &folder)
    : folder_(folder), lock_(QDir(folder).filePath(QLatin1String(kLockFileName)))
{
    // The lock never ages: a copy left running for days still holds its folder. A lock whose
    // process is gone (a crash) is taken over.
    lock_.setStaleLockTime(0);
    if (QDir(folder).exists() || QDir().mkpath(folder)) {
        if (lock_.tryLock(0))
            state_ = State::Held;
        else if (lock_.error() == QLockFile::LockFailedError)
            state_ = State::InUse;
    }
}

QString secondCopyMessage(const QString &prodName, const QString &folder)
{
    return QStringLiteral(
               "%1 is already running with the data folder\n%2\n\n"
               "Only one copy at a time can keep its players and scores there, so this one ends now.")
        .arg(prodName, QDir::toNativeSeparators(folder));
}

} // namespace tess
