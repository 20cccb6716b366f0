#include "host/windows/server_lifetime.h"

#include <windows.h>
#include <objbase.h>

namespace orbelle::windows {

void HoldServer() { CoAddRefServerProcess(); }

void ReleaseServer() {
  if (CoReleaseServerProcess() == 0) PostQuitMessage(0);
}

}  // namespace orbelle::windows
