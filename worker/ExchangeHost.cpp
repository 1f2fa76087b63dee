#include "worker/ExchangeHost.h"

#include <algorithm>
#include <vector>

namespace {
// The hosts that exist; only the user-interface thread makes and asks them.
std::vector<const ExchangeHost*>& Hosts()
{
    static std::vector<const ExchangeHost*> hosts;
    return hosts;
}
}  // namespace

ExchangeHost::ExchangeHost()
{
    Hosts().push_back(this);
}

ExchangeHost::~ExchangeHost()
{
    auto& hosts = Hosts();
    hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
}

bool ExchangeHost::Exists(const ExchangeHost* host)
{
    const auto& hosts = Hosts();
    return host && std::find(hosts.begin(), hosts.end(), host) != hosts.end();
}
