#include "report/frmPrint.h"

namespace veltaro {

frmPrint::frmPrint() : forms::Form(kName) {
  setMdiChild(true);
  setCaption("Print Preview");
  move(0, 0, 9000, 7000);
  add(forms::ControlKind::Browser, "WebBrowser1").move(120, 120, 8500, 6400);
}

void frmPrint::showReport(const std::string& file) {
  setWindowState(forms::kStateMaximized);
  show();
  // The same path is written again for every report: the browser reads the file anew.
  control("WebBrowser1").setTextSilently(file);
}

void frmPrint::Form_Resize() {
  // 120 twips of margin on the left and top, 130 on the right and bottom; a window too
  // small for that leaves the browser's size in that direction alone.
  forms::Control& browser = control("WebBrowser1");
  const float w = static_cast<float>(scaleWidth()) - 250;
  const float h = static_cast<float>(scaleHeight()) - 250;
  if (w > 0) browser.setWidth(static_cast<int>(w));
  if (h > 0) browser.setHeight(static_cast<int>(h));
}

}  // namespace veltaro
