#include "gui/widgets/picture_ex.h"

#include <QEvent>
#include <QFile>
#include <QPainter>

namespace Korvane {

CPictureEx::CPictureEx(QWidget* parent) : QWidget(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CPictureEx::OnFrameTimeout);
    m_defaultName = tr("Picture");
    setAccessibleName(m_defaultName); // the fallback; panels name their pictures
    UpdateAccessibleState();
}

void CPictureEx::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        const QString name = tr("Picture");
        if (accessibleName() == m_defaultName)
            setAccessibleName(name);
        m_defaultName = name;
        UpdateAccessibleState();
    }
    QWidget::changeEvent(event);
}

CPictureEx::~CPictureEx() {
    StopPlayback();
}

bool CPictureEx::LoadResourcePicture(int id) {
    return LoadResourcePicture(QStringLiteral(":/gif/%1").arg(id));
}

bool CPictureEx::LoadResourcePicture(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ClearPicture();
        return false;
    }
    return LoadPictureData(f.readAll());
}

bool CPictureEx::LoadPictureData(const QByteArray& data) {
    ClearPicture();
    const GifInfo info = WalkGif(data);
    if (!info.isGif) {
        m_still = QImage::fromData(data);
        if (m_still.isNull())
            return false;
        m_size = m_still.size();
    } else {
        if (info.frames.empty() || info.width <= 0 || info.height <= 0 || info.width > kMaxSide ||
            info.height > kMaxSide)
            return false;
        m_isGif = true;
        m_size = QSize(info.width, info.height);
        if (info.frames.size() == 1) {
            m_still = QImage::fromData(data, "GIF");
            if (m_still.isNull()) {
                ClearPicture();
                return false;
            }
        } else {
            const QRect screen(QPoint(0, 0), m_size);
            for (const GifFrameBlock& block : info.frames) {
                const QRect rect =
                    QRect(block.left, block.top, block.width, block.height).intersected(screen);
                if (rect.isEmpty())
                    continue;
                QImage image = QImage::fromData(StandaloneGifFrame(data, info, block), "GIF");
                if (image.isNull())
                    continue; // a frame that fails to decode is left out
                // The decoder may give the whole logical screen; keep the frame's own area.
                if (image.size() != rect.size())
                    image = image.copy(rect);
                m_frames.push_back({image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                                    rect, Korvane::FrameDelayMs(block), block.disposal});
            }
            if (m_frames.empty()) {
                ClearPicture();
                return false;
            }
        }
    }
    // The drawing surface, filled with the menu background until something is shown.
    setFixedSize(m_size);
    m_background = palette().color(QPalette::Button);
    m_surface = QImage(m_size, QImage::Format_ARGB32_Premultiplied);
    m_surface.fill(palette().color(QPalette::Window));
    m_initialised = true;
    update();
    return true;
}

void CPictureEx::StartPlayback() {
    if (!m_initialised)
        return;
    if (m_isGif && m_frames.size() > 1) {
        m_timer.stop();
        ApplyDisposal(m_frames[size_t(m_current)]); // resuming after a stop
        ShowCurrentFrame();
    } else {
        QPainter p(&m_surface);
        p.drawImage(QRect(QPoint(0, 0), m_size), m_still);
        update();
    }
    UpdateAccessibleState();
}

void CPictureEx::ShowCurrentFrame() {
    const Frame& frame = m_frames[size_t(m_current)];
    if (frame.disposal == 3)
        m_saved = m_surface.copy(frame.rect);
    {
        QPainter p(&m_surface);
        p.drawImage(frame.rect, frame.image);
    }
    update();
    m_timer.start(frame.delayMs);
    emit frameShown(m_current);
}

void CPictureEx::ApplyDisposal(const Frame& frame) {
    if (frame.disposal == 2) {
        QPainter p(&m_surface);
        p.fillRect(frame.rect, m_background);
    } else if (frame.disposal == 3 && !m_saved.isNull()) {
        QPainter p(&m_surface);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(frame.rect.topLeft(), m_saved);
        m_saved = QImage();
    }
}

void CPictureEx::OnFrameTimeout() {
    ApplyDisposal(m_frames[size_t(m_current)]);
    if (++m_current >= int(m_frames.size())) {
        m_current = 0;
        m_surface.fill(m_background); // a fresh start for frame 0
    }
    ShowCurrentFrame();
}

void CPictureEx::StopPlayback() {
    m_timer.stop();
    UpdateAccessibleState();
}

void CPictureEx::ClearPicture() {
    StopPlayback();
    m_frames.clear();
    m_still = QImage();
    m_saved = QImage();
    m_surface = QImage();
    m_size = QSize();
    m_isGif = false;
    m_initialised = false;
    m_current = 0;
    m_background = Qt::white;
    update();
}

int CPictureEx::FrameDelayMs(int frame) const {
    return frame >= 0 && frame < FrameCount() ? m_frames[size_t(frame)].delayMs : 0;
}

void CPictureEx::UpdateAccessibleState() {
    setAccessibleDescription(IsPlaying() ? tr("playing") : tr("stopped"));
}

void CPictureEx::paintEvent(QPaintEvent*) {
    if (m_surface.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
}

} // namespace Korvane
