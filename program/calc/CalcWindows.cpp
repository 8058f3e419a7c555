#include "calc/CalcWindows.h"

#include "calc/frmCalc01.h"
#include "calc/frmCalc02.h"
#include "calc/frmCalc03.h"
#include "calc/frmCalc04.h"
#include "calc/frmCalc05.h"
#include "calc/frmCalc21.h"
#include "calc/frmCalc22.h"
#include "calc/frmCalc23.h"
#include "calc/frmCalc24.h"
#include "calc/frmCalc06.h"
#include "calc/frmCalc07.h"
#include "forms/Application.h"

namespace veltaro {

void RegisterCalcWindows(forms::Application& app) {
  app.registerForm<frmCalc01>();
  app.registerForm<frmCalc02>();
  app.registerForm<frmCalc03>();
  app.registerForm<frmCalc04>();
  app.registerForm<frmCalc05>();
  app.registerForm<frmCalc21>();
  app.registerForm<frmCalc22>();
  app.registerForm<frmCalc23>();
  app.registerForm<frmCalc24>();
  app.registerForm<frmCalc06>();
  app.registerForm<frmCalc07>();
}

}  // namespace veltaro
