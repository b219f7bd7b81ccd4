#include "solve/keyTable.h"

#include <algorithm>

namespace tess::solve
{

KeyTable::KeyTable(std::size_t maxBytes) : maxSlots_(std::max<std::size_t>(maxBytes / kBytesPerSlot, 1024))
{
    slots_.assign(1024, 0);
}

void KeyTable::grow()
{
    std::vector<std::uint64_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    for (std::uint64_t k : old)
        if (k != 0)
            slots_[slotOf(k)] = k;
}

} // namespace tess::solve
