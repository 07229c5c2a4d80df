#pragma once

#include <cstdint>
#include <span>

namespace skarnel {

// The conversion table set built into the application (generated at build time by
// model/conversion_tables/generate_conversion_tables.py).
std::span<const uint8_t> EmbeddedConversionTableSet();
// The name of each field record of the set, by record number.
std::span<const char* const> ConversionFieldNames();

}  // namespace skarnel
