#include "phone/FastExchangeSetting.h"

std::atomic<bool> FastExchange{false};
