// The fuzz tree compiles code page 1251 copies of the sources; a known
// literal must hold the bytes the shipped program's does ("Ошибка" in 1251).
#include <cstdio>
#include <cstring>

#include "common/PhoneMessages.h"

int main()
{
    const char expected[] = "\xCE\xF8\xE8\xE1\xEA\xE0 ";
    if (std::strncmp(PhoneMessages[PhoneInitFailed], expected, sizeof expected - 1) != 0) {
        std::fprintf(stderr, "PhoneMessages[PhoneInitFailed] is not code page 1251 text\n");
        return 1;
    }
    return 0;
}
