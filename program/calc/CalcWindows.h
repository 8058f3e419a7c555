#pragma once
// Makes the calculation windows known to the window registry by their class names, so that
// the main window, the details window, the case files and the reports can reach them by name.

namespace forms {
class Application;
}

namespace veltaro {

void RegisterCalcWindows(forms::Application& app);

}  // namespace veltaro
