// Commands whose stores are not built yet say so plainly.
#include <iostream>

#include "tools/commands.h"

namespace tess::cli {

static int notYet(const char *name)
{
    std::cerr << "tessaline-cli: \"" << name << "\" is not available in this build\n";
    return 2;
}

int cmdScores(const Args &) { return notYet("scores"); }
int cmdExport(const Args &) { return notYet("export"); }
int cmdRender(const Args &) { return notYet("render"); }

} // namespace tess::cli
