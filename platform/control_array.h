#pragma once

// A control array: controls of one kind addressed by an index with fixed
// bounds, as the windows number them (`Com(1)` .. `Com(9)`).

#include <array>
#include <cstddef>

namespace platform {

template <typename T, int First, int Last>
class ControlArray
{
    static_assert(First <= Last);

public:
    static constexpr int lbound = First;
    static constexpr int ubound = Last;

    // Throws std::out_of_range for an index outside First..Last.
    T *operator()(int index) const { return items_.at(slot(index)); }
    T *&operator()(int index) { return items_.at(slot(index)); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static std::size_t slot(int index)
    {
        return index < First ? count : static_cast<std::size_t>(index - First);
    }

    static constexpr std::size_t count = Last - First + 1;
    std::array<T *, count> items_{};
};

}  // namespace platform
