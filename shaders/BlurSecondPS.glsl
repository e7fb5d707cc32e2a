// Vertical half of the shadow blur. c0: the weights of offsets 0..3; c1.y: one texel in v.
in vec4 vColor;
in vec2 vUv0;

void main() {
    float a = 0.0;
    for (int k = -3; k <= 3; ++k) {
        a += PsConst[0][abs(k)] * texture(Sampler0, vUv0 + vec2(0.0, float(k) * PsConst[1].y)).a;
    }
    Target0 = vec4(vColor.rgb, a);
}
