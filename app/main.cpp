// The executable: the Qt application, the platform, the window model and its view, then the
// program's start-up, after which the main window drives the program.

#include <QApplication>

#include "start/Startup.h"
#include "forms/Application.h"
#include "qtview/FormsView.h"
#include "qtview/QtPlatform.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Veltaro");
  qtview::loadDesktopTranslations();
  qtview::QtPlatform platform;
  forms::Application app(platform);
  qtview::FormsView view(app);
  platform.setView(&view);
  // Once the program has ended, leave the event loop whatever windows remain (the help viewer
  // among them); quit() would first ask every window to close and could be refused.
  QObject::connect(&view, &qtview::FormsView::ended, &qapp, [] { QCoreApplication::exit(0); });

  veltaro::Main();
  // Start-up ends the program itself when it cannot go on (no country chosen, a changed
  // product file, a missing data file); the user has been told why.
  if (app.ended()) return 1;
  view.sync();
  return QApplication::exec();
}
