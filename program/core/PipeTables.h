#pragma once
// The pipe-only table (products made only for certain pipe sizes, "\TEXT\PipeOnly.<suffix>")
// and the Swedish pipe-section table ("\TEXT\PipeKap.SE"), both loaded once at start-up.
// A missing or malformed file raises DataFileError naming the file and the line; an empty
// file gives an empty table.

#include <string>
#include <string_view>

namespace veltaro {

void LoadPipeOnly();
void LoadPipeKap();

// Checks a chosen pipe size (the text of the pipe-size box) against PipeOnlyTable for the
// chosen product (the text of the product box). 0 when nothing conflicts; otherwise asks the
// Yes/No question titled with the product's name that lists its sizes (with `extra` and an
// empty line before the sizes when `extra` is not empty) and returns 1 for Yes, 2 for No.
int PipeOnlyCheck(std::string_view pipeSizeText, std::string_view productText,
                  std::string_view extra);

// True when the trimmed name equals the trimmed title of the pipe-section table.
bool IsPipeKapProduct(std::string_view productName);
// The trimmed value of the first entry whose trimmed keys equal keyA and keyB (compared as
// given, case-sensitive); "?" when there is none.
std::string LookupPipeKap(std::string_view keyA, std::string_view keyB);

}  // namespace veltaro
