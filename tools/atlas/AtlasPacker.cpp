#include "tools/atlas/AtlasPacker.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace qv::tools {

int NextPowerOfTwo(int value) {
    int p = 1;
    while (p < value)
        p *= 2;
    return p;
}

bool AtlasPacker::TryShelves(const std::vector<PixelRect>& sizes, const std::vector<std::size_t>& order, int pageWidth,
                             Result& out) const {
    out.Placements.assign(sizes.size(), PixelRect{});
    int x = 0, shelfTop = 0, shelfHeight = 0;
    for (std::size_t index : order) {
        const int w = sizes[index].Width + 2 * mPadding;
        const int h = sizes[index].Height + 2 * mPadding;
        if (w > pageWidth)
            return false;
        if (x + w > pageWidth) {
            shelfTop += shelfHeight;
            x = 0;
            shelfHeight = 0;
        }
        out.Placements[index] = {x + mPadding, shelfTop + mPadding, sizes[index].Width, sizes[index].Height};
        x += w;
        shelfHeight = std::max(shelfHeight, h);
    }
    out.PageWidth = pageWidth;
    out.PageHeight = NextPowerOfTwo(std::max(1, shelfTop + shelfHeight));
    return out.PageHeight <= mMaxPageSide;
}

AtlasPacker::Result AtlasPacker::Pack(const std::vector<PixelRect>& sizes) const {
    for (const PixelRect& r : sizes) {
        if (r.Width <= 0 || r.Height <= 0)
            throw std::invalid_argument("AtlasPacker: empty rectangle");
    }
    // Tallest first keeps shelves full; the input order breaks ties.
    std::vector<std::size_t> order(sizes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (sizes[a].Height != sizes[b].Height)
            return sizes[a].Height > sizes[b].Height;
        return sizes[a].Width > sizes[b].Width;
    });

    Result best;
    long long bestArea = -1;
    for (int width = 64; width <= mMaxPageSide; width *= 2) {
        Result candidate;
        if (!TryShelves(sizes, order, width, candidate))
            continue;
        const long long area = static_cast<long long>(candidate.PageWidth) * candidate.PageHeight;
        // Among equal areas the squarer page wins: smaller longest side.
        const bool squarer = area == bestArea && std::max(candidate.PageWidth, candidate.PageHeight) <
                                                     std::max(best.PageWidth, best.PageHeight);
        if (bestArea < 0 || area < bestArea || squarer) {
            best = std::move(candidate);
            bestArea = area;
        }
    }
    if (bestArea < 0) {
        throw std::runtime_error("AtlasPacker: frames do not fit on a " + std::to_string(mMaxPageSide) + " pixel page");
    }
    return best;
}

}  // namespace qv::tools
