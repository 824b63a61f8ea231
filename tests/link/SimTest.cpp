// The simulated module: its brick model, command line and executable.
#include "tests/link/SimRobot.h"
#include "tools/tervana-sim/NxtBrick.h"
#include "tools/tervana-sim/SimOptions.h"

#include <QProcess>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

struct BrickCase {
    const char* what;
    const char* command;
    const char* reply;
};

TEST(NxtBrick, RepliesTable)
{
    BrickConfig config = brickNamed("JRV4242", "Tele", "Auto");
    config.batteryMv = 0x1f40;
    config.btSignal = 5;
    NxtBrick brick(config);
    const BrickCase cases[] = {
        {"battery", "000b", "020b00401f"},
        {"program name", "0011", "021100" "4175746f00000000000000000000000000000000"},
        {"firmware", "0188", "028800" "7c011d01"},
        {"device info", "019b",
         "029b00" "4a5256343234320000000000000000" "0016530a0b0c00" "05000000" "20cb0000"},
        {"open read", "0180" "4a5256436f6e6669672e747874" "00000000000000", "028000" "00" "04000000"},
        {"read 3", "0182000300", "028200" "00" "0300" "54656c"},
        {"read past the end", "0182000500", "028285" "00" "0100" "65"},
        {"close", "018400", "02840000"},
        {"close again", "018400", "02848000"},
        {"open missing", "0180" "6e6f6e65" "00000000000000000000000000000000", "028087" "00" "00000000"},
        {"stop", "0001", "020100"},
        {"stop with nothing running", "0001", "0201ec"},
        {"name with nothing running", "0011", "0211ec" "0000000000000000000000000000000000000000"},
        {"start unknown", "0000" "4e6f7065" "00000000000000000000000000000000", "0200bd"},
        {"start held", "0000" "54656c65" "00000000000000000000000000000000", "020000"},
        {"message write with reply", "0009" "0003" "414200", "020900"},
        {"message write without reply", "8009" "0003" "414200", ""},
        {"unknown direct command", "001f0000", "021fbe"},
    };
    for (const BrickCase& c : cases) {
        const QByteArray command = hex(c.command);
        EXPECT_EQ(NxtBrick::CommandLength(command), command.size()) << c.what;
        EXPECT_EQ(brick.Execute(command).toHex(), QByteArray(c.reply)) << c.what;
    }
    EXPECT_EQ(brick.currentProgram(), QByteArray("Tele"));
    EXPECT_EQ(brick.mailboxWrites(), 2);
}

TEST(NxtBrick, FramesTheStream)
{
    EXPECT_EQ(NxtBrick::CommandLength(hex("00")), -1);
    EXPECT_EQ(NxtBrick::CommandLength(hex("0180")), -1);
    EXPECT_EQ(NxtBrick::CommandLength(hex("800900")), -1);
    EXPECT_EQ(NxtBrick::CommandLength(hex("80090012")), -1);
    EXPECT_EQ(NxtBrick::CommandLength(QByteArray::fromHex("80090012") + QByteArray(18, 0)), 22);
    EXPECT_EQ(NxtBrick::CommandLength(hex("000b0011")), 2);
    EXPECT_EQ(NxtBrick::CommandLength(hex("ff00")), 0);
    EXPECT_EQ(NxtBrick::CommandLength(hex("0177")), 0);
}

