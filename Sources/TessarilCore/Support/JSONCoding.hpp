#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "TessarilCore/Support/DecodedSizeLimit.hpp"
#include "TessarilCore/Support/DecodingError.hpp"
#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Support/EnumSet.hpp"

namespace tessaril {

using Json = nlohmann::json;

// The system's JSON conventions, implemented once. Specialise `JSONCoding<T>` with
//   static Json encode(const T&);
//   static T decode(const Json&);   // throws DecodingError
// and use the helpers of `coding` to read keys, so that paths and messages are uniform.
template <class T, class Enable = void> struct JSONCoding;

namespace coding {

// "a string", "a number", … — for type-mismatch messages.
std::string describeJSONType(const Json& value);

void expectObject(const Json& value, std::string_view typeName);
void expectArray(const Json& value, std::string_view typeName);

// Runs `body`, adding `key` (or `[index]`) to the coding path of a DecodingError it throws.
template <class Body> decltype(auto) atKey(std::string_view key, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (DecodingError& error) {
        error.prependPathComponent(std::string(key));
        throw;
    }
}
template <class Body> decltype(auto) atIndex(std::size_t index, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (DecodingError& error) {
        error.prependPathComponent("[" + std::to_string(index) + "]");
        throw;
    }
}

template <class T> T decode(const Json& value) { return JSONCoding<T>::decode(value); }
template <class T> Json encode(const T& value) { return JSONCoding<T>::encode(value); }

// The length of the value's compact encoding.
std::int64_t compactEncodedSize(const Json& value);

// One element of a collection, decoded by `decode` and weighed against the thread's DecodedSizeLimit
// when one is live.
template <class T, class Decode> T decodeElement(Decode&& decode) {
    DecodedSizeLimit* limit = DecodedSizeLimit::active();
    if (limit == nullptr) return std::forward<Decode>(decode)();
    const std::int64_t before = limit->weighed();
    T element = std::forward<Decode>(decode)();
    limit->settle(before, compactEncodedSize(JSONCoding<T>::encode(element)));
    return element;
}

// The member `key` of an object, or nullptr when it is missing or null.
const Json* member(const Json& object, std::string_view key);
// True when the object has `key` with a non-null value.
bool hasValue(const Json& object, std::string_view key);

// A required key: missing is keyNotFound, null is valueNotFound, anything else is decoded strictly.
template <class T> T decodeRequired(const Json& object, std::string_view key) {
    auto found = object.find(key);
    if (found == object.end()) throw DecodingError::keyNotFound(key);
    return atKey(key, [&] {
        if (found->is_null()) {
            throw DecodingError(DecodingError::Kind::valueNotFound, "Cannot get value of a required key -- found null value instead.");
        }
        return decode<T>(*found);
    });
}

// A tolerant optional key: missing or null gives none; a present value must decode.
template <class T> std::optional<T> decodeOptional(const Json& object, std::string_view key) {
    const Json* value = member(object, key);
    if (value == nullptr) return std::nullopt;
    return atKey(key, [&] { return decode<T>(*value); });
}

// A tolerant key with a fixed default: missing or null gives `fallback`.
template <class T> T decodeOr(const Json& object, std::string_view key, T fallback) {
    const Json* value = member(object, key);
    if (value == nullptr) return fallback;
    return atKey(key, [&] { return decode<T>(*value); });
}

// Reading an enumeration object ({"case":{…}}): only keys naming a case count, exactly one must remain,
// and its value must be an object. Answers the index of the case and the case's value.
struct CaseObject {
    std::size_t caseIndex;
    const Json* value;
};
CaseObject decodeCaseObject(const Json& value, std::span<const std::string_view> caseNames, std::string_view typeName);

// The unlabelled payload "_0" of a case value.
template <class T> T decodePayload(const Json& caseValue) {
    return decodeRequired<T>(caseValue, "_0");
}

// {"name":{}} and {"name":{"_0":payload}}.
Json caseObject(std::string_view name);
Json caseObject(std::string_view name, Json payload);

} // namespace coding

template <> struct JSONCoding<bool> {
    static Json encode(bool value) { return value; }
    static bool decode(const Json& value);
};

// Integers are strict: a fraction, or a value outside signed 64 bits, is an error, never truncated or wrapped.
template <> struct JSONCoding<std::int64_t> {
    static Json encode(std::int64_t value) { return value; }
    static std::int64_t decode(const Json& value);
};

template <> struct JSONCoding<double> {
    static Json encode(double value) { return value; }
    static double decode(const Json& value);
};

template <> struct JSONCoding<std::string> {
    static Json encode(const std::string& value) { return value; }
    static std::string decode(const Json& value);
};

template <class T> struct JSONCoding<std::vector<T>> {
    static Json encode(const std::vector<T>& values) {
        Json array = Json::array();
        for (const auto& value : values) array.push_back(coding::encode(value));
        return array;
    }
    static std::vector<T> decode(const Json& value) {
        coding::expectArray(value, "Array");
        std::vector<T> result;
        // Under a size limit the input's length is no measure of what may be built.
        if (coding::DecodedSizeLimit::active() == nullptr) result.reserve(value.size());
        for (std::size_t index = 0; index < value.size(); ++index) {
            result.push_back(coding::atIndex(
                index, [&] { return coding::decodeElement<T>([&] { return coding::decode<T>(value[index]); }); }));
        }
        return result;
    }
};

// Enumerations without payload: a raw-value string, or a case object, as their EnumCases say.
template <DescribedEnum E> struct JSONCoding<E> {
    static constexpr auto names() {
        constexpr auto& table = EnumCases<E>::cases;
        std::array<std::string_view, table.size()> result{};
        for (std::size_t index = 0; index < table.size(); ++index) result[index] = table[index].second;
        return result;
    }

    static Json encode(E value) {
        if constexpr (EnumCases<E>::jsonForm == EnumJSONForm::rawValueString) {
            return std::string(rawValue(value));
        } else {
            return coding::caseObject(rawValue(value));
        }
    }

    static E decode(const Json& value) {
        if constexpr (EnumCases<E>::jsonForm == EnumJSONForm::rawValueString) {
            if (!value.is_string()) {
                throw DecodingError::typeMismatch("String", coding::describeJSONType(value));
            }
            const auto& text = value.get_ref<const std::string&>();
            if (auto parsed = enumFromRawValue<E>(text)) return *parsed;
            throw DecodingError::dataCorrupted("Cannot initialize " + std::string(EnumCases<E>::typeName) +
                                               " from invalid String value " + text);
        } else {
            static constexpr auto caseNames = names();
            auto found = coding::decodeCaseObject(value, caseNames, EnumCases<E>::typeName);
            return EnumCases<E>::cases[found.caseIndex].first;
        }
    }
};

// Sets are arrays in no particular order; reading collapses repeats.
template <DescribedEnum E> struct JSONCoding<EnumSet<E>> {
    static Json encode(EnumSet<E> set) {
        Json array = Json::array();
        set.forEach([&](E member) { array.push_back(coding::encode(member)); });
        return array;
    }
    static EnumSet<E> decode(const Json& value) {
        coding::expectArray(value, "Set");
        EnumSet<E> result;
        for (std::size_t index = 0; index < value.size(); ++index) {
            result.insert(coding::atIndex(index, [&] { return coding::decode<E>(value[index]); }));
        }
        return result;
    }
};

} // namespace tessaril
