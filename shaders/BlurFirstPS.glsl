// Horizontal half of the shadow blur: a 7-tap Gaussian of the source's coverage.
// c0: the weights of offsets 0..3; c1.x: one texel in u; c2.x: the shadow's darkness.
in vec4 vColor;
in vec2 vUv0;

void main() {
    float a = 0.0;
    for (int k = -3; k <= 3; ++k) {
        a += PsConst[0][abs(k)] * texture(Sampler0, vUv0 + vec2(float(k) * PsConst[1].x, 0.0)).a;
    }
    Target0 = vec4(vColor.rgb, a * PsConst[2].x);
}
