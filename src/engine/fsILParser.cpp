#include "engine/fsILParser.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <new>
#include <utility>

#include "engine/fsDialects.h"
#include "engine/fsFiles.h"
#include "engine/fsScript.h"
#include "engine/fsStackGuard.h"
#include "engine/fsStrings.h"
#include "rtl/Exceptions.h"
#include "rtl/ScriptMemory.h"

// Kept out of the recursive matcher so that its stack frame stays small.
#define FS_NOINLINE [[gnu::noinline]]

namespace fs {

const char* const kNestingTooDeep = "Nesting too deep";
const char* const kFileNotFound = "File not found";

namespace {

// What an included unit's parse costs on the stack beyond its grammar elements.
constexpr int kUnitDepthCost = 20;

constexpr char kPathDelim =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

enum class Kind : std::uint8_t {
  Rule,
  Char,
  Keyword,
  Ident,
  Number,
  String,
  FRString,
  Eol,
  Eof,
  Sequence,
  Switch,
  OptionalSwitch,
  Loop,
  OptionalLoop,
  Optional,
  Reference,
};

Kind KindOf(const std::string& tag) {
  static const std::map<std::string, Kind> kinds = {
      {"char", Kind::Char},         {"keyword", Kind::Keyword},
      {"ident", Kind::Ident},       {"number", Kind::Number},
      {"string", Kind::String},     {"frstring", Kind::FRString},
      {"eol", Kind::Eol},           {"eof", Kind::Eof},
      {"sequence", Kind::Sequence},
      {"switch", Kind::Switch},     {"optionalswitch", Kind::OptionalSwitch},
      {"loop", Kind::Loop},         {"optionalloop", Kind::OptionalLoop},
      {"optional", Kind::Optional},
  };
  auto it = kinds.find(tag);
  return it == kinds.end() ? Kind::Reference : it->second;
}

bool IsTokenKind(Kind k) { return k >= Kind::Char && k <= Kind::FRString; }

// Thrown when matching nests deeper than the stack allows; ends the parse.
struct NestingTooDeep {};

}  // namespace

// One grammar element, its attributes read once when the dialect is selected.
struct TfsILParser::Element {
  Kind FKind = Kind::Sequence;
  bool FIsRule = false;
  bool FHasErr = false;
  bool FTerm = false;
  bool FSkip0 = false;  // char: do not skip blanks
  bool FSkip1 = false;  // loop: a finished loop clears the recorded error
  bool FHasAdd = false;
  bool FHasAddText = false;
  bool FNodeIsExpr = false;
  bool FNodeIsUses = false;
  std::string FText;  // lower-cased
  std::string FNode;  // lower-cased
  std::string FAdd, FAddText;
  std::string FErrText;
  std::string FName;              // tag as written, for references
  const Element* FRule = nullptr;  // resolved reference, none when the rule is missing
  std::vector<const Element*> FItems;
};

struct TfsILParser::CompiledGrammar {
  std::vector<std::unique_ptr<Element>> FElements;
  const Element* FProgram = nullptr;
  TfsXMLItem* FTypes = nullptr;
};


TfsILParser::TfsILParser(TfsScript* program) : FProgram(program) {}

TfsILParser::~TfsILParser() = default;

// A dialect's grammar document and what is compiled from it. Made once per grammar text
// and shared by the parsers of every thread, which only read it.
struct TfsILParser::GrammarSetup {
  std::string Text;
  TfsXMLDocument Document;
  CompiledGrammar Compiled;
};

std::shared_ptr<const TfsILParser::GrammarSetup> TfsILParser::SetupOf(const std::string& name) {
  static std::mutex* lock = new std::mutex;
  static auto* cache = new std::map<std::string, std::shared_ptr<const GrammarSetup>>;
  std::string text = FindDialectGrammar(name);
  std::lock_guard guard(*lock);
  auto it = cache->find(name);
  // A dialect registered again under the same name brings a new grammar.
  if (it != cache->end() && it->second->Text == text) return it->second;
  auto setup = std::make_shared<GrammarSetup>();
  setup->Document.LoadFromString(text);
  setup->Text = std::move(text);
  CompileGrammar(*setup);
  (*cache)[name] = setup;
  return setup;
}

const TfsXMLDocument& TfsILParser::Grammar() const { return FSetup->Document; }

void TfsILParser::SelectDialect(const std::string& name) {
  FParser.ResetSyntax();
  FDialectName = name;
  FDeclareVars = true;
  FUnterminatedCommentError.clear();
  FCompiled = nullptr;
  FSetup = SetupOf(name);
  FCompiled = &FSetup->Compiled;

  TfsXMLItem* root = FSetup->Document.Root();
  TfsXMLItem* parser = root->Items(root->Find("parser"));
  for (int i = 0; i < parser->Count(); ++i) {
    TfsXMLItem* item = parser->Items(i);
    std::string key = LowerCase(item->Name());
    std::string value = item->Prop("text");
    if (key == "keywords") {
      for (int k = 0; k < item->Count(); ++k) FParser.AddKeyword(item->Items(k)->Name());
    } else if (key == "identchars") {
      FParser.SetIdentifierChars(value);
    } else if (key == "commentline1") {
      FParser.SetCommentLine1(value);
    } else if (key == "commentline2") {
      FParser.SetCommentLine2(value);
    } else if (key == "commentblock1") {
      FParser.SetBlockComment1(value);
    } else if (key == "commentblock2") {
      FParser.SetBlockComment2(value);
    } else if (key == "stringquotes") {
      FParser.SetStringQuotes(value);
    } else if (key == "hexsequence") {
      FParser.SetHexSequence(value);
    } else if (key == "skipchar") {
      FParser.SetSkipChar(value);
    } else if (key == "specstrchar") {
      FParser.SetSpecStrChar(value == "1");
    } else if (key == "casesensitive") {
      FParser.SetCaseSensitive(value == "1");
    } else if (key == "skipeol") {
      if (value == "0") FParser.SetSkipEOL(false);
    } else if (key == "declarevars") {
      if (value == "0") FDeclareVars = false;
    } else if (key == "unterminatedcomment") {
      FUnterminatedCommentError = value;
    }
  }

}

void TfsILParser::CompileGrammar(GrammarSetup& setup) {
  // Every item the compiled grammar refers to is made here, before the document is
  // shared.
  TfsXMLItem* root = setup.Document.Root();
  TfsXMLItem* parser = root->FindItem("parser");
  // Attributes are read once here instead of on every visit; a reference to a
  // missing rule still fails only when matching reaches it.
  CompiledGrammar* grammar = &setup.Compiled;
  TfsXMLItem* errors = parser->FindItem("errors");
  TfsXMLItem* program = root->FindItem("program");
  grammar->FTypes = root->FindItem("types");
  std::map<std::string, const Element*> rules;
  std::vector<Element*> references;
  std::vector<std::pair<const TfsXMLItem*, Element*>> pending;
  auto make = [&](const TfsXMLItem* item, bool isRule) {
    auto e = std::make_unique<Element>();
    e->FIsRule = isRule;
    e->FName = item->Name();
    e->FKind = isRule ? Kind::Rule : KindOf(LowerCase(item->Name()));
    e->FText = LowerCase(item->Prop("text"));
    e->FNode = LowerCase(item->Prop("node"));
    e->FNodeIsExpr = e->FNode == "expr";
    e->FNodeIsUses = e->FNode == "uses";
    e->FAdd = item->Prop("add");
    e->FHasAdd = !e->FAdd.empty();
    e->FAddText = item->Prop("addtext");
    e->FHasAddText = !e->FAddText.empty();
    std::string err = item->Prop("err");
    if (!err.empty()) {
      e->FHasErr = true;
      int at = errors->Find(err);
      if (at >= 0) e->FErrText = errors->Items(at)->Prop("text");
    }
    e->FTerm = item->Prop("term") == "1";
    std::string skip = item->Prop("skip");
    e->FSkip0 = skip == "0";
    e->FSkip1 = skip == "1";
    Element* raw = e.get();
    grammar->FElements.push_back(std::move(e));
    if (raw->FKind == Kind::Reference) references.push_back(raw);
    if (item->Count() > 0) pending.emplace_back(item, raw);
    return raw;
  };
  for (int i = 0; i < root->Count(); ++i) {
    TfsXMLItem* item = root->Items(i);
    const Element* rule = make(item, true);
    rules.emplace(LowerCase(item->Name()), rule);
    if (item == program) grammar->FProgram = rule;
  }
  while (!pending.empty()) {
    auto [item, e] = pending.back();
    pending.pop_back();
    for (int i = 0; i < item->Count(); ++i) e->FItems.push_back(make(item->Items(i), false));
  }
  for (Element* r : references) {
    auto it = rules.find(LowerCase(r->FName));
    if (it != rules.end()) r->FRule = it->second;
  }
}

namespace {

// The charge for the tree's text of the parse running on this thread.
thread_local rtl::TScriptStorageCharge* tLinesCharge = nullptr;

// What one line of the tree's text takes: the string and its characters, about.
constexpr std::size_t kLineBytes = 96;

// Every 1024 lines the text's charge follows its size (raising at the memory limit).
FS_NOINLINE void ChargeLines(std::size_t lines) {
  if (tLinesCharge) tLinesCharge->Resize(lines * kLineBytes);
}

}  // namespace

bool TfsILParser::BuildProgramTree(const std::string& source) {
  if (!FCompiled) SelectDialect(FProgram ? FProgram->SyntaxType() : std::string("PascalScript"));
  FLines.clear();
  FPartialLines.clear();
  FPartialPending = false;
  FErrorText.clear();
  FErrorPos.clear();
  FLastErrorTerm = false;
  FDepth = FBaseDepth;
  FParser.LoadText(source);

  // "#language NAME" on the first line switches the dialect for this source.
  int start = 1;
  if (!source.empty() && source[0] == '#') {
    FParser.SetPosition(2);
    if (SameText(FParser.ReadIdentifier(), "language")) {
      std::size_t from = static_cast<std::size_t>(FParser.Position() - 1);
      std::size_t end = source.find_first_of("\r\n", from);
      if (end == std::string::npos) end = source.size();
      SelectDialect(Trim(std::string_view(source).substr(from, end - from)));
      if (end < source.size()) end += (source[end] == '\r' && end + 1 < source.size() && source[end + 1] == '\n') ? 2 : 1;
      start = static_cast<int>(end) + 1;
    }
  }
  FParser.SetPosition(start);

  bool ok = false;
  // The tree's text counts against the script memory limit while this parse runs (an
  // included unit's parse has its own).
  rtl::TScriptStorageCharge linesCharge;
  struct LinesChargeScope {
    rtl::TScriptStorageCharge* Previous;
    explicit LinesChargeScope(rtl::TScriptStorageCharge* charge) : Previous(tLinesCharge) { tLinesCharge = charge; }
    ~LinesChargeScope() { tLinesCharge = Previous; }
  } linesScope(&linesCharge);
  try {
    try {
      ok = MatchElement(FCompiled->FProgram);
      ok = ok && FErrorText.empty();
      // A block comment left open would silently take the rest of the source with it.
      if (ok && !FUnterminatedCommentError.empty() && FParser.UnterminatedComment() > 0) {
        FErrorText = FUnterminatedCommentError;
        FErrorPos = FParser.PositionTextAt(FParser.UnterminatedComment());
        ok = false;
      }
      if (ok) BuildDocument();
    } catch (const NestingTooDeep&) {
      ok = false;
    }
  } catch (const rtl::EScriptMemoryLimit& e) {
    // The script memory limit: the compile's error, at the place the parse had reached.
    ok = false;
    FErrorText = e.Message();
    FErrorPos = FParser.PositionText();
  } catch (const std::bad_alloc&) {
    ok = false;
    FErrorText = rtl::EOutOfMemory().Message();
    FErrorPos = FParser.PositionText();
  }
  if (FErrorText.empty()) FErrorPos.clear();
  if (FProgram) {
    FProgram->SetLastErrorText(FErrorText);
    FProgram->SetLastErrorPos(FErrorPos);
  }
  return ok;
}

void TfsILParser::BuildPartialTree() {
  if (FPartialPending) FPartialLines = FLines;
  FPartialPending = false;
  FLines = std::move(FPartialLines);
  FPartialLines.clear();
  BuildDocument();
}

void TfsILParser::BuildDocument() {
  std::string text = "<?xml version=\"1.0\"?>\r\n<program>\r\n";
  std::size_t n = text.size() + 16;
  for (const auto& line : FLines) n += line.size() + 2;
  rtl::TScriptStorageCharge textCharge;
  textCharge.Resize(n);
  text.reserve(n);
  for (const auto& line : FLines) {
    text += line;
    text += "\r\n";
  }
  text += "</program>";
  FProgramTree.LoadFromString(text);
  FProgramTree.Root()->Add()->CopyTreeFrom(FCompiled->FTypes);
}

FS_NOINLINE const TfsILParser::Element* TfsILParser::ResolveRule(const Element* e) {
  if (!e->FRule) throw rtl::Exception("Invalid language definition");
  return e->FRule;
}

FS_NOINLINE void TfsILParser::NestingLimitReached() {
  if (FErrorText.empty()) {
    FErrorText = kNestingTooDeep;
    FParser.SkipBlanks();
    FErrorPos = FParser.PositionText();
  }
  throw NestingTooDeep{};
}

// The recursion of the whole parse runs through here, so the frame is kept lean:
// no objects with destructors, and everything else is done by out-of-line helpers.
// The depth is not restored when an exception passes; BuildProgramTree resets it.
bool TfsILParser::MatchElement(const Element* e) {
  // The thread's own stack may end before the depth limit (a small host thread).
  if (FDepth >= kMaxParseDepth ||
      ((FDepth & 15) == 0 && StackNearlyFull(reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)))))
    NestingLimitReached();
  ++FDepth;
  const int start = FParser.Position();
  const std::size_t mark = FLines.size();
  if ((mark & 1023) == 0 && mark != 0) ChargeLines(mark);
  bool ok = true;
  switch (e->FKind) {
    case Kind::Rule:
    case Kind::Sequence:
      break;
    case Kind::Char:
    case Kind::Keyword:
    case Kind::Ident:
    case Kind::Number:
    case Kind::String:
    case Kind::FRString:
      ok = MatchToken(e);
      break;
    case Kind::Eol:
      ok = FParser.ReadLineEnd();
      break;
    case Kind::Switch:
    case Kind::OptionalSwitch:
      ok = false;
      for (const Element* const* c = e->FItems.data(); c != e->FItems.data() + e->FItems.size(); ++c) {
        if (MatchElement(*c)) {
          ok = true;
          break;
        }
      }
      if (!ok) {
        if (e->FItems.empty() || e->FKind == Kind::OptionalSwitch)
          ok = true;
        else
          RecordError(e, start);
      }
      --FDepth;
      return ok;
    case Kind::Eof:
      ok = MatchEnd(e, start);
      --FDepth;
      return ok;
    case Kind::Loop:
    case Kind::OptionalLoop:
      ok = MatchLoop(e);
      --FDepth;
      return ok;
    case Kind::Optional:
      for (const Element* const* c = e->FItems.data(); c != e->FItems.data() + e->FItems.size(); ++c) {
        if (!MatchElement(*c)) {
          FParser.SetPosition(start);
          break;
        }
      }
      --FDepth;
      return true;
    case Kind::Reference:
      ok = MatchElement(ResolveRule(e));
      break;
  }
  if (!ok) {
    RecordError(e, start);
    FParser.SetPosition(start);
    --FDepth;
    return false;
  }
  // An element wraps only what its rule wrote; its own leaf and children follow.
  if (!e->FIsRule && !e->FNode.empty()) Wrap(e, start, mark, true);
  if (e->FHasAdd) WriteAdd(e);
  for (const Element* const* c = e->FItems.data(); c != e->FItems.data() + e->FItems.size(); ++c) {
    if (!MatchElement(*c)) {
      ok = false;
      FParser.SetPosition(start);
      break;
    }
  }
  if (e->FIsRule && !e->FNode.empty()) Wrap(e, start, mark, ok);
  --FDepth;
  return ok;
}

