#pragma once

#include <QLabel>

namespace Korvane {

// A lamp: icon 327 (grey) when off, icon 328 (red) when on.
class CLamp : public QLabel {
    Q_OBJECT
  public:
    explicit CLamp(QWidget* parent = nullptr);
    void SetOn(bool on);
    bool IsOn() const { return m_on; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QString m_defaultName;
    void Show(bool on);
    bool m_on = false;
};

} // namespace Korvane
