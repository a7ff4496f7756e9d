#pragma once

#include <QComboBox>
#include <QDialog>

#include <memory>

namespace Ui {
class CConfigDlg;
}

namespace Korvane {

class CMainFrame;

// The port list: its entries are read afresh from the system each time it drops down.
class CPortCombo : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    void showPopup() override;
    // Replaces the entries with the system's serial ports; false when there are none.
    bool RefillFromSystem();
};

// The serial port and baud rate dialog: opens or closes the link of its main window. Opening
// does not block: the Open button stays disabled until the port answers.
class CConfigDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CConfigDlg(CMainFrame* owner, QWidget* parent = nullptr);
    ~CConfigDlg() override;

    void OnOpen();
    void OnClosePort();
    bool IsOpening() const { return m_opening; }

  private:
    void OnOpenFinished(bool ok);

    std::unique_ptr<Ui::CConfigDlg> m_ui;
    CMainFrame* m_owner;
    bool m_opening = false;
};

} // namespace Korvane
