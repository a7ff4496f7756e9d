#include "gui/boards/dot_grid.h"

#include <QEvent>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace Korvane {

CDotGrid::CDotGrid(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(kSize);
    setRowCount(kSize);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // The cells share the control's whole area, so every point of it is a cell.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setFocusPolicy(Qt::NoFocus);
    for (int r = 0; r < kSize; ++r) {
        for (int c = 0; c < kSize; ++c) {
            auto* cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled); // read-only, never selected
            setItem(r, c, cell);
            SetLit(r, c, false);
        }
    }
    ShowTexts();
}

void CDotGrid::ShowTexts() {
    setAccessibleName(tr("Dot matrix"));
    for (int r = 0; r < kSize; ++r) {
        for (int c = 0; c < kSize; ++c) {
            QTableWidgetItem* cell = item(r, c);
            cell->setData(Qt::AccessibleTextRole, tr("Row %1, column %2").arg(r + 1).arg(c + 1));
            cell->setData(Qt::AccessibleDescriptionRole, IsLit(r, c) ? tr("lit") : tr("dark"));
        }
    }
}

void CDotGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        ShowTexts();
    QTableWidget::changeEvent(event);
}

bool CDotGrid::IsLit(int row, int column) const {
    return CellColour(row, column) == LitColour();
}

QColor CDotGrid::CellColour(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->background().color() : QColor();
}

void CDotGrid::SetLit(int row, int column, bool lit) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell)
        return; // a cell that does not exist: nothing to set
    cell->setBackground(lit ? LitColour() : DarkColour());
    cell->setData(Qt::AccessibleDescriptionRole, lit ? tr("lit") : tr("dark"));
}

void CDotGrid::SetAll(bool lit) {
    setUpdatesEnabled(false);
    for (int r = 0; r < kSize; ++r)
        for (int c = 0; c < kSize; ++c)
            SetLit(r, c, lit);
    setUpdatesEnabled(true); // one repaint for all 64
}

void CDotGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_pressed = indexAt(event->position().toPoint());
    event->accept(); // no selection, no focus cell
}

void CDotGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event); // the second press of a double click is a click of its own
}

void CDotGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept(); // no drag selection
}

void CDotGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex pressed = std::exchange(m_pressed, QModelIndex());
    if (pressed.isValid())
        emit cellClickedAt(pressed.row(), pressed.column());
    event->accept();
}

void CDotGrid::keyPressEvent(QKeyEvent* event) {
    event->ignore(); // Enter and Escape belong to the dialog
}

} // namespace Korvane
