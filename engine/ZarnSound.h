#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// The one sound that every voice accepts: a set of note numbers.
class ZarnSound : public juce::SynthesiserSound
{
public:
    explicit ZarnSound (const juce::BigInteger& notesToPlay);
    ~ZarnSound() override;

    bool appliesToNote (int midiNoteNumber) override;
    bool appliesToChannel (int midiChannel) override;

    // A sound for every note 0 to 127.
    static ZarnSound* forAllNotes();

    juce::BigInteger notes;
};
