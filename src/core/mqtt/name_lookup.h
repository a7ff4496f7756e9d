#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

#include <vector>

namespace Korvane {

// One look-up of a host name, asked of the system's resolver by a child process of its own
// ("getent ahosts"): a name server that never answers holds only that process, which the
// look-up kills and reaps when it is dropped. Nothing outlives the object, so a stop or a
// quit never waits for a resolver. Driven from any one thread: poll Fd() for reading, then
// call Read().
class CNameLookup {
  public:
    enum class Result { Asking, Found, NotFound };

    explicit CNameLookup(const QByteArray& name);
    ~CNameLookup();
    CNameLookup(const CNameLookup&) = delete;
    CNameLookup& operator=(const CNameLookup&) = delete;

    // The end of the pipe the answer comes on (-1 once the answer is in).
    int Fd() const { return m_fd; }
    // Takes what the resolver has said so far; Found or NotFound once it has finished.
    Result Read();
    Result Current() const { return m_result; }
    // The addresses found, numeric, each once, in the resolver's order.
    const std::vector<QByteArray>& Addresses() const { return m_addresses; }
    // Why nothing was found, in the resolver's words.
    QString Reason() const { return m_reason; }

  private:
    void Finish();

    pid_t m_pid = -1;
    int m_fd = -1;
    QByteArray m_output;
    std::vector<QByteArray> m_addresses;
    QString m_reason;
    Result m_result = Result::Asking;
};

} // namespace Korvane
