// The phone's time stamps. A stamp that parses formats back to itself with
// the seconds at 00; a time from 1900 to 9999 formats to a stamp that parses
// back to the same minute. The target runs in UTC, where every local minute
// exists exactly once (a summer-time change would make either way ambiguous).
// Any other time still formats to a stamp-shaped text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "FuzzCheck.h"
#include "phone/PhoneStamp.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "UTC0", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const int64_t time = in.ConsumeIntegralInRange<int64_t>(-2208988800LL, 253402300799LL);
    const int64_t any = in.ConsumeIntegral<int64_t>();
    const std::string stamp = in.ConsumeRemainingBytesAsString();

    const int64_t parsed = ParsePhoneStamp(stamp);
    if (parsed != -1)
        FUZZ_CHECK(FormatPhoneStamp(parsed) == stamp.substr(0, 13) + "00");

    if (time != 0) {
        const std::string formatted = FormatPhoneStamp(time);
        FUZZ_CHECK(formatted.size() == 15);
        const int64_t minute = time - ((time % 60) + 60) % 60;
        FUZZ_CHECK(ParsePhoneStamp(formatted) == minute);
    }
    FUZZ_CHECK(any == 0 || FormatPhoneStamp(any).size() >= 15);
    std::string empty;
    FUZZ_CHECK(FillEmptyStamp(empty) && empty.size() == 15 && !FillEmptyStamp(empty));
    return 0;
}
