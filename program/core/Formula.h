#pragma once
// The heat-transfer formula library: surface coefficients by convection (still air, wind) and
// radiation, conductivity at the mean temperature, heat flow, transmittance and surface
// temperature of an insulated pipe or plane wall.
//
// Each routine reads its arguments and the shared state (fx()) and leaves its result in the
// shared state; read it right after the call. SurfaceCoefficient is formed by the caller:
//   ConvectionHorizontalPipe(D, ts, ta);
//   RadiationCoefficient(ts, ta, D, D, D, eps);
//   fx().SurfaceCoefficient = fx().ConvectiveCoefficient + fx().RadiativeCoefficient;
//   PipeHeatFlow(ti, ta, De, D);
//   PipeSurfaceTemperature(ta, De);
//
// Units: °C, metres, m/s; coefficients W/(m²·K); a pipe's heat flow is per metre, a plane's
// per square metre. The constants, the groupings of the sums and the switching conditions are
// kept exactly as the stored results and the searches' pass counts were computed with them.
//
// A floating-point fault (division by zero, overflow, a power of a negative base with a
// fractional exponent, the logarithm of 0) raises RunTimeError; nothing is written after the
// fault. No routine allocates once FlowRegimeText has room for the longest line.

#include <cstdint>

namespace veltaro {

// π as single precision widened to double, not the double nearest π.
inline constexpr double kPi = 3.1415927410125732;

// Still air. X = L³·(t1 − t2) ≤ 10 takes the first (laminar) form, above 10 the second; the
// form's text-table line (171/172, 173/174, 177/178) goes to FlowRegimeText first.
void ConvectionVerticalPipe(double D, double t1, double t2);
void ConvectionHorizontalPipe(double D, double t1, double t2);
void ConvectionVerticalWall(double H, double t1, double t2);
// Wind. Pipe: v·D ≤ 0.00855 first form (line 175), else second (176). Wall: second form
// (line 180) only when v·H > 8 and (H < 2 or v < 3), else first (179). t1, t2 are not used.
void ConvectionPipeWind(double v, double D, double t1, double t2);
void ConvectionWallWind(double v, double H, double t1, double t2);

// RadiativeCoefficient for surface t1 and air t2. When t1 equals t2 exactly, the caller's t1 is
// moved to t2 + 0.001 and stays so. The three middle arguments are not read.
void RadiationCoefficient(double& t1, double t2, double unused1, double unused2, double unused3,
                          double emissivity);

// Lambda = LambdaC·tm² + (LambdaB·tm + LambdaA).
void ConductivityAtMean(double tm);
// LayerConductivities(1..n) at each layer's mean temperature, from t0 at the inside of layer 1
// and LayerTemperatures. n <= 0 changes nothing; n > 6 writes 1..6, then RunTimeError.
void LayerConductivitiesAtMean(double t0, int16_t n);

// HeatFlow, W/m, through insulation from Di to De (m).
void PipeHeatFlow(double ti, double ta, double De, double Di);
// HeatFlow, W/m², through thickness d (m); with d = 0 HeatFlow keeps its previous value.
void PlaneHeatFlow(double ti, double ta, double d);
// Transmittance, W/(m·K), of insulation from Di to De.
void CalcPipeTransmittance(double De, double Di);
// Transmittance = HeatFlow / (t1 − t2).
void TransmittanceFromHeatFlow(double t1, double t2);
void PlaneSurfaceTemperature(double ta);
void PipeSurfaceTemperature(double ta, double De);

// ln|x| / ln(2.71828182845904).
double NaturalLog(double x);

}  // namespace veltaro
