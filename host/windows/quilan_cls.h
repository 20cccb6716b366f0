// The automation class QuilanCls and its class object.
//
// QuilanCls keeps no data of its own: creating it runs Class_Initialize on the process's one
// server state, and its one member, the write-only property Data, hands the text to the one
// window. IDispatch is served from the type library embedded in this program, so late-bound
// clients (VBScript, the suite's programs) and vtable clients see the same member.
//
// A text that holds no date fails the assignment with kRequestError (Visual Basic's "Type
// mismatch", error 13, which such clients know) and an error description that names the
// text; a floating-point fault of the calculation with kCalculationError ("Overflow", error
// 6). Either way the window keeps its table.
#pragma once

#include <windows.h>

#include "host/windows/quilan_server.h"

namespace orbelle::windows {

inline constexpr HRESULT kRequestError = static_cast<HRESULT>(0x800A000DL);
inline constexpr HRESULT kCalculationError = static_cast<HRESULT>(0x800A0006L);

// The class object registered with COM for CLSID_QuilanCls. Returns nullptr when the type
// library cannot be loaded from the program's own file.
IClassFactory* CreateQuilanClassFactory(QuilanServer& server);

}  // namespace orbelle::windows
