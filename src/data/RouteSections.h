#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/TextFields.h"
#include "data/DataFileReader.h"
#include "data/RouteSpec.h"

// Shared by the route loader's files: the state of one reading and the ways
// its sections take their entries apart.
namespace tovra::route {

struct Reading {
    DataFileReader& reader;
    RouteSpec& result;
    const std::string& vehicleFileName;
    std::vector<std::size_t>* speedUnitLines = nullptr;  // where each segment was read
};

using Section = void (*)(Reading&);

// Fails when a table already holds `capacity` entries.
void ensureRoom(std::size_t count, std::size_t capacity);

template <typename Record, std::size_t N>
using IntegerFields = std::array<std::int32_t Record::*, N>;

// Fields first, first + 1, ... of `line` into the listed members.
template <typename Record, std::size_t N>
void readIntegerFields(std::string_view line, Record& record,
                       const IntegerFields<Record, N>& fields, int first = 1) {
    for (std::size_t i = 0; i < N; ++i) {
        record.*fields[i] = parseInteger(CsvField(line, first + static_cast<int>(i)));
    }
}

// A list section: entries up to a "#" line, made by `make` from each line.
// The end of the file before that line is an error of the section.
template <typename Record, typename Make>
void readList(DataFileReader& r, std::vector<Record>& table, std::size_t capacity, Make&& make) {
    table.clear();
    r.read_list(capacity, DataFileReader::Unclosed::IsError,
                [&](std::size_t) { table.push_back(make(r.line())); });
}

template <typename Record, std::size_t N>
void readIntegerList(DataFileReader& r, std::vector<Record>& table, std::size_t capacity,
                     const IntegerFields<Record, N>& fields) {
    readList(r, table, capacity, [&](std::string_view line) {
        Record record;
        readIntegerFields(line, record, fields);
        return record;
    });
}

void readIntegerValues(DataFileReader& r, std::vector<std::int32_t>& table, std::size_t capacity);
void readFileNames(DataFileReader& r, std::vector<std::string>& table, std::size_t capacity);

// Line, stations and timetable.
void readStaffSwitch(Reading&);
void readMovieStop(Reading&);
void readMovieSwitch(Reading&);
void readPreTrain(Reading&);
void readMonitor(Reading&);
void readAnnounce(Reading&);
void readKankoSound1(Reading&);
void readKankoSound2(Reading&);
void readStations(Reading&);
void readStationKanko(Reading&);
void readSpeedUnits(Reading&);
void readTimeCallouts(Reading&);

// Wayside objects, sound zones and images.
void readSoundZones(Reading&);
void readStretchSounds(Reading&);
void readDoppler(Reading&);
void readTunnels(Reading&);
void readAttenuations(Reading&);
void readSignals(Reading&);
void readTrafficSignals(Reading&);
void readSlopes(Reading&);
void readSigns(Reading&);
void readAnims(Reading&);
void readSignalKanko(Reading&);
void readSpeedLimits(Reading&);
void readSpeedChecks1(Reading&);
void readSpeedChecks2(Reading&);
void readSignImages(Reading&);
void readSignalImages(Reading&);
void readCrossings(Reading&);
void readSwitches(Reading&);

}  // namespace tovra::route
