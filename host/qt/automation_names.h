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

}  // namespace orbelle::host
