#include "gui/shell/color_status.h"

#include <QEvent>
#include <QPainter>

namespace Korvane {

CColorPane::CColorPane(const QString& sizingText, const QString& accessibleName, QWidget* parent)
    : QWidget(parent), m_sizingText(sizingText), m_text(sizingText) {
    setAccessibleName(accessibleName);
    setAccessibleDescription(m_text);
}

void CColorPane::SetNote(const QString& note) {
    m_note = note;
    setAccessibleDescription(note.isEmpty() ? m_text : m_text + QStringLiteral(". ") + note);
}

void CColorPane::SetText(const QString& text, const QColor& background) {
    m_text = text;
    m_background = background;
    setAccessibleDescription(m_note.isEmpty() ? text : text + QStringLiteral(". ") + m_note);
    updateGeometry(); // a port path may be longer than the sizing text
    update();
}

void CColorPane::SetSizingText(const QString& text) {
    m_sizingText = text;
    updateGeometry();
}

QSize CColorPane::sizeHint() const {
    const QFontMetrics fm(font());
    const int width = std::max(fm.horizontalAdvance(m_sizingText), fm.horizontalAdvance(m_text));
    return {width + 4, fm.height() + 2};
}

void CColorPane::paintEvent(QPaintEvent*) {
    if (m_text.isEmpty())
        return;
    QPainter p(this);
    const QFontMetrics fm(font());
    const QRect cells(1, 0, fm.horizontalAdvance(m_text), fm.height());
    if (m_background.isValid())
        p.fillRect(cells, m_background);
    p.setPen(Qt::black);
    p.drawText(cells, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
}

CColorStatu::CColorStatu(QWidget* parent) : QStatusBar(parent) {
    m_prompt = new QLabel(this);
    m_prompt->setTextFormat(Qt::PlainText);
    addWidget(m_prompt, 1);
    m_panes[1] = new CColorPane(QStringLiteral("COMXXX"), QString(), this);
    m_panes[2] = new CColorPane(QStringLiteral("XXXX"), QString(), this);
    m_panes[3] = new CColorPane(tr("通信断开"), QString(), this);
    for (int i = 1; i <= 3; ++i)
        addPermanentWidget(m_panes[i]);
    RetranslateUi();
}

void CColorStatu::RetranslateUi() {
    // The prompt follows the language only while it shows the ready text.
    const QString ready = tr("就绪");
    if (m_prompt->text().isEmpty() || m_prompt->text() == m_readyText)
        m_prompt->setText(ready);
    m_readyText = ready;
    m_panes[1]->setAccessibleName(tr("Serial port"));
    m_panes[2]->setAccessibleName(tr("Baud rate"));
    m_panes[3]->setAccessibleName(tr("Link state"));
    if (m_panes[4])
        m_panes[4]->setAccessibleName(tr("MQTT sharing"));
    m_panes[3]->SetSizingText(tr("通信断开"));
    SetDroppedFrames(m_dropped);
}

void CColorStatu::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QStatusBar::changeEvent(event);
}

void CColorStatu::SetColorPane(int pane, const QString& text, const QColor& background) {
    if (pane == 0) {
        m_prompt->setText(text);
        return;
    }
    if (pane > 0 && pane < 5 && m_panes[pane])
        m_panes[pane]->SetText(text, background);
}

void CColorStatu::SetMqttPane(const QString& text, const QColor& background, const QString& note) {
    if (!m_panes[4]) {
        m_panes[4] = new CColorPane(QStringLiteral("MQTT: connecting"), QString(), this);
        m_panes[4]->setObjectName(QStringLiteral("mqttPane"));
        addPermanentWidget(m_panes[4]);
        RetranslateUi();
    }
    m_panes[4]->SetText(text, background);
    m_panes[4]->setToolTip(note);
    m_panes[4]->SetNote(note);
}

void CColorStatu::SetDroppedFrames(quint64 total) {
    m_dropped = total;
    const QString note = total == 0
                             ? QString()
                             : tr("%1 received frames were dropped: the device sent faster than "
                                  "the station could show them.")
                                   .arg(total);
    m_panes[3]->setToolTip(note);
    m_panes[3]->SetNote(note);
}

QString CColorStatu::PaneText(int pane) const {
    if (pane == 0)
        return m_prompt->text();
    return pane > 0 && pane < 5 && m_panes[pane] ? m_panes[pane]->Text() : QString();
}

QColor CColorStatu::PaneBackground(int pane) const {
    return pane > 0 && pane < 5 && m_panes[pane] ? m_panes[pane]->Background() : QColor();
}

CColorPane* CColorStatu::Pane(int pane) const {
    return pane > 0 && pane < 5 ? m_panes[pane] : nullptr;
}

} // namespace Korvane
