// The message format in one include: the framing and the protocol's builders and readers.
#pragma once

#include "net/framing.h"
#include "net/protocol.h"
