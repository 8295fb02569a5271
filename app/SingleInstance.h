#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace pelmar {

// Keeps a second start of the program out. The first instance holds a lock
// file and listens on a local socket in the user's runtime folder; a second
// start finds the lock taken and asks the first, through the socket, to
// restore its window. A lock left by a crashed instance is taken over.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // key names the instance: one per user, program and program folder.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and starts listening; false when another instance runs.
    [[nodiscard]] bool Claim();
    // Asks the running instance to restore its window; true when it confirmed.
    bool AskRunningInstanceToRestore(int timeoutMs);

    // Builds the key from the executable name and the program folder.
    static QString KeyFor(const QString& executableName, const QString& programFolder);

signals:
    void restoreRequested();

private:
    void ServeConnection();

    QString lockPath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace pelmar
