#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pelmar::bench {

// The sample at the given fraction of the sorted samples (nearest rank: the smallest sample
// with at least that fraction of all samples at or below it); 0 without samples.
double Percentile(std::vector<double> samples, double fraction);

inline double Median(std::vector<double> samples) {
    return Percentile(std::move(samples), 0.5);
}

// A number with a fixed count of decimals.
std::string Fixed(double value, int decimals);

}  // namespace pelmar::bench
