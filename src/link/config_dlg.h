#pragma once

#include <QComboBox>
#include <QDialog>

#include <memory>

namespace Ui {
class CConfigDlg;
}

namespace Korvane {

// The port list: its entries are read afresh from the system each time it drops down.
class CPortCombo : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    void showPopup() override;
    // Replaces the entries with the system's serial ports; false when there are none.
    bool RefillFromSystem();
};

// The serial port and baud rate dialog: opens or closes the link of the main window.
class CConfigDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CConfigDlg(QWidget* parent = nullptr);
    ~CConfigDlg() override;

    void OnOpen();
    void OnClosePort();

  private:
    std::unique_ptr<Ui::CConfigDlg> m_ui;
};

} // namespace Korvane
