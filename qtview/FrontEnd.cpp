#include "qtview/FrontEnd.h"

#include <QApplication>

namespace qtview {

int runEventLoop() { return QApplication::exec(); }

}  // namespace qtview
