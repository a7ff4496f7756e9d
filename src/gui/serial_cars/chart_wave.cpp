#include "gui/serial_cars/chart_wave.h"

#include "core/serial_cars/balance_model.h"

#include <QChart>
#include <QEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Korvane {

namespace {

const char* const kSeriesTitles[] = {QT_TRANSLATE_NOOP("Korvane::CTchart_wave", "Gyroscope"),
                                     QT_TRANSLATE_NOOP("Korvane::CTchart_wave", "Acceleration"),
                                     QT_TRANSLATE_NOOP("Korvane::CTchart_wave", "Battery voltage")};

} // namespace

CTchart_wave::CTchart_wave(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setTitleBrush(QColor(0, 255, 0));
    chart->setMargins(QMargins(2, 15, 2, 3));
    chart->setBackgroundBrush(QColor(24, 24, 24));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setLabelColor(Qt::white);
    struct SeriesLook {
        const char* title;
        QColor colour;
        int width;
    };
    const SeriesLook looks[] = {{kSeriesTitles[0], QColor(255, 0, 0), 2},
                                {kSeriesTitles[1], QColor(0, 255, 64), 2},
                                {kSeriesTitles[2], QColor(0, 128, 0), 1}};
    m_x = new QValueAxis(chart);
    m_y = new QValueAxis(chart);
    for (QValueAxis* axis : {m_x, m_y}) {
        axis->setLabelsColor(Qt::lightGray);
        axis->setGridLineColor(QColor(70, 70, 70));
    }
    m_x->setTitleText(QStringLiteral("X"));
    m_y->setTitleText(QStringLiteral("Y"));
    m_x->setRange(0, 499);
    m_x->setTickType(QValueAxis::TicksDynamic);
    m_x->setTickAnchor(0);
    m_x->setTickInterval(100);
    m_x->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);
    for (const SeriesLook& look : looks) {
        auto* s = new QLineSeries(chart);
        QPen pen(look.colour);
        pen.setWidth(look.width);
        s->setPen(pen);
        s->setPointsVisible(false);
        s->setUseOpenGL(false);
        chart->addSeries(s);
        s->attachAxis(m_x);
        s->attachAxis(m_y);
        m_series << s;
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, false);
    viewport()->setMouseTracking(true); // the readout follows the pointer
    RetranslateUi();
}

void CTchart_wave::RetranslateUi() {
    chart()->setTitle(tr("Wave shape display"));
    for (int i = 0; i < m_series.size(); ++i)
        m_series[i]->setName(tr(kSeriesTitles[i]));
    setAccessibleName(tr("Waveform chart"));
}

void CTchart_wave::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QChartView::changeEvent(event);
}

int CTchart_wave::SeriesCount() const {
    return int(m_series.size());
}

QLineSeries* CTchart_wave::Series(int index) const {
    return m_series.value(index);
}

void CTchart_wave::ClearPoints(int index) {
    if (QLineSeries* s = Series(index))
        s->clear();
}

void CTchart_wave::SetPoints(int index, const QList<QPointF>& points) {
    if (QLineSeries* s = Series(index))
        s->replace(points);
}

void CTchart_wave::RescaleAxes() {
    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    double xHi = 0;
    for (QLineSeries* s : m_series) {
        const QList<QPointF> pts = s->points();
        for (const QPointF& p : pts) {
            lo = std::min(lo, p.y());
            hi = std::max(hi, p.y());
            xHi = std::max(xHi, p.x());
        }
    }
    if (lo > hi)
        return; // nothing plotted
    const auto [niceLo, niceHi] = FitAxisRange(lo, hi);
    if (niceLo != m_y->min() || niceHi != m_y->max())
        m_y->setRange(niceLo, niceHi);
    Q_UNUSED(xHi);
    // The time axis shows the samples in view, with ticks at round steps.
    const double span = std::max(1, m_last - m_first);
    if (m_x->min() != m_first || m_x->max() != m_first + span) {
        m_x->setRange(m_first, m_first + span);
        const double tick = std::pow(10.0, std::floor(std::log10(span / 2)));
        m_x->setTickInterval(span / tick > 10 ? tick * 2 : tick);
    }
}

void CTchart_wave::SetDataLength(int length) {
    length = std::max(1, length);
    const bool fitted = IsFitted();
    m_length = length;
    if (fitted || m_last >= length) {
        m_first = 0;
        m_last = length - 1;
    }
    emit viewChanged();
}

void CTchart_wave::ZoomAt(double factor, double sample) {
    // The sample under the pointer stays where it is; at least 10 samples stay in view.
    const double first = sample - (sample - m_first) * factor;
    const double last = sample + (m_last - sample) * factor;
    int newFirst = int(std::floor(std::max(0.0, first)));
    int newLast = int(std::ceil(std::min(double(m_length - 1), last)));
    if (newLast - newFirst < 10) {
        const int mid = (newFirst + newLast) / 2;
        newFirst = std::max(0, mid - 5);
        newLast = std::min(m_length - 1, newFirst + 10);
    }
    if (newFirst == m_first && newLast == m_last)
        return;
    m_first = newFirst;
    m_last = newLast;
    emit viewChanged();
}

void CTchart_wave::Fit() {
    if (IsFitted())
        return;
    m_first = 0;
    m_last = m_length - 1;
    emit viewChanged();
}

int CTchart_wave::PlotColumns() const {
    return std::max(1, int(chart()->plotArea().width()));
}

void CTchart_wave::wheelEvent(QWheelEvent* event) {
    const double sample = chart()->mapToValue(event->position()).x();
    // Notches of a wheel (120 units each); smooth wheels and touchpads send parts of one, and
    // touchpads sometimes only pixels (taken as 60 pixels a notch). Parts add up until they move
    // the view.
    const int angle = event->angleDelta().y();
    const double notches = angle != 0 ? angle / 120.0 : event->pixelDelta().y() / 60.0;
    event->accept();
    if (notches == 0)
        return;
    m_wheelNotches += notches;
    const int first = m_first, last = m_last;
    ZoomAt(std::pow(0.8, m_wheelNotches), std::clamp(sample, double(m_first), double(m_last)));
    if (m_first != first || m_last != last || std::abs(m_wheelNotches) > 8)
        m_wheelNotches = 0;
}

void CTchart_wave::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    if (!chart()->plotArea().adjusted(-2, -2, 2, 2).contains(event->position())) {
        emit pointerAt(-1);
        return;
    }
    // The nearest sample in view (the plot's edges round to its first and last sample).
    const long sample = std::lround(chart()->mapToValue(event->position()).x());
    emit pointerAt(int(std::clamp<long>(sample, m_first, m_last)));
}

void CTchart_wave::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    emit pointerAt(-1);
}

} // namespace Korvane
