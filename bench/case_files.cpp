// The case commands in a crowded case folder: save, open and delete of a case of one calculation
// window beside 10,000 and 100,000 files of other names, as a shared project folder may hold.
// Each command lists the folder once and reads only the files of its own case.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "QuietPlatform.h"
#include "calc/CalcWindows.h"
#include "cases/CaseCommands.h"
#include "core/Fx.h"
#include "forms/Application.h"
#include "forms/Platform.h"
#include "shell/ShellServices.h"

namespace {

namespace fs = std::filesystem;

using bench_support::QuietPlatform;
using bench_support::writeLines;

// A case folder beside `others` files of other names, made once for each size.
fs::path crowdedFolder(int others) {
  static struct Made : std::map<int, fs::path> {
    ~Made() {
      std::error_code ec;
      for (const auto& [n, f] : *this) fs::remove_all(f, ec);
    }
  } made;
  if (made.count(others)) return made[others];
  const fs::path f =
      fs::temp_directory_path() /
      ("veltaro-bench-cases-" + std::to_string(::getpid()) + "-" + std::to_string(others));
  fs::create_directories(f / "DATA");
  for (int i = 0; i < others; ++i)
    std::ofstream(f / "DATA" / ("project " + std::to_string(i) + ".txt"));
  return made[others] = f;
}

struct Program {
  QuietPlatform platform;
  forms::Application app{platform};
  explicit Program(int others) {
    veltaro::resetFx();
    const fs::path folder = crowdedFolder(others);
    platform.folder = folder.string();
    platform.answer = forms::mb::IdYes;
    platform.chosen = (folder / "DATA" / "roof.DAT").string();
    writeLines(folder / "Text/Product.DK",
               {"Mineral wool section;0.033;0.0002;0.000001;-50;400;20;30;40;50;60;80;100;",
                "Mineral wool section"});
    writeLines(folder / "Text/PipeDiam.DK", {"60.3", "114.3", "219.1", "114.3"});
    writeLines(folder / "Text/PlanEmis.DK", {"0.9 paint", "0.9 paint"});
    writeLines(folder / "Text/Medie.DK", {"air", "air"});
    writeLines(folder / "Text/Class.DK", {"Class 1", "Class 2", "Class"});
    std::vector<std::string> lines;
    for (int i = 1; i <= 322; ++i) lines.push_back("T" + std::to_string(i));
    veltaro::fx().CountryCode = "DK";
    veltaro::fx().TextTable.assign(lines);
    veltaro::RegisterCalcWindows(app);
    veltaro::cases::InstallCaseFiles(app);
    // Window 1 entered and taken as calculated, so that a save writes its record.
    forms::Form& w = app.get("frmCalc01");
    w.control("RORCOM").setText("114.3");
    w.control("MEDIETEMP").setText("150");
    w.control("Omgivende").setText("20");
    w.control("PRODUKT").setListIndex(0);
    w.control("ISOLERINGST").setText("50");
    w.control("Beregn").userClick();
  }
  ~Program() { veltaro::setCaseService(nullptr); }
  void save() {
    veltaro::fx().ResultValid[veltaro::CalcTypeOf(1)] = true;
    replaced += fs::exists(platform.chosen);  // asked whether it replaces the case: Yes
    veltaro::caseService()->CaseSave();
  }
  int replaced = 0;
  bool saved() const { return fs::exists(fs::path(platform.chosen).replace_extension(".C01")); }
};

void BM_SaveCase(benchmark::State& state) {
  Program p(static_cast<int>(state.range(0)));
  for (auto _ : state) p.save();
  if (!p.saved() || p.platform.messages != p.replaced)
    state.SkipWithError("the case was not saved");
}
BENCHMARK(BM_SaveCase)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_OpenCase(benchmark::State& state) {
  Program p(static_cast<int>(state.range(0)));
  p.save();
  for (auto _ : state) veltaro::caseService()->CaseOpen();
  if (!veltaro::fx().ResultValid[veltaro::CalcTypeOf(1)] || p.platform.messages != p.replaced)
    state.SkipWithError("the case did not open whole");
}
BENCHMARK(BM_OpenCase)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DeleteCase(benchmark::State& state) {
  Program p(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    p.save();
    state.ResumeTiming();
    veltaro::caseService()->CaseDelete();  // its question answered Yes
  }
  if (p.saved() || p.platform.messages != static_cast<int>(state.iterations()) + p.replaced)
    state.SkipWithError("the case was not deleted");
}
BENCHMARK(BM_DeleteCase)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
