// Sprite lights: the sprite transform (c0, c1 rotation and scale rows, c2 camera
// position) plus where the fragment lies on the scene targets, which the light pixel
// shader samples. c3.xy: the screen size in pixels (set by the frame; unused here).
out vec4 vColor;
out vec2 vUv0;
out vec2 vUv1;
out vec2 vScreen;

void main() {
    vec2 d = InPosition.xy - VsConst[2].xy;
    vec2 clip = vec2(dot(VsConst[0].xy, d), dot(VsConst[1].xy, d));
    SetClipPosition(vec4(clip, InPosition.z, 1.0));
    // Clip y runs up, the targets' v down from their top row. No half-pixel term: the
    // rasteriser already samples at pixel centres.
    vec2 s = clip * 0.5 + 0.5;
    vScreen = vec2(s.x, 1.0 - s.y);
    vColor = InColor;
    vUv0 = InTexCoord0;
    vUv1 = InTexCoord1;
}
