#include "core/display/segment_geometry.h"

#include <cmath>
#include <limits>

namespace Korvane {

namespace {

// Outlines as given; mirrored ones are derived from their source below.
constexpr int kMirrorX = 48; // x -> 48 - x
constexpr int kMirrorY = 82; // y -> 82 - y

using Outline = std::vector<std::pair<int, int>>;

Outline Mirror(const Outline& o, bool x, bool y) {
    Outline m;
    m.reserve(o.size());
    for (auto [px, py] : o)
        m.emplace_back(x ? kMirrorX - px : px, y ? kMirrorY - py : py);
    return m;
}

CDSegment MakeSegment(const Outline& o) {
    CDSegment s;
    s.points = o;
    s.types.assign(o.size(), PointLineTo);
    if (!s.types.empty())
        s.types[0] = PointMoveTo;
    return s;
}

const std::vector<Outline>& SevenSegmentOutlines() {
    static const std::vector<Outline> kOutlines = [] {
        const Outline top = {{5, 4}, {12, 11}, {36, 11}, {43, 4}};
        const Outline upperLeft = {{4, 6}, {4, 40}, {11, 36}, {11, 13}};
        const Outline middle = {{6, 41}, {14, 45}, {34, 45}, {42, 41}, {34, 37}, {14, 37}};
        return std::vector<Outline>{top,
                                    upperLeft,
                                    Mirror(upperLeft, true, false),
                                    middle,
                                    Mirror(upperLeft, false, true),
                                    Mirror(upperLeft, true, true),
                                    Mirror(top, false, true)};
    }();
    return kOutlines;
}

const std::vector<Outline>& FourteenSegmentOutlines() {
    static const std::vector<Outline> kOutlines = [] {
        const Outline upperBar = {{20, 13}, {20, 36}, {24, 40}, {28, 36}, {28, 13}};
        const Outline diagonal = {{5, 5}, {15, 35}, {20, 37}, {18, 25}};
        const Outline leftMiddle = {{6, 41}, {14, 45}, {18, 45}, {22, 41}, {18, 37}, {14, 37}};
        const Outline upperLeft = {{4, 7}, {4, 40}, {11, 36}, {11, 26}};
        const Outline top = {{6, 4}, {11, 11}, {37, 11}, {42, 4}};
        return std::vector<Outline>{upperBar,
                                    diagonal,
                                    Mirror(diagonal, true, false),
                                    Mirror(diagonal, false, true),
                                    Mirror(diagonal, true, true),
                                    Mirror(upperBar, false, true),
                                    leftMiddle,
                                    Mirror(leftMiddle, true, false),
                                    upperLeft,
                                    Mirror(upperLeft, false, true),
                                    Mirror(top, false, true),
                                    Mirror(upperLeft, true, true),
                                    Mirror(upperLeft, true, false),
                                    top};
    }();
    return kOutlines;
}

const std::vector<Outline>& ColonDotOutlines() {
    static const std::vector<Outline> kOutlines = {
        {{4, 23}, {4, 32}, {13, 32}, {13, 23}},
        {{4, 50}, {4, 59}, {13, 59}, {13, 50}},
        {{4, 68}, {4, 77}, {13, 77}, {13, 68}},
    };
    return kOutlines;
}

void Fill(std::vector<CDSegment>& segments, const std::vector<Outline>& outlines) {
    segments.clear();
    for (const Outline& o : outlines)
        segments.push_back(MakeSegment(o));
}

enum class Cell { None, Seven, Fourteen, ColonDot };

struct Mapped {
    Cell cell = Cell::None;
    quint16 mask = 0;
};

Mapped MapByte(unsigned char c) {
    static const quint16 kDigits[10] = {0x77, 0x24, 0x5D, 0x6D, 0x2E, 0x6B, 0x7B, 0x25, 0x7F, 0x6F};
    static const quint16 kLetters[26] = {0x3BC0, 0x3CA1, 0x2700, 0x3C21, 0x27C0, 0x23C0, 0x2F80,
                                         0x1BC0, 0x2421, 0x1E00, 0x0354, 0x0700, 0x1B06, 0x1B12,
                                         0x3F00, 0x33C0, 0x3F10, 0x33D0, 0x2DC0, 0x2021, 0x1F00,
                                         0x030C, 0x1B18, 0x001E, 0x11E0, 0x240C};
    if (c >= '0' && c <= '9')
        return {Cell::Seven, kDigits[c - '0']};
    if (c >= 'A' && c <= 'Z')
        return {Cell::Fourteen, kLetters[c - 'A']};
    switch (c) {
    case ' ':
        return {Cell::Seven, 0x00};
    case '-':
        return {Cell::Seven, 0x08};
    case '.':
        return {Cell::ColonDot, 0x4};
    case ':':
        return {Cell::ColonDot, 0x3};
    case '\'':
        return {Cell::Fourteen, 0x0001};
    case '(':
        return {Cell::Fourteen, 0x0014};
    case ')':
        return {Cell::Fourteen, 0x000A};
    case '*':
        return {Cell::Fourteen, 0x00FF};
    case '+':
        return {Cell::Fourteen, 0x00E1};
    case '/':
        return {Cell::Fourteen, 0x000C};
    case '\\':
        return {Cell::Fourteen, 0x0012};
    default:
        return {};
    }
}

} // namespace

void CDigi7Segment::BuildSegments(quint16 litMask) {
    Fill(m_segments, SevenSegmentOutlines());
    CDigiChar::BuildSegments(litMask);
}

void CDigi14Segment::BuildSegments(quint16 litMask) {
    Fill(m_segments, FourteenSegmentOutlines());
    CDigiChar::BuildSegments(litMask);
}

void CDigiColonDotChar::BuildSegments(quint16 litMask) {
    Fill(m_segments, ColonDotOutlines());
    CDigiChar::BuildSegments(litMask);
}

std::vector<std::unique_ptr<CDigiChar>> BuildCells(const QByteArray& text) {
    std::vector<std::unique_ptr<CDigiChar>> cells;
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 'a' && c <= 'z')
            c = static_cast<unsigned char>(c - 'a' + 'A');
        const Mapped m = MapByte(c); // bytes 128 to 255 are not in the map
        std::unique_ptr<CDigiChar> cell;
        switch (m.cell) {
        case Cell::Seven:
            cell = std::make_unique<CDigi7Segment>();
            break;
        case Cell::Fourteen:
            cell = std::make_unique<CDigi14Segment>();
            break;
        case Cell::ColonDot:
            cell = std::make_unique<CDigiColonDotChar>();
            break;
        case Cell::None:
            continue;
        }
        cell->BuildSegments(m.mask);
        cells.push_back(std::move(cell));
    }
    return cells;
}

SegmentLayout LayoutCells(const std::vector<std::unique_ptr<CDigiChar>>& cells, int w, int h) {
    SegmentLayout l;
    for (const auto& c : cells)
        l.units += c->Width();
    const double byWidth =
        l.units == 0 ? std::numeric_limits<double>::infinity() : double(w) / l.units;
    l.scale = std::min(byWidth, double(h) / CDigiChar::kHeight);
    l.x0 = (w - l.units * l.scale) / 2;
    l.y0 = (h - CDigiChar::kHeight * l.scale) / 2;
    return l;
}

std::pair<int, int> MapPoint(std::pair<int, int> p, double scale, double x, double y0) {
    return {int(p.first * scale + x + 0.5), int(p.second * scale + y0 + 0.5)};
}

SegmentRgb BlendPen(SegmentRgb background, SegmentRgb fill) {
    auto mix = [](int b, int f) { return int(0.25 * b + 0.75 * f); };
    return {mix(background.red, fill.red), mix(background.green, fill.green),
            mix(background.blue, fill.blue)};
}

} // namespace Korvane
