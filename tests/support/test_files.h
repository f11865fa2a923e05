// For tests that write files: a scratch folder of their own, and reading a file back; and
// setting the environment, as SDL reads its choices from there.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace zema {

// A fresh folder in /tmp, removed with all it holds when the object goes; its path is empty
// when none could be made.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& prefix) {
#ifdef _WIN32
        // No mkdtemp: a random name in the temporary folder, made only if new.
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        std::random_device random;
        for (int attempt = 0; attempt < 100 && folder.empty() && !error; ++attempt) {
            const std::filesystem::path path = base / (prefix + "-" + std::to_string(random()));
            if (std::filesystem::create_directory(path, error)) folder = path.string();
        }
#else
        std::string pattern = "/tmp/" + prefix + "-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) folder = pattern;
#endif
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const {
        return folder;
    }

  private:
    std::string folder;
};

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sets (or, with nullptr, removes) an environment variable for this process.
inline void setEnv(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value == nullptr ? "" : value); // an empty value removes it
#else
    if (value == nullptr)
        unsetenv(name);
    else
        setenv(name, value, 1);
#endif
}

inline std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace zema
