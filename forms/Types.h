#pragma once
// Basic types and constants of the forms model. All positions and sizes are in twips
// (15 twips = 1 pixel); key codes and answer codes are the Windows ones, because the
// program's handlers compare against those numbers.

#include <cstdint>
#include <string>

namespace forms {

inline constexpr int kTwipsPerPixel = 15;

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const Font&) const = default;
};

enum class ControlKind {
  TextBox,
  ComboBox,
  OptionButton,
  CheckBox,
  Label,
  Frame,
  CommandButton,
  PictureBox,
  Image,
  ProgressBar,
  Line,
  Browser,  // shows an HTML file (the report preview)
};

const char* kindName(ControlKind kind);

// Combo box styles.
enum class ComboStyle { DropdownCombo = 0, DropdownList = 2 };

// Window states.
inline constexpr int kStateNormal = 0;
inline constexpr int kStateMinimized = 1;
inline constexpr int kStateMaximized = 2;

// Mouse pointers.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;
inline constexpr int kPointerNoDrop = 12;
inline constexpr int kPointerCustom = 99;  // the hand over the clickable bands

// System colours: the desktop's colour of a screen element, by its Windows index.
inline constexpr int64_t kSystemColor = 0x80000000;
inline constexpr int64_t kColorButtonFace = kSystemColor | 15;
inline constexpr int64_t kColor3DLight = kSystemColor | 22;

// QueryUnload modes: why a form is closing.
inline constexpr int kUnloadFormControlMenu = 0;  // the user closed it (close box, system menu)
inline constexpr int kUnloadFormCode = 1;         // Unload from code
inline constexpr int kUnloadAppWindows = 2;       // the session ends
inline constexpr int kUnloadAppTaskManager = 3;
inline constexpr int kUnloadFormMdiForm = 4;      // a child, because its MDI frame closes

// Message box styles (combine buttons + icon + flags) and answers.
namespace mb {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;
inline constexpr int SystemModal = 4096;
inline constexpr int SetForeground = 65536;

inline constexpr int ButtonsMask = 7;
inline constexpr int IconMask = 0x70;

// Answers.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdAbort = 3;
inline constexpr int IdRetry = 4;
inline constexpr int IdIgnore = 5;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
}  // namespace mb

// Windows virtual key codes used by the handlers.
namespace key {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Escape = 27;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;
inline constexpr int F4 = 115;
inline constexpr int CtrlC = 3;   // as KeyPress characters
inline constexpr int CtrlV = 22;
inline constexpr int CtrlX = 24;
}  // namespace key

// Shift-state bits of KeyDown and mouse events.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Mouse buttons.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

}  // namespace forms
