// SPDX-License-Identifier: GPL-3.0-or-later
// SharedLibrary.h: a shared library opened when it is first needed instead of when the program
// starts. The PDF, spreadsheet and zip libraries pull in a dozen more (fonts, X11, crypto);
// loading them at every start cost each command some 10 ms, most of a small school's planning
// time, though only publishing and exporting use them.
//
// A library once opened stays loaded until the program ends: the functions taken from it may be
// called from anywhere, at any time.
#pragma once

#include <string>

namespace sw {

class SharedLibrary {
public:
    // Opens the library by its file name ("libcairo.so.2"), as the system's loader finds it.
    explicit SharedLibrary(std::string name);

    bool Loaded() const { return handle_ != nullptr; }
    // Why the library or one of the functions asked for could not be had, in German; empty
    // while everything was found.
    const std::string& Error() const { return error_; }

    // The function `symbol` of the library, or null (and Error says which is missing).
    template <typename F> void Bind(F*& function, const char* symbol) {
        function = reinterpret_cast<F*>(Symbol(symbol));
    }

private:
    void* Symbol(const char* symbol);

    std::string name_;
    void* handle_ = nullptr;
    std::string error_;
};

} // namespace sw

// The table of a C library's functions, filled when first used: FUNCTIONS(X) lists them as
// X(name); the table has one pointer per function, of the function's own type and name, so a
// call reads lib.cairo_create(...), and the Error the loader left (empty when all were found).
#define SW_LIBRARY_MEMBER(function) decltype(&::function) function = nullptr;
#define SW_LIBRARY_BIND(function) library.Bind(table.function, #function);
#define SW_LIBRARY_TABLE(Table, FUNCTIONS)                                                         \
    struct Table {                                                                                 \
        FUNCTIONS(SW_LIBRARY_MEMBER)                                                               \
        std::string Error;                                                                         \
        static Table Load(const char* name) {                                                      \
            Table table;                                                                           \
            ::sw::SharedLibrary library(name);                                                     \
            if (library.Loaded()) {                                                                \
                FUNCTIONS(SW_LIBRARY_BIND)                                                         \
            }                                                                                      \
            table.Error = library.Error();                                                         \
            return table;                                                                          \
        }                                                                                          \
    }
