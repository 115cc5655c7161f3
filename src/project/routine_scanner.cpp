// Scanning Visual Basic code for the names it uses and the routines it defines.
#include "project/routine_scanner.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <deque>
#include <span>

#include "formfile/form_file_reader.h"
#include "text/ascii_case.h"

namespace tavik::project {

namespace {

// Keywords, statements, functions, objects, types and control classes of both versions.
constexpr std::string_view kBuiltIn =
    "ABS ALIAS AND APP AS ASC BEEP BYREF BYVAL CALL CASE CDBL CHECKBOX CHR CHR$ CINT CLNG CVDATE "
    "CLIPBOARD COMBOBOX COMMANDBUTTON CONST CONTROL CONTROLS CSNG CSTR CURRENCY CVAR DATA "
    "DATABASE DATE DATE$ DEBUG DECLARE DIM DO DOEVENTS DOUBLE DYNASET ELSE ELSEIF EMPTY END "
    "EQV ERL ERR ERROR ERROR$ EXIT EXPLICIT FALSE FIELD FIX FOR FORM FORMAT FORMAT$ FORMS FRAME "
    "FUNCTION GLOBAL GOSUB GOTO HSCROLLBAR IF IMAGE IMP INSTR INT INTEGER IS ISDATE ISEMPTY "
    "INPUTBOX ISNULL ISNUMERIC LABEL LBOUND LCASE LCASE$ LEFT LEFT$ LEN LET LIB LIKE LISTBOX LOAD "
    "LONG "
    "LOADPICTURE LOOP LTRIM LTRIM$ MASKEDBOX ME MID MID$ MOD MSGBOX NEXT NOT NOTHING NOW NULL ON "
    "OPENDATABASE OPTION OPTIONBUTTON OR PICTUREBOX PRESERVE PRINTER REDIM REM RESUME RETURN "
    "RIGHT RIGHT$ RTRIM RTRIM$ SCREEN SELECT SET SHELL SINGLE STATIC STEP STR STR$ STRING "
    "STRING$ SUB TEXTBOX THEN TIME TIMER TO TRIM TRIM$ TRUE TYPE TYPEOF UBOUND UCASE UCASE$ "
    "UNLOAD UNTIL VAL VARIANT VSCROLLBAR WEND WHILE XOR "
    // Properties of the form itself, which its code names without "Me.".
    "CAPTION HEIGHT HWND SCALEHEIGHT SCALEWIDTH TOP WIDTH "
    // The custom controls' classes.
    "SPREADSHEET SSPANEL SSCHECK SSOPTION SSFRAME GAUGE";

// What only version 4 and its data access objects have built in.
constexpr std::string_view kBuiltInVersion4 =
    "ATTRIBUTE BOOLEAN CDATE DBBOOLEAN DBBYTE DBCURRENCY DBDATE DBDOUBLE DBEDITADD "
    "DBEDITINPROGRESS "
    "DBEDITNONE DBENGINE DBGRID DBINTEGER DBLONG DBMEMO DBSINGLE DBTEXT OPTIONAL PARAMARRAY "
    "PRIVATE PUBLIC RECORDSET VBCRITICAL VBCRLF VBEXCLAMATION VBNO VBOKONLY VBQUESTION VBYES "
    "VBYESNO WIN32";

std::unordered_set<std::string> Words(std::initializer_list<std::string_view> lists) {
  std::unordered_set<std::string> words;
  for (std::string_view list : lists) {
    for (std::size_t at = 0; at < list.size();) {
      std::size_t end = std::min(list.find(' ', at), list.size());
      words.emplace(list.substr(at, end - at));
      at = end + 1;
    }
  }
  return words;
}

bool IsBuiltIn(const std::string& upper_name, std::uint16_t version) {
  static const std::unordered_set<std::string> kVersion3 = Words({kBuiltIn});
  static const std::unordered_set<std::string> kVersion4 = Words({kBuiltIn, kBuiltInVersion4});
  return (version == 3 ? kVersion3 : kVersion4).contains(upper_name);
}

// The words the scanner steers by, told apart by a number rather than by their letters.
enum class Word : std::uint8_t {
  kOther,
  kByref,
  kByval,
  kCall,
  kConst,
  kDeclare,
  kDim,
  kElse,
  kEnd,
  kFunction,
  kGlobal,
  kGosub,
  kGoto,
  kOptional,
  kParamarray,
  kPrivate,
  kPublic,
  kRedim,
  kRem,
  kResume,
  kShared,
  kStatic,
  kSub,
  kThen,
  kType,
};

Word WordOf(std::string_view upper) {
  static const std::unordered_map<std::string_view, Word> kWords = {
      {"BYREF", Word::kByref},       {"BYVAL", Word::kByval},
      {"CALL", Word::kCall},         {"CONST", Word::kConst},
      {"DECLARE", Word::kDeclare},   {"DIM", Word::kDim},
      {"ELSE", Word::kElse},         {"END", Word::kEnd},
      {"FUNCTION", Word::kFunction}, {"GLOBAL", Word::kGlobal},
      {"GOSUB", Word::kGosub},       {"GOTO", Word::kGoto},
      {"OPTIONAL", Word::kOptional}, {"PARAMARRAY", Word::kParamarray},
      {"PRIVATE", Word::kPrivate},   {"PUBLIC", Word::kPublic},
      {"REDIM", Word::kRedim},       {"REM", Word::kRem},
      {"RESUME", Word::kResume},     {"SHARED", Word::kShared},
      {"STATIC", Word::kStatic},     {"SUB", Word::kSub},
      {"THEN", Word::kThen},         {"TYPE", Word::kType}};
  const auto found = kWords.find(upper);
  return found == kWords.end() ? Word::kOther : found->second;
}

// One spelling of a name: met once, judged once.
struct Spelling {
  std::string upper;  // the name in upper case
  Word word = Word::kOther;
  enum class Verdict : std::uint8_t { kUnjudged, kKnown, kExternal };
  mutable Verdict verdict = Verdict::kUnjudged;  // the code's own or built in, or neither
};

struct Token {
  enum class Kind { kName, kNumber, kString, kSymbol } kind;
  std::string_view text;               // a piece of the code's text
  const Spelling* spelling = nullptr;  // a name's, one per spelling
};

using Tokens = std::span<const Token>;

struct Statement {
  std::size_t first = 0;  // its tokens in the scan's list
  std::size_t count = 0;
  std::size_t line = 0;
  bool label = false;  // "name:" at the start of a line
};

// What a character can be in code, a bit each, looked up by its byte.
enum CharClass : std::uint8_t { kBlank = 1, kLetter = 2, kDigit = 4, kNameChar = 8 };

constexpr std::array<std::uint8_t, 256> kCharClasses = [] {
  std::array<std::uint8_t, 256> classes{};
  for (char c : {' ', '\t', '\r'}) classes[static_cast<unsigned char>(c)] = kBlank;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] = classes[c + 'a' - 'A'] = kLetter | kNameChar;
  for (int c = '0'; c <= '9'; ++c) classes[c] = kDigit | kNameChar;
  classes['_'] = kNameChar;
  return classes;
}();

bool Is(char c, CharClass of) {
  return (kCharClasses[static_cast<unsigned char>(c)] & of) != 0;
}

bool IsName(const Token& token, Word word) {
  return token.kind == Token::Kind::kName && token.spelling->word == word;
}

const std::string& UpperOf(const Token& token) {
  return token.spelling->upper;
}

// The code read once into pieces of its text, split into statements; every check works on
// this one reading. Each spelling of a name is put in upper case once.
class Scan {
 public:
  explicit Scan(const RoutineScanner::Code& code) {
    std::string_view text = code.text;
    // Generated code holds about a token for every four characters and a statement for
    // every twenty: the lists are sized once instead of growing through copies.
    tokens_.reserve(text.size() / 4);
    statements_.reserve(text.size() / 16);
    slots_.resize(kFirstSlots);
    for (std::size_t number = code.first_line; !text.empty(); ++number) {
      std::size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
      AddLine(line, number);
    }
  }

