#include "gui/widgets/digi_static.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace Korvane {

CDigiStatic::CDigiStatic(QWidget* parent) : QLabel(parent) {
    m_defaultName = tr("Segment display");
    setAccessibleName(m_defaultName);            // the fallback; panels name their displays
    setAttribute(Qt::WA_OpaquePaintEvent, true); // every pixel is painted; no erase
}

void CDigiStatic::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        const QString name = tr("Segment display");
        if (accessibleName() == m_defaultName)
            setAccessibleName(name);
        m_defaultName = name;
    }
    QLabel::changeEvent(event);
}

void CDigiStatic::SetDisplayText(const QByteArray& text) {
    if (text == m_text)
        return;
    m_text = text;
    m_rebuild = true;
    setAccessibleDescription(QString::fromLatin1(text == "?" ? this->text().toLatin1() : text));
    RequestRepaint();
}

void CDigiStatic::SetSegmentColours(const QColor& off, const QColor& on) {
    if (off == m_off && on == m_on)
        return;
    m_off = off;
    m_on = on;
    RequestRepaint();
}

void CDigiStatic::EnableTransparentBackground() {
    m_transparent = true;
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_TranslucentBackground, true);
    update();
}

void CDigiStatic::RequestRepaint() {
    ++m_repaintRequests;
    update();
}

void CDigiStatic::Rebuild() {
    const QByteArray text = m_text == "?" ? this->text().toLatin1() : m_text;
    m_cells = BuildCells(text.toUpper());
    m_rebuild = false;
}

QImage CDigiStatic::Render(const QImage* behind) {
    const int w = width(), h = height();
    QImage buffer(w, h, QImage::Format_ARGB32_Premultiplied);
    if (m_transparent)
        buffer.fill(Qt::transparent);
    else
        buffer.fill(m_background);
    if (behind && m_transparent) {
        QPainter under(&buffer);
        under.drawImage(0, 0, *behind);
    }
    if (m_rebuild)
        Rebuild();

    QPainter p(&buffer);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QBrush offBrush(m_off), onBrush(m_on);
    auto rgb = [](const QColor& c) { return SegmentRgb{c.red(), c.green(), c.blue()}; };
    auto colour = [](SegmentRgb c) { return QColor(c.red, c.green, c.blue); };
    const QPen offPen(colour(BlendPen(rgb(m_background), rgb(m_off))), 1);
    const QPen onPen(colour(BlendPen(rgb(m_background), rgb(m_on))), 1);
    const SegmentLayout layout = LayoutCells(m_cells, w, h);
    double x = layout.x0;
    for (const auto& cell : m_cells) {
        for (int i = 0; i < cell->SegmentCount(); ++i) {
            const bool lit = cell->IsLit(i);
            p.setBrush(lit ? onBrush : offBrush);
            p.setPen(lit ? onPen : offPen);
            QPolygon polygon;
            for (const auto& point : cell->Segments()[size_t(i)].points) {
                const auto [px, py] = MapPoint(point, layout.scale, x, layout.y0);
                polygon << QPoint(px, py);
            }
            p.drawPolygon(polygon); // closed back to its start, filled and outlined
        }
        x += cell->Width() * layout.scale;
    }
    return buffer;
}

void CDigiStatic::paintEvent(QPaintEvent*) {
    // Drawn off screen first and put on the screen in one copy: no flicker.
    const QImage picture = Render();
    QPainter p(this);
    p.drawImage(0, 0, picture);
}

} // namespace Korvane
