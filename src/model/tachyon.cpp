#include "tachyon.h"

#include <cmath>

#include "numbers.h"

namespace trevanor {

namespace {
// A field's number as an unsigned byte, blanks trimmed; 0 when it is none.
int byte_of(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return 0;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    return static_cast<int>(static_cast<unsigned char>(to_int_def(text, 0)));
}
}  // namespace

TachyonEffect calc_eff(std::string_view detectors, std::string_view cloaking) {
    TachyonEffect e;
    const int n = byte_of(detectors);
    e.cloaking = byte_of(cloaking);
    if (e.cloaking > 98) {
        e.cloaking = 98;
        e.cloakingCut = true;
    }
    double f = std::pow(0.95, std::sqrt(static_cast<double>(n)));
    if (f < 0.81) f = 0.81;
    // Rounded from the exact products: 50 x 0.95 (a double a little below
    // 0.95) is 47.4999..., which a double product would round up to 47.5.
    const long double exact = f;
    e.reduction = static_cast<int>(std::nearbyint(exact * 100));
    e.efficiency = 100 - static_cast<int>(std::nearbyint(exact * e.cloaking));
    return e;
}

}  // namespace trevanor