  std::size_t Count() const { return statements_.size(); }
  const Statement& StatementAt(std::size_t i) const { return statements_[i]; }
  Tokens TokensOf(const Statement& statement) const {
    return Tokens(tokens_).subspan(statement.first, statement.count);
  }

 private:
  // Splits one line of code into statements at the colons outside strings, without its
  // comment; the conditional-compilation lines ("#If") are left out.
  void AddLine(std::string_view line, std::size_t number) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i < line.size() && line[i] == '#') return;
    const std::size_t first = statements_.size();
    Open(number);
    while (i < line.size()) {
      const char c = line[i];
      if (Is(c, kBlank)) {
        ++i;
      } else if (Is(c, kLetter)) {
        // The name's hash is made as its letters are read.
        std::uint64_t hash = kHashBasis;
        std::size_t end = i;
        do {
          hash = (hash ^ static_cast<unsigned char>(line[end])) * kHashPrime;
          ++end;
        } while (end < line.size() && Is(line[end], kNameChar));
        if (end < line.size() && (line[end] == '$' || line[end] == '%')) {
          hash = (hash ^ static_cast<unsigned char>(line[end])) * kHashPrime;
          ++end;
        }
        const std::string_view name = line.substr(i, end - i);
        const Spelling* spelling = SpellingOf(name, hash);
        if (statements_.back().count == 0 && spelling->word == Word::kRem) break;
        tokens_.push_back({Token::Kind::kName, name, spelling});
        ++statements_.back().count;
        i = end;
      } else if (c == '\'') {
        break;
      } else if (c == '"') {
        std::size_t end = i + 1;
        while (end < line.size() &&
               !(line[end] == '"' && (end + 1 >= line.size() || line[end + 1] != '"'))) {
          end += line[end] == '"' ? 2 : 1;
        }
        Push(Token::Kind::kString, line.substr(i, end + 1 - i));
        i = end + 1;
      } else if (Is(c, kDigit) ||
                 (c == '&' && i + 1 < line.size() && (line[i + 1] == 'H' || line[i + 1] == 'h'))) {
        std::size_t end = i + 1;
        while (end < line.size() &&
               (Is(line[end], kNameChar) || line[end] == '.' || line[end] == '&')) {
          ++end;
        }
        Push(Token::Kind::kNumber, line.substr(i, end - i));
        i = end;
      } else if (c == ':') {
        Statement& statement = statements_.back();
        statement.label = statements_.size() - 1 == first && statement.count == 1 &&
                          tokens_.back().kind == Token::Kind::kName;
        Open(number);
        ++i;
      } else {
        const std::size_t length = i + 1 < line.size() && (c == '<' || c == '>') &&
                                           (line[i + 1] == '=' || line[i + 1] == '>')
                                       ? 2
                                       : 1;
        Push(Token::Kind::kSymbol, line.substr(i, length));
        i += length;
      }
    }
  }

  void Open(std::size_t line) { statements_.push_back({tokens_.size(), 0, line, false}); }
  void Push(Token::Kind kind, std::string_view text) {
    tokens_.push_back({kind, text, nullptr});
    ++statements_.back().count;
  }

  // The spellings are found by their hash in a table of a power of two slots kept at most
  // half full, the next slot tried after a taken one: a name costs a probe or two.
  struct Slot {
    std::uint64_t hash = 0;
    std::string_view name;
    Spelling* spelling = nullptr;  // none in an empty slot
  };
  static constexpr std::size_t kFirstSlots = 512;
  static constexpr std::uint64_t kHashBasis = 14695981039346656037ULL;
  static constexpr std::uint64_t kHashPrime = 1099511628211ULL;

  const Spelling* SpellingOf(std::string_view name, std::uint64_t hash) {
    for (std::size_t at = SlotOf(hash);; at = (at + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[at];
      if (slot.spelling == nullptr) return Add(slot, name, hash);
      if (slot.hash == hash && slot.name == name) return slot.spelling;
    }
  }
  std::size_t SlotOf(std::uint64_t hash) const {
    return static_cast<std::size_t>(hash ^ (hash >> 32)) & (slots_.size() - 1);
  }
  const Spelling* Add(Slot& slot, std::string_view name, std::uint64_t hash) {
    Spelling& spelling = spellings_.emplace_back();
    spelling.upper = text::AsciiUppered(name);
    spelling.word = WordOf(spelling.upper);
    slot = {hash, name, &spelling};
    if (spellings_.size() * 2 > slots_.size()) Grow();
    return &spelling;
  }
  void Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
      if (slot.spelling == nullptr) continue;
      std::size_t at = SlotOf(slot.hash);
      while (slots_[at].spelling != nullptr) at = (at + 1) & (slots_.size() - 1);
      slots_[at] = slot;
    }
  }

  std::deque<Spelling> spellings_;  // its elements stay put as it grows
  std::vector<Slot> slots_;
  std::vector<Token> tokens_;
  std::vector<Statement> statements_;
};

