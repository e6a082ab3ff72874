#include "latency_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tavrin::bench {

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(
      std::max(1.0, std::ceil(p * static_cast<double>(values.size()))));
  return values[std::min(rank, values.size()) - 1];
}

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (const double v : values) sum += v;
  return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

std::string MsText(double ms) {
  if (ms >= 1e9) return "missed";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ms", ms);
  return text;
}

void PrintLatencies(const char* what, std::vector<double> ms, int missed,
                    unsigned long limitMs, double targetP99) {
  for (int i = 0; i < missed; ++i) ms.push_back(1e9);
  const double p99 = Percentile(ms, 0.99);
  std::printf("%s: %zu measured, %d missed (no line within %lu ms)\n", what,
              ms.size() - static_cast<std::size_t>(missed), missed, limitMs);
  std::printf("  p50 %s, p90 %s, p99 %s, min %s, max %s\n",
              MsText(Percentile(ms, 0.5)).c_str(), MsText(Percentile(ms, 0.9)).c_str(),
              MsText(p99).c_str(), MsText(Percentile(ms, 0.0)).c_str(),
              MsText(Percentile(ms, 1.0)).c_str());
  std::printf("  p99 target at most %.0f ms: %s\n", targetP99,
              p99 <= targetP99 ? "met" : "MISSED");
}

}  // namespace tavrin::bench
