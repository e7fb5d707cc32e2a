// Writes the vertex colour times c0 to target 0.
in vec4 vColor;

void main() {
    Target0 = vColor * PsConst[0];
}
