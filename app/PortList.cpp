#include "app/PortList.h"

std::string PortListText(int number)
{
    return "COM" + std::to_string(number);
}

int PortListSelection(int currentPort)
{
    return currentPort >= 1 && currentPort <= PortListCount ? currentPort - 1 : 0;
}
