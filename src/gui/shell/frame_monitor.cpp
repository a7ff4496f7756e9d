#include "gui/shell/frame_monitor.h"

#include "core/station/station.h"

#include "gui/common/message_seam.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Korvane {

CFrameMonitorModel::CFrameMonitorModel(size_t capacity, QObject* parent)
    : QAbstractTableModel(parent), m_log(capacity) {}

int CFrameMonitorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_log.Size());
}

int CFrameMonitorModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CFrameMonitorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_log.Size())
        return {};
    const CFrameLog::Row& row = m_log.At(size_t(index.row()));
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case TimeColumn:
            return row.timeMs;
        case DirectionColumn:
            return CFrameLog::DirectionText(row);
        case LinkColumn:
            return row.link;
        case FrameColumn:
            return row.text;
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() == TimeColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CFrameMonitorModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kHeaders[ColumnCount] = {QT_TR_NOOP("Time (ms)"), QT_TR_NOOP("Dir"),
                                                      QT_TR_NOOP("Link"), QT_TR_NOOP("Frame")};
    return section >= 0 && section < ColumnCount ? tr(kHeaders[section]) : QVariant();
}

void CFrameMonitorModel::Append(const std::deque<TracedFrame>& frames) {
    if (frames.empty())
        return;
    // Only the newest that fit are kept; the oldest rows make room first, in one step.
    const size_t cap = m_log.Capacity();
    const size_t incoming = std::min(frames.size(), cap);
    const size_t skipped = frames.size() - incoming;
    const size_t overflow = m_log.Size() + incoming > cap ? m_log.Size() + incoming - cap : 0;
    if (overflow > 0) {
        beginRemoveRows({}, 0, int(overflow) - 1);
        m_log.DropOldest(overflow);
        endRemoveRows();
    }
    const int first = int(m_log.Size());
    beginInsertRows({}, first, first + int(incoming) - 1);
    for (size_t i = skipped; i < frames.size(); ++i)
        m_log.Append(frames[i]);
    endInsertRows();
    m_log.CountDropped(skipped);
}

void CFrameMonitorModel::Clear() {
    beginResetModel();
    m_log.Clear();
    endResetModel();
}

