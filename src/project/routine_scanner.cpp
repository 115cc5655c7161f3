// Scanning Visual Basic code for the names it uses and the routines it defines.
#include "project/routine_scanner.h"

#include <fmt/format.h>

#include <algorithm>

#include "formfile/form_file_reader.h"

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

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return out;
}

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

struct Token {
  enum class Kind { kName, kNumber, kString, kSymbol } kind;
  std::string text;
  std::string upper;  // a name's text in upper case
};

struct Statement {
  std::vector<Token> tokens;
  std::size_t line = 0;
  bool label = false;  // "name:" at the start of a line
};

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsNameChar(char c) {
  return IsLetter(c) || IsDigit(c) || c == '_';
}

// Splits one line of code into statements at the colons outside strings, without its
// comment.
void AddLine(std::string_view line, std::size_t number, std::vector<Statement>& statements) {
  std::size_t first = statements.size();
  statements.push_back({{}, number, false});
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    Statement& statement = statements.back();
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '\'') {
      break;
    } else if (c == '"') {
      std::size_t end = i + 1;
      while (end < line.size() &&
             !(line[end] == '"' && (end + 1 >= line.size() || line[end + 1] != '"'))) {
        end += line[end] == '"' ? 2 : 1;
      }
      statement.tokens.push_back(
          {Token::Kind::kString, std::string(line.substr(i, end + 1 - i)), {}});
      i = end + 1;
    } else if (IsDigit(c) ||
               (c == '&' && i + 1 < line.size() && (line[i + 1] == 'H' || line[i + 1] == 'h'))) {
      std::size_t end = i + 1;
      while (end < line.size() && (IsNameChar(line[end]) || line[end] == '.' || line[end] == '&'))
        ++end;
      statement.tokens.push_back({Token::Kind::kNumber, std::string(line.substr(i, end - i)), {}});
      i = end;
    } else if (IsLetter(c)) {
      std::size_t end = i + 1;
      while (end < line.size() && IsNameChar(line[end])) ++end;
      if (end < line.size() && (line[end] == '$' || line[end] == '%')) ++end;
      std::string name(line.substr(i, end - i));
      std::string upper = Upper(name);
      if (statement.tokens.empty() && upper == "REM") break;
      statement.tokens.push_back({Token::Kind::kName, std::move(name), std::move(upper)});
      i = end;
    } else if (c == ':') {
      statement.label = statements.size() - 1 == first && statement.tokens.size() == 1 &&
                        statement.tokens[0].kind == Token::Kind::kName;
      statements.push_back({{}, number, false});
      ++i;
    } else {
      std::string symbol(1, c);
      if (i + 1 < line.size() && (c == '<' || c == '>') &&
          (line[i + 1] == '=' || line[i + 1] == '>')) {
        symbol += line[++i];
      }
      statement.tokens.push_back({Token::Kind::kSymbol, std::move(symbol), {}});
      ++i;
    }
  }
}

// The code as statements; the conditional-compilation lines ("#If") are left out.
std::vector<Statement> CodeStatements(const RoutineScanner::Code& code) {
  std::vector<Statement> statements;
  std::string_view text = code.text;
  for (std::size_t number = code.first_line; !text.empty(); ++number) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    std::size_t start = line.find_first_not_of(" \t");
    if (start != std::string_view::npos && line[start] == '#') continue;
    AddLine(line, number, statements);
  }
  return statements;
}

// The positions of the commas at the top level of tokens[from, to).
int ArgumentCount(const std::vector<Token>& tokens, std::size_t from, std::size_t to) {
  if (from >= to) return 0;
  int count = 1;
  int depth = 0;
  for (std::size_t i = from; i < to; ++i) {
    const std::string& text = tokens[i].text;
    if (tokens[i].kind != Token::Kind::kSymbol) continue;
    if (text == "(") ++depth;
    if (text == ")") --depth;
    if (text == "," && depth == 0) ++count;
  }
  return count;
}

std::size_t ClosingParenthesis(const std::vector<Token>& tokens, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < tokens.size(); ++i) {
    if (tokens[i].kind != Token::Kind::kSymbol) continue;
    if (tokens[i].text == "(") ++depth;
    if (tokens[i].text == ")" && --depth == 0) return i;
  }
  return tokens.size();
}

bool IsName(const Token& token, std::string_view upper) {
  return token.kind == Token::Kind::kName && token.upper == upper;
}

// The parameters between the parentheses at open: their names go to names.
RoutineScanner::Routine Parameters(const std::vector<Token>& tokens, std::size_t open,
                                   bool is_function, std::unordered_set<std::string>& names) {
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
    std::string upper = token.upper;
    if (upper == "BYVAL" || upper == "BYREF") continue;
    if (upper == "OPTIONAL") {
      optional = true;
      continue;
    }
    if (upper == "PARAMARRAY") {
      routine.most = -1;
      continue;
    }
    names.insert(upper);
    if (routine.most >= 0) ++routine.most;
    if (!optional && routine.most >= 0) ++routine.required;
    expect_name = false;
  }
  return routine;
}

