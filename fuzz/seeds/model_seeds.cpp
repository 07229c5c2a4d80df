#include "base/byte_order.h"
#include "fuzz/seeds/seed_controllers.h"
#include "fuzz/seeds/seed_files.h"
#include "fuzz/support/fuzz_link.h"
#include "fuzz/support/scratch_folder.h"
#include "model/conversion_table_data.h"
#include "model/conversion_table_set.h"
#include "model/model_data_lists.h"
#include "model/model_file_conversion.h"
#include "model/model_files.h"
#include "model/model_procedures.h"

#include <stdexcept>

namespace skarnel::fuzz {
namespace {

// The conversion seed keeps the first fields of each table and the part of a record they cover.
constexpr uint32_t kKeptFields = 40;
constexpr size_t kKeptRecordBytes = 512;

class DroppedRows final : public ModelDataLists {
public:
    void AddPcFile(const std::string&) override {}
    void AddControllerModel(const std::string&) override {}
};

// A link to a simulated KT40 that lists its first `usedModels` seeded models.
class ModelController {
public:
    explicit ModelController(int usedModels) : controller_(ModelControllerState(usedModels))
    {
        InstallModelCommands(controller_.engine());
    }

    CDownload_Function& link() { return controller_.link(); }

private:
    FuzzLink controller_;
};

std::vector<uint8_t> MenuBackup(int usedModels)
{
    ModelController controller(usedModels);
    const std::filesystem::path path = FreshFolder("menu") / "backup.mif";
    if (!BackupSystemData(controller.link(), path))
        throw std::runtime_error("the menu backup failed");
    return FileBytes(path);
}

std::filesystem::path ModelBackup()
{
    ModelController controller(1);
    const std::filesystem::path folder = FreshFolder("models");
    DroppedRows rows;
    if (!BackupModelFiles(controller.link(), folder, rows))
        throw std::runtime_error("the model backup failed");
    return folder / "hALPHA01.mdl";
}

std::filesystem::path Converted(const std::filesystem::path& model, const ConversionTarget& target)
{
    NullReporter& window = NullReporter::Instance();
    ModelFileSource source;
    if (ReadModelFileSource(model, window, source) != SourceCheck::Accepted)
        throw std::runtime_error("the backed-up model is refused");
    const std::filesystem::path folder = FreshFolder("converted");
    ConvertModelFiles({source}, target, folder, window, [](const ModelFileOutcome&) {});
    return folder / source.name;
}

// The built-in set with each table cut to its first kKeptFields fields.
std::vector<uint8_t> CutTableSet()
{
    const std::span<const uint8_t> set = EmbeddedConversionTableSet();
    const uint32_t tableCount = ReadLe32(set.data() + 8);
    const uint32_t fields = ReadLe32(set.data() + 12);
    const uint32_t checksums = ReadLe32(set.data() + 16);
    const size_t stride =
        ConversionTable::kHeaderSize + FieldRecord::kSize * fields + ChecksumRecord::kSize * checksums;
    std::vector<uint8_t> cut(set.begin(), set.begin() + ConversionTableSet::kHeaderSize);
    WriteLe32(cut.data() + 12, kKeptFields);
    for (size_t t = 0; t < tableCount; ++t) {
        const uint8_t* table = set.data() + ConversionTableSet::kHeaderSize + t * stride;
        const size_t header = cut.size();
        cut.insert(cut.end(), table, table + ConversionTable::kHeaderSize + FieldRecord::kSize * kKeptFields);
        WriteLe32(cut.data() + header + 13, kKeptFields);
        const uint8_t* sums = table + ConversionTable::kHeaderSize + FieldRecord::kSize * fields;
        cut.insert(cut.end(), sums, sums + ChecksumRecord::kSize * checksums);
    }
    return cut;
}

std::vector<uint8_t> TableSetInput(const std::vector<uint8_t>& set, const std::vector<uint8_t>& modelFile)
{
    std::vector<uint8_t> input(4);
    WriteLe32(input.data(), static_cast<uint32_t>(set.size()));
    input = Concatenated(input, set);
    const auto record = modelFile.begin() + ModelFileHeader::kSize;
    input.insert(input.end(), record, record + kKeptRecordBytes);
    return input;
}

}  // namespace

void WriteModelSeeds(const std::filesystem::path& corpus)
{
    const SeedFolder menu(corpus, "menu_file");
    menu.Write("no_models", MenuBackup(0));
    menu.Write("one_model", MenuBackup(1));

    const std::filesystem::path model = ModelBackup();
    const std::filesystem::path kt20 = Converted(model, {kProductKt20, 1000});
    const SeedFolder models(corpus, "model_file");
    models.Take("kt40_1001", model);
    models.Take("kt20_1000", kt20);

    const SeedFolder tables(corpus, "conversion_tables");
    tables.Write("kt40_1001_record", TableSetInput(CutTableSet(), FileBytes(model)));
    tables.Write("kt20_1000_record", TableSetInput(CutTableSet(), FileBytes(kt20)));
}

}  // namespace skarnel::fuzz
