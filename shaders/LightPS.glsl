// A sprite light, added to the back buffer. Its texture gives the light colour
// (Sampler0) and direction (Sampler1, the normal map); the scene targets give what it
// lights: colour (Sampler2), normal (Sampler3) and specular mask (Sampler4, red).
in vec4 vColor;
in vec2 vUv0;
in vec2 vScreen;

void main() {
    vec4 lightColor = texture(Sampler0, vUv0) * vColor;
    vec3 toLight = texture(Sampler1, vUv0).rgb * 2.0 - 1.0;
    // Adds nothing; skipping it keeps its depth from hiding other lights.
    if (lightColor.a == 0.0) {
        discard;
    }
    vec3 normal = normalize(texture(Sampler3, vScreen).rgb * 2.0 - 1.0);
    vec3 halfway = normalize(toLight + vec3(0.0, 0.0, 1.0));
    float diffuse = dot(toLight, normal);
    float specular = pow(clamp(dot(normal, halfway), 0.0, 1.0), 100.0) * texture(Sampler4, vScreen).r;
    vec3 intensity = lightColor.rgb * 4.0 * lightColor.a;
    Target0 = vec4(intensity * texture(Sampler2, vScreen).rgb * diffuse + intensity * specular, 1.0);
}
