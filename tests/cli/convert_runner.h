// The built vorel-convert (VOREL_CONVERT_PATH) run as a user runs it (POSIX:
// fork and exec).
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "scratch_dir.h"

namespace clitest {

struct Result {
  int status = -1;  // exit status, or 128 + signal
  std::string out, err;
};

// One run of vorel-convert, started by the constructor: standard input from
// stdin_bytes (a file, or a pipe when piped), standard output and errors into
// files in dir until wait() collects them.
class ConvertRun {
 public:
  ConvertRun(const fs::path& dir, const std::vector<std::string>& args, const std::string& stdin_bytes = "",
             bool piped = false)
      : in_(dir / ".stdin"), out_(dir / ".stdout"), err_(dir / ".stderr") {
    write(in_, stdin_bytes);
    int pipe_fds[2] = {-1, -1};
    if (piped && pipe(pipe_fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      int fin = piped ? pipe_fds[0] : open(in_.c_str(), O_RDONLY);
      if (piped) close(pipe_fds[1]);
      int fout = open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      int ferr = open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fin, 0);
      dup2(fout, 1);
      dup2(ferr, 2);
      std::vector<char*> argv{const_cast<char*>(VOREL_CONVERT_PATH)};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(VOREL_CONVERT_PATH, argv.data());
      _exit(127);
    }
    if (piped) {
      close(pipe_fds[0]);
      for (std::size_t done = 0; pid_ > 0 && done < stdin_bytes.size();) {
        ssize_t n = ::write(pipe_fds[1], stdin_bytes.data() + done, stdin_bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
      }
      close(pipe_fds[1]);
    }
  }
  ConvertRun(const ConvertRun&) = delete;
  ConvertRun& operator=(const ConvertRun&) = delete;
  ~ConvertRun() {
    if (pid_ > 0) wait();
  }

  // Waits for the program to end; its exit status and what it printed.
  Result wait() {
    Result r;
    if (pid_ > 0) {
      int wstatus = 0;
      waitpid(pid_, &wstatus, 0);
      r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    }
    pid_ = -1;
    r.out = read(out_);
    r.err = read(err_);
    std::error_code ec;
    fs::remove(in_, ec);
    fs::remove(out_, ec);
    fs::remove(err_, ec);
    return r;
  }

 private:
  fs::path in_, out_, err_;
  pid_t pid_ = -1;
};

inline Result run_convert(const fs::path& dir, const std::vector<std::string>& args,
                          const std::string& stdin_bytes = "", bool piped = false) {
  return ConvertRun(dir, args, stdin_bytes, piped).wait();
}

}  // namespace clitest
