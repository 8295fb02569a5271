// Starts the real executable twice on the offscreen platform.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace {

const QString kProgram = QStringLiteral(PELMAR_PROGRAM_FOLDER "/pelmar");

QProcess* Start(QTemporaryDir& folder, QObject* owner) {
    auto* process = new QProcess(owner);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(kProgram, {"--folder", folder.path()});
    return process;
}

// The socket the instance for this folder listens on, once it is running.
QString WaitForSocket(const QTemporaryDir& folder, int timeoutMs) {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        runtime = QDir::tempPath();
    }
    const QByteArray hash = QCryptographicHash::hash(QDir(folder.path()).canonicalPath().toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    const QString socket = runtime + "/pelmar-" + QString::fromLatin1(hash) + ".socket";
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (QFileInfo::exists(socket)) {
            return socket;
        }
        QThread::msleep(20);
    }
    return {};
}

TEST(SingleInstanceTest, SecondStartRestoresTheFirstAndEnds) {
    QTemporaryDir folder;
    QObject owner;
    QProcess* first = Start(folder, &owner);
    ASSERT_TRUE(first->waitForStarted());
    const QString socket = WaitForSocket(folder, 10000);
    ASSERT_FALSE(socket.isEmpty());

    QElapsedTimer timer;
    timer.start();
    QProcess* second = Start(folder, &owner);
    ASSERT_TRUE(second->waitForFinished(5000));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    // The first instance answers a restore request on its socket.
    QLocalSocket client;
    client.connectToServer(socket);
    ASSERT_TRUE(client.waitForConnected(2000));
    client.write("restore\n");
    ASSERT_TRUE(client.waitForReadyRead(2000));
    EXPECT_EQ(client.readAll(), "restored\n");

    first->kill();
    first->waitForFinished();
}

TEST(SingleInstanceTest, StaleLockOfACrashedInstanceIsTakenOver) {
    QTemporaryDir folder;
    QObject owner;
    QProcess* crashed = Start(folder, &owner);
    ASSERT_TRUE(crashed->waitForStarted());
    ASSERT_FALSE(WaitForSocket(folder, 10000).isEmpty());
    crashed->kill();  // leaves its lock file and socket behind
    crashed->waitForFinished();

    QProcess* next = Start(folder, &owner);
    ASSERT_TRUE(next->waitForStarted());
    QThread::msleep(1500);
    EXPECT_EQ(next->state(), QProcess::Running);
    next->kill();
    next->waitForFinished();
}

TEST(ExecutableTest, HelpAndVersionPrintAndEnd) {
    for (const char* option : {"--help", "--version"}) {
        QProcess process;
        process.start(kProgram, {option});
        ASSERT_TRUE(process.waitForFinished(5000));
        EXPECT_EQ(process.exitCode(), 0) << option;
        EXPECT_FALSE(process.readAllStandardOutput().isEmpty()) << option;
    }
    QProcess bad;
    bad.start(kProgram, {"--no-such-option"});
    ASSERT_TRUE(bad.waitForFinished(5000));
    EXPECT_EQ(bad.exitCode(), 2);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
