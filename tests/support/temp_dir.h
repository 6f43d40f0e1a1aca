#pragma once
// A fresh directory under the system's temporary folder, removed with all it
// holds when the test ends, and whole-file reads and writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdlib.h>

namespace gestalia::test {

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Fails the test when the folder cannot be made.
class CTempDir {
  public:
    CTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "gestalia-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        } else {
            ADD_FAILURE() << "no temporary folder " << pattern;
        }
    }
    ~CTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    bool ok() const { return !m_path.empty(); }
    const std::filesystem::path& path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Writes a file of the folder and gives its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = File(name);
        WriteAll(path, bytes);
        return path;
    }

  private:
    std::filesystem::path m_path;
};

}  // namespace gestalia::test
