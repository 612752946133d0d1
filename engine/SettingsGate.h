#pragma once

#include <atomic>
#include <thread>

// How settings cross from the control threads to the audio thread.
//
// The audio thread holds the gate for each block it renders; a control thread holds it for the
// write of one setting into all voices. So a block sees every setting whole, either before or
// after a write, and a write is heard from the first block that starts after it returns. A waiting
// audio thread is served before any further control write, so it waits for at most the one write
// under way, and it only spins: no lock of the system, no system call. Control threads yield
// while they wait.
class SettingsGate
{
public:
    void enterAudio() noexcept
    {
        audioWaiting.store (true, std::memory_order_relaxed);

        while (busy.exchange (true, std::memory_order_acquire))
            pause();

        audioWaiting.store (false, std::memory_order_relaxed);
    }

    void enterControl() noexcept
    {
        for (;;)
        {
            while (audioWaiting.load (std::memory_order_relaxed))
                std::this_thread::yield();

            if (! busy.exchange (true, std::memory_order_acquire))
                return;

            std::this_thread::yield();
        }
    }

    void exit() noexcept { busy.store (false, std::memory_order_release); }

    class AudioScope
    {
    public:
        explicit AudioScope (SettingsGate& g) noexcept : gate (g) { gate.enterAudio(); }
        ~AudioScope() { gate.exit(); }
        AudioScope (const AudioScope&) = delete;
        AudioScope& operator= (const AudioScope&) = delete;

    private:
        SettingsGate& gate;
    };

    class ControlScope
    {
    public:
        explicit ControlScope (SettingsGate& g) noexcept : gate (g) { gate.enterControl(); }
        ~ControlScope() { gate.exit(); }
        ControlScope (const ControlScope&) = delete;
        ControlScope& operator= (const ControlScope&) = delete;

    private:
        SettingsGate& gate;
    };

private:
    static void pause() noexcept
    {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }

    std::atomic<bool> busy { false };
    std::atomic<bool> audioWaiting { false };
};
