// libFuzzer entry: the first byte chooses the header or a record type, the rest is the file.
// The seeded mutation test in tests/cases runs the same harness in every ctest run.

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/CaseFuzz.h"
#include "support/ScriptedPlatform.h"

// Every message box is answered; another dialog the harness did not script just gets no answer.
void testing_support::unscripted(const std::string&) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static testing_support::CaseFuzz fuzz(std::string(VELTARO_SOURCE_DIR) + "/data");
  fuzz.open(data, size);
  return 0;
}
