#include "runtime/fsDeclaration.h"

#include <cstdint>
#include <limits>

#include "engine/fsParser.h"
#include "engine/fsScript.h"
#include "engine/fsStrings.h"
#include "rtl/NumberText.h"

namespace fs {

using rtl::Variant;

TfsVarType TypeCodeOf(std::string_view typeName, const TfsScript* script) {
  if (typeName.empty() || !script) return fvtClass;
  const TfsCustomVariable* item = script->Lookup(typeName);
  return item ? item->Typ() : fvtClass;
}

namespace {

// The value of a default written as text: a quoted string, an integer (64-bit when it
// does not fit 32 bits), or a floating-point number with "." as decimal point. Text
// that is none of these (a stray punctuation character) gives null.
Variant DefaultFromText(const std::string& text) {
  if (text[0] == '\'') return Variant(rtl::AnsiString(text.size() < 2 ? std::string() : text.substr(1, text.size() - 2)));
  std::int64_t n = 0;
  if (rtl::TextToInt64(text, n) == rtl::NumParse::Ok) {
    if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max())
      return Variant(static_cast<std::int32_t>(n));
    return Variant(n);
  }
  double d = 0;
  if (rtl::TextToFloat(text, d, '.') == rtl::NumParse::Ok) return Variant(d);
  return Variant::Null();
}

// The value an identifier names when used as a default (a constant such as False).
Variant DefaultFromIdentifier(const std::string& word, const TfsScript* script) {
  TfsCustomVariable* item = word.empty() || !script ? nullptr : script->Lookup(word);
  if (!item) return Variant::Null();
  switch (item->Kind()) {
    case TfsItemKind::Variable:
    case TfsItemKind::StringVariable:
    case TfsItemKind::Param: return item->GetValue();
    default: return item->StoredValue();  // never run a routine or make an instance here
  }
}

class DeclarationReader {
public:
  DeclarationReader(std::string_view text, const TfsScript* script) : FScript(script) {
    FParser.LoadText(std::string(text));
  }

  TfsDeclaration Read();

private:
  // Steps back over a character just read.
  void Unread() { FParser.SetPosition(FParser.Position() - 1); }
  bool AtEnd() const { return FParser.Position() > FParser.Size(); }
  // One group; false when the text ends or stops making progress inside it.
  bool ReadGroup(TfsDeclaration& d);
  Variant ReadDefault();

  TfsParser FParser;
  const TfsScript* FScript;
};

TfsDeclaration DeclarationReader::Read() {
  TfsDeclaration d;
  std::string kind = FParser.ReadWord();
  if (LowerCase(kind).rfind("macro", 0) == 0) {
    d.IsMacro = true;
    kind.erase(0, 5);
  }
  d.IsFunction = SameText(kind, "function");
  d.Name = FParser.ReadWord();

  if (d.IsFunction) {
    // The result type follows the last colon of the whole text.
    const std::string& text = FParser.Text();
    const std::size_t colon = text.rfind(':', static_cast<std::size_t>(FParser.Size()));
    if (colon != std::string::npos && static_cast<int>(colon) < FParser.Size()) {
      const int resume = FParser.Position();
      FParser.SetPosition(static_cast<int>(colon) + 2);
      d.TypeName = FParser.ReadWord();
      FParser.SetPosition(resume);
    }
  }
  d.Typ = TypeCodeOf(d.TypeName, FScript);

  FParser.SkipBlanks();
  if (FParser.ReadSymbol() != "(") return d;
  while (ReadGroup(d)) {
    FParser.SkipBlanks();
    if (AtEnd() || FParser.ReadSymbol() == ")") break;
  }
  return d;
}

bool DeclarationReader::ReadGroup(TfsDeclaration& d) {
  bool byRef = false;
  std::vector<std::string> names;
  std::string typeName;
  for (;;) {
    const int before = FParser.Position();
    std::string word = FParser.ReadWord();
    if (SameText(word, "var"))
      byRef = true;
    else if (!SameText(word, "const"))
      names.push_back(word);
    FParser.SkipBlanks();
    const std::string symbol = FParser.ReadSymbol();
    if (symbol == ":") {
      typeName = FParser.ReadWord();
      break;
    }
    if (symbol == ")") {
      // A name without a type: no parameter.
      Unread();
      return true;
    }
    if (symbol == ";") return true;
    // Neither a word nor punctuation: the declaration is not readable any further.
    if (symbol.empty() && (word.empty() || AtEnd())) return false;
    if (FParser.Position() == before) return false;
  }

  bool hasDefault = false;
  Variant defaultValue = Variant::Null();
  FParser.SkipBlanks();
  const std::string symbol = FParser.ReadSymbol();
  if (symbol == "=") {
    hasDefault = true;
    defaultValue = ReadDefault();
  } else if (!symbol.empty()) {
    Unread();
  }

  const TfsVarType typ = TypeCodeOf(typeName, FScript);
  // Only the last name of a group takes the default.
  int last = -1;
  for (int i = 0; i < static_cast<int>(names.size()); ++i)
    if (!names[static_cast<std::size_t>(i)].empty()) last = i;
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    const std::string& name = names[static_cast<std::size_t>(i)];
    // A nameless entry comes only from malformed text; it would be a phantom argument.
    if (name.empty()) continue;
    const bool optional = hasDefault && i == last;
    auto param = std::make_unique<TfsParamItem>(name, typ, typeName, optional, byRef);
    if (optional) param->SetDefValue(defaultValue);
    d.Params.push_back(std::move(param));
  }
  return true;
}

Variant DeclarationReader::ReadDefault() {
  std::string text = FParser.ReadNumberLiteral();
  if (text.empty()) text = FParser.ReadStringLiteral();
  if (text.empty()) {
    FParser.SkipBlanks();
    const std::string symbol = FParser.ReadSymbol();
    if (symbol == "-") {
      const int afterMinus = FParser.Position();
      const std::string number = FParser.ReadNumberLiteral();
      if (!number.empty()) {
        text = "-" + number;
      } else {
        FParser.SetPosition(afterMinus);
        Unread();
        text = symbol;
      }
    } else if (!symbol.empty()) {
      // Taken as the default text, and read again where the group ends.
      Unread();
      text = symbol;
    }
  }
  if (!text.empty()) return DefaultFromText(text);
  return DefaultFromIdentifier(FParser.ReadWord(), FScript);
}

}  // namespace

TfsDeclaration ParseDeclaration(std::string_view declaration, const TfsScript* script) {
  return DeclarationReader(declaration, script).Read();
}

}  // namespace fs
