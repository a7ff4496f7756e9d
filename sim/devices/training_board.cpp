#include "training_board.h"

#include "core/boards/board_text.h"

#include <QTimer>

#include <cmath>

namespace KorvaneSim {

namespace {

// The remote control's keys and the byte each sends (NEC codes of the usual 21-key remote).
const struct {
    const char* name;
    int byte;
} kRemote[] = {{"POWERON", 0x45}, {"MENU", 0x47}, {"TEST", 0x44}, {"+", 0x40}, {"BACK", 0x43},
               {"LAST", 0x07},    {"PLAY", 0x15}, {"NEXT", 0x09}, {"0", 0x16}, {"-", 0x19},
               {"C", 0x0D},       {"1", 0x0C},    {"2", 0x18},    {"3", 0x5E}, {"4", 0x08},
               {"5", 0x1C},       {"6", 0x5A},    {"7", 0x42},    {"8", 0x52}, {"9", 0x4A}};

// The readings, sent one per tick in this order. Raw values are the 8-bit AD converter's
// 0 to 255; the board converts them itself:
//   GMS light       raw, lux = raw * 1000 / 255
//   RMS thermistor  raw, degrees = raw * 100 / 255 (one decimal)
//   VMS, SW1, SW2   raw, mV = raw * 5000 / 255
//   CSB ultrasonic  distance in cm (two decimals); TMS DS18B20 degrees (one decimal);
//   PHW motion and VCS sound: 1 while something is there, else 0.
const char* const kReadings[] = {"GMS", "RMS", "VMS", "SW1", "SW2", "CSB", "TMS", "PHW", "VCS"};
constexpr int kReadingCount = 9;

// The Arduino kits' readings, in turn. Their AD converter gives 0 to 1023:
//   GMS light       raw, lux = raw * 1000 / 1023
//   RMS thermistor  raw, degrees = raw * 100 / 1023 (one decimal)
//   VMS voltage     raw, mV = raw * 5000 / 1023
//   YWS smoke       raw, concentration in ppm = raw * 10000 / 1023 (sent without a unit)
//   CSB, TMS as on the 8051 boards; SHT the DHT11's temperature and humidity ("SHT25,60");
//   PHW, VCS events; TCH the touch switch and its reading ("TCH1,623"); ICL the tilt switch;
//   JOY the joystick: direction 0 (rest) to 9 (pressed), X, Y 0 to 1023, Z 1 while pressed.
const char* const kKitReadings[] = {"GMS", "RMS", "VMS", "YWS", "CSB", "TMS",
                                    "SHT", "PHW", "VCS", "TCH", "ICL", "JOY"};
constexpr int kKitReadingCount = 12;

int Reverse8(int v) {
    int r = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (v & (1 << bit))
            r |= 1 << (7 - bit);
    return r;
}

QByteArray Hex2(int v) {
    return QByteArray::number(v & 0xFF, 16).toUpper().rightJustified(2, '0');
}

bool AllDigits(const QByteArray& text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.isEmpty();
}

bool AllHex(const QByteArray& text) {
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return !text.isEmpty();
}

} // namespace

TrainingBoard::TrainingBoard(QByteArray family) : m_family(std::move(family)) {
    m_keyTimer.setInterval(150); // a finger on the keypad
    connect(&m_keyTimer, &QTimer::timeout, this, &TrainingBoard::TypeNextKey);
}

void TrainingBoard::Bad(const QByteArray& frame, const QString& why) {
    ++m_bad;
    Log(QStringLiteral("bad %1 %2").arg(Korvane::FromGbk(frame), why));
}

void TrainingBoard::OnRawBytes(const QByteArray& bytes) {
    // What the serial assistant typed arrives without "$" and "#": keep what lies outside.
    for (char c : bytes) {
        if (!m_inFrame && c == '$')
            m_inFrame = true;
        else if (m_inFrame && c == '#')
            m_inFrame = false;
        else if (!m_inFrame)
            m_assistant += c;
    }
    if (!m_assistant.isEmpty() && !m_inFrame) {
        Log(QStringLiteral("assistant %1").arg(Korvane::FromGbk(m_assistant)));
        m_assistant.clear();
    }
}

void TrainingBoard::OnFrame(const QByteArray& frame) {
    const QByteArray head = "$" + m_family + ",";
    if (!frame.startsWith(head) || !frame.endsWith('#') || frame.count('#') != 1) {
        Bad(frame, QStringLiteral("not a %1 frame").arg(QString::fromLatin1(m_family)));
        return;
    }
    const QByteArray body = frame.mid(head.size(), frame.size() - head.size() - 1);
    if (body.startsWith("LED"))
        OnLed(frame, body);
    else if (body.startsWith("SMT")) {
        static const QMap<QByteArray, int> kStepper = {
            {"SMT10", 1}, {"SMT00", 0}, {"SMT20", 2}, {"SMT31", 3}, {"SMT32", 4}};
        const int what = kStepper.value(body, -1);
        if (what < 0)
            return Bad(frame, QStringLiteral("unknown stepper command"));
        if (what <= 2)
            m_stepper = what;
        else
            m_stepperSpeed = std::clamp(m_stepperSpeed + (what == 3 ? 1 : -1), 1, 10);
        static const char* const kState[] = {"stopped", "forward", "backward"};
        Log(QStringLiteral("stepper %1 speed %2").arg(kState[m_stepper]).arg(m_stepperSpeed));
    } else if (body == "BEEP") {
        Log(QStringLiteral("buzzer beep %1").arg(++m_beeps));
    } else if (body.startsWith("FAN")) {
        const QByteArray n = body.mid(3);
        if (n.size() != 1 || n[0] < '0' || n[0] > '3')
            return Bad(frame, QStringLiteral("unknown fan command"));
        if (n == "0")
            m_fan = 0;
        else if (n == "1")
            m_fan = std::max(m_fan, 2);
        else if (m_fan > 0)
            m_fan = std::clamp(m_fan + (n == "2" ? 1 : -1), 1, 3);
        Log(QStringLiteral("fan %1").arg(m_fan == 0 ? QStringLiteral("stopped")
                                                    : QStringLiteral("speed %1").arg(m_fan)));
    } else if (IsKit() && body.startsWith("SER")) {
        const QByteArray n = body.mid(3);
        if (n.size() != 1 || n[0] < '0' || n[0] > '9')
            return Bad(frame, QStringLiteral("SER wants SER<0-9>"));
        m_servo = n[0] - '0';
        Log(QStringLiteral("servo %1 degrees").arg(ServoAngle()));
    } else if (!IsKit() && body.startsWith("TIME"))
        OnTime(frame, body);
    else if (!IsKit() && body.startsWith("HS"))
        OnInfraredSend(frame, body);
    else if (body.startsWith("SMG"))
        OnSegment(frame, body);
    else if (body.startsWith("LCD"))
        OnLcd(frame, body);
    else if (body.startsWith("DMX"))
        OnDots(frame, body);
    else
        Bad(frame, QStringLiteral("unknown command"));
}

void TrainingBoard::OnLed(const QByteArray& frame, const QByteArray& body) {
    const char lastLed = IsKit() ? '3' : '7';
    if (body.size() != 5 || body[3] < '0' || body[3] > lastLed || body[4] < '0' || body[4] > '3')
        return Bad(frame, QStringLiteral("LED wants LED<0-%1><0|1>").arg(QLatin1Char(lastLed)));
    const int n = body[3] - '0';
    const int s = body[4] - '0';
    if (s >= 2 && n != 0)
        return Bad(frame, QStringLiteral("only LED02 and LED03 start the light shows"));
    if (s == 2 || s == 3) {
        m_ledMode = s == 2 ? QStringLiteral("flowing") : QStringLiteral("breathing");
    } else {
        if (n == 0 && s == 0)
            m_ledMode.clear(); // "LED00" is P1.0 off and the end of a light show
        m_leds = s ? (m_leds | (1 << n)) : (m_leds & ~(1 << n));
    }
    Log(QStringLiteral("leds %1%2")
            .arg(m_leds, IsKit() ? 4 : 8, 2, QLatin1Char('0'))
            .arg(m_ledMode.isEmpty() ? QString() : QStringLiteral(" ") + m_ledMode));
}

void TrainingBoard::OnTime(const QByteArray& frame, const QByteArray& body) {
    // TIME<n>,yyyyMMddHHmmss
    if (body.size() != 20 || body[5] != ',' || body[4] < '1' || body[4] > '3' ||
        !AllDigits(body.mid(6)))
        return Bad(frame, QStringLiteral("TIME wants TIME<1-3>,<14 digits>"));
    const QDate date =
        QDate::fromString(QString::fromLatin1(body.mid(6, 8)), QStringLiteral("yyyyMMdd"));
    const int h = body.mid(14, 2).toInt(), m = body.mid(16, 2).toInt(), s = body.mid(18, 2).toInt();
    if (!date.isValid())
        return Bad(frame, QStringLiteral("no such date"));
    if (h > 23 || m > 59 || s > 59)
        return Bad(frame, QStringLiteral("no such time"));
    m_clock = QDateTime(date, QTime(h, m, s));
    static const char* const kWhere[] = {"", "segment display", "LCD1602", "LCD12864"};
    Log(QStringLiteral("clock set %1 on %2")
            .arg(m_clock.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), kWhere[body[4] - '0']));
}

