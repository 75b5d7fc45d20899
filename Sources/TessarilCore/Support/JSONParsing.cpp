#include "TessarilCore/Support/JSONParsing.hpp"

namespace tessaril::coding {
namespace {

// The parser's event handler: counts values, and answers false, which ends the parse, at the one
// past the limit.
class ValueCounter {
public:
    explicit ValueCounter(std::size_t limit) : limit_(limit) {}
    bool exceeded() const { return count_ > limit_; }

    bool null() { return counted(); }
    bool boolean(bool) { return counted(); }
    bool number_integer(Json::number_integer_t) { return counted(); }
    bool number_unsigned(Json::number_unsigned_t) { return counted(); }
    bool number_float(Json::number_float_t, const Json::string_t&) { return counted(); }
    bool string(Json::string_t&) { return counted(); }
    bool binary(Json::binary_t&) { return counted(); }
    bool start_object(std::size_t) { return counted(); }
    bool start_array(std::size_t) { return counted(); }
    bool key(Json::string_t&) { return true; }
    bool end_object() { return true; }
    bool end_array() { return true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

private:
    bool counted() { return ++count_ <= limit_; }

    std::size_t limit_;
    std::size_t count_ = 0;
};

} // namespace

std::optional<Json> parsedJSON(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
    Json parsed = Json::parse(bytes.data(), bytes.data() + bytes.size(), nullptr, false);
    if (parsed.is_discarded()) return std::nullopt;
    return parsed;
}

bool holdsMoreJSONValuesThan(std::string_view bytes, std::size_t count) {
    ValueCounter counter(count);
    Json::sax_parse(bytes.data(), bytes.data() + bytes.size(), &counter);
    return counter.exceeded();
}

} // namespace tessaril::coding
