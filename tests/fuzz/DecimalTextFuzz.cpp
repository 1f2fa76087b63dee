// Typed and received decimal texts: ReadDecimal reads what strtoll reads
// (saturated at the limits), and each reader built on it stays in its range.
#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "calendar/DateInput.h"
#include "common/Decimal.h"
#include "phone/UploadCommands.h"
#include "worker/ProgressText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const int previous = in.ConsumeIntegral<int>();
    const int last = in.ConsumeIntegralInRange(0, 59);
    const std::string text = in.ConsumeRemainingBytesAsString();

    const long long value = ReadDecimal(text);
    errno = 0;
    const long long expected = std::strtoll(text.c_str(), nullptr, 10);  // stops at a zero byte too
    if (text.find('\0') == std::string::npos)
        FUZZ_CHECK(value == expected);
    const int narrow = ReadDecimalInt(text);
    FUZZ_CHECK(narrow == (value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : value));

    const int year = YearFromText(text, previous);
    FUZZ_CHECK(year == previous || (year >= FirstYear && year <= LastYear));
    const int field = ClockFieldFromText(text, last);
    FUZZ_CHECK(field >= 0 && field <= last);
    const int end = ProgressRangeEnd({"", "", text});
    FUZZ_CHECK(end == (value < 0 ? 0 : value > INT_MAX ? INT_MAX : value));
    const long long frames = AnimationNumber(text);
    FUZZ_CHECK(frames == value || (frames == 65537 && value > 65537) || (frames == -65537 && value < -65537));
    return 0;
}
