#pragma once
// The Qt front end: renders the forms model and implements the platform with Qt.

namespace qtview {

// Runs the Qt event loop until the program ends.
int runEventLoop();

}  // namespace qtview
