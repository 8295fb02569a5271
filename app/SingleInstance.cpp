#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace pelmar {

namespace {

constexpr QByteArrayView kRestoreRequest = "restore\n";
constexpr QByteArrayView kRestoreAnswer = "restored\n";

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder;
}

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent),
      lockPath_(RuntimeFolder() + "/" + key + ".lock"),
      serverName_(RuntimeFolder() + "/" + key + ".socket") {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::ServeConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::KeyFor(const QString& executableName, const QString& programFolder) {
    const QByteArray folderHash =
        QCryptographicHash::hash(QDir(programFolder).canonicalPath().toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return executableName + "-" + QString::fromLatin1(folderHash);
}

bool SingleInstance::Claim() {
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // A lock whose owner process is gone counts as stale whatever its age.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    // The socket of a crashed instance may still exist; the lock says it is ours.
    QLocalServer::removeServer(serverName_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(serverName_);
    return true;
}

bool SingleInstance::AskRunningInstanceToRestore(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(kRestoreRequest.data(), kRestoreRequest.size());
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    while (socket.bytesAvailable() < kRestoreAnswer.size()) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            return false;
        }
    }
    return socket.readAll() == kRestoreAnswer.toByteArray();
}

void SingleInstance::ServeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                return;
            }
            if (socket->readLine() == kRestoreRequest.toByteArray()) {
                emit restoreRequested();
                socket->write(kRestoreAnswer.data(), kRestoreAnswer.size());
            }
            socket->disconnectFromServer();
        });
    }
}

}  // namespace pelmar
