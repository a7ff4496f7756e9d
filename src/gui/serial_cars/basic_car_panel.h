#pragma once

#include "core/link/frames.h"
#include "core/serial_cars/basic_car_model.h"
#include "gui/panels/panel_base.h"

#include <QLabel>

#include <memory>

class QAbstractButton;

namespace Ui {
class CArduinoCarFormView;
class CVantrelCarFormView;
class CKorvaneView;
} // namespace Ui

namespace Korvane {

// What the three basic robot car panels share: button frames, the driving keys, the
// ultrasonic distance read from routed frames, and the logo.
class CBasicCarPanel : public CPanelBase {
    Q_OBJECT
  public:
    CBasicCarPanel(int dialogId, CPanelHost* host, QWidget* parent);

    void OnInitialUpdate() override;
    void StartDemo() override;

    QString DistanceText() const { return m_model.Text(BasicCarField::Distance); }
    int LastKeyState() const { return Host()->Station().LastKeyState(DialogId()); }

  protected:
    // Called by each panel once its form is set up.
    void BindControls(QLabel* distanceLabel, QLabel* logo);
    void BindButton(QAbstractButton* button, CarAction action);
    template <typename Form> void BindCommonButtons(Form* ui);

  private:
    void OnKeyDown(int key);

    CBasicCarModel& m_model; // the station's
    QLabel* m_logo = nullptr;
};

class CArduinoCarFormView : public CBasicCarPanel {
    Q_OBJECT
  public:
    explicit CArduinoCarFormView(CPanelHost* host, QWidget* parent = nullptr);
    ~CArduinoCarFormView() override;

  protected:
    void RetranslateUi() override;

  private:
    void ShowOwnTexts();

    std::unique_ptr<Ui::CArduinoCarFormView> m_ui;
};

class CVantrelCarFormView : public CBasicCarPanel {
    Q_OBJECT
  public:
    explicit CVantrelCarFormView(CPanelHost* host, QWidget* parent = nullptr);
    ~CVantrelCarFormView() override;

  protected:
    void RetranslateUi() override;

  private:
    std::unique_ptr<Ui::CVantrelCarFormView> m_ui;
};

class CKorvaneView : public CBasicCarPanel {
    Q_OBJECT
  public:
    explicit CKorvaneView(CPanelHost* host, QWidget* parent = nullptr);
    ~CKorvaneView() override;
    void OnInitialUpdate() override;

  protected:
    void RetranslateUi() override;

  private:
    std::unique_ptr<Ui::CKorvaneView> m_ui;
};

} // namespace Korvane
