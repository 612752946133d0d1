#pragma once

#include "engine/ZarnSynthesiser.h"

// What a setting's value does to the voices, for both deliverables: each row of the settings
// table to the synthesiser's setter that writes it into all 32 voices. The switches of an
// oscillator, of its second phase and of the LFO are left out: the standalone panel and the
// plug-in's processor give them different effects of their own.
class SettingWriter
{
public:
    // `value` in the setting's own units (a switch 1 or 0, a wave its WaveType), bounded first as
    // the settings table says (SettingsTable::forVoices): whatever it is, the voices get a value
    // that their controls could give, or nothing.
    static void write (ZarnSynthesiser& synth, int index, double value);
};
