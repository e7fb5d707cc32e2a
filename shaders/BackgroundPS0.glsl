// Background mode 0: the first pass's picture streams out of the screen centre.
// c0.x: time.
in vec4 vColor;
in vec2 vUv0;

void main() {
    float t = PsConst[0].x;
    vec2 p = vec2(2.0 * vUv0.x - 1.0, (2.0 * vUv0.y - 1.0) * 0.5625);
    // atan(0, 0) is undefined in GLSL; the centre takes angle 0.
    float phi = (p.x == 0.0 && p.y == 0.0) ? 0.0 : atan(p.y, p.x);
    float k = 2.0 / (length(p) + 0.1);
    Target0 = texture(Sampler0, vec2(cos(phi) * k + t, sin(phi) * k + t)) * vColor;
}
