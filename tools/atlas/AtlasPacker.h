#pragma once

#include <string>
#include <vector>

namespace qv::tools {

struct PixelRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

// Places rectangles on one page without overlap, each with `padding` free
// pixels on every side (room for edge extrusion). The page sides are powers of
// two, as small in area as the shelf layout allows. Deterministic: ties are
// broken by input order.
class AtlasPacker {
public:
    struct Result {
        int PageWidth = 0;
        int PageHeight = 0;
        std::vector<PixelRect> Placements;  // in input order; X, Y of the stored pixels (inside the padding)
    };

    AtlasPacker(int padding, int maxPageSide) : mPadding(padding), mMaxPageSide(maxPageSide) {}

    // Throws std::runtime_error when the rectangles do not fit on a page of the largest side.
    Result Pack(const std::vector<PixelRect>& sizes) const;

private:
    bool TryShelves(const std::vector<PixelRect>& sizes, const std::vector<std::size_t>& order, int pageWidth,
                    Result& out) const;

    int mPadding;
    int mMaxPageSide;
};

int NextPowerOfTwo(int value);

}  // namespace qv::tools
