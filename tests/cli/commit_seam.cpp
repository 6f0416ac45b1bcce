/* Preloaded into nexmar-cli by the tests that drive the program itself, to
 * reach moments and file systems the test folders do not offer:
 *   NEXMAR_SEAM_NO_UNNAMED=1       opening an unnamed file (O_TMPFILE) fails as
 *                                  on a file system without them;
 *   NEXMAR_SEAM_NO_PROC=1          /proc/self/fd is missing, as in a chroot or
 *                                  a small container: no unnamed file can be
 *                                  linked through it;
 *   NEXMAR_SEAM_PID=N              the process's id is N, as the first process
 *                                  of a container's is 1;
 *   NEXMAR_SEAM_GROW=PATH          a second reading of a file from its start
 *                                  appends a line end to PATH first, as a
 *                                  writer would between two readings;
 *   NEXMAR_SEAM_SIGNAL=CALL:N:SIG  the Nth call of CALL (fsync, rename; a
 *                                  renameat2 counts as a rename) raises
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
#include <sys/types.h>
#include <unistd.h>

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

/* rename and renameat2 counted as one call. */
int& RenameCalls()
{
    static int calls;
    return calls;
}

/* Whether path is under /proc/self/fd while the seam hides it. */
int NoProc(const char* path)
{
    return getenv("NEXMAR_SEAM_NO_PROC") != nullptr && strncmp(path, "/proc/self/fd", 13) == 0;
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
    if (!Proceeds("rename", &RenameCalls())) {
        return -1;
    }
    using Rename = int (*)(const char*, const char*);
    const Rename next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    return next(from, to);
}

pid_t getpid(void)
{
    if (const char* pid = getenv("NEXMAR_SEAM_PID")) {
        return static_cast<pid_t>(atoi(pid));
    }
    using GetPid = pid_t (*)(void);
    const GetPid next = reinterpret_cast<GetPid>(dlsym(RTLD_NEXT, "getpid"));
    return next();
}

/* What the reading of a file from offset asks of the seam first. */
static void BeforeReading(off_t offset)
{
    static int fromStart;
    const char* const grown = getenv("NEXMAR_SEAM_GROW");
    if (grown != nullptr && offset == 0 && ++fromStart == 2) {
        FILE* file = fopen(grown, "a");
        if (file != nullptr) {
            fputs("\n", file);
            fclose(file);
        }
    }
}

ssize_t pread(int fd, void* buffer, size_t size, off_t offset)
{
    BeforeReading(offset);
    using Pread = ssize_t (*)(int, void*, size_t, off_t);
    const Pread next = reinterpret_cast<Pread>(dlsym(RTLD_NEXT, "pread"));
    return next(fd, buffer, size, offset);
}

ssize_t pread64(int fd, void* buffer, size_t size, off_t offset)
{
    BeforeReading(offset);
    using Pread = ssize_t (*)(int, void*, size_t, off_t);
    const Pread next = reinterpret_cast<Pread>(dlsym(RTLD_NEXT, "pread64"));
    return next(fd, buffer, size, offset);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    if (!Proceeds("rename", &RenameCalls())) {
        return -1;
    }
    using Rename = int (*)(int, const char*, int, const char*, unsigned);
    const Rename next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "renameat2"));
    return next(fromDir, from, toDir, to, flags);
}

int access(const char* path, int mode)
{
    if (NoProc(path)) {
        errno = ENOENT;
        return -1;
    }
    using Access = int (*)(const char*, int);
    const Access next = reinterpret_cast<Access>(dlsym(RTLD_NEXT, "access"));
    return next(path, mode);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    if (NoProc(from)) {
        errno = ENOENT;
        return -1;
    }
    using Link = int (*)(int, const char*, int, const char*, int);
    const Link next = reinterpret_cast<Link>(dlsym(RTLD_NEXT, "linkat"));
    return next(fromDir, from, toDir, to, flags);
}

}  // extern "C"
