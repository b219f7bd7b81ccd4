// A throw-away settings file and data folder, so no benchmark run touches the user's own.
#pragma once

#include <memory>

#include <QTemporaryDir>

#include "store/cData.h"

namespace tess::bench
{

struct TempHome {
    QTemporaryDir dir;
    std::unique_ptr<cData> data =
        std::make_unique<cData>(dir.filePath(QStringLiteral("t.conf")), dir.filePath(QStringLiteral("data")));
};

} // namespace tess::bench
