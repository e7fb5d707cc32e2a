#include "render/QuadBatcher.h"

#include <algorithm>
#include <cmath>

void QuadBatcher::Reset() {
    for (std::vector<Vertex>& list : mBatchLists) {
        list.clear();
    }
    mBatchTextures.clear();
    mLastBatch = -1;
}

int QuadBatcher::FindOrAddBatch(const Texture* texture) {
    if (mLastBatch >= 0 && mBatchTextures[mLastBatch] == texture) {
        return mLastBatch;
    }
    const auto found = std::find(mBatchTextures.begin(), mBatchTextures.end(), texture);
    int batch = static_cast<int>(found - mBatchTextures.begin());
    if (found == mBatchTextures.end()) {
        mBatchTextures.push_back(texture);
        if (mBatchLists.size() < mBatchTextures.size()) {
            mBatchLists.emplace_back();
        }
    }
    mLastBatch = batch;
    return batch;
}

void QuadBatcher::AddQuad(const Rect& uv, const Texture* texture, float rotation, Color color, Vector2 size,
                          Vector2 origin, Vector2 position) {
    std::vector<Vertex>& list = mBatchLists[FindOrAddBatch(texture)];
    if (mFlipX) {
        size.X = -size.X;
    }
    if (mFlipY) {
        size.Y = -size.Y;
    }
    const float hx = size.X / 2.0f;
    const float hy = size.Y / 2.0f;
    // Most quads are unturned: skip the trigonometry for them.
    const float c = rotation == 0.0f ? 1.0f : std::cos(rotation);
    const float s = rotation == 0.0f ? 0.0f : std::sin(rotation);
    const float left = -hx - origin.X;
    const float right = hx - origin.X;
    const float top = hy - origin.Y;
    const float bottom = -hy - origin.Y;
    const float corners[4][2] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
    const float us[4] = {uv.X, uv.X + uv.Width, uv.X, uv.X + uv.Width};
    const float vs[4] = {uv.Y, uv.Y, uv.Y + uv.Height, uv.Y + uv.Height};
    const uint32_t argb = ToArgb(color);

    const size_t first = list.size();
    list.resize(first + 4);
    Vertex* out = list.data() + first;
    for (int i = 0; i < 4; ++i) {
        const float x = corners[i][0];
        const float y = corners[i][1];
        out[i] = Vertex{c * x - s * y + position.X, c * y + s * x + position.Y, mDepth, 1.0f, argb, us[i], vs[i], c, s};
    }
}

void QuadBatcher::WriteQuadIndices(int quadCount, std::vector<uint16_t>& indices) {
    indices.resize(static_cast<size_t>(std::max(quadCount, 0)) * 6);
    for (int q = 0; q < quadCount; ++q) {
        const auto i = static_cast<uint16_t>(4 * q);
        uint16_t* out = indices.data() + static_cast<size_t>(q) * 6;
        out[0] = i;
        out[1] = static_cast<uint16_t>(i + 1);
        out[2] = static_cast<uint16_t>(i + 2);
        out[3] = static_cast<uint16_t>(i + 1);
        out[4] = static_cast<uint16_t>(i + 3);
        out[5] = static_cast<uint16_t>(i + 2);
    }
}

void QuadBatcher::Flush(QuadBatchTarget& target) {
    const int maxQuads = target.MaxQuadsPerDraw();
    if (maxQuads <= 0) {
        return;
    }
    const size_t chunkVertices = static_cast<size_t>(maxQuads) * 4;
    for (size_t k = 0; k < mBatchTextures.size(); ++k) {
        const std::vector<Vertex>& list = mBatchLists[k];
        // Whole quads only: a partial quad at the end has no indices.
        const size_t total = list.size() / 4 * 4;
        if (total == 0) {
            continue;
        }
        target.BindTexture(mBatchTextures[k]);
        for (size_t start = 0; start < total; start += chunkVertices) {
            const size_t count = std::min(chunkVertices, total - start);
            target.DrawQuads(list.data() + start, static_cast<int>(count));
        }
    }
}
