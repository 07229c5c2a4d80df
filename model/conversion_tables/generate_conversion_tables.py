#!/usr/bin/env python3
"""Writes the model conversion table set that ships inside Skarnel.

A model record of the controller is a row of fields grouped into 14 checksum sections; each
section is followed by the CRC-16 of its bytes. The layout depends on the product (KT20 or
KT40) and on the memory version (1000 or 1001). This script is the one place where that layout
is written down: every field is declared once, by kind, and its kind gives the range and the
default the conversion uses. From the declarations it builds the four tables, checks the
layout rules below, and writes the set as C++ source (--cpp) or as raw bytes (--bin).

Layout rules the script enforces:
- fields of a section follow each other without gaps and end where the section's CRC starts;
- no field overlaps another field or a CRC;
- a field a layout lacks keeps its record (record k means the same field in every table) with
  count 0, or, when only a product lacks it, with its place and "present" 0.
"""

import argparse
import dataclasses
import struct
import sys

FILE_MAGIC = 0x005F12CD
KT40 = 16003300
KT20 = 16003600
PRODUCT_NAMES = {KT40: "KT40", KT20: "KT20"}
MEMORY_VERSIONS = (1000, 1001)
# Table order of the shipped set.
TABLES = ((KT20, 1000), (KT40, 1000), (KT20, 1001), (KT40, 1001))
CONVERTED_SIZE = 4096
CRC_SIZE = 2

# The KT20 has six switches and drives six output channels, the KT40 eight of each. A switch
# or channel index is therefore 0..5 in a KT20 table and 0..7 in a KT40 table.
KT20_LAST_INDEX = 5
KT40_LAST_INDEX = 7


@dataclasses.dataclass
class Field:
    name: str
    size: int  # bytes per element: 1, 2 or 4
    count: int  # elements
    minimum: int = 0  # minimum and maximum both 0: no range test
    maximum: int = 0
    default: int = 0
    signed: bool = False
    kt20: bool = True  # the KT20's firmware uses the field
    kt40: bool = True
    since: int | None = 1000  # first memory version that has the field; None: none has it
    kt20_maximum: int | None = None  # the KT20's maximum where its hardware has less

    def in_layout(self, version):
        return self.since is not None and version >= self.since

    def present(self, product, version):
        return self.in_layout(version) and (self.kt20 if product == KT20 else self.kt40)

    def maximum_for(self, product):
        return self.kt20_maximum if product == KT20 and self.kt20_maximum is not None else self.maximum


# Field kinds. Each gives its range and default a reason.

def switch(name, default=0, count=1):
    """Index of a switch that turns a function on (0 = the first switch)."""
    return Field(name, 1, count, 0, KT40_LAST_INDEX, default, kt20_maximum=KT20_LAST_INDEX)


def channel(name, default):
    """Index of an output channel (0 = channel 1)."""
    return Field(name, 1, 1, 0, KT40_LAST_INDEX, default, kt20_maximum=KT20_LAST_INDEX)


def flag(name, default=0):
    """Off (0) or on (1)."""
    return Field(name, 1, 1, 0, 1, default)


def choice(name, options, default=0):
    """One of a fixed list of modes, numbered from 0."""
    return Field(name, 1, 1, 0, options - 1, default)


def percent(name, top=100, default=100, count=1):
    """A rate or a position in percent, 0..top."""
    return Field(name, 1, count, 0, top, default)


def signed(name, limit=100, default=0, count=1):
    """A signed rate, offset or trim, -limit..limit; 0 is neutral."""
    return Field(name, 1, count, -limit, limit, default, signed=True)


def number(name, low, high, default):
    """A small unsigned number with its own range."""
    return Field(name, 1, 1, low, high, default)


def word(name, low, high, default, is_signed=False):
    """A 16-bit value: times, pulse widths and telemetry thresholds."""
    return Field(name, 2, 1, low, high, default, signed=is_signed)


def counter(name):
    """A 32-bit running total; any value is valid, so there is no range test."""
    return Field(name, 4, 1, 0, 0, 0)


def text(name, length=8):
    """Printable characters; anything else becomes a blank."""
    return Field(name, 1, length, 32, 126, 32)


def sensor_slot(name):
    """A telemetry sensor slot; 255 means no sensor, so there is no range test."""
    return Field(name, 1, 1, 0, 0, 255)


