#include "base/app_folder.h"
#include "telemetry/map_page.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace skarnel::test {
namespace {

// A row at high/low north and the same west.
GpsData RowAt(int high, int low)
{
    GpsData row{};
    row.nsHigh = high;
    row.nsLow = low;
    row.ewHigh = high;
    row.ewLow = low;
    row.ew = 1;
    row.rxsq = 60;
    return row;
}

// Rows whose latitude low part is the row number, so a point tells which row it came from.
std::vector<GpsData> NumberedRows(int count)
{
    std::vector<GpsData> rows;
    for (int row = 0; row < count; ++row)
        rows.push_back(RowAt(4807, row * 6));
    return rows;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The page of a live log of the rows 4807/1234 (48.118723 north and west) and 4807/1240,
// every line as the controller's service software has always written it.
const std::string kGoldenPage =
    "<HTML> \r\n"
    "<head> \r\n"
    "<meta name=\"viewport\" content=\"initial-scale=1.0, user-scalable=no\" /> \r\n"
    "<script type=\"text/javascript\" src=\"https://maps.googleapis.com/maps/api/js?sensor=false\"></script> \r\n"
    "</script> <script type=\"text/javascript\"> \r\n\r\n"
    "var map; \r\n\r\n"
    "function initialize()  \r\n"
    "{      \r\n"
    "\tvar location = new google.maps.LatLng(48.118723, -48.118723)    \r\n\r\n"
    "\tvar myOptions = {        \r\n"
    "\t\t\tzoom: 17,        \r\n"
    "\t\t\tcenter: location,        \r\n"
    "\t\t\tscaleControl: true, \t \r\n"
    "\t\t\tscaleControlOptions: { position: google.maps.ControlPosition.BOTTOM_CENTER },  \t\t \r\n"
    "\t\t\t//scaleControlOptions: { position: google.maps.ControlPosition.TOP_CENTER }, \t \t \r\n"
    "\t\t\tmapTypeControl: true,\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t \t \r\n"
    "\t\t    mapTypeControlOptions: {style: google.maps.MapTypeControlStyle.HORIZONTAL_BAR}, \t \r\n"
    "\t\t    navigationControl: true,\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t \r\n"
    "\t\t    navigationControlOptions: {style: google.maps.NavigationControlStyle.DEFAULT}, \t\t \r\n"
    "\t\t\tmapTypeId: google.maps.MapTypeId.HYBRID \t\t\t\t\t\t\t\t\t\t\t \r\n"
    "\t\t\t};  \t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t \r\n\r\n"
    "\tmap = new google.maps.Map(document.getElementById(\"map_canvas\"), myOptions);  \t\t\t\t \r\n\r\n"
    "\t// Marker \r\n"
    "\tnew google.maps.Marker({position: new google.maps.LatLng(48.118723, -48.118723), map: map, "
    "title:\"Start\" });    \r\n"
    "\tnew google.maps.Marker({position: new google.maps.LatLng(48.118733, -48.118733), map: map, "
    "title:\"Finish\" });    \r\n\r\n"
    "  // Flight Route  \r\n"
    "\tvar flightPlanCoordinates = [  \r\n"
    "\t\t\t\t\t\t\t\tnew google.maps.LatLng(48.118723, -48.118723),\t\t\r\n"
    "\t\t\t\t\t\t\t\tnew google.maps.LatLng(48.118733, -48.118733),\t\t\r\n"
    "\t\t\t\t\t\t\t\tnew google.maps.LatLng(48.118733, -48.118733)\t\t\r\n"
    "\t\t\t\t\t\t\t\t];  \r\n\r\n\r\n"
    "\tvar flightPath = new google.maps.Polyline({ path: flightPlanCoordinates,  \r\n"
    "\t\t\t\t\t\t\t\t\t\t\tstrokeColor: \"#FF0000\",\t\t\t\r\n"
    "\t\t\t\t\t\t\t\t\t\t\tstrokeOpacity: 1.0,\t\t\r\n"
    "\t\t\t\t\t\t\t\t\t\t\tstrokeWeight: 2,\t\t\r\n"
    "\t\t\t\t\t\t\t\t\t\t\tmap: map\t\t\r\n"
    "\t\t\t\t\t\t\t\t\t\t\t});\t\t\t\t\r\n"
    "  \r\n"
    "}  \r\n"
    "</script> </head> <body onload=\"initialize()\">   \t\t\t \r\n"
    "<div id=\"map_canvas\" style=\"width:100%; height:100%\">\t\t \r\n"
    "</div>\t\r\n"
    "</body>\t \r\n"
    "</html>\t \r\n";

TEST(MapPage, ProviderPageIsTheKnownTextByteForByte)
{
    EXPECT_EQ(ProviderMapPageText({RowAt(4807, 1234), RowAt(4807, 1240)}, true), kGoldenPage);
}

// Every line end of both pages is CR LF: no bare LF and no CR without its LF.
TEST(MapPage, EveryLineEndsWithCrLf)
{
    const std::vector<GpsData> rows = NumberedRows(12);
    for (const std::string& page : {ProviderMapPageText(rows, false), StreetMapPageText(rows, true)}) {
        size_t lineEnds = 0;
        for (size_t i = 0; i < page.size(); ++i) {
            if (page[i] == '\n' || page[i] == '\r') {
                ASSERT_TRUE(page[i] == '\r' && i + 1 < page.size() && page[i + 1] == '\n') << "at " << i;
                ++lineEnds;
                ++i;
            }
        }
        EXPECT_GT(lineEnds, 20u);
        EXPECT_EQ(page.substr(page.size() - 2), "\r\n");
    }
}

struct RowsCase {
    size_t rowCount;
    bool liveLog;
    std::vector<size_t> rows;
};

TEST(MapPage, PathRowsAreEveryRowLiveAndEveryFifthOfAControllerLog)
{
    const RowsCase cases[] = {
        {1, true, {0}},     {4, true, {0, 1, 2, 3}}, {1, false, {0}},         {5, false, {0}},
        {6, false, {0, 5}}, {11, false, {0, 5, 10}}, {14, false, {0, 5, 10}}, {0, false, {}},
    };
    for (const RowsCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rowCount << (c.liveLog ? " live" : " controller"));
        EXPECT_EQ(MapPathRows(c.rowCount, c.liveLog), c.rows);
    }
}

// The points between the list's opening and closing lines of the provider's page.
std::vector<std::string> ProviderPathLines(const std::string& page)
{
    const size_t begin = page.find("[  \r\n") + 5;
    const size_t end = page.find(std::string(8, '\t') + "];  ");
    std::vector<std::string> lines;
    for (size_t at = begin; at < end;) {
        const size_t lineEnd = page.find("\r\n", at);
        lines.push_back(page.substr(at, lineEnd - at));
        at = lineEnd + 2;
    }
    return lines;
}

TEST(MapPage, ControllerLogPathTakesEveryFifthRowThenTheLastOne)
{
    const std::vector<std::string> lines = ProviderPathLines(ProviderMapPageText(NumberedRows(12), false));
    const std::string tabs(8, '\t');
    // Row n lies at 48° 7.0000 + n × 0.0006 minutes: n × 10 millionths of a degree.
    EXPECT_EQ(lines, (std::vector<std::string>{
                         tabs + "new google.maps.LatLng(48.116666, -48.116666),\t\t",
                         tabs + "new google.maps.LatLng(48.116716, -48.116716),\t\t",
                         tabs + "new google.maps.LatLng(48.116766, -48.116766),\t\t",
                         tabs + "new google.maps.LatLng(48.116776, -48.116776)\t\t",
                     }));
}

// The street page's points, read back from its JSON array with a JSON reader.
std::vector<std::string> StreetPagePoints(const std::string& page)
{
    const std::string open = "id=\"flight_path\">";
    const size_t begin = page.find(open) + open.size();
    const std::string json = page.substr(begin, page.find("</script>", begin) - begin);
    const CommandResult read = RunCommand(
        {"/usr/bin/python3", "-c",
         "import json, sys\nfor lat, lng in json.loads(sys.argv[1]): print('%.6f %.6f' % (lat, lng))", json});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    return OutputLines(read.out);
}

TEST(MapPage, StreetPageHoldsThePointsOfTheProviderPageAsJson)
{
    const std::vector<GpsData> rows = NumberedRows(7);
    EXPECT_EQ(StreetPagePoints(StreetMapPageText(rows, false)),
              (std::vector<std::string>{"48.116666 -48.116666", "48.116716 -48.116716", "48.116726 -48.116726"}));
    EXPECT_EQ(StreetPagePoints(StreetMapPageText(rows, true)).size(), 8u);
    const std::vector<GpsData> south = {RowAt(11630, 5000)};
    EXPECT_EQ(StreetPagePoints(StreetMapPageText(south, true)),
              (std::vector<std::string>{"116.508333 -116.508333", "116.508333 -116.508333"}));
}

TEST(MapPage, StreetPageDrawsWithTheLocalLeafletCopyAndOpenStreetMapTiles)
{
    const std::string page = StreetMapPageText(NumberedRows(3), true);
    for (const char* part :
         {"<script src=\"leaflet/leaflet.js\"></script>", "<link rel=\"stylesheet\" href=\"leaflet/leaflet.css\">",
          "\"https://tile.openstreetmap.org/{z}/{x}/{y}.png\"",
          "&copy; <a href=\\\"https://www.openstreetmap.org/copyright\\\">OpenStreetMap</a> "
          "contributors",
          "{title: \"Start\"}", "{title: \"Finish\"}", "color: \"#FF0000\", weight: 2",
          "map.fitBounds(route.getBounds()"})
        EXPECT_NE(page.find(part), std::string::npos) << part;
}

TEST(MapPage, WritesBothPagesAndTheLeafletCopyIntoTheFolder)
{
    TempFolder folder;
    std::string error;
    ASSERT_TRUE(WriteMapPages(folder.Root(), NumberedRows(3), true, error)) << error;
    EXPECT_EQ(ReadText(folder.Root() / "New_Map.html"), ProviderMapPageText(NumberedRows(3), true));
    EXPECT_EQ(ReadText(folder.Root() / "Street_Map.html"), StreetMapPageText(NumberedRows(3), true));
    for (const char* name : {"leaflet.js", "leaflet.css", "images/marker-icon.png", "images/marker-icon-2x.png",
                             "images/marker-shadow.png"}) {
        EXPECT_EQ(ReadText(folder.Root() / "leaflet" / name),
                  ReadText(std::filesystem::path(kLeafletSourceFolder) / name))
            << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Root() / "New_Map.html.part"));
}

