#include "platform/thread_priority.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace kv {

void lowerThisThreadPriority()
{
#ifdef Q_OS_LINUX
    // A quarter of the weight of a normal thread: it still finishes soon on a busy machine.
    constexpr int Niceness = 6;
    thread_local bool lowered = false;
    if (lowered)
        return;
    lowered = true;
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    setpriority(PRIO_PROCESS, tid, qMax(getpriority(PRIO_PROCESS, tid), Niceness));
#endif
}

} // namespace kv
