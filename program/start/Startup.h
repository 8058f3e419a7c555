#pragma once
// Start-up: the heat-loss decimals from the command line, the country code from the settings
// file VELTARO.INI (asking in frmCountry when there is none), the splash window, the
// product-file test, the pipe tables, the language and address texts and the main window.
// It sits above every window it opens; the file helpers it shares with them are in
// core/ProgramFiles.h.

namespace veltaro {

// The start-up sequence. It ends the program (forms::app().end()) when the product file was
// changed, when no country was chosen, and when a data file is missing or unreadable; then
// the user has been told why, and no main window is left.
void Main();

// Makes every window of the program known by its name.
void RegisterProgramWindows();

}  // namespace veltaro
