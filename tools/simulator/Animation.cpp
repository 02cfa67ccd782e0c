#include "Animation.h"

#include "config/Rounding.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr double PI = 3.14159265358979323846;

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t colon = text.find(':');
        fields.push_back(text.substr(0, colon));
        if (colon == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(colon + 1);
    }
}

bool ToInt(std::string_view text, std::int32_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && !text.empty();
}

// Locale-independent decimal reading (strtod would follow LC_NUMERIC).
bool ToDouble(std::string_view text, double& value) {
    if (text.empty()) {
        return false;
    }
    std::string_view digits = text;
    const bool negative = digits.front() == '-';
    if (negative || digits.front() == '+') {
        digits.remove_prefix(1);
    }
    double result = 0.0;
    double scale = 0.0;
    bool any = false;
    for (const char c : digits) {
        if (c == '.' && scale == 0.0) {
            scale = 1.0;
            continue;
        }
        if (c < '0' || c > '9') {
            return false;
        }
        any = true;
        result = result * 10.0 + (c - '0');
        if (scale != 0.0) {
            scale *= 10.0;
        }
    }
    if (!any) {
        return false;
    }
    if (scale != 0.0) {
        result /= scale;
    }
    value = negative ? -result : result;
    return std::isfinite(value);
}

double Fraction(double x) {
    return x - std::floor(x);
}

} // namespace

std::optional<SAnimation> ParseAnimation(std::string_view text) {
    const auto fields = SplitFields(text);
    SAnimation animation;
    bool ok = false;
    if (fields[0] == "ramp" && fields.size() == 5) {
        animation.m_kind = EAnimationKind::Ramp;
        ok = ToInt(fields[1], animation.m_register) && ToDouble(fields[2], animation.m_from) &&
             ToDouble(fields[3], animation.m_to) && ToDouble(fields[4], animation.m_periodSeconds);
    } else if (fields[0] == "sine" && (fields.size() == 5 || fields.size() == 6)) {
        animation.m_kind = EAnimationKind::Sine;
        ok = ToInt(fields[1], animation.m_register) && ToDouble(fields[2], animation.m_from) &&
             ToDouble(fields[3], animation.m_to) &&
             ToDouble(fields[4], animation.m_periodSeconds) &&
             (fields.size() == 5 || ToDouble(fields[5], animation.m_phaseDegrees));
    } else if (fields[0] == "vector" && (fields.size() == 5 || fields.size() == 6)) {
        animation.m_kind = EAnimationKind::Vector;
        ok = ToInt(fields[1], animation.m_register) && ToInt(fields[2], animation.m_registerY) &&
             ToDouble(fields[3], animation.m_from) &&
             ToDouble(fields[4], animation.m_periodSeconds) &&
             (fields.size() == 5 || ToDouble(fields[5], animation.m_phaseDegrees));
    }
    if (!ok || animation.m_periodSeconds <= 0.0) {
        return std::nullopt;
    }
    return animation;
}

std::vector<std::pair<std::int32_t, std::int32_t>> AnimationValues(const SAnimation& animation,
                                                                   double seconds) {
    const double turn = Fraction(seconds / animation.m_periodSeconds);
    const double angle = 2.0 * PI * turn + animation.m_phaseDegrees * PI / 180.0;
    switch (animation.m_kind) {
    case EAnimationKind::Ramp:
        return {{animation.m_register,
                 RoundToInt(animation.m_from + (animation.m_to - animation.m_from) * turn)}};
    case EAnimationKind::Sine:
        return {{animation.m_register,
                 RoundToInt(animation.m_from + animation.m_to * std::sin(angle))}};
    case EAnimationKind::Vector:
        return {{animation.m_register, RoundToInt(animation.m_from * std::cos(angle))},
                {animation.m_registerY, RoundToInt(animation.m_from * std::sin(angle))}};
    }
    return {};
}

std::vector<SAnimation> DemoAnimations() {
    std::vector<SAnimation> animations;
    const struct {
        std::int32_t m_x;
        double m_radius;
        double m_period;
        double m_phase;
    } vectors[] = {{20, 100.0, 6.0, 0.0},
                   {22, 100.0, 6.0, 120.0},
                   {24, 100.0, 6.0, 240.0},
                   {26, 60.0, 15.0, 0.0}};
    for (const auto& v : vectors) {
        SAnimation animation;
        animation.m_kind = EAnimationKind::Vector;
        animation.m_register = v.m_x;
        animation.m_registerY = v.m_x + 1;
        animation.m_from = v.m_radius;
        animation.m_periodSeconds = v.m_period;
        animation.m_phaseDegrees = v.m_phase;
        animations.push_back(animation);
    }
    return animations;
}
