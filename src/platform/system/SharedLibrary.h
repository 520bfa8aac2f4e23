// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A system library opened on first use rather than linked (the sound libraries, libhyphen):
// a game that never needs it does not load it. Only the types come from the library's
// headers; its functions are looked up by name into a table.
#include <dlfcn.h>

namespace platform {

// Looks the function up by its name in the opened library; false when it is not there.
template <class Function>
bool bindFunction(void* library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

// Opens the library by its name and has `fill` fill a new table from it (bindFunction, and
// whatever else the table needs). nullptr when the library is not installed or `fill` says
// false; the library is then closed again. A table that is had is never freed, nor its
// library closed: another thread may use it while the program ends.
template <class Table, class Fill>
const Table* openLibrary(const char* soname, Fill fill) {
    void* library = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto* table = new Table{};
    if (fill(library, *table)) return table;
    delete table;
    ::dlclose(library);
    return nullptr;
}

}  // namespace platform
