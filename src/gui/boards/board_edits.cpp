#include "gui/boards/board_edits.h"

#include "core/boards/board_text.h"

#include <QLineEdit>

namespace Korvane {

CGbkTextValidator::CGbkTextValidator(int maxBytes, QString refused, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes), m_refused(std::move(refused)) {}

QValidator::State CGbkTextValidator::validate(QString& text, int& pos) const {
    // Drop what may not go in, keeping the caret where it was relative to the kept text.
    QString kept;
    kept.reserve(text.size());
    int keptPos = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < text.size();
        const QString character = pair ? text.mid(i, 2) : QString(c);
        bool ok = !m_refused.contains(c) && GbkLength(character) > 0;
        if (ok && m_hexOnly)
            ok = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                 (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'));
        if (ok) {
            kept += character;
            if (i < pos)
                keptPos += int(character.size());
        }
        if (pair)
            ++i;
    }
    kept = CutToGbkBytes(kept, m_maxBytes);
    text = kept;
    pos = std::min(keptPos, int(kept.size()));
    return Acceptable;
}

QValidator::State CByteNumberValidator::validate(QString& text, int& pos) const {
    Q_UNUSED(pos);
    if (text.isEmpty())
        return Intermediate;
    if (text.size() > 3)
        return Invalid;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Invalid;
    return text.toInt() <= 255 ? Acceptable : Invalid;
}

void LimitFrameText(QLineEdit* edit, int maxBytes) {
    edit->setValidator(new CGbkTextValidator(maxBytes, QStringLiteral("#$"), edit));
}

void LimitIrCode(QLineEdit* edit) {
    auto* v = new CGbkTextValidator(2, QString(), edit);
    v->SetHexOnly(true);
    edit->setValidator(v);
}

void LimitRawText(QLineEdit* edit, int maxBytes) {
    edit->setValidator(new CGbkTextValidator(maxBytes, QString(), edit));
}

} // namespace Korvane
