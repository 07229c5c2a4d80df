#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace skarnel {

struct ProductInfo {
    static constexpr size_t kReplySize = 53;

    std::array<uint8_t, kReplySize> raw{};
    int32_t AppPCode = 0;
    int32_t AppVer = 0;
    int32_t BootPCode = 0;
    int32_t BootVer = 0;
    int32_t MemVer = 0;
    std::string AppPCodeText;
    std::string AppVerText;
    std::string BootPCodeText;
    std::string BootVerText;
    std::string productName;
    std::string buyer;
    std::string MemVerText;

    // 0: the display shows 21-character lines, 1: 40-character lines.
    int DisplayType() const { return raw[48]; }

    // Fills every field from the reply payload.
    static ProductInfo FromReply(std::span<const uint8_t, kReplySize> payload);
};

struct VersionAddressInfo {
    static constexpr size_t kReplySize = 20;

    uint32_t AppPCodeAddr = 0;
    uint32_t AppVerAddr = 0;
    uint32_t BootPCodeAddr = 0;
    uint32_t BootVerAddr = 0;
    uint32_t MemVerAddr = 0;

    static VersionAddressInfo FromReply(std::span<const uint8_t, kReplySize> payload);
};

// A text field of the controller: each byte one character; a zero byte ends the text; white
// space trimmed at both ends.
std::string TextField(const uint8_t* bytes, size_t size);

// The log lines the procedures write for the two records.
std::string ProductCodesLogLine(const ProductInfo& info);
std::string ProductNameLogLine(const ProductInfo& info);
std::string VersionAddressLogLine(const VersionAddressInfo& info);

}  // namespace skarnel
