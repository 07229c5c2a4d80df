#include "link/product_info.h"

#include "base/byte_order.h"
#include "base/format.h"

#include <algorithm>
#include <cctype>

namespace skarnel {

std::string TextField(const uint8_t* bytes, size_t size)
{
    const uint8_t* end = std::find(bytes, bytes + size, 0);
    std::string text(bytes, end);
    auto isBlank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

ProductInfo ProductInfo::FromReply(std::span<const uint8_t, kReplySize> payload)
{
    ProductInfo info;
    std::copy(payload.begin(), payload.end(), info.raw.begin());
    info.AppPCode = static_cast<int32_t>(ReadLe24(payload.data() + 0));
    info.AppVer = static_cast<int32_t>(ReadLe24(payload.data() + 4));
    info.BootPCode = static_cast<int32_t>(ReadLe24(payload.data() + 8));
    info.BootVer = static_cast<int32_t>(ReadLe24(payload.data() + 12));
    info.MemVer = static_cast<int32_t>(ReadLe24(payload.data() + 49));
    info.AppPCodeText = std::to_string(info.AppPCode);
    info.AppVerText = std::to_string(info.AppVer);
    info.BootPCodeText = std::to_string(info.BootPCode);
    info.BootVerText = std::to_string(info.BootVer);
    info.MemVerText = std::to_string(info.MemVer);
    info.productName = TextField(payload.data() + 16, 16);
    info.buyer = TextField(payload.data() + 32, 16);
    return info;
}

VersionAddressInfo VersionAddressInfo::FromReply(std::span<const uint8_t, kReplySize> payload)
{
    VersionAddressInfo info;
    info.AppPCodeAddr = ReadLe24(payload.data() + 0);
    info.AppVerAddr = ReadLe24(payload.data() + 4);
    info.BootPCodeAddr = ReadLe24(payload.data() + 8);
    info.BootVerAddr = ReadLe24(payload.data() + 12);
    info.MemVerAddr = ReadLe24(payload.data() + 16);
    return info;
}

std::string ProductCodesLogLine(const ProductInfo& info)
{
    return Format("   >> AppPCode:%d,  AppVer:%d,  BootPCode:%d,  BootVer:%d,  MemVer:%d", info.AppPCode, info.AppVer,
                  info.BootPCode, info.BootVer, info.MemVer);
}

std::string ProductNameLogLine(const ProductInfo& info)
{
    return Format("   >> Product Name:%s,  Buyer:%s", info.productName.c_str(), info.buyer.c_str());
}

std::string VersionAddressLogLine(const VersionAddressInfo& info)
{
    return Format("   >> AppPCodeAddr:0x%X,  AppVerAddr:0x%X,  BootPCodeAddr:0x%X,  BootVerAddr:0x%X,  MemVerAddr:0x%X",
                  info.AppPCodeAddr, info.AppVerAddr, info.BootPCodeAddr, info.BootVerAddr, info.MemVerAddr);
}

}  // namespace skarnel
