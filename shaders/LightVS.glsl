// Sprite lights: the sprite transform (c0, c1 rotation and scale rows, c2 camera
// position) plus where the fragment lies on the scene targets, which the light pixel
// shader samples. c3.xy: the screen size in pixels.
out vec4 vColor;
out vec2 vUv0;
out vec2 vUv1;
out vec2 vScreen;

void main() {
    vec2 d = InPosition.xy - VsConst[2].xy;
    vec2 clip = vec2(dot(VsConst[0].xy, d), dot(VsConst[1].xy, d));
    SetClipPosition(vec4(clip, InPosition.z, 1.0));
    // Clip y runs up, the targets' v down from their top row.
    vec2 s = vec2(clip.x + 0.5 / VsConst[3].x, clip.y - 0.5 / VsConst[3].y) * 0.5 + 0.5;
    vScreen = vec2(s.x, 1.0 - s.y);
    vColor = InColor;
    vUv0 = InTexCoord0;
    vUv1 = InTexCoord1;
}
