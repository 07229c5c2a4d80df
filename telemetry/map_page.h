#pragma once

#include "telemetry/telemetry_records.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace skarnel {

// The two pages a loaded log's flight path is shown on: the online map provider's page
// ("New_Map.html") and a street-map page drawn with a local copy of Leaflet.
enum class MapPageKind { Street, Provider };

inline constexpr const char* kStreetMapPageName = "Street_Map.html";
// Where Debian's libjs-leaflet keeps the library the street page is drawn with.
inline constexpr const char* kLeafletSourceFolder = "/usr/share/javascript/leaflet";

// The rows drawn as the path before its closing last row: every row of a live log, every fifth
// (0, 5, 10, ...) of a controller log, which holds 100 records a second.
std::vector<size_t> MapPathRows(size_t rowCount, bool liveLog);

// The provider's page, with CR LF line ends; rows must not be empty.
std::string ProviderMapPageText(const std::vector<GpsData>& rows, bool liveLog);
// The street-map page of the same points, with CR LF line ends; rows must not be empty.
std::string StreetMapPageText(const std::vector<GpsData>& rows, bool liveLog);

// Writes both pages into the folder, each replaced whole, with the street page's copy of
// Leaflet (from leafletSource) beside it. No rows: nothing is written. False with the reason
// when there are no rows or anything could not be written.
bool WriteMapPages(const std::filesystem::path& folder, const std::vector<GpsData>& rows, bool liveLog,
                   std::string& error);
bool WriteMapPages(const std::filesystem::path& folder, const std::vector<GpsData>& rows, bool liveLog,
                   const std::filesystem::path& leafletSource, std::string& error);

// The page setting's values, "street" (the default) and "provider".
MapPageKind MapPageKindFromSetting(std::string_view setting);
std::string_view MapPageSetting(MapPageKind kind);
// The page of that kind in the folder.
std::filesystem::path MapPageFile(const std::filesystem::path& folder, MapPageKind kind);

}  // namespace skarnel
