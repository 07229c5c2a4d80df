#include "base/printable_text.h"
#include "model/data_schema.h"
#include "model/model_files.h"
#include "model/model_procedures.h"
#include "sim/model_memory.h"
#include "tests/model/model_test_support.h"
#include "tests/support/hostile_names.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace skarnel::test {
namespace {

namespace fs = std::filesystem;

constexpr size_t kModels = 30;

TEST(ModelNames, HostileNamesBecomeFileNamesInTheirFolder)
{
    const fs::path folder = "/backup";
    int index = 0;
    for (const std::string& name : HostileNames("/outside")) {
        const fs::path path = folder / ModelFileName(kModelHelicopter, name, index++ % 100);
        EXPECT_TRUE(StaysDirectlyIn(folder, path)) << PrintableName(name);
    }
}

TEST(ModelNames, ABackupOfHostileNamesWritesOnlyIntoItsFolder)
{
    TempFolder root;
    const fs::path backup = root.Root() / "backup";
    const fs::path outside = root.Root() / "outside";
    fs::create_directories(backup);
    fs::create_directories(outside);
    // Ten model lists of the set; every name of it goes through ModelFileName above.
    const std::vector<std::string> names = HostileNames(outside, 10 * kModels);
    ModelLink t;
    for (size_t first = 0; first < names.size(); first += kModels) {
        for (size_t index = 0; index < kModels; ++index)
            sim::SetModelListEntry(t.engine().state(), static_cast<int>(index), kModelHelicopter, names[first + index]);
        RecordingLists lists;
        ASSERT_TRUE(BackupModelFiles(t.link, backup, lists));
        EXPECT_EQ(lists.pcFiles.size(), kModels);
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root.Root())) {
        if (entry.path() == backup || entry.path() == outside)
            continue;
        EXPECT_TRUE(StaysDirectlyIn(backup, entry.path())) << PrintableName(entry.path().string());
        EXPECT_EQ(entry.path().extension(), ".mdl") << PrintableName(entry.path().string());
    }
    EXPECT_TRUE(fs::is_empty(outside));
}

}  // namespace
}  // namespace skarnel::test
