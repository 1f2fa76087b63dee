// The reply-field helpers on any answer: a slice stays inside the text and
// its limit, a quoted text stops before quotes and control bytes, and a
// leading number is the one its digits spell.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "phone/ReplyFields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const size_t begin = in.ConsumeIntegralInRange<size_t>(0, 300);
    const size_t end = in.ConsumeIntegralInRange<size_t>(0, 300);
    const size_t limit = in.ConsumeIntegralInRange<size_t>(0, 64);
    const size_t digits = in.ConsumeIntegralInRange<size_t>(0, 9);  // the callers read at most 9
    const std::string text = in.ConsumeRemainingBytesAsString();

    const std::string slice = reply::Slice(text, begin, end, limit);
    FUZZ_CHECK(slice.size() <= limit);
    if (begin <= end && end <= text.size())
        FUZZ_CHECK(slice == text.substr(begin, std::min(end - begin, limit)));
    else
        FUZZ_CHECK(slice.empty());

    const std::string quoted = reply::QuotedTextUntilControl(text, begin);
    FUZZ_CHECK(quoted.size() <= reply::FieldLimit);
    for (char c : quoted)
        FUZZ_CHECK(c != '"' && static_cast<unsigned char>(c) > 0x13);

    const int value = reply::LeadingInt(text, digits);
    if (reply::IsPlainInteger(text) && text.size() <= digits && text.find_first_of("+-") == std::string::npos)
        FUZZ_CHECK(value == std::stoi(text));
    FUZZ_CHECK(reply::Find(text, ",", begin) == (begin > text.size() ? reply::npos : text.find(',', begin)));
    return 0;
}
