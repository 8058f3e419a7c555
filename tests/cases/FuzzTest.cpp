// Damaged case files, made by seeded random changes to valid ones: the program never stops,
// and a file that does not come back whole ends in a message.

#include <gtest/gtest.h>

#include <random>

#include "support/CaseFuzz.h"

namespace casetest {
namespace {

TEST(CaseFuzz, DamagedFilesEndInAMessageNeverInAStop) {
  testing_support::CaseFuzz fuzz(std::string(VELTARO_SOURCE_DIR) + "/data");
  std::mt19937 random(20261207);
  auto pick = [&](std::size_t n) { return random() % n; };
  int runs = 0, restored = 0, refused = 0;
  for (int type = 0; type <= 11; ++type) {
    const std::string valid = type == 0 ? std::string(99, 'x') : fuzz.validRecord(type);
    if (valid.empty()) continue;  // that window is not part of this program yet
    for (int run = 0; run < 200; ++run, ++runs) {
      std::string file = valid;
      const std::size_t how = pick(4), at = pick(file.size() - 1);
      if (how == 0)  // a few bytes anywhere
        for (auto k = pick(8); k <= 8; ++k) file[pick(file.size())] = static_cast<char>(pick(256));
      else if (how == 1)  // a 16-bit field
        file.replace(at, 2, {static_cast<char>(pick(256)), static_cast<char>(pick(2) ? 0 : 0xff)});
      else  // cut short or followed by more
        how == 2 ? file.resize(at) : void(file.append(pick(40), static_cast<char>(pick(256))));
      const std::string input = static_cast<char>(type) + file;
      const auto out = fuzz.open(reinterpret_cast<const uint8_t*>(input.data()), input.size());
      if (type == 0) {
        EXPECT_EQ(out.messages > 0, file.size() < 99) << "header of " << file.size() << " bytes";
        continue;
      }
      EXPECT_TRUE(out.valid || out.messages > 0) << "type " << type << " run " << run;
      EXPECT_EQ(out.valid, out.opened && out.messages == 0) << "type " << type << " run " << run;
      (out.valid ? restored : refused)++;
    }
  }
  EXPECT_GE(runs, 4 * 200);
  EXPECT_GT(restored, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace casetest
