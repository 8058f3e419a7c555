#include "core/PipeTables.h"

#include <charconv>

#include "core/Fx.h"
#include "core/LanguageTexts.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"
#include "forms/Application.h"

namespace veltaro {
namespace {

// A whole number of millimetres in the 16-bit range, blanks around it allowed.
bool readSize(const std::string& field, int16_t& size) {
  const std::string t = TrimSpaces(field);
  const char* first = t.data();
  if (!t.empty() && t[0] == '+') ++first;
  if (first != t.data() && first < t.data() + t.size() && *first == '-') return false;  // "+-1"
  int value = 0;
  auto res = std::from_chars(first, t.data() + t.size(), value);
  if (t.empty() || res.ec != std::errc() || res.ptr != t.data() + t.size()) return false;
  if (value < -32768 || value > 32767) return false;
  size = static_cast<int16_t>(value);
  return true;
}

// The leading number of a text, "." as the decimal point; 0 when it starts with no digit (a
// sign or a point in front is no number here).
double leadingNumber(std::string_view s) {
  if (s.empty() || s[0] < '0' || s[0] > '9') return 0.0;
  std::size_t i = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '.' && !point) {
      point = true;
    } else if (c < '0' || c > '9') {
      break;
    }
  }
  return ParseNumber(s.substr(0, i));
}

}  // namespace

void LoadPipeOnly() {
  const std::string path = ProgramPath("\\TEXT\\PipeOnly." + CountrySuffix(fx().CountryCode));
  const std::vector<std::string> lines = ReadTextLines(path);
  std::vector<PipeOnlyRecord> table(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int lineNo = static_cast<int>(i + 1);
    std::string rest = lines[i];
    std::string field;
    if (!TakeField(rest, field)) throw DataFileError(path, lineNo, "the name has no closing \";\"");
    table[i].Name = field;
    for (int k = 1; k <= 40 && !rest.empty(); ++k) {
      if (!TakeField(rest, field)) throw DataFileError(path, lineNo, "a size has no closing \";\"");
      if (!readSize(field, table[i].Sizes[k]))
        throw DataFileError(path, lineNo, "a size is not a whole number of millimetres");
    }
  }
  fx().PipeOnlyTable.assign(std::move(table));
}

void LoadPipeKap() {
  const std::string path = ProgramPath("\\TEXT\\PipeKap.SE");
  const std::vector<std::string> lines = ReadTextLines(path);
  std::vector<PipeKapRecord> table;
  if (!lines.empty()) {
    const std::string title = FixedWidth(lines[0], PipeKapRecord::kTitleWidth);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      std::string rest = lines[i];
      std::string a, b, v;
      if (!TakeField(rest, a) || !TakeField(rest, b) || !TakeField(rest, v))
        throw DataFileError(path, static_cast<int>(i + 1),
                            "an entry needs three fields ended by \";\"");
      table.push_back({title, FixedWidth(a, PipeKapRecord::kKeyWidth),
                       FixedWidth(b, PipeKapRecord::kKeyWidth),
                       FixedWidth(v, PipeKapRecord::kValueWidth)});
    }
  }
  fx().PipeKapTable.assign(std::move(table));
}

int PipeOnlyCheck(std::string_view pipeSizeText, std::string_view productText,
                  std::string_view extra) {
  auto firstChars = [&](std::size_t n) {
    // Characters, not bytes: a size text may hold "Ø" or "½".
    std::size_t bytes = 0;
    for (std::size_t count = 0; bytes < pipeSizeText.size() && count < n; ++count) {
      const unsigned char c = static_cast<unsigned char>(pipeSizeText[bytes]);
      bytes += c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    }
    return TrimSpaces(pipeSizeText.substr(0, std::min(bytes, pipeSizeText.size())));
  };
  std::string key = firstChars(4);
  if (key.find('/') != std::string::npos) key = firstChars(3);
  const double size = RoundHalfEven(leadingNumber(key));

  const auto& state = fx();
  const std::string product = TrimSpaces(productText);
  const PipeOnlyRecord* conflict = nullptr;
  for (const PipeOnlyRecord& entry : state.PipeOnlyTable) {
    if (TrimSpaces(entry.Name) != product) continue;
    bool listed = false;
    for (int k = 1; k <= 50 && !listed; ++k) listed = entry.Sizes[k] == size;
    if (!listed) {
      conflict = &entry;
      break;
    }
  }
  if (!conflict) return 0;

  std::string message = conflict->Name + "\r\n" + state.TextTable[158] + "\r\n\r\n";
  if (!extra.empty()) message += std::string(extra) + "\r\n\r\n";
  for (int k = 1; k <= 40; ++k)
    if (conflict->Sizes[k] > 0) message += IntegerText(conflict->Sizes[k]) + " mm\r\n";
  message += "\r\n" + state.TextTable[159];
  const int answer = forms::app().platform().msgBox(
      message, forms::mb::YesNo + forms::mb::Information, conflict->Name);
  return answer == forms::mb::IdYes ? 1 : 2;
}

bool IsPipeKapProduct(std::string_view productName) {
  const std::string name = TrimSpaces(productName);
  for (const PipeKapRecord& rec : fx().PipeKapTable)
    if (TrimSpaces(rec.Title) == name) return true;
  return false;
}

std::string LookupPipeKap(std::string_view keyA, std::string_view keyB) {
  for (const PipeKapRecord& rec : fx().PipeKapTable)
    if (TrimSpaces(rec.KeyA) == keyA && TrimSpaces(rec.KeyB) == keyB) return TrimSpaces(rec.Value);
  return "?";
}

}  // namespace veltaro
