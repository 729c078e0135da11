#include "host/host_generation.h"

int HostVersion = 0;
bool ExtendedKeyMode = false;
