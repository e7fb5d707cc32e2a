#include "game/enemies/ScoreParticleBhv.h"

#include <string>

#include "object/GameObject.h"
#include "object/Pos2dCmp.h"
#include "object/TweensBhv.h"
#include "render/TextCmp.h"
#include "render/TintCmp.h"

ScoreParticleBhv::ScoreParticleBhv() {
    RegisterProperty(&Duration, "Duration");
    RegisterProperty(&Movement, "Movement");
}

void ScoreParticleBhv::SetScore(int points) {
    if (Text != nullptr) {
        // Appended rather than "+" + text, which GCC 12 misreads as an overlapping copy.
        Text->Text = std::string("+").append(std::to_string(points));
    }
}

void ScoreParticleBhv::Update() {
    if (Started) {
        return;
    }
    Started = true;
    if (Tweens == nullptr || Tint == nullptr) {
        // Nothing would ever fade it out.
        Owner->Destroy();
        return;
    }
    if (Pos2d != nullptr) {
        Tweens->TweenVector2(&Pos2d->Pos, TweenEasing::EaseOut, Pos2d->Pos + Movement, nullptr, Duration);
    }
    Tweens->TweenColor(
        &Tint->Tint, Color{255, 255, 255, 0}, TweenEasing::EaseInOut, [this] { Owner->Destroy(); }, Duration);
}
