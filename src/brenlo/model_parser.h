// Reads a model document into a Model, event by event, refusing what the format does not allow.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "brenlo/fault_place.h"
#include "brenlo/model.h"
#include "brenlo/model_checker.h"
#include "brenlo/name_table.h"

namespace tavik::brenlo {

// The document is read as a stream of events rather than into a tree: the model is built
// as values arrive, member order is kept for free, and depth costs no stack. After a
// refused value reading goes on, so that a syntax error or a wrong format version later
// in the file is still the one reported; of the refused values the first is reported.
class ModelParser {
 public:
  struct Outcome {
    std::unique_ptr<Model> model;            // null when refused
    std::string error;                       // what and where, prefixed with the source name
    std::vector<std::string> warnings = {};  // what the model allows but a reader should know
  };

  // source_name names the text in messages (a path); it may be empty. readable: the bytes
  // that may be read from the text's start, which a text read to be parsed makes
  // kReadingPadding more than its size, so that the quick reader need not copy it.
  static Outcome Parse(std::string_view text, std::string_view source_name,
                       std::size_t readable = 0);
  // A document already in memory, walked as its text would be read: the model its text
  // gives, or no model (and no message) where its text would be refused, so that the caller
  // reads the text for the message.
  static Outcome ParseDocument(const nlohmann::ordered_json& document,
                               std::string_view source_name);
  // A document the caller hands over itself, its values as the events of its text in
  // document order (a database's form, walked from the whole database's document): read as
  // ParseDocument reads a document. The walk returns false when the events stop reading.
  static Outcome ParseWalked(const std::function<bool(ModelParser&)>& walk,
                             std::string_view source_name);
  // The same reading by the reference JSON reader alone, which places every message; Parse
  // gives what this gives, only sooner.
  static Outcome ParseWithReferenceReader(std::string_view text, std::string_view source_name);
  // The same reading by simdjson first, whatever the size of the text (Parse takes it for
  // large texts only); the reference reader where simdjson is not there or refuses.
  static Outcome ParseWithQuickReader(std::string_view text, std::string_view source_name,
                                      std::size_t readable = 0);

  // Why a table or column name cannot stand in the form's SQL, or an empty string when it
  // can: there a name that is not a plain word is written in brackets, which a "]" would end.
  static std::string SqlNameFault(std::string_view name);
  // The same, without making the message: it runs for every physical name of the model.
  static bool SqlNameFits(std::string_view name) {
    return name.find(']') == std::string_view::npos;
  }

  // Events of the JSON reader. Each returns false only to stop reading for good. The texts
  // of the On... events are views, valid for the call only. The scalar events are inline:
  // they run for every value of the model.
  bool OnString(std::string_view value) { return OnScalar({Scalar::Kind::kString, 0, value}); }
  bool OnKey(std::string_view name);
  // A key and its string or whole-number value at once, as the quick reader hands over
  // nearly every member: the same as OnKey and then OnString or number_integer.
  bool OnKeyString(std::string_view name, std::string_view text) {
    return OnMember(name, {Scalar::Kind::kString, 0, text});
  }
  bool OnKeyInteger(std::string_view name, std::int64_t value) {
    return OnMember(name, {Scalar::Kind::kWhole, value});
  }
  // A number the reader gives as a float: its literal tells a fraction from a whole number
  // too large even for 64 bits.
  bool OnNumberLiteral(std::string_view literal);
  bool OnOpen(bool is_object);
  bool OnClose();
  bool null() { return OnScalar({}); }
  bool boolean(bool value) { return OnScalar({Scalar::Kind::kBoolean, value ? 1 : 0}); }
  bool number_integer(std::int64_t value) { return OnScalar({Scalar::Kind::kWhole, value}); }
  bool number_unsigned(std::uint64_t value);
  bool number_float(double value, const std::string& literal);
  bool string(std::string& value);
  template <class Binary>
  bool binary(Binary& /*value*/) {
    return true;  // JSON text has no binary values
  }
  bool start_object(std::size_t elements);
  bool key(std::string& name);
  bool end_object();
  bool start_array(std::size_t elements);
  bool end_array();
  bool parse_error(std::size_t position, const std::string& last_token,
                   const std::exception& error);

 private:
  // What the innermost open container is to the model.
  enum class Frame : std::uint8_t {
    kDocument,  // nothing open yet
    kRoot,
    kEntities,
    kEntity,
    kProperties,  // of an entity or a relationship
    kAttributes,
    kAttribute,
    kGroupObject,
    kGroupArray,
    kPair,
    kRelationships,
    kRelationship,
    kLinkAttributes,
    kSkip,  // not served, or already refused
  };

  struct Level {
    Level(Frame kind, std::size_t filled = 0, const std::string* filled_group = nullptr)
        : frame(kind), index(filled), group(filled_group) {}

    Frame frame;
    std::uint32_t count = 0;             // members or elements seen so far
    std::size_t index = 0;               // the entity, relationship or property list being filled
    const std::string* group = nullptr;  // the name of the group being filled
    int member = -1;         // the known member the root's or an item's current key names
    std::uint32_t name = 0;  // the key's number in the model's names, once it is usable
    bool key_usable = true;  // false when the name was refused, or the pair has none
    std::uint8_t seen = 0;   // the known member names met, one bit each
    // Whether the group being filled holds properties the model's check reads.
    ModelChecker::Role watched = ModelChecker::Role::kNone;
  };

