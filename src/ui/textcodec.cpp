#include "ui/textcodec.h"

#include <QStringDecoder>

#include <algorithm>

namespace qmx::ui {

bool isValidUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return !decoder.hasError();
}

QString textFromBytes(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string bytesFromText(const QString& text, std::string_view original) {
    const bool fitsLatin1 =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    const QByteArray bytes =
        (!isValidUtf8(original) && fitsLatin1) ? text.toLatin1() : text.toUtf8();
    return bytes.toStdString();
}

} // namespace qmx::ui
