// tessaline-cli: the engine and the stores from the command line, no display needed.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/commands.h"

using namespace tess::cli;

namespace
{

struct Command {
    const char *name;
    const char *usage;
    int (*run)(const std::vector<std::string> &args);
};

const Command kCommands[] = {
    {"games", "games", cmdGames},
    {"shuffle", "shuffle \"<game>\" <number>", cmdShuffle},
    {"deal", "deal \"<game>\" <number>", cmdDeal},
    {"play", "play \"<game>\" <number> [--autoplay 0|1]   (commands on standard input)", cmdPlay},
    {"solve", "solve \"<game>\" <number> [--limit-ms N] [--limit-nodes N] [--autoplay 0|1] [--guided STEPS]",
     cmdSolve},
    {"hint", "hint \"<game>\" <number> [--autoplay 0|1] [--limit-ms N]", cmdHint},
    {"winnable",
     "winnable \"<game>\" <first> <count> [--limit-ms N] [--limit-nodes N] [--jobs N] [--autoplay 0|1] "
     "[--each]",
     cmdWinnable},
    {"number", "number \"<game>\" [--winnable] [--range 1-15]", cmdNumber},
    {"scores", "scores", cmdScores},
    {"export", "export <file>", cmdExport},
#ifdef TESS_CLI_GUI
    {"render", "render \"<game>\" <number> <file.png>", cmdRender},
    {"sheet", "sheet <file.png> [scale]", cmdSheet},
#endif
};

int usage()
{
    std::cerr << "usage: tessaline-cli <command> ...\n";
    for (const Command &c : kCommands)
        std::cerr << "  tessaline-cli " << c.usage << "\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return usage();
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command &c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            try {
                return c.run(args);
            } catch (const std::exception &ex) {
                std::cerr << "tessaline-cli: " << ex.what() << "\n";
                return 2;
            }
        }
    }
    std::cerr << "tessaline-cli: unknown command \"" << argv[1] << "\"\n";
    return usage();
}
