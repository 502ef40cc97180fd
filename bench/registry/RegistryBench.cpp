// Reading a preference from an unchanged hive, as the name computation does twice per file in a
// rename run. The cached read should cost about what one stat() of the hive costs, which the
// second benchmark measures on its own for comparison.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "frame/cRegistry.h"
#include "platform/posix/HiveFile.h"

namespace {

class BenchFolder {
  public:
    BenchFolder() {
        const char* base = std::getenv("TMPDIR");
        m_path = std::string(base != nullptr && *base ? base : "/tmp") + "/qm-bench-XXXXXX";
        if (::mkdtemp(m_path.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
    }
    ~BenchFolder() {
        for (const char* name : {"/user.reg", "/user.reg.lock"}) {
            ::unlink((m_path + name).c_str());
        }
        ::rmdir(m_path.c_str());
    }
    std::string hive() const { return m_path + "/user.reg"; }

  private:
    std::string m_path;
};

void BM_GetSettingUnchanged(benchmark::State& state) {
    BenchFolder folder;
    qm::platform::HiveFile store(folder.hive());
    qm::cRegistry registry(store, "Quillmote Utility");
    registry.SaveSetting("Application", "Path", "/opt/quillmote/");
    registry.SaveSetting("Preferences", "Default Filter Type", "2");
    registry.SaveSetting("Preferences", "Filename Case", "3");
    registry.SaveSetting("Preferences", "Extension Case", "1");
    registry.SaveSetting("StartUp", "Last Path", "/home/user/Pictures/Holiday 2026/");
    for (auto _ : state) {
        benchmark::DoNotOptimize(registry.GetSetting("Preferences", "Filename Case", "0"));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetSettingUnchanged);

void BM_StatOfTheHive(benchmark::State& state) {
    BenchFolder folder;
    qm::platform::HiveFile store(folder.hive());
    qm::cRegistry(store, "Quillmote Utility").SaveSetting("Preferences", "Filename Case", "3");
    const std::string path = folder.hive();
    for (auto _ : state) {
        struct stat st {};
        benchmark::DoNotOptimize(::stat(path.c_str(), &st));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatOfTheHive);

}  // namespace
