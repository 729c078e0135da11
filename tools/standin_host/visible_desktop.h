// Whether a window that the plug-in opens, such as its help box, can be seen
// by the user. Windows code.
#pragma once

#include <string>

namespace standin {

// Empty when a window can be seen; otherwise why not: the process's window
// station has no visible desktop (a service, for example), or it runs under
// Wine without a display to show windows on.
std::u16string WhyNoWindowCanBeSeen();

}  // namespace standin
