#pragma once

#include "core/link/frame_log.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QTimer>

#include <deque>

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class QToolButton;

namespace Korvane {

// The frames of the monitor as a table: time since the link opened (ms), direction, link,
// frame. Rows arrive in batches; the oldest go when the log is full.
class CFrameMonitorModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { TimeColumn, DirectionColumn, LinkColumn, FrameColumn, ColumnCount };

    explicit CFrameMonitorModel(size_t capacity, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Append(const std::deque<TracedFrame>& frames);
    void Clear();
    const CFrameLog& Log() const { return m_log; }

  private:
    CFrameLog m_log;
};

// The frame monitor dock: every frame sent and received on every link, with pause, clear, a
// text filter, copy of the selected rows and "Save as...". It starts listening when it is
// first shown and never slows the links: frames are taken into a list and shown in batches.
class CFrameMonitor : public QDockWidget {
    Q_OBJECT
  public:
    static constexpr size_t kCapacity = 100000;
    static constexpr int kBatchMs = 100;

    explicit CFrameMonitor(QWidget* parent = nullptr, size_t capacity = kCapacity);
    ~CFrameMonitor() override;

    void SetPaused(bool paused);
    bool IsPaused() const { return m_paused; }
    void SetFilter(const QString& text);
    // Shows the frames taken since the last batch now (tests, and before saving).
    void Flush();
    void ClearFrames();
    // The rows listed now (after the filter), as lines of text.
    QStringList ListedRows() const;
    QString SelectedText() const;
    void CopySelection();
    // Writes the listed rows; false with a reason when the file cannot be written.
    bool SaveTo(const QString& path, QString* error);
    void SaveAs();
    // Frames the station itself had to drop (its queues were full), for the status line.
    void SetStationDropped(quint64 total);

    CFrameMonitorModel& Model() { return m_model; }
    QTableView* View() const { return m_view; }
    bool IsListening() const { return m_tap != 0; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OnFrame(const TracedFrame& frame);
    void UpdateStatus();

    CFrameMonitorModel m_model;
    QSortFilterProxyModel* m_proxy = nullptr;
    QTableView* m_view = nullptr;
    QLineEdit* m_filter = nullptr;
    QToolButton* m_pause = nullptr;
    QLabel* m_status = nullptr;
    std::deque<TracedFrame> m_pending; // taken, not yet shown
    quint64 m_pendingDropped = 0;      // dropped while paused with the list full
    QTimer m_batch;
    int m_tap = 0;
    bool m_paused = false;
    quint64 m_stationDropped = 0;
};

} // namespace Korvane
