#include "engine/ZarnSound.h"

ZarnSound::ZarnSound (const juce::BigInteger& notesToPlay)
    : notes (notesToPlay)
{
}

ZarnSound::~ZarnSound() = default;

bool ZarnSound::appliesToNote (int midiNoteNumber)
{
    return midiNoteNumber >= 0 && midiNoteNumber <= notes.getHighestBit() && notes[midiNoteNumber];
}

bool ZarnSound::appliesToChannel (int)
{
    return true;
}

ZarnSound* ZarnSound::forAllNotes()
{
    juce::BigInteger allNotes;
    allNotes.setRange (0, 128, true);
    return new ZarnSound (allNotes);
}