FS_NOINLINE void TfsILParser::Wrap(const Element* e, int start, std::size_t mark, bool matched) {
  if (e->FNodeIsUses)
    IncludeUnits(mark, start);
  else if (matched)
    WrapNode(e, start, mark);
  else {
    // What was written when the error was recorded is kept before the first rule takes
    // its part back; errors that a list ends on quietly mostly take back nothing.
    if (FPartialPending && mark < FLines.size() && !FErrorText.empty()) {
      FPartialLines = FLines;
      FPartialPending = false;
    }
    FLines.resize(mark);  // a failed rule takes back what it wrote
  }
}

FS_NOINLINE void TfsILParser::WriteAdd(const Element* e) {
  WriteLeaf(e->FAdd, e->FHasAddText ? e->FAddText : (IsTokenKind(e->FKind) ? FToken : std::string()));
}

FS_NOINLINE bool TfsILParser::MatchToken(const Element* e) {
  switch (e->FKind) {
    case Kind::Char:
      if (!e->FSkip0) FParser.SkipBlanks();
      FToken = FParser.ReadSymbol();
      break;
    case Kind::Keyword:
      FToken = FParser.ReadWord();
      break;
    case Kind::Ident:
      FToken = FParser.ReadIdentifier();
      break;
    case Kind::Number:
      FToken = FParser.ReadNumberLiteral();
      break;
    case Kind::String:
      FToken = FParser.ReadStringLiteral();
      break;
    case Kind::FRString:
      FToken = FParser.ReadBracketText();
      WriteFRString(FToken);
      break;
    default:
      FToken.clear();
      break;
  }
  if (FToken.empty()) return false;
  if (e->FText.empty()) return true;
  return FParser.CaseSensitive() ? FToken == e->FText : SameText(FToken, e->FText);
}

