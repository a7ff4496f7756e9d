#pragma once

#include "core/boards/keypad_calculator.h"
#include "gui/boards/board_panel.h"

#include <QDate>
#include <QTimer>

#include <memory>

namespace Ui {
class CDevelop51FormView;
}

namespace Korvane {

class CButtonEx;

// The 8051 board panel (the Alder boards): next to what every board panel has, the AD and
// sensor readings, the real time clock, the infrared sender, the LCD12864 and the keypad
// calculator.
class CDevelop51FormView : public CBoardPanel {
    Q_OBJECT
  public:
    explicit CDevelop51FormView(CPanelHost* host, QWidget* parent = nullptr);
    ~CDevelop51FormView() override;

    void OnInitialUpdate() override;
    void StartDemo() override;

    static constexpr int kClockTickMs = 1000;

    bool ClockTimerActive() const { return m_clockTimer.isActive(); }

  protected:
    void ShowLcd1602() override;
    void RetranslateUi() override;

  private:
    void ShowOwnTexts();
    void BindOwn();
    void OnClockTick();
    void SetClock(int n);
    void SendInfrared();
    void ShowLcd12864();
    void PlaySteps(const std::vector<BoardFrames::PacedStep>& steps);
    void HighlightKey(int index);

    std::unique_ptr<Ui::CDevelop51FormView> m_ui;
    QTimer m_clockTimer;
    CButtonEx* m_keys[CKeypadCalculator::kKeyCount] = {};
    QButtonGroup* m_adGroup = nullptr;
    QButtonGroup* m_sensorGroup = nullptr;
};

} // namespace Korvane
