// What the fuzz targets share: a check that stops the run, and the split of one input into parts.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace tess::fuzz
{

// A broken property is a finding like a crash: abort, so libFuzzer keeps the input.
inline void require(bool ok)
{
    if (!ok)
        std::abort();
}

inline QByteArrayView bytes(const uint8_t *data, size_t size)
{
    return QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// The parts of an input between lines that hold exactly `marker`; a file's worth each, so one input
// can fill several files. Missing parts are empty.
inline std::vector<QByteArray> splitParts(QByteArrayView all, QByteArrayView marker, size_t count)
{
    std::vector<QByteArray> parts;
    const QByteArray sep = QByteArray("\n") + marker.toByteArray() + "\n";
    qsizetype from = 0;
    while (parts.size() + 1 < count) {
        const qsizetype at = all.indexOf(sep, from);
        if (at < 0)
            break;
        parts.push_back(all.sliced(from, at - from).toByteArray());
        from = at + sep.size();
    }
    parts.push_back(all.sliced(from).toByteArray());
    parts.resize(count);
    return parts;
}

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

} // namespace tess::fuzz
