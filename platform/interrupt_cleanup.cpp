// SPDX-License-Identifier: GPL-2.0-or-later
// Removing temporary files on an interruption.
#include "platform/interrupt_cleanup.h"

#include <array>
#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <csignal>
#endif

namespace brelvo::platform {
namespace {

// The handler may only read what it finds here: lock-free pointers to characters that stay
// unchanged while registered.
std::array<std::atomic<const char*>, 8> registered{};

void RemoveRegistered() {
    for (auto& slot : registered) {
        const char* path = slot.load();
        if (path == nullptr) continue;
#ifdef _WIN32
        ::DeleteFileA(path);  // fails for a file still open; nothing else can be done then
#else
        ::unlink(path);  // async-signal-safe, unlike anything that allocates
#endif
    }
}

#ifdef _WIN32
BOOL WINAPI OnConsoleEvent(DWORD) {
    RemoveRegistered();
    return FALSE;  // the default handling ends the process
}
#else
extern "C" void OnInterrupt(int signal) {
    RemoveRegistered();
    // The action is back to its default (SA_RESETHAND): the signal ends the process as it
    // would have without this handler, with the status the caller expects.
    ::raise(signal);
}
#endif

}  // namespace

void RemoveRegisteredFilesOnInterrupt() {
#ifdef _WIN32
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        // A signal ignored by whoever started the process (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
#endif
}

RemovedOnInterrupt::RemovedOnInterrupt(std::string path) : path_(std::move(path)) {
    for (std::size_t k = 0; k < registered.size(); ++k) {
        const char* expected = nullptr;
        if (registered[k].compare_exchange_strong(expected, path_.c_str())) {
            slot_ = static_cast<int>(k);
            return;
        }
    }
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
    if (slot_ >= 0) registered[static_cast<std::size_t>(slot_)].store(nullptr);
}

}  // namespace brelvo::platform
