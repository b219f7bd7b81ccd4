// The program-wide objects over a throw-away settings file and data folder.
#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "app/shared.h"

namespace tess::testing
{

struct TempShared {
    QTemporaryDir dir;
    Shared shared{std::make_unique<cData>(dir.filePath("t.conf"), dir.filePath("data"))};

    cData &d() { return *shared.Data; }
    Engine &e() { return *shared.Eng; }
    // The current player's score file, a line a record.
    QStringList scoreLines()
    {
        QFile f(d().AppDir() + d().CurPlayer() + ".sre");
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
    }
};

// Puts a folder where the settings file was, for as long as it lives. File modes would not
// do: the tests run as root, who writes through any mode, but nobody can write a file over a
// folder.
struct StoreOutOfReach {
    QString file;
    explicit StoreOutOfReach(const QString &f) : file(f)
    {
        QFile::rename(file, file + ".away");
        QDir().mkdir(file);
    }
    ~StoreOutOfReach()
    {
        QDir().rmdir(file);
        QFile::rename(file + ".away", file);
    }
};

} // namespace tess::testing
