#include "model/unique_fd.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "model/safe_save.h"

namespace gestalia {
namespace {

bool IsOpenDescriptor(int fd) {
    return ::fcntl(fd, F_GETFD) != -1;
}

// Records the closes and fails them with an error of the test's choosing (the
// descriptor is released all the same, as the kernel does).
class CClosingOps final : public IFileOps {
  public:
    int Open(const std::string&, int, int, int&) override { return ENOSYS; }
    int Write(int, const char*, std::size_t, std::size_t&) override { return ENOSYS; }
    int Sync(int) override { return ENOSYS; }
    int Close(int fd) override {
        closed.push_back(fd);
        (void)::close(fd);
        return err;
    }
    int Rename(const std::string&, const std::string&) override { return ENOSYS; }
    int Unlink(const std::string&) override { return ENOSYS; }

    std::vector<int> closed;
    int err = 0;
};

TEST(UniqueFdTest, ClosesWhenItGoesOutOfScope) {
    int raw = -1;
    {
        const UniqueFd fd(::open("/dev/null", O_RDONLY | O_CLOEXEC));
        ASSERT_TRUE(fd.IsOpen());
        raw = fd.Get();
        EXPECT_TRUE(IsOpenDescriptor(raw));
    }
    EXPECT_FALSE(IsOpenDescriptor(raw));
}

TEST(UniqueFdTest, AMoveHandsTheDescriptorOverAndItIsClosedOnce) {
    CClosingOps ops;
    const int raw = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(raw, 0);
    {
        UniqueFd first(raw, &ops);
        UniqueFd second(std::move(first));
        EXPECT_FALSE(first.IsOpen());
        EXPECT_EQ(second.Get(), raw);
        UniqueFd third;
        third = std::move(second);
        EXPECT_EQ(third.Get(), raw);
    }
    EXPECT_EQ(ops.closed, std::vector<int>{raw});
}

TEST(UniqueFdTest, CloseGoesThroughTheOpsAndGivesTheDescriptorUpEvenWhenItFails) {
    CClosingOps ops;
    ops.err = EIO;
    UniqueFd fd(::open("/dev/null", O_RDONLY | O_CLOEXEC), &ops);
    ASSERT_TRUE(fd.IsOpen());
    EXPECT_EQ(fd.Close(), EIO);
    EXPECT_FALSE(fd.IsOpen());
    EXPECT_EQ(fd.Close(), 0) << "nothing left to close";
    EXPECT_EQ(ops.closed.size(), 1u);
}

}  // namespace
}  // namespace gestalia
