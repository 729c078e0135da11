// Which generation of the host the plug-in serves, settled at start-up.
#pragma once

// The host's major version; 0 when the host gave no number from 8 to 100.
extern int HostVersion;

// Set from host version 24 on: the extended key table, keys given by name,
// and the Ctrl+Alt+Shift combination.
extern bool ExtendedKeyMode;
