// Replays the kept fuzz inputs (seeds and former crashes) through the fuzzed path.
#include "tests/fuzz/FuzzDispatch.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(FuzzRegression, KeptInputsRunClean)
{
    int files = 0;
    for (const char* sub : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(MORVA_FUZZ_DATA) / sub;
        if (!fs::exists(dir))
            continue;
        for (const auto& e : fs::directory_iterator(dir)) {
            std::ifstream f(e.path(), std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(e.path().string());
            morva::test::fuzzDispatch(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++files;
        }
    }
    EXPECT_GT(files, 0);
}
