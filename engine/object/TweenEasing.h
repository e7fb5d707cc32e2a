#pragma once

// How a tween's progress is shaped. Stored as an int in content; any value other than
// Linear, EaseIn and EaseOut eases like EaseInOut.
enum class TweenEasing : int { Linear = 0, EaseInOut = 1, EaseIn = 2, EaseOut = 3 };

// The eased fraction s of the way from the start value to the end value at progress
// t in [0, 1].
float EaseProgress(TweenEasing easing, float t);
