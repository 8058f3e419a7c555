#pragma once

#include <QString>

namespace imagegen {

// Writes Images/background_<market in lower case>.jpg from the market's menu file.
void drawBackground(const QString& dataDir, const QString& market);

}  // namespace imagegen
