// SPDX-License-Identifier: GPL-3.0-or-later
// A folder whose every call hangs, as a network share does when its server stops answering:
// loaded with LD_PRELOAD, every call on a path under $KNORZELBART_HAENGT waits until the
// file $KNORZELBART_HAENGT_FREI exists; while one waits, $KNORZELBART_HAENGT_WARTET exists.
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void hangOn(const char* path) {
    const char* folder = std::getenv("KNORZELBART_HAENGT");
    if (!path || !folder || std::strncmp(path, folder, std::strlen(folder)) != 0) return;
    const char* waiting = std::getenv("KNORZELBART_HAENGT_WARTET");
    const char* free = std::getenv("KNORZELBART_HAENGT_FREI");
    static auto realOpen = real<int (*)(const char*, int, ...)>("open");
    static auto realAccess = real<int (*)(const char*, int)>("access");
    if (waiting) {
        const int fd = realOpen(waiting, O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (fd >= 0) ::close(fd);
    }
    while (!free || realAccess(free, F_OK) != 0) ::usleep(10000);
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    hangOn(path);
    va_list args;
    va_start(args, flags);
    const mode_t mode = static_cast<mode_t>(va_arg(args, int));
    va_end(args);
    return real<int (*)(const char*, int, ...)>("open")(path, flags, mode);
}
int open64(const char* path, int flags, ...) {
    hangOn(path);
    va_list args;
    va_start(args, flags);
    const mode_t mode = static_cast<mode_t>(va_arg(args, int));
    va_end(args);
    return real<int (*)(const char*, int, ...)>("open64")(path, flags, mode);
}
int openat(int dir, const char* path, int flags, ...) {
    hangOn(path);
    va_list args;
    va_start(args, flags);
    const mode_t mode = static_cast<mode_t>(va_arg(args, int));
    va_end(args);
    return real<int (*)(int, const char*, int, ...)>("openat")(dir, path, flags, mode);
}
int openat64(int dir, const char* path, int flags, ...) {
    hangOn(path);
    va_list args;
    va_start(args, flags);
    const mode_t mode = static_cast<mode_t>(va_arg(args, int));
    va_end(args);
    return real<int (*)(int, const char*, int, ...)>("openat64")(dir, path, flags, mode);
}
DIR* opendir(const char* path) {
    hangOn(path);
    return real<DIR* (*)(const char*)>("opendir")(path);
}
int mkdir(const char* path, mode_t mode) {
    hangOn(path);
    return real<int (*)(const char*, mode_t)>("mkdir")(path, mode);
}
int stat(const char* path, struct stat* buf) {
    hangOn(path);
    return real<int (*)(const char*, struct stat*)>("stat")(path, buf);
}
int stat64(const char* path, struct stat64* buf) {
    hangOn(path);
    return real<int (*)(const char*, struct stat64*)>("stat64")(path, buf);
}
int lstat(const char* path, struct stat* buf) {
    hangOn(path);
    return real<int (*)(const char*, struct stat*)>("lstat")(path, buf);
}
int lstat64(const char* path, struct stat64* buf) {
    hangOn(path);
    return real<int (*)(const char*, struct stat64*)>("lstat64")(path, buf);
}
int fstatat(int dir, const char* path, struct stat* buf, int flags) {
    hangOn(path);
    return real<int (*)(int, const char*, struct stat*, int)>("fstatat")(dir, path, buf, flags);
}
int fstatat64(int dir, const char* path, struct stat64* buf, int flags) {
    hangOn(path);
    return real<int (*)(int, const char*, struct stat64*, int)>("fstatat64")(dir, path, buf, flags);
}
int statx(int dir, const char* path, int flags, unsigned int mask, struct statx* buf) {
    hangOn(path);
    return real<int (*)(int, const char*, int, unsigned int, struct statx*)>("statx")(dir, path, flags, mask, buf);
}
int access(const char* path, int mode) {
    hangOn(path);
    return real<int (*)(const char*, int)>("access")(path, mode);
}
int unlink(const char* path) {
    hangOn(path);
    return real<int (*)(const char*)>("unlink")(path);
}

}  // extern "C"
