#pragma once

#include <optional>
#include <vector>

#include "TessarilCore/Input/InputMode.hpp"
#include "TessarilMac/InputMode/MacInputSourceConfiguration.hpp"
#include "TessarilMac/InputMode/MacInputSourceSelection.hpp"

namespace tessaril {

// Picks input sources for the input modes by scoring their identifiers and names, and tells which mode
// a source stands for. Pure functions, any thread. The scorers work on the lower-cased text
// "<sourceID> <inputModeID> <localizedName>"; an excluded source scores -1000, and a source needs 100
// to be chosen at all.
namespace MacInputSourceResolver {

// The best eisu and kana sources of the list, or none when either is missing.
std::optional<MacInputSourceConfiguration> resolve(const std::vector<MacInputSourceSelection>& selections);
// The highest-scoring source for the mode (the earliest among equals), or none below 100.
std::optional<MacInputSourceSelection> selection(InputMode mode, const std::vector<MacInputSourceSelection>& selections);
// The first source with the same source and input-mode identifiers.
std::optional<MacInputSourceSelection> matchingSelection(const MacInputSourceSelection& selection,
                                                         const std::vector<MacInputSourceSelection>& selections);
// The mode a source stands for.
InputMode inputMode(const MacInputSourceSelection& selection);
bool isJapaneseTextInput(const MacInputSourceSelection& selection);
bool isRomanKeyboardLayout(const MacInputSourceSelection& selection);

int eisuScore(const MacInputSourceSelection& selection);
int kanaScore(const MacInputSourceSelection& selection);
int fullWidthRomanScore(const MacInputSourceSelection& selection);
int katakanaScore(const MacInputSourceSelection& selection);
int halfWidthKatakanaScore(const MacInputSourceSelection& selection);

} // namespace MacInputSourceResolver

} // namespace tessaril
