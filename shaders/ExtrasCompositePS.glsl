// The vertex colour at the texture's coverage: with opaque black it darkens the back
// buffer wherever lit sprites lie, so they show only where lights reach them.
in vec4 vColor;
in vec2 vUv0;

void main() {
    Target0 = vec4(vColor.rgb, texture(Sampler0, vUv0).a * vColor.a);
}
