// The signals that ask a process to end (SIGTERM from a service manager or `kill`, SIGHUP when
// its session or terminal goes, SIGINT from Ctrl+C) turned into a Qt signal, so that the
// server ends the way it does when its window is closed: place and size stored, bus name given
// back, every call received answered.
#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace orbelle::host {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers for the life of the object (one object per process).
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  // One of the signals arrived (emitted from the event loop, not from the handler).
  void Received();

 private:
  void Drain();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orbelle::host
