#pragma once

#include <vector>

// The middle value; for an even count the mean of the two middle ones. Throws
// std::invalid_argument for no values.
double Median(std::vector<double> values);

// How far repeated measurements scatter.
struct Spread {
    double min = 0.0;
    double max = 0.0;
    double median = 0.0;
    // 1.4826 * the median absolute deviation / the median: the standard deviation's share of
    // the mean for normally scattered values, but not thrown off by a few wild ones.
    double robustCv = 0.0;
};

// Throws std::invalid_argument for no values.
Spread SpreadOf(const std::vector<double>& values);
