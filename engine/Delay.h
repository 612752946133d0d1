#pragma once

#include "engine/UG.h"

// A ring of samples: each step yields the sample written `length` steps before, and writes the
// input plus that sample times `feedback` back into the ring.
class Delay : public UG
{
public:
    Delay();
    ~Delay();
    Delay (const Delay&) = delete;
    Delay& operator= (const Delay&) = delete;

    void init() override;

    float step (float x) noexcept
    {
        const float d = buffer[pos];
        buffer[pos] = x + d * feedback;

        if (++pos >= length)
            pos = 0;

        output = d;
        return d;
    }

    // Silences the ring and puts the position back to its start.
    void clear() noexcept;

    // Whether the last `steps` values written into the ring (at most one length's worth) are finite.
    bool lastWritesAreFinite (int steps) const noexcept;

    int bufferSize() const noexcept { return size; }

    int pos = 0;
    float feedback = 0.0f;
    int length = 0;
    float* buffer = nullptr;

private:
    int size = 0;
};