// The positions of the commas at the top level of tokens[from, to).
int ArgumentCount(Tokens tokens, std::size_t from, std::size_t to) {
  if (from >= to) return 0;
  int count = 1;
  int depth = 0;
  for (std::size_t i = from; i < to; ++i) {
    const std::string_view text = tokens[i].text;
    if (tokens[i].kind != Token::Kind::kSymbol) continue;
    if (text == "(") ++depth;
    if (text == ")") --depth;
    if (text == "," && depth == 0) ++count;
  }
  return count;
}

std::size_t ClosingParenthesis(Tokens tokens, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < tokens.size(); ++i) {
    if (tokens[i].kind != Token::Kind::kSymbol) continue;
    if (tokens[i].text == "(") ++depth;
    if (tokens[i].text == ")" && --depth == 0) return i;
  }
  return tokens.size();
}

// The parameters between the parentheses at open: their names go to names.
RoutineScanner::Routine Parameters(Tokens tokens, std::size_t open, bool is_function,
                                   std::unordered_set<std::string>& names) {
  RoutineScanner::Routine routine{is_function, 0, 0};
  std::size_t close = ClosingParenthesis(tokens, open);
  bool expect_name = true;
  bool optional = false;
  for (std::size_t i = open + 1; i < close; ++i) {
    const Token& token = tokens[i];
    if (token.kind == Token::Kind::kSymbol && token.text == ",") {
      expect_name = true;
      optional = false;
      continue;
    }
    if (!expect_name || token.kind != Token::Kind::kName) continue;
    const Word word = token.spelling->word;
    if (word == Word::kByval || word == Word::kByref) continue;
    if (word == Word::kOptional) {
      optional = true;
      continue;
    }
    if (word == Word::kParamarray) {
      routine.most = -1;
      continue;
    }
    names.insert(UpperOf(token));
    if (routine.most >= 0) ++routine.most;
    if (!optional && routine.most >= 0) ++routine.required;
    expect_name = false;
  }
  return routine;
}

