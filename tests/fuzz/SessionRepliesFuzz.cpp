// The session start's answers, read as the zero-terminated replies they
// are: key, model, own number and melody list keep their forms and limits.
#include <string>

#include "FuzzCheck.h"
#include "phone/SessionReplies.h"
#include "res/resource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);  // ends in its terminator
    if (const auto key = ParsePhoneKey(reply.c_str()))
        FUZZ_CHECK(*key >= 0 && *key <= 9999999);

    for (char c : ParseModelName(reply.c_str()))
        FUZZ_CHECK(c > ' ' && c < 0x7F);

    const std::string number = ParseOwnNumber(reply.c_str());
    FUZZ_CHECK(number.size() <= SMS_NUMBER_LIMIT + 1);
    for (size_t i = 0; i < number.size(); ++i)
        FUZZ_CHECK((number[i] >= '0' && number[i] <= '9') || (i == 0 && number[i] == '+'));

    if (const auto melodies = ParseMelodyList(reply.c_str())) {
        FUZZ_CHECK(melodies->size() <= size);
        for (const MelodyEntry& melody : *melodies) {
            FUZZ_CHECK(melody.number.size() <= MelodyFieldLength && melody.name.size() <= MelodyFieldLength);
            FUZZ_CHECK(melody.name.find('\n') == std::string::npos);
        }
    }
    return 0;
}
