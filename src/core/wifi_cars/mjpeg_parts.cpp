#include "core/wifi_cars/mjpeg_parts.h"

namespace Korvane {

namespace {

// The Content-Length of a part's headers (lowercase), -1 when none is given, -2 when it is not
// a number.
qint64 ContentLength(const QByteArray& headers) {
    for (const QByteArray& line : headers.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.startsWith("content-length:"))
            continue;
        bool ok = false;
        const qint64 length = trimmed.mid(15).trimmed().toLongLong(&ok);
        return ok && length >= 0 ? length : -2;
    }
    return -1;
}

} // namespace

CMjpegSplitter::CMjpegSplitter(qint64 maxPicture) : m_maxPicture(maxPicture) {}

QByteArray CMjpegSplitter::BoundaryOf(const QByteArray& contentType) {
    const QByteArray lower = contentType.toLower();
    const qsizetype at = lower.indexOf("boundary=");
    if (at < 0)
        return {};
    QByteArray boundary = contentType.mid(at + 9);
    const qsizetype end = boundary.indexOf(';');
    if (end >= 0)
        boundary.truncate(end);
    boundary = boundary.trimmed();
    if (boundary.size() >= 2 && boundary.startsWith('"') && boundary.endsWith('"'))
        boundary = boundary.mid(1, boundary.size() - 2);
    while (boundary.startsWith('-')) // some servers repeat the dashes of the boundary line
        boundary.remove(0, 1);
    // A boundary is at most 70 characters; a longer one is no boundary, and the pictures are
    // then told apart by their end markers.
    return boundary.size() <= 70 ? boundary : QByteArray();
}

void CMjpegSplitter::Reset(const QByteArray& boundary) {
    m_boundary = boundary.isEmpty() ? QByteArray() : "\r\n--" + boundary;
    m_buffer.clear();
    m_searched = 0;
    m_status = Status::Ok;
}

CMjpegSplitter::Status CMjpegSplitter::Fail(Status status) {
    m_status = status;
    m_buffer.clear();
    m_buffer.squeeze();
    return status;
}

CMjpegSplitter::Status CMjpegSplitter::Feed(QByteArrayView bytes, QList<QByteArray>& pictures) {
    if (m_status != Status::Ok)
        return m_status;
    m_buffer.append(bytes);
    while (m_status == Status::Ok && TakeOne(pictures)) {
    }
    return m_status;
}

bool CMjpegSplitter::TakeOne(QList<QByteArray>& pictures) {
    // The headers end at the first blank line; a picture that starts before it has none. Both
    // are looked for only where headers can be, so a picture coming slowly is not searched again
    // and again.
    const QByteArrayView head =
        QByteArrayView(m_buffer).first(std::min(m_buffer.size(), kMaxHeaders + 4));
    const qsizetype headersEnd = head.indexOf("\r\n\r\n");
    const qsizetype start =
        head.first(headersEnd < 0 ? head.size() : headersEnd).indexOf("\xFF\xD8");
    qsizetype from = -1;
    qint64 length = -1;
    if (start >= 0) {
        from = start;
    } else if (headersEnd >= 0) {
        from = headersEnd + 4;
        length = ContentLength(m_buffer.left(headersEnd).toLower());
        if (length == -2 || length == 0) {
            Fail(Status::Malformed);
            return false;
        }
        if (length > m_maxPicture) {
            Fail(Status::TooLarge);
            return false;
        }
    } else {
        if (m_buffer.size() > kMaxHeaders)
            Fail(Status::Malformed);
        return false;
    }
    qsizetype next = -1;
    QByteArray picture;
    if (length > 0) {
        if (m_buffer.size() - from < length)
            return false; // the rest of this picture is still coming
        picture = m_buffer.mid(from, length);
        next = from + length;
    } else {
        // Without a length: up to the next boundary, or else just past the end marker.
        const QByteArrayView end =
            m_boundary.isEmpty() ? QByteArrayView("\xFF\xD9", 2) : QByteArrayView(m_boundary);
        const qsizetype searchFrom = std::max(from, m_searched - end.size() + 1);
        const qsizetype at = m_buffer.indexOf(end, searchFrom);
        if (at < 0) {
            m_searched = m_buffer.size();
            // Beyond the cap even if the end marker's first bytes are already in.
            if (m_buffer.size() - from > m_maxPicture + end.size())
                Fail(Status::TooLarge);
            return false;
        }
        const qsizetype pictureEnd = m_boundary.isEmpty() ? at + 2 : at;
        if (pictureEnd - from > m_maxPicture) {
            Fail(Status::TooLarge);
            return false;
        }
        picture = m_buffer.mid(from, pictureEnd - from);
        next = pictureEnd;
    }
    m_buffer.remove(0, next);
    m_searched = 0;
    if (!picture.isEmpty()) // a boundary right after the headers: a part with nothing in it
        pictures.append(std::move(picture));
    return true;
}

} // namespace Korvane
