#include "telemetry/map_page.h"

#include "base/app_folder.h"
#include "base/format.h"
#include "base/replacing_file.h"
#include "telemetry/gps_coordinates.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace skarnel {
namespace fs = std::filesystem;
namespace {

constexpr size_t kControllerLogStep = 5;
constexpr const char* kProviderScriptUrl = "https://maps.googleapis.com/maps/api/js?sensor=false";
constexpr const char* kLeafletFolder = "leaflet";
// What the street page needs of the library: the script, its style sheet and the marker
// pictures the style sheet names.
constexpr const char* kLeafletFiles[] = {"leaflet.js", "leaflet.css", "images/marker-icon.png",
                                         "images/marker-icon-2x.png", "images/marker-shadow.png"};

struct LatLngText {
    std::string lat;
    std::string lng;
};

LatLngText TextOf(const GpsData& row)
{
    return {GpsDegreesText({row.nsHigh, row.nsLow, row.ns}), GpsDegreesText({row.ewHigh, row.ewLow, row.ew})};
}

// The path's points: the chosen rows, then the last row once more to close the path.
std::vector<LatLngText> PathPoints(const std::vector<GpsData>& rows, bool liveLog)
{
    std::vector<LatLngText> points;
    for (size_t row : MapPathRows(rows.size(), liveLog))
        points.push_back(TextOf(rows[row]));
    points.push_back(TextOf(rows.back()));
    return points;
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::string Tabs(int count)
{
    return std::string(size_t(count), '\t');
}

// The page's text up to the path's coordinates and from the end of them, each "\n" a line end.
std::string ProviderPageHead(const LatLngText& start, const LatLngText& finish)
{
    return std::string("<HTML> \n"
                       "<head> \n"
                       "<meta name=\"viewport\" content=\"initial-scale=1.0, user-scalable=no\" /> \n"
                       "<script type=\"text/javascript\" src=\"") +
           kProviderScriptUrl +
           "\"></script> \n"
           "</script> <script type=\"text/javascript\"> \n\n"
           "var map; \n\n"
           "function initialize()  \n"
           "{      \n" +
           Format("\tvar location = new google.maps.LatLng(%s, %s)    \n\n", start.lat.c_str(), start.lng.c_str()) +
           "\tvar myOptions = {        \n"
           "\t\t\tzoom: 17,        \n"
           "\t\t\tcenter: location,        \n"
           "\t\t\tscaleControl: true, \t \n"
           "\t\t\tscaleControlOptions: { position: google.maps.ControlPosition.BOTTOM_CENTER },  \t\t \n"
           "\t\t\t//scaleControlOptions: { position: google.maps.ControlPosition.TOP_CENTER }, \t \t \n"
           "\t\t\tmapTypeControl: true," +
           Tabs(15) +
           " \t \n"
           "\t\t    mapTypeControlOptions: {style: google.maps.MapTypeControlStyle.HORIZONTAL_BAR}, \t \n"
           "\t\t    navigationControl: true," +
           Tabs(15) +
           " \n"
           "\t\t    navigationControlOptions: {style: google.maps.NavigationControlStyle.DEFAULT}, \t\t \n"
           "\t\t\tmapTypeId: google.maps.MapTypeId.HYBRID " +
           Tabs(11) + " \n" + "\t\t\t};  " + Tabs(20) +
           " \n\n"
           "\tmap = new google.maps.Map(document.getElementById(\"map_canvas\"), myOptions);  \t\t\t\t \n\n"
           "\t// Marker \n" +
           Format("\tnew google.maps.Marker({position: new google.maps.LatLng(%s, %s), map: map, title:\"Start\" });   "
                  " \n",
                  start.lat.c_str(), start.lng.c_str()) +
           Format("\tnew google.maps.Marker({position: new google.maps.LatLng(%s, %s), map: map, "
                  "title:\"Finish\" });    \n\n",
                  finish.lat.c_str(), finish.lng.c_str()) +
           "  // Flight Route  \n"
           "\tvar flightPlanCoordinates = [  \n";
}

std::string ProviderPageTail()
{
    const std::string indent = Tabs(11);
    return Tabs(8) + "];  \n\n\n" + "\tvar flightPath = new google.maps.Polyline({ path: flightPlanCoordinates,  \n" +
           indent + "strokeColor: \"#FF0000\",\t\t\t\n" + indent + "strokeOpacity: 1.0,\t\t\n" + indent +
           "strokeWeight: 2,\t\t\n" + indent + "map: map\t\t\n" + indent + "});\t\t\t\t\n" +
           "  \n"
           "}  \n"
           "</script> </head> <body onload=\"initialize()\">   \t\t\t \n"
           "<div id=\"map_canvas\" style=\"width:100%; height:100%\">\t\t \n"
           "</div>\t\n"
           "</body>\t \n"
           "</html>\t \n";
}

// The points as a JSON array of [latitude, longitude] pairs; the texts are JSON numbers.
std::string PointsJson(const std::vector<LatLngText>& points)
{
    std::string json = "[";
    for (const LatLngText& point : points)
        json += (json.size() > 1 ? ",\n[" : "\n[") + point.lat + ", " + point.lng + "]";
    return json + "\n]";
}

constexpr const char* kStreetPageHead = R"(<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<meta name="viewport" content="initial-scale=1.0, user-scalable=no">
<title>Flight Path</title>
<link rel="stylesheet" href="leaflet/leaflet.css">
<script src="leaflet/leaflet.js"></script>
<style>html, body, #map_canvas { width: 100%; height: 100%; margin: 0; }</style>
</head>
<body>
<div id="map_canvas"></div>
<script type="application/json" id="flight_path">
)";

// Every point is kept (no smoothing), so the drawn path has exactly the page's points; the
// map element carries their count for whoever checks the page.
constexpr const char* kStreetPageTail = R"(
</script>
<script>
var points = JSON.parse(document.getElementById("flight_path").textContent);
var map = L.map("map_canvas");
L.tileLayer("https://tile.openstreetmap.org/{z}/{x}/{y}.png", {
	maxZoom: 19,
	attribution: "&copy; <a href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</a> contributors"
}).addTo(map);
L.marker(points[0], {title: "Start"}).addTo(map);
L.marker(points[points.length - 1], {title: "Finish"}).addTo(map);
var route = L.polyline(points, {color: "#FF0000", weight: 2, opacity: 1.0, smoothFactor: 0}).addTo(map);
map.fitBounds(route.getBounds(), {padding: [20, 20], maxZoom: 18});
document.getElementById("map_canvas").setAttribute("data-path-points", route.getLatLngs().length);
</script>
</body>
</html>
)";

