// Fuzzes the settings file and what the program reads from it at start: every setting, the players
// and the recent games, then the players' score files and the favourites they lead to.
//   make fuzz && ./build-fuzz/fuzz/fuzz_settings -max_total_time=60 fuzz/corpus/fuzz_settings
// An input is the INI text of the settings file; a line "#sre" starts the text every named player's
// score file gets, a line "#fav" the favourites file (both lines are comments to the INI reader).
// Each input gets a fresh configuration and data folder, found the way the program finds them.
#include <cstdint>
#include <cstdlib>

#include <QDir>
#include <QTemporaryDir>

#include "app/shared.h"
#include "fuzz/fuzzCommon.h"

using tess::fuzz::require;

namespace
{

void readEverySetting(const tess::cData &d)
{
    for (const tess::SettingInfo &info : tess::settingTable()) {
        if (info.id == tess::Setting::CustomColor) {
            (void)d.CustomColor();
            bool threw = false;
            try {
                (void)d.get(info.id);
            } catch (const std::logic_error &) {
                threw = true;
            }
            require(threw);
            continue;
        }
        // A stored value is read back the same every time, through the cache or not.
        require(d.get(info.id) == d.get(info.id));
    }
    (void)d.LastGName();
    (void)d.CurPlayer();
    const tess::i16 total = d.TotalPlayers();
    require(total >= 0 && total <= tess::kMaxPlayers);
    const QStringList players = d.PlayerList();
    require(players.size() <= total);
    for (const QString &name : players)
        require(!name.isEmpty() && players.count(name) == 1);
    for (tess::i16 pos = 1; pos <= tess::kRecentCount; ++pos)
        (void)d.GetRecent(pos);
    const tess::i16 recent = d.RecentCount();
    require(recent >= 0 && recent <= tess::kRecentCount);
    require(d.AppDir().endsWith(QLatin1Char('/')));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto parts = tess::fuzz::splitParts(tess::fuzz::bytes(data, size), "#sre", 2);
    const auto tail = tess::fuzz::splitParts(parts[1], "#fav", 2);
    const QByteArray &ini = parts[0], &scores = tail[0], &favs = tail[1];

    QTemporaryDir home;
    require(home.isValid());
    const QString config = home.filePath(QStringLiteral("config")),
                  share = home.filePath(QStringLiteral("data"));
    require(QDir().mkpath(config + QStringLiteral("/Tessaline")) &&
            QDir().mkpath(share + QStringLiteral("/Tessaline")));
    require(tess::fuzz::writeFile(config + QStringLiteral("/Tessaline/Tessaline.conf"), ini));
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("XDG_DATA_HOME", share.toLocal8Bit());

    {
        tess::Shared shared(std::make_unique<tess::cData>());
        tess::cData &d = *shared.Data;
        require(d.storeFile() == config + QStringLiteral("/Tessaline/Tessaline.conf"));
        require(d.AppDir() == share + QStringLiteral("/Tessaline/"));
        readEverySetting(d);

        tess::cScore score(d);
        const QStringList players = score.Players();
        for (const QString &name : players) {
            // Names the store would never write a file for stay without one; a name too long for
            // the file system simply has none.
            if (tess::cScore::isFileName(name))
                tess::fuzz::writeFile(score.ScoreFile(name), scores);
        }
        if (!favs.isEmpty())
            require(tess::fuzz::writeFile(score.FavFile(), favs));

        score.OpenAllScore();
        require(score.ScoreTop() >= 0 && score.SkippedLines() >= 0);
        for (const tess::ScoreRecord &r : score.Records())
            require(players.contains(r.Player));
        (void)score.GetTotals();
        (void)score.PlayerTotalsOf(players);
        score.Sort(QString(), QString(), 0);

        score.OpenFav();
        for (tess::i16 i = 1; i <= score.FavTop(); ++i)
            (void)score.GetFav(i).GameNo.display();
    }
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    return 0;
}
