#include "gui/common/keyring.h"

#include <qt6keychain/keychain.h>

namespace Korvane {

namespace {

const QString kService = QStringLiteral("Korvane PC");

} // namespace

void ReadSecret(const QString& key, std::function<void(const QString& secret, bool ok)> then) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setAutoDelete(true);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, job, [then](QKeychain::Job* done) {
        const auto* read = static_cast<QKeychain::ReadPasswordJob*>(done);
        const bool ok = done->error() == QKeychain::NoError;
        then(ok ? read->textData() : QString(), ok);
    });
    job->start();
}

void WriteSecret(const QString& key, const QString& secret,
                 std::function<void(bool ok, const QString& error)> then) {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setAutoDelete(true);
    job->setKey(key);
    job->setTextData(secret);
    QObject::connect(job, &QKeychain::Job::finished, job, [then](QKeychain::Job* done) {
        then(done->error() == QKeychain::NoError, done->errorString());
    });
    job->start();
}

QString MqttSecretKey(const QString& brokerUrl, const QString& user) {
    return QStringLiteral("mqtt %1 %2").arg(brokerUrl, user);
}

} // namespace Korvane