void TrainingBoard::OnInfraredSend(const QByteArray& frame, const QByteArray& body) {
    const QByteArray code = body.mid(2);
    if (code.size() != 8 || !AllHex(code))
        return Bad(frame, QStringLiteral("infrared code wants 8 hexadecimal digits"));
    Log(QStringLiteral("infrared sent %1").arg(QString::fromLatin1(code)));
    // The board's receiver sees its own sender: the code comes back a moment later.
    QTimer::singleShot(100, this, [this, code] { Send("HSX," + code); });
}

void TrainingBoard::OnSegment(const QByteArray& frame, const QByteArray& body) {
    const QByteArray small = IsKit() ? "SMG1," : "SMG4,";
    const QByteArray large = IsKit() ? "SMG4," : "SMG8,";
    const int digits = body.startsWith(small)   ? small[3] - '0'
                       : body.startsWith(large) ? large[3] - '0'
                                                : 0;
    if (!digits)
        return Bad(frame, QStringLiteral("SMG wants %1 or %2")
                              .arg(QString::fromLatin1(small), QString::fromLatin1(large)));
    const QByteArray text = body.mid(5);
    if (text.size() != digits)
        return Bad(frame, QStringLiteral("segment text is not %1 bytes").arg(digits));
    m_segment = text;
    Log(QStringLiteral("segment %1").arg(Korvane::FromGbk(text)));
}

