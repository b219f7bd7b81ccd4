// Fuzzes the favourites file: fav.dat as the input, read through the store and listed.
//   make fuzz && ./build-fuzz/fuzz/fuzz_fav_file -max_total_time=60 fuzz/corpus/fuzz_fav_file
// Besides crashes it checks that the store lists exactly the lines the line reader takes, that each
// listed favourite writes out as a line that reads back the same, and that adding one to whatever the
// file holds (a last line left open included) lists it last, the others kept.
#include <cstdint>
#include <vector>

#include <QTemporaryDir>

#include "fuzz/fuzzCommon.h"
#include "store/cData.h"
#include "store/cScore.h"

using tess::fuzz::require;

namespace
{

std::vector<tess::FavRecord> listed(const tess::cScore &score)
{
    std::vector<tess::FavRecord> out;
    for (tess::i16 i = 1; i <= score.FavTop(); ++i)
        out.push_back(score.GetFav(i));
    for (tess::i16 outside : {tess::i16(0), static_cast<tess::i16>(score.FavTop() + 1)}) {
        bool threw = false;
        try {
            (void)score.GetFav(outside);
        } catch (const tess::IndexError &) {
            threw = true;
        }
        require(threw);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView file = tess::fuzz::bytes(data, size);
    QTemporaryDir home;
    require(home.isValid());
    tess::cData d(home.filePath(QStringLiteral("t.conf")), home.filePath(QStringLiteral("data")));
    tess::cScore score(d);
    require(QDir().mkpath(d.AppDir()) && tess::fuzz::writeFile(score.FavFile(), file.toByteArray()));

    score.OpenFav();
    const std::vector<tess::FavRecord> favs = listed(score);
    std::vector<tess::FavRecord> lines;
    tess::forEachLine(file, [&](QByteArrayView line) {
        if (auto f = tess::parseFavLine(line))
            lines.push_back(*f);
    });
    require(favs == lines);
    for (const tess::FavRecord &f : favs) {
        const QByteArray again = tess::formatFavLine(f);
        require(tess::parseFavLine(again.chopped(2)) == f);
    }

    const tess::FavRecord added{QStringLiteral("Klondike"), tess::GameNumber::text("12 ab")};
    score.AddFav(added.GameName, added.GameNo);
    score.OpenFav();
    std::vector<tess::FavRecord> after = listed(score);
    require(!after.empty() && after.back() == added);
    after.pop_back();
    require(after == favs);
    score.CloseFav();
    require(score.FavTop() == 0);
    return 0;
}
