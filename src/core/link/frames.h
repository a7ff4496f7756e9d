#pragma once

#include <QByteArray>

#include <optional>
#include <span>

namespace Korvane {

// The serial write buffer holds at most this many bytes; a longer frame is never sent.
constexpr int kMaxOutgoingFrame = 1024;
// An incoming frame is accepted only up to this many characters, "$" and "#" included.
constexpr int kMaxIncomingFrame = 81;

// Number of comma-separated fields in a frame "$f1,f2,...#"; 0 when it is not delimited.
int FieldCount(const QByteArray& frame);

// Button commands of the basic robot cars; each one is a fixed 13-field frame.
enum class CarAction {
    Forward,
    Back,
    Left,
    Right,
    Stop,
    SpinLeft,
    SpinRight,
    Horn,
    SpeedUp,
    SlowDown,
    SecondRowLeft,
    SecondRowRight,
    Sing,
    Led,
    FireOut,
    SecondRowCentre,
};
constexpr int kCarActionCount = 16;

QByteArray CarButtonFrame(CarAction action);

// The driving key table shared by the serial car panels: keys give 10-field frames.
struct DrivingKey {
    int key; // Qt::Key value
    const char* frame;
    int state;
};

// A key table: the keys of one family of panels, their frames and key states.
using DrivingKeyTable = std::span<const DrivingKey>;
// The serial car panels' table.
DrivingKeyTable SerialCarKeys();
const DrivingKey* FindDrivingKey(int qtKey, DrivingKeyTable table = SerialCarKeys());

// Repeat suppression of the driving keys: a key sends its frame only when its state
// differs from the last key that sent one.
class CDrivingKeys {
  public:
    explicit CDrivingKeys(DrivingKeyTable table = SerialCarKeys()) : m_table(table) {}
    // The frame to send for this key press, if any; records the new state.
    std::optional<QByteArray> OnKeyDown(int qtKey);
    int LastKeyState() const { return m_lastKeyState; }

  private:
    DrivingKeyTable m_table;
    int m_lastKeyState = 0;
};

// Distance text of a basic car frame: the characters from index 23 up to the next ",".
// Returns nothing when the frame is too short or that field is missing or empty.
std::optional<QByteArray> DistanceFromFrame(const QByteArray& frame);

} // namespace Korvane