TEST(MapPage, NoRowsWritesNothing)
{
    TempFolder folder;
    std::string error;
    EXPECT_FALSE(WriteMapPages(folder.Root(), {}, true, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Root()));
}

struct FailureCase {
    const char* what;
    std::function<std::filesystem::path(const TempFolder&)> folder;
    std::function<std::filesystem::path(const TempFolder&)> leaflet;
};

TEST(MapPage, APageThatCannotBeWrittenIsAFailureWithItsReason)
{
    const FailureCase cases[] = {
        {"missing folder", [](const TempFolder& t) { return t.Root() / "gone"; },
         [](const TempFolder&) { return std::filesystem::path(kLeafletSourceFolder); }},
        {"no folder", [](const TempFolder&) { return std::filesystem::path(); },
         [](const TempFolder&) { return std::filesystem::path(kLeafletSourceFolder); }},
        {"missing Leaflet", [](const TempFolder& t) { return t.Root(); },
         [](const TempFolder& t) { return t.Root() / "no-leaflet"; }},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        std::string error;
        EXPECT_FALSE(WriteMapPages(c.folder(temp), NumberedRows(2), true, c.leaflet(temp), error));
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(std::filesystem::exists(c.folder(temp) / "Street_Map.html"));
    }
    EXPECT_FALSE(std::filesystem::exists("New_Map.html"));
}

