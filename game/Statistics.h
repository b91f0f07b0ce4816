// Texts of the statistics figures.
#pragma once

#include <cstdint>
#include <string>

// A time in seconds as "H:MM:SS" (hours unbounded), the way the statistics show times.
std::string StatTimeText(int32_t seconds);