bool WriteText(const fs::path& path, const std::string& text, std::string& error)
{
    std::string reason;
    if (WriteReplacingFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(), &reason))
        return true;
    error = path.string() + ": " + reason;
    return false;
}

bool ReadWhole(const fs::path& path, std::string& bytes, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (in.is_open())
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        error = path.string() + ": cannot be read";
        return false;
    }
    return true;
}

bool CopyLeaflet(const fs::path& source, const fs::path& target, std::string& error)
{
    std::error_code code;
    fs::create_directories(target / "images", code);
    if (code) {
        error = (target / "images").string() + ": " + code.message();
        return false;
    }
    for (const char* name : kLeafletFiles) {
        std::string bytes;
        if (!ReadWhole(source / name, bytes, error) || !WriteText(target / name, bytes, error))
            return false;
    }
    return true;
}

}  // namespace

std::vector<size_t> MapPathRows(size_t rowCount, bool liveLog)
{
    const size_t step = liveLog ? 1 : kControllerLogStep;
    std::vector<size_t> rows;
    rows.reserve(rowCount / step + 1);
    for (size_t row = 0; row < rowCount; row += step)
        rows.push_back(row);
    return rows;
}

std::string ProviderMapPageText(const std::vector<GpsData>& rows, bool liveLog)
{
    const std::vector<LatLngText> points = PathPoints(rows, liveLog);
    std::string page = ProviderPageHead(points.front(), points.back());
    for (size_t i = 0; i + 1 < points.size(); ++i)
        page += Tabs(8) + Format("new google.maps.LatLng(%s, %s),\t\t\n", points[i].lat.c_str(), points[i].lng.c_str());
    page +=
        Tabs(8) + Format("new google.maps.LatLng(%s, %s)\t\t\n", points.back().lat.c_str(), points.back().lng.c_str());
    return WithCrLf(page + ProviderPageTail());
}

std::string StreetMapPageText(const std::vector<GpsData>& rows, bool liveLog)
{
    return WithCrLf(kStreetPageHead + PointsJson(PathPoints(rows, liveLog)) + kStreetPageTail);
}

bool WriteMapPages(const fs::path& folder, const std::vector<GpsData>& rows, bool liveLog, std::string& error)
{
    return WriteMapPages(folder, rows, liveLog, kLeafletSourceFolder, error);
}

bool WriteMapPages(const fs::path& folder, const std::vector<GpsData>& rows, bool liveLog,
                   const fs::path& leafletSource, std::string& error)
{
    if (rows.empty()) {
        error = "No GPS rows";
        return false;
    }
    // An empty folder would put the pages wherever the program happens to run.
    if (folder.empty()) {
        error = "No folder for the map pages";
        return false;
    }
    return WriteText(MapPageFile(folder, MapPageKind::Provider), ProviderMapPageText(rows, liveLog), error) &&
           CopyLeaflet(leafletSource, folder / kLeafletFolder, error) &&
           WriteText(MapPageFile(folder, MapPageKind::Street), StreetMapPageText(rows, liveLog), error);
}

MapPageKind MapPageKindFromSetting(std::string_view setting)
{
    return setting == MapPageSetting(MapPageKind::Provider) ? MapPageKind::Provider : MapPageKind::Street;
}

std::string_view MapPageSetting(MapPageKind kind)
{
    return kind == MapPageKind::Provider ? "provider" : "street";
}

fs::path MapPageFile(const fs::path& folder, MapPageKind kind)
{
    return kind == MapPageKind::Provider ? MapPagePath(folder) : folder / kStreetMapPageName;
}

}  // namespace skarnel
