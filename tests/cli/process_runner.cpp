#include "process_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void redirect(const std::string& path, int flags, int target) {
    int fd = open(path.c_str(), flags, 0600);
    if (fd < 0 || dup2(fd, target) < 0) {
        _exit(126);
    }
    close(fd);
}

}  // namespace

TempFile::TempFile(const std::string& bytes) {
    char name[] = "/tmp/zentab-test-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) {
        throw std::runtime_error("mkstemp failed");
    }
    path_ = name;
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t put = write(fd, bytes.data() + written, bytes.size() - written);
        if (put <= 0) {
            close(fd);
            throw std::runtime_error("cannot write temporary file");
        }
        written += static_cast<size_t>(put);
    }
    close(fd);
}

TempFile::~TempFile() {
    unlink(path_.c_str());
}

ProcessRun run_zentab(const std::vector<std::string>& args, const std::string& input,
                      StdoutMode stdoutMode) {
    TempFile stdinFile(input);
    TempFile stdoutFile("");
    TempFile stderrFile("");
    std::vector<char*> argv;
    std::string program = ZENTAB_BINARY;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        redirect(stdinFile.path(), O_RDONLY, STDIN_FILENO);
        redirect(stderrFile.path(), O_WRONLY, STDERR_FILENO);
        if (stdoutMode == StdoutMode::Captured) {
            redirect(stdoutFile.path(), O_WRONLY, STDOUT_FILENO);
        } else if (stdoutMode == StdoutMode::DevFull) {
            redirect("/dev/full", O_WRONLY, STDOUT_FILENO);
        } else {
            close(STDOUT_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ProcessRun run;
    run.out = read_file(stdoutFile.path());
    run.err = read_file(stderrFile.path());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
