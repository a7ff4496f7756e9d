#include "core/boards/keypad_calculator.h"

#include <QtGlobal>

#include <limits>
#include <optional>

namespace Korvane {

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

bool IsOperator(char c) {
    return c == '+' || c == '-' || c == '*' || c == '/';
}

// Reads formulas left to right; every value it produces is checked against the 32-bit range.
class Parser {
  public:
    explicit Parser(const QByteArray& text) : m_text(text) {}

    CalcResult Run() {
        std::optional<std::int64_t> value = Sum();
        if (m_divideByZero)
            return {0, CalcError::DivideByZero};
        if (!value)
            return {0, CalcError::OutOfRange};
        return {std::int32_t(*value), CalcError::None};
    }

  private:
    std::optional<std::int64_t> Sum() {
        std::optional<std::int64_t> value = Product();
        while (value && m_at < m_text.size() && (Peek() == '+' || Peek() == '-')) {
            const char op = m_text[m_at++];
            const std::optional<std::int64_t> right = Product();
            if (!right)
                return std::nullopt;
            value = Checked(op == '+' ? *value + *right : *value - *right);
        }
        return value;
    }

    std::optional<std::int64_t> Product() {
        std::optional<std::int64_t> value = Operand();
        while (value && m_at < m_text.size() && (Peek() == '*' || Peek() == '/')) {
            const char op = m_text[m_at++];
            const std::optional<std::int64_t> right = Operand();
            if (!right)
                return std::nullopt;
            if (op == '*') {
                value = Checked(*value * *right); // both within 32 bits: no 64-bit overflow
            } else if (*right == 0) {
                m_divideByZero = true;
                return std::nullopt;
            } else {
                value = Checked(*value / *right); // truncates toward zero
            }
        }
        return value;
    }

    // Signs, then the atoi rule: blanks, digits; the rest up to the next operator is ignored.
    std::optional<std::int64_t> Operand() {
        bool negative = false;
        for (;;) {
            while (m_at < m_text.size() && m_text[m_at] == ' ')
                ++m_at;
            if (m_at < m_text.size() && (m_text[m_at] == '+' || m_text[m_at] == '-'))
                negative ^= m_text[m_at++] == '-';
            else
                break;
        }
        while (m_at < m_text.size() && IsBlank(m_text[m_at]))
            ++m_at;
        std::int64_t magnitude = 0;
        bool tooLarge = false;
        for (; m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9'; ++m_at) {
            magnitude = magnitude * 10 + (m_text[m_at] - '0');
            if (magnitude > kMax + 1) {
                tooLarge = true;
                magnitude = kMax + 1; // keeps reading the digits without overflowing
            }
        }
        while (m_at < m_text.size() && !IsOperator(m_text[m_at]))
            ++m_at;
        if (tooLarge)
            return std::nullopt;
        return Checked(negative ? -magnitude : magnitude);
    }

    static bool IsBlank(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }
    char Peek() const { return m_text[m_at]; }
    static std::optional<std::int64_t> Checked(std::int64_t v) {
        if (v < kMin || v > kMax)
            return std::nullopt;
        return v;
    }

    const QByteArray& m_text;
    qsizetype m_at = 0;
    bool m_divideByZero = false;
};

constexpr const char* kKeyTexts[CKeypadCalculator::kKeyCount] = {
    "1", "2", "3", "+", "4", "5", "6", "7", "8", "9", "C", "0", "=", "-", "*", "/"};

} // namespace

CalcResult Evaluate(const QByteArray& formula) {
    const qsizetype equals = formula.indexOf('=');
    const QByteArray text = equals < 0 ? formula : formula.left(equals);
    return Parser(text).Run();
}

const char* CalcErrorText(CalcError error) {
    switch (error) {
    case CalcError::DivideByZero:
        return QT_TRANSLATE_NOOP("Korvane::BoardFrames", "除数不能为0");
    case CalcError::OutOfRange:
        return QT_TRANSLATE_NOOP("Korvane::BoardFrames", "结果超出范围！");
    case CalcError::None:
        break;
    }
    return "";
}

const char* const* CKeypadCalculator::KeyTexts() {
    return kKeyTexts;
}

int CKeypadCalculator::KeyIndex(const QByteArray& key) {
    for (int i = 0; i < kKeyCount; ++i)
        if (key == kKeyTexts[i])
            return i;
    return -1;
}

CKeypadCalculator::Outcome CKeypadCalculator::HandleFrame(const QByteArray& frame) {
    Outcome outcome;
    const qsizetype c = frame.indexOf("CALC");
    if (c < 0)
        return outcome;
    qsizetype end = frame.indexOf('#', c);
    if (end < 0)
        end = frame.size();
    const QByteArray key = frame.mid(c + 4, end - c - 4);
    outcome.highlight = KeyIndex(key);
    if (resultShown) {
        formula.clear();
        result = 0;
        resultShown = false;
    }
    if (key == "C") {
        formula.clear();
        result = 0;
        return outcome;
    }
    if (key == "=") {
        formula += key; // always: the formula must be evaluated even when it is full
        const CalcResult r = Evaluate(formula);
        result = r.value;
        outcome.error = r.error;
        resultShown = true;
    } else if (formula.size() + key.size() <= kMaxFormula) {
        formula += key;
    }
    return outcome;
}

} // namespace Korvane
