// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/SoundLibraries.h"

#include <dlfcn.h>

namespace platform::soundlibs {

namespace {

template <class Function>
bool bind(void* library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

// Opens the library and fills the table; the table is never freed (the sound thread may
// use it while the program ends).
template <class Table, class Fill>
const Table* open(const char* soname, Fill fill) {
    void* library = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto* table = new Table{};
    if (fill(library, *table)) return table;
    delete table;
    ::dlclose(library);
    return nullptr;
}

}  // namespace

const Espeak* espeak() {
    static const Espeak* table = open<Espeak>("libespeak-ng.so.1", [](void* l, Espeak& t) {
        return bind(l, t.Initialize, "espeak_Initialize") && bind(l, t.SetVoiceByName, "espeak_SetVoiceByName") &&
               bind(l, t.SetSynthCallback, "espeak_SetSynthCallback") &&
               bind(l, t.SetParameter, "espeak_SetParameter") && bind(l, t.Synth, "espeak_Synth") &&
               bind(l, t.TextToPhonemes, "espeak_TextToPhonemes");
    });
    return table;
}

const Pulse* pulse() {
    static const Pulse* table = open<Pulse>("libpulse-simple.so.0", [](void* l, Pulse& t) {
        return bind(l, t.simple_new, "pa_simple_new") && bind(l, t.simple_free, "pa_simple_free") &&
               bind(l, t.simple_write, "pa_simple_write") && bind(l, t.simple_flush, "pa_simple_flush") &&
               bind(l, t.simple_read, "pa_simple_read");
    });
    return table;
}

const PulseControl* pulseControl() {
    static const PulseControl* table = open<PulseControl>("libpulse.so.0", [](void* l, PulseControl& t) {
        return bind(l, t.mainloop_new, "pa_mainloop_new") && bind(l, t.mainloop_get_api, "pa_mainloop_get_api") &&
               bind(l, t.mainloop_iterate, "pa_mainloop_iterate") && bind(l, t.mainloop_free, "pa_mainloop_free") &&
               bind(l, t.context_new, "pa_context_new") && bind(l, t.context_connect, "pa_context_connect") &&
               bind(l, t.context_get_state, "pa_context_get_state") &&
               bind(l, t.context_disconnect, "pa_context_disconnect") &&
               bind(l, t.context_unref, "pa_context_unref") &&
               bind(l, t.context_get_source_info_by_name, "pa_context_get_source_info_by_name") &&
               bind(l, t.operation_get_state, "pa_operation_get_state") &&
               bind(l, t.operation_unref, "pa_operation_unref");
    });
    return table;
}

const Sndfile* sndfile() {
    static const Sndfile* table = open<Sndfile>("libsndfile.so.1", [](void* l, Sndfile& t) {
        return bind(l, t.open, "sf_open") && bind(l, t.open_fd, "sf_open_fd") && bind(l, t.readf_short, "sf_readf_short") && bind(l, t.close, "sf_close") &&
               bind(l, t.writef_short, "sf_writef_short") && bind(l, t.command, "sf_command");
    });
    return table;
}

}  // namespace platform::soundlibs
