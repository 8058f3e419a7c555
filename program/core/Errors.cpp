#include "core/Errors.h"

#include "core/Fx.h"
#include "core/MessageLines.h"

namespace veltaro {
namespace {

const char* describe(RunTimeError::Kind kind) {
  switch (kind) {
    case RunTimeError::InvalidArgument:
      return "Invalid procedure call or argument";
    case RunTimeError::Overflow:
      return "Overflow";
    case RunTimeError::Subscript:
      return "Subscript out of range";
    case RunTimeError::DivisionByZero:
      return "Division by zero";
    case RunTimeError::TypeMismatch:
      return "Type mismatch";
  }
  return "Run-time error";
}

std::string fileMessage(const std::string& path, int line, const std::string& problem) {
  std::string m = path;
  if (line > 0) m += ", " + TextOr(lines::DataLine, "line") + " " + std::to_string(line);
  return m + ": " + problem;
}

}  // namespace

RunTimeError::RunTimeError(Kind kind) : std::runtime_error(describe(kind)), kind_(kind) {}

RunTimeError::RunTimeError(Kind kind, const std::string& detail)
    : std::runtime_error(std::string(describe(kind)) + " (" + detail + ")"), kind_(kind) {}

DataFileError::DataFileError(std::string path, int line, const std::string& problem)
    : std::runtime_error(fileMessage(path, line, problem)),
      path_(std::move(path)),
      line_(line),
      problem_(problem) {}

}  // namespace veltaro
