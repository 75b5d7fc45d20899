#include "TessarilCore/Support/JSONCoding.hpp"

#include <limits>

namespace tessaril::coding {

std::string describeJSONType(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::object: return "a dictionary";
    case Json::value_t::array: return "an array";
    case Json::value_t::string: return "a string";
    case Json::value_t::boolean: return "bool";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float: return "a number";
    default: return "an unknown value";
    }
}

void expectObject(const Json& value, std::string_view typeName) {
    if (!value.is_object()) {
        throw DecodingError::typeMismatch(std::string(typeName) + " (a dictionary)", describeJSONType(value));
    }
}

void expectArray(const Json& value, std::string_view typeName) {
    if (!value.is_array()) {
        throw DecodingError::typeMismatch(std::string(typeName) + " (an array)", describeJSONType(value));
    }
}

const Json* member(const Json& object, std::string_view key) {
    auto found = object.find(key);
    if (found == object.end() || found->is_null()) return nullptr;
    return &*found;
}

std::int64_t compactEncodedSize(const Json& value) {
    // Replacing what is not UTF-8 keeps the weight close without a failure the caller did not ask for.
    return static_cast<std::int64_t>(value.dump(-1, ' ', false, Json::error_handler_t::replace).size());
}

bool hasValue(const Json& object, std::string_view key) { return member(object, key) != nullptr; }

CaseObject decodeCaseObject(const Json& value, std::span<const std::string_view> caseNames, std::string_view typeName) {
    expectObject(value, typeName);
    std::size_t foundIndex = 0;
    const Json* foundValue = nullptr;
    std::size_t count = 0;
    for (std::size_t index = 0; index < caseNames.size(); ++index) {
        auto entry = value.find(caseNames[index]);
        if (entry == value.end()) continue;
        ++count;
        foundIndex = index;
        foundValue = &*entry;
    }
    if (count != 1) throw DecodingError::invalidNumberOfCaseKeys();
    atKey(caseNames[foundIndex], [&] { expectObject(*foundValue, typeName); });
    return {foundIndex, foundValue};
}

Json caseObject(std::string_view name) {
    Json object = Json::object();
    object[std::string(name)] = Json::object();
    return object;
}

Json caseObject(std::string_view name, Json payload) {
    Json inner = Json::object();
    inner["_0"] = std::move(payload);
    Json object = Json::object();
    object[std::string(name)] = std::move(inner);
    return object;
}

} // namespace tessaril::coding

namespace tessaril {

bool JSONCoding<bool>::decode(const Json& value) {
    if (!value.is_boolean()) throw DecodingError::typeMismatch("Bool", coding::describeJSONType(value));
    return value.get<bool>();
}

std::int64_t JSONCoding<std::int64_t>::decode(const Json& value) {
    if (value.is_number_integer() && !value.is_number_unsigned()) return value.get<std::int64_t>();
    if (value.is_number_unsigned()) {
        auto unsignedValue = value.get<std::uint64_t>();
        if (unsignedValue <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return static_cast<std::int64_t>(unsignedValue);
        }
        throw DecodingError::dataCorrupted("Number " + value.dump() + " does not fit in Int.");
    }
    if (value.is_number_float()) {
        throw DecodingError::dataCorrupted("Number " + value.dump() + " is not an integer.");
    }
    throw DecodingError::typeMismatch("Int", coding::describeJSONType(value));
}

double JSONCoding<double>::decode(const Json& value) {
    if (!value.is_number()) throw DecodingError::typeMismatch("Double", coding::describeJSONType(value));
    return value.get<double>();
}

std::string JSONCoding<std::string>::decode(const Json& value) {
    if (!value.is_string()) throw DecodingError::typeMismatch("String", coding::describeJSONType(value));
    return value.get<std::string>();
}

} // namespace tessaril
