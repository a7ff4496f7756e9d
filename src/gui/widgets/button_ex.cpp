#include "gui/widgets/button_ex.h"

#include "core/display/colour_words.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace Korvane {

CButtonEx::CButtonEx(QWidget* parent) : QPushButton(parent) {}

CButtonEx::CButtonEx(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void CButtonEx::SetFaceColor(const QColor& colour) {
    m_face = colour;
    // What the colour of the face tells, in words a listener understands.
    m_faceWords = ColourInWords(colour.red(), colour.green(), colour.blue());
    setAccessibleDescription(m_faceWords);
    update();
}

void CButtonEx::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && !m_faceWords.isEmpty()) {
        // The colour's words follow the language, unless the panel described the button.
        const QString words = ColourInWords(m_face.red(), m_face.green(), m_face.blue());
        if (accessibleDescription() == m_faceWords)
            setAccessibleDescription(words);
        m_faceWords = words;
    }
    QPushButton::changeEvent(event);
}

QColor CButtonEx::BorderColour() const {
    switch (m_state) {
    case Hot:
        return Qt::white;
    case Disabled:
        return m_face;
    default:
        return QColor(192, 192, 192);
    }
}

QColor CButtonEx::CaptionColour() const {
    return m_state == Disabled ? palette().color(QPalette::Disabled, QPalette::Text) : m_textColour;
}

QString CButtonEx::ShownCaption() const {
    return fontMetrics().elidedText(m_caption.isEmpty() ? text() : m_caption, Qt::ElideRight,
                                    width() - 6);
}

void CButtonEx::enterEvent(QEnterEvent* event) {
    m_state = Hot;
    update();
    QPushButton::enterEvent(event);
}

void CButtonEx::leaveEvent(QEvent* event) {
    m_state = Normal;
    update();
    QPushButton::leaveEvent(event);
}

void CButtonEx::mousePressEvent(QMouseEvent* event) {
    m_state = Hot;
    update();
    QPushButton::mousePressEvent(event);
}

void CButtonEx::paintEvent(QPaintEvent*) {
    if (m_caption.isEmpty())
        m_caption = text(); // later text changes do not change what is drawn
    if (m_state == Disabled)
        m_state = Normal;
    if (!isEnabled())
        m_state = Disabled;

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect r = rect();
    p.setBrush(m_face);
    p.setPen(QPen(BorderColour(), 1));
    p.drawRoundedRect(r.adjusted(0, 0, -1, -1), 5, 5);

    // Raised inner edge on the rectangle from (left + 1, top + 1) to (right, bottom).
    const QRect edge(r.left() + 1, r.top() + 1, r.width() - 2, r.height() - 2);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(edge.topLeft(), edge.topRight() - QPoint(1, 0));
    p.drawLine(edge.topLeft(), edge.bottomLeft() - QPoint(0, 1));
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(edge.bottomLeft(), edge.bottomRight());
    p.drawLine(edge.topRight(), edge.bottomRight());

    p.setPen(CaptionColour());
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, ShownCaption());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect =
            QRect(QPoint(r.left() + 3, r.top() + 2), QPoint(r.right() - 3, r.bottom() - 2));
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

} // namespace Korvane
