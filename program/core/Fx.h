#pragma once
// The shared state of the program: every value that more than one window or module reads.
//
// One object, FX, holds the variables under their established names; every part reaches the
// single instance through fx(). The program starts from a default-constructed FX (numbers 0,
// flags false, texts empty, dynamic tables without elements); tests call resetFx() to start
// from that state again. Nothing here is saved between runs.
//
//   veltaro::fx().CountryCode = "DK";
//   double lambda = veltaro::fx().Lambda;
//   const std::string& caption = veltaro::fx().TextTable[164];
//
// Arrays keep the bounds the rest of the program counts with: TextTable, AddressLines and the
// reference tables from 1, the per-calculation arrays 1..11 by CalcType, the layer arrays 1..6,
// VapourPressureConstants 0..6. An index outside an array raises RunTimeError(Subscript),
// except on the two text tables, where a line beyond the file reads as the empty text (a
// language file that lacks a line then shows an empty caption instead of stopping the program).
//
// Only the user-interface thread touches this state; there is no locking.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/Errors.h"

namespace veltaro {

// A fixed array with the bounds Lo..Hi (both included), zero-filled.
template <class T, int Lo, int Hi>
class BoundedArray {
 public:
  static constexpr int kLower = Lo;
  static constexpr int kUpper = Hi;
  T& operator[](int i) { return a_[offset(i)]; }
  const T& operator[](int i) const { return a_[offset(i)]; }
  void fill(const T& v) { a_.fill(v); }
  bool operator==(const BoundedArray&) const = default;

 private:
  static std::size_t offset(int i) {
    if (i < Lo || i > Hi) throw RunTimeError(RunTimeError::Subscript);
    return static_cast<std::size_t>(i - Lo);
  }
  std::array<T, Hi - Lo + 1> a_{};
};

// A dynamic array indexed from 1 (1..size()). Empty until its loader runs.
template <class T>
class OneBased {
 public:
  OneBased() = default;
  explicit OneBased(std::vector<T> v) : v_(std::move(v)) {}
  int size() const { return static_cast<int>(v_.size()); }  // the upper bound
  bool empty() const { return v_.empty(); }
  bool contains(int i) const { return i >= 1 && i <= size(); }
  T& operator[](int i) { return v_[offset(i)]; }
  const T& operator[](int i) const { return v_[offset(i)]; }
  void assign(std::vector<T> v) { v_ = std::move(v); }
  void clear() { v_.clear(); }
  auto begin() { return v_.begin(); }
  auto end() { return v_.end(); }
  auto begin() const { return v_.begin(); }
  auto end() const { return v_.end(); }
  const std::vector<T>& items() const { return v_; }

