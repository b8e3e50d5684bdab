// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/SharedLibrary.h"

#include <dlfcn.h>
#include <utility>

namespace sw {

SharedLibrary::SharedLibrary(std::string name) : name_(std::move(name)) {
    // Never closed: the handle is kept by the system's loader for the program's life.
    handle_ = dlopen(name_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        error_ = "Die Bibliothek " + name_ + " ließ sich nicht laden";
        error_ += why ? ": " + std::string(why) : std::string(".");
    }
}

void* SharedLibrary::Symbol(const char* symbol) {
    if (!handle_) return nullptr;
    void* found = dlsym(handle_, symbol);
    if (!found && error_.empty())
        error_ = "In der Bibliothek " + name_ + " fehlt die Funktion " + symbol + ".";
    return found;
}

} // namespace sw
