// The background passes see the sprite transform: c0 and c1 the camera's rotation and
// scale rows, c2 its position.
out vec4 vColor;
out vec2 vUv0;
out vec2 vUv1;

void main() {
    vec2 d = InPosition.xy - VsConst[2].xy;
    SetClipPosition(vec4(dot(VsConst[0].xy, d), dot(VsConst[1].xy, d), InPosition.z, 1.0));
    vColor = InColor;
    vUv0 = InTexCoord0;
    vUv1 = InTexCoord1;
}
