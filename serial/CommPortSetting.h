#pragma once

// The number of the COM port the phone is reached through. Program-wide: the
// settings load and save it, the port dialog changes it, the phone session
// opens it.
constexpr int DefaultCommPort = 3;
extern int CommPort;
