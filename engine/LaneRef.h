#pragma once

// A voice's hot state lives in arrays indexed by voice, its lane, so that the synthesiser can
// render several voices side by side in the lanes of SIMD registers; the arrays stay where they
// are from block to block. A LaneRef is one voice's field: reads and writes reach the value where
// it lives, in the field's own storage until the voice is moved into a synthesiser's lane arrays.
// A copy holds the value in storage of its own, as a copied field would.

constexpr int maxLanes = 32;

// One field for every lane.
template <typename T>
struct alignas (64) LaneArray
{
    T lane[maxLanes];
};

template <typename T>
class LaneRef
{
public:
    LaneRef() noexcept = default;
    explicit LaneRef (T initial) noexcept : own (initial) {}
    LaneRef (const LaneRef& other) noexcept : own (*other.where) {}

    LaneRef& operator= (const LaneRef& other) noexcept { *where = *other.where; return *this; }
    LaneRef& operator= (T value) noexcept { *where = value; return *this; }

    operator T&() noexcept { return *where; }
    operator const T&() const noexcept { return *where; }

    LaneRef& operator+= (T x) noexcept { *where += x; return *this; }
    LaneRef& operator-= (T x) noexcept { *where -= x; return *this; }
    LaneRef& operator*= (T x) noexcept { *where *= x; return *this; }
    LaneRef& operator/= (T x) noexcept { *where /= x; return *this; }

    // From now on the value lives in `array` at `lane`, which takes the value it has now.
    void moveTo (LaneArray<T>& array, int lane) noexcept
    {
        array.lane[lane] = *where;
        where = &array.lane[lane];
    }

private:
    T own {};
    T* where = &own;
};
