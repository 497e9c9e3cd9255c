#include "ui/CoreText.h"

#include <QByteArrayView>
#include <QStringDecoder>

QString FromCoreText(std::string_view text) {
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(bytes);
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(bytes);
}

std::string ToCoreText(const QString& text) { return text.toStdString(); }
