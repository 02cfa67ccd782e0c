// Which socket makes a starting panel end: only one answered by a copy of the same user.

#include "app/SingleInstance.h"
#include "QtTestSupport.h"
#include "TempDir.h"

#include <QLocalServer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket file as a copy that died leaves it: bound, then closed, never removed.
void LeaveStaleSocket(const QString& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);
}

} // namespace

TEST(SingleInstance, OnlyARunningCopyOfTheSameUserMakesAStartEnd) {
    EnsureApplication();
    const CTempDir dir;
    const QString path = QString::fromStdString(dir.Path()) + "instance";
    const auto anotherUser = [](qintptr) -> std::optional<uid_t> { return getuid() + 1; };

    // Another user's listener of that name is not trusted: the start goes on and takes the
    // name over, saying why.
    testing::internal::CaptureStderr();
    {
        QLocalServer squatter;
        ASSERT_TRUE(squatter.listen(path));
        CSingleInstance copy(path, nullptr, anotherUser);
        EXPECT_FALSE(copy.ActivateRunningInstance());
        EXPECT_TRUE(copy.Listen());
        copy.Close();
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("does not answer as this user"),
              std::string::npos);

    // A socket file nobody answers on is taken over, and the copy listening on it is the one a
    // later start of the same user brings to the front.
    LeaveStaleSocket(path);
    CSingleInstance first(path);
    EXPECT_FALSE(first.ActivateRunningInstance());
    ASSERT_TRUE(first.Listen());
    int activations = 0;
    QObject::connect(&first, &CSingleInstance::ActivationRequested, [&] { ++activations; });

    // What the second start says is the process test's.
    CSingleInstance second(path);
    EXPECT_TRUE(second.ActivateRunningInstance());
    EXPECT_FALSE(second.Listen());
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations == 2; }, 5000));
    first.Close();
}
