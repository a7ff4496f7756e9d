#pragma once

#include "core/display/segment_geometry.h"

#include <QColor>
#include <QLabel>

namespace Korvane {

// A static text shown as a segment display: digits, space and minus as seven-segment cells,
// letters and some punctuation as fourteen-segment cells, "." and ":" as a narrow cell.
// The label's own text is what the display text "?" shows.
class CDigiStatic : public QLabel {
    Q_OBJECT
  public:
    explicit CDigiStatic(QWidget* parent = nullptr);

    void SetDisplayText(const QByteArray& text);
    void SetSegmentColours(const QColor& off, const QColor& on);
    // Draw over what the parent shows behind the control instead of filling a background.
    void EnableTransparentBackground();

    QByteArray DisplayText() const { return m_text; }
    QColor OffColour() const { return m_off; }
    QColor OnColour() const { return m_on; }
    QColor BackgroundColour() const { return m_background; }
    bool TransparentBackground() const { return m_transparent; }
    // Repaints asked for by text and colour changes (each one a deferred update).
    int RepaintRequests() const { return m_repaintRequests; }
    // The cells of the last paint (rebuilt lazily from the text).
    const std::vector<std::unique_ptr<CDigiChar>>& Cells() const { return m_cells; }

    // Renders the control's picture (what a paint shows) into an image of its size.
    QImage Render(const QImage* behind = nullptr);

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_defaultName;
    void RequestRepaint();
    void Rebuild();

    QByteArray m_text = "?";
    bool m_rebuild = true;
    std::vector<std::unique_ptr<CDigiChar>> m_cells;
    QColor m_off{0, 52, 0};
    QColor m_on{0, 255, 0};
    QColor m_background{0, 0, 0};
    bool m_transparent = false;
    int m_repaintRequests = 0;
};

} // namespace Korvane
