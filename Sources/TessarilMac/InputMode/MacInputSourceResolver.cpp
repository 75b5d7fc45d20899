#include "TessarilMac/InputMode/MacInputSourceResolver.hpp"

#include <string>
#include <string_view>
#include <vector>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::MacInputSourceResolver {

namespace {

constexpr int excludedScore = -1000;
constexpr int minimumAcceptedScore = 100;

using Words = std::vector<std::string_view>;

// One line of a scoring table: the points a source earns when its text contains any of the words.
struct ScoreRow {
    Words anyOf;
    int points;
};

// Word groups that several tables share.
const Words fullWidthWords = {"fullwidth", "full width", "全角"};
const Words halfWidthWords = {"halfwidth", "half width", "半角"};
const Words hiraganaWords = {"hiragana", "ひらがな"};
const Words katakanaWords = {"katakana", "カタカナ"};
const Words kanaWords = {"kana", "かな"};
const Words japaneseWords = {"japanese", "日本語"};
const Words romanWords = {"roman", "romaji"};
const Words alphanumericWords = {"alphanumeric", "英数", "eisu"};

std::string scoringText(const MacInputSourceSelection& selection) {
    return unicode::lowercased(selection.sourceID + " " + selection.inputModeID.value_or("") + " " +
                               selection.localizedName);
}

bool containsAny(std::string_view text, const Words& words) {
    for (const auto word : words) {
        if (text.find(word) != std::string_view::npos) return true;
    }
    return false;
}

int tableScore(std::string_view text, const std::vector<ScoreRow>& rows) {
    int score = 0;
    for (const auto& row : rows) {
        if (containsAny(text, row.anyOf)) score += row.points;
    }
    return score;
}

bool isJapaneseText(std::string_view text) {
    return containsAny(text, {"japanese", "日本語", "hiragana", "ひらがな", "katakana", "カタカナ", "kana", "かな",
                              "kotoeri.romajityping", "kotoeri.kanatyping", "com.google.inputmethod.japanese"});
}

bool isRomanLayoutText(std::string_view text) { return containsAny(text, romanWords) && !isJapaneseText(text); }

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace

int eisuScore(const MacInputSourceSelection& selection) {
    const auto text = scoringText(selection);
    if (containsAny(text, fullWidthWords) || containsAny(text, hiraganaWords) || containsAny(text, katakanaWords)) {
        return excludedScore;
    }
    int score = 0;
    if (selection.sourceID == "com.apple.keylayout.ABC") score += 700;
    if (selection.sourceID == "com.apple.keylayout.US") score += 650;
    if (containsAny(text, {"keylayout.us"}) || unicode::lowercased(selection.localizedName) == "u.s.") score += 250;
    static const std::vector<ScoreRow> rows = {
        {{"keylayout"}, 450},
        {{"abc"}, 300},
        {{"英数", "eisu"}, 120},
        {{"alphanumeric"}, 40},
        {romanWords, 20},
        {{"direct"}, 20},
        {kanaWords, -150},
        {japaneseWords, -100},
    };
    return score + tableScore(text, rows);
}

int kanaScore(const MacInputSourceSelection& selection) {
    const auto text = scoringText(selection);
    if (containsAny(text, fullWidthWords) || containsAny(text, katakanaWords) || containsAny(text, halfWidthWords) ||
        isRomanLayoutText(text) || containsAny(text, alphanumericWords) ||
        containsAny(text, {"abc", "keylayout.us", "keylayout"})) {
        return excludedScore;
    }
    static const std::vector<ScoreRow> rows = {
        {hiraganaWords, 700},
        {kanaWords, 150},
        {japaneseWords, 80},
    };
    return tableScore(text, rows);
}

int fullWidthRomanScore(const MacInputSourceSelection& selection) {
    const auto text = scoringText(selection);
    if (containsAny(text, katakanaWords) || containsAny(text, hiraganaWords) || !containsAny(text, fullWidthWords)) {
        return excludedScore;
    }
    static const std::vector<ScoreRow> rows = {
        {{"fullwidthroman"}, 900},
        {fullWidthWords, 500},
        {romanWords, 240},
        {alphanumericWords, 180},
        {japaneseWords, 50},
    };
    return tableScore(text, rows);
}

int katakanaScore(const MacInputSourceSelection& selection) {
    const auto text = scoringText(selection);
    if (containsAny(text, halfWidthWords) || containsAny(text, hiraganaWords) || isRomanLayoutText(text) ||
        containsAny(text, alphanumericWords)) {
        return excludedScore;
    }
    static const std::vector<ScoreRow> rows = {
        {katakanaWords, 700},
        {kanaWords, 120},
        {japaneseWords, 80},
    };
    return tableScore(text, rows);
}

int halfWidthKatakanaScore(const MacInputSourceSelection& selection) {
    const auto text = scoringText(selection);
    if (containsAny(text, hiraganaWords) || isRomanLayoutText(text) || containsAny(text, alphanumericWords) ||
        !containsAny(text, halfWidthWords)) {
        return excludedScore;
    }
    static const std::vector<ScoreRow> rows = {
        {{"halfwidthkatakana", "halfwidthkana"}, 900},
        {halfWidthWords, 500},
        {katakanaWords, 250},
        {kanaWords, 120},
        {japaneseWords, 80},
    };
    return tableScore(text, rows);
}

bool isJapaneseTextInput(const MacInputSourceSelection& selection) { return isJapaneseText(scoringText(selection)); }

bool isRomanKeyboardLayout(const MacInputSourceSelection& selection) {
    return isRomanLayoutText(scoringText(selection));
}

std::optional<MacInputSourceSelection> selection(InputMode mode, const std::vector<MacInputSourceSelection>& selections) {
    int (*scorer)(const MacInputSourceSelection&) = nullptr;
    switch (mode) {
    case InputMode::eisu: scorer = eisuScore; break;
    case InputMode::kana: scorer = kanaScore; break;
    case InputMode::fullWidthRoman: scorer = fullWidthRomanScore; break;
    case InputMode::katakana: scorer = katakanaScore; break;
    case InputMode::halfWidthKatakana: scorer = halfWidthKatakanaScore; break;
    }
    const MacInputSourceSelection* best = nullptr;
    int bestScore = minimumAcceptedScore - 1;
    for (const auto& candidate : selections) {
        // Strictly greater: among equal scores the earliest in the system's order stays.
        if (const int score = scorer(candidate); score > bestScore) {
            best = &candidate;
            bestScore = score;
        }
    }
    if (best == nullptr) return std::nullopt;
    return *best;
}

std::optional<MacInputSourceConfiguration> resolve(const std::vector<MacInputSourceSelection>& selections) {
    std::vector<MacInputSourceSelection> usable;
    for (const auto& candidate : selections) {
        if (!candidate.sourceID.empty()) usable.push_back(candidate);
    }
    if (usable.empty()) return std::nullopt;
    auto eisu = selection(InputMode::eisu, usable);
    auto kana = selection(InputMode::kana, usable);
    if (!eisu || !kana) return std::nullopt;
    return MacInputSourceConfiguration{std::move(*eisu), std::move(*kana)};
}

std::optional<MacInputSourceSelection> matchingSelection(const MacInputSourceSelection& selection,
                                                         const std::vector<MacInputSourceSelection>& selections) {
    for (const auto& candidate : selections) {
        if (candidate.sourceID == selection.sourceID && candidate.inputModeID == selection.inputModeID) return candidate;
    }
    return std::nullopt;
}

InputMode inputMode(const MacInputSourceSelection& selection) {
    const std::string candidates[] = {unicode::lowercased(selection.inputModeID.value_or("")),
                                      unicode::lowercased(selection.sourceID)};
    const std::pair<std::string_view, InputMode> suffixRules[] = {
        {".halfwidthkana", InputMode::halfWidthKatakana}, {".halfwidthkatakana", InputMode::halfWidthKatakana},
        {".katakana", InputMode::katakana},               {".fullwidthroman", InputMode::fullWidthRoman},
        {".roman", InputMode::eisu},
    };
    for (const auto& [suffix, mode] : suffixRules) {
        for (const auto& candidate : candidates) {
            if (endsWith(candidate, suffix)) return mode;
        }
    }
    return isJapaneseTextInput(selection) ? InputMode::kana : InputMode::eisu;
}

} // namespace tessaril::MacInputSourceResolver
