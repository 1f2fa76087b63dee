#include "worker/ExchangeStarters.h"

// The exchange worker is not there yet: the commands do nothing.
void ReceiveActiveTable() {}
void WriteActiveTable() {}
void DownloadMedia(bool) {}
