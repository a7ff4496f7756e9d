#pragma once

#include <QChartView>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QValueAxis>

namespace Korvane {

// The balance car's waveform chart: three line series (gyroscope, acceleration, battery
// voltage) on axes that scale to the data.
class CTchart_wave : public QChartView {
    Q_OBJECT
  public:
    explicit CTchart_wave(QWidget* parent = nullptr);

    int SeriesCount() const;
    QLineSeries* Series(int index) const;
    void ClearPoints(int index);
    // Replaces all points of a series in one call (one redraw, not one per point).
    void SetPoints(int index, const QList<QPointF>& points);
    // Fits both axes to the points of all series.
    void RescaleAxes();

    int Refreshes() const { return m_refreshes; }
    void CountRefresh() { ++m_refreshes; }

  private:
    QList<QLineSeries*> m_series;
    QValueAxis* m_x = nullptr;
    QValueAxis* m_y = nullptr;
    int m_refreshes = 0;
};

} // namespace Korvane
