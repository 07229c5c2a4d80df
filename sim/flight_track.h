#pragma once

namespace skarnel::sim {

// Where the simulated model flies: laps of a racetrack around a field, 300 m straights joined
// by half circles of 60 m, starting at the middle of the southern straight heading east.
struct FlightField {
    double startLatitude = 37.558333;  // degrees, negative south
    double startLongitude = 126.97;    // degrees, negative west
};

// The model at a time: position, height, speed and heading follow the track, fastest in the
// middle of the straights, slowest at the apex of each turn; it climbs out over the first
// twenty seconds and then rises and sinks once a lap.
struct FlightPoint {
    double latitude = 0;   // degrees
    double longitude = 0;  // degrees
    double altitude = 0;   // metres above the field
    double climb = 0;      // metres per second
    double speed = 0;      // km/h
    double heading = 0;    // degrees clockwise from north, 0 to 360
    double distance = 0;   // metres from the start point
};

FlightPoint FlightAt(double seconds, const FlightField& field = {});

}  // namespace skarnel::sim
