#include "core/boards/board_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Korvane {

bool GbkAvailable() {
    return QStringEncoder("GBK").isValid() && QStringDecoder("GBK").isValid();
}

QByteArray ToGbk(const QString& text, bool* ok) {
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder(text);
    if (ok)
        *ok = encoder.isValid() && !encoder.hasError();
    return bytes;
}

QString FromGbk(const QByteArray& bytes) {
    QStringDecoder decoder("GBK");
    return decoder(bytes);
}

int GbkLength(const QString& text) {
    bool ok = false;
    const QByteArray bytes = ToGbk(text, &ok);
    return ok ? int(bytes.size()) : -1;
}

QString CutToGbkBytes(const QString& text, int maxBytes) {
    QStringEncoder encoder("GBK");
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype step = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const int bytes = int(QByteArray(encoder(QStringView(text).mid(i, step))).size());
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        i += step;
    }
    return text.left(i);
}

QByteArray PadTo16(const QByteArray& bytes) {
    if (bytes.size() >= 16)
        return bytes;
    return bytes + QByteArray(16 - bytes.size(), ' ');
}

} // namespace Korvane
