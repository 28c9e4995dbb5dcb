// sample.hlsl: a textured, lit mesh and a blur compute pass, an example of HLSL.
#include "common.hlsli"

#define BLUR_RADIUS 4

cbuffer PerFrame : register(b0)
{
    float4x4 viewProj;
    float3   lightDir;
    float    time;
};

Texture2D    albedo       : register(t0);
SamplerState linearSample : register(s0);

struct VSInput
{
    float3 position : POSITION;
    float3 normal   : NORMAL;
    float2 uv       : TEXCOORD0;
};

struct PSInput
{
    float4 position : SV_Position;
    float3 normal   : NORMAL;
    float2 uv       : TEXCOORD0;
};

PSInput VSMain(VSInput input)
{
    PSInput output;
    output.position = mul(float4(input.position, 1.0f), viewProj);
    output.normal = input.normal;
    output.uv = input.uv;
    return output;
}

float4 PSMain(PSInput input) : SV_Target
{
    float3 color = albedo.Sample(linearSample, input.uv).rgb;
    float light = saturate(dot(normalize(input.normal), -lightDir));
    return float4(color * (0.2f + 0.8f * light), 1.0f);
}

/* Horizontal box blur: one thread per pixel, 64 pixels per group. */
Texture2D<float4>   blurIn  : register(t1);
RWTexture2D<float4> blurOut : register(u0);
groupshared float4 cache[64 + 2 * BLUR_RADIUS];

[numthreads(64, 1, 1)]
void CSBlur(uint3 id : SV_DispatchThreadID, uint gi : SV_GroupIndex)
{
    cache[gi + BLUR_RADIUS] = blurIn[id.xy];
    GroupMemoryBarrierWithGroupSync();
    float4 sum = 0;
    [unroll] for (int i = -BLUR_RADIUS; i <= BLUR_RADIUS; ++i)
        sum += cache[gi + BLUR_RADIUS + i];
    blurOut[id.xy] = sum / (2 * BLUR_RADIUS + 1);
}
