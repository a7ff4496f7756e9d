#include "core/boards/dot_matrix.h"

#include "core/products/catalogue.h"

namespace Korvane {

QByteArray CDotPattern::PrefixFor(int product) {
    // The product's row knows its prefix; the 8051 boards' serves any other.
    if (IsValidProduct(product) && Product(product).dotMatrixPrefix)
        return QByteArray(Product(product).dotMatrixPrefix);
    return QByteArrayLiteral("$51,DMX");
}

bool CDotPattern::IsLit(int row, int column) const {
    if (row < 0 || row >= kSize || column < 0 || column >= kSize)
        return false;
    return m_lit[size_t(row * kSize + column)];
}

QByteArray CDotPattern::Toggle(int row, int column, int product) {
    if (row < 0 || row >= kSize || column < 0 || column >= kSize)
        return {};
    bool& dot = m_lit[size_t(row * kSize + column)];
    dot = !dot;
    return PrefixFor(product) + QByteArray::number(row) + QByteArray::number(column) +
           (dot ? ",1#" : ",0#");
}

QByteArray CDotPattern::AllOn(int product) {
    m_lit.fill(true);
    return PrefixFor(product) + "00,3#";
}

QByteArray CDotPattern::AllOff(int product) {
    m_lit.fill(false);
    return PrefixFor(product) + "00,2#";
}

int CDotPattern::LitCount() const {
    int n = 0;
    for (bool dot : m_lit)
        n += dot ? 1 : 0;
    return n;
}

} // namespace Korvane
