#pragma once

#include <QByteArray>

#include <cstdint>

namespace Korvane {

enum class CalcError {
    None,
    DivideByZero, // "除数不能为0"
    OutOfRange,   // an operand or a result outside the signed 32-bit range: "结果超出范围！"
};

struct CalcResult {
    std::int32_t value = 0; // 0 whenever error is set
    CalcError error = CalcError::None;
};

// Evaluates the text before the first "=" (all of it when there is none): "*" and "/" before
// "+" and "-", left to right; a leading or doubled "+"/"-" is a sign; each operand is read by
// the atoi rule (blanks, digits, anything up to the next operator ignored; no digits give 0);
// division truncates toward zero. "12-3+4" is 13, "5*-3" is -15, "12" is 12, "" is 0.
CalcResult Evaluate(const QByteArray& formula);

// The message of an error, empty for none.
const char* CalcErrorText(CalcError error);

// The calculator fed by the board's keypad: each frame "...CALC<key>#" adds a key to the
// formula; "=" evaluates, "C" clears, and any key after a result starts afresh.
class CKeypadCalculator {
  public:
    // The formula is capped; longer input is not appended ("=" and "C" always act).
    static constexpr int kMaxFormula = 1000;
    static constexpr int kKeyCount = 16;

    // Key texts of the sixteen keypad buttons in button order (1071 to 1086).
    static const char* const* KeyTexts();
    // The button index of a key text, -1 for any other text.
    static int KeyIndex(const QByteArray& key);

    struct Outcome {
        int highlight = -1; // the button to light, -1 to leave the buttons as they are
        CalcError error = CalcError::None;
    };
    // Handles a frame that contains "CALC".
    Outcome HandleFrame(const QByteArray& frame);

    QByteArray formula;
    std::int32_t result = 0;
    bool resultShown = false;
};

} // namespace Korvane
