#pragma once

#include <string>
#include <vector>

// How the measurement programs report a series of latencies.
namespace tavrin::bench {

// Nearest rank: the smallest value with at least p of the values at or
// below it (so p99 of 50 values is the largest).
double Percentile(std::vector<double> values, double p);
double Mean(const std::vector<double>& values);
// "missed" for a value that stands for a line that never came.
std::string MsText(double ms);
// Prints p50, p90, p99, min and max and whether p99 met the target; the
// missed ones (nothing within `limitMs`) count as longer than every other.
void PrintLatencies(const char* what, std::vector<double> ms, int missed,
                    unsigned long limitMs, double targetP99);

}  // namespace tavrin::bench