def kt40_only(field):
    """Hardware the KT20 lacks: the field keeps its place but is absent from KT20 layouts."""
    field.kt20 = False
    return field


def module_bay(field):
    """Settings of the external RF module bay, which neither product's firmware reads yet."""
    field.kt20 = False
    field.kt40 = False
    return field


def added_in_1001(field):
    """A field that memory version 1001 introduced; version 1000 keeps the record with count 0."""
    field.since = 1001
    return field


def retired(name):
    """A record whose field left the layout before version 1000; kept so numbers stay stable."""
    return Field(name, 1, 1, since=None)


CHANNELS = range(1, 9)


def per_channel(make):
    """make(n) gives the fields of output channel n; channels 7 and 8 exist on the KT40 only."""
    fields = []
    for index in CHANNELS:
        group = make(index)
        fields += [kt40_only(field) for field in group] if index >= 7 else group
    return fields


def model_setup():
    return [
        word("timer_1_minutes", 0, 180, 0),  # a count-down of up to three hours; 0 counts up
        choice("model_type", 2),  # 0 helicopter, 1 fixed wing
        switch("timer_1_switch"),
        choice("timer_1_mode", 3),  # up, down, lap
        switch("timer_2_switch"),
        choice("timer_2_mode", 3),
        switch("throttle_cut_switch"),
        percent("throttle_cut_position", top=50, default=0),
        kt40_only(switch("trainer_switch", default=6)),  # the KT40's trainer button is switch 7
        kt40_only(choice("trainer_mode", 3)),  # off, teacher, student
        choice("receiver_protocol", 4),
        number("receiver_number", 0, 15, 0),
        flag("telemetry", default=1),
        flag("voice_alerts", default=1),
        number("model_icon", 0, 15, 0),
        choice("wing_type", 4),  # one aileron, two ailerons, flaperon, delta
        choice("tail_type", 4),  # normal, V-tail, ailevator, twin rudder
        choice("flap_servos", 3),
        choice("swash_type", 6),
        choice("gyro_type", 3),
        text("model_name"),
        word("timer_2_minutes", 0, 180, 0),
        flag("throttle_warning", default=1),
        percent("throttle_warning_position", top=30, default=5),
    ]


def trims():
    return [
        number("trim_step", 1, 10, 4),
        signed("aileron_trim"),
        signed("elevator_trim"),
        signed("rudder_trim"),
        signed("throttle_trim"),
        choice("trim_mode", 2),  # common to all conditions, or per condition
        choice("throttle_trim_mode", 2),  # whole travel, or idle only
        flag("trim_beep", default=1),
        signed("aux_5_trim"),
        signed("aux_6_trim"),
    ]


def outputs():
    return per_channel(lambda n: [
        flag(f"channel_{n}_reverse"),
        signed(f"channel_{n}_subtrim", limit=120),
        percent(f"channel_{n}_travel_low", top=150),
        percent(f"channel_{n}_travel_high", top=150),
        percent(f"channel_{n}_limit", top=155, default=135),
        percent(f"channel_{n}_speed", default=0),
    ])


def rates():
    fields = []
    for stick in ("aileron", "elevator", "rudder"):
        fields += [
            switch(f"{stick}_rate_switch"),
            percent(f"{stick}_rates", top=125, count=2),  # high and low position
            signed(f"{stick}_expos", count=2),
        ]
    for stick in ("aileron", "elevator", "rudder"):  # the KT40's rate switches have three positions
        fields += [
            kt40_only(percent(f"{stick}_rate_3", top=125)),
            kt40_only(signed(f"{stick}_expo_3")),
        ]
    fields += [
        switch("combi_switch"),
        percent("combi_rate", default=0),
        choice("combi_direction", 2),
    ]
    fields += [number(f"{stick}_dead_band", 0, 10, 0) for stick in ("aileron", "elevator", "throttle", "rudder")]
    fields += [choice("rate_display", 2), choice("expo_display", 2)]
    return fields


