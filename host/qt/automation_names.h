// Names of the automation server on the D-Bus session bus.
//
// The bus name is the class's programmatic identifier, library name and class name. The
// application object makes instances of the class; every instance is an object with the
// write-only string property Data. The predeclared global instance is initialised on first
// use, as a global class's implicit object is.
#pragma once

namespace orbelle::host {

inline constexpr const char* kBusName = "OrbelleAngles.QuilanCls";
inline constexpr const char* kApplicationPath = "/OrbelleAngles";
// CreateInstance() -> o: a new instance (runs Class_Initialize); Activate(): restores and
// raises the window (asked by a second copy of the program).
inline constexpr const char* kApplicationInterface = "OrbelleAngles.Application";
inline constexpr const char* kInstancesPath = "/OrbelleAngles/QuilanCls";
inline constexpr const char* kGlobalInstancePath = "/OrbelleAngles/QuilanCls/Global";
// Property Data (s, write only); Release().
inline constexpr const char* kClassInterface = "OrbelleAngles._QuilanCls";
inline constexpr const char* kDataProperty = "Data";

// Error replies.
inline constexpr const char* kRequestErrorName = "OrbelleAngles.Error.Request";
inline constexpr const char* kNotInstalledErrorName = "OrbelleAngles.Error.NotInstalled";
inline constexpr const char* kWriteOnlyErrorName = "OrbelleAngles.Error.WriteOnlyProperty";
// A call that reached the server after it began to end (its window closed with no instance
// held, a signal, the desktop session ending): the bus name is already given back, and the
// same call again starts a new server.
inline constexpr const char* kEndingErrorName = "OrbelleAngles.Error.Ending";
// CreateInstance by a client that holds kMostInstancesPerClient instances already.
inline constexpr const char* kTooManyInstancesErrorName = "OrbelleAngles.Error.TooManyInstances";

// The live instances one client connection may hold (the global instance not counted). A
// program needs one or a few; the cap keeps a client that never releases from growing the
// server without bound (about 300 bytes an instance).
inline constexpr int kMostInstancesPerClient = 256;

}  // namespace orbelle::host
