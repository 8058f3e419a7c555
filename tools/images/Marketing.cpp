#include "Marketing.h"

#include <iconv.h>

#include <QFile>
#include <stdexcept>
#include <string>

namespace imagegen {

namespace {

QString decode(const QByteArray& bytes, const char* codePage) {
  iconv_t cd = iconv_open("UTF-8", codePage);
  if (cd == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error(std::string("no converter for ") + codePage);
  std::string out(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.constData());
  size_t inLeft = bytes.size();
  char* dst = out.data();
  size_t outLeft = out.size();
  const size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) throw std::runtime_error("undecodable text");
  out.resize(out.size() - outLeft);
  return QString::fromStdString(out);
}

}  // namespace

QStringList readMarketFile(const QString& path, const char* codePage) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
  QString text = decode(f.readAll(), codePage);
  text.replace("\r\n", "\n");
  QStringList lines = text.split('\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

const char* codePageOf(const QString& market) {
  return (market == "LT" || market == "LV" || market == "EE") ? "CP1257" : "CP1252";
}

QString withoutAccessKey(QString caption) {
  return caption.remove('&').trimmed();
}

}  // namespace imagegen
