#include "base/reporter.h"
#include "sim/controller_log.h"
#include "telemetry/log_export.h"
#include "telemetry/log_loader.h"
#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace skarnel::test {
namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A simulated flight of `records` controller log records, loaded.
struct LoadedFlight {
    explicit LoadedFlight(int records)
    {
        path = folder.Path("flight.bin");
        EXPECT_TRUE(sim::WriteSimulatedControllerLog(path, records, kSensorGps));
        EXPECT_TRUE(LoadLogFile(path, tables, NullReporter::Instance()));
    }
    TempFolder folder;
    std::string path;
    LogTables tables;
};

// What an XML reader makes of the file: the number of elements of the tag, or an error.
std::string ParsedCount(const std::string& path, const std::string& tag)
{
    const std::string command = "python3 -c \"import sys, xml.etree.ElementTree as E; "
                                "r = E.parse(sys.argv[1]).getroot(); print(r.tag, len(list(r.iter(sys.argv[2]))))\" '" +
                                path + "' '" + tag + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "no python3";
    char line[512] = {};
    std::string output;
    while (fgets(line, sizeof line, pipe))
        output += line;
    pclose(pipe);
    return output;
}

TEST(LogExport, CsvFilesHoldEveryListWithItsColumnsAndFormats)
{
    LoadedFlight flight(1000);
    const std::string folder = flight.folder.Path("csv");
    ASSERT_TRUE(ExportAllCsv(flight.tables, folder, 1));
    const std::string gps = ReadText(folder + "/GPS.csv");
    EXPECT_EQ(gps.substr(0, gps.find("\r\n")), "No_d,Time_d,RF RXSQ_d,Direct_d,Speed_d,NS_d,NS-H_d,NS-L_d,EW_d,EW-H_d,"
                                               "EW-L_d,Distance_d,Altitude_d,Alt 1sec_d,Alt 3sec_d");
    EXPECT_NE(gps.find("\r\n1,+ 0.04 sec,70,"), std::string::npos);
    size_t lines = 0;
    for (char c : ReadText(folder + "/Channel.csv"))
        lines += c == '\n';
    EXPECT_EQ(lines, 1 + flight.tables.Table(LogList::Channel).RowCount());
    EXPECT_EQ(ReadText(folder + "/Channel.csv").substr(0, 13), "No,Time,Ch01,");
    EXPECT_FALSE(std::filesystem::exists(folder + "/General.csv")) << "a list without rows";
}

TEST(LogExport, GpxAndKmlAreDocumentsThatHoldEveryGpsRow)
{
    LoadedFlight flight(2000);
    const size_t points = flight.tables.Table(LogList::Gps).RowCount();
    ASSERT_GT(points, 300u);
    const std::string gpx = flight.folder.Path("flight.gpx");
    const std::string kml = flight.folder.Path("flight.kml");
    ASSERT_TRUE(ExportGpx(flight.tables, gpx));
    ASSERT_TRUE(ExportKml(flight.tables, kml));
    EXPECT_EQ(ParsedCount(gpx, "{http://www.topografix.com/GPX/1/1}trkpt"),
              "{http://www.topografix.com/GPX/1/1}gpx " + std::to_string(points) + "\n");
    EXPECT_EQ(ParsedCount(kml, "{http://www.opengis.net/kml/2.2}Placemark"), "{http://www.opengis.net/kml/2.2}kml 3\n");
    const std::string kmlText = ReadText(kml);
    EXPECT_NE(kmlText.find("<name>Start</name><Point><coordinates>11.568000,48.116668,70</coordinates>"),
              std::string::npos);
    const size_t first = kmlText.find("<LineString>");
    size_t coordinates = 0;
    for (size_t at = kmlText.find("\n      ", first); at != std::string::npos; at = kmlText.find("\n      ", at + 1))
        ++coordinates;
    EXPECT_EQ(coordinates, points);
}

TEST(LogExport, ALogWithoutGpsRowsWritesNoTrack)
{
    LogTables tables;
    std::string error;
    TempFolder folder;
    EXPECT_FALSE(ExportGpx(tables, folder.Path("x.gpx"), &error));
    EXPECT_EQ(error, "the log has no GPS rows");
    EXPECT_FALSE(folder.Exists("x.gpx"));
}

TEST(LogExport, ListsAreNamedAsTheirTabsAndFiles)
{
    EXPECT_EQ(LogListNamed("gps"), LogList::Gps);
    EXPECT_EQ(LogListNamed(" RF RXSQ "), LogList::RfLevel);
    EXPECT_EQ(LogListNamed("rf_rxsq"), LogList::RfLevel);
    EXPECT_EQ(LogListNamed("Channel"), LogList::Channel);
    EXPECT_FALSE(LogListNamed("Map"));
    EXPECT_EQ(LogListFileName(LogList::RfLevel), "RF_RXSQ");
}

TEST(LogExportCli, ExportsAndShowsOneListBetweenTwoTimes)
{
    LoadedFlight flight(3000);
    const std::string gpx = flight.folder.Path("cli.gpx");
    CommandResult result = RunCli({"log", "export", flight.path, "--gpx", gpx});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(OutputLines(result.out).back(), "Export Complete");
    EXPECT_TRUE(flight.folder.Exists("cli.gpx"));

    result = RunCli({"log", "export", flight.path, "--gpx", gpx, "--kml", gpx + ".kml"});
    EXPECT_EQ(result.exitCode, 2);

    result = RunCli({"log", "show", flight.path, "--tab", "GPS", "--from", "1", "--to", "1.2"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = OutputLines(result.out);
    ASSERT_EQ(lines.size(), 5u) << result.out;
    EXPECT_EQ(lines[0].substr(0, 19), "GPS 21  + 1.04 sec ");
    EXPECT_EQ(lines[3].substr(0, 19), "GPS 24  + 1.19 sec ");
    EXPECT_EQ(lines[4], "Log End  + 30.00 sec");

    EXPECT_EQ(RunCli({"log", "show", flight.path, "--tab", "Map"}).exitCode, 2);
}

}  // namespace
}  // namespace skarnel::test
