#include "serial/PortName.h"

std::string PortName(int number)
{
    const std::string name = "COM" + std::to_string(number);
    return number >= 10 ? "\\\\.\\" + name : name;
}
