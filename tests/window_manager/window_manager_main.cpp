// Starts Xvfb and openbox on a free display, then runs the tests in a QApplication on it.
// Qt asks the window manager what it supports when it connects, so the manager must be up
// first.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

// Starts `args` with its output discarded and `fd_3` (when given) as its descriptor 3; the
// child ends with this process, however this process ends.
pid_t Spawn(std::vector<std::string> args, int fd_3 = -1) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    if (fd_3 >= 0) dup2(fd_3, 3);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid < 0 ? 0 : pid;
}

// Starts Xvfb on a display it finds free; returns its process and sets DISPLAY.
pid_t StartXvfb() {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return 0;
  const pid_t xvfb = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-dpi", "96", "-nolisten", "tcp"},
                           pipe_fds[1]);
  close(pipe_fds[1]);
  std::string number;
  char c = 0;
  while (xvfb && read(pipe_fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(pipe_fds[0]);
  if (number.empty()) return 0;
  setenv("DISPLAY", (":" + number).c_str(), 1);
  return xvfb;
}

bool Succeeds(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

bool WaitFor(const std::string& command) {
  for (int i = 0; i < 100; ++i) {
    if (Succeeds(command)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

void End(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
  const pid_t xvfb = StartXvfb();
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  pid_t openbox = 0;
  if (xvfb && WaitFor("xdpyinfo")) {
    openbox = Spawn({"openbox", "--sm-disable"});
    WaitFor("xprop -root _NET_SUPPORTED | grep -q _NET_FRAME_EXTENTS");
  }
  int status = 1;
  {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    status = RUN_ALL_TESTS();
  }
  End(openbox);
  End(xvfb);
  return status;
}
