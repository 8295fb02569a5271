#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/ini/IniFile.h"

namespace pelmar::ini {
namespace {

namespace fs = std::filesystem;

// A memory-backed folder where the system has one. These tests are about locking and about a
// process dying mid-write, not about power loss: a slow disk's fsync would only stretch them
// and shrink the moments in which a kill can hit a half-written file.
fs::path MemoryBackedBase() {
    const fs::path shared = "/dev/shm";
    return ::access(shared.c_str(), W_OK) == 0 ? shared : fs::temp_directory_path();
}

class TempFolder {
  public:
    explicit TempFolder(const fs::path& base = fs::temp_directory_path()) {
        std::string pattern = (base / "pelmar-ini-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

std::string KeyName(int writer, int index) {
    return "W" + std::to_string(writer) + "_" + std::to_string(index);
}

// Two threads write different keys of one file while a third reads; no key may be lost and a
// reader never sees a key with a value other than the one written.
TEST(IniConcurrency, TwoWritersLoseNoKeys) {
    constexpr int kWriters = 2;
    constexpr int kWritesEach = 1000;
    constexpr auto kReaderPause = std::chrono::microseconds(200);
    TempFolder folder(MemoryBackedBase());
    const fs::path file = folder.path() / "config.ini";

    std::atomic<bool> writing{true};
    std::atomic<int> failures{0};
    std::atomic<int> wrongReads{0};
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            for (int i = 0; i < kWritesEach; ++i) {
                if (!WriteString(file, "Keys", KeyName(w, i), std::to_string(i)).Ok())
                    ++failures;
            }
        });
    }
    std::thread reader([&] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> writer(0, kWriters - 1);
        std::uniform_int_distribution<int> index(0, kWritesEach - 1);
        while (writing) {
            const int i = index(random);
            const std::string value = ReadString(file, "Keys", KeyName(writer(random), i), 10);
            if (!value.empty() && value != std::to_string(i))
                ++wrongReads;
            // Paced so that the writers, not the reader, get most of the CPU.
            std::this_thread::sleep_for(kReaderPause);
        }
    });
    for (std::thread& t : writers)
        t.join();
    writing = false;
    reader.join();

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(wrongReads, 0);
    int lost = 0;
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kWritesEach; ++i) {
            if (ReadString(file, "Keys", KeyName(w, i), 10) != std::to_string(i))
                ++lost;
        }
    }
    EXPECT_EQ(lost, 0);
}

// A writer process is killed at random moments while it alternates two values of different
// length; after every kill the file must be exactly one of the two versions, never a mix or a
// truncated file. The kills are spread over a few write cycles, timed beforehand.
TEST(IniConcurrency, KilledWriterNeverLeavesATornFile) {
    constexpr int kKills = 50;
    constexpr int kCalibrationWrites = 6;
    constexpr int kCyclesPerKill = 3;
    constexpr auto kChildLifetime = std::chrono::seconds(5);
    TempFolder folder(MemoryBackedBase());
    const fs::path file = folder.path() / "config.ini";
    const std::string longValue(256 << 10, 'a');
    const std::string shortValue(192 << 10, 'b');
    const std::string longText = "[Macros]\n0=" + longValue + "\n";
    const std::string shortText = "[Macros]\n0=" + shortValue + "\n";

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalibrationWrites; ++i) {
        ASSERT_TRUE(WriteString(file, "Macros", "0", i % 2 == 0 ? shortValue : longValue).Ok());
    }
    const auto cycle = std::chrono::duration_cast<std::chrono::microseconds>(
        (std::chrono::steady_clock::now() - start) / kCalibrationWrites);
    ASSERT_EQ(ReadBytes(file), longText);

    std::mt19937 random(11);
    std::uniform_int_distribution<std::int64_t> delay(0, kCyclesPerKill * cycle.count());
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const auto end = std::chrono::steady_clock::now() + kChildLifetime;
            for (bool useShort = true; std::chrono::steady_clock::now() < end;
                 useShort = !useShort) {
                static_cast<void>(
                    WriteString(file, "Macros", "0", useShort ? shortValue : longValue));
            }
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        const std::string text = ReadBytes(file);
        ASSERT_TRUE(text == longText || text == shortText)
            << "after kill " << kill << " the file has " << text.size() << " bytes";
    }
}

}  // namespace
}  // namespace pelmar::ini
