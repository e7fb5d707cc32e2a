// Background mode 1: the first pass's picture on a plane receding above and below the
// horizon, scrolling with time (c0.x) and fading to black with distance.
in vec4 vColor;
in vec2 vUv0;

// Rows this close to the horizon are infinitely far: they show the faded colour.
const float kHorizon = 1e-6;

void main() {
    float t = PsConst[0].x;
    float x = 2.0 * vUv0.x - 1.0;
    float y = (2.0 * vUv0.y - 1.0) * 0.5625;
    if (abs(y) < kHorizon) {
        y = y < 0.0 ? -kHorizon : kHorizon;
    }
    float depth = 3.0 / y;
    float across = depth * x;
    float d = depth - sign(depth) * abs(across);
    vec2 uv = vec2(across, d + sign(d) * t) / 2.0;
    float fade = pow(clamp((abs(d) - 0.2) * 0.0040032, 0.0, 1.0), 0.4);
    vec4 c = texture(Sampler0, uv) * vColor;
    Target0 = c * (1.0 - fade) + vec4(0.0, 0.0, 0.0, 1.0) * fade;
}
