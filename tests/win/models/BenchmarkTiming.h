#pragma once
// Timing and quieting for the benchmarks under Wine: not tests, run on
// demand by tools/bench/grid.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

inline double Seconds()
{
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median of `runs` timings of `work` in milliseconds, each the average
// over `repeats` calls; `prepare` runs untimed before every call.
template <typename Prepare, typename Work>
double MedianMs(int runs, int repeats, Prepare prepare, Work work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        double total = 0;
        for (int i = 0; i < repeats; ++i) {
            prepare();
            const double start = Seconds();
            work();
            total += Seconds() - start;
        }
        times.push_back(1000.0 * total / repeats);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

template <typename Work>
double MedianMs(int runs, int repeats, Work work)
{
    return MedianMs(runs, repeats, [] {}, work);
}

// The shortest of `runs` timings of each of two pieces of work in
// milliseconds, the two taken in turns, each after `prepare`. Writing files
// of megabytes is now and then held up by the system flushing earlier ones:
// taking turns spreads that over both, and the shortest run escapes it.
template <typename Prepare, typename First, typename Second>
std::pair<double, double> ShortestInTurns(int runs, Prepare prepare, First first, Second second)
{
    double shortest[2] = {0, 0};
    for (int run = 0; run < runs; ++run) {
        for (int which = 0; which < 2; ++which) {
            prepare();
            const double start = Seconds();
            if (which == 0)
                first();
            else
                second();
            const double time = 1000.0 * (Seconds() - start);
            if (run == 0 || time < shortest[which])
                shortest[which] = time;
        }
    }
    return {shortest[0], shortest[1]};
}

inline void Report(const char* operation, double grid, double bare)
{
    std::printf("grid %s %.3f ms bare %.3f ms ratio %.2f\n", operation, grid, bare, bare > 0 ? grid / bare : 0.0);
    std::fflush(stdout);
}

// Keeps the compiler from dropping or merging work whose result is unused.
inline void Consume(const void* data)
{
    asm volatile("" : : "g"(data) : "memory");
}

// Refuses every dialog box this thread opens while it stands: the Excel
// export's note about rows past the sheet's end would otherwise wait for the
// user inside the timing. Counts what it refused.
class DialogRefusal {
public:
    DialogRefusal() : hook_(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId())) { refused = 0; }
    ~DialogRefusal()
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
    }
    DialogRefusal(const DialogRefusal&) = delete;
    DialogRefusal& operator=(const DialogRefusal&) = delete;

    bool IsActive() const { return hook_ != nullptr; }
    inline static int refused = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            char name[16] = {};
            GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
            if (std::strcmp(name, "#32770") == 0) {
                ++refused;
                return 1;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_;
};

inline std::string TempFile(const std::string& name)
{
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

