#pragma once
// A private, empty Data directory for one test; the previous one is
// restored and the directory removed afterwards.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "base/Paths.h"

class TempDataDir {
public:
    TempDataDir() : previous_(dataDirectory()) {
        static std::atomic<int> serial{0};
        dir_ = std::filesystem::temp_directory_path() /
               ("brinefall-data-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        setDataDirectory(dir_);
    }
    ~TempDataDir() {
        setDataDirectory(previous_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;
    const std::filesystem::path& path() const { return dir_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path dir_;
};
