#include "game/maint/pause_point.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

namespace trv::maint {

void PausePoint(const char* point) {
  const char* wanted = getenv(kPauseVariable);
  if (wanted == nullptr || strcmp(wanted, point) != 0) return;
  const std::string marker = std::string(point) + ".paused";
  FILE* file = fopen(marker.c_str(), "w");
  if (file == nullptr) return;
  fclose(file);
  while (access(marker.c_str(), F_OK) == 0) usleep(10000);
}

}  // namespace trv::maint
