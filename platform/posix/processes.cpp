#include "platform/posix/processes.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/posix/command_interpreter.h"

extern char** environ;

namespace platform::posix {
namespace {

// Waits for a spawned child on a thread of its own, so no zombie is left behind and the
// caller does not wait.
void ReapInBackground(pid_t child) {
    std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

class CommandThread : public Process {
  public:
    CommandThread(PosixPlatform platform, std::string commandLine)
        : platform_(std::move(platform)), commandLine_(std::move(commandLine)), thread_([this] {
              const int exitCode = RunCommandLine(platform_, commandLine_, leftOut_);
              std::lock_guard lock(mutex_);
              exitCode_ = exitCode;
              ended_ = true;
              endedChanged_.notify_all();
          }) {}
    ~CommandThread() override { CommandThread::wait(); }

    int wait() override {
        if (thread_.joinable())
            thread_.join();
        return exitCode_;
    }

    bool waitFor(std::chrono::milliseconds timeout) override {
        std::unique_lock lock(mutex_);
        return endedChanged_.wait_for(lock, timeout, [this] { return ended_; });
    }

    // Empty until the command has ended; the worker writes it only before it says so.
    UnnamedEntries leftOut() const override {
        std::lock_guard lock(mutex_);
        return ended_ ? leftOut_ : UnnamedEntries{};
    }

  private:
    const PosixPlatform platform_;
    const std::string commandLine_;
    mutable std::mutex mutex_;
    std::condition_variable endedChanged_;
    bool ended_ = false;
    int exitCode_ = 1;
    UnnamedEntries leftOut_;  // the worker's alone until ended_
    std::thread thread_;      // last: starts once everything it reads is in place
};

}  // namespace

std::unique_ptr<Process> StartCommandThread(PosixPlatform platform, std::string commandLine) {
    return std::make_unique<CommandThread>(std::move(platform), std::move(commandLine));
}

bool SpawnDetached(const char* program, std::string argument) {
    std::string name(program);
    char* arguments[] = {name.data(), argument.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) != 0)
        return false;
    ReapInBackground(child);
    return true;
}

}  // namespace platform::posix
