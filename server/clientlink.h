// One client connection as the server sees it: somewhere to send bytes to, something to close.
#pragma once

#include <cstddef>
#include <string>

// The server never talks to a socket directly: every byte it sends goes through a ClientLink.
// The real one wraps a TSock; tests attach links that record what was sent.
class ClientLink {
public:
    virtual ~ClientLink() = default;
    virtual void send(const std::string& message) = 0;
    // Ends the connection. The server has already forgotten the link when this returns, so an
    // implementation may report the close back (as a socket does) or stay silent.
    virtual void close() = 0;
    // Ends the connection at once and throws away what it had not sent yet: for a peer that
    // does not read, waiting to deliver its backlog would only keep the memory longer.
    virtual void drop() { close(); }
    // Bytes handed to send() that have not left for the peer yet.
    virtual std::size_t unsent() const { return 0; }
};
