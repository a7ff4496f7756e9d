#pragma once

#include <QDialog>

#include <memory>

class QRadioButton;

namespace Ui {
class CProductSelectDlg;
}

namespace Korvane {

// Asks at start-up which product is connected. The answer is the position of the selected
// radio button in dialog order, which is the product index.
class CProductSelectDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CProductSelectDlg(QWidget* parent = nullptr);
    ~CProductSelectDlg() override;

    int SelectedIndex() const { return m_selectedIndex; }
    void SetSelectedIndex(int index);

    void accept() override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    std::unique_ptr<Ui::CProductSelectDlg> m_ui;
    QList<QRadioButton*> m_radios; // in dialog order
    int m_selectedIndex = 0;
};

} // namespace Korvane
