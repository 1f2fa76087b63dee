#pragma once
#include <string>

// The device name CreateFileA takes for COM port `number`: "COM1" to "COM9"
// by name, ports 10 and above only through the device path "\\.\COM10".
std::string PortName(int number);