// Variables or constants declared after tokens[from]: "a As T, b(5) As T" or "A = 1, B = 2".
void DeclaredNames(Tokens tokens, std::size_t from, std::unordered_set<std::string>& names) {
  bool expect_name = true;
  int depth = 0;
  for (std::size_t i = from; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (token.kind == Token::Kind::kSymbol) {
      if (token.text == "(") ++depth;
      if (token.text == ")") --depth;
      if (token.text == "," && depth == 0) expect_name = true;
      continue;
    }
    if (expect_name && token.kind == Token::Kind::kName && !IsName(token, Word::kShared)) {
      names.insert(UpperOf(token));
      expect_name = false;
    }
  }
}

void DefineStatement(const Statement& statement, Tokens tokens, bool& in_type,
                     RoutineScanner::Definitions& definitions) {
  if (tokens.empty() || tokens[0].kind != Token::Kind::kName) return;
  if (statement.label) {
    definitions.names.insert(UpperOf(tokens[0]));
    return;
  }
  if (in_type) {
    in_type =
        !(IsName(tokens[0], Word::kEnd) && tokens.size() > 1 && IsName(tokens[1], Word::kType));
    if (in_type) definitions.names.insert(UpperOf(tokens[0]));
    return;
  }
  std::size_t at = 0;
  bool scoped = false;
  while (at < tokens.size() &&
         (IsName(tokens[at], Word::kPublic) || IsName(tokens[at], Word::kPrivate) ||
          IsName(tokens[at], Word::kGlobal) || IsName(tokens[at], Word::kStatic))) {
    ++at;
    scoped = true;
  }
  if (at + 1 < tokens.size() && IsName(tokens[at], Word::kDeclare)) ++at;
  if (at + 1 >= tokens.size()) {
    if (scoped) DeclaredNames(tokens, 1, definitions.names);
    return;
  }
  bool is_function = IsName(tokens[at], Word::kFunction);
  if (is_function || IsName(tokens[at], Word::kSub)) {
    // A routine's name is a name: its spelling has its upper case.
    const std::string name = tokens[at + 1].spelling ? UpperOf(tokens[at + 1]) : std::string();
    auto open = std::find_if(tokens.begin() + static_cast<std::ptrdiff_t>(at), tokens.end(),
                             [](const Token& token) { return token.text == "("; });
    RoutineScanner::Routine routine{is_function, 0, 0};
    if (open != tokens.end()) {
      routine = Parameters(tokens, static_cast<std::size_t>(open - tokens.begin()), is_function,
                           definitions.names);
    }
    definitions.routines[name] = routine;
  } else if (IsName(tokens[at], Word::kType)) {
    definitions.names.insert(tokens[at + 1].spelling ? UpperOf(tokens[at + 1]) : std::string());
    in_type = true;
  } else if (IsName(tokens[at], Word::kConst) || IsName(tokens[at], Word::kDim) ||
             IsName(tokens[at], Word::kRedim)) {
    DeclaredNames(tokens, at + 1, definitions.names);
  } else if (scoped) {
    DeclaredNames(tokens, at, definitions.names);
  }
}

