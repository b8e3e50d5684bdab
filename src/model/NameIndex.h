// SPDX-License-Identifier: GPL-3.0-or-later
// NameIndex.h: finding a name in a list in constant time. Entities refer to each other by name,
// so reading a school looks up a name for every block, unit and reference; a search through the
// list each time would make reading quadratic in the size of the school. An index is built once
// (or grows while a reader appends) and answers each lookup from a hash table.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace sw {

class Stammdaten;

class NameIndex {
public:
    // The index under which `name` was added first, or -1.
    int Find(std::string_view name) const;
    // Adds `name` under `index` unless it is there already; returns the index it had before, or
    // -1 when it is new (so a reader learns at once that a name stands twice in its list).
    int Add(std::string_view name, int index);
    std::size_t Size() const { return map_.size(); }
    void Reserve(std::size_t n) { map_.reserve(n); }

    // The index of the names of `list`, `nameOf(item)` giving each item's name.
    template <typename List, typename NameOf> static NameIndex Of(const List& list, NameOf nameOf) {
        NameIndex index;
        index.Reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i)
            index.Add(nameOf(list[i]), static_cast<int>(i));
        return index;
    }

private:
    // Lookups by std::string_view without building a std::string.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, int, Hash, std::equal_to<>> map_;
};

// The indexes of every list of one master data, taken at one moment: valid as long as the lists
// are not changed. What Stammdaten::Find* answers by searching, these answer at once.
struct StammdatenIndex {
    explicit StammdatenIndex(const Stammdaten& data);

    NameIndex Faecher;
    NameIndex Raeume;
    NameIndex Lehrer;
    NameIndex Klassen;
    NameIndex KursBloecke;
    NameIndex FachBloecke; // by key
};

} // namespace sw
