#pragma once
// Numeric input services: the lenient number reader every input and data file goes through,
// the key filter of the numeric boxes, and a few small text services.

#include <string>
#include <string_view>

namespace forms {
class Form;
}

namespace veltaro {

// Keeps Backspace (8), ",", "-", "." and the digits; returns 0 (drop the key) for any other
// code, Enter and the clipboard control codes included.
int FilterNumericKey(int keyAscii);

// Reads the leading number of a text and never fails. After trimming blanks: a text holding
// "E+" counts as 10000 and one holding "E-" as 0.0001; otherwise the leading run of one
// optional sign, digits and at most one decimal separator ("." and "," alike, whatever the
// locale) is the number; anything else ends it. Empty text, a lone sign or separator and the
// pairs "-.", "-,", "+.", "+," give 0. Does not depend on the user's locale.
// A run of digits too large for a Double gives ±infinity, which fails every range check of
// the input checks; one too small gives 0.
double ParseNumber(std::string_view text);

// The text after the first ":", trimmed; empty when there is no colon.
std::string TextAfterColon(std::string_view text);

// The text without the first occurrence of `ch` (e.g. the "&" access-key marker).
std::string RemoveChar(std::string_view text, std::string_view ch);

// Asks whether a large pipe should stay a pipe (text-table lines 198-200, Yes/No); any answer
// but Yes selects the window's PLAN option, which switches it to plane geometry.
void ConfirmPipeChoice(forms::Form& window);

// Blanks removed at both ends (spaces only; tabs and other white space stay).
std::string TrimSpaces(std::string_view text);

}  // namespace veltaro
