#pragma once

// A fresh temporary folder for one test, removed with everything in it when
// the test ends.

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#ifdef _WIN32
#include <random>
#else
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace glyphsmith {

class TestFolder {
public:
    TestFolder()
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("glyphsmith-") + (test ? test->name() : "test") + "-XXXXXX";
        std::string pattern = (std::filesystem::temp_directory_path() / name).string();
        root_ = makeFolder(pattern);
        if (root_.empty())
            ADD_FAILURE() << "cannot create a temporary folder";
    }
    ~TestFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    std::string path(const std::string& name) const { return (std::filesystem::path(root_) / name).string(); }

    // Makes a character device like /dev/null at `name`, so that a test can
    // aim a save at a device without any risk to the machine's own devices.
    // False where this process may not make device nodes (only root may).
    bool makeNullDevice(const std::string& name) const
    {
#ifdef _WIN32
        (void)name;
        return false; // Windows has no device nodes in ordinary folders
#else
        return ::mknod(path(name).c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
#endif
    }

    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        std::ofstream out(path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<std::uint8_t> read(const std::string& name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }

    // Names of the entries directly in the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_))
            names.push_back(entry.path().filename().string());
        std::ranges::sort(names);
        return names;
    }

private:
    // Creates a folder named `pattern` with its trailing XXXXXX made unique;
    // empty on failure.
    static std::string makeFolder(std::string pattern)
    {
#ifdef _WIN32
        std::mt19937 random { std::random_device {}() };
        for (int attempt = 0; attempt < 16; ++attempt) {
            std::string name = pattern;
            for (std::size_t at = name.size() - 6; at < name.size(); ++at)
                name[at] = "abcdefghijklmnopqrstuvwxyz0123456789"[random() % 36];
            std::error_code error;
            if (std::filesystem::create_directory(name, error))
                return name;
        }
        return {};
#else
        return ::mkdtemp(pattern.data()) ? pattern : std::string();
#endif
    }

    std::string root_;
};

} // namespace glyphsmith
