#pragma once

#include "core/display/gif_walker.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace Korvane {

// Shows a picture from the resources; an animated GIF plays its frames on a UI-thread timer.
class CPictureEx : public QWidget {
    Q_OBJECT
  public:
    // Pictures larger than this on either side are refused (damaged or hostile data).
    static constexpr int kMaxSide = 4096;

    explicit CPictureEx(QWidget* parent = nullptr);
    ~CPictureEx() override;

    // A picture of the resources by id (":/gif/<id>"), or by resource path.
    bool LoadResourcePicture(int id);
    bool LoadResourcePicture(const QString& path);
    bool LoadPictureData(const QByteArray& data);
    void StartPlayback();
    // Stops the animation at once; the frame on screen stays.
    void StopPlayback();
    void ClearPicture();

    bool IsGif() const { return m_isGif; }
    bool IsPlaying() const { return m_timer.isActive(); }
    int FrameCount() const { return int(m_frames.size()); }
    int CurrentFrame() const { return m_current; }
    int FrameDelayMs(int frame) const;
    // The delay of the frame now on screen, while playing.
    int CurrentDelayMs() const { return m_timer.interval(); }
    QSize PictureSize() const { return m_size; }
    const QImage& Surface() const { return m_surface; }
    QColor BackgroundColour() const { return m_background; }

  signals:
    void frameShown(int index);

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_defaultName;
    struct Frame {
        QImage image;
        QRect rect; // offset and size on the picture
        int delayMs = 100;
        int disposal = 0;
    };

    void ShowCurrentFrame();
    void OnFrameTimeout();
    void ApplyDisposal(const Frame& frame);
    void UpdateAccessibleState();

    QSize m_size;
    QColor m_background{Qt::white};
    bool m_isGif = false;
    bool m_initialised = false;
    int m_current = 0;
    QImage m_surface;
    QImage m_saved; // area under a frame with disposal method 3
    QImage m_still;
    std::vector<Frame> m_frames;
    QTimer m_timer;
};

} // namespace Korvane
