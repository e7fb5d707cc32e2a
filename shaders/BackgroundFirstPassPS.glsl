// The background's first pass: the picture swirled and drifting with time (c0.x),
// drawn into the small first-pass target. Sampled with mirrored addressing.
in vec4 vColor;
in vec2 vUv0;

const float kPi = 3.14159265358979;

void main() {
    float t = PsConst[0].x;
    // 2t wrapped to [-pi, pi).
    float theta = 2.0 * kPi * fract(t / kPi + 0.5) - kPi;
    float a = pow(abs(vUv0.x), 0.75) / 2.0;
    float b = pow(abs(vUv0.y), 0.75) / 2.0;
    vec2 uv = vec2(a * cos(theta) - b * sin(theta) + t, a * sin(theta) + b * cos(theta) + t);
    Target0 = texture(Sampler0, uv) * vColor;
}
