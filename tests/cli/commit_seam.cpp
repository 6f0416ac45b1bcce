/* Preloaded into nexmar-cli by the tests that drive the program itself, to
 * reach moments and file systems the test folders do not offer:
 *   NEXMAR_SEAM_NO_UNNAMED=1       opening an unnamed file (O_TMPFILE) fails as
 *                                  on a file system without them;
 *   NEXMAR_SEAM_SIGNAL=CALL:N:SIG  the Nth call of CALL (fsync, rename) raises
 *                                  signal SIG first;
 *   NEXMAR_SEAM_FAIL=CALL:N:ERRNO  the Nth call of CALL fails with ERRNO.
 */
#undef _FORTIFY_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

/* Counts the calls of name; returns the number set for the call that the
 * variable picks (a signal, an errno), or 0. */
int Picked(const char* variable, const char* name, int* calls)
{
    const char* const value = getenv(variable);
    char call[32];
    int nth = 0;
    int number = 0;
    if (value == nullptr || sscanf(value, "%31[^:]:%d:%d", call, &nth, &number) != 3 || strcmp(call, name) != 0) {
        return 0;
    }
    return *calls == nth ? number : 0;
}

/* Whether the call goes on: it may raise a signal first, or fail. */
int Proceeds(const char* name, int* calls)
{
    ++*calls;
    const int signal = Picked("NEXMAR_SEAM_SIGNAL", name, calls);
    if (signal != 0) {
        raise(signal);
    }
    const int error = Picked("NEXMAR_SEAM_FAIL", name, calls);
    if (error != 0) {
        errno = error;
        return 0;
    }
    return 1;
}

int OpenFile(const char* symbol, const char* path, int flags, va_list args)
{
    const mode_t mode = (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(args, mode_t) : 0;
    if ((flags & O_TMPFILE) == O_TMPFILE && getenv("NEXMAR_SEAM_NO_UNNAMED") != nullptr) {
        errno = EOPNOTSUPP;
        return -1;
    }
    int (*next)(const char*, int, ...) = reinterpret_cast<int (*)(const char*, int, ...)>(dlsym(RTLD_NEXT, symbol));
    return next(path, flags, mode);
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = OpenFile("open", path, flags, args);
    va_end(args);
    return fd;
}

int open64(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = OpenFile("open64", path, flags, args);
    va_end(args);
    return fd;
}

int fsync(int fd)
{
    static int calls;
    if (!Proceeds("fsync", &calls)) {
        return -1;
    }
    int (*next)(int) = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    return next(fd);
}

int rename(const char* from, const char* to)
{
    static int calls;
    if (!Proceeds("rename", &calls)) {
        return -1;
    }
    using Rename = int (*)(const char*, const char*);
    const Rename next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    return next(from, to);
}

}  // extern "C"
