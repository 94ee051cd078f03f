// SPDX-License-Identifier: GPL-2.0-or-later
// Files to remove when the process is interrupted (Ctrl-C, SIGTERM, a closed terminal):
// the temporary files of work under way, which unwinding cannot reach then. The programs'
// entries install the handlers once; a writer keeps its temporary file registered while it
// exists.
#pragma once

#include <string>

namespace brelvo::platform {

// Installs the handlers: on an interruption, every registered file is removed and the process
// then ends as the signal would have ended it.
void RemoveRegisteredFilesOnInterrupt();

// Keeps a path registered for removal on an interruption while it lives. A few can be
// registered at once; beyond that the path is not registered (the file is then left behind
// by an interruption, as without this).
class RemovedOnInterrupt {
  public:
    explicit RemovedOnInterrupt(std::string path);
    ~RemovedOnInterrupt();
    RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
    RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

  private:
    std::string path_;  // never changed while registered: the handler reads its characters
    int slot_ = -1;
};

}  // namespace brelvo::platform
