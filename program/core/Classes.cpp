#include "core/Classes.h"

#include <cmath>

#include "core/Fx.h"
#include "core/Numbers.h"

namespace veltaro {
namespace {

bool danish() {
  return fx().CountryCode == "DK";
}

// The pipe limit, or 0 when the rule set has no such class (class 0 is handled by callers).
double pipeLimit(uint8_t cls, double D) {
  if (danish()) {
    switch (cls) {
      case 1:
        return D * 2.6 + 0.2;  // the general class 2
      case 2:
        return (D + D) + 0.18;  // the general class 3
      case 3:
        return D * 1.5 + 0.16;  // the general class 4
      case 4:
        return (D * 1.1 + 0.15) - 0.25 * std::pow(D, 2);
      default:
        return 0;
    }
  }
  switch (cls) {
    case 1:
      return D * 3.3 + 0.22;
    case 2:
      return D * 2.6 + 0.2;
    case 3:
      return (D + D) + 0.18;
    case 4:
      return D * 1.5 + 0.16;
    case 5:
      return D * 1.1 + 0.14;
    case 6:
      return D * 0.8 + 0.12;
    default:
      return 0;
  }
}

bool hasClass(uint8_t cls) {
  return cls >= 1 && cls <= (danish() ? 4 : 6);
}

bool within(double u, double limit, double tolerance) {
  const double d = u - limit;
  return -tolerance < d && d < tolerance;
}

struct Rung {
  double threshold, step;
};
constexpr Rung kLadder[35] = {
    {1e13, 1e10}, {1e12, 1e9},   {1e11, 1e8}, {1e10, 1e7},  {1e9, 1e6},  {5e8, 8e5},
    {3e8, 6.5e5}, {1e8, 5e5},    {1e7, 2e5},  {5e6, 1e5},   {3e6, 8e4},  {2e6, 6.5e4},
    {1e6, 5e4},   {7.5e5, 4e4},  {5e5, 3e4},  {2.5e5, 2e4}, {1e5, 1e4},  {7.5e4, 7500},
    {5e4, 5000},  {2.5e4, 2500}, {1e4, 1000}, {1000, 500},  {750, 250},  {500, 125},
    {100, 100},   {50, 75},      {25, 50},    {10, 25},     {1, 10},     {0.1, 7.5},
    {0.01, 5},    {0.001, 2.5},  {1e-4, 1},   {1e-5, 0.75}, {1e-6, 0.5},
};

}  // namespace

double PipeClassLimit(uint8_t cls, double D) {
  if (cls == 0) return 0.0001;
  return pipeLimit(cls, D);
}

double PlaneClassLimit(uint8_t cls) {
  static constexpr double kDanish[] = {0, 0.88, 0.66, 0.49, 0.35};
  static constexpr double kGeneral[] = {0, 1.17, 0.88, 0.66, 0.49, 0.35, 0.22};
  if (!hasClass(cls)) return 0;
  return danish() ? kDanish[cls] : kGeneral[cls];
}

double ClassLimitStep(uint8_t cls, int kind, double D) {
  if (!hasClass(cls)) return 0;
  const double limit = kind == 1 ? PlaneClassLimit(cls) : pipeLimit(cls, D);
  return StepFromDifference(fx().Transmittance, limit, 0.001);
}

uint8_t PipeClassOfTransmittance(double D, uint8_t cls, uint8_t accept) {
  if (!hasClass(cls)) return 0;
  const double u = fx().Transmittance;
  const double limit = pipeLimit(cls, D);
  // With `accept`, classes 1 and 2 need only the upper side of their tolerance: a search that
  // has crept toward a large pipe's limit for long may stop on a thickness a step beyond it,
  // never on one short of it.
  switch (cls) {
    case 1: {
      const double ratio = u / limit;
      return ((accept || 0.999 < ratio) && ratio < 1.001) ? 1 : 0;
    }
    case 2:
      if (accept) return u - limit < 0.001 ? 2 : 0;
      return within(u, limit, 0.001) ? 2 : 0;
    default:
      return within(u, limit, 0.001) ? cls : 0;
  }
}

uint8_t PlaneClassOfTransmittance(double, uint8_t cls) {
  if (!hasClass(cls)) return 0;
  return within(fx().Transmittance, PlaneClassLimit(cls), 0.005) ? cls : 0;
}

uint8_t ClassOfAnnualLoss(double hours, double ta, double tm, double factor) {
  // The product is compared as a Money value, as the yearly figures always were.
  const Money e = Money::FromDouble((tm - ta) * hours * 3600 * factor);
  auto at = [](int64_t whole) { return Money::FromWhole(whole); };
  if (danish()) {
    if (e < at(50'000'000)) return 0;
    if (e < at(350'000'000)) return 1;
    if (e < at(700'000'000)) return 2;
    if (e < at(1'400'000'000)) return 3;
    return 4;
  }
  if (e < at(50'000'000)) return 0;
  if (e < at(170'000'000)) return 1;
  if (e < at(350'000'000)) return 2;
  if (e < at(700'000'000)) return 3;
  if (e < at(1'400'000'000)) return 4;
  if (e < at(2'800'000'000)) return 5;
  return 6;
}

double StepFromDifference(double a, double b, double f) {
  const bool negative = b > a;
  double d = std::fabs(std::fabs(a) - std::fabs(b));
  if (negative) d = -d;
  double step = 0;
  // Every rung is tried; the last one that holds (the smallest threshold above |d|/f) wins.
  for (const Rung& rung : kLadder) {
    const double threshold = f * rung.threshold;
    if (std::fabs(d) < threshold) step = f * rung.step;
  }
  if (d < 0) step = -step;
  return step;
}

}  // namespace veltaro
