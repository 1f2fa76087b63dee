#include "serial/CommPortSetting.h"

int CommPort = DefaultCommPort;
