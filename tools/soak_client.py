#!/usr/bin/env python3
# Soak client for cribbage-server: nine loopback connections in one process, games back to back,
# players leaving and rejoining at random, until the given time is up. Prints one summary line.
import argparse
import random
import selectors
import socket
import struct
import sys
import time

TERM = b"\xff"


class Conn:
    def __init__(self, index):
        self.index = index
        self.sock = None
        self.buf = b""
        self.seat = 0
        self.name = "Soak%d" % index
        self.rejoin_at = 0.0
        self.refused = False


class Soak:
    def __init__(self, port, duration, seed):
        self.port = port
        self.deadline = time.monotonic() + duration
        self.rng = random.Random(seed)
        self.sel = selectors.DefaultSelector()
        self.conns = [Conn(i) for i in range(9)]
        self.games = 0
        self.received = 0
        self.sent = 0
        self.leaves = 0
        # A client that rejoins at once can reach the server before its own close does; with
        # all nine numbers still taken the server then refuses it as full. Counted, not an error.
        self.full_on_rejoin = 0
        self.errors = []
        self.last_progress = time.monotonic()
        self.game_running = False
        self.chat_serial = 0
        self.chat_pending = None  # (text, sent at)

    # ---- connections -------------------------------------------------------------------------

    def connect(self, c):
        s = socket.create_connection(("127.0.0.1", self.port), timeout=5)
        s.setblocking(False)
        c.sock, c.buf, c.seat = s, b"", 0
        self.sel.register(s, selectors.EVENT_READ, c)

    def drop(self, c, reset):
        self.sel.unregister(c.sock)
        if reset:
            # Linger 0: the close sends a reset instead of a FIN.
            c.sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        c.sock.close()
        c.sock = None
        c.seat = 0
        self.leaves += 1

    def send(self, c, text):
        data = text.encode() + TERM
        try:
            c.sock.setblocking(True)
            c.sock.settimeout(5)
            c.sock.sendall(data)
            c.sock.setblocking(False)
        except OSError as e:
            self.errors.append("send on %s failed: %s" % (c.name, e))
            return
        self.sent += 1

    # ---- messages ----------------------------------------------------------------------------

    def handle(self, c, msg):
        self.received += 1
        text = msg.decode("utf-8", "replace")
        command, _, args = text.partition("+")
        fields = args.split("+")
        if command == "CMD_sendlogininfo":
            c.seat = int(args)
            self.send(c, "CMD_logininfo+%d+2.0.8+%s" % (c.seat, c.name))
            # A seat taken over mid-game is the player's again: hand it back to the computer.
            if c.seat <= 4:
                self.send(c, "CMD_justwatch+%d+1" % c.seat)
        elif command == "CMD_full" and c.seat == 0 and c.index != 0:
            self.full_on_rejoin += 1
            c.refused = True
        elif command in ("CMD_full", "CMD_wrongversion"):
            self.errors.append("%s got %s" % (c.name, command))
        elif command == "CMD_startgame":
            if 1 <= c.seat <= 4:
                self.send(c, "CMD_justwatch+%d+1" % c.seat)
        elif command == "CMD_final":
            if fields[0] not in ("", "0"):
                self.send(c, "CMD_clickdone+%s+" % fields[0])
        elif command == "CMD_winner":
            if c.seat == 1:
                self.games += 1
                self.game_running = False
                self.last_progress = time.monotonic()
        elif command == "CMD_chat" and c.seat == 1 and self.chat_pending:
            if args.endswith(self.chat_pending[0]):
                self.chat_pending = None
        elif command == "":
            self.errors.append("%s got a message without a command: %r" % (c.name, text[:60]))

    def read(self, c):
        try:
            data = c.sock.recv(65536)
        except ConnectionResetError:
            data = b""
        except BlockingIOError:
            return
        if not data:
            if not c.refused:
                self.errors.append("%s (seat %d) was closed by the server" % (c.name, c.seat))
            c.refused = False
            self.sel.unregister(c.sock)
            c.sock.close()
            c.sock = None
            c.rejoin_at = time.monotonic() + 0.05
            return
        c.buf += data
        while TERM in c.buf:
            msg, c.buf = c.buf.split(TERM, 1)
            if msg:
                self.handle(c, msg)

    # ---- the run -----------------------------------------------------------------------------

    def run(self):
        host = self.conns[0]
        self.connect(host)
        # The host must hold seat 1 before anybody else connects.
        while host.seat != 1:
            for key, _ in self.sel.select(1.0):
                self.read(key.data)
            if time.monotonic() > self.deadline:
                self.errors.append("the host never got seat 1")
                return
        for c in self.conns[1:]:
            self.connect(c)
        next_churn = time.monotonic() + 0.2
        while True:
            now = time.monotonic()
            if now >= self.deadline:
                break
            for key, _ in self.sel.select(0.01):
                if key.data.sock is not None:
                    self.read(key.data)
            if not self.game_running and host.sock is not None:
                self.send(host, "CMD_startgame+Soak0+%d+%d+" % (
                    self.rng.choice((1, 2)), self.rng.randint(1, 4)))
                self.game_running = True
            if now >= next_churn:
                next_churn = now + self.rng.uniform(0.05, 0.5)
                c = self.rng.choice(self.conns[1:])
                if c.sock is not None:
                    self.drop(c, reset=self.rng.random() < 0.5)
                    c.rejoin_at = now + self.rng.uniform(0.0, 0.3)
                if self.chat_pending is None and host.sock is not None:
                    self.chat_serial += 1
                    self.chat_pending = ("ping %d|clBlack" % self.chat_serial, now)
                    self.send(host, "CMD_chat+1+" + self.chat_pending[0])
            for c in self.conns[1:]:
                if c.sock is None and now >= c.rejoin_at:
                    try:
                        self.connect(c)
                    except OSError as e:
                        self.errors.append("%s could not reconnect: %s" % (c.name, e))
                        c.rejoin_at = now + 1
            if self.chat_pending and now - self.chat_pending[1] > 10:
                self.errors.append("chat line %r not relayed within 10 s" % self.chat_pending[0])
                self.chat_pending = None
            if now - self.last_progress > 30:
                self.errors.append("no winner for 30 s (after %d games)" % self.games)
                self.last_progress = now
                self.game_running = False


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--port", type=int, required=True)
    ap.add_argument("--duration", type=float, default=600)
    ap.add_argument("--seed", type=int, default=1)
    a = ap.parse_args()
    soak = Soak(a.port, a.duration, a.seed)
    soak.run()
    for e in soak.errors[:20]:
        print("error: " + e)
    print("games=%d received=%d sent=%d leaves=%d full_on_rejoin=%d errors=%d" % (
        soak.games, soak.received, soak.sent, soak.leaves, soak.full_on_rejoin,
        len(soak.errors)))
    return 1 if soak.errors else 0


if __name__ == "__main__":
    sys.exit(main())
