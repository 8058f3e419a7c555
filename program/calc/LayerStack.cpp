#include "calc/LayerStack.h"

#include <algorithm>
#include <cmath>

#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"

namespace veltaro {
namespace {

// A value that left the finite numbers is a floating-point fault.
double finite(double x) {
  if (!std::isfinite(x)) throw RunTimeError(RunTimeError::Overflow);
  return x;
}

double div(double a, double b) {
  if (b == 0) throw RunTimeError(RunTimeError::DivisionByZero);
  return finite(a / b);
}

// The largest exponent whose exponential is finite in double precision.
constexpr double kLargestExponent = 709.782712893;
// A thickness searched beyond this many metres has run away: the search stops and the window
// rejects it as too thick, before any number overflows.
constexpr double kRunawayThickness = 1000;
// Passes of one inner layer search before its drop is judged impossible to meet.
constexpr int kInnerPassLimit = 10000;
constexpr double kCounterLimit = 1000;  // pass counters grow by 0.1: about 10,000 passes

}  // namespace

// ------------------------------------------------------------------ formulas of one layer

double PipeLayerResistance(double lambda, double innerDiameter, double thickness) {
  const double factor = div(1, kTwoPi * lambda);  // formed first, with the single-precision 2π
  return finite(factor * NaturalLog(div(innerDiameter + 2 * thickness, innerDiameter)));
}

double PlaneLayerResistance(double lambda, double thickness) {
  return div(1, div(lambda, thickness));
}

double PipeSurfaceResistance(double alpha, double outerDiameter) {
  return div(1, outerDiameter * alpha * kPi);
}

double PlaneSurfaceResistance(double alpha) {
  return div(1, alpha);
}

double PipeLayerHeatFlow(double lambda, double drop, double innerDiameter, double thickness) {
  const double L = NaturalLog(div(innerDiameter + 2 * thickness, innerDiameter));
  return div(kTwoPi * lambda * drop, L);
}

double PipeLayerThicknessFor(double lambda, double drop, double q, double innerDiameter,
                             bool& exponentTooLarge) {
  exponentTooLarge = false;
  const double x = kTwoPi * lambda * drop / q;
  if (q == 0 || !(x <= kLargestExponent)) {  // a NaN fails the test too
    exponentTooLarge = true;
    return 0;
  }
  return finite((std::exp(x) * innerDiameter - innerDiameter) / 2);
}

double PlaneLayerThicknessFor(double lambda, double drop, double q) {
  return finite(div(lambda, q) * drop);
}

void StackSurfaceCoefficient(const StackGeometry& g, double size, double ts, double ta,
                             bool indoorPlaneAsWall) {
  FX& s = fx();
  if (g.pipe) {
    if (!g.indoors)
      ConvectionPipeWind(g.wind, size, ts, ta);
    else if (g.vertical)
      ConvectionVerticalPipe(size, ts, ta);
    else
      ConvectionHorizontalPipe(size, ts, ta);
  } else if (!g.indoors) {
    ConvectionWallWind(g.wind, size, ts, ta);
  } else if (g.vertical || indoorPlaneAsWall) {
    ConvectionVerticalWall(size, ts, ta);
  } else {
    s.ConvectiveCoefficient = 0;  // an indoor horizontal plane: radiation alone
  }
  RadiationCoefficient(ts, ta, size, size, size, g.emissivity);
  s.SurfaceCoefficient = s.ConvectiveCoefficient + s.RadiativeCoefficient;
}

// ------------------------------------------------------------------ the stack

LayerStack::LayerStack(const StackGeometry& g, int n, const LayerThicknesses& thickness, double tm,
                       double ta)
    : g_(g), n_(std::clamp(n, 1, kMaxLayers)), s_(thickness), tm_(tm), ta_(ta) {}

double LayerStack::totalThickness() const {
  double total = 0;
  for (int i = 0; i < n_; ++i) total += s_[i];
  return total;
}

double LayerStack::outerDiameter() const {
  return g_.diameter + 2 * totalThickness();
}

void LayerStack::startFaces(double t) {
  for (int k = 1; k <= n_; ++k) fx().LayerTemperatures[k] = t;
}

double LayerStack::layerResistance(int i, double innerDiameter) const {
  const double lambda = fx().LayerConductivities[i + 1];
  return g_.pipe ? PipeLayerResistance(lambda, innerDiameter, s_[i])
                 : PlaneLayerResistance(lambda, s_[i]);
}

StackEnd LayerStack::solveHeatFlow(const HeatFlowOptions& options) {
  passes_ = 0;
  try {
    return heatFlowPasses(options);
  } catch (const RunTimeError&) {
    return StackEnd::Fault;
  }
}

StackEnd LayerStack::heatFlowPasses(const HeatFlowOptions& options) {
  FX& s = fx();
  const int n = n_;
  startFaces(ta_ + 0.001);
  s.HeatFlow = 7.0;  // the previous heat flow of the first loop test
  double c = options.counter;
  double qPrev = options.previousHeatFlow;
  std::array<double, kMaxLayers> inner{};  // inner diameter of each pipe layer
  inner[0] = g_.diameter;
  for (int i = 1; i < n; ++i) inner[i] = inner[i - 1] + 2 * s_[i - 1];
  const double size = g_.pipe ? outerDiameter() : g_.height;
  const double flowDrop = tm_ - ta_;

  // The start value 7.0 is no heat flow of this stack: a first pass that happens to land near
  // it has not converged, so the loop always makes a second pass.
  while (passes_ < 2 || std::abs(qPrev - s.HeatFlow) > std::abs(0.001 * s.HeatFlow)) {
    qPrev = s.HeatFlow;
    LayerConductivitiesAtMean(tm_, static_cast<int16_t>(n));
    StackSurfaceCoefficient(g_, size, s.LayerTemperatures[n], ta_, options.indoorPlaneAsWall);
    std::array<double, kMaxLayers> R{};
    double total = 0;
    for (int i = 0; i < n; ++i) total += R[i] = layerResistance(i, inner[i]);
    total += g_.pipe ? PipeSurfaceResistance(s.SurfaceCoefficient, inner[n - 1] + 2 * s_[n - 1])
                     : PlaneSurfaceResistance(s.SurfaceCoefficient);
    const double U = div(1, total);
    s.HeatFlow = finite(flowDrop * U);
    double t = tm_;
    for (int k = 1; k <= n; ++k)
      s.LayerTemperatures[k] = t = finite(t - (tm_ - ta_) * U * R[k - 1]);
    ++passes_;
    c += 0.1;
    if (c > kCounterLimit) break;
  }
  if (c <= kCounterLimit) return StackEnd::Converged;
  // Out of passes: two heat flows that still differ by less than 4 W/m (or W/m²) are taken as
  // their mean; the face temperatures stay those of the last pass.
  if (std::abs(qPrev - s.HeatFlow) < 4) {
    s.HeatFlow = (s.HeatFlow + qPrev) / 2;
    return StackEnd::Converged;
  }
  return StackEnd::PassLimit;
}

StackEnd LayerStack::solveForTemperatures(const std::array<double, kMaxLayers>& faces) {
  FX& s = fx();
  passes_ = 0;
  target_ = 0;
  for (int k = 1; k <= n_; ++k) s.LayerTemperatures[k] = faces[k - 1];
  s.HeatFlow = 7.0;  // replaced by layer 0's heat flow on the first pass
  try {
    // Every face is given, so each layer's conductivity is fixed for the whole search.
    LayerConductivitiesAtMean(tm_, static_cast<int16_t>(n_));
    return temperaturePasses();
  } catch (const RunTimeError&) {
    return StackEnd::Fault;
  }
}

StackEnd LayerStack::temperaturePasses() {
  FX& s = fx();
  const int n = n_;
  const auto& T = s.LayerTemperatures;
  const auto& lambda = s.LayerConductivities;
  auto tInner = [&](int i) { return i == 0 ? tm_ : T[i]; };  // warm face of layer i
  const double D0 = g_.diameter;
  const double start = g_.pipe ? 0.01 : 0.1;
  for (int i = 0; i < n; ++i) s_[i] = start;
  double c = 0;
  double qOuter = 0;  // the outermost layer's heat flow at the end of the last pass

  while (passes_ < 2 || std::abs(s.HeatFlow - target_) > std::abs(0.0001 * target_)) {
    if (passes_ > 0) {
      // All layers are scaled by a fifth of the relative excess of what the stack carries over
      // what the surface gives off at its required temperature.
      const double carried = g_.pipe ? qOuter : s.HeatFlow;
      const double scale = finite(1 + 0.2 * div(carried - target_, target_));
      for (int i = 0; i < n; ++i) s_[i] *= scale;
    }
    // The surface coefficient is always taken at the required surface temperature; the first
    // pass starts from 7.0.
    if (passes_ == 0) {
      s.SurfaceCoefficient = 7.0;  // W/(m²·K), until a surface is known
    } else if (g_.pipe) {
      const double outer = D0 + 2 * totalThickness();
      if (outer <= 0 || D0 <= 0) return StackEnd::NoSolution;
      StackSurfaceCoefficient(g_, outer, T[n], ta_);
    } else {
      StackSurfaceCoefficient(g_, g_.height, T[n], ta_);
    }

    if (g_.pipe) {
      const double L0 = NaturalLog(div(D0 + 2 * s_[0], D0));
      s.HeatFlow = L0 != 0 ? div(kTwoPi * lambda[1] * (tm_ - T[1]), L0) : 0;
      const double q = s.HeatFlow;
      for (int i = 1; i < n; ++i) {
        double below = 0;  // the layers inside this one, as they now stand
        for (int j = 0; j < i; ++j) below += s_[j];
        const double inside = D0 + 2 * below;
        double qi = 0;
        // A layer is thickened or thinned until it carries layer 0's heat flow under its own
        // drop. A drop of the wrong sign never gets there: the order cannot be met.
        for (int pass = 0; std::abs(qi - q) > std::abs(0.0001 * q); ++pass) {
          if (pass >= kInnerPassLimit) return StackEnd::NoSolution;
          const double L = NaturalLog(div(inside + 2 * s_[i], inside));
          qi = L != 0 ? div(kTwoPi * lambda[i + 1] * (T[i] - T[i + 1]), L) : q;
          s_[i] = finite(s_[i] * div(qi, q));
        }
        qOuter = qi;
      }
      target_ = finite((T[n] - ta_) * s.SurfaceCoefficient * kPi * (D0 + 2 * totalThickness()));
    } else {
      s.HeatFlow = div(lambda[1] * (tm_ - T[1]), s_[0]);
      for (int i = 1; i < n; ++i) s_[i] = div(lambda[i + 1] * (tInner(i) - T[i + 1]), s.HeatFlow);
      target_ = finite((T[n] - ta_) * s.SurfaceCoefficient);
    }
    ++passes_;
    c += 0.1;
    for (int i = 0; i < n; ++i)
      if (std::abs(s_[i]) > kRunawayThickness) return StackEnd::Converged;  // shown as too thick
    if (c > kCounterLimit) return StackEnd::PassLimit;
  }
  return StackEnd::Converged;
}

StackEnd LayerStack::solveForHeatFlow(const std::array<double, kMaxLayers>& faces, double q) {
  FX& s = fx();
  passes_ = 0;
  s.HeatFlow = q;
  for (int k = 1; k < n_; ++k) s.LayerTemperatures[k] = faces[k - 1];
  s.LayerTemperatures[n_] = ta_ + 0.000001;
  try {
    return heatFlowThicknessPasses(q);
  } catch (const RunTimeError&) {
    return StackEnd::Fault;
  }
}

StackEnd LayerStack::heatFlowThicknessPasses(double q) {
  FX& s = fx();
  const int n = n_;
  auto& T = s.LayerTemperatures;
  const auto& lambda = s.LayerConductivities;
  LayerConductivitiesAtMean(tm_, static_cast<int16_t>(n));

  // The inner layers have both faces given: each in closed form, once.
  double D = g_.diameter;
  bool tooLarge = false;
  for (int k = 1; k < n; ++k) {
    const double drop = (k == 1 ? tm_ : T[k - 1]) - T[k];
    if (g_.pipe) {
      s_[k - 1] = PipeLayerThicknessFor(lambda[k], drop, q, D, tooLarge);
      if (tooLarge) return StackEnd::NoSolution;
      D += 2 * s_[k - 1];
    } else {
      s_[k - 1] = PlaneLayerThicknessFor(lambda[k], drop, q);
    }
  }
  s_[n - 1] = 0;

  // The outer layer and the surface temperature: a fixed point on the surface temperature.
  const double f = g_.pipe ? 0.08 : 0.001;
  double previous = 0;
  double c = 0;
  for (;;) {
    // The first pass runs on the start value of the surface coefficient, so the test can end
    // the search only from the third pass on.
    if (passes_ >= 2 && std::abs(previous - T[n]) <= std::abs(f * T[n])) return StackEnd::Converged;
    previous = T[n];
    if (passes_ == 0)
      s.SurfaceCoefficient = 7.0;  // W/(m²·K), before the first surface
    else
      StackSurfaceCoefficient(g_, g_.pipe ? outerDiameter() : g_.height, T[n], ta_);
    LayerConductivitiesAtMean(tm_, static_cast<int16_t>(n));
    const double drop = T[n - 1] - T[n];
    if (g_.pipe) {
      s_[n - 1] = PipeLayerThicknessFor(lambda[n], drop, q, D, tooLarge);
      if (tooLarge) return StackEnd::NoSolution;
      double outer = outerDiameter();
      if (kPi * s.SurfaceCoefficient * outer == 0) outer = 2e-8;
      T[n] = finite(div(q, kPi * s.SurfaceCoefficient * outer) + ta_);
    } else {
      s_[n - 1] = PlaneLayerThicknessFor(lambda[n], drop, q);
      T[n] = finite(div(q, s.SurfaceCoefficient) + ta_);
    }
    ++passes_;
    c += 0.1;
    if (c > kCounterLimit) return StackEnd::PassLimit;
  }
}

}  // namespace veltaro
