// Fuzzes the reader of `tessaline-cli play`: the arguments and the commands on standard input.
//   make fuzz && ./build-fuzz/fuzz/fuzz_play -max_total_time=60 fuzz/corpus/fuzz_play
// The first line of an input holds the arguments, separated by tabs as a shell would hand them over
// ("Klondike<TAB>1<TAB>--autoplay<TAB>0"); the rest is the command script. Besides crashes and the
// engine's own checks after every move it checks the exit status and that a played script ends
// with its move count and result.
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/fuzzCommon.h"
#include "tools/commands.h"

using tess::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string all(reinterpret_cast<const char *>(data), size);
    const size_t eol = all.find('\n');
    const std::string first = all.substr(0, eol);
    tess::cli::Args args;
    size_t from = 0;
    for (;;) {
        const size_t tab = first.find('\t', from);
        args.push_back(first.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
        if (tab == std::string::npos)
            break;
        from = tab + 1;
    }
    std::istringstream script(eol == std::string::npos ? std::string() : all.substr(eol + 1));
    std::ostringstream out, err;
    const int status = tess::cli::playScript(args, script, out, err);
    require(status == 0 || status == 2);
    if (status == 0) {
        const std::string o = out.str();
        require(err.str().empty() && o.find("\nmoves ") != std::string::npos &&
                (o.ends_with("\nwon 0\n") || o.ends_with("\nwon 1\n")));
    } else {
        require(!err.str().empty());
    }
    return 0;
}
