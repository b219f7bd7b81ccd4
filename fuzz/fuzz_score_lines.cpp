// Fuzzes the readers of score-file and favourites lines.
//   make fuzz && ./build-fuzz/fuzz/fuzz_score_lines -max_total_time=60
// Besides crashes and sanitizer reports it checks that every line read back writes out as a line
// that reads back to the same record, and that a whole file never loads a broken record.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "store/scoreLines.h"

namespace
{

void require(bool ok)
{
    if (!ok)
        std::abort();
}

void checkScoreLine(QByteArrayView line)
{
    auto r = tess::parseScoreLine(line);
    if (!r)
        return;
    require(r->Won == 0 || r->Won == 1);
    require(r->Day.isValid() && r->At.isValid());
    // Anything the reader takes, the writer must take too (a ScoreRefused here aborts the run).
    const QByteArray again = tess::formatScoreLine(*r);
    require(again.endsWith("\r\n"));
    auto back = tess::parseScoreLine(again.chopped(2));
    require(back.has_value());
    require(*back == *r);
}

void checkFavLine(QByteArrayView line)
{
    auto f = tess::parseFavLine(line);
    if (!f)
        return;
    const QByteArray again = tess::formatFavLine(*f);
    auto back = tess::parseFavLine(again.chopped(2));
    require(back.has_value() && *back == *f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView all(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    checkScoreLine(all);
    checkFavLine(all);
    tess::forEachLine(all, [](QByteArrayView line) {
        require(!line.isEmpty() && !line.contains('\r') && !line.contains('\n'));
        checkScoreLine(line);
        checkFavLine(line);
    });
    return 0;
}
