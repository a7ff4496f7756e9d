#pragma once

#include <QByteArray>

#include <memory>
#include <vector>

namespace Korvane {

// Point types of an outline: 6 starts the figure, 2 draws a straight line to the point.
enum SegmentPointType : quint8 { PointMoveTo = 6, PointLineTo = 2 };

// One segment outline in character units (a cell is its width across and 83 units high).
struct CDSegment {
    std::vector<std::pair<int, int>> points;
    std::vector<quint8> types;
};

// One cell of a segment display: its width in units, its lit mask and its outlines.
class CDigiChar {
  public:
    static constexpr int kHeight = 83;

    virtual ~CDigiChar() = default;
    // Fills the segment outlines and stores the mask.
    virtual void BuildSegments(quint16 litMask) { m_litMask = litMask; }
    virtual std::unique_ptr<CDigiChar> Clone() const = 0;

    int Width() const { return m_width; }
    quint16 LitMask() const { return m_litMask; }
    int SegmentCount() const { return m_segmentCount; }
    bool IsLit(int segment) const { return (m_litMask >> segment) & 1; }
    const std::vector<CDSegment>& Segments() const { return m_segments; }

  protected:
    CDigiChar(int width, int segmentCount) : m_width(width), m_segmentCount(segmentCount) {}

    int m_width;
    quint16 m_litMask = 0;
    int m_segmentCount;
    std::vector<CDSegment> m_segments;
};

class CDigi7Segment : public CDigiChar {
  public:
    CDigi7Segment() : CDigiChar(49, 7) {}
    void BuildSegments(quint16 litMask) override;
    std::unique_ptr<CDigiChar> Clone() const override {
        return std::make_unique<CDigi7Segment>(*this);
    }
};

class CDigi14Segment : public CDigiChar {
  public:
    CDigi14Segment() : CDigiChar(49, 14) {}
    void BuildSegments(quint16 litMask) override;
    std::unique_ptr<CDigiChar> Clone() const override {
        return std::make_unique<CDigi14Segment>(*this);
    }
};

class CDigiColonDotChar : public CDigiChar {
  public:
    CDigiColonDotChar() : CDigiChar(18, 3) {}
    void BuildSegments(quint16 litMask) override;
    std::unique_ptr<CDigiChar> Clone() const override {
        return std::make_unique<CDigiColonDotChar>(*this);
    }
};

// The cells of a text: upper-cased, each mapped byte one cell, unmapped bytes skipped.
std::vector<std::unique_ptr<CDigiChar>> BuildCells(const QByteArray& text);

// Where the cells go in a w x h pixel area: scale and the centred origin.
struct SegmentLayout {
    int units = 0; // sum of the cell widths
    double scale = 0;
    double x0 = 0, y0 = 0;
};
SegmentLayout LayoutCells(const std::vector<std::unique_ptr<CDigiChar>>& cells, int w, int h);

// A point of an outline in pixels for a cell whose left edge is at x (pixels).
std::pair<int, int> MapPoint(std::pair<int, int> p, double scale, double x, double y0);

struct SegmentRgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const SegmentRgb&) const = default;
};
// The outline colour: 0.25 x background + 0.75 x fill, each channel truncated.
SegmentRgb BlendPen(SegmentRgb background, SegmentRgb fill);

} // namespace Korvane
