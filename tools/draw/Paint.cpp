#include "tools/draw/Paint.h"

#include <cmath>

namespace qv::tools {

Paint Solid(Rgba colour) {
    return [=](Vec2, float) { return colour; };
}

Paint Linear(Vec2 from, Vec2 to, Rgba c0, Rgba c1) {
    const Vec2 axis = to - from;
    const float lengthSquared = std::max(Dot(axis, axis), 1e-12f);
    return [=](Vec2 p, float) { return Mix(c0, c1, Saturate(Dot(p - from, axis) / lengthSquared)); };
}

Paint Radial(Vec2 centre, float radius, Rgba inner, Rgba outer) {
    return [=](Vec2 p, float) { return Mix(inner, outer, Saturate(Length(p - centre) / radius)); };
}

Paint EdgeDarkened(Paint base, float width, float darkness) {
    return [=](Vec2 p, float inside) {
        const float t = Saturate(inside / width);
        return Shade(base(p, inside), 1.0f - darkness * (1.0f - t) * (1.0f - t));
    };
}

Paint Mottled(Paint base, const Noise& noise, float featureSize, float amount) {
    return [=](Vec2 p, float inside) {
        const float n = noise.Fractal(p.X / featureSize, p.Y / featureSize, 3);
        return Shade(base(p, inside), 1.0f + (n - 0.5f) * 2.0f * amount);
    };
}

Paint Banded(Paint base, Vec2 direction, float period, float duty, Rgba stripe) {
    return [=](Vec2 p, float inside) {
        const float phase = Dot(p, direction) / period;
        const float f = phase - std::floor(phase);
        // A smooth step across each band edge keeps stripes anti-aliased.
        const float edge = 0.08f;
        const float in = Saturate((f) / edge) * Saturate((duty - f) / edge);
        return Mix(base(p, inside), stripe, in * stripe.A);
    };
}

}  // namespace qv::tools
