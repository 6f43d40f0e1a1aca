#pragma once
// UniqueFd: owns an open file descriptor and closes it when it goes out of
// scope, so no return path has to remember to. Move-only: exactly one owner
// closes a descriptor, once.

namespace gestalia {

class IFileOps;

class UniqueFd {
  public:
    UniqueFd() = default;
    // Takes `fd` (a negative value holds nothing). It is closed through `ops`
    // when one is given, so that tests can make the close fail, else by close().
    explicit UniqueFd(int fd, IFileOps* ops = nullptr) : m_fd(fd), m_ops(ops) {}
    ~UniqueFd() { (void)Close(); }
    UniqueFd(UniqueFd&& other) noexcept;
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // Closes the descriptor now: 0, or the errno value of a failed close. The
    // descriptor is given up either way (the kernel releases it even when
    // close fails), so it is never closed twice. Nothing to close gives 0.
    int Close();

  private:
    int m_fd = -1;
    IFileOps* m_ops = nullptr;
};

}  // namespace gestalia
