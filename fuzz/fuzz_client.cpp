// Fuzzes the client's dispatch on the offscreen platform: bytes from the server (raw or as whole
// messages), the queue worked off by Timer1, and the local player's clicks in between, so every
// handler and the hand row run on whatever the server might say.
#include "client/prompts.h"
#include "client/tchat.h"
#include "net/message.h"
#include "rules/random.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_client: %s\n", what);
        std::abort();
    }
}

class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_at >= m_size; }
    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::string_view bytes(std::size_t n) {
        n = std::min(n, m_size - m_at);
        const std::string_view out(reinterpret_cast<const char*>(m_data + m_at), n);
        m_at += n;
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

constexpr int kTickLimit = 4096;

// What the client sends the server: whole messages, the login's two terminators included.
void checkSent(const std::string& message) {
    check(message.size() > 4 && message.compare(0, 4, "CMD_") == 0, "a message without a command");
    check(message.back() == net::kTerminator, "a message without its terminator");
    const std::size_t first = message.find(net::kTerminator);
    const bool login = message.compare(0, 14, "CMD_logininfo+") == 0;
    check(first == message.size() - 1 || (login && first == message.size() - 2),
          "a terminator inside a message: the server would cut it in two");
}

// Message boxes and questions answered at once.
struct Quiet : Prompts {
    void tell(QWidget*, const QString&) override {}
    bool ask(QWidget*, const QString&) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: other statics (the painted pictures) must not outlive it at exit.
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    return 0;
}

// Building the main window takes about 100 ms under the sanitizers, a thousand times what one
// input takes, so one window serves a batch of inputs: each starts from a cleared table and an
// empty queue, and a window that closed (CMD_full) or served its batch is replaced. A finding
// that needs what an earlier input of the batch left behind shows when the batch is replayed.
constexpr int kBatch = 1000;

struct Window {
    std::unique_ptr<Tchat> chat;
    bool closed = false;
    int served = 0;
};

Tchat& window(Window& w) {
    if (!w.chat || w.closed || w.served >= kBatch) {
        w.chat = std::make_unique<Tchat>();
        w.closed = false;
        w.served = 0;
        static Quiet quiet;
        w.chat->setPrompts(&quiet);
        QObject::connect(w.chat.get(), &Tchat::messageSent, checkSent);
        QObject::connect(w.chat.get(), &Tchat::closed, [&w] { w.closed = true; });
    }
    ++w.served;
    // What the last input left unterminated is ended here, and with the rest of its queue
    // dispatched before this input begins.
    w.chat->receiveBytes(QByteArray(1, net::kTerminator));
    while (w.chat->queueSize() && !w.closed) w.chat->processsocktimer();
    w.chat->clearall();
    return *w.chat;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rules::setRandomSeed(12345);
    // Kept until the process ends, like the application.
    static Window& w = *new Window;
    Tchat* chat = &window(w);
    bool& closed = w.closed;
    Script in(data, size);

    auto drain = [&chat] {
        for (int i = 0; i < kTickLimit && chat->queueSize(); ++i) chat->Timer1Timer();
    };
    while (!in.atEnd() && !closed) {
        const std::uint8_t op = in.byte();
        const int kind = op % 8;
        const int arg = op / 8;
        switch (kind) {
        case 0: { // raw bytes: one length byte, then that many
            const std::string_view bytes = in.bytes(in.byte());
            chat->receiveBytes(QByteArray(bytes.data(), qsizetype(bytes.size())));
            break;
        }
        case 1:
            for (int i = 0; i <= arg; ++i) chat->Timer1Timer();
            break;
        case 2:
            drain();
            break;
        case 3: { // one whole message straight into the queue
            const std::string_view text = in.bytes(in.byte());
            chat->queueMessage(std::string(text));
            break;
        }
        case 4: // a click on hand position 1..6 (7 and 8: none held), left or right button
            chat->cardimagesMouseDown(arg % 8 + 1, arg / 8 % 2 ? Qt::RightButton : Qt::LeftButton);
            break;
        case 5:
            chat->button_okClick();
            break;
        case 6:
            chat->button_doneClick();
            break;
        case 7:
            if (arg % 2)
                chat->sortHand();
            else
                chat->image_peg11MouseMove(arg / 2 % 6, arg / 12 % 3);
            break;
        }
    }
    if (!closed) drain();
    return 0;
}