def curves():
    return [
        percent("throttle_curve", default=50, count=5),  # five points from low to high stick
        percent("pitch_curve", default=50, count=5),
        signed("throttle_hover", limit=50),
        signed("pitch_hover", limit=50),
        flag("throttle_curve_smoothing"),
        flag("pitch_curve_smoothing"),
        percent("throttle_limiter"),
        switch("throttle_limiter_switch"),
        percent("hold_throttle_position", top=50, default=0),
        flag("hold_pitch_curve"),
        kt40_only(flag("governor")),
        kt40_only(word("governor_rpm", 1000, 3000, 1500)),
        kt40_only(switch("governor_switch")),
    ]


def conditions():
    fields = []
    for condition, kt40 in (("idle_1", False), ("idle_2", False), ("idle_3", True), ("hold", False)):
        group = [
            switch(f"{condition}_switch"),
            word(f"{condition}_delay", 0, 100, 0),  # tenths of a second
            percent(f"{condition}_gyro_gain", default=50),
            signed(f"{condition}_pitch_offset", limit=50),
            signed(f"{condition}_throttle_offset", limit=50),
            flag(f"{condition}_mixing", default=1),
            percent(f"{condition}_aileron_rate", top=125),
            percent(f"{condition}_elevator_rate", top=125),
            percent(f"{condition}_rudder_rate", top=125),
        ]
        fields += [kt40_only(field) for field in group] if kt40 else group
    return fields


def helicopter_mixing():
    return [
        signed("swash_aileron", default=50),
        signed("swash_elevator", default=50),
        signed("swash_pitch", default=50),
        percent("swash_ring"),
        signed("swash_rotation", limit=90),
        percent("swash_mixing_compensation", default=0),
        signed("revolution_up"),
        signed("revolution_down"),
        percent("revolution_acceleration", default=0),
        percent("throttle_mix_aileron", default=0),
        percent("throttle_mix_elevator", default=0),
        percent("throttle_mix_rudder", default=0),
        percent("throttle_mix_acceleration", default=0),
        signed("pitch_low", default=-100),
        signed("pitch_high", default=100),
        percent("needle_low", default=50),
        percent("needle_high", default=50),
        percent("needle_idle", default=50),
        percent("stick_alarm_position", default=0),
        flag("stick_alarm"),
        signed("tail_mix_pitch"),
        percent("tail_mix_acceleration", default=0),
        number("tail_mix_delay", 0, 20, 0),  # tenths of a second
        signed("pirouette_compensation"),
        percent("swash_tilt_limit"),
        percent("cyclic_ring"),
        percent("collective_limit"),
    ]


def plane_mixing():
    fields = [
        signed("aileron_differential"),
        percent("flaperon_flap_rate", default=50),
        signed("aileron_to_rudder"),
        switch("aileron_to_rudder_switch"),
        signed("elevator_to_flap"),
        signed("flap_to_elevator"),
        signed("camber_aileron"),
        signed("camber_flap"),
        signed("camber_elevator"),
        switch("camber_switch"),
        signed("crow_aileron"),
        signed("crow_flap"),
        signed("crow_elevator"),
        switch("crow_switch"),
        percent("flap_positions", default=0, count=2),  # middle and landing
        signed("aileron_to_flap"),
        signed("rudder_to_aileron"),
        signed("rudder_to_elevator"),
        signed("throttle_to_elevator"),
        signed("landing_elevator_compensation"),
        percent("landing_speed"),
        word("motor_soft_start", 0, 100, 0),  # tenths of a second
        flag("motor_brake"),
        percent("motor_cut_position", top=50, default=0),
    ]
    for phase in ("launch", "speed", "thermal"):  # glider flight phases
        fields += [signed(f"{phase}_aileron"), signed(f"{phase}_flap"), signed(f"{phase}_elevator")]
    fields.append(word("glider_phase_delay", 0, 100, 0))  # tenths of a second
    fields += [kt40_only(field) for field in (
        signed("snap_aileron"), signed("snap_elevator"), signed("snap_rudder"), switch("snap_switch"))]
    return fields


def programmable_mixes(count, kt40_from):
    fields = []
    for index in range(1, count + 1):
        group = [
            flag(f"mix_{index}"),
            channel(f"mix_{index}_master", default=0),
            channel(f"mix_{index}_slave", default=1),
            signed(f"mix_{index}_rate_up"),
            signed(f"mix_{index}_rate_down"),
            signed(f"mix_{index}_offset"),
            switch(f"mix_{index}_switch"),
            flag(f"mix_{index}_trim"),
        ]
        fields += [kt40_only(field) for field in group] if index >= kt40_from else group
    return fields


