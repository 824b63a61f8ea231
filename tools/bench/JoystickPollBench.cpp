// How long one PollAll over eight controllers takes, and proof that it
// allocates nothing: every operator new of this program and every allocation
// SDL makes are counted, and the counts taken during the timed loop are
// reported per poll.
#include "fcs/joystick/JoystickMgr.h"
#include "tests/support/VirtualJoystickRig.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_newCalls{0};
std::atomic<long> g_sdlAllocations{0};

SDL_malloc_func g_realMalloc = nullptr;
SDL_calloc_func g_realCalloc = nullptr;
SDL_realloc_func g_realRealloc = nullptr;
SDL_free_func g_realFree = nullptr;

void* SDLCALL countingMalloc(size_t size)
{
    ++g_sdlAllocations;
    return g_realMalloc(size);
}
void* SDLCALL countingCalloc(size_t count, size_t size)
{
    ++g_sdlAllocations;
    return g_realCalloc(count, size);
}
void* SDLCALL countingRealloc(void* memory, size_t size)
{
    ++g_sdlAllocations;
    return g_realRealloc(memory, size);
}
void SDLCALL passFree(void* memory) { g_realFree(memory); }

constexpr int kControllers = 8;

struct Counts {
    long newCalls;
    long sdlAllocations;
    static Counts now() { return {g_newCalls.load(), g_sdlAllocations.load()}; }
};

void report(benchmark::State& state, const Counts& before)
{
    const Counts after = Counts::now();
    state.counters["new_per_poll"] =
        benchmark::Counter(static_cast<double>(after.newCalls - before.newCalls), benchmark::Counter::kAvgIterations);
    state.counters["sdl_alloc_per_poll"] = benchmark::Counter(
        static_cast<double>(after.sdlAllocations - before.sdlAllocations), benchmark::Counter::kAvgIterations);
    state.counters["new_total"] = static_cast<double>(after.newCalls - before.newCalls);
}

// Eight sticks held in a fixed, deflected position.
void BM_PollAllEightStill(benchmark::State& state)
{
    VirtualJoystickRig rig;
    for (int i = 0; i < kControllers; ++i)
        rig.plug();
    CJoystickMgr manager;
    manager.Enumerate();
    for (int i = 0; i < kControllers; ++i) {
        rig.axisRaw(i, i % 4, 60000);
        rig.button(i, i, true);
    }
    manager.PollAll();
    if (manager.GetCount() != kControllers) {
        state.SkipWithError("virtual controllers missing");
        return;
    }
    const Counts before = Counts::now();
    for (auto _ : state) {
        manager.PollAll();
        benchmark::DoNotOptimize(manager.GetState(kControllers - 1));
    }
    report(state, before);
}
BENCHMARK(BM_PollAllEightStill);

// Eight sticks, one axis moving between every two polls (the set is timed too).
void BM_PollAllEightMoving(benchmark::State& state)
{
    VirtualJoystickRig rig;
    for (int i = 0; i < kControllers; ++i)
        rig.plug();
    CJoystickMgr manager;
    manager.Enumerate();
    manager.PollAll();
    if (manager.GetCount() != kControllers) {
        state.SkipWithError("virtual controllers missing");
        return;
    }
    int tick = 0;
    const Counts before = Counts::now();
    for (auto _ : state) {
        rig.axisRaw(tick % kControllers, tick % 4, (tick * 7919) % 65536);
        manager.PollAll();
        benchmark::DoNotOptimize(manager.GetState(tick % kControllers));
        ++tick;
    }
    report(state, before);
}
BENCHMARK(BM_PollAllEightMoving);

// The counters at work: a rescan opens every controller and builds its
// identifier, which allocates (it runs only when the staff ask for it).
void BM_EnumerateEight(benchmark::State& state)
{
    VirtualJoystickRig rig;
    for (int i = 0; i < kControllers; ++i)
        rig.plug();
    CJoystickMgr manager;
    const Counts before = Counts::now();
    for (auto _ : state) {
        manager.Enumerate();
        benchmark::DoNotOptimize(manager.GetCount());
    }
    report(state, before);
}
BENCHMARK(BM_EnumerateEight);

}

void* operator new(std::size_t size)
{
    ++g_newCalls;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

int main(int argc, char** argv)
{
    // Before SDL allocates anything, so every later allocation is seen.
    SDL_GetMemoryFunctions(&g_realMalloc, &g_realCalloc, &g_realRealloc, &g_realFree);
    SDL_SetMemoryFunctions(countingMalloc, countingCalloc, countingRealloc, passFree);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    // Shows the SDL hook sees SDL's allocations at all (start-up, plugging).
    std::fprintf(stderr, "SDL allocations over the whole run: %ld\n", g_sdlAllocations.load());
    benchmark::Shutdown();
    return 0;
}
