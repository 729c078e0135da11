// The scan over the edit line, with the block classifier of the target.
#include "edit/argument_scanner.h"

#include <cstdint>

#include "edit/boundary_scan.h"
#include "edit/scan_blocks.h"

namespace tolvek {

std::int32_t FindArgumentBoundary(const char16_t* line, std::int32_t length, std::int32_t cursor, int mode,
                                  char16_t escape) {
    return ScanForBoundary<ClassifyScanBlock>(line, length, cursor, mode, escape);
}

}  // namespace tolvek
