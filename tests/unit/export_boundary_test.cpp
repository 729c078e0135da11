// The exported entry points keep their C signatures and cannot throw: a
// change to either breaks the build here, in the build that runs the tests,
// before any host would see it.
#include <type_traits>

#include "plugin/exports.h"

using namespace tolvek;

static_assert(std::is_same_v<decltype(&GetPluginInfo), PluginInfoRecord* (*)() noexcept>);
static_assert(std::is_same_v<decltype(&InitializePlugin), int (*)() noexcept>);
static_assert(std::is_same_v<decltype(&ShutdownPlugin), int (*)() noexcept>);
static_assert(std::is_same_v<decltype(&Help), int (*)(const char16_t*) noexcept>);
static_assert(std::is_same_v<decltype(&Usage), int (*)(const char16_t*, char16_t*) noexcept>);
static_assert(std::is_same_v<decltype(&tolvek::tolvek), int (*)(const char16_t*) noexcept>);
static_assert(std::is_same_v<decltype(&key), int (*)(KeystrokeRecord*) noexcept>);