// Variables or constants declared after tokens[from]: "a As T, b(5) As T" or "A = 1, B = 2".
void DeclaredNames(const std::vector<Token>& tokens, std::size_t from,
                   std::unordered_set<std::string>& names) {
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
    if (expect_name && token.kind == Token::Kind::kName && !IsName(token, "SHARED")) {
      names.insert(token.upper);
      expect_name = false;
    }
  }
}

void DefineStatement(const Statement& statement, bool& in_type,
                     RoutineScanner::Definitions& definitions) {
  const std::vector<Token>& tokens = statement.tokens;
  if (tokens.empty() || tokens[0].kind != Token::Kind::kName) return;
  if (statement.label) {
    definitions.names.insert(tokens[0].upper);
    return;
  }
  if (in_type) {
    in_type = !(IsName(tokens[0], "END") && tokens.size() > 1 && IsName(tokens[1], "TYPE"));
    if (in_type) definitions.names.insert(tokens[0].upper);
    return;
  }
  std::size_t at = 0;
  bool scoped = false;
  while (at < tokens.size() && (IsName(tokens[at], "PUBLIC") || IsName(tokens[at], "PRIVATE") ||
                                IsName(tokens[at], "GLOBAL") || IsName(tokens[at], "STATIC"))) {
    ++at;
    scoped = true;
  }
  if (at + 1 < tokens.size() && IsName(tokens[at], "DECLARE")) ++at;
  if (at + 1 >= tokens.size()) {
    if (scoped) DeclaredNames(tokens, 1, definitions.names);
    return;
  }
  bool is_function = IsName(tokens[at], "FUNCTION");
  if (is_function || IsName(tokens[at], "SUB")) {
    std::string name = tokens[at + 1].upper;
    auto open = std::find_if(tokens.begin() + static_cast<std::ptrdiff_t>(at), tokens.end(),
                             [](const Token& token) { return token.text == "("; });
    RoutineScanner::Routine routine{is_function, 0, 0};
    if (open != tokens.end()) {
      routine = Parameters(tokens, static_cast<std::size_t>(open - tokens.begin()), is_function,
                           definitions.names);
    }
    definitions.routines[name] = routine;
  } else if (IsName(tokens[at], "TYPE")) {
    definitions.names.insert(tokens[at + 1].upper);
    in_type = true;
  } else if (IsName(tokens[at], "CONST") || IsName(tokens[at], "DIM") ||
             IsName(tokens[at], "REDIM")) {
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
RoutineScanner::Use UseAt(const Statement& statement, std::size_t i, std::size_t first) {
  const std::vector<Token>& tokens = statement.tokens;
  RoutineScanner::Use use{tokens[i].text, -1, i != first, statement.line};
  bool called = i + 1 < tokens.size() && tokens[i + 1].text == "(";
  if (called) {
    use.arguments = ArgumentCount(tokens, i + 2, ClosingParenthesis(tokens, i + 1));
  } else if (i == first && !(i + 1 < tokens.size() && tokens[i + 1].text == "=")) {
    use.arguments = ArgumentCount(tokens, i + 1, tokens.size());
  }
  return use;
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
  Definitions definitions;
  bool in_type = false;
  for (const Statement& statement : CodeStatements(code)) {
    DefineStatement(statement, in_type, definitions);
  }
  for (const std::string& name : code.block_names) definitions.names.insert(Upper(name));
  return definitions;
}

std::vector<RoutineScanner::Use> RoutineScanner::ExternalUses(const Code& code,
                                                              std::uint16_t version) {
  const Definitions definitions = Defined(code);
  std::vector<Use> uses;
  for (const Statement& statement : CodeStatements(code)) {
    const std::vector<Token>& tokens = statement.tokens;
    // A call statement's routine comes first, or after "Call".
    std::size_t first = !tokens.empty() && IsName(tokens[0], "CALL") ? 1 : 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      // A one-line If holds a statement of its own after its Then and its Else.
      if (i > 0 && (IsName(tokens[i - 1], "THEN") || IsName(tokens[i - 1], "ELSE"))) {
        first = IsName(tokens[i], "CALL") ? i + 1 : i;
      }
      if (tokens[i].kind != Token::Kind::kName || statement.label) continue;
      if (i > 0 && (tokens[i - 1].text == "." || tokens[i - 1].text == "!")) continue;
      if (i > 0 && (IsName(tokens[i - 1], "GOTO") || IsName(tokens[i - 1], "GOSUB") ||
                    IsName(tokens[i - 1], "RESUME"))) {
        continue;
      }
      const std::string& upper = tokens[i].upper;
      if (IsBuiltIn(upper, version) || IsDefined(definitions, upper)) continue;
      uses.push_back(UseAt(statement, i, first));
    }
  }
  return uses;
}

std::vector<std::string> RoutineScanner::Check(const Code& code, const Definitions& module,
                                               std::uint16_t version,
                                               const std::unordered_set<std::string>& known_names) {
  std::vector<std::string> faults;
  for (const Use& use : ExternalUses(code, version)) {
    std::string upper = Upper(use.name);
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
