#include "LevelPath.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <queue>
#include <utility>

#include "object/GameObject.h"
#include "physics/B2BodyCmp.h"

LevelPath::LevelPath(const GameObject& level, Vector2 viewSize, float bodyRadius)
    : mColumns(static_cast<int>(std::ceil(viewSize.X / CellSize))),
      mRows(static_cast<int>(std::ceil(viewSize.Y / CellSize))),
      mOrigin(-viewSize.X / 2.0f, -viewSize.Y / 2.0f),
      mBlocked(static_cast<size_t>(mColumns * mRows), false),
      mSolid(mBlocked.size(), false),
      mDistance(mBlocked.size(), -1.0f) {
    if (const GameObject* walls = level.FindChild("Layer1")) {
        for (const GameObject* thing : walls->Children) {
            BlockFixtures(*thing, bodyRadius, mBlocked);
            BlockFixtures(*thing, CellSize * 0.5f, mSolid);
        }
    }
    // Sacks stand where they are put until shot: a way round them is the way.
    if (const GameObject* things = level.FindChild("Layer2Mut")) {
        for (const GameObject* thing : things->Children) {
            if (thing->B2Body != nullptr && thing->B2Body->EnsureBody()->GetType() == b2_staticBody) {
                BlockFixtures(*thing, bodyRadius, mBlocked);
            }
        }
    }
}

void LevelPath::BlockFixtures(const GameObject& object, float bodyRadius, std::vector<bool>& cells) {
    if (object.B2Body == nullptr) {
        return;
    }
    const b2Body* body = object.B2Body->EnsureBody();
    for (const b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext()) {
        if (fixture->IsSensor()) {
            continue;
        }
        const b2AABB box = fixture->GetAABB(0);
        for (int row = 0; row < mRows; ++row) {
            for (int column = 0; column < mColumns; ++column) {
                const Vector2 c = CentreOf(row * mColumns + column);
                const float dx = std::max({box.lowerBound.x - c.X, 0.0f, c.X - box.upperBound.x});
                const float dy = std::max({box.lowerBound.y - c.Y, 0.0f, c.Y - box.upperBound.y});
                if (dx * dx + dy * dy < bodyRadius * bodyRadius) {
                    cells[static_cast<size_t>(row * mColumns + column)] = true;
                }
            }
        }
    }
}

int LevelPath::IndexOf(Vector2 pos) const {
    const int column = static_cast<int>(std::floor((pos.X - mOrigin.X) / CellSize));
    const int row = static_cast<int>(std::floor((pos.Y - mOrigin.Y) / CellSize));
    if (column < 0 || row < 0 || column >= mColumns || row >= mRows) {
        return -1;
    }
    return row * mColumns + column;
}

Vector2 LevelPath::CentreOf(int index) const {
    return Vector2(mOrigin.X + (static_cast<float>(index % mColumns) + 0.5f) * CellSize,
                   mOrigin.Y + (static_cast<float>(index / mColumns) + 0.5f) * CellSize);
}

bool LevelPath::IsBlocked(Vector2 pos) const {
    const int index = IndexOf(pos);
    return index < 0 || mBlocked[static_cast<size_t>(index)];
}

bool LevelPath::ClearLine(Vector2 from, Vector2 to) const {
    const Vector2 d = to - from;
    const int steps = static_cast<int>(std::sqrt(d.X * d.X + d.Y * d.Y) / (CellSize * 0.5f)) + 1;
    for (int i = 0; i <= steps; ++i) {
        const int index = IndexOf(from + d * (static_cast<float>(i) / static_cast<float>(steps)));
        if (index < 0 || mSolid[static_cast<size_t>(index)]) {
            return false;
        }
    }
    return true;
}

float LevelPath::FreeRun(Vector2 from, Vector2 direction, float limit) const {
    for (float run = 0.0f; run < limit; run += CellSize * 0.5f) {
        const int index = IndexOf(from + direction * run);
        if (index < 0 || mSolid[static_cast<size_t>(index)]) {
            return run;
        }
    }
    return limit;
}

void LevelPath::MeasureFrom(Vector2 goal, float reach, const std::vector<KeepOut>& keepOut) {
    using Entry = std::pair<float, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    std::fill(mDistance.begin(), mDistance.end(), -1.0f);
    std::vector<bool> blocked = mBlocked;
    for (int index = 0; index < mColumns * mRows; ++index) {
        for (const KeepOut& disc : keepOut) {
            const Vector2 d = CentreOf(index) - disc.Centre;
            if (d.X * d.X + d.Y * d.Y < disc.Radius * disc.Radius) {
                blocked[static_cast<size_t>(index)] = true;
            }
        }
    }
    for (int index = 0; index < mColumns * mRows; ++index) {
        const Vector2 d = CentreOf(index) - goal;
        if (!blocked[static_cast<size_t>(index)] && d.X * d.X + d.Y * d.Y <= reach * reach) {
            mDistance[static_cast<size_t>(index)] = 0.0f;
            open.push({0.0f, index});
        }
    }
    while (!open.empty()) {
        const auto [distance, index] = open.top();
        open.pop();
        if (distance > mDistance[static_cast<size_t>(index)]) {
            continue;
        }
        const int column = index % mColumns;
        const int row = index / mColumns;
        const auto free = [&](int c, int r) { return !blocked[static_cast<size_t>(r * mColumns + c)]; };
        ForEachNeighbour(index, [&, distance = distance](int c, int r, bool diagonal) {
            if (!free(c, r) || !free(c, row) || !free(column, r)) {
                return;
            }
            const float step = (diagonal ? 1.41421356f : 1.0f) * CellSize;
            float& known = mDistance[static_cast<size_t>(r * mColumns + c)];
            if (known < 0.0f || distance + step < known) {
                known = distance + step;
                open.push({known, r * mColumns + c});
            }
        });
    }
}

float LevelPath::DistanceAt(Vector2 pos) const {
    const int index = IndexOf(pos);
    return index < 0 ? -1.0f : mDistance[static_cast<size_t>(index)];
}

Vector2 LevelPath::NextStep(Vector2 pos) const {
    const int index = IndexOf(pos);
    if (index < 0) {
        return pos;
    }
    int best = index;
    float bestDistance = mDistance[static_cast<size_t>(index)];
    ForEachNeighbour(index, [&](int c, int r, bool) {
        const float d = mDistance[static_cast<size_t>(r * mColumns + c)];
        if (d >= 0.0f && (bestDistance < 0.0f || d < bestDistance)) {
            best = r * mColumns + c;
            bestDistance = d;
        }
    });
    return CentreOf(best);
}
