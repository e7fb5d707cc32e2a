#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "LevelPath.h"

class GameObject;
class PlayHarness;

// Plays a loaded level through the harness's keys and mouse, as a steady player would:
// fetches a weapon when unarmed or nearly out of shots, walks the shortest way to the
// exit, and aims and fires at the most pressing insect in sight on the way. Each pass
// it weighs the eight directions and standing still by the progress they make along the
// path against how close they bring it to where the insects will be, so it sidesteps
// and backs off while shooting. Where the exit is hidden until the insects die, it
// closes in on them. Where ants are to be freed, it bursts the sacks from beside the
// exit, farthest first and only along lines free of ants while it can, and steps in
// once the goal is out. In the pill chase it takes a pill once a chaser is about,
// hunts chasers while the pill lasts and fetches the next before it wears off. In the
// survival round it eats pills and circles the arena.
class Autopilot {
public:
    explicit Autopilot(PlayHarness& play);
    ~Autopilot();

    // One pass of input then the pass itself.
    void Step();

    float FireRange = 12.0f;
    float ShotgunRange = 8.0f;
    float FastInsect = 5.0f;  // speed above which an insect is shot only close up
    float CloseRange = 6.0f;
    float HuntRange = 6.0f;      // how near it goes to insects that hide the exit
    float SackRange = 7.0f;      // how near it goes to a sack it means to burst
    float KeepAway = 3.0f;       // freed ants nearer than this are shot after all
    float LeaveRange = 4.0f;     // freed ants this near the stand send it to the exit
    float PillRenewTime = 1.0f;  // spare time of a pill when the next is fetched

private:
    // The ants level is won by letting ants out, not by killing them.
    static bool FreeingAnts();
    // The chase is won by eating chasers in one unbroken run of pills.
    static bool ChasingPills();
    // Seconds left of the pill last taken, 0 without one.
    float PillTimeLeft() const;
    bool ChooseChaseGoal(Vector2& goal, float& reach) const;
    void NotePillsTaken();
    // Sacks wait to be burst and the goal is not yet passed.
    bool StillFreeing() const;
    // The goal of this pass and how close counts as there; false when there is none.
    bool ChooseGoal(Vector2& goal, float& reach) const;
    // Where the way to the goal must not lead this time.
    std::vector<LevelPath::KeepOut> KeepOuts() const;
    // The direction to hold, zero to stand.
    Vector2 ChooseMove(bool hasGoal) const;
    // How close a run at this velocity comes to the insects over the next moment.
    float Danger(Vector2 at, Vector2 velocity) const;
    // The insect in sight that most needs shooting; null when none.
    const GameObject* ChooseTarget() const;
    // An insect's velocity over the last pass: centipede cells are carried, not pushed.
    Vector2 Motion(const GameObject& insect) const;
    // Where to aim so that a bullet meets the insect.
    Vector2 LeadPoint(const GameObject& insect) const;
    void RememberPositions();
    // The sack to burst next from the stand: the farthest in clear sight.
    const GameObject* SackToBurst() const;
    // A free spot just beside the exit, as far from the sacks as there is.
    Vector2 FindSackStand() const;
    // How far the nearest sack is from a free spot; negative for a blocked one.
    float RoomAt(Vector2 spot) const;
    void Steer(Vector2 direction);
    void AimAndFire(const GameObject* target);

    PlayHarness& mPlay;
    std::unique_ptr<LevelPath> mPath;
    Vector2 mMeasuredGoal{1e9f, 1e9f};
    std::unordered_map<const GameObject*, Vector2> mLastSeen;
    std::unordered_map<const GameObject*, float> mShotSacks;  // when the ants of each shot one are out
    float mLastRelease = 0.0f;
    std::vector<const GameObject*> mPills;  // lying in the level at the last pass
    float mPillTakenAt = -100.0f;
    float mPillModeTime = 0.0f;                                 // as long as a pill lasts
    std::unordered_map<const GameObject*, float> mUnreachable;  // when the way to each was found shut
    Vector2 mSackStand;
    bool mLeaving = false;  // done freeing ants: straight for the exit
};
