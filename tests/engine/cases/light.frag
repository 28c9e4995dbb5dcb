// sample.frag: Blinn-Phong lighting with a shadow map, an example of GLSL.
#version 450 core
#extension GL_ARB_separate_shader_objects : enable

#define MAX_LIGHTS 4
#define SHADOW_BIAS 0.005
layout(binding = 2) uniform sampler2DShadow shadowMap;

/* 1.0 when lit, 0.0 in full shadow; a 2x2 percentage-closer filter. */
float shadowFactor(vec4 coord) {
    vec3 p = coord.xyz / coord.w;
    float sum = 0.0;
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y)