TEST(MapPageFailedWrite, AFullDiskLeavesTheEarlierPageWhole)
{
    TempFolder folder;
    const std::string earlier(4096, 'x');
    std::ofstream(folder.Root() / "New_Map.html", std::ios::binary) << earlier;
    std::string error;
    const bool written =
        UnderFileSizeLimit(2048, [&] { return WriteMapPages(folder.Root(), NumberedRows(200), true, error); });
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(folder.Root() / "New_Map.html"), earlier);
    EXPECT_FALSE(std::filesystem::exists(folder.Root() / "New_Map.html.part"));
}

TEST(MapPage, TheSettingChoosesTheStreetMapUnlessTheProviderIsAskedFor)
{
    const std::filesystem::path folder = "/data";
    EXPECT_EQ(MapPageFile(folder, MapPageKindFromSetting("")), folder / "Street_Map.html");
    EXPECT_EQ(MapPageFile(folder, MapPageKindFromSetting("street")), folder / "Street_Map.html");
    EXPECT_EQ(MapPageFile(folder, MapPageKindFromSetting("nonsense")), folder / "Street_Map.html");
    EXPECT_EQ(MapPageFile(folder, MapPageKindFromSetting("provider")), MapPagePath(folder));
    for (MapPageKind kind : {MapPageKind::Street, MapPageKind::Provider})
        EXPECT_EQ(MapPageKindFromSetting(MapPageSetting(kind)), kind);
}

}  // namespace
}  // namespace skarnel::test
