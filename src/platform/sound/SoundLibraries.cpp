// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SoundLibraries.h"

#include "platform/system/SharedLibrary.h"

namespace platform::soundlibs {

const Espeak* espeak() {
    static const Espeak* table = openLibrary<Espeak>("libespeak-ng.so.1", [](void* l, Espeak& t) {
        return bindFunction(l, t.Initialize, "espeak_Initialize") &&
               bindFunction(l, t.SetVoiceByName, "espeak_SetVoiceByName") &&
               bindFunction(l, t.SetSynthCallback, "espeak_SetSynthCallback") &&
               bindFunction(l, t.SetParameter, "espeak_SetParameter") &&
               bindFunction(l, t.Synth, "espeak_Synth") &&
               bindFunction(l, t.TextToPhonemes, "espeak_TextToPhonemes");
    });
    return table;
}

const Pulse* pulse() {
    static const Pulse* table = openLibrary<Pulse>("libpulse-simple.so.0", [](void* l, Pulse& t) {
        return bindFunction(l, t.simple_new, "pa_simple_new") &&
               bindFunction(l, t.simple_free, "pa_simple_free") &&
               bindFunction(l, t.simple_write, "pa_simple_write") &&
               bindFunction(l, t.simple_flush, "pa_simple_flush") &&
               bindFunction(l, t.simple_read, "pa_simple_read");
    });
    return table;
}

const PulseControl* pulseControl() {
    static const PulseControl* table =
        openLibrary<PulseControl>("libpulse.so.0", [](void* l, PulseControl& t) {
            return bindFunction(l, t.mainloop_new, "pa_mainloop_new") &&
                   bindFunction(l, t.mainloop_get_api, "pa_mainloop_get_api") &&
                   bindFunction(l, t.mainloop_iterate, "pa_mainloop_iterate") &&
                   bindFunction(l, t.mainloop_free, "pa_mainloop_free") &&
                   bindFunction(l, t.context_new, "pa_context_new") &&
                   bindFunction(l, t.context_connect, "pa_context_connect") &&
                   bindFunction(l, t.context_get_state, "pa_context_get_state") &&
                   bindFunction(l, t.context_disconnect, "pa_context_disconnect") &&
                   bindFunction(l, t.context_unref, "pa_context_unref") &&
                   bindFunction(l, t.context_get_source_info_by_name,
                                "pa_context_get_source_info_by_name") &&
                   bindFunction(l, t.operation_get_state, "pa_operation_get_state") &&
                   bindFunction(l, t.operation_unref, "pa_operation_unref");
        });
    return table;
}

const Sndfile* sndfile() {
    static const Sndfile* table = openLibrary<Sndfile>("libsndfile.so.1", [](void* l, Sndfile& t) {
        return bindFunction(l, t.open, "sf_open") && bindFunction(l, t.open_fd, "sf_open_fd") &&
               bindFunction(l, t.readf_short, "sf_readf_short") &&
               bindFunction(l, t.close, "sf_close") &&
               bindFunction(l, t.writef_short, "sf_writef_short") &&
               bindFunction(l, t.command, "sf_command");
    });
    return table;
}

}  // namespace platform::soundlibs
