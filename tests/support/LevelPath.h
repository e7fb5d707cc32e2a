#pragma once

#include <vector>

#include "object/Vector2.h"

class GameObject;

// The level's floor as a fine grid: a cell is blocked when a body of the player's
// radius centred there would touch a solid fixture of the static group "Layer1" or
// of a static thing (a sack) of "Layer2Mut".
// Distances run over 8 neighbours, never cutting a blocked corner.
class LevelPath {
public:
    static constexpr float CellSize = 0.25f;

    // The grid covers the view of that size centred on the origin.
    LevelPath(const GameObject& level, Vector2 viewSize, float bodyRadius);

    // A disc the way must go round this time, such as a pick-up better left lying.
    struct KeepOut {
        Vector2 Centre;
        float Radius = 0.0f;
    };

    // World distance from every cell to the nearest cell within reach of the goal;
    // negative for cells that cannot get there.
    void MeasureFrom(Vector2 goal, float reach, const std::vector<KeepOut>& keepOut = {});
    // The distance from the cell under pos; negative when unreachable.
    float DistanceAt(Vector2 pos) const;
    // The centre of the neighbouring cell that is closest to the goal.
    Vector2 NextStep(Vector2 pos) const;
    bool IsBlocked(Vector2 pos) const;
    // No wall cell between the two points: a shot between them flies free.
    bool ClearLine(Vector2 from, Vector2 to) const;
    // How far a shot along the unit direction flies before a wall stops it, at most limit.
    float FreeRun(Vector2 from, Vector2 direction, float limit) const;

private:
    int IndexOf(Vector2 pos) const;
    Vector2 CentreOf(int index) const;
    // Calls visit(column, row, diagonal) for each of the up to eight cells around the
    // cell of the index that lie in the grid.
    template <class Visit>
    void ForEachNeighbour(int index, Visit visit) const {
        const int column = index % mColumns;
        const int row = index / mColumns;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int c = column + dx;
                const int r = row + dy;
                if ((dx != 0 || dy != 0) && c >= 0 && r >= 0 && c < mColumns && r < mRows) {
                    visit(c, r, dx != 0 && dy != 0);
                }
            }
        }
    }
    void BlockFixtures(const GameObject& object, float bodyRadius, std::vector<bool>& cells);

    int mColumns = 0;
    int mRows = 0;
    Vector2 mOrigin;
    std::vector<bool> mBlocked;
    std::vector<bool> mSolid;  // the walls themselves
    std::vector<float> mDistance;
};
