#include "platform/toolchain.h"

#include <string_view>

#define QUILLET_STRINGIFY_(x) #x
#define QUILLET_STRINGIFY(x) QUILLET_STRINGIFY_(x)

namespace plat {

std::string ToolchainName() {
#if defined(__clang__)
#  if defined(__apple_build_version__)
  std::string name = "Apple Clang ";
#  else
  std::string name = "Clang ";
#  endif
  name += QUILLET_STRINGIFY(__clang_major__) "." QUILLET_STRINGIFY(__clang_minor__) "."
      QUILLET_STRINGIFY(__clang_patchlevel__);
  return name;
#elif defined(__GNUC__)
  // __VERSION__ rather than __GNUC_MINOR__ and __GNUC_PATCHLEVEL__: some
  // distributions build GCC with a version text of their own ("12-posix")
  // and leave those two at 0. Anything after the first blank (a build date,
  // a vendor note) is left out.
  const std::string_view version = __VERSION__;
#  if defined(__MINGW64__)
  std::string name = "MinGW-w64 GCC ";
#  elif defined(__MINGW32__)
  std::string name = "MinGW GCC ";
#  else
  std::string name = "GCC ";
#  endif
  name += version.substr(0, version.find(' '));
  return name;
#elif defined(_MSC_FULL_VER)
  return "MSVC " QUILLET_STRINGIFY(_MSC_FULL_VER);
#else
  return "an unnamed C++ compiler";
#endif
}

}  // namespace plat
