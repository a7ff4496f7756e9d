#pragma once

#include <QString>

#include <optional>

namespace Korvane {

// Where the broker is: "mqtt://host[:port]" (1883 by default) or "mqtts://host[:port]" (TLS,
// 8883 by default). A bare "host[:port]" is taken as mqtt://.
struct BrokerAddress {
    QString host;
    quint16 port = 1883;
    bool tls = false;
    QString Url() const;
};
// The address, or nothing with the reason in *error.
std::optional<BrokerAddress> ParseBrokerUrl(const QString& text, QString* error = nullptr);

// The topic prefix of a station: "korvane/<name>", with the characters MQTT gives a meaning
// in topics ("/", "+", "#") and control characters replaced by "_".
QString DefaultTopicPrefix(const QString& stationName);

// The level a class's stations share: a prefix without its last level ("korvane/alice" →
// "korvane", "school/room3/alice" → "school/room3"); empty for a prefix of one level.
QString TopicRoot(const QString& prefix);

} // namespace Korvane
