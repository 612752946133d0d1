#pragma once

// A unit generator: the small signal block from which a voice is built.
// Unit generators are held by value inside their voice and never deleted through this base.
class UG
{
public:
    virtual void init() = 0;
    virtual double tick();
    virtual void setSampleRate (int newSampleRate);

    double input = 0.0;
    double output = 0.0;
    int sampleRate = 44100;

protected:
    UG() = default;
    ~UG() = default;
};
