#pragma once

#include "core/link/frame_log.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QSortFilterProxyModel>
#include <QTimer>

#include <deque>

#include <QPointer>

class QLabel;
class QLineEdit;
class QTableView;
class QToolButton;

namespace Korvane {

class CStation;

// The frames of the monitor as a table: time on the station's clock (ms), direction, link,
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
    // ArrivalClockNs of time 0 in the time column.
    void SetClockZero(qint64 ns) { m_log.SetClockZero(ns); }

  private:
    CFrameLog m_log;
};

// The rows whose frame, link or direction contain the filter text (any case).
class CFrameFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    CFrameFilterProxy(const CFrameMonitorModel* model, QObject* parent);
    void SetText(const QString& text);
    QString Text() const { return m_text; }

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    const CFrameMonitorModel* m_model;
    QString m_text;
};

// The frame monitor dock: every frame sent and received on every link, with pause, clear, a
// text filter, copy of the selected rows and "Save as...". It starts listening when it is
// first shown and never slows the links: frames are taken into a list and shown in batches.
class CFrameMonitor : public QDockWidget {
    Q_OBJECT
  public:
    static constexpr size_t kCapacity = 100000;
    static constexpr int kBatchMs = 100;
    // The pause after a keystroke in the filter before the list is filtered.
    static constexpr int kFilterDelayMs = 15;
    // Rows appended per turn of the event loop when many wait (after a long pause).
    static constexpr size_t kSlice = 2000;

    explicit CFrameMonitor(QWidget* parent = nullptr, size_t capacity = kCapacity);
    ~CFrameMonitor() override;

    void SetPaused(bool paused);
    bool IsPaused() const { return m_paused; }
    // Filters the list at once (a keystroke in the filter field waits kFilterDelayMs first).
    void SetFilter(const QString& text);
    // Takes one frame of a link (the monitor's tap calls it; shown with the next batch).
    void Take(const TracedFrame& frame);
    // Shows every frame taken since the last batch now (tests, and before saving).
    void Flush();
    size_t Waiting() const { return m_pending.size(); }
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
    bool IsListening() const { return m_listening; }
    // The station whose frames the monitor lists (its window's), from its first showing on;
    // times are milliseconds since the station began.
    void Watch(CStation* station);

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void RetranslateUi();
    void FlushSlice();
    void AppendPending(size_t most);
    void ApplyFilter(const QString& text);
    void UpdateStatus();

    CFrameMonitorModel m_model;
    CFrameFilterProxy* m_proxy = nullptr;
    QTableView* m_view = nullptr;
    QLineEdit* m_filter = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_clearButton = nullptr;
    QToolButton* m_copyButton = nullptr;
    QToolButton* m_saveButton = nullptr;
    QLabel* m_filterCaption = nullptr;
    QLabel* m_status = nullptr;
    std::deque<TracedFrame> m_pending; // taken, not yet shown
    quint64 m_pendingDropped = 0;      // dropped while paused with the list full
    QTimer m_batch;
    QTimer m_filterDelay;
    QPointer<CStation> m_station;
    bool m_listening = false;
    bool m_paused = false;
    quint64 m_stationDropped = 0;
};

} // namespace Korvane