void TrainingBoard::OnLcd(const QByteArray& frame, const QByteArray& body) {
    const int screen = body.startsWith("LCD1602,")                ? 0
                       : !IsKit() && body.startsWith("LCD12864,") ? 1
                                                                  : -1;
    if (screen < 0)
        return Bad(frame, QStringLiteral("unknown LCD"));
    const QByteArray rest = body.mid(screen == 0 ? 8 : 9);
    const int lines = screen == 0 ? 2 : 4;
    if (rest == "0") {
        for (QString& line : m_lcd[screen])
            line.clear();
        LogLcd(screen);
        return;
    }
    if (rest.size() < 2 || rest[0] < '1' || rest[0] > char('0' + lines) || rest[1] != ',')
        return Bad(frame, QStringLiteral("LCD line number wanted"));
    const QByteArray text = rest.mid(2);
    if (text.size() != 16)
        return Bad(frame, QStringLiteral("LCD line is %1 bytes, not 16").arg(text.size()));
    bool ok = false;
    const QString decoded = Korvane::FromGbk(text);
    Korvane::ToGbk(decoded, &ok);
    if (!ok || Korvane::ToGbk(decoded) != text)
        return Bad(frame, QStringLiteral("LCD line is not GBK text"));
    m_lcd[screen][rest[0] - '1'] = decoded;
    LogLcd(screen);
}

void TrainingBoard::LogLcd(int screen) {
    const int lines = screen == 0 ? 2 : 4;
    QStringList shown;
    for (int i = 0; i < lines; ++i)
        shown << QStringLiteral("|%1|").arg(
            m_lcd[screen][i].isEmpty() ? QString(16, QLatin1Char(' ')) : m_lcd[screen][i]);
    Log(QStringLiteral("%1 %2").arg(screen == 0 ? QStringLiteral("lcd1602")
                                                : QStringLiteral("lcd12864"),
                                    shown.join(QLatin1Char(' '))));
}

QString TrainingBoard::LcdLine(int screen, int line) const {
    return m_lcd[screen][line];
}

void TrainingBoard::OnDots(const QByteArray& frame, const QByteArray& body) {
    // DMX<row><column>,<0|1>, or DMX00,3 (all on) and DMX00,2 (all off)
    if (body.size() != 7 || body[5] != ',' || body[3] < '0' || body[3] > '7' || body[4] < '0' ||
        body[4] > '7' || body[6] < '0' || body[6] > '3')
        return Bad(frame, QStringLiteral("DMX wants DMX<0-7><0-7>,<0-3>"));
    const int r = body[3] - '0', c = body[4] - '0', s = body[6] - '0';
    if (s >= 2) {
        if (r != 0 || c != 0)
            return Bad(frame, QStringLiteral("all on and all off use the address 00"));
        m_dots.fill(s == 3);
    } else {
        m_dots[size_t(r * 8 + c)] = s == 1;
    }
    LogDots();
}

