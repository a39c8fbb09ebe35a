// Runs the built zentab binary as a child process, as a user would.
#pragma once

#include <string>
#include <vector>

struct ProcessRun {
    std::string out;
    std::string err;
    int exitCode = -1;  // -1 when the process ended by a signal
};

enum class StdoutMode { Captured, Closed, DevFull };

ProcessRun run_zentab(const std::vector<std::string>& args, const std::string& input,
                      StdoutMode stdoutMode = StdoutMode::Captured);

// A temporary file holding bytes, removed when the object goes.
class TempFile {
  public:
    explicit TempFile(const std::string& bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};