CFrameMonitor::CFrameMonitor(QWidget* parent, size_t capacity)
    : QDockWidget(parent), m_model(capacity) {
    setObjectName(QStringLiteral("frameMonitor"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* tools = new QHBoxLayout;
    auto tool = [&] {
        auto* b = new QToolButton(body);
        tools->addWidget(b);
        return b;
    };
    m_pause = tool();
    m_pause->setCheckable(true);
    QToolButton* clear = m_clearButton = tool();
    QToolButton* copy = m_copyButton = tool();
    QToolButton* save = m_saveButton = tool();
    m_filterCaption = new QLabel(body);
    m_filter = new QLineEdit(body);
    m_filterCaption->setBuddy(m_filter);
    m_filter->setClearButtonEnabled(true);
    tools->addWidget(m_filterCaption);
    tools->addWidget(m_filter, 1);
    layout->addLayout(tools);

    m_proxy = new CFrameFilterProxy(&m_model, this);
    m_view = new QTableView(body);
    m_view->setModel(m_proxy);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    // Fixed row heights: the view never measures 100 000 rows.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_view, 1);
    m_status = new QLabel(body);
    m_status->setTextFormat(Qt::PlainText);
    layout->addWidget(m_status);
    setWidget(body);
    RetranslateUi();

    connect(m_pause, &QToolButton::toggled, this, &CFrameMonitor::SetPaused);
    connect(clear, &QToolButton::clicked, this, &CFrameMonitor::ClearFrames);
    connect(copy, &QToolButton::clicked, this, &CFrameMonitor::CopySelection);
    connect(save, &QToolButton::clicked, this, &CFrameMonitor::SaveAs);
    // Typing filters once the keys pause (a fast typist does not filter 100 000 rows per key).
    m_filterDelay.setSingleShot(true);
    m_filterDelay.setInterval(kFilterDelayMs);
    connect(m_filter, &QLineEdit::textChanged, &m_filterDelay, qOverload<>(&QTimer::start));
    connect(&m_filterDelay, &QTimer::timeout, this, [this] { ApplyFilter(m_filter->text()); });
    m_batch.setInterval(kBatchMs);
    connect(&m_batch, &QTimer::timeout, this, &CFrameMonitor::FlushSlice);
    UpdateStatus();
}

CFrameMonitor::~CFrameMonitor() = default;

void CFrameMonitor::Watch(CStation* station) {
    m_station = station;
    m_model.SetClockZero(station->StartNs());
}

void CFrameMonitor::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    if (!m_listening && m_station) { // listens from the first showing on
        m_listening = true;
        connect(m_station, &CStation::frameTraced, this, &CFrameMonitor::Take);
        m_batch.start();
    }
}

void CFrameMonitor::Take(const TracedFrame& frame) {
    // Taken at once, shown with the next batch. While paused they wait, at most a full list.
    if (m_pending.size() >= m_model.Log().Capacity()) {
        m_pending.pop_front();
        ++m_pendingDropped;
    }
    m_pending.push_back(frame);
}

void CFrameMonitor::Flush() {
    while (!m_paused && !m_pending.empty())
        AppendPending(m_pending.size());
}

void CFrameMonitor::FlushSlice() {
    if (m_paused || m_pending.empty())
        return;
    // At most a slice at a time, so that a long pause's frames come in without stalling the
    // window; the rest follow on the next turns of the event loop.
    AppendPending(kSlice);
    if (!m_pending.empty())
        QTimer::singleShot(0, this, &CFrameMonitor::FlushSlice);
}

void CFrameMonitor::AppendPending(size_t most) {
    const bool atEnd = m_view->verticalScrollBar() && m_view->verticalScrollBar()->value() ==
                                                          m_view->verticalScrollBar()->maximum();
    const size_t n = std::min(most, m_pending.size());
    if (n == m_pending.size()) {
        m_model.Append(m_pending);
        m_pending.clear();
    } else {
        const std::deque<TracedFrame> slice(m_pending.begin(), m_pending.begin() + qsizetype(n));
        m_pending.erase(m_pending.begin(), m_pending.begin() + qsizetype(n));
        m_model.Append(slice);
    }
    if (atEnd)
        m_view->scrollToBottom(); // follows the newest unless the user scrolled back
    UpdateStatus();
}

void CFrameMonitor::RetranslateUi() {
    setWindowTitle(tr("Frame monitor"));
    // The View menu's entry for the dock (its title would give it no access key).
    toggleViewAction()->setText(tr("Frame monitor(&M)"));
    const struct {
        QToolButton* button;
        QString text;
        QString description;
    } tools[] = {
        {m_pause, tr("Pause"), tr("Stop the list while frames keep being taken")},
        {m_clearButton, tr("Clear"), tr("Empty the list")},
        {m_copyButton, tr("Copy"), tr("Copy the selected rows")},
        {m_saveButton, tr("Save as..."), tr("Write the listed rows to a text file")},
    };
    for (const auto& t : tools) {
        t.button->setText(t.text);
        t.button->setAccessibleDescription(t.description);
    }
    m_filterCaption->setText(tr("Filter:"));
    m_view->setAccessibleName(tr("Frames"));
    m_status->setAccessibleDescription(tr("Frames listed and dropped"));
    m_model.headerDataChanged(Qt::Horizontal, 0, CFrameMonitorModel::ColumnCount - 1);
    UpdateStatus();
}

void CFrameMonitor::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDockWidget::changeEvent(event);
}

