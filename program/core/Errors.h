#pragma once
// The two kinds of failure the core reports to its callers.
//
// RunTimeError is a fault of the arithmetic itself: a division by zero, an
// overflow (also of the Money type and of a 16-bit store), an invalid argument of a power or a
// logarithm, a subscript outside an array. The formula routines have no handler of their own;
// the calculation windows catch it around their searches and end the search as
// non-convergence, so a fault never shows up as a result.
//
// DataFileError is a missing or malformed data file beside the program. It names the file and,
// when one line is at fault, that line (1-based), so that start-up can say exactly what to
// repair instead of stopping somewhere inside a loader.

#include <stdexcept>
#include <string>

namespace veltaro {

class RunTimeError : public std::runtime_error {
 public:
  // The program's long-standing run-time error numbers, so messages stay recognisable.
  enum Kind {
    InvalidArgument = 5,  // power of a negative base, logarithm of 0
    Overflow = 6,         // also 0/0 and a value beyond the Money or 16-bit range
    Subscript = 9,        // an index outside an array
    DivisionByZero = 11,
    TypeMismatch = 13,  // a text the locale's number conversion cannot read
  };
  explicit RunTimeError(Kind kind);
  RunTimeError(Kind kind, const std::string& detail);
  Kind kind() const { return kind_; }
  int number() const { return static_cast<int>(kind_); }

 private:
  Kind kind_;
};

class DataFileError : public std::runtime_error {
 public:
  // line 0: the file as a whole (missing, unreadable, empty).
  DataFileError(std::string path, int line, const std::string& problem);
  const std::string& path() const { return path_; }
  int line() const { return line_; }
  const std::string& problem() const { return problem_; }

 private:
  std::string path_;
  int line_;
  std::string problem_;
};

}  // namespace veltaro
