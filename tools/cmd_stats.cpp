// The score commands: scores, export.
#include <iostream>

#include "model/catalogue.h"
#include "store/cData.h"
#include "store/cScore.h"
#include "tools/commands.h"

namespace tess::cli
{

namespace
{

// The score files the statistics leave out, one line each on standard error.
void tellLeftOut(const cScore &score)
{
    for (const LeftOutFile &f : score.LeftOut())
        std::cerr << "tessaline-cli: left out \"" << f.Path.toStdString() << "\": " << f.Reason.toStdString()
                  << "\n";
}

} // namespace

int cmdScores(const Args &args)
{
    if (!args.empty()) {
        std::cerr << "tessaline-cli: scores takes no arguments\n";
        return 2;
    }
    cData data;
    catalogue::Init(data);
    cScore score(data);
    score.OpenAllScore();
    tellLeftOut(score);
    for (i32 i = 1; i <= score.ScoreTop(); ++i) {
        const ScoreRecord r = score.GetScore(i);
        std::cout << r.Player.toStdString() << "|"
                  << r.when().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() << "|"
                  << r.GameName.toStdString() << "|" << r.GameNo.display() << "|" << r.Time << "|" << r.Moves
                  << "|" << r.Score << "|" << r.Won << "\n";
    }
    return 0;
}

int cmdExport(const Args &args)
{
    if (args.size() != 1) {
        std::cerr << "tessaline-cli: export takes one argument, the report file to write\n";
        return 2;
    }
    const QString file = QString::fromLocal8Bit(args[0].c_str());
    cData data;
    catalogue::Init(data);
    cScore score(data);
    try {
        score.OpenAllScore();
        tellLeftOut(score);
        score.WriteReport(file);
    } catch (const ScoreFileError &ex) {
        std::cerr << "tessaline-cli: the statistics were not exported: " << ex.what() << "\n";
        return 2;
    }
    score.CloseScore();
    std::cout << "Statistics Successfully Exported to " << args[0] << "\n";
    return 0;
}

} // namespace tess::cli
