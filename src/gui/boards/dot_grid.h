#pragma once

#include <QColor>
#include <QTableWidget>

namespace Korvane {

// The dot-matrix editor's grid: 8 by 8 read-only cells filling the control, each lit or
// dark, without headers, selection or focus marks. A click is reported when the mouse button
// is released, with the cell where it went down; a press outside the cells reports nothing.
// Each cell tells assistive technology its position and whether it is lit.
class CDotGrid : public QTableWidget {
    Q_OBJECT
  public:
    static constexpr int kSize = 8;
    static QColor LitColour() { return {253, 74, 42}; }
    static QColor DarkColour() { return {0, 0, 0}; }

    explicit CDotGrid(QWidget* parent = nullptr);

    bool IsLit(int row, int column) const;
    QColor CellColour(int row, int column) const;
    void SetLit(int row, int column, bool lit);
    // All 64 cells at once, repainted once afterwards.
    void SetAll(bool lit);

  signals:
    void cellClickedAt(int row, int column);

  protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The names of the grid and its cells, in the language in use.
    void ShowTexts();
    QModelIndex m_pressed;
};

} // namespace Korvane
