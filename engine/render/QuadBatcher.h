#pragma once

#include <cstdint>
#include <vector>

#include "object/Color.h"
#include "object/Rect.h"
#include "object/Vector2.h"
#include "render/Vertex.h"

class Texture;

// Where flushed batches go: the device in the game, a recorder in tests. Every draw
// takes its triangles from the shared quad index pattern (WriteQuadIndices), which the
// target holds for at least MaxQuadsPerDraw quads.
class QuadBatchTarget {
public:
    virtual ~QuadBatchTarget() = default;

    // The most quads one draw may take: the vertex buffer's size in quads.
    virtual int MaxQuadsPerDraw() const = 0;
    // Makes the texture current for the draws that follow; null draws untextured.
    virtual void BindTexture(const Texture* texture) = 0;
    // One indexed draw of whole quads: vertexCount / 2 triangles.
    virtual void DrawQuads(const Vertex* vertices, int vertexCount) = 0;
};

// Collects the quads of one layer pass, one vertex list per texture, and draws each
// list with as few indexed draws as the vertex buffer allows. Lists keep their storage
// from pass to pass, so a steady scene allocates nothing per frame.
class QuadBatcher {
public:
    // Vertex z decreases by this per drawn object, so later objects win the depth test.
    static constexpr float DepthStep = 0.000001f;

    // Empties every list (keeping its storage) and forgets the textures.
    void Reset();

    // Appends one quad to the texture's list. uv: (u, v, width, height) in texture
    // coordinates; size in camera units; origin: offset of the quad's centre away from
    // the position, in size units; rotation in radians about the position. The first
    // corner is the top left in a y-up space; a flipped camera axis mirrors the quad so
    // that the texture stays upright on screen.
    void AddQuad(const Rect& uv, const Texture* texture, float rotation, Color color, Vector2 size, Vector2 origin,
                 Vector2 position);

    // Draws every list in order of first use, each in chunks of at most the target's
    // quad limit. The lists are left filled.
    void Flush(QuadBatchTarget& target);

    // The z of the quads added next; 1 at the start of a frame.
    float Depth() const { return mDepth; }
    void SetDepth(float depth) { mDepth = depth; }
    // Moves the next quads one step closer, never below 0.
    void StepDepth() { mDepth = mDepth > DepthStep ? mDepth - DepthStep : 0.0f; }

    // Set from the current camera: true where its scale is negative on that axis.
    void SetFlip(bool flipX, bool flipY) {
        mFlipX = flipX;
        mFlipY = flipY;
    }
    bool FlipX() const { return mFlipX; }
    bool FlipY() const { return mFlipY; }

    // The batches of this pass, in order of first use.
    int BatchCount() const { return static_cast<int>(mBatchTextures.size()); }
    const Texture* BatchTexture(int batch) const { return mBatchTextures[batch]; }
    const std::vector<Vertex>& BatchVertices(int batch) const { return mBatchLists[batch]; }

    // The index pattern for quadCount quads, 6 indices each: i, i+1, i+2, i+1, i+3, i+2
    // for quad q with i = 4q. A prefix of it serves any smaller count.
    static void WriteQuadIndices(int quadCount, std::vector<uint16_t>& indices);

private:
    int FindOrAddBatch(const Texture* texture);

    std::vector<const Texture*> mBatchTextures;
    // Entry k holds the vertices of mBatchTextures[k]; lists past the texture count are
    // empty and kept for reuse.
    std::vector<std::vector<Vertex>> mBatchLists;
    // Consecutive quads mostly share a texture: try the last one first.
    int mLastBatch = -1;
    float mDepth = 1.0f;
    bool mFlipX = false;
    bool mFlipY = false;
};
