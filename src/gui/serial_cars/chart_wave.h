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

    // The time axis: samples 0 to length - 1, of which first..last are in view. The wheel
    // zooms around the pointer; Fit shows them all again.
    void SetDataLength(int length);
    int DataLength() const { return m_length; }
    int ViewFirst() const { return m_first; }
    int ViewLast() const { return m_last; }
    bool IsFitted() const { return m_first == 0 && m_last == m_length - 1; }
    void ZoomAt(double factor, double sample);
    void Fit();
    // Pixel columns of the plot area (what a series is reduced to).
    int PlotColumns() const;

  signals:
    // The samples in view changed (zoom, fit, a new length).
    void viewChanged();
    // The pointer is over sample index (-1: it left the plot).
    void pointerAt(int sample);

  protected:
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    double m_wheelNotches = 0; // parts of a notch not yet turned into a zoom
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void RetranslateUi();
    QList<QLineSeries*> m_series;
    QValueAxis* m_x = nullptr;
    QValueAxis* m_y = nullptr;
    int m_refreshes = 0;
    int m_length = 500;
    int m_first = 0;
    int m_last = 499;
};

} // namespace Korvane
