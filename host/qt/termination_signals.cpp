#include "host/qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace orbelle::host {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The self-pipe: a handler may only call async-signal-safe functions, so it writes one byte
// and the event loop, woken by the read end, does the rest.
int pipe_ends[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(pipe_ends[1], &byte, 1);  // full pipe: one is pending already
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (pipe2(pipe_ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(pipe_ends[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kSignals) sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  if (!notifier_) return;
  for (const int signal : kSignals) std::signal(signal, SIG_DFL);
  delete notifier_;
  for (int& end : pipe_ends) {
    close(end);
    end = -1;
  }
}

void TerminationSignals::Drain() {
  char bytes[16];
  while (read(pipe_ends[0], bytes, sizeof bytes) > 0) {
  }
  emit Received();
}

}  // namespace orbelle::host
