#pragma once

namespace tolvera {

// An audit asks about hundreds of sites at once, a socket each: raises the soft
// limit of open files, which many desktops start programs with at 1024, as far as
// the hard limit allows (65536 at most). Nothing happens when it cannot.
void raiseOpenFileLimit();

} // namespace tolvera
