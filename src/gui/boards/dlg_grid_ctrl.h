#pragma once

#include "core/boards/dot_matrix.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class CDlgGridCtrl;
}

namespace Korvane {

class CDotGrid;
class CPanelHost;

// The dot-matrix editor: clicking a cell switches that dot on the board; "全亮" lights all
// (it is the default button: Enter lights all and the editor stays open), "清屏" darkens all,
// "关闭" and Escape close it. It starts dark each time and never reads the board; the frame
// prefix follows the product its panel serves when a frame is built.
class CDlgGridCtrl : public QDialog {
    Q_OBJECT
  public:
    // product: the product the editor's panel serves now.
    CDlgGridCtrl(CPanelHost* host, std::function<int()> product, QWidget* parent = nullptr);
    ~CDlgGridCtrl() override;

    CDotGrid* Grid() const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void ShowOwnTexts();
    void OnCellClicked(int row, int column);
    void OnAllOn();
    void OnClear();

    std::unique_ptr<Ui::CDlgGridCtrl> m_ui;
    CPanelHost* m_host;
    std::function<int()> m_product;
    CDotPattern m_pattern;
};

} // namespace Korvane
