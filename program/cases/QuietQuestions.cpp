#include "cases/QuietQuestions.h"

#include "forms/Types.h"

namespace veltaro::cases {

int QuietQuestions::msgBox(const std::string&, int style, const std::string&) {
  switch (style & forms::mb::ButtonsMask) {
    case forms::mb::YesNo:
    case forms::mb::YesNoCancel:
      return forms::mb::IdYes;
    case forms::mb::AbortRetryIgnore:
      return forms::mb::IdIgnore;
    case forms::mb::RetryCancel:
      return forms::mb::IdCancel;
    default:
      return forms::mb::IdOk;
  }
}

}  // namespace veltaro::cases
