#include "platform/linux/font_pages.h"

#include <sys/mman.h>

#include <cstdio>
#include <string_view>

namespace platform::os {
namespace {

bool FontFile(std::string_view path) {
  return path.ends_with(".ttf") || path.ends_with(".ttc") || path.ends_with(".otf") ||
         path.ends_with(".otc") || path.ends_with(".pfb");
}

}  // namespace

void ReleaseFontFilePages() {
  std::FILE* maps = std::fopen("/proc/self/maps", "re");
  if (!maps) return;
  char line[4096];
  while (std::fgets(line, sizeof line, maps)) {
    unsigned long start = 0;
    unsigned long end = 0;
    char permissions[8] = "";
    char path[4096] = "";
    if (std::sscanf(line, "%lx-%lx %7s %*s %*s %*s %4095s", &start, &end, permissions, path) != 4) {
      continue;
    }
    // Only mappings nobody can have written to: dropping their pages loses nothing.
    if (std::string_view(permissions).substr(0, 3) != "r--" || !FontFile(path)) continue;
    madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
  }
  std::fclose(maps);
}

}  // namespace platform::os
