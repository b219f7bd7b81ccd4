// The table of positions already seen, by their 64-bit keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tess::solve
{

// A set of 64-bit keys with open addressing; 0 stands for an empty slot.
class KeyTable
{
  public:
    explicit KeyTable(std::size_t maxBytes);
    // Inserted now (true), already there (false); throws nothing, answers false with full() set when out of
    // room.
    // Both are made for every position the search reaches, so they are kept where the search can inline them.
    bool insert(std::uint64_t key)
    {
        if (key == 0)
            key = 1;
        if ((size_ + 1) * 2 > slots_.size()) {
            if (slots_.size() * 2 > maxSlots_) {
                full_ = true;
                return false;
            }
            grow();
        }
        std::uint64_t &slot = slots_[slotOf(key)];
        if (slot == key)
            return false;
        slot = key;
        ++size_;
        return true;
    }
    bool contains(std::uint64_t key) const
    {
        if (key == 0)
            key = 1;
        return slots_[slotOf(key)] == key;
    }
    bool full() const { return full_; }
    std::size_t size() const { return size_; }
    static constexpr std::size_t kBytesPerSlot = sizeof(std::uint64_t);

  private:
    // Where key lies, or the empty slot it would take.
    std::size_t slotOf(std::uint64_t key) const
    {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = static_cast<std::size_t>(key) & mask;
        while (slots_[i] != 0 && slots_[i] != key)
            i = (i + 1) & mask;
        return i;
    }
    void grow();
    std::vector<std::uint64_t> slots_;
    std::size_t size_ = 0;
    std::size_t maxSlots_;
    bool full_ = false;
};

} // namespace tess::solve
