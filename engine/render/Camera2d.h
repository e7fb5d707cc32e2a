#pragma once

#include "object/Rect.h"
#include "object/Vector2.h"

// A view of a 2D layer space: Position is the centre of the view, Scale the size of the
// visible area in camera units (a negative component flips that axis), Rotation in
// radians, Viewport in target pixels (width 0: the whole render target).
class Camera2d {
public:
    // The world layers' camera: a 40 x 22.5 unit view, y up, centred on the origin,
    // filling a target of the given size.
    static Camera2d MakeWorld(int targetWidth, int targetHeight);
    // The interface camera: a fixed 1280 x 720 pixel space, origin at the top left,
    // y down, whatever the target size.
    static Camera2d MakeInterface();
    // Lets ScreenToLayer (object model) convert through the renderer's world and
    // interface cameras; points stay unconverted while there is no renderer.
    static void InstallScreenToLayerHooks();

    virtual ~Camera2d() = default;

    // A screen point in pixels to camera space, the inverse of the view transform.
    // An empty viewport stands for the whole target of the given size.
    Vector2 ScreenToWorld(Vector2 screenPoint, Vector2 targetSize) const;
    // The same on the renderer's back buffer (Graphics Width x Height).
    Vector2 ScreenToWorld(Vector2 screenPoint) const;

    Vector2 Position{0.0f, 0.0f};
    Vector2 Scale{1.0f, 1.0f};
    float Rotation = 0.0f;
    Rect Viewport;
};
