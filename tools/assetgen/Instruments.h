// Ready-made instruments the scores start from; a score adjusts the returned copy where it wants.
#pragma once

#include "tools/assetgen/Sequencer.h"

namespace veltrano::assetgen {

// A singing pulse lead with delayed vibrato, gently chorused.
Instrument PulseLead(double duty, double volume);
// A short plucked pulse for chords and arpeggios.
Instrument PulsePluck(double duty, double volume);
// A round triangle bass.
Instrument TriangleBass(double volume);
// A biting filtered saw (doubled and detuned) for heavy leads and basses.
Instrument SawVoice(double volume, double lowPassHz, double detuneCents);
// A dry, steady saw bass under a low-pass, for the darker pieces.
Instrument SawBass(double volume, double lowPassHz);
// 2-operator FM: a bell or electric piano (decaying index) or a brass-like lead (steady index).
Instrument FmVoice(double ratio, double index, double indexDecay, double volume);
// A dry FM bass whose bright attack decays quickly, like a slapped string.
Instrument FmSlapBass(double index, double indexDecay, double volume);
// Soft sustained pad.
Instrument Pad(VoiceKind kind, double volume);
Instrument DrumKit(double volume);

}  // namespace veltrano::assetgen
