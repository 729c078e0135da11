// The keyboard's modifier keys, held through the input queue so that a
// plug-in's GetAsyncKeyState sees them. Windows code.
#pragma once

namespace host_side {

// Holds Shift, Ctrl and Alt as given and releases the others, then waits
// until GetAsyncKeyState reports the new state: injected input may arrive
// asynchronously, as it does on Windows itself. Returns false when the
// state has not arrived after a second.
bool HoldModifierKeys(bool shift, bool ctrl, bool alt);

}  // namespace host_side
