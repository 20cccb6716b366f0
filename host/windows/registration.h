// Registration of the automation server: the class, its programmatic identifier, the dual
// interface (marshalled by the system's type-library marshaler, so no proxy DLL is needed)
// and the type library embedded in this program, each in both registry views, for 64-bit and
// for 32-bit clients.
//
// Per machine under HKEY_LOCAL_MACHINE\Software\Classes; per user under
// HKEY_CURRENT_USER\Software\Classes, which is what an account without administrator
// rights gets (or what it asks for).
#pragma once

#include <windows.h>

namespace orbelle::windows {

enum class RegistrationScope { kMachine, kUser };

// The machine when this process may write there, otherwise the user.
RegistrationScope DefaultRegistrationScope();

// Both return a Win32 error code (ERROR_SUCCESS when done).
LONG RegisterServer(RegistrationScope scope);
// Removes every key RegisterServer writes, from both scopes and both views where present.
LONG UnregisterServer();

}  // namespace orbelle::windows
