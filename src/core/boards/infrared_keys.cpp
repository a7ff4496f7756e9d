#include "core/boards/infrared_keys.h"

#include <limits>

namespace Korvane {

namespace {

struct KeyEntry {
    std::uint32_t byte;
    const char* name;
};

constexpr KeyEntry kKeys[] = {
    {0x07, "LAST"}, {0x08, "4"}, {0x09, "NEXT"}, {0x0C, "1"},    {0x0D, "C"},
    {0x15, "PLAY"}, {0x16, "0"}, {0x18, "2"},    {0x19, "-"},    {0x1C, "5"},
    {0x40, "+"},    {0x42, "7"}, {0x43, "BACK"}, {0x44, "TEST"}, {0x45, "POWERON"},
    {0x47, "MENU"}, {0x4A, "9"}, {0x52, "8"},    {0x5A, "6"},    {0x5E, "3"},
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsCBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::uint32_t ReverseBits8(std::uint32_t v) {
    std::uint32_t r = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (v & (1u << bit))
            r |= 1u << (7 - bit);
    return r;
}

} // namespace

std::uint32_t LeadingHex32(const QByteArray& text) {
    qsizetype i = 0;
    while (i < text.size() && IsCBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // "0x" counts as a prefix only when a hexadecimal digit follows it.
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        HexDigit(text[i + 2]) >= 0)
        i += 2;
    std::uint64_t value = 0;
    bool saturated = false;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
        value = value * 16 + std::uint64_t(HexDigit(text[i]));
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            saturated = true;
            value = std::numeric_limits<std::uint32_t>::max();
        }
    }
    if (saturated)
        return std::numeric_limits<std::uint32_t>::max();
    const auto v = std::uint32_t(value);
    return negative ? std::uint32_t(0u - v) : v;
}

QByteArray KeyName(const QByteArray& code, IrVariant variant) {
    const int first = variant == IrVariant::Board51 ? 6 : 4;
    if (code.size() < first + 1)
        return QByteArrayLiteral("UNKNOW");               // too short to hold its key byte
    std::uint32_t key = LeadingHex32(code.mid(first, 2)); // exactly the one or two key characters
    if (variant == IrVariant::Arduino)
        key = ReverseBits8(key & 0xFF);
    for (const KeyEntry& e : kKeys)
        if (e.byte == key)
            return QByteArray(e.name);
    return QByteArrayLiteral("UNKNOW");
}

bool ApplyInfraredFrame(const QByteArray& frame, IrVariant variant, IrValues* values) {
    const qsizetype s = frame.indexOf("HS");
    if (s < 0)
        return true;
    const qsizetype c = frame.indexOf(',', s);
    if (c < 0)
        return false;
    qsizetype end = frame.indexOf('#', c);
    if (end < 0)
        end = frame.size();
    values->internalCode = frame.mid(c + 1, end - c - 1);
    const QByteArray kind = frame.mid(s + 2, c - s - 2);
    values->translatedCode = kind == "X" ? KeyName(values->internalCode, variant) : kind;
    return true;
}

} // namespace Korvane