FS_NOINLINE bool TfsILParser::MatchLoop(const Element* e) {
  int loopStart = FParser.Position();
  int pass = 0;
  int afterChildren = loopStart;
  bool allMatched = true;
  for (;;) {
    ++pass;
    int passStart = FParser.Position();
    allMatched = true;
    for (const Element* const* c = e->FItems.data(); c != e->FItems.data() + e->FItems.size(); ++c) {
      if (!MatchElement(*c)) {
        allMatched = false;
        break;
      }
    }
    afterChildren = FParser.Position();
    bool stop = !allMatched;
    if (allMatched && !e->FText.empty() && !ReadSeparator(e)) {
      FParser.SetPosition(afterChildren);
      stop = true;
    }
    if (FParser.Position() == passStart) stop = true;
    if (stop) break;
  }
  if (pass >= 2) {
    // A list that ran at least once ends quietly where an item is missing.
    if (e->FSkip1 || FLastErrorTerm) FErrorText.clear();
    FParser.SetPosition(afterChildren);
    return true;
  }
  if (allMatched) return true;
  if (e->FKind == Kind::OptionalLoop) {
    FParser.SetPosition(loopStart);
    return true;
  }
  return false;
}

FS_NOINLINE bool TfsILParser::MatchEnd(const Element* e, int start) {
  // Text that no rule took is reported where it starts, past any blank lines.
  if (FParser.SkipToEndOfText()) return true;
  RecordError(e, FParser.Position());
  FParser.SetPosition(start);
  return false;
}

