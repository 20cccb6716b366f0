// The subcommands of `orbelle-angles` that use the window or the session bus.
#pragma once

#include <QStringList>

namespace orbelle::host {

// `serve`: the automation server (what the bus starts on a client's first call).
int ServeCommand(const QStringList& args);
// `send REQUEST`: creates an instance over the bus, assigns Data, releases the instance;
// an error reply goes to standard error with exit status 1.
int SendCommand(const QStringList& args);
// `show [REQUEST]`: the same, for REQUEST or the current local date and time, and the window
// raised: what the desktop menu entry runs.
int ShowCommand(const QStringList& args);
// `render --png FILE REQUEST`: the window with the table for REQUEST, drawn offscreen.
int RenderCommand(const QStringList& args);

// Whether `command` needs a QApplication (a window system) rather than a QCoreApplication,
// and the platform it should use: offscreen for render, and for serve when no display is
// there. Call before the application object is made.
bool PrepareGuiPlatform(const QString& command);

}  // namespace orbelle::host
