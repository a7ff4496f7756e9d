#pragma once

#include <QString>

#include <functional>

namespace Korvane {

// Secrets (the MQTT password) in the desktop's keyring (Secret Service, KWallet), never in
// the settings file. Both calls return at once; then runs later on the UI thread. Where no
// keyring runs, ok is false and error says why.
void ReadSecret(const QString& key, std::function<void(const QString& secret, bool ok)> then);
void WriteSecret(const QString& key, const QString& secret,
                 std::function<void(bool ok, const QString& error)> then);

// The key the MQTT password of a broker and user is kept under.
QString MqttSecretKey(const QString& brokerUrl, const QString& user);

} // namespace Korvane