void TrainingBoard::LogDots() {
    QStringList rows;
    for (int r = 0; r < 8; ++r) {
        QString row;
        for (int c = 0; c < 8; ++c)
            row += m_dots[size_t(r * 8 + c)] ? QLatin1Char('#') : QLatin1Char('.');
        rows << row;
    }
    Log(QStringLiteral("dots %1").arg(rows.join(QLatin1Char('/'))));
}

QByteArray TrainingBoard::Joystick() const {
    // The stick's direction from where it stands; pressed down it is 9.
    const bool up = m_joyY > 768, down = m_joyY < 256, left = m_joyX<256, right = m_joyX> 768;
    int direction = 0;
    if (m_joyZ)
        direction = 9;
    else if (up)
        direction = left ? 5 : right ? 6 : 1;
    else if (down)
        direction = left ? 7 : right ? 8 : 2;
    else if (left)
        direction = 3;
    else if (right)
        direction = 4;
    return "JOY" + QByteArray::number(direction) + ",X" + QByteArray::number(m_joyX) + ",Y" +
           QByteArray::number(m_joyY) + ",Z" + QByteArray::number(m_joyZ);
}

QByteArray TrainingBoard::Reading(int which) {
    if (IsKit()) {
        const QByteArray tag = kKitReadings[which];
        const int raw = m_fixed.contains(tag)
                            ? m_fixed.value(tag)
                            : int(std::lround(511.5 + 480 * std::sin(m_time * 0.3 + which)));
        if (tag == "GMS")
            return tag + QByteArray::number(raw) + "," + QByteArray::number(raw * 1000 / 1023);
        if (tag == "RMS")
            return tag + QByteArray::number(raw) + "," +
                   QByteArray::number(raw * 100.0 / 1023, 'f', 1);
        if (tag == "VMS")
            return tag + QByteArray::number(raw) + "," + QByteArray::number(raw * 5000 / 1023);
        if (tag == "YWS")
            return tag + QByteArray::number(raw) + "," + QByteArray::number(raw * 10000 / 1023);
        if (tag == "CSB")
            return tag + QByteArray::number(2.0 + raw / 5.0, 'f', 2);
        if (tag == "TMS")
            return tag + QByteArray::number(15 + raw / 80.0, 'f', 1);
        if (tag == "SHT")
            return tag + QByteArray::number(18 + raw / 100) + "," +
                   QByteArray::number(30 + raw / 20);
        if (tag == "PHW" || tag == "VCS")
            return tag + (raw > 800 ? "1" : "0");
        if (tag == "TCH")
            return "TCH" + QByteArray(m_touch ? "1" : "0") + "," + QByteArray::number(m_touchRaw);
        if (tag == "ICL")
            return "ICL" + QByteArray::number(m_fixed.value("ICL", 0));
        return Joystick();
    }
    const QByteArray tag = kReadings[which];
    // A slow swing of its own for each reading, unless a command fixed it.
    const int raw = m_fixed.contains(tag)
                        ? m_fixed.value(tag)
                        : int(std::lround(127.5 + 120 * std::sin(m_time * 0.3 + which)));
    char converted[32];
    if (tag == "GMS")
        std::snprintf(converted, sizeof converted, "%d", raw * 1000 / 255);
    else if (tag == "RMS")
        std::snprintf(converted, sizeof converted, "%.1f", raw * 100.0 / 255);
    else if (tag == "CSB")
        return tag + QByteArray::number(std::max(2.0, 20.25 + raw / 4.0), 'f', 2);
    else if (tag == "TMS")
        return tag + QByteArray::number(15 + raw / 20.0, 'f', 1);
    else if (tag == "PHW" || tag == "VCS")
        return tag + (raw > 200 ? "1" : "0");
    else
        std::snprintf(converted, sizeof converted, "%d", raw * 5000 / 255);
    return tag + QByteArray::number(raw) + "," + converted;
}

void TrainingBoard::Tick(double dt) {
    m_time += dt;
    Send(Reading(m_next));
    m_next = (m_next + 1) % (IsKit() ? kKitReadingCount : kReadingCount);
}

void TrainingBoard::TypeNextKey() {
    if (m_keys.empty()) {
        m_keyTimer.stop();
        return;
    }
    const char key = m_keys.front();
    m_keys.pop_front();
    Send("CALC" + QByteArray(1, key));
}