bool IsDefined(const RoutineScanner::Definitions& definitions, const std::string& upper) {
  return definitions.names.contains(upper) || definitions.routines.contains(upper);
}

// The use of the name at tokens[i]: its argument count and whether it stands in an
// expression.
RoutineScanner::Use UseAt(const Statement& statement, Tokens tokens, std::size_t i,
                          std::size_t first) {
  RoutineScanner::Use use{std::string(tokens[i].text), -1, i != first, statement.line};
  bool called = i + 1 < tokens.size() && tokens[i + 1].text == "(";
  if (called) {
    use.arguments = ArgumentCount(tokens, i + 2, ClosingParenthesis(tokens, i + 1));
  } else if (i == first && !(i + 1 < tokens.size() && tokens[i + 1].text == "=")) {
    use.arguments = ArgumentCount(tokens, i + 1, tokens.size());
  }
  return use;
}

RoutineScanner::Definitions DefinedIn(const Scan& scan, const RoutineScanner::Code& code) {
  RoutineScanner::Definitions definitions;
  bool in_type = false;
  for (std::size_t s = 0; s < scan.Count(); ++s) {
    const Statement& statement = scan.StatementAt(s);
    DefineStatement(statement, scan.TokensOf(statement), in_type, definitions);
  }
  for (const std::string& name : code.block_names)
    definitions.names.insert(text::AsciiUppered(name));
  return definitions;
}

