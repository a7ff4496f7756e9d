#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CAboutDlg;
}

namespace Korvane {

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    std::unique_ptr<Ui::CAboutDlg> m_ui;
};

} // namespace Korvane