bool TrainingBoard::Command(const QString& line) {
    const QString name = line.section(QLatin1Char(' '), 0, 0);
    const QString arg = line.section(QLatin1Char(' '), 1).trimmed();
    if (name == QLatin1String("keys") && !arg.isEmpty()) {
        for (QChar c : arg)
            m_keys.push_back(c.toLatin1());
        if (!m_keyTimer.isActive()) {
            TypeNextKey();
            m_keyTimer.start();
        }
    } else if (name == QLatin1String("irkey")) {
        for (const auto& k : kRemote) {
            if (arg == QLatin1String(k.name)) {
                // The 8051 boards send address, its complement, the complement of the key and
                // the key; the kits send the key's bits the other way round.
                const QByteArray code =
                    IsKit() ? "00FF" + Hex2(Reverse8(k.byte)) + Hex2(0xFF - Reverse8(k.byte))
                            : "00FF" + Hex2(0xFF - k.byte) + Hex2(k.byte);
                Send("HSX," + code);
                return true;
            }
        }
        return false;
    } else if (name == QLatin1String("button") && IsKit()) {
        const int n = arg.section(QLatin1Char(' '), 0, 0).toInt();
        const QString state = arg.section(QLatin1Char(' '), 1, 1);
        if (n < 1 || n > 4)
            return false;
        Send("BTN" + QByteArray::number(n) + "," + (state == QLatin1String("0") ? "0" : "1"));
    } else if (name == QLatin1String("tilt") && IsKit()) {
        m_fixed.insert("ICL", arg == QLatin1String("1") ? 1 : 0);
        Send("ICL" + QByteArray::number(m_fixed.value("ICL")));
    } else if (name == QLatin1String("touch") && IsKit()) {
        m_touch = arg.section(QLatin1Char(' '), 0, 0) == QLatin1String("1");
        if (!arg.section(QLatin1Char(' '), 1, 1).isEmpty())
            m_touchRaw = std::clamp(arg.section(QLatin1Char(' '), 1, 1).toInt(), 0, 1023);
        Send(Reading(9));
    } else if (name == QLatin1String("joy") && IsKit()) {
        m_joyX = std::clamp(arg.section(QLatin1Char(' '), 0, 0).toInt(), 0, 1023);
        m_joyY = std::clamp(arg.section(QLatin1Char(' '), 1, 1).toInt(), 0, 1023);
        m_joyZ = arg.section(QLatin1Char(' '), 2, 2) == QLatin1String("1") ? 1 : 0;
        Send(Joystick());
    } else if (name == QLatin1String("ir") && !arg.isEmpty()) {
        Send("HSX," + arg.toLatin1());
    } else if (name == QLatin1String("reading")) {
        const QByteArray tag = arg.section(QLatin1Char(' '), 0, 0).toLatin1();
        const QString value = arg.section(QLatin1Char(' '), 1, 1);
        if (value == QLatin1String("auto"))
            m_fixed.remove(tag);
        else
            m_fixed.insert(tag, std::clamp(value.toInt(), 0, 255));
    } else if (name == QLatin1String("send") && !arg.isEmpty()) {
        emit send(Korvane::ToGbk(arg));
    } else if (name == QLatin1String("dump")) {
        Log(QStringLiteral("leds %1%2")
                .arg(m_leds, IsKit() ? 4 : 8, 2, QLatin1Char('0'))
                .arg(m_ledMode.isEmpty() ? QString() : QStringLiteral(" ") + m_ledMode));
        LogLcd(0);
        if (!IsKit())
            LogLcd(1);
        LogDots();
        Log(QStringLiteral("segment %1").arg(Korvane::FromGbk(m_segment)));
        if (!IsKit())
            Log(QStringLiteral("clock %1")
                    .arg(m_clock.isValid() ? m_clock.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                           : QStringLiteral("not set")));
        if (IsKit())
            Log(QStringLiteral("servo %1 degrees").arg(ServoAngle()));
        Log(QStringLiteral("fan %1, stepper %2 speed %3, beeps %4, bad frames %5")
                .arg(m_fan)
                .arg(m_stepper)
                .arg(m_stepperSpeed)
                .arg(m_beeps)
                .arg(m_bad));
    } else {
        return false;
    }
    return true;
}

void RegisterTrainingBoards() {
    // The board's tag comes from its product's row ("51", "AR").
    const auto board = [](const Korvane::ProductInfo& p) {
        return std::make_unique<TrainingBoard>(QByteArray(p.boardTag));
    };
    RegisterDevice("board51", board);
    RegisterDevice("kitAR", board);
}

} // namespace KorvaneSim
