// Reads a model document into a Model, event by event, refusing what the format does not allow.
#include "brenlo/model_parser.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

#include "brenlo/document_walker.h"
#include "brenlo/tracking_iterator.h"
#include "brenlo/tree_walker.h"
#include "text/windows1252.h"

namespace tavik::brenlo {
namespace {

// Far deeper than any model needs (seven levels), shallow enough to stop a runaway file.
constexpr std::size_t kMaxDepth = 64;
// A syntax error's explanation quotes what was read; a runaway token must not flood it.
constexpr std::size_t kMaxExplanation = 300;

constexpr std::array<std::string_view, 3> kRootMembers = {"tavik_model", "entities",
                                                          "relationships"};
constexpr std::array<std::string_view, 2> kItemMembers = {"properties", "attributes"};

constexpr std::string_view kNotAnObject =
    "the model must be a JSON object holding \"tavik_model\": 1";
constexpr std::string_view kWholeNumbers = "use a string or a whole number";

template <std::size_t N>
int MemberIndex(const std::array<std::string_view, N>& names, std::string_view name) {
  const auto found = std::find(names.begin(), names.end(), name);
  return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

bool FitsInt32(std::int64_t number) {
  return number >= std::numeric_limits<std::int32_t>::min() &&
         number <= std::numeric_limits<std::int32_t>::max();
}

std::string OutOfRange(std::string_view literal) {
  return fmt::format("{} is outside the whole-number range -2147483648 to 2147483647", literal);
}

// The reader's own words, without its "[json.exception...] parse error at ...: " lead,
// since the position is given in characters by the caller.
std::string Explanation(std::string_view what) {
  const std::size_t lead = what.find("parse error");
  const std::size_t colon = what.find(": ", lead == std::string_view::npos ? 0 : lead);
  if (colon != std::string_view::npos) what.remove_prefix(colon + 2);
  if (what.size() <= kMaxExplanation) return std::string(what);
  std::size_t cut = kMaxExplanation;
  while (cut > 0 && (static_cast<unsigned char>(what[cut]) & 0xC0) == 0x80) --cut;
  return std::string(what.substr(0, cut)) + "...";
}

struct LineColumn {
  std::size_t line = 1;
  std::size_t column = 1;
};

// The column counts characters, not bytes, as an editor shows it.
LineColumn LineAndColumn(std::string_view text, std::size_t offset) {
  const std::string_view before = text.substr(0, std::min(offset, text.size()));
  LineColumn at;
  at.line += static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
  const std::size_t newline = before.rfind('\n');
  const std::string_view line = before.substr(newline == std::string_view::npos ? 0 : newline + 1);
  at.column += static_cast<std::size_t>(std::count_if(line.begin(), line.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
  return at;
}

}  // namespace

ModelParser::ModelParser(std::string_view text, std::string_view source_name)
    : text_(text), source_name_(source_name), model_(std::make_unique<Model>()) {
  levels_.push_back({Frame::kDocument});
}

// Loading the module that reads with simdjson costs more than the reference reader takes
// for a text below this size (a model of about twenty entities).
constexpr std::size_t kQuickReadingFrom = 64 * 1024;

ModelParser::Outcome ModelParser::Parse(std::string_view text, std::string_view source_name,
                                        std::size_t readable) {
  return text.size() >= kQuickReadingFrom ? ParseWithQuickReader(text, source_name, readable)
                                          : ParseWithReferenceReader(text, source_name);
}

// The quick reading serves a model it accepts; anything it refuses is read again by the
// reference reader, which alone knows lines and columns.
ModelParser::Outcome ModelParser::ParseWithQuickReader(std::string_view text,
                                                       std::string_view source_name,
                                                       [[maybe_unused]] std::size_t readable) {
#ifdef TAVIK_HAVE_SIMDJSON
  ModelParser quick(text, source_name);
  if (DocumentWalker::Walk(text, readable, quick)) {
    Outcome outcome = quick.Finish();
    if (outcome.model) return outcome;
  }
#endif
  return ParseWithReferenceReader(text, source_name);
}

ModelParser::Outcome ModelParser::ParseDocument(const nlohmann::ordered_json& document,
                                                std::string_view source_name) {
  return ParseWalked(
      [&document](ModelParser& events) { return TreeWalker::Walk(document, events); }, source_name);
}

ModelParser::Outcome ModelParser::ParseWalked(const std::function<bool(ModelParser&)>& walk,
                                              std::string_view source_name) {
  ModelParser walked({}, source_name);
  if (!walk(walked)) return {nullptr, {}};
  Outcome outcome = walked.Finish();
  if (!outcome.model) outcome.error.clear();
  return outcome;
}

ModelParser::Outcome ModelParser::ParseWithReferenceReader(std::string_view text,
                                                           std::string_view source_name) {
  ModelParser parser(text, source_name);
  const char* begin = text.data();
  const bool complete =
      nlohmann::json::sax_parse(TrackingIterator(begin, &parser.last_read_),
                                TrackingIterator(begin + text.size(), &parser.last_read_), &parser);
  if (!complete && parser.stop_error_.empty()) parser.stop_error_ = "the model could not be read";
  return parser.Finish();
}

// The order of precedence: a file that is not JSON, then one of another format version,
// then the first value refused.
ModelParser::Outcome ModelParser::Finish() {
  if (!stop_error_.empty()) return {nullptr, stop_error_};
  if (!version_seen_) {
    return {nullptr, Prefixed("the key \"tavik_model\" is missing; a model file declares "
                              "\"tavik_model\": 1")};
  }
  if (!version_problem_.empty())
    return {nullptr, Located(version_offset_, false, version_problem_)};
  if (first_fault_) {
    const std::string place = first_fault_->place.Describe(*model_);
    const std::string& problem = first_fault_->problem;
    return {nullptr, Located(first_fault_->offset, false,
                             place.empty() ? problem : fmt::format("{}: {}", place, problem))};
  }
  return CheckWhole();
}

ModelParser::Outcome ModelParser::CheckWhole() {
  if (!ModelChecker::Checking()) return {std::move(model_), {}};
  std::optional<ModelChecker::Finding> fault = ModelChecker::FirstFault(*model_);
  std::vector<ModelChecker::Finding> cycles = ModelChecker::Cycles(*model_);
  const bool placed = last_read_ != nullptr;
  // The quick reading keeps no places: the reference reader reads the model again for them.
  if (!placed && (fault || !cycles.empty())) return {nullptr, {}};
  if (fault) {
    return {nullptr,
            Located(ItemOffset(*fault), false,
                    fmt::format("{}: {}", fault->place.Describe(*model_), fault->problem))};
  }
  Outcome outcome{nullptr, {}, {}};
  for (const ModelChecker::Finding& cycle : cycles) {
    outcome.warnings.push_back(
        Located(ItemOffset(cycle), false,
                fmt::format("{}: {}", cycle.place.Describe(*model_), cycle.problem)));
  }
  outcome.model = std::move(model_);
  return outcome;
}

std::size_t ModelParser::ItemOffset(const ModelChecker::Finding& finding) const {
  if (finding.attribute_list && *finding.attribute_list < attribute_offsets_.size()) {
    return attribute_offsets_[*finding.attribute_list];
  }
  const std::vector<std::size_t>& offsets =
      finding.relationship ? relationship_offsets_ : entity_offsets_;
  return finding.item < offsets.size() ? offsets[finding.item] : 0;
}

bool ModelParser::number_unsigned(std::uint64_t value) {
  if (value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
    return OnScalar({Scalar::Kind::kWhole, static_cast<std::int64_t>(value)});
  }
  const std::string literal = fmt::format("{}", value);
  return OnScalar({Scalar::Kind::kHuge, 0, literal});
}

// The reader hands over a whole number too large even for 64 bits as a float; its
// literal tells the two apart.
bool ModelParser::number_float(double /*value*/, const std::string& literal) {
  return OnNumberLiteral(literal);
}

bool ModelParser::OnNumberLiteral(std::string_view literal) {
  const bool whole = literal.find_first_of(".eE") == std::string_view::npos;
  return OnScalar({whole ? Scalar::Kind::kHuge : Scalar::Kind::kFraction, 0, literal});
}

bool ModelParser::string(std::string& value) {
  return OnString(value);
}

bool ModelParser::start_object(std::size_t /*elements*/) {
  return OnOpen(true);
}

bool ModelParser::start_array(std::size_t /*elements*/) {
  return OnOpen(false);
}

bool ModelParser::end_object() {
  return OnClose();
}

bool ModelParser::end_array() {
  return OnClose();
}

// The names of groups and properties are kept by their number in the model's names; only
// the members of the document and of its items keep the text, to be told apart.
bool ModelParser::key(std::string& name) {
  return OnKey(name);
}

bool ModelParser::OnKey(std::string_view name) {
  Level& top = levels_.back();
  ++top.count;
  top.key_usable = true;
  switch (top.frame) {
    case Frame::kRoot:
      top.member = MemberIndex(kRootMembers, name);
      NoteMember(top, name);
      break;
    case Frame::kEntity:
    case Frame::kRelationship:
      top.member = MemberIndex(kItemMembers, name);
      NoteMember(top, name);
      break;
    case Frame::kAttribute:
      CheckName(top, name, group_names_seen_, "the group appears twice in this attribute");
      break;
    case Frame::kGroupObject:
    case Frame::kProperties:
      PropertyKey(top, name);
      break;
    default:
      break;
  }
  return true;
}

// A property, as nearly every member is, is named and added at once; any other member goes
// the way of its two events.
bool ModelParser::OnMember(std::string_view name, const Scalar& value) {
  Level& top = levels_.back();
  if (top.frame != Frame::kProperties && top.frame != Frame::kGroupObject) {
    return OnKey(name) && OnScalar(value);
  }
  ++top.count;
  top.key_usable = true;
  // The name guessed and new to its object is the common case, checked here in line.
  const NameTable::Follower* guessed = model_->names().Guess(last_name_, name);
  if (guessed != nullptr && property_names_seen_.Add(guessed->number)) {
    top.name = guessed->number;
    last_name_ = guessed->number;
    AddProperty(top, *guessed->name, value);
    return true;
  }
  PropertyKey(top, name);
  if (top.key_usable) AddProperty(top, model_->names().Name(top.name), value);
  return true;
}

void ModelParser::PropertyKey(Level& level, std::string_view name) {
  CheckName(level, name, property_names_seen_,
            level.frame == Frame::kGroupObject
                ? "the name appears twice in this group; a group that repeats names must be an "
                  "array of [name, value] pairs"
                : "the name appears twice");
}

bool ModelParser::parse_error(std::size_t position, const std::string& /*last_token*/,
                              const std::exception& error) {
  // position counts the characters read, the faulty one included.
  return Stop(Located(position > 0 ? position - 1 : 0, true, Explanation(error.what())));
}

bool ModelParser::OnScalar(const Scalar& value) {
  CountElement();
  Level& top = levels_.back();
  switch (top.frame) {
    case Frame::kDocument:
      return Stop(Located(Offset(), true, kNotAnObject));
    case Frame::kRoot:
      RootScalar(top, value);
      break;
    case Frame::kEntity:
    case Frame::kRelationship:
      ItemScalar(top, value);
      break;
    case Frame::kProperties:
    case Frame::kGroupObject:
      if (top.key_usable) AddProperty(top, model_->names().Name(top.name), value);
      break;
    case Frame::kPair:
      PairScalar(top, value);
      break;
    case Frame::kLinkAttributes:
      LinkAttribute(top, value);
      break;
    case Frame::kEntities:
    case Frame::kAttributes:
    case Frame::kRelationships:
    case Frame::kGroupArray:
    case Frame::kAttribute:
      if (top.key_usable) Note(ShapeProblem(top.frame));
      break;
    case Frame::kSkip:
      break;
  }
  return true;
}

bool ModelParser::OnOpen(bool is_object) {
  if (levels_.size() > kMaxDepth) {
    return Stop(
        Located(Offset(), true, fmt::format("the values nest deeper than {} levels", kMaxDepth)));
  }
  CountElement();
  Level& top = levels_.back();
  if (top.frame == Frame::kDocument && !is_object) {
    return Stop(Located(Offset(), true, kNotAnObject));
  }
  const Level child = OpenChild(top, is_object);
  levels_.push_back(child);
  return true;
}

bool ModelParser::OnClose() {
  const bool short_pair = levels_.back().frame == Frame::kPair && levels_.back().count < 2;
  levels_.pop_back();
  if (short_pair) Note("a pair must hold a name and a value");
  return true;
}

ModelParser::Level ModelParser::OpenChild(Level& parent, bool is_object) {
  switch (parent.frame) {
    case Frame::kDocument:
      return {Frame::kRoot};
    case Frame::kRoot:
      return OpenRootMember(parent, is_object);
    case Frame::kEntity:
    case Frame::kRelationship:
      return OpenItemMember(parent, is_object);
    case Frame::kAttribute:
      return OpenGroup(parent, is_object);
    case Frame::kPair:
      return OpenInPair(parent, is_object);
    case Frame::kProperties:
    case Frame::kGroupObject:
      if (!parent.key_usable) return {Frame::kSkip};
      return Refuse(ContainerValueProblem(is_object));
    case Frame::kEntities:
    case Frame::kAttributes:
    case Frame::kRelationships:
    case Frame::kGroupArray:
      // Each of these holds objects only, except a group's array, which holds arrays.
      if (is_object == (parent.frame == Frame::kGroupArray)) {
        return Refuse(ShapeProblem(parent.frame));
      }
      return OpenElement(parent);
    case Frame::kLinkAttributes:
      return Refuse(ShapeProblem(parent.frame));
    case Frame::kSkip:
      break;
  }
  return {Frame::kSkip};
}

ModelParser::Level ModelParser::OpenRootMember(Level& root, bool is_object) {
  if (!root.key_usable) return {Frame::kSkip};
  switch (root.member) {
    case 0:
      ReadVersion({});
      return {Frame::kSkip};
    case 1:
      if (is_object) return Refuse("\"entities\" must be an array");
      return {Frame::kEntities};
    case 2:
      if (is_object) return Refuse("\"relationships\" must be an array");
      return {Frame::kRelationships};
    default:
      return {Frame::kSkip};  // room for later extensions of the format
  }
}

ModelParser::Level ModelParser::OpenItemMember(Level& item, bool is_object) {
  if (!item.key_usable) return {Frame::kSkip};
  const bool entity = item.frame == Frame::kEntity;
  switch (item.member) {
    case 0:
      if (!is_object) return Refuse("\"properties\" must be an object");
      return OpenProperties(entity ? model_->entities()[item.index].properties
                                   : model_->relationships()[item.index].properties);
    case 1:
      if (is_object) return Refuse(ItemAttributesProblem(entity));
      return {entity ? Frame::kAttributes : Frame::kLinkAttributes, item.index};
    default:
      return {Frame::kSkip};
  }
}

ModelParser::Level ModelParser::OpenElement(const Level& parent) {
  switch (parent.frame) {
    case Frame::kEntities:
      if (last_read_ != nullptr) entity_offsets_.push_back(Offset());
      return {Frame::kEntity, model_->AddEntity()};
    case Frame::kRelationships:
      if (last_read_ != nullptr) relationship_offsets_.push_back(Offset());
      return {Frame::kRelationship, model_->AddRelationship()};
    case Frame::kAttributes: {
      group_names_seen_.Clear();
      const std::uint32_t list = model_->AddAttribute(parent.index);
      if (last_read_ != nullptr) {
        attribute_offsets_.resize(std::max<std::size_t>(attribute_offsets_.size(), list + 1));
        attribute_offsets_[list] = Offset();
      }
      return {Frame::kAttribute, list};
    }
    default: {
      Level pair{Frame::kPair, parent.index, parent.group};
      pair.watched = parent.watched;
      return pair;
    }
  }
}

ModelParser::Level ModelParser::OpenProperties(std::uint32_t list) {
  property_names_seen_.Clear();
  const std::string& no_group = model_->names().Name(model_->names().Intern({}));
  return {Frame::kProperties, list, &no_group};
}

ModelParser::Level ModelParser::OpenGroup(Level& attribute, bool is_object) {
  if (!attribute.key_usable) return {Frame::kSkip};
  property_names_seen_.Clear();
  const std::string& name = model_->names().Name(attribute.name);
  Level group{is_object ? Frame::kGroupObject : Frame::kGroupArray, attribute.index, &name};
  group.watched = CheckRole(attribute.name);
  return group;
}

ModelParser::Level ModelParser::OpenInPair(Level& pair, bool is_object) {
  if (pair.count == 1) {
    pair.key_usable = false;
    return Refuse("the name of a pair must be a string");
  }
  if (pair.count == 2 && pair.key_usable) return Refuse(ContainerValueProblem(is_object));
  if (pair.count == 3) return Refuse("a pair holds a name and a value, nothing more");
  return {Frame::kSkip};
}

ModelParser::Level ModelParser::Refuse(std::string problem) {
  Note(std::move(problem));
  return {Frame::kSkip};
}

void ModelParser::RootScalar(Level& root, const Scalar& value) {
  if (!root.key_usable) return;
  switch (root.member) {
    case 0:
      ReadVersion(value);
      break;
    case 1:
      Note("\"entities\" must be an array");
      break;
    case 2:
      Note("\"relationships\" must be an array");
      break;
    default:
      break;
  }
}

void ModelParser::ItemScalar(Level& item, const Scalar& /*value*/) {
  if (!item.key_usable) return;
  switch (item.member) {
    case 0:
      Note("\"properties\" must be an object");
      break;
    case 1:
      Note(ItemAttributesProblem(item.frame == Frame::kEntity));
      break;
    default:
      break;
  }
}

void ModelParser::PairScalar(Level& pair, const Scalar& value) {
  if (pair.count == 1) {
    pair.key_usable = false;
    if (value.kind != Scalar::Kind::kString) return Note("the name of a pair must be a string");
    std::string key(value.text);
    std::string fault;
    if (!ConvertName(key, fault)) return Note("the name cannot be used: " + fault);
    pair.name = model_->names().Intern(key);
    pair.key_usable = true;
  } else if (pair.count == 2) {
    if (pair.key_usable) AddProperty(pair, model_->names().Name(pair.name), value);
  } else if (pair.count == 3) {
    Note("a pair holds a name and a value, nothing more");
  }
}

void ModelParser::LinkAttribute(Level& list, const Scalar& value) {
  if (value.kind == Scalar::Kind::kHuge ||
      (value.kind == Scalar::Kind::kWhole && !FitsInt32(value.number))) {
    const std::string literal = value.kind == Scalar::Kind::kHuge ? std::string(value.text)
                                                                  : fmt::format("{}", value.number);
    return Note("the attribute ID " + OutOfRange(literal));
  }
  if (value.kind != Scalar::Kind::kWhole) return Note("an attribute ID must be a whole number");
  // Attribute identifiers are 16-bit; the caller reads only the low half.
  model_->AddLinkAttribute(list.index, static_cast<std::uint16_t>(value.number & 0xFFFF));
}

std::string ModelParser::SqlNameFault(std::string_view name) {
  if (SqlNameFits(name)) return {};
  return "a name holding \"]\" cannot be written in the form's SQL, where such names stand in "
         "brackets";
}

// Plain text, as nearly every model's is, is kept as it stands; other text is checked and
// converted apart.
void ModelParser::AddProperty(const Level& level, const std::string& name, const Scalar& value) {
  PropertyList& list = model_->property_list(static_cast<std::uint32_t>(level.index));
  PropertyArena& properties = model_->properties();
  if (level.watched != ModelChecker::Role::kNone &&
      ModelChecker::Doubtful(level.watched, value.kind == Scalar::Kind::kString, value.number,
                             value.text.size(), [&] { return CheckRole(level.name); })) {
    list.MarkDoubtful();
  }
  switch (value.kind) {
    case Scalar::Kind::kString:
      if (!text::IsPlainFormText(value.text) ||
          (std::string_view(name) == "PHYSICAL_NAME" && !SqlNameFits(value.text))) {
        return AddOtherString(list, *level.group, name, value.text);
      }
      return properties.AddString(list, *level.group, name, model_->texts().Keep(value.text));
    case Scalar::Kind::kWhole:
      if (!FitsInt32(value.number)) return Note(OutOfRange(fmt::format("{}", value.number)));
      return properties.AddNumber(list, *level.group, name,
                                  static_cast<std::int32_t>(value.number));
    case Scalar::Kind::kBoolean:
      return properties.AddNumber(list, *level.group, name,
                                  static_cast<std::int32_t>(value.number));
    case Scalar::Kind::kFraction:
      return Note(fmt::format("a float is not allowed; {}", kWholeNumbers));
    case Scalar::Kind::kHuge:
      return Note(OutOfRange(value.text));
    case Scalar::Kind::kNull:
      return Note(fmt::format("null is not allowed; {}", kWholeNumbers));
  }
}

ModelChecker::Role ModelParser::NewCheckRole(std::uint32_t name) {
  while (check_roles_.size() <= name) {
    const auto next = static_cast<std::uint32_t>(check_roles_.size());
    check_roles_.push_back(ModelChecker::RoleOf(model_->names().Name(next)));
  }
  return check_roles_[name];
}

void ModelParser::AddOtherString(PropertyList& list, const std::string& group,
                                 const std::string& name, std::string_view text) {
  const bool plain = text::IsPlainFormText(text);
  std::string fault = plain ? std::string() : text::FormTextFault(text);
  if (fault.empty() && std::string_view(name) == "PHYSICAL_NAME") fault = SqlNameFault(text);
  if (!fault.empty()) return Note(std::move(fault));
  TextStore& texts = model_->texts();
  PropertyArena& properties = model_->properties();
  if (!plain) {
    return properties.AddString(list, group, name, texts.Keep(*text::Utf8ToWindows1252(text)));
  }
  properties.AddString(list, group, name, texts.Keep(text));
}

void ModelParser::ReadVersion(const Scalar& value) {
  version_seen_ = true;
  if (value.kind == Scalar::Kind::kWhole && value.number == 1) return;
  if (!version_problem_.empty()) return;
  version_offset_ = Offset();
  version_problem_ =
      value.kind == Scalar::Kind::kWhole
          ? fmt::format("\"tavik_model\" is {}, but 1 is the only format version known",
                        value.number)
          : std::string("\"tavik_model\" must be the whole number 1");
}

// A known member may stand once; others are passed over, leaving room for extensions.
void ModelParser::NoteMember(Level& level, std::string_view key) {
  if (level.member < 0) return;
  const auto bit = static_cast<std::uint8_t>(1u << level.member);
  if ((level.seen & bit) != 0) {
    Note(fmt::format("\"{}\" appears twice", key));
    level.key_usable = false;
  }
  level.seen |= bit;
}

// Names are served as they stand, so they must be form text; the key is converted. The
// name guessed from the one before is the common case; a new one is numbered apart.
void ModelParser::CheckName(Level& level, std::string_view key, NameSightings& names_seen,
                            std::string_view duplicate_problem) {
  const NameTable::Follower* guessed = model_->names().Guess(last_name_, key);
  std::optional<std::uint32_t> known =
      guessed != nullptr ? std::optional(guessed->number) : NumberNewName(level, key);
  if (!known) return;
  level.name = *known;
  last_name_ = level.name;
  if (!names_seen.Add(level.name)) {
    Note(std::string(duplicate_problem));
    level.key_usable = false;
  }
}

std::optional<std::uint32_t> ModelParser::NumberNewName(Level& level, std::string_view key) {
  std::string converted(key);
  std::string fault;
  if (!ConvertName(converted, fault)) {
    level.key_usable = false;  // named by position, since the name cannot be shown
    Note("the name cannot be used: " + fault);
    return std::nullopt;
  }
  NameTable& names = model_->names();
  const std::uint32_t known = names.Intern(converted);
  names.Remember(last_name_, known);
  return known;
}

bool ModelParser::ConvertName(std::string& key, std::string& fault) const {
  if (text::IsPlainFormText(key)) return true;
  fault = text::FormTextFault(key);
  if (!fault.empty()) return false;
  key = *text::Utf8ToWindows1252(key);
  return true;
}

void ModelParser::Note(std::string problem) {
  if (first_fault_) return;
  first_fault_ = Fault{Offset(), CurrentPlace(), std::move(problem)};
}

bool ModelParser::Stop(std::string message) {
  if (stop_error_.empty()) stop_error_ = std::move(message);
  return false;
}

FaultPlace ModelParser::CurrentPlace() const {
  FaultPlace place;
  for (const Level& level : levels_) {
    switch (level.frame) {
      case Frame::kEntities:
        place.SetEntity(level.count);
        break;
      case Frame::kRelationships:
        place.SetRelationship(level.count);
        break;
      case Frame::kEntity:
      case Frame::kRelationship:
        place.SetItemIndex(level.index);
        break;
      case Frame::kAttributes:
      case Frame::kLinkAttributes:
        place.SetAttribute(level.count);
        break;
      case Frame::kAttribute:
        place.SetAttributeList(static_cast<std::uint32_t>(level.index));
        place.AddPart(NamePart("group", level));
        break;
      case Frame::kGroupArray:
        place.AddPart(fmt::format("pair {}", level.count));
        break;
      case Frame::kProperties:
      case Frame::kGroupObject:
        place.AddPart(NamePart("property", level));
        break;
      default:
        break;
    }
  }
  return place;
}

// "property CD_TYP", or "property #3" when the name itself was refused.
std::string ModelParser::NamePart(std::string_view what, const Level& level) const {
  if (level.count == 0) return {};
  if (!level.key_usable) return fmt::format("{} #{}", what, level.count);
  return fmt::format("{} {}", what, text::Windows1252ToUtf8(model_->names().Name(level.name)));
}

std::string ModelParser::ShapeProblem(Frame frame) {
  switch (frame) {
    case Frame::kEntities:
      return "an entity must be an object with \"properties\" and \"attributes\"";
    case Frame::kRelationships:
      return "a relationship must be an object with \"properties\" and \"attributes\"";
    case Frame::kAttributes:
      return "an attribute must be an object of property groups";
    case Frame::kAttribute:
      return "a group must be an object or an array of [name, value] pairs";
    case Frame::kGroupArray:
      return "a group in array form holds [name, value] pairs only";
    case Frame::kLinkAttributes:
      return "an attribute ID must be a whole number";
    default:
      return "this value is not allowed here";
  }
}

std::string ModelParser::ContainerValueProblem(bool is_object) {
  return fmt::format("{} is not allowed as a value; {}", is_object ? "an object" : "an array",
                     kWholeNumbers);
}

std::string ModelParser::ItemAttributesProblem(bool entity) {
  return entity ? "\"attributes\" must be an array of attribute objects"
                : "\"attributes\" must be an array of attribute IDs";
}

std::size_t ModelParser::Offset() const {
  return last_read_ == nullptr ? 0 : static_cast<std::size_t>(last_read_ - text_.data());
}

std::string ModelParser::Located(std::size_t offset, bool with_column,
                                 std::string_view problem) const {
  const LineColumn at = LineAndColumn(text_, offset);
  if (with_column)
    return Prefixed(fmt::format("line {}, column {}: {}", at.line, at.column, problem));
  return Prefixed(fmt::format("line {}: {}", at.line, problem));
}

std::string ModelParser::Prefixed(std::string_view message) const {
  if (source_name_.empty()) return std::string(message);
  return fmt::format("{}: {}", source_name_, message);
}

}  // namespace tavik::brenlo
