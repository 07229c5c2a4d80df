#include "link/product_info.h"

#include "tests/support/simulated_link.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

std::array<uint8_t, ProductInfo::kReplySize> ReplyWithNames(const std::string& name, const std::string& buyer)
{
    std::array<uint8_t, ProductInfo::kReplySize> payload{};
    const uint8_t codes[] = {0x39, 0x30, 0x00, 0x7F, 0x01, 0x02, 0x03, 0xFF};
    std::copy(std::begin(codes), std::end(codes), payload.begin());
    std::copy(name.begin(), name.end(), payload.begin() + 16);
    std::copy(buyer.begin(), buyer.end(), payload.begin() + 32);
    payload[48] = 1;
    payload[49] = 0xE9;
    payload[50] = 0x03;
    return payload;
}

TEST(ProductInfo, ParsesTwentyFourBitFieldsAndIgnoresTheFourthByte)
{
    const ProductInfo info = ProductInfo::FromReply(ReplyWithNames("", ""));
    EXPECT_EQ(info.AppPCode, 12345);
    EXPECT_EQ(info.AppVer, 0x030201);
    EXPECT_EQ(info.MemVer, 1001);
    EXPECT_EQ(info.AppPCodeText, "12345");
    EXPECT_EQ(info.MemVerText, "1001");
    EXPECT_EQ(info.DisplayType(), 1);
}

TEST(ProductInfo, NamesStopAtZeroAndLoseSurroundingBlanks)
{
    EXPECT_EQ(ProductInfo::FromReply(ReplyWithNames("  ABC", "")).productName, "ABC");
    EXPECT_EQ(ProductInfo::FromReply(ReplyWithNames(std::string(16, ' '), "")).productName, "");
    const ProductInfo info = ProductInfo::FromReply(ReplyWithNames("A B\t", std::string("Shop\0Tail", 9)));
    EXPECT_EQ(info.productName, "A B");
    EXPECT_EQ(info.buyer, "Shop");
    EXPECT_EQ(ProductInfo::FromReply(ReplyWithNames(std::string(16, 'N'), "")).productName, std::string(16, 'N'));
}

TEST(ProductInfo, LogLinesAsTheProceduresWriteThem)
{
    ProductInfo info = ProductInfo::FromReply(ReplyWithNames("KT-40", "Shop"));
    EXPECT_EQ(ProductCodesLogLine(info),
              "   >> AppPCode:12345,  AppVer:197121,  BootPCode:0,  BootVer:0,  MemVer:1001");
    EXPECT_EQ(ProductNameLogLine(info), "   >> Product Name:KT-40,  Buyer:Shop");
    VersionAddressInfo addresses;
    addresses.AppPCodeAddr = 0x4100;
    addresses.MemVerAddr = 0xABCDEF;
    EXPECT_EQ(VersionAddressLogLine(addresses), "   >> AppPCodeAddr:0x4100,  AppVerAddr:0x0,  BootPCodeAddr:0x0,  "
                                                "BootVerAddr:0x0,  MemVerAddr:0xABCDEF");
}

TEST(ProductInfo, ReadThroughTheControllerMatchesItsSettings)
{
    test::SimulatedLink s;
    s.engine().state().product.productName = "Simulated";
    s.engine().state().product.displayType = 1;
    ProductInfo info;
    ASSERT_TRUE(s.link.ReadProductInfo(info));
    EXPECT_EQ(info.productName, "Simulated");
    EXPECT_EQ(info.buyer, s.engine().state().product.buyer);
    EXPECT_EQ(info.AppVer, static_cast<int32_t>(s.engine().state().product.appVersion));
    EXPECT_EQ(info.DisplayType(), 1);
}

// An acknowledgement too short for the record must not be read from the bytes behind it (an
// empty one once gave the CRC bytes as the product code).
TEST(ProductInfo, ShortReplyFailsTheRead)
{
    for (const std::vector<uint8_t>& payload : {std::vector<uint8_t>{}, std::vector<uint8_t>{0x05, 0x00, 0x00, 0x00}}) {
        test::SimulatedLink s;
        s.engine().On(sim::ControllerMode::Application, 0, 0x11, [payload](const sim::Request&) {
            return sim::Reply{1, payload};
        });
        ProductInfo info;
        EXPECT_FALSE(s.link.ReadProductInfo(info)) << payload.size() << " bytes";
        EXPECT_EQ(info.AppPCode, 0);
    }
}

TEST(FileInformation, PayloadHoldsValuesAndTwoTerminatedTexts)
{
    test::SimulatedLink s;
    s.engine().On(sim::ControllerMode::Application, 0, 0x12, [](const sim::Request&) { return sim::Reply{}; });
    s.engine().KeepRequestLog(true);
    ASSERT_TRUE(s.link.SendFileInformation(0x01020304, 0, "", "Flash"));
    ASSERT_TRUE(s.link.SendFileInformation(7, 9, "up.bin", "Flash"));
    const auto& log = s.engine().RequestLog();
    EXPECT_EQ(log[0].payload, (std::vector<uint8_t>{4, 3, 2, 1, 0, 0, 0, 0, 0, 'F', 'l', 'a', 's', 'h', 0}));
    EXPECT_EQ(log[1].payload.size(), 10u + 6 + 5);
    EXPECT_EQ(log[1].payload[4], 9);
    EXPECT_EQ(log[1].payload[8], 'u');
    EXPECT_EQ(log[1].payload[14], 0);
}

TEST(FileInformation, RefusesTextsThatDoNotFitItsBuffer)
{
    test::SimulatedLink s;
    s.engine().KeepRequestLog(true);
    EXPECT_FALSE(s.link.SendFileInformation(1, 0, std::string(600, 'x'), "Flash"));
    EXPECT_FALSE(s.link.SendLcdLine(0, std::string(512, 'x')));
    EXPECT_TRUE(s.engine().RequestLog().empty());
}

TEST(LcdLine, PayloadIsTheLineNumberThenTheText)
{
    test::SimulatedLink s;
    s.engine().KeepRequestLog(true);
    ASSERT_TRUE(s.link.SendLcdLine(3, "* Please Wait....   *"));
    const std::vector<uint8_t>& payload = s.engine().RequestLog().at(0).payload;
    ASSERT_EQ(payload.size(), 22u);
    EXPECT_EQ(payload[0], 0x03);
    EXPECT_EQ(std::string(payload.begin() + 1, payload.end()), "* Please Wait....   *");
    EXPECT_EQ(s.engine().state().display.lines.at(3), "* Please Wait....   *");
}

}  // namespace
}  // namespace skarnel
