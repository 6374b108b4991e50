// Telling ThreadSanitizer about a hand-off between threads that happens
// inside Qt. A service's thread fills a buffer and posts a notification; the
// component reads both on its own thread after Qt's event queue delivered
// the event. The queue's lock orders the two, but Qt is not built with
// ThreadSanitizer, so it cannot see that lock and would report every buffer
// and every notification as a race. The sender marks the object it hands
// over, the receiver marks it taken before touching it, and the sanitizer
// orders everything the sender did before the mark.
//
// In builds without ThreadSanitizer both calls are empty. Any thread.
#pragma once

#if defined(__SANITIZE_THREAD__)
#define MORAVEL_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define MORAVEL_THREAD_SANITIZER 1
#endif
#endif

#ifdef MORAVEL_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace moravel {

/// The sender's side: everything this thread did so far happens before the
/// receiver's HandOffTaken(`token`).
inline void HandOffSent([[maybe_unused]] const void* token) {
#ifdef MORAVEL_THREAD_SANITIZER
    __tsan_release(const_cast<void*>(token));
#endif
}

/// The receiver's side, before it reads what came with `token`.
inline void HandOffTaken([[maybe_unused]] const void* token) {
#ifdef MORAVEL_THREAD_SANITIZER
    __tsan_acquire(const_cast<void*>(token));
#endif
}

}  // namespace moravel
