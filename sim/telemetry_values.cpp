#include "sim/telemetry_values.h"

#include "base/byte_order.h"
#include "sim/flight_track.h"

#include <algorithm>
#include <cmath>

namespace skarnel::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A value swinging between low and high with the period, starting at the middle.
double Swing(double seconds, double periodSeconds, double low, double high, double phase = 0)
{
    return low + (high - low) * (0.5 + 0.5 * std::sin(2 * kPi * seconds / periodSeconds + phase));
}

uint16_t Word(double value)
{
    return static_cast<uint16_t>(std::lround(std::clamp(value, 0.0, 65535.0)));
}

uint16_t SignedWord(double value)
{
    return static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(value, -32768.0, 32767.0))));
}

uint8_t Byte(double value)
{
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

uint8_t SignedByte(double value)
{
    return static_cast<uint8_t>(static_cast<int8_t>(std::lround(std::clamp(value, -128.0, 127.0))));
}

class ReplyWriter {
public:
    explicit ReplyWriter(size_t size) : bytes_(size, 0) {}
    ReplyWriter& U16(double value) { return Put16(Word(value)); }
    ReplyWriter& S16(double value) { return Put16(SignedWord(value)); }
    ReplyWriter& U8(double value) { return Put8(Byte(value)); }
    ReplyWriter& S8(double value) { return Put8(SignedByte(value)); }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    ReplyWriter& Put16(uint16_t value)
    {
        WriteLe16(bytes_.data() + at_, value);
        at_ += 2;
        return *this;
    }
    ReplyWriter& Put8(uint8_t value)
    {
        bytes_.at(at_++) = value;
        return *this;
    }

    std::vector<uint8_t> bytes_;
    size_t at_ = 0;
};

constexpr double kFlightSeconds = 120;
constexpr double kLowestMetres = 20;
constexpr double kHighestMetres = 140;

double Altitude(double seconds)
{
    return Swing(seconds, kFlightSeconds, kLowestMetres, kHighestMetres);
}

// Climb rate in cm/s: the altitude's derivative.
double Climb(double seconds)
{
    const double amplitude = (kHighestMetres - kLowestMetres) / 2;
    return 100 * amplitude * 2 * kPi / kFlightSeconds * std::cos(2 * kPi * seconds / kFlightSeconds);
}

void PutCells(ReplyWriter& reply, int count, double seconds)
{
    for (int cell = 0; cell < count; ++cell)
        reply.U16(Swing(seconds, 90, 385, 415, cell * 0.4) - std::min(seconds / 60, 20.0));
}

// A position in minutes of arc as degrees × 100 + whole minutes, and fractional minutes × 10000.
void PutCoordinate(ReplyWriter& reply, double minutes)
{
    const double degrees = std::floor(minutes / 60);
    const double inDegree = minutes - degrees * 60;
    const double whole = std::floor(inDegree);
    reply.U16(degrees * 100 + whole).U16(std::floor((inDegree - whole) * 10000));
}

// A small deterministic wobble of up to ±amount, different for each time.
double Ripple(double seconds, double amount)
{
    return amount * (0.6 * std::sin(seconds * 2.3) + 0.4 * std::sin(seconds * 5.9 + 1.3));
}

// One channel's level: the floor, the hump around the centre and a fixed unevenness per channel.
double RfLevel(int channel, double centre, double peak, double seconds)
{
    constexpr double kFloor = 18;
    constexpr double kWidth = 14;
    const double offset = (channel - centre) / kWidth;
    const double unevenness = 4 * std::sin(channel * 2.399) + Ripple(seconds + channel, 2);
    return kFloor + (peak - kFloor) * std::exp(-offset * offset) + unevenness;
}

}  // namespace

std::vector<uint8_t> ReceiverReply(double seconds)
{
    // Farther out the signal weakens: the strength falls and the RSSI byte rises.
    const double distance = FlightAt(seconds).distance;
    ReplyWriter reply(11);
    reply.U8(1).U8(0);
    reply.S16(Swing(seconds, 300, 24, 31) + Ripple(seconds, 3)).U16(Swing(seconds, 45, 0, 40));
    reply.U8(std::clamp(100 - distance / 8 + Ripple(seconds, 4), 0.0, 100.0));
    reply.U8(Swing(seconds, 200, 49, 52)).U8(distance / 12 + Ripple(seconds, 2) + 2);
    reply.U8(std::clamp(100 - distance / 20 + Ripple(seconds * 1.7, 3), 0.0, 100.0)).U8(44);
    return reply.Take();
}

