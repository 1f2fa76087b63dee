#include "serial/CommPortSetting.h"

int CommPort = 3;
