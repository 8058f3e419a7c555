#pragma once
// The layer stack: two to six insulation layers of different products on a pipe or a plane,
// the medium inside, air outside. Shared by the multi-layer calculations and re-insulation.
//
// Numbering: layer i (0 innermost .. n-1 outermost) is element i + 1 of the shared layer arrays
// (LayerLambdaA/B/C, LayerTemperatures, LayerConductivities). LayerTemperatures(k) is the outer
// face of layer k-1: 1..n-1 are the interfaces, n is the surface.
//
// Units: metres and °C inside; a pipe's heat flow is per metre of pipe (W/m), a plane's per m²
// (W/m²). Conductivities come from the core's LayerConductivitiesAtMean, each layer at the mean
// of its two faces. The single-precision π and 2π are part of the results and used as they are.
//
//   StackGeometry g{.pipe = true, .diameter = 0.1143, .emissivity = 0.9};
//   LayerStack stack(g, 2, {0.03, 0.02}, 150, 20);
//   StackEnd end = stack.solveHeatFlow();     // heat loss of given thicknesses
//   double q = fx().HeatFlow, ts = fx().LayerTemperatures[2];
//
// The searches never let a floating-point fault through: it ends them with StackEnd::Fault.

#include <array>
#include <cstdint>
#include <optional>

namespace veltaro {

inline constexpr int kMaxLayers = 6;
// 2π as single precision widened to double.
inline constexpr double kTwoPi = 6.2831854820251465;

// Where the stack sits and how its outer surface gives off heat.
struct StackGeometry {
  bool pipe = true;
  double diameter = 0;  // pipe outer diameter under the insulation, m
  double height = 0;    // plane height (and length along the wind), m
  bool indoors = true;
  bool vertical = false;
  double wind = 0;  // m/s, used outdoors only
  double emissivity = 0;
};

using LayerThicknesses = std::array<double, kMaxLayers>;  // m, layer i at index i

// ------------------------------------------------------------------ formulas of one layer

// R = (1 / (2π λ)) · ln((Di + 2 s) / Di), per metre of pipe.
double PipeLayerResistance(double lambda, double innerDiameter, double thickness);
// R = 1 / (λ / s), per m² of plane (formed from the layer's conductance).
double PlaneLayerResistance(double lambda, double thickness);
// 1 / (De · α · π) per metre of pipe; 1 / α per m² of plane.
double PipeSurfaceResistance(double alpha, double outerDiameter);
double PlaneSurfaceResistance(double alpha);
// The heat flow that a pipe layer from Di to Di + 2 s carries for a temperature drop, and the
// thickness that carries q for that drop: s = (e^x · Di − Di) / 2 with x = 2π λ · drop / q.
// `exponentTooLarge` is set (and 0 returned) when x cannot be formed or its exponential would
// not be finite.
double PipeLayerHeatFlow(double lambda, double drop, double innerDiameter, double thickness);
double PipeLayerThicknessFor(double lambda, double drop, double q, double innerDiameter,
                             bool& exponentTooLarge);
// s = λ · drop / q.
double PlaneLayerThicknessFor(double lambda, double drop, double q);

// ConvectiveCoefficient, RadiativeCoefficient and SurfaceCoefficient at surface temperature ts:
// pipe indoors horizontal/vertical or outdoors with wind; plane indoors vertical or outdoors
// with wind; an indoor horizontal plane gives off heat by radiation alone, unless
// `indoorPlaneAsWall` asks for the vertical wall's convection. `size` is the insulated outer
// diameter of a pipe or the plane's height. Equal ts and ta radiate as ts = ta + 0.001.
void StackSurfaceCoefficient(const StackGeometry& g, double size, double ts, double ta,
                             bool indoorPlaneAsWall = false);

// ------------------------------------------------------------------ searches

enum class StackEnd : std::uint8_t {
  Converged,   // a result (also one accepted at the pass limit)
  PassLimit,   // the passes ran out without a result
  NoSolution,  // the requirements cannot be met (an impossible exponent, a shrunken pipe, an
               // inner layer that never carries the heat flow)
  Fault,       // a floating-point fault
};

// Options of the heat-flow search, for callers that run it after a search of their own.
struct HeatFlowOptions {
  double counter = 0;           // pass counter on entry (grows by 0.1 per pass, limit 1000)
  double previousHeatFlow = 0;  // the "previous" heat flow of the first loop test
  bool indoorPlaneAsWall = false;
};

class LayerStack {
 public:
  // `thickness` (m) of layers 0..n-1; n is clamped to 1..6.
  LayerStack(const StackGeometry& g, int n, const LayerThicknesses& thickness, double tm,
             double ta);

  int layers() const { return n_; }
  const LayerThicknesses& thickness() const { return s_; }
  double totalThickness() const;
  // Outer diameter of the insulated pipe, m.
  double outerDiameter() const;
  // Passes made by the last search.
  int passes() const { return passes_; }

  // Heat loss of the given thicknesses: from all faces at Ta + 0.001 and a heat flow of 7.0,
  // each pass takes the conductivities at the last pass's face temperatures and the surface
  // coefficient at the last surface temperature, until two heat flows agree within 0.1 %.
  // At least two passes. At the pass limit, two heat flows less than 4 apart give their mean.
  // Leaves HeatFlow, LayerTemperatures(1..n), LayerConductivities and the surface coefficients.
  StackEnd solveHeatFlow(const HeatFlowOptions& options = {});

  // Thicknesses for required face temperatures `faces` (interfaces 0..n-2, then the surface):
  // each inner layer is made to carry the heat flow of layer 0 under its own drop, and all are
  // scaled until the surface gives off that heat flow at its required temperature. HeatFlow is
  // layer 0's flow; targetHeatFlow() is what the surface gives off (the heat loss shown).
  StackEnd solveForTemperatures(const std::array<double, kMaxLayers>& faces);
  double targetHeatFlow() const { return target_; }

  // Thicknesses for required interface temperatures `faces` (0..n-2) and a heat flow q: the
  // inner layers in closed form, the outer layer and the surface temperature by a fixed point
  // that starts from a surface coefficient of 7.0. Leaves the surface in LayerTemperatures(n).
  StackEnd solveForHeatFlow(const std::array<double, kMaxLayers>& faces, double q);

 private:
  void startFaces(double t);
  StackEnd heatFlowPasses(const HeatFlowOptions& options);
  StackEnd temperaturePasses();
  StackEnd heatFlowThicknessPasses(double q);
  double layerResistance(int i, double innerDiameter) const;

  StackGeometry g_;
  int n_;
  LayerThicknesses s_{};
  double tm_, ta_;
  double target_ = 0;
  int passes_ = 0;
};

}  // namespace veltaro
