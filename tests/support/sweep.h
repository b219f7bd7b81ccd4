// How much of a long random sweep to run. Under the sanitizers every step costs several times as
// much, so the suite runs a smaller sweep there; `make soak` (TESS_SOAK=1) runs the whole of it.
#pragma once

#include <cstdlib>
#include <string_view>

namespace tess::testsupport
{

inline int sweep([[maybe_unused]] int full, [[maybe_unused]] int sanitized)
{
#ifdef TESS_SANITIZE
    const char *soak = std::getenv("TESS_SOAK");
    if (soak == nullptr || std::string_view(soak) != "1")
        return sanitized;
#endif
    return full;
}

} // namespace tess::testsupport
