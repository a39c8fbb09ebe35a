#include "document_testing.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace document_testing {

bool have_program(const std::string& program) {
    const std::string command = "command -v '" + program + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

RunResult run_program(const std::vector<std::string>& argv, std::string_view input) {
    char inName[] = "/tmp/zentab-doc-in-XXXXXX";
    char outName[] = "/tmp/zentab-doc-out-XXXXXX";
    const int inFd = mkstemp(inName);
    const int outFd = mkstemp(outName);
    RunResult result;
    if (inFd < 0 || outFd < 0) {
        return result;
    }
    if (write(inFd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
        return result;
    }
    const pid_t child = fork();
    if (child == 0) {
        lseek(inFd, 0, SEEK_SET);
        dup2(inFd, STDIN_FILENO);
        dup2(outFd, STDOUT_FILENO);
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream out(outName, std::ios::binary);
    std::ostringstream bytes;
    bytes << out.rdbuf();
    result.out = bytes.str();
    close(inFd);
    close(outFd);
    unlink(inName);
    unlink(outName);
    return result;
}

std::string formatted(std::string_view text, DocumentKind kind, WidthModel model) {
    DocumentRequest request;
    request.text = text;
    request.kind = kind;
    request.widthModel = model;
    DocumentOutcome outcome = format_document(request);
    EXPECT_TRUE(outcome.ok()) << describe_refusal(outcome.refusal);
    return outcome.text;
}

}  // namespace document_testing
