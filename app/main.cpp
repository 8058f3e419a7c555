#include <QApplication>
#include <QMainWindow>

#include "qtview/FrontEnd.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow frame;
  frame.setWindowTitle("Veltaro");
  frame.resize(800, 600);
  frame.show();
  return qtview::runEventLoop();
}
