#include "common/ModuleInstance.h"

HINSTANCE ModuleInstance()
{
    return GetModuleHandleA(nullptr);
}
