// Name computation over typical camera and document names (20 to 40 characters, one to three
// pairs, a case rule), as a rename run computes them one after the other.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/NameComputation.h"

namespace {

struct StoredCaseOptions : qm::CaseOptions {
    std::int32_t filenameCase;
    std::int32_t extensionCase;
    std::int32_t GetFilenameCase() override { return filenameCase; }
    std::int32_t GetExtensionCase() override { return extensionCase; }
};

struct Job {
    std::vector<std::string> searches;
    std::vector<std::string> replacements;
    std::int32_t filenameCase;
    std::int32_t extensionCase;
};

std::vector<std::string> typicalNames() {
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) {
        const std::string n = std::to_string(10000 + i);
        names.push_back("IMG_" + n + "_holiday_beach.JPG");
        names.push_back("DSC" + n + " - Copy (2).jpeg");
        names.push_back("Quarterly Report " + n + " FINAL draft.docx");
        names.push_back("scan_" + n + "_page-01_of-12.pdf");
    }
    return names;
}

void BM_ComputeNewName(benchmark::State& state) {
    const std::vector<std::string> names = typicalNames();
    const std::vector<Job> jobs = {
        {{"img_"}, {"Holiday "}, 0, 1},
        {{" - copy (2)", "dsc"}, {"", "Photo "}, 3, 1},
        {{"final", "draft", " "}, {"", "v2", "_"}, 1, 0},
        {{"_page-", "_of-"}, {" p", " of "}, 2, 2},
    };
    const qm::text::CaseMapper mapper;
    StoredCaseOptions options;
    const qm::NameComputation names_(options, mapper);
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& name = names[i % names.size()];
        const Job& job = jobs[i % jobs.size()];
        options.filenameCase = job.filenameCase;
        options.extensionCase = job.extensionCase;
        benchmark::DoNotOptimize(names_.ComputeNewName(name, job.searches, job.replacements));
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_ComputeNewName);

}  // namespace
