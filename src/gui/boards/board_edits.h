#pragma once

#include <QValidator>

class QLineEdit;

namespace Korvane {

// What a board edit lets through. Text goes to the board as GBK: the limit counts GBK bytes,
// characters without a GBK code are refused, and so are the characters given (for frame
// texts "#" and "$", which would end or start a frame at the board). A paste is cut at a
// character boundary rather than refused whole.
class CGbkTextValidator : public QValidator {
    Q_OBJECT
  public:
    CGbkTextValidator(int maxBytes, QString refused, QObject* parent);
    // Only hexadecimal digits (infrared codes).
    void SetHexOnly(bool hexOnly) { m_hexOnly = hexOnly; }
    State validate(QString& text, int& pos) const override;

  private:
    int m_maxBytes;
    QString m_refused;
    bool m_hexOnly = false;
};

// A whole number from 0 to 255 typed as digits only (the clock's hour, minute and second).
class CByteNumberValidator : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;
    State validate(QString& text, int& pos) const override;
};

// Limits a frame text edit (LCD lines, segment text): maxBytes GBK bytes, no "#" or "$".
void LimitFrameText(QLineEdit* edit, int maxBytes);
// Limits an infrared code edit: at most two hexadecimal digits.
void LimitIrCode(QLineEdit* edit);
// Limits the serial assistant: 1024 GBK bytes, every character allowed.
void LimitRawText(QLineEdit* edit, int maxBytes);

} // namespace Korvane
