// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The voice, sound server and sound file libraries, opened on first use rather than linked:
// a game that never speaks does not load them, and start-up does not pay for mapping them.
// Each accessor returns nullptr when its library is not installed; the caller then goes on
// without sound. Only the types come from the headers.
#include <espeak-ng/speak_lib.h>
#include <pulse/simple.h>
#include <sndfile.h>

namespace platform::soundlibs {

// libpulse's description of a stream's samples (format, rate, channels), under the name
// this program gives it.
using SampleFormat = pa_sample_spec;

struct Espeak {
    decltype(&espeak_Initialize) Initialize;
    decltype(&espeak_SetVoiceByName) SetVoiceByName;
    decltype(&espeak_SetSynthCallback) SetSynthCallback;
    decltype(&espeak_SetParameter) SetParameter;
    decltype(&espeak_Synth) Synth;
    decltype(&espeak_TextToPhonemes) TextToPhonemes;
};
const Espeak* espeak();

struct Pulse {
    decltype(&pa_simple_new) simple_new;
    decltype(&pa_simple_free) simple_free;
    decltype(&pa_simple_write) simple_write;
    decltype(&pa_simple_flush) simple_flush;
    decltype(&pa_simple_read) simple_read;
};
const Pulse* pulse();

struct Sndfile {
    decltype(&sf_open) open;
    decltype(&sf_readf_short) readf_short;
    decltype(&sf_close) close;
    decltype(&sf_writef_short) writef_short;
    decltype(&sf_command) command;
};
const Sndfile* sndfile();

}  // namespace platform::soundlibs
