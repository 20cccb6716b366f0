#include "host/windows/server_lifetime.h"

#include <objbase.h>
#include <windows.h>

namespace orbelle::windows {

void HoldServer() { CoAddRefServerProcess(); }

void ReleaseServer() {
  if (CoReleaseServerProcess() == 0) PostQuitMessage(0);
}

}  // namespace orbelle::windows
