// bench_floods: what hostile clients cost a headless server over loopback. For each flood the
// server's resident memory before and after, and how long an honest line or a newcomer's login
// waits; the figures are printed, nothing is asserted.
//
// Usage: bench_floods [path of cribbage-server]   (default: the one built beside this program)
#include "net/message.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace net;

namespace {

// How long one wait may take before the figure is reported as "more than".
constexpr int kPatienceMs = 60000;

bool spinUntil(const std::function<bool()>& done, int ms = kPatienceMs) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// A client that answers the login and keeps what it is sent.
class Client {
public:
    Client(quint16 port, std::string name) : m_name(std::move(name)) {
        QObject::connect(&sock, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = sock.readAll();
            for (std::string& m : m_buffer.append({bytes.constData(), std::size_t(bytes.size())}))
                take(std::move(m));
        });
        sock.connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    void send(const std::string& m) { sock.write(m.data(), qint64(m.size())); }
    bool hasText(std::string_view t) const {
        return std::any_of(got.begin(), got.end(),
                           [t](const std::string& m) { return m.find(t) != std::string::npos; });
    }

    QTcpSocket sock;
    int seat = 0;
    std::vector<std::string> got;

private:
    void take(std::string m) {
        const auto [command, args] = splitCommand(m);
        if (command == "CMD_sendlogininfo") {
            seat = parseInt(args).value_or(0);
            send(toServer::logininfo(seat, kVersion, m_name));
        }
        got.push_back(std::move(m));
    }
    std::string m_name;
    ReceiveBuffer m_buffer;
};

class Server {
public:
    explicit Server(const QString& binary) {
        m_process.start(binary, {"--port", "0", "--bot-speed", "1000"});
        m_process.waitForStarted();
        spinUntil([&] {
            m_log += m_process.readAllStandardError();
            return m_log.contains("listening on port ");
        });
        const int at = int(m_log.indexOf("listening on port ")) + 18;
        port = quint16(m_log.mid(at, m_log.indexOf('\n', at) - at).toUInt());
    }
    ~Server() {
        m_process.terminate();
        m_process.waitForFinished(10000);
    }
    long residentKb() {
        QFile f(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
        if (!f.open(QIODevice::ReadOnly)) return -1;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
        return -1;
    }
    // The server's last word on why it closed a connection, if it did.
    std::string closeReason() {
        m_log += m_process.readAllStandardError();
        const qsizetype at = m_log.lastIndexOf(" closed: ");
        if (at < 0) return "no reason logged";
        return m_log.mid(at + 9, m_log.indexOf('\n', at) - at - 9).toStdString();
    }
    std::unique_ptr<Client> join(const char* name) {
        auto c = std::make_unique<Client>(port, name);
        spinUntil([&] { return c->hasText(std::string("+") + name); });
        return c;
    }

    quint16 port = 0;

private:
    QProcess m_process;
    QByteArray m_log;
};

void row(const char* flood, long before, long after, const std::string& note) {
    std::printf("%-46s %8ld kB %8ld kB  %s\n", flood, before, after, note.c_str());
    std::fflush(stdout);
}

std::string waited(bool done, const QElapsedTimer& clock) {
    if (!done) return "more than " + std::to_string(kPatienceMs / 1000) + " s";
    return std::to_string(clock.elapsed()) + " ms";
}

void bareTerminators(const QString& binary) {
    Server server(binary);
    auto host = server.join("Host");
    auto flood = server.join("Flood");
    const long before = server.residentKb();
    flood->send(std::string(1000000, kTerminator));
    spinUntil([&] { return flood->sock.bytesToWrite() == 0; });
    QElapsedTimer clock;
    clock.start();
    flood->send(toServer::chat(flood->seat, "after the flood"));
    const bool done = spinUntil([&] { return host->hasText("after the flood"); });
    row("a million bare terminators", before, server.residentKb(),
        "the flooder's next line relayed after " + waited(done, clock));
}

// A socket that never reads, with a small receive window so that what it is sent piles up in
// the server rather than in this machine's buffers.
int deafSocket(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int small = 4096;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

// The deaf client sends at most one line a tick of the server's dispatcher, so that what
// closes it is what waits to be sent to it, not what it queued.
void nonReadingClient(const QString& binary, std::size_t lineBytes, int seconds,
                      const char* label) {
    Server server(binary);
    auto host = server.join("Host");
    const long before = server.residentKb();
    const int fd = deafSocket(server.port);
    spinUntil([] { return false; }, 200); // its CMD_sendlogininfo: number 2
    const std::string login = toServer::logininfo(2, kVersion, "Deaf");
    ::send(fd, login.data(), login.size(), MSG_NOSIGNAL);
    const std::string line = "CMD_chat+2+" + std::string(lineBytes, 'x') + "|clRed" + kTerminator;
    constexpr int kPaceMs = 12;
    QElapsedTimer clock;
    clock.start();
    std::size_t lines = 0;
    long peak = before;
    bool closed = false;
    while (clock.elapsed() < seconds * 1000 && !closed) {
        if (clock.elapsed() >= qint64(lines) * kPaceMs) {
            const ssize_t n = ::send(fd, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n == ssize_t(line.size()))
                ++lines;
            else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                closed = true;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        closed = closed || host->hasText("CMD_playerdisconnected+2+");
        peak = std::max(peak, server.residentKb());
    }
    const long elapsed = long(clock.elapsed());
    ::close(fd);
    spinUntil([] { return false; }, 500);
    row(label, before, peak,
        (closed ? "closed after " + std::to_string(elapsed) + " ms (" + server.closeReason() + ")"
                : "still open after " + std::to_string(elapsed / 1000) + " s") +
            ", " + std::to_string(lines) + " lines sent; " + std::to_string(server.residentKb()) +
            " kB once it left");
}

void reloginStorm(const QString& binary) {
    Server server(binary);
    auto host = server.join("Host");
    std::vector<std::unique_ptr<Client>> spies;
    for (int i = 0; i < 3; ++i) spies.push_back(server.join("Spy"));
    const long before = server.residentKb();
    Client& storm = *spies.back();
    std::string burst;
    for (int i = 0; i < 1500; ++i)
        burst += toServer::logininfo(storm.seat, kVersion, "Spy" + std::to_string(i));
    QElapsedTimer clock;
    clock.start();
    storm.send(burst);
    const bool done = spinUntil([&] { return host->hasText("+Spy1499"); });
    row("1,500 re-logins from one spectator", before, server.residentKb(),
        "all relayed after " + waited(done, clock));
}

void newcomerAfterFlooder(const QString& binary) {
    Server server(binary);
    auto host = server.join("Host");
    auto flood = server.join("Flood");
    const long before = server.residentKb();
    std::string burst;
    for (int i = 0; i < 10000; ++i) burst += toServer::chat(flood->seat, "flood|clRed");
    flood->send(burst);
    spinUntil([&] { return flood->sock.bytesToWrite() == 0; });
    spinUntil([&] { return host->hasText("flood|clRed"); });
    flood->sock.abort();
    spinUntil([&] { return host->hasText("CMD_playerdisconnected+2+"); });
    QElapsedTimer clock;
    clock.start();
    Client next(server.port, "Next");
    const bool done = spinUntil([&] { return host->hasText("CMD_newplayerinfo+2+Next"); });
    row("10,000 queued lines, then the flooder leaves", before, server.residentKb(),
        "the newcomer's login handled after " + waited(done, clock));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString binary = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QCoreApplication::applicationDirPath() +
                                          QStringLiteral("/../server/cribbage-server");
    std::printf("%-46s %11s %11s\n", "flood", "before", "after");
    bareTerminators(binary);
    nonReadingClient(binary, 60000, 20, "a client that never reads, 60 kB chat lines");
    nonReadingClient(binary, 500, 120, "a client that never reads, 500-byte chat lines");
    reloginStorm(binary);
    newcomerAfterFlooder(binary);
    return 0;
}
