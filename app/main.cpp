// The executable: the Qt application, the platform, the window model and its view.

#include <QApplication>

#include "forms/Application.h"
#include "qtview/FormsView.h"
#include "qtview/QtPlatform.h"

namespace {

// The empty main frame shown until the program's own main window takes its place.
class EmptyFrame : public forms::Form {
 public:
  static constexpr const char* kName = "EmptyFrame";
  EmptyFrame() : forms::Form(kName) {
    setMdiForm(true);
    setCaption("Veltaro");
    move(0, 0, 11990, 8880);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Veltaro");
  qtview::QtPlatform platform;
  forms::Application app(platform);
  qtview::FormsView view(app);
  platform.setView(&view);
  QObject::connect(&view, &qtview::FormsView::ended, &qapp, &QApplication::quit);

  app.get<EmptyFrame>().show();
  view.sync();
  return QApplication::exec();
}
