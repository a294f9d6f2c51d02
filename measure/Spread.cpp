#include "measure/Spread.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

double Median(std::vector<double> values) {
    if (values.empty()) throw std::invalid_argument("the median of no values");
    const std::size_t half = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(half),
                     values.end());
    const double upper = values[half];
    if (values.size() % 2 != 0) return upper;
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(half));
    return (lower + upper) / 2.0;
}

Spread SpreadOf(const std::vector<double>& values) {
    Spread spread;
    spread.median = Median(values);
    spread.min = *std::min_element(values.begin(), values.end());
    spread.max = *std::max_element(values.begin(), values.end());
    std::vector<double> deviations;
    deviations.reserve(values.size());
    for (const double v : values) deviations.push_back(std::fabs(v - spread.median));
    spread.robustCv = 1.4826 * Median(deviations) / spread.median;
    return spread;
}
