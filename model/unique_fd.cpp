#include "model/unique_fd.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "model/safe_save.h"

namespace gestalia {

UniqueFd::UniqueFd(UniqueFd&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_ops(other.m_ops) {}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        (void)Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_ops = other.m_ops;
    }
    return *this;
}

int UniqueFd::Close() {
    const int fd = std::exchange(m_fd, -1);
    if (fd < 0) {
        return 0;
    }
    if (m_ops != nullptr) {
        return m_ops->Close(fd);
    }
    return ::close(fd) == 0 ? 0 : errno;
}

}  // namespace gestalia
