// libFuzzer entry: the first byte chooses the header or a record type, the rest is the file.
// The seeded mutation test in tests/cases runs the same harness in every ctest run.

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/CaseFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static testing_support::CaseFuzz fuzz(std::string(VELTARO_SOURCE_DIR) + "/data");
  fuzz.open(data, size);
  return 0;
}
