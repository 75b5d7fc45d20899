#pragma once

#include <string>
#include <vector>

namespace tessaril {

// The source identifiers the application names as the usual eisu and kana sources. The dispatcher keeps
// them for the settings window; selection itself goes by the saved sources and the resolver.
struct MacInputSourceIDs {
    std::vector<std::string> eisuCandidates;
    std::vector<std::string> kanaCandidates;

    // The candidates the application starts with.
    static MacInputSourceIDs applicationDefaults() {
        return MacInputSourceIDs{
            {"com.apple.keylayout.ABC", "com.apple.keylayout.US", "com.apple.inputmethod.Kotoeri.Roman"},
            {"com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese", "com.apple.inputmethod.Kotoeri.KanaTyping.Japanese",
             "com.apple.inputmethod.Kotoeri.Japanese", "com.apple.inputmethod.Kotoeri.Japanese.KanaTyping"},
        };
    }

    friend bool operator==(const MacInputSourceIDs&, const MacInputSourceIDs&) = default;
};

} // namespace tessaril