std::vector<RoutineScanner::Use> UsesIn(const Scan& scan,
                                        const RoutineScanner::Definitions& definitions,
                                        std::uint16_t version) {
  // Whether a spelling is the code's own or built in is judged once per spelling.
  std::vector<RoutineScanner::Use> uses;
  for (std::size_t s = 0; s < scan.Count(); ++s) {
    const Statement& statement = scan.StatementAt(s);
    const Tokens tokens = scan.TokensOf(statement);
    // A call statement's routine comes first, or after "Call".
    std::size_t first = !tokens.empty() && IsName(tokens[0], Word::kCall) ? 1 : 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      // A one-line If holds a statement of its own after its Then and its Else.
      if (i > 0 && (IsName(tokens[i - 1], Word::kThen) || IsName(tokens[i - 1], Word::kElse))) {
        first = IsName(tokens[i], Word::kCall) ? i + 1 : i;
      }
      if (tokens[i].kind != Token::Kind::kName || statement.label) continue;
      if (i > 0 && (tokens[i - 1].text == "." || tokens[i - 1].text == "!")) continue;
      if (i > 0 && (IsName(tokens[i - 1], Word::kGoto) || IsName(tokens[i - 1], Word::kGosub) ||
                    IsName(tokens[i - 1], Word::kResume))) {
        continue;
      }
      const Spelling& spelling = *tokens[i].spelling;
      if (spelling.verdict == Spelling::Verdict::kUnjudged) {
        spelling.verdict =
            IsBuiltIn(spelling.upper, version) || IsDefined(definitions, spelling.upper)
                ? Spelling::Verdict::kKnown
                : Spelling::Verdict::kExternal;
      }
      if (spelling.verdict == Spelling::Verdict::kKnown) continue;
      uses.push_back(UseAt(statement, tokens, i, first));
    }
  }
  return uses;
}

}  // namespace

RoutineScanner::Code RoutineScanner::FormCode(const formfile::RunningForm& form) {
  Code code{form.Code(), {form.Name()}, static_cast<std::size_t>(form.CodeLine())};
  form.ForEachControl(
      [&](const formfile::RunningControl& control) { code.block_names.push_back(control.name); });
  return code;
}

RoutineScanner::Code RoutineScanner::ModuleCode(std::string_view module_text) {
  formfile::FormFileReader::CodePart part = formfile::FormFileReader::ReadCode(module_text);
  return {std::move(part.code), {}, static_cast<std::size_t>(part.first_line)};
}

RoutineScanner::Definitions RoutineScanner::Defined(const Code& code) {
  return DefinedIn(Scan(code), code);
}

std::vector<RoutineScanner::Use> RoutineScanner::ExternalUses(const Code& code,
                                                              std::uint16_t version) {
  const Scan scan(code);
  return UsesIn(scan, DefinedIn(scan, code), version);
}

std::vector<std::string> RoutineScanner::Check(const Code& code, const Definitions& module,
                                               std::uint16_t version,
                                               const std::unordered_set<std::string>& known_names) {
  std::vector<std::string> faults;
  for (const Use& use : ExternalUses(code, version)) {
    std::string upper = text::AsciiUppered(use.name);
    if (known_names.contains(upper)) continue;
    auto routine = module.routines.find(upper);
    if (routine == module.routines.end()) {
      if (!module.names.contains(upper)) {
        faults.push_back(fmt::format("line {}: {} is not defined", use.line, use.name));
      } else if (use.arguments > 0) {
        faults.push_back(fmt::format("line {}: {} is not a routine", use.line, use.name));
      }
      continue;
    }
    const Routine& found = routine->second;
    int arguments = std::max(use.arguments, 0);
    if (use.as_value && !found.is_function) {
      faults.push_back(fmt::format("line {}: {} is a Sub, used as a value", use.line, use.name));
    } else if (arguments < found.required || (found.most >= 0 && arguments > found.most)) {
      faults.push_back(fmt::format("line {}: {} called with {} arguments, takes {} to {}", use.line,
                                   use.name, arguments, found.required, found.most));
    }
  }
  return faults;
}

}  // namespace tavik::project
