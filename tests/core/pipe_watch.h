// A guard for tests that put a named pipe where a file belongs: should the
// game open the pipe and wait on it, the guard lets it go after a while and
// says so, so such a test fails instead of hanging.
#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace tw::test {

// While it lives, a reader that opened `fifo` and waits on it is let go
// within two seconds: the write end is opened (which only succeeds while a
// reader is waiting) and closed again, so the reader sees an empty file.
class PipeWatch {
 public:
  explicit PipeWatch(std::string fifo)
      : fifo_(std::move(fifo)), thread_([this] {
          for (int i = 0; i < 200 && !done_; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
          if (done_) return;
          const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
          if (fd >= 0) {
            readerWaited_ = true;
            ::close(fd);
          }
        }) {}
  ~PipeWatch() { Stop(); }
  PipeWatch(const PipeWatch&) = delete;
  PipeWatch& operator=(const PipeWatch&) = delete;

  // Ends the watch; true when someone had been waiting on the pipe.
  bool Stop() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
    return readerWaited_;
  }

 private:
  std::string fifo_;
  std::atomic<bool> done_{false};
  std::atomic<bool> readerWaited_{false};
  std::thread thread_;
};

}  // namespace tw::test