def failsafe():
    fields = per_channel(lambda n: [word(f"channel_{n}_failsafe", 800, 2200, 1500)])  # microseconds
    fields += per_channel(lambda n: [choice(f"channel_{n}_failsafe_mode", 2)])  # hold, or go to position
    fields += [
        choice("failsafe_throttle", 2),
        flag("failsafe_alarm", default=1),
        number("failsafe_delay", 0, 20, 5),  # tenths of a second
        choice("servo_frame_rate", 3),
        flag("servo_test"),
        choice("servo_test_mode", 2),
        percent("servo_test_speed", default=50),
        flag("servo_display_bars"),
    ]
    return fields


def pulse_centres():
    return per_channel(lambda n: [word(f"channel_{n}_centre", 1400, 1600, 1520)])  # microseconds


def logging():
    return [choice("log_start", 3), number("log_interval", 1, 10, 1), flag("log_to_sd_card")]  # always, throttle, timer


def gyro():
    return [
        percent("rudder_gyro_gains", default=50, count=2),
        percent("aileron_gyro_gains", default=50, count=2),
        choice("rudder_gyro_mode", 2),  # rate, or heading hold
        choice("aileron_gyro_mode", 2),
        switch("gyro_switch"),
        flag("gyro_per_condition"),
        flag("gyro_reverse"),
        percent("gyro_expo", default=0),
        percent("gyro_limit"),
        percent("gyro_stick_priority", default=0),
        kt40_only(percent("elevator_gyro_gain", default=50)),
        kt40_only(choice("elevator_gyro_mode", 2)),
    ]


def module_settings():
    fields = [module_bay(field) for field in (
        choice("module_protocol", 8),
        word("module_frequency", 0, 1023, 0),
        choice("module_power", 4),
        word("module_receiver_id", 0, 32767, 0),
        number("module_channels", 4, 16, 8),
        choice("module_telemetry", 2),
        word("module_telemetry_rate", 0, 1000, 100),
        choice("module_band", 3),
        word("module_failsafe_delay", 0, 1000, 100),
        choice("module_bind_mode", 2),
        flag("module_range_check"),
        percent("module_range_power", default=30),
        choice("module_antenna", 2),
        word("module_serial_rate", 0, 9600, 1152),  # hundreds of baud
        choice("module_inversion", 2),
        flag("module_sbus"),
        number("module_sbus_first_channel", 0, 15, 0),
        flag("module_ppm"),
        number("module_ppm_channels", 4, 16, 8),
        number("module_ppm_delay", 1, 8, 3),
        choice("module_ppm_polarity", 2),
        flag("module_enabled"),
    )]
    fields += [
        flag("second_receiver"),
        number("second_receiver_number", 0, 15, 1),
        choice("telemetry_units", 2),  # metric, imperial
        choice("telemetry_screen", 4),
        number("telemetry_repeat", 0, 60, 10),  # seconds between announcements
        flag("telemetry_lost_alarm", default=1),
        number("battery_cells", 1, 12, 3),
        word("battery_capacity", 0, 30000, 2200),  # mAh
        number("rx_battery_cells", 1, 4, 2),
        choice("rx_battery_kind", 3),
        flag("capacity_alarm", default=1),
        percent("capacity_alarm_level", default=80),
        flag("voltage_alarm", default=1),
        flag("current_alarm"),
        flag("temperature_alarm"),
        flag("altitude_alarm"),
        flag("speed_alarm"),
        flag("rpm_alarm"),
        number("gear_ratio", 1, 20, 10),
        number("motor_poles", 2, 40, 14),
        word("vario_dead_band", 0, 500, 20),  # centimetres per second
        flag("vario_sound", default=1),
        percent("vario_volume", default=80),
        choice("vario_tone", 3),
        choice("gps_home_mode", 2),  # first fix, or on request
        flag("distance_alarm"),
        number("distance_limit", 0, 250, 50),  # tens of metres
        flag("rssi_alarm", default=1),
        number("rssi_alarm_level", 0, 100, 30),
        flag("cell_voltage_alarm"),
        number("cell_voltage_level", 30, 42, 35),  # tenths of a volt
        # Memory version 1001 assigns telemetry sensor slots.
        added_in_1001(sensor_slot("rx_battery_sensor")),
        added_in_1001(sensor_slot("main_battery_sensor")),
    ]
    return fields