TEST(SimOptions, ParsesTheCommandLine)
{
    SimOptions options;
    QString error;
    ASSERT_TRUE(options.Parse({"--address", "127.0.0.61", "--port", "3000", "--name", "JRV7", "--teleop-program",
                               "T.rxe", "--running", "A.rxe", "--battery", "7100", "--wire-log", "w.log",
                               "--fault", "split", "--fault", "delay:50", "--fault", "close-after:3",
                               "--fault", "silent", "--fault", "double"},
                              error))
        << error.toStdString();
    EXPECT_EQ(options.address, QStringLiteral("127.0.0.61"));
    EXPECT_EQ(options.port, 3000);
    EXPECT_EQ(options.brick.name, QByteArray("JRV7"));
    EXPECT_EQ(options.brick.files.at("JRVConfig.txt"), QByteArray("T.rxe"));
    EXPECT_EQ(options.brick.programs.size(), 2u);
    EXPECT_EQ(options.brick.running, QByteArray("A.rxe"));
    EXPECT_EQ(options.brick.batteryMv, 7100);
    EXPECT_EQ(options.wireLog, QStringLiteral("w.log"));
    EXPECT_TRUE(options.faults.split && options.faults.silent && options.faults.doubled);
    EXPECT_EQ(options.faults.delayMs, 50);
    EXPECT_EQ(options.faults.closeAfter, 3);

    const QStringList bad[] = {{"--port", "70000"}, {"--fault", "sometimes"}, {"--battery"},
                               {"--colour", "red"}, {"--fault", "delay:x"}};
    for (const QStringList& arguments : bad) {
        SimOptions rejected;
        EXPECT_FALSE(rejected.Parse(arguments, error)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    SimOptions defaults;
    ASSERT_TRUE(defaults.Parse({"--help"}, error));
    EXPECT_TRUE(defaults.help);
    EXPECT_EQ(defaults.address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(defaults.port, 2901);
    EXPECT_TRUE(defaults.brick.files.empty()) << "without a teleop program there is no file";
    EXPECT_TRUE(SimOptions::Usage().contains(QLatin1String("--wire-log")));
}

int connectTo(const char* host, quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    inet_pton(AF_INET, host, &address.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    timeval limit{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    return fd;
}

QByteArray readExactly(int fd, int count)
{
    QByteArray out;
    char buffer[256];
    while (out.size() < count) {
        const ssize_t n = ::recv(fd, buffer, static_cast<size_t>(count - out.size()), 0);
        if (n <= 0)
            break;
        out.append(buffer, n);
    }
    return out;
}

TEST(ControlPort, ServesCommandsAndLogsThem)
{
    SimRobot robot(QStringLiteral("127.0.0.62"), brickNamed("JRV1"), {}, 0);
    ASSERT_TRUE(robot.started);
    const int fd = connectTo("127.0.0.62", robot.controlPort.port());
    ASSERT_GE(fd, 0);
    // Two commands in one segment, the second split over two.
    const QByteArray first = hex("000b0188");
    ASSERT_EQ(::send(fd, first.constData(), 4, 0), 4);
    EXPECT_EQ(readExactly(fd, 5 + 7).toHex(), QByteArray("020b00082002880" "07c011d01"));
    ::send(fd, "\x80\x09\x00\x03", 4, 0);
    QThread::msleep(20);
    ::send(fd, "AB\0", 3, 0);
    ::send(fd, "\x00\x0b", 2, 0);
    EXPECT_EQ(readExactly(fd, 5).toHex(), QByteArray("020b000820"));
    ::close(fd);
    ASSERT_TRUE(pumpUntil([&] { return robot.notes().size() >= 2; }));
    EXPECT_EQ(robot.commands(), QStringList({"00 0b", "01 88", "80 09 00 03 41 42 00", "00 0b"}));
    const auto timed = robot.timedCommands();
    ASSERT_EQ(timed.size(), 4u);
    EXPECT_LE(timed[0].first, timed[3].first);
    EXPECT_GE(timed[3].first - timed[1].first, 15) << "stamps in milliseconds";
}

TEST(ControlPort, FaultsTable)
{
    struct Case {
        const char* what;
        ControlPortFaults faults;
        int commands;
        bool answered;
        bool closed;
    } cases[] = {
        {"silent", {true, 0, false, 0, false}, 2, false, false},
        {"delay", {false, 120, false, 0, false}, 1, true, false},
        {"close after 2", {false, 0, false, 2, false}, 3, true, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString address = QStringLiteral("127.0.0.%1").arg(63 + n++);
        SimRobot robot(address, brickNamed("JRV1"), c.faults, 0);
        ASSERT_TRUE(robot.started) << c.what;
        const int fd = connectTo(address.toLatin1().constData(), robot.controlPort.port());
        ASSERT_GE(fd, 0);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < c.commands; ++i)
            ::send(fd, "\x00\x0b", 2, MSG_NOSIGNAL);
        timeval limit{0, 400000};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        const QByteArray reply = readExactly(fd, 5);
        EXPECT_EQ(reply.size() == 5, c.answered) << c.what;
        if (c.faults.delayMs > 0) {
            EXPECT_GE(timer.elapsed(), c.faults.delayMs - 5) << c.what;
        }
        if (c.closed) {
            EXPECT_EQ(readExactly(fd, 5).size(), 5) << "the second reply still comes";
            char byte;
            EXPECT_EQ(::recv(fd, &byte, 1, 0), 0) << c.what;
        }
        ::close(fd);
    }
}

TEST(TervanaSimProgram, RunsFromTheCommandLine)
{
    const QString program = qEnvironmentVariable("TERVANA_BIN_DIR") + QStringLiteral("/tervana-sim");
    if (!QFile::exists(program))
        GTEST_SKIP() << "tervana-sim not built";
    QTemporaryDir dir;
    const QString wireLog = dir.filePath(QStringLiteral("wire.log"));
    QProcess sim;
    sim.start(program, {"--address", "127.0.0.68", "--port", "2901", "--name", "JRV9", "--teleop-program",
                        "T.rxe", "--battery", "7321", "--wire-log", wireLog});
    ASSERT_TRUE(sim.waitForStarted(3000));
    ASSERT_TRUE(sim.waitForReadyRead(3000));
    EXPECT_TRUE(sim.readAllStandardOutput().contains("listening on 127.0.0.68:2901"));
    const int fd = connectTo("127.0.0.68", 2901);
    ASSERT_GE(fd, 0);
    ::send(fd, "\x00\x0b", 2, 0);
    EXPECT_EQ(readExactly(fd, 5).toHex(), QByteArray("020b00991c"));
    ::close(fd);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(3000));
    EXPECT_EQ(sim.exitCode(), 0);
    QFile file(wireLog);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(" 00 0b\r\n"));

    QProcess help;
    help.start(program, {"--help"});
    ASSERT_TRUE(help.waitForFinished(3000));
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().contains("--fault"));
}
}
