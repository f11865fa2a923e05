// Buffered, line-whole writing of a demo with plain POSIX calls (the file opened by the
// platform's helper, in binary mode).
#include "demo/demo_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files.h"

namespace zema {

namespace {

constexpr auto writeInterval = std::chrono::seconds(1);
constexpr size_t writeAtSize = 64 * 1024;

bool writeAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool createDemoFile(DemoFile& file, const std::string& path, std::string& error) {
    file = {};
    file.fd = openForWriting(path);
    if (file.fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    file.lastWrite = std::chrono::steady_clock::now();
    return true;
}

void addDemoLines(DemoFile& file, std::string& lines) {
    const size_t whole = lines.rfind('\n');
    if (whole != std::string::npos) {
        file.pending.append(lines, 0, whole + 1);
        lines.erase(0, whole + 1);
    }
    if (file.pending.size() >= writeAtSize ||
        std::chrono::steady_clock::now() - file.lastWrite >= writeInterval)
        flushDemoFile(file);
}

bool flushDemoFile(DemoFile& file) {
    if (file.fd < 0) return false;
    if (!file.pending.empty() && !file.failed)
        file.failed = !writeAll(file.fd, file.pending.data(), file.pending.size());
    file.pending.clear();
    file.lastWrite = std::chrono::steady_clock::now();
    return !file.failed;
}

bool closeDemoFile(DemoFile& file) {
    const bool written = flushDemoFile(file);
    if (file.fd >= 0 && ::close(file.fd) != 0) file.failed = true;
    file.fd = -1;
    return written && !file.failed;
}

} // namespace zema
