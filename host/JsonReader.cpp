#include "JsonReader.h"

#include <vector>

namespace {

using ObjectMembers = Json::object_t::Container;

// Builds the value from the parser's events, one open array or object per frame.
class JsonBuilder : public nlohmann::json_sax<Json> {
public:
  explicit JsonBuilder(std::string& error) : FError(error) {}

  bool null() override { return Add(Json(nullptr)); }
  bool boolean(bool v) override { return Add(Json(v)); }
  bool number_integer(number_integer_t v) override { return Add(Json(v)); }
  bool number_unsigned(number_unsigned_t v) override { return Add(Json(v)); }
  bool number_float(number_float_t v, const string_t&) override { return Add(Json(v)); }
  bool string(string_t& v) override { return Add(Json(std::move(v))); }
  bool binary(binary_t& v) override { return Add(Json::binary(std::move(v))); }
  bool start_object(std::size_t) override { return Open(true); }
  bool key(string_t& name) override {
    FStack.back().Key = std::move(name);
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(false); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
    FError = e.what();
    return false;
  }

  Json& Result() { return FResult; }

private:
  struct Frame {
    bool IsObject;
    JsonObjectBuilder Object;
    Json Array = Json::array();
    std::string Key;
  };

  bool Open(bool isObject) {
    if (FStack.size() >= kMaxJsonDepth) {
      FError = "nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels";
      return false;
    }
    FStack.push_back(Frame{isObject, {}, Json::array(), {}});
    return true;
  }
  bool Close() {
    Frame& f = FStack.back();
    Json value = f.IsObject ? f.Object.Take() : std::move(f.Array);
    FStack.pop_back();
    return Add(std::move(value));
  }
  bool Add(Json value) {
    if (FStack.empty()) {
      FResult = std::move(value);
    } else if (Frame& f = FStack.back(); f.IsObject) {
      f.Object.Set(std::move(f.Key), std::move(value));
      f.Key.clear();
    } else {
      f.Array.push_back(std::move(value));
    }
    return true;
  }

  std::string& FError;
  std::vector<Frame> FStack;
  Json FResult;
};

}  // namespace

bool ParseJson(std::string_view text, Json& value, std::string& error) {
  JsonBuilder builder(error);
  if (!Json::sax_parse(text, &builder)) {
    if (error.empty()) error = "not a JSON value";
    return false;
  }
  value = std::move(builder.Result());
  return true;
}

void JsonObjectBuilder::Set(std::string name, Json value) {
  ObjectMembers& members = FObject.get_ref<Json::object_t&>();
  auto [at, added] = FIndex.try_emplace(name, members.size());
  if (added)
    members.emplace_back(std::move(name), std::move(value));
  else
    members[at->second].second = std::move(value);
}

void JsonObjectBuilder::Reserve(std::size_t count) {
  FObject.get_ref<Json::object_t&>().reserve(count);
  FIndex.reserve(count);
}

Json JsonObjectBuilder::Take() {
  Json object = std::move(FObject);
  FObject = Json::object();
  FIndex.clear();
  return object;
}