// The levels over the 75 channels: a noise floor with a hump where the link's energy sits,
// drifting across the band; the transmitter side stronger than the receiver side, which
// weakens with the model's distance.
std::vector<uint8_t> DbmScanReply(double seconds)
{
    const double centre = Swing(seconds, 40, 20, 55);
    const double fade = std::min(FlightAt(seconds).distance / 10, 25.0);
    ReplyWriter reply(225);
    for (int channel = 0; channel < 75; ++channel)
        reply.U8(channel + 1);
    for (int channel = 0; channel < 75; ++channel)
        reply.U8(RfLevel(channel, centre, 72, seconds));
    for (int channel = 0; channel < 75; ++channel)
        reply.U8(RfLevel(channel, centre + 3, 64 - fade, seconds + 7));
    return reply.Take();
}

std::vector<uint8_t> GeneralReply(double seconds)
{
    ReplyWriter reply(39);
    reply.U16(1);
    PutCells(reply, 6, seconds);
    reply.U16(Swing(seconds, 90, 74, 84)).U16(Swing(seconds, 100, 110, 126));
    reply.S16(Swing(seconds, 200, 30, 45)).S16(Swing(seconds, 240, 28, 40));
    reply.U16(Swing(seconds, 40, 800, 1200)).S16(Altitude(seconds));
    reply.U16(Swing(seconds, 30, 100, 300)).U16(Swing(seconds, 90, 110, 126));
    reply.U16(seconds * 2.0 / 10).U16(std::max(0.0, 100 - seconds / 10));
    reply.S16(Climb(seconds)).S8(Climb(seconds) / 100).U8(Swing(seconds, 300, 60, 90));
    reply.U8(Swing(seconds, 20, 60, 70));
    return reply.Take();
}

std::vector<uint8_t> ElectricReply(double seconds)
{
    ReplyWriter reply(50);
    reply.U16(1);
    PutCells(reply, 14, seconds);
    reply.U16(Swing(seconds, 90, 500, 580)).U16(Swing(seconds, 100, 110, 126));
    reply.S16(Swing(seconds, 200, 35, 55)).S16(Swing(seconds, 240, 30, 42)).S16(Altitude(seconds));
    reply.U16(Swing(seconds, 30, 150, 450)).U16(Swing(seconds, 90, 500, 580)).U16(seconds * 4.0 / 10);
    reply.S16(Climb(seconds)).S8(Climb(seconds) / 100).U8(Swing(seconds, 20, 60, 70));
    return reply.Take();
}

std::vector<uint8_t> GpsReply(double seconds, const FlightField& field)
{
    const FlightPoint at = FlightAt(seconds, field);
    ReplyWriter reply(24);
    reply.U16(1).U16(at.speed).U16(at.distance).S16(at.altitude);
    PutCoordinate(reply, std::abs(at.latitude) * 60);
    PutCoordinate(reply, std::abs(at.longitude) * 60);
    reply.U16(at.heading).U8(at.latitude < 0 ? 1 : 0).U8(at.longitude < 0 ? 1 : 0);
    reply.S16(at.climb * 100).S8(at.climb).U8(Swing(seconds, 20, 60, 70));
    return reply.Take();
}

std::vector<uint8_t> VarioModule::Reply(double seconds)
{
    const auto altitude = static_cast<int16_t>(std::lround(Altitude(seconds)));
    highest_ = reported_ ? std::max(highest_, altitude) : altitude;
    lowest_ = reported_ ? std::min(lowest_, altitude) : altitude;
    reported_ = true;
    ReplyWriter reply(15);
    reply.U16(1).S16(altitude).S16(highest_).S16(lowest_);
    reply.S16(Climb(seconds)).S16(Climb(seconds - 1.5)).S16(Climb(seconds - 5));
    reply.U8(Swing(seconds, 20, 60, 70));
    return reply.Take();
}

}  // namespace skarnel::sim
