#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace Korvane {

// Cuts the pictures out of an MJPEG stream (multipart/x-mixed-replace) as its bytes come.
// Each part: the boundary line, headers, a blank line, the picture. The picture is as long as
// the part's Content-Length says; without one it runs to the next boundary, or, when the answer
// named no boundary, to the picture's end marker. A part without headers (a picture right
// after the boundary line) is taken from its start marker. What is held is bounded: headers by
// kMaxHeaders, a picture by the cap; beyond either the stream is refused for good.
class CMjpegSplitter {
  public:
    enum class Status { Ok, TooLarge, Malformed };

    explicit CMjpegSplitter(qint64 maxPicture = 8 * 1024 * 1024);

    // The boundary named in the answer's Content-Type ("multipart/x-mixed-replace;
    // boundary=frame"), without leading dashes or quotes; empty when there is none.
    static QByteArray BoundaryOf(const QByteArray& contentType);

    // Starts a new stream with the given boundary (may be empty).
    void Reset(const QByteArray& boundary = {});
    // Takes the next bytes; appends the pictures they complete, in order.
    Status Feed(QByteArrayView bytes, QList<QByteArray>& pictures);
    Status State() const { return m_status; }
    qsizetype Buffered() const { return m_buffer.size(); }

    static constexpr qsizetype kMaxHeaders = 16 * 1024;

  private:
    // Cuts one picture from the front of the buffer; false when more bytes are needed.
    bool TakeOne(QList<QByteArray>& pictures);
    Status Fail(Status status);

    qint64 m_maxPicture;
    QByteArray m_boundary; // "\r\n--" followed by the boundary, or empty
    QByteArray m_buffer;
    qsizetype m_searched = 0; // bytes of the buffer already searched for the current part's end
    Status m_status = Status::Ok;
};

} // namespace Korvane