 private:
  std::size_t offset(int i) const {
    if (!contains(i)) throw RunTimeError(RunTimeError::Subscript);
    return static_cast<std::size_t>(i - 1);
  }
  std::vector<T> v_;
};

// Lines of a text file, indexed from 1. Reading a line beyond the table gives the empty text.
class TextLines {
 public:
  int size() const { return static_cast<int>(lines_.size()); }
  bool empty() const { return lines_.empty(); }
  const std::string& operator[](int k) const;
  // Writes line k, growing the table with empty lines when k lies beyond it.
  void set(int k, std::string text);
  void assign(std::vector<std::string> lines) { lines_ = std::move(lines); }
  void clear() { lines_.clear(); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// One product of the product file.
struct ProductRecord {
  int32_t Nr = 0;  // line number in the product file, from 1
  std::string Name;
  double Coef0 = 0, Coef1 = 0, Coef2 = 0;  // λ = Coef0 + Coef1·tm + Coef2·tm², W/(m·K), tm in °C
  double TempLimit1 = 0;                   // lowest permitted temperature, °C
  double TempLimit2 = 0;                   // highest permitted temperature, °C
  // Available thicknesses in mm, 0..29; the list ends at the first value below 1.
  std::array<int16_t, 30> Thickness{};
};

// A product that is made only for certain pipe sizes.
struct PipeOnlyRecord {
  std::string Name;                    // as read, not trimmed
  BoundedArray<int16_t, 1, 50> Sizes;  // outer diameters in mm; only 1..40 are ever filled
};

// One entry of the Swedish pipe-section table. Fixed-width texts, blank-padded on the right.
struct PipeKapRecord {
  static constexpr int kTitleWidth = 30, kKeyWidth = 3, kValueWidth = 4;
  std::string Title;  // the file's title line: the product the table belongs to
  std::string KeyA;   // pipe diameter, mm
  std::string KeyB;   // nominal insulation thickness, mm
  std::string Value;  // thickness of the section supplied, mm
};

// Header of the open case, stored as the case header file's record. Fixed widths in characters.
struct CaseHeaderRecord {
  static constexpr int kInitialsWidth = 3, kCaseNameWidth = 80, kCaseDateWidth = 16;
  std::string Initials;
  std::string CaseName;
  std::string CaseDate;
};

// CalcType: the ordinal of a calculation window in the per-calculation arrays and case files.
// 1-6 are calculations 1-6, 7-10 are 21-24, and calculation 7 is 11.
using PerCalc16 = BoundedArray<int16_t, 1, 11>;
using PerCalcFlag = BoundedArray<bool, 1, 11>;
using LayerValues = BoundedArray<double, 1, 6>;  // counted from the medium outwards

struct FX {
  // --- Settings and start-up ---
  std::string CountryCode;       // "DK", "SE", "NO", "UK", "LT", "LV", "EE", "MRN" (or unlisted)
  int16_t HeatLossDecimals = 0;  // decimals shown for a computed heat loss
  int16_t StartupLoading = 0;    // -1 while the menu texts and the text table load
  TextLines TextTable;           // the language file, one trimmed line per element
  TextLines AddressLines;        // the contact file, lines as read, 15 per address
  int16_t AddressCount = 0;      // number of 15-line address blocks

  // --- Reference tables ---
  OneBased<ProductRecord> ProductTable;
  OneBased<PipeOnlyRecord> PipeOnlyTable;
  OneBased<PipeKapRecord> PipeKapTable;  // "SE" only
  BoundedArray<double, 0, 6> VapourPressureConstants;
  int16_t SelectedProductNr = 0;

  // --- Calculation state: the last formula evaluation (pipe: per metre; plane: per m²) ---
  double LambdaA = 0, LambdaB = 0, LambdaC = 0;  // selected product's coefficients
  double Lambda = 0;                             // conductivity at the mean temperature, W/(m·K)
  double ConvectiveCoefficient = 0;              // W/(m²·K)
  double RadiativeCoefficient = 0;               // W/(m²·K)
  double SurfaceCoefficient = 0;                 // their sum, W/(m²·K)
  double HeatFlow = 0;                           // W/m or W/m²
  double SurfaceTemperature = 0;                 // °C
  double Transmittance = 0;                      // W/(m·K) or W/(m²·K)
  std::string FlowRegimeText;                    // text-table line naming the convection form
  double TwoThicknessM = 0;  // m: twice the thickness (pipe), the thickness (plane)

  // --- Layer state of the multi-layer calculations, 1..6 from the medium outwards ---
  LayerValues LayerLambdaA, LayerLambdaB, LayerLambdaC;
  LayerValues LayerTemperatures;    // °C at the outer side of each layer
  LayerValues LayerConductivities;  // W/(m·K) at each layer's mean temperature

  // --- Results and navigation ---
  PerCalcFlag ResultValid;
  int16_t ActiveCalcNumber = 0;  // 1-7 or 21-24; 0 until a calculation window has loaded

  // --- Pipe distances, mm ---
  PerCalc16 PipeDistWall, PipeDistNext, PipeDistExtra1, PipeDistExtra2;
  int16_t PipeDistA = 0, PipeDistB = 0;

  // --- Case state ---
  CaseHeaderRecord CaseHeader;
  std::string CaseBasePath;  // full path of the open case without its extension
  std::string ReportPath;    // the report file
};

// The one instance.
FX& fx();
// Line `line` of the language file; the fixed English `startupText` (the UK line) while no
// language file is read yet, as at start-up, or when the file lacks the line.
std::string TextOr(int line, const char* startupText);
// A language line with "%1", "%2" ... filled in.
std::string Text(int line, std::initializer_list<std::string> values = {});
// Puts the shared state back to its start values (for tests and a fresh program run).
void resetFx();

// The CalcType of a calculation number (1-7, 21-24); 0 for any other number.
int CalcTypeOf(int calcNumber);

}  // namespace veltaro
