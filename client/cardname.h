// Cards as a player says them ("Five of Hearts"), for screen readers.
#pragma once

#include <QString>

// The name of a card code 1..52; an empty text for anything else.
QString cardName(int code);
