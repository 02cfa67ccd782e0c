#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

enum class EAnimationKind { Ramp, Sine, Vector };

// A register (or, for a vector, a pair) that the simulated device moves on its own so that a
// demo has something to show.
struct SAnimation {
    EAnimationKind m_kind = EAnimationKind::Ramp;
    std::int32_t m_register = 0;
    std::int32_t m_registerY = 0; // vector: the second register of the pair
    double m_from = 0.0;          // ramp: start; sine: centre; vector: radius
    double m_to = 0.0;            // ramp: end; sine: amplitude
    double m_periodSeconds = 1.0;
    double m_phaseDegrees = 0.0; // sine and vector
};

// "ramp:REG:FROM:TO:SECONDS", "sine:REG:CENTRE:AMPLITUDE:SECONDS[:PHASE]",
// "vector:REGX:REGY:RADIUS:SECONDS[:PHASE]"; nothing for any other text or a period <= 0.
std::optional<SAnimation> ParseAnimation(std::string_view text);

// The (register, value) pairs the animation gives at a time since start: a ramp climbs from
// FROM to TO in each period and starts again, a sine swings around its centre, a vector turns
// once a period (x = r cos, y = r sin).
std::vector<std::pair<std::int32_t, std::int32_t>> AnimationValues(const SAnimation& animation,
                                                                   double seconds);

// Four vectors on registers 20..27 (pairs 20/21, 22/23, 24/25, 26/27): three phases 120
// degrees apart turning together, and a shorter one turning slower.
std::vector<SAnimation> DemoAnimations();
