#pragma once

#include <QColor>
#include <QPushButton>

namespace Korvane {

// A push button that paints itself: a rounded face in a colour the owner can change, a raised
// inner edge, a border that turns white while the pointer is over it, a greyed look when
// disabled. The caption is taken at the first paint.
class CButtonEx : public QPushButton {
    Q_OBJECT
  public:
    enum State { Normal = 0, Hot = 1, Disabled = 3 };

    explicit CButtonEx(QWidget* parent = nullptr);
    explicit CButtonEx(const QString& text, QWidget* parent = nullptr);

    void SetFaceColor(const QColor& colour);
    QColor FaceColor() const { return m_face; }
    State ButtonState() const { return m_state; }
    QString Caption() const { return m_caption; }
    QColor BorderColour() const;
    QColor CaptionColour() const;
    // The caption as drawn: on one line, ending in an ellipsis when it does not fit.
    QString ShownCaption() const;

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    State m_state = Normal;
    QString m_caption;
    QColor m_textColour{0, 0, 0};
    QColor m_face{243, 243, 243};
    QString m_faceWords; // the description SetFaceColor gave
};

} // namespace Korvane
