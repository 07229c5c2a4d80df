#include "firmware/binary_file.h"
#include "firmware/firmware_file.h"
#include "firmware/image_info.h"
#include "firmware/scrambler.h"
#include "base/byte_order.h"
#include "link/connection_factory.h"
#include "link/download_function.h"
#include "link/product_info.h"
#include "link/rs232.h"
#include "sim/controller_state.h"
#include "tests/support/processes.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <memory>

namespace skarnel {
namespace {

using test::CommandResult;
using test::RunCli;
using test::SimProcess;
using test::TempFolder;

// A plain application image carrying product code 3001, the given version and memory version
// 1000 at the simulator's default version addresses.
std::vector<uint8_t> PlainApplication(size_t size, uint32_t version)
{
    const sim::VersionAddresses at;
    std::vector<uint8_t> image = test::PatternBytes(size, version);
    WriteLe32(image.data() + at.appProductCode, 3001);
    WriteLe32(image.data() + at.appVersion, version);
    WriteLe32(image.data() + at.memoryVersion, 1000);
    return image;
}

std::vector<uint8_t> PlainBootLoader()
{
    const sim::VersionAddresses at;
    std::vector<uint8_t> image = test::PatternBytes(0x400, 77);
    WriteLe32(image.data() + at.bootProductCode, 3001);
    WriteLe32(image.data() + at.bootVersion, 13);
    return image;
}

// The application image's way into the controller: restart into the boot loader, download
// start, display and banner, the controller's information, the file information, the blocks.
bool DownloadApplication(CDownload_Function& link, const std::string& upgradeFile)
{
    InputFile file;
    FirmwareFileHeader header;
    std::vector<uint8_t> stored;
    if (!file.Open(upgradeFile) || !ReadFirmwareFileHeader(file, header) ||
        !ReadFirmwareImage(file, header, ImageKind::Application, stored))
        return false;
    ProductInfo product;
    VersionAddressInfo addresses;
    ImageInfo info;
    link.RequestRestart();
    link.groupId = kGroupBootLoader;
    if (!link.WaitBootupFrame() || !link.SendDownloadStart() || !link.DisplayControlOn() || !link.DisplayClear() ||
        !link.ReadProductInfo(product) || !link.ShowFirmwareBanner(product.DisplayType()) ||
        !link.ReadVersionAddressInfo(addresses))
        return false;
    const std::vector<uint8_t> plain = ScrambleImage(stored);
    if (!ReadImageInfo(plain.data(), plain.size(), addresses, ImageKind::Application, info) ||
        static_cast<int32_t>(info.productCode) != product.AppPCode)
        return false;
    return link.SendImageFileInformation(header.AppSize, upgradeFile) &&
           link.DownloadImage(header.AppSize, stored.data(), ImageKind::Application, product.DisplayType());
}

TEST(FirmwareEndToEnd, MergedApplicationReachesTheSimulatorByteForByte)
{
    TempFolder folder;
    const std::vector<uint8_t> app = PlainApplication(50'000, 106);
    const CommandResult merge = RunCli({"firmware", "merge", "--app", folder.Write("app.bin", app), "--boot",
                                        folder.Write("boot.bin", PlainBootLoader()), "-o", folder.Path("upgrade")});
    ASSERT_EQ(merge.exitCode, 0) << merge.out << merge.err;
    EXPECT_EQ(merge.out, "File Merge Complete\n");
    test::RecordingReporter checkBox;
    uint32_t bootIncluded = 0;
    ASSERT_TRUE(CheckFirmwareFile(folder.Path("upgrade.bin"), checkBox, bootIncluded));
    EXPECT_EQ(bootIncluded, 1u);

    SimProcess sim({"--received-images", folder.path(), "--app-start-delay-ms", "100", "--restart-delay-ms", "200"});
    const std::unique_ptr<CRS232> port = PosixConnectionFactory().MakeConnection();
    ASSERT_TRUE(port->OpenPort(SerialPortId::FromPath(sim.DevicePath()), 115200));
    test::RecordingReporter window;
    CDownload_Function link(*port, window);
    EXPECT_TRUE(DownloadApplication(link, folder.Path("upgrade.bin")));
    EXPECT_TRUE(window.FailedCodes().empty());
    port->ClosePort();
    EXPECT_EQ(folder.Read("application.bin"), app);

    const CommandResult info = RunCli({"--port", sim.DevicePath(), "info"});
    EXPECT_EQ(info.out.rfind("   >> AppPCode:3001,  AppVer:106,", 0), 0u) << info.out;
    std::string simOutput;
    sim.Stop(&simOutput);
    EXPECT_NE(simOutput.find("Received Application image: 50000 bytes"), std::string::npos) << simOutput;
}

TEST(FirmwareCommands, CheckShowsTheHeaderAndTheImagesVersions)
{
    TempFolder folder;
    const std::string app = folder.Write("app.bin", PlainApplication(0x5000, 0x00012345));
    const std::string boot = folder.Write("boot.bin", PlainBootLoader());
    ASSERT_EQ(RunCli({"firmware", "merge", "--app", app, "--boot", boot, "-o", folder.Path("fw.bin")}).exitCode, 0);
    const CommandResult check =
        RunCli({"firmware", "check", folder.Path("fw.bin"), "--addresses", "0x4100,0x4104,0x100,0x104,16648"});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_EQ(check.out, "FileMagic : 0x005F12CD, 0x005F12CD\n"
                         "BootIncluded : 1\n"
                         "Application : offset 64, size 20480\n"
                         "Boot Loader : offset 20544, size 1024\n"
                         "ST Boot Loader : offset 21568, size 0\n"
                         "Images to install : Boot Loader, Application\n"
                         "Boot Loader Image\n"
                         "   >> Product Code:3001,  Version:13,  MemVersion:0\n"
                         "Application Image\n"
                         "   >> Product Code:3001,  Version:9029,  MemVersion:1000\n");

    SimProcess sim;
    const CommandResult fromController =
        RunCli({"--port", sim.DevicePath(), "firmware", "check", folder.Path("fw.bin"), "--from-controller"});
    EXPECT_EQ(fromController.exitCode, 0) << fromController.out;
    EXPECT_NE(fromController.out.find("Address Information Read From Controller\n   >> AppPCodeAddr:0x4100,"),
              std::string::npos)
        << fromController.out;
    EXPECT_NE(fromController.out.find("Version:9029,"), std::string::npos) << fromController.out;
}

struct CommandCase {
    const char* name;
    std::vector<std::string> arguments;  // "@" stands for the folder
    int exitCode;
    std::string out;
};

TEST(FirmwareCommands, RefusalsPrintTheViewsTextsAndExitWithOne)
{
    TempFolder folder;
    folder.Write("small.bin", std::vector<uint8_t>(100, 1));
    folder.Write("big.bin", std::vector<uint8_t>(8193, 1));
    folder.Write("broken.bin", std::vector<uint8_t>(64, 0));
    const auto header = FirmwareFileHeader::ForImages(5000, 0, 0, false).Encode();
    std::vector<uint8_t> truncated(header.begin(), header.end());
    truncated.resize(truncated.size() + 4999, 0);
    folder.Write("truncated.bin", truncated);
    const auto tinyHeader = FirmwareFileHeader::ForImages(8, 0, 0, false).Encode();
    std::vector<uint8_t> tiny(tinyHeader.begin(), tinyHeader.end());
    tiny.resize(tiny.size() + 8, 0);
    folder.Write("tiny.bin", tiny);
    const CommandCase cases[] = {
        {"check of a file without magics",
         {"firmware", "check", "@/broken.bin"},
         1,
         "Firmware file can't be read. \r\nPlease recheck the downloaded file.\n"},
        {"check of an image cut short",
         {"firmware", "check", "@/truncated.bin"},
         1,
         "FileMagic : 0x005F12CD, 0x005F12CD\nBootIncluded : 0\nApplication : offset 64, size 5000\n"
         "Boot Loader : offset 5064, size 0\nST Boot Loader : offset 5064, size 0\n"
         "Images to install : Application\nFile Header Read Fail \n"},
        {"check of a version field beyond the image",
         {"firmware", "check", "@/tiny.bin", "--addresses", "0,4,0,0,5"},
         1,
         "FileMagic : 0x005F12CD, 0x005F12CD\nBootIncluded : 0\nApplication : offset 64, size 8\n"
         "Boot Loader : offset 72, size 0\nST Boot Loader : offset 72, size 0\n"
         "Images to install : Application\nFile Information Read Fail\n"},
        {"merge without a target", {"firmware", "merge", "--app", "@/small.bin"}, 1, "Target File Name Not Selected\n"},
        {"merge of a missing image",
         {"firmware", "merge", "--app", "@/none.bin", "-o", "@/fw"},
         1,
         "App File Open Fail\n"},
        {"gang overflow",
         {"firmware", "gang", "--st", "@/big.bin", "--qv", "@/small.bin", "--app", "@/small.bin", "-o", "@/g.bin"},
         1,
         "ST Bootloader Size Overflow \n\r \n\rFile Name : @/big.bin \n\r\n\rMax Size  : 8192 \n\rFile Size : 8193\n"},
        {"gang of KR-70",
         {"firmware", "gang", "--model", "KR-70", "--st", "@/small.bin", "--qv", "@/small.bin", "--app", "@/small.bin",
          "-o", "@/g.bin"},
         0,
         "Gang File Create Success\n"},
        {"ymodem", {"firmware", "ymodem", "@/small.bin", "@/y.bin"}, 0, ""},
        {"ymodem of a missing file", {"firmware", "ymodem", "@/none.bin", "@/y.bin"}, 1, ""},
        {"unknown model", {"firmware", "gang", "--model", "KT-41"}, 2, ""},
        {"bad addresses",
         {"firmware", "check", "@/small.bin", "--addresses", "1,2,3"},
         2,
         "--addresses takes five numbers: AppPCodeAddr,AppVerAddr,BootPCodeAddr,BootVerAddr,MemVerAddr\n"},
        {"addresses and controller",
         {"firmware", "check", "@/small.bin", "--addresses", "1,2,3,4,5", "--from-controller"},
         2,
         ""},
    };
    for (const CommandCase& c : cases) {
        std::vector<std::string> arguments;
        for (std::string argument : c.arguments) {
            if (argument[0] == '@')
                argument.replace(0, 1, folder.path());
            arguments.push_back(argument);
        }
        std::string out = c.out;
        if (const size_t at = out.find("@/"); at != std::string::npos)
            out.replace(at, 1, folder.path());
        const CommandResult result = RunCli(arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name << "\n" << result.out << result.err;
        if (c.exitCode != 2) {
            EXPECT_EQ(result.out, out) << c.name;
        }
    }
}

}  // namespace
}  // namespace skarnel
