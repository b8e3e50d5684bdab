// SPDX-License-Identifier: GPL-3.0-or-later
// ChangeCount.h: how often data was changed, so that the session can tell whether anything
// changed since it was last read or saved. The operations that change master data or a plan bump
// it once per change; looking at the data never does. It is no part of the data itself: two data
// sets compare equal whatever their counts.
#pragma once

#include <cstdint>

namespace sw {

class ChangeCount {
public:
    void Bump() { ++value_; }
    std::uint64_t Value() const { return value_; }
    bool operator==(const ChangeCount&) const { return true; }

private:
    std::uint64_t value_ = 0;
};

} // namespace sw
