#pragma once

#include <stdexcept>
#include <vector>

namespace qv::tools {

// A rectangle of values, rows top to bottom.
template <class T>
class Grid {
public:
    Grid() = default;
    Grid(int width, int height, T fill = T{}) : mWidth(width), mHeight(height), mCells(Count(width, height), fill) {}

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    T& At(int x, int y) { return mCells[Index(x, y)]; }
    const T& At(int x, int y) const { return mCells[Index(x, y)]; }

    // Coordinates outside the grid are clamped to its edge.
    const T& Clamped(int x, int y) const {
        return At(x < 0 ? 0 : (x >= mWidth ? mWidth - 1 : x), y < 0 ? 0 : (y >= mHeight ? mHeight - 1 : y));
    }

private:
    static std::size_t Count(int width, int height) {
        if (width < 0 || height < 0)
            throw std::invalid_argument("Grid: negative size");
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * mWidth + x; }

    int mWidth = 0;
    int mHeight = 0;
    std::vector<T> mCells;
};

}  // namespace qv::tools
