// sample.hlsl: a textured, lit mesh and a blur compute pass, an example of HLSL.
#include "common.hlsli"

#define BLUR_RADIUS 4

cbuffer PerFrame : register(b0)
{
    float4x4 viewProj;
    float3   lightDir;

[numthreads(64, 1, 1)]
void CSBlur(uint3 id : SV_DispatchThreadID, uint gi : SV_GroupIndex)
{
    cache[gi + BLUR_RADIUS] = blurIn[id.xy];
    GroupMemoryBarrierWithGroupSync();
    float4 sum = 0;
