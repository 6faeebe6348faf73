#pragma once
// A control array or Basic array with the indexes it is written with,
// so that lblPoints[1] is the first points label and no "- 1" is needed.
#include <array>
#include <cassert>

namespace dovrel {

template <class T, int First, int Last>
class Indexed {
public:
    static constexpr int first = First;
    static constexpr int last = Last;

    T& operator[](int i)
    {
        assert(i >= First && i <= Last);
        return items_[static_cast<std::size_t>(i - First)];
    }
    const T& operator[](int i) const
    {
        assert(i >= First && i <= Last);
        return items_[static_cast<std::size_t>(i - First)];
    }
    void fill(const T& value) { items_.fill(value); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::array<T, Last - First + 1> items_{};
};

}  // namespace dovrel
