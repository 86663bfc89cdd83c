// One client connection as the server sees it: somewhere to send bytes to, something to close.
#pragma once

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
};
