// SPDX-License-Identifier: GPL-2.0-or-later
// Detached process start: fork twice and exec on POSIX, CreateProcess on Windows.
#include "platform/process_start.h"

#include "platform/io_error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace brelvo::platform {

#ifdef _WIN32

namespace {

// Narrow paths are in the ANSI code page here, as fopen, std::filesystem and the rest of
// platform/ read them, so a path found by one of those starts the same file.
std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string SystemReason(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length != 0 ? std::string(text, length) : "error " + std::to_string(code);
    if (text != nullptr) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    return reason;
}

}  // namespace

StartResult StartDetached(const ProcessLaunch& launch) {
    if (launch.program.empty()) return {false, "no program given"};
    // The program is named separately so a folder with blanks in it cannot split the line.
    const std::wstring program = Widen(launch.program);
    std::wstring line = Widen(launch.commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(launch.windowStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return {false, SystemReason(GetLastError())};
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {true, {}};
}

#else

namespace {

// Only async-signal-safe calls from here on: the caller may have other threads.
[[noreturn]] void ReportAndExit(int pipeEnd, int error) {
    [[maybe_unused]] const ssize_t written = write(pipeEnd, &error, sizeof error);
    _exit(127);
}

void ResetSignals() {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(SIGPIPE, &standard, nullptr);
    sigaction(SIGCHLD, &standard, nullptr);
}

}  // namespace

StartResult StartDetached(const ProcessLaunch& launch) {
    if (launch.program.empty()) return {false, "no program given"};
    // argv is built before fork: the children may not allocate.
    std::vector<std::string> texts;
    texts.reserve(launch.arguments.size() + 1);
    texts.push_back(launch.program);
    texts.insert(texts.end(), launch.arguments.begin(), launch.arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);

    // The pipe stays open until exec succeeds (close-on-exec) or carries exec's errno.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return {false, ErrnoReason(errno)};
    const pid_t middle = fork();
    if (middle < 0) {
        const int error = errno;
        close(fds[0]);
        close(fds[1]);
        return {false, ErrnoReason(error)};
    }
    if (middle == 0) {
        // The middle process exits at once, so the program is adopted by init and never
        // lingers as our zombie; its own session keeps it alive when the caller ends.
        close(fds[0]);
        setsid();
        const pid_t child = fork();
        if (child < 0) ReportAndExit(fds[1], errno);
        if (child == 0) {
            ResetSignals();
            execv(argv[0], argv.data());
            ReportAndExit(fds[1], errno);
        }
        _exit(0);
    }
    close(fds[1]);
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    int childError = 0;
    ssize_t got = 0;
    do {
        got = read(fds[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    const int readError = errno;
    close(fds[0]);
    if (got == static_cast<ssize_t>(sizeof childError)) return {false, ErrnoReason(childError)};
    if (got != 0) return {false, got < 0 ? ErrnoReason(readError) : "start not confirmed"};
    return {true, {}};
}

#endif

}  // namespace brelvo::platform