FS_NOINLINE bool TfsILParser::ReadSeparator(const Element* e) {
  FParser.SkipBlanks();
  return FParser.ReadSymbol() == e->FText;
}

FS_NOINLINE void TfsILParser::RecordError(const Element* e, int start) {
  // The first reportable error wins.
  if (!e->FHasErr || !FErrorText.empty()) return;
  FErrorText = e->FErrText;
  FPartialPending = FKeepPartial;
  int saved = FParser.Position();
  FParser.SetPosition(start);
  FParser.SkipBlanks();
  FErrorPos = FParser.PositionText();
  FParser.SetPosition(saved);
  FLastErrorTerm = e->FTerm;
}

FS_NOINLINE void TfsILParser::WrapNode(const Element* e, int start, std::size_t mark) {
  int saved = FParser.Position();
  FParser.SetPosition(start);
  FParser.SkipBlanks();
  std::string open = "<" + e->FNode + " pos=\"" + FParser.PositionText() + "\"";
  FParser.SetPosition(saved);
  if (e->FNodeIsExpr) open += " pos1=\"" + FParser.PositionText() + "\"";
  open += ">";
  FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(mark), std::move(open));
  FLines.push_back("</" + e->FNode + ">");
}

FS_NOINLINE void TfsILParser::WriteLeaf(const std::string& name, const std::string& text) {
  FLines.push_back("<" + name + " text=\"" + EscapeXMLValue(text) + "\" pos=\"" + FParser.PositionText() + "\"/>");
}

