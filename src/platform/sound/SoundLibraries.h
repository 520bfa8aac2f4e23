// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The voice, sound server and sound file libraries, opened on first use rather than linked:
// a game that never speaks does not load them, and start-up does not pay for mapping them.
// Each accessor returns nullptr when its library is not installed; the caller then goes on
// without sound. Only the types come from the headers.
#include <espeak-ng/speak_lib.h>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
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

// libpulse's own API, for asking the server about its default input.
struct PulseControl {
    decltype(&pa_mainloop_new) mainloop_new;
    decltype(&pa_mainloop_get_api) mainloop_get_api;
    decltype(&pa_mainloop_iterate) mainloop_iterate;
    decltype(&pa_mainloop_free) mainloop_free;
    decltype(&pa_context_new) context_new;
    decltype(&pa_context_connect) context_connect;
    decltype(&pa_context_get_state) context_get_state;
    decltype(&pa_context_disconnect) context_disconnect;
    decltype(&pa_context_unref) context_unref;
    decltype(&pa_context_get_source_info_by_name) context_get_source_info_by_name;
    decltype(&pa_operation_get_state) operation_get_state;
    decltype(&pa_operation_unref) operation_unref;
};
const PulseControl* pulseControl();

struct Sndfile {
    decltype(&sf_open) open;
    decltype(&sf_open_fd) open_fd;
    decltype(&sf_readf_short) readf_short;
    decltype(&sf_close) close;
    decltype(&sf_writef_short) writef_short;
    decltype(&sf_command) command;
};
const Sndfile* sndfile();

}  // namespace platform::soundlibs
