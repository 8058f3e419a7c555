// Texts that the pictures carry, read from the market files under data/Text.
#pragma once

#include <QString>
#include <QStringList>

namespace imagegen {

// Lines of a market text file, decoded from the market's code page (CR LF or LF ends).
QStringList readMarketFile(const QString& path, const char* codePage);

const char* codePageOf(const QString& market);

// A menu caption as shown without its access-key marker.
QString withoutAccessKey(QString caption);

}  // namespace imagegen
