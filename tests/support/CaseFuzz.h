#pragma once
// Feeds damaged case files to the case commands of the calculation windows, the scripted
// platform answering every message box; for the seeded test and the libFuzzer target.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace testing_support {

class CaseFuzz {
 public:
  // `programFolder` holds the market data (Text/ ...); the cases go to a temporary folder.
  explicit CaseFuzz(const std::string& programFolder);
  ~CaseFuzz();

  struct Outcome {
    int messages = 0;     // message boxes shown after the restore
    bool opened = false;  // the record's window came back
    bool valid = false;   // ... with its result valid
  };
  // input[0] % 12 chooses the file: 0 the header, 1..11 the record of that CalcType (beside a
  // valid header); the rest of the input is the file's content. Opens the case.
  Outcome open(const uint8_t* input, std::size_t size);
  // A record of the CalcType as the writer makes it from a freshly loaded window; empty when
  // the window is not part of this program.
  std::string validRecord(int calcType);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace testing_support
