# sample.jl: a small particle simulation, an example of Julia.
module Particles

using Printf
using LinearAlgebra: norm

export Particle, step!, energy

#= Block comments nest in Julia:
   #= an inner comment =# and this line is still a comment. =#

"""
    Particle(x, v, m)

A point mass with position `x`, velocity `v` and mass `m`.
"""
mutable struct Particle{T<:AbstractFloat}
    x::Vector{T}
    v::Vector{T}
    m::T
end

const G = 9.81

function step!(ps::Vector{Particle{T}}, dt::T) where {T}
    @inbounds for p in ps
        p.v[end] -= G * dt
        p.x .+= p.v .* dt
        if p.x[end] < zero(T)
            p.x[end] = -p.x[end]
            p.v[end] = -0.9 * p.v[end]
        end
    end
    return ps
end

energy(p::Particle) = 0.5 * p.m * norm(p.v)^2 + p.m * G * p.x[end]

end # module

using .Particles

ps = [Particle([0.0, 10.0 * i], [1.0, 0.0], 1.0) for i in 1:3]
for t in 1:100
    step!(ps, 0.01)
end
total = sum(energy, ps)
@printf("total energy: %.3f\n", total)
println("first particle at $(ps[1].x), note: \"bounced\"")
isempty(ps) && error("no particles")
cmd = `ls -l`