def alarms():
    return [
        retired("retired_stick_mode"),
        # Position of each switch the start-up check expects: 1 up, 2 middle, 3 down.
        Field("start_switch_positions", 1, 8, 1, 3, 2),
        counter("bound_receiver_id"),
        word("alarm_rx_voltage", 0, 1000, 420),  # hundredths of a volt
        word("alarm_battery_voltage", 0, 6000, 1050),
        word("alarm_current", 0, 3000, 1000),  # tenths of an ampere
        word("alarm_capacity", 0, 30000, 1800),  # mAh
        word("alarm_temperature", -400, 1500, 800, is_signed=True),  # tenths of a degree
        word("alarm_altitude", 0, 5000, 120),  # metres
        word("alarm_speed", 0, 5000, 200),  # km/h
        word("alarm_rpm", 0, 30000, 3000),
    ]


def totals():
    return [
        counter("timer_1_elapsed"),  # seconds
        counter("timer_2_elapsed"),
        counter("model_run_time"),
        word("flight_count", 0, 30000, 0),
        Field("timer_1_alarms", 1, 5, 0, 60, 0),  # minutes before the end at which to warn
    ]


def sounds():
    return [
        percent("alarm_volumes", count=5, default=80),  # timer, telemetry, switch, trim, system
        percent("master_volume", default=80),
        added_in_1001(Field("switch_sounds", 1, 8, 0, 1, 1)),  # one per switch
        added_in_1001(Field("timer_1_announcements", 1, 2, 0, 1, 1)),  # every minute, last ten seconds
        added_in_1001(Field("timer_2_announcements", 1, 2, 0, 1, 1)),
        kt40_only(added_in_1001(switch("vibration_switches", count=2))),  # the KT40's vibration motor
    ]


# The 14 checksum sections of a model record, in order.
SECTIONS = (
    model_setup(),
    trims(),
    outputs(),
    rates(),
    curves(),
    conditions() + helicopter_mixing() + plane_mixing() + programmable_mixes(3, kt40_from=2),
    failsafe(),
    pulse_centres(),
    logging(),
    gyro(),
    module_settings(),
    alarms(),
    totals(),
    sounds(),
)


def all_fields():
    return [field for section in SECTIONS for field in section]


@dataclasses.dataclass
class Placement:
    offset: int
    count: int


def place(version):
    """Fields one after the other, each section followed by its CRC; the section of each field."""
    placements, checksums, sections = [], [], []
    cursor = 0
    for index, section in enumerate(SECTIONS):
        start = cursor
        for field in section:
            count = field.count if field.in_layout(version) else 0
            placements.append(Placement(cursor, count))
            sections.append(index)
            cursor += field.size * count
        checksums.append((start, cursor - start, cursor))
        cursor += CRC_SIZE
    return placements, checksums, sections


def layout(version):
    """Offsets of every field and the checksum ranges (start, length, CRC offset) of a version.

    A field that a later version introduces already has its place in the earlier layout, with
    count 0: where it will sit, measured from the start of its section."""
    placements, checksums, sections = place(version)
    for field, placement, section in zip(all_fields(), placements, sections):
        if not field.in_layout(version) and field.since in MEMORY_VERSIONS:
            later, later_checksums, _ = place(field.since)
            index = [f.name for f in all_fields()].index(field.name)
            placement.offset = later[index].offset - later_checksums[section][0] + checksums[section][0]
    return placements, checksums


def field_record(index, field, placement, product, version):
    return struct.pack(
        "<HBBHBBhhI",
        index,
        field.size,
        1 if field.signed else 0,
        placement.offset,
        placement.count,
        1 if field.present(product, version) else 0,
        field.minimum,
        field.maximum_for(product),
        field.default & 0xFFFFFFFF,
    )


def checksum_record(index, start, length, crc_offset):
    return struct.pack("<BHHH", index, start, length, crc_offset) + bytes(9)