void CFrameMonitor::SetPaused(bool paused) {
    if (m_paused == paused)
        return; // also the button's own toggle, when the call came from here
    m_paused = paused;
    if (m_pause->isChecked() != paused)
        m_pause->setChecked(paused);
    if (!paused)
        FlushSlice();
    UpdateStatus();
}

void CFrameMonitor::SetFilter(const QString& text) {
    if (m_filter->text() != text)
        m_filter->setText(text);
    m_filterDelay.stop();
    ApplyFilter(text);
}

void CFrameMonitor::ApplyFilter(const QString& text) {
    m_proxy->SetText(text);
    UpdateStatus();
}

CFrameFilterProxy::CFrameFilterProxy(const CFrameMonitorModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), m_model(model) {
    setSourceModel(const_cast<CFrameMonitorModel*>(model));
}

void CFrameFilterProxy::SetText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    // Rebuilt in one go: a filter that drops every other row would otherwise be told to the
    // view as tens of thousands of removed ranges.
    invalidate();
}

bool CFrameFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    // Straight from the log, without a QVariant per cell: the frame, the link and the
    // direction, ignoring case.
    if (m_text.isEmpty())
        return true;
    const CFrameLog::Row& row = m_model->Log().At(size_t(sourceRow));
    return row.text.contains(m_text, Qt::CaseInsensitive) ||
           row.link.contains(m_text, Qt::CaseInsensitive) ||
           QLatin1String(row.direction == TraceDirection::Sent ? "TX" : "RX")
               .contains(m_text, Qt::CaseInsensitive);
}

void CFrameMonitor::ClearFrames() {
    m_pending.clear();
    m_model.Clear();
    UpdateStatus();
}

QStringList CFrameMonitor::ListedRows() const {
    QStringList rows;
    rows.reserve(m_proxy->rowCount());
    for (int r = 0; r < m_proxy->rowCount(); ++r)
        rows << CFrameLog::RowText(
            m_model.Log().At(size_t(m_proxy->mapToSource(m_proxy->index(r, 0)).row())));
    return rows;
}

QString CFrameMonitor::SelectedText() const {
    QList<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        rows << m_proxy->mapToSource(index).row();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (int r : rows)
        lines << CFrameLog::RowText(m_model.Log().At(size_t(r)));
    return lines.join(QLatin1Char('\n'));
}

void CFrameMonitor::CopySelection() {
    const QString text = SelectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

bool CFrameMonitor::SaveTo(const QString& path, QString* error) {
    Flush();
    QSaveFile file(path); // all or nothing: a failed save leaves no half file behind
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    for (const QString& row : ListedRows())
        file.write(row.toUtf8() + '\n');
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void CFrameMonitor::SaveAs() {
    AskSaveFile(this, tr("Save frames"), tr("Text files (*.txt);;All files (*)"), QString(),
                [this](const QString& path) {
                    QString error;
                    if (!path.isEmpty() && !SaveTo(path, &error))
                        ShowMessage(tr("The frames could not be saved to %1: %2").arg(path, error),
                                    this, MessageIcon::Warning);
                });
}

void CFrameMonitor::SetStationDropped(quint64 total) {
    m_stationDropped = total;
    UpdateStatus();
}

void CFrameMonitor::UpdateStatus() {
    QString text = tr("%1 frames listed").arg(m_proxy->rowCount());
    if (m_proxy->rowCount() != m_model.rowCount())
        text += tr(" (of %1)").arg(m_model.rowCount());
    const quint64 dropped = m_model.Log().Dropped() + m_pendingDropped;
    text += tr("; %1 older frames dropped from the list (it keeps %2)")
                .arg(dropped)
                .arg(m_model.Log().Capacity());
    if (m_stationDropped > 0)
        text += tr("; %1 frames dropped by the station").arg(m_stationDropped);
    if (m_paused)
        text += tr("; paused, %1 waiting").arg(m_pending.size());
    if (m_status->text() != text)
        m_status->setText(text);
}

} // namespace Korvane
