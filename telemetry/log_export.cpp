#include "telemetry/log_export.h"

#include "base/format.h"
#include "base/replacing_file.h"
#include "telemetry/gps_coordinates.h"
#include "telemetry/telemetry_text.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace skarnel {
namespace {

constexpr const char* kListFileNames[kLogListCount] = {"General",  "Electric", "GPS",    "Vario",
                                                       "Receiver", "RF_RXSQ",  "Channel"};
constexpr const char* kNoGpsRows = "the log has no GPS rows";

std::string Squeezed(std::string_view name)
{
    std::string squeezed;
    for (const char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)))
            squeezed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return squeezed;
}

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

bool WriteText(const std::filesystem::path& path, const std::string& text, std::string* error)
{
    return WriteReplacingFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(), error);
}

struct GpsPoint {
    std::string lat;
    std::string lon;
    int32_t altitude;
    int32_t time;
};

std::vector<GpsPoint> GpsPoints(const LogTables& tables)
{
    const LogTable& table = tables.Table(LogList::Gps);
    std::vector<GpsPoint> points;
    points.reserve(table.RowCount());
    for (size_t row = 0; row < table.RowCount(); ++row) {
        GpsData gps;
        std::memcpy(static_cast<void*>(&gps), table.Record(row), sizeof gps);
        points.push_back({GpsDegreesText({gps.nsHigh, gps.nsLow, gps.ns}),
                          GpsDegreesText({gps.ewHigh, gps.ewLow, gps.ew}), gps.altitude, table.Time(row)});
    }
    return points;
}

bool NoPoints(const std::vector<GpsPoint>& points, std::string* error)
{
    if (!points.empty())
        return false;
    if (error)
        *error = kNoGpsRows;
    return true;
}

}  // namespace

std::optional<LogList> LogListNamed(std::string_view name)
{
    for (int i = 0; i < kLogListCount; ++i)
        if (Squeezed(name) == Squeezed(kListFileNames[i]))
            return static_cast<LogList>(i);
    return std::nullopt;
}

std::string LogListFileName(LogList list)
{
    return kListFileNames[static_cast<int>(list)];
}

bool ExportListCsv(const LogTables& tables, LogList list, const std::filesystem::path& path, int language,
                   std::string* error)
{
    const LogLayout& layout = tables.Layout(list);
    const int columns = tables.ColumnCount(list);
    std::string text;
    for (int column = 0; column < columns; ++column)
        text += (column ? "," : "") + CsvField(ColumnTitle(layout, column, language));
    text += "\r\n";
    for (size_t row = 0; row < tables.Table(list).RowCount(); ++row) {
        for (int column = 0; column < columns; ++column)
            text += (column ? "," : "") + CsvField(tables.CellText(list, row, column));
        text += "\r\n";
    }
    return WriteText(path, text, error);
}

bool ExportAllCsv(const LogTables& tables, const std::filesystem::path& folder, int language, std::string* error)
{
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        if (error)
            *error = failure.message();
        return false;
    }
    for (int i = 0; i < kLogListCount; ++i) {
        const auto list = static_cast<LogList>(i);
        if (!tables.Table(list).Empty() &&
            !ExportListCsv(tables, list, folder / (LogListFileName(list) + ".csv"), language, error))
            return false;
    }
    return true;
}

bool ExportGpx(const LogTables& tables, const std::filesystem::path& path, std::string* error)
{
    const std::vector<GpsPoint> points = GpsPoints(tables);
    if (NoPoints(points, error))
        return false;
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<gpx version=\"1.1\" creator=\"Skarnel\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                       "  <trk>\n    <name>Flight Path</name>\n    <trkseg>\n";
    for (const GpsPoint& point : points)
        text += Format("      <trkpt lat=\"%s\" lon=\"%s\"><ele>%d</ele><name>%s</name></trkpt>\n", point.lat.c_str(),
                       point.lon.c_str(), point.altitude, LogTimeText(point.time).c_str());
    text += "    </trkseg>\n  </trk>\n</gpx>\n";
    return WriteText(path, text, error);
}

bool ExportKml(const LogTables& tables, const std::filesystem::path& path, std::string* error)
{
    const std::vector<GpsPoint> points = GpsPoints(tables);
    if (NoPoints(points, error))
        return false;
    auto place = [](const char* name, const GpsPoint& point) {
        return Format("    <Placemark><name>%s</name><Point><coordinates>%s,%s,%d</coordinates></Point></Placemark>\n",
                      name, point.lon.c_str(), point.lat.c_str(), point.altitude);
    };
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n  <Document>\n    <name>Flight Path</name>\n"
        "    <Style id=\"path\"><LineStyle><color>ff0000ff</color><width>2</width></LineStyle></Style>\n";
    text += place("Start", points.front());
    text += place("Finish", points.back());
    text += "    <Placemark><name>Flight Route</name><styleUrl>#path</styleUrl><LineString>"
            "<altitudeMode>absolute</altitudeMode><coordinates>\n";
    for (const GpsPoint& point : points)
        text += Format("      %s,%s,%d\n", point.lon.c_str(), point.lat.c_str(), point.altitude);
    text += "    </coordinates></LineString></Placemark>\n  </Document>\n</kml>\n";
    return WriteText(path, text, error);
}

}  // namespace skarnel
