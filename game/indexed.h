#pragma once
// A control array or Basic array with the indexes it is written with,
// so that lblPoints[1] is the first points label and no "- 1" is needed.
#include <array>
#include <cstdio>
#include <cstdlib>

namespace dovrel {

template <class T, int First, int Last>
class Indexed {
public:
    static constexpr int first = First;
    static constexpr int last = Last;

    T& operator[](int i) { return items_[slot(i)]; }
    const T& operator[](int i) const { return items_[slot(i)]; }
    void fill(const T& value) { items_.fill(value); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    // A bad index is a fault in the program: stop rather than read past the array.
    static std::size_t slot(int i)
    {
        if (i < First || i > Last) {
            std::fprintf(stderr, "index %d outside %d..%d\n", i, First, Last);
            std::abort();
        }
        return static_cast<std::size_t>(i - First);
    }

    std::array<T, Last - First + 1> items_{};
};

}  // namespace dovrel
