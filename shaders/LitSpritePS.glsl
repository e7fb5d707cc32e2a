// Lit foreground into three targets: colour; normal (packed to 0..1) with the colour's
// coverage; specular mask in red with the coverage. Sampler1 is the texture's normal map
// with the specular intensity in alpha.
in vec4 vColor;
in vec2 vUv0;
in vec2 vUv1;  // cos r, sin r of the quad's rotation

void main() {
    vec4 c = texture(Sampler0, vUv0) * vColor;
    vec4 n = texture(Sampler1, vUv0);
    // As for plain sprites: no depth from fully transparent texels.
    if (c.a == 0.0) {
        discard;
    }
    vec3 normal = n.rgb * 2.0 - 1.0;
    // A mirrored quad winds the other way: its normals face the other way in x.
    if (!gl_FrontFacing) {
        normal.x = -normal.x;
    }
    normal.xy = vec2(normal.x * vUv1.x - normal.y * vUv1.y, normal.x * vUv1.y + normal.y * vUv1.x);
    Target0 = c;
    Target1 = vec4(normal * 0.5 + 0.5, c.a);
    Target2 = vec4(n.a, 0.0, 0.0, c.a);
}
