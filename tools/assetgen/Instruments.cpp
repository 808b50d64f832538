#include "tools/assetgen/Instruments.h"

namespace veltrano::assetgen {

Instrument PulseLead(double duty, double volume) {
    Instrument in;
    in.kind = VoiceKind::Pulse;
    in.duty = duty;
    in.volume = volume;
    in.attack = 0.006;
    in.decay = 0.25;
    in.sustain = 0.7;
    in.release = 0.08;
    in.vibratoDepth = 0.25;
    in.vibratoHz = 5.5;
    in.vibratoDelay = 0.18;
    in.lowPassHz = 9000;
    in.echoSend = 0.5;
    in.detuneCents = 4;  // a gentle chorus, which also spreads the lead across the field
    return in;
}

Instrument PulsePluck(double duty, double volume) {
    Instrument in;
    in.kind = VoiceKind::Pulse;
    in.duty = duty;
    in.volume = volume;
    in.attack = 0.003;
    in.decay = 0.12;
    in.sustain = 0.25;
    in.release = 0.05;
    in.lowPassHz = 6000;
    in.echoSend = 0.3;
    return in;
}

Instrument TriangleBass(double volume) {
    Instrument in;
    in.kind = VoiceKind::Triangle;
    in.volume = volume * 0.85;
    in.attack = 0.004;
    in.decay = 0.2;
    in.sustain = 0.8;
    in.release = 0.04;
    return in;
}

Instrument SawVoice(double volume, double lowPassHz, double detuneCents) {
    Instrument in;
    in.kind = VoiceKind::Saw;
    in.volume = volume;
    in.attack = 0.008;
    in.decay = 0.3;
    in.sustain = 0.8;
    in.release = 0.08;
    in.lowPassHz = lowPassHz;
    in.detuneCents = detuneCents;
    in.vibratoDepth = 0.2;
    in.vibratoDelay = 0.25;
    in.echoSend = 0.3;
    return in;
}

Instrument FmVoice(double ratio, double index, double indexDecay, double volume) {
    Instrument in;
    in.kind = VoiceKind::Fm;
    in.fmRatio = ratio;
    in.fmIndex = index;
    in.fmIndexDecay = indexDecay;
    in.volume = volume;
    in.attack = 0.004;
    in.decay = indexDecay > 0 ? indexDecay * 2 : 0.3;
    in.sustain = indexDecay > 0 ? 0.3 : 0.75;
    in.release = 0.12;
    in.vibratoDepth = 0.15;
    in.echoSend = 0.4;
    return in;
}

Instrument SawBass(double volume, double lowPassHz) {
    Instrument in = SawVoice(volume, lowPassHz, 0.0);
    in.vibratoDepth = 0.0;
    in.echoSend = 0.0;
    return in;
}

Instrument FmSlapBass(double index, double indexDecay, double volume) {
    Instrument in = FmVoice(1.0, index, indexDecay, volume);
    in.vibratoDepth = 0.0;
    in.echoSend = 0.0;
    return in;
}

Instrument Pad(VoiceKind kind, double volume) {
    Instrument in;
    in.kind = kind;
    in.volume = volume;
    in.duty = 0.5;
    in.pwmDepth = kind == VoiceKind::Pulse ? 0.3 : 0.0;
    in.pwmHz = 0.4;
    in.attack = 0.15;
    in.decay = 0.4;
    in.sustain = 0.8;
    in.release = 0.35;
    in.detuneCents = kind == VoiceKind::Triangle ? 0.0 : 7.0;
    in.lowPassHz = 2500;
    in.echoSend = 0.2;
    return in;
}

Instrument DrumKit(double volume) {
    Instrument in;
    in.kind = VoiceKind::Drums;
    in.volume = volume;
    return in;
}

}  // namespace veltrano::assetgen