  struct Scalar {
    enum class Kind : std::uint8_t { kString, kWhole, kBoolean, kFraction, kHuge, kNull };
    Scalar(Kind value_kind = Kind::kNull, std::int64_t value_number = 0,
           std::string_view value_text = {})
        : kind(value_kind), number(value_number), text(value_text) {}

    Kind kind;
    std::int64_t number = 0;
    std::string_view text;  // a string's value, or the literal of a number refused
  };

  // The names met in one object: each name carries the serial of the object it was last
  // met in, so starting the next object forgets them all at once.
  struct NameSightings {
    std::vector<std::uint32_t> last_object;  // by name number
    std::uint32_t object = 1;

    void Clear() { ++object; }
    // False when the name was met in this object already. Inline: it runs for every key.
    bool Add(std::uint32_t name) {
      if (name >= last_object.size()) last_object.resize(name + 1, 0);
      if (last_object[name] == object) return false;
      last_object[name] = object;
      return true;
    }
  };

  struct Fault {
    std::size_t offset = 0;
    FaultPlace place;
    std::string problem;
  };

  ModelParser(std::string_view text, std::string_view source_name);

  Outcome Finish();
  // The model's sense as a whole (ModelChecker): refused with the place of its first fault,
  // or served with a warning for each master/detail cycle.
  Outcome CheckWhole();
  std::size_t ItemOffset(const ModelChecker::Finding& finding) const;
  bool OnScalar(const Scalar& value);
  bool OnMember(std::string_view name, const Scalar& value);
  // The key of a property, in an object of properties or a group in object form.
  void PropertyKey(Level& level, std::string_view name);
  // Array levels count their elements here; object levels count members at their names.
  // Inline: it runs for every value.
  void CountElement() {
    Level& top = levels_.back();
    switch (top.frame) {
      case Frame::kEntities:
      case Frame::kAttributes:
      case Frame::kGroupArray:
      case Frame::kPair:
      case Frame::kRelationships:
      case Frame::kLinkAttributes:
        ++top.count;
        break;
      default:
        break;
    }
  }

  Level OpenChild(Level& parent, bool is_object);
  Level OpenRootMember(Level& root, bool is_object);
  Level OpenItemMember(Level& item, bool is_object);
  Level OpenElement(const Level& parent);
  Level OpenProperties(std::uint32_t list);
  Level OpenGroup(Level& attribute, bool is_object);
  Level OpenInPair(Level& pair, bool is_object);
  Level Refuse(std::string problem);

  void RootScalar(Level& root, const Scalar& value);
  void ItemScalar(Level& item, const Scalar& value);
  void PairScalar(Level& pair, const Scalar& value);
  void LinkAttribute(Level& list, const Scalar& value);
  // name: the property's name, the model's shared copy.
  void AddProperty(const Level& level, const std::string& name, const Scalar& value);
  // What a name (by its number) is to the model's check. Inline: it runs for the groups of
  // every attribute.
  ModelChecker::Role CheckRole(std::uint32_t name) {
    return name < check_roles_.size() ? check_roles_[name] : NewCheckRole(name);
  }
  ModelChecker::Role NewCheckRole(std::uint32_t name);
  // A string that is not plain form text, or a physical name SQL cannot take as it stands.
  void AddOtherString(PropertyList& list, const std::string& group, const std::string& name,
                      std::string_view text);
  void ReadVersion(const Scalar& value);
  void NoteMember(Level& level, std::string_view key);
  // Numbers the key of a group or property as the level's name.
  void CheckName(Level& level, std::string_view key, NameSightings& names_seen,
                 std::string_view duplicate_problem);
  // The number of a key that is not the name guessed, or none when it cannot be a name.
  std::optional<std::uint32_t> NumberNewName(Level& level, std::string_view key);
  // The key as form text in Windows-1252, or false when it cannot be one.
  bool ConvertName(std::string& key, std::string& fault) const;

  // Records a refused value (the first one counts) and reading goes on.
  void Note(std::string problem);
  // Ends reading with a message that is already complete.
  bool Stop(std::string message);
  FaultPlace CurrentPlace() const;
  std::string NamePart(std::string_view what, const Level& level) const;
  static std::string ShapeProblem(Frame frame);
  static std::string ContainerValueProblem(bool is_object);
  static std::string ItemAttributesProblem(bool entity);

  std::size_t Offset() const;
  std::string Located(std::size_t offset, bool with_column, std::string_view problem) const;
  std::string Prefixed(std::string_view message) const;

  std::string_view text_;
  std::string_view source_name_;
  const char* last_read_ = nullptr;
  // Where each entity, relationship and attribute (by property list) begins, for messages
  // about the model as a whole; kept by the reference reader only.
  std::vector<std::size_t> entity_offsets_;
  std::vector<std::size_t> relationship_offsets_;
  std::vector<std::size_t> attribute_offsets_;
  std::unique_ptr<Model> model_;
  std::vector<Level> levels_;
  // By name number, what each name met so far is to the model's check.
  std::vector<ModelChecker::Role> check_roles_;
  NameSightings group_names_seen_;     // in the open attribute
  NameSightings property_names_seen_;  // in the open object of properties
  // The number of the last key checked, which guesses the next (NameTable::Guess).
  std::uint32_t last_name_ = NameTable::kNoName;
  bool version_seen_ = false;
  std::string version_problem_;
  std::size_t version_offset_ = 0;
  std::optional<Fault> first_fault_;
  std::string stop_error_;  // a fault that ended reading: syntax, nesting, no object
};

}  // namespace tavik::brenlo