FS_NOINLINE void TfsILParser::WriteFRString(const std::string& text) {
  // Inside an expression a text in angle brackets reads as Get('text').
  std::string pos = " pos=\"" + FParser.PositionText() + "\"";
  FLines.push_back("<dsgn" + pos + ">");
  FLines.push_back("<node text=\"Get\"" + pos + "/>");
  FLines.push_back("<expr" + pos + ">");
  FLines.push_back("<string text=\"" + EscapeXMLValue("'" + text + "'") + "\"" + pos + "/>");
  FLines.push_back("</expr>");
  FLines.push_back("</dsgn>");
}

FS_NOINLINE std::optional<std::string> TfsILParser::UnitText(const std::string& unitName) {
  std::string text;
  if (FProgram && FProgram->OnGetUnit) {
    FProgram->OnGetUnit(FProgram, unitName, text);
    return text;
  }
  static const std::vector<std::string> kCurrentDir{std::string()};
  const std::vector<std::string>& dirs = FProgram ? FProgram->IncludeDirs() : kCurrentDir;
  std::string path = unitName;
  for (const std::string& entry : dirs) {
    std::string dir = entry;
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += kPathDelim;
    path = dir + unitName;
    if (FileExists(path)) break;
  }
  // A unit that is nowhere is the compile's error, not a lost packet.
  if (!FileExists(path)) return std::nullopt;
  return AdjustLineBreaks(LoadFileText(path));
}

