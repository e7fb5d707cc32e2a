// A textured, tinted quad.
in vec4 vColor;
in vec2 vUv0;

void main() {
    vec4 c = texture(Sampler0, vUv0) * vColor;
    // A fully transparent fragment would still write depth, and batches draw by texture,
    // not in tree order: it would hide a sprite behind it that another batch draws later.
    if (c.a == 0.0) {
        discard;
    }
    Target0 = c;
}
