// sample.frag: Blinn-Phong lighting with a shadow map, an example of GLSL.
#version 450 core
#extension GL_ARB_separate_shader_objects : enable

#define MAX_LIGHTS 4
#define SHADOW_BIAS 0.005

layout(location = 0) in vec3 vPosition;
layout(location = 1) in vec3 vNormal;
layout(location = 2) in vec2 vTexCoord;
layout(location = 3) in vec4 vShadowCoord;

layout(location = 0) out vec4 fragColor;

struct Light {
    vec3 position;
    vec3 color;
    float intensity;
};

layout(std140, binding = 0) uniform Lights {
    Light lights[MAX_LIGHTS];
    int lightCount;
    vec3 eye;
};

layout(binding = 1) uniform sampler2D albedoMap;
layout(binding = 2) uniform sampler2DShadow shadowMap;

/* 1.0 when lit, 0.0 in full shadow; a 2x2 percentage-closer filter. */
float shadowFactor(vec4 coord) {
    vec3 p = coord.xyz / coord.w;
    float sum = 0.0;
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y)
            sum += texture(shadowMap, vec3(p.xy + vec2(x, y) / 2048.0, p.z - SHADOW_BIAS));
    return sum * 0.25;
}

void main() {
    vec3 albedo = texture(albedoMap, vTexCoord).rgb;
    vec3 n = normalize(vNormal);
    vec3 v = normalize(eye - vPosition);
    vec3 result = 0.05 * albedo;            // ambient
    for (int i = 0; i < lightCount; ++i) {
        vec3 l = normalize(lights[i].position - vPosition);
        vec3 h = normalize(l + v);
        float diffuse = max(dot(n, l), 0.0);
        float specular = pow(max(dot(n, h), 0.0), 32.0);
        result += (diffuse * albedo + specular) * lights[i].color * lights[i].intensity;
    }
    result *= mix(0.3, 1.0, shadowFactor(vShadowCoord));
    if (any(isnan(result)))
        discard;
    fragColor = vec4(clamp(result, 0.0, 1.0), 1.0);
}