FS_NOINLINE void TfsILParser::UnitError(const std::string& text, int start) {
  if (!FErrorText.empty()) return;
  FErrorText = text;
  const int saved = FParser.Position();
  FParser.SetPosition(start);
  FParser.SkipBlanks();
  FErrorPos = FParser.PositionText();
  FParser.SetPosition(saved);
  FLastErrorTerm = false;
}

FS_NOINLINE void TfsILParser::IncludeUnits(std::size_t mark, int start) {
  // Each line written since the mark is a leaf carrying a quoted file name; the last
  // listed is taken first, so units end up in reverse order of their listing.
  while (FLines.size() > mark) {
    TfsXMLItem leaf;
    leaf.SetText(FLines.back());
    FLines.pop_back();
    std::string quoted = leaf.Prop("text");
    std::string unitName = quoted.size() >= 2 ? quoted.substr(1, quoted.size() - 2) : std::string();
    bool included = std::any_of(FUsedUnits.begin(), FUsedUnits.end(),
                                [&](const std::string& u) { return SameText(u, unitName); });
    if (included) continue;
    FUsedUnits.push_back(unitName);
    std::string tree;
    std::string text;
    try {
      std::optional<std::string> found = UnitText(unitName);
      if (found) text = std::move(*found);
      else UnitError(kFileNotFound, start);
    } catch (const rtl::Exception& e) {
      // A unit file that exists but cannot be read.
      UnitError(e.Message(), start);
    }
    if (!text.empty()) {
      auto unit = std::make_unique<TfsILParser>(FProgram);
      unit->FUnitName = unitName;
      unit->FBaseDepth = FDepth + kUnitDepthCost;
      unit->SelectDialect(FDialectName);
      unit->FUsedUnits = FUsedUnits;
      if (unit->BuildProgramTree(text)) {
        FUsedUnits = unit->FUsedUnits;
        tree = unit->FProgramTree.SaveToString();
        std::size_t at = tree.find("<program");
        tree.erase(0, at == std::string::npos ? 0 : at);
      } else if (FProgram) {
        FErrorText = FProgram->LastErrorText();
        FErrorPos = FProgram->LastErrorPos();
        FLastErrorTerm = false;
        if (FProgram->LastErrorUnit().empty()) FProgram->SetLastErrorUnit(unitName);
      } else {
        FErrorText = unit->FErrorText;
        FErrorPos = unit->FErrorPos;
        FLastErrorTerm = false;
      }
    }
    std::vector<std::string> lines{"<uses unit=\"" + EscapeXMLValue(unitName) + "\">", std::move(tree), "</uses>"};
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(mark), std::make_move_iterator(lines.begin()),
                  std::make_move_iterator(lines.end()));
    mark += 3;
  }
}

}  // namespace fs
