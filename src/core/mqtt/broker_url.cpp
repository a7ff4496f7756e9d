#include "core/mqtt/broker_url.h"

#include <QCoreApplication>
#include <QUrl>

namespace Korvane {

namespace {} // namespace

QString BrokerAddress::Url() const {
    return QStringLiteral("%1://%2:%3")
        .arg(tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt"), host)
        .arg(port);
}

std::optional<BrokerAddress> ParseBrokerUrl(const QString& text, QString* error) {
    auto fail = [error](const QString& why) -> std::optional<BrokerAddress> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return fail(QCoreApplication::translate("Korvane::BrokerUrl", "no broker address"));
    const QUrl url(trimmed.contains(QLatin1String("://")) ? trimmed
                                                          : QStringLiteral("mqtt://") + trimmed,
                   QUrl::StrictMode);
    BrokerAddress address;
    if (url.scheme() == QLatin1String("mqtts"))
        address.tls = true;
    else if (url.scheme() != QLatin1String("mqtt"))
        return fail(QCoreApplication::translate("Korvane::BrokerUrl",
                                                "the address must begin with mqtt:// or mqtts://"));
    if (!url.isValid() || url.host().isEmpty())
        return fail(
            QCoreApplication::translate("Korvane::BrokerUrl", "\"%1\" is not a broker address")
                .arg(trimmed));
    if (!url.path().isEmpty() && url.path() != QLatin1String("/"))
        return fail(
            QCoreApplication::translate("Korvane::BrokerUrl", "a broker address has no path"));
    address.host = url.host();
    const int port = url.port(address.tls ? 8883 : 1883);
    if (port < 1 || port > 65535)
        return fail(
            QCoreApplication::translate("Korvane::BrokerUrl", "the port must be from 1 to 65535"));
    address.port = quint16(port);
    return address;
}

QString DefaultTopicPrefix(const QString& stationName) {
    QString name = stationName.trimmed();
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('+') || c == QLatin1Char('#') ||
            c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    if (name.isEmpty())
        name = QStringLiteral("station");
    return QStringLiteral("korvane/") + name;
}

QString TopicRoot(const QString& prefix) {
    QString trimmed = prefix;
    while (trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const qsizetype last = trimmed.lastIndexOf(QLatin1Char('/'));
    return last < 0 ? QString() : trimmed.left(last);
}

} // namespace Korvane
