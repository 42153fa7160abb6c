#pragma once

#include "config/ecuimage.h"

#include <string>

// The device memory that ecusim starts with, read from a file.
namespace qmx::sim {

// Loads the device memory from `path`: a configuration file, packed or plain (the records of
// its [Data] section), or a file of S-records. S1 records carry the data and must have a right
// checksum; S0 and S5 records, blank lines, ";" comments and labels ending in ":" are passed
// over; S7, S8 or S9 ends the records. Sets the memory's range to what the data covered.
// Returns an empty text, or what went wrong (with the line of a bad record); the memory is
// then unchanged.
std::string loadImage(const std::string& path, config::EcuImage& memory);

} // namespace qmx::sim