def table_bytes(table_number, product, version, fields):
    placements, checksums = layout(version)
    header = struct.pack("<IBIIII", FILE_MAGIC, table_number, product, version, len(fields), len(checksums))
    header += PRODUCT_NAMES[product].encode("ascii").ljust(11, b"\0")
    records = b"".join(field_record(k, f, p, product, version) for k, (f, p) in enumerate(zip(fields, placements)))
    sums = b"".join(checksum_record(k, *c) for k, c in enumerate(checksums))
    return header + records + sums


def table_set():
    fields = all_fields()
    section_count = len(SECTIONS)
    header = struct.pack("<IIIII", FILE_MAGIC, 1, len(TABLES), len(fields), section_count)
    header += struct.pack("<I", CONVERTED_SIZE) + bytes(8)
    return header + b"".join(table_bytes(n, p, v, fields) for n, (p, v) in enumerate(TABLES))


def check_layout():
    """The rules of the module docstring; a broken rule stops the build."""
    fields = all_fields()
    for version in MEMORY_VERSIONS:
        placements, checksums = layout(version)
        used = set()
        for field, placement in zip(fields, placements):
            span = range(placement.offset, placement.offset + field.size * placement.count)
            assert used.isdisjoint(span), f"{field.name} overlaps another field in {version}"
            used.update(span)
        for start, length, crc in checksums:
            assert set(range(start, start + length)) <= used, f"a gap in the section at {start} in {version}"
            assert used.isdisjoint(range(crc, crc + CRC_SIZE)), f"a field covers the CRC at {crc} in {version}"
        assert checksums[-1][2] + CRC_SIZE <= CONVERTED_SIZE
        for field in fields:
            assert field.size in (1, 2, 4) and field.count in (1, 2, 5, 8), field.name
            if field.size < 4:
                limit = 1 << (8 * field.size - (1 if field.signed else 0))
                low = -limit if field.signed else 0
                for value in (field.minimum, field.maximum, field.default):
                    assert low <= value < limit, field.name


def cpp_source(data, fields):
    lines = [
        "// Generated by model/conversion_tables/generate_conversion_tables.py; do not edit.",
        '#include "model/conversion_table_data.h"',
        "",
        "namespace skarnel {",
        "namespace {",
        "",
        f"constexpr uint8_t kTableSet[{len(data)}] = {{",
    ]
    for start in range(0, len(data), 16):
        lines.append("    " + ", ".join(f"0x{b:02X}" for b in data[start:start + 16]) + ",")
    lines += ["};", "", f"constexpr const char* kFieldNames[{len(fields)}] = {{"]
    lines += [f'    "{field.name}",' for field in fields]
    lines += [
        "};",
        "",
        "}  // namespace",
        "",
        "std::span<const uint8_t> EmbeddedConversionTableSet()",
        "{",
        "    return kTableSet;",
        "}",
        "",
        "std::span<const char* const> ConversionFieldNames()",
        "{",
        "    return kFieldNames;",
        "}",
        "",
        "}  // namespace skarnel",
        "",
    ]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cpp", help="write the C++ source that embeds the set")
    parser.add_argument("--bin", help="write the raw set")
    parser.add_argument("--summary", action="store_true", help="print the numbers of the set")
    arguments = parser.parse_args()
    check_layout()
    data = table_set()
    if arguments.cpp:
        with open(arguments.cpp, "w", encoding="ascii") as out:
            out.write(cpp_source(data, all_fields()))
    if arguments.bin:
        with open(arguments.bin, "wb") as out:
            out.write(data)
    if arguments.summary:
        print_summary()
    return 0


def print_summary():
    fields = all_fields()
    print("field records", len(fields), "by size", [sum(1 for f in fields if f.size == n) for n in (1, 2, 4)])
    for product, version in TABLES:
        present = sum(1 for f in fields if f.present(product, version))
        print(PRODUCT_NAMES[product], version, "fields present", present)
    for version in MEMORY_VERSIONS:
        placements, checksums = layout(version)
        kt20 = [field_record(k, f, p, KT20, version) for k, (f, p) in enumerate(zip(fields, placements))]
        kt40 = [field_record(k, f, p, KT40, version) for k, (f, p) in enumerate(zip(fields, placements))]
        print(version, "product differences", sum(1 for a, b in zip(kt20, kt40) if a != b))
        print(version, "checksum ranges", checksums)


if __name__ == "__main__":
    sys.exit(main())
