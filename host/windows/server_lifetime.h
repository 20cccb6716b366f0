// When the server process ends: every object and every server lock (IClassFactory::LockServer)
// holds the process, and so does the window while it is open. The last release ends the
// message loop, so the process ends when the window is closed and no client holds an
// instance. COM suspends the class object at the same moment, so a client that asks then
// starts a new process rather than reaching one that is ending.
#pragma once

namespace orbelle::windows {

void HoldServer();
void ReleaseServer();

}  // namespace orbelle::windows
