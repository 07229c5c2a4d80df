#pragma once

#include "telemetry/log_tables.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace skarnel {

// A list by the name its tab shows, blanks and case aside ("General", "gps", "RF RXSQ",
// "rfrxsq", ...); nothing for another name.
std::optional<LogList> LogListNamed(std::string_view name);
// "General", "Electric", "GPS", "Vario", "Receiver", "RF_RXSQ", "Channel": a list's file name.
std::string LogListFileName(LogList list);

// The list as comma-separated values: a line of the column texts of the display language,
// then each row's cells as the list shows them. The file is replaced whole or not at all;
// false with the system's reason in `error` when it cannot be written.
bool ExportListCsv(const LogTables& tables, LogList list, const std::filesystem::path& path, int language,
                   std::string* error = nullptr);
// Every list that has rows as "<name>.csv" in the folder, which is made when missing.
bool ExportAllCsv(const LogTables& tables, const std::filesystem::path& folder, int language,
                  std::string* error = nullptr);

// The GPS rows as a GPX 1.1 track and as a KML 2.2 document (start and finish marks and the
// path in red); the coordinates are those of the GPS list in decimal degrees, the altitude in
// metres. False without GPS rows (nothing is written) or when the file cannot be written.
bool ExportGpx(const LogTables& tables, const std::filesystem::path& path, std::string* error = nullptr);
bool ExportKml(const LogTables& tables, const std::filesystem::path& path, std::string* error = nullptr);

}  // namespace skarnel
