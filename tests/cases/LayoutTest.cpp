// The eleven record layouts: each field follows the one before without a gap, and the bytes of
// texts, integers, doubles and reserved space add up as the files have always held them.

#include <gtest/gtest.h>

#include <algorithm>

#include "cases/RecordLayout.h"

namespace casetest {
namespace {

using veltaro::cases::FieldKind;

TEST(RecordLayouts, FieldsFollowOneAnotherAndAddUpByType) {
  struct Sizes {
    int type, number, length, text, integer, real, reserved;
  };
  const Sizes sizes[] = {
      {1, 1, 180, 160, 20, 0, 0},   {2, 2, 98, 86, 12, 0, 0},    {3, 3, 122, 86, 12, 24, 0},
      {4, 4, 156, 140, 16, 0, 0},   {5, 5, 110, 96, 12, 0, 2},   {6, 6, 147, 131, 16, 0, 0},
      {7, 21, 285, 251, 34, 0, 0},  {8, 22, 273, 251, 22, 0, 0}, {9, 23, 273, 251, 22, 0, 0},
      {10, 24, 218, 194, 24, 0, 0}, {11, 7, 194, 171, 18, 0, 5}};
  for (const Sizes& s : sizes) {
    SCOPED_TRACE(s.type);
    const auto* layout = veltaro::cases::LayoutOfType(s.type);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->calcNumber, s.number);
    EXPECT_EQ(layout->length, s.length);
    std::vector<veltaro::cases::Field> fields = layout->fields;
    std::sort(fields.begin(), fields.end(), [](auto& a, auto& b) { return a.offset < b.offset; });
    int at = 0, text = 0, integer = 0, real = 0, reserved = 0;
    for (const auto& f : fields) {
      EXPECT_EQ(f.offset, at) << f.control;
      at = f.offset + f.width;
      switch (f.kind) {
        case FieldKind::Text:
        case FieldKind::BlankText:
        case FieldKind::RawText:
        case FieldKind::LayerCount:
        case FieldKind::GeometryText:
          text += f.width;
          break;
        case FieldKind::Coefficient:
          EXPECT_EQ(f.width, 8);
          real += f.width;
          break;
        case FieldKind::Reserved:
          reserved += f.width;
          break;
        default:
          EXPECT_EQ(f.width, 2) << f.control;
          integer += f.width;
      }
    }
    EXPECT_EQ(at, s.length);
    EXPECT_EQ(text, s.text);
    EXPECT_EQ(integer, s.integer);
    EXPECT_EQ(real, s.real);
    EXPECT_EQ(reserved, s.reserved);
  }
  EXPECT_EQ(veltaro::cases::LayoutOfType(0), nullptr);
  EXPECT_EQ(veltaro::cases::LayoutOfType(12), nullptr);
}

}  // namespace
}  // namespace casetest
