// One pass of a surface-temperature search: convection, radiation, surface coefficient, heat
// flow, surface temperature. The pass runs up to 10^4 times per calculation, so it must stay
// far below a microsecond and must not allocate.

#include "core/Formula.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "core/Fx.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t n) {
  ++allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
// The replacement pair below is matched; GCC cannot see that through inlined allocators.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

void prepare() {
  veltaro::resetFx();
  auto& s = veltaro::fx();
  std::vector<std::string> lines(200);
  for (auto& l : lines) l = "Naturlig konvektion, turbulent strømning (vandret rør)";
  s.TextTable.assign(lines);
  s.LambdaA = 0.033;
  s.LambdaB = 0.00017;
  s.LambdaC = 9e-7;
}

template <bool Pipe>
void BM_SearchPass(benchmark::State& state) {
  prepare();
  auto& s = veltaro::fx();
  const double ti = 180, ta = 20, Di = 0.0603, De = Di + 0.1, d = 0.05, eps = 0.9;
  veltaro::ConductivityAtMean((ti + ta) / 2);
  double ts = ta + 1;
  auto pass = [&] {
    if (Pipe)
      veltaro::ConvectionHorizontalPipe(De, ts, ta);
    else
      veltaro::ConvectionVerticalWall(2.0, ts, ta);
    veltaro::RadiationCoefficient(ts, ta, De, De, De, eps);
    s.SurfaceCoefficient = s.ConvectiveCoefficient + s.RadiativeCoefficient;
    if (Pipe) {
      veltaro::PipeHeatFlow(ti, ta, De, Di);
      veltaro::PipeSurfaceTemperature(ta, De);
    } else {
      veltaro::PlaneHeatFlow(ti, ta, d);
      veltaro::PlaneSurfaceTemperature(ta);
    }
    ts = s.SurfaceTemperature;
  };
  pass();  // the first pass gives FlowRegimeText its room
  const long before = allocations.load();
  for (auto _ : state) {
    pass();
    benchmark::DoNotOptimize(ts);
  }
  const long during = allocations.load() - before;
  state.counters["allocations"] = static_cast<double>(during);
  if (during != 0) state.SkipWithError("the search pass allocates");
}

BENCHMARK(BM_SearchPass<true>)->Name("SearchPass/pipe");
BENCHMARK(BM_SearchPass<false>)->Name("SearchPass/plane");

}  // namespace
