#include "core/Fx.h"

namespace veltaro {

const std::string& TextLines::operator[](int k) const {
  static const std::string kEmpty;
  if (k < 1 || k > size()) return kEmpty;
  return lines_[static_cast<std::size_t>(k - 1)];
}

void TextLines::set(int k, std::string text) {
  if (k < 1) throw RunTimeError(RunTimeError::Subscript);
  if (k > size()) lines_.resize(static_cast<std::size_t>(k));
  lines_[static_cast<std::size_t>(k - 1)] = std::move(text);
}

namespace {
FX& instance() {
  static FX state;
  return state;
}
}  // namespace

FX& fx() {
  return instance();
}

std::string TextOr(int line, const char* startupText) {
  const std::string& text = instance().TextTable[line];
  return text.empty() ? startupText : text;
}

std::string Text(int line, std::initializer_list<std::string> values) {
  std::string text = instance().TextTable[line];
  int n = 0;
  for (const std::string& v : values) {
    const std::string mark = "%" + std::to_string(++n);
    if (const std::size_t at = text.find(mark); at != std::string::npos)
      text.replace(at, mark.size(), v);
  }
  return text;
}

void resetFx() {
  instance() = FX{};
}

int CalcTypeOf(int calcNumber) {
  if (calcNumber >= 1 && calcNumber <= 6) return calcNumber;
  if (calcNumber == 7) return 11;
  if (calcNumber >= 21 && calcNumber <= 24) return calcNumber - 14;
  return 0;
}

}  // namespace veltaro
