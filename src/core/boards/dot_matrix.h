#pragma once

#include <QByteArray>

#include <array>

namespace Korvane {

// The 8 by 8 LED dot matrix of the training boards as the editor sees it: which dots are lit,
// and the frames that tell the board. The frame prefix depends on the board family.
class CDotPattern {
  public:
    static constexpr int kSize = 8;

    // The product's prefix from its row: "$51,DMX" for the 8051 boards, "$AR,DMX" for the
    // Arduino kits.
    static QByteArray PrefixFor(int product);

    bool IsLit(int row, int column) const;
    // Switches one dot and gives its frame: prefix + row + column + ",1#" (now lit) or ",0#".
    // A position outside the matrix changes nothing and gives an empty frame.
    QByteArray Toggle(int row, int column, int product);
    // All dots on ("...DMX00,3#") or off ("...DMX00,2#").
    QByteArray AllOn(int product);
    QByteArray AllOff(int product);
    int LitCount() const;

  private:
    std::array<bool, kSize * kSize> m_lit{};
};

} // namespace Korvane
